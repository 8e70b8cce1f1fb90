#include "link/hotplugmonitor.h"

#include <libudev.h>

#include <QSocketNotifier>

#include "core/common/usernotify.h"
#include "core/protocol/linkinterfaces.h"

struct CHotplugMonitor::Udev {
    udev* pContext = nullptr;
    udev_monitor* pMonitor = nullptr;
    ~Udev() {
        if (pMonitor != nullptr) {
            udev_monitor_unref(pMonitor);
        }
        if (pContext != nullptr) {
            udev_unref(pContext);
        }
    }
};

CHotplugMonitor::CHotplugMonitor(QObject* parent) : QObject(parent) {}

CHotplugMonitor::~CHotplugMonitor() = default;

bool CHotplugMonitor::Start() {
    if (IsRunning()) {
        return true;
    }
    auto state = std::make_unique<Udev>();
    state->pContext = udev_new();
    if (state->pContext != nullptr) {
        state->pMonitor = udev_monitor_new_from_netlink(state->pContext, "udev");
    }
    const bool ok =
        state->pMonitor != nullptr &&
        udev_monitor_filter_add_match_subsystem_devtype(state->pMonitor, "hidraw", nullptr) >= 0 &&
        udev_monitor_enable_receiving(state->pMonitor) >= 0;
    if (!ok) {
        NotifyUser("RegisterDeviceNotification failed");
        return false;
    }
    m_pUdev = std::move(state);
    m_pNotifier =
        new QSocketNotifier(udev_monitor_get_fd(m_pUdev->pMonitor), QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &CHotplugMonitor::OnActivated);
    return true;
}

bool CHotplugMonitor::IsRunning() const {
    return m_pNotifier != nullptr;
}

void CHotplugMonitor::OnActivated() {
    udev_device* device = udev_monitor_receive_device(m_pUdev->pMonitor);
    if (device == nullptr) {
        return;
    }
    const char* action = udev_device_get_action(device);
    const char* node = udev_device_get_devnode(device);
    const QString deviceNode = node != nullptr ? QString::fromLocal8Bit(node) : QString();
    const QString what = action != nullptr ? QString::fromLatin1(action) : QString();
    udev_device_unref(device);
    if (what == QLatin1String("add")) {
        emit DeviceArrived(deviceNode);
    } else if (what == QLatin1String("remove")) {
        emit DeviceRemoved(deviceNode);
    }
}

bool RemovalEndsUsbLink(bool connected, LinkKind link, const QString& removedNode,
                        const QString& unitNode) {
    return connected && link == LinkKind::Usb && !unitNode.isEmpty() && removedNode == unitNode;
}
