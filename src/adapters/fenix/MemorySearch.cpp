#include "adapters/fenix/MemorySearch.h"

#include "platform/MemoryPiece.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace tarvo::adapters::fenix {
namespace {

using platform::MemoryPiece;

constexpr std::uint8_t kFcuMarker[kFcuMarkerSize] = {'F', 0, 'C', 0, 'U', 0, ' ', 0, 'p', 0, 'o', 0, 'w', 0, 'e', 0,
                                                     'r', 0, ' ', 0, 'i', 0, 'n', 0, 'p', 0, 'u', 0, 't', 0, 0,   0};
constexpr std::uint64_t kFcuStep = 4;

constexpr std::uint64_t kTakeoffStep = 4;

constexpr std::uint8_t kFmaHeader[] = {'f', 'm', 'a', 'F', 0x1F, 'F', '-'};
// The header is compared, but a read of this many bytes must succeed.
constexpr std::uint64_t kFmaHeaderRead = 8;
constexpr std::size_t kFmaLiveTextFrom = 32;

bool IsStopped(const SearchHooks& hooks) {
    return hooks.stopped && hooks.stopped();
}

// Steps through every region the filter takes; search(start, end) returns an
// address found there, or 0.
template <typename Search>
std::uint64_t WalkRegions(platform::ProcessMemory& memory, ProcessHandle process,
                          bool (*filter)(const platform::MemoryRegion&), const SearchHooks& hooks, Search search) {
    std::uint64_t address = kSearchStart;
    while (const auto region = memory.QueryRegion(process, address)) {
        if (region->base >= kSearchLimit) break;
        const std::uint64_t end = region->base + region->size;
        if (end <= address) break;  // a region that does not move us on ends the walk
        if (filter(*region)) {
            // The query answers for the page asked about: a region reaching
            // below the start is searched from there.
            const std::uint64_t found = search(std::max(region->base, address), end);
            if (found != 0) return found;
            if (hooks.afterRegion) hooks.afterRegion();
        }
        if (IsStopped(hooks)) break;
        address = end;
    }
    return 0;
}

// Reads [start, end) piece by piece, each piece reach bytes longer than the
// windows that begin in it; look(piece, first, last) searches the windows
// beginning in [first, last) and returns an address found, or 0.
template <typename Look>
std::uint64_t SearchInPieces(platform::ProcessMemory& memory, ProcessHandle process, std::uint64_t start,
                             std::uint64_t end, std::uint64_t reach, const SearchHooks& hooks, Look look) {
    MemoryPiece piece;
    for (std::uint64_t first = start; first < end; first += platform::kMemoryPieceSize) {
        if (IsStopped(hooks)) return 0;
        const std::uint64_t last = std::min(first + platform::kMemoryPieceSize, end);
        piece.Read(memory, process, first, last - first + reach);
        if (const std::uint64_t found = look(piece, first, last)) return found;
    }
    return 0;
}

// Offsets in the piece where byte occurs, from first up to last.
template <typename Visit>
std::uint64_t EachByte(const MemoryPiece& piece, std::uint64_t first, std::uint64_t last, std::uint8_t byte,
                       Visit visit) {
    const std::uint8_t* const begin = piece.bytes().data();
    const std::uint8_t* at = begin + (first - piece.start());
    const std::uint8_t* const stop = begin + (last - piece.start());
    while (at < stop) {
        at = static_cast<const std::uint8_t*>(std::memchr(at, byte, static_cast<std::size_t>(stop - at)));
        if (at == nullptr) break;
        if (const std::uint64_t found = visit(piece.start() + static_cast<std::uint64_t>(at - begin))) return found;
        ++at;
    }
    return 0;
}

const std::uint8_t* BytesAt(const MemoryPiece& piece, std::uint64_t address) {
    return piece.bytes().data() + (address - piece.start());
}

std::int32_t Int32At(const std::uint8_t* bytes) {
    std::int32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

bool InRange(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value >= low && value <= high;
}

// The text as a string is used: it ends at the first terminator.
std::string_view TextFrom(const FmaBlock& block, std::size_t from) {
    const char* const text = reinterpret_cast<const char*>(block.data()) + from;
    const std::size_t room = kFmaBlockSize - 1 - from;  // the last byte is a terminator
    return {text, static_cast<std::size_t>(std::find(text, text + room, '\0') - text)};
}

}  // namespace

bool IsDataRegion(const platform::MemoryRegion& region) {
    return region.type == platform::kMemPrivate && region.state == platform::kMemCommit &&
           (region.protect & platform::kPageReadWrite) != 0 &&
           (region.allocationProtect & platform::kPageReadWrite) != 0;
}

bool IsFcuRegion(const platform::MemoryRegion& region) {
    constexpr std::uint32_t kUnwanted = platform::kPageGuard | platform::kPageNoAccess | platform::kPageExecute;
    return IsDataRegion(region) && (region.protect & kUnwanted) == 0;
}

std::uint64_t FindFcuMarker(platform::ProcessMemory& memory, ProcessHandle process,
                            const std::function<bool(std::uint64_t)>& accept, const SearchHooks& hooks) {
    return WalkRegions(memory, process, IsFcuRegion, hooks, [&](std::uint64_t start, std::uint64_t end) {
        return SearchInPieces(memory, process, start, end, kFcuMarkerSize - kFcuStep, hooks,
                              [&](const MemoryPiece& piece, std::uint64_t first, std::uint64_t last) {
                                  return EachByte(
                                      piece, first, last, kFcuMarker[0], [&](std::uint64_t at) -> std::uint64_t {
                                          if ((at - start) % kFcuStep != 0 || !piece.Readable(at, kFcuMarkerSize))
                                              return 0;
                                          if (std::memcmp(BytesAt(piece, at), kFcuMarker, kFcuMarkerSize) != 0)
                                              return 0;
                                          return accept(at) ? at : 0;
                                      });
                              });
    });
}

bool IsPlausibleTakeoff(const TakeoffValues& v) {
    return InRange(v.v1, 90, 155) && InRange(v.vr, 100, 165) && v.vr >= v.v1 && v.vr <= v.v1 + 30 &&
           InRange(v.v2, 110, 190) && v.v2 >= v.vr && v.v2 > v.v1 && v.v2 <= v.vr + 30 &&
           InRange(v.transitionAltitude, 0, 18000) && v.transitionAltitude % 10 == 0 &&
           (v.setting == 1 || v.setting == 2);
}

std::uint64_t FindTakeoffBlock(platform::ProcessMemory& memory, ProcessHandle process, const SearchHooks& hooks) {
    return WalkRegions(memory, process, IsDataRegion, hooks, [&](std::uint64_t start, std::uint64_t end) {
        return SearchInPieces(
            memory, process, start, end, kTakeoffReach - kTakeoffStep, hooks,
            [&](const MemoryPiece& piece, std::uint64_t first, std::uint64_t last) -> std::uint64_t {
                // A block that does not fit in the piece cannot have been read.
                const std::uint64_t fits = piece.start() + piece.bytes().size();
                for (std::uint64_t at = first; at < last && at + kTakeoffReach <= fits; at += kTakeoffStep) {
                    const std::uint8_t* const block = BytesAt(piece, at);
                    // V1 rules out almost every step; the rest only where it holds.
                    if (!InRange(Int32At(block + kTakeoffV1Offset), 90, 155)) continue;
                    const TakeoffValues values{Int32At(block + kTakeoffV1Offset), Int32At(block + kTakeoffVrOffset),
                                               Int32At(block + kTakeoffV2Offset),
                                               Int32At(block + kTakeoffTransitionAltitudeOffset),
                                               Int32At(block + kTakeoffSettingOffset)};
                    // The tested fields touch every page the block spans.
                    if (IsPlausibleTakeoff(values) && piece.Readable(at, kTakeoffReach)) return at;
                }
                return 0;
            });
    });
}

bool IsValidFmaBlock(const FmaBlock& block) {
    if (std::memcmp(block.data(), kFmaHeader, sizeof kFmaHeader) != 0) return false;
    const std::string_view live = TextFrom(block, kFmaLiveTextFrom);
    return live.find("1   2") != std::string_view::npos || live.find("1   -") != std::string_view::npos;
}

std::uint64_t FindFmaBlock(platform::ProcessMemory& memory, ProcessHandle process, const SearchHooks& hooks) {
    return WalkRegions(memory, process, IsDataRegion, hooks, [&](std::uint64_t start, std::uint64_t end) {
        return SearchInPieces(memory, process, start, end, kFmaHeaderRead - 1, hooks,
                              [&](const MemoryPiece& piece, std::uint64_t first, std::uint64_t last) {
                                  return EachByte(
                                      piece, first, last, kFmaHeader[0], [&](std::uint64_t at) -> std::uint64_t {
                                          if (!piece.Readable(at, kFmaHeaderRead)) return 0;
                                          if (std::memcmp(BytesAt(piece, at), kFmaHeader, sizeof kFmaHeader) != 0)
                                              return 0;
                                          // Rare enough to read by itself; valid only when all of it was read.
                                          FmaBlock block{};
                                          if (memory.Read(process, at, block) != block.size()) return 0;
                                          return IsValidFmaBlock(block) ? at : 0;
                                      });
                              });
    });
}

}  // namespace tarvo::adapters::fenix
