// What the server keeps of a PMDG aircraft's SDK link: a SimConnect connection
// of its own, the last data and control records the aircraft published, and
// the ticket of the knob worker that may run. The 737 and the 777 each have one.
#pragma once

#include "platform/SimConnectAbi.h"
#include "platform/Types.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace tarvo::adapters::pmdg {

inline constexpr std::size_t kControlRecordBytes = 8;

struct SdkLink {
    explicit SdkLink(std::size_t dataBytes) : block(dataBytes, 0) {}

    // Transmissions, the pump and the close each take this lock, so a worker
    // never transmits on a connection that is being closed.
    std::mutex connection;
    SIMCONNECT_HANDLE handle = nullptr;
    // Set as unloading begins: from then on nothing is sent.
    bool closing = false;
    // Counts the set-ups that made the link usable. A worker sends only while
    // the session it started in is the current one, so a worker that outlives
    // an unload never reaches the next connection.
    std::uint64_t session = 0;

    // The last data record (zero until the first arrives) and control record.
    // Workers read the block while the main thread stores records.
    mutable std::mutex records;
    std::vector<std::uint8_t> block;
    std::array<std::uint8_t, kControlRecordBytes> control{};

    // The knob worker that may run: its ticket, or 0 when none may (the
    // knob-busy flag is clear). A worker whose ticket was replaced stops for
    // good and leaves the newer ticket alone.
    std::atomic<std::uint64_t> knobTicket{0};
    std::atomic<std::uint64_t> lastKnobTicket{0};

    // Looked up at set-up; 0 when unknown.
    WindowId simulatorWindow = 0;
    WindowId crewWindow = 0;
};

}  // namespace tarvo::adapters::pmdg
