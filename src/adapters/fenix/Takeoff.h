// The Fenix A320's take-off data, read from its system process where the
// take-off data search found it.
#pragma once

#include "host/Server.h"

namespace tarvo::adapters::fenix {

// On the ground: sends the take-off data record (kind 615) when the block is
// known and still holds a plausible VR; otherwise, with engine 1 or 2 burning
// fuel and no search running, forgets the block and searches for it again,
// and sends nothing this time.
void SendTakeoffData(Server& server, WindowId crewWindow, WindowId linkWindow);

}  // namespace tarvo::adapters::fenix
