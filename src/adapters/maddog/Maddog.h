// The Maddog.
#pragma once

#include "host/Server.h"

namespace tarvo::adapters::maddog {

// Finds the aircraft's local variables (discovery thread).
void Discover(Server& server);

}  // namespace tarvo::adapters::maddog
