#include "devicesession.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTextStream>

#include "clicommands.h"
#include "core/common/utilities.h"
#include "core/model/audiodata.h"
#include "core/protocol/command.h"
#include "core/protocol/readback.h"
#include "link/audiodataconnection.h"
#include "link/clientsocket.h"
#include "link/hiddevice.h"
#include "link/linkcontroller.h"
#include "link/seriallink.h"
#include "link/serialport.h"
#include "link/serialportinfo.h"

namespace {
// The engine's model, telling when the sender found nothing left to send while the queue was
// empty: every change made before then has been acknowledged.
class CDeliveryWatch : public ICommandModel {
public:
    explicit CDeliveryWatch(ICommandModel& inner) : m_inner(inner) {}
    std::unique_ptr<CSendData> NextPendingFrame() override {
        auto frame = m_inner.NextPendingFrame();
        m_bIdle = frame == nullptr;
        return frame;
    }
    void DecodeReply(std::uint8_t channel, std::span<const std::uint8_t> frame) override {
        m_inner.DecodeReply(channel, frame);
    }
    bool m_bIdle = false;

private:
    ICommandModel& m_inner;
};
}  // namespace

int Fail(int code, const QString& line) {
    QTextStream(stderr) << "sonvela-cli: " << line << "\n";
    return code;
}

DeviceOptions ParseDeviceOptions(const QStringList& args) {
    DeviceOptions options;
    int linkOptions = 0;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--json") {
            options.bJson = true;
        } else if (arg == "--usb") {
            ++linkOptions;
            options.plan.bSerial = options.plan.bNetwork = false;
        } else if ((arg == "--tcp" || arg == "--serial" || arg == "--password") && !hasValue) {
            options.error = arg + " needs a value";
        } else if (arg == "--tcp") {
            ++linkOptions;
            const QString value = args[++i];
            const qsizetype colon = value.lastIndexOf(':');
            options.plan.address = colon > 0 ? value.left(colon) : value;
            if (colon > 0) {
                bool ok = false;
                const uint port = value.mid(colon + 1).toUInt(&ok);
                if (!ok || port == 0 || port > 65535) {
                    options.error = "bad port in --tcp " + value;
                }
                options.plan.tcpPort = static_cast<quint16>(port);
            }
            options.plan.bUsb = options.plan.bSerial = false;
        } else if (arg == "--serial") {
            ++linkOptions;
            options.plan.portNames = {args[++i]};
            options.plan.bUsb = options.plan.bNetwork = false;
        } else if (arg == "--password") {
            options.password = args[++i];
        } else {
            options.rest << arg;
        }
    }
    if (linkOptions > 1) {
        options.error = "give at most one of --tcp, --serial and --usb";
    }
    return options;
}

struct CDeviceSession::Objects {
    CLinkState state;
    CAudioData model;
    CAudioDataCommandModel commandModel{model};
    CDeliveryWatch watch{commandModel};
    CAudioDataConnection connection{model, state};
    CSerialPort serialPort;
    CSerialLink serialLink{serialPort};
    CClientSocket socket;
    CHidDevice hid;
    CLinkController controller{state, connection, serialPort, socket, &hid};
    CCommand command{state, controller, watch, serialLink};
    CConnectSearch search{state, command, socket, [this](int index) {
                              controller.SetPortNames(search.PortNames());
                              controller.ConnectBy(index);
                          }};
    bool bLinkLost = false;
    int winner = -1;
};

CDeviceSession::CDeviceSession(const DeviceOptions& options)
    : m_p(std::make_unique<Objects>()), m_options(options) {
    m_p->controller.SetCommand(&m_p->command);
    QObject::connect(&m_p->controller, &CLinkController::LinkLost,
                     [this](int) { m_p->bLinkLost = true; });
}

CDeviceSession::~CDeviceSession() = default;

