// The Fenix A320's timed panel sequences that crew commands start; each runs
// on a worker thread of its own (adapters/Workers.h) and pauses with
// WorkerPause, so it ends early when the server shuts down.
#pragma once

#include "host/Server.h"

namespace tarvo::adapters::fenix {

// The first officer's oxygen mask test.
void TestFirstOfficerOxygenMask(Server& server);

}  // namespace tarvo::adapters::fenix
