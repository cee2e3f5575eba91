// Virtual-key codes by their Windows values, for the keys the server reads or
// types.
#pragma once

#include <cstdint>

namespace tarvo {

inline constexpr std::uint8_t kVkTab = 0x09;
inline constexpr std::uint8_t kVkShift = 0x10;
inline constexpr std::uint8_t kVkControl = 0x11;
inline constexpr std::uint8_t kVkMenu = 0x12;
inline constexpr std::uint8_t kVkEscape = 0x1B;
inline constexpr std::uint8_t kVkEnd = 0x23;
inline constexpr std::uint8_t kVkDelete = 0x2E;
inline constexpr std::uint8_t kVkX = 0x58;
inline constexpr std::uint8_t kVkZ = 0x5A;
inline constexpr std::uint8_t kVkNumLock = 0x90;
inline constexpr std::uint8_t kVkScroll = 0x91;
inline constexpr std::uint8_t kVkLShift = 0xA0;
inline constexpr std::uint8_t kVkRShift = 0xA1;
inline constexpr std::uint8_t kVkLControl = 0xA2;
inline constexpr std::uint8_t kVkRControl = 0xA3;
inline constexpr std::uint8_t kVkLMenu = 0xA4;

}  // namespace tarvo
