#include "fakes/FakeProcessMemory.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tarvo::fakes {

ProcessHandle FakeProcessMemory::Open(ProcessId process, std::uint32_t access) {
    journal_.Add("ProcessMemory.Open " + std::to_string(process) + " " + std::to_string(access));
    return openable.contains(process) ? 0x7000 + process : 0;
}

void FakeProcessMemory::Close(ProcessHandle) { journal_.Add("ProcessMemory.Close"); }

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

std::optional<platform::MemoryRegion> FakeProcessMemory::QueryRegion(ProcessHandle, std::uint64_t address) {
    for (const Region& region : regions) {
        if (address >= region.info.base && address < region.info.base + region.info.size) return region.info;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> FakeProcessMemory::ProtectRegion(ProcessHandle, std::uint64_t address, std::uint64_t,
                                                              std::uint32_t protect) {
    for (Region& region : regions) {
        if (address == region.info.base) return std::exchange(region.info.protect, protect);
    }
    return std::nullopt;
}

std::size_t FakeProcessMemory::Read(ProcessHandle, std::uint64_t address, std::span<std::uint8_t> into) {
    for (const Region& region : regions) {
        if (address < region.info.base || address >= region.info.base + region.bytes.size()) continue;
        const std::size_t offset = static_cast<std::size_t>(address - region.info.base);
        const std::size_t count = std::min(into.size(), region.bytes.size() - offset);
        std::memcpy(into.data(), region.bytes.data() + offset, count);
        return count;
    }
    return 0;
}

}  // namespace tarvo::fakes
