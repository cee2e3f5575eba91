#include "adapters/fenix/Fenix.h"

#include "fixtures/AdapterFixture.h"
#include "link/Messages.h"
#include "profiles/Profiles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarvo::adapters {
namespace {

using Lines = std::vector<std::string>;

struct Case {
    const char* what;
    std::size_t first;                // the aircraft's first names in its documented order
    std::size_t total;                // padded with unused names up to this many
    std::vector<std::string> absent;  // names it does not have
    bool complete;
    std::size_t passes;
    bool a320Flags;
};

std::ostream& operator<<(std::ostream& out, const Case& c) {
    return out << c.what;
}

struct FenixDiscoveryTest : AdapterFixture, ::testing::WithParamInterface<Case> {
    Lines Count(std::string_view line) const {
        Lines found;
        for (const std::string& l : LogLines()) {
            if (l == line) found.push_back(l);
        }
        return found;
    }
};

// 450 names, 445 of them counting: the five lights and baro buttons do not.
TEST_P(FenixDiscoveryTest, FindsTheNamesOfTheList) {
    const Case& c = GetParam();
    simworld::AircraftProfile aircraft = profiles::Fenix();
    ASSERT_EQ(aircraft.lvars.size(), 450u);
    aircraft.lvars.resize(c.first);
    std::erase_if(aircraft.lvars, [&](const auto& lvar) {
        return std::find(c.absent.begin(), c.absent.end(), lvar.first) != c.absent.end();
    });
    profiles::PadLvars(aircraft, c.total);
    ConnectBridge(aircraft);
    fake.server.adapters.a320LvarsFound = true;  // from an earlier aircraft
    fake.server.adapters.a32nxEventFlag = true;

    fenix::Discover(fake.server);
    const Lines log = LogLines();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(Count("Looking for Fenix A320 Specific lvars").size(), 1u);
    EXPECT_EQ(Count("Looking for more Lvars").size(), c.passes - 1);
    EXPECT_EQ(Count("Retrieved all relevant Fenix Lvars").size(), c.complete ? 1u : 0u);
    EXPECT_EQ(fake.server.adapters.a320LvarsFound, c.a320Flags);
    EXPECT_EQ(fake.server.adapters.a32nxEventFlag, c.a320Flags);
    const bool closed = std::any_of(fake.desktop.posts.begin(), fake.desktop.posts.end(),
                                    [](const fakes::PostedMessage& post) { return post.message == 16; });
    EXPECT_EQ(closed, !c.complete) << "an incomplete discovery closes the crew app";
}

INSTANTIATE_TEST_SUITE_P(
    Lists, FenixDiscoveryTest,
    ::testing::Values(Case{"every name in a list long enough for one pass", 450, 2100, {}, true, 1, true},
                      Case{"every name in a shorter list: four passes", 450, 2099, {}, true, 4, true},
                      Case{"425 counting names and the five others", 430, 0, {}, true, 4, true},
                      Case{"424 counting names and the five others", 429, 0, {}, false, 4, true},
                      Case{"without the two names that tell the A320 variables",
                           450,
                           2100,
                           {"S_FCU_EFIS2_WPT", "S_OH_FLT_CTL_ELAC_1"},
                           true,
                           1,
                           false}));

struct FenixFollowUpTest : AdapterFixture {};

TEST_F(FenixFollowUpTest, DiscoveryFillsSlotsAndFollowsUp) {
    simworld::AircraftProfile aircraft = profiles::Fenix();
    profiles::PadLvars(aircraft, 2100);
    ConnectBridge(aircraft);
    fenix::Discover(fake.server);
    // The nav and logo switch serves both lights; names fill their functions' slots.
    EXPECT_EQ(SlotId(fake.server, Slot::NavLightSwitch), LvarId("S_OH_EXT_LT_NAV_LOGO"));
    EXPECT_EQ(SlotId(fake.server, Slot::LogoLightSwitch), LvarId("S_OH_EXT_LT_NAV_LOGO"));
    EXPECT_EQ(SlotId(fake.server, Slot::Cdu2KeyPrevPage), LvarId("S_CDU2_KEY_ARROW_LEFT"));
    EXPECT_EQ(SlotId(fake.server, Slot::Cdu1Key3), LvarId("S_CDU1_KEY__3"));
    // The follow-up: the first officer's armrest, the second CDU's first key.
    EXPECT_EQ(Received(), (Lines{"0 S_ARMREST_LEFT_FO=1", "0 S_CDU2_KEY_LSK1L=1", "800 S_CDU2_KEY_LSK1L=0",
                                 "4800 S_ARMREST_LEFT_FO=0"}));
}

}  // namespace
}  // namespace tarvo::adapters
