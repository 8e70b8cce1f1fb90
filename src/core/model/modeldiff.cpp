#include "core/model/modeldiff.h"

#include <cstddef>
#include <utility>

#include "core/model/audiodata.h"
#include "core/model/bandfields.h"
#include "core/model/filerecords.h"

namespace {
std::vector<std::pair<const char*, int>> BandValues(CFilter& f) {
    std::vector<std::pair<const char*, int>> values;
    VisitBandFields(f, [&values](const char* name, auto& v, FieldRange) {
        values.emplace_back(name, static_cast<int>(v));
    });
    return values;
}

void DiffBands(const FileRecord& a, const FileRecord& b, std::vector<FieldDifference>& out) {
    if (a.eq == nullptr || b.eq == nullptr) {
        return;
    }
    const int count = std::min(a.eq->GetCount(), b.eq->GetCount());
    for (int k = 0; k < count; ++k) {
        const auto before = BandValues(a.eq->GetAt(k));
        const auto after = BandValues(b.eq->GetAt(k));
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (before[i].second != after[i].second) {
                out.push_back({a.name, BandItemName(*a.eq, k), before[i].first, before[i].second,
                               after[i].second});
            }
        }
    }
}
}  // namespace

std::vector<FieldDifference> DiffModels(CAudioData& from, CAudioData& to) {
    std::vector<FieldDifference> differences;
    const std::vector<FileRecord> a = FileRecordsOf(from);
    const std::vector<FileRecord> b = FileRecordsOf(to);
    for (std::size_t r = 0; r < a.size() && r < b.size(); ++r) {
        const auto fields = a[r].record->Fields();
        for (int i = 0; i < a[r].record->FieldCount(); ++i) {
            const FieldDef& def = fields[static_cast<std::size_t>(i)];
            const int before = a[r].record->Get(i);
            const int after = b[r].record->Get(i);
            if (def.inFile && before != after) {
                differences.push_back({a[r].name, {}, def.name, before, after});
            }
        }
        DiffBands(a[r], b[r], differences);
    }
    return differences;
}

std::string DescribeDifference(const FieldDifference& difference) {
    std::string text = difference.record;
    if (!difference.item.empty()) {
        text += " " + difference.item;
    }
    return text + ": " + difference.field + " " + std::to_string(difference.before) + " -> " +
           std::to_string(difference.after);
}
