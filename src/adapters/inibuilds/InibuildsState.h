// What the Inibuilds adapter keeps between commands: which of the two
// aircraft is loaded, and its worker threads.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

namespace tarvo::adapters::inibuilds {

struct InibuildsState {
    // The loaded aircraft is the A310 (its own names were found), not the A300;
    // it picks the calculator code. Cleared at each discovery pass and at unload.
    std::atomic<bool> a310Flag{false};
    // Raised by unload: a worker started before it stops at its next step, so
    // it cannot write into slots that the next aircraft fills.
    std::atomic<std::uint32_t> generation{0};
    // Fire tests and transponder dials still running.
    std::atomic<std::int32_t> workersRunning{0};
    // One transponder dialling at a time: two at once would mix their clicks.
    std::mutex transponderDial;
    // Dials that ran to their end, and the code the last of them left on the
    // knobs (under transponderDial): a dial that waited for another starts
    // from there, not from the code the simulator showed when it was asked for.
    std::atomic<std::uint32_t> dialsCompleted{0};
    std::int32_t lastDialledCode = 0;
};

}  // namespace tarvo::adapters::inibuilds
