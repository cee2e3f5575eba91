#include "win32/Win32ProcessMemory.h"

#include "win32/Win32.h"

#include <algorithm>

namespace tarvo::win32 {

ProcessHandle Win32ProcessMemory::Open(ProcessId process, std::uint32_t access) {
    return FromHandle(::OpenProcess(access, FALSE, process));
}

void Win32ProcessMemory::Close(ProcessHandle process) { ::CloseHandle(ToHandle(process)); }

bool Win32ProcessMemory::EnableDebugPrivilege(ProcessHandle process) {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(ToHandle(process), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool adjusted = false;
    if (::LookupPrivilegeValueA(nullptr, "SeDebugPrivilege", &privileges.Privileges[0].Luid)) {
        adjusted = ::AdjustTokenPrivileges(token, FALSE, &privileges, sizeof(privileges), nullptr, nullptr) != 0;
    }
    ::CloseHandle(token);
    return adjusted;
}

bool Win32ProcessMemory::Terminate(ProcessId process, std::uint32_t exitCode) {
    HANDLE handle = ::OpenProcess(PROCESS_TERMINATE, FALSE, process);
    if (handle == nullptr) return false;
    const bool terminated = ::TerminateProcess(handle, exitCode) != 0;
    ::CloseHandle(handle);
    return terminated;
}

std::optional<platform::MemoryRegion> Win32ProcessMemory::QueryRegion(ProcessHandle process,
                                                                      std::uint64_t address) {
    MEMORY_BASIC_INFORMATION info;
    if (::VirtualQueryEx(ToHandle(process), reinterpret_cast<LPCVOID>(address), &info, sizeof(info)) == 0) {
        return std::nullopt;
    }
    return platform::MemoryRegion{reinterpret_cast<std::uint64_t>(info.BaseAddress), info.RegionSize,
                                  info.AllocationProtect, info.State, info.Protect, info.Type};
}

std::optional<std::uint32_t> Win32ProcessMemory::ProtectRegion(ProcessHandle process, std::uint64_t address,
                                                               std::uint64_t size, std::uint32_t protect) {
    DWORD previous = 0;
    if (!::VirtualProtectEx(ToHandle(process), reinterpret_cast<LPVOID>(address), size, protect, &previous)) {
        return std::nullopt;
    }
    return previous;
}

std::size_t Win32ProcessMemory::Read(ProcessHandle process, std::uint64_t address, std::span<std::uint8_t> into) {
    // A read that runs into an unreadable page fails but may still report the
    // bytes it copied before it.
    SIZE_T read = 0;
    ::ReadProcessMemory(ToHandle(process), reinterpret_cast<LPCVOID>(address), into.data(), into.size(), &read);
    return std::min<std::size_t>(read, into.size());
}

}  // namespace tarvo::win32
