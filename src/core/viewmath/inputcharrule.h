// Characters a limit-input edit box accepts. The rule covers everything that enters the box,
// typed or pasted.
#pragma once

#include <string_view>

// Default set: the codes 32 ... 122 except the apostrophe and the backslash (no braces, bar,
// tilde, control characters or anything beyond ASCII). Digits-only set: '0' ... '9'.
bool IsAllowedInputChar(char32_t c, bool bDigitsOnly);
// True when every character of a UTF-32 text is allowed.
bool IsAllowedInputText(std::u32string_view text, bool bDigitsOnly);
