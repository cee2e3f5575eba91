#include "bridge/Discovery.h"

#include "base/Text.h"
#include "base/VirtualKeys.h"
#include "bridge/Registry.h"
#include "keys/Keys.h"

#include <algorithm>
#include <cstring>

namespace tarvo::bridge {
namespace {

constexpr std::uint32_t kPassMilliseconds = 5000;
constexpr int kLastPass = 3;
constexpr std::uint32_t kEscapeHoldMilliseconds = 250;
constexpr std::uint32_t kCloseDelayMilliseconds = 3000;

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

// The folding is the invariant locale's ignore-case comparison, as far as
// variable names go: ASCII letters; other bytes stand for themselves.
// Eight bytes at a time: every byte from 'A' to 'Z' gains its 0x20.
std::uint64_t FoldWord(std::uint64_t word) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHigh = kOnes * 0x80;
    const std::uint64_t low = word & ~kHigh;  // adding to seven bits never carries into the next byte
    const std::uint64_t fromA = low + kOnes * (0x80 - 'A');
    const std::uint64_t pastZ = low + kOnes * (0x80 - 'Z' - 1);
    const std::uint64_t upper = fromA & ~pastZ & ~word & kHigh;
    return word | (upper >> 2);
}

// Names run to dozens of characters and share long beginnings, so all of a
// name (as compared) is hashed, a folded word a step.
std::uint64_t FoldedHash(std::string_view name) {
    std::uint64_t hash = name.size() * 0x9E3779B97F4A7C15u;
    const auto mix = [&](std::uint64_t word) {
        hash = (hash ^ FoldWord(word)) * 0xFF51AFD7ED558CCDu;
        hash ^= hash >> 32;
    };
    std::size_t at = 0;
    for (; at + 8 <= name.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, name.data() + at, 8);
        mix(word);
    }
    if (at < name.size()) {
        std::uint64_t word = 0;
        std::memcpy(&word, name.data() + at, name.size() - at);
        mix(word);
    }
    return hash;
}

}  // namespace

NameIndex::NameIndex(std::span<const WantedVariable> wanted) {
    std::size_t capacity = 2;
    while (capacity < wanted.size() * 2) capacity *= 2;
    table_.resize(capacity);
    // Each distinct name's variables in list order, then laid out one name after another.
    std::vector<std::vector<const WantedVariable*>> groups;
    for (const WantedVariable& variable : wanted) {
        const std::string_view compared = Compared(variable.name);
        const std::uint64_t hash = FoldedHash(compared);
        Entry& entry = table_[Probe(hash, compared)];
        if (entry.count == 0) {
            entry = {hash, compared, static_cast<std::uint32_t>(groups.size()), 1};
            groups.emplace_back();
            endings_[compared.size()] |= EndingBit(compared);
        }
        groups[entry.first].push_back(&variable);
    }
    std::vector<std::uint32_t> starts;
    variables_.reserve(wanted.size());
    for (const auto& group : groups) {
        starts.push_back(static_cast<std::uint32_t>(variables_.size()));
        variables_.insert(variables_.end(), group.begin(), group.end());
    }
    for (Entry& entry : table_) {
        if (entry.count == 0) continue;
        entry.count = static_cast<std::uint32_t>(groups[entry.first].size());
        entry.first = starts[entry.first];
    }
}

// Where the name (as compared) stands in the table, or the empty entry where it would go.
std::size_t NameIndex::Probe(std::uint64_t hash, std::string_view compared) const {
    const std::size_t mask = table_.size() - 1;
    std::size_t at = static_cast<std::size_t>(hash) & mask;
    while (table_[at].count != 0 && (table_[at].hash != hash || !EqualsIgnoreCase(table_[at].name, compared))) {
        at = (at + 1) & mask;
    }
    return at;
}

const WantedVariable* NameIndex::Find(std::string_view name) const {
    const auto all = FindAll(name);
    return all.empty() ? nullptr : all.front();
}

std::span<const WantedVariable* const> NameIndex::Look(std::string_view compared) const {
    const Entry& entry = table_[Probe(FoldedHash(compared), compared)];
    return std::span(variables_).subspan(entry.first, entry.count);
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
