// Cutting a one-line caption that does not fit: whole words are kept and "..." appended.
#pragma once

#include <functional>
#include <string>
#include <string_view>

using TextWidthFn = std::function<int(std::u32string_view)>;

// text itself when it fits into nMaxWidth; otherwise the longest run of whole words followed by
// "..." that fits; when not even the first word fits, as many of its characters as fit, then
// "...". Text without spaces (Chinese captions) is therefore cut between characters.
std::u32string ElideCaptionAtWord(std::u32string_view text, int nMaxWidth,
                                  const TextWidthFn& measure);
