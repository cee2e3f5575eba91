#include "bridge/Discovery.h"

#include "base/Text.h"
#include "base/VirtualKeys.h"
#include "bridge/Registry.h"
#include "keys/Keys.h"

#include <algorithm>

namespace tarvo::bridge {
namespace {

constexpr std::uint32_t kPassMilliseconds = 5000;
constexpr int kLastPass = 3;
constexpr std::uint32_t kEscapeHoldMilliseconds = 250;
constexpr std::uint32_t kCloseDelayMilliseconds = 3000;
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
    while (names.empty() && HasBridge(server) && server.host.running && Pause(server, kPassMilliseconds)) {
        CopyLvarNames(server, names);
    }
    return names;
}

// Enough matches: the adapter's success line and follow-up; false otherwise.
bool Succeeded(Server& server, const DiscoveryPlan& plan, std::size_t found) {
    if (found < plan.requiredFound) return false;
    server.log.Write(std::string(plan.successLine));
    if (plan.followUp != nullptr) plan.followUp(server);
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

void RunDiscoveryRoutine(Server& server, const DiscoveryPlan& plan) {
    if (!HasBridge(server)) return;
    server.log.Write(std::string(plan.startLine));
    const NameIndex index(plan.wanted);
    std::size_t found = 0;
    NameListCopy names;
    for (int pass = 0;; ++pass) {
        names = WaitForLvarNames(server);
        if (names.empty()) return;  // the bridge went out of service meanwhile
        if (plan.resetFlags != nullptr) plan.resetFlags(server);
        found = MatchNames(names, index, server.bridge.slots);
        if (pass >= kLastPass || names.size() >= plan.totalNames) break;
        server.log.Write("Looking for more Lvars");
        if (!Pause(server, kPassMilliseconds)) return;
    }
    if (!Succeeded(server, plan, found)) RunIncompleteDiscovery(server);
}

void RunHvarDiscovery(Server& server, const DiscoveryPlan& plan) {
    if (!HasBridge(server)) return;
    if (!plan.startLine.empty()) server.log.Write(std::string(plan.startLine));
    // An aircraft may have no H: events at all, so an empty list is not waited on.
    NameListCopy names;
    CopyHvarNames(server, names);
    if (plan.resetFlags != nullptr) plan.resetFlags(server);
    const std::size_t found = MatchNames(names, NameIndex(plan.wanted), server.bridge.slots);
    if (!Succeeded(server, plan, found)) server.log.Write("Not all Hvars are accounted for");
}

void RunIncompleteDiscovery(Server& server) {
    keys::KeyDown(server, 0, kVkEscape);
    server.ports.clock.Sleep(kEscapeHoldMilliseconds);
    keys::KeyUp(server, 0, kVkEscape);
    if (!Pause(server, kCloseDelayMilliseconds)) return;
    server.ports.desktop.Post(server.host.crewWindow, platform::kWmClose, 1, 1);
}

void ResetLvarSlots(Server& server) { server.bridge.slots.ResetAll(); }

}  // namespace tarvo::bridge
