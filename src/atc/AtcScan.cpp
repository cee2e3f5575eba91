#include "atc/AtcScan.h"

#include "base/Text.h"
#include "platform/MemoryPiece.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#define TARVO_WIDE_VECTORS 1
#include <immintrin.h>
#else
#define TARVO_WIDE_VECTORS 0
#endif

namespace tarvo::atc {
namespace {

constexpr std::string_view kMarker = "PANEL_ATC";
constexpr std::size_t kAnchor = kMarker.find('_');
constexpr std::uint64_t kStep = 8;
constexpr std::uint64_t kWindow = 16;

// Bytes looked at together before any one of them is: a block without the
// marker's underscore followed by its A (either case) needs no closer look.
// Memory full of names has an underscore every few dozen bytes, too often for
// a search for the underscore alone to pay. In a block that may hold the pair,
// only the places where it stands are looked at.
constexpr std::size_t kBlock = 256;
constexpr std::size_t kLanes = 16;

#if defined(__SSE2__)
// Sixteen places a step, on the vectors every x64 processor has.
inline __m128i PairsAt(const std::uint8_t* at) {
    const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
    return _mm_and_si128(_mm_cmpeq_epi8(here, _mm_set1_epi8('_')),
                         _mm_cmpeq_epi8(_mm_or_si128(next, _mm_set1_epi8(0x20)), _mm_set1_epi8('a')));
}
#endif

// Bit i set when "_A" (either case) begins at at + i, for 16 places; reads 17 bytes.
inline std::uint32_t PairMask(const std::uint8_t* at) {
#if defined(__SSE2__)
    return static_cast<std::uint32_t>(_mm_movemask_epi8(PairsAt(at)));
#else
    std::uint32_t mask = 0;
    for (std::size_t i = 0; i < kLanes; ++i) {
        if (at[i] == '_' && (at[i + 1] | 0x20) == 'a') mask |= 1u << i;
    }
    return mask;
#endif
}

// Whether "_A" (either case) may begin in [at, at + kBlock); reads one byte on.
inline bool BlockMayHoldMarker(const std::uint8_t* at) {
#if defined(__SSE2__)
    // The lanes are only looked at once per block.
    __m128i found = _mm_setzero_si128();
    for (std::size_t i = 0; i < kBlock; i += 2 * kLanes) {
        found = _mm_or_si128(found, _mm_or_si128(PairsAt(at + i), PairsAt(at + i + kLanes)));
    }
    return _mm_movemask_epi8(found) != 0;
#else
    std::uint32_t found = 0;
    for (std::size_t i = 0; i < kBlock; i += kLanes) found |= PairMask(at + i);
    return found != 0;
#endif
}

// The first block from `block` on, a block at a time while more than a block
// is left before `last`, that may hold "_A"; where that stops when none does.
using BlockFinder = const std::uint8_t* (*)(const std::uint8_t* block, const std::uint8_t* last);

// Where in a block "_A" stands: bit i of masks[c] for the place block + 32 c + i.
constexpr std::size_t kChunk = 32;
using ChunkMasks = std::array<std::uint32_t, kBlock / kChunk>;
using BlockLooker = void (*)(const std::uint8_t* block, ChunkMasks& masks);

void LookInBlock(const std::uint8_t* block, ChunkMasks& masks) {
    for (std::size_t c = 0; c < masks.size(); ++c) {
        masks[c] = PairMask(block + c * kChunk) | PairMask(block + c * kChunk + kLanes) << kLanes;
    }
}

// The routines for one width of vectors.
struct Search {
    BlockFinder findBlock;
    BlockLooker lookInBlock;
};

const std::uint8_t* FindBlock(const std::uint8_t* block, const std::uint8_t* last) {
    for (; last - block > static_cast<std::ptrdiff_t>(kBlock); block += kBlock) {
        if (BlockMayHoldMarker(block)) return block;
    }
    return block;
}

#if TARVO_WIDE_VECTORS
// Thirty-two places a step, on processors that have them (any that runs the simulator).
__attribute__((target("avx2"))) inline __m256i PairsAtWide(const std::uint8_t* at) {
    const __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
    const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 1));
    return _mm256_and_si256(_mm256_cmpeq_epi8(here, _mm256_set1_epi8('_')),
                            _mm256_cmpeq_epi8(_mm256_or_si256(next, _mm256_set1_epi8(0x20)), _mm256_set1_epi8('a')));
}

