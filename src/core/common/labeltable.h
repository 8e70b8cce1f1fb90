// The process-wide interface label table: 13 groups of 30 slots holding the texts of the
// selected language. Texts are UTF-8. Readers take the current texts; only LoadLabelTable
// writes them.
#pragma once

#include <array>
#include <string>

inline constexpr int kLabelGroups = 13;
inline constexpr int kLabelSlots = 30;
inline constexpr int kLanguageChinese = 0;
inline constexpr int kLanguageEnglish = 1;

using LabelTable = std::array<std::array<std::string, kLabelSlots>, kLabelGroups>;

// Fills the Chinese and English tables, then copies the chosen language (0 Chinese, any other
// value English) into the current table, every group and slot.
void LoadLabelTable(int language);

// The current table, and its language (kLanguageChinese or kLanguageEnglish; English until a
// table is loaded).
const LabelTable& CurrentLabels();
int CurrentLanguage();
// One current text; an out-of-range group or slot reads as empty.
const std::string& Label(int group, int slot);
// One language's full table (0 Chinese, any other value English).
const LabelTable& LanguageTable(int language);
