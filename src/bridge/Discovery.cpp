#include "bridge/Discovery.h"

#include "adapters/DiscoveryRoutines.h"
#include "adapters/fenix/FenixSearches.h"
#include "bridge/Registry.h"
#include "host/StartUp.h"
#include "host/Text.h"
#include "link/Keys.h"
#include "link/Messages.h"

#include <algorithm>
#include <mutex>

namespace tarvo::bridge {
namespace {

constexpr std::uint32_t kModuleWaitMilliseconds = 35000;
constexpr std::uint32_t kSettleMilliseconds = 3000;
constexpr std::uint32_t kPassMilliseconds = 5000;
constexpr std::int32_t kRetryBudget = 3;
constexpr int kLastPass = 3;
constexpr std::uint32_t kFenixEnumerationMilliseconds = 1000;
constexpr std::uint32_t kEscapeHoldMilliseconds = 250;
constexpr std::uint32_t kCloseDelayMilliseconds = 3000;
constexpr std::uint8_t kVkEscape = 27;
// Names are compared as they would be in a 128-byte buffer with its NUL.
constexpr std::size_t kComparedChars = 127;

// The folding of the invariant locale's ignore-case comparison, as far as
// variable names go: ASCII letters; other bytes stand for themselves.
std::string Folded(std::string_view name) {
    std::string folded(name.substr(0, kComparedChars));
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldAscii);
    return folded;
}

void Store(VariableSlots& slots, std::uint16_t slot, std::int32_t id) {
    if (slot != kNoSlot) slots.Set(slot, static_cast<std::uint16_t>(id));
}

// The names the bridge holds; while it holds none (the module is still
// sending), 5 s pauses. Empty only when the bridge went out of service.
NameListCopy WaitForLvarNames(Server& server) {
    NameListCopy names;
    CopyLvarNames(server, names);
    while (names.empty() && HasBridge(server) && server.host.running != 0) {
        server.ports.clock.Sleep(kPassMilliseconds);
        CopyLvarNames(server, names);
    }
    return names;
}

// The A320 family: the Fenix when its window is there, the A32NX otherwise.
void DiscoverA320Family(Server& server) {
    server.adapters.a320LvarsFound = 0;
    if (server.link.fenixWindow == 0) {
        adapters::fenix::FindFenixByEnumeration(server);
        server.ports.clock.Sleep(kFenixEnumerationMilliseconds);
    }
    server.link.fenixFlag = server.link.fenixWindow != 0 ? 1 : 0;
    if (server.link.fenixFlag != 0) {
        adapters::DiscoverFenixA320(server);
    } else {
        adapters::DiscoverA32nx(server);
    }
}

using Routine = void (*)(Server&);

struct AircraftRoutines {
    std::int32_t aircraftId;
    Routine first;
    Routine second;
};

// Ids 10, 61, 64 and 74 have none of their own; every aircraft gets the
// ground-services routine after these.
constexpr AircraftRoutines kRoutines[] = {
    {17, adapters::DiscoverPmdg737, nullptr},
    {30, adapters::DiscoverAsobo747, nullptr},  // a CaptainSim 777 under this id
    {57, adapters::DiscoverAsobo747, nullptr},
    {34, adapters::DiscoverPmdg777, nullptr},
    {39, adapters::DiscoverJustFlight146, adapters::DiscoverCj4Hvars},
    {45, adapters::DiscoverMaddog, nullptr},
    {51, adapters::DiscoverCrj, nullptr},
    {56, adapters::DiscoverAsobo787, nullptr},
    {58, DiscoverA320Family, nullptr},
    {59, adapters::DiscoverCj4Lvars, adapters::DiscoverCj4Hvars},
    {77, adapters::DiscoverInibuilds, nullptr},
    {78, adapters::DiscoverAtr, nullptr},
    {80, adapters::DiscoverFssEJets, nullptr},
};

void RunAircraftRoutines(Server& server, std::int32_t aircraftId) {
    for (const AircraftRoutines& row : kRoutines) {
        if (row.aircraftId != aircraftId) continue;
        row.first(server);
        if (row.second != nullptr) row.second(server);
    }
}

void CheckForFenix(Server& server) {
    server.log.Write("checking for Fenix A320");
    if (server.link.fenixWindow == 0) adapters::fenix::FindFenixByKnownVersions(server);
    server.link.fenixFlag = server.link.fenixWindow != 0 ? 1 : 0;
    if (server.link.fenixFlag != 0) server.log.Write("Fenix A320 detected");
}

// Brings the bridge into service; false when it cannot be had or started.
bool BringUpBridge(Server& server) {
    // A stopped bridge's worker may still be closing its connection, and a new
    // start is refused until it has.
    if (server.bridge.instance != nullptr) server.bridge.instance->WaitForWorkerEnd(server.ports.clock);
    if (!CreateAndStartBridge(server)) return false;
    server.bridge.instance->RequestReload();
    if (server.link.fenixFlag != 0) {
        if (!adapters::fenix::IsSystemProcessOpen(server)) {
            server.log.Write(adapters::fenix::SetUpFcuReader(server) ? "Fenix A320 FCU data available"
                                                                     : "No access to FCU data");
        }
    } else {
        adapters::fenix::ForgetTakeoffDataAddresses(server);
    }
    return true;
}

// Enough matches: the adapter's success line and follow-up; false otherwise.
bool Succeeded(Server& server, const DiscoverySpec& spec, std::size_t found) {
    if (found < spec.requiredFound) return false;
    server.log.Write(std::string(spec.successLine));
    if (spec.followUp != nullptr) spec.followUp(server);
    return true;
}

}  // namespace

