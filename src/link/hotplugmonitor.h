// Watches HID devices (the hidraw subsystem) come and go. Every arrival and removal of any HID
// device is reported with its device node; the listener decides whether it concerns the unit.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "core/protocol/linkinterfaces.h"

class QSocketNotifier;

class CHotplugMonitor : public QObject {
    Q_OBJECT
public:
    explicit CHotplugMonitor(QObject* parent = nullptr);
    ~CHotplugMonitor() override;
    CHotplugMonitor(const CHotplugMonitor&) = delete;
    CHotplugMonitor& operator=(const CHotplugMonitor&) = delete;

    // Starts watching. When the monitor cannot be created the user is told
    // "RegisterDeviceNotification failed" and false is returned; the program goes on without
    // hot-plug handling.
    bool Start();
    bool IsRunning() const;

signals:
    void DeviceArrived(const QString& deviceNode);
    void DeviceRemoved(const QString& deviceNode);

private:
    void OnActivated();

    struct Udev;
    std::unique_ptr<Udev> m_pUdev;
    QSocketNotifier* m_pNotifier = nullptr;
};

// Whether the removal of a HID device ends the USB link: only when a link is up, the USB link is
// the one in use, and the removed node is the unit's own device.
bool RemovalEndsUsbLink(bool connected, LinkKind link, const QString& removedNode,
                        const QString& unitNode);
