// The one-line overlay drawn in the link window over the simulator.
#pragma once

#include "host/Server.h"

#include <cstdint>
#include <string_view>

namespace tarvo::link {

// Shows text while the simulator or the crew app has the focus. With keep
// false it starts a timed display of durationMilliseconds; with keep true it
// only redraws and leaves the visible flag and hide time alone. Dropped when
// the overlay lock is busy.
void ShowOverlayText(Server& server, std::string_view text, std::uint32_t durationMilliseconds, bool keep);

// Message 39178: blanks the line, hides the window and clears the visible flag.
void HideOverlay(Server& server);

// Once the hide time of a timed line has come, clears the visible flag and asks
// the link window to hide the line. Skipped when the overlay lock is busy.
void CheckOverlayTimeout(Server& server);

// Where the strip goes over a simulator window: 10 pixels in from its sides, 30
// below its top unless it fills the screen, 20 high.
platform::Rect OverlayPlacement(const platform::Rect& simulator, const platform::Rect& screen);

}  // namespace tarvo::link
