// The Inibuilds command set: CDU keys, then the commands by kind: variables
// set from the value, hand-overs to the generic command set, calculator code,
// guarded switches and the sequences that decide more than a row can say.
#include "adapters/CduKeys.h"
#include "adapters/generic/CommandPrimitives.h"
#include "adapters/generic/GenericAdapter.h"
#include "adapters/inibuilds/Inibuilds.h"
#include "adapters/inibuilds/InibuildsActions.h"
#include "adapters/inibuilds/InibuildsWorkers.h"
#include "base/Convert.h"
#include "sim/SessionState.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace tarvo::adapters::inibuilds {
namespace {

struct Command {
    Server& server;
    std::uint32_t code;
    std::int32_t value;
};

// ---- CDU keys ------------------------------------------------------------------------

constexpr std::uint32_t kFirstCduKey = 69537;

void PressCduKey(const Command& c) {
    const std::size_t key = c.code - kFirstCduKey;
    Slot slot = Slot::None;
    if (c.value == 1) slot = kCaptainCduKeys[key];
    if (c.value == 2) slot = kFirstOfficerCduKeys[key];
    if (slot != Slot::None) Set(c.server, slot, 1.0);
}

// ---- Variables set from the value ----------------------------------------------------

enum class Rule : std::uint8_t {
    TheValue,  // the value as a double
    Fixed,     // always `positive`
    Positive,  // `positive` for a value above 0, else `otherwise`
};

struct SetRow {
    std::uint32_t code;
    Slot slot;
    Rule rule;
    double positive = 0;
    double otherwise = 0;
};

constexpr SetRow Value(std::uint32_t code, Slot slot) {
    return {code, slot, Rule::TheValue};
}
constexpr SetRow Fixed(std::uint32_t code, Slot slot, double value) {
    return {code, slot, Rule::Fixed, value};
}
constexpr SetRow ByValue(std::uint32_t code, Slot slot, double positive, double otherwise) {
    return {code, slot, Rule::Positive, positive, otherwise};
}

// The variable of each slot, per aircraft, is in the discovery list.
// clang-format off
constexpr SetRow kSetRows[] = {
    Value(68074, Slot::Ir1ModeSelector),
    Value(68194, Slot::ProbeHeatRightSwitch),
    Value(68453, Slot::WingAntiIceModeSelector),
    Value(68729, Slot::RamAirCover),
    Value(66719, Slot::SeatbeltSignSwitch),
    Value(66364, Slot::Generator2Switch),
    Value(67947, Slot::Efis2FlightDirectorButton),
    Value(67961, Slot::FlightPathVectorButton),
    Value(67967, Slot::Efis1NdModeSelector),
    Value(67968, Slot::Efis1NdModeSelector),
    Value(67970, Slot::Efis1NdRangeSelector),
    Value(67971, Slot::Efis1NdRangeSelector),
    Value(67979, Slot::CaptainTerrainOnNdButton),
    Value(67997, Slot::HydraulicElecPumpSwitch),
    Value(67999, Slot::YawDamper1Switch),
    Value(68000, Slot::YawDamper2Switch),
    Value(68001, Slot::ApuBleedSwitch),
    Value(68002, Slot::Engine1BleedSwitch),
    Value(68003, Slot::Engine2BleedSwitch),
    Value(68012, Slot::HydraulicEngine1PumpSwitch),
    Value(68013, Slot::HydraulicEngine2PumpSwitch),
    Value(68014, Slot::HydraulicEngine1SecondPumpSwitch),
    Value(68015, Slot::HydraulicEngine2SecondPumpSwitch),
    Value(68020, Slot::Idg1DisconnectSwitch),
    Value(68021, Slot::Idg2DisconnectSwitch),
    Value(68024, Slot::CrossBleedSelector),
    Value(68025, Slot::CrossBleedSelector),
    Value(68026, Slot::CrossBleedSelector),
    Value(68027, Slot::FuelOuterTankLeftPump1Switch),
    Value(68028, Slot::FuelOuterTankLeftPump2Switch),
    Value(68029, Slot::FuelLeftTankPump1Switch),
    Value(68030, Slot::FuelLeftTankPump2Switch),
    Value(68031, Slot::FuelRightTankPump1Switch),
    Value(68032, Slot::FuelRightTankPump2Switch),
    Value(68033, Slot::FuelOuterTankRightPump1Switch),
    Value(68034, Slot::FuelOuterTankRightPump2Switch),
    Value(68035, Slot::FuelCenterTankPump1Switch),
    Value(68036, Slot::FuelCenterTankPump2Switch),
    Value(68037, Slot::FuelTrimTankPump1Switch),
    Value(68038, Slot::FuelTrimTankPump2Switch),
    Value(68076, Slot::Ir2ModeSelector),
    Value(68078, Slot::Ir3ModeSelector),
    Value(68079, Slot::CargoValveSwitch),
    Value(68111, Slot::EmergencyExitLightSwitch),
    Value(68134, Slot::ApuMasterSwitch),
    Value(66706, Slot::ApuGeneratorSwitch),
    Value(66718, Slot::NoSmokingSignSwitch),
    Value(69058, Slot::Efis2NdRangeSelector),
    Value(69059, Slot::Efis2NdRangeSelector),
    Value(69067, Slot::FirstOfficerTerrainOnNdButton),
    Value(69068, Slot::FirstOfficerNavSourceSelector),
    Value(68753, Slot::MaximumCoolingSwitch),
    Value(68754, Slot::VentilationGroundOverrideSwitch),
    Value(68755, Slot::VentilationGroundControlSwitch),
    Value(68756, Slot::VentilationOutboardValveSwitch),
    Value(68757, Slot::BleedIsolationValveLeftSwitch),
    Value(68758, Slot::BleedIsolationValveRightSwitch),
    Value(68855, Slot::FuelTrimTankModeSelector),
    Value(68919, Slot::CrewOxygenSwitch),
    Value(68942, Slot::Autothrottle1Switch),
    Value(68943, Slot::Autothrottle2Switch),
    Value(68944, Slot::Sgu1Switch),
    Value(68945, Slot::Sgu2Switch),
    Value(68455, Slot::ApuFuelOverrideSwitch),
    Value(68467, Slot::Engine1HighPressureValveSwitch),
    Value(68468, Slot::Engine2HighPressureValveSwitch),
    Value(68471, Slot::PitchFeel1Switch),
    Value(68472, Slot::PitchFeel2Switch),
    Value(68473, Slot::RudderTravel1Switch),
    Value(68474, Slot::RudderTravel2Switch),
    Value(68475, Slot::PitchTrim1Switch),
    Value(68476, Slot::PitchTrim2Switch),
    Value(68486, Slot::Battery3Switch),
    Value(68493, Slot::BrakeFanSwitch),
    Value(68494, Slot::HydraulicBluePtuSwitch),
    Value(68495, Slot::HydraulicYellowPtuSwitch),
    Value(68516, Slot::CabinRegulator1Switch),
    Value(68517, Slot::CabinRegulator2Switch),
    Value(68542, Slot::LandRecoverySwitch),
    Value(68546, Slot::Spoiler7Switch),
    Value(68547, Slot::Spoiler6Switch),
    Value(68548, Slot::Spoiler5Switch),
    Value(68552, Slot::Spoiler4And1Switch),
    Value(68553, Slot::Spoiler3And2Switch),
    Value(68629, Slot::RecorderGroundControlSwitch),
    Value(68660, Slot::EconomyFlowButton),
    Value(68199, Slot::WindowHeat1Switch),
    Value(68200, Slot::WindowHeat2Switch),
    Value(68201, Slot::WindowHeat3Switch),
    Value(68202, Slot::WindowHeat4Switch),
    Value(68204, Slot::PressurizationModeSwitch),
    Value(68205, Slot::EcamTakeoffConfigButton),
    Value(68261, Slot::VentilationExtractSwitch),
    Value(68270, Slot::Pack1Switch),
    Value(68271, Slot::Pack2Switch),
    Value(68314, Slot::StormLightSwitch),
    Value(68329, Slot::StandbyCompassLightSwitch),
    Value(68333, Slot::EngineIgnitionSelector),
    Value(68337, Slot::Idg1DisconnectCover),
    Value(68338, Slot::Idg2DisconnectCover),
    Value(68379, Slot::GroundPowerUnitSwitch),
    Value(68399, Slot::ElecDcIndicationSelector),
    Value(68401, Slot::ElecAcIndicationSelector),
    Value(68433, Slot::Battery2Switch),
    Value(66378, Slot::WingLightSwitch),
    Value(66478, Slot::AudioMarkerReceiveSwitch),
    Value(66484, Slot::Engine1AntiIceSwitch),
    Value(66485, Slot::Engine2AntiIceSwitch),
    Value(66579, Slot::DomeLightSwitch),
    Value(66596, Slot::FuelCrossfeedSwitch),
    Value(66124, Slot::AltitudeDialValue),
    Value(66239, Slot::BeaconLightSwitch),
    Value(66241, Slot::Battery1Switch),
    Value(66288, Slot::Efis1FlightDirectorButton),
    Value(66337, Slot::WingAntiIceSwitch),
    Value(66363, Slot::Generator1Switch),
    Value(65858, Slot::ProbeHeatLeftSwitch),
    Value(66037, Slot::AirspeedDialValue),
    Value(66038, Slot::AirspeedDialValue),
    Value(66042, Slot::HeadingDialValue),
    // a fixed value
    Fixed(68153, Slot::MasterCautionLight, 0),
    Fixed(68155, Slot::MasterWarningLight, 0),
    Fixed(66705, Slot::ApuMasterSwitch, 0),
    Fixed(68386, Slot::GearLever, 1),
    Fixed(66557, Slot::AudioAdf2ReceiveSwitch, 0),
    Fixed(66558, Slot::AudioAdf2ReceiveSwitch, 1),
    Fixed(65836, Slot::AudioAdf1ReceiveSwitch, 0),
    Fixed(65838, Slot::AudioVor2ReceiveSwitch, 1),
    Fixed(65841, Slot::AudioAdf1ReceiveSwitch, 1),
    Fixed(65894, Slot::VerticalSpeedDialUpButton, 1),
    Fixed(66079, Slot::GearLever, 0),
    // a value chosen by the command's: for a value above 0, otherwise
    ByValue(66720, Slot::BrakeSystemSelector,     0, 2),
    ByValue(68611, Slot::AnnunciatorLightSwitch,  0, 1),
    ByValue(68656, Slot::ClockElapsedTimeSelector, 1, 2),
    ByValue(68234, Slot::GalleyCabinSwitch,       0, 1),
    ByValue(66376, Slot::NavLightSwitch,          0, 1),
    ByValue(66240, Slot::NoseLightSwitch,         1, 2),
    ByValue(65919, Slot::Engine1MasterSwitch,     1, 0),
    ByValue(65920, Slot::Engine2MasterSwitch,     1, 0),
};
// clang-format on

double SetValue(const SetRow& row, std::int32_t value) {
    switch (row.rule) {
        case Rule::TheValue:
            return static_cast<double>(value);
        case Rule::Fixed:
            return row.positive;
        case Rule::Positive:
            return value > 0 ? row.positive : row.otherwise;
    }
    return 0.0;
}

// ---- Hand-overs to the generic command set -------------------------------------------

constexpr std::uint32_t kGenericCodes[] = {
    69109, 66372, 66442, 66443, 66444, 66483, 66371, 66172, 66173, 66174, 66175, 66176, 66177, 66178,
    66179, 66180, 66181, 66040, 65538, 65539, 65564, 65595, 65596, 65598, 65602, 65603, 65604, 65609,
    65617, 65698, 65707, 65714, 65715, 65752, 65758, 65759, 65762, 65763, 65764, 65789, 65790,
};

// ---- Calculator code -----------------------------------------------------------------

// The A300's code, and the A310's (the same where both aircraft share the name).
struct CodeRow {
    std::uint32_t code;
    std::string_view a300;
    std::string_view a310;
};

constexpr CodeRow Both(std::uint32_t code, std::string_view text) {
    return {code, text, text};
}

// clang-format off
constexpr CodeRow kCodeRows[] = {
    {67937, "1 (>L:INI_FCU_SELECTED_SPEED_BUTTON)", "1 (>L:A310_FCU_SELECTED_SPEED_BUTTON)"},
    {68115, "1 (>L:INI_FCU_SELECTED_SPEED_BUTTON)", "1 (>L:A310_FCU_SELECTED_SPEED_BUTTON)"},
    {67938, "1 (>L:INI_FCU_ALTITUDE_PULL_COMMAND)", "1 (>L:A310_FCU_ALTITUDE_PULL_COMMAND)"},
    {68166, "1 (>L:INI_FCU_ALTITUDE_PULL_COMMAND)", "1 (>L:A310_FCU_ALTITUDE_PULL_COMMAND)"},
    {67942, "1 (>L:INI_AP2_BUTTON)", "1 (>L:A310_AP2_BUTTON)"},
    Both(67950, "1 (>L:AP2_BUTTON)"),
    Both(67951, "1 (>L:AP3_BUTTON)"),
    {67952, "1 (>L:INI_FCU_MANAGED_HEADING_BUTTON)", "1 (>L:A310_FCU_MANAGED_HEADING_BUTTON)"},
    {67993, "1 (>L:INI_FCU_SYNC_HEADING_BUTTON)", "1 (>L:A310_FCU_SYNC_HEADING_BUTTON)"},
    // the A310's fire agent switches have "A300DR_" names
    {68167, "(L:INI_engine1_agent1_disch) ! (>L:INI_engine1_agent1_disch)",
            "(L:A300DR_engine1_agent1_disch) ! (>L:A300DR_engine1_agent1_disch)"},
    {68168, "(L:INI_engine2_agent1_disch) ! (>L:INI_engine2_agent1_disch)",
            "(L:A300DR_engine2_agent1_disch) ! (>L:A300DR_engine2_agent1_disch)"},
    {68172, "(L:INI_engine1_agent2_disch) ! (>L:INI_engine1_agent2_disch)",
            "(L:A300DR_engine1_agent2_disch) ! (>L:A300DR_engine1_agent2_disch)"},
    {68836, "(L:INI_gpu_avail, Bool) (A:EXTERNAL POWER ON:1, Bool) ! and if{1 (> K:TOGGLE_EXTERNAL_POWER)} els{ (A:EXTERNAL POWER ON : 1, Bool) if{1 (> K:TOGGLE_EXTERNAL_POWER) } }",
            "(L:A310_gpu_avail, Bool) (A:EXTERNAL POWER ON:1, Bool) ! and if{1 (> K:TOGGLE_EXTERNAL_POWER)} els{ (A:EXTERNAL POWER ON : 1, Bool) if{1 (> K:TOGGLE_EXTERNAL_POWER) } }"},
    {68206, "1 (>L:INI_FCU_MANAGED_SPEED_BUTTON)", "1 (>L:A310_FCU_MANAGED_SPEED_BUTTON)"},
    {68207, "1 (>L:INI_FCU_MANAGED_HEADING_BUTTON)", "1 (>L:A310_FCU_MANAGED_HEADING_BUTTON)"},
    {68208, "1 (>L:INI_FCU_ALTITUDE_PUSH_COMMAND)", "1 (>L:A310_FCU_ALTITUDE_PUSH_COMMAND)"},
    Both(68237, "1 (>L:PUSH_EWD_CLR)"),
    Both(68238, "1 (>L:PUSH_EWD_RCL)"),
    Both(68239, "1 (>L:PUSH_ECAM_WHEEL)"),
    Both(68240, "1 (>L:PUSH_ECAM_HYD)"),
    Both(68241, "1 (>L:PUSH_ECAM_ENG)"),
    Both(68242, "1 (>L:PUSH_EWD_STS)"),
    Both(68243, "1 (>L:PUSH_ECAM_ELEC_DC)"),
    Both(68244, "1 (>L:PUSH_ECAM_FUEL)"),
    Both(68245, "1 (>L:PUSH_ECAM_COND)"),
    Both(68246, "1 (>L:PUSH_ECAM_DOOR)"),
    Both(68247, "1 (>L:PUSH_ECAM_PRESS)"),
    Both(68248, "1 (>L:PUSH_ECAM_BLEED)"),
    Both(68249, "1 (>L:PUSH_ECAM_FCTL)"),
    Both(68251, "1 (>L:PUSH_ECAM_APU)"),
    {66440, "(L:INI_RMP_COM2_STBY_INNER_KNOB_TURNED_CLOCKWISE, Number) ++ (>L:INI_RMP_COM2_STBY_INNER_KNOB_TURNED_CLOCKWISE, Number)",
            "(L:A310_RMP_COM2_STBY_INNER_KNOB_TURNED_CLOCKWISE, Number) ++ (>L:A310_RMP_COM2_STBY_INNER_KNOB_TURNED_CLOCKWISE, Number)"},
    {66300, "(L:INI_ENG1_STARTER) ! (>L:INI_ENG1_STARTER)", "(L:A310_ENG1_STARTER) ! (>L:A310_ENG1_STARTER)"},
    {66301, "(L:INI_ENG2_STARTER) ! (>L:INI_ENG2_STARTER)", "(L:A310_ENG2_STARTER) ! (>L:A310_ENG2_STARTER)"},
    Both(65859, "1 (>L:AP8_BUTTON)"),
    Both(65860, "1 (>L:AP8_BUTTON)"),
    {65861, "1 (> L:INI_takeoff_toggle)", "1 (> L:A310_takeoff_toggle)"},
    {65879, "1 (>L:INI_HEADING_DIAL_UP_COMMAND)", "1 (>L:A310_HEADING_DIAL_UP_COMMAND)"},
    {65880, "1 (>L:INI_HEADING_DIAL_DN_COMMAND)", "1 (>L:A310_HEADING_DIAL_DN_COMMAND)"},
    {65932, "(L:INI_ENG1_STARTER) ! (>L:INI_ENG1_STARTER)", "(L:A310_ENG1_STARTER) ! (>L:A310_ENG1_STARTER)"},
    {65938, "(L:INI_ENG2_STARTER) ! (>L:INI_ENG2_STARTER)", "(L:A310_ENG2_STARTER) ! (>L:A310_ENG2_STARTER)"},
    {65580, "1 (>L:INI_AP1_BUTTON)", "1 (>L:A310_AP1_BUTTON)"},
    {65639, "(L:INI_RMP_COM1_STBY_INNER_KNOB_TURNED_CLOCKWISE, Number) ++ (>L:INI_RMP_COM1_STBY_INNER_KNOB_TURNED_CLOCKWISE, Number)",
            "(L:A310_RMP_COM1_STBY_INNER_KNOB_TURNED_CLOCKWISE, Number) ++ (>L:A310_RMP_COM1_STBY_INNER_KNOB_TURNED_CLOCKWISE, Number)"},
    Both(65723, "1 (>L:AP6_BUTTON)"),
    Both(65729, "1 (>L:AP6_BUTTON)"),
    Both(65724, "1 (>L:AP7_BUTTON)"),
    Both(65726, "1 (>L:AP1_BUTTON)"),
};
// clang-format on

// ---- Guarded switches ----------------------------------------------------------------

// Open the guard, set the switch; for a value above 0 close the guard again.
struct GuardRow {
    std::uint32_t code;
    Slot guard;
    std::uint32_t before;
    Slot toggle;
    std::uint32_t after;
};

// clang-format off
constexpr GuardRow kGuardRows[] = {
    {68069, Slot::EngineTrimCover,                 500, Slot::EngineTrimSwitch,                 500},
    {68131, Slot::StandbyGeneratorCover,           500, Slot::StandbyGeneratorSwitch,           500},
    {68957, Slot::BatteryOverrideCover,            500, Slot::BatteryOverrideSwitch,            500},
    {68470, Slot::RamAirCover,                     400, Slot::RamAirSwitch,                     500},
    {68506, Slot::FuelIsolationValve1Cover,        400, Slot::FuelIsolationValve1Switch,        400},
    {68507, Slot::FuelIsolationValve2Cover,        400, Slot::FuelIsolationValve2Switch,        400},
    {68508, Slot::FuelIsolationValve3Cover,        400, Slot::FuelIsolationValve3Switch,        400},
    {68509, Slot::FuelIsolationValve4Cover,        400, Slot::FuelIsolationValve4Switch,        400},
    {68304, Slot::FuelTrimTankIsolationValveCover, 400, Slot::FuelTrimTankIsolationValveSwitch, 400},
};
// clang-format on

void SetGuarded(const Command& c, const GuardRow& row) {
    Server& server = c.server;
    Set(server, row.guard, 1.0);
    server.ports.clock.Sleep(row.before);
    Set(server, row.toggle, static_cast<double>(c.value));
    if (c.value <= 0) return;  // switched off: the guard stays open
    server.ports.clock.Sleep(row.after);
    Set(server, row.guard, 0.0);
}

// ---- Sequences -----------------------------------------------------------------------

void Sleep(const Command& c, std::uint32_t milliseconds) {
    c.server.ports.clock.Sleep(milliseconds);
}

// "1 (>L:INI_<tail>)" on the A300, "1 (>L:A310_<tail>)" on the A310.
void PressByCode(const Command& c, std::string_view tail, int number = 1) {
    const std::string prefix = IsA310(c.server) ? "A310_" : "INI_";
    RunCode(c.server, std::to_string(number) + " (>L:" + prefix + std::string(tail) + ")");
}

void SelectHeading(const Command& c) {
    if (!IsKnown(c.server, Slot::HeadingSelectLight)) return;
    if (Read(c.server, Slot::HeadingSelectLight) == 0.0) PressByCode(c, "FCU_SELECTED_HEADING_BUTTON");
}

void SetStrobe(const Command& c) {
    // The switch's positions in the order the crew app counts them.
    constexpr int kPosition[] = {2, 0, 1};
    if (c.value < 0 || c.value > 2) return;
    PressByCode(c, "POTENTIOMETER_24", kPosition[c.value]);
}

void SetRunwayTurnoffLights(const Command& c) {
    Set(c.server, Slot::RunwayTurnoffLightSwitch, c.value);
    Sleep(c, 1);
    Set(c.server, Slot::RunwayTurnoffLightRightSwitch, c.value);
}

constexpr std::uint32_t kFireHandleMilliseconds = 500;

void PushFireHandle(const Command& c, Slot handle, Slot latch) {
    Set(c.server, handle, 0.0);
    Sleep(c, kFireHandleMilliseconds);
    Set(c.server, latch, 0.0);
}
void PullFireHandle(const Command& c, Slot handle, Slot latch) {
    Set(c.server, latch, 1.0);
    Sleep(c, kFireHandleMilliseconds);
    Set(c.server, handle, 1.0);
}
void PushEngine1FireHandle(const Command& c) {
    PushFireHandle(c, Slot::Engine1FireButton, Slot::Engine1FireHandleLatch);
}
void PushEngine2FireHandle(const Command& c) {
    PushFireHandle(c, Slot::Engine2FireButton, Slot::Engine2FireHandleLatch);
}
void PullEngine1FireHandle(const Command& c) {
    PullFireHandle(c, Slot::Engine1FireButton, Slot::Engine1FireHandleLatch);
}
void PullEngine2FireHandle(const Command& c) {
    PullFireHandle(c, Slot::Engine2FireButton, Slot::Engine2FireHandleLatch);
}

// The wiper knobs have three positions, 0 to 2.
void StepWiper(const Command& c, Slot knob, int step) {
    const double position = Read(c.server, knob);
    if ((step < 0 && position > 0.0) || (step > 0 && position < 2.0)) Set(c.server, knob, position + step);
}
void CaptainWiperDown(const Command& c) {
    StepWiper(c, Slot::CaptainWiperSelector, -1);
}
void CaptainWiperUp(const Command& c) {
    StepWiper(c, Slot::CaptainWiperSelector, +1);
}
void FirstOfficerWiperDown(const Command& c) {
    StepWiper(c, Slot::FirstOfficerWiperSelector, -1);
}
void FirstOfficerWiperUp(const Command& c) {
    StepWiper(c, Slot::FirstOfficerWiperSelector, +1);
}

void TestBothEngineFires(const Command& c) {
    if (c.value > 0) StartFireTest(c.server, FireTest::BothEngines);
}
void TestEngine1Fire(const Command& c) {
    if (c.value > 0) StartFireTest(c.server, FireTest::Engine1);
}
void TestEngine2Fire(const Command& c) {
    if (c.value > 0) StartFireTest(c.server, FireTest::Engine2);
}
void TestApuFire(const Command& c) {
    if (c.value > 0) StartFireTest(c.server, FireTest::Apu);
}

void DialTransponder(const Command& c) {
    if (!IsSquawkCode(c.value)) {
        c.server.log.Write("Transponder code " + std::to_string(c.value) + " cannot be dialled");
        return;
    }
    StartTransponderDial(c.server, c.value);
}

constexpr std::uint32_t kAutobrakePause = 200;

void SetAutobrake(const Command& c) {
    Server& server = c.server;
    if (c.value == 0) {
        // Medium, then low twice: the aircraft's way back to off.
        PressByCode(c, "ABRK_MED_COMMAND");
        Sleep(c, kAutobrakePause);
        PressByCode(c, "ABRK_LOW_COMMAND");
        Sleep(c, kAutobrakePause);
        PressByCode(c, "ABRK_LOW_COMMAND");
        return;
    }
    struct Level {
        double level;
        std::string_view button;
    };
    constexpr Level kLevels[] = {
        {1, "ABRK_LOW_COMMAND"}, {2, "ABRK_MED_COMMAND"}, {3, "ABRK_HI_COMMAND"}, {3, "ABRK_HI_COMMAND"}};
    if (c.value < 1 || c.value > 4) return;
    // The button toggles its level, so it is pressed only when the level is known to differ.
    if (!IsKnown(server, Slot::AutobrakeLevelValue)) return;
    const Level& wanted = kLevels[c.value - 1];
    if (Read(server, Slot::AutobrakeLevelValue) != wanted.level) PressByCode(c, wanted.button);
}

void OpenExit(const Command& c, std::uint32_t exit) {
    generic::SendEvent(c.server, "TOGGLE_AIRCRAFT_EXIT", exit);
}
void OpenExit0(const Command& c) {
    OpenExit(c, 0);
}
void OpenExit2(const Command& c) {
    OpenExit(c, 2);
}
void OpenExit3(const Command& c) {
    OpenExit(c, 3);
}
void OpenExit4(const Command& c) {
    OpenExit(c, 4);
}
void OpenExit5(const Command& c) {
    OpenExit(c, 5);
}
void OpenExit6(const Command& c) {
    OpenExit(c, 6);
}
void OpenExit7(const Command& c) {
    OpenExit(c, 7);
}

// A value below 10 is engine 1's loop, 10 and above engine 2's.
void SelectFireLoop(const Command& c, Slot engine1, Slot engine2) {
    constexpr std::int32_t kEngine2 = 10;
    if (c.value < kEngine2) {
        Set(c.server, engine1, c.value);
    } else {
        Set(c.server, engine2, c.value - kEngine2);
    }
}
void SelectFireLoopA(const Command& c) {
    SelectFireLoop(c, Slot::Engine1LoopASelector, Slot::Engine2LoopASelector);
}
void SelectFireLoopB(const Command& c) {
    SelectFireLoop(c, Slot::Engine1LoopBSelector, Slot::Engine2LoopBSelector);
}

void SetLandingAndTaxiLights(const Command& c) {
    const double position = c.value > 0 ? 0.0 : 2.0;
    Set(c.server, Slot::LandingLightLeftSwitch, position);
    Sleep(c, 1);
    Set(c.server, Slot::LandingLightRightSwitch, position);
    Sleep(c, 1);
    Set(c.server, Slot::NoseLightSwitch, position);
}

// One position along 2, 1, 0 (down) or 0, 1, 2 (up).
void StepLandingLight(const Command& c, Slot light, double direction) {
    const double position = Read(c.server, light);
    if (position == 1.0 || position == 1.0 - direction) Set(c.server, light, position + direction);
}
void LeftLandingLightDown(const Command& c) {
    StepLandingLight(c, Slot::LandingLightLeftSwitch, -1);
}
void LeftLandingLightUp(const Command& c) {
    StepLandingLight(c, Slot::LandingLightLeftSwitch, +1);
}
void RightLandingLightDown(const Command& c) {
    StepLandingLight(c, Slot::LandingLightRightSwitch, -1);
}
void RightLandingLightUp(const Command& c) {
    StepLandingLight(c, Slot::LandingLightRightSwitch, +1);
}

constexpr std::uint32_t kAutopilotPause = 300;
// Autopilot record fields.
constexpr std::size_t kAutopilotMaster1 = 3;
constexpr std::size_t kAutopilotMaster2 = 4;

void DisconnectAutopilots(const Command& c) {
    const sim::Record& autopilot = c.server.session.records[sim::kAutopilotRecord];
    if (autopilot.Int32(kAutopilotMaster2) > 0) PressByCode(c, "AP2_BUTTON");
    if (autopilot.Int32(kAutopilotMaster1) > 0) {
        Sleep(c, kAutopilotPause);
        PressByCode(c, "AP1_BUTTON");
    }
    Sleep(c, kAutopilotPause);
    RunCode(c.server, "1 (>K:AUTOPILOT_OFF)");
}

void GearDown(const Command& c) {
    Set(c.server, Slot::GearLever, 2.0);
}
void StartApu(const Command& c) {
    Set(c.server, Slot::ApuStartButton, 1.0);
}

void StepVerticalSpeed(const Command& c) {
    if (!IsKnown(c.server, Slot::VerticalSpeedDialValue)) return;
    // Signed: a descent of 1000 ft/min arrives as 0xFFFFFC18.
    const std::int32_t dial = TruncateToInt32(Read(c.server, Slot::VerticalSpeedDialValue));
    if (c.value > dial) Set(c.server, Slot::VerticalSpeedDialUpButton, 1.0);
    if (c.value < dial) Set(c.server, Slot::VerticalSpeedDialDownButton, 1.0);
}

void ArmGroundSpoilers(const Command& c) {
    if (!IsKnown(c.server, Slot::SpoilersArmedState)) return;
    const double armed = Read(c.server, Slot::SpoilersArmedState);
    if (c.value <= 0 ? armed <= 0.0 : armed != 0.0) return;
    // The trailing blank is the aircraft's own.
    RunCode(c.server,
            ForAircraft(c.server,
                        "(L:INI_SPOILERS_ARMED, Bool) ! (L:INI_SPOILERS_HANDLE_POSITION, position 16k) 0 == "
                        "and if{ 1 } els{ 0 } (> K:SPOILERS_ARM_SET) ",
                        "(L:A310_SPOILERS_ARMED, Bool) ! (L:A310_SPOILERS_HANDLE_POSITION, position 16k) 0 == "
                        "and if{ 1 } els{ 0 } (> K:SPOILERS_ARM_SET) "));
}

void TurnIlsKnob(const Command& c) {
    switch (c.value) {
        case 0:
            return PressByCode(c, "RMP_ILS_OUTER_KNOB_TURNED_ANTICLOCKWISE");
        case 1:
            return PressByCode(c, "RMP_ILS_OUTER_KNOB_TURNED_CLOCKWISE");
        case 10:
            return PressByCode(c, "RMP_ILS_INNER_KNOB_TURNED_ANTICLOCKWISE");
        case 11:
            return PressByCode(c, "RMP_ILS_INNER_KNOB_TURNED_CLOCKWISE");
        default:
            return;
    }
}

constexpr std::uint32_t kSelectorPause = 400;

// The VOR knobs tune the receiver the navigation selector shows: VOR first.
void TurnVorKnob(const Command& c, Slot selector, std::string_view knob) {
    if (Read(c.server, selector) != 0.0) {
        Set(c.server, selector, 0.0);
        Sleep(c, kSelectorPause);
    }
    PressByCode(c, knob);
}
void Vor1OuterAnticlockwise(const Command& c) {
    TurnVorKnob(c, Slot::CaptainNavSourceSelector, "RMP_VOR1_OUTER_KNOB_TURNED_ANTICLOCKWISE");
}
void Vor1OuterClockwise(const Command& c) {
    TurnVorKnob(c, Slot::CaptainNavSourceSelector, "RMP_VOR1_OUTER_KNOB_TURNED_CLOCKWISE");
}
void Vor1InnerAnticlockwise(const Command& c) {
    TurnVorKnob(c, Slot::CaptainNavSourceSelector, "RMP_VOR1_INNER_KNOB_TURNED_ANTICLOCKWISE");
}
void Vor1InnerClockwise(const Command& c) {
    TurnVorKnob(c, Slot::CaptainNavSourceSelector, "RMP_VOR1_INNER_KNOB_TURNED_CLOCKWISE");
}
void Vor2OuterAnticlockwise(const Command& c) {
    TurnVorKnob(c, Slot::FirstOfficerNavSourceSelector, "RMP_VOR2_OUTER_KNOB_TURNED_ANTICLOCKWISE");
}
void Vor2OuterClockwise(const Command& c) {
    TurnVorKnob(c, Slot::FirstOfficerNavSourceSelector, "RMP_VOR2_OUTER_KNOB_TURNED_CLOCKWISE");
}
void Vor2InnerAnticlockwise(const Command& c) {
    TurnVorKnob(c, Slot::FirstOfficerNavSourceSelector, "RMP_VOR2_INNER_KNOB_TURNED_ANTICLOCKWISE");
}
void Vor2InnerClockwise(const Command& c) {
    TurnVorKnob(c, Slot::FirstOfficerNavSourceSelector, "RMP_VOR2_INNER_KNOB_TURNED_CLOCKWISE");
}

void ResetRudderTrim(const Command& c) {
    constexpr std::uint32_t kHoldMilliseconds = 500;
    PressByCode(c, "RESET_RUDDER_TRIM_COMMAND", 1);
    Sleep(c, kHoldMilliseconds);
    PressByCode(c, "RESET_RUDDER_TRIM_COMMAND", 0);
}

void SetNavAndLogoLights(const Command& c) {
    if (c.value <= 0) {
        Set(c.server, Slot::NavLightSwitch, 2.0);
    } else if (Read(c.server, Slot::NavLightSwitch) == 2.0) {
        Set(c.server, Slot::NavLightSwitch, 1.0);
    }
}

void SetServo(const Command& c, Slot guard, Slot toggle) {
    constexpr std::uint32_t kGuardPause = 500;
    Set(c.server, guard, 1.0);
    Sleep(c, kGuardPause);
    Set(c.server, toggle, c.value);
    Sleep(c, kGuardPause);
    Set(c.server, guard, c.value != 0 ? 0.0 : 1.0);
}
void SetBlueServo(const Command& c) {
    SetServo(c, Slot::BlueServoCover, Slot::BlueServoOffSwitch);
}
void SetGreenServo(const Command& c) {
    SetServo(c, Slot::GreenServoCover, Slot::GreenServoOffSwitch);
}

// An EFIS button toggles what the display shows; it is pressed only when the
// display is known to show otherwise. The aircraft's display states have no
// known names, so these slots stay empty on both aircraft.
struct EfisItem {
    Slot captainButton;
    Slot captainShown;
    Slot firstOfficerButton;
    Slot firstOfficerShown;
};

void ShowOnEfis(const Command& c, const EfisItem& item) {
    Slot button = item.captainButton;
    Slot shown = item.captainShown;
    std::int32_t wanted = c.value;
    if (wanted == 10 || wanted == 11) {
        button = item.firstOfficerButton;
        shown = item.firstOfficerShown;
        wanted -= 10;
    }
    if ((wanted != 0 && wanted != 1) || !IsKnown(c.server, shown)) return;
    const bool showing = Read(c.server, shown) > 0.0;
    if (showing != (wanted == 1)) Set(c.server, button, 1.0);
}
void ShowFixes(const Command& c) {
    ShowOnEfis(
        c, {Slot::Efis1WaypointButton, Slot::Efis1WaypointLight, Slot::Efis2WaypointButton, Slot::Efis2WaypointLight});
}
void ShowAirports(const Command& c) {
    ShowOnEfis(c,
               {Slot::Efis1AirportButton, Slot::Efis1AirportLight, Slot::Efis2AirportButton, Slot::Efis2AirportLight});
}
void ShowVors(const Command& c) {
    ShowOnEfis(c, {Slot::Efis1VorDmeButton, Slot::Efis1VorDmeLight, Slot::Efis2VorDmeButton, Slot::Efis2VorDmeLight});
}
void ShowNdbs(const Command& c) {
    ShowOnEfis(c, {Slot::Efis1NdbButton, Slot::Efis1NdbLight, Slot::Efis2NdbButton, Slot::Efis2NdbLight});
}
void ShowConstraints(const Command& c) {
    ShowOnEfis(c, {Slot::Efis1ConstraintButton, Slot::Efis1ConstraintLight, Slot::Efis2ConstraintButton,
                   Slot::Efis2ConstraintLight});
}

void RunChronometer(const Command& c) {
    constexpr std::uint32_t kRestartPause = 300;
    if (!IsKnown(c.server, Slot::ChronoRunningState)) return;
    const bool running = Read(c.server, Slot::ChronoRunningState) > 0.0;
    switch (c.value) {
        case 0:  // stop
            if (running) Set(c.server, Slot::ChronoStartButton, 1.0);
            return;
        case 1:  // start
            if (!running) Set(c.server, Slot::ChronoStartButton, 1.0);
            return;
        case 2:  // restart
            if (!running) return;
            Set(c.server, Slot::ChronoStartButton, 1.0);
            Sleep(c, kRestartPause);
            Set(c.server, Slot::ChronoStartButton, 1.0);
            return;
        default:
            return;
    }
}

void SetTcas(const Command& c) {
    double mode = 0;
    if (c.value == 1) mode = 1;
    if (c.value == 2) mode = 3;
    if (c.value == 3) mode = 2;
    Set(c.server, Slot::TransponderModeSelector, mode);
    Sleep(c, kSelectorPause);
    Set(c.server, Slot::TcasAltitudeSourceSelector, c.value != 0 ? 1.0 : 0.0);
}

// The transfer button swaps the frequencies, so it is pressed only when the
// switch is known to be in the other position.
void TransferVhf(const Command& c, Slot position, std::string_view button) {
    if (!IsKnown(c.server, position)) return;
    const double at = Read(c.server, position);
    if ((c.value != 0 && at == 0.0) || (c.value == 0 && at >= 1.0)) PressByCode(c, button);
}
void TransferCaptainVhf(const Command& c) {
    TransferVhf(c, Slot::CaptainVhfTransferSwitch, "CPT_VHF_TRANSFER_SWITCH_COMMAND");
}
void TransferFirstOfficerVhf(const Command& c) {
    TransferVhf(c, Slot::FirstOfficerVhfTransferSwitch, "FO_VHF_TRANSFER_SWITCH_COMMAND");
}

void SetDecisionHeight(const Command& c) {
    if (Read(c.server, Slot::CaptainDecisionHeightSelector) == 0.0) {
        Set(c.server, Slot::CaptainDecisionHeightSelector, 1.0);
        Sleep(c, kSelectorPause);
    }
    Set(c.server, Slot::CaptainMinimumsValue, c.value);
    if (Read(c.server, Slot::FirstOfficerDecisionHeightSelector) == 0.0) {
        Sleep(c, kSelectorPause);
        Set(c.server, Slot::FirstOfficerDecisionHeightSelector, 1.0);
    }
    Sleep(c, kSelectorPause);
    Set(c.server, Slot::FirstOfficerMinimumsValue, c.value);
}

void SetWeatherRadar(const Command& c) {
    Set(c.server, Slot::WeatherRadarSystemSelector, c.value != 0 ? 0.0 : 1.0);
    Sleep(c, kSelectorPause);
    Set(c.server, Slot::WeatherRadarModeSelector, c.value != 0 ? c.value : 1.0);
}

struct SequenceRow {
    std::uint32_t code;
    void (*run)(const Command&);
};

// clang-format off
constexpr SequenceRow kSequenceRows[] = {
    {67939, SelectHeading},          {65725, SelectHeading},
    {65560, SetStrobe},
    {67994, SetRunwayTurnoffLights},
    {68059, PushEngine1FireHandle},  {68060, PushEngine2FireHandle},
    {68064, PullEngine1FireHandle},  {68065, PullEngine2FireHandle},
    {68089, CaptainWiperDown},       {68093, FirstOfficerWiperDown},
    {68090, CaptainWiperUp},         {68094, FirstOfficerWiperUp},
    {68097, TestBothEngineFires},
    {69077, TestEngine1Fire},        {69078, TestEngine2Fire},
    {68940, TestApuFire},
    {68918, DialTransponder},
    {68352, SetAutobrake},
    {68368, OpenExit0}, {68369, OpenExit2}, {68370, OpenExit3}, {68371, OpenExit4},
    {68374, OpenExit5}, {68375, OpenExit6}, {68376, OpenExit7},
    {68397, SelectFireLoopA},        {68976, SelectFireLoopB},
    {66061, SetLandingAndTaxiLights},
    {68162, LeftLandingLightDown},   {68163, LeftLandingLightUp},
    {68164, RightLandingLightDown},  {68165, RightLandingLightUp},
    {67936, DisconnectAutopilots},
    {66080, GearDown},
    {66704, StartApu},
    {66036, StepVerticalSpeed},
    {66067, ArmGroundSpoilers},
    {66447, TurnIlsKnob},
    {65640, Vor1OuterAnticlockwise}, {65641, Vor1OuterClockwise},
    {65642, Vor1InnerAnticlockwise}, {65643, Vor1InnerClockwise},
    {65644, Vor2OuterAnticlockwise}, {65645, Vor2OuterClockwise},
    {65646, Vor2InnerAnticlockwise}, {65647, Vor2InnerClockwise},
    {68843, ResetRudderTrim},
    {66379, SetNavAndLogoLights},
    {68477, SetBlueServo},           {68478, SetGreenServo},
    {67975, ShowFixes}, {67976, ShowAirports}, {68543, ShowVors}, {68544, ShowNdbs}, {68545, ShowConstraints},
    {67989, RunChronometer},
    {68114, SetTcas},
    {69088, TransferCaptainVhf},     {69089, TransferFirstOfficerVhf},
    {69097, SetDecisionHeight},
    {68557, SetWeatherRadar},        {68558, SetWeatherRadar},
};
// clang-format on

// ---- Every code in one place only --------------------------------------------------

template <typename Row>
constexpr std::uint32_t CodeOf(const Row& row) {
    return row.code;
}
constexpr std::uint32_t CodeOf(std::uint32_t code) {
    return code;
}

constexpr auto kAllCodes = [] {
    std::array<std::uint32_t, std::size(kSetRows) + std::size(kGenericCodes) + std::size(kCodeRows) +
                                  std::size(kGuardRows) + std::size(kSequenceRows)>
        codes{};
    std::size_t next = 0;
    for (const auto& row : kSetRows) codes[next++] = CodeOf(row);
    for (const auto& row : kGenericCodes) codes[next++] = CodeOf(row);
    for (const auto& row : kCodeRows) codes[next++] = CodeOf(row);
    for (const auto& row : kGuardRows) codes[next++] = CodeOf(row);
    for (const auto& row : kSequenceRows) codes[next++] = CodeOf(row);
    std::sort(codes.begin(), codes.end());
    return codes;
}();

constexpr bool EveryCodeOnce() {
    for (std::size_t i = 1; i < kAllCodes.size(); ++i) {
        if (kAllCodes[i] == kAllCodes[i - 1]) return false;
    }
    return true;
}
static_assert(EveryCodeOnce(), "a code belongs to one row of one kind");
static_assert(kAllCodes.back() < kFirstCduKey || kAllCodes.front() >= kFirstCduKey + kCduKeyCount);

template <typename Row, std::size_t N>
const Row* Find(const Row (&rows)[N], std::uint32_t code) {
    const auto row = std::find_if(std::begin(rows), std::end(rows), [code](const Row& r) { return r.code == code; });
    return row != std::end(rows) ? row : nullptr;
}

}  // namespace

void RunCommand(Server& server, std::uint32_t code, std::int32_t value) {
    // Every kind acts on the aircraft through the bridge, the hand-overs too.
    if (!bridge::HasBridge(server)) return;
    const Command command{server, code, value};
    if (code >= kFirstCduKey && code < kFirstCduKey + kCduKeyCount) {
        PressCduKey(command);
    } else if (const SetRow* set = Find(kSetRows, code)) {
        Set(server, set->slot, SetValue(*set, value));
    } else if (std::find(std::begin(kGenericCodes), std::end(kGenericCodes), code) != std::end(kGenericCodes)) {
        generic::RunCommand(server, code, value);
    } else if (const CodeRow* row = Find(kCodeRows, code)) {
        RunCode(server, ForAircraft(server, row->a300, row->a310));
    } else if (const GuardRow* guarded = Find(kGuardRows, code)) {
        SetGuarded(command, *guarded);
    } else if (const SequenceRow* sequence = Find(kSequenceRows, code)) {
        sequence->run(command);
    }
}

std::span<const std::uint32_t> CommandCodes() {
    return kAllCodes;
}

}  // namespace tarvo::adapters::inibuilds
