#include "fakes/FakeProcessMemory.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tarvo::fakes {

ProcessHandle FakeProcessMemory::Open(ProcessId process, std::uint32_t access) {
    journal_.Add("ProcessMemory.Open " + std::to_string(process) + " " + std::to_string(access));
    return openable.contains(process) ? HandleOf(process) : 0;
}

void FakeProcessMemory::Close(ProcessHandle process) {
    journal_.Add("ProcessMemory.Close");
    closed.push_back(process);
}

const std::vector<FakeProcessMemory::Region>& FakeProcessMemory::RegionsFor(ProcessHandle process) const {
    if (process > HandleOf(0)) {
        const auto found = perProcess_.find(static_cast<ProcessId>(process - HandleOf(0)));
        if (found != perProcess_.end()) return found->second;
    }
    return regions;
}

bool FakeProcessMemory::EnableDebugPrivilege(ProcessHandle) {
    journal_.Add("ProcessMemory.EnableDebugPrivilege");
    return true;
}

bool FakeProcessMemory::Terminate(ProcessId process, std::uint32_t exitCode) {
    journal_.Add("ProcessMemory.Terminate " + std::to_string(process) + " " + std::to_string(exitCode));
    if (process == 0) return false;
    terminated.push_back(process);
    return true;
}

std::optional<platform::MemoryRegion> FakeProcessMemory::QueryRegion(ProcessHandle process, std::uint64_t address) {
    for (const Region& region : RegionsFor(process)) {
        if (address >= region.info.base && address < region.info.base + region.info.size) return region.info;
        // Between regions the space is free, as the system reports it.
        if (address < region.info.base) {
            constexpr std::uint32_t kMemFree = 0x10000;
            return platform::MemoryRegion{address, region.info.base - address, 0, kMemFree, platform::kPageNoAccess, 0};
        }
    }
    return std::nullopt;  // past the last region: the end of the space
}

std::optional<std::uint32_t> FakeProcessMemory::ProtectRegion(ProcessHandle, std::uint64_t address, std::uint64_t,
                                                              std::uint32_t protect) {
    for (Region& region : regions) {
        if (address == region.info.base) return std::exchange(region.info.protect, protect);
    }
    return std::nullopt;
}

std::size_t FakeProcessMemory::Read(ProcessHandle process, std::uint64_t address, std::span<std::uint8_t> into) {
    ++reads;
    // A read goes on into the next region where that one begins, as far as
    // there are bytes, as the system's own read does.
    std::size_t copied = 0;
    for (const Region& region : RegionsFor(process)) {
        const std::uint64_t at = address + copied;
        if (copied == into.size()) break;
        if (at < region.info.base || at >= region.info.base + region.bytes.size()) continue;
        const std::size_t offset = static_cast<std::size_t>(at - region.info.base);
        const std::size_t count = std::min(into.size() - copied, region.bytes.size() - offset);
        std::memcpy(into.data() + copied, region.bytes.data() + offset, count);
        copied += count;
        if (region.bytes.size() < region.info.size) break;  // the rest of the region cannot be read
    }
    return copied;
}

}  // namespace tarvo::fakes
