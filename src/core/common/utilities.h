// Small text and system helpers shared by the shell and the settings pages.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The name the program gives an operating-system version (major.minor), "Windows 10" for 10.0.
std::string OsVersionNameFor(int major, int minor);
// The running system's name by that mapping. On Windows it asks the real version; elsewhere
// the version is unknown and the "unknown system" text is returned.
std::string GetOsVersionName();
inline constexpr std::string_view kWindows10Name = "Windows 10";

// The first n bytes as text, ending at the first zero byte if there is one earlier.
std::string BytesToString(std::span<const std::uint8_t> bytes, int n);

// Writes text into a fixed-width field of the unit's data, padded with spaces (0x20) and not
// zero-terminated. Lengths count bytes of the unit's 8-bit encoding. A text longer than the
// field reports "char Len error" to the user, leaves the field unchanged and returns false.
bool StringToFixedField(std::span<std::uint8_t> field, std::string_view text);
