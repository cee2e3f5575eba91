// A fresh Server over fake ports, for one test. The SimConnect port is a
// recorder unless the test brings its own (a simulated world, usually).
#pragma once

#include "fakes/DrivenClock.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeFiles.h"
#include "fakes/FakeProcessMemory.h"
#include "fakes/FakeSound.h"
#include "fakes/FakeThreads.h"
#include "fakes/Journal.h"
#include "fakes/RecordingSimConnect.h"
#include "host/Server.h"

namespace tarvo::fakes {

struct FakeServer {
    FakeServer() : FakeServer(nullptr) {}
    explicit FakeServer(platform::SimConnect* simulator)
        : server(platform::Ports{clock, threads, desktop, files, memory, sound,
                                 simulator != nullptr ? *simulator : simConnect}) {
        desktop.WaitThrough(clock, threads);
    }

    Journal journal;
    DrivenClock clock;
    FakeThreads threads{journal, clock};
    FakeDesktop desktop{journal};
    FakeFiles files{journal};
    FakeProcessMemory memory{journal};
    FakeSound sound{journal};
    RecordingSimConnect simConnect{journal};
    Server server;
};

}  // namespace tarvo::fakes
