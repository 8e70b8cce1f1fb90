// The library of parameter files in one folder: the names it lists and the names a user may
// save under.
#pragma once

#include <string>
#include <vector>

// The list holds at most this many files; further files are not listed.
inline constexpr int kMaxLibraryFiles = 1001;

// The parameter files of `folder` (regular files whose extension is ".pmx" in any letter case),
// names with their extension, sorted by name without regard to letter case, at most
// kMaxLibraryFiles. A missing or unreadable folder lists nothing.
std::vector<std::string> ListParameterFiles(const std::string& folder);

// A file name without its extension: everything up to the last '.'.
std::string FileTitle(const std::string& fileName);

// Whether a typed name may become "<name>.pmx" in the library: not empty, not "." or "..", no
// path separator, none of the characters common file systems refuse (< > : " | ? *), no
// control character, and short enough for a file name.
bool IsAcceptableFileName(const std::string& name);

// The index of the listed file whose name equals `fileName` when letter case is ignored, or -1.
int FindFileIgnoringCase(const std::vector<std::string>& files, const std::string& fileName);
