// Choosing the adapter for the crew app's aircraft, and what every adapter
// shares: forwarding simulator events and unloading.
#pragma once

#include "host/Server.h"

#include <cstdint>

namespace tarvo::adapters {

// Simulator events the crew app wants: the add-on range and the two spoiler events.
bool IsForwardedSimEvent(std::uint32_t eventId);
// The operation every adapter uses: forwards those events to the crew app as 39175.
void ForwardSimEvent(Server& server, std::uint32_t eventId, std::uint32_t data, std::uint32_t unused);

// Calls the unload operation of the current adapter, if one is installed.
void UnloadAdapter(Server& server);

// Every slot back to "not found" and the flags that discovery set cleared:
// what discovery found belongs to the aircraft it ran for.
void ForgetDiscoveries(Server& server);

// Message 39189: installs the adapter for the crew app's aircraft id, or with
// searchFlag 2 looks for the Fenix A320 instead.
void SelectAdapter(Server& server, std::int32_t aircraftId, LParam searchFlag);

}  // namespace tarvo::adapters
