// The text formats of the atoms exchanged with the crew app.
#pragma once

#include "platform/Types.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvo::link {

// An atom handed back as a message result: the atom ORed with 0xFFFF0000,
// zero-extended.
MessageResult AtomResult(AtomId atom);

// The tag as eight upper-case hex digits, then the 8 value bytes, lowest address
// first, as 16 hex digits.
std::string ValueQueryText(std::uint32_t tag, const std::array<std::uint8_t, 8>& value);

// 16 hex digits of the 8-byte value, eight of the integer, then the text.
std::string NamedQueryText(const std::array<std::uint8_t, 8>& value, std::int32_t integer, std::string_view text);

struct AtomCommand {
    std::uint32_t code;
    std::uint32_t value;
};
// A command by atom: 8 hex digits of code, then 8 of value; nullopt unless the
// text starts with 16 hexadecimal digits.
std::optional<AtomCommand> ParseCommandAtom(std::string_view text);

}  // namespace tarvo::link
