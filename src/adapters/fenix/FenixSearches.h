// The Fenix A320's memory searches and its system process, as far as start-up
// and shutdown deal with them.
#pragma once

#include "host/Server.h"

namespace tarvo::adapters::fenix {

// Asks a running take-off data search to stop; true when one was running.
bool RequestTakeoffSearchStop(Server& server);
// Asks a running FMA search to stop; true when one was running.
bool RequestFmaSearchStop(Server& server);
// Closes the Fenix system process handle if it is open.
void CloseSystemProcess(Server& server);

}  // namespace tarvo::adapters::fenix
