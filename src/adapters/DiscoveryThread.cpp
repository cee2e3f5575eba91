#include "adapters/DiscoveryThread.h"

#include "adapters/AircraftCatalogue.h"
#include "adapters/Selection.h"
#include "adapters/fenix/Fcu.h"
#include "adapters/fenix/FenixSearches.h"
#include "adapters/gsx/Gsx.h"
#include "base/Names.h"
#include "bridge/Discovery.h"
#include "bridge/WasmBridge.h"
#include "link/Messages.h"

#include <mutex>

namespace tarvo::adapters {
namespace {

constexpr std::uint32_t kModuleWaitMilliseconds = 35000;
constexpr std::uint32_t kSettleMilliseconds = 3000;
constexpr std::int32_t kRetryBudget = 3;

void RunAircraftRoutines(Server& server, std::int32_t aircraftId) {
    for (DiscoveryRoutine routine : LookUpAircraft(aircraftId).routines) {
        if (routine != nullptr) routine(server);
    }
}

void CheckForFenix(Server& server) {
    server.log.Write("checking for Fenix A320");
    if (server.adapters.fenixWindow == 0) fenix::FindFenixByKnownVersions(server);
    server.adapters.fenixFlag = server.adapters.fenixWindow != 0;
    if (server.adapters.fenixFlag) server.log.Write("Fenix A320 detected");
}

// Brings the bridge into service; false when it cannot be had or started.
bool BringUpBridge(Server& server) {
    // A stopped bridge's worker may still be closing its connection, and a new
    // start is refused until it has.
    if (server.bridge.instance != nullptr) server.bridge.instance->WaitForWorkerEnd();
    // Shutdown may have stopped the bridge already; starting it again would
    // leave a connection behind.
    if (!server.host.running || !bridge::CreateAndStartBridge(server)) return false;
    server.bridge.instance->RequestReload();
    if (server.adapters.fenixFlag) {
        // Once per system process, also when a take-off data search opened it first.
        if (!fenix::IsFcuReaderSetUp(server)) {
            server.log.Write(fenix::SetUpFcuReader(server) ? "Fenix A320 FCU data available" : "No access to FCU data");
        }
    } else {
        fenix::ForgetTakeoffDataAddresses(server);
    }
    return true;
}

}  // namespace

void StartDiscoveryThread(Server& server) {
    const auto priority =
        server.adapters.fenixFlag ? platform::ThreadPriority::AboveNormal : platform::ThreadPriority::BelowNormal;
    // The thread reads the aircraft id when its discovery starts, so it serves
    // whichever id is current by then.
    server.ports.threads.Start([&server] { RunDiscovery(server); }, priority);
}

void RunDiscovery(Server& server) {
    std::unique_lock<std::mutex> discovery(server.host.locks.discovery, std::try_to_lock);
    if (!discovery.owns_lock()) return;
    CheckForFenix(server);

    bridge::BridgeState& state = server.bridge;
    for (;;) {
        if (!bridge::HasBridge(server) && !BringUpBridge(server)) return;
        if (!StoppablePause(server, kModuleWaitMilliseconds)) return;
        // An aircraft change during the wait stopped the bridge: bring it up
        // again rather than discover on a bridge out of service.
        bridge::WasmBridge* current = bridge::CurrentBridge(server);
        if (current == nullptr) continue;

        if (state.lvarsReceived) {
            if (!StoppablePause(server, kSettleMilliseconds)) return;
            const std::int32_t aircraftId = server.adapters.currentAircraftId;
            RunAircraftRoutines(server, aircraftId);
            gsx::Discover(server);
            // Routines cut short by shutdown found nothing to announce.
            if (!server.host.running) return;
            // An aircraft change meanwhile stopped the bridge, and its own thread
            // ended on the lock: start over for the aircraft now current, without
            // what this run wrote after the change forgot the slots.
            if (!bridge::HasBridge(server) || server.adapters.currentAircraftId != aircraftId) {
                ForgetDiscoveries(server);
                continue;
            }
            discovery.unlock();
            server.ports.desktop.Post(server.host.crewWindow, link::kMsgAircraftReady, 0, 0);
            state.valueDelivery = true;
            return;
        }
        if (state.retryCount >= kRetryBudget) {
            server.ports.desktop.ShowMessageBox(
                0, "The WASM server failed to respond. Please restart ZUL.\nIf it fails again, please restart MSFS.",
                kMessageBoxCaption, platform::kMbOk);
            return;
        }
        ++state.retryCount;
        server.log.Write("server wasm module not responding. Trying again");
        current->RequestReload();
        bridge::StopBridge(server);
    }
}

}  // namespace tarvo::adapters
