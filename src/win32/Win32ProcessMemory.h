#pragma once

#include "platform/ProcessMemory.h"

namespace tarvo::win32 {

class Win32ProcessMemory final : public platform::ProcessMemory {
public:
    ProcessHandle Open(ProcessId process, std::uint32_t access) override;
    void Close(ProcessHandle process) override;
    bool EnableDebugPrivilege(ProcessHandle process) override;
    bool Terminate(ProcessId process, std::uint32_t exitCode) override;
    std::optional<platform::MemoryRegion> QueryRegion(ProcessHandle process, std::uint64_t address) override;
    std::optional<std::uint32_t> ProtectRegion(ProcessHandle process, std::uint64_t address, std::uint64_t size,
                                               std::uint32_t protect) override;
    std::size_t Read(ProcessHandle process, std::uint64_t address, std::span<std::uint8_t> into) override;
};

}  // namespace tarvo::win32
