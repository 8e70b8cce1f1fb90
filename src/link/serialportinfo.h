// Discovery of the PC's serial ports. The connection search tries the ports in list order, so
// ports of USB adapters come first: legacy on-board ttyS ports would otherwise fill the ten
// places the search tries.
#pragma once

#include <QList>
#include <QString>

// One discovered serial port.
struct SerialPortInfo {
    QString devicePath;       // the system's device node (/dev/ttyUSB0)
    QString friendlyName;     // "description (portName)", as the system would present it
    QString portName;         // the system's own name (ttyUSB0, COM3)
    int isUsbDevice = 0;      // 1 when the port belongs to a USB device
    QString portDescription;  // what the device calls itself
};

// The text between the first "(" and the following ")" of a friendly name; empty when there is
// no such pair.
QString PortNameFromFriendlyName(const QString& friendlyName);

// The fill-in rules after discovery: a port without a name takes its friendly name; a port
// without a description takes its name, minus a trailing " (...)" that starts after the first
// character.
void ApplyNameRules(SerialPortInfo& port);

// USB ports first, then the rest; each group ordered by port name. Stable.
void OrderPortsUsbFirst(QList<SerialPortInfo>& ports);

// Fills `ports` with the PC's serial ports, ordered as above; ports whose name comes out empty
// are left out.
void EnumerateSerialPorts(QList<SerialPortInfo>& ports);
