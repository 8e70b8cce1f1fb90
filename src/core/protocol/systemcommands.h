// Command numbers on the system channel (30): frame byte 5 of a system parameter frame.
#pragma once

#include <cstdint>

inline constexpr std::uint8_t kSysCmdReadRequest = 0x10;  // read a block: lo = channel, hi = start
inline constexpr std::uint8_t kSysCmdSaveMode = 0x12;
inline constexpr std::uint8_t kSysCmdSelectMode = 0x13;
inline constexpr std::uint8_t kSysCmdSlow = 0x15;  // a command the unit takes long to answer
inline constexpr std::uint8_t kSysCmdPanelLock = 0x16;
inline constexpr std::uint8_t kSysCmdPassword = 0x17;
inline constexpr std::uint8_t kSysCmdProbe = 0x30;
inline constexpr std::uint8_t kSysCmdBluetoothName = 0x35;
inline constexpr std::int16_t kProbeValue = 0x11;
