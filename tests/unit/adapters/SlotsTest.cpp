#include "adapters/Slots.h"

#include "adapters/CduKeys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tarvo::adapters {
namespace {

// Labels describe a cockpit function and may repeat across aircraft; names may not.
TEST(Slots, NamesAreUniqueAndEachHasALabel) {
    std::set<std::string> names;
    for (std::size_t i = 1; i < kSlotCount; ++i) {
        const auto slot = static_cast<Slot>(i);
        EXPECT_TRUE(names.insert(std::string(SlotName(slot))).second) << SlotName(slot);
        EXPECT_FALSE(SlotLabel(slot).empty()) << SlotName(slot);
    }
    EXPECT_EQ(SlotName(Slot::None), "None");
    EXPECT_EQ(SlotName(Slot::Count), "") << "past the catalogue";
}

TEST(Slots, NoneFillsNoCell) {
    const bridge::WantedVariable wanted = Wanted("NAME", Slot::None);
    EXPECT_EQ(wanted.slot, bridge::kNoSlot);
    EXPECT_EQ(wanted.alsoSlot, bridge::kNoSlot);
    EXPECT_TRUE(wanted.counts);
}

TEST(Slots, EachCduKeyTableNamesItsOwnCdu) {
    for (std::size_t key = 0; key < kCduKeyCount; ++key) {
        const Slot captain = kCaptainCduKeys[key];
        const Slot firstOfficer = kFirstOfficerCduKeys[key];
        EXPECT_EQ(captain == Slot::None, firstOfficer == Slot::None) << key;
        if (captain == Slot::None) continue;
        EXPECT_TRUE(SlotName(captain).starts_with("Cdu1Key")) << key << " " << SlotName(captain);
        EXPECT_EQ(SlotName(firstOfficer), "Cdu2Key" + std::string(SlotName(captain).substr(7))) << key;
    }
}

}  // namespace
}  // namespace tarvo::adapters
