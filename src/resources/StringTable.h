// The program's string resources as data, for code that runs without the
// Windows resource loader (the native tests' desktop).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tarvo::resources {

struct StringRow {
    std::uint32_t id;
    std::string_view text;
};

// Every string, in rising id order.
std::span<const StringRow> ProgramStrings();

// nullopt when the program has no string with that id.
std::optional<std::string_view> ProgramString(std::uint32_t id);

}  // namespace tarvo::resources