__attribute__((target("avx2"))) const std::uint8_t* FindBlockWide(const std::uint8_t* block,
                                                                    const std::uint8_t* last) {
    for (; last - block > static_cast<std::ptrdiff_t>(kBlock); block += kBlock) {
        __m256i found = _mm256_setzero_si256();
        for (std::size_t i = 0; i < kBlock; i += kChunk) found = _mm256_or_si256(found, PairsAtWide(block + i));
        if (!_mm256_testz_si256(found, found)) return block;
    }
    return block;
}

__attribute__((target("avx2"))) void LookInBlockWide(const std::uint8_t* block, ChunkMasks& masks) {
    for (std::size_t c = 0; c < masks.size(); ++c) {
        masks[c] = static_cast<std::uint32_t>(_mm256_movemask_epi8(PairsAtWide(block + c * kChunk)));
    }
}
#endif

constexpr Search kNarrowSearch = {FindBlock, LookInBlock};

Search WidestSearch() {
#if TARVO_WIDE_VECTORS
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) return {FindBlockWide, LookInBlockWide};
#endif
    return kNarrowSearch;
}

// The marker's first eight bytes as one word, lower case, and which of them
// are letters (0x20 in their byte), so that a place is compared in one step.
constexpr std::uint64_t MarkerWord(bool lettersOnly) {
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        const char lower = FoldAscii(kMarker[i]);
        const bool letter = lower >= 'a' && lower <= 'z';
        const std::uint64_t byte = lettersOnly ? (letter ? 0x20 : 0) : static_cast<unsigned char>(lower);
        word |= byte << (8 * i);
    }
    return word;
}
static_assert(kMarker.size() == 9 && std::endian::native == std::endian::little);

bool MarkerAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    constexpr std::uint64_t kLower = MarkerWord(false);
    constexpr std::uint64_t kLetters = MarkerWord(true);
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + at, sizeof word);
    // A letter's byte with its 0x20 is the lower-case letter only if it was that letter in either case.
    return (word | kLetters) == kLower && FoldAscii(static_cast<char>(bytes[at + 8])) == FoldAscii(kMarker[8]);
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
                                    const platform::MemoryRegion& region, const KeepSearching& keepSearching,
                                    Vectors vectors) {
    static const Search widest = WidestSearch();
    const Search search = vectors == Vectors::Widest ? widest : kNarrowSearch;
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
        // Each place where "_A" stands: the marker there, then its menu.
        // Returns true once this piece is done with.
        const auto lookAt = [&](const std::uint8_t* hit, std::uint64_t& found) {
            const std::size_t at = static_cast<std::size_t>(hit - bytes.data()) - kAnchor;
            if (!MarkerAt(bytes, at)) return false;
            // The one window that holds the whole marker starts at the step below it.
            const std::uint64_t window = (start + at) & ~(kStep - 1);
            if (window >= windowsEnd) return true;  // the next piece's windows: it looks at them itself
            if (piece.Readable(window, kWindow) && EntryFollows(memory, process, window)) {
                found = window;
                return true;
            }
            return false;
        };
        std::uint64_t found = 0;
        bool pieceDone = false;
        const std::uint8_t* block = first;
        // Whole blocks, and in them only the places where the pair stands.
        ChunkMasks masks;
        for (; !pieceDone; block += kBlock) {
            block = search.findBlock(block, last);
            if (last - block <= static_cast<std::ptrdiff_t>(kBlock)) break;
            search.lookInBlock(block, masks);
            for (std::size_t c = 0; c < masks.size() && !pieceDone; ++c) {
                for (std::uint32_t mask = masks[c]; mask != 0 && !pieceDone; mask &= mask - 1) {
                    pieceDone = lookAt(block + c * kChunk + static_cast<std::size_t>(std::countr_zero(mask)), found);
                }
            }
        }
        // The rest of the piece, a place at a time.
        for (const std::uint8_t* hit = block; hit < last && !pieceDone; ++hit) {
            if (*hit == '_') pieceDone = lookAt(hit, found);
        }
        if (found != 0) return found;
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
