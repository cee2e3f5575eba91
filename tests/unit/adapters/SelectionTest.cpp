#include "adapters/Selection.h"

#include "adapters/fenix/FenixSearches.h"
#include "adapters/generic/GenericAdapter.h"
#include "bridge/WasmBridge.h"
#include "fakes/FakeServer.h"

#include <gtest/gtest.h>

#include <thread>
#include <tuple>

namespace tarvo::adapters {
namespace {

int gUnloads = 0;
void CountUnload(Server&) { ++gUnloads; }

// The seven entries, for comparing whole tables.
auto Entries(const AircraftAdapter& t) {
    return std::make_tuple(t.RunCommand, t.QueryValue, t.FillAutopilotState, t.CountEngineStates, t.ForwardSimEvent,
                           t.Unload, t.SendTakeoffData);
}

struct SelectionTest : ::testing::Test {
    SelectionTest() {
        gUnloads = 0;
        fake.clock.SetAutoAdvance(true);
        fake.files.MakeFolder(fakes::kFakeCrewFolder);
        generic::InstallGenericAdapter(fake.server);
        fake.server.adapters.table.Unload = CountUnload;
    }

    std::vector<std::string> Log() const {
        std::vector<std::string> lines;
        for (const auto& entry : fake.journal.EntriesStartingWith("Files.AppendLine ")) lines.push_back(entry.substr(17));
        return lines;
    }

    fakes::FakeServer fake;
};

TEST_F(SelectionTest, RepeatedIdChangesNothing) {
    SelectAdapter(fake.server, 1, 0);
    EXPECT_EQ(gUnloads, 0);
    EXPECT_EQ(fake.server.adapters.table.Unload, &CountUnload) << "the table is left as it was";
    SelectAdapter(fake.server, 0, 0);
    EXPECT_EQ(gUnloads, 1);
    EXPECT_EQ(fake.server.adapters.currentAircraftId, 0);
    EXPECT_EQ(fake.threads.PendingThreads(), 0u) << "0 discovers nothing";

    // The switch installed the generic table again, entry by entry.
    fakes::FakeServer fresh;
    generic::InstallGenericAdapter(fresh.server);
    EXPECT_TRUE(Entries(fake.server.adapters.table) == Entries(fresh.server.adapters.table));
    EXPECT_EQ(fake.server.adapters.table.Unload, &generic::Unload);
}

TEST_F(SelectionTest, DiscoveryIdsStartTheThreadAtTheirPriority) {
    // {id, starts discovery}
    const std::pair<std::int32_t, bool> cases[] = {{10, true}, {17, true}, {11, false}, {58, true},
                                                   {80, true}, {2, false}, {64, true},  {65, false}};
    for (const auto& [id, discovers] : cases) {
        fake.journal.Clear();
        SelectAdapter(fake.server, id, 0);
        EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.Start").size(), discovers ? 1u : 0u) << id;
    }
    fake.journal.Clear();
    fake.server.adapters.fenixFlag = true;
    SelectAdapter(fake.server, 58, 0);
    SelectAdapter(fake.server, 17, 0);
    EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.Start"),
              (std::vector<std::string>{"Threads.Start priority=1", "Threads.Start priority=1"}));
    fake.server.adapters.fenixFlag = false;
    SelectAdapter(fake.server, 34, 0);
    EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.Start").back(), "Threads.Start priority=-1");
}

TEST_F(SelectionTest, AnAircraftChangeForgetsTheSlotsAndStopsTheBridge) {
    ASSERT_TRUE(bridge::CreateAndStartBridge(fake.server));
    fake.server.bridge.slots.Set(12, 4);
    SelectAdapter(fake.server, 58, 0);
    EXPECT_EQ(fake.server.bridge.slots.Get(12), bridge::kNotFound);
    EXPECT_FALSE(bridge::HasBridge(fake.server));
    EXPECT_EQ(fake.clock.SleptMilliseconds(), 3000u) << "the bridge's worker gets time to close";
}

TEST_F(SelectionTest, FssEJetsAreAnnouncedInTheLog) {
    SelectAdapter(fake.server, 80, 0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"Logging started", "adjusting function pointers to FSS ERJ",
                                               "finished adjusting function pointers"}));
}

TEST_F(SelectionTest, FenixSearchNeverTouchesTheTable) {
    const WindowId fenix = fake.desktop.AddWindow(
        {"WindowsForms10.Window.8.app.0.27a2811_r12_ad1", "FenixSim A320 System 1.5.1.200, commit 5a848f0ad0", false, 7});
    SelectAdapter(fake.server, 58, 2);
    EXPECT_EQ(gUnloads, 0);
    EXPECT_EQ(fake.server.adapters.currentAircraftId, 1);
    EXPECT_EQ(fake.server.adapters.fenixWindow, fenix);
    EXPECT_TRUE(fake.server.adapters.fenixFlag);
    EXPECT_EQ(fake.clock.SleptMilliseconds(), 2000u);
    EXPECT_EQ(Log().back(), "Detected Fenix window");

    // A visible window of that name is not the Fenix's system window.
    fakes::FakeServer other;
    other.clock.SetAutoAdvance(true);
    other.desktop.AddWindow({"WindowsForms10.Window.8.app.0.1", "FenixSim A320 System", true, 7});
    SelectAdapter(other.server, 58, 2);
    EXPECT_FALSE(other.server.adapters.fenixFlag);
}

// The discovery thread looks for the Fenix's window while the crew app may ask
// the main thread to look for it too. Run under ThreadSanitizer, this shows a race.
TEST_F(SelectionTest, TheDiscoveryThreadAndTheMainThreadMayLookForTheFenixAtOnce) {
    const WindowId fenix = fake.desktop.AddWindow(
        {"WindowsForms10.Window.8.app.0.27a2811_r12_ad1", "FenixSim A320 System 1.5.1.200, commit 5a848f0ad0", false, 7});
    std::thread discovery([this] {
        for (int i = 0; i < 200; ++i) fenix::FindFenixByKnownVersions(fake.server);
    });
    for (int i = 0; i < 200; ++i) SelectAdapter(fake.server, 58, 2);
    discovery.join();
    EXPECT_EQ(fake.server.adapters.fenixWindow, fenix);
    EXPECT_TRUE(fake.server.adapters.fenixFlag);
}

}  // namespace
}  // namespace tarvo::adapters
