#include "atc/AtcScan.h"

#include "base/Text.h"
#include "platform/MemoryPiece.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <vector>

namespace tarvo::atc {
namespace {

constexpr std::string_view kMarker = "PANEL_ATC";
constexpr std::size_t kAnchor = kMarker.find('_');
constexpr std::uint64_t kStep = 8;
constexpr std::uint64_t kWindow = 16;

// Bytes looked at together before any one of them is: a block without the
// marker's underscore followed by its A (either case) needs no closer look,
// and the loop over it is simple enough for the compiler to take many bytes a
// step. Memory full of names has an underscore every few dozen bytes, too
// often for a search for the underscore alone to pay. A block that may hold
// the pair is looked at again in smaller blocks before byte by byte.
constexpr std::size_t kBlock = 256;
constexpr std::size_t kSmallBlock = 32;

// Whether "_A" (either case) may begin in [at, at + size); reads one byte on.
template <std::size_t size>
bool BlockMayHoldMarker(const std::uint8_t* at) {
    const std::uint8_t* const after = at + 1;
    // Bytes throughout, so each vector step takes as many bytes as it can.
    std::uint8_t found = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const auto underscore = static_cast<std::uint8_t>(at[i] == '_');
        const auto a = static_cast<std::uint8_t>((after[i] | 0x20) == 'a');
        found |= static_cast<std::uint8_t>(underscore & a);
    }
    return found != 0;
}

bool MarkerAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    for (std::size_t i = 0; i < kMarker.size(); ++i) {
        if (FoldAscii(static_cast<char>(bytes[at + i])) != FoldAscii(kMarker[i])) return false;
    }
    return true;
}

// The first entry follows the marker: a digit (or a NUL and a blank, an entry
// being drawn) and a hyphen in third place.
bool EntryFollows(platform::ProcessMemory& memory, ProcessHandle process, std::uint64_t window) {
    std::array<std::uint8_t, kAtcEntrySize> entry{};
    if (memory.Read(process, AtcEntryAddress(window, 0), entry) != entry.size()) return false;
    const bool digit = entry[0] >= '0' && entry[0] <= '9';
    const bool drawing = entry[0] == 0 && entry[1] == ' ';
    return (digit || drawing) && entry[2] == '-';
}

}  // namespace

bool IsAtcCandidate(const platform::MemoryRegion& region) {
    return region.state == platform::kMemCommit && region.type == platform::kMemPrivate &&
           (region.protect & platform::kPageReadWrite) != 0 && (region.protect & platform::kPageExecute) == 0 &&
           (region.protect & platform::kPageGuard) == 0 && region.allocationProtect == platform::kPageNoAccess;
}

std::uint64_t FindAtcMarkerInRegion(platform::ProcessMemory& memory, ProcessHandle process,
                                    const platform::MemoryRegion& region, const KeepSearching& keepSearching) {
    const std::uint64_t end = region.base + region.size;
    platform::MemoryPiece piece;
    for (std::uint64_t start = region.base; start < end; start += platform::kMemoryPieceSize) {
        if (keepSearching && !keepSearching()) return 0;
        // Windows that begin in this piece; the last of them reaches 8 bytes on.
        const std::uint64_t windowsEnd = std::min(start + platform::kMemoryPieceSize, end);
        piece.Read(memory, process, start, windowsEnd - start + (kWindow - kStep));
        const std::vector<std::uint8_t>& bytes = piece.bytes();
        if (bytes.size() < kMarker.size()) continue;
        // Where the marker's underscore can be: far enough from either end.
        const std::uint8_t* const first = bytes.data() + kAnchor;
        const std::uint8_t* const last = bytes.data() + bytes.size() - (kMarker.size() - kAnchor - 1);
        bool pieceDone = false;
        for (const std::uint8_t* block = first; block < last && !pieceDone; block += kBlock) {
            const bool whole = last - block > static_cast<std::ptrdiff_t>(kBlock);
            const std::uint8_t* const blockEnd = whole ? block + kBlock : last;
            if (whole && !BlockMayHoldMarker<kBlock>(block)) continue;
            for (const std::uint8_t* hit = block; hit < blockEnd; ++hit) {
                const bool small =
                    (hit - block) % kSmallBlock == 0 && blockEnd - hit >= static_cast<std::ptrdiff_t>(kSmallBlock);
                if (small && !BlockMayHoldMarker<kSmallBlock>(hit)) {
                    hit += kSmallBlock - 1;
                    continue;
                }
                if (*hit != '_') continue;
                const std::size_t at = static_cast<std::size_t>(hit - bytes.data()) - kAnchor;
                if (!MarkerAt(bytes, at)) continue;
                // The one window that holds the whole marker starts at the step below it.
                const std::uint64_t window = (start + at) & ~(kStep - 1);
                if (window >= windowsEnd) {
                    pieceDone = true;  // the next piece's windows: it looks at them itself
                    break;
                }
                if (piece.Readable(window, kWindow) && EntryFollows(memory, process, window)) return window;
            }
        }
    }
    return 0;
}

std::uint64_t FindAtcMenu(platform::ProcessMemory& memory, ProcessHandle process, const KeepSearching& keepSearching) {
    std::uint64_t address = 0;
    while (const auto region = memory.QueryRegion(process, address)) {
        if (keepSearching && !keepSearching()) return 0;
        if (IsAtcCandidate(*region)) {
            const auto previous = memory.ProtectRegion(process, region->base, region->size, platform::kPageReadWrite);
            const std::uint64_t found = FindAtcMarkerInRegion(memory, process, *region, keepSearching);
            if (previous) memory.ProtectRegion(process, region->base, region->size, *previous);
            if (found != 0) return found;
        }
        const std::uint64_t next = region->base + region->size;
        if (next <= address) break;  // a region that does not move us on ends the walk
        address = next;
    }
    return 0;
}

}  // namespace tarvo::atc
