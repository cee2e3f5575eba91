// The simulator's ATC menu, read from the simulator's memory.
#pragma once

#include "host/Server.h"

namespace tarvo::link {

// Starts the reader thread when it may run; returns whether one is running.
bool StartAtcReader(Server& server);

}  // namespace tarvo::link
