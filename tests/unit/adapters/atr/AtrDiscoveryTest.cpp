#include "AtrFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace tarvo::adapters {
namespace {

struct AtrDiscoveryTest : AtrFixture {
    void Discover(simworld::AircraftProfile aircraft) { RunDiscovery(atr::Discover, std::move(aircraft)); }

    Lines Sequence() const { return DiscoverySequence({kLookingLine, kSuccessLine}); }

    static constexpr const char* kLookingLine = "Looking for more Lvars";
    static constexpr const char* kSuccessLine = "Retrieved all relevant Asobo ATR Lvars";

    static simworld::AircraftProfile FirstNames(std::size_t count, std::size_t total) {
        return LvarAircraftFixture::FirstNames(profiles::Atr(), count, total);
    }
};

TEST_F(AtrDiscoveryTest, AFullListTakesOnePassThenTheArmrestAndTheSecondMcduKeyMove) {
    Discover(FirstNames(441, 1400));
    EXPECT_EQ(Sequence(), (Lines{kSuccessLine, "Clock.Sleep 4000", "Clock.Sleep 500", "Clock.Sleep 300"}));
    EXPECT_EQ(ReceivedSince(0), (Lines{"0 MSATR_MISC_ARMREST_FO_L=1", "4000 MSATR_MISC_ARMREST_FO_L=0",
                                       "4500 MSATR_MCDU2_L1=1", "4800 MSATR_MCDU2_L1=0"}));
    EXPECT_EQ(Cell(Slot::Cdu1KeyFix), LvarId("MSATR_MCDU1_FIX"));
    EXPECT_EQ(Cell(Slot::Cdu2KeyIndex), LvarId("MSATR_MCDU2_INDEX"));
    EXPECT_EQ(Cell(Slot::Cdu2KeyFix), bridge::kNotFound);
    // A doubled name fills both its slots.
    EXPECT_EQ(Cell(Slot::Cdu2KeyMenu), LvarId("MSATR_MCDU2_MENU"));
    EXPECT_EQ(Cell(Slot::AtrCdu2MenuKeySecond), LvarId("MSATR_MCDU2_MENU"));
    EXPECT_EQ(Cell(Slot::ExternalPowerAvailLight), LvarId("MSATR_ELEC_DC_EXTPWR_AVAIL_LT"));
}

TEST_F(AtrDiscoveryTest, AShorterListIsAskedForAgainUpToFourPasses) {
    Discover(FirstNames(441, 1399));
    EXPECT_EQ(Sequence(),
              (Lines{kLookingLine, "Clock.Sleep 5000", kLookingLine, "Clock.Sleep 5000", kLookingLine,
                     "Clock.Sleep 5000", kSuccessLine, "Clock.Sleep 4000", "Clock.Sleep 500", "Clock.Sleep 300"}));
}

// The first 354 names hold six of the doubles: 360 matches, just enough.
struct Counting {
    std::size_t names;
    bool complete;
};
struct AtrCountingTest : AtrDiscoveryTest, ::testing::WithParamInterface<Counting> {};

TEST_P(AtrCountingTest, EveryEntryMatchedCountsTowardThe360) {
    Discover(FirstNames(GetParam().names, 1400));
    EXPECT_EQ(Logged(kSuccessLine), GetParam().complete);
    EXPECT_EQ(fake.desktop.posts.size(), GetParam().complete ? 0u : 1u) << "WM_CLOSE to the crew app";
    EXPECT_EQ(ReceivedSince(0).empty(), !GetParam().complete);
}
INSTANTIATE_TEST_SUITE_P(Atr, AtrCountingTest, ::testing::Values(Counting{354, true}, Counting{353, false}),
                         [](const auto& info) { return std::to_string(info.param.names) + "Names"; });

TEST(AtrDiscoveryTable, SevenNamesFillTwoCellsAndNoCellIsNamedTwice) {
    const auto table = atr::DiscoveryTable();
    EXPECT_EQ(table.size(), 448u);
    std::map<std::string_view, int> names;
    std::set<std::uint16_t> cells;
    for (const bridge::WantedVariable& wanted : table) {
        ++names[wanted.name];
        EXPECT_TRUE(cells.insert(wanted.slot).second) << wanted.name;
        EXPECT_NE(wanted.slot, bridge::kNoSlot) << wanted.name;
        EXPECT_TRUE(wanted.counts) << wanted.name;
    }
    EXPECT_EQ(names.size(), 441u);
    std::set<std::string_view> doubles;
    for (const auto& [name, count] : names) {
        if (count > 1) doubles.insert(name);
    }
    EXPECT_EQ(doubles, (std::set<std::string_view>{"MSATR_FGCP_VNAV", "MSATR_FGCP_FD1", "MSATR_FGCP_FD2",
                                                   "MSATR_ELEC_DC_EXTPWR_AVAIL_LT", "MSATR_FGCP_HDG", "MSATR_FGCP_ALT",
                                                   "MSATR_MCDU2_MENU"}));
    // Every name of the table is one the aircraft has, spelt the same.
    const simworld::AircraftProfile aircraft = profiles::Atr();
    std::set<std::string_view> listed;
    for (const auto& [name, value] : aircraft.lvars) listed.insert(name);
    EXPECT_EQ(listed.size(), aircraft.lvars.size());
    for (const auto& [name, count] : names) EXPECT_TRUE(listed.contains(name)) << name;
    EXPECT_EQ(listed.size(), 441u);
}

}  // namespace
}  // namespace tarvo::adapters
