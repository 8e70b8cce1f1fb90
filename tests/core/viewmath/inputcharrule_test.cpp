#include "core/viewmath/inputcharrule.h"

#include <gtest/gtest.h>

namespace {

TEST(InputCharRule, DefaultSetIsPrintableAsciiWithoutQuoteAndBackslash) {
    for (const char32_t c : {U'a', U'Z', U'0', U'9', U' ', U'_', U'-', U'.', U'!', U'z', U'@'}) {
        EXPECT_TRUE(IsAllowedInputChar(c, false)) << static_cast<int>(c);
    }
    for (const char32_t c : {U'\'', U'\\', U'{', U'|', U'}', U'~', U'\x7f', U'\t', U'\n', U'\r',
                             U'\x1b', U'\x16', U'\u00e9', U'\u4e2d', U'\U0001F600'}) {
        EXPECT_FALSE(IsAllowedInputChar(c, false)) << static_cast<int>(c);
    }
}

TEST(InputCharRule, DigitsOnlySetIsTheTenDigits) {
    for (char32_t c = U'0'; c <= U'9'; ++c) {
        EXPECT_TRUE(IsAllowedInputChar(c, true));
    }
    for (const char32_t c : {U'a', U' ', U'-', U'+', U'.', U'/', U':', U'\u0663'}) {
        EXPECT_FALSE(IsAllowedInputChar(c, true)) << static_cast<int>(c);
    }
}

TEST(InputCharRule, ATextPassesOnlyWhenEveryCharacterDoes) {
    EXPECT_TRUE(IsAllowedInputText(U"Room_2 B", false));
    EXPECT_TRUE(IsAllowedInputText(U"", false));
    EXPECT_FALSE(IsAllowedInputText(U"it's", false));
    EXPECT_FALSE(IsAllowedInputText(U"C:\\mode", false));
    EXPECT_TRUE(IsAllowedInputText(U"3958", true));
    EXPECT_FALSE(IsAllowedInputText(U"39 58", true));
}

}  // namespace
