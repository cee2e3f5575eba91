#include "host/KeyboardWatcher.h"

#include "base/VirtualKeys.h"
#include "link/Messages.h"
#include "link/Overlay.h"

namespace tarvo::host {
namespace {

bool IsHeld(std::int16_t state) { return (static_cast<std::uint16_t>(state) & 0x8000u) != 0; }
bool IsToggledOn(std::int16_t state) { return (state & 0x1) != 0; }
// The chords test bit 0x80, which GetKeyState sets together with the high bit.
bool IsChordKeyHeld(std::int16_t state) { return (state & 0x80) != 0; }

// Follows one key's latch; returns the message to post on an edge, or 0.
std::uint32_t Edge(bool now, bool& latch, std::uint32_t onSet, std::uint32_t onClear) {
    if (now == latch) return 0;
    latch = now;
    return now ? onSet : onClear;
}

}  // namespace

void WatchKeyboard(Server& server) {
    platform::Desktop& desktop = server.ports.desktop;
    HostState& host = server.host;
    KeyboardLatches& latches = host.latches;
    const auto post = [&](std::uint32_t message) { desktop.Post(host.crewWindow, message, 0, 0); };
    // One read of the whole keyboard: under Wine each key read apart is a
    // round trip to the Wine server, and an idle server makes this pass often.
    const platform::KeyStates keys = desktop.AllKeyStates();

    // Three independent latches; the first edge found is this pass's only post.
    if (const auto edge =
            Edge(IsHeld(keys[kVkDelete]), latches.del, link::kMsgDeletePressed, link::kMsgDeleteReleased)) {
        return post(edge);
    }
    if (const auto edge = Edge(IsHeld(keys[kVkEnd]), latches.end, link::kMsgEndPressed, link::kMsgEndReleased)) {
        return post(edge);
    }
    const std::uint8_t lockKey = host.catchScrollLock != 0 ? kVkScroll : kVkNumLock;
    if (const auto edge =
            Edge(IsToggledOn(keys[lockKey]), latches.lockKey, link::kMsgLockKeyOn, link::kMsgLockKeyOff)) {
        return post(edge);
    }

    // Take-over chord: Ctrl + left Alt + X, acted on when X is released.
    if (IsChordKeyHeld(keys[kVkX])) {
        latches.takeOver = IsChordKeyHeld(keys[kVkControl]) && IsChordKeyHeld(keys[kVkLMenu]);
        return;
    }
    if (latches.takeOver) {
        latches.takeOver = false;
        host.copilotInControl = !host.copilotInControl;
        const bool copilot = host.copilotInControl;
        link::ShowOverlayText(server, copilot ? "Co-pilot has control" : "You have control", 3000, false);
        return post(copilot ? link::kMsgCopilotHasControl : link::kMsgPilotHasControl);
    }

    // Display chord: Shift + Z toggles the position line when Z is released.
    const bool zHeld = IsChordKeyHeld(keys[kVkZ]);
    if (zHeld && IsChordKeyHeld(keys[kVkShift])) {
        latches.display = true;
    } else if (!zHeld && latches.display) {
        latches.display = false;
        host.positionLine = !host.positionLine;
    }
}

}  // namespace tarvo::host
