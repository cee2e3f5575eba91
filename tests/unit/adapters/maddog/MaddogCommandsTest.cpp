#include "MaddogFixture.h"

#include "adapters/maddog/Panel.h"
#include "bridge/Registry.h"

#include <gtest/gtest.h>

#include <thread>

namespace tarvo::adapters {
namespace {

using maddog::Mouse;
using maddog::Panel;

struct MaddogCommandsTest : MaddogFixture {
    void SetUp() override { LoadMaddog(); }
};

TEST(MaddogMouseEvents, FlagPlusIndexInDecimal) {
    struct Case {
        maddog::Click click;
        std::string text;
    };
    const Case cases[] = {
        {maddog::L(Panel::Overhead, 42), "536870912 42 + (>L:overhead_event,number)"},
        {maddog::R(Panel::Pedestal, 0), "2147483648 0 + (>L:pedestal_event,number)"},  // unsigned
        {maddog::Up(Panel::Fgcp, 6), "16384 6 + (>L:fgcp_event,number)"},
        {maddog::Dn(Panel::Cm2Fms, 7), "8192 7 + (>L:CM2_FMS_event,number)"},
        {maddog::Rel(Panel::Trp, 5), "131072 5 + (>L:trp_event,number)"},
        {{Mouse::Middle, Panel::Fire, 5}, "1073741824 5 + (>L:fire_event,number)"},
        {{Mouse::MiddleRelease, Panel::Fire, 5}, "262144 5 + (>L:fire_event,number)"},
        {{Mouse::None, Panel::Cm1Glear, 2}, "2 (>L:CM1_glear_event,number)"},
    };
    for (const Case& c : cases) EXPECT_EQ(maddog::MouseEvent(c.click), c.text);
}

// The aircraft's panel variable holds the flag plus the index afterwards.
TEST_F(MaddogCommandsTest, APanelVariableTakesTheMouseEvent) {
    Run(66239, 1);
    EXPECT_EQ(module.CalculatorCode().back(), "1") << "the neutral code follows";
    EXPECT_EQ(Texts(), Lines{"536870912 6 + (>L:ext_lights_event,number)"});
    EXPECT_EQ(module.Lvar("ext_lights_event"), 536870918.0);
}

TEST_F(MaddogCommandsTest, CommandsSendTheirMouseEvents) {
    using Vars = std::vector<std::pair<std::string, double>>;
    struct Case {
        std::uint32_t code;
        std::int32_t value;
        Vars vars;  // as the aircraft shows them first
        Lines sent;
    };
    const std::string hyd = "CM2_hyd_switch1";
    const Case cases[] = {
        // Plain events; a press and its release on the throttle panel.
        {66705, 0, {}, {"0 " + Click("R", "overhead_event", 46)}},
        {68126, 1, {}, {"0 " + Click("R", "overhead_event", 46)}},
        {68153, 0, {}, {"0 2 (>L:CM1_glear_event,number)"}},
        {67935, 0, {}, {"0 " + Click("Dn", "pedestal_event", 0)}},
        {68497, 1, {}, {"0 " + Click("L", "trp_event", 5), "0 " + Click("Rel", "trp_event", 5)}},
        {68500, 1, {}, {"0 " + Click("L", "trp_event", 4), "0 " + Click("Rel", "trp_event", 4)}},
        {68501, 1, {}, {"0 " + Click("L", "trp_event", 6), "0 " + Click("Rel", "trp_event", 6)}},
        {68502, 1, {}, {"0 " + Click("L", "trp_event", 2), "0 " + Click("Rel", "trp_event", 2)}},
        {68503, 1, {}, {"0 " + Click("L", "trp_event", 3), "0 " + Click("Rel", "trp_event", 3)}},
        {68504, 1, {}, {"0 " + Click("L", "trp_event", 1), "0 " + Click("Rel", "trp_event", 1)}},
        // Chosen by the value.
        {66036, 0, {}, {"0 " + Click("Up", "fgcp_event", 14)}},
        {66036, 5, {}, {"0 " + Click("Dn", "fgcp_event", 14)}},
        {66720, -1, {}, {"0 " + Click("L", "overhead_event", 82)}},
        {68718, -1, {}, {"0 " + Click("R", "overhead_event", 82)}},
        {68423, 0, {}, {"0 " + Click("Rel", "overhead_event", 94)}},
        {66241, 1, {}, {"0 " + Click("L", "overhead_event", 42)}},
        {66241,
         0,
         {{"ovhd_batt_switch1", 2}},
         {"0 " + Click("R", "overhead_event", 42), "300 " + Click("R", "overhead_event", 42)}},
        {66241, 0, {{"ovhd_batt_switch1", 1}}, {"0 " + Click("R", "overhead_event", 42)}},
        // Toggles sent only when the switch shows the other state.
        {68132, 1, {{"ovhd_emerg_pwr_switch1", 0}}, {"0 " + Click("L", "overhead_event", 41)}},
        {68132, 1, {{"ovhd_emerg_pwr_switch1", 1}}, {}},
        {68132, 0, {{"ovhd_emerg_pwr_switch1", 0.5}}, {"0 " + Click("L", "overhead_event", 41)}},
        {65560, 1, {{"CM2_strobe_switch1", 1}}, {"0 " + Click("L", "ext_lights_event", 7)}},
        {65560, 1, {{"CM2_strobe_switch1", 2}}, {}},
        {65560, 0, {{"CM2_strobe_switch1", 2}}, {"0 " + Click("R", "ext_lights_event", 7)}},
        {65560, 0, {{"CM2_strobe_switch1", 1}}, {}},
        {66379, 0, {{"CM2_strobe_switch1", 1}}, {"0 " + Click("R", "ext_lights_event", 7)}},
        {68266,
         1,
         {{"CM2_strobe_switch1", 0}},
         {"0 " + Click("L", "ext_lights_event", 7), "0 " + Click("L", "ext_lights_event", 7)}},
        {68163, 0, {{"CM1_winglightl_switch1", 2}}, {"0 " + Click("R", "ext_lights_event", 0)}},
        {67936, 0, {{"fgcp_autopilot_switch1", 1}}, {}},
        {67936, 1, {{"fgcp_autopilot_switch1", 1}}, {"0 " + Click("L", "fgcp_event", 19)}},
        // Three positions, p read for every value: each value from each position.
        {68012, 0, {{hyd, 0}}, {}},
        {68012, 0, {{hyd, 1}}, {"0 " + Click("R", "CM2_hyd_event", 0)}},
        {68012, 0, {{hyd, 2}}, {"0 " + Click("R", "CM2_hyd_event", 0), "300 " + Click("R", "CM2_hyd_event", 0)}},
        {68012, 1, {{hyd, 0}}, {"0 " + Click("L", "CM2_hyd_event", 0)}},
        {68012, 1, {{hyd, 1}}, {}},
        {68012, 1, {{hyd, 2}}, {"0 " + Click("R", "CM2_hyd_event", 0)}},
        {68012, 2, {{hyd, 0}}, {"0 " + Click("L", "CM2_hyd_event", 0), "300 " + Click("L", "CM2_hyd_event", 0)}},
        {68012, 2, {{hyd, 1}}, {"0 " + Click("L", "CM2_hyd_event", 0)}},
        {68012, 2, {{hyd, 2}}, {}},
        {68012, 3, {{hyd, 0}}, {}},
        // p read only for value 1; the ends are two steps from anywhere.
        {68942,
         0,
         {{"ovhd_cadc_knob1", 0}},
         {"0 " + Click("Dn", "overhead_event", 96), "250 " + Click("Dn", "overhead_event", 96)}},
        {68943, 2, {}, {"0 " + Click("Up", "overhead_event", 97), "300 " + Click("Up", "overhead_event", 97)}},
        {68389, 1, {{"ovhd_radio_nav_knob1", 2}}, {"0 " + Click("Dn", "overhead_event", 103)}},
        {66240, 1, {{"CM1_noselight_switch1", 0}}, {"0 " + Click("L", "ext_lights_event", 2)}},
        // Toward the middle from either end: left clicks go up, right clicks down.
        {67997, 1, {{"CM2_hyd_switch4", 0}}, {"0 " + Click("L", "CM2_hyd_event", 3)}},
        {67997, 1, {{"CM2_hyd_switch4", 2}}, {"0 " + Click("R", "CM2_hyd_event", 3)}},
        // One speed knob step per command.
        {66037, 250, {{"md_ipc_ap_spd", 250.7}}, {}},
        {66037, 251, {{"md_ipc_ap_spd", 250.7}}, {"0 " + Click("Up", "fgcp_event", 6)}},
        {66037, 249, {{"md_ipc_ap_spd", 250}}, {"0 " + Click("Dn", "fgcp_event", 6)}},
        // Doors by number or by code.
        {66389, 1, {{"fwd_main_MD", 0}}, {"0 fwd_main_MD=1"}},
        {66389, 13, {{"aft_stair_MD", 1}}, {"0 aft_stair_MD=0"}},
        {66389, 68525, {{"aft_stair_MD", 0}}, {"0 aft_stair_MD=1"}},
        {66389, 3, {}, {}},
        {68369, 0, {{"fwd_service_door", 0.4}}, {"0 fwd_service_door=1"}},  // 0.4 truncates to closed
        // The chronograph's reset.
        {68656, 0, {{"CM1_clock_switch", 1}}, {"0 " + Click("Dn", "CM1_clock_event", 1)}},
        {68656, 0, {{"CM1_clock_switch", 0}}, {}},
        // No event is known for these: nothing, not even an empty text.
        {68020, 1, {}, {}},
        {68021, 1, {}, {}},
        {68348, 1, {}, {}},
        {68349, 1, {}, {}},
        {68619, 1, {}, {}},
        {12345, 1, {}, {}},
    };
    for (const Case& c : cases) {
        for (const auto& [name, value] : c.vars) Set(name, value);
        const std::size_t codes = module.CalculatorCode().size();
        Clear();
        Run(c.code, c.value);
        EXPECT_EQ(Sent(), c.sent) << c.code << " " << c.value;
        if (c.sent.empty()) {
            EXPECT_EQ(module.CalculatorCode().size(), codes) << c.code;
        }
    }
    EXPECT_EQ(fake.threads.PendingThreads(), 0u);
}

// Before discovery, or on an aircraft without the variable, a decision has
// nothing to go by: it sends nothing rather than act on the 0.0 read.
TEST_F(MaddogCommandsTest, DecisionsWithoutTheirVariableSendNothing) {
    struct Case {
        std::uint32_t code;
        std::int32_t value;
        Slot slot;
    };
    const Case cases[] = {
        {68132, 1, Slot::EmergencyPowerSwitch},
        {65560, 1, Slot::StrobeLightSwitch},
        {68012, 1, Slot::HydraulicPanel1Selector},
        {68942, 1, Slot::CadcSourceSelector},
        {66037, 300, Slot::FgcpSpeedTargetValue},
        {66241, 0, Slot::Battery1Switch},
        {68656, 0, Slot::CaptainClockSwitch},
        {66389, 1, Slot::ForwardMainDoorToggle},
        {65698, 3, Slot::FlapsLever},
        {68849, 2, Slot::EngineSyncSelector},
    };
    for (const Case& c : cases) {
        ForgetSlot(c.slot);
        Run(c.code, c.value);
        EXPECT_EQ(Sent(), Lines{}) << c.code;
    }
    EXPECT_EQ(fake.threads.PendingThreads(), 0u) << "no worker without the lever or the knob";

    // Where the value alone decides, the click still goes.
    Run(68942, 2);
    Run(66379, 0);
    EXPECT_EQ(Texts(), (Lines{Click("Up", "overhead_event", 96), Click("Up", "overhead_event", 96),
                              Click("R", "ext_lights_event", 7)}));
}

TEST_F(MaddogCommandsTest, HandOversReachTheGenericCommands) {
    fake.journal.Clear();
    Run(65789, 1);
    EXPECT_EQ(Events(), Lines{"SIM_RATE_INCR 1"});
    Run(69109, 1);
    EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.Start"), Lines{"Threads.Start priority=-2"});
    RunWorker();
}

using MaddogWithoutBridgeTest = MaddogFixture;

TEST_F(MaddogWithoutBridgeTest, CommandsDoNothing) {
    fake.server.adapters.currentAircraftId = kMaddog;
    maddog::InstallMaddogAdapter(fake.server);
    for (const std::uint32_t code : {66239u, 65789u, 69109u, 65698u, 68097u, 68849u, 66389u}) Run(code, 1);
    EXPECT_EQ(module.CalculatorCode(), Lines{});
    EXPECT_EQ(Events(), Lines{});
    EXPECT_EQ(fake.threads.PendingThreads(), 0u);
}

// The main thread's texts and a worker's never interleave with the neutral
// code between them: two identical texts in a row would be one change of the
// module's area, and the second click would be lost.
TEST_F(MaddogCommandsTest, TextsFromTwoThreadsKeepTheirNeutralCode) {
    constexpr int kEach = 200;
    const maddog::Click click = maddog::Dn(Panel::Pedestal, 4);
    const auto send = [&] {
        for (int i = 0; i < kEach; ++i) maddog::Send(fake.server, click);
    };
    const std::size_t before = module.CalculatorCode().size();
    std::thread other(send);
    send();
    other.join();
    const std::vector<std::string> codes = module.CalculatorCode();
    ASSERT_EQ(codes.size() - before, 4u * kEach);
    for (std::size_t i = before; i < codes.size(); i += 2) {
        ASSERT_EQ(codes[i], maddog::MouseEvent(click)) << i;
        ASSERT_EQ(codes[i + 1], "1") << i;
    }
}

}  // namespace
}  // namespace tarvo::adapters
