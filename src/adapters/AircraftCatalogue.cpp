#include "adapters/AircraftCatalogue.h"

#include "adapters/a32nx/A32nx.h"
#include "adapters/asobo/Asobo.h"
#include "adapters/atr/Atr.h"
#include "adapters/crj/Crj.h"
#include "adapters/fenix/Fenix.h"
#include "adapters/fenix/FenixSearches.h"
#include "adapters/generic/GenericAdapter.h"
#include "adapters/inibuilds/Inibuilds.h"
#include "adapters/maddog/Maddog.h"
#include "adapters/pmdg737/Pmdg737.h"
#include "adapters/pmdg777/Pmdg777.h"

#include <algorithm>

namespace tarvo::adapters {
namespace {

constexpr std::uint32_t kFenixEnumerationMilliseconds = 1000;

// The A320 family: the Fenix when its window is there, the A32NX otherwise.
void DiscoverA320Family(Server& server) {
    server.adapters.a320LvarsFound = false;
    if (server.adapters.fenixWindow == 0) {
        fenix::FindFenixByEnumeration(server);
        server.ports.clock.Sleep(kFenixEnumerationMilliseconds);
    }
    server.adapters.fenixFlag = server.adapters.fenixWindow != 0;
    if (server.adapters.fenixFlag) {
        fenix::Discover(server);
    } else {
        a32nx::Discover(server);
    }
}

using generic::InstallGenericAdapter;

// An aircraft whose selection starts the discovery thread.
constexpr AircraftEntry Discovered(std::int32_t id, void (*install)(Server&), std::array<DiscoveryRoutine, 2> routines,
                                   std::size_t lvarNamesWanted, std::string_view installingLine = {},
                                   std::string_view installedLine = {}) {
    return {id, install, true, routines, lvarNamesWanted, installingLine, installedLine};
}

// The Just Flight 146 (39) and the FSS E-Jets (80) have no adapter of their
// own and no discovery routine: the generic adapter serves them.
// clang-format off
constexpr AircraftEntry kCatalogue[] = {
    Discovered(10, InstallGenericAdapter, {},                                                 10),
    Discovered(17, pmdg737::Install,      {pmdg737::Discover},                                10),
    Discovered(30, InstallGenericAdapter, {asobo::Discover747},                               10),  // a CaptainSim 777
    Discovered(34, pmdg777::Install,      {pmdg777::Discover},                                10),
    Discovered(39, InstallGenericAdapter, {nullptr, asobo::DiscoverCj4Hvars},                 2000),
    Discovered(45, maddog::InstallMaddogAdapter, {maddog::Discover},                          1200),
    Discovered(51, crj::Install,          {crj::Discover},                                    1250),
    Discovered(56, InstallGenericAdapter, {asobo::Discover787},                               60),
    Discovered(57, InstallGenericAdapter, {asobo::Discover747},                               60),
    Discovered(58, InstallGenericAdapter, {DiscoverA320Family},                               230),
    Discovered(59, InstallGenericAdapter, {asobo::DiscoverCj4Lvars, asobo::DiscoverCj4Hvars}, 20),
    Discovered(61, InstallGenericAdapter, {},                                                 10),
    Discovered(64, InstallGenericAdapter, {},                                                 10),
    Discovered(74, InstallGenericAdapter, {},                                                 10),
    Discovered(77, inibuilds::InstallInibuildsAdapter, {inibuilds::Discover},                  2600),
    Discovered(78, atr::Install,          {atr::Discover},                                    1200),
    Discovered(80, InstallGenericAdapter, {},                                                 10,
               "adjusting function pointers to FSS ERJ", "finished adjusting function pointers"),
};
// clang-format on

// Any other id: the default aircraft, served by the generic adapter without discovery.
constexpr AircraftEntry kDefaultAircraft{0, InstallGenericAdapter, false, {}, 10, {}, {}};

constexpr bool HasStrictlyIncreasingIds() {
    for (std::size_t i = 1; i < std::size(kCatalogue); ++i) {
        if (kCatalogue[i - 1].id >= kCatalogue[i].id) return false;
    }
    return true;
}
static_assert(HasStrictlyIncreasingIds(), "one row per aircraft id, sorted by id");

constexpr bool EveryRowWantsNames() {
    for (const AircraftEntry& row : kCatalogue) {
        if (row.lvarNamesWanted == 0) return false;
    }
    return true;
}
static_assert(EveryRowWantsNames(), "the bridge waits for at least one name");

}  // namespace

std::span<const AircraftEntry> AircraftCatalogue() {
    return kCatalogue;
}

const AircraftEntry& LookUpAircraft(std::int32_t id) {
    const auto row =
        std::lower_bound(std::begin(kCatalogue), std::end(kCatalogue), id,
                         [](const AircraftEntry& entry, std::int32_t wanted) { return entry.id < wanted; });
    return row != std::end(kCatalogue) && row->id == id ? *row : kDefaultAircraft;
}

}  // namespace tarvo::adapters
