// The Fenix memory searches as their rules read: each step reads its own bytes
// through the process-memory port. Slow, and the reference the searches must
// agree with.
#pragma once

#include "platform/ProcessMemory.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace tarvo::adapters::fenix::literal {

enum class Regions { Fcu, Data };

// From 64 MiB, region by region, until a query fails or a region starts at
// 1 GiB or above. search(start, end) returns an address found, or 0.
template <typename Search>
std::uint64_t Walk(platform::ProcessMemory& memory, ProcessHandle process, Regions kind, Search search) {
    std::uint64_t address = 0x4000000;
    while (const std::optional<platform::MemoryRegion> region = memory.QueryRegion(process, address)) {
        if (region->base >= 0x40000000) break;
        const std::uint64_t end = region->base + region->size;
        if (end <= address) break;
        bool taken = region->type == 0x20000 && region->state == 0x1000 && (region->protect & 0x04) != 0 &&
                     (region->allocationProtect & 0x04) != 0;
        if (kind == Regions::Fcu) taken = taken && (region->protect & (0x100 | 0x01 | 0x10)) == 0;
        if (taken) {
            if (const std::uint64_t found = search(region->base > address ? region->base : address, end)) return found;
        }
        address = end;
    }
    return 0;
}

// The read function: -1 when the 4 bytes cannot all be read.
inline std::int32_t ReadInt(platform::ProcessMemory& memory, ProcessHandle process, std::uint64_t address) {
    std::array<std::uint8_t, 4> bytes{};
    if (memory.Read(process, address, bytes) != bytes.size()) return -1;
    std::int32_t value;
    std::memcpy(&value, bytes.data(), sizeof value);
    return value;
}

// The FCU marker whose altitude (92 bytes before it) lies in 100..49,000.
inline std::uint64_t FindFcu(platform::ProcessMemory& memory, ProcessHandle process) {
    static constexpr std::u16string_view kMarker = u"FCU power input";
    return Walk(memory, process, Regions::Fcu, [&](std::uint64_t start, std::uint64_t end) -> std::uint64_t {
        for (std::uint64_t at = start; at + 4 <= end; at += 4) {
            std::array<std::uint8_t, 32> bytes{};
            if (memory.Read(process, at, bytes) != bytes.size()) continue;
            if (bytes[0] != 'F') continue;
            bool equal = true;
            for (std::size_t i = 0; i < 16; ++i) {
                const char16_t unit = i < kMarker.size() ? kMarker[i] : u'\0';
                equal = equal && bytes[2 * i] == (unit & 0xFF) && bytes[2 * i + 1] == (unit >> 8);
            }
            if (!equal) continue;
            const std::int32_t altitude = ReadInt(memory, process, at - 92);
            if (altitude >= 100 && altitude <= 49000) return at;
        }
        return 0;
    });
}

// The take-off block: every field in range, read one by one.
inline std::uint64_t FindTakeoff(platform::ProcessMemory& memory, ProcessHandle process) {
    return Walk(memory, process, Regions::Data, [&](std::uint64_t start, std::uint64_t end) -> std::uint64_t {
        for (std::uint64_t p = start; p < end; p += 4) {
            const std::int32_t v1 = ReadInt(memory, process, p);
            if (v1 < 90 || v1 > 155) continue;
            const std::int32_t vr = ReadInt(memory, process, p + 16);
            if (vr < 100 || vr > 165 || vr < v1 || vr > v1 + 30) continue;
            const std::int32_t v2 = ReadInt(memory, process, p + 8);
            if (v2 < 110 || v2 > 190 || v2 < vr || v2 <= v1 || v2 > vr + 30) continue;
            const std::int32_t altitude = ReadInt(memory, process, p + 64);
            if (altitude < 0 || altitude > 18000 || altitude % 10 != 0) continue;
            const std::int32_t setting = ReadInt(memory, process, p + 72);
            if (setting == 1 || setting == 2) return p;
        }
        return 0;
    });
}

// Whether 120 bytes read are a live annunciation block: the header, then "1   2"
// or "1   -" in its text from byte 32 (a string: up to the first NUL, byte 119
// being one).
inline bool IsLiveFma(std::array<std::uint8_t, 120> block) {
    static constexpr std::uint8_t kHeader[] = {'f', 'm', 'a', 'F', 0x1F, 'F', '-'};
    if (std::memcmp(block.data(), kHeader, sizeof kHeader) != 0) return false;
    block[119] = 0;
    const std::string_view text(reinterpret_cast<const char*>(block.data()) + 32);
    return text.find("1   2") != std::string_view::npos || text.find("1   -") != std::string_view::npos;
}

// The annunciations: 8 bytes at every byte, the header in the first seven,
// then the whole block read and live.
inline std::uint64_t FindFma(platform::ProcessMemory& memory, ProcessHandle process) {
    return Walk(memory, process, Regions::Data, [&](std::uint64_t start, std::uint64_t end) -> std::uint64_t {
        for (std::uint64_t at = start; at < end; ++at) {
            std::array<std::uint8_t, 8> head{};
            if (memory.Read(process, at, head) != head.size()) continue;
            if (head[0] != 'f' || std::memcmp(head.data(),
                                              "fmaF\x1F"
                                              "F-",
                                              7) != 0)
                continue;
            std::array<std::uint8_t, 120> block{};
            if (memory.Read(process, at, block) != block.size()) continue;
            if (IsLiveFma(block)) return at;
        }
        return 0;
    });
}

}  // namespace tarvo::adapters::fenix::literal
