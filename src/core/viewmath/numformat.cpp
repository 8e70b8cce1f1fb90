#include "core/viewmath/numformat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>

#include "core/model/conversiontool.h"

namespace {

int TruncatedStep(double step) {
    if (!std::isfinite(step) || std::fabs(step) >= std::numeric_limits<int>::max()) {
        return 0;
    }
    return static_cast<int>(step);
}

std::string FormatTableEntry(const SNumFormat& format, int index) {
    const double value = TableValue(format.m_table, index);
    switch (format.m_nMode) {
        case kNumTableIntPrefix:
            return format.m_strPrefix + FormatFixed(value, 0);
        case kNumTableOneDecimal:
            if (format.m_bOffText && index == 0) {
                return "OFF";
            }
            return FormatFixed(value, 1);
        case kNumTableTwoDecimals:
            return FormatFixed(value, 2);
        default:
            return FormatFixed(value, 0);
    }
}

// Nearest integer with ties upward; values beyond the int range saturate.
int RoundHalfUp(double x) {
    const double r = std::floor(x + 0.5);
    if (!(r > std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    if (!(r < std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(r);
}

double Limit(double v, double a, double b) {
    return std::clamp(v, std::min(a, b), std::max(a, b));
}

std::optional<int> NearestTableEntry(const std::vector<double>& table, int minIndex, int maxIndex,
                                     double v) {
    const int last = std::min(maxIndex, static_cast<int>(table.size()) - 1);
    std::optional<int> best;
    double bestDistance = 0.0;
    for (int i = std::max(minIndex, 0); i <= last; ++i) {
        const double distance = std::fabs(table[static_cast<std::size_t>(i)] - v);
        // "<=" lets the later (higher) index win a tie.
        if (!best || distance <= bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace

std::string FormatNumber(const SNumFormat& format, int index) {
    switch (format.m_nDisplayType) {
        case kNumDisplayOffset:
            return FormatFixed(index * format.m_dStep - format.m_dOffset, 1) + format.m_strSuffix;
        case kNumDisplayLinear:
            if (format.m_nMode != 0) {
                return FormatFixed(index * format.m_dStep, 1) + format.m_strSuffix;
            }
            return std::to_string(static_cast<long long>(index) * TruncatedStep(format.m_dStep)) +
                   format.m_strSuffix;
        case kNumDisplayTable:
            return FormatTableEntry(format, index);
        default:
            return {};
    }
}

double ReadLeadingNumber(std::string_view text) {
    const auto start = text.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string_view::npos) {
        return 0.0;
    }
    text.remove_prefix(start);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = std::numeric_limits<double>::max();
    } else if (result.ec != std::errc{} || !std::isfinite(value)) {
        // Not a number ("inf" and "nan" included): reads as 0, as an empty text does.
        return 0.0;
    }
    return negative ? -value : value;
}

int ReadLeadingInteger(std::string_view text) {
    const double v = std::trunc(ReadLeadingNumber(text));
    return static_cast<int>(std::clamp(v, static_cast<double>(std::numeric_limits<int>::min()),
                                       static_cast<double>(std::numeric_limits<int>::max())));
}

std::optional<int> ConvertTypedText(const SNumFormat& format, int minIndex, int maxIndex,
                                    std::string_view text) {
    if (maxIndex < minIndex) {
        return std::nullopt;
    }
    const auto shown = [&](int index) { return ReadLeadingNumber(FormatNumber(format, index)); };
    switch (format.m_nDisplayType) {
        case kNumDisplayOffset:
        case kNumDisplayLinear: {
            const bool integerText =
                format.m_nDisplayType == kNumDisplayLinear && format.m_nMode == 0;
            const double typed = integerText ? ReadLeadingInteger(text) : ReadLeadingNumber(text);
            const double v = Limit(typed, shown(minIndex), shown(maxIndex));
            int index = minIndex;
            if (integerText) {
                const int step = TruncatedStep(format.m_dStep);
                index = step == 0 ? minIndex : static_cast<int>(static_cast<long long>(v) / step);
            } else if (format.m_dStep != 0.0) {
                const double offset =
                    format.m_nDisplayType == kNumDisplayOffset ? format.m_dOffset : 0.0;
                index = RoundHalfUp((v + offset) / format.m_dStep);
            }
            return std::clamp(index, minIndex, maxIndex);
        }
        case kNumDisplayTable: {
            if (format.m_table.empty()) {
                return std::nullopt;
            }
            const double v = Limit(ReadLeadingNumber(text), TableValue(format.m_table, 0),
                                   TableValue(format.m_table, maxIndex));
            return NearestTableEntry(format.m_table, minIndex, maxIndex, v);
        }
        default:
            return std::nullopt;
    }
}
