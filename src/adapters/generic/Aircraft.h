// Which add-on the generic adapter is serving: the crew app's aircraft id
// together with what discovery found out about the aircraft. Every test names
// the id, because the flags outlive the aircraft that set them until the next
// discovery clears them.
#pragma once

#include "adapters/Slots.h"
#include "bridge/Registry.h"
#include "host/Server.h"

namespace tarvo::adapters::generic {

inline constexpr std::int32_t kA320FamilyId = 58;
inline constexpr std::int32_t kCaptainSim777Id = 30;
inline constexpr std::int32_t kAsobo747Id = 57;
inline constexpr std::int32_t kAsobo787Id = 56;
inline constexpr std::int32_t kCj4Id = 59;

inline bool IsFenix(const Server& server) {
    return server.adapters.currentAircraftId == kA320FamilyId && server.adapters.fenixFlag;
}

// The FlyByWire A32NX; the Fenix's discovery sets the same flag, so test the
// Fenix first where the two differ.
inline bool IsA32nx(const Server& server) {
    return server.adapters.currentAircraftId == kA320FamilyId && server.adapters.a320LvarsFound;
}

inline bool IsAsobo747(const Server& server) {
    const std::int32_t id = server.adapters.currentAircraftId;
    return (id == kCaptainSim777Id || id == kAsobo747Id) && server.adapters.asobo747Flag;
}

inline bool IsAsobo787(const Server& server) {
    return server.adapters.currentAircraftId == kAsobo787Id;
}

inline bool IsCj4(const Server& server) {
    return server.adapters.currentAircraftId == kCj4Id && server.adapters.cj4Flag;
}

// Whether the current aircraft has a variable in the slot and a bridge to read it by.
inline bool IsSlotKnown(Server& server, Slot slot) {
    return bridge::HasBridge(server) && SlotId(server, slot) != bridge::kNotFound;
}

// The slot's variable; 0.0 without a bridge or when the aircraft has none.
inline double ReadSlot(Server& server, Slot slot) {
    return bridge::GetLvarValue(server, SlotId(server, slot));
}

}  // namespace tarvo::adapters::generic
