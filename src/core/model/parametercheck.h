// A parameter file is checked before it reaches a unit: every field against the range its page
// allows (the value scales and the pages' limits). The unit takes whatever it is sent, so a file
// that was never ours (a slice of a text file has the layout's length too) must not be uploaded
// unchecked.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/model/paramrecord.h"

class CAudioData;

struct RangeIssue {
    std::string record;  // as FileRecordsOf names it
    std::string item;    // empty for a record field; "band K" (from 1), "high-pass", "low-pass"
    std::string field;   // the field's name, as the tools show it
    int value = 0;
    FieldRange allowed{};
};

// Every field of the file's bytes (the layout's length; the caller read them with
// ReadParameterBytes) outside its range, in file order, the values as the file holds them.
std::vector<RangeIssue> CheckParameterBytes(std::span<const std::uint8_t> bytes);
// The same check of the file fields a model holds.
std::vector<RangeIssue> CheckFileFields(CAudioData& model);
// Brings every file field of the model into its range (the nearest end), recomputing what
// depends on it; a check of the model afterwards finds nothing.
void ClampToAllowedRanges(CAudioData& model);

// "music: m_nKeyShift = 28499 (allowed 0 to 14)", "mainOut0 band 2: m_nGain = 300 (...)".
std::string DescribeIssue(const RangeIssue& issue);
