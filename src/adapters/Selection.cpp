#include "adapters/Selection.h"

#include "adapters/AircraftCatalogue.h"
#include "adapters/DiscoveryThread.h"
#include "adapters/fenix/FenixSearches.h"
#include "bridge/Discovery.h"
#include "link/Messages.h"

namespace tarvo::adapters {
namespace {

constexpr std::uint32_t kFirstAddOnEvent = 0x11000;  // 69632
constexpr std::uint32_t kEndOfAddOnEvents = 89951;   // not included
constexpr std::uint32_t kSpoilersArmToggle = 242;
constexpr std::uint32_t kSpoilersSet = 243;
constexpr LParam kSearchForFenix = 2;
constexpr std::uint32_t kFenixSearchMilliseconds = 2000;
constexpr std::uint32_t kBridgeStopMilliseconds = 3000;

void SearchForFenix(Server& server) {
    fenix::FindFenixByEnumeration(server);
    server.ports.clock.Sleep(kFenixSearchMilliseconds);
    if (server.adapters.fenixWindow != 0) {
        server.log.Write("Detected Fenix window");
    } else {
        fenix::FindFenixByKnownVersions(server);
    }
    server.adapters.fenixFlag = server.adapters.fenixWindow != 0;
}

void Install(Server& server, const AircraftEntry& aircraft) {
    if (!aircraft.installingLine.empty()) server.log.Write(std::string(aircraft.installingLine));
    aircraft.install(server);
    if (!aircraft.installedLine.empty()) server.log.Write(std::string(aircraft.installedLine));
}

}  // namespace

bool IsForwardedSimEvent(std::uint32_t eventId) {
    return (eventId >= kFirstAddOnEvent && eventId < kEndOfAddOnEvents) || eventId == kSpoilersArmToggle ||
           eventId == kSpoilersSet;
}

void ForwardSimEvent(Server& server, std::uint32_t eventId, std::uint32_t data, std::uint32_t) {
    if (!IsForwardedSimEvent(eventId)) return;
    server.ports.desktop.Post(server.host.crewWindow, link::kMsgSimEvent, eventId, static_cast<LParam>(data));
}

void UnloadAdapter(Server& server) {
    if (server.adapters.table.Unload != nullptr) server.adapters.table.Unload(server);
}

void ForgetDiscoveries(Server& server) {
    bridge::ResetLvarSlots(server);
    // Left set, they would let the next aircraft pass for a 747 or a CJ4, and
    // keep the crew app from looking for GSX again on it.
    server.adapters.asobo747Flag = false;
    server.adapters.cj4Flag = false;
    server.adapters.groundServicesFound = false;
}

void SelectAdapter(Server& server, std::int32_t aircraftId, LParam searchFlag) {
    AdapterState& adapters = server.adapters;
    if (searchFlag == kSearchForFenix) return SearchForFenix(server);
    if (aircraftId == adapters.lastSelectedId) return;

    UnloadAdapter(server);
    const AircraftEntry& aircraft = LookUpAircraft(aircraftId);
    adapters.currentAircraftId = aircraftId;
    adapters.lastSelectedId = aircraftId;
    server.bridge.lvarNamesWanted = aircraft.lvarNamesWanted;
    if (bridge::HasBridge(server)) {
        ForgetDiscoveries(server);
        bridge::StopBridge(server);
        server.ports.clock.Sleep(kBridgeStopMilliseconds);
    }
    if (aircraft.discovers) StartDiscoveryThread(server);
    Install(server, aircraft);
}

}  // namespace tarvo::adapters
