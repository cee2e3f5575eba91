// The WASM bridge: a second SimConnect connection to the FSUIPC WASM module.
#pragma once

#include "host/Server.h"

namespace tarvo::bridge {

// Destroys the bridge instance if one exists (at shutdown).
void DestroyBridge(Server& server);

}  // namespace tarvo::bridge
