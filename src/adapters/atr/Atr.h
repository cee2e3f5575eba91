// The Asobo ATR.
#pragma once

#include "host/Server.h"

namespace tarvo::adapters::atr {

// Finds the aircraft's local variables (discovery thread).
void Discover(Server& server);

}  // namespace tarvo::adapters::atr
