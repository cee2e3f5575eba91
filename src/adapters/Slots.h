// The slot catalogue: one named cell of the shared variable table per cockpit
// function. Every aircraft's discovery writes its own variable for a function
// into that function's slot, so code that reads a slot works on any aircraft
// that has the function. Slot::None (cell 0) stands for "no slot".
#pragma once

#include "bridge/BridgeState.h"
#include "bridge/Discovery.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarvo::adapters {

enum class Slot : std::uint16_t {
#define TARVO_SLOT(name, label) name,
#include "adapters/Slots.def"
#undef TARVO_SLOT
    Count
};
inline constexpr std::size_t kSlotCount = static_cast<std::size_t>(Slot::Count);
static_assert(kSlotCount <= bridge::VariableSlots::kCount, "every slot has a cell in the shared table");

constexpr std::uint16_t Cell(Slot slot) {
    return static_cast<std::uint16_t>(slot);
}

// The slot's identifier, and the variable by which the cockpit function is
// best known (on the first aircraft that names it).
std::string_view SlotName(Slot slot);
std::string_view SlotLabel(Slot slot);

// The id the current aircraft's variable for slot has, or bridge::kNotFound.
inline std::uint16_t SlotId(const Server& server, Slot slot) {
    return server.bridge.slots.Get(Cell(slot));
}

// A name a discovery looks for and the slot (or two) its id fills.
constexpr bridge::WantedVariable Wanted(std::string_view name, Slot slot, Slot alsoSlot = Slot::None,
                                        bool counts = true) {
    const auto cell = [](Slot s) { return s == Slot::None ? bridge::kNoSlot : Cell(s); };
    return {name, cell(slot), cell(alsoSlot), counts};
}

}  // namespace tarvo::adapters
