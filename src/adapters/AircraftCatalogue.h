// Everything the server knows about each aircraft id the crew app sends: the
// adapter it installs, its discovery, and how many variable names the module
// must have sent before that discovery may start. One row per id, sorted by id;
// any other id is the default aircraft.
#pragma once

#include "host/Server.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tarvo::adapters {

using DiscoveryRoutine = void (*)(Server&);

struct AircraftEntry {
    std::int32_t id = 0;
    // Fills the adapter table, after whatever set-up the aircraft needs.
    void (*install)(Server&) = nullptr;
    // Selection starts the discovery thread for this aircraft.
    bool discovers = false;
    // The aircraft's own discovery routines, in the order they run; null for
    // none. The ground-services routine runs after them on every aircraft.
    std::array<DiscoveryRoutine, 2> routines{};
    // The module's lvar list must be at least this long before discovery starts.
    std::size_t lvarNamesWanted = 10;
    // Logged before and after the table is filled, when not empty.
    std::string_view installingLine;
    std::string_view installedLine;
};

std::span<const AircraftEntry> AircraftCatalogue();
// The row for id, or the default aircraft's (generic adapter, no discovery).
const AircraftEntry& LookUpAircraft(std::int32_t id);

}  // namespace tarvo::adapters
