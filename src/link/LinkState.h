// State of the crew-app link: the adapter table and selection, the overlay,
// the ATC menu, sound.
#pragma once

#include "link/Adapters.h"
#include "link/DirectSound.h"
#include "link/Reports.h"
#include "platform/Sound.h"
#include "platform/Types.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tarvo::link {

struct SoundDevice {
    platform::SoundDeviceInfo info;
    platform::SoundDeviceId device = 0;  // 0 until opened
    bool opened = false;
};

// The simulator's ATC menu, found in its memory.
struct AtcMenuState {
    // Where the "PANEL_ATC" marker was found; 0 until then, never cleared.
    std::atomic<std::uint64_t> address{0};
    // A reader thread is running or about to run.
    std::atomic<std::int32_t> readerStarted{0};
    // Reader threads that got to search; no more are started at 300.
    std::atomic<std::int32_t> readerAttempts{0};

    // The reader thread's last read and the crew app's reads both write the
    // menu text, so it is kept under this lock.
    std::mutex textMutex;
    std::string text;          // each entry and a line feed, at most 539 characters
    std::string previousText;  // the text last reported as changed
    std::int32_t reads = 0;    // for the periodic repeat notice

    // The outside ATC text source; nothing attaches one yet.
    ProcessHandle externalProcess = 0;
    std::uint64_t externalAddress = 0;
    std::array<char, 128> externalText{};
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
    AtcMenuState atc;

    // The one snapshot buffer, reused by every report.
    SnapshotRecord snapshot;
    // Ground speed of the previous report, for telling a rejected take-off.
    std::int32_t previousGroundSpeed = 0;

    // In the order the system reported them; filled once at start-up.
    std::vector<SoundDevice> soundDevices;
    std::uint32_t soundDeviceIndex = 0;
    // 0 or less: sounds off (the looping sound is still built, but neither plays nor stops).
    std::int32_t soundVariant = 0;
    // Built again for each device and variant the crew app chooses; null when absent.
    std::unique_ptr<CDirectSound> loopingSound;
    std::unique_ptr<CDirectSound> oneShotSound;
};

}  // namespace tarvo::link
