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


void Store(VariableSlots& slots, std::uint16_t slot, std::int32_t id) {
    if (slot != kNoSlot) slots.Set(slot, static_cast<std::uint16_t>(id));
}

// The names the bridge holds; while it holds none (the module is still
// sending), 5 s pauses. Empty only when the bridge went out of service.
NameListCopy WaitForLvarNames(Server& server) {
    NameListCopy names;
    CopyLvarNames(server, names);
    while (names.empty() && HasBridge(server) && server.host.running && StoppablePause(server, kPassMilliseconds)) {
        CopyLvarNames(server, names);
    }
    return names;
}

// The adapter's verdict, or the plain one: enough counting matches.
DiscoveryVerdict Judge(Server& server, const DiscoveryPlan& plan, const DiscoveryResult& result) {
    if (plan.judge != nullptr) return plan.judge(server, result);
    if (result.found < plan.requiredFound) return {};
    return {std::string(plan.successLine), true};
}

void ForgetWantedSlots(const DiscoveryPlan& plan, VariableSlots& slots) {
    for (const WantedVariable& variable : plan.wanted) {
        Store(slots, variable.slot, kNotFound);
        Store(slots, variable.alsoSlot, kNotFound);
    }
}

// Matches one list against the plan, counting and judging.
DiscoveryResult Pass(Server& server, const DiscoveryPlan& plan, const NameIndex& index, const NameListCopy& names) {
    if (plan.resetFlags != nullptr) plan.resetFlags(server);
    if (plan.forgetsUnfound) ForgetWantedSlots(plan, server.bridge.slots);
    DiscoveryResult result;
    result.names = names.size();
    result.found = MatchNames(names, index, server.bridge.slots, plan.everyEntry, &server);
    return result;
}

}  // namespace

// The folding is the invariant locale's ignore-case comparison, as far as
// variable names go: ASCII letters; other bytes stand for themselves.
std::size_t NameIndex::FoldedHash::operator()(std::string_view name) const {
    // Eight folded bytes a step: names run to dozens of characters and share
    // long beginnings, and a byte-at-a-time hash would cost more than the lookup.
    name = name.substr(0, kComparedChars);
    std::uint64_t hash = name.size() * 0x9E3779B97F4A7C15u;
    for (std::size_t at = 0; at < name.size(); at += 8) {
        std::uint64_t word = 0;
        for (std::size_t i = 0; i < 8 && at + i < name.size(); ++i) {
            word |= std::uint64_t{static_cast<unsigned char>(FoldAscii(name[at + i]))} << (8 * i);
        }
        hash = (hash ^ word) * 0xFF51AFD7ED558CCDu;
        hash ^= hash >> 32;
    }
    return static_cast<std::size_t>(hash);
}

bool NameIndex::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
    return EqualsIgnoreCase(a.substr(0, kComparedChars), b.substr(0, kComparedChars));
}

NameIndex::NameIndex(std::span<const WantedVariable> wanted) {
    byName_.reserve(wanted.size());
    for (const WantedVariable& variable : wanted) byName_[variable.name].push_back(&variable);
}

const WantedVariable* NameIndex::Find(std::string_view name) const {
    const auto all = FindAll(name);
    return all.empty() ? nullptr : all.front();
}

std::span<const WantedVariable* const> NameIndex::FindAll(std::string_view name) const {
    const auto found = byName_.find(name);
    if (found == byName_.end()) return {};
    return found->second;
}

std::size_t MatchNames(const NameListCopy& names, const NameIndex& index, VariableSlots& slots, bool everyEntry,
                       Server* server) {
    std::size_t found = 0;
    for (const auto& [id, name] : names) {
        auto matches = index.FindAll(name);
        if (!everyEntry) matches = matches.first(std::min<std::size_t>(matches.size(), 1));
        for (const WantedVariable* variable : matches) {
            Store(slots, variable->slot, id);
            Store(slots, variable->alsoSlot, id);
            if (variable->counts) ++found;
            if (server != nullptr && variable->onFound != nullptr) variable->onFound(*server);
        }
    }
    return found;
}

DiscoveryResult RunDiscoveryRoutine(Server& server, const DiscoveryPlan& plan) {
    if (!HasBridge(server)) return {};
    if (!plan.startLine.empty()) server.log.Write(std::string(plan.startLine));
    const NameIndex index(plan.wanted);
    DiscoveryResult result;
    for (int pass = 0;; ++pass) {
        const NameListCopy names = WaitForLvarNames(server);
        if (names.empty()) return {};  // the bridge went out of service meanwhile
        result = Pass(server, plan, index, names);
        const std::size_t enough = plan.totalNamesNow != nullptr ? plan.totalNamesNow(server) : plan.totalNames;
        if (pass >= kLastPass || names.size() >= enough) break;
        server.log.Write("Looking for more Lvars");
        if (!StoppablePause(server, kPassMilliseconds)) return {};
        if (plan.extraPassPauseMilliseconds != 0 && !StoppablePause(server, plan.extraPassPauseMilliseconds)) return {};
    }
    const DiscoveryVerdict verdict = Judge(server, plan, result);
    result.complete = verdict.complete;
    if (!verdict.line.empty()) server.log.Write(verdict.line);
    if (verdict.complete) {
        if (plan.followUp != nullptr) plan.followUp(server);
    } else if (plan.closeCrewAppWhenIncomplete) {
        RunIncompleteDiscovery(server);
    }
    return result;
}

DiscoveryResult RunHvarDiscovery(Server& server, const DiscoveryPlan& plan) {
    if (!HasBridge(server)) return {};
    if (!plan.startLine.empty()) server.log.Write(std::string(plan.startLine));
    // An aircraft may have no H: events at all, so an empty list is not waited on.
    NameListCopy names;
    CopyHvarNames(server, names);
    DiscoveryResult result = Pass(server, plan, NameIndex(plan.wanted), names);
    const DiscoveryVerdict verdict = Judge(server, plan, result);
    result.complete = verdict.complete;
    if (!verdict.line.empty()) {
        server.log.Write(verdict.line);
    } else if (!verdict.complete && plan.judge == nullptr) {
        server.log.Write("Not all Hvars are accounted for");
    }
    if (verdict.complete && plan.followUp != nullptr) plan.followUp(server);
    return result;
}

void RunIncompleteDiscovery(Server& server) {
    keys::KeyDown(server, 0, kVkEscape);
    server.ports.clock.Sleep(kEscapeHoldMilliseconds);
    keys::KeyUp(server, 0, kVkEscape);
    if (!StoppablePause(server, kCloseDelayMilliseconds)) return;
    server.ports.desktop.Post(server.host.crewWindow, platform::kWmClose, 1, 1);
}

void ResetLvarSlots(Server& server) { server.bridge.slots.ResetAll(); }

}  // namespace tarvo::bridge
