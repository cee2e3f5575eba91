// Other processes: opening, terminating, and reading their memory.
#pragma once

#include "platform/Types.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace tarvo::platform {

inline constexpr std::uint32_t kProcessTerminate = 0x0001;
inline constexpr std::uint32_t kProcessAllAccess = 0x1FFFFF;

// VirtualQueryEx values.
inline constexpr std::uint32_t kMemCommit = 0x1000;
inline constexpr std::uint32_t kMemPrivate = 0x20000;
inline constexpr std::uint32_t kPageNoAccess = 0x01;
inline constexpr std::uint32_t kPageReadWrite = 0x04;
inline constexpr std::uint32_t kPageExecute = 0x10;
inline constexpr std::uint32_t kPageGuard = 0x100;

struct MemoryRegion {
    std::uint64_t base = 0;
    std::uint64_t size = 0;
    std::uint32_t allocationProtect = 0;
    std::uint32_t state = 0;
    std::uint32_t protect = 0;
    std::uint32_t type = 0;
};

class ProcessMemory {
public:
    virtual ~ProcessMemory() = default;

    // 0 when the process cannot be opened.
    virtual ProcessHandle Open(ProcessId process, std::uint32_t access) = 0;
    virtual void Close(ProcessHandle process) = 0;
    // Enables SeDebugPrivilege in the token of the given process; false if refused.
    virtual bool EnableDebugPrivilege(ProcessHandle process) = 0;
    // Opens the process for termination, terminates it and closes the handle.
    virtual bool Terminate(ProcessId process, std::uint32_t exitCode) = 0;

    // The region containing address; nullopt when the query fails (end of the space).
    virtual std::optional<MemoryRegion> QueryRegion(ProcessHandle process, std::uint64_t address) = 0;
    // Returns the previous protection, nullopt on failure.
    virtual std::optional<std::uint32_t> ProtectRegion(ProcessHandle process, std::uint64_t address,
                                                       std::uint64_t size, std::uint32_t protect) = 0;
    // Bytes actually read; 0 when nothing could be read.
    virtual std::size_t Read(ProcessHandle process, std::uint64_t address,
                             std::span<std::uint8_t> into) = 0;
};

}  // namespace tarvo::platform
