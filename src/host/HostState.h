// Process-wide state of the host: start-up results, the running flag, the
// handles every subsystem reaches through the Server, and the keyboard watcher.
#pragma once

#include "platform/SimConnectAbi.h"
#include "platform/Types.h"

#include <atomic>
#include <cstdint>
#include <mutex>

namespace tarvo::host {

// One latch per watched key: set while the key (or chord) is held or on.
struct KeyboardLatches {
    bool del = false;
    bool end = false;
    bool lockKey = false;
    bool takeOver = false;
    bool display = false;
};

// The program's four locks. They live as long as the Server, so start-up and
// shutdown need not create or delete them.
struct Locks {
    std::mutex discovery;  // one discovery thread at a time (try-enter)
    std::mutex gsx;        // ground-services runs follow each other
    std::mutex overlay;    // overlay visible flag and hide time (try-enter)
    std::mutex atcReader;  // one ATC reader thread (try-enter)
};

struct HostState {
    // The main loop runs while this is set; worker threads read it to stop.
    std::atomic<bool> running{true};
    // The accepted command line as a number, compared with the crew app's handshake.
    std::int32_t versionNumber = 0;

    WindowId linkWindow = 0;
    // Every message to the crew app goes here; 0 while no crew app is known.
    std::atomic<WindowId> crewWindow{0};
    WindowId simulatorWindow = 0;
    ProcessId simulatorProcessId = 0;
    ProcessHandle simulatorProcess = 0;
    SIMCONNECT_HANDLE session = nullptr;
    // The main loop's dispatch has failed on every pass since this tick count.
    bool dispatchFailing = false;
    std::uint32_t dispatchFailingSince = 0;
    // Waiting on it with a time-out is how the main thread pauses; nothing signals it.
    EventId pauseEvent = 0;
    // Given to the main session, which signals it whenever records wait; the
    // idle main loop sleeps on it and the link window's queue. 0 when none.
    EventId sessionEvent = 0;
    // Set when shutdown begins, so that worker threads waiting out a pause
    // wake and end (manual reset). Never closed: a thread that did not end may
    // still wait on it until the process exits.
    EventId stopEvent = 0;

    // Options from the crew app's configuration, read once at start-up.
    std::int32_t catchScrollLock = 0;
    std::int32_t fmaCallouts = 0;

    KeyboardLatches latches;
    bool copilotInControl = false;
    // When set, the dispatch procedure keeps the frame-rate and position line on screen.
    std::atomic<bool> positionLine{false};

    Locks locks;
};

}  // namespace tarvo::host
