#include "standin-crew/CrewRecords.h"

#include <cstdio>
#include <cstring>

namespace tarvo::crew {
namespace {

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string Hex(const std::uint8_t* bytes, std::uint32_t size) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    for (std::uint32_t i = 0; i < size; ++i) {
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 0xF];
    }
    return out;
}

}  // namespace

std::string DescribeMessage(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) {
    return "{\"dir\":\"recv\",\"msg\":" + std::to_string(message) + ",\"wParam\":" + std::to_string(wParam) +
           ",\"lParam\":" + std::to_string(lParam) + "}";
}

std::string DescribeCopyData(std::uint64_t from, std::uint64_t kind, const std::uint8_t* bytes, std::uint32_t size) {
    std::string line = "{\"dir\":\"recv\",\"msg\":74,\"from\":" + std::to_string(from) + ",\"kind\":" +
                       std::to_string(kind) + ",\"size\":" + std::to_string(size);
    if (bytes == nullptr) size = 0;
    if (kind == 611 || kind == 615) {
        line += ",\"words\":[";
        for (std::uint32_t at = 0; at + 4 <= size; at += 4) {
            std::int32_t word;
            std::memcpy(&word, bytes + at, 4);
            line += (at == 0 ? "" : ",") + std::to_string(word);
        }
        line += "]";
    } else if (kind == 612) {
        line += ",\"text\":" + JsonString(std::string(reinterpret_cast<const char*>(bytes), size));
    } else {
        line += ",\"hex\":\"" + Hex(bytes, size) + "\"";
    }
    return line + "}";
}

}  // namespace tarvo::crew
