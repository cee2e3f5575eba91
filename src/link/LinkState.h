// State of the crew-app link: the overlay and the reports.
#pragma once

#include "link/Reports.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace tarvo::link {

struct LinkState {
    // A timed overlay line is on screen until hideTime (a tick count); both are
    // written under the overlay lock, and the hide time is read under it too.
    // The flag is also read without the lock, as a hint only: the time-out
    // check takes the lock before acting on it, and a frame that reads it a
    // moment late draws (or skips) one refresh of the position line.
    std::atomic<bool> overlayVisible{false};
    std::uint32_t overlayHideTime = 0;
    // Text for message 39177 with wParam 0: a string resource or the crew app's own text.
    std::array<char, 256> overlayText{};
    // While set, the crew app may send its own overlay text (WM_COPYDATA kind 613).
    bool customText = true;

    // The one snapshot buffer, reused by every report.
    SnapshotRecord snapshot;
    // Ground speed of the previous report, for telling a rejected take-off.
    std::int32_t previousGroundSpeed = 0;
};

}  // namespace tarvo::link
