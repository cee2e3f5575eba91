#include "link/Protocol.h"

#include <cstdio>

namespace tarvo::link {
namespace {

void AppendHexBytes(std::string& out, const std::array<std::uint8_t, 8>& bytes) {
    char digits[3];
    for (std::uint8_t byte : bytes) {
        std::snprintf(digits, sizeof(digits), "%02X", byte);
        out += digits;
    }
}

std::string Hex8(std::uint32_t value) {
    char digits[9];
    std::snprintf(digits, sizeof(digits), "%08X", value);
    return digits;
}

std::optional<std::uint32_t> ParseHex8(std::string_view digits) {
    std::uint32_t value = 0;
    for (char c : digits) {
        std::uint32_t digit;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        } else {
            return std::nullopt;
        }
        value = value * 16 + digit;
    }
    return value;
}

}  // namespace

MessageResult AtomResult(AtomId atom) { return static_cast<MessageResult>(std::uint32_t{atom} | 0xFFFF0000u); }

std::string ValueQueryText(std::uint32_t tag, const std::array<std::uint8_t, 8>& value) {
    std::string text = Hex8(tag);
    AppendHexBytes(text, value);
    return text;
}

std::string NamedQueryText(const std::array<std::uint8_t, 8>& value, std::int32_t integer, std::string_view text) {
    std::string reply;
    AppendHexBytes(reply, value);
    reply += Hex8(static_cast<std::uint32_t>(integer));
    reply += text;
    return reply;
}

std::optional<AtomCommand> ParseCommandAtom(std::string_view text) {
    if (text.size() < 16) return std::nullopt;
    const auto code = ParseHex8(text.substr(0, 8));
    const auto value = ParseHex8(text.substr(8, 8));
    if (!code || !value) return std::nullopt;
    return AtomCommand{*code, *value};
}

}  // namespace tarvo::link
