// The Maddog: no SDK area; its cockpit is read through the aircraft's local
// variables and operated with mouse events written into its panel event
// variables, always through the WASM bridge.
#pragma once

#include "host/Server.h"

#include <cstdint>

namespace tarvo::link {
struct ValueQuery;
struct SnapshotRecord;
}  // namespace tarvo::link

namespace tarvo::adapters::maddog {

// Finds the aircraft's local variables (discovery thread).
void Discover(Server& server);

// Fills the table with the Maddog's operations.
void InstallMaddogAdapter(Server& server);

// The adapter's operations; each does nothing without a bridge in service.
void RunCommand(Server& server, std::uint32_t code, std::int32_t value);
void QueryValue(Server& server, link::ValueQuery& query);
void FillAutopilotState(Server& server, link::SnapshotRecord& record);
void CountEngineStates(Server& server, link::SnapshotRecord& record, std::int32_t& running, std::int32_t& starting,
                       std::int32_t& takeoffPower, std::int32_t& reverse);
// Stops the workers' writes, forgets the flap requests and steps.
void Unload(Server& server);
// A take-off data record of zeros: the aircraft offers none.
void SendTakeoffData(Server& server, WindowId crewWindow, WindowId linkWindow);

}  // namespace tarvo::adapters::maddog
