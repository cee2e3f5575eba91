#include "simworld/Variables.h"

#include <cctype>
#include <string>

namespace tarvo::simworld {
namespace {

constexpr int kNoIndex = -1;

// The default aircraft: an A320neo parked at Zurich, cold and dark except for
// the battery. A row with indexes stands for one variable per index, first to last.
struct NumberSeed {
    std::string_view name;
    int firstIndex;
    int lastIndex;
    std::string_view unit;
    double value;
};

// clang-format off
constexpr NumberSeed kNumberSeeds[] = {
    // Flight
    {"SIM ON GROUND",                        kNoIndex, 0, "Bool",             1},
    {"AIRSPEED BARBER POLE",                 kNoIndex, 0, "knots",            350},
    {"AIRSPEED INDICATED",                   kNoIndex, 0, "knots",            0},
    {"AIRSPEED TRUE",                        kNoIndex, 0, "knots",            0},
    {"GROUND VELOCITY",                      kNoIndex, 0, "knots",            0},
    {"PLANE LATITUDE",                       kNoIndex, 0, "degrees",          47.4647},
    {"PLANE LONGITUDE",                      kNoIndex, 0, "degrees",          8.5492},
    {"PLANE ALTITUDE",                       kNoIndex, 0, "feet",             1416},
    {"INDICATED ALTITUDE",                   kNoIndex, 0, "feet",             1416},
    {"RADIO HEIGHT",                         kNoIndex, 0, "feet",             0},
    {"VERTICAL SPEED",                       kNoIndex, 0, "feet per minute",  0},
    {"PLANE HEADING DEGREES TRUE",           kNoIndex, 0, "degrees",          164},
    {"PLANE HEADING DEGREES MAGNETIC",       kNoIndex, 0, "degrees",          161},
    {"MAGVAR",                               kNoIndex, 0, "degrees",          3},
    {"PLANE PITCH DEGREES",                  kNoIndex, 0, "degrees",          0},
    {"PLANE BANK DEGREES",                   kNoIndex, 0, "degrees",          0},
    {"G FORCE",                              kNoIndex, 0, "GForce",           1},
    {"TURN COORDINATOR BALL",                kNoIndex, 0, "position",         0},
    {"STALL WARNING",                        kNoIndex, 0, "Bool",             0},
    {"IS SLEW ACTIVE",                       kNoIndex, 0, "Bool",             0},
    {"PUSHBACK STATE",                       kNoIndex, 0, "Enum",             3},
    {"SURFACE TYPE",                         kNoIndex, 0, "Enum",             4},
    {"SIMULATION RATE",                      kNoIndex, 0, "Number",           1},
    {"NUMBER OF ENGINES",                    kNoIndex, 0, "Number",           2},
    // Controls
    {"ELEVATOR POSITION",                    kNoIndex, 0, "position",         0},
    {"AILERON POSITION",                     kNoIndex, 0, "position",         0},
    {"RUDDER POSITION",                      kNoIndex, 0, "position",         0},
    {"ELEVATOR TRIM POSITION",               kNoIndex, 0, "radians",          0},
    {"RUDDER TRIM",                          kNoIndex, 0, "radians",          0},
    {"AILERON TRIM",                         kNoIndex, 0, "radians",          0},
    {"BRAKE LEFT POSITION",                  kNoIndex, 0, "position",         0},
    {"BRAKE RIGHT POSITION",                 kNoIndex, 0, "position",         0},
    {"BRAKE PARKING POSITION",               kNoIndex, 0, "Bool",             1},
    {"ANTISKID BRAKES ACTIVE",               kNoIndex, 0, "Bool",             1},
    {"AUTO BRAKE SWITCH CB",                 kNoIndex, 0, "Number",           0},
    {"FLAPS HANDLE PERCENT",                 kNoIndex, 0, "percent",          0},
    {"FLAPS HANDLE INDEX",                   kNoIndex, 0, "Number",           0},
    {"FLAPS NUM HANDLE POSITIONS",           kNoIndex, 0, "Number",           5},
    {"TRAILING EDGE FLAPS LEFT PERCENT",     kNoIndex, 0, "percent",          0},
    {"TRAILING EDGE FLAPS RIGHT PERCENT",    kNoIndex, 0, "percent",          0},
    {"GEAR HANDLE POSITION",                 kNoIndex, 0, "position",         1},
    {"GEAR LEFT POSITION",                   kNoIndex, 0, "position",         1},
    {"GEAR CENTER POSITION",                 kNoIndex, 0, "position",         1},
    {"GEAR RIGHT POSITION",                  kNoIndex, 0, "position",         1},
    {"SPOILERS HANDLE POSITION",             kNoIndex, 0, "position",         0},
    {"SPOILERS ARMED",                       kNoIndex, 0, "Bool",             0},
    // Instruments and radios
    {"NAV CDI",                              1, 2,        "number",           0},
    {"NAV GSI",                              1, 2,        "number",           0},
    {"NAV OBS",                              1, 2,        "degrees",          164},
    {"NAV CODES",                            kNoIndex, 0, "Flags",            0},
    {"MARKER BEACON STATE",                  kNoIndex, 0, "Enum",             0},
    {"DECISION HEIGHT",                      kNoIndex, 0, "feet",             200},
    {"KOHLSMAN SETTING MB",                  1, 2,        "millibars",        1013.25},
    {"COM ACTIVE FREQUENCY",                 1, 1,        "MHz",              118.10},
    {"COM STANDBY FREQUENCY",                1, 1,        "MHz",              121.80},
    {"COM ACTIVE FREQUENCY",                 2, 2,        "MHz",              121.50},
    {"COM STANDBY FREQUENCY",                2, 2,        "MHz",              122.80},
    {"NAV ACTIVE FREQUENCY",                 1, 1,        "MHz",              110.50},
    {"NAV STANDBY FREQUENCY",                1, 1,        "MHz",              113.00},
    {"NAV ACTIVE FREQUENCY",                 2, 2,        "MHz",              114.85},
    {"NAV STANDBY FREQUENCY",                2, 2,        "MHz",              112.20},
    {"ADF ACTIVE FREQUENCY",                 1, 1,        "KHz",              350},
    {"ADF ACTIVE FREQUENCY",                 2, 2,        "KHz",              415},
    {"TRANSPONDER CODE",                     1, 1,        "number",           2000},
    // Autopilot
    {"AUTOPILOT MASTER",                     1, 3,        "Bool",             0},
    {"AUTOPILOT FLIGHT DIRECTOR ACTIVE",     1, 2,        "Bool",             1},
    {"AUTOPILOT THROTTLE ARM",               kNoIndex, 0, "Bool",             0},
    {"AUTOPILOT HEADING LOCK",               kNoIndex, 0, "Bool",             0},
    {"AUTOPILOT ALTITUDE LOCK",              kNoIndex, 0, "Bool",             0},
    {"AUTOPILOT APPROACH HOLD",              kNoIndex, 0, "Bool",             0},
    {"AUTOPILOT AIRSPEED HOLD",              kNoIndex, 0, "Bool",             0},
    {"AUTOPILOT VERTICAL HOLD",              kNoIndex, 0, "Bool",             0},
    {"AUTOPILOT NAV1 LOCK",                  kNoIndex, 0, "Bool",             0},
    {"AUTOPILOT RPM HOLD",                   kNoIndex, 0, "Bool",             0},
    {"AUTOPILOT ATTITUDE HOLD",              kNoIndex, 0, "Bool",             0},
    {"AUTOPILOT FLIGHT LEVEL CHANGE",        kNoIndex, 0, "Bool",             0},
    {"AUTOPILOT MANAGED SPEED IN MACH",      kNoIndex, 0, "Bool",             0},
    {"AUTOPILOT YAW DAMPER",                 kNoIndex, 0, "Bool",             0},
    {"AUTOPILOT AIRSPEED HOLD VAR",          1, 1,        "knots",            250},
    {"AUTOPILOT HEADING LOCK DIR",           1, 1,        "degrees",          161},
    {"AUTOPILOT ALTITUDE LOCK VAR",          1, 3,        "feet",             5000},
    {"AUTOPILOT VERTICAL HOLD VAR",          1, 1,        "feet per minute",  0},
    {"AUTOPILOT SPEED SLOT INDEX",           kNoIndex, 0, "Number",           1},
    {"AUTOPILOT HEADING SLOT INDEX",         kNoIndex, 0, "Number",           1},
    {"AUTOPILOT ALTITUDE SLOT INDEX",        kNoIndex, 0, "Number",           1},
    {"AUTOPILOT VS SLOT INDEX",              kNoIndex, 0, "Number",           1},
    // Electrical, lights, cabin
    {"ELECTRICAL MASTER BATTERY",            1, 2,        "Bool",             1},
    {"ELECTRICAL BATTERY LOAD",              kNoIndex, 0, "amps",             12},
    {"ELECTRICAL BATTERY BUS AMPS",          1, 2,        "amps",             6},
    {"AVIONICS MASTER SWITCH",               kNoIndex, 0, "Bool",             0},
    {"EXTERNAL POWER AVAILABLE",             kNoIndex, 0, "Bool",             1},
    {"EXTERNAL POWER ON",                    kNoIndex, 0, "Bool",             0},
    {"CIRCUIT SWITCH ON",                    1, 120,      "Bool",             1},
    {"LIGHT POTENTIOMETER",                  86, 86,      "amps",             0},
    {"LIGHT STROBE",                         kNoIndex, 0, "Bool",             0},
    {"LIGHT LANDING",                        1, 4,        "Bool",             0},
    {"LIGHT TAXI",                           1, 3,        "Bool",             0},
    {"LIGHT BEACON",                         kNoIndex, 0, "Bool",             0},
    {"LIGHT NAV",                            kNoIndex, 0, "Bool",             1},
    {"LIGHT LOGO",                           kNoIndex, 0, "Bool",             0},
    {"LIGHT WING",                           kNoIndex, 0, "Bool",             0},
    {"LIGHT RECOGNITION",                    kNoIndex, 0, "Bool",             0},
    {"LIGHT CABIN",                          kNoIndex, 0, "Bool",             1},
    {"LIGHT PANEL",                          kNoIndex, 0, "Bool",             0},
    {"CABIN NO SMOKING ALERT SWITCH",        kNoIndex, 0, "Bool",             1},
    {"CABIN SEATBELTS ALERT SWITCH",         kNoIndex, 0, "Bool",             0},
    {"PITOT HEAT",                           kNoIndex, 0, "Bool",             0},
    {"STRUCTURAL DEICE SWITCH",              kNoIndex, 0, "Bool",             0},
    // APU, bleed, hydraulics, fuel system
    {"APU PCT RPM",                          kNoIndex, 0, "percent over 100", 0},
    {"APU PCT STARTER",                      kNoIndex, 0, "percent over 100", 0},
    {"APU GENERATOR SWITCH",                 1, 2,        "Bool",             0},
    {"BLEED AIR APU",                        kNoIndex, 0, "Bool",             0},
    {"BLEED AIR ENGINE",                     1, 4,        "Bool",             1},
    {"HYDRAULIC SWITCH",                     1, 4,        "Bool",             1},
    {"FLY BY WIRE ELAC SWITCH",              1, 2,        "Bool",             1},
    {"FLY BY WIRE FAC SWITCH",               1, 2,        "Bool",             1},
    {"FLY BY WIRE SEC SWITCH",               1, 3,        "Bool",             1},
    {"FUEL CROSS FEED",                      kNoIndex, 0, "Enum",             0},
    {"FUELSYSTEM PUMP SWITCH",               1, 16,       "Enum",             0},
    {"FUELSYSTEM VALVE SWITCH",              1, 8,        "Bool",             0},
    // Engines
    {"GENERAL ENG COMBUSTION",               1, 4,        "Bool",             0},
    {"GENERAL ENG STARTER",                  1, 4,        "Bool",             0},
    {"GENERAL ENG FUEL VALVE",               1, 4,        "Bool",             0},
    {"GENERAL ENG FAILED",                   1, 4,        "Bool",             0},
    {"GENERAL ENG MASTER ALTERNATOR",        1, 4,        "Bool",             1},
    {"GENERAL ENG THROTTLE LEVER POSITION",  1, 4,        "position",         0},
    {"GENERAL ENG PROPELLER LEVER POSITION", 1, 4,        "position",         1},
    {"GENERAL ENG MIXTURE LEVER POSITION",   1, 4,        "position",         1},
    {"TURB ENG ITT",                         1, 4,        "Celsius",          15},
    {"TURB ENG N1",                          1, 4,        "percent",          0},
    {"TURB ENG N2",                          1, 4,        "percent",          0},
    {"TURB ENG FUEL FLOW PPH",               1, 4,        "pounds per hour",  0},
    {"TURB ENG IGNITION SWITCH EX1",         1, 4,        "Enum",             1},
    {"ENG ANTI ICE",                         1, 4,        "Bool",             0},
    {"PROP DEICE SWITCH",                    1, 4,        "Bool",             0},
    // Design
    {"ENGINE TYPE",                          kNoIndex, 0, "Enum",             1},
    {"EMPTY WEIGHT",                         kNoIndex, 0, "pounds",           93079},
    {"IS GEAR RETRACTABLE",                  kNoIndex, 0, "Bool",             1},
    {"IS GEAR WHEELS",                       kNoIndex, 0, "Bool",             1},
    {"DESIGN SPEED VS1",                     kNoIndex, 0, "knots",            113},
    {"DESIGN SPEED VS0",                     kNoIndex, 0, "knots",            105},
    // Weather
    {"SEA LEVEL PRESSURE",                   kNoIndex, 0, "millibars",        1013.25},
    {"AMBIENT WIND DIRECTION",               kNoIndex, 0, "degrees",          270},
    {"AMBIENT WIND VELOCITY",                kNoIndex, 0, "knots",            8},
    {"AMBIENT TEMPERATURE",                  kNoIndex, 0, "Celsius",          15},
    {"TOTAL AIR TEMPERATURE",                kNoIndex, 0, "Celsius",          15},
    {"AMBIENT VISIBILITY",                   kNoIndex, 0, "meters",           20000},
    {"AMBIENT PRECIP STATE",                 kNoIndex, 0, "mask",             2},
    // Fuel and weight
    {"TOTAL WEIGHT",                         kNoIndex, 0, "pounds",           135000},
    {"FUEL TOTAL QUANTITY",                  kNoIndex, 0, "gallons",          2900},
    {"FUEL LEFT QUANTITY",                   kNoIndex, 0, "gallons",          1000},
    {"FUEL RIGHT QUANTITY",                  kNoIndex, 0, "gallons",          1000},
    {"FUEL TANK CENTER QUANTITY",            kNoIndex, 0, "gallons",          900},
    // Partial panel failures (0 = working)
    {"PARTIAL PANEL ADF",                    kNoIndex, 0, "Enum",             0},
    {"PARTIAL PANEL AIRSPEED",               kNoIndex, 0, "Enum",             0},
    {"PARTIAL PANEL ALTIMETER",              kNoIndex, 0, "Enum",             0},
    {"PARTIAL PANEL ATTITUDE",               kNoIndex, 0, "Enum",             0},
    {"PARTIAL PANEL COMM",                   kNoIndex, 0, "Enum",             0},
    {"PARTIAL PANEL COMPASS",                kNoIndex, 0, "Enum",             0},
    {"PARTIAL PANEL ELECTRICAL",             kNoIndex, 0, "Enum",             0},
    {"PARTIAL PANEL AVIONICS",               kNoIndex, 0, "Enum",             0},
    {"PARTIAL PANEL ENGINE",                 kNoIndex, 0, "Enum",             0},
    {"PARTIAL PANEL FUEL INDICATOR",         kNoIndex, 0, "Enum",             0},
    {"PARTIAL PANEL HEADING",                kNoIndex, 0, "Enum",             0},
    {"PARTIAL PANEL VERTICAL VELOCITY",      kNoIndex, 0, "Enum",             0},
    {"PARTIAL PANEL TRANSPONDER",            kNoIndex, 0, "Enum",             0},
    {"PARTIAL PANEL NAV",                    kNoIndex, 0, "Enum",             0},
    {"PARTIAL PANEL PITOT",                  kNoIndex, 0, "Enum",             0},
    {"PARTIAL PANEL TURN COORDINATOR",       kNoIndex, 0, "Enum",             0},
    {"PARTIAL PANEL VACUUM",                 kNoIndex, 0, "Enum",             0},
    {"PARTIAL PANEL TACAN",                  kNoIndex, 0, "Enum",             0},
    // GPS and doors
    {"GPS IS ACTIVE FLIGHT PLAN",            kNoIndex, 0, "Bool",             0},
    {"GPS ETA",                              kNoIndex, 0, "seconds",          0},
    {"EXIT OPEN",                            0, 9,        "percent over 100", 0},
};

struct TextSeed {
    std::string_view name;
    std::string_view text;
};

constexpr TextSeed kTextSeeds[] = {
    {"TITLE",             "Airbus A320 Neo Asobo"},
    {"ATC AIRLINE",       "Tarvo Air"},
    {"ATC FLIGHT NUMBER", "81"},
    {"ATC MODEL",         "A320"},
    {"ATC TYPE",          "Airbus"},
    {"ATC ID",            "HB-TRV"},
};

// Names that read another variable's storage (index kept).
struct Alias {
    std::string_view name;
    std::string_view target;
};

constexpr Alias kAliases[] = {
    {"KOHLSMAN SETTING HG", "KOHLSMAN SETTING MB"},
    {"ADF FREQUENCY",       "ADF ACTIVE FREQUENCY"},
};
// clang-format on

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

struct SplitName {
    std::string base;  // upper case, alias applied
    std::optional<long> index;
};

SplitName Split(std::string_view name) {
    name = Trim(name);
    SplitName split;
    std::string_view base = name;
    const auto colon = name.rfind(':');
    if (colon != std::string_view::npos) {
        const std::string_view suffix = Trim(name.substr(colon + 1));
        bool digits = !suffix.empty() && suffix.size() <= 6;
        for (char c : suffix) digits = digits && c >= '0' && c <= '9';
        if (digits) {
            split.index = std::stol(std::string(suffix));
            base = Trim(name.substr(0, colon));
        }
    }
    split.base = ToUpper(base);
    for (const Alias& alias : kAliases) {
        if (split.base == alias.name) split.base = std::string(alias.target);
    }
    return split;
}

std::string Join(const std::string& base, long index) {
    return base + ":" + std::to_string(index);
}

Variable MakeNumber(std::string_view upperName, const Unit& unit, double value) {
    Variable variable;
    variable.kind = unit.kind;
    variable.bcd = upperName.starts_with("ADF") ? BcdStyle::Adf : BcdStyle::Radio;
    variable.unit = &unit;
    variable.value = value;
    return variable;
}

}  // namespace

Variables::Variables() {
    for (const NumberSeed& seed : kNumberSeeds) {
        const Unit* unit = FindUnit(seed.unit);
        if (unit == nullptr) continue;  // caught by the seed test
        if (seed.firstIndex == kNoIndex) {
            variables_[std::string(seed.name)] = MakeNumber(seed.name, *unit, seed.value);
            continue;
        }
        for (int index = seed.firstIndex; index <= seed.lastIndex; ++index) {
            variables_[Join(std::string(seed.name), index)] = MakeNumber(seed.name, *unit, seed.value);
        }
    }
    for (const TextSeed& seed : kTextSeeds) {
        Variable variable;
        variable.isText = true;
        variable.text = std::string(seed.text);
        variables_[std::string(seed.name)] = std::move(variable);
    }
}

std::string Variables::KeyFor(std::string_view name) const {
    const SplitName split = Split(name);
    if (split.index) return Join(split.base, *split.index);
    if (variables_.count(split.base) == 0 && variables_.count(Join(split.base, 1)) != 0) return Join(split.base, 1);
    return split.base;
}

std::optional<std::string> Variables::Resolve(std::string_view name) const {
    std::string key = KeyFor(name);
    if (variables_.count(key) == 0) return std::nullopt;
    return key;
}

const Variable* Variables::Find(std::string_view name) const {
    const auto found = variables_.find(KeyFor(name));
    return found == variables_.end() ? nullptr : &found->second;
}

std::optional<double> Variables::Get(std::string_view name, const Unit& unit) const {
    const Variable* variable = Find(name);
    if (variable == nullptr || variable->isText || variable->kind != unit.kind) return std::nullopt;
    return Convert(variable->value, *variable->unit, unit, variable->bcd);
}

std::optional<double> Variables::Get(std::string_view name, std::string_view unitName) const {
    const Unit* unit = FindUnit(unitName);
    return unit ? Get(name, *unit) : std::nullopt;
}

bool Variables::Set(std::string_view name, double value, const Unit& unit) {
    const std::string key = KeyFor(name);
    const auto found = variables_.find(key);
    if (found == variables_.end()) {
        variables_[key] = MakeNumber(key, unit, value);
        return true;
    }
    Variable& variable = found->second;
    if (variable.isText || variable.kind != unit.kind) return false;
    variable.value = value;
    variable.unit = &unit;
    return true;
}

bool Variables::Set(std::string_view name, double value, std::string_view unitName) {
    const Unit* unit = FindUnit(unitName);
    return unit != nullptr && Set(name, value, *unit);
}

std::optional<std::string> Variables::Text(std::string_view name) const {
    const Variable* variable = Find(name);
    if (variable == nullptr || !variable->isText) return std::nullopt;
    return variable->text;
}

bool Variables::SetText(std::string_view name, std::string text) {
    const std::string key = KeyFor(name);
    const auto found = variables_.find(key);
    if (found == variables_.end()) {
        Variable variable;
        variable.isText = true;
        variable.text = std::move(text);
        variables_[key] = std::move(variable);
        return true;
    }
    if (!found->second.isText) return false;
    found->second.text = std::move(text);
    return true;
}

void Variables::Swap(std::string_view a, std::string_view b) {
    const auto first = variables_.find(KeyFor(a));
    const auto second = variables_.find(KeyFor(b));
    if (first == variables_.end() || second == variables_.end()) return;
    Variable& x = first->second;
    Variable& y = second->second;
    if (x.isText || y.isText || x.kind != y.kind) return;
    std::swap(x.value, y.value);
    std::swap(x.unit, y.unit);
}

}  // namespace tarvo::simworld
