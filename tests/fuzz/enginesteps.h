// The steps both fuzz targets take on the command engine: bytes and reports into its three
// receive paths, link ticks, frames queued and dropped, the link state set, the simulated
// unit's parser fed, read-backs applied and key shifts set on the model.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/protocol/catalogue.h"
#include "core/protocol/command.h"
#include "core/protocol/readback.h"
#include "fuzzinput.h"
#include "sharedmodel.h"
#include "simunit.h"
#include "tests/support/hex.h"

inline constexpr int kEngineSteps = 10;

// Runs engine step `step` (0..kEngineSteps-1) with its operands from the input.
inline void EngineStep(int step, CInput& in, CCommand& engine, CLinkState& state, CSimUnit& sim,
                       CSharedModel& shared) {
    switch (step) {
        case 0: {
            // Serial bytes: a 16-bit length (at most a little over the longest reply), so
            // that a whole data reply or several grouped replies arrive in one read.
            const std::size_t length = in.Byte() | (in.Byte() << 8);
            engine.OnReceived(LinkKind::Serial, in.Take(length % 600));
            break;
        }
        case 1:
            engine.OnReceived(LinkKind::Network, in.Take(in.Byte() * 4u));
            break;
        case 2:
            engine.OnReceived(LinkKind::Usb, in.Take(kUsbFrameBytes));
            break;
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
            // A read-back reloads every record, the costliest work of the model: one in 32 of
            // these steps applies one.
            if (in.Byte() % 32 == 0) {
                shared.Touch(CSharedModel::Touched::All);
                ApplyReadBack(shared.Model());
            }
            shared.Touch(CSharedModel::Touched::KeyShift);
            shared.Model().Music().SetKeyShift(static_cast<std::int16_t>(in.Byte()));
            break;
    }
}

// What must hold after every step.
inline void CheckEngine(const CCommand& engine) {
    if (engine.RxCount() < 0 || engine.RxCount() > kRxBufferSize) {
        __builtin_trap();
    }
}
