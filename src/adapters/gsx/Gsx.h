// The GSX ground-services add-on, the same on every aircraft.
#pragma once

#include "host/Server.h"

namespace tarvo::adapters::gsx {

// Finds GSX's variables (discovery thread, after every aircraft's own routines).
void Discover(Server& server);

}  // namespace tarvo::adapters::gsx
