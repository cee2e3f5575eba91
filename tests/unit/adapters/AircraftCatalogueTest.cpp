#include "adapters/AircraftCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace tarvo::adapters {
namespace {

std::size_t RoutineCount(const AircraftEntry& aircraft) {
    return static_cast<std::size_t>(std::count_if(aircraft.routines.begin(), aircraft.routines.end(),
                                                  [](DiscoveryRoutine routine) { return routine != nullptr; }));
}

TEST(AircraftCatalogue, AgreesWithItself) {
    const auto catalogue = AircraftCatalogue();
    std::set<std::int32_t> discovered;
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        const AircraftEntry& aircraft = catalogue[i];
        if (i > 0) {
            EXPECT_LT(catalogue[i - 1].id, aircraft.id) << "sorted, one row per id";
        }
        EXPECT_NE(aircraft.install, nullptr) << aircraft.id;
        EXPECT_GT(aircraft.lvarNamesWanted, 0u) << aircraft.id;
        EXPECT_EQ(aircraft.installingLine.empty(), aircraft.installedLine.empty()) << aircraft.id;
        if (aircraft.discovers) discovered.insert(aircraft.id);
        EXPECT_EQ(&LookUpAircraft(aircraft.id), &aircraft);
    }
    EXPECT_EQ(discovered, (std::set<std::int32_t>{10, 17, 30, 34, 39, 45, 51, 56, 57, 58, 59, 61, 64, 74, 77, 78, 80}));

    // Every add-on with variables of its own has its routines; the rest have
    // only the ground-services routine that runs on every aircraft.
    const std::pair<std::int32_t, std::size_t> routines[] = {
        {10, 0}, {17, 1}, {30, 1}, {34, 1}, {39, 1}, {45, 1}, {51, 1}, {56, 1}, {57, 1},
        {58, 1}, {59, 2}, {61, 0}, {64, 0}, {74, 0}, {77, 1}, {78, 1}, {80, 0},
    };
    for (const auto& [id, count] : routines) EXPECT_EQ(RoutineCount(LookUpAircraft(id)), count) << id;
    EXPECT_EQ(LookUpAircraft(30).routines, LookUpAircraft(57).routines) << "the 747's routine serves both";
}

TEST(AircraftCatalogue, AnyOtherIdIsTheDefaultAircraft) {
    for (const std::int32_t id : {0, 1, 11, 31, 60, 79, 81, -1}) {
        const AircraftEntry& aircraft = LookUpAircraft(id);
        EXPECT_FALSE(aircraft.discovers) << id;
        EXPECT_EQ(RoutineCount(aircraft), 0u) << id;
        EXPECT_EQ(aircraft.lvarNamesWanted, 10u) << id;
        EXPECT_EQ(aircraft.install, LookUpAircraft(10).install) << "the generic adapter";
    }
}

}  // namespace
}  // namespace tarvo::adapters
