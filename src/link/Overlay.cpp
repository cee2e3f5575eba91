#include "link/Overlay.h"

#include "link/Messages.h"

#include <mutex>
#include <string>

namespace tarvo::link {
namespace {

constexpr std::uint32_t kTransparentBlack = 0x000000;
constexpr std::size_t kBlankLineLength = 132;
constexpr std::uint32_t kBlankLineMilliseconds = 200;

}  // namespace

platform::Rect OverlayPlacement(const platform::Rect& simulator, const platform::Rect& screen) {
    const std::int32_t width = simulator.right - simulator.left;
    const std::int32_t height = simulator.bottom - simulator.top;
    const bool fullScreen = width == screen.right - screen.left && height == screen.bottom - screen.top;
    const std::int32_t x = simulator.left + 10;
    const std::int32_t y = fullScreen ? simulator.top : simulator.top + 30;
    return {x, y, x + width - 20, y + 20};
}

void ShowOverlayText(Server& server, std::string_view text, std::uint32_t durationMilliseconds, bool keep) {
    platform::Desktop& desktop = server.ports.desktop;
    const WindowId foreground = desktop.ForegroundWindow();
    if (foreground != server.host.simulatorWindow && foreground != server.host.crewWindow) return;
    std::unique_lock<std::mutex> lock(server.host.locks.overlay, std::try_to_lock);
    if (!lock.owns_lock()) return;

    if (!keep) {
        server.link.overlayVisible = true;
        server.link.overlayHideTime = server.ports.clock.TickCount() + durationMilliseconds;
    }
    const WindowId window = server.host.linkWindow;
    const auto simulator = desktop.WindowRect(server.host.simulatorWindow).value_or(platform::Rect{});
    const platform::Rect strip = OverlayPlacement(simulator, desktop.ScreenRect());
    desktop.PlaceTopmost(window, strip.left, strip.top, strip.right - strip.left, strip.bottom - strip.top);
    desktop.DrawOverlayText(window, text);
    desktop.SetLayeredColourKey(window, kTransparentBlack);
}

void HideOverlay(Server& server) {
    ShowOverlayText(server, std::string(kBlankLineLength, ' '), kBlankLineMilliseconds, false);
    server.ports.desktop.HideWindow(server.host.linkWindow);
    {
        std::unique_lock<std::mutex> lock(server.host.locks.overlay, std::try_to_lock);
        if (lock.owns_lock()) server.link.overlayVisible = false;
    }
    server.ports.desktop.UpdateWindow(server.host.linkWindow);
}

void CheckOverlayTimeout(Server& server) {
    LinkState& link = server.link;
    if (!link.overlayVisible) return;
    std::unique_lock<std::mutex> lock(server.host.locks.overlay, std::try_to_lock);
    if (!lock.owns_lock()) return;
    // Tick counts wrap after 49.7 days; the difference still tells whether the time has come.
    const std::uint32_t now = server.ports.clock.TickCount();
    if (link.overlayVisible && static_cast<std::int32_t>(now - link.overlayHideTime) >= 0) {
        link.overlayVisible = false;
        server.ports.desktop.Post(server.host.linkWindow, kMsgHideOverlay, 0, 0);
    }
}

}  // namespace tarvo::link
