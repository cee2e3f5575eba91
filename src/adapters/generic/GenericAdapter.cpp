#include "adapters/generic/GenericAdapter.h"

#include "adapters/Selection.h"
#include "adapters/Slots.h"
#include "adapters/fenix/FenixSearches.h"
#include "base/Convert.h"
#include "bridge/Registry.h"
#include "link/Reports.h"
#include "sim/SessionState.h"

namespace tarvo::adapters::generic {
namespace {

constexpr std::uint32_t kFenixSearchStopMilliseconds = 1500;

// The take-off variables and the words of the record they fill.
struct TakeoffValue {
    Slot slot;
    std::size_t word;
};
constexpr TakeoffValue kTakeoffValues[] = {
    {Slot::TakeoffV1SpeedValue, 0},     {Slot::TakeoffVrSpeedValue, 1},          {Slot::TakeoffV2SpeedValue, 2},
    {Slot::TransitionAltitudeValue, 4}, {Slot::TakeoffFlexTemperatureValue, 12},
};

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
    link::TakeoffDataRecord record;
    if (server.adapters.fenixFlag) {
        // The Fenix keeps its take-off data in its own memory: on the ground with
        // an engine running, start looking for it; it is sent once found.
        if (server.link.snapshot.words[link::kWordOnGround] == 0) return;
        const sim::Record& engines = server.session.records[sim::kEngineRecord];
        const bool burning = engines.Int32(0) != 0 || engines.Int32(1) != 0;
        if (burning && !fenix::IsTakeoffSearchRunning(server)) {
            server.log.Write("Looking for data 1");
            fenix::StartTakeoffSearch(server);
        }
        return;
    }
    // The take-off lvars come with discovery; without a bridge the record stays zero.
    if (bridge::HasBridge(server)) {
        for (const TakeoffValue& value : kTakeoffValues) {
            record.words[value.word] = TruncateToInt32(bridge::GetLvarValue(server, SlotId(server, value.slot)));
        }
    }
    link::SendTakeoffRecord(server, crewWindow, linkWindow, record);
}

}  // namespace tarvo::adapters::generic
