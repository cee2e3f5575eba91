#include "adapters/generic/GenericAdapter.h"

#include "adapters/Selection.h"
#include "adapters/fenix/FenixSearches.h"
#include "adapters/fenix/Takeoff.h"
#include "link/Reports.h"

namespace tarvo::adapters::generic {
namespace {

constexpr std::uint32_t kFenixSearchStopMilliseconds = 1500;

}  // namespace

void InstallGenericAdapter(Server& server) {
    server.adapters.table = {RunCommand,      QueryValue, FillAutopilotState, CountEngineStates,
                             ForwardSimEvent, Unload,     SendTakeoffData};
}

void Unload(Server& server) {
    // The searches notice their stop request within this pause.
    if (fenix::RequestTakeoffSearchStop(server)) server.ports.clock.Sleep(kFenixSearchStopMilliseconds);
    if (fenix::RequestFmaSearchStop(server)) server.ports.clock.Sleep(kFenixSearchStopMilliseconds);
    fenix::CloseDisplayProcess(server);
    fenix::CloseSystemProcess(server);
}

void SendTakeoffData(Server& server, WindowId crewWindow, WindowId linkWindow) {
    // The Fenix keeps its take-off data in its own memory.
    if (server.adapters.fenixFlag) return fenix::SendTakeoffData(server, crewWindow, linkWindow);
    link::TakeoffDataRecord record;
    // The take-off lvars come with discovery; without a bridge the record stays zero.
    link::SendTakeoffRecord(server, crewWindow, linkWindow, record);
}

}  // namespace tarvo::adapters::generic
