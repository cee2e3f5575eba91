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

// The fields of the take-off data block in the system process. The further
// field is kept but never read.
enum class TakeoffField : std::size_t { V1, Vr, V2, TransitionAltitude, Setting, FlexTemperature, Further };
inline constexpr std::size_t kTakeoffFieldCount = 7;

// One memory search: at most one runs; it ends when asked to.
struct SearchFlags {
    std::atomic<bool> running{false};
    std::atomic<bool> stop{false};
};

struct FenixState {
    // The system process (FCU and take-off data) and the display process (FMA).
    std::atomic<ProcessHandle> systemProcess{0};
    std::atomic<ProcessHandle> displayProcess{0};
    // The system process handle the FCU reader was set up for; its addresses
    // belong to that process.
    std::atomic<ProcessHandle> fcuSetUpFor{0};
    // Where each FCU field lies in the system process; 0 while not found.
    std::array<std::atomic<std::uint64_t>, kFcuFieldCount> fcuAddresses{};
    // Where each take-off field lies in the system process; 0 while not found.
    // VR is stored last: once it is known the others are too.
    std::array<std::atomic<std::uint64_t>, kTakeoffFieldCount> takeoffAddresses{};
    // The start of the flight-mode annunciations in the display process; 0 while not found.
    std::atomic<std::uint64_t> fmaAddress{0};

    SearchFlags takeoffSearch;
    SearchFlags fmaSearch;
};

}  // namespace tarvo::adapters::fenix
