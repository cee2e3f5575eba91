// What the Aerosoft CRJ adapter keeps between commands.
#pragma once

#include "adapters/WorkerLifetime.h"

#include <atomic>

namespace tarvo::adapters::crj {

struct CrjState {
    // One transponder worker at a time.
    std::atomic<bool> transponderBusy{false};
    // The flight director as the adapter last switched it.
    bool flightDirectorOn = false;
    WorkerLifetime workers;
};

}  // namespace tarvo::adapters::crj
