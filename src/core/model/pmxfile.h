// Parameter files (.pmx): the model's serialized form on disk.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CAudioData;

inline constexpr const char* kParameterFileExtension = ".pmx";

struct PmxResult {
    bool ok = false;
    std::string error;  // why it failed, with the path; empty on success
};

// Writes the whole file to a temporary file in the target's folder, flushes it, renames it over
// the target and flushes the folder, so that after a crash either the old or the new file is
// there. A file that is replaced keeps its mode; a new one gets the mode the umask allows. A
// path that is a symbolic link writes the file the link points to and keeps the link.
PmxResult SaveParameterFile(CAudioData& data, const std::string& path);
// The same in two halves: the file's bytes of the model, taken where the model lives, and their
// atomic save, which may run on another thread.
std::vector<std::uint8_t> ParameterBytes(CAudioData& data);
PmxResult SaveParameterBytes(const std::vector<std::uint8_t>& bytes, const std::string& path);
// Whether SaveParameterFile could write `path`: its folder takes a new file and `path` is not
// a folder. Creates and removes a probe file; nothing else changes.
PmxResult CheckParameterFileWritable(const std::string& path);

// Reads at most one byte more than the layout from `path`, whatever it is (a device such as
// /dev/zero, a pipe, a huge file). A file shorter than the layout fails.
PmxResult ReadParameterBytes(const std::string& path, std::vector<std::uint8_t>& bytes);
// Loads the layout's bytes into the model; bytes beyond the layout are ignored. Fewer bytes
// than the layout change nothing (false). Sets no changed flag and leaves the image alone.
bool LoadParameterBytes(CAudioData& data, std::span<const std::uint8_t> bytes);
// ReadParameterBytes then LoadParameterBytes; a failed read changes nothing.
PmxResult LoadParameterFile(CAudioData& data, const std::string& path);
