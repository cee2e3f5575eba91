// State of the local-variable bridge and of discovery.
#pragma once

#include <atomic>
#include <memory>

namespace tarvo::bridge {

class WasmBridge;

struct BridgeState {
    // The one bridge of the process, made on first use and kept for the run.
    std::shared_ptr<WasmBridge> instance;
    // The bridge while it is in service; null otherwise.
    std::atomic<WasmBridge*> current{nullptr};
    // The module has delivered at least the names the current aircraft needs.
    std::atomic<bool> lvarsReceived{false};
    // Values are taken from the module only once discovery has finished.
    std::atomic<bool> valueDelivery{false};
};

}  // namespace tarvo::bridge
