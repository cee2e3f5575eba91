// Numbers of the private window messages between the server and the crew app.
// The same number can mean different things in the two directions.
#pragma once

#include <cstdint>

namespace tarvo::link {

// Sent by the server to the crew app.
inline constexpr std::uint32_t kMsgSimulationStopped = 39169;
inline constexpr std::uint32_t kMsgSimulationRunning = 39170;
inline constexpr std::uint32_t kMsgSimEvent = 39175;
inline constexpr std::uint32_t kMsgServerLeaving = 39176;
inline constexpr std::uint32_t kMsgDeletePressed = 39183;
inline constexpr std::uint32_t kMsgDeleteReleased = 39184;
inline constexpr std::uint32_t kMsgPmdgData = 39197;
inline constexpr std::uint32_t kMsgCopilotHasControl = 39249;
inline constexpr std::uint32_t kMsgPilotHasControl = 39250;
inline constexpr std::uint32_t kMsgAircraftReady = 39255;
inline constexpr std::uint32_t kMsgAtcMenuChanged = 39372;
inline constexpr std::uint32_t kMsgEndPressed = 39380;
inline constexpr std::uint32_t kMsgEndReleased = 39381;
inline constexpr std::uint32_t kMsgLockKeyOn = 39397;
inline constexpr std::uint32_t kMsgLockKeyOff = 39398;

// Received by the link window (39178 and 39369 the server also posts to itself).
inline constexpr std::uint32_t kMsgHideOverlay = 39178;
inline constexpr std::uint32_t kMsgCrewLeaving = 39369;

}  // namespace tarvo::link
