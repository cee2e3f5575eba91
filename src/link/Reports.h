// The records the crew app polls for: the snapshot, a single value by code.
#pragma once

#include "platform/Types.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvo {
struct Server;
}

namespace tarvo::link {

// The 45-word status record sent as WM_COPYDATA kind 611. One buffer is reused
// for every report, so a word nobody writes keeps its previous value.
struct SnapshotRecord {
    std::array<std::int32_t, 45> words{};
};
static_assert(sizeof(SnapshotRecord) == 180);

// The block an adapter's QueryValue fills for a single value asked by code.
struct ValueQuery {
    std::uint32_t code = 0;
    std::uint32_t reserved[2] = {};
    std::uint32_t tag = 0;
    // A double, or a signed 32-bit integer in the first four bytes.
    std::array<std::uint8_t, 8> value{};
    std::array<std::uint8_t, 8> unused{};
};

// Query 6: builds the snapshot record and sends it to the crew app; the result
// of the send (0 when it failed or timed out).
MessageResult SendSnapshot(Server& server);

// Query 14: a value by simulation-variable name; an unknown name leaves both
// answers as they are.
void LookUpNamedVariable(Server& server, std::string_view name, std::int32_t& integer, std::string& text);

}  // namespace tarvo::link
