// The WASM bridge: a second SimConnect connection to the FSUIPC WASM module.
#pragma once

#include "host/Server.h"

namespace tarvo::bridge {

// Destroys the bridge instance if one exists (at shutdown).
void DestroyBridge(Server& server);

// Whether a bridge instance exists.
bool HasBridge(Server& server);
// Asks the current bridge to end and forgets it (on an aircraft change).
void StopBridge(Server& server);
// Sets every lvar and hvar slot to "not found".
void ResetLvarSlots(Server& server);
// The discovery thread's body: brings up the bridge and finds the current
// aircraft's local variables.
void RunDiscovery(Server& server);

}  // namespace tarvo::bridge
