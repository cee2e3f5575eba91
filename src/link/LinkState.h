// State of the crew-app link: the adapter table and selection, the overlay,
// the ATC menu, sound.
#pragma once

#include "link/Adapters.h"
#include "link/Reports.h"
#include "platform/Sound.h"
#include "platform/Types.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

namespace tarvo::link {

struct SoundDevice {
    platform::SoundDeviceInfo info;
    platform::SoundDeviceId device = 0;  // 0 until opened
    bool opened = false;
};

struct LinkState {
    AircraftAdapter adapter;
    std::atomic<std::int32_t> currentAircraftId{1};
    std::int32_t lastSelectedId = 1;
    // A Fenix A320 is known to be loaded; set by the searches and by the aircraft's file name.
    std::atomic<std::int32_t> fenixFlag{0};
    WindowId fenixWindow = 0;

    // A timed overlay line is on screen until hideTime (a tick count); both
    // are read and written under the overlay lock.
    std::int32_t overlayVisible = 0;
    std::uint32_t overlayHideTime = 0;
    // Text for message 39177 with wParam 0: a string resource or the crew app's own text.
    std::array<char, 256> overlayText{};
    // While set, the crew app may send its own overlay text (WM_COPYDATA kind 613).
    std::int32_t customText = 1;

    // 0: the ATC menu comes from the simulator's memory; other values name an outside source.
    std::int32_t atcSourceMode = 0;

    // The one snapshot buffer, reused by every report.
    SnapshotRecord snapshot;
    // Ground speed of the previous report, for telling a rejected take-off.
    std::int32_t previousGroundSpeed = 0;

    // In the order the system reported them; filled once at start-up.
    std::vector<SoundDevice> soundDevices;
};

}  // namespace tarvo::link
