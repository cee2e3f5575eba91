// The Aerosoft CRJ: every cockpit action a write to one of its local
// variables, a few key events on the main session.
#pragma once

#include "bridge/Discovery.h"
#include "host/Server.h"

#include <cstdint>
#include <span>

namespace tarvo::link {
struct ValueQuery;
struct SnapshotRecord;
}  // namespace tarvo::link

namespace tarvo::adapters::crj {

// Fills the adapter table with the CRJ's operations.
void Install(Server& server);
// Ends the running workers.
void Unload(Server& server);

// Finds the aircraft's local variables (discovery thread).
void Discover(Server& server);
// The names discovery looks for, in the aircraft's order, each with its slot.
std::span<const bridge::WantedVariable> DiscoveryTable();

void RunCommand(Server& server, std::uint32_t code, std::int32_t value);
void QueryValue(Server& server, link::ValueQuery& query);
void FillAutopilotState(Server& server, link::SnapshotRecord& record);
void CountEngineStates(Server& server, link::SnapshotRecord& record, std::int32_t& running, std::int32_t& starting,
                       std::int32_t& takeoffPower, std::int32_t& reverse);

}  // namespace tarvo::adapters::crj
