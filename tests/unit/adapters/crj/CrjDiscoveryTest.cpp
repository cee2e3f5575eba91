#include "CrjFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace tarvo::adapters {
namespace {

struct CrjDiscoveryTest : CrjFixture {
    void Discover(simworld::AircraftProfile aircraft) { RunDiscovery(crj::Discover, std::move(aircraft)); }

    Lines Sequence() const { return DiscoverySequence({kLookingLine, kSuccessLine, kListLine}); }

    static constexpr const char* kLookingLine = "Looking for more Lvars";
    static constexpr const char* kSuccessLine = "Retrieved all relevant Aerosoft CRJ Lvars";
    static constexpr const char* kListLine = "identified relevant Aerosoft CRJ Lvars";

    static simworld::AircraftProfile FirstNames(std::size_t count, std::size_t total) {
        return LvarAircraftFixture::FirstNames(profiles::Crj(), count, total);
    }
};

TEST_F(CrjDiscoveryTest, AFullListTakesOnePassAndMovesTheArmrest) {
    Discover(FirstNames(399, 1450));
    EXPECT_EQ(Sequence(), (Lines{"Retrieved all relevant Aerosoft CRJ Lvars", "Clock.Sleep 4000",
                                 "identified relevant Aerosoft CRJ Lvars"}));
    EXPECT_EQ(ReceivedSince(0), (Lines{"0 ASCRJ_FO_ARMREST_UP=1", "4000 ASCRJ_FO_ARMREST_UP=0"}));
    EXPECT_EQ(Cell(Slot::Cdu2KeyMessage), LvarId("ASCRJ_MCDU2_MSG"));
    // A doubled name fills both its slots.
    EXPECT_EQ(Cell(Slot::EcamClearRightButton), LvarId("ASCRJ_ECAM_CAS"));
    EXPECT_EQ(Cell(Slot::EcamRecallButton), LvarId("ASCRJ_ECAM_CAS"));
}

TEST_F(CrjDiscoveryTest, AShorterListIsAskedForAgainEveryFiveSeconds) {
    Discover(FirstNames(399, 1420));
    EXPECT_EQ(Sequence(),
              (Lines{"Looking for more Lvars", "Clock.Sleep 5000", "Looking for more Lvars", "Clock.Sleep 5000",
                     "Looking for more Lvars", "Clock.Sleep 5000", "Retrieved all relevant Aerosoft CRJ Lvars",
                     "Clock.Sleep 4000", "identified relevant Aerosoft CRJ Lvars"}));
}

// The first 353 names hold the seven doubles: 360 matches, just enough.
struct Counting {
    std::size_t names;
    bool complete;
};
struct CrjCountingTest : CrjDiscoveryTest, ::testing::WithParamInterface<Counting> {};

TEST_P(CrjCountingTest, EveryEntryMatchedCountsTowardThe360) {
    Discover(FirstNames(GetParam().names, 1450));
    EXPECT_EQ(Logged(kSuccessLine), GetParam().complete);
    EXPECT_EQ(fake.desktop.posts.size(), GetParam().complete ? 0u : 1u) << "WM_CLOSE to the crew app";
}
INSTANTIATE_TEST_SUITE_P(Crj, CrjCountingTest, ::testing::Values(Counting{353, true}, Counting{352, false}),
                         [](const auto& info) { return std::to_string(info.param.names) + "Names"; });

// A name compares whole, ignoring case: a longer name is another variable.
TEST_F(CrjDiscoveryTest, NamesMatchWholeAndIgnoringCase) {
    simworld::AircraftProfile aircraft = profiles::Crj();
    for (auto& [name, value] : aircraft.lvars) {
        if (name == "ASCRJ_EXTL_BEACO") name = "ASCRJ_EXTL_BEACON";
        if (name == "ASCRJ_EXTL_STROBE") name = "ascrj_extl_strobe";
    }
    profiles::PadLvars(aircraft, 1450);
    Discover(aircraft);
    EXPECT_EQ(Cell(Slot::BeaconLightSwitch), bridge::kNotFound);
    EXPECT_EQ(Cell(Slot::StrobeLightSwitch), LvarId("ascrj_extl_strobe"));
    EXPECT_TRUE(Logged(kSuccessLine)) << "405 matches";

    const std::size_t before = module.Receipts().size();
    Run(66239, 1);
    EXPECT_EQ(ReceivedSince(before), Lines{});
    EXPECT_EQ(AsDouble(Query(368, -1.0)), -1.0) << "no beacon: the answer stays";
}

TEST(CrjDiscoveryTable, SevenNamesFillTwoCellsAndNoCellIsNamedTwice) {
    const auto table = crj::DiscoveryTable();
    EXPECT_EQ(table.size(), 406u);
    std::map<std::string_view, int> names;
    std::set<std::uint16_t> cells;
    for (const bridge::WantedVariable& wanted : table) {
        ++names[wanted.name];
        EXPECT_TRUE(cells.insert(wanted.slot).second) << wanted.name;
        EXPECT_NE(wanted.slot, bridge::kNoSlot) << wanted.name;
        EXPECT_EQ(wanted.alsoSlot, bridge::kNoSlot) << wanted.name;
        EXPECT_TRUE(wanted.counts) << wanted.name;
    }
    EXPECT_EQ(names.size(), 399u);
    std::set<std::string_view> doubles;
    for (const auto& [name, count] : names) {
        if (count > 1) doubles.insert(name);
    }
    EXPECT_EQ(doubles,
              (std::set<std::string_view>{"ASCRJ_GPWS", "ASCRJ_ELEC_GPU_AVAIL", "ASCRJ_ELEC_GPU_INUSE", "ASCRJ_DH_CPT",
                                          "ASCRJ_DH_FO", "ASCRJ_AICE_WSHLD_TEST", "ASCRJ_ECAM_CAS"}));
}

}  // namespace
}  // namespace tarvo::adapters
