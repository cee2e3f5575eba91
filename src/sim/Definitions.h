// The data definitions of the main session: what the server reads from and
// writes to the simulator. Definition ids double as request ids.
#pragma once

#include "platform/SimConnectAbi.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace tarvo::sim {

struct Datum {
    std::string_view name;
    std::string_view unit;  // empty: passed as no unit
    std::uint32_t type;     // SIMCONNECT_DATATYPE
};

struct Definition {
    std::uint32_t id;
    std::span<const Datum> datums;
};

// Definitions 0 to 21, by id.
std::span<const Definition> Definitions();

}  // namespace tarvo::sim
