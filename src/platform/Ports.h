// Everything outside the process that the core reaches, bundled so a Server can
// be built from real ports (win32/) or from fakes (tests).
#pragma once

#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/ProcessMemory.h"
#include "platform/SimConnect.h"
#include "platform/Sound.h"
#include "platform/Threads.h"

namespace tarvo::platform {

struct Ports {
    Clock& clock;
    Threads& threads;
    Desktop& desktop;
    Files& files;
    ProcessMemory& memory;
    Sound& sound;
    SimConnect& simConnect;
};

}  // namespace tarvo::platform
