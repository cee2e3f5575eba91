// The A320 family's own commands: what each variant does with each code, the
// codes the generic command set hands over, and the take-off data.
#include "adapters/CommandsFixture.h"
#include "adapters/a32nx/A32nx.h"
#include "bridge/Registry.h"
#include "profiles/Profiles.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace tarvo::adapters {
namespace {

using Lines = std::vector<std::string>;

enum class A320 { Fenix, A32nx, A32nxWithoutEvents, A320neo };

// The flags each discovery leaves behind; the Fenix's sets the A32NX's too.
AircraftFlags FlagsOf(A320 variant) {
    switch (variant) {
        case A320::Fenix:
            return {.fenix = true, .a320Lvars = true, .a32nxEvents = true};
        case A320::A32nx:
            return {.a320Lvars = true, .a32nxEvents = true};
        case A320::A32nxWithoutEvents:
            return {.a320Lvars = true};
        case A320::A320neo:
            return {};
    }
    return {};
}

struct Reading {
    Slot slot;
    double value;
};

struct HandlerCase {
    const char* what;
    std::uint32_t code;
    std::uint32_t value;
    A320 variant;
    std::vector<Reading> readings;  // what the aircraft shows first
    Lines received;                 // "time NAME=VALUE" or "time code ..." as the module saw it
    Lines events = {};
};

constexpr std::uint32_t kAny = 0xFFFFFFFF;  // above 0, as every value but 0

// Every variable is named by its slot's label: the Fenix's name for the
// functions the two aircraft share, the A32NX's for its own.
// clang-format off
const HandlerCase kHandlerCases[] = {
    {"BusTieFenixPresses", 68016, 5, A320::Fenix, {}, {"0 S_OH_ELEC_BUSTIE=1", "800 S_OH_ELEC_BUSTIE=0"}},
    {"BusTieA32nxSetsTheValue", 68017, 5, A320::A32nx, {}, {"0 S_OH_ELEC_BUSTIE=5"}},
    {"TrackFpaFenixInHeadingMode", 68160, 0, A320::Fenix, {{Slot::HeadingVsModeLight, 1.0}},
        {"0 S_FCU_HDGVS_TRKFPA=1", "800 S_FCU_HDGVS_TRKFPA=0"}},
    {"TrackFpaFenixOtherwiseNothingAndNoEvent", 68160, 1, A320::Fenix, {{Slot::HeadingVsModeLight, 0.5}}, {}},
    {"TrackFpaA32nxEvent", 68160, 7, A320::A32nx, {}, {}, {"A32NX.FCU_TRK_FPA_TOGGLE_PUSH 7"}},
    {"TrackFpaA32nxWithoutEvents", 68160, 1, A320::A32nxWithoutEvents, {}, {"0 XMLVAR_TRK_FPA_MODE_ACTIVE=1"}},
    {"TrackFpaA320neo", 68160, 0, A320::A320neo, {}, {"0 XMLVAR_TRK_FPA_MODE_ACTIVE=0"}},
    {"EcamClearFenixPresses", 68237, 1, A320::Fenix, {}, {"0 S_ECAM_CLR_RIGHT=1", "800 S_ECAM_CLR_RIGHT=0"}},
    {"EcamRecallA32nxSets", 68238, 0, A320::A32nx, {}, {"0 S_ECAM_RCL=1"}},
    {"EcamEnginePageIndex", 68241, 1, A320::A32nx, {}, {"0 A32NX_ECAM_SD_CURRENT_PAGE_INDEX=0"}},
    {"EcamWheelPageIndex", 68239, 1, A320::A32nx, {}, {"0 A32NX_ECAM_SD_CURRENT_PAGE_INDEX=9"}},
    {"EcamStatusPageA320neoNeverFires", 68242, 1, A320::A320neo, {}, {"0 A32NX_ECAM_SD_CURRENT_PAGE_INDEX=11"}},
    {"EcamApuPageFenixPresses", 68251, 1, A320::Fenix, {}, {"0 S_ECAM_APU=1", "800 S_ECAM_APU=0"}},
    {"BrakeFanOn", 68493, 7, A320::A320neo, {}, {"0 code 1 (>L:A32NX_BRAKE_FAN_BTN_PRESSED)"}},
    {"BrakeFanOff", 68493, 0, A320::Fenix, {}, {"0 code 0 (>L:A32NX_BRAKE_FAN_BTN_PRESSED)"}},
    {"PtuSet", 68494, 3, A320::A320neo, {}, {"0 S_OH_HYD_PTU=3"}},
    {"PressureModeInverted", 68510, 5, A320::A32nx, {}, {"0 S_OH_PNEUMATIC_PRESS_MODE=0"}},
    {"PressureModeFenixValue", 68510, 5, A320::Fenix, {}, {"0 S_OH_PNEUMATIC_PRESS_MODE=5"}},
    {"GpwsSystemInvertedAnyValue", 68574, kAny, A320::A320neo, {}, {"0 S_OH_GPWS_SYS=0"}},
    {"GpwsGlideslopeOffInverted", 68573, 0, A320::A32nx, {}, {"0 S_OH_GPWS_GS_MODE=1"}},
    {"AdrOnFenixLightLit", 68567, 1, A320::Fenix, {{Slot::Adr1Light, 1.0}}, {"0 S_OH_NAV_ADR1=1", "800 S_OH_NAV_ADR1=0"}},
    {"AdrOnFenixLightOut", 68567, 1, A320::Fenix, {}, {}},
    {"AdrOffFenixLightOut", 68569, 0, A320::Fenix, {}, {"0 S_OH_NAV_ADR3=1", "800 S_OH_NAV_ADR3=0"}},
    // One reading for both requests: a light between 0 and 1 is lit, and only turning on presses.
    {"AdrOffFenixLightHalfLit", 68567, 0, A320::Fenix, {{Slot::Adr1Light, 0.5}}, {}},
    {"AdrA32nxSets", 68568, 1, A320::A32nx, {}, {"0 S_OH_NAV_ADR2=1"}},
    {"IrSet", 68572, 1, A320::A32nx, {}, {"0 A32NX_OVHD_ADIRS_IR_3_PB_IS_ON=1"}},
    {"RecorderOnFenixLightOut", 68629, 1, A320::Fenix, {}, {"0 S_OH_RCRD_GND_CTL=1", "800 S_OH_RCRD_GND_CTL=0"}},
    {"RecorderOnFenixLightLit", 68629, 1, A320::Fenix, {{Slot::RecorderGroundControlLight, 1.0}}, {}},
    {"RecorderA32nxSets", 68629, 0, A320::A32nx, {}, {"0 S_OH_RCRD_GND_CTL=0"}},
    {"TrayTableOut", 68816, kAny, A320::A32nx, {}, {"0 S_TRAY_TABLE_CAPT=200"}},
    {"TrayTableIn", 68817, 0, A320::Fenix, {}, {"0 S_TRAY_TABLE_FO=0"}},
    {"CrewOxygenFenixLit", 68919, 1, A320::Fenix, {{Slot::CrewOxygenLight, 1.0}}, {"0 S_OH_OXYGEN_CREW_OXYGEN=1"}},
    {"CrewOxygenFenixOffWhileLit", 68919, 0, A320::Fenix, {{Slot::CrewOxygenLight, 1.0}}, {}},
    {"CrewOxygenA32nxInverted", 68919, 1, A320::A32nx, {}, {"0 S_OH_OXYGEN_CREW_OXYGEN=0"}},
    {"ManualStartCover", 68921, 1, A320::A32nx, {}, {"0 S_OH_ENG_MANSTART_2_Cover=1"}},
    {"DitchingSwitch", 68937, 1, A320::A320neo, {}, {"0 S_OH_PNEUMATIC_DITCHING=1"}},
    {"NavaidA32nxAdf", 69002, 1, A320::A32nx, {}, {"0 S_FCU_EFIS1_NAV1=0"}},
    {"NavaidFenixOn", 69002, 1, A320::Fenix, {}, {"0 S_FCU_EFIS1_NAV1=1"}},
    {"NavaidFenixOff", 69003, 0, A320::Fenix, {}, {"0 S_FCU_EFIS1_NAV2=2"}},
    {"NavaidA320neoOff", 69068, 0, A320::A320neo, {}, {"0 S_FCU_EFIS2_NAV1=2"}},
    {"NavaidA32nxVor", 69069, 2, A320::A32nx, {}, {"0 S_FCU_EFIS2_NAV2=1"}},
    {"NavaidA32nxAnyOther", 69069, kAny, A320::A32nx, {}, {"0 S_FCU_EFIS2_NAV2=1"}},
    {"McduBrighterBelowTheTop", 69026, 1, A320::A32nx,
        {{Slot::Cdu1BrightnessValue, 0.95}, {Slot::Cdu2BrightnessValue, 1.0}}, {"0 A32NX_MCDU_L_BRIGHTNESS=1.05"}},
    {"McduDarkerFromOneStep", 69026, 0, A320::A320neo,
        {{Slot::Cdu1BrightnessValue, 0.05}, {Slot::Cdu2BrightnessValue, 1.1}}, {"0 A32NX_MCDU_R_BRIGHTNESS=1"}},
    {"EvacCommandA32nx", 69081, 1, A320::A32nx, {},
        {"0 S_OH_EVAC_COMMAND_Cover=1", "300 S_OH_EVAC_COMMAND=1", "600 S_OH_EVAC_COMMAND_Cover=0"}},
    {"EvacCommandFenix", 69081, 1, A320::Fenix, {},
        {"0 S_OH_EVAC_COMMAND_Cover=1", "300 S_OH_EVAC_COMMAND=0", "600 S_OH_EVAC_COMMAND_Cover=0"}},
    {"EvacCommandOtherFenix", 69082, 1, A320::Fenix, {}, {"0 S_OH_EVAC_COMMAND_Cover=1", "300 S_OH_EVAC_COMMAND=1"}},
    {"EvacCommandOtherA320neo", 69082, 1, A320::A320neo, {}, {"0 S_OH_EVAC_COMMAND_Cover=1", "300 S_OH_EVAC_COMMAND=0"}},
    {"EvacHorn", 69083, 0, A320::A32nx, {}, {"0 S_OH_EVAC_HORN_SHUTOFF=1"}},
    {"EvacCaptainPurserFenix", 69084, 1, A320::Fenix, {}, {"0 S_OH_EVAC_CAPT_PURSER=0"}},
    {"EvacCaptainPurserA32nx", 69084, 1, A320::A32nx, {}, {"0 S_OH_EVAC_CAPT_PURSER=1"}},
    {"EvacCaptainPurserOtherA320neo", 69085, 1, A320::A320neo, {}, {"0 S_OH_EVAC_CAPT_PURSER=0"}},
    {"UnknownCode", 68250, 1, A320::A32nx, {}, {}},
};
// clang-format on

void PrintTo(const HandlerCase& c, std::ostream* out) {
    *out << c.what;
}

struct A32nxHandler : CommandsFixture, ::testing::WithParamInterface<HandlerCase> {};

TEST_P(A32nxHandler, DrivesEachVariantItsWay) {
    const HandlerCase& c = GetParam();
    ConnectBridgeWithEverySlot();
    for (const Reading& reading : c.readings) SetSlotValue(reading.slot, reading.value);
    Aircraft(58, FlagsOf(c.variant));
    ResetThreadTime();

    EXPECT_EQ(a32nx::HandleCommand(fake.server, c.code, c.value), 1);
    EXPECT_EQ(Received(), c.received);
    EXPECT_EQ(Events(), c.events);
}

INSTANTIATE_TEST_SUITE_P(A320Family, A32nxHandler, ::testing::ValuesIn(kHandlerCases),
                         [](const auto& info) { return std::string(info.param.what); });

// The A32NX's and the A320neo's ECAM keys are variables, and their page keys'
// cells hold none of the A320's H: events. Fired as H: events, these ids would
// fire whatever H: event has the same number; here one is numbered alike.
TEST_F(CommandsFixture, EcamKeysNeverFireAVariable) {
    ConnectWith({{Slot::EcamClearRightButton, "A32NX_BTN_CLR2"},
                 {Slot::EcamRecallButton, "A32NX_BTN_RCL"},
                 {Slot::EcamEngineButton, "S_ECAM_ENGINE"},
                 {Slot::EcamSystemPageSelector, "A32NX_ECAM_SD_CURRENT_PAGE_INDEX"}},
                {"H:A320_Neo_CDU_1_BTN_L1", "H:A320_Neo_CDU_1_BTN_L2", "H:A320_Neo_CDU_1_BTN_L3"});
    ASSERT_EQ(LvarId("A32NX_BTN_CLR2"), HvarId("H:A320_Neo_CDU_1_BTN_L1"));
    A32nx();
    Run(68237, 1);
    Aircraft(58);  // the A320neo
    Run(68238, 1);
    Run(68237, 1);
    Run(68241, 1);
    EXPECT_EQ(Received(), (Lines{"0 A32NX_BTN_CLR2=1", "0 A32NX_BTN_RCL=1", "0 A32NX_BTN_CLR2=1",
                                 "0 A32NX_ECAM_SD_CURRENT_PAGE_INDEX=0"}));
    EXPECT_TRUE(module.FiredHvars().empty());
}

TEST_F(CommandsFixture, ExpediteFiresItsHEvent) {
    ConnectWith({}, {"H:A320_Neo_FCU_HDG_PUSH", "H:A320_Neo_EXPEDITE_MODE"});
    FillHvarSlot(Slot::ExpediteButtonEvent, "H:A320_Neo_EXPEDITE_MODE");
    Aircraft(58);
    Run(68195, 0);
    EXPECT_EQ(Received(), (Lines{"0 fire H:A320_Neo_EXPEDITE_MODE"}));
}

// 68160 and 69026 are Fenix rows of the command table: the Fenix keeps them,
// the A32NX and the A320neo get the A320 family's handler. Other codes the
// table lacks reach the handler on aircraft 58 only, and only with a bridge.
TEST_F(CommandsFixture, TheTableHandsTheA320sTheirOwnCodes) {
    ConnectBridgeWithEverySlot();
    SetSlotValue(Slot::Cdu1BrightnessValue, 1.1);
    Fenix();
    Run(68160, 1);
    Run(69026, 0);
    EXPECT_TRUE(Events().empty());

    A32nx();
    Run(68160, 1);
    Aircraft(58);
    Run(69026, 0);
    Run(68241, 1);
    Aircraft(57);
    Run(68241, 1);
    Run(69026, 0);
    EXPECT_EQ(Received(),
              (Lines{"0 S_FCU_HDGVS_TRKFPA=1", "800 S_FCU_HDGVS_TRKFPA=0", "800 S_CDU1_BRIGHTNESS_DOWN=1",
                     "1600 S_CDU1_BRIGHTNESS_DOWN=0", "1900 S_CDU2_BRIGHTNESS_DOWN=1", "2700 S_CDU2_BRIGHTNESS_DOWN=0",
                     "2700 A32NX_MCDU_L_BRIGHTNESS=1", "2700 A32NX_ECAM_SD_CURRENT_PAGE_INDEX=0"}));
    EXPECT_EQ(Events(), (Lines{"A32NX.FCU_TRK_FPA_TOGGLE_PUSH 1"}));
}

TEST_F(CommandsFixture, WithoutABridgeTheHandedCodesDoNothing) {
    A32nx();
    Run(68160, 1);
    Run(68241, 1);
    EXPECT_TRUE(Events().empty());
}

// After the A32NX's own discovery its CDU keys fire its H: events, CDU 2's
// MENU included, and its commands reach its variables.
TEST_F(CommandsFixture, TheDiscoveredA32nxAnswersItsCommands) {
    ConnectBridge(profiles::A32nx());
    WaitUntil([&] {
        bridge::NameListCopy hvars;
        bridge::CopyHvarNames(fake.server, hvars);
        return hvars.size() == profile.hvars.size();
    });
    fake.server.adapters.currentAircraftId = 58;
    a32nx::Discover(fake.server);
    ASSERT_TRUE(fake.server.adapters.a320LvarsFound);
    ASSERT_TRUE(fake.server.adapters.a32nxEventFlag);
    Run(69537, 1);
    Run(69627, 2);
    Run(69556, 2);
    Run(69556, 3);  // no CDU
    Run(68241, 1);
    Run(68237, 1);
    Run(66042, 270);
    EXPECT_EQ(Received(), (Lines{"0 fire H:A320_Neo_CDU_1_BTN_L1", "0 fire H:A320_Neo_CDU_2_BTN_UP",
                                 "0 fire H:A320_Neo_CDU_2_BTN_MENU", "0 A32NX_ECAM_SD_CURRENT_PAGE_INDEX=0",
                                 "0 A32NX_BTN_CLR2=1"}));
    EXPECT_EQ(Events(), (Lines{"A32NX.FCU_HDG_SET 270"}));
}

// Take-off data off the Fenix: the five variables, each a double that may be
// anything, as integers in words 0, 1, 2, 4 and 12.
TEST_F(CommandsFixture, TakeoffDataComesFromTheTakeoffVariables) {
    ConnectBridgeWithEverySlot();
    SetSlotValue(Slot::TakeoffV1SpeedValue, 141.9);
    SetSlotValue(Slot::TakeoffVrSpeedValue, std::numeric_limits<double>::quiet_NaN());
    SetSlotValue(Slot::TakeoffV2SpeedValue, 1e12);
    SetSlotValue(Slot::TransitionAltitudeValue, 5000.0);
    SetSlotValue(Slot::TakeoffFlexTemperatureValue, -3.9);
    A32nx();
    generic::SendTakeoffData(fake.server, crewWindow, linkWindow);
    ASSERT_EQ(fake.desktop.copyData.size(), 1u);
    std::array<std::int32_t, 16> words{};
    ASSERT_EQ(fake.desktop.copyData[0].bytes.size(), sizeof words);
    std::memcpy(words.data(), fake.desktop.copyData[0].bytes.data(), sizeof words);
    EXPECT_EQ(words, (std::array<std::int32_t, 16>{141, 0, std::numeric_limits<std::int32_t>::max(), 0, 5000, 0, 0, 0,
                                                   0, 0, 0, 0, -3, 0, 0, 0}));
}

}  // namespace
}  // namespace tarvo::adapters