CAudioData& CDeviceSession::Model() {
    return m_p->model;
}
CCommand& CDeviceSession::Command() {
    return m_p->command;
}
CLinkController& CDeviceSession::Controller() {
    return m_p->controller;
}
CLinkState& CDeviceSession::State() {
    return m_p->state;
}

QString CDeviceSession::LinkDescription() const {
    switch (m_p->state.linkKind) {
        case kLinkUsb:
            return QStringLiteral("usb %1").arg(m_p->hid.DevicePath());
        case kLinkSerial:
            return "serial " + m_p->serialPort.PortName();
        default:
            return QStringLiteral("tcp %1:%2")
                .arg(m_options.plan.address.isEmpty() ? g_unitAddress : m_options.plan.address)
                .arg(m_options.plan.tcpPort);
    }
}

int CDeviceSession::Connect(bool readBack) {
    SearchPlan plan = m_options.plan;
    if (plan.bSerial && plan.portNames.isEmpty()) {
        QList<SerialPortInfo> ports;
        EnumerateSerialPorts(ports);
        for (const SerialPortInfo& port : ports) {
            plan.portNames << port.portName;
        }
    }
    bool usbOpen = false;
    if (plan.bUsb && m_p->hid.OpenDevice()) {
        usbOpen = m_p->hid.StartReader();
    }
    m_p->state.searchStage = usbOpen ? kStageUsb : kStageSerial;

    QTextStream err(stderr);
    // One line whenever what a progress display shows changes.
    QString lastLine;
    auto showProgress = [&] {
        const QString line = QStringLiteral("%1 (%2/%3)")
                                 .arg(m_p->search.Status())
                                 .arg(m_p->search.Progress())
                                 .arg(kSearchProgressMax);
        if (line != lastLine && !m_p->search.Status().isEmpty()) {
            err << line << "\n" << Qt::flush;
            lastLine = line;
        }
    };
    QObject::connect(&m_p->search, &CConnectSearch::StatusChanged, showProgress);
    QObject::connect(&m_p->search, &CConnectSearch::ProgressChanged, showProgress);
    std::optional<SearchResult> result;
    QObject::connect(&m_p->search, &CConnectSearch::Finished,
                     [&result](SearchResult r) { result = r; });
    m_p->search.Start(plan, usbOpen);
    QEventLoop loop;
    while (!result) {
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    QObject::disconnect(&m_p->search, nullptr, nullptr, nullptr);
    if (*result == SearchResult::Refused) {
        return Fail(kExitRefused, "the unit refused the connection");
    }
    if (*result == SearchResult::NotFound) {
        return Fail(kExitNoUnit, "no unit found");
    }
    err << "Connected over " << LinkDescription() << "\n" << Qt::flush;
    if (!readBack) {
        return kExitOk;
    }

    std::optional<bool> locked;
    QObject::connect(&m_p->controller, &CLinkController::ReadBackCompleted,
                     [&locked](bool isLocked) { locked = isLocked; });
    const int waited = WaitFor([&locked] { return locked.has_value(); });
    QObject::disconnect(&m_p->controller, &CLinkController::ReadBackCompleted, nullptr, nullptr);
    if (waited != kExitOk) {
        return waited;
    }
    if (*locked) {
        if (m_options.password.isEmpty()) {
            return Fail(kExitLocked, "the panel is locked; give --password");
        }
        const std::string stored = BytesToString(m_p->model.Image().Password(), 4);
        if (m_options.password.size() != 4 || m_options.password.toStdString() != stored) {
            return Fail(kExitLocked, "Password error");
        }
    }
    return kExitOk;
}

int CDeviceSession::WaitFor(const std::function<bool()>& done) {
    QEventLoop loop;
    while (!done()) {
        if (m_p->bLinkLost) {
            return Fail(kExitLinkLost, "the link to the unit was lost");
        }
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    return kExitOk;
}

int CDeviceSession::WaitForChangesDelivered() {
    m_p->watch.m_bIdle = false;
    return WaitFor([this] { return m_p->watch.m_bIdle && m_p->command.GetCount() == 0; });
}
