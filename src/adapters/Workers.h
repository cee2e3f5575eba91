// Short-lived worker threads that carry out timed crew actions (a button held
// for seconds, a code typed key by key). They are counted, so that shutdown
// can wait for the last of them before the Server they use goes away.
#pragma once

#include "host/Server.h"
#include "platform/Threads.h"

#include <atomic>
#include <cstdint>
#include <functional>

namespace tarvo::adapters {

// Runs body on a thread of its own at that priority; false when no thread
// could be made (body then never runs).
bool StartWorker(Server& server, std::function<void()> body, platform::ThreadPriority priority);

// A worker's pause. Returns false, possibly early, once the server is shutting
// down: the worker should then end without its remaining steps.
bool WorkerPause(Server& server, std::uint32_t milliseconds);
// The same, also ending once `current` has moved on from `started`: the
// adapter the worker was started for has been unloaded since.
bool WorkerPause(Server& server, std::uint32_t milliseconds, const std::atomic<std::uint32_t>& current,
                 std::uint32_t started);

// For shutdown, after the main loop: returns when no worker runs any more.
void WaitForWorkers(Server& server);

}  // namespace tarvo::adapters
