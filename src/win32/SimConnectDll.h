// The SimConnect port over the simulator SDK's SimConnect.dll, loaded at run
// time: beside the exe first, then on the normal DLL search path. Nothing
// imports it at load time, so the program starts without it.
#pragma once

#include "platform/SimConnect.h"

#include <functional>
#include <string_view>

namespace tarvo::win32 {

class SimConnectDll final : public platform::SimConnect {
public:
    using LogLine = std::function<void(std::string_view)>;

    // log receives one line for a missing DLL or export.
    explicit SimConnectDll(LogLine log) : log_(std::move(log)) {}
    ~SimConnectDll() override;

    TARVO_SIMCONNECT_OVERRIDES

private:
    // Loads and binds on first use; false when the DLL or an export is missing.
    bool EnsureLoaded();

    LogLine log_;
    void* library_ = nullptr;
    bool tried_ = false;
    bool usable_ = false;
    SimConnectExports exports_;
};

}  // namespace tarvo::win32
