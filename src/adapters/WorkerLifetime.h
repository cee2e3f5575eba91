// The workers of an adapter end when it is unloaded: each keeps the generation
// it started in and stops, writing nothing more, once that has changed. Data
// only, so adapter state structs can hold it.
#pragma once

#include <atomic>
#include <cstdint>

namespace tarvo::adapters {

struct WorkerLifetime {
    std::atomic<std::uint32_t> generation{0};
};

}  // namespace tarvo::adapters
