// State of the local-variable bridge and of discovery.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace tarvo::bridge {

class WasmBridge;

// The id of a variable the aircraft does not have, or that is not found yet.
inline constexpr std::uint16_t kNotFound = 65000;

// One cell per cockpit function, holding the id of the variable (lvar or
// hvar) the current aircraft uses for it. Every adapter's discovery writes its
// own names into the same cells, so the generic code can read them without
// knowing the aircraft. Cells are read and written whole, without a lock.
class VariableSlots {
public:
    // Room for every aircraft's cockpit functions; the slot catalogue checks
    // that its slots fit.
    static constexpr std::size_t kCount = 2048;

    VariableSlots() { ResetAll(); }

    // An index past the table reads as not found and is not written.
    std::uint16_t Get(std::size_t slot) const { return slot < kCount ? cells_[slot].load() : kNotFound; }
    void Set(std::size_t slot, std::uint16_t id) {
        if (slot < kCount) cells_[slot] = id;
    }
    void ResetAll() {
        for (auto& cell : cells_) cell = kNotFound;
    }

private:
    std::array<std::atomic<std::uint16_t>, kCount> cells_;
};

struct BridgeState {
    // The one bridge of the process, made on first use and kept for the run.
    std::shared_ptr<WasmBridge> instance;
    // The bridge while it is in service; null otherwise.
    std::atomic<WasmBridge*> current{nullptr};
    // The module has delivered at least the names the current aircraft needs.
    std::atomic<bool> lvarsReceived{false};
    // How many lvar names that is; the aircraft selection sets it.
    std::atomic<std::size_t> lvarNamesWanted{10};
    // Values are taken from the module only once discovery has finished.
    std::atomic<bool> valueDelivery{false};

    VariableSlots slots;
    // Restarts of a silent module; a budget for the whole run, never reset.
    std::atomic<std::int32_t> retryCount{0};
    // Shutdown has destroyed the bridge: it is not started again, and a worker
    // started in a race with it ends.
    std::atomic<bool> closed{false};
};

}  // namespace tarvo::bridge
