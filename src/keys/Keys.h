// Simulated key strokes: a key with modifier keys, as if typed on the keyboard.
#pragma once

#include "host/Server.h"

#include <cstdint>

namespace tarvo::keys {

// Modifier bits of the crew app's key messages.
inline constexpr std::uint8_t kModShift = 0x01;
inline constexpr std::uint8_t kModControl = 0x02;
inline constexpr std::uint8_t kModAlt = 0x04;
inline constexpr std::uint8_t kModTab = 0x08;
inline constexpr std::uint8_t kModLeftShift = 0x10;
inline constexpr std::uint8_t kModRightShift = 0x20;
inline constexpr std::uint8_t kModLeftControl = 0x40;
inline constexpr std::uint8_t kModRightControl = 0x80;

// The modifiers' key-down events (in control, shift, tab, alt order), then the key's.
void KeyDown(Server& server, std::uint8_t modifiers, std::uint8_t virtualKey);
// The key's key-up event, then the modifiers' in the reverse order.
void KeyUp(Server& server, std::uint8_t modifiers, std::uint8_t virtualKey);
// Key down, 1 ms, key up.
void PressKey(Server& server, std::uint8_t modifiers, std::uint8_t virtualKey);

}  // namespace tarvo::keys
