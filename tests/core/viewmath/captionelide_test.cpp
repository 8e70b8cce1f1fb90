#include "core/viewmath/captionelide.h"

#include <gtest/gtest.h>

namespace {

// Ten pixels per character.
int TenPerChar(std::u32string_view text) {
    return static_cast<int>(text.size()) * 10;
}

TEST(CaptionElide, CutsAtWordsThenBetweenCharacters) {
    const struct {
        const char* name;
        std::u32string text;
        int width;
        std::u32string shown;
    } cases[] = {
        {"fits", U"Hello big world", 150, U"Hello big world"},
        {"drops the last word", U"Hello big world", 140, U"Hello big..."},
        {"drops two words", U"Hello big world", 110, U"Hello..."},
        {"spaces before the cut are not kept", U"Hello   big", 100, U"Hello..."},
        {"first word cut", U"Hello big world", 50, U"He..."},
        {"only the ellipsis", U"Hello big world", 20, U"..."},
        {"text without spaces", U"\u97f3\u4e50\u6548\u679c", 35, U"..."},
        {"text without spaces keeps what fits", U"\u97f3\u4e50\u6548\u679c\u5668\u6750\u6599", 60,
         U"\u97f3\u4e50\u6548..."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ElideCaptionAtWord(c.text, c.width, TenPerChar), c.shown);
    }
}

}  // namespace
