// Discovery: turning the names of the loaded aircraft's local variables into
// the ids the module gave them, once per aircraft, into the shared slots.
#pragma once

#include "base/Text.h"
#include "bridge/WasmBridge.h"
#include "host/Server.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::bridge {

inline constexpr std::uint16_t kNoSlot = 0xFFFF;

// A variable an adapter looks for and the slot its id goes to; one variable
// that serves two cockpit functions names a second slot.
struct WantedVariable {
    std::string_view name;
    std::uint16_t slot = kNoSlot;
    std::uint16_t alsoSlot = kNoSlot;
    bool counts = true;  // toward completeness
    // Runs when the name is found: how an adapter tells which aircraft it has.
    void (*onFound)(Server&) = nullptr;
};

// What a discovery found in its last pass: the length of the module's list and
// the matches that count.
struct DiscoveryResult {
    std::size_t names = 0;
    std::size_t found = 0;
    bool complete = false;
};

// An adapter's own judgement of a pass: the line to log (none when empty) and
// whether its variables are complete.
struct DiscoveryVerdict {
    std::string line;
    bool complete = false;
};

// One adapter's discovery.
struct DiscoveryPlan {
    std::string_view startLine;  // none when empty
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
    // When set, decides after each pass how long a list needs no further pass
    // (instead of totalNames).
    std::size_t (*totalNamesNow)(Server&) = nullptr;
    // When set, judges the last pass (instead of requiredFound and successLine).
    DiscoveryVerdict (*judge)(Server&, const DiscoveryResult&) = nullptr;
    // An incomplete discovery presses Escape and closes the crew app; without
    // this it only ends.
    bool closeCrewAppWhenIncomplete = true;
    // Every wanted entry equal to a module name fills its slots and counts, so
    // a name listed twice fills and counts twice; otherwise the first equal
    // entry wins.
    bool everyEntry = false;
    // Each pass first sets every wanted slot to "not found": a name the module
    // no longer lists leaves no id behind that now names another variable.
    bool forgetsUnfound = false;
    // Waited after the 5 s between passes, with the copy emptied.
    std::uint32_t extraPassPauseMilliseconds = 0;
};

// The wanted names by their case-folded text, so each module name costs one
// lookup; most module names are turned away by their length and last
// character alone, unhashed.
class NameIndex {
public:
    // Names are compared as they would be in a 128-byte buffer with its NUL.
    static constexpr std::size_t kComparedChars = 127;

    explicit NameIndex(std::span<const WantedVariable> wanted);
    // The first wanted variable (in list order) equal to name ignoring case, or null.
    const WantedVariable* Find(std::string_view name) const;
    // Every wanted variable equal to name, in list order.
    std::span<const WantedVariable* const> FindAll(std::string_view name) const {
        const std::string_view compared = Compared(name);
        return MayHold(compared) ? Look(compared) : std::span<const WantedVariable* const>();
    }

private:
    static std::string_view Compared(std::string_view name) { return name.substr(0, kComparedChars); }

    // One wanted name (its first spelling, as compared) and its variables in
    // variables_; an open-addressed table, empty where count is 0.
    struct Entry {
        std::uint64_t hash = 0;
        std::string_view name;
        std::uint32_t first = 0;
        std::uint32_t count = 0;
    };
    // These take a name as compared.
    std::size_t Probe(std::uint64_t hash, std::string_view compared) const;
    std::span<const WantedVariable* const> Look(std::string_view compared) const;
    // Whether a wanted name as long as this one ends as it does: false for
    // nearly every module name, decided inline, without hashing.
    bool MayHold(std::string_view compared) const {
        return (endings_[compared.size()] & EndingBit(compared)) != 0;
    }
    // A name's bit among the endings of its length.
    static std::uint64_t EndingBit(std::string_view compared) {
        if (compared.empty()) return 1;
        // Spread over the 64 bits, so that digits and letters keep apart.
        const auto last = static_cast<std::uint32_t>(static_cast<unsigned char>(FoldAscii(compared.back())));
        return std::uint64_t{1} << (last * 0x9E3779B1u >> 26);
    }

    std::vector<Entry> table_;  // a power of two long, at most half full
    std::vector<const WantedVariable*> variables_;
    // By a name's length as compared: the last characters (folded, six bits
    // of each) wanted names of that length end in; 0 when none is that long.
    std::array<std::uint64_t, kComparedChars + 1> endings_{};
};

// Stores the id of every name that matches into its slots, in id order, and
// returns how many matches count toward completeness. The first equal wanted
// variable matches, or with everyEntry each of them. With a server, each
// match runs its onFound.
std::size_t MatchNames(const NameListCopy& names, const NameIndex& index, VariableSlots& slots,
                       bool everyEntry = false, Server* server = nullptr);

// The shared pattern: up to four passes 5 s apart over the lvar names, then
// the success line and follow-up, or the incomplete-discovery steps. An empty
// result when there is no bridge, or when it went out of service meanwhile.
DiscoveryResult RunDiscoveryRoutine(Server& server, const DiscoveryPlan& plan);
// The same over the hvar names, in one pass; "Not all Hvars are accounted for"
// when incomplete, unless the plan judges for itself.
DiscoveryResult RunHvarDiscovery(Server& server, const DiscoveryPlan& plan);
// Escape for whatever dialog the aircraft shows, then the crew app is closed.
void RunIncompleteDiscovery(Server& server);

// Every lvar and hvar slot to "not found" (on an aircraft change).
void ResetLvarSlots(Server& server);

}  // namespace tarvo::bridge
