// The aircraft adapter table: the seven operations through which the rest of
// the server acts on whatever aircraft is loaded.
#pragma once

#include "platform/Types.h"

#include <cstdint>

namespace tarvo {
struct Server;
}

namespace tarvo::link {
struct ValueQuery;      // the value query block of a single-value request
struct SnapshotRecord;  // the 45-word status record
}  // namespace tarvo::link

namespace tarvo::adapters {

// Plain function pointers, in this order; every entry is set once the session
// is set up, except SendTakeoffData, which an adapter may leave empty.
struct AircraftAdapter {
    void (*RunCommand)(Server&, std::uint32_t code, std::int32_t value) = nullptr;
    void (*QueryValue)(Server&, link::ValueQuery& query) = nullptr;
    void (*FillAutopilotState)(Server&, link::SnapshotRecord& record) = nullptr;
    void (*CountEngineStates)(Server&, link::SnapshotRecord& record, std::int32_t& running, std::int32_t& starting,
                              std::int32_t& takeoffPower, std::int32_t& reverse) = nullptr;
    void (*ForwardSimEvent)(Server&, std::uint32_t eventId, std::uint32_t data, std::uint32_t unused) = nullptr;
    void (*Unload)(Server&) = nullptr;
    void (*SendTakeoffData)(Server&, WindowId crewWindow, WindowId linkWindow) = nullptr;
};

}  // namespace tarvo::adapters
