#include "adapters/generic/CommandTable.h"

#include "adapters/generic/CommandActions.h"
#include "sim/SessionState.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace tarvo::adapters::generic {

bool Serves(const Server& server, AircraftTest test, std::uint32_t aircraftId) {
    const AdapterState& adapters = server.adapters;
    const std::int32_t id = adapters.currentAircraftId;
    // The flags stay set until the next discovery, so each test names the aircraft too.
    const bool a320 = id == 58;
    const bool fenix = a320 && adapters.fenixFlag;
    const bool a32nx = a320 && !fenix && adapters.a320LvarsFound;
    switch (test) {
        case AircraftTest::Fenix:
            return fenix;
        case AircraftTest::A32nx:
            return a32nx;
        case AircraftTest::A32nxEvents:
            return a32nx && adapters.a32nxEventFlag;
        case AircraftTest::A320:
            return a320;
        case AircraftTest::Boeing747:
            return id == 57 && adapters.asobo747Flag;
        case AircraftTest::Cj4:
            return id == 59 && adapters.cj4Flag;
        case AircraftTest::Aircraft:
            return id == static_cast<std::int32_t>(aircraftId);
    }
    return false;
}

namespace {

// ---- Building steps --------------------------------------------------------

constexpr Step Code(std::uint32_t code) {
    return {.kind = StepKind::Code, .number = code};
}
constexpr Step When(AircraftTest test) {
    return {.kind = StepKind::When, .test = test};
}
constexpr Step WhenAircraft(std::uint32_t id) {
    return {.kind = StepKind::When, .test = AircraftTest::Aircraft, .number = id};
}
constexpr Step Otherwise() {
    return {.kind = StepKind::Otherwise};
}
constexpr Step Event(std::string_view name, std::uint32_t data = kTheValue) {
    return {.kind = StepKind::Event, .number = data, .text = name};
}
constexpr Step Toggle(std::string_view name, StateField state, std::uint32_t data = kTheValue) {
    return {.kind = StepKind::Toggle, .state = state, .number = data, .text = name};
}
constexpr Step Define(std::uint32_t definition) {
    return {.kind = StepKind::Define, .number = definition};
}
constexpr Step Pause(std::uint32_t milliseconds) {
    return {.kind = StepKind::Pause, .number = milliseconds};
}
constexpr Step Set(Slot slot, std::uint32_t number = kTheValue) {
    return {.kind = StepKind::Set, .slot = slot, .number = number};
}
constexpr Step SetSigned(Slot slot) {
    return {.kind = StepKind::SetSigned, .slot = slot};
}
constexpr Step SetIfChanged(Slot slot) {
    return {.kind = StepKind::SetIfChanged, .slot = slot, .number = kTheValue};
}
constexpr Step Press(Slot slot) {
    return {.kind = StepKind::Press, .slot = slot};
}
constexpr Step Fire(Slot slot) {
    return {.kind = StepKind::Fire, .slot = slot};
}
constexpr Step Calc(std::string_view code) {
    return {.kind = StepKind::Calc, .text = code};
}
constexpr Step CalcToggle(std::string_view code, StateField state) {
    return {.kind = StepKind::CalcToggle, .state = state, .text = code};
}
// By reference: a call always has its function.
constexpr Step Call(void (&action)(const Command&)) {
    return {.kind = StepKind::Call, .action = &action};
}
constexpr Step Worker(std::span<const SequenceStep> sequence) {
    return {.kind = StepKind::Worker, .sequence = sequence};
}
// A step for switch-on requests (any value but 0) or for switch-off requests only.
constexpr Step OnlyOn(Step step) {
    step.only = ValueTest::On;
    return step;
}
constexpr Step OnlyOff(Step step) {
    step.only = ValueTest::Off;
    return step;
}

// Fields of the systems, engine and autopilot records.
constexpr StateField Systems(std::uint8_t field) {
    return {sim::kSystemsRecord, field};
}
constexpr StateField Engines(std::uint8_t field) {
    return {sim::kEngineRecord, field};
}
constexpr StateField Autopilot(std::uint8_t field) {
    return {sim::kAutopilotRecord, field};
}
// FUELSYSTEM VALVE SWITCH:n of the engine record.
constexpr StateField FuelValve(std::uint8_t n) {
    return Engines(static_cast<std::uint8_t>(20 + n - 1));
}
// FUELSYSTEM PUMP SWITCH:n of the systems record.
constexpr StateField FuelPump(std::uint8_t n) {
    return Systems(static_cast<std::uint8_t>(54 + n - 1));
}

constexpr Step ValveToggle(std::uint8_t n) {
    return Toggle("FUELSYSTEM_VALVE_TOGGLE", FuelValve(n), n);
}
constexpr Step PumpToggle(std::uint8_t n) {
    return Toggle("FUELSYSTEM_PUMP_TOGGLE", FuelPump(n), n);
}

using AircraftTest::A320;
using AircraftTest::A32nx;
using AircraftTest::A32nxEvents;
using AircraftTest::Boeing747;
using AircraftTest::Cj4;
using AircraftTest::Fenix;
using enum Slot;

// ---- Worker sequences ---------------------------------------------------------

// clang-format off
constexpr SequenceStep kGravityGear[] = {
    {GravityGearCrankHandle,        1.0, 1500},
    {GravityGearCrankRotationValue, 1.0, 500},
    {GravityGearCrankRotationValue, 2.0, 500},
    {GravityGearCrankRotationValue, 3.0, 500},
    {GravityGearCrankRotationValue, 4.0, 500},
    {GravityGearExtendSwitch,       1.0, 0},
};
constexpr SequenceStep kRudderTrimReset[] = {
    {RudderTrimResetButton, 1.0, 2500},
    {RudderTrimResetButton, 0.0, 0},
};
constexpr SequenceStep kEngineFireTests[] = {
    {Engine1FireTestButton, 1.0, 7000},
    {Engine1FireTestButton, 0.0, 2000},
    {Engine2FireTestButton, 1.0, 7000},
    {Engine2FireTestButton, 0.0, 0},
};
constexpr SequenceStep kEngine1FireTest[] = {
    {Engine1FireTestButton, 1.0, 6000},
    {Engine1FireTestButton, 0.0, 0},
};
constexpr SequenceStep kEngine2FireTest[] = {
    {Engine2FireTestButton, 1.0, 6000},
    {Engine2FireTestButton, 0.0, 0},
};
constexpr SequenceStep kChronoReset[] = {
    {ClockElapsedTimeSelector, 2.0, 2500},
    {ClockElapsedTimeSelector, 0.0, 0},
};
constexpr SequenceStep kCargoDischarge1[] = {
    {CargoDischarge1Cover,  1.0, 1500},
    {CargoDischarge1Button, 2.0, 1500},
    {CargoDischarge1Button, 1.0, 2500},
    {CargoDischarge1Button, 0.0, 1500},
    {CargoDischarge1Button, 1.0, 0},
};
constexpr SequenceStep kCargoDischarge2[] = {
    {CargoDischarge2Cover,  1.0, 1500},
    {CargoDischarge2Button, 2.0, 1500},
    {CargoDischarge2Button, 1.0, 2500},
    {CargoDischarge2Button, 0.0, 1500},
    {CargoDischarge2Button, 1.0, 1500},
};

// ---- The table ------------------------------------------------------------------
//
// Events without data carry the command's value. Toggles and CalcToggles are
// sent only when the record shows the switch in the other state than asked.

constexpr Step kTable[] = {
    Code(65538), Event("SELECT_1"),
    Code(65539), Event("SELECT_2"),
    Code(65560), When(Fenix), When(A32nx), SetIfChanged(StrobeLightSwitch),
                 Otherwise(), Toggle("STROBES_TOGGLE", Systems(9), 1),
    Code(65564), OnlyOn(Event("ATC_MENU_OPEN")), OnlyOff(Event("ATC_MENU_CLOSE")),
    Code(65580), Call(Autopilot1),
    Code(65595), Event("FLAPS_UP"),
    Code(65596), Event("THROTTLE_FULL"),
    Code(65598), Event("THROTTLE_INCR"),
    Code(65602), Event("THROTTLE_DECR"),
    Code(65603), Event("FLAPS_DOWN"),
    Code(65604), Event("THROTTLE_CUT"),
    Code(65607), Event("ELEV_TRIM_DN"),
    Code(65609), Event("THROTTLE_INCR"),
    Code(65615), Event("ELEV_TRIM_UP"),
    Code(65617), Event("THROTTLE_DECR"),
    Code(65638), When(A320), Calc("(L:E_PED_RMP1_INNER, Number) -- (>L:E_PED_RMP1_INNER, Number)"),
    Code(65639), When(A320), Calc("(L:E_PED_RMP1_INNER, Number) ++ (>L:E_PED_RMP1_INNER, Number)"),
    Code(65698), Event("FLAPS_SET"),
    Code(65706), When(Fenix), SetSigned(ElevatorTrimWheel),
    Code(65707), Event("COM_RADIO_SET"),
    Code(65708), Event("NAV1_RADIO_SET"),
    Code(65709), Event("NAV2_RADIO_SET"),
    Code(65714), Event("ADF_SET"),
    Code(65715), Event("XPNDR_SET"),
    Code(65716), Event("VOR1_SET"),
    Code(65717), Event("VOR2_SET"),
    Code(65723), When(Fenix), Press(LocalizerButton),
                 When(A32nxEvents), Event("A32NX.FCU_LOC_PUSH"),
                 When(Cj4), Fire(NavModeButtonEvent),
                 Otherwise(), Event("AP_LOC_HOLD"),
    Code(65724), When(Fenix), Press(ApproachButton),
                 When(A32nxEvents), Event("A32NX.FCU_APPR_PUSH"),
                 When(Cj4), Fire(ApproachModeButtonEvent),
                 Otherwise(), Event("AP_APR_HOLD"),
    Code(65725), When(Fenix), Calc("(L:S_FCU_HEADING, Number) ++ (>L:S_FCU_HEADING, Number)"),
                 When(A32nxEvents), Event("A32NX.FCU_HDG_PULL", 1),
                 When(Cj4), Fire(HeadingModeButtonEvent),
                 Otherwise(), Event("HEADING_SLOT_INDEX_SET"), Event("AP_HDG_HOLD"), Set(HeadingHoldModeState),
    Code(65726), When(Fenix), Calc("(L:S_FCU_ALTITUDE, Number) ++ (>L:S_FCU_ALTITUDE, Number)"),
                 When(A32nxEvents), Event("A32NX.FCU_ALT_PULL", 1),
                 When(Cj4), Fire(AltitudeModeButtonEvent),
                 Otherwise(), Event("ALTITUDE_SLOT_INDEX_SET"), Event("AP_ALT_HOLD"), Set(AltitudeHoldModeState),
    Code(65729), When(Cj4), Fire(NavModeButtonEvent),
                 Otherwise(), Event("AP_NAV1_HOLD"),
    Code(65750), Toggle("PANEL_LIGHTS_TOGGLE", Systems(23)),
    Code(65751), Code(66061), Call(LandingLights),
    Code(65752), Event("PARKING_BRAKES"),
    Code(65758), Event("FLAPS_INCR"),
    Code(65759), Event("FLAPS_DECR"),
    Code(65762), Event("AXIS_ELEVATOR_SET"),
    Code(65763), Event("AXIS_AILERONS_SET"),
    Code(65764), Event("AXIS_RUDDER_SET"),
    Code(65786), Event("SPOILERS_SET"),
    Code(65789), Event("SIM_RATE_INCR"),
    Code(65790), Event("SIM_RATE_DECR"),
    Code(65833), Event("RADIO_VOR2_IDENT_DISABLE"),
    Code(65837), Event("RADIO_VOR1_IDENT_ENABLE"),
    Code(65838), Event("RADIO_VOR2_IDENT_ENABLE"),
    Code(65847), Event("RADIO_VOR1_IDENT_SET"),  // NAV 1; 65848 is NAV 2
    Code(65848), Event("RADIO_VOR2_IDENT_SET"),
    Code(65852), When(Fenix), Worker(kGravityGear),
    Code(65853), When(Fenix), Set(SpeedbrakeLever),
                 Otherwise(), Toggle("SPOILERS_ARM_TOGGLE", Systems(5)),
    Code(65858), When(Fenix), When(A32nx), Call(A320ProbeHeat),
                 Otherwise(), Toggle("PITOT_HEAT_TOGGLE", Systems(7)),
    Code(65859), When(Fenix), Calc("(L:S_FCU_SPEED, Number) ++ (>L:S_FCU_SPEED, Number)"),
                 When(Cj4), Fire(FlightLevelChangeModeButtonEvent),
                 Otherwise(), Event("SPEED_SLOT_INDEX_SET"), Event("AP_AIRSPEED_HOLD"),
    Code(65860), When(Fenix), Press(AutothrustButton),
                 Otherwise(), Toggle("AUTO_THROTTLE_ARM", Autopilot(2)), Set(AutothrottleArmSwitch),
    Code(65861), Event("AUTO_THROTTLE_TO_GA"),
    Code(65879), When(Fenix), Calc("(L:E_FCU_HEADING, Number) ++ (>L:E_FCU_HEADING, Number)"),
                 Otherwise(), Event("HEADING_BUG_INC", 1),
    Code(65880), When(Fenix), Calc("(L:E_FCU_HEADING, Number) -- (>L:E_FCU_HEADING, Number)"),
                 Otherwise(), Event("HEADING_BUG_DEC", 1),
    Code(65883), Event("KOHLSMAN_INC", 1),
    Code(65884), Event("KOHLSMAN_DEC", 1),
    Code(65892), When(Fenix), Set(AltitudeIncrementSelector), Pause(200),
                              Calc("(L:E_FCU_ALTITUDE, Number) ++ (>L:E_FCU_ALTITUDE, Number)"),
                 When(Boeing747), Event("AP_ALT_VAR_INC"),
                 Otherwise(), Event("AP_ALT_VAR_INC", 100),
    Code(65893), When(Fenix), Set(AltitudeIncrementSelector), Pause(200),
                              Calc("(L:E_FCU_ALTITUDE, Number) -- (>L:E_FCU_ALTITUDE, Number)"),
                 When(Boeing747), Event("AP_ALT_VAR_DEC"),
                 Otherwise(), Event("AP_ALT_VAR_DEC", 100),
    Code(65894), Event("AP_VS_VAR_INC", 1),
    Code(65895), Event("AP_VS_VAR_DEC", 1),
    Code(65896), When(Fenix), Calc("(L:E_FCU_SPEED, Number) ++ (>L:E_FCU_SPEED, Number)"),
                 When(A320), Fire(SpeedKnobIncrementEvent),
                 Otherwise(), Event("AP_SPD_VAR_INC", 1),
    Code(65897), When(Fenix), Calc("(L:E_FCU_SPEED, Number) -- (>L:E_FCU_SPEED, Number)"),
                 When(A320), Fire(SpeedKnobDecrementEvent),
                 Otherwise(), Event("AP_SPD_VAR_DEC", 1),
    Code(65919), When(Fenix), Set(Engine1MasterSwitch),
                 Otherwise(), Call(EngineFuelLever),
    Code(65920), When(Fenix), Set(Engine2MasterSwitch),
                 Otherwise(), Call(EngineFuelLever),
    Code(65921), ValveToggle(7), Event("MIXTURE3_SET"),
    Code(65922), ValveToggle(8), Event("MIXTURE4_SET"),
    Code(65923), Event("PROP_PITCH1_SET"),
    Code(65924), Event("PROP_PITCH2_SET"),
    Code(65925), Event("PROP_PITCH3_SET"),
    Code(65926), Event("PROP_PITCH4_SET"),
    Code(65927), Event("MAGNETO1_OFF"),
    Code(65928), Event("MAGNETO1_RIGHT"),
    Code(65929), Event("MAGNETO1_LEFT"),
    Code(65930), Event("MAGNETO1_BOTH"),
    Code(65931), Event("MAGNETO1_START"),
    Code(65932), Code(66300), Call(EngineStart),
    Code(65933), Event("MAGNETO2_OFF"),
    Code(65934), Event("MAGNETO2_RIGHT"),
    Code(65935), Event("MAGNETO2_LEFT"),
    Code(65936), Event("MAGNETO2_BOTH"),
    Code(65937), Event("MAGNETO2_START"),
    Code(65938), Code(66301), Call(EngineStart),
    Code(65939), Event("MAGNETO3_OFF"),
    Code(65940), Event("MAGNETO3_RIGHT"),
    Code(65941), Event("MAGNETO3_LEFT"),
    Code(65942), Event("MAGNETO3_BOTH"),
    Code(65943), Event("MAGNETO3_START"),
    Code(65944), Code(66302), Call(EngineStart),
    Code(65945), Event("MAGNETO4_OFF"),
    Code(65946), Event("MAGNETO4_RIGHT"),
    Code(65947), Event("MAGNETO4_LEFT"),
    Code(65948), Event("MAGNETO4_BOTH"),
    Code(65949), Event("MAGNETO4_START"),
    Code(65950), Code(66303), Call(EngineStart),
    Code(65983), Event("MIXTURE1_RICH"),
    Code(65988), Event("MIXTURE2_RICH"),
    Code(65993), Event("MIXTURE3_RICH"),
    Code(65998), Event("MIXTURE4_RICH"),
    Code(66004), Event("PROP_PITCH1_INCR"),
    Code(66006), Event("PROP_PITCH1_DECR"),
    Code(66009), Event("PROP_PITCH2_INCR"),
    Code(66011), Event("PROP_PITCH2_DECR"),
    Code(66014), Event("PROP_PITCH3_INCR"),
    Code(66016), Event("PROP_PITCH3_DECR"),
    Code(66019), Event("PROP_PITCH4_INCR"),
    Code(66021), Event("PROP_PITCH4_DECR"),
    Code(66036), Call(VerticalSpeedTarget),
    Code(66037), Code(66038), Call(SpeedTarget),
    Code(66040), Call(AltimeterSetting),
    Code(66042), Call(HeadingTarget),
    Code(66065), When(Fenix), Event("SPOILERS_SET", 0),
    Code(66067), When(Fenix), Set(SpeedbrakeLever),
    Code(66079), Event("GEAR_UP"),
    Code(66080), Event("GEAR_DOWN"),
    Code(66124), Call(AltitudeTarget),
    Code(66170), Set(WeatherRadarSystemSelector),
    Code(66172), Event("ATC_MENU_1"),
    Code(66173), Event("ATC_MENU_2"),
    Code(66174), Event("ATC_MENU_3"),
    Code(66175), Event("ATC_MENU_4"),
    Code(66176), Event("ATC_MENU_5"),
    Code(66177), Event("ATC_MENU_6"),
    Code(66178), Event("ATC_MENU_7"),
    Code(66179), Event("ATC_MENU_8"),
    Code(66180), Event("ATC_MENU_9"),
    Code(66181), Event("ATC_MENU_0"),
    Code(66239), When(Fenix), WhenAircraft(78), Set(BeaconLightSwitch),
                 Otherwise(), Toggle("TOGGLE_BEACON_LIGHTS", Systems(17)),
    Code(66240), Call(TaxiLight),
    Code(66241), When(Fenix), When(A32nx), Set(Battery1Switch),
                 Otherwise(), Toggle("TOGGLE_MASTER_BATTERY", Systems(1), 1), Pause(300),
                              Toggle("TOGGLE_MASTER_BATTERY", Systems(2), 2),
    Code(66276), Event("AILERON_TRIM_LEFT"),
    Code(66277), Event("AILERON_TRIM_RIGHT"),
    Code(66278), When(A320), Set(RudderTrimKnob),
                 Otherwise(), Event("RUDDER_TRIM_LEFT", 1),
    Code(66279), When(A320), Set(RudderTrimKnob),
                 Otherwise(), Event("RUDDER_TRIM_RIGHT", 1),
    Code(66288), When(Fenix), Press(Efis1FlightDirectorButton),
                 When(Cj4), Fire(FlightDirectorButtonEvent),
                 Otherwise(), Event("TOGGLE_FLIGHT_DIRECTOR", 1),
    Code(66293), Event("AVIONICS_MASTER_SET"),
    Code(66298), Code(68352), When(Fenix), When(A32nx), Call(A320Autobrake),
                 Otherwise(), OnlyOn(Event("SET_AUTOBRAKE_CONTROL")), OnlyOff(Event("INC_AUTOBRAKE_CONTROL", 1)),
    Code(66299), OnlyOn(Event("SET_AUTOBRAKE_CONTROL")), OnlyOff(Event("DEC_AUTOBRAKE_CONTROL", 1)),
    Code(66321), Event("DECISION_HEIGHT_INC"),
    Code(66322), Event("DECISION_HEIGHT_DEC"),
    Code(66337), When(Fenix), Set(WingAntiIceSwitch),
                 Otherwise(), Toggle("TOGGLE_STRUCTURAL_DEICE", Systems(40)),
    Code(66338), Toggle("TOGGLE_PROPELLER_DEICE", Engines(44)),
    Code(66364), When(Fenix), Set(Generator2Switch),
                 Otherwise(), Toggle("TOGGLE_ALTERNATOR2", Systems(37)), Toggle("TOGGLE_ALTERNATOR3", Systems(38)),
    Code(66365), Toggle("TOGGLE_ALTERNATOR3", Systems(38)),
    Code(66366), Toggle("TOGGLE_ALTERNATOR4", Systems(39)),
    Code(66371), Event("COM_STBY_RADIO_SET"),
    Code(66372), Event("COM1_RADIO_SWAP"),
    // The Fenix's nav and logo lights share one switch.
    Code(66376), When(Fenix), Set(LogoLightSwitch),
                 Otherwise(), Toggle("TOGGLE_NAV_LIGHTS", Systems(18), 1), Pause(300),
                              Toggle("TOGGLE_LOGO_LIGHTS", Systems(19), 1),
    Code(66377), Toggle("TOGGLE_RECOGNITION_LIGHTS", Systems(21)),
    Code(66378), When(Fenix), Set(WingLightSwitch),
                 Otherwise(), OnlyOn(Toggle("TOGGLE_WING_LIGHTS", Systems(20), 1)),
                              OnlyOff(Toggle("TOGGLE_WING_LIGHTS", Systems(20), 0)),
    Code(66379), When(Fenix), Set(LogoLightSwitch),
                 Otherwise(), Toggle("TOGGLE_NAV_LIGHTS", Systems(18), 1), Pause(300),
                              Toggle("TOGGLE_LOGO_LIGHTS", Systems(19), 1), Set(NavLightSwitch),
    Code(66389), Event("TOGGLE_AIRCRAFT_EXIT"),
    Code(66438), When(A320), Calc("(L:E_PED_RMP2_INNER, Number) -- (>L:E_PED_RMP2_INNER, Number)"),
    Code(66440), When(A320), Calc("(L:E_PED_RMP2_INNER, Number) ++ (>L:E_PED_RMP2_INNER, Number)"),
    Code(66442), Event("COM2_RADIO_SET"),
    Code(66443), Event("COM2_STBY_RADIO_SET"),
    Code(66444), Event("COM2_RADIO_SWAP"),
    Code(66448), Event("NAV1_RADIO_SWAP"),
    Code(66452), Event("NAV2_RADIO_SWAP"),
    Code(66466), Event("COM_RECEIVE_ALL_SET"),
    Code(66478), Event("MARKER_SOUND_SET"),
    Code(66483), Event("TOGGLE_PUSHBACK"),
    Code(66484), When(Fenix), Set(Engine1AntiIceSwitch),
                 Otherwise(), Toggle("ANTI_ICE_TOGGLE_ENG1", Engines(28)),
    Code(66485), When(Fenix), Set(Engine2AntiIceSwitch),
                 Otherwise(), Toggle("ANTI_ICE_TOGGLE_ENG2", Engines(29)),
    Code(66486), Toggle("ANTI_ICE_TOGGLE_ENG3", Engines(30)),
    Code(66487), Toggle("ANTI_ICE_TOGGLE_ENG4", Engines(31)),
    Code(66579), When(Fenix), Set(DomeLightSwitch),
                 Otherwise(), Toggle("TOGGLE_CABIN_LIGHTS", Systems(22)),
    Code(66596), When(Fenix), Set(FuelCrossfeedSwitch),
                 Otherwise(), ValveToggle(3), Pause(300), ValveToggle(1), Pause(300), ValveToggle(4), Pause(300),
                              Toggle("CROSS_FEED_TOGGLE", Systems(46)),
    Code(66704), When(Fenix), Set(ApuMasterSwitch), OnlyOn(Pause(700)), OnlyOn(Press(ApuStartButton)),
                 When(A32nx), Set(ApuMasterSwitch), OnlyOn(Pause(700)), OnlyOn(Set(ApuStartButton)),
                 Otherwise(), ValveToggle(7), Pause(300), OnlyOn(Event("APU_STARTER")),
    Code(66705), When(A320), Set(ApuMasterSwitch),
                 Otherwise(), ValveToggle(8), OnlyOff(Event("APU_OFF_SWITCH")),
    Code(66706), When(Fenix), Set(ApuGeneratorSwitch),
                 Otherwise(), Toggle("APU_GENERATOR_SWITCH_TOGGLE", Systems(29), 1), Pause(300),
                              Toggle("APU_GENERATOR_SWITCH_TOGGLE", Systems(30), 2),
    Code(66711), Event("AP_N1_HOLD"),
    Code(66718), When(Fenix), When(A32nx), Set(NoSmokingSignSwitch),
                 Otherwise(), Toggle("CABIN_NO_SMOKING_ALERT_SWITCH_TOGGLE", Systems(24)),
    Code(66719), When(Fenix), When(A32nx), Set(SeatbeltSignSwitch),
                 Otherwise(), OnlyOn(Toggle("CABIN_SEATBELTS_ALERT_SWITCH_TOGGLE", Systems(25), 1)),
                              OnlyOff(Toggle("CABIN_SEATBELTS_ALERT_SWITCH_TOGGLE", Systems(25), 0)),
    Code(66720), When(Fenix), Set(AntiSkidSwitch),
                 Otherwise(), Toggle("ANTISKID_BRAKES_TOGGLE", Systems(4)),
    Code(66732), When(Fenix), When(A32nx), Worker(kRudderTrimReset),
                 Otherwise(), Event("RUDDER_TRIM_SET"),
    Code(67937), When(Fenix), Calc("(L:S_FCU_SPEED, Number) ++ (>L:S_FCU_SPEED, Number)"),
                 Otherwise(), Event("SPEED_SLOT_INDEX_SET", 1),
    Code(67938), When(Fenix), Calc("(L:S_FCU_ALT, Number) ++ (>L:S_FCU_ALT, Number)"),
                 Otherwise(), Event("ALTITUDE_SLOT_INDEX_SET", 1),
    Code(67939), When(Fenix), Calc("(L:S_FCU_HEADING, Number) ++ (>L:S_FCU_HEADING, Number)"),
                 When(A32nxEvents), Event("A32NX.FCU_HDG_PULL", 1),
                 Otherwise(), Event("HEADING_SLOT_INDEX_SET", 1),
    Code(67942), Call(Autopilot2),
    Code(67943), Call(Autopilot3),
    Code(67947), When(Fenix), Press(Efis2FlightDirectorButton),
                 Otherwise(), Event("TOGGLE_FLIGHT_DIRECTOR", 2),
    Code(67950), When(Fenix), Calc("(L:S_FCU_ALTITUDE, Number) ++ (>L:S_FCU_ALTITUDE, Number)"),
                 When(A32nxEvents), Event("A32NX.FCU_ALT_PULL", 1),
                 When(Cj4), Fire(FlightLevelChangeModeButtonEvent),
                 Otherwise(), Event("ALTITUDE_SLOT_INDEX_SET", 1), Pause(300), Event("SPEED_SLOT_INDEX_SET", 1),
                              Pause(300), Event("FLIGHT_LEVEL_CHANGE_ON", 1), Set(FlightLevelChangeModeState),
    Code(67951), When(A32nxEvents), Event("A32NX.FCU_ALT_PUSH", 1),
                 When(A320), Fire(AltitudeKnobPushEvent),
                 When(Cj4), Fire(VnavModeButtonEvent),
                 Otherwise(), Event("ALTITUDE_SLOT_INDEX_SET", 2), Pause(300), Event("FLIGHT_LEVEL_CHANGE_ON", 1),
                              Pause(300), Event("SPEED_SLOT_INDEX_SET", 2), Set(VnavArmedState),
    Code(67952), When(Fenix), Calc("(L:S_FCU_HEADING, Number) -- (>L:S_FCU_HEADING, Number)"),
                 When(A32nxEvents), Event("A32NX.FCU_HDG_PUSH", 1),
                 When(A320), Fire(HeadingKnobPushEvent),
                 When(Cj4), Set(LnavArmedState),
                 Otherwise(), Event("AP_NAV1_HOLD_ON", 1), Set(LnavArmedState),
    Code(67953),
    Code(67957), Set(Efis1BaroModeSelector), Pause(100), Set(Efis2BaroModeSelector),
    Code(67958), When(Fenix), Calc("(L:E_FCU_EFIS1_BARO, Number) ++ (>L:E_FCU_EFIS1_BARO, Number)"), Pause(100),
                              Calc("(L:E_FCU_EFIS2_BARO, Number) ++ (>L:E_FCU_EFIS2_BARO, Number)"),
                 Otherwise(), Event("KOHLSMAN_INC", 1),
    Code(67959), When(Fenix), Calc("(L:E_FCU_EFIS1_BARO, Number) -- (>L:E_FCU_EFIS1_BARO, Number)"), Pause(100),
                              Calc("(L:E_FCU_EFIS2_BARO, Number) -- (>L:E_FCU_EFIS2_BARO, Number)"),
                 Otherwise(), Event("KOHLSMAN_DEC", 1),
    Code(67960), When(Fenix), Set(Efis1BaroStdButton), Pause(300), Set(Efis2BaroStdButton),
                 Otherwise(), Event("BAROMETRIC_STD_PRESSURE", 1),
    Code(67961),
    Code(67967), Set(Efis1NdModeSelector),
    Code(67968), Set(Efis1NdModeSelector),
    Code(67970), Set(Efis1NdRangeSelector),
    Code(67971), Set(Efis1NdRangeSelector),
    Code(67975), When(Fenix), Press(Efis2WaypointButton),
                 Otherwise(), Set(Efis2WaypointButton),
    Code(67976), When(Fenix), Press(Efis2AirportButton),
                 Otherwise(), Set(Efis2AirportButton),
    Code(67979), When(Fenix), Press(FirstOfficerTerrainOnNdButton), Press(CaptainTerrainOnNdButton),
                 Otherwise(), Set(FirstOfficerTerrainOnNdButton), Set(CaptainTerrainOnNdButton),
    Code(67989), When(Fenix), Press(FirstOfficerChronoButton),
                 Otherwise(), Set(FirstOfficerChronoButton),
    Code(67993),
    Code(67994), When(Fenix), When(A32nx), Set(RunwayTurnoffLightSwitch),
                 Otherwise(), Define(18), Pause(300), Define(19), Define(20),
    Code(67997), Set(HydraulicBlueElecPumpSwitch), Set(HydraulicCenter1PumpSwitch),
    Code(67998), When(Fenix), Press(HydraulicYellowElecPumpSwitch),
                 Otherwise(), SetIfChanged(HydraulicYellowElecPumpSwitch), Set(HydraulicCenter2PumpSwitch),
    Code(68001), When(Fenix), When(A32nx), Set(ApuBleedSwitch),
                 Otherwise(), Toggle("APU_BLEED_AIR_SOURCE_TOGGLE", Systems(28), 1), Pause(300),
                              OnlyOn(Event("BLEED_AIR_SOURCE_CONTROL_SET", 2)),
                              OnlyOff(Event("BLEED_AIR_SOURCE_CONTROL_SET", 0)),
    Code(68002), When(Fenix), When(A32nx), Set(Engine1BleedSwitch),
                 Otherwise(), Event("BLEED_AIR_SOURCE_CONTROL_SET"),
    Code(68003), When(Fenix), When(A32nx), Set(Engine2BleedSwitch),
                 Otherwise(), Event("BLEED_AIR_SOURCE_CONTROL_SET"),
    Code(68004), Event("BLEED_AIR_SOURCE_CONTROL_SET"),
    Code(68005), Event("BLEED_AIR_SOURCE_CONTROL_SET"),
    Code(68012), Set(HydraulicEngine1PumpSwitch), CalcToggle("1  (>K:HYDRAULIC_SWITCH_TOGGLE)", Systems(71)),
    Code(68013), Set(HydraulicEngine2PumpSwitch), CalcToggle("2  (>K:HYDRAULIC_SWITCH_TOGGLE)", Systems(72)),
    Code(68014), CalcToggle("3  (>K:HYDRAULIC_SWITCH_TOGGLE)", Systems(73)),
    Code(68015), CalcToggle("4  (>K:HYDRAULIC_SWITCH_TOGGLE)", Systems(74)),
    Code(68020), Set(Idg1DisconnectCover), Pause(1), Set(Idg1DisconnectSwitch),
    Code(68021), Set(Idg2DisconnectCover), Pause(1), Set(Idg2DisconnectSwitch),
    Code(68024), Code(68025), Code(68102), Set(CrossBleedSelector),
    Code(68027), When(Fenix), Set(FuelLeftTankPump1Switch),
                 Otherwise(), PumpToggle(2), PumpToggle(3), PumpToggle(1), PumpToggle(4),
    Code(68028), When(Fenix), Set(FuelLeftTankPump2Switch),
                 Otherwise(), PumpToggle(5), PumpToggle(4), PumpToggle(2), PumpToggle(3),
    Code(68029), When(Fenix), Set(FuelRightTankPump1Switch),
                 Otherwise(), PumpToggle(3), PumpToggle(6), PumpToggle(13),
    Code(68030), When(Fenix), Set(FuelRightTankPump2Switch),
                 Otherwise(), PumpToggle(6), PumpToggle(5), PumpToggle(4), PumpToggle(14),
    Code(68031), When(Fenix), Set(FuelCenterTankPump1Switch),
                 Otherwise(), PumpToggle(1), PumpToggle(5),
    Code(68032), When(Fenix), Set(FuelCenterTankPump2Switch),
                 Otherwise(), PumpToggle(4), PumpToggle(2), PumpToggle(6),
    Code(68033), PumpToggle(7),
    Code(68034), PumpToggle(8),
    Code(68035), PumpToggle(9),
    Code(68036), PumpToggle(10),
    Code(68037), PumpToggle(11),
    Code(68038), PumpToggle(12),
    Code(68039), PumpToggle(13),
    Code(68040), PumpToggle(14),
    Code(68041), PumpToggle(15),
    Code(68042), PumpToggle(16),
    Code(68047), ValveToggle(1),
    Code(68048), WhenAircraft(30), ValveToggle(4), ValveToggle(2),
    Code(68049), ValveToggle(3),
    Code(68050), ValveToggle(4),
    Code(68059), When(Fenix), Set(Engine1FireButtonAnimation), Pause(1000), Set(Engine1FireButton),
    Code(68060), When(Fenix), Set(Engine2FireButtonAnimation), Pause(1000), Set(Engine2FireButton),
    Code(68063), Set(ApuFireButton),
    Code(68064), When(Fenix), Set(Engine1FireButtonAnimation), Pause(1000), Set(Engine1FireButton),
    Code(68065), When(Fenix), Set(Engine2FireButtonAnimation), Pause(1000), Set(Engine2FireButton),
    Code(68068), Set(ApuFireButton),
    Code(68073), SetIfChanged(Ir1ModeSelector),
    Code(68074), SetIfChanged(Ir1ModeSelector),
    Code(68075), SetIfChanged(Ir2ModeSelector),
    Code(68076), SetIfChanged(Ir2ModeSelector),
    Code(68077), SetIfChanged(Ir3ModeSelector),
    Code(68078), SetIfChanged(Ir3ModeSelector),
    Code(68095), When(A320), SetIfChanged(NoseLightSwitch),
                 Otherwise(), Define(14), Define(18), Define(16),
    Code(68096), When(A320), SetIfChanged(NoseLightSwitch),
                 Otherwise(), Define(14), Define(18), Define(16),
    Code(68097), When(Fenix), Worker(kEngineFireTests),
    Code(68104), When(Fenix), When(A32nx), Set(CabinFansSwitch),
    Code(68105), When(Fenix), When(A32nx), Set(CabinFansSwitch),
                 Otherwise(), Set(CabinFansSwitch), Set(RecirculationFanLowerSwitch),
    Code(68111), When(Fenix), Set(EmergencyExitLightSwitch),
    Code(68114), When(Fenix), When(A32nx), Set(TransponderModeSelector), Pause(300),
                              Set(TransponderOperationSelector), Pause(300), Set(TransponderAltitudeReportingSwitch),
    Code(68115), When(Fenix), Calc("(L:S_FCU_SPEED, Number) ++ (>L:S_FCU_SPEED, Number)"),
                 When(A32nxEvents), Event("A32NX.FCU_SPD_PULL", 1),
                 Otherwise(), Event("SPEED_SLOT_INDEX_SET", 1),
    Code(68128), Set(PassengerOxygenSwitch),
    Code(68129), When(Fenix), Set(GpwsFlapModeSwitch),
    Code(68134), When(Fenix), When(A32nx), Set(ApuMasterSwitch),
                 Otherwise(), ValveToggle(8), ValveToggle(7), Pause(700),
                              OnlyOn(Event("APU_STARTER", 1)), OnlyOff(Event("APU_OFF_SWITCH", 1)),
    Code(68144), Set(HotAirSwitch),
    // The CJ4's master warning lamp is its variable: cancelling writes it off.
    Code(68155), When(Fenix), Press(MasterWarningButton),
                 WhenAircraft(59), Set(MasterWarningLight, 0),
    Code(68158), When(Fenix), Press(SpeedMachButton),
    Code(68160), When(Fenix), Press(HeadingVsTrackFpaButton),
                 When(A320), Call(A320FamilyCommand),
    Code(68162), When(Fenix), When(A32nx), SetIfChanged(LandingLightLeftSwitch),
                 Otherwise(), Define(15),
    Code(68163), When(Fenix), When(A32nx), SetIfChanged(LandingLightLeftSwitch),
                 Otherwise(), Define(15), Define(19),
    Code(68164), When(Fenix), When(A32nx), SetIfChanged(LandingLightRightSwitch),
                 Otherwise(), Define(16),
    Code(68165), When(Fenix), When(A32nx), SetIfChanged(LandingLightRightSwitch),
                 Otherwise(), Define(16), Define(20),
    Code(68166), When(Fenix), Calc("(L:S_FCU_ALTITUDE, Number) ++ (>L:S_FCU_ALTITUDE, Number)"),
                 When(A32nxEvents), Event("A32NX.FCU_ALT_PULL", 1),
                 Otherwise(), Event("ALTITUDE_SLOT_INDEX_SET", 1),
    Code(68167), Set(Engine1Agent1Button),
    Code(68168), Set(Engine2Agent1Button),
    Code(68172), Set(Engine1Agent2Button),
    Code(68173), Set(Engine2Agent2Button),
    Code(68177), When(Fenix), SetIfChanged(OverheadPanelLightKnob),
                 Otherwise(), Define(21),
    Code(68178), When(Fenix), SetIfChanged(OverheadPanelLightKnob),
                 Otherwise(), Define(21),
    Code(68181), When(Fenix), SetIfChanged(FcuPanelLightKnob),
    Code(68182), When(Fenix), SetIfChanged(FcuPanelLightKnob),
    Code(68183), When(Fenix), SetIfChanged(PedestalPanelLightKnob),
    Code(68184), When(Fenix), SetIfChanged(PedestalPanelLightKnob),
    Code(68186), Set(EmergencyExitLightCover),
    Code(68193), Set(PassengerOxygenCover),
    Code(68194),
    Code(68199), Set(ProbeWindowHeatSwitch),
    Code(68200), Set(ProbeWindowHeatSwitch), Set(WindowHeat2Switch),
    Code(68201), Set(ProbeWindowHeatSwitch), Set(WindowHeat3Switch),
    Code(68202), Set(ProbeWindowHeatSwitch), Set(WindowHeat4Switch),
    Code(68205), Set(EcamTakeoffConfigButton),
    Code(68206), When(Fenix), Calc("(L:S_FCU_SPEED, Number) -- (>L:S_FCU_SPEED, Number)"),
                 When(A32nxEvents), Event("A32NX.FCU_SPD_PUSH", 1),
                 Otherwise(), Event("SPEED_SLOT_INDEX_SET", 2),
    Code(68207), When(Fenix), Calc("(L:S_FCU_HEADING, Number) -- (>L:S_FCU_HEADING, Number)"),
                 When(A32nxEvents), Event("A32NX.FCU_HDG_PUSH", 1),
                 When(A320), Fire(HeadingKnobPushEvent),
                 Otherwise(), Event("HEADING_SLOT_INDEX_SET", 2),
    Code(68208), When(Fenix), Calc("(L:S_FCU_ALTITUDE, Number) -- (>L:S_FCU_ALTITUDE, Number)"),
                 When(A32nxEvents), Event("A32NX.FCU_ALT_PUSH", 1),
                 When(A320), Fire(AltitudeKnobPushEvent),
                 Otherwise(), Event("ALTITUDE_SLOT_INDEX_SET", 2),
    Code(68234), When(Fenix), Press(GalleyCabinSwitch),
                 Otherwise(), Set(GalleyCabinSwitch),
    Code(68235), When(Fenix), Press(CommercialSwitch),
                 Otherwise(), Set(CommercialSwitch),
    Code(68260), When(Fenix), Set(VentilationBlowerSwitch),
    Code(68261), When(Fenix), Set(VentilationExtractSwitch),
    Code(68270), When(Fenix), Set(Pack1Switch),
                 When(A320), OnlyOn(Calc("1 (>L:A32NX_OVHD_COND_PACK_1_PB_IS_ON)")),
                             OnlyOff(Calc("0 (>L:A32NX_OVHD_COND_PACK_1_PB_IS_ON)")),
    Code(68271), When(Fenix), Set(Pack2Switch),
                 When(A320), OnlyOn(Calc("1 (>L:A32NX_OVHD_COND_PACK_2_PB_IS_ON)")),
                             OnlyOff(Calc("0 (>L:A32NX_OVHD_COND_PACK_2_PB_IS_ON)")),
    Code(68272),
    Code(68323), When(Fenix), When(A32nx), Set(CaptainWiperSelector), Set(FirstOfficerWiperSelector),
                 Otherwise(), Toggle("ELECTRICAL_CIRCUIT_TOGGLE", Systems(78), 77), Pause(300),
                              Toggle("ELECTRICAL_CIRCUIT_TOGGLE", Systems(79), 80), Pause(300),
                              Toggle("ELECTRICAL_CIRCUIT_TOGGLE", Systems(77), 73), Pause(300),
                              Toggle("ELECTRICAL_CIRCUIT_TOGGLE", Systems(80), 111),
    Code(68324), Set(HydraulicDemandPumpLeftSelector),
    Code(68327), Set(HydraulicDemandPumpRightSelector),
    Code(68337), Set(Idg1DisconnectCover),
    Code(68338), Set(Idg2DisconnectCover),
    Code(68341),
    Code(68350), When(Fenix), Set(LandingElevationKnob),
    Code(68362),
    Code(68363), When(Fenix), Set(GpwsTerrainSwitch),
    Code(68367), When(Fenix), Set(WheelChocksSwitch),
    Code(68368), WhenAircraft(60), Event("TOGGLE_AIRCRAFT_EXIT", 0),
    Code(68369), Code(68371), When(Fenix), When(A32nx), Event("TOGGLE_AIRCRAFT_EXIT", 2),
                              Event("TOGGLE_AIRCRAFT_EXIT", 3), Event("TOGGLE_AIRCRAFT_EXIT", 4),
                              Event("TOGGLE_AIRCRAFT_EXIT", 8),
                 Otherwise(), Event("TOGGLE_AIRCRAFT_EXIT"),
    Code(68370), When(Fenix), Event("TOGGLE_AIRCRAFT_EXIT", 3),
    Code(68374), When(Fenix), When(A32nx), Event("TOGGLE_AIRCRAFT_EXIT", 6), Event("TOGGLE_AIRCRAFT_EXIT", 9),
                              Event("TOGGLE_AIRCRAFT_EXIT", 12),
                 Otherwise(), Event("TOGGLE_AIRCRAFT_EXIT"),
    Code(68375), When(Fenix), Event("TOGGLE_AIRCRAFT_EXIT", 5),
    Code(68388), Set(NosewheelSteeringSwitch),
    Code(68402),
    Code(68413), When(Fenix), Call(StartOxygenMaskTest),
    Code(68416), Toggle("APU_GENERATOR_SWITCH_TOGGLE", Systems(29), 1),
    Code(68417), Toggle("APU_GENERATOR_SWITCH_TOGGLE", Systems(30), 2),
    Code(68418), Set(Engine1FireButtonCover),
    Code(68419), Set(Engine2FireButtonCover),
    Code(68422), Set(ApuFireButtonCover),
    Code(68423), Set(FirstOfficerGpwsVisualAlertButton),
    Code(68428), Call(RecorderTest),
    Code(68433), When(Fenix), When(A32nx), Set(Battery2Switch),
                 Otherwise(), Toggle("TOGGLE_MASTER_BATTERY", Systems(2), 2),
    Code(68443), Set(HydraulicBlueElecPumpCover),
    Code(68444), Set(HydraulicShutoffValve2Cover),
    Code(68447), Set(CargoSmokeTestButton),
    Code(68470), Set(RamAirSwitch),
    Code(68492), When(Fenix), Set(EngineModeSelector),
                 Otherwise(), Event("TURBINE_IGNITION_SWITCH_SET"),
    Code(68496), Calc("1 (>L:A310_TRP_TOGA_BUTTON)"),
    Code(68497), Calc("1 (>L:A310_TRP_CL_BUTTON)"),
    Code(68500), Calc("1 (>L:A310_TRP_CL_BUTTON)"),
    Code(68501), Calc("1 (>L:A310_TRP_CR_BUTTON)"),
    Code(68502), Calc("1 (>L:A310_TRP_FLEX_BUTTON)"),
    Code(68516), Set(OutflowValveForwardSwitch),
    Code(68517), Set(OutflowValveAftSwitch),
    Code(68543), When(Fenix), Press(Efis2VorDmeButton),
                 Otherwise(), Set(Efis2VorDmeButton),
    Code(68544), When(Fenix), Press(Efis2NdbButton),
                 Otherwise(), Set(Efis2NdbButton),
    Code(68545), When(Fenix), Press(Efis2ConstraintButton),
                 Otherwise(), Set(Efis2ConstraintButton),
    Code(68546), Toggle("FLY_BY_WIRE_ELAC_TOGGLE", Systems(47), 1), Set(Elac1Switch),
    Code(68547), Toggle("FLY_BY_WIRE_ELAC_TOGGLE", Systems(48), 2), Set(Elac2Switch),
    Code(68549), Toggle("FLY_BY_WIRE_FAC_TOGGLE", Systems(49), 1), Set(Fac1Switch),
    Code(68550), Toggle("FLY_BY_WIRE_FAC_TOGGLE", Systems(50), 2), Set(Fac2Switch),
    Code(68552), Toggle("FLY_BY_WIRE_SEC_TOGGLE", Systems(51), 1), Set(Sec1Switch),
    Code(68553), Toggle("FLY_BY_WIRE_SEC_TOGGLE", Systems(52), 2), Set(Sec2Switch),
    Code(68554), Toggle("FLY_BY_WIRE_SEC_TOGGLE", Systems(53), 3), Set(Sec3Switch),
    Code(68555), Set(Rmp1PowerSwitch),
    Code(68556), Set(Rmp2PowerSwitch),
    Code(68557), SetIfChanged(WeatherRadarModeSelector),
    Code(68558), Set(WeatherRadarModeSelector),
    Code(68576), Set(EcamUpperDisplayBrightnessKnob),
    Code(68577), Set(EcamLowerDisplayBrightnessKnob),
    Code(68578), Set(CaptainOuterDisplayBrightnessKnob), Pause(300), Set(FirstOfficerOuterDisplayBrightnessKnob),
    Code(68579), Set(CaptainInnerDisplayBrightnessKnob), Pause(300), Set(FirstOfficerInnerDisplayBrightnessKnob),
    Code(68583), When(Fenix), Calc("(L:S_FCU_VERTICAL_SPEED, Number) -- (>L:S_FCU_VERTICAL_SPEED, Number)"),
                 When(A32nxEvents), Event("A32NX.FCU_VS_PUSH", 1),
                 When(A320), Fire(VerticalSpeedKnobPushEvent),
                 Otherwise(), Event("VS_SLOT_INDEX_SET", 2),
    Code(68584), When(Fenix), Calc("(L:S_FCU_VERTICAL_SPEED, Number) ++ (>L:S_FCU_VERTICAL_SPEED, Number)"),
                 When(A32nxEvents), Event("A32NX.FCU_VS_PULL", 1),
                 When(A320), Fire(VerticalSpeedKnobPullEvent),
                 Otherwise(), Event("VS_SLOT_INDEX_SET", 1),
    Code(68597), Set(FlightComputerAutoSwitch),
    Code(68611), When(Fenix), Set(AnnunciatorLightSwitch),
    // 0 resets the elapsed time (a timed sequence); other values move the selector.
    Code(68656), When(Fenix), OnlyOff(Worker(kChronoReset)), OnlyOn(Set(ClockElapsedTimeSelector)),
    Code(68657),
    Code(68702), Toggle("TOGGLE_ALTERNATOR2", Systems(37)),
    Code(68703), Toggle("TOGGLE_ALTERNATOR4", Systems(39)),
    Code(68706), When(A320), Worker(kCargoDischarge1),
    Code(68707), When(A320), Worker(kCargoDischarge2),
    Code(68720), When(Fenix), When(A32nx), Set(TcasRangeSelector),
    Code(68729), Set(RamAirCover),
    Code(68742), When(Fenix), Press(AcEssFeedSwitch),
                 Otherwise(), Set(AcEssFeedSwitch),
    Code(68747), ValveToggle(4),
    Code(68748), ValveToggle(5),
    Code(68814), Set(CaptainWindowLockButton), Pause(1000), Set(CaptainWindowLever), Pause(1000),
                 Set(CaptainWindowPositionValue),
    Code(68815), Set(FirstOfficerWindowLockButton), Pause(1000), Set(FirstOfficerWindowLever), Pause(1000),
                 Set(FirstOfficerWindowPositionValue),
    Code(68836), When(Fenix), Press(ExternalPowerButton),
                 Otherwise(), Toggle("TOGGLE_EXTERNAL_POWER", Systems(42)),
    Code(68843), When(Fenix), Worker(kRudderTrimReset),
                 Otherwise(), Event("RUDDER_TRIM_SET", 0),
    Code(68847), Set(WeatherRadarModeSelector),
    Code(68918), When(Fenix), Call(StartTransponderEntry),
                 Otherwise(), Event("XPNDR_SET"),
    Code(68938), When(Fenix), Press(Efis1LsButton),
                 Otherwise(), Set(Efis1LsButton),
    Code(68939), When(Fenix), Press(Efis2LsButton),
                 Otherwise(), Set(Efis2LsButton),
    Code(68940), Set(ApuFireTestButton),
    Code(68988), Set(WeatherRadarGcsSwitch),
    Code(68989), Code(69040), Set(WeatherRadarPredictiveWindshearSwitch),
    Code(68990), Set(WeatherRadarSystemSelector),
    Code(68991), Set(OxygenMaskTestLongButton),
    Code(69008), Code(69010), When(Fenix), SetIfChanged(PedestalFloodLightKnob),
    Code(69021), Set(HeadUpGuidanceCombinerSwitch),
    Code(69024), When(Fenix), SetIfChanged(EcamUpperDisplayBrightnessKnob),
    Code(69025), When(Fenix), SetIfChanged(EcamLowerDisplayBrightnessKnob),
    Code(69026), When(Fenix), OnlyOn(Press(Cdu1BrightnessUpButton)), OnlyOn(Pause(300)),
                              OnlyOn(Press(Cdu2BrightnessUpButton)),
                              OnlyOff(Press(Cdu1BrightnessDownButton)), OnlyOff(Pause(300)),
                              OnlyOff(Press(Cdu2BrightnessDownButton)),
                 When(A320), Call(A320FamilyCommand),
    Code(69055), When(Fenix), Calc("3 (>L:S_FCU_EFIS2_ND_MODE, Number)"),
                 Otherwise(), Set(Efis2NdModeSelector),
    Code(69056), Set(Efis2NdModeSelector),
    Code(69058), Set(Efis2NdRangeSelector),
    Code(69059), Set(Efis2NdRangeSelector),
    Code(69067), When(Fenix), Press(FirstOfficerTerrainOnNdButton),
                 Otherwise(), Set(FirstOfficerTerrainOnNdButton),
    Code(69076), Set(PackFlowSelector),
    Code(69077), Worker(kEngine1FireTest),
    Code(69078), Worker(kEngine2FireTest),
    Code(69109), Call(StartGroundServicesDiscovery),
    Code(69134), Set(CallMechanicButton),
    Code(69135), Set(CallAllButton),
    Code(69136), When(Fenix), Set(CockpitDoorSwitch),
};
// clang-format on

// ---- Checks on the table's shape ---------------------------------------------------

constexpr bool IsBranch(const Step& step) {
    return step.kind == StepKind::When || step.kind == StepKind::Otherwise;
}

constexpr bool StartsWithACode() {
    return std::size(kTable) > 0 && kTable[0].kind == StepKind::Code;
}

// Sorted rather than compared pairwise: the pairwise loop runs past clang's
// limit on constant evaluation.
constexpr bool CodesAreUnique() {
    std::array<std::uint32_t, std::size(kTable)> codes{};
    std::size_t count = 0;
    for (const Step& step : kTable) {
        if (step.kind == StepKind::Code) codes[count++] = step.number;
    }
    std::sort(codes.begin(), codes.begin() + static_cast<std::ptrdiff_t>(count));
    return std::adjacent_find(codes.begin(), codes.begin() + static_cast<std::ptrdiff_t>(count)) ==
           codes.begin() + static_cast<std::ptrdiff_t>(count);
}

// In a row with branches every step belongs to one, Otherwise comes last, and
// no branch is empty.
constexpr bool RowsAreWellFormed() {
    std::size_t i = 0;
    while (i < std::size(kTable)) {
        while (i < std::size(kTable) && kTable[i].kind == StepKind::Code) ++i;
        const std::size_t begin = i;
        while (i < std::size(kTable) && kTable[i].kind != StepKind::Code) ++i;
        const std::size_t end = i;
        if (begin == end || !IsBranch(kTable[begin])) {
            for (std::size_t k = begin; k < end; ++k) {
                if (IsBranch(kTable[k])) return false;
            }
            continue;
        }
        bool otherwiseSeen = false;
        for (std::size_t k = begin; k < end; ++k) {
            if (!IsBranch(kTable[k])) continue;
            if (otherwiseSeen) return false;
            otherwiseSeen = kTable[k].kind == StepKind::Otherwise;
            const bool nextIsStep = k + 1 < end && !IsBranch(kTable[k + 1]);
            const bool nextIsWhen = k + 1 < end && kTable[k + 1].kind == StepKind::When && !otherwiseSeen;
            if (!nextIsStep && !nextIsWhen) return false;
        }
    }
    return true;
}

constexpr bool StepsHaveWhatTheyNeed() {
    for (const Step& step : kTable) {
        if (step.kind == StepKind::Worker && step.sequence.empty()) return false;
        if ((step.kind == StepKind::Event || step.kind == StepKind::Toggle || step.kind == StepKind::Calc ||
             step.kind == StepKind::CalcToggle) &&
            step.text.empty()) {
            return false;
        }
    }
    return true;
}

static_assert(StartsWithACode(), "a row starts with its codes");
static_assert(CodesAreUnique(), "a code belongs to one row");
static_assert(RowsAreWellFormed(), "branches: When ... then Otherwise last, none empty");
static_assert(StepsHaveWhatTheyNeed(), "events and code have a text, workers a sequence");

}  // namespace

std::span<const Step> CommandTable() {
    return kTable;
}

std::optional<std::span<const Step>> FindCommandRow(std::uint32_t code) {
    const std::span<const Step> table = kTable;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].kind != StepKind::Code || table[i].number != code) continue;
        std::size_t begin = i;
        while (begin < table.size() && table[begin].kind == StepKind::Code) ++begin;
        std::size_t end = begin;
        while (end < table.size() && table[end].kind != StepKind::Code) ++end;
        return table.subspan(begin, end - begin);
    }
    return std::nullopt;
}

}  // namespace tarvo::adapters::generic
