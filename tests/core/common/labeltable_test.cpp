#include "core/common/labeltable.h"

#include <gtest/gtest.h>

struct LabelCase {
    int group;
    int slot;
    const char* english;
    const char* chinese;
};

// Slots with the odd cases: languages that differ in meaning, captions with their two spaces,
// doubled ampersands, repeated texts in different groups.
TEST(LabelTable, BothLanguagesHoldTheirOwnTexts) {
    const LabelCase cases[] = {
        {0, 0, "Gain", "增益"},
        {4, 4, "Rear", "声音加强"},
        {3, 0, "Sonvela 3.6", "Sonvela 3.6"},
        {10, 0, "  Load/Save Mode  ", "  调用/保存模式  "},
        {10, 28, "  Equalizer  ", "  用户均衡限制  "},
        {11, 27, "The panel is locked. Please unlock it.", "面板已锁定，请解锁"},
        {12, 14, "Cancel", "取消"},
        {3, 2, "OK", "确定"},
        {12, 2, "OK", "确定"},
    };
    for (const LabelCase& c : cases) {
        LoadLabelTable(kLanguageEnglish);
        EXPECT_EQ(Label(c.group, c.slot), c.english) << c.group << "/" << c.slot;
        LoadLabelTable(kLanguageChinese);
        EXPECT_EQ(Label(c.group, c.slot), c.chinese) << c.group << "/" << c.slot;
    }
    EXPECT_EQ(CurrentLanguage(), kLanguageChinese);
    // Any language but Chinese is English.
    LoadLabelTable(7);
    EXPECT_EQ(CurrentLanguage(), kLanguageEnglish);
    EXPECT_EQ(Label(12, 14), "Cancel");
}

TEST(LabelTable, SixSystemCaptionsKeepTheirSpaces) {
    LoadLabelTable(kLanguageEnglish);
    for (int slot : {0, 5, 10, 15, 18, 28}) {
        const std::string& text = Label(10, slot);
        ASSERT_GE(text.size(), 5u) << slot;
        EXPECT_EQ(text.substr(0, 2), "  ") << slot;
        EXPECT_EQ(text.substr(text.size() - 2), "  ") << slot;
        EXPECT_NE(text[2], ' ') << slot;
    }
}

TEST(LabelTable, AmpersandsAreStoredDoubled) {
    int doubled = 0;
    for (const auto& group : LanguageTable(kLanguageEnglish)) {
        for (const std::string& text : group) {
            const auto single = text.find('&');
            if (single != std::string::npos) {
                EXPECT_EQ(text.substr(single, 2), "&&") << text;
                ++doubled;
            }
        }
    }
    EXPECT_GT(doubled, 0);
}

TEST(LabelTable, LastLoadWinsInEverySlotAndUnlistedSlotsAreEmpty) {
    LoadLabelTable(kLanguageChinese);
    LoadLabelTable(kLanguageEnglish);
    EXPECT_EQ(CurrentLabels(), LanguageTable(kLanguageEnglish));
    LoadLabelTable(7);  // any code other than 0 selects English
    EXPECT_EQ(CurrentLabels(), LanguageTable(kLanguageEnglish));
    LoadLabelTable(kLanguageChinese);
    EXPECT_EQ(CurrentLabels(), LanguageTable(kLanguageChinese));
    EXPECT_EQ(Label(0, 29), "");
    EXPECT_EQ(Label(13, 0), "");
    EXPECT_EQ(Label(-1, 0), "");
    EXPECT_EQ(Label(0, 30), "");
}
