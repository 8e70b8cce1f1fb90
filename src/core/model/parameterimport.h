// Bringing a parameter file into a model before it is uploaded, the same way for the editor and
// for `sonvela-cli restore`: the file is read and checked first (a file that cannot be read or
// is short changes nothing), and values outside the ranges the pages allow are only ever
// loaded clamped to those ranges.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/model/parametercheck.h"
#include "core/model/pmxfile.h"

class CAudioData;

struct CheckedParameterFile {
    PmxResult read;                   // ok when the file was read whole
    std::vector<std::uint8_t> bytes;  // the file's bytes when read
    std::vector<RangeIssue> issues;   // the fields outside their ranges, in file order
};

CheckedParameterFile ReadCheckedParameterFile(const std::string& path);
// Loads a file that was read into the model, every value brought into its range; false (the
// model unchanged) for a file that was not read.
bool LoadCheckedParameterFile(CAudioData& model, const CheckedParameterFile& file);
// The same for the bytes of a file that was read; false (the model unchanged) for fewer bytes
// than the layout.
bool LoadClampedParameterBytes(CAudioData& model, std::span<const std::uint8_t> bytes);
