// What the PMDG 777 adapter keeps between calls.
#pragma once

#include "adapters/pmdg/SdkState.h"
#include "platform/Threads.h"
#include "platform/Types.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

namespace tarvo::adapters::pmdg777 {

inline constexpr std::size_t kDataBlockBytes = 728;

// The event the CDU hold worker times its wait on. It is closed when the last
// holder lets go, so an unload never closes it under a waiting worker (a closed
// handle's value may already belong to another object).
struct ClickEvent {
    ClickEvent(platform::Threads& threads, EventId id) : threads(threads), id(id) {}
    ~ClickEvent() { threads.CloseEvent(id); }
    ClickEvent(const ClickEvent&) = delete;
    ClickEvent& operator=(const ClickEvent&) = delete;

    platform::Threads& threads;
    const EventId id;
};

// Copies of data-block fields taken from each record: the crew app is told
// when byte 493 changes; the take-off record reads them all. Main thread only.
struct RememberedFields {
    std::uint8_t byte489 = 0;
    std::uint8_t byte493 = 0;
    std::uint8_t byte494 = 0;
    std::uint8_t byte495 = 0;
    std::uint8_t byte496 = 0;
    std::uint8_t byte498 = 0;
    std::uint16_t word504 = 0;
};

struct Pmdg777State {
    pmdg::SdkLink link{kDataBlockBytes};
    RememberedFields remembered;

    // Null when none could be made. Workers take their own reference.
    std::mutex clickEventMutex;
    std::shared_ptr<const ClickEvent> clickEvent;
};

}  // namespace tarvo::adapters::pmdg777
