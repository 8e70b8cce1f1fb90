// What a parameter upload would change: every field of the parameter file's records (record
// fields and the integer fields of band records) whose value differs between two models.
// Nothing is sent or changed.
#pragma once

#include <string>
#include <vector>

class CAudioData;

struct FieldDifference {
    std::string record;  // as FileRecordsOf names it
    std::string item;    // empty for a record field; "band K", "high-pass", "low-pass"
    std::string field;
    int before = 0;  // the value in `from`
    int after = 0;   // the value in `to`
};

// The differences in file order.
std::vector<FieldDifference> DiffModels(CAudioData& from, CAudioData& to);

// "music: m_nKeyShift 7 -> 9", "mainOut0 band 2: m_nGain 120 -> 130".
std::string DescribeDifference(const FieldDifference& difference);
