// The aircraft adapter table: the seven operations through which the rest of
// the server acts on whatever aircraft is loaded, and its selection.
#pragma once

#include "platform/Types.h"

#include <cstdint>

namespace tarvo {
struct Server;
}

namespace tarvo::link {

struct ValueQuery;      // the value query block of a single-value request
struct SnapshotRecord;  // the 45-word status record

// Plain function pointers, in this order; every entry is set once the session
// is set up, except SendTakeoffData, which an adapter may leave empty.
struct AircraftAdapter {
    void (*RunCommand)(Server&, std::uint32_t code, std::int32_t value) = nullptr;
    void (*QueryValue)(Server&, ValueQuery& query) = nullptr;
    void (*FillAutopilotState)(Server&, SnapshotRecord& record) = nullptr;
    void (*CountEngineStates)(Server&, SnapshotRecord& record, std::int32_t& running, std::int32_t& starting,
                              std::int32_t& takeoffPower, std::int32_t& reverse) = nullptr;
    void (*ForwardSimEvent)(Server&, std::uint32_t eventId, std::uint32_t data, std::uint32_t unused) = nullptr;
    void (*Unload)(Server&) = nullptr;
    void (*SendTakeoffData)(Server&, WindowId crewWindow, WindowId linkWindow) = nullptr;
};

// Simulator events the crew app wants: the add-on range and the two spoiler events.
bool IsForwardedSimEvent(std::uint32_t eventId);
// The operation every adapter uses: forwards those events to the crew app as 39175.
void ForwardSimEvent(Server& server, std::uint32_t eventId, std::uint32_t data, std::uint32_t unused);

// Fills the table with the generic adapter (the default aircraft and most add-ons).
void InstallGenericAdapter(Server& server);

// Calls the unload operation of the current adapter, if one is installed.
void UnloadAdapter(Server& server);

// Message 39189: installs the adapter for the crew app's aircraft id, or with
// searchFlag 2 looks for the Fenix A320 instead.
void SelectAdapter(Server& server, std::int32_t aircraftId, LParam searchFlag);

}  // namespace tarvo::link
