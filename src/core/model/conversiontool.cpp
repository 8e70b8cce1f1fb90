#include "core/model/conversiontool.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/common/usernotify.h"
#include "core/model/datadefine.h"

int ClampIndex(int index, int count) {
    return count <= 0 ? 0 : std::clamp(index, 0, count - 1);
}

double TableValue(std::span<const double> table, int index) {
    if (table.empty()) {
        return 0.0;
    }
    return table[static_cast<std::size_t>(ClampIndex(index, static_cast<int>(table.size())))];
}

double FreqAt(int index) {
    return TableValue(kFreqTable, index);
}
double QAt(int index) {
    return TableValue(kQTable, index);
}
double SlopeAt(int index) {
    return TableValue(kSlopeTable, index);
}
double XoverQAt(int index) {
    return TableValue(kXoverQTable, index);
}
double RatioAt(int index) {
    return TableValue(kRatioTable, index);
}
double EchoADelayAt(int index) {
    return TableValue(kEchoADelayTable, index);
}
double GainIndexToDb(int index) {
    return kGainStepDb * std::clamp(index, 0, kGainMaxIndex) - kGainOffsetDb;
}

std::string FormatFixed(double value, int decimals) {
    char buf[64];
    auto result = std::to_chars(buf, buf + sizeof(buf), value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc{}) {
        return {};
    }
    std::string text(buf, result.ptr);
    // A value that rounds to zero is shown without a sign ("0.0", not "-0.0").
    if (text.starts_with('-') && text.find_first_not_of("0.", 1) == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

namespace {
std::string WithSuffix(std::string number, std::string_view suffix) {
    number.append(suffix);
    return number;
}
}  // namespace

std::string FormatScaled(int v, int k, std::string_view suffix) {
    return WithSuffix(std::to_string(v * k), suffix);
}

std::string FormatScaledReal(int v, double k, std::string_view suffix) {
    return WithSuffix(FormatFixed(v * k, 1), suffix);
}

std::string FormatOffset(int v, double offset, double k, std::string_view suffix) {
    return WithSuffix(std::to_string(static_cast<int>(v * k - offset)), suffix);
}

std::string FormatOffsetReal(int v, double offset, double k, std::string_view suffix) {
    return WithSuffix(FormatFixed(v * k - offset, 1), suffix);
}

std::string FormatTableInt(int v, std::span<const double> table, std::string_view suffix) {
    return WithSuffix(std::to_string(static_cast<int>(TableValue(table, v))), suffix);
}

std::string FormatTableReal(int v, std::span<const double> table, std::string_view suffix) {
    return WithSuffix(FormatFixed(TableValue(table, v), 1), suffix);
}

int NearestTableIndex(std::span<const double> table, double value) {
    if (table.empty()) {
        return -1;
    }
    const auto it = std::find_if(table.begin(), table.end(), [&](double t) { return t >= value; });
    if (it == table.end()) {
        return static_cast<int>(table.size()) - 1;
    }
    const auto i = static_cast<int>(it - table.begin());
    if (i == 0) {
        return 0;
    }
    const double below = table[static_cast<std::size_t>(i - 1)];
    return (value - below >= *it - value) ? i : i - 1;
}

int NearestFrequencyIndex(double hz) {
    return NearestTableIndex(kFreqTable, hz);
}

int RatioToIndex(double r) {
    if (r > kRatioTable[kRatioCount - 1]) {
        NotifyUser("错误的Ratio值");
        return -1;
    }
    return NearestTableIndex(kRatioTable, r);
}

double FreqToX(double hz, int width) {
    const int decade = width / 3;
    if (decade <= 0 || !(hz > 0.0)) {
        return 0.0;
    }
    return std::log10(hz / 20.0) * decade;
}

double XToFreq(int x, int width) {
    const int decade = width / 3;
    if (decade <= 0) {
        return 20.0;
    }
    const double hz = 20.0 * std::pow(10.0, static_cast<double>(x) / decade);
    return std::clamp(hz, 20.0, 20000.0);
}

double GainToY(double dB, int height) {
    return height / 36.0 * (12.0 - dB);
}

double YToGain(int y, int height) {
    if (height <= 0) {
        return 12.0;
    }
    return 12.0 - y * 36.0 / height;
}
