#include "link/Adapters.h"

#include "adapters/fenix/FenixSearches.h"
#include "bridge/Discovery.h"
#include "host/Server.h"
#include "link/Messages.h"
#include "link/Reports.h"
#include "sim/SessionState.h"

#include <algorithm>
#include <iterator>

namespace tarvo::link {
namespace {

constexpr std::uint32_t kFirstAddOnEvent = 0x11000;  // 69632
constexpr std::uint32_t kEndOfAddOnEvents = 89951;   // not included
constexpr std::uint32_t kSpoilersArmToggle = 242;
constexpr std::uint32_t kSpoilersSet = 243;
constexpr LParam kSearchForFenix = 2;
constexpr std::uint32_t kFenixSearchMilliseconds = 2000;
constexpr std::uint32_t kBridgeStopMilliseconds = 3000;
constexpr std::uint32_t kFenixSearchStopMilliseconds = 1500;

// Aircraft ids whose local variables are discovered after the switch.
constexpr std::int32_t kDiscoveryIds[] = {10, 17, 30, 34, 39, 45, 51, 56, 57, 58, 59, 61, 64, 74, 77, 78, 80};
static_assert(std::size(kDiscoveryIds) == 17);

// The generic adapter's own command set and state reports arrive with their
// own support; until then they do nothing.
void GenericRunCommand(Server&, std::uint32_t, std::int32_t) {}
void GenericQueryValue(Server&, ValueQuery&) {}
void GenericFillAutopilotState(Server&, SnapshotRecord&) {}
void GenericCountEngineStates(Server&, SnapshotRecord&, std::int32_t&, std::int32_t&, std::int32_t&,
                              std::int32_t&) {}

void GenericUnload(Server& server) {
    // The searches notice their stop request within this pause.
    if (adapters::fenix::RequestTakeoffSearchStop(server)) server.ports.clock.Sleep(kFenixSearchStopMilliseconds);
    if (adapters::fenix::RequestFmaSearchStop(server)) server.ports.clock.Sleep(kFenixSearchStopMilliseconds);
    adapters::fenix::CloseDisplayProcess(server);
    adapters::fenix::CloseSystemProcess(server);
}

void GenericSendTakeoffData(Server& server, WindowId crewWindow, WindowId linkWindow) {
    TakeoffDataRecord record;
    if (server.link.fenixFlag != 0) {
        // The Fenix keeps its take-off data in its own memory: on the ground with
        // an engine running, start looking for it; it is sent once found.
        if (server.link.snapshot.words[kWordOnGround] == 0) return;
        const sim::Record& engines = server.session.records[sim::kEngineRecord];
        const bool burning = engines.Int32(0) != 0 || engines.Int32(1) != 0;
        if (burning && !adapters::fenix::IsTakeoffSearchRunning(server)) {
            server.log.Write("Looking for data 1");
            adapters::fenix::StartTakeoffSearch(server);
        }
        return;
    }
    // The take-off lvars come with discovery; without a bridge the record stays zero.
    SendTakeoffRecord(server, crewWindow, linkWindow, record);
}

void SearchForFenix(Server& server) {
    adapters::fenix::FindFenixByEnumeration(server);
    server.ports.clock.Sleep(kFenixSearchMilliseconds);
    if (server.link.fenixWindow != 0) {
        server.log.Write("Detected Fenix window");
    } else {
        adapters::fenix::FindFenixByKnownVersions(server);
    }
    server.link.fenixFlag = server.link.fenixWindow != 0 ? 1 : 0;
}

void StartDiscoveryThread(Server& server) {
    const auto priority =
        server.link.fenixFlag >= 1 ? platform::ThreadPriority::AboveNormal : platform::ThreadPriority::BelowNormal;
    // The thread reads the aircraft id when its discovery starts, so it serves
    // whichever id is current by then.
    server.ports.threads.Start([&server] { bridge::RunDiscovery(server); }, priority);
}

// The adapter each aircraft id installs. The aircraft with adapters of their
// own (PMDG 737 17, PMDG 777 34, Maddog 45, Just Flight 146 39, CRJ 51,
// Inibuilds 77, ATR 78, FSS E-Jets 80) use the generic adapter until their
// adapters arrive; every other id always does.
void InstallAdapterFor(Server& server, std::int32_t aircraftId) {
    constexpr std::int32_t kFssEJets = 80;
    if (aircraftId == kFssEJets) server.log.Write("adjusting function pointers to FSS ERJ");
    InstallGenericAdapter(server);
    if (aircraftId == kFssEJets) server.log.Write("finished adjusting function pointers");
}

}  // namespace

bool IsForwardedSimEvent(std::uint32_t eventId) {
    return (eventId >= kFirstAddOnEvent && eventId < kEndOfAddOnEvents) || eventId == kSpoilersArmToggle ||
           eventId == kSpoilersSet;
}

void ForwardSimEvent(Server& server, std::uint32_t eventId, std::uint32_t data, std::uint32_t) {
    if (!IsForwardedSimEvent(eventId)) return;
    server.ports.desktop.Post(server.host.crewWindow, kMsgSimEvent, eventId, static_cast<LParam>(data));
}

void InstallGenericAdapter(Server& server) {
    server.link.adapter = {GenericRunCommand,        GenericQueryValue, GenericFillAutopilotState,
                           GenericCountEngineStates, ForwardSimEvent,   GenericUnload,
                           GenericSendTakeoffData};
}

void UnloadAdapter(Server& server) {
    if (server.link.adapter.Unload != nullptr) server.link.adapter.Unload(server);
}

void SelectAdapter(Server& server, std::int32_t aircraftId, LParam searchFlag) {
    LinkState& link = server.link;
    if (searchFlag == kSearchForFenix) return SearchForFenix(server);
    if (aircraftId == link.lastSelectedId) return;

    UnloadAdapter(server);
    link.currentAircraftId = aircraftId;
    link.lastSelectedId = aircraftId;
    if (bridge::HasBridge(server)) {
        bridge::ResetLvarSlots(server);
        bridge::StopBridge(server);
        server.ports.clock.Sleep(kBridgeStopMilliseconds);
    }
    if (std::find(std::begin(kDiscoveryIds), std::end(kDiscoveryIds), aircraftId) != std::end(kDiscoveryIds)) {
        StartDiscoveryThread(server);
    }
    InstallAdapterFor(server, aircraftId);
}

}  // namespace tarvo::link
