// What the generic commands do to the simulator and to the aircraft's local
// variables. Every local-variable action needs the bridge in service and a
// slot the current aircraft filled; otherwise it does nothing.
#pragma once

#include "adapters/Slots.h"
#include "adapters/generic/CommandTable.h"
#include "host/Server.h"
#include "sim/SessionState.h"

#include <cstdint>
#include <string_view>

namespace tarvo::adapters::generic {

// A button held down this long: longer than the bridge's own 100 ms press, so
// the add-ons' panels register it.
inline constexpr std::uint32_t kPressMilliseconds = 800;

// Sends a client event by its name; false when it could not be sent.
bool SendEvent(Server& server, std::string_view name, std::uint32_t data);
// Writes one double to a write-only definition; false when it failed.
bool WriteDefinition(Server& server, std::uint32_t definition, double value);

// A field of the last record received; records 0 to 4 are read as 32-bit integers.
std::int32_t StateValue(const Server& server, StateField state);
// The switch is on; the command asks it to be off, or the other way round.
bool Differs(const Server& server, StateField state, std::uint32_t value);

// The slot is read at every use: a worker may outlive the aircraft it was
// started for, and the slot then names another aircraft's variable or none.
void SetSlot(Server& server, Slot slot, double value);
double ReadSlot(Server& server, Slot slot);
void FireSlot(Server& server, Slot slot);
void RunCalculatorCode(Server& server, std::string_view code);
// 1.0, kPressMilliseconds on the calling thread, 0.0.
void Press(Server& server, Slot slot);

// The crew app's signed settings: a value above 50000 stands for -(value - 50000).
double SignedSetting(std::uint32_t value);

}  // namespace tarvo::adapters::generic
