// Other processes as the test lays them out: which can be opened, which were
// terminated, and memory regions with their bytes, for one process or per
// process.
#pragma once

#include "fakes/Journal.h"
#include "platform/ProcessMemory.h"

#include <atomic>
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
    // Sorted by base, in one process; the space between them is free.
    std::vector<Region> regions;
    // The regions of the process an opened handle stands for, where the test
    // gave that process regions of its own (handles of others see regions).
    std::vector<Region>& RegionsOf(ProcessId process) { return perProcess_[process]; }
    // The handle Open gives for the process.
    static ProcessHandle HandleOf(ProcessId process) { return 0x7000 + process; }
    // Read calls so far, and the handles closed.
    std::atomic<std::size_t> reads{0};
    std::vector<ProcessHandle> closed;

private:
    const std::vector<Region>& RegionsFor(ProcessHandle process) const;

    Journal& journal_;
    std::map<ProcessId, std::vector<Region>> perProcess_;
};

}  // namespace tarvo::fakes
