// The Fenix A320, served by the generic adapter through its local variables
// and its own memory.
#pragma once

#include "host/Server.h"

namespace tarvo::adapters::fenix {

// Finds the aircraft's local variables (discovery thread).
void Discover(Server& server);

}  // namespace tarvo::adapters::fenix
