#include "adapters/Slots.h"
#include "adapters/maddog/Maddog.h"
#include "fixtures/DiscoveryFixture.h"
#include "profiles/Profiles.h"

#include <gtest/gtest.h>

namespace tarvo::adapters {
namespace {

using Lines = std::vector<std::string>;

// The profile lists the aircraft's 155 switch, lever and gauge variables
// first, then its panel event variables.
constexpr std::size_t kVariables = 155;

struct MaddogDiscoveryTest : bridge::DiscoveryFixture {
    // The module lists these names (ids in this order), padded to 1,500.
    void LoadNames(simworld::AircraftProfile names) {
        profiles::PadLvars(names, 1500);
        module.Load(names);
        StartBridge();
        AskForConfiguration();
        WaitUntil([&] { return bridge::CurrentBridge(fake.server)->LvarCount() == names.lvars.size(); });
        StopWorker();
        fake.journal.Clear();
    }

    bool SomeSlotHolds(std::size_t id) const {
        for (std::size_t cell = 1; cell < kSlotCount; ++cell) {
            if (fake.server.bridge.slots.Get(cell) == id) return true;
        }
        return false;
    }
    std::uint16_t Id(Slot slot) const { return fake.server.bridge.slots.Get(Cell(slot)); }
};

// Every name the aircraft's documentation gives is found, spelt as the
// adapter spells it; a misspelling on either side leaves one unfound.
TEST_F(MaddogDiscoveryTest, EveryNameFillsItsSlots) {
    const simworld::AircraftProfile maddog = profiles::Maddog();
    ASSERT_GE(maddog.lvars.size(), kVariables);
    LoadNames(maddog);
    maddog::Discover(fake.server);
    EXPECT_EQ(LogLines(), (Lines{"Looking for Maddog Specific lvars", "Retrieved all Maddog Lvars"}));
    EXPECT_TRUE(Entries({"Clock.Sleep"}).empty()) << "a list of 1,500 names needs one pass";
    for (std::size_t id = 0; id < kVariables; ++id) {
        EXPECT_TRUE(SomeSlotHolds(id)) << maddog.lvars[id].first;
    }
    const auto id = [&](std::string_view name) {
        for (std::size_t i = 0; i < maddog.lvars.size(); ++i) {
            if (maddog.lvars[i].first == name) return static_cast<std::uint16_t>(i);
        }
        return bridge::kNotFound;
    };
    EXPECT_EQ(Id(Slot::MasterCautionLight), id("CM1_mastercaut_adv1"));
    EXPECT_EQ(Id(Slot::MasterWarningLight), id("CM1_masterwarn_adv1"));
    // One variable, two functions.
    EXPECT_EQ(Id(Slot::ExternalPowerOnLight), id("ovhd_ext_bus_adv1"));
    EXPECT_EQ(Id(Slot::ExternalPowerBusLight), id("ovhd_ext_bus_adv1"));
    EXPECT_EQ(Id(Slot::AntiSkidSwitch), id("ovhd_antiskid_switch1"));
    EXPECT_EQ(Id(Slot::AntiSkidTestSwitch), id("ovhd_antiskid_switch1"));
    EXPECT_EQ(Id(Slot::RadioNavSourceSelector), id("ovhd_radio_nav_knob1"));
    EXPECT_EQ(Id(Slot::NavReceiverSourceSelector), id("ovhd_radio_nav_knob1"));
}

TEST_F(MaddogDiscoveryTest, OneHundredThirtyNamesAreEnough) {
    simworld::AircraftProfile some = profiles::Maddog();
    some.lvars.resize(130);
    LoadNames(some);
    maddog::Discover(fake.server);
    EXPECT_EQ(LogLines().back(), "Retrieved all Maddog Lvars");
    EXPECT_EQ(Entries({"Desktop.SendKeyEvent", "Desktop.Post"}), Lines{});
}

TEST_F(MaddogDiscoveryTest, OneFewerClosesTheCrewApp) {
    simworld::AircraftProfile some = profiles::Maddog();
    some.lvars.resize(129);
    LoadNames(some);
    maddog::Discover(fake.server);
    EXPECT_EQ(LogLines(), Lines{"Looking for Maddog Specific lvars"});
    EXPECT_EQ(Entries({"Desktop.SendKeyEvent", "Desktop.Post"}),
              (Lines{"Desktop.SendKeyEvent 27 0", "Desktop.SendKeyEvent 27 2", "Desktop.Post 16"}));
    ASSERT_EQ(fake.desktop.posts.size(), 1u);
    EXPECT_EQ(fake.desktop.posts[0], (fakes::PostedMessage{kCrewWindow, 16, 1, 1})) << "WM_CLOSE 1, 1";
}

// The names compared with an empty name are left out: a variable without a
// name fills no slot.
TEST_F(MaddogDiscoveryTest, AnEmptyNameFillsNothing) {
    simworld::AircraftProfile names;
    names.lvars.emplace_back("", 0.0);
    const simworld::AircraftProfile maddog = profiles::Maddog();
    names.lvars.insert(names.lvars.end(), maddog.lvars.begin(), maddog.lvars.end());
    LoadNames(names);
    maddog::Discover(fake.server);
    EXPECT_FALSE(SomeSlotHolds(0));
    EXPECT_EQ(LogLines().back(), "Retrieved all Maddog Lvars");
}

}  // namespace
}  // namespace tarvo::adapters
