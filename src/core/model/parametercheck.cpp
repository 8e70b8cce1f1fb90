#include "core/model/parametercheck.h"

#include <algorithm>

#include "core/model/archive.h"
#include "core/model/audiodata.h"
#include "core/model/bandfields.h"
#include "core/model/filerecords.h"

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
            VisitBandFields(r.eq->GetAt(k), [&](const char* name, auto& v, FieldRange range) {
                if (!range.Contains(v)) {
                    issues.push_back(
                        {r.name, BandItemName(*r.eq, k), name, static_cast<int>(v), range});
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
            VisitBandFields(f, [](const char*, auto& v, FieldRange range) {
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
