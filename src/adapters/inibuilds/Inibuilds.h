// The Inibuilds A310 and A300: one adapter for two airliners whose cockpits
// are reached only through local variables, each under its own names. Which
// of the two is loaded, discovery finds out; commands sent as calculator code
// name that aircraft's variables.
#pragma once

#include "bridge/Discovery.h"
#include "host/Server.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace tarvo::link {
struct ValueQuery;
struct SnapshotRecord;
}  // namespace tarvo::link

namespace tarvo::adapters::inibuilds {

// Fills the table with this adapter's operations.
void InstallInibuildsAdapter(Server& server);

// Finds the aircraft's local variables (discovery thread).
void Discover(Server& server);
// Both aircraft's names with their slots, and the counting matches a complete
// discovery of the A310 (or the A300) needs.
std::span<const bridge::WantedVariable> WantedVariables();
std::size_t RequiredMatches(bool a310);

// The crew app's commands (InibuildsCommands.cpp); nothing without a bridge.
void RunCommand(Server& server, std::uint32_t code, std::int32_t value);
// Every code RunCommand acts on besides the CDU keys, in ascending order.
std::span<const std::uint32_t> CommandCodes();
// A single value by query code; nothing without a bridge (InibuildsQueries.cpp).
void QueryValue(Server& server, link::ValueQuery& query);
// Autopilot words, targets and lamps of the snapshot (InibuildsAdapter.cpp).
void FillAutopilotState(Server& server, link::SnapshotRecord& record);
// V1, VR, V2, transition altitude and flex temperature; nothing without a bridge.
void SendTakeoffData(Server& server, WindowId crewWindow, WindowId linkWindow);
// Stops the fire tests and transponder dials still running and forgets which
// aircraft it was.
void Unload(Server& server);

}  // namespace tarvo::adapters::inibuilds
