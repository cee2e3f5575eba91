// The PMDG 737.
#pragma once

#include "host/Server.h"

namespace tarvo::adapters::pmdg737 {

// Finds the aircraft's local variables (discovery thread).
void Discover(Server& server);

}  // namespace tarvo::adapters::pmdg737
