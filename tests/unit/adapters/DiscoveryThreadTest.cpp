#include "adapters/DiscoveryThread.h"

#include "bridge/WasmBridge.h"
#include "fixtures/DiscoveryFixture.h"
#include "link/Messages.h"

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

    std::vector<std::string> Sequence() const {
        std::vector<std::string> lines;
        for (const std::string& entry : Entries({"Files.AppendLine ", "Clock.Sleep 35000", "Clock.Sleep 3000",
                                                 "Desktop.Post", "Desktop.ShowMessageBox", "Threads.Start "})) {
            if (entry.find("Config data requested") == std::string::npos &&
                entry.find("Logging started") == std::string::npos) {
                lines.push_back(entry);
            }
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
    fake.server.bridge.lvarsReceived = true;
    fake.clock.OnSleep([this](std::uint32_t ms) {
        fake.journal.Add("Clock.Sleep " + std::to_string(ms));
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

TEST_F(DiscoveryThreadTest, ASecondThreadEndsAtOnceWhileOneRuns) {
    const std::lock_guard<std::mutex> running(fake.server.host.locks.discovery);
    RunDiscovery(fake.server);
    EXPECT_TRUE(fake.journal.Entries().empty());
}

}  // namespace
}  // namespace tarvo::adapters
