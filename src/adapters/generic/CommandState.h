// What the generic command set keeps between commands.
#pragma once

#include <atomic>
#include <mutex>

namespace tarvo::adapters::generic {

struct CommandState {
    // A ground-services discovery started by the crew app runs.
    std::atomic<bool> groundServicesRunning{false};
    // Transponder codes typed into the Fenix's keypad follow each other: two
    // entries at once would mix their keys.
    std::mutex transponderEntry;
};

}  // namespace tarvo::adapters::generic
