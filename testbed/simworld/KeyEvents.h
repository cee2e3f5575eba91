// The simulator's key events that the world knows, and what each does to the
// variables.
#pragma once

#include "simworld/Variables.h"

#include <cstdint>
#include <string_view>

namespace tarvo::simworld {

// Names with a dot ("A32NX.FCU_HDG_SET") or a leading '#' ("#69633") belong to
// an add-on: always accepted, handled by whoever registered for them.
bool IsCustomEventName(std::string_view name);
// A simulator key event of the table (letter case ignored).
bool IsKnownKeyEvent(std::string_view name);
// Applies the event's effect; unknown names and events without one change nothing.
void ApplyKeyEvent(Variables& variables, std::string_view name, std::uint32_t data);

}  // namespace tarvo::simworld
