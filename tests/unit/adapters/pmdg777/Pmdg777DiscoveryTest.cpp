// The 777's discovery over its stand-in profile.
#include "Pmdg777Fixture.h"

#include "profiles/Profiles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarvo::adapters {
namespace {

using Pmdg777DiscoveryTest = Pmdg777Fixture;

TEST_F(Pmdg777DiscoveryTest, EveryVariableTheAdapterReadsFillsItsSlotInOnePass) {
    simworld::AircraftProfile profile = profiles::Pmdg777();
    profiles::PadLvars(profile, 400);
    ConnectBridge(profile);
    const std::size_t linesBefore = LogLines().size();

    pmdg777::Discover(fake.server);

    // The profile lists the variables read first: 142 of them.
    for (std::uint16_t id = 0; id < 142; ++id) {
        bool filled = false;
        for (std::size_t i = 1; i < kSlotCount && !filled; ++i)
            filled = SlotId(fake.server, static_cast<Slot>(i)) == id;
        EXPECT_TRUE(filled) << profile.lvars[id].first << " was not found";
    }
    EXPECT_EQ(SlotId(fake.server, Slot::T7x126bSwitch), LvarId("switch_126_b"));
    EXPECT_EQ(SlotId(fake.server, Slot::GroundPowerUnitSwitch), LvarId("NGXGPU"));
    EXPECT_EQ(SlotId(fake.server, Slot::Engine2MasterSwitch), LvarId("switch_521_a"));
    EXPECT_EQ(SlotId(fake.server, Slot::T7xMainCargoDoorValue), LvarId("7X7Xmaincargodoor"));
    EXPECT_EQ(LogLines().size(), linesBefore) << "one pass, and no lines of its own";
}

TEST_F(Pmdg777DiscoveryTest, AShortListClosesNothing) {
    simworld::AircraftProfile profile = profiles::Pmdg777();
    profile.lvars.resize(20);
    ConnectBridge(profile);
    pmdg777::Discover(fake.server);
    EXPECT_TRUE(fake.desktop.keyEvents.empty()) << "no Escape";
    EXPECT_TRUE(fake.desktop.posts.empty()) << "the crew app is not closed";
    EXPECT_EQ(SlotId(fake.server, Slot::T7x03Switch), LvarId("switch_03_a"));
}

}  // namespace
}  // namespace tarvo::adapters
