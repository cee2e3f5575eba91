// The dispatch procedure: everything the simulator sends arrives here, on the
// main thread.
#pragma once

#include "host/Server.h"
#include "platform/SimConnectAbi.h"

#include <cstdint>

namespace tarvo::sim {

// The SimConnect callback; context is the Server.
void DispatchProc(SIMCONNECT_RECV* data, std::uint32_t size, void* context);

void Dispatch(Server& server, const SIMCONNECT_RECV* data, std::uint32_t size);

}  // namespace tarvo::sim
