// The built-in texts of both languages, one entry per filled slot.
#pragma once

#include <vector>

struct LabelEntry {
    int group;
    int slot;
    const char* english;
    const char* chinese;
};

const std::vector<LabelEntry>& LabelEntries();
