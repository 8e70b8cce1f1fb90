#include "core/viewmath/inputcharrule.h"

#include <algorithm>

bool IsAllowedInputChar(char32_t c, bool bDigitsOnly) {
    if (bDigitsOnly) {
        return c >= U'0' && c <= U'9';
    }
    return c >= 32 && c <= 122 && c != U'\'' && c != U'\\';
}

bool IsAllowedInputText(std::u32string_view text, bool bDigitsOnly) {
    return std::all_of(text.begin(), text.end(),
                       [bDigitsOnly](char32_t c) { return IsAllowedInputChar(c, bDigitsOnly); });
}
