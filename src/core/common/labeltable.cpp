#include "core/common/labeltable.h"

#include "core/common/labeltable_data.h"

namespace {
LabelTable g_chineseLabels;
LabelTable g_englishLabels;
LabelTable g_currentLabels;
int g_currentLanguage = kLanguageEnglish;

void FillLanguageTables() {
    for (const LabelEntry& e : LabelEntries()) {
        g_englishLabels[static_cast<std::size_t>(e.group)][static_cast<std::size_t>(e.slot)] =
            e.english;
        g_chineseLabels[static_cast<std::size_t>(e.group)][static_cast<std::size_t>(e.slot)] =
            e.chinese;
    }
}
}  // namespace

void LoadLabelTable(int language) {
    FillLanguageTables();
    g_currentLanguage = language == kLanguageChinese ? kLanguageChinese : kLanguageEnglish;
    g_currentLabels = g_currentLanguage == kLanguageChinese ? g_chineseLabels : g_englishLabels;
}

int CurrentLanguage() {
    return g_currentLanguage;
}

const LabelTable& CurrentLabels() {
    return g_currentLabels;
}

const std::string& Label(int group, int slot) {
    static const std::string kEmpty;
    if (group < 0 || group >= kLabelGroups || slot < 0 || slot >= kLabelSlots) {
        return kEmpty;
    }
    return g_currentLabels[static_cast<std::size_t>(group)][static_cast<std::size_t>(slot)];
}

const LabelTable& LanguageTable(int language) {
    FillLanguageTables();
    return language == kLanguageChinese ? g_chineseLabels : g_englishLabels;
}
