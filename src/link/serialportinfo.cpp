#include "link/serialportinfo.h"

#include <QSerialPortInfo>
#include <algorithm>

QString PortNameFromFriendlyName(const QString& friendlyName) {
    const qsizetype open = friendlyName.indexOf('(');
    if (open < 0) {
        return {};
    }
    const qsizetype close = friendlyName.indexOf(')', open + 1);
    if (close < 0) {
        return {};
    }
    return friendlyName.mid(open + 1, close - open - 1);
}

void ApplyNameRules(SerialPortInfo& port) {
    if (port.portName.isEmpty()) {
        port.portName = port.friendlyName;
    }
    if (port.portDescription.isEmpty()) {
        QString description = port.portName;
        const qsizetype suffix = description.indexOf(" (");
        if (suffix > 0 && description.endsWith(')')) {
            description.truncate(suffix);
        }
        port.portDescription = description;
    }
}

void OrderPortsUsbFirst(QList<SerialPortInfo>& ports) {
    std::stable_sort(ports.begin(), ports.end(),
                     [](const SerialPortInfo& a, const SerialPortInfo& b) {
                         if (a.isUsbDevice != b.isUsbDevice) {
                             return a.isUsbDevice > b.isUsbDevice;
                         }
                         return a.portName < b.portName;
                     });
}

void EnumerateSerialPorts(QList<SerialPortInfo>& ports) {
    ports.clear();
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialPortInfo port;
        port.devicePath = info.systemLocation();
        const QString description = info.description();
        port.friendlyName = description.isEmpty()
                                ? info.portName()
                                : QStringLiteral("%1 (%2)").arg(description, info.portName());
        port.portName = PortNameFromFriendlyName(port.friendlyName);
        port.portDescription = description;
        port.isUsbDevice = info.hasVendorIdentifier() ? 1 : 0;
        ApplyNameRules(port);
        if (!port.portName.isEmpty()) {
            ports.append(port);
        }
    }
    OrderPortsUsbFirst(ports);
}
