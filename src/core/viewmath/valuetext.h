// The value texts beside the pages' sliders: each turns a stored step into what its label
// shows. Pure functions, so every format is tested without a window.
#pragma once

#include <string>

// A plain step: "%d" ("37").
std::string StepText(int step);
// A step with a unit and no space: "%d%s" (PercentText(40) = "40%", MsText(12) = "12ms").
std::string PercentText(int step);
std::string MsText(int step);
// An output mix level: the level times two, "%d%" (50 -> "100%").
std::string MixLevelText(int level);
// The echo A delay: the table entry of the step in whole milliseconds (0 -> "12ms").
std::string EchoADelayText(int step);
// The echo B delay: three milliseconds a step (127 -> "381ms").
std::string EchoBDelayText(int step);
// A reverb time: a tenth of a second a step, "%.1fs" (60 -> "6.0s").
std::string ReverbTimeText(int step);
// An output delay: a tenth of a millisecond a step, "%.1fms" (50 -> "5.0ms").
std::string OutputDelayText(int step);
// A crossover corner: the frequency of the step on the 361-step grid, "%.1fHz"
// (0 -> "19.7Hz", 142 -> "303.0Hz").
std::string CrossoverText(int step);
// The microphone's treble boost: "OFF" at 0, else "%ddB" ("2dB").
std::string TrebleBoostText(int step);
// The key shift: step - 7 ("-7" ... "7").
std::string KeyShiftText(int step);
