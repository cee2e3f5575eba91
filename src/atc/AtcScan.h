// Finding the simulator's ATC menu in its memory: the "PANEL_ATC" marker, in
// 16-byte windows at 8-byte steps, followed 280 bytes on by a menu entry.
#pragma once

#include "platform/ProcessMemory.h"

#include <cstdint>
#include <functional>

namespace tarvo::atc {

inline constexpr std::uint64_t kAtcFirstEntryOffset = 280;
inline constexpr std::uint64_t kAtcEntryStride = 536;
inline constexpr std::size_t kAtcEntrySize = 64;

// Where entry n of the menu found at menu lies.
constexpr std::uint64_t AtcEntryAddress(std::uint64_t menu, std::size_t n) {
    return menu + kAtcFirstEntryOffset + kAtcEntryStride * n;
}

// Whether the simulator keeps its menu in a region like this one: committed,
// private, read-write, neither executable nor guarded, reserved without access.
bool IsAtcCandidate(const platform::MemoryRegion& region);

// Asked between pieces of the search; false ends it (the server is stopping).
using KeepSearching = std::function<bool()>;

// The address of the window holding the marker in one region, or 0. Reads the
// region in large pieces; a window with a byte that cannot be read is passed
// over, as a 16-byte read of it would fail.
// The widest vectors the processor has are used unless narrow is asked for:
// every x64 processor has the narrow ones, and a test can run both.
enum class Vectors { Widest, Narrow };
std::uint64_t FindAtcMarkerInRegion(platform::ProcessMemory& memory, ProcessHandle process,
                                    const platform::MemoryRegion& region, const KeepSearching& keepSearching = {},
                                    Vectors vectors = Vectors::Widest);

// Walks the whole address space; each candidate region is made read-write for
// the search and given its protection back after. 0 when there is no menu, or
// when keepSearching said to stop.
std::uint64_t FindAtcMenu(platform::ProcessMemory& memory, ProcessHandle process,
                          const KeepSearching& keepSearching = {});

}  // namespace tarvo::atc
