// Display text of a number box and the conversion of typed text back to an index. The index is
// what the unit stores; the text is only its display.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Display types of a number box.
inline constexpr int kNumDisplayNone = 0;      // shows nothing
inline constexpr int kNumDisplayOffset = 101;  // index x step - offset, "%.1f" + suffix
inline constexpr int kNumDisplayLinear = 102;  // index x step, "%d" or "%.1f" + suffix
inline constexpr int kNumDisplayTable = 103;   // table entry of the index

// Table modes (display type 103).
inline constexpr int kNumTableIntPrefix = 0;    // prefix + "%0.f"
inline constexpr int kNumTableOneDecimal = 1;   // "%0.1f", "OFF" at index 0 with the OFF flag
inline constexpr int kNumTableTwoDecimals = 2;  // "%0.2f"

struct SNumFormat {
    int m_nDisplayType = kNumDisplayNone;
    double m_dStep = 1.0;
    double m_dOffset = 0.0;
    std::string m_strSuffix;
    std::string m_strPrefix;
    // Table mode for type 103; for type 102 non-zero means one decimal place.
    int m_nMode = 0;
    bool m_bOffText = false;
    std::vector<double> m_table;  // entries 0 ... maximum index
};

// Text shown for index. A table index outside the table shows its nearest entry.
std::string FormatNumber(const SNumFormat& format, int index);

// The number at the start of a text, as the C library reads it: leading blanks, a sign, digits,
// a decimal point (always '.', whatever the locale), an exponent; anything after it is ignored.
// An empty or non-numeric text reads as 0.
double ReadLeadingNumber(std::string_view text);
// The same for an integer ("3.7" reads 3).
int ReadLeadingInteger(std::string_view text);

// The index nearest to the typed text, within [minIndex, maxIndex]. The value is first limited
// to what the minimum and maximum index show. No result for display type 0, or for a table
// without an entry in the range (the caller keeps its index).
std::optional<int> ConvertTypedText(const SNumFormat& format, int minIndex, int maxIndex,
                                    std::string_view text);
