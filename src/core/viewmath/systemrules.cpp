#include "core/viewmath/systemrules.h"

#include <algorithm>
#include <cctype>

SToneRow ApplyToneLimit(SToneRow row, int column, int value) {
    switch (column) {
        case kToneColumnMaxGain:
            row.maxGain = value;
            row.current = std::min(row.current, value);
            break;
        case kToneColumnCurrent:
            row.current = value > row.maxGain ? row.maxGain : std::max(value, row.maxCut);
            break;
        case kToneColumnMaxCut:
            row.maxCut = value;
            row.current = std::max(row.current, value);
            break;
        default:
            break;
    }
    return row;
}

EIpEntry CheckIpAddressText(std::string_view text) {
    if (std::all_of(text.begin(), text.end(), [](char c) { return c == '.' || c == ' '; })) {
        return EIpEntry::Blank;
    }
    int fields = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t dot = std::min(text.find('.', start), text.size());
        const std::string_view field = text.substr(start, dot - start);
        if (field.empty() || field.size() > 3 ||
            !std::all_of(field.begin(), field.end(),
                         [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }) ||
            std::stoi(std::string(field)) > 255) {
            return EIpEntry::Incomplete;
        }
        ++fields;
        start = dot + 1;
    }
    return fields == 4 ? EIpEntry::Complete : EIpEntry::Incomplete;
}
