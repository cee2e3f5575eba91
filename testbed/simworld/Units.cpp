#include "simworld/Units.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace tarvo::simworld {
namespace {

using enum UnitKind;
constexpr UnitCoding kLinear = UnitCoding::Linear;

constexpr double kFeet = 0.3048;
constexpr double kKnot = 1852.0 / 3600.0;
constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kKilogram = 2.20462262185;  // in pounds
constexpr double kInHg = 33.8638866667;      // in millibars

// clang-format off
constexpr Unit kUnits[] = {
    // Plain numbers and fractions
    {"bool",                 Number,      1.0,             0.0,     kLinear},
    {"boolean",              Number,      1.0,             0.0,     kLinear},
    {"number",               Number,      1.0,             0.0,     kLinear},
    {"numbers",              Number,      1.0,             0.0,     kLinear},
    {"enum",                 Number,      1.0,             0.0,     kLinear},
    {"flags",                Number,      1.0,             0.0,     kLinear},
    {"mask",                 Number,      1.0,             0.0,     kLinear},
    {"gforce",               Number,      1.0,             0.0,     kLinear},
    {"position",             Number,      1.0,             0.0,     kLinear},
    {"scalar",               Number,      1.0,             0.0,     kLinear},
    {"percent over 100",     Number,      1.0,             0.0,     kLinear},
    {"percent",              Number,      0.01,            0.0,     kLinear},
    {"percentage",           Number,      0.01,            0.0,     kLinear},
    {"position 16k",         Number,      1.0 / 16383.0,   0.0,     kLinear},
    {"position 32k",         Number,      1.0 / 32767.0,   0.0,     kLinear},
    {"bco16",                Number,      1.0,             0.0,     UnitCoding::DigitsBcd16},
    // Length
    {"feet",                 Length,      kFeet,           0.0,     kLinear},
    {"foot",                 Length,      kFeet,           0.0,     kLinear},
    {"ft",                   Length,      kFeet,           0.0,     kLinear},
    {"meters",               Length,      1.0,             0.0,     kLinear},
    {"meter",                Length,      1.0,             0.0,     kLinear},
    {"m",                    Length,      1.0,             0.0,     kLinear},
    {"kilometers",           Length,      1000.0,          0.0,     kLinear},
    {"nautical miles",       Length,      1852.0,          0.0,     kLinear},
    {"miles",                Length,      1609.344,        0.0,     kLinear},
    // Speed, vertical speed included
    {"knots",                Speed,       kKnot,           0.0,     kLinear},
    {"knot",                 Speed,       kKnot,           0.0,     kLinear},
    {"kts",                  Speed,       kKnot,           0.0,     kLinear},
    {"feet per minute",      Speed,       kFeet / 60.0,    0.0,     kLinear},
    {"feet/minute",          Speed,       kFeet / 60.0,    0.0,     kLinear},
    {"feet per second",      Speed,       kFeet,           0.0,     kLinear},
    {"feet/second",          Speed,       kFeet,           0.0,     kLinear},
    {"meters per second",    Speed,       1.0,             0.0,     kLinear},
    {"meters/second",        Speed,       1.0,             0.0,     kLinear},
    {"meters per minute",    Speed,       1.0 / 60.0,      0.0,     kLinear},
    {"kilometers per hour",  Speed,       1.0 / 3.6,       0.0,     kLinear},
    {"miles per hour",       Speed,       0.44704,         0.0,     kLinear},
    // Angle
    {"radians",              Angle,       1.0,             0.0,     kLinear},
    {"radian",               Angle,       1.0,             0.0,     kLinear},
    {"degrees",              Angle,       kDegree,         0.0,     kLinear},
    {"degree",               Angle,       kDegree,         0.0,     kLinear},
    // Frequency
    {"hz",                   Frequency,   1.0,             0.0,     kLinear},
    {"khz",                  Frequency,   1.0e3,           0.0,     kLinear},
    {"mhz",                  Frequency,   1.0e6,           0.0,     kLinear},
    {"frequency bcd16",      Frequency,   1.0,             0.0,     UnitCoding::FrequencyBcd16},
    // Weight and fuel
    {"pounds",               Weight,      1.0,             0.0,     kLinear},
    {"pound",                Weight,      1.0,             0.0,     kLinear},
    {"lbs",                  Weight,      1.0,             0.0,     kLinear},
    {"kilograms",            Weight,      kKilogram,       0.0,     kLinear},
    {"kilogram",             Weight,      kKilogram,       0.0,     kLinear},
    {"kg",                   Weight,      kKilogram,       0.0,     kLinear},
    {"pounds per hour",      WeightFlow,  1.0,             0.0,     kLinear},
    {"kilograms per hour",   WeightFlow,  kKilogram,       0.0,     kLinear},
    {"gallons",              Volume,      1.0,             0.0,     kLinear},
    {"gallon",               Volume,      1.0,             0.0,     kLinear},
    {"liters",               Volume,      0.264172052,     0.0,     kLinear},
    {"liter",                Volume,      0.264172052,     0.0,     kLinear},
    // Temperature: base = value * scale + offset
    {"celsius",              Temperature, 1.0,             0.0,     kLinear},
    {"fahrenheit",           Temperature, 5.0 / 9.0,       -160.0 / 9.0, kLinear},
    {"kelvin",               Temperature, 1.0,             -273.15, kLinear},
    {"rankine",              Temperature, 5.0 / 9.0,       -273.15, kLinear},
    // Pressure
    {"millibars",            Pressure,    1.0,             0.0,     kLinear},
    {"millibar",             Pressure,    1.0,             0.0,     kLinear},
    {"mbar",                 Pressure,    1.0,             0.0,     kLinear},
    {"hectopascal",          Pressure,    1.0,             0.0,     kLinear},
    {"hectopascals",         Pressure,    1.0,             0.0,     kLinear},
    {"hpa",                  Pressure,    1.0,             0.0,     kLinear},
    {"pascal",               Pressure,    0.01,            0.0,     kLinear},
    {"pascals",              Pressure,    0.01,            0.0,     kLinear},
    {"inhg",                 Pressure,    kInHg,           0.0,     kLinear},
    {"inches of mercury",    Pressure,    kInHg,           0.0,     kLinear},
    {"psi",                  Pressure,    68.9475729318,   0.0,     kLinear},
    {"millibar scaler 16",   Pressure,    1.0 / 16.0,      0.0,     kLinear},  // KOHLSMAN_SET's data
    // Electricity and time
    {"amps",                 Current,     1.0,             0.0,     kLinear},
    {"amperes",              Current,     1.0,             0.0,     kLinear},
    {"ampere",               Current,     1.0,             0.0,     kLinear},
    {"seconds",              Time,        1.0,             0.0,     kLinear},
    {"second",               Time,        1.0,             0.0,     kLinear},
    {"minutes",              Time,        60.0,            0.0,     kLinear},
    {"hours",                Time,        3600.0,          0.0,     kLinear},
};
// clang-format on

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whole numbers that a unit round trip left a few bits off.
double SnapNearInteger(double value) {
    const double nearest = std::round(value);
    if (std::fabs(value - nearest) <= 1e-9 * std::max(1.0, std::fabs(value))) return nearest;
    return value;
}

}  // namespace

