// Fuzz target: arbitrary bytes as a parameter file. Whatever the file holds, loading never
// crashes, every response of every channel is finite afterwards, and the model saved and
// loaded once more gives the same file (so what is shown is what a save writes). The range
// check runs on the same bytes, and after clamping the model passes it. An input shorter than
// the file's layout is padded with zeros, so that every input loads.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/model/archive.h"
#include "core/model/audiodata.h"
#include "core/model/parametercheck.h"
#include "core/model/pmxfile.h"

namespace {
bool EveryResponseFinite(CAudioData& model) {
    for (int ch = kChMusic; ch <= kChSub + 1; ++ch) {
        CEQ& eq = model.EqRecordOfChannel(ch)->GetEQ();
        for (int k = 0; k < eq.GetCount(); ++k) {
            for (double v : eq.GetAt(k).Response()) {
                if (!std::isfinite(v)) {
                    return false;
                }
            }
        }
        for (double v : eq.SumResponse()) {
            if (!std::isfinite(v)) {
                return false;
            }
        }
    }
    return true;
}

std::vector<std::uint8_t> Saved(CAudioData& model) {
    CArchive ar;
    model.Serialize(ar);
    return ar.Bytes();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    if (bytes.size() < CAudioData::SerializedSize()) {
        bytes.resize(CAudioData::SerializedSize(), 0);
    }
    CAudioData model;
    if (!LoadParameterBytes(model, bytes) || !EveryResponseFinite(model)) {
        __builtin_trap();
    }
    const std::vector<std::uint8_t> first = Saved(model);
    CAudioData again;
    if (!LoadParameterBytes(again, first) || Saved(again) != first) {
        __builtin_trap();
    }
    const bool clean = CheckParameterBytes(bytes).empty();
    ClampToAllowedRanges(model);
    if (!CheckFileFields(model).empty() || !EveryResponseFinite(model) ||
        (clean && Saved(model) != first)) {
        __builtin_trap();
    }
    return 0;
}
