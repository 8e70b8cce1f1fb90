#include "core/model/filerecords.h"

#include "core/model/audiodata.h"

std::vector<FileRecord> FileRecordsOf(CAudioData& model) {
    static const char* const kEqRecordNames[] = {
        "music", "mic", "effect", "mainOut0", "mainOut1", "center0", "center1", "sub0", "sub1"};
    std::vector<FileRecord> records;
    for (int ch = kChMusic; ch <= kChSub + 1; ++ch) {
        CEqRecord* record = model.EqRecordOfChannel(ch);
        records.push_back({kEqRecordNames[ch], record, &record->GetEQ()});
    }
    records.push_back({"toneLimits", &model.ToneLimits(), nullptr});
    records.push_back({"system", &model.System(), nullptr});
    return records;
}
