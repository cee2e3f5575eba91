// The PMDG 777.
#pragma once

#include "host/Server.h"

namespace tarvo::adapters::pmdg777 {

// Finds the aircraft's local variables (discovery thread).
void Discover(Server& server);

}  // namespace tarvo::adapters::pmdg777
