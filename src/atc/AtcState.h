// State of the ATC menu: where the simulator keeps it and the text last read.
#pragma once

#include "platform/Types.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

namespace tarvo::atc {

struct AtcState {
    // 0: the menu comes from the simulator's memory; other values name an outside source.
    std::int32_t sourceMode = 0;

    // Where the "PANEL_ATC" marker was found; 0 until then, never cleared.
    std::atomic<std::uint64_t> address{0};
    // A reader thread is running or about to run.
    std::atomic<bool> readerStarted{false};
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

}  // namespace tarvo::atc
