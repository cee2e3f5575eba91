// What the Maddog adapter keeps between commands: the flap requests, the flap
// steps the snapshot polls hand out, the engine-sync request, and the locks of
// its worker threads. The locks live as long as the server, so no worker can
// hold one that has gone.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>

namespace tarvo::adapters::maddog {

struct MaddogState {
    // The flap and engine-sync movements run one at a time.
    std::mutex knobLock;

    // Guards the members below it.
    std::mutex queueLock;
    // Flap detents asked for, oldest first; one flap worker serves them all.
    std::deque<std::int32_t> flapRequests;
    bool flapWorkerRunning = false;
    // The knob position asked for last, how many have been asked for and how
    // many of them served: the engine-sync worker serves until none is left.
    std::int32_t engineSyncTarget = 0;
    std::uint32_t engineSyncRequests = 0;
    std::uint32_t engineSyncServed = 0;
    bool engineSyncWorkerRunning = false;

    // Workers write to the aircraft under this lock and only while the load
    // they started in is current; Unload raises the load under it, so nothing
    // of theirs reaches the aircraft afterwards.
    std::mutex unloadLock;
    std::atomic<std::uint32_t> load{0};

    // Flap lever notches the flap worker asks for and the snapshot polls move.
    std::atomic<std::int32_t> extendSteps{0};
    std::atomic<std::int32_t> retractSteps{0};
};

}  // namespace tarvo::adapters::maddog
