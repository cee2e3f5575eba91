#include "simworld/KeyEvents.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <type_traits>

namespace tarvo::simworld {
namespace {

enum class EffectKind {
    Toggle,        // variable: 0 <-> 1
    ToggleAtData,  // variable:data (data 0 counts as 1): 0 <-> 1
    Set,           // variable := value in unit
    SetData,       // variable := data (signed) in unit
    Add,           // variable += value in unit
    AddData,       // variable += data in unit, in the sign of value; value when data is 0
    Swap,          // variable <-> argument (a second variable)
};

// One effect of an event; an event with several rows applies them in order.
struct KeyEffectRow {
    std::string_view event;
    EffectKind kind;
    std::string_view variable;
    std::string_view argument;  // the unit, or the second variable of a swap
    double value;
};

// An effect that needs computing (detents, wrap-around, several engines).
struct KeyCallRow {
    std::string_view event;
    void (*call)(Variables&, std::uint32_t data);
};

double Signed(std::uint32_t data) {
    return static_cast<double>(static_cast<std::int32_t>(data));
}

double Read(const Variables& v, std::string_view name, std::string_view unit) {
    return v.Get(name, unit).value_or(0.0);
}

void SetFlapsIndex(Variables& v, double index) {
    const double positions = std::max(1.0, Read(v, "FLAPS NUM HANDLE POSITIONS", "number"));
    index = std::clamp(std::round(index), 0.0, positions);
    const double fraction = index / positions;
    v.Set("FLAPS HANDLE INDEX", index, "number");
    v.Set("FLAPS HANDLE PERCENT", fraction, "percent over 100");
    v.Set("TRAILING EDGE FLAPS LEFT PERCENT", fraction, "percent over 100");
    v.Set("TRAILING EDGE FLAPS RIGHT PERCENT", fraction, "percent over 100");
}

void FlapsSet(Variables& v, std::uint32_t data) {
    // The handle follows the lever to its nearest detent; the percent keeps the lever's value.
    const double fraction = std::clamp(Signed(data) / 16383.0, 0.0, 1.0);
    const double positions = std::max(1.0, Read(v, "FLAPS NUM HANDLE POSITIONS", "number"));
    SetFlapsIndex(v, fraction * positions);
    v.Set("FLAPS HANDLE PERCENT", fraction, "percent over 100");
    v.Set("TRAILING EDGE FLAPS LEFT PERCENT", fraction, "percent over 100");
    v.Set("TRAILING EDGE FLAPS RIGHT PERCENT", fraction, "percent over 100");
}
void FlapsUp(Variables& v, std::uint32_t) {
    SetFlapsIndex(v, 0);
}
void FlapsDown(Variables& v, std::uint32_t) {
    SetFlapsIndex(v, Read(v, "FLAPS NUM HANDLE POSITIONS", "number"));
}
void FlapsIncr(Variables& v, std::uint32_t) {
    SetFlapsIndex(v, Read(v, "FLAPS HANDLE INDEX", "number") + 1);
}
void FlapsDecr(Variables& v, std::uint32_t) {
    SetFlapsIndex(v, Read(v, "FLAPS HANDLE INDEX", "number") - 1);
}

void SetGear(Variables& v, double position) {
    for (const char* name :
         {"GEAR HANDLE POSITION", "GEAR LEFT POSITION", "GEAR CENTER POSITION", "GEAR RIGHT POSITION"}) {
        v.Set(name, position, "position");
    }
}
void GearUp(Variables& v, std::uint32_t) {
    SetGear(v, 0);
}
void GearDown(Variables& v, std::uint32_t) {
    SetGear(v, 1);
}
void GearToggle(Variables& v, std::uint32_t) {
    SetGear(v, Read(v, "GEAR HANDLE POSITION", "position") > 0 ? 0 : 1);
}

void StepHeadingBug(Variables& v, double degrees) {
    double heading = std::fmod(Read(v, "AUTOPILOT HEADING LOCK DIR:1", "degrees") + degrees, 360.0);
    if (heading < 0) heading += 360.0;
    v.Set("AUTOPILOT HEADING LOCK DIR:1", heading, "degrees");
}
void HeadingBugInc(Variables& v, std::uint32_t) {
    StepHeadingBug(v, 1);
}
void HeadingBugDec(Variables& v, std::uint32_t) {
    StepHeadingBug(v, -1);
}

void ToggleExit(Variables& v, std::uint32_t data) {
    // Exits are numbered from 1 in the event, from 0 in EXIT OPEN.
    const std::string name = "EXIT OPEN:" + std::to_string(data == 0 ? 0 : data - 1);
    v.Set(name, Read(v, name, "percent over 100") > 0 ? 0 : 1, "percent over 100");
}

int EngineCount(const Variables& v) {
    return std::clamp(static_cast<int>(Read(v, "NUMBER OF ENGINES", "number")), 0, 4);
}

void SetEngineRunning(Variables& v, bool running) {
    for (int engine = 1; engine <= EngineCount(v); ++engine) {
        const std::string n = ":" + std::to_string(engine);
        v.Set("GENERAL ENG COMBUSTION" + n, running ? 1 : 0, "bool");
        v.Set("GENERAL ENG FUEL VALVE" + n, running ? 1 : 0, "bool");
        v.Set("GENERAL ENG STARTER" + n, 0, "bool");
        v.Set("TURB ENG N1" + n, running ? 19.5 : 0, "percent");
        v.Set("TURB ENG N2" + n, running ? 58.0 : 0, "percent");
        v.Set("TURB ENG FUEL FLOW PPH" + n, running ? 650 : 0, "pounds per hour");
        v.Set("TURB ENG ITT" + n, running ? 420 : 15, "celsius");
    }
}
void EngineAutoStart(Variables& v, std::uint32_t) {
    SetEngineRunning(v, true);
}
void EngineAutoShutdown(Variables& v, std::uint32_t) {
    SetEngineRunning(v, false);
}

void SetThrottles(Variables& v, double position, bool relative) {
    for (int engine = 1; engine <= 4; ++engine) {
        const std::string name = "GENERAL ENG THROTTLE LEVER POSITION:" + std::to_string(engine);
        const double base = relative ? Read(v, name, "position") : 0.0;
        v.Set(name, std::clamp(base + position, 0.0, 1.0), "position");
    }
}
void ThrottleFull(Variables& v, std::uint32_t) {
    SetThrottles(v, 1, false);
}
void ThrottleCut(Variables& v, std::uint32_t) {
    SetThrottles(v, 0, false);
}
void ThrottleIncr(Variables& v, std::uint32_t) {
    SetThrottles(v, 0.05, true);
}
void ThrottleDecr(Variables& v, std::uint32_t) {
    SetThrottles(v, -0.05, true);
}

void IgnitionAll(Variables& v, std::uint32_t data) {
    for (int engine = 1; engine <= 4; ++engine) {
        v.Set("TURB ENG IGNITION SWITCH EX1:" + std::to_string(engine), Signed(data), "enum");
    }
}

void ScaleSimRate(Variables& v, double factor) {
    v.Set("SIMULATION RATE", std::clamp(Read(v, "SIMULATION RATE", "number") * factor, 0.25, 16.0), "number");
}
void SimRateIncr(Variables& v, std::uint32_t) {
    ScaleSimRate(v, 2.0);
}
void SimRateDecr(Variables& v, std::uint32_t) {
    ScaleSimRate(v, 0.5);
}

void TogglePushback(Variables& v, std::uint32_t) {
    // 3 = no pushback, 0 = pushing straight.
    v.Set("PUSHBACK STATE", Read(v, "PUSHBACK STATE", "enum") == 3 ? 0 : 3, "enum");
}

using enum EffectKind;

// Every key event the world accepts is in one of the three tables below.
// clang-format off
constexpr KeyEffectRow kKeyEffects[] = {
    {"AP_MASTER",                    ToggleAtData, "AUTOPILOT MASTER",               "",                0},
    {"YAW_DAMPER_TOGGLE",            Toggle,       "AUTOPILOT YAW DAMPER",           "",                0},
    {"AUTO_THROTTLE_ARM",            Toggle,       "AUTOPILOT THROTTLE ARM",         "",                0},
    {"AP_AIRSPEED_HOLD",             Toggle,       "AUTOPILOT AIRSPEED HOLD",        "",                0},
    {"AP_VS_HOLD",                   Toggle,       "AUTOPILOT VERTICAL HOLD",        "",                0},
    {"AP_SPD_VAR_SET",               SetData,      "AUTOPILOT AIRSPEED HOLD VAR:1",  "knots",           0},
    {"HEADING_BUG_SET",              SetData,      "AUTOPILOT HEADING LOCK DIR:1",   "degrees",         0},
    {"AP_VS_VAR_SET_ENGLISH",        SetData,      "AUTOPILOT VERTICAL HOLD VAR:1",  "feet per minute", 0},
    {"AP_ALT_VAR_SET_ENGLISH",       SetData,      "AUTOPILOT ALTITUDE LOCK VAR:1",  "feet",            0},
    {"VOR1_SET",                     SetData,      "NAV OBS:1",                      "degrees",         0},
    {"VOR2_SET",                     SetData,      "NAV OBS:2",                      "degrees",         0},
    {"AP_ATT_HOLD",                  Toggle,       "AUTOPILOT ATTITUDE HOLD",        "",                0},
    {"AP_APR_HOLD",                  Toggle,       "AUTOPILOT APPROACH HOLD",        "",                0},
    {"AP_HDG_HOLD",                  Toggle,       "AUTOPILOT HEADING LOCK",         "",                0},
    {"AP_ALT_HOLD",                  Toggle,       "AUTOPILOT ALTITUDE LOCK",        "",                0},
    {"AP_NAV1_HOLD",                 Toggle,       "AUTOPILOT NAV1 LOCK",            "",                0},
    {"TOGGLE_FLIGHT_DIRECTOR",       ToggleAtData, "AUTOPILOT FLIGHT DIRECTOR ACTIVE", "",                0},
    {"AP_ALT_VAR_DEC",               AddData,      "AUTOPILOT ALTITUDE LOCK VAR:1",  "feet",            -100},
    {"AP_ALT_VAR_INC",               AddData,      "AUTOPILOT ALTITUDE LOCK VAR:1",  "feet",            100},
    {"AP_SPD_VAR_DEC",               Add,          "AUTOPILOT AIRSPEED HOLD VAR:1",  "knots",           -1},
    {"AP_SPD_VAR_INC",               Add,          "AUTOPILOT AIRSPEED HOLD VAR:1",  "knots",           1},
    {"AP_VS_VAR_DEC",                Add,          "AUTOPILOT VERTICAL HOLD VAR:1",  "feet per minute", -100},
    {"AP_VS_VAR_INC",                Add,          "AUTOPILOT VERTICAL HOLD VAR:1",  "feet per minute", 100},
    {"AP_PANEL_SPEED_HOLD",          Toggle,       "AUTOPILOT AIRSPEED HOLD",        "",                0},
    {"AP_PANEL_HEADING_HOLD",        Toggle,       "AUTOPILOT HEADING LOCK",         "",                0},
    {"AP_PANEL_VS_HOLD",             Toggle,       "AUTOPILOT VERTICAL HOLD",        "",                0},
    {"AP_PANEL_ALTITUDE_HOLD",       Toggle,       "AUTOPILOT ALTITUDE LOCK",        "",                0},
    {"AP_NAV1_HOLD_ON",              Set,          "AUTOPILOT NAV1 LOCK",            "bool",            1},
    {"FLIGHT_LEVEL_CHANGE_ON",       Set,          "AUTOPILOT FLIGHT LEVEL CHANGE",  "bool",            1},
    {"AP_MANAGED_SPEED_IN_MACH_ON",  Set,          "AUTOPILOT MANAGED SPEED IN MACH", "bool",            1},
    {"AP_MANAGED_SPEED_IN_MACH_OFF", Set,          "AUTOPILOT MANAGED SPEED IN MACH", "bool",            0},
    {"SPEED_SLOT_INDEX_SET",         SetData,      "AUTOPILOT SPEED SLOT INDEX",     "number",          0},
    {"HEADING_SLOT_INDEX_SET",       SetData,      "AUTOPILOT HEADING SLOT INDEX",   "number",          0},
    {"ALTITUDE_SLOT_INDEX_SET",      SetData,      "AUTOPILOT ALTITUDE SLOT INDEX",  "number",          0},
    {"VS_SLOT_INDEX_SET",            SetData,      "AUTOPILOT VS SLOT INDEX",        "number",          0},
    {"INC_AUTOBRAKE_CONTROL",        Add,          "AUTO BRAKE SWITCH CB",           "number",          1},
    {"DEC_AUTOBRAKE_CONTROL",        Add,          "AUTO BRAKE SWITCH CB",           "number",          -1},
    {"SET_AUTOBRAKE_CONTROL",        SetData,      "AUTO BRAKE SWITCH CB",           "number",          0},
    {"PARKING_BRAKES",               Toggle,       "BRAKE PARKING POSITION",         "",                0},
    {"ANTISKID_BRAKES_TOGGLE",       Toggle,       "ANTISKID BRAKES ACTIVE",         "",                0},
    {"ELEV_TRIM_DN",                 Add,          "ELEVATOR TRIM POSITION",         "degrees",         -0.1},
    {"ELEV_TRIM_UP",                 Add,          "ELEVATOR TRIM POSITION",         "degrees",         0.1},
    {"RUDDER_TRIM_LEFT",             Add,          "RUDDER TRIM",                    "degrees",         -0.1},
    {"RUDDER_TRIM_RIGHT",            Add,          "RUDDER TRIM",                    "degrees",         0.1},
    {"AILERON_TRIM_LEFT",            Add,          "AILERON TRIM",                   "degrees",         -0.1},
    {"AILERON_TRIM_RIGHT",           Add,          "AILERON TRIM",                   "degrees",         0.1},
    {"AXIS_AILERONS_SET",            SetData,      "AILERON POSITION",               "position 16k",    0},
    {"AXIS_ELEVATOR_SET",            SetData,      "ELEVATOR POSITION",              "position 16k",    0},
    {"AXIS_RUDDER_SET",              SetData,      "RUDDER POSITION",                "position 16k",    0},
    {"FLY_BY_WIRE_ELAC_TOGGLE",      ToggleAtData, "FLY BY WIRE ELAC SWITCH",        "",                0},
    {"FLY_BY_WIRE_FAC_TOGGLE",       ToggleAtData, "FLY BY WIRE FAC SWITCH",         "",                0},
    {"FLY_BY_WIRE_SEC_TOGGLE",       ToggleAtData, "FLY BY WIRE SEC SWITCH",         "",                0},
    {"SPOILERS_SET",                 SetData,      "SPOILERS HANDLE POSITION",       "position 16k",    0},
    {"SPOILERS_ON",                  Set,          "SPOILERS HANDLE POSITION",       "position",        1},
    {"SPOILERS_OFF",                 Set,          "SPOILERS HANDLE POSITION",       "position",        0},
    {"SPOILERS_TOGGLE",              Toggle,       "SPOILERS HANDLE POSITION",       "",                0},
    {"SPOILERS_ARM_TOGGLE",          Toggle,       "SPOILERS ARMED",                 "",                0},
    {"SPOILERS_ARM_ON",              Set,          "SPOILERS ARMED",                 "bool",            1},
    {"SPOILERS_ARM_OFF",             Set,          "SPOILERS ARMED",                 "bool",            0},
    {"TOGGLE_TAXI_LIGHTS",           Toggle,       "LIGHT TAXI:1",                   "",                0},
    {"TOGGLE_BEACON_LIGHTS",         Toggle,       "LIGHT BEACON",                   "",                0},
    {"TOGGLE_NAV_LIGHTS",            Toggle,       "LIGHT NAV",                      "",                0},
    {"STROBES_TOGGLE",               Toggle,       "LIGHT STROBE",                   "",                0},
    {"LANDING_LIGHTS_TOGGLE",        Toggle,       "LIGHT LANDING:1",                "",                0},
    {"LANDING_LIGHTS_TOGGLE",        Toggle,       "LIGHT LANDING:2",                "",                0},
    {"LANDING_LIGHTS_TOGGLE",        Toggle,       "LIGHT LANDING:3",                "",                0},
    {"LANDING_LIGHTS_TOGGLE",        Toggle,       "LIGHT LANDING:4",                "",                0},
    {"LANDING_LIGHTS_ON",            Set,          "LIGHT LANDING:1",                "bool",            1},
    {"LANDING_LIGHTS_ON",            Set,          "LIGHT LANDING:2",                "bool",            1},
    {"LANDING_LIGHTS_ON",            Set,          "LIGHT LANDING:3",                "bool",            1},
    {"LANDING_LIGHTS_ON",            Set,          "LIGHT LANDING:4",                "bool",            1},
    {"LANDING_LIGHTS_OFF",           Set,          "LIGHT LANDING:1",                "bool",            0},
    {"LANDING_LIGHTS_OFF",           Set,          "LIGHT LANDING:2",                "bool",            0},
    {"LANDING_LIGHTS_OFF",           Set,          "LIGHT LANDING:3",                "bool",            0},
    {"LANDING_LIGHTS_OFF",           Set,          "LIGHT LANDING:4",                "bool",            0},
    {"TOGGLE_LOGO_LIGHTS",           Toggle,       "LIGHT LOGO",                     "",                0},
    {"TOGGLE_RECOGNITION_LIGHTS",    Toggle,       "LIGHT RECOGNITION",              "",                0},
    {"TOGGLE_WING_LIGHTS",           Toggle,       "LIGHT WING",                     "",                0},
    {"PANEL_LIGHTS_TOGGLE",          Toggle,       "LIGHT PANEL",                    "",                0},
    {"TOGGLE_CABIN_LIGHTS",          Toggle,       "LIGHT CABIN",                    "",                0},
    {"TOGGLE_MASTER_BATTERY",        ToggleAtData, "ELECTRICAL MASTER BATTERY",      "",                0},
    {"TOGGLE_ALTERNATOR1",           Toggle,       "GENERAL ENG MASTER ALTERNATOR:1", "",                0},
    {"TOGGLE_ALTERNATOR2",           Toggle,       "GENERAL ENG MASTER ALTERNATOR:2", "",                0},
    {"TOGGLE_ALTERNATOR3",           Toggle,       "GENERAL ENG MASTER ALTERNATOR:3", "",                0},
    {"TOGGLE_ALTERNATOR4",           Toggle,       "GENERAL ENG MASTER ALTERNATOR:4", "",                0},
    {"APU_STARTER",                  Set,          "APU PCT STARTER",                "percent over 100", 1},
    {"APU_STARTER",                  Set,          "APU PCT RPM",                    "percent over 100", 1},
    {"APU_OFF_SWITCH",               Set,          "APU PCT STARTER",                "percent over 100", 0},
    {"APU_OFF_SWITCH",               Set,          "APU PCT RPM",                    "percent over 100", 0},
    {"APU_GENERATOR_SWITCH_TOGGLE",  ToggleAtData, "APU GENERATOR SWITCH",           "",                0},
    {"APU_BLEED_AIR_SOURCE_TOGGLE",  Toggle,       "BLEED AIR APU",                  "",                0},
    {"TOGGLE_EXTERNAL_POWER",        Toggle,       "EXTERNAL POWER ON",              "",                0},
    {"AVIONICS_MASTER_SET",          SetData,      "AVIONICS MASTER SWITCH",         "bool",            0},
    {"ELECTRICAL_CIRCUIT_TOGGLE",    ToggleAtData, "CIRCUIT SWITCH ON",              "",                0},
    {"HYDRAULIC_SWITCH_TOGGLE",      ToggleAtData, "HYDRAULIC SWITCH",               "",                0},
    {"CABIN_NO_SMOKING_ALERT_SWITCH_TOGGLE", Toggle,       "CABIN NO SMOKING ALERT SWITCH",  "",                0},
    {"CABIN_SEATBELTS_ALERT_SWITCH_TOGGLE", Toggle,       "CABIN SEATBELTS ALERT SWITCH",   "",                0},
    {"PITOT_HEAT_TOGGLE",            Toggle,       "PITOT HEAT",                     "",                0},
    {"DECISION_HEIGHT_DEC",          Add,          "DECISION HEIGHT",                "feet",            -10},
    {"DECISION_HEIGHT_INC",          Add,          "DECISION HEIGHT",                "feet",            10},
    {"TOGGLE_STRUCTURAL_DEICE",      Toggle,       "STRUCTURAL DEICE SWITCH",        "",                0},
    {"TOGGLE_PROPELLER_DEICE",       ToggleAtData, "PROP DEICE SWITCH",              "",                0},
    {"CROSS_FEED_TOGGLE",            Toggle,       "FUEL CROSS FEED",                "",                0},
    {"FUELSYSTEM_VALVE_TOGGLE",      ToggleAtData, "FUELSYSTEM VALVE SWITCH",        "",                0},
    {"FUELSYSTEM_PUMP_TOGGLE",       ToggleAtData, "FUELSYSTEM PUMP SWITCH",         "",                0},
    {"COM_RADIO_SET",                SetData,      "COM ACTIVE FREQUENCY:1",         "frequency bcd16", 0},
    {"COM_STBY_RADIO_SET",           SetData,      "COM STANDBY FREQUENCY:1",        "frequency bcd16", 0},
    {"COM2_RADIO_SET",               SetData,      "COM ACTIVE FREQUENCY:2",         "frequency bcd16", 0},
    {"COM2_STBY_RADIO_SET",          SetData,      "COM STANDBY FREQUENCY:2",        "frequency bcd16", 0},
    {"NAV1_RADIO_SET",               SetData,      "NAV ACTIVE FREQUENCY:1",         "frequency bcd16", 0},
    {"NAV2_RADIO_SET",               SetData,      "NAV ACTIVE FREQUENCY:2",         "frequency bcd16", 0},
    {"ADF_SET",                      SetData,      "ADF ACTIVE FREQUENCY:1",         "frequency bcd16", 0},
    {"COM_RADIO_SWAP",               Swap,         "COM ACTIVE FREQUENCY:1",         "COM STANDBY FREQUENCY:1", 0},
    {"COM1_RADIO_SWAP",              Swap,         "COM ACTIVE FREQUENCY:1",         "COM STANDBY FREQUENCY:1", 0},
    {"COM2_RADIO_SWAP",              Swap,         "COM ACTIVE FREQUENCY:2",         "COM STANDBY FREQUENCY:2", 0},
    {"NAV1_RADIO_SWAP",              Swap,         "NAV ACTIVE FREQUENCY:1",         "NAV STANDBY FREQUENCY:1", 0},
    {"NAV2_RADIO_SWAP",              Swap,         "NAV ACTIVE FREQUENCY:2",         "NAV STANDBY FREQUENCY:2", 0},
    {"COM_RADIO_WHOLE_DEC",          Add,          "COM STANDBY FREQUENCY:1",        "MHz",             -1},
    {"COM_RADIO_WHOLE_INC",          Add,          "COM STANDBY FREQUENCY:1",        "MHz",             1},
    {"COM_RADIO_FRACT_DEC",          Add,          "COM STANDBY FREQUENCY:1",        "KHz",             -25},
    {"COM_RADIO_FRACT_INC",          Add,          "COM STANDBY FREQUENCY:1",        "KHz",             25},
    {"XPNDR_SET",                    SetData,      "TRANSPONDER CODE:1",             "bco16",           0},
    {"KOHLSMAN_SET",                 SetData,      "KOHLSMAN SETTING MB:1",          "millibar scaler 16", 0},
    {"KOHLSMAN_INC",                 Add,          "KOHLSMAN SETTING MB:1",          "millibars",       1},
    {"KOHLSMAN_DEC",                 Add,          "KOHLSMAN SETTING MB:1",          "millibars",       -1},
    {"BAROMETRIC_STD_PRESSURE",      Set,          "KOHLSMAN SETTING MB:1",          "millibars",       1013.25},
    {"TOGGLE_STARTER1",              Toggle,       "GENERAL ENG STARTER:1",          "",                0},
    {"TOGGLE_STARTER2",              Toggle,       "GENERAL ENG STARTER:2",          "",                0},
    {"TOGGLE_STARTER3",              Toggle,       "GENERAL ENG STARTER:3",          "",                0},
    {"TOGGLE_STARTER4",              Toggle,       "GENERAL ENG STARTER:4",          "",                0},
    {"MIXTURE1_SET",                 SetData,      "GENERAL ENG MIXTURE LEVER POSITION:1", "position 16k",    0},
    {"MIXTURE2_SET",                 SetData,      "GENERAL ENG MIXTURE LEVER POSITION:2", "position 16k",    0},
    {"MIXTURE3_SET",                 SetData,      "GENERAL ENG MIXTURE LEVER POSITION:3", "position 16k",    0},
    {"MIXTURE4_SET",                 SetData,      "GENERAL ENG MIXTURE LEVER POSITION:4", "position 16k",    0},
    {"MIXTURE1_RICH",                Set,          "GENERAL ENG MIXTURE LEVER POSITION:1", "position",        1},
    {"MIXTURE2_RICH",                Set,          "GENERAL ENG MIXTURE LEVER POSITION:2", "position",        1},
    {"MIXTURE3_RICH",                Set,          "GENERAL ENG MIXTURE LEVER POSITION:3", "position",        1},
    {"MIXTURE4_RICH",                Set,          "GENERAL ENG MIXTURE LEVER POSITION:4", "position",        1},
    {"TURBINE_IGNITION_SWITCH_SET1", SetData,      "TURB ENG IGNITION SWITCH EX1:1", "enum",            0},
    {"TURBINE_IGNITION_SWITCH_SET2", SetData,      "TURB ENG IGNITION SWITCH EX1:2", "enum",            0},
    {"TURBINE_IGNITION_SWITCH_SET3", SetData,      "TURB ENG IGNITION SWITCH EX1:3", "enum",            0},
    {"TURBINE_IGNITION_SWITCH_SET4", SetData,      "TURB ENG IGNITION SWITCH EX1:4", "enum",            0},
    {"ANTI_ICE_TOGGLE_ENG1",         Toggle,       "ENG ANTI ICE:1",                 "",                0},
    {"ANTI_ICE_TOGGLE_ENG2",         Toggle,       "ENG ANTI ICE:2",                 "",                0},
    {"ANTI_ICE_TOGGLE_ENG3",         Toggle,       "ENG ANTI ICE:3",                 "",                0},
    {"ANTI_ICE_TOGGLE_ENG4",         Toggle,       "ENG ANTI ICE:4",                 "",                0},
    {"TOGGLE_FUEL_VALVE_ENG1",       Toggle,       "GENERAL ENG FUEL VALVE:1",       "",                0},
    {"TOGGLE_FUEL_VALVE_ENG2",       Toggle,       "GENERAL ENG FUEL VALVE:2",       "",                0},
    {"TOGGLE_FUEL_VALVE_ENG3",       Toggle,       "GENERAL ENG FUEL VALVE:3",       "",                0},
    {"TOGGLE_FUEL_VALVE_ENG4",       Toggle,       "GENERAL ENG FUEL VALVE:4",       "",                0},
    {"PROP_PITCH1_SET",              SetData,      "GENERAL ENG PROPELLER LEVER POSITION:1", "position 16k",    0},
    {"PROP_PITCH2_SET",              SetData,      "GENERAL ENG PROPELLER LEVER POSITION:2", "position 16k",    0},
    {"PROP_PITCH3_SET",              SetData,      "GENERAL ENG PROPELLER LEVER POSITION:3", "position 16k",    0},
    {"PROP_PITCH4_SET",              SetData,      "GENERAL ENG PROPELLER LEVER POSITION:4", "position 16k",    0},
    {"SLEW_TOGGLE",                  Toggle,       "IS SLEW ACTIVE",                 "",                0},
    {"SLEW_ON",                      Set,          "IS SLEW ACTIVE",                 "bool",            1},
    {"SLEW_OFF",                     Set,          "IS SLEW ACTIVE",                 "bool",            0},
};

constexpr KeyCallRow kKeyCalls[] = {
    {"HEADING_BUG_DEC",               HeadingBugDec},
    {"HEADING_BUG_INC",               HeadingBugInc},
    {"GEAR_UP",                       GearUp},
    {"GEAR_DOWN",                     GearDown},
    {"GEAR_TOGGLE",                   GearToggle},
    {"FLAPS_SET",                     FlapsSet},
    {"FLAPS_UP",                      FlapsUp},
    {"FLAPS_DOWN",                    FlapsDown},
    {"FLAPS_INCR",                    FlapsIncr},
    {"FLAPS_DECR",                    FlapsDecr},
    {"TOGGLE_PUSHBACK",               TogglePushback},
    {"TOGGLE_AIRCRAFT_EXIT",          ToggleExit},
    {"ENGINE_AUTO_START",             EngineAutoStart},
    {"ENGINE_AUTO_SHUTDOWN",          EngineAutoShutdown},
    {"THROTTLE_FULL",                 ThrottleFull},
    {"THROTTLE_DECR",                 ThrottleDecr},
    {"THROTTLE_INCR",                 ThrottleIncr},
    {"THROTTLE_CUT",                  ThrottleCut},
    {"TURBINE_IGNITION_SWITCH_SET",   IgnitionAll},
    {"SIM_RATE_INCR",                 SimRateIncr},
    {"SIM_RATE_DECR",                 SimRateDecr},
};

// Known to the simulator, no effect modelled: mapping them succeeds.
constexpr std::string_view kInertKeyEvents[] = {
    "AUTO_THROTTLE_TO_GA", "AP_LOC_HOLD", "AP_MAX_BANK_INC", "AP_MAX_BANK_DEC", "AP_N1_HOLD",
    "SYNC_FLIGHT_DIRECTOR_PITCH", "RUDDER_TRIM_SET", "BLEED_AIR_SOURCE_CONTROL_SET",
    "ELECTRICAL_BUS_TO_BUS_CONNECTION_TOGGLE:2", "PRESSURIZATION_PRESSURE_ALT_INC", "PRESSURIZATION_PRESSURE_ALT_DEC",
    "PRESSURIZATION_PRESSURE_DUMP_SWTICH", "COM_RECEIVE_ALL_SET", "MARKER_SOUND_SET", "RADIO_VOR1_IDENT_SET",
    "RADIO_VOR2_IDENT_SET", "RADIO_VOR1_IDENT_ENABLE", "RADIO_VOR1_IDENT_DISABLE", "RADIO_VOR2_IDENT_ENABLE",
    "RADIO_VOR2_IDENT_DISABLE", "PILOT_TRANSMITTER_SET", "COPILOT_TRANSMITTER_SET", "PROP_PITCH1_INCR",
    "PROP_PITCH2_INCR", "PROP_PITCH3_INCR", "PROP_PITCH4_INCR", "PROP_PITCH1_DECR", "PROP_PITCH2_DECR",
    "PROP_PITCH3_DECR", "PROP_PITCH4_DECR", "MAGNETO1_OFF", "MAGNETO2_OFF", "MAGNETO3_OFF", "MAGNETO4_OFF",
    "MAGNETO1_RIGHT", "MAGNETO2_RIGHT", "MAGNETO3_RIGHT", "MAGNETO4_RIGHT", "MAGNETO1_LEFT", "MAGNETO2_LEFT",
    "MAGNETO3_LEFT", "MAGNETO4_LEFT", "MAGNETO1_BOTH", "MAGNETO2_BOTH", "MAGNETO3_BOTH", "MAGNETO4_BOTH",
    "MAGNETO1_START", "MAGNETO2_START", "MAGNETO3_START", "MAGNETO4_START", "PAUSE_SET", "SLEW_AHEAD_PLUS",
    "SLEW_AHEAD_MINUS", "SLEW_HEADING_PLUS", "SLEW_HEADING_MINUS", "SLEW_LEFT", "SLEW_RIGHT", "VIEW_RESET",
    "VIEW_MODE", "VIEW_FORWARD", "VIEW_FORWARD_RIGHT", "VIEW_RIGHT", "VIEW_REAR_RIGHT", "VIEW_REAR", "VIEW_REAR_LEFT",
    "VIEW_FORWARD_LEFT", "VIEW_DOWN", "VIEW_UP", "PAN_LEFT", "ZOOM_1X", "ZOOM_IN", "ZOOM_OUT", "EYEPOINT_UP",
    "EYEPOINT_DOWN", "EYEPOINT_RIGHT", "EYEPOINT_LEFT", "EYEPOINT_FORWARD", "EYEPOINT_BACK", "SELECT_1", "SELECT_2",
    "ATC_MENU_OPEN", "ATC_MENU_CLOSE", "ATC_MENU_1", "ATC_MENU_2", "ATC_MENU_3", "ATC_MENU_4", "ATC_MENU_5",
    "ATC_MENU_6", "ATC_MENU_7", "ATC_MENU_8", "ATC_MENU_9", "ATC_MENU_0",
};
// clang-format on

void Apply(const KeyEffectRow& row, Variables& v, std::uint32_t data) {
    switch (row.kind) {
        case Toggle:
            v.Set(row.variable, Read(v, row.variable, "number") != 0 ? 0 : 1, "number");
            return;
        case ToggleAtData: {
            const std::string name = std::string(row.variable) + ":" + std::to_string(data == 0 ? 1 : data);
            v.Set(name, Read(v, name, "number") != 0 ? 0 : 1, "number");
            return;
        }
        case Set:
            v.Set(row.variable, row.value, row.argument);
            return;
        case SetData:
            v.Set(row.variable, Signed(data), row.argument);
            return;
        case Add:
            v.Set(row.variable, Read(v, row.variable, row.argument) + row.value, row.argument);
            return;
        case AddData: {
            const double step = data == 0 ? row.value : std::copysign(std::fabs(Signed(data)), row.value);
            v.Set(row.variable, Read(v, row.variable, row.argument) + step, row.argument);
            return;
        }
        case Swap:
            v.Swap(row.variable, row.argument);
            return;
    }
}

template <typename Row>
bool Holds(const Row& row, std::string_view name) {
    if constexpr (std::is_same_v<Row, std::string_view>) {
        return EqualsIgnoreCase(row, name);
    } else {
        return EqualsIgnoreCase(row.event, name);
    }
}

}  // namespace

bool IsCustomEventName(std::string_view name) {
    return name.find('.') != std::string_view::npos || name.starts_with('#');
}

bool IsKnownKeyEvent(std::string_view name) {
    const auto holds = [&](const auto& row) { return Holds(row, name); };
    return std::any_of(std::begin(kKeyEffects), std::end(kKeyEffects), holds) ||
           std::any_of(std::begin(kKeyCalls), std::end(kKeyCalls), holds) ||
           std::any_of(std::begin(kInertKeyEvents), std::end(kInertKeyEvents), holds);
}

void ApplyKeyEvent(Variables& variables, std::string_view name, std::uint32_t data) {
    for (const KeyEffectRow& row : kKeyEffects) {
        if (Holds(row, name)) Apply(row, variables, data);
    }
    for (const KeyCallRow& row : kKeyCalls) {
        if (Holds(row, name)) row.call(variables, data);
    }
}

}  // namespace tarvo::simworld
