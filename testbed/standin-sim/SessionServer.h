// Serves SimConnect sessions over a named pipe: one pipe instance and one
// thread per session, each call executed on the simulated world.
#pragma once

#include "platform/SimConnect.h"

#include <atomic>
#include <string>

namespace tarvo::standin {

class SessionServer {
public:
    SessionServer(platform::SimConnect& simConnect, std::string pipeName)
        : simConnect_(simConnect), pipeName_(std::move(pipeName)) {}
    // Starts accepting sessions on a thread of its own.
    void Start();
    // Sessions whose client is still connected.
    int ActiveSessions() const { return active_; }

private:
    void Accept();
    void Serve(void* pipe);

    platform::SimConnect& simConnect_;
    std::string pipeName_;
    std::atomic<int> active_{0};
};

}  // namespace tarvo::standin
