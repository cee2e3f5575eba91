// Selecting the A320 family with a Fenix running: the discovery thread finds
// its window, reads its FCU and discovers its variables.
#include "adapters/DiscoveryThread.h"
#include "adapters/fenix/Fcu.h"
#include "adapters/fenix/FenixSearches.h"
#include "bridge/WasmBridge.h"
#include "fixtures/DiscoveryFixture.h"
#include "profiles/Profiles.h"
#include "simworld/FenixBlocks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tarvo::adapters {
namespace {

constexpr ProcessId kSystem = 41;
constexpr std::uint64_t kBase = 0x8000000;

// The discovery thread runs on the test's thread; each bridge worker it starts
// runs on the pump's, and the bridge's configuration timer ticks on a third.
struct FenixDiscoveryThreadTest : bridge::DiscoveryFixture {
    FenixDiscoveryThreadTest() {
        window = fake.desktop.AddWindow({"WindowsForms10.Window.8.app.0.19bcb90_r11_ad1",
                                         "FenixSim A320 System 1.0.6.146, commit 2d0de4938", false, kSystem});
        fake.memory.openable = {kSystem};
        fakes::FakeProcessMemory::Region region{{kBase, 0x10000, platform::kPageReadWrite, platform::kMemCommit,
                                                 platform::kPageReadWrite, platform::kMemPrivate},
                                                std::vector<std::uint8_t>(0x10000, 0)};
        simworld::PutFenixFcu(region.bytes, 0x1000, {210.0, 45, 12000, 800});
        fake.memory.RegionsOf(kSystem) = {region};
        simworld::AircraftProfile fenix = profiles::Fenix();
        profiles::PadLvars(fenix, 2100);
        module.Load(fenix);
        fake.server.bridge.lvarsReceived = true;
        fake.server.adapters.currentAircraftId = 58;
        // The module's wait is long enough for all the names to arrive.
        fake.clock.OnSleep([this](std::uint32_t ms) {
            if (ms != 35000) return;
            for (int i = 0; i < 5000; ++i) {
                bridge::WasmBridge* current = bridge::CurrentBridge(fake.server);
                if (current != nullptr && current->LvarCount() == 2100) return;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        pump = std::thread([this] {
            while (!stopPump) {
                if (!fake.threads.RunNextThread()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        ticker = std::thread([this] {
            while (!stopPump) {
                if (const TimerId timer = fake.threads.LastTimer()) fake.threads.FireTimer(timer);
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
    }
    ~FenixDiscoveryThreadTest() override {
        bridge::StopBridge(fake.server);
        stopPump = true;
        pump.join();
        ticker.join();
    }

    WindowId window = 0;
    std::atomic<bool> stopPump{false};
    std::thread pump;
    std::thread ticker;
};

// The FCU is read once per process, also when a take-off data search opened
// the process first.
TEST_F(FenixDiscoveryThreadTest, FindsTheFenixReadsItsFcuAndItsVariables) {
    fake.server.adapters.fenixWindow = window;  // found by an earlier search
    ASSERT_NE(fenix::OpenSystemProcess(fake.server), 0u) << "as a take-off data search would";
    RunDiscovery(fake.server);
    const std::vector<std::string> log = LogLines();
    const std::vector<std::string> expected = {"checking for Fenix A320",
                                               "Fenix A320 detected",
                                               "SPD = 210 , HDG = 45, ALT = 12000 , VS = 800",
                                               "Fenix A320 FCU data available",
                                               "Looking for Fenix A320 Specific lvars",
                                               "Retrieved all relevant Fenix Lvars"};
    std::vector<std::string> seen;
    for (const std::string& line : log) {
        if (std::find(expected.begin(), expected.end(), line) != expected.end()) seen.push_back(line);
    }
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(fake.server.adapters.fenixFlag);
    EXPECT_TRUE(fenix::IsFcuReaderSetUp(fake.server));
    EXPECT_EQ(fake.desktop.posts.back().message, 39255u);

    // Again for the same process: the FCU is not searched a second time.
    bridge::StopBridge(fake.server);
    fake.journal.Clear();
    RunDiscovery(fake.server);
    for (const std::string& line : LogLines()) EXPECT_EQ(line.find("SPD = "), std::string::npos);
}

}  // namespace
}  // namespace tarvo::adapters
