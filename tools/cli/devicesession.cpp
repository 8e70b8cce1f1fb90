#include "devicesession.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTextStream>
#include <optional>
#include <utility>

#include "clicommands.h"
#include "core/common/utilities.h"
#include "core/model/audiodata.h"
#include "core/protocol/audiodataadapter.h"
#include "core/protocol/command.h"
#include "link/hiddevice.h"
#include "link/linkcontroller.h"
#include "link/serialport.h"
#include "link/serialportinfo.h"
#include "link/unitaddress.h"
#include "link/unitconnection.h"

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
        } else if (arg == "--paced") {
            options.plan.bPaced = true;
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
                    options.error =
                        "the port in --tcp " + value + " is not a number from 1 to 65535";
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
    if (options.error.isEmpty() && !options.password.isNull() &&
        options.password.size() != kPasswordLength) {
        options.error = QStringLiteral("the panel password has %1 characters, not %2")
                            .arg(kPasswordLength)
                            .arg(options.password.size());
    }
    return options;
}

struct CDeviceSession::Objects {
    CAudioData model;
    CUnitConnection connection{model};
    bool bLinkLost = false;
    ConnectDone done;  // of the connect under way
    QList<QMetaObject::Connection> connectWiring;
};

CDeviceSession::CDeviceSession(const DeviceOptions& options)
    : m_p(std::make_unique<Objects>()), m_options(options) {
    QObject::connect(&m_p->connection.Controller(), &CLinkController::LinkLost, [this](LinkKind) {
        m_p->bLinkLost = true;
        FinishConnect(kExitLinkLost, QStringLiteral("the link to the unit was lost"));
    });
}

CDeviceSession::~CDeviceSession() = default;

CAudioData& CDeviceSession::Model() {
    return m_p->model;
}
CCommand& CDeviceSession::Command() {
    return m_p->connection.Command();
}
CLinkController& CDeviceSession::Controller() {
    return m_p->connection.Controller();
}
CLinkState& CDeviceSession::State() {
    return m_p->connection.State();
}

QString CDeviceSession::LinkDescription() const {
    switch (m_p->connection.State().linkKind) {
        case LinkKind::Usb:
            return QStringLiteral("usb %1").arg(m_p->connection.HidDevice().DevicePath());
        case LinkKind::Serial:
            return "serial " + m_p->connection.SerialPort().PortName();
        case LinkKind::Network:
            break;
    }
    return QStringLiteral("tcp %1:%2")
        .arg(m_options.plan.address.isEmpty() ? g_unitAddress : m_options.plan.address)
        .arg(m_options.plan.tcpPort);
}

namespace {
// Why a search found no unit: what went wrong on the one link tried, or on each of several.
QString NotFoundLine(const QStringList& failures) {
    if (failures.isEmpty()) {
        return QStringLiteral("no unit found");
    }
    return failures.size() == 1 ? failures.front()
                                : QStringLiteral("no unit found: ") + failures.join("; ");
}
}  // namespace

void CDeviceSession::FinishConnect(int code, const QString& failure) {
    if (!m_p->done) {
        return;
    }
    for (const QMetaObject::Connection& c : m_p->connectWiring) {
        QObject::disconnect(c);
    }
    m_p->connectWiring.clear();
    const ConnectDone done = std::move(m_p->done);
    m_p->done = nullptr;
    done(code, failure);
}

void CDeviceSession::BeginConnect(bool readBack, ConnectDone done) {
    m_p->done = std::move(done);
    SearchPlan plan = m_options.plan;
    const bool tcpOnly = !plan.bUsb && !plan.bSerial && plan.bNetwork;
    if (tcpOnly && plan.address.isEmpty()) {
        // An empty host would start the gateway search, which is not what was asked for.
        FinishConnect(kExitNoUnit, QStringLiteral("cannot connect: --tcp names no host"));
        return;
    }
    if (plan.bSerial && plan.portNames.isEmpty()) {
        QList<SerialPortInfo> ports;
        EnumerateSerialPorts(ports);
        for (const SerialPortInfo& port : ports) {
            plan.portNames << port.portName;
        }
    }
    if (plan.bUsb) {
        m_p->connection.OpenUsb();
    }
    CConnectSearch& search = m_p->connection.Search();
    m_p->connectWiring << QObject::connect(
        &search, &CConnectSearch::Finished, [this, readBack](SearchResult result) {
            if (result == SearchResult::Refused) {
                FinishConnect(kExitRefused, QStringLiteral("the unit refused the connection"));
            } else if (result == SearchResult::NotFound) {
                FinishConnect(kExitNoUnit, NotFoundLine(m_p->connection.Search().Failures()));
            } else {
                if (m_bVerbose) {
                    QTextStream(stderr) << "Connected over " << LinkDescription() << "\n"
                                        << Qt::flush;
                }
                if (!readBack) {
                    FinishConnect(kExitOk, {});
                }
            }
        });
    m_p->connectWiring << QObject::connect(&m_p->connection.Controller(),
                                           &CLinkController::ReadBackCompleted,
                                           [this](bool locked) { CheckLock(locked); });
    m_p->connection.StartSearch(plan);
}

void CDeviceSession::CheckLock(bool locked) {
    if (!locked) {
        FinishConnect(kExitOk, {});
    } else if (m_options.password.isEmpty()) {
        FinishConnect(
            kExitLocked,
            QStringLiteral("the unit's panel is locked; give its password with --password"));
    } else if (m_options.password.toStdString() !=
               BytesToString(m_p->model.Image().Password(), kPasswordLength)) {
        FinishConnect(kExitLocked, QStringLiteral("the password is not the unit's panel password"));
    } else {
        FinishConnect(kExitOk, {});
    }
}

int CDeviceSession::Connect(bool readBack) {
    m_bVerbose = true;
    CConnectSearch& search = m_p->connection.Search();
    QTextStream err(stderr);
    // One line whenever what a progress display shows changes: the stage, the port being
    // tried, the progress.
    QString lastLine;
    auto showProgress = [&] {
        const QString port = search.CurrentPort();
        if (port.isEmpty() && m_p->connection.State().searchStage == SearchStage::Serial) {
            return;  // between the last port and the next stage
        }
        const QString line = QStringLiteral("%1%2 (%3/%4)")
                                 .arg(search.StageName(), port.isEmpty() ? port : " " + port)
                                 .arg(search.Progress())
                                 .arg(kSearchProgressMax);
        if (line != lastLine && !search.Status().isEmpty()) {
            err << line << "\n" << Qt::flush;
            lastLine = line;
        }
    };
    const auto status = QObject::connect(&search, &CConnectSearch::StatusChanged, showProgress);
    const auto progress = QObject::connect(&search, &CConnectSearch::ProgressChanged, showProgress);
    std::optional<std::pair<int, QString>> result;
    BeginConnect(readBack,
                 [&result](int code, const QString& failure) { result.emplace(code, failure); });
    QEventLoop loop;
    while (!result) {
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    QObject::disconnect(status);
    QObject::disconnect(progress);
    return result->first == kExitOk ? kExitOk : Fail(result->first, result->second);
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
    const CAudioDataAdapter& adapter = *m_p->connection.ModelAdapter();
    const int scansBefore = adapter.EmptyScans();
    return WaitFor([this, &adapter, scansBefore] {
        return adapter.EmptyScans() > scansBefore && m_p->connection.Command().GetCount() == 0;
    });
}
