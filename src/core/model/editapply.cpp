#include "core/model/editapply.h"

#include <functional>

#include "core/model/audiodata.h"

namespace {
using Setter = std::function<void(std::int16_t)>;

// The setter of a channel word or PC-side word of an equalised record: a field, a band word or
// a crossover.
Setter EqSetter(CEqRecord& record, const EditCell& cell) {
    if (cell.space == CellSpace::Word) {
        const int field = record.FieldAtWord(cell.word);
        if (field >= 0) {
            return [&record, field](std::int16_t v) { record.Set(field, v); };
        }
    }
    CEQ& eq = record.GetEQ();
    for (int k = 0; k < eq.GetBandCount() && cell.space == CellSpace::Word; ++k) {
        CFilter& band = eq.GetAt(k);
        const int w = cell.word - band.BandWordBase();
        using Set = void (CFilter::*)(std::int16_t);
        constexpr Set kSetters[kBandWordCount] = {&CFilter::SetGain, &CFilter::SetQ,
                                                  &CFilter::SetSlope, &CFilter::SetType,
                                                  &CFilter::SetFreq};
        if (w >= 0 && w < kBandWordCount) {
            return [&band, set = kSetters[w]](std::int16_t v) { (band.*set)(v); };
        }
    }
    for (CFilter* xover : {eq.GetHighPass(), eq.GetLowPass()}) {
        if (xover == nullptr || xover->XoverFreqWord() < 0) {
            continue;
        }
        if (cell.space == CellSpace::Word && cell.word == xover->XoverFreqWord()) {
            return [xover](std::int16_t v) { xover->SetXoverFreq(v); };
        }
        if (cell.space == CellSpace::PcWord && cell.word == xover->XoverStepSlot()) {
            return [xover](std::int16_t v) { xover->SetXoverStepCode(v); };
        }
        if (cell.space == CellSpace::PcWord && cell.word == xover->XoverQSlot()) {
            return [xover](std::int16_t v) { xover->SetXoverQ(v); };
        }
    }
    return {};
}

Setter RecordSetter(CParamRecord& record, const EditCell& cell) {
    const int field = record.FieldAtWord(cell.word);
    EditCell own;
    if (field < 0 || !record.CellOf(field, own) || !(own == cell)) {
        return {};
    }
    return [&record, field](std::int16_t v) { record.Set(field, v); };
}

Setter FindSetter(CAudioData& model, const EditCell& cell) {
    if (cell.space == CellSpace::System) {
        return RecordSetter(model.System(), cell);
    }
    if (CEqRecord* record = model.EqRecordOfChannel(cell.channel)) {
        return EqSetter(*record, cell);
    }
    if (cell.space != CellSpace::Word) {
        return {};
    }
    if (cell.channel == kChToneLimits) {
        return RecordSetter(model.ToneLimits(), cell);
    }
    if (cell.channel == kChVolume) {
        return RecordSetter(model.Volume(), cell);
    }
    return {};
}
}  // namespace

bool ApplyEditCell(CAudioData& model, const EditCell& cell, std::int16_t v) {
    const Setter set = FindSetter(model, cell);
    if (!set) {
        return false;
    }
    set(v);
    return true;
}

bool IsEditCell(CAudioData& model, const EditCell& cell) {
    return static_cast<bool>(FindSetter(model, cell));
}

std::int16_t CellValue(const DeviceImage& image, const EditCell& cell) {
    switch (cell.space) {
        case CellSpace::Word:
            return image.Word(cell.channel, cell.word);
        case CellSpace::PcWord:
            return image.PcWord(cell.channel, cell.word);
        case CellSpace::System:
            return image.SystemWord(cell.word);
    }
    return 0;
}

std::vector<EditChange> DiffImages(CAudioData& model, const DeviceImage& from,
                                   const DeviceImage& to) {
    std::vector<EditChange> changes;
    const auto consider = [&](const EditCell& cell) {
        const std::int16_t a = CellValue(from, cell);
        const std::int16_t b = CellValue(to, cell);
        if (a != b && IsEditCell(model, cell)) {
            changes.push_back({cell, a, b});
        }
    };
    for (int ch = 0; ch < kBlockChannels; ++ch) {
        for (int w = 0; w < kChannelWords[static_cast<std::size_t>(ch)]; ++w) {
            consider({CellSpace::Word, ch, w});
        }
    }
    for (int ch = 0; ch < kBlockChannels; ++ch) {
        for (int slot = 0; slot < kPcWordCount; ++slot) {
            consider({CellSpace::PcWord, ch, slot});
        }
    }
    for (int w = 0; w < kSystemBlockWords; ++w) {
        consider({CellSpace::System, 0, w});
    }
    return changes;
}

void ApplyChanges(CAudioData& model, const std::vector<EditChange>& changes, bool undo) {
    if (undo) {
        for (auto it = changes.rbegin(); it != changes.rend(); ++it) {
            ApplyEditCell(model, it->cell, it->oldValue);
        }
        return;
    }
    for (const EditChange& change : changes) {
        ApplyEditCell(model, change.cell, change.newValue);
    }
}
