// The FlyByWire A32NX and the default A320neo.
#pragma once

#include "host/Server.h"

#include <cstdint>

namespace tarvo::adapters::a32nx {

// Finds the aircraft's local variables and H: events (discovery thread).
void Discover(Server& server);

// The A320 family's commands that the generic command table does not hold
// (aircraft 58, bridge in service): Fenix, A32NX and the simulator's A320neo.
void HandleCommand(Server& server, std::uint32_t code, std::uint32_t value);

}  // namespace tarvo::adapters::a32nx
