// Finding the Fenix A320's data in its processes' memory. Each block is known
// by a pattern at a fixed step (the FCU's marker text at every 4 bytes, the
// take-off fields' plausible values at every 4 bytes, the flight-mode header
// at every byte) in the private read-write regions from 64 MiB up to 1 GiB.
// The regions are read in large pieces and searched in our own memory; the
// result is the one that reading each step's bytes by itself would give.
#pragma once

#include "platform/ProcessMemory.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace tarvo::adapters::fenix {

// The walk starts here and takes no region whose base lies at or above the
// limit; a region that begins below it is searched to its end.
inline constexpr std::uint64_t kSearchStart = 0x4000000;   // 64 MiB
inline constexpr std::uint64_t kSearchLimit = 0x40000000;  // 1 GiB

// Private, committed, read-write both now and as allocated.
bool IsDataRegion(const platform::MemoryRegion& region);
// The same, and neither guarded, without access nor executable.
bool IsFcuRegion(const platform::MemoryRegion& region);

// How a search is steered from outside.
struct SearchHooks {
    // Asked between pieces and after each region: true ends the search.
    std::function<bool()> stopped;
    // Called after each region searched (the search threads pause there).
    std::function<void()> afterRegion;
};

// The FCU: the marker "FCU power input" in UTF-16 with its terminator (32
// bytes) at a 4-byte step; the fields lie before it.
inline constexpr std::size_t kFcuMarkerSize = 32;
inline constexpr std::int64_t kFcuSpeedOffset = -108;  // 64-bit float
inline constexpr std::int64_t kFcuHeadingOffset = -96;
inline constexpr std::int64_t kFcuAltitudeOffset = -92;
inline constexpr std::int64_t kFcuVerticalSpeedOffset = -24;
// The marker's address in the first region where accept(marker) holds, or 0.
std::uint64_t FindFcuMarker(platform::ProcessMemory& memory, ProcessHandle process,
                            const std::function<bool(std::uint64_t marker)>& accept, const SearchHooks& hooks = {});

// The take-off data block at a 4-byte step: 32-bit fields at these offsets,
// the flex temperature a 64-bit float.
inline constexpr std::uint64_t kTakeoffV1Offset = 0;
inline constexpr std::uint64_t kTakeoffV2Offset = 8;
inline constexpr std::uint64_t kTakeoffVrOffset = 16;
inline constexpr std::uint64_t kTakeoffFlexOffset = 28;
inline constexpr std::uint64_t kTakeoffTransitionAltitudeOffset = 64;
inline constexpr std::uint64_t kTakeoffSettingOffset = 72;
inline constexpr std::uint64_t kTakeoffFurtherOffset = 84;
// The bytes the tested fields span.
inline constexpr std::uint64_t kTakeoffReach = kTakeoffSettingOffset + 4;

struct TakeoffValues {
    std::int32_t v1 = 0;
    std::int32_t vr = 0;
    std::int32_t v2 = 0;
    std::int32_t transitionAltitude = 0;
    std::int32_t setting = 0;
};
// Whether the values could be the block's: speeds in their ranges and in order,
// a transition altitude in tens of feet, a setting of 1 or 2.
bool IsPlausibleTakeoff(const TakeoffValues& values);
// The block's address, or 0.
std::uint64_t FindTakeoffBlock(platform::ProcessMemory& memory, ProcessHandle process, const SearchHooks& hooks = {});

// The flight-mode annunciations: a 7-byte header at any byte (8 bytes read),
// then a 120-byte block whose text from byte 32 on shows it is live.
inline constexpr std::size_t kFmaBlockSize = 120;
using FmaBlock = std::array<std::uint8_t, kFmaBlockSize>;
// The block as it is used: its last byte a terminator.
bool IsValidFmaBlock(const FmaBlock& block);
// The address of the first valid block (all of it read), or 0.
std::uint64_t FindFmaBlock(platform::ProcessMemory& memory, ProcessHandle process, const SearchHooks& hooks = {});

}  // namespace tarvo::adapters::fenix
