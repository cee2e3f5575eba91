// The PMDG 777: its own SDK link (data and control areas, "#N" events as mouse
// clicks), most of its cockpit state in local variables through the bridge,
// its own seven operations.
#pragma once

#include "host/Server.h"

#include <cstdint>
#include <span>

namespace tarvo::link {
struct ValueQuery;
struct SnapshotRecord;
}  // namespace tarvo::link

namespace tarvo::adapters::pmdg777 {

inline constexpr std::int32_t kAircraftId = 34;

// Connects the SDK link and makes the click event: 1 when ready or already
// connected, 0 when an options file was just changed or no session opened.
int SetUp(Server& server);
// The catalogue's install: the set-up, then the table, whatever the set-up gave.
void Install(Server& server);

void RunCommand(Server& server, std::uint32_t code, std::int32_t value);
void QueryValue(Server& server, link::ValueQuery& query);
// Fills the panel words, then pumps the link once: that is how its data keeps coming.
void FillAutopilotState(Server& server, link::SnapshotRecord& record);
void CountEngineStates(Server& server, link::SnapshotRecord& record, std::int32_t& running, std::int32_t& starting,
                       std::int32_t& takeoffPower, std::int32_t& reverse);
void Unload(Server& server);
void SendTakeoffData(Server& server, WindowId crewWindow, WindowId linkWindow);

// One CallDispatch on the link; a data record updates the remembered fields.
void PumpLink(Server& server);

// Every event a command or worker can send, once each, ascending: the events
// the set-up maps.
std::span<const std::uint32_t> EventsSent();

// Finds the aircraft's local variables (discovery thread).
void Discover(Server& server);

}  // namespace tarvo::adapters::pmdg777
