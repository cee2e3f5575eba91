// Discovery: turning the names of the loaded aircraft's local variables into
// the ids the module gave them, once per aircraft, into the shared slots.
#pragma once

#include "bridge/WasmBridge.h"
#include "host/Server.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tarvo::bridge {

inline constexpr std::uint16_t kNoSlot = 0xFFFF;

// A variable an adapter looks for and the slot its id goes to; one variable
// that serves two cockpit functions names a second slot.
struct WantedVariable {
    std::string_view name;
    std::uint16_t slot = kNoSlot;
    std::uint16_t alsoSlot = kNoSlot;
    bool counts = true;  // toward completeness
};

// One adapter's discovery.
struct DiscoveryPlan {
    std::string_view startLine;
    std::string_view successLine;
    std::span<const WantedVariable> wanted;
    // A module list this long needs no further pass.
    std::size_t totalNames = 0;
    // Counting matches needed for success.
    std::size_t requiredFound = 0;
    // Clears the adapter's own detection flags before each pass.
    void (*resetFlags)(Server&) = nullptr;
    // Runs after a successful discovery.
    void (*followUp)(Server&) = nullptr;
};

// The wanted names by their case-folded text, so each module name costs one
// lookup. Of several equal wanted names the first in list order wins.
class NameIndex {
public:
    explicit NameIndex(std::span<const WantedVariable> wanted);
    // The wanted variable equal to name ignoring case, or null.
    const WantedVariable* Find(std::string_view name) const;

private:
    std::unordered_map<std::string, const WantedVariable*> byName_;
};

// Stores the id of every name that matches into its slots, in id order, and
// returns how many matching names count toward completeness.
std::size_t MatchNames(const NameListCopy& names, const NameIndex& index, VariableSlots& slots);

// The shared pattern: up to four passes 5 s apart over the lvar names, then
// the success line and follow-up, or the incomplete-discovery steps.
void RunDiscoveryRoutine(Server& server, const DiscoveryPlan& plan);
// The same over the hvar names, in one pass.
void RunHvarDiscovery(Server& server, const DiscoveryPlan& plan);
// Escape for whatever dialog the aircraft shows, then the crew app is closed.
void RunIncompleteDiscovery(Server& server);

// Every lvar and hvar slot to "not found" (on an aircraft change).
void ResetLvarSlots(Server& server);

}  // namespace tarvo::bridge
