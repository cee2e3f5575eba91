#include "atc/AtcScan.h"

#include "base/Text.h"

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
constexpr std::uint64_t kPage = 4096;
// Pages at a time; a multiple of the page and of the step.
constexpr std::uint64_t kPieceSize = 1 << 20;

bool MarkerAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    for (std::size_t i = 0; i < kMarker.size(); ++i) {
        if (FoldAscii(static_cast<char>(bytes[at + i])) != FoldAscii(kMarker[i])) return false;
    }
    return true;
}

// Bytes of [start, start + size), with the pages that could not be read marked.
class Piece {
public:
    void Read(platform::ProcessMemory& memory, ProcessHandle process, std::uint64_t start, std::uint64_t size) {
        // Whatever a short read leaves behind lies in pages marked unreadable.
        start_ = start;
        bytes_.resize(static_cast<std::size_t>(size));
        unreadable_.clear();
        if (memory.Read(process, start, bytes_) == bytes_.size()) return;
        // Something in it cannot be read: find out which pages.
        for (std::uint64_t page = start; page < start + size; page += kPage) {
            const std::size_t length = static_cast<std::size_t>(std::min(kPage, start + size - page));
            const std::span<std::uint8_t> into(bytes_.data() + (page - start), length);
            if (memory.Read(process, page, into) != length) unreadable_.push_back(page);
        }
    }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    // Whether all of [address, address + size) was read.
    bool Readable(std::uint64_t address, std::uint64_t size) const {
        if (address < start_ || address + size > start_ + bytes_.size()) return false;
        return std::none_of(unreadable_.begin(), unreadable_.end(), [&](std::uint64_t page) {
            return page < address + size && address < page + kPage;
        });
    }

private:
    std::uint64_t start_ = 0;
    std::vector<std::uint8_t> bytes_;
    std::vector<std::uint64_t> unreadable_;
};

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
    Piece piece;
    for (std::uint64_t start = region.base; start < end; start += kPieceSize) {
        if (keepSearching && !keepSearching()) return 0;
        // Windows that begin in this piece; the last of them reaches 8 bytes on.
        const std::uint64_t windowsEnd = std::min(start + kPieceSize, end);
        piece.Read(memory, process, start, windowsEnd - start + (kWindow - kStep));
        const std::vector<std::uint8_t>& bytes = piece.bytes();
        if (bytes.size() < kMarker.size()) continue;
        // The underscore has no case, so the library's fast byte search can
        // find the candidates.
        const std::uint8_t* const first = bytes.data() + kAnchor;
        const std::uint8_t* const last = bytes.data() + bytes.size() - (kMarker.size() - kAnchor - 1);
        for (const std::uint8_t* hit = first; hit < last; ++hit) {
            hit = static_cast<const std::uint8_t*>(std::memchr(hit, '_', static_cast<std::size_t>(last - hit)));
            if (hit == nullptr) break;
            const std::size_t at = static_cast<std::size_t>(hit - bytes.data()) - kAnchor;
            if (!MarkerAt(bytes, at)) continue;
            // The one window that holds the whole marker starts at the step below it.
            const std::uint64_t window = (start + at) & ~(kStep - 1);
            if (window >= windowsEnd) break;
            if (piece.Readable(window, kWindow) && EntryFollows(memory, process, window)) return window;
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
