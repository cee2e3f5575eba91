// State shared by the aircraft adapters.
#pragma once

#include <atomic>
#include <cstdint>

namespace tarvo::adapters {

struct AdapterState {
    // The FlyByWire A32NX's variables were found by its discovery.
    std::atomic<std::int32_t> a320LvarsFound{0};
};

}  // namespace tarvo::adapters
