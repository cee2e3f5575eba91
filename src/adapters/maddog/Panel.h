// How the Maddog's cockpit is reached: mouse events on its panel event
// variables, and its switch and lever variables by slot.
#pragma once

#include "adapters/Slots.h"
#include "host/Server.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tarvo::adapters::maddog {

// The aircraft's panel event variables, written only by calculator code.
enum class Panel : std::uint8_t {
    Fgcp,
    Overhead,
    Pedestal,
    Cm2Hyd,
    ExtLights,
    Cockpit,
    Trp,
    Radio,
    Nav1,
    Nav2,
    Tcas,
    Fire,
    Cm1Clock,
    Cm1Alt,
    Cm1Glear,
    Cm2Fms,
};

// Mouse flags, added to the control's index on its panel.
enum class Mouse : std::uint32_t {
    None = 0,                 // the number alone
    Left = 0x20000000,        // 536870912
    Right = 0x80000000,       // 2147483648
    Middle = 0x40000000,      // 1073741824
    WheelUp = 0x4000,         // 16384: one step up, toward a higher speed
    WheelDown = 0x2000,       // 8192: one step down, one flap notch further out
    LeftRelease = 0x20000,    // 131072
    MiddleRelease = 0x40000,  // 262144
};

struct Click {
    Mouse mouse = Mouse::None;
    Panel panel = Panel::Fgcp;
    std::uint16_t index = 0;
};

// clang-format off
constexpr Click L(Panel panel, std::uint16_t index) { return {Mouse::Left, panel, index}; }
constexpr Click R(Panel panel, std::uint16_t index) { return {Mouse::Right, panel, index}; }
constexpr Click Up(Panel panel, std::uint16_t index) { return {Mouse::WheelUp, panel, index}; }
constexpr Click Dn(Panel panel, std::uint16_t index) { return {Mouse::WheelDown, panel, index}; }
constexpr Click Rel(Panel panel, std::uint16_t index) { return {Mouse::LeftRelease, panel, index}; }
// clang-format on

// "536870912 42 + (>L:overhead_event,number)": flag and index in decimal, the
// flag unsigned; a click without a flag writes the index alone.
std::string MouseEvent(Click click);

// Executes the click's calculator code; nothing without a bridge.
void Send(Server& server, Click click);

// The slot's variable, or nothing when there is no bridge or the aircraft has
// no such variable: a decision must not be taken on the 0.0 such a read gives.
std::optional<double> Read(Server& server, Slot slot);
// The same truncated toward zero.
std::optional<std::int32_t> ReadInt(Server& server, Slot slot);

}  // namespace tarvo::adapters::maddog
