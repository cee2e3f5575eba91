// The simulation variables of the user aircraft, by name. Not thread-safe: the
// world model guards it with its lock.
#pragma once

#include "simworld/Units.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tarvo::simworld {

struct Variable {
    UnitKind kind = UnitKind::Number;
    BcdStyle bcd = BcdStyle::Radio;
    bool isText = false;
    double value = 0;            // in `unit`, the unit it was last written in
    const Unit* unit = nullptr;  // null for text
    std::string text;
};

class Variables {
public:
    // Starts with the default aircraft, parked.
    Variables();

    // The key under which a name is stored ("NAV CDI:1"), or nullopt when the
    // name is unknown. Case and blanks around the index are ignored; a name
    // without an index finds index 1 of an indexed variable.
    std::optional<std::string> Resolve(std::string_view name) const;
    const Variable* Find(std::string_view name) const;

    // nullopt when the name is unknown, is text, or the unit is of another kind.
    std::optional<double> Get(std::string_view name, const Unit& unit) const;
    std::optional<double> Get(std::string_view name, std::string_view unitName) const;
    // Creates an unknown name with the unit's kind; false when the unit does
    // not fit a known variable (nothing changes then).
    bool Set(std::string_view name, double value, const Unit& unit);
    bool Set(std::string_view name, double value, std::string_view unitName);
    std::optional<std::string> Text(std::string_view name) const;
    bool SetText(std::string_view name, std::string text);
    // Exchanges two known numeric variables of one kind.
    void Swap(std::string_view a, std::string_view b);

private:
    std::string KeyFor(std::string_view name) const;
    std::map<std::string, Variable> variables_;
};

}  // namespace tarvo::simworld
