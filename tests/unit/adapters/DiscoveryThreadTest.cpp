#include "adapters/DiscoveryThread.h"

#include "adapters/Selection.h"
#include "adapters/Slots.h"
#include "bridge/WasmBridge.h"
#include "fixtures/DiscoveryFixture.h"
#include "link/Messages.h"
#include "profiles/Profiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace tarvo::adapters {
namespace {

using bridge::StopBridge;

// The discovery thread runs on the test's thread; each bridge worker it starts
// runs on the pump's.
struct DiscoveryThreadTest : bridge::DiscoveryFixture {
    DiscoveryThreadTest() {
        fake.clock.OnSleep([this](std::uint32_t ms) { Slept(ms); });
        pump = std::thread([this] {
            while (!stopPump) {
                if (!fake.threads.RunNextThread()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    }
    ~DiscoveryThreadTest() override {
        StopBridge(fake.server);
        stopPump = true;
        pump.join();
    }

    // Records the pause; the configuration timer ticks meanwhile, so a module
    // that answers delivers its names to the bridge.
    void Slept(std::uint32_t ms) {
        fake.journal.Add("Clock.Sleep " + std::to_string(ms));
        fake.threads.FireTimer(fake.threads.LastTimer());
    }

    // The thread's own steps; the bridge worker's lines come when they come.
    std::vector<std::string> Sequence() const {
        std::vector<std::string> lines;
        for (const std::string& entry : Entries({"Files.AppendLine ", "Clock.Sleep 35000", "Clock.Sleep 3000",
                                                 "Desktop.Post", "Desktop.ShowMessageBox", "Threads.Start "})) {
            const bool fromBridge = entry.find("Config data") != std::string::npos ||
                                    entry.find("CLIENT_DATA received") != std::string::npos ||
                                    entry.find("vars received") != std::string::npos;
            if (!fromBridge && entry.find("Logging started") == std::string::npos) lines.push_back(entry);
        }
        return lines;
    }

    std::atomic<bool> stopPump{false};
    std::thread pump;
};

TEST_F(DiscoveryThreadTest, ASilentModuleGetsThreeRetriesThenAMessageBox) {
    module.SetSilent(true);
    RunDiscovery(fake.server);
    std::vector<std::string> expected = {"Files.AppendLine checking for Fenix A320"};
    for (int attempt = 0; attempt < 4; ++attempt) {
        expected.insert(expected.end(),
                        {"Files.AppendLine Connected to MSFS", "Threads.Start priority=1", "Clock.Sleep 35000"});
        if (attempt < 3) expected.push_back("Files.AppendLine server wasm module not responding. Trying again");
    }
    expected.push_back(
        "Desktop.ShowMessageBox The WASM server failed to respond. Please restart ZUL.\nIf it fails again, please "
        "restart MSFS.");
    EXPECT_EQ(Sequence(), expected);
    EXPECT_EQ(module.Reloads(), 7) << "one as each bridge comes up, one before each restart";
    EXPECT_EQ(fake.desktop.messageBoxes.at(0).caption, "Tarvo81_Ldr");
    EXPECT_FALSE(fake.server.bridge.valueDelivery);

    // The budget is the whole run's: the next aircraft gets one wait only.
    StopBridge(fake.server);
    fake.journal.Clear();
    RunDiscovery(fake.server);
    const auto sequence = Sequence();
    EXPECT_EQ(std::count(sequence.begin(), sequence.end(), "Clock.Sleep 35000"), 1);
    EXPECT_EQ(fake.desktop.messageBoxes.size(), 2u);
}

TEST_F(DiscoveryThreadTest, NamesReceivedMakeTheAircraftReady) {
    module.Load({{{"LVAR_0", 1.0}}, {}});
    fake.server.bridge.lvarsReceived = true;  // as after an earlier aircraft
    fake.server.adapters.currentAircraftId = 10;
    RunDiscovery(fake.server);
    EXPECT_EQ(Sequence(), (std::vector<std::string>{
                              "Files.AppendLine checking for Fenix A320",
                              "Files.AppendLine Connected to MSFS",
                              "Threads.Start priority=1",
                              "Clock.Sleep 35000",
                              "Clock.Sleep 3000",
                              "Desktop.Post 39255",
                          }));
    EXPECT_EQ(fake.desktop.posts.at(0), (fakes::PostedMessage{kCrewWindow, link::kMsgAircraftReady, 0, 0}));
    EXPECT_TRUE(fake.server.bridge.valueDelivery);
    EXPECT_TRUE(fake.server.host.locks.discovery.try_lock()) << "the lock is left";
    fake.server.host.locks.discovery.unlock();
}

TEST_F(DiscoveryThreadTest, AnAircraftChangeDuringTheWaitBringsTheBridgeUpAgain) {
    module.Load({{{"LVAR_0", 1.0}}, {}});
    fake.server.bridge.lvarsReceived = true;
    fake.clock.OnSleep([this](std::uint32_t ms) {
        Slept(ms);
        if (ms == 35000 && fake.journal.EntriesStartingWith("Clock.Sleep 35000").size() == 1) StopBridge(fake.server);
    });
    RunDiscovery(fake.server);
    const auto sequence = Sequence();
    EXPECT_EQ(std::count(sequence.begin(), sequence.end(), "Files.AppendLine Connected to MSFS"), 2);
    EXPECT_EQ(sequence.back(), "Desktop.Post 39255");
    EXPECT_EQ(fake.server.bridge.retryCount, 0) << "no retry was spent";
}

TEST_F(DiscoveryThreadTest, ShutdownDuringTheWaitEndsTheThreadWithoutAnnouncingAnything) {
    fake.server.bridge.lvarsReceived = true;
    fake.server.host.stopEvent = fake.threads.NewEvent(true, false);
    fake.clock.OnSleep([this](std::uint32_t ms) {
        fake.journal.Add("Clock.Sleep " + std::to_string(ms));
        if (ms != 35000) return;
        fake.server.host.running = false;
        fake.threads.SignalEvent(fake.server.host.stopEvent);
    });
    RunDiscovery(fake.server);
    EXPECT_EQ(Sequence(), (std::vector<std::string>{
                              "Files.AppendLine checking for Fenix A320",
                              "Files.AppendLine Connected to MSFS",
                              "Threads.Start priority=1",
                              "Clock.Sleep 35000",
                          }));
    EXPECT_FALSE(fake.server.bridge.valueDelivery);
    EXPECT_TRUE(fake.server.host.locks.discovery.try_lock()) << "the lock is left";
    fake.server.host.locks.discovery.unlock();
}

// The new aircraft's own thread ends on the held lock, so this one starts over
// for it: one 39255, after the new aircraft's routines, and nothing left of
// the aircraft it began with.
TEST_F(DiscoveryThreadTest, AnAircraftChangeDuringTheRoutinesStartsOverForTheNewAircraft) {
    auto captainSim = profiles::ProfileNamed("asobo747").value();
    profiles::PadLvars(captainSim, 40);  // four passes
    auto cj4 = profiles::ProfileNamed("cj4").value();
    profiles::PadLvars(cj4, 60);
    module.Load(captainSim);
    fake.server.bridge.lvarsReceived = true;
    fake.server.adapters.currentAircraftId = 30;
    fake.server.adapters.lastSelectedId = 30;
    bool selected = false;
    fake.clock.OnSleep([&](std::uint32_t ms) {
        Slept(ms);
        const auto lines = LogLines();
        const bool betweenPasses = std::find(lines.begin(), lines.end(), "Looking for more Lvars") != lines.end();
        if (ms == 5000 && betweenPasses && !selected) {
            selected = true;
            module.Load(cj4);
            SelectAdapter(fake.server, 59, 0);
        }
    });
    RunDiscovery(fake.server);

    const auto lines = LogLines();
    const auto logged = [&](const char* line) { return std::count(lines.begin(), lines.end(), line); };
    EXPECT_EQ(logged("Looking for more Lvars"), 1) << "the first aircraft's passes end with its bridge";
    EXPECT_EQ(logged("Retrieved LVRAS for CaptainSim 777 plane"), 0);
    EXPECT_EQ(logged("Retrieved LVRAS for CJ4"), 1);
    EXPECT_EQ(logged("Connected to MSFS"), 2);
    ASSERT_EQ(fake.desktop.posts.size(), 1u);
    EXPECT_EQ(fake.desktop.posts[0].message, link::kMsgAircraftReady);
    EXPECT_EQ(Sequence().back(), "Desktop.Post 39255");
    EXPECT_TRUE(fake.server.adapters.cj4Flag);
    EXPECT_FALSE(fake.server.adapters.asobo747Flag);
    EXPECT_EQ(fake.server.bridge.slots.Get(Cell(Slot::Autopilot1Light)), bridge::kNotFound);
    EXPECT_EQ(fake.server.bridge.slots.Get(Cell(Slot::LnavArmedState)), 2) << "WT_CJ4_NAV_ON";
    EXPECT_TRUE(fake.server.host.locks.discovery.try_lock()) << "the lock is left";
    fake.server.host.locks.discovery.unlock();
}

TEST_F(DiscoveryThreadTest, ASecondThreadEndsAtOnceWhileOneRuns) {
    const std::lock_guard<std::mutex> running(fake.server.host.locks.discovery);
    RunDiscovery(fake.server);
    EXPECT_TRUE(fake.journal.Entries().empty());
}

}  // namespace
}  // namespace tarvo::adapters
