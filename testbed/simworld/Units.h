// Units of simulation variables: which quantity a unit measures and how a
// value in it converts to the quantity's base unit. Unit names are matched
// without regard to letter case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvo::simworld {

// What a unit measures; a variable can only be read in a unit of its own kind.
enum class UnitKind {
    Number,       // base: a plain number or a fraction ("percent over 100")
    Length,       // base: meters
    Speed,        // base: meters per second (vertical speeds too)
    Angle,        // base: radians
    Frequency,    // base: hertz
    Weight,       // base: pounds
    WeightFlow,   // base: pounds per hour
    Temperature,  // base: degrees Celsius
    Pressure,     // base: millibars (hectopascals)
    Current,      // base: amperes
    Time,         // base: seconds
    Volume,       // base: US gallons
};

enum class UnitCoding {
    Linear,          // base = value * scale + offset
    FrequencyBcd16,  // four BCD digits: 118.30 MHz as 0x1830, an ADF's 350 kHz as 0x0350
    DigitsBcd16,     // a number's four decimal digits as BCD: transponder 1200 as 0x1200
};

struct Unit {
    std::string_view name;  // lower case
    UnitKind kind;
    double scale;
    double offset;
    UnitCoding coding;
};

// The unit of that name, or null when the world does not know it.
const Unit* FindUnit(std::string_view name);

// How a frequency variable spells BCD16: radios drop the leading 1 of the MHz
// value, ADF receivers give kilohertz.
enum class BcdStyle { Radio, Adf };

double ToBase(double value, const Unit& unit, BcdStyle style);
double FromBase(double base, const Unit& unit, BcdStyle style);
// Converts between two units of one kind; same-unit reads are exact.
double Convert(double value, const Unit& from, const Unit& to, BcdStyle style);

// Toward zero, as SimConnect fills INT32 data, forgiving the last bits that a
// unit round trip may leave (249.99999999999997 knots is 250). Saturates.
std::int32_t TruncateToInt32(double value);
std::int64_t TruncateToInt64(double value);

std::uint32_t EncodeBcd16(std::uint32_t number);  // 1830 -> 0x1830; clamps to 9999
std::uint32_t DecodeBcd16(std::uint32_t bcd);     // 0x1830 -> 1830

// ---- Names ------------------------------------------------------------------
std::string ToUpper(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace tarvo::simworld
