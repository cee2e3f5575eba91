// The dispatch procedure: everything the simulator sends arrives here, on the
// main thread. Records shorter than their kind's header are ignored; data is
// copied only as far as the record goes.
#pragma once

#include "host/Server.h"
#include "platform/SimConnectAbi.h"

#include <cstdint>
#include <string>

namespace tarvo::sim {

// The SimConnect callback; context is the Server.
void DispatchProc(SIMCONNECT_RECV* data, std::uint32_t size, void* context);

void Dispatch(Server& server, const SIMCONNECT_RECV* data, std::uint32_t size);

// The frame-rate and position line shown in the overlay when asked for.
std::string PositionLine(double averageFrameRate, double latitudeRadians, double longitudeRadians,
                         std::int32_t altitudeFeet, double gForce, double simulationRate);

}  // namespace tarvo::sim
