// The FlyByWire A32NX and the default A320neo.
#pragma once

#include "bridge/Discovery.h"
#include "host/Server.h"

#include <cstdint>
#include <span>

namespace tarvo::adapters::a32nx {

// Finds the aircraft's local variables and H: events (discovery thread). The
// A320 variables found tell an A32NX from the simulator's A320neo; the A32NX
// event flag that its state variables, and so its custom events, are there.
void Discover(Server& server);

// The names looked for, in their order.
std::span<const bridge::WantedVariable> LvarList();
std::span<const bridge::WantedVariable> HvarList();

// The A320 family's commands that the generic command table does not hold
// (aircraft 58, bridge in service): Fenix, A32NX and the simulator's A320neo.
// Any other code does nothing. Always 1.
std::int32_t HandleCommand(Server& server, std::uint32_t code, std::uint32_t value);

}  // namespace tarvo::adapters::a32nx
