// Process-wide state of the host: start-up results, the running flag and the
// handles every subsystem reaches through the Server.
#pragma once

#include "platform/SimConnectAbi.h"
#include "platform/Types.h"

#include <atomic>
#include <cstdint>

namespace tarvo::host {

struct HostState {
    // The main loop runs while this is nonzero; worker threads read it to stop.
    std::atomic<std::int32_t> running{1};
    // The accepted command line as a number, compared with the crew app's handshake.
    std::int32_t versionNumber = 0;

    WindowId linkWindow = 0;
    // Every message to the crew app goes here; 0 while no crew app is known.
    std::atomic<WindowId> crewWindow{0};
    WindowId simulatorWindow = 0;
    ProcessId simulatorProcessId = 0;
    ProcessHandle simulatorProcess = 0;
    SIMCONNECT_HANDLE session = nullptr;
};

}  // namespace tarvo::host