std::string ToUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = Upper(c);
    return upper;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Upper(x) == Upper(y); });
}

const Unit* FindUnit(std::string_view name) {
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    for (const Unit& unit : kUnits) {
        if (EqualsIgnoreCase(unit.name, name)) return &unit;
    }
    return nullptr;
}

std::uint32_t EncodeBcd16(std::uint32_t number) {
    number = std::min<std::uint32_t>(number, 9999);
    std::uint32_t bcd = 0;
    for (int shift = 0; shift < 16; shift += 4) {
        bcd |= (number % 10) << shift;
        number /= 10;
    }
    return bcd;
}

std::uint32_t DecodeBcd16(std::uint32_t bcd) {
    std::uint32_t number = 0;
    std::uint32_t weight = 1;
    for (int shift = 0; shift < 16; shift += 4) {
        number += ((bcd >> shift) & 0xF) * weight;
        weight *= 10;
    }
    return number;
}

double ToBase(double value, const Unit& unit, BcdStyle style) {
    switch (unit.coding) {
        case UnitCoding::Linear:
            return value * unit.scale + unit.offset;
        case UnitCoding::DigitsBcd16:
            return DecodeBcd16(static_cast<std::uint32_t>(TruncateToInt64(value)));
        case UnitCoding::FrequencyBcd16: {
            const double digits = DecodeBcd16(static_cast<std::uint32_t>(TruncateToInt64(value)));
            return style == BcdStyle::Adf ? digits * 1.0e3 : (100.0 + digits / 100.0) * 1.0e6;
        }
    }
    return value;
}

double FromBase(double base, const Unit& unit, BcdStyle style) {
    switch (unit.coding) {
        case UnitCoding::Linear:
            return (base - unit.offset) / unit.scale;
        case UnitCoding::DigitsBcd16:
            return EncodeBcd16(static_cast<std::uint32_t>(std::clamp(std::round(base), 0.0, 9999.0)));
        case UnitCoding::FrequencyBcd16: {
            const double digits = style == BcdStyle::Adf ? base / 1.0e3 : (base / 1.0e6 - 100.0) * 100.0;
            return EncodeBcd16(static_cast<std::uint32_t>(std::clamp(std::round(digits), 0.0, 9999.0)));
        }
    }
    return base;
}

double Convert(double value, const Unit& from, const Unit& to, BcdStyle style) {
    const bool sameScale = from.coding == to.coding && from.scale == to.scale && from.offset == to.offset;
    if (&from == &to || sameScale) return value;
    return FromBase(ToBase(value, from, style), to, style);
}

std::int64_t TruncateToInt64(double value) {
    if (!std::isfinite(value)) return 0;
    const double whole = std::trunc(SnapNearInteger(value));
    if (whole >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
    if (whole <= -9.2e18) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(whole);
}

std::int32_t TruncateToInt32(double value) {
    const std::int64_t whole = TruncateToInt64(value);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(whole, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

}  // namespace tarvo::simworld
