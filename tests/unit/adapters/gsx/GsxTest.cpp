// GSX's ground-services variables: found after every aircraft and on the crew
// app's command, answered by the generic adapter's queries.
#include "adapters/asobo/LoadedAircraft.h"

#include "adapters/Selection.h"
#include "adapters/gsx/Gsx.h"
#include "link/Reports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <mutex>
#include <thread>

namespace tarvo::adapters {
namespace {

using Lines = std::vector<std::string>;

struct GsxTest : LoadedAircraftFixture {
    std::size_t GroundServicesThreads() const { return fake.journal.EntriesStartingWith("Threads.Start").size(); }
};

// More than 30 of the 39 names: GSX runs, and the crew app need not look again.
TEST_F(GsxTest, FoundWhenMoreThanThirtyNamesAreListed) {
    struct Case {
        std::size_t names;
        Lines lines;
        bool found;
        std::size_t threadsFor69109;
    };
    const Case cases[] = {{31, {"Retrieved GSX Lvars"}, true, 0}, {30, {}, false, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.names);
        Load(Joined(Profile("asobo747"), Profile("gsx", c.names)));
        ForgetEverything();
        gsx::Discover(fake.server);
        EXPECT_EQ(DiscoveryLines(), c.lines);
        EXPECT_EQ(fake.server.adapters.groundServicesFound, c.found);
        Run(69109, 1);
        EXPECT_EQ(GroundServicesThreads(), c.threadsFor69109);
        RunWorkers();
    }
}

TEST_F(GsxTest, NamesAreComparedIgnoringCase) {
    Load(Lvars({"OTHER", "fsdt_gsx_state"}));
    gsx::Discover(fake.server);
    EXPECT_EQ(SlotId(fake.server, Slot::GsxState), 1);
}

// GSX adding its variables makes the module number its list anew: a run
// leaves no id behind that now names another variable.
TEST_F(GsxTest, EachRunWritesEverySlot) {
    Load(Profile("gsx"));
    gsx::Discover(fake.server);
    EXPECT_EQ(FilledSlots(), 39u);
    Load(Joined(Lvars({"NEW_0", "NEW_1"}), Profile("gsx", 5)));
    gsx::Discover(fake.server);
    EXPECT_EQ(FilledSlots(), 5u);
    EXPECT_EQ(SlotId(fake.server, Slot::GsxState), 2);
}

double Ask(Server& server, std::uint32_t code) {
    link::ValueQuery query;
    query.code = code;
    generic::QueryValue(server, query);
    double value = 0;
    std::memcpy(&value, query.value.data(), sizeof value);
    return value;
}

TEST_F(GsxTest, QueriesAnswerTheDiscoveredVariables) {
    simworld::AircraftProfile gsx = Profile("gsx");
    for (std::size_t i = 0; i < gsx.lvars.size(); ++i) gsx.lvars[i].second = 100.0 + static_cast<double>(i);
    fake.server.adapters.currentAircraftId = 57;
    Load(gsx);
    gsx::Discover(fake.server);
    const std::pair<std::uint32_t, const char*> rows[] = {
        {1772, "FSDT_GSX_COUATL_STARTED"},
        {1773, "FSDT_GSX_MENU_OPEN"},
        {1774, "FSDT_GSX_CATERING_STATE"},
        {1775, "FSDT_GSX_BOARDING_STATE"},
        {1776, "FSDT_GSX_REFUELING_STATE"},
        {1777, "FSDT_GSX_DEICING_STATE"},
        {1778, "FSDT_GSX_DEBOARDING_STATE"},
        {1779, "FSDT_GSX_DEPARTURE_STATE"},
        {1780, "FSDT_GSX_BOARDING_CARGO_PERCENT"},
        {1781, "FSDT_VAR_Frozen"},
        {1782, "FSDT_GSX_AIRCRAFT_SERVICE_1_TOGGLE"},
        {1783, "FSDT_GSX_AIRCRAFT_SERVICE_2_TOGGLE"},
        {1784, "FSDT_GSX_AIRCRAFT_CARGO_1_TOGGLE"},
        {1785, "FSDT_GSX_AIRCRAFT_CARGO_2_TOGGLE"},
        {1786, "FSDT_GSX_AIRCRAFT_EXIT_1_TOGGLE"},
        {1787, "FSDT_GSX_AIRCRAFT_EXIT_2_TOGGLE"},
        {1788, "FSDT_GSX_AIRCRAFT_MAINCARGO_TOGGLE"},
        {1789, "FSDT_GSX_AIRCRAFT_EXIT_4_TOGGLE"},
        {1790, "FSDT_GSX_DEPARTURE_STATE"},
    };
    WaitUntil([&] { return Ask(fake.server, 1790) != 0.0; });  // the values have come
    for (const auto& [code, name] : rows) {
        EXPECT_EQ(Ask(fake.server, code), module.Lvar(name)) << code << " " << name;
    }
}

// Runs follow each other: the crew app's run holds the lock while it waits for
// the module's names, and the discovery thread's run comes after it.
TEST_F(GsxTest, RunsFollowEachOther) {
    Load(Lvars({}));
    std::mutex mutex;
    std::condition_variable changed;
    bool waiting = false;
    bool release = false;
    fake.clock.OnSleep([&](std::uint32_t ms) {
        if (ms != 5000 || std::this_thread::get_id() == testThread) return;
        std::unique_lock<std::mutex> lock(mutex);
        if (waiting) return;
        waiting = true;
        changed.notify_all();
        changed.wait(lock, [&] { return release; });
    });
    Run(69109, 1);
    std::thread crewAppsRun([this] { RunWorkers(); });
    WaitUntil([&] {
        const std::lock_guard<std::mutex> lock(mutex);
        return waiting;
    });
    const bool free = fake.server.host.locks.gsx.try_lock();
    if (free) fake.server.host.locks.gsx.unlock();
    EXPECT_FALSE(free) << "held while it waits";
    Load(Profile("gsx"));
    std::thread discoveryThreadsRun([this] { gsx::Discover(fake.server); });
    {
        const std::lock_guard<std::mutex> lock(mutex);
        release = true;
    }
    changed.notify_all();
    crewAppsRun.join();
    discoveryThreadsRun.join();
    const Lines lines = DiscoveryLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Retrieved GSX Lvars"), 2);
}

// A run waiting for names ends, and frees the lock, within one of its 5 s
// pauses once the bridge goes out of service or the server shuts down.
TEST_F(GsxTest, AWaitingRunEndsWithTheBridgeOrTheServer) {
    const std::function<void(Server&)> ends[] = {
        [](Server& server) { SelectAdapter(server, 1, 0); },
        [](Server& server) { server.host.running = false; },
    };
    for (const auto& end : ends) {
        Load(Lvars({}));
        fake.server.adapters.lastSelectedId = 57;
        int waits = 0;
        fake.clock.OnSleep([&](std::uint32_t ms) {
            // The aircraft changes, or the server stops, while the run waits.
            if (ms == 5000 && waits++ == 0) end(fake.server);
        });
        Run(69109, 1);
        RunWorkers();  // the crew app's run, on this thread
        EXPECT_EQ(waits, 1);
        const bool free = fake.server.host.locks.gsx.try_lock();
        if (free) fake.server.host.locks.gsx.unlock();
        EXPECT_TRUE(free);
        EXPECT_FALSE(fake.server.adapters.commands.groundServicesRunning);
        EXPECT_EQ(fake.server.adapters.workersRunning, 0);
        fake.server.host.running = true;
        bridge::StopBridge(fake.server);
        StopWorker();
    }
}

}  // namespace
}  // namespace tarvo::adapters
