// Fuzz target: a connection as the editor wires it (the command engine, the connection search
// and the link controller as the engine's sink, on the model's adapter), with the simulated
// unit behind fake transports that answer not at all, from inside the write, or late in pieces
// the input chooses. The input is a little program: each step starts with an operation byte,
// followed by its operands. Besides the engine steps of the receive target it feeds status
// replies in any grouping and key reports, steps the search (two handshakes a tick on a serial
// port), and connects, recalls, uploads and disconnects.
#include <QCoreApplication>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>

#include "core/common/usernotify.h"
#include "core/protocol/audiodataadapter.h"
#include "enginesteps.h"
#include "link/clientsocket.h"
#include "link/connectsearch.h"
#include "link/hiddevice.h"
#include "link/linkcontroller.h"
#include "tests/support/fakehidbackend.h"
#include "unitbehindlinks.h"

namespace {
// What the controller tells the user ("断开连接") is of no interest here.
class CQuietNotify : public IUserNotify {
public:
    void ShowMessage(const std::string& /*text*/, const std::string& /*caption*/) override {}
};

constexpr std::uint8_t kStatusCodes[] = {0xCC, 0xDD, 0xBB, 0xAA};
constexpr int kConnectIndexes[] = {0, 1, 2, kConnectUsb, kConnectNetwork, -1, 10};

// One to four status replies in one piece; most carry a known code.
Bytes StatusReplies(CInput& in) {
    Bytes bytes;
    for (int n = 1 + in.Byte() % 4; n > 0; --n) {
        const std::uint8_t pick = in.Byte() % 5;
        bytes.push_back(0xEE);
        bytes.push_back(pick < 4 ? kStatusCodes[pick] : in.Byte());
    }
    return bytes;
}

// The unit's report of its music key: a 9-byte reply for channel 13.
Bytes KeyReport(CInput& in) {
    Bytes frame = {0xF5, 0x35, 0x06, 0xB0, 0x0D, 0x00, in.Byte(), in.Byte(), 0x00};
    for (std::size_t i = 0; i + 1 < frame.size(); ++i) {
        frame.back() = static_cast<std::uint8_t>(frame.back() + frame[i]);
    }
    return frame;
}

// A search over up to three serial ports and, when the plan says so, USB; never the network,
// which would reach for a real address.
void StartSearch(CConnectSearch& search, CFakeSerialPort& serial, CInput& in) {
    const std::uint8_t flags = in.Byte();
    SearchPlan plan;
    plan.bUsb = (flags & 1) != 0;
    plan.bNetwork = false;
    for (int i = 0; i < (flags >> 2) % 4; ++i) {
        plan.portNames << QStringLiteral("ttyFUZZ%1").arg(i);
    }
    serial.m_bOpenSucceeds = (flags & 2) == 0;
    search.Start(plan, (flags & 16) != 0);
}

void ControllerStep(CLinkController& controller, CInput& in) {
    switch (in.Byte() % 6) {
        case 0:
            controller.ConnectBy(kConnectIndexes[in.Byte() % std::size(kConnectIndexes)]);
            break;
        case 1:
            controller.LoadMode(in.Byte() % 8);
            break;
        case 2:
            controller.UploadModel();
            break;
        case 3:
            controller.OnCurveDragged();
            break;
        case 4:
            controller.DisconnectCurrent();
            break;
        default:
            controller.OnHidRemoved(QStringLiteral("/dev/hidraw7"));
            break;
    }
}

// Every part of one connection, built for each input on the shared model. No HID device is
// attached, so no reader thread runs.
struct CFuzzConnection {
    CFuzzConnection(CSharedModel& shared, const CSimUnit& unitAtStart)
        : adapter(shared.Model(), state),
          connectionModel(adapter, shared),
          unit(unitAtStart),
          controller(state, connectionModel, socket, hid),
          engine(state, controller, adapter, unit.SerialPort()),
          search(state, engine, socket, [this](int index) {
              controller.SetPortNames(search.PortNames());
              controller.ConnectBy(index);
          }) {
        hidShared.deviceAttached = false;
        unit.Attach(engine);
        controller.SetCommand(&engine);
    }

    CLinkState state;
    CAudioDataAdapter adapter;
    CTouchingConnectionModel connectionModel;
    CUnitBehindLinks unit;
    CClientSocket socket;
    CFakeHidBackend::Shared hidShared;
    CHidDevice hid{std::make_unique<CFakeHidBackend>(hidShared)};
    CLinkController controller;
    CCommand engine;
    CConnectSearch search;
};

void ConnectionStep(int step, CInput& in, CFuzzConnection& c) {
    switch (step) {
        case 0: {
            const auto link = static_cast<LinkKind>(in.Byte() % kLinkKinds);
            c.unit.SetMode(link, static_cast<AnswerMode>(in.Byte() % 3));
            break;
        }
        case 1:
            c.unit.DeliverHeld(static_cast<LinkKind>(in.Byte() % kLinkKinds), in);
            break;
        case 2: {
            const auto link = static_cast<LinkKind>(in.Byte() % kLinkKinds);
            const Bytes bytes = in.Byte() % 2 == 0 ? StatusReplies(in) : KeyReport(in);
            c.engine.OnReceived(link, bytes);
            break;
        }
        case 3:
            StartSearch(c.search, c.unit.SerialPort(), in);
            break;
        case 4:
            for (int n = in.Byte() % 16; n >= 0; --n) {
                c.search.Tick();
            }
            break;
        case 5:
            ControllerStep(c.controller, in);
            break;
        case 6:
            // Key reports reach the controller as queued calls.
            QCoreApplication::sendPostedEvents();
            break;
        default:
            // The port goes away under the link, or comes back.
            c.unit.SerialPort().m_bOpen = false;
            c.unit.SerialPort().m_bOpenSucceeds = in.Byte() % 2 == 0;
            break;
    }
}
constexpr int kConnectionSteps = 8;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    static CQuietNotify quiet;
    SetUserNotify(&quiet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CSharedModel shared;
    // Building a simulated unit computes a whole model: each input takes a copy.
    static const CSimUnit unitAtStart;
    shared.Restore();
    CInput in(data, size);
    CFuzzConnection c(shared, unitAtStart);

    while (!in.Empty()) {
        const int step = in.Byte() % (kEngineSteps + kConnectionSteps);
        if (step < kEngineSteps) {
            EngineStep(step, in, c.engine, c.state, c.unit.Sim(), shared);
        } else {
            ConnectionStep(step - kEngineSteps, in, c);
        }
        CheckEngine(c.engine);
        if (c.search.Progress() < 0 || c.search.Progress() > kSearchProgressMax) {
            __builtin_trap();
        }
    }
    // Key reports still queued are delivered while their controller exists.
    QCoreApplication::sendPostedEvents();
    return 0;
}
