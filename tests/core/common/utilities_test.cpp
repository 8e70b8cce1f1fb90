#include "core/common/utilities.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "tests/support/recordingnotify.h"

TEST(OsVersionName, MapsEveryKnownVersionAndNothingElse) {
    const std::string unknown = "当前系统低于Windows 2000，或者高于Windows 10，或者未知系统版本";
    struct Case {
        int major, minor;
        std::string name;
    };
    const Case cases[] = {
        {5, 0, "Windows 2000"},  {5, 1, "Windows XP"},  {5, 2, "Windows 2003"},
        {6, 0, "Windows Vista"}, {6, 1, "Windows 7"},   {6, 2, "Windows 8"},
        {6, 3, "Windows 8.1"},   {10, 0, "Windows 10"}, {10, 1, unknown},
        {4, 0, unknown},         {6, 4, unknown},       {-1, -1, unknown},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OsVersionNameFor(c.major, c.minor), c.name) << c.major << "." << c.minor;
    }
#ifndef _WIN32
    EXPECT_EQ(GetOsVersionName(), unknown);
#endif
}

TEST(BytesToString, StopsAtCountOrFirstZero) {
    const std::array<std::uint8_t, 4> pin = {'1', '2', 0, '4'};
    EXPECT_EQ(BytesToString(pin, 4), "12");
    const std::array<std::uint8_t, 4> full = {'1', '2', '3', '4'};
    EXPECT_EQ(BytesToString(full, 4), "1234");
    EXPECT_EQ(BytesToString(full, 3), "123");
    EXPECT_EQ(BytesToString(full, 0), "");
    EXPECT_EQ(BytesToString(full, 99), "1234");  // never reads past the field
}

TEST(StringToFixedField, PadsWithSpacesAndRefusesTooLongTexts) {
    CRecordingNotify notify;
    std::array<std::uint8_t, 4> field = {'x', 'x', 'x', 'x'};

    EXPECT_TRUE(StringToFixedField(field, "ab"));
    EXPECT_EQ(field, (std::array<std::uint8_t, 4>{'a', 'b', ' ', ' '}));

    EXPECT_TRUE(StringToFixedField(field, "1234"));
    EXPECT_EQ(field, (std::array<std::uint8_t, 4>{'1', '2', '3', '4'}));
    EXPECT_TRUE(notify.m_messages.empty());

    EXPECT_FALSE(StringToFixedField(field, "12345"));
    EXPECT_EQ(field, (std::array<std::uint8_t, 4>{'1', '2', '3', '4'}));
    ASSERT_EQ(notify.m_messages.size(), 1u);
    EXPECT_EQ(notify.m_messages[0], "char Len error");

    // Lengths count bytes: two Chinese characters are six UTF-8 bytes.
    EXPECT_FALSE(StringToFixedField(field, "音乐"));
}
