// Fuzz target: arbitrary bytes and reports into the command engine's three receive paths, with
// the queue, the link state and the ticks driven into arbitrary states by the same input, and
// the simulated unit's parser fed alongside. The input is a little program: each step starts
// with an operation byte, followed by its operands.
#include <cstddef>
#include <cstdint>

#include "core/protocol/audiodataadapter.h"
#include "enginesteps.h"
#include "tests/support/enginefakes.h"

namespace {
class CDisconnectingSink : public CRecordingSink {
public:
    void DisconnectLink(LinkKind kind) override {
        CRecordingSink::DisconnectLink(kind);
        m_pEngine->ClearQueue();
    }
    CCommand* m_pEngine = nullptr;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CSharedModel shared;
    // Building a simulated unit computes a whole model: each input takes a copy.
    static const CSimUnit simAtStart;
    shared.Restore();
    CInput in(data, size);
    CLinkState state;
    CAudioDataAdapter port(shared.Model(), state);
    CDisconnectingSink sink;
    CFakeSerialPort serial;
    CFakeUsbLink usb;
    CFakeNetworkLink network;
    CCommand engine(state, sink, port, serial);
    sink.m_pEngine = &engine;
    engine.SetUsbLink(&usb);
    engine.SetNetworkLink(&network);
    CSimUnit sim = simAtStart;

    while (!in.Empty()) {
        EngineStep(in.Byte() % kEngineSteps, in, engine, state, sim, shared);
        CheckEngine(engine);
    }
    return 0;
}
