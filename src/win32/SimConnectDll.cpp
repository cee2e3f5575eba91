#include "win32/SimConnectDll.h"

#include "win32/Win32.h"

#include <string>

namespace tarvo::win32 {
namespace {

constexpr const char* kDllName = "SimConnect.dll";

void* LookUpExport(void* library, const char* exportName) {
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), exportName));
}

// The folder of the running exe, with its trailing backslash; empty if unknown.
std::string ExeFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

}  // namespace

SimConnectDll::~SimConnectDll() {
    if (library_ != nullptr) ::FreeLibrary(static_cast<HMODULE>(library_));
}

bool SimConnectDll::EnsureLoaded() {
    if (tried_) return usable_;
    tried_ = true;

    const std::string besideExe = ExeFolder() + kDllName;
    HMODULE library = ::LoadLibraryA(besideExe.c_str());
    if (library == nullptr) library = ::LoadLibraryA(kDllName);
    if (library == nullptr) {
        log_("SimConnect.dll could not be loaded");
        return false;
    }
    library_ = library;

    const auto missing = platform::BindSimConnectExports(exports_, library_, LookUpExport);
    for (std::string_view name : missing) log_(std::string("SimConnect.dll has no export ") + std::string(name));
    usable_ = missing.empty();
    return usable_;
}

SIMCONNECT_HRESULT SimConnectDll::Open(SIMCONNECT_HANDLE* handle, const char* name, WindowId window,
                                       std::uint32_t userMessage, EventId event, std::uint32_t configIndex) {
    *handle = nullptr;
    if (!EnsureLoaded()) return SIMCONNECT_E_FAIL;
    return exports_.Open(handle, name, ToHwnd(window), userMessage, ToHandle(event), configIndex);
}

// Every other call works on what only a successful Open gives (a handle, or a
// record it handed over), so the table is bound whenever they run; the checks
// only keep a misuse from crashing. They all just pass their arguments on.
#define TARVO_SIMCONNECT_FORWARD(name, where, params, args) \
    SIMCONNECT_HRESULT SimConnectDll::name params { return usable_ ? exports_.name args : SIMCONNECT_E_FAIL; }
TARVO_SIMCONNECT_SESSION_CALLS(TARVO_SIMCONNECT_FORWARD)
#undef TARVO_SIMCONNECT_FORWARD

}  // namespace tarvo::win32
