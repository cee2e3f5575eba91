// The Maddog's timed movements, each on a worker thread of its own at below
// normal priority: flaps to a detent, the fire test, the clock's chronograph
// and the engine-sync knob. Workers write only while the aircraft they were
// started for is loaded.
#pragma once

#include "host/Server.h"

#include <cstdint>

namespace tarvo::adapters::maddog {

// Flaps to a detent (1 to 5) or a lever position (0 to 100): queued for the
// flap worker, which asks the snapshot polls for one lever notch at a time.
void QueueFlapDetent(Server& server, std::int32_t value);
void StartFireTest(Server& server);
void StartClockChronograph(Server& server);
// The engine-sync knob to position 0 to 3.
void RequestEngineSync(Server& server, std::int32_t target);

// One notch of the steps the flap worker asked for, if any; for the snapshot polls.
void SpendFlapStep(Server& server);

// From here on no worker of this load writes; the flap requests and steps are forgotten.
void StopWorkers(Server& server);

}  // namespace tarvo::adapters::maddog
