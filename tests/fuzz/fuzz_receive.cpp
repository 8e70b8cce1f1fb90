// Fuzz target: arbitrary bytes and reports into the command engine's three receive paths, with
// the queue, the link state and the ticks driven into arbitrary states by the same input, and
// the simulated unit's parser fed alongside. The input is a little program: each step starts
// with an operation byte, followed by its operands.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "core/model/audiodata.h"
#include "core/protocol/audiodataadapter.h"
#include "core/protocol/catalogue.h"
#include "core/protocol/command.h"
#include "core/protocol/readback.h"
#include "simunit.h"
#include "tests/support/enginefakes.h"

namespace {
class CInput {
public:
    CInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_at >= m_size; }
    std::uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    std::span<const std::uint8_t> Take(std::size_t n) {
        n = std::min(n, m_size - std::min(m_at, m_size));
        const auto piece = std::span(m_data + m_at, n);
        m_at += n;
        return piece;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

class CDisconnectingSink : public CRecordingSink {
public:
    void DisconnectLink(LinkKind kind) override {
        CRecordingSink::DisconnectLink(kind);
        m_pEngine->ClearQueue();
    }
    CCommand* m_pEngine = nullptr;
};

// Building a model computes every band's response, which costs far more than one input's
// work, so one model serves every input. Each input starts from the same state: the image the
// model was built with, every record loaded from it and no changed flag. Records are loaded
// again only when the input applied a read-back; a key shift is set back by its setter.
class CSharedModel {
public:
    enum class Touched { None, KeyShift, All };

    CSharedModel() : m_pristine(m_model.Image()), m_nPristineKey(m_model.Music().GetKeyShift()) {
        m_touched = Touched::All;
        Restore();
    }
    CAudioData& Model() { return m_model; }
    void Touch(Touched touched) { m_touched = std::max(m_touched, touched); }
    void Restore() {
        m_model.Image() = m_pristine;
        if (m_touched == Touched::All) {
            m_model.LoadAllFromImage(m_pristine);
        } else if (m_touched == Touched::KeyShift) {
            m_model.Music().SetKeyShift(m_nPristineKey);
        }
        m_model.SetAllChanged(0);
        m_touched = Touched::None;
    }

private:
    CAudioData m_model;
    const DeviceImage m_pristine;
    const std::int16_t m_nPristineKey;
    Touched m_touched = Touched::None;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CSharedModel shared;
    shared.Restore();
    CAudioData& model = shared.Model();
    CInput in(data, size);
    CLinkState state;
    CAudioDataAdapter port(model, state);
    CDisconnectingSink sink;
    CFakeSerialPort serial;
    CFakeUsbLink usb;
    CFakeNetworkLink network;
    CCommand engine(state, sink, port, serial);
    sink.m_pEngine = &engine;
    engine.SetUsbLink(&usb);
    engine.SetNetworkLink(&network);
    CSimUnit sim;

    while (!in.Empty()) {
        switch (in.Byte() % 10) {
            case 0: {
                // Serial bytes: a 16-bit length (at most a little over the longest reply), so
                // that a whole data reply or several grouped replies arrive in one read.
                const std::size_t length = in.Byte() | (in.Byte() << 8);
                engine.OnReceived(LinkKind::Serial, in.Take(length % 600));
                break;
            }
            case 1: {
                engine.OnReceived(LinkKind::Network, in.Take(in.Byte() * 4u));
                break;
            }
            case 2: {
                engine.OnReceived(LinkKind::Usb, in.Take(kUsbFrameBytes));
                break;
            }
            case 3: {
                const auto kind = static_cast<LinkKind>(in.Byte() % kLinkKinds);
                for (int n = in.Byte(); n >= 0; --n) {
                    engine.LinkTick(kind);
                }
                break;
            }
            case 4: {
                const auto bytes = in.Take(in.Byte() % 80);
                engine.Enqueue(std::make_unique<CSendData>(Bytes(bytes.begin(), bytes.end())));
                break;
            }
            case 5:
                ReadAllSequence(engine, in.Byte() % 2 == 0, in.Byte() % 8);
                break;
            case 6:
                if (engine.GetCount() > 0) {
                    engine.PopHead();
                } else {
                    engine.ClearQueue();
                }
                break;
            case 7:
                state.unitAcked = in.Byte() % 2;
                state.searchStage = static_cast<SearchStage>(in.Byte() % 3);
                state.uploadConfirm = in.Byte() % 2;
                break;
            case 8: {
                const auto bytes = in.Take(in.Byte());
                sim.OnStreamBytes(bytes);
                sim.OnUsbReport(bytes);
                break;
            }
            default:
                // A read-back reloads every record: one in eight of these steps applies one.
                if (in.Byte() % 8 == 0) {
                    shared.Touch(CSharedModel::Touched::All);
                    ApplyReadBack(model);
                }
                shared.Touch(CSharedModel::Touched::KeyShift);
                model.Music().SetKeyShift(static_cast<std::int16_t>(in.Byte()));
                break;
        }
        if (engine.RxCount() < 0 || engine.RxCount() > kRxBufferSize) {
            __builtin_trap();
        }
    }
    return 0;
}
