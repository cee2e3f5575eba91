// A fresh Server over fake ports, for one test.
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
    Journal journal;
    DrivenClock clock;
    FakeThreads threads{journal, clock};
    FakeDesktop desktop{journal};
    FakeFiles files{journal};
    FakeProcessMemory memory{journal};
    FakeSound sound{journal};
    RecordingSimConnect simConnect{journal};
    Server server{platform::Ports{clock, threads, desktop, files, memory, sound, simConnect}};
};

}  // namespace tarvo::fakes
