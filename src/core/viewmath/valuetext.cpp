#include "core/viewmath/valuetext.h"

#include <algorithm>
#include <cstdio>

#include "core/dsp/frequencygrid.h"
#include "core/model/datadefine.h"

namespace {
std::string Printf(const char* format, double value, const char* unit) {
    char text[32];
    std::snprintf(text, sizeof text, format, value, unit);
    return text;
}

std::string IntWithUnit(int value, const char* unit) {
    return std::to_string(value) + unit;
}

// A table index kept inside its table.
int TableIndex(int step, int count) {
    return std::clamp(step, 0, count - 1);
}
}  // namespace

std::string StepText(int step) {
    return std::to_string(step);
}

std::string PercentText(int step) {
    return IntWithUnit(step, "%");
}

std::string MsText(int step) {
    return IntWithUnit(step, "ms");
}

std::string MixLevelText(int level) {
    return IntWithUnit(level * 2, "%");
}

std::string EchoADelayText(int step) {
    return IntWithUnit(
        static_cast<int>(
            kEchoADelayTable[static_cast<std::size_t>(TableIndex(step, kEchoADelayCount))]),
        "ms");
}

std::string EchoBDelayText(int step) {
    return IntWithUnit(step * 3, "ms");
}

std::string ReverbTimeText(int step) {
    return Printf("%.1f%s", step * 0.1, "s");
}

std::string OutputDelayText(int step) {
    return Printf("%.1f%s", step * 0.1, "ms");
}

std::string CrossoverText(int step) {
    return Printf("%.1f%s", kFreqTable[static_cast<std::size_t>(TableIndex(step, kFreqCount))],
                  "Hz");
}

std::string TrebleBoostText(int step) {
    return step == 0 ? std::string("OFF") : IntWithUnit(step, "dB");
}

std::string KeyShiftText(int step) {
    return std::to_string(step - kKeyShiftOffset);
}
