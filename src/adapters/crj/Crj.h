// The Aerosoft CRJ.
#pragma once

#include "host/Server.h"

namespace tarvo::adapters::crj {

// Finds the aircraft's local variables (discovery thread).
void Discover(Server& server);

}  // namespace tarvo::adapters::crj
