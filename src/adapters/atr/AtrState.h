// What the Asobo ATR adapter keeps between commands.
#pragma once

#include "adapters/WorkerLifetime.h"

#include <atomic>

namespace tarvo::adapters::atr {

struct AtrState {
    // One keypad worker at a time: the radio management panel has one keypad.
    std::atomic<bool> keypadBusy{false};
    // One display procedure worker at a time.
    std::atomic<bool> procedureBusy{false};
    WorkerLifetime workers;
};

}  // namespace tarvo::adapters::atr