NameIndex::NameIndex(std::span<const WantedVariable> wanted) {
    byName_.reserve(wanted.size());
    for (const WantedVariable& variable : wanted) byName_.try_emplace(Folded(variable.name), &variable);
}

const WantedVariable* NameIndex::Find(std::string_view name) const {
    const auto found = byName_.find(Folded(name));
    return found != byName_.end() ? found->second : nullptr;
}

std::size_t MatchNames(const NameListCopy& names, const NameIndex& index, VariableSlots& slots) {
    std::size_t found = 0;
    for (const auto& [id, name] : names) {
        const WantedVariable* variable = index.Find(name);
        if (variable == nullptr) continue;
        Store(slots, variable->slot, id);
        Store(slots, variable->alsoSlot, id);
        if (variable->counts) ++found;
    }
    return found;
}

void RunDiscoveryRoutine(Server& server, const DiscoverySpec& spec) {
    if (!HasBridge(server)) return;
    server.log.Write(std::string(spec.startLine));
    const NameIndex index(spec.wanted);
    std::size_t found = 0;
    NameListCopy names;
    for (int pass = 0;; ++pass) {
        names = WaitForLvarNames(server);
        if (names.empty()) return;  // the bridge went out of service meanwhile
        if (spec.resetFlags != nullptr) spec.resetFlags(server);
        found = MatchNames(names, index, server.bridge.slots);
        if (pass >= kLastPass || names.size() >= spec.totalNames) break;
        server.log.Write("Looking for more Lvars");
        server.ports.clock.Sleep(kPassMilliseconds);
    }
    if (!Succeeded(server, spec, found)) RunIncompleteDiscovery(server);
}

void RunHvarDiscovery(Server& server, const DiscoverySpec& spec) {
    if (!HasBridge(server)) return;
    if (!spec.startLine.empty()) server.log.Write(std::string(spec.startLine));
    // An aircraft may have no H: events at all, so an empty list is not waited on.
    NameListCopy names;
    CopyHvarNames(server, names);
    if (spec.resetFlags != nullptr) spec.resetFlags(server);
    const std::size_t found = MatchNames(names, NameIndex(spec.wanted), server.bridge.slots);
    if (!Succeeded(server, spec, found)) server.log.Write("Not all Hvars are accounted for");
}

void RunIncompleteDiscovery(Server& server) {
    link::KeyDown(server, 0, kVkEscape);
    server.ports.clock.Sleep(kEscapeHoldMilliseconds);
    link::KeyUp(server, 0, kVkEscape);
    server.ports.clock.Sleep(kCloseDelayMilliseconds);
    server.ports.desktop.Post(server.host.crewWindow, platform::kWmClose, 1, 1);
}

void ResetLvarSlots(Server& server) { server.bridge.slots.ResetAll(); }

void RunDiscovery(Server& server) {
    std::unique_lock<std::mutex> discovery(server.host.locks.discovery, std::try_to_lock);
    if (!discovery.owns_lock()) return;
    CheckForFenix(server);

    BridgeState& state = server.bridge;
    platform::Clock& clock = server.ports.clock;
    for (;;) {
        if (!HasBridge(server) && !BringUpBridge(server)) return;
        clock.Sleep(kModuleWaitMilliseconds);
        // An aircraft change during the wait stopped the bridge: bring it up
        // again rather than discover on a bridge out of service.
        WasmBridge* bridge = CurrentBridge(server);
        if (bridge == nullptr) continue;

        if (state.lvarsReceived) {
            clock.Sleep(kSettleMilliseconds);
            RunAircraftRoutines(server, server.link.currentAircraftId);
            adapters::DiscoverGroundServices(server);
            discovery.unlock();
            server.ports.desktop.Post(server.host.crewWindow, link::kMsgAircraftReady, 0, 0);
            state.valueDelivery = true;
            return;
        }
        if (state.retryCount >= kRetryBudget) {
            server.ports.desktop.ShowMessageBox(
                0, "The WASM server failed to respond. Please restart ZUL.\nIf it fails again, please restart MSFS.",
                host::kMessageBoxCaption, platform::kMbOk);
            return;
        }
        ++state.retryCount;
        server.log.Write("server wasm module not responding. Trying again");
        bridge->RequestReload();
        StopBridge(server);
    }
}

}  // namespace tarvo::bridge
