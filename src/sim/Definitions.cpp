#include "sim/Definitions.h"

namespace tarvo::sim {
namespace {

constexpr std::uint32_t kInt32 = SIMCONNECT_DATATYPE_INT32;
constexpr std::uint32_t kFloat64 = SIMCONNECT_DATATYPE_FLOAT64;
constexpr std::uint32_t kStringV = SIMCONNECT_DATATYPE_STRINGV;
constexpr std::uint32_t kInitPosition = SIMCONNECT_DATATYPE_INITPOSITION;

// One table per definition, datums in the order they are added (and so the
// order of the fields in the records). Unit strings are passed exactly as
// written, letter case included; STRINGV and INITPOSITION datums have no unit.
// clang-format off
// 0: flight record
constexpr Datum kDefinition0[] = {
    {"SIM ON GROUND",                    "Bool",              kInt32},
    {"AIRSPEED BARBER POLE",             "knot",              kInt32},
    {"AIRSPEED INDICATED",               "knot",              kInt32},
    {"PLANE HEADING DEGREES MAGNETIC",   "degrees",           kInt32},
    {"INDICATED ALTITUDE",               "feet",              kInt32},
    {"RADIO HEIGHT",                     "Meters",            kInt32},
    {"VERTICAL SPEED",                   "feet per minute",   kInt32},
    {"TURN COORDINATOR BALL",            "position",          kInt32},
    {"PLANE PITCH DEGREES",              "degrees",           kInt32},
    {"PLANE BANK DEGREES",               "degrees",           kInt32},
    {"G FORCE",                          "GForce",            kInt32},
    {"STALL WARNING",                    "Bool",              kInt32},
    {"NAV CDI:1",                        "number",            kInt32},
    {"NAV GSI:1",                        "number",            kInt32},
    {"MARKER BEACON STATE",              "Enum",              kInt32},
    {"NUMBER OF ENGINES",                "Number",            kInt32},
    {"AUTOPILOT AIRSPEED HOLD VAR",      "knot",              kInt32},
    {"AUTOPILOT HEADING LOCK DIR",       "degrees",           kInt32},
    {"AUTOPILOT ALTITUDE LOCK VAR",      "feet",              kInt32},
    {"FLAPS HANDLE PERCENT",             "percent",           kInt32},
    {"TRAILING EDGE FLAPS LEFT PERCENT", "percent",           kInt32},
    {"GEAR HANDLE POSITION",             "position 16k",      kInt32},
    {"SPOILERS HANDLE POSITION",         "position 16k",      kInt32},
    {"NAV OBS:1",                        "degrees",           kInt32},
    {"NAV CODES",                        "Flags",             kInt32},
    {"COM ACTIVE FREQUENCY:1",           "Frequency BCD16",   kInt32},
    {"NAV ACTIVE FREQUENCY:1",           "Frequency BCD16",   kInt32},
    {"GROUND VELOCITY",                  "knots",             kInt32},
    {"PUSHBACK STATE",                   "Enum",              kInt32},
    {"SURFACE TYPE",                     "Enum",              kInt32},
    {"IS SLEW ACTIVE",                   "Bool",              kInt32},
    {"AUTOPILOT VERTICAL HOLD VAR",      "Feet/minute",       kInt32},
    {"DECISION HEIGHT",                  "Feet",              kInt32},
    {"ADF ACTIVE FREQUENCY:2",           "Khz",               kInt32},
    {"AUTOPILOT HEADING LOCK DIR:1",     "degrees",           kInt32},
    {"AUTOPILOT VERTICAL HOLD VAR:1",    "feet per minute",   kInt32},
    {"AUTOPILOT AIRSPEED HOLD VAR:1",    "knots",             kInt32},
    {"AUTOPILOT ALTITUDE LOCK VAR:1",    "feet",              kInt32},
    {"AUTOPILOT ALTITUDE LOCK VAR:3",    "feet",              kInt32},
};
// 1: position record
constexpr Datum kDefinition1[] = {
    {"PLANE LATITUDE",             "Radians",           kFloat64},
    {"PLANE LONGITUDE",            "Radians",           kFloat64},
    {"PLANE HEADING DEGREES TRUE", "Degrees",           kFloat64},
    {"ELEVATOR POSITION",          "Position",          kFloat64},
    {"AILERON POSITION",           "Position",          kFloat64},
    {"RUDDER POSITION",            "Position",          kFloat64},
    {"ELEVATOR TRIM POSITION",     "Radians",           kFloat64},
    {"RUDDER TRIM",                "Radians",           kFloat64},
    {"AILERON TRIM",               "Radians",           kFloat64},
    {"BRAKE LEFT POSITION",        "Position",          kFloat64},
    {"BRAKE RIGHT POSITION",       "Position",          kFloat64},
    {"ELECTRICAL BATTERY LOAD",    "amps",              kFloat64},
    {"G FORCE",                    "GForce",            kFloat64},
    {"LIGHT POTENTIOMETER:86",     "amps",              kFloat64},
    {"KOHLSMAN SETTING MB",        "hectopascal",       kFloat64},
    {"KOHLSMAN SETTING HG",        "inHg",              kFloat64},
};
// 2: autopilot record
constexpr Datum kDefinition2[] = {
    {"AUTOPILOT FLIGHT DIRECTOR ACTIVE:1", "Bool",              kInt32},
    {"AUTOPILOT FLIGHT DIRECTOR ACTIVE:2", "Bool",              kInt32},
    {"AUTOPILOT THROTTLE ARM",             "Bool",              kInt32},
    {"AUTOPILOT MASTER:1",                 "Bool",              kInt32},
    {"AUTOPILOT MASTER:2",                 "Bool",              kInt32},
    {"AUTOPILOT MASTER:3",                 "Bool",              kInt32},
    {"AUTOPILOT HEADING LOCK",             "Bool",              kInt32},
    {"AUTOPILOT ALTITUDE LOCK",            "Bool",              kInt32},
    {"AUTOPILOT APPROACH HOLD",            "Bool",              kInt32},
    {"AUTOPILOT AIRSPEED HOLD",            "Bool",              kInt32},
    {"AUTOPILOT VERTICAL HOLD",            "Bool",              kInt32},
    {"AUTOPILOT NAV1 LOCK",                "Bool",              kInt32},
    {"AUTOPILOT RPM HOLD",                 "Bool",              kInt32},
    {"TRANSPONDER CODE:1",                 "number",            kInt32},
    {"COM STANDBY FREQUENCY:1",            "Frequency BCD16",   kInt32},
    {"COM ACTIVE FREQUENCY:2",             "Frequency BCD16",   kInt32},
    {"COM STANDBY FREQUENCY:2",            "Frequency BCD16",   kInt32},
    {"NAV ACTIVE FREQUENCY:2",             "Frequency BCD16",   kInt32},
    {"ADF FREQUENCY:1",                    "Frequency BCD16",   kInt32},
    {"ADF FREQUENCY:2",                    "Frequency BCD16",   kInt32},
    {"NAV OBS:2",                          "degrees",           kInt32},
};
// 3: systems record
constexpr Datum kDefinition3[] = {
    {"ELECTRICAL MASTER BATTERY",       "Bool",              kInt32},
    {"ELECTRICAL MASTER BATTERY:1",     "Bool",              kInt32},
    {"ELECTRICAL MASTER BATTERY:2",     "Bool",              kInt32},
    {"BRAKE PARKING POSITION",          "Bool",              kInt32},
    {"ANTISKID BRAKES ACTIVE",          "Bool",              kInt32},
    {"SPOILERS ARMED",                  "Bool",              kInt32},
    {"AUTO BRAKE SWITCH CB",            "Number",            kInt32},
    {"PITOT HEAT",                      "Bool",              kInt32},
    {"AUTOPILOT YAW DAMPER",            "Bool",              kInt32},
    {"LIGHT STROBE",                    "Bool",              kInt32},
    {"LIGHT LANDING:1",                 "Bool",              kInt32},
    {"LIGHT LANDING:2",                 "Bool",              kInt32},
    {"LIGHT LANDING:3",                 "Bool",              kInt32},
    {"LIGHT LANDING:4",                 "Bool",              kInt32},
    {"LIGHT TAXI:1",                    "Bool",              kInt32},
    {"LIGHT TAXI:2",                    "Bool",              kInt32},
    {"LIGHT TAXI:3",                    "Bool",              kInt32},
    {"LIGHT BEACON",                    "Bool",              kInt32},
    {"LIGHT NAV",                       "Bool",              kInt32},
    {"LIGHT LOGO",                      "Bool",              kInt32},
    {"LIGHT WING",                      "Bool",              kInt32},
    {"LIGHT RECOGNITION",               "Bool",              kInt32},
    {"LIGHT CABIN",                     "Bool",              kInt32},
    {"LIGHT PANEL",                     "Bool",              kInt32},
    {"CABIN NO SMOKING ALERT SWITCH",   "Bool",              kInt32},
    {"CABIN SEATBELTS ALERT SWITCH",    "Bool",              kInt32},
    {"APU PCT RPM",                     "Percent over 100",  kInt32},
    {"APU PCT STARTER",                 "Percent over 100",  kInt32},
    {"BLEED AIR APU",                   "Bool",              kInt32},
    {"APU GENERATOR SWITCH:1",          "Bool",              kInt32},
    {"APU GENERATOR SWITCH:2",          "Bool",              kInt32},
    {"AVIONICS MASTER SWITCH",          "Bool",              kInt32},
    {"BLEED AIR ENGINE:1",              "Bool",              kInt32},
    {"BLEED AIR ENGINE:2",              "Bool",              kInt32},
    {"BLEED AIR ENGINE:3",              "Bool",              kInt32},
    {"BLEED AIR ENGINE:4",              "Bool",              kInt32},
    {"GENERAL ENG MASTER ALTERNATOR:1", "Bool",              kInt32},
    {"GENERAL ENG MASTER ALTERNATOR:2", "Bool",              kInt32},
    {"GENERAL ENG MASTER ALTERNATOR:3", "Bool",              kInt32},
    {"GENERAL ENG MASTER ALTERNATOR:4", "Bool",              kInt32},
    {"STRUCTURAL DEICE SWITCH",         "Bool",              kInt32},
    {"EXTERNAL POWER AVAILABLE",        "Bool",              kInt32},
    {"EXTERNAL POWER ON",               "Bool",              kInt32},
    {"GEAR LEFT POSITION",              "Position 16k",      kInt32},
    {"GEAR CENTER POSITION",            "Position 16k",      kInt32},
    {"GEAR RIGHT POSITION",             "Position 16k",      kInt32},
    {"FUEL CROSS FEED",                 "Enum",              kInt32},
    {"FLY BY WIRE ELAC SWITCH:1",       "Bool",              kInt32},
    {"FLY BY WIRE ELAC SWITCH:2",       "Bool",              kInt32},
    {"FLY BY WIRE FAC SWITCH:1",        "Bool",              kInt32},
    {"FLY BY WIRE FAC SWITCH:2",        "Bool",              kInt32},
    {"FLY BY WIRE SEC SWITCH:1",        "Bool",              kInt32},
    {"FLY BY WIRE SEC SWITCH:2",        "Bool",              kInt32},
    {"FLY BY WIRE SEC SWITCH:3",        "Bool",              kInt32},
    {"FUELSYSTEM PUMP SWITCH:1",        "Enum",              kInt32},
    {"FUELSYSTEM PUMP SWITCH:2",        "Enum",              kInt32},
    {"FUELSYSTEM PUMP SWITCH:3",        "Enum",              kInt32},
    {"FUELSYSTEM PUMP SWITCH:4",        "Enum",              kInt32},
    {"FUELSYSTEM PUMP SWITCH:5",        "Enum",              kInt32},
    {"FUELSYSTEM PUMP SWITCH:6",        "Enum",              kInt32},
    {"FUELSYSTEM PUMP SWITCH:7",        "Enum",              kInt32},
    {"FUELSYSTEM PUMP SWITCH:8",        "Enum",              kInt32},
    {"FUELSYSTEM PUMP SWITCH:9",        "Enum",              kInt32},
    {"FUELSYSTEM PUMP SWITCH:10",       "Enum",              kInt32},
    {"FUELSYSTEM PUMP SWITCH:11",       "Enum",              kInt32},
    {"FUELSYSTEM PUMP SWITCH:12",       "Enum",              kInt32},
    {"FUELSYSTEM PUMP SWITCH:13",       "Enum",              kInt32},
    {"FUELSYSTEM PUMP SWITCH:14",       "Enum",              kInt32},
    {"FUELSYSTEM PUMP SWITCH:15",       "Enum",              kInt32},
    {"FUELSYSTEM PUMP SWITCH:16",       "Enum",              kInt32},
    {"FUELSYSTEM VALVE SWITCH:8",       "Bool",              kInt32},
    {"HYDRAULIC SWITCH:1",              "Bool",              kInt32},
    {"HYDRAULIC SWITCH:2",              "Bool",              kInt32},
    {"HYDRAULIC SWITCH:3",              "Bool",              kInt32},
    {"HYDRAULIC SWITCH:4",              "Bool",              kInt32},
    {"ELECTRICAL BATTERY BUS AMPS:1",   "amps",              kInt32},
    {"ELECTRICAL BATTERY BUS AMPS:2",   "amps",              kInt32},
    {"CIRCUIT SWITCH ON:73",            "Bool",              kInt32},
    {"CIRCUIT SWITCH ON:77",            "Bool",              kInt32},
    {"CIRCUIT SWITCH ON:80",            "Bool",              kInt32},
    {"CIRCUIT SWITCH ON:111",           "Bool",              kInt32},
};
// 4: engine record
constexpr Datum kDefinition4[] = {
    {"GENERAL ENG COMBUSTION:1",               "Bool",              kInt32},
    {"GENERAL ENG COMBUSTION:2",               "Bool",              kInt32},
    {"GENERAL ENG COMBUSTION:3",               "Bool",              kInt32},
    {"GENERAL ENG COMBUSTION:4",               "Bool",              kInt32},
    {"GENERAL ENG STARTER:1",                  "Bool",              kInt32},
    {"GENERAL ENG STARTER:2",                  "Bool",              kInt32},
    {"GENERAL ENG STARTER:3",                  "Bool",              kInt32},
    {"GENERAL ENG STARTER:4",                  "Bool",              kInt32},
    {"GENERAL ENG FUEL VALVE:1",               "Bool",              kInt32},
    {"GENERAL ENG FUEL VALVE:2",               "Bool",              kInt32},
    {"GENERAL ENG FUEL VALVE:3",               "Bool",              kInt32},
    {"GENERAL ENG FUEL VALVE:4",               "Bool",              kInt32},
    {"GENERAL ENG THROTTLE LEVER POSITION:1",  "Position 16k",      kInt32},
    {"GENERAL ENG THROTTLE LEVER POSITION:2",  "Position 16k",      kInt32},
    {"GENERAL ENG THROTTLE LEVER POSITION:3",  "Position 16k",      kInt32},
    {"GENERAL ENG THROTTLE LEVER POSITION:4",  "Position 16k",      kInt32},
    {"TURB ENG ITT:1",                         "Celsius",           kInt32},
    {"TURB ENG ITT:2",                         "Celsius",           kInt32},
    {"TURB ENG ITT:3",                         "Celsius",           kInt32},
    {"TURB ENG ITT:4",                         "Celsius",           kInt32},
    {"FUELSYSTEM VALVE SWITCH:1",              "Bool",              kInt32},
    {"FUELSYSTEM VALVE SWITCH:2",              "Bool",              kInt32},
    {"FUELSYSTEM VALVE SWITCH:3",              "Bool",              kInt32},
    {"FUELSYSTEM VALVE SWITCH:4",              "Bool",              kInt32},
    {"FUELSYSTEM VALVE SWITCH:5",              "Bool",              kInt32},
    {"FUELSYSTEM VALVE SWITCH:6",              "Bool",              kInt32},
    {"FUELSYSTEM VALVE SWITCH:7",              "Bool",              kInt32},
    {"FUELSYSTEM VALVE SWITCH:8",              "Bool",              kInt32},
    {"ENG ANTI ICE:1",                         "Bool",              kInt32},
    {"ENG ANTI ICE:2",                         "Bool",              kInt32},
    {"ENG ANTI ICE:3",                         "Bool",              kInt32},
    {"ENG ANTI ICE:4",                         "Bool",              kInt32},
    {"TURB ENG IGNITION SWITCH EX1:1",         "Enum",              kInt32},
    {"TURB ENG IGNITION SWITCH EX1:2",         "Enum",              kInt32},
    {"TURB ENG IGNITION SWITCH EX1:3",         "Enum",              kInt32},
    {"TURB ENG IGNITION SWITCH EX1:4",         "Enum",              kInt32},
    {"GENERAL ENG FAILED:1",                   "Bool",              kInt32},
    {"GENERAL ENG FAILED:2",                   "Bool",              kInt32},
    {"GENERAL ENG FAILED:3",                   "Bool",              kInt32},
    {"GENERAL ENG FAILED:4",                   "Bool",              kInt32},
    {"GENERAL ENG PROPELLER LEVER POSITION:1", "Position 16k",      kInt32},
    {"GENERAL ENG PROPELLER LEVER POSITION:2", "Position 16k",      kInt32},
    {"GENERAL ENG PROPELLER LEVER POSITION:3", "Position 16k",      kInt32},
    {"GENERAL ENG PROPELLER LEVER POSITION:4", "Position 16k",      kInt32},
    {"PROP DEICE SWITCH:1",                    "Bool",              kInt32},
    {"PROP DEICE SWITCH:2",                    "Bool",              kInt32},
    {"PROP DEICE SWITCH:3",                    "Bool",              kInt32},
    {"PROP DEICE SWITCH:4",                    "Bool",              kInt32},
};
// 5: engine gauge record
constexpr Datum kDefinition5[] = {
    {"TURB ENG N1:1",            "Percent",           kFloat64},
    {"TURB ENG N1:2",            "Percent",           kFloat64},
    {"TURB ENG N1:3",            "Percent",           kFloat64},
    {"TURB ENG N1:4",            "Percent",           kFloat64},
    {"TURB ENG N2:1",            "Percent",           kFloat64},
    {"TURB ENG N2:2",            "Percent",           kFloat64},
    {"TURB ENG N2:3",            "Percent",           kFloat64},
    {"TURB ENG N2:4",            "Percent",           kFloat64},
    {"TURB ENG FUEL FLOW PPH:1", "Pounds per hour",   kFloat64},
    {"TURB ENG FUEL FLOW PPH:2", "Pounds per hour",   kFloat64},
    {"TURB ENG FUEL FLOW PPH:3", "Pounds per hour",   kFloat64},
    {"TURB ENG FUEL FLOW PPH:4", "Pounds per hour",   kFloat64},
};
// 6: identity strings
constexpr Datum kDefinition6[] = {
    {"TITLE",             "",                  kStringV},
    {"ATC AIRLINE",       "",                  kStringV},
    {"ATC FLIGHT NUMBER", "",                  kStringV},
    {"ATC MODEL",         "",                  kStringV},
    {"ATC ID",            "",                  kStringV},
};
// 7: design record
constexpr Datum kDefinition7[] = {
    {"ENGINE TYPE",         "Enum",              kInt32},
    {"EMPTY WEIGHT",        "Pounds",            kInt32},
    {"IS GEAR RETRACTABLE", "Bool",              kInt32},
    {"IS GEAR WHEELS",      "Bool",              kInt32},
    {"DESIGN SPEED VS1",    "Knot",              kInt32},
    {"DESIGN SPEED VS0",    "Knot",              kInt32},
};
// 8: weather record
constexpr Datum kDefinition8[] = {
    {"SEA LEVEL PRESSURE",     "Hectopascal",       kInt32},
    {"AMBIENT WIND DIRECTION", "Degrees",           kInt32},
    {"AMBIENT WIND VELOCITY",  "Knots",             kInt32},
    {"AMBIENT TEMPERATURE",    "Celsius",           kInt32},
    {"TOTAL AIR TEMPERATURE",  "Celsius",           kInt32},
    {"AMBIENT VISIBILITY",     "Meters",            kInt32},
    {"AMBIENT PRECIP STATE",   "Mask",              kInt32},
    {"MAGVAR",                 "Degrees",           kInt32},
};
// 9: fuel record
constexpr Datum kDefinition9[] = {
    {"TOTAL WEIGHT",              "Pounds",            kInt32},
    {"FUEL TOTAL QUANTITY",       "Gallons",           kInt32},
    {"FUEL LEFT QUANTITY",        "Gallons",           kInt32},
    {"FUEL RIGHT QUANTITY",       "Gallons",           kInt32},
    {"FUEL TANK CENTER QUANTITY", "Gallons",           kInt32},
};
// 10: partial-panel record: airspeed, altimeter and attitude are three data that share one mask bit
constexpr Datum kDefinition10[] = {
    {"PARTIAL PANEL ADF",               "Enum",              kInt32},
    {"PARTIAL PANEL AIRSPEED",          "Enum",              kInt32},
    {"PARTIAL PANEL ALTIMETER",         "Enum",              kInt32},
    {"PARTIAL PANEL ATTITUDE",          "Enum",              kInt32},
    {"PARTIAL PANEL COMM",              "Enum",              kInt32},
    {"PARTIAL PANEL COMPASS",           "Enum",              kInt32},
    {"PARTIAL PANEL ELECTRICAL",        "Enum",              kInt32},
    {"PARTIAL PANEL AVIONICS",          "Enum",              kInt32},
    {"PARTIAL PANEL ENGINE",            "Enum",              kInt32},
    {"PARTIAL PANEL FUEL INDICATOR",    "Enum",              kInt32},
    {"PARTIAL PANEL HEADING",           "Enum",              kInt32},
    {"PARTIAL PANEL VERTICAL VELOCITY", "Enum",              kInt32},
    {"PARTIAL PANEL TRANSPONDER",       "Enum",              kInt32},
    {"PARTIAL PANEL NAV",               "Enum",              kInt32},
    {"PARTIAL PANEL PITOT",             "Enum",              kInt32},
    {"PARTIAL PANEL TURN COORDINATOR",  "Enum",              kInt32},
    {"PARTIAL PANEL VACUUM",            "Enum",              kInt32},
    {"PARTIAL PANEL TACAN",             "Enum",              kInt32},
};
// 11: GPS record
constexpr Datum kDefinition11[] = {
    {"GPS IS ACTIVE FLIGHT PLAN", "Bool",              kInt32},
    {"GPS ETA",                   "seconds",           kInt32},
};
// 12: exits record
constexpr Datum kDefinition12[] = {
    {"EXIT OPEN:0", "Percent over 100",  kFloat64},
    {"EXIT OPEN:1", "Percent over 100",  kFloat64},
    {"EXIT OPEN:2", "Percent over 100",  kFloat64},
    {"EXIT OPEN:3", "Percent over 100",  kFloat64},
    {"EXIT OPEN:4", "Percent over 100",  kFloat64},
    {"EXIT OPEN:5", "Percent over 100",  kFloat64},
    {"EXIT OPEN:6", "Percent over 100",  kFloat64},
    {"EXIT OPEN:7", "Percent over 100",  kFloat64},
    {"EXIT OPEN:8", "Percent over 100",  kFloat64},
    {"EXIT OPEN:9", "Percent over 100",  kFloat64},
};
// 13: initial position (written only)
constexpr Datum kDefinition13[] = {
    {"Initial Position", "",                  kInitPosition},
};
// 14: landing light 1 (written only)
constexpr Datum kDefinition14[] = {
    {"LIGHT LANDING:1", "Bool",              kFloat64},
};
// 15: landing light 2 (written only)
constexpr Datum kDefinition15[] = {
    {"LIGHT LANDING:2", "Bool",              kFloat64},
};
// 16: landing light 3 (written only)
constexpr Datum kDefinition16[] = {
    {"LIGHT LANDING:3", "Bool",              kFloat64},
};
// 17: landing light 4 (written only)
constexpr Datum kDefinition17[] = {
    {"LIGHT LANDING:4", "Bool",              kFloat64},
};
// 18: taxi light 1 (written only)
constexpr Datum kDefinition18[] = {
    {"LIGHT TAXI:1", "Bool",              kFloat64},
};
// 19: taxi light 2 (written only)
constexpr Datum kDefinition19[] = {
    {"LIGHT TAXI:2", "Bool",              kFloat64},
};
// 20: taxi light 3 (written only)
constexpr Datum kDefinition20[] = {
    {"LIGHT TAXI:3", "Bool",              kFloat64},
};
// 21: panel lighting (written only)
constexpr Datum kDefinition21[] = {
    {"LIGHT POTENTIOMETER:86", "amps",              kFloat64},
};
// clang-format on

constexpr Definition kDefinitions[] = {
    {0, kDefinition0},
    {1, kDefinition1},
    {2, kDefinition2},
    {3, kDefinition3},
    {4, kDefinition4},
    {5, kDefinition5},
    {6, kDefinition6},
    {7, kDefinition7},
    {8, kDefinition8},
    {9, kDefinition9},
    {10, kDefinition10},
    {11, kDefinition11},
    {12, kDefinition12},
    {13, kDefinition13},
    {14, kDefinition14},
    {15, kDefinition15},
    {16, kDefinition16},
    {17, kDefinition17},
    {18, kDefinition18},
    {19, kDefinition19},
    {20, kDefinition20},
    {21, kDefinition21},
};
static_assert(std::size(kDefinitions) == 22);

}  // namespace

std::span<const Definition> Definitions() { return kDefinitions; }

}  // namespace tarvo::sim
