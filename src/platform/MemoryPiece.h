// Another process's memory read in large pieces and searched in our own: a
// search that reads a few bytes per system call at every step would take hours
// over the hundreds of MiB it goes through. Shared by the memory searches.
#pragma once

#include "platform/ProcessMemory.h"

#include <cstdint>
#include <vector>

namespace tarvo::platform {

inline constexpr std::uint64_t kMemoryPage = 4096;
// Pages at a time; a multiple of the page and of every search's step.
inline constexpr std::uint64_t kMemoryPieceSize = 1 << 20;

// Bytes of [start, start + size), with the pages that could not be read marked.
// A window that touches such a page is not there, as a direct read of it would
// have failed; bytes read past a region's end count as any others.
class MemoryPiece {
public:
    // start is page-aligned.
    void Read(ProcessMemory& memory, ProcessHandle process, std::uint64_t start, std::uint64_t size);

    std::uint64_t start() const { return start_; }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    // Whether all of [address, address + size) was read.
    bool Readable(std::uint64_t address, std::uint64_t size) const;

private:
    std::uint64_t start_ = 0;
    std::vector<std::uint8_t> bytes_;
    std::vector<std::uint64_t> unreadable_;
};

}  // namespace tarvo::platform
