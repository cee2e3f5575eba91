// The generic adapter: the default aircraft, and the add-ons recognised by
// their ids and discovery flags (Fenix A320, FlyByWire A32NX, Asobo 747 and
// 787, Working Title CJ4, DC-6 and others without an adapter of their own).
#pragma once

#include "host/Server.h"

#include <cstdint>

namespace tarvo::link {
struct ValueQuery;
struct SnapshotRecord;
}  // namespace tarvo::link

namespace tarvo::adapters::generic {

// Fills the table with the generic operations.
void InstallGenericAdapter(Server& server);

// The crew app's command set (Commands.cpp).
void RunCommand(Server& server, std::uint32_t code, std::int32_t value);

// A single value by query code (Queries.cpp).
void QueryValue(Server& server, link::ValueQuery& query);
// Panel and autopilot state for the snapshot record (State.cpp).
void FillAutopilotState(Server& server, link::SnapshotRecord& record);
void CountEngineStates(Server& server, link::SnapshotRecord& record, std::int32_t& running, std::int32_t& starting,
                       std::int32_t& takeoffPower, std::int32_t& reverse);

// Ends the Fenix searches and closes its processes; other adapters reuse it.
void Unload(Server& server);
// The take-off data record; other adapters reuse it.
void SendTakeoffData(Server& server, WindowId crewWindow, WindowId linkWindow);

}  // namespace tarvo::adapters::generic
