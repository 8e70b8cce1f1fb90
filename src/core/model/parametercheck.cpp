#include "core/model/parametercheck.h"

#include <algorithm>

#include "core/model/archive.h"
#include "core/model/audiodata.h"
#include "core/model/fieldranges.h"
#include "core/model/filerecords.h"

namespace {
constexpr FieldRange kOnOff = {0, 1};
constexpr FieldRange kFreqIndex = {0, kFreqMaxIndex};

// The crossover sliders' ranges on their pages.
FieldRange XoverFreqRange(const CFilter& f) {
    return f.IsCrossover() ? CrossoverFreqRange(f.m_nOwnerKind, f.IsHighPass()) : kFreqIndex;
}

FieldRange TypeRange(const CFilter& f) {
    if (f.IsHighPass()) {
        return {kTypeHighPass, kTypeHighPass};
    }
    if (f.IsLowPass()) {
        return {kTypeLowPass, kTypeLowPass};
    }
    return BandFieldRange(f, EBandField::Type);
}

// Calls fn(name, member, range) for every integer field of a 68-byte record. The doubles are
// derived from these and recomputed on loading, so they are not checked.
template <class Fn>
void VisitRecordFields(CFilter& f, Fn&& fn) {
    const std::int16_t role = f.IsCrossover() ? 0 : 1;
    fn("m_bEqBand", f.m_bEqBand, FieldRange{role, role});
    fn("m_nType", f.m_nType, TypeRange(f));
    fn("m_nFreq", f.m_nFreq, BandFieldRange(f, EBandField::Freq));
    fn("m_nGain", f.m_nGain, BandFieldRange(f, EBandField::Gain));
    fn("m_nQ", f.m_nQ, FieldRange{0, kQCount - 1});
    fn("m_nSlope", f.m_nSlope, FieldRange{0, kSlopeCount - 1});
    fn("m_nSlopeCode", f.m_nSlopeCode, FieldRange{0, 12});
    fn("m_nXoverFreq", f.m_nXoverFreq, XoverFreqRange(f));
    fn("m_nXoverFamilyCode", f.m_nXoverFamilyCode, FieldRange{0, 2});
    fn("m_nXoverStepCode", f.m_nXoverStepCode, FieldRange{0, 4});
    fn("m_nXoverQ", f.m_nXoverQ, FieldRange{0, kXoverQCount - 1});
    fn("m_nFamily", f.m_nFamily, FieldRange{0, 2});
    fn("m_nSlopeStep", f.m_nSlopeStep, FieldRange{0, 5});
    fn("m_bFlat", f.m_bFlat, kOnOff);
}

std::string ItemName(const CEQ& eq, int k) {
    const CFilter& f = eq.GetAt(k);
    return f.IsHighPass()  ? "high-pass"
           : f.IsLowPass() ? "low-pass"
                           : "band " + std::to_string(k + 1);
}
}  // namespace

std::vector<RangeIssue> CheckFileFields(CAudioData& model) {
    std::vector<RangeIssue> issues;
    for (const FileRecord& r : FileRecordsOf(model)) {
        const auto fields = r.record->Fields();
        for (int i = 0; i < r.record->FieldCount(); ++i) {
            const FieldDef& def = fields[static_cast<std::size_t>(i)];
            if (def.inFile && !def.range.Contains(r.record->Get(i))) {
                issues.push_back({r.name, {}, def.name, r.record->Get(i), def.range});
            }
        }
        for (int k = 0; r.eq != nullptr && k < r.eq->GetCount(); ++k) {
            VisitRecordFields(r.eq->GetAt(k), [&](const char* name, auto& v, FieldRange range) {
                if (!range.Contains(v)) {
                    issues.push_back(
                        {r.name, ItemName(*r.eq, k), name, static_cast<int>(v), range});
                }
            });
        }
    }
    return issues;
}

std::vector<RangeIssue> CheckParameterBytes(std::span<const std::uint8_t> bytes) {
    CAudioData model;
    CArchive ar(bytes, CArchive::Load::kVerbatim);
    model.Serialize(ar);
    return CheckFileFields(model);
}

void ClampToAllowedRanges(CAudioData& model) {
    for (const FileRecord& r : FileRecordsOf(model)) {
        const auto fields = r.record->Fields();
        for (int i = 0; i < r.record->FieldCount(); ++i) {
            const FieldDef& def = fields[static_cast<std::size_t>(i)];
            const std::int16_t v = r.record->Get(i);
            if (def.inFile && !def.range.Contains(v)) {
                r.record->Set(i, std::clamp(v, def.range.min, def.range.max));
            }
        }
        for (int k = 0; r.eq != nullptr && k < r.eq->GetCount(); ++k) {
            CFilter& f = r.eq->GetAt(k);
            VisitRecordFields(f, [](const char*, auto& v, FieldRange range) {
                using T = std::remove_reference_t<decltype(v)>;
                v = static_cast<T>(std::clamp<int>(v, range.min, range.max));
            });
            f.RecomputeDerived();
            f.UpdateResponse();
        }
        if (r.eq != nullptr) {
            r.eq->SumResponse();
        }
    }
}

std::string DescribeIssue(const RangeIssue& issue) {
    std::string text = issue.record;
    if (!issue.item.empty()) {
        text += " " + issue.item;
    }
    return text + ": " + issue.field + " = " + std::to_string(issue.value) + " (allowed " +
           std::to_string(issue.allowed.min) + " to " + std::to_string(issue.allowed.max) + ")";
}
