#include "CommandsFixture.h"

#include "adapters/CduKeys.h"
#include "adapters/fenix/Fcu.h"
#include "adapters/generic/CommandTable.h"
#include "bridge/Registry.h"
#include "sim/ClientEvents.h"

#include <gtest/gtest.h>

#include <set>

namespace tarvo::adapters {
namespace {

using generic::Step;
using generic::StepKind;
using Lines = std::vector<std::string>;

// ---- The table ------------------------------------------------------------------------

std::vector<std::uint32_t> TableCodes() {
    std::vector<std::uint32_t> codes;
    for (const Step& step : generic::CommandTable()) {
        if (step.kind == StepKind::Code) codes.push_back(step.number);
    }
    return codes;
}

TEST(CommandTable, EveryEventIsAClientEventAndEveryCodeHasOneRow) {
    for (const Step& step : generic::CommandTable()) {
        if (step.kind == StepKind::Event || step.kind == StepKind::Toggle) {
            EXPECT_TRUE(sim::ClientEventId(step.text).has_value()) << step.text;
        }
    }
    const auto codes = TableCodes();
    EXPECT_EQ(std::set<std::uint32_t>(codes.begin(), codes.end()).size(), codes.size());
    EXPECT_EQ(codes.size(), 408u) << "the rows' codes, each row's second codes included";
}

// Without a bridge nothing reaches the module and no worker starts (but the
// ground-services discovery, which waits for a bridge), on any aircraft and for
// any code; and no step names an event that does not exist.
TEST_F(CommandsFixture, WithoutABridgeOnlyEventsAndDefinitionWritesGo) {
    std::vector<std::uint32_t> codes = TableCodes();
    for (std::uint32_t key = 0; key < kCduKeyCount; ++key) codes.push_back(69537 + key);
    codes.insert(codes.end(), {0, 0xFFFFFFFF, 68776, 68782, 69630});
    const std::pair<std::int32_t, AircraftFlags> aircraft[] = {
        {1, {}},
        {56, {}},
        {58, {}},
        {58, {.fenix = true, .a320Lvars = true, .a32nxEvents = true}},
        {58, {.a320Lvars = true, .a32nxEvents = true}},
        {59, {.cj4 = true}},
        {57, {.b747 = true}},
        {74, {}}};
    for (const auto& [id, flags] : aircraft) {
        Aircraft(id, flags);
        for (const std::uint32_t code : codes) {
            for (const std::uint32_t value : {0u, 1u, 2u}) Run(code, value);
        }
    }
    for (const std::string& call : OtherCalls()) EXPECT_EQ(call.rfind("SetDataOnSimObject [", 0), 0u) << call;
    EXPECT_TRUE(module.Receipts().empty());
    EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.Start"), Lines{"Threads.Start priority=-2"});
    for (const std::string& line : LogLines()) EXPECT_EQ(line.find("No client event"), std::string::npos) << line;
    EXPECT_FALSE(Events().empty());
}

// ---- Events -----------------------------------------------------------------------------

TEST_F(CommandsFixture, CodesChooseTheirEvents) {
    struct Case {
        std::uint32_t code, value;
        std::string event;
    };
    const Case cases[] = {
        {65564, 1, "ATC_MENU_OPEN 1"},         {65564, 0, "ATC_MENU_CLOSE 0"},
        {65698, 8191, "FLAPS_SET 8191"},       {66079, 0, "GEAR_UP 0"},
        {65707, 0x1810, "COM_RADIO_SET 6160"}, {65847, 1, "RADIO_VOR1_IDENT_SET 1"},  // NAV 1
        {65848, 1, "RADIO_VOR2_IDENT_SET 1"},  {65897, 1, "AP_SPD_VAR_DEC 1"},        // speed down only ever steps down
        {66037, 250, "AP_SPD_VAR_SET 250"},
    };
    for (const Case& c : cases) {
        ClearCalls();
        Run(c.code, c.value);
        EXPECT_EQ(Events(), Lines{c.event}) << c.code;
    }
}

TEST_F(CommandsFixture, AtcMenuAndMagnetoEventsByTheirIds) {
    for (std::uint32_t line = 0; line < 10; ++line) {
        ClearCalls();
        Run(66172 + line, 1);
        ASSERT_EQ(mainCalls.size(), 1u);
        EXPECT_EQ(mainCalls[0].arguments[1], std::to_string(302 + line));
    }
    // Engine e (0-3), position k (off, right, left, both, start): code 65927 + 6e + k, event 414 + 4k + e.
    for (std::uint32_t engine = 0; engine < 4; ++engine) {
        for (std::uint32_t position = 0; position < 5; ++position) {
            ClearCalls();
            Run(65927 + 6 * engine + position, 0);
            ASSERT_EQ(mainCalls.size(), 1u);
            EXPECT_EQ(mainCalls[0].arguments[1], std::to_string(414 + 4 * position + engine)) << engine << position;
        }
    }
}

// ---- Targets ------------------------------------------------------------------------------

TEST_F(CommandsFixture, HeadingAndAltitudeStepTowardTheTarget) {
    struct Case {
        std::uint32_t code, value;
        std::int32_t current;
        Lines events;
    };
    const Case cases[] = {
        {66042, 161, 161, {"HEADING_BUG_INC 1"}},
        {66042, 160, 161, {"HEADING_BUG_DEC 1"}},
        {66042, 300, 10, {"HEADING_BUG_INC 1"}},
        {66124, 5000, 3000, {"AP_ALT_VAR_INC 1000"}},
        {66124, 5000, 4500, {"AP_ALT_VAR_INC 100"}},
        {66124, 5000, 4000, {"AP_ALT_VAR_INC 100"}},  // exactly 1000 ft is not more than 1000
        {66124, 5000, 5000, {}},
        {66124, 3000, 5000, {"AP_ALT_VAR_DEC 1000"}},
        {66124, 4950, 5000, {"AP_ALT_VAR_DEC 100"}},
        {66124, 0xFFFFFFFF, -1000, {"AP_ALT_VAR_INC 1000"}},  // an unsigned value, never negative
    };
    for (const Case& c : cases) {
        SetField(sim::kFlightRecord, c.code == 66042 ? 17 : 18, c.current);
        ClearCalls();
        Run(c.code, c.value);
        EXPECT_EQ(Events(), c.events) << c.code << " " << c.value << " from " << c.current;
    }
}

TEST_F(CommandsFixture, A32nxTargetsNeedBothFlagsOnAircraft58) {
    struct Case {
        std::int32_t id;
        AircraftFlags flags;
        Lines events;
    };
    const Case cases[] = {
        {58, {.a320Lvars = true, .a32nxEvents = true}, {"A32NX.FCU_HDG_SET 90", "A32NX.FCU_ALT_SET 90"}},
        {58, {.a320Lvars = true}, {"HEADING_BUG_INC 1", "AP_ALT_VAR_DEC 1000"}},
        {58, {.a32nxEvents = true}, {"HEADING_BUG_INC 1", "AP_ALT_VAR_DEC 1000"}},
        {1, {.a320Lvars = true, .a32nxEvents = true}, {"HEADING_BUG_INC 1", "AP_ALT_VAR_DEC 1000"}},
        {58, {.fenix = true, .a320Lvars = true, .a32nxEvents = true}, {"HEADING_BUG_INC 1", "AP_ALT_VAR_DEC 1000"}},
    };
    SetField(sim::kFlightRecord, 18, 5000);
    for (const Case& c : cases) {
        Aircraft(c.id, c.flags);
        ClearCalls();
        Run(66042, 90);
        Run(66124, 90);
        EXPECT_EQ(Events(), c.events) << c.id;
    }
}

// The flags stay set until the next discovery; another aircraft must not be
// served as an A32NX meanwhile.
TEST_F(CommandsFixture, A320FlagsDoNotFollowTheNextAircraft) {
    Aircraft(1, {.a320Lvars = true, .a32nxEvents = true});
    SetField(sim::kSystemsRecord, 1, 0);
    Run(66037, 250);
    Run(66241, 1);
    EXPECT_EQ(Events(), (Lines{"AP_SPD_VAR_SET 250", "TOGGLE_MASTER_BATTERY 1", "TOGGLE_MASTER_BATTERY 2"}));
}

// The Fenix's FCU turns one click toward the target, compared as signed numbers.
TEST_F(CommandsFixture, FenixVerticalSpeedStepsAgainstItsFcu) {
    ConnectWith({});
    Fenix();
    fakes::FakeProcessMemory::Region region;
    region.info = {0x5000000, 0x1000, 0, 0, 0, 0};
    region.bytes.assign(0x100, 0);
    const std::int32_t current = -500;
    std::memcpy(region.bytes.data() + 0x40, &current, sizeof current);
    fake.memory.regions.push_back(region);
    fake.server.adapters.fenix.systemProcess = 0x7001;
    fake.server.adapters.fenix.fcuAddresses[static_cast<std::size_t>(fenix::FcuField::VerticalSpeed)] = 0x5000040;

    Run(66036, 0xFFFFFC18);  // -1000
    Run(66036, 0);
    Run(66036, 0xFFFFFE0C);  // -500: on target
    EXPECT_EQ(Received(), (Lines{"0 code (L:E_FCU_VS, Number) -- (>L:E_FCU_VS, Number)",
                                 "0 code (L:E_FCU_VS, Number) ++ (>L:E_FCU_VS, Number)"}));
    EXPECT_TRUE(Events().empty());

    A32nx();
    Run(66036, 700);
    Aircraft(1);
    Run(66036, 700);
    EXPECT_EQ(Events(), (Lines{"A32NX.FCU_VS_SET 700", "AP_VS_VAR_SET_ENGLISH 700"}));
}

TEST_F(CommandsFixture, FenixAltimeterStepsAgainstTheMillibarSetting) {
    Fenix();
    SetDoubleField(sim::kPositionRecord, 14, 1013.0);
    for (const std::uint32_t value : {1014u, 1012u, 1013u}) Run(66040, value);
    Aircraft(1);
    Run(66040, 16208);
    EXPECT_EQ(Events(), (Lines{"KOHLSMAN_INC 1", "KOHLSMAN_DEC 1", "KOHLSMAN_SET 16208"}));
}

// ---- State-checked toggles ------------------------------------------------------------------

TEST_F(CommandsFixture, TogglesGoOnlyWhereTheSwitchDiffers) {
    struct Case {
        std::uint32_t code, value;
        sim::RecordId record;
        std::size_t field;
        std::int32_t state;
        Lines events;
    };
    const Case cases[] = {
        {65560, 1, sim::kSystemsRecord, 9, 0, {"STROBES_TOGGLE 1"}},
        {65560, 0, sim::kSystemsRecord, 9, 1, {"STROBES_TOGGLE 1"}},
        {65560, 1, sim::kSystemsRecord, 9, 1, {}},
        {65560, 0, sim::kSystemsRecord, 9, 0, {}},
        {66378, 1, sim::kSystemsRecord, 20, 0, {"TOGGLE_WING_LIGHTS 1"}},
        {66378, 0, sim::kSystemsRecord, 20, 1, {"TOGGLE_WING_LIGHTS 0"}},
        {67942, 1, sim::kAutopilotRecord, 4, 0, {"AP_MASTER 2"}},
        {67942, 1, sim::kAutopilotRecord, 4, 1, {}},
        {67942, 0, sim::kAutopilotRecord, 4, 1, {"AP_MASTER 2"}},
        {67943, 1, sim::kAutopilotRecord, 5, 0, {"AP_MASTER 3"}},
        {68033, 1, sim::kSystemsRecord, 54 + 6, 0, {"FUELSYSTEM_PUMP_TOGGLE 7"}},
        {68047, 0, sim::kEngineRecord, 20, 1, {"FUELSYSTEM_VALVE_TOGGLE 1"}},
        {68047, 1, sim::kEngineRecord, 20, 1, {}},
    };
    for (const Case& c : cases) {
        SetField(c.record, c.field, c.state);
        ClearCalls();
        Run(c.code, c.value);
        EXPECT_EQ(Events(), c.events) << c.code << " asks " << c.value << " with " << c.state;
    }
}

TEST_F(CommandsFixture, EachBatteryIsCheckedThreeHundredMillisecondsApart) {
    ResetThreadTime();
    SetField(sim::kSystemsRecord, 1, 0);
    SetField(sim::kSystemsRecord, 2, 0);
    Run(66241, 1);
    SetField(sim::kSystemsRecord, 1, 1);
    Run(66241, 1);
    EXPECT_EQ(TimedEvents(),
              (Lines{"0 TOGGLE_MASTER_BATTERY 1", "300 TOGGLE_MASTER_BATTERY 2", "600 TOGGLE_MASTER_BATTERY 2"}));
}

TEST_F(CommandsFixture, AutopilotOneTurnsTheYawDamperOnFirst) {
    SetField(sim::kSystemsRecord, 8, 0);
    Run(65580, 1);
    SetField(sim::kSystemsRecord, 8, 1);
    Run(65580, 0);
    EXPECT_EQ(TimedEvents(), (Lines{"0 YAW_DAMPER_TOGGLE 1", "300 AP_MASTER 1", "300 AP_MASTER 0"}));
    ASSERT_EQ(mainCalls.size(), 3u);
    EXPECT_EQ(mainCalls[0].arguments[1], "160");
    EXPECT_EQ(mainCalls[1].arguments[1], "159");

    // No bridge: the A320s without the Fenix flag still engage by event, the Fenix only by its button.
    ClearCalls();
    Aircraft(58);
    Run(65580, 1);
    SetField(sim::kSystemsRecord, 8, 0);
    Fenix();
    Run(65580, 1);
    EXPECT_EQ(Events(), (Lines{"AP_MASTER 1", "YAW_DAMPER_TOGGLE 1"}));
}

TEST_F(CommandsFixture, EngineStartOpensTheFuelValveOnlyWhenItIsClosed) {
    struct Case {
        std::int32_t aircraft;
        std::uint32_t code, value;
        std::int32_t valve;  // GENERAL ENG FUEL VALVE of the engine
        Lines events;
    };
    const Case cases[] = {
        {58, 65932, 1, 0, {"0 TURBINE_IGNITION_SWITCH_SET1 1", "300 TOGGLE_FUEL_VALVE_ENG1 1"}},
        {58, 65932, 1, 1, {"0 TURBINE_IGNITION_SWITCH_SET1 1"}},
        {58, 66301, 0, 1, {"0 TURBINE_IGNITION_SWITCH_SET2 0", "300 TOGGLE_FUEL_VALVE_ENG2 0"}},
        {58, 66301, 0, 0, {"0 TURBINE_IGNITION_SWITCH_SET2 0"}},
        {1,
         65938,
         1,
         0,
         {"0 FUELSYSTEM_VALVE_TOGGLE 2", "300 TOGGLE_STARTER2 1", "600 MIXTURE2_RICH 1",
          "900 TURBINE_IGNITION_SWITCH_SET2 1", "1200 TOGGLE_FUEL_VALVE_ENG2 1"}},
        {1, 65944, 1, 0, {"0 TURBINE_IGNITION_SWITCH_SET3 1", "300 TOGGLE_STARTER3 1"}},
        {58, 66303, 0, 1, {"0 TURBINE_IGNITION_SWITCH_SET4 1", "300 TOGGLE_STARTER4 0"}},
    };
    for (const Case& c : cases) {
        Aircraft(c.aircraft);
        for (std::size_t engine = 0; engine < 4; ++engine) SetField(sim::kEngineRecord, 8 + engine, c.valve);
        ClearCalls();
        Run(c.code, c.value);
        EXPECT_EQ(TimedEvents(), c.events) << c.aircraft << " " << c.code << " " << c.value;
    }
}

// ---- Add-on aircraft ------------------------------------------------------------------------

TEST_F(CommandsFixture, CduKeysPressOnTheFenixAndFireElsewhere) {
    ConnectWith({{Slot::Cdu1KeyLsk1L, "S_CDU1_KEY_LSK1L"}, {Slot::Cdu2KeyLsk1L, "S_CDU2_KEY_LSK1L"}},
                {"H:AS01B_FMC_1_TRIGGER_LSK_0", "H:AS01B_FMC_2_TRIGGER_LSK_0"});
    Fenix();
    ResetThreadTime();
    Run(69537, 1);
    Run(69537, 2);
    Run(69537, 3);  // no such CDU
    Run(69537, 0);
    Run(69630, 1);  // not a key
    EXPECT_EQ(Received(), (Lines{"0 S_CDU1_KEY_LSK1L=1", "800 S_CDU1_KEY_LSK1L=0", "800 S_CDU2_KEY_LSK1L=1",
                                 "1600 S_CDU2_KEY_LSK1L=0"}));

    // The 787 has one FMC's keys for both seats.
    Aircraft(56);
    FillHvarSlot(Slot::Cdu1KeyLsk1L, "H:AS01B_FMC_1_TRIGGER_LSK_0");
    FillHvarSlot(Slot::Cdu2KeyLsk1L, "H:AS01B_FMC_2_TRIGGER_LSK_0");
    Run(69537, 1);
    Run(69537, 2);
    Aircraft(1);
    Run(69537, 1);  // other aircraft have no CDU here
    const auto received = Received();
    EXPECT_EQ(Lines(received.end() - 2, received.end()),
              (Lines{"1600 fire H:AS01B_FMC_1_TRIGGER_LSK_0", "1600 fire H:AS01B_FMC_1_TRIGGER_LSK_0"}));
}

TEST_F(CommandsFixture, ElevatorTrimTakesTheCrewAppsSignedSetting) {
    ConnectWith({{Slot::ElevatorTrimWheel, "A_FC_ELEVATOR_TRIM"}});
    Fenix();
    for (const std::uint32_t value : {50010u, 0u, 300u, 50000u, 0xFFFFFFFFu}) Run(65706, value);
    EXPECT_EQ(Received(), (Lines{"0 A_FC_ELEVATOR_TRIM=-10", "0 A_FC_ELEVATOR_TRIM=0", "0 A_FC_ELEVATOR_TRIM=300",
                                 "0 A_FC_ELEVATOR_TRIM=50000", "0 A_FC_ELEVATOR_TRIM=-4294917295"}));
}

TEST_F(CommandsFixture, FenixLandingLightsGoTogetherOneMillisecondApart) {
    ConnectWith({{Slot::LandingLightLeftSwitch, "S_OH_EXT_LT_LANDING_L"},
                 {Slot::LandingLightRightSwitch, "S_OH_EXT_LT_LANDING_R"},
                 {Slot::NoseLightSwitch, "S_OH_EXT_LT_NOSE"}});
    Fenix();
    Run(65751, 1);
    Run(66061, 0);
    EXPECT_EQ(Received(), (Lines{"0 S_OH_EXT_LT_LANDING_L=2", "1 S_OH_EXT_LT_LANDING_R=2", "2 S_OH_EXT_LT_NOSE=2",
                                 "2 S_OH_EXT_LT_LANDING_L=0", "3 S_OH_EXT_LT_LANDING_R=0", "4 S_OH_EXT_LT_NOSE=0"}));
    EXPECT_TRUE(Events().empty());
}

TEST_F(CommandsFixture, LightDefinitionsOnTheAircraftWithoutLightEvents) {
    struct Case {
        std::int32_t aircraft;
        std::uint32_t code, value;
        std::vector<std::string> writes;  // definition ids, each 1.0 or 0.0
    };
    const Case cases[] = {
        {57, 65751, 1, {"14 1", "15 1", "16 1", "17 1"}},
        {30, 66240, 5, {"20 1"}},
        {56, 66240, 0, {"18 0"}},
        {58, 66240, 2, {"14 1"}},
        {58, 66240, 1, {"14 0", "18 1"}},
        {58, 66240, 0, {"14 0", "18 0"}},
        {58, 66240, 3, {}},
    };
    for (const Case& c : cases) {
        Aircraft(c.aircraft);
        ClearCalls();
        Run(c.code, c.value);
        std::vector<std::string> writes;
        for (const auto& call : mainCalls) {
            if (call.function != "SetDataOnSimObject") continue;
            writes.push_back(call.arguments[0] + " " + (call.arguments[5] == "\"000000000000f03f\"" ? "1" : "0"));
        }
        EXPECT_EQ(writes, c.writes) << c.aircraft << " " << c.code << " " << c.value;
        EXPECT_TRUE(Events().empty());
    }
}

TEST_F(CommandsFixture, AddOnRowsUseTheirAircraftsVariables) {
    ConnectWith({{Slot::LogoLightSwitch, "S_OH_EXT_LT_NAV_LOGO"},
                 {Slot::ProbeWindowHeatSwitch, "S_OH_PROBE_HEAT"},
                 {Slot::VentilationBlowerSwitch, "S_OH_PNEUMATIC_BLOWER"},
                 {Slot::Idg1DisconnectCover, "S_OH_ELEC_IDG1_Cover"},
                 {Slot::Idg1DisconnectSwitch, "S_OH_ELEC_IDG1"},
                 {Slot::Idg2DisconnectCover, "S_OH_ELEC_IDG2_Cover"},
                 {Slot::WingAntiIceSwitch, "S_OH_PNEUMATIC_WING_ANTI_ICE"},
                 {Slot::MasterCautionLight, "I_MIP_MASTER_CAUTION_CAPT"}},
                {"H:WT_CJ4_AP_FD_TOGGLE"});
    Fenix();
    Run(66376, 1);  // the nav and logo switch, never the probe heat
    Run(66379, 0);
    Run(68260, 1);  // no code to send with it
    Run(68020, 1);  // IDG 1 behind its own cover
    Run(66337, 1);  // wing anti-ice, not the master caution lamp
    EXPECT_EQ(Received(),
              (Lines{"0 S_OH_EXT_LT_NAV_LOGO=1", "0 S_OH_EXT_LT_NAV_LOGO=0", "0 S_OH_PNEUMATIC_BLOWER=1",
                     "0 S_OH_ELEC_IDG1_Cover=1", "1 S_OH_ELEC_IDG1=1", "1 S_OH_PNEUMATIC_WING_ANTI_ICE=1"}));
    EXPECT_TRUE(Events().empty());

    Aircraft(59, {.cj4 = true});
    FillHvarSlot(Slot::FlightDirectorButtonEvent, "H:WT_CJ4_AP_FD_TOGGLE");
    Run(66288, 1);
    Aircraft(59);
    Run(66288, 1);
    EXPECT_EQ(Received().back(), "1 fire H:WT_CJ4_AP_FD_TOGGLE");
    EXPECT_EQ(Events(), Lines{"TOGGLE_FLIGHT_DIRECTOR 1"});
}

// The simulator's hydraulic pumps are switched by a key event in calculator
// code, only when the systems record shows them in the other state.
TEST_F(CommandsFixture, HydraulicPumpsToggleInsideTheSimulator) {
    ConnectWith({{Slot::HydraulicEngine1PumpSwitch, "S_OH_HYD_ENG_1_PUMP"}});
    world.SetNumber("HYDRAULIC SWITCH:1", 1, "bool");
    SetField(sim::kSystemsRecord, 71, 1);
    Run(68012, 0);
    SetField(sim::kSystemsRecord, 71, 0);
    Run(68012, 0);
    EXPECT_EQ(Received(),
              (Lines{"0 S_OH_HYD_ENG_1_PUMP=0", "0 code 1  (>K:HYDRAULIC_SWITCH_TOGGLE)", "0 S_OH_HYD_ENG_1_PUMP=0"}));
    EXPECT_EQ(world.Number("HYDRAULIC SWITCH:1", "bool"), std::optional<double>(0));
}

TEST_F(CommandsFixture, A32nxSecondAutopilotIsCheckedAgainstItsLvar) {
    ConnectWith({{Slot::Autopilot2Light, "A32NX_AUTOPILOT_2_ACTIVE"}});
    A32nx();
    Run(67942, 0);
    module.SetLvar("A32NX_AUTOPILOT_2_ACTIVE", 1.0);
    WaitUntil([&] { return bridge::GetLvarValue(fake.server, SlotId(fake.server, Slot::Autopilot2Light)) == 1.0; });
    Run(67942, 0);
    Run(67942, 1);
    EXPECT_EQ(Events(), Lines{"AP_MASTER 2"});
}

TEST_F(CommandsFixture, Dc6FlapsSetItsLeverVariableAndTheSimulatorsFlaps) {
    ConnectWith({{Slot::None, "dc6_419_obj"}});
    Aircraft(74);
    const std::uint32_t positions[] = {0, 2735, 5455, 8191, 10927, 13597, 16383};
    Lines events;
    Lines received;
    for (std::uint32_t k = 0; k < 7; ++k) {
        Run(68776 + k, 0);
        events.push_back("FLAPS_SET " + std::to_string(positions[k]));
        received.push_back("0 code " + std::to_string(k) + " (>L:dc6_419_obj)");
    }
    Run(68783, 0);
    EXPECT_EQ(Events(), events);
    EXPECT_EQ(Received(), received);
    EXPECT_EQ(module.Lvar("dc6_419_obj"), 6.0);
}

}  // namespace
}  // namespace tarvo::adapters
