// What the server knows of a loaded Fenix A320's own processes.
#pragma once

#include "platform/Types.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace tarvo::adapters::fenix {

// The four values the FCU reader finds in the system process.
enum class FcuField : std::size_t { Speed, Heading, Altitude, VerticalSpeed };
inline constexpr std::size_t kFcuFieldCount = 4;

struct FenixState {
    // The system process (FCU and take-off data) and the display process (FMA).
    std::atomic<ProcessHandle> systemProcess{0};
    std::atomic<ProcessHandle> displayProcess{0};
    // Where each FCU field lies in the system process; 0 while not found.
    std::array<std::atomic<std::uint64_t>, kFcuFieldCount> fcuAddresses{};
};

}  // namespace tarvo::adapters::fenix
