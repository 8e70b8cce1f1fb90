// Parameter files (.pmx): the model's serialized form on disk.
#pragma once

#include <string>

class CAudioData;

inline constexpr const char* kParameterFileExtension = ".pmx";

struct PmxResult {
    bool ok = false;
    std::string error;  // why it failed, with the path; empty on success
};

// Writes the whole file to a temporary file in the same folder and renames it over `path` only
// after a complete, flushed write; on failure the previous file is left as it was.
PmxResult SaveParameterFile(CAudioData& data, const std::string& path);
// Reads the whole file first; a file shorter than the layout (or unreadable) changes nothing.
// Bytes beyond the layout are ignored. Loading sets no changed flag and leaves the image alone.
PmxResult LoadParameterFile(CAudioData& data, const std::string& path);
