// The PMDG aircraft's CDU key events: codes from 69537 on press the
// captain's keys, listed as ranges of codes whose events follow one another.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tarvo::adapters::pmdg {

inline constexpr std::uint32_t kFirstCduKey = 69537;

// Codes first to last press the captain's keys from event on, in order.
struct CduKeyRange {
    std::uint32_t first;
    std::uint32_t last;
    std::uint32_t event;
};

// The captain's event by key (code - kFirstCduKey); 0 for a key the CDU does
// not have.
template <std::size_t Keys, std::size_t N>
constexpr std::array<std::uint32_t, Keys> CduEvents(const CduKeyRange (&ranges)[N]) {
    std::array<std::uint32_t, Keys> events{};
    for (const CduKeyRange& range : ranges) {
        for (std::uint32_t code = range.first; code <= range.last; ++code) {
            events[code - kFirstCduKey] = range.event + (code - range.first);
        }
    }
    return events;
}

}  // namespace tarvo::adapters::pmdg
