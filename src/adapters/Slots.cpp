#include "adapters/Slots.h"

#include <array>

namespace tarvo::adapters {
namespace {

struct SlotText {
    std::string_view name;
    std::string_view label;
};

constexpr std::array<SlotText, kSlotCount> kSlotTexts = {{
#define TARVO_SLOT(name, label) {#name, label},
#include "adapters/Slots.def"
#undef TARVO_SLOT
}};

}  // namespace

std::string_view SlotName(Slot slot) {
    const auto index = static_cast<std::size_t>(slot);
    return index < kSlotCount ? kSlotTexts[index].name : std::string_view{};
}

std::string_view SlotLabel(Slot slot) {
    const auto index = static_cast<std::size_t>(slot);
    return index < kSlotCount ? kSlotTexts[index].label : std::string_view{};
}

}  // namespace tarvo::adapters
