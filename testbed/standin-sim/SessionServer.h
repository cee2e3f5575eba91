// Serves SimConnect sessions over a named pipe: one pipe instance and one
// thread per session, each call executed on the simulated world.
#pragma once

#include "platform/SimConnect.h"

#include <atomic>
#include <mutex>
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
    // The key events received since the last call, oldest first, each as
    // TICKS:EVENT:DATA (TICKS: the performance counter when its call arrived,
    // which other processes on the machine read on the same scale).
    std::string TakeEventArrivals();

private:
    void Accept();
    void Serve(void* pipe);

    platform::SimConnect& simConnect_;
    std::string pipeName_;
    std::atomic<int> active_{0};
    std::mutex arrivalsMutex_;
    std::string arrivals_;
};

}  // namespace tarvo::standin
