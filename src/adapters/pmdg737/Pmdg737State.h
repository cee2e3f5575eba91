// What the PMDG 737 adapter keeps between calls.
#pragma once

#include "adapters/pmdg/SdkState.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace tarvo::adapters::pmdg737 {

inline constexpr std::size_t kDataBlockBytes = 912;
inline constexpr std::size_t kNotifiedFieldCount = 8;

struct Pmdg737State {
    pmdg::SdkLink link{kDataBlockBytes};

    // The fields the crew app is told about when they change, as last seen.
    // The take-off record reads them too. Main thread only.
    std::array<std::uint32_t, kNotifiedFieldCount> notified{};

    // Which button holds a spring-loaded switch down, so a later command
    // releases the same one: event #69649's, and the one the four switches
    // #69659 to #69662 share. Main thread only.
    std::int32_t heldSwitch69649 = 0;
    std::int32_t heldSwitches69659 = 0;

    // One CDU key sequence at a time: a sequence holds it for its whole run.
    // It lives as long as the server, so no worker ever waits on a lock that
    // an unload has deleted.
    std::mutex cduSequence;
};

}  // namespace tarvo::adapters::pmdg737
