// The Inibuilds A310 and A300.
#pragma once

#include "host/Server.h"

namespace tarvo::adapters::inibuilds {

// Finds the aircraft's local variables (discovery thread).
void Discover(Server& server);

}  // namespace tarvo::adapters::inibuilds
