#include "keys/Keys.h"

#include "base/VirtualKeys.h"

#include <iterator>

namespace tarvo::keys {
namespace {

constexpr std::uint32_t kKeyEventKeyUp = 0x0002;

struct Modifier {
    std::uint8_t bit;
    std::uint8_t virtualKey;
};

// In the order the keys go down; they come up in the reverse order.
// clang-format off
constexpr Modifier kModifiers[] = {
    {kModControl,      kVkControl},
    {kModLeftControl,  kVkLControl},
    {kModRightControl, kVkRControl},
    {kModShift,        kVkShift},
    {kModLeftShift,    kVkLShift},
    {kModRightShift,   kVkRShift},
    {kModTab,          kVkTab},
    {kModAlt,          kVkMenu},
};
// clang-format on

void Send(Server& server, std::uint8_t virtualKey, std::uint32_t flags) {
    platform::Desktop& desktop = server.ports.desktop;
    desktop.SendKeyEvent(virtualKey, static_cast<std::uint8_t>(desktop.ScanCode(virtualKey)), flags);
}

}  // namespace

void KeyDown(Server& server, std::uint8_t modifiers, std::uint8_t virtualKey) {
    for (const Modifier& modifier : kModifiers) {
        if ((modifiers & modifier.bit) != 0) Send(server, modifier.virtualKey, 0);
    }
    Send(server, virtualKey, 0);
}

void KeyUp(Server& server, std::uint8_t modifiers, std::uint8_t virtualKey) {
    Send(server, virtualKey, kKeyEventKeyUp);
    for (auto modifier = std::rbegin(kModifiers); modifier != std::rend(kModifiers); ++modifier) {
        if ((modifiers & modifier->bit) != 0) Send(server, modifier->virtualKey, kKeyEventKeyUp);
    }
}

void PressKey(Server& server, std::uint8_t modifiers, std::uint8_t virtualKey) {
    KeyDown(server, modifiers, virtualKey);
    server.ports.clock.Sleep(1);
    KeyUp(server, modifiers, virtualKey);
}

}  // namespace tarvo::keys
