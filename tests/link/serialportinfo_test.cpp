#include "link/serialportinfo.h"

#include <gtest/gtest.h>

TEST(SerialPortNames, FriendlyNameParserTakesTheFirstParenthesisedText) {
    const struct {
        const char* friendly;
        const char* expected;
    } cases[] = {
        {"USB-SERIAL CH340 (COM3)", "COM3"},
        {"FT232R USB UART (ttyUSB0)", "ttyUSB0"},
        {"Port (ttyS0) spare (ttyS1)", "ttyS0"},
        {"Adapter (COM12", ""},
        {"no parenthesis", ""},
        {"()", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PortNameFromFriendlyName(c.friendly), QString(c.expected)) << c.friendly;
    }
}

TEST(SerialPortNames, NameAndDescriptionFillInRules) {
    const struct {
        const char* friendly;
        const char* name;
        const char* description;
        const char* expectedName;
        const char* expectedDescription;
    } cases[] = {
        {"USB UART (ttyUSB0)", "ttyUSB0", "USB UART", "ttyUSB0", "USB UART"},
        {"ttyS0", "", "", "ttyS0", "ttyS0"},
        // A name taken from the friendly name loses its " (...)" tail in the description.
        {"Modem (COM4)", "", "", "Modem (COM4)", "Modem"},
        // " (" at the very start is not a tail.
        {" (COM4)", "", "", " (COM4)", " (COM4)"},
        // No closing parenthesis at the end: kept whole.
        {"Modem (COM4) x", "", "", "Modem (COM4) x", "Modem (COM4) x"},
        {"", "COM7", "", "COM7", "COM7"},
    };
    for (const auto& c : cases) {
        SerialPortInfo port;
        port.friendlyName = c.friendly;
        port.portName = c.name;
        port.portDescription = c.description;
        ApplyNameRules(port);
        EXPECT_EQ(port.portName, QString(c.expectedName)) << c.friendly;
        EXPECT_EQ(port.portDescription, QString(c.expectedDescription)) << c.friendly;
    }
}

TEST(SerialPortNames, UsbPortsComeFirstEachGroupByName) {
    QList<SerialPortInfo> ports;
    for (const auto& [name, usb] : std::initializer_list<std::pair<const char*, int>>{
             {"ttyS1", 0}, {"ttyUSB1", 1}, {"ttyS0", 0}, {"ttyACM0", 1}, {"ttyUSB0", 1}}) {
        SerialPortInfo port;
        port.portName = name;
        port.isUsbDevice = usb;
        ports.append(port);
    }
    OrderPortsUsbFirst(ports);
    QStringList order;
    for (const SerialPortInfo& port : ports) {
        order << port.portName;
    }
    EXPECT_EQ(order, QStringList({"ttyACM0", "ttyUSB0", "ttyUSB1", "ttyS0", "ttyS1"}));
}

TEST(SerialPortNames, EnumerationListsOnlyNamedPortsUsbFirst) {
    QList<SerialPortInfo> ports;
    ports.append(SerialPortInfo{});  // replaced, not appended to
    EnumerateSerialPorts(ports);
    bool seenNonUsb = false;
    for (const SerialPortInfo& port : ports) {
        EXPECT_FALSE(port.portName.isEmpty());
        EXPECT_FALSE(port.devicePath.isEmpty());
        EXPECT_FALSE(seenNonUsb && port.isUsbDevice == 1) << "USB port after a non-USB port";
        seenNonUsb = seenNonUsb || port.isUsbDevice == 0;
    }
}
