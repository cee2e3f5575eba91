#include "InibuildsFixture.h"

#include "link/Messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

namespace tarvo::adapters {
namespace {

constexpr std::size_t kModuleNames = 3000;

struct InibuildsDiscoveryTest : InibuildsFixture {
    // The aircraft's names, the module's list filled up to its usual length.
    void Discover(simworld::AircraftProfile aircraft) {
        profiles::PadLvars(aircraft, kModuleNames);
        ConnectBridge(std::move(aircraft));
        inibuilds::Discover(fake.server);
    }

    // The discovery's own lines and what it did outside the module.
    Lines DiscoveryLines() const {
        Lines lines;
        for (const std::string& line : LogLines()) {
            if (line.find("Inibuild") != std::string::npos || line == "Looking for more Lvars") {
                lines.push_back(line);
            }
        }
        return lines;
    }
    bool ClosedTheCrewApp() const {
        const auto& posts = fake.desktop.posts;
        return std::find(posts.begin(), posts.end(), fakes::PostedMessage{crewWindow, 16, 1, 1}) != posts.end();
    }
};

// Every name of either aircraft's documentation is in the adapter's list,
// and the list wants no name the aircraft do not have: typed apart, a typo
// on either side shows here.
TEST_F(InibuildsDiscoveryTest, TheListMatchesEveryNameOfBothAircraft) {
    std::set<std::string> folded;
    for (const bridge::WantedVariable& wanted : inibuilds::WantedVariables()) {
        std::string name(wanted.name);
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        EXPECT_TRUE(folded.insert(name).second) << "listed twice: " << wanted.name;
    }
    for (const auto& [aircraft, profile] : {std::pair{"A310", profiles::A310()}, std::pair{"A300", profiles::A300()}}) {
        bridge::NameListCopy names;
        for (std::size_t i = 0; i < profile.lvars.size(); ++i)
            names[static_cast<std::int32_t>(i)] = profile.lvars[i].first;
        bridge::VariableSlots slots;
        const std::size_t found = bridge::MatchNames(names, bridge::NameIndex(inibuilds::WantedVariables()), slots);
        EXPECT_EQ(found, profile.lvars.size()) << aircraft << ": every documented name is wanted";
    }
    // Everything but the guessed right landing light, on each aircraft.
    EXPECT_EQ(profiles::A310().lvars.size(), 295u);
    EXPECT_EQ(profiles::A300().lvars.size(), 294u) << "the A300 has no green-dot speed";
}

TEST_F(InibuildsDiscoveryTest, TheA310IsRecognisedAndItsArmrestRaised) {
    Discover(profiles::A310());
    EXPECT_TRUE(IsA310());
    EXPECT_EQ(DiscoveryLines(), (Lines{"Looking for Inibuild Specific lvars", "Retrieved all Inibuild A310 Lvars"}))
        << "one pass over 3000 names";
    EXPECT_EQ(SlotId(fake.server, Slot::Ir1ModeSelector), LvarId("A310_IRS1_STATE"));
    EXPECT_EQ(SlotId(fake.server, Slot::LogoLightSwitch), LvarId("A310_NAV_LOGO_LIGHT_SWITCH"));
    EXPECT_EQ(ReceivedSince(0), (Lines{"0 A310_ARMREST_FO=1", "4000 A310_ARMREST_FO=0"}));
    EXPECT_FALSE(ClosedTheCrewApp());
}

TEST_F(InibuildsDiscoveryTest, TheA300IsRecognisedByTheA310NamesMissing) {
    fake.server.adapters.inibuilds.a310Flag = true;  // an A310 before
    Discover(profiles::A300());
    EXPECT_FALSE(IsA310());
    EXPECT_EQ(DiscoveryLines(), (Lines{"Looking for Inibuild Specific lvars", "Retrieved all Inibuild A300 Lvars"}));
    EXPECT_EQ(SlotId(fake.server, Slot::SSpeedValue), LvarId("FCPC_S_SPEED"));
    EXPECT_EQ(ReceivedSince(0), (Lines{"0 INI_ARMREST_FO=1", "4000 INI_ARMREST_FO=0"}));
}

// A complete discovery needs 95 % of what the aircraft can match: the list has
// 295 names an A310 can match (281 needed) and 294 an A300 can (280).
struct InibuildsRequiredMatchesTest : InibuildsDiscoveryTest, ::testing::WithParamInterface<bool> {};

INSTANTIATE_TEST_SUITE_P(Names, InibuildsRequiredMatchesTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Required" : "OneShort"; });

TEST_P(InibuildsRequiredMatchesTest, OneNameShortRunsTheIncompleteSteps) {
    EXPECT_EQ(inibuilds::RequiredMatches(true), 281u);
    EXPECT_EQ(inibuilds::RequiredMatches(false), 280u);
    const bool enough = GetParam();
    simworld::AircraftProfile a310 = profiles::A310();
    a310.lvars.resize(inibuilds::RequiredMatches(true) - (enough ? 0 : 1));
    Discover(std::move(a310));
    EXPECT_TRUE(IsA310());
    EXPECT_EQ(ClosedTheCrewApp(), !enough);
    EXPECT_EQ(fake.desktop.keyEvents.size(), enough ? 0u : 2u) << "Escape down and up";
    EXPECT_EQ(ReceiptCount(), enough ? 2u : 0u) << "the armrest only when complete";
    EXPECT_EQ(DiscoveryLines().size(), enough ? 2u : 1u);
}

}  // namespace
}  // namespace tarvo::adapters
