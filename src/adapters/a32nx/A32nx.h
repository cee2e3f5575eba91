// The FlyByWire A32NX and the default A320neo.
#pragma once

#include "host/Server.h"

namespace tarvo::adapters::a32nx {

// Finds the aircraft's local variables and H: events (discovery thread).
void Discover(Server& server);

}  // namespace tarvo::adapters::a32nx
