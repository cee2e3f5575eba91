#include "InibuildsFixture.h"

#include "adapters/CduKeys.h"

#include <gtest/gtest.h>

namespace tarvo::adapters {
namespace {

struct InibuildsCommandsTest : InibuildsFixture {};

TEST_F(InibuildsCommandsTest, GuardedSwitchesCloseTheirGuardOnlyWhenSwitchedOn) {
    LoadA310();
    EXPECT_EQ(RunReceiving(68470, 0), (Lines{"0 __GUARD_RAM_AIR_State=1", "400 A300_RAM_AIR_ON=0"}));
    EXPECT_EQ(RunReceiving(68470, 1),
              (Lines{"0 __GUARD_RAM_AIR_State=1", "400 A300_RAM_AIR_ON=1", "900 __GUARD_RAM_AIR_State=0"}));
    EXPECT_EQ(RunReceiving(68069, 2),
              (Lines{"0 __GUARD_ENG_TRIM_State=1", "500 A310_ENG_TRIM=2", "1000 __GUARD_ENG_TRIM_State=0"}));
}

TEST_F(InibuildsCommandsTest, TimedSequences) {
    LoadA310();
    SetField(sim::kAutopilotRecord, 3, 1);  // AUTOPILOT MASTER:1
    SetField(sim::kAutopilotRecord, 4, 1);  // AUTOPILOT MASTER:2
    struct Case {
        std::uint32_t code;
        std::int32_t value;
        Lines sent;
    };
    const Case cases[] = {
        {67936,
         0,
         {"0 code 1 (>L:A310_AP2_BUTTON)", "300 code 1 (>L:A310_AP1_BUTTON)", "600 code 1 (>K:AUTOPILOT_OFF)"}},
        {68114, 1, {"0 A310_tcas_mode_pedestal=1", "400 A310_tcas_alt_system=1"}},
        {68114, 2, {"0 A310_tcas_mode_pedestal=3", "400 A310_tcas_alt_system=1"}},
        {68114, 3, {"0 A310_tcas_mode_pedestal=2", "400 A310_tcas_alt_system=1"}},
        {68114, 5, {"0 A310_tcas_mode_pedestal=0", "400 A310_tcas_alt_system=1"}},
        {68114, 0, {"0 A310_tcas_mode_pedestal=0", "400 A310_tcas_alt_system=0"}},
        {68064, 1, {"0 A310_ENG1_FIRE_LATCH=1", "500 A310_FIRE_HANDLE_ENG1=1"}},
        {68060, 0, {"0 A310_FIRE_HANDLE_ENG2=0", "500 A310_ENG2_FIRE_LATCH=0"}},
        {67994, 1, {"0 A310_RWY_TURNOFF_L_SWITCH=1", "1 A310_RWY_TURNOFF_R_SWITCH=1"}},
        {68843, 1, {"0 code 1 (>L:A310_RESET_RUDDER_TRIM_COMMAND)", "500 code 0 (>L:A310_RESET_RUDDER_TRIM_COMMAND)"}},
        {68477, 0, {"0 __GUARD_SERVO_B_State=1", "500 A310_SERVO_BLUE_OFF_LIGHT=0", "1000 __GUARD_SERVO_B_State=1"}},
        {68478, 1, {"0 __GUARD_SERVO_G_State=1", "500 A310_SERVO_GREEN_OFF_LIGHT=1", "1000 __GUARD_SERVO_G_State=0"}},
        {68557, 0, {"0 A310_WXR_SYS=1", "400 A310_WXR_MODE=1"}},
        {68558, 3, {"0 A310_WXR_SYS=0", "400 A310_WXR_MODE=3"}},
        {69097,
         200,
         {"0 A310_DH_SELECTED=1", "400 A310_MINIMUMS_PILOT=200", "800 A310_FO_DH_SELECTED=1",
          "1200 A310_MINIMUMS_FO=200"}},
        {65560, 0, {"0 code 2 (>L:A310_POTENTIOMETER_24)"}},
        {65560, 2, {"0 code 1 (>L:A310_POTENTIOMETER_24)"}},
        {65560, 3, {}},
        {66447, 11, {"0 code 1 (>L:A310_RMP_ILS_INNER_KNOB_TURNED_CLOCKWISE)"}},
        {66447, 2, {}},
        {68397, 3, {"0 A310_ENG1_LOOP_A_STATE=3"}},
        {68976, 12, {"0 A310_ENG2_LOOP_B_STATE=2"}},
        {66080, 1, {"0 A310_GEAR_HANDLE_STATUS=2"}},
        {66704, 1, {"0 A310_APU_START_BUTTON=1"}},
        {66379, 0, {"0 A310_NAV_LOGO_LIGHT_SWITCH=2"}},
        {66379, 1, {"0 A310_NAV_LOGO_LIGHT_SWITCH=1"}},  // it reads 2 now
        {66379, 1, {}},
        {68163, 1, {"0 A310_LANDING_LIGHT_L_SWITCH=1"}},
        {68163, 1, {"0 A310_LANDING_LIGHT_L_SWITCH=2"}},
        {68163, 1, {}},
        {68162, 1, {"0 A310_LANDING_LIGHT_L_SWITCH=1"}},
        {68090, 1, {"0 A310_CPT_WIPER_KNOB=1"}},
        {68089, 1, {"0 A310_CPT_WIPER_KNOB=0"}},
        {68089, 1, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RunReceiving(c.code, c.value), c.sent) << c.code << " value " << c.value;
    }
}

TEST_F(InibuildsCommandsTest, VorKnobsShowTheVorFirst) {
    LoadA310();
    EXPECT_EQ(RunReceiving(65641, 1), Lines{"0 code 1 (>L:A310_RMP_VOR1_OUTER_KNOB_TURNED_CLOCKWISE)"});
    SetVariable("A310_efis_selected_nav_fo", 1.0);
    EXPECT_EQ(RunReceiving(65646, 1), (Lines{"0 A310_efis_selected_nav_fo=0",
                                             "400 code 1 (>L:A310_RMP_VOR2_INNER_KNOB_TURNED_ANTICLOCKWISE)"}));
}

// Vertical speed arrives signed: a descent of 1000 ft/min is 0xFFFFFC18.
TEST_F(InibuildsCommandsTest, VerticalSpeedStepsTowardTheSignedValue) {
    LoadA310();
    SetVariable("A310_vvi_dial", -500.0);
    EXPECT_EQ(RunReceiving(66036, -1000), Lines{"0 A310_VVI_DIAL_DN_COMMAND=1"});
    EXPECT_EQ(RunReceiving(66036, 0), Lines{"0 A310_VVI_DIAL_UP_COMMAND=1"});
    EXPECT_EQ(RunReceiving(66036, -500), Lines{});
}

// A button that toggles is pressed only when the state it is decided by is
// known: a slot still "not found" reads 0.0 and would press on every repeat.
TEST_F(InibuildsCommandsTest, TogglesDecidedByAnUnknownStateSendNothing) {
    LoadA310();
    SetVariable("A310_CPT_VHF_TRANSFER_SWITCH", 1.0);
    EXPECT_EQ(RunReceiving(67939, 1), Lines{"0 code 1 (>L:A310_FCU_SELECTED_HEADING_BUTTON)"});
    EXPECT_EQ(RunReceiving(69088, 0), Lines{"0 code 1 (>L:A310_CPT_VHF_TRANSFER_SWITCH_COMMAND)"});
    EXPECT_EQ(RunReceiving(69088, 1), Lines{});
    SetVariable("A300DR_CHRONO_RUNNING", 1.0);
    EXPECT_EQ(RunReceiving(67989, 2), (Lines{"0 A300DR_CHRONO_START_BUTTON=1", "300 A300DR_CHRONO_START_BUTTON=1"}));

    for (const Slot slot : {Slot::HeadingSelectLight, Slot::CaptainVhfTransferSwitch, Slot::AutobrakeLevelValue,
                            Slot::ChronoRunningState, Slot::SpoilersArmedState, Slot::VerticalSpeedDialValue}) {
        ForgetSlot(slot);
    }
    const std::pair<std::uint32_t, std::int32_t> decided[] = {
        {67939, 1}, {65725, 1}, {69088, 0}, {69088, 1}, {68352, 1}, {67989, 0}, {67989, 1}, {66067, 1}, {66036, 500}};
    for (const auto& [code, value] : decided) EXPECT_EQ(RunReceiving(code, value), Lines{}) << code;
    // The display states of the EFIS buttons have no known names on either aircraft.
    for (const std::uint32_t code : {67975u, 67976u, 68543u, 68544u, 68545u}) {
        for (const std::int32_t value : {0, 1, 10, 11}) EXPECT_EQ(RunReceiving(code, value), Lines{}) << code;
    }
}

// The right landing light has no documented name; the adapter looks for the
// left one's twin and uses it where the aircraft has it.
TEST_F(InibuildsCommandsTest, RightLandingLightByItsGuessedName) {
    simworld::AircraftProfile a310 = profiles::A310();
    a310.lvars.emplace_back("A310_LANDING_LIGHT_R_SWITCH", 0.0);
    Load(std::move(a310));
    EXPECT_EQ(RunReceiving(66061, 1), (Lines{"0 A310_LANDING_LIGHT_L_SWITCH=0", "1 A310_LANDING_LIGHT_R_SWITCH=0",
                                             "2 A310_TAXI_LIGHTS_SWITCH=0"}));
    EXPECT_EQ(RunReceiving(68165, 1), Lines{"0 A310_LANDING_LIGHT_R_SWITCH=1"});
    EXPECT_EQ(RunReceiving(68164, 1), Lines{"0 A310_LANDING_LIGHT_R_SWITCH=0"});
}

TEST_F(InibuildsCommandsTest, ExitsHandOversAndCduKeys) {
    simworld::AircraftProfile a300 = profiles::A300();
    a300.lvars.emplace_back("CDU1_LSK1L", 0.0);
    a300.lvars.emplace_back("CDU2_LSK1L", 0.0);
    Load(std::move(a300));
    FillSlot(kCaptainCduKeys[0], "CDU1_LSK1L");
    FillSlot(kFirstOfficerCduKeys[0], "CDU2_LSK1L");

    for (const std::uint32_t code : {68368u, 68369u, 68370u, 68371u, 68374u, 68375u, 68376u}) Run(code, 1);
    Run(65698, 8191);  // flaps, by the generic command set
    EXPECT_EQ(Events(), (Lines{"TOGGLE_AIRCRAFT_EXIT 0", "TOGGLE_AIRCRAFT_EXIT 2", "TOGGLE_AIRCRAFT_EXIT 3",
                               "TOGGLE_AIRCRAFT_EXIT 4", "TOGGLE_AIRCRAFT_EXIT 5", "TOGGLE_AIRCRAFT_EXIT 6",
                               "TOGGLE_AIRCRAFT_EXIT 7", "FLAPS_SET 8191"}));

    // Value 1 is the captain's CDU, 2 the first officer's.
    EXPECT_EQ(RunReceiving(69537, 1), Lines{"0 CDU1_LSK1L=1"});
    EXPECT_EQ(RunReceiving(69537, 2), Lines{"0 CDU2_LSK1L=1"});
    EXPECT_EQ(RunReceiving(69537, 3), Lines{});
}

TEST_F(InibuildsCommandsTest, OpenCodesDoNothing) {
    LoadA310();
    const std::uint32_t open[] = {67957, 67960, 68095, 68096, 68173, 69002, 68479, 68381, 66466,
                                  65833, 65837, 65832, 65716, 65717, 65751, 66099, 65853};
    for (const std::uint32_t code : open) {
        EXPECT_FALSE(std::binary_search(inibuilds::CommandCodes().begin(), inibuilds::CommandCodes().end(), code))
            << code;
        EXPECT_EQ(RunReceiving(code, 1), Lines{}) << code;
    }
    EXPECT_TRUE(Events().empty());
}

// Without a bridge nothing at all happens: no variable, no event, no worker,
// not even for the codes handed to the generic command set.
TEST_F(InibuildsCommandsTest, WithoutABridgeNothingHappens) {
    std::vector<std::uint32_t> codes(inibuilds::CommandCodes().begin(), inibuilds::CommandCodes().end());
    for (std::uint32_t key = 0; key < kCduKeyCount; ++key) codes.push_back(69537 + key);
    for (const std::uint32_t code : codes) {
        for (const std::int32_t value : {0, 1, 2, 1200}) Run(code, value);
    }
    EXPECT_TRUE(Events().empty());
    EXPECT_TRUE(OtherCalls().empty());
    EXPECT_EQ(fake.threads.PendingThreads(), 0u);
    EXPECT_TRUE(fake.journal.EntriesStartingWith("Threads.Start").empty());
}

}  // namespace
}  // namespace tarvo::adapters
