#include "adapters/generic/GenericAdapter.h"

#include "adapters/Selection.h"
#include "adapters/Slots.h"
#include "adapters/fenix/FenixSearches.h"
#include "adapters/fenix/Takeoff.h"
#include "base/Convert.h"
#include "bridge/Registry.h"
#include "link/Reports.h"

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
    // The Fenix keeps its take-off data in its own memory.
    if (server.adapters.fenixFlag) return fenix::SendTakeoffData(server, crewWindow, linkWindow);
    link::TakeoffDataRecord record;
    // The take-off lvars come with discovery; without a bridge the record stays zero.
    if (bridge::HasBridge(server)) {
        for (const TakeoffValue& value : kTakeoffValues) {
            record.words[value.word] = TruncateToInt32(bridge::GetLvarValue(server, SlotId(server, value.slot)));
        }
    }
    link::SendTakeoffRecord(server, crewWindow, linkWindow, record);
}

}  // namespace tarvo::adapters::generic
