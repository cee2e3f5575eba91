// The main simulator session: definitions, requests, subscriptions, client events.
#pragma once

#include "host/Server.h"

#include <cstdint>

namespace tarvo::sim {

// The system events the session subscribes to, by client event id.
inline constexpr std::uint32_t kEventSim = 150;
inline constexpr std::uint32_t kEventFrame = 151;
inline constexpr std::uint32_t kEventAircraftLoaded = 152;
inline constexpr std::uint32_t kEventPositionChanged = 153;
inline constexpr std::uint32_t kEventFlightPlan = 154;

// Declares everything the session needs, once, after the session is open, and
// installs the generic adapter.
void SetUpSession(Server& server);

// Asks once for the design record, then the identity strings, of the user aircraft.
void RequestAircraftIdentity(Server& server);

}  // namespace tarvo::sim
