#include "platform/MemoryPiece.h"

#include <algorithm>
#include <span>

namespace tarvo::platform {

void MemoryPiece::Read(ProcessMemory& memory, ProcessHandle process, std::uint64_t start, std::uint64_t size) {
    // Whatever a short read leaves behind lies in pages marked unreadable.
    start_ = start;
    bytes_.resize(static_cast<std::size_t>(size));
    unreadable_.clear();
    if (memory.Read(process, start, bytes_) == bytes_.size()) return;
    // Something in it cannot be read: find out which pages.
    for (std::uint64_t page = start; page < start + size; page += kMemoryPage) {
        const std::size_t length = static_cast<std::size_t>(std::min(kMemoryPage, start + size - page));
        const std::span<std::uint8_t> into(bytes_.data() + (page - start), length);
        if (memory.Read(process, page, into) != length) unreadable_.push_back(page);
    }
}

bool MemoryPiece::Readable(std::uint64_t address, std::uint64_t size) const {
    if (address < start_ || address + size > start_ + bytes_.size()) return false;
    return std::none_of(unreadable_.begin(), unreadable_.end(),
                        [&](std::uint64_t page) { return page < address + size && address < page + kMemoryPage; });
}

}  // namespace tarvo::platform
