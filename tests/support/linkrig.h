// A unit connection on stand-ins for the model (USB on a fake backend), plus a scripted unit
// served over TCP, a pty and USB.
#pragma once

#include <QSocketNotifier>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <optional>

#include "core/protocol/command.h"
#include "link/clientsocket.h"
#include "link/connectsearch.h"
#include "link/hiddevice.h"
#include "link/linkcontroller.h"
#include "link/serialport.h"
#include "link/unitconnection.h"
#include "tests/support/fakeconnectionmodel.h"
#include "tests/support/fakehidbackend.h"
#include "tests/support/pty.h"
#include "tests/support/scriptedunit.h"

struct LinkRig {
    ScriptedUnit unit;
    CFakeCommandModel commandModel;
    CFakeConnectionModel model{commandModel};
    CFakeHidBackend::Shared hid;
    CUnitConnection connection{commandModel, model, std::make_unique<CFakeHidBackend>(hid)};
    CLinkState& state = connection.State();
    CSerialPort& serialPort = connection.SerialPort();
    CClientSocket& socket = connection.Socket();
    CHidDevice& hidDevice = connection.HidDevice();
    CLinkController& controller = connection.Controller();
    CCommand& command = connection.Command();
    CConnectSearch& search = connection.Search();
    std::optional<SearchResult> result;
    QStringList statuses;
    int maxProgress = 0;
    std::vector<bool> readBacks;
    std::vector<LinkKind> linksLost;

    // The unit on TCP.
    QTcpServer server;
    // The unit on a pty.
    CPty pty;
    QSocketNotifier ptyNotifier{pty.MasterFd(), QSocketNotifier::Read};

    LinkRig() {
        QObject::connect(&search, &CConnectSearch::Finished,
                         [this](SearchResult r) { result = r; });
        QObject::connect(&search, &CConnectSearch::StatusChanged,
                         [this](const QString& text) { statuses << text; });
        QObject::connect(&search, &CConnectSearch::ProgressChanged,
                         [this](int p) { maxProgress = std::max(maxProgress, p); });
        QObject::connect(&controller, &CLinkController::ReadBackCompleted,
                         [this](bool locked) { readBacks.push_back(locked); });
        QObject::connect(&controller, &CLinkController::LinkLost,
                         [this](LinkKind kind) { linksLost.push_back(kind); });

        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            QTcpSocket* peer = server.nextPendingConnection();
            QObject::connect(peer, &QTcpSocket::readyRead, peer, [this, peer] {
                const QByteArray in = peer->readAll();
                const auto out = unit.Answer({reinterpret_cast<const std::uint8_t*>(in.constData()),
                                              static_cast<std::size_t>(in.size())});
                peer->write(reinterpret_cast<const char*>(out.data()),
                            static_cast<qint64>(out.size()));
            });
        });
        QObject::connect(&ptyNotifier, &QSocketNotifier::activated, [this] {
            const QByteArray in = pty.ReadAvailable();
            ptyBytes += in.size();
            const auto out = unit.Answer({reinterpret_cast<const std::uint8_t*>(in.constData()),
                                          static_cast<std::size_t>(in.size())});
            pty.WriteToPort(QByteArray(reinterpret_cast<const char*>(out.data()),
                                       static_cast<qsizetype>(out.size())));
        });
        hid.respond = [this](std::span<const std::uint8_t> report) {
            std::vector<std::vector<std::uint8_t>> answers;
            const auto out = unit.Answer(report.first(9));
            if (!out.empty()) {
                answers.push_back(out);
            }
            return answers;
        };
    }

    SearchPlan NetworkOnly() const {
        SearchPlan plan;
        plan.bUsb = plan.bSerial = false;
        plan.address = "127.0.0.1";
        plan.tcpPort = server.serverPort();
        return plan;
    }
    SearchPlan SerialOnly(const QStringList& ports) const {
        SearchPlan plan;
        plan.bUsb = plan.bNetwork = false;
        plan.portNames = ports;
        return plan;
    }
    SearchPlan UsbOnly() const {
        SearchPlan plan;
        plan.bSerial = plan.bNetwork = false;
        return plan;
    }

    int ptyBytes = 0;
};
