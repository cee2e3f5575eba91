// Other processes as the test lays them out: which can be opened, which were
// terminated, and memory regions with their bytes.
#pragma once

#include "fakes/Journal.h"
#include "platform/ProcessMemory.h"

#include <map>
#include <set>
#include <vector>

namespace tarvo::fakes {

class FakeProcessMemory final : public platform::ProcessMemory {
public:
    explicit FakeProcessMemory(Journal& journal) : journal_(journal) {}

    ProcessHandle Open(ProcessId process, std::uint32_t access) override;
    void Close(ProcessHandle process) override;
    bool EnableDebugPrivilege(ProcessHandle process) override;
    bool Terminate(ProcessId process, std::uint32_t exitCode) override;
    std::optional<platform::MemoryRegion> QueryRegion(ProcessHandle process, std::uint64_t address) override;
    std::optional<std::uint32_t> ProtectRegion(ProcessHandle process, std::uint64_t address, std::uint64_t size,
                                               std::uint32_t protect) override;
    std::size_t Read(ProcessHandle process, std::uint64_t address, std::span<std::uint8_t> into) override;

    // Scenario controls.
    std::set<ProcessId> openable;  // processes that Open succeeds on
    std::vector<ProcessId> terminated;
    struct Region {
        platform::MemoryRegion info;
        std::vector<std::uint8_t> bytes;  // empty: unreadable
    };
    std::vector<Region> regions;  // sorted by base, in one process

private:
    Journal& journal_;
};

}  // namespace tarvo::fakes
