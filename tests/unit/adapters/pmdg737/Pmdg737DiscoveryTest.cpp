// The 737's discovery over its stand-in profile.
#include "Pmdg737Fixture.h"

#include "profiles/Profiles.h"

#include <gtest/gtest.h>

#include <set>

namespace tarvo::adapters {
namespace {

struct Pmdg737DiscoveryTest : Pmdg737Fixture {
    std::set<std::uint16_t> FilledIds() const {
        std::set<std::uint16_t> ids;
        for (std::size_t i = 1; i < kSlotCount; ++i) ids.insert(SlotId(fake.server, static_cast<Slot>(i)));
        return ids;
    }
};

TEST_F(Pmdg737DiscoveryTest, EveryVariableOfTheAircraftFillsItsSlot) {
    simworld::AircraftProfile profile = profiles::Pmdg737();
    const std::size_t own = profile.lvars.size();
    profiles::PadLvars(profile, 300);
    ConnectBridge(profile);
    fake.server.bridge.slots.Set(Cell(Slot::Ngx600VariantState), 7);  // left by an earlier aircraft
    const std::size_t linesBefore = LogLines().size();

    pmdg737::Discover(fake.server);

    const auto ids = FilledIds();
    for (std::size_t i = 0; i < own; ++i) {
        EXPECT_TRUE(ids.contains(static_cast<std::uint16_t>(i))) << profile.lvars[i].first << " was not found";
    }
    EXPECT_EQ(SlotId(fake.server, Slot::Idg1DisconnectCover), LvarId("switch_13_73X"));
    EXPECT_EQ(SlotId(fake.server, Slot::WheelChocksSwitch), LvarId("NGXWheelChocks"));
    EXPECT_EQ(SlotId(fake.server, Slot::Ngx800VariantState), LvarId("AC_Hose_NGXu_800X"));
    EXPECT_EQ(SlotId(fake.server, Slot::Ngx600VariantState), bridge::kNotFound) << "the variant is this aircraft's";
    EXPECT_EQ(LogLines().size(), linesBefore) << "one pass, and no lines of its own";
}

TEST_F(Pmdg737DiscoveryTest, AShortListTakesFourPassesAndClosesNothing) {
    ConnectBridge(profiles::Pmdg737());  // fewer names than the adapter looks for
    pmdg737::Discover(fake.server);
    const auto lines = LogLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Looking for more Lvars"), 3);
    EXPECT_TRUE(fake.desktop.keyEvents.empty()) << "no Escape";
    EXPECT_TRUE(fake.desktop.posts.empty()) << "the crew app is not closed";
    EXPECT_EQ(SlotId(fake.server, Slot::TransponderModeSelector), LvarId("switch_800_73X"));
}

}  // namespace
}  // namespace tarvo::adapters
