#include "core/viewmath/captionelide.h"

namespace {
constexpr std::u32string_view kEllipsis = U"...";

std::u32string WithEllipsis(std::u32string_view head) {
    std::u32string out(head);
    out += kEllipsis;
    return out;
}
}  // namespace

std::u32string ElideCaptionAtWord(std::u32string_view text, int nMaxWidth,
                                  const TextWidthFn& measure) {
    if (measure(text) <= nMaxWidth) {
        return std::u32string(text);
    }
    // Whole words: cut before each space, longest first.
    for (auto cut = text.rfind(U' '); cut != std::u32string_view::npos && cut > 0;
         cut = text.rfind(U' ', cut - 1)) {
        std::u32string_view head = text.substr(0, cut);
        const auto end = head.find_last_not_of(U' ');
        if (end == std::u32string_view::npos) {
            break;
        }
        head = head.substr(0, end + 1);
        const std::u32string candidate = WithEllipsis(head);
        if (measure(candidate) <= nMaxWidth) {
            return candidate;
        }
    }
    // Not even one word fits: cut the first word between characters.
    const auto firstEnd = text.find(U' ');
    const std::u32string_view word = text.substr(0, firstEnd);
    for (std::size_t n = word.size(); n-- > 1;) {
        const std::u32string candidate = WithEllipsis(word.substr(0, n));
        if (measure(candidate) <= nMaxWidth) {
            return candidate;
        }
    }
    return std::u32string(kEllipsis);
}
