// What the Inibuilds commands and workers do to the aircraft's variables.
// A variable is reached through its slot at every use: a worker may outlive
// the aircraft it was started for.
#pragma once

#include "adapters/Slots.h"
#include "bridge/Registry.h"
#include "host/Server.h"

#include <string_view>

namespace tarvo::adapters::inibuilds {

inline bool IsA310(const Server& server) {
    return server.adapters.inibuilds.a310Flag;
}

// The A310's text of a command when the A310 is loaded, else the A300's.
inline std::string_view ForAircraft(const Server& server, std::string_view a300, std::string_view a310) {
    return IsA310(server) ? a310 : a300;
}

// The aircraft has a variable in the slot and a bridge to reach it by. A
// decision taken on a slot that is not known would take 0.0 for its state.
inline bool IsKnown(Server& server, Slot slot) {
    return bridge::HasBridge(server) && SlotId(server, slot) != bridge::kNotFound;
}

// 0.0 without a bridge or when the aircraft has no variable there.
inline double Read(Server& server, Slot slot) {
    return bridge::GetLvarValue(server, SlotId(server, slot));
}

// Nothing without a bridge or when the aircraft has no variable there.
inline void Set(Server& server, Slot slot, double value) {
    bridge::SetLvarValue(server, SlotId(server, slot), value);
}

inline void RunCode(Server& server, std::string_view code) {
    bridge::ExecuteCalculatorCode(server, code);
}

}  // namespace tarvo::adapters::inibuilds
