#include "CommandsFixture.h"

#include "adapters/Workers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace tarvo::adapters {
namespace {

using Lines = std::vector<std::string>;

struct CommandWorkersTest : CommandsFixture {
    // The slots of the Fenix's timed sequences, filled from a module that has them.
    void ConnectFenix() {
        ConnectWith({{Slot::GravityGearCrankHandle, "S_HYD_GRAVITY_GEAR_HANDLE"},
                     {Slot::GravityGearCrankRotationValue, "S_HYD_GRAVITY_GEAR_EXTEND_ROTATION"},
                     {Slot::GravityGearExtendSwitch, "S_HYD_GRAVITY_GEAR_EXTEND"},
                     {Slot::Engine1FireTestButton, "S_OH_FIRE_ENG1_TEST"},
                     {Slot::Engine2FireTestButton, "S_OH_FIRE_ENG2_TEST"},
                     {Slot::TransponderKeyClear, "S_PED_ATC_CLR"},
                     {Slot::TransponderKey0, "S_PED_ATC_0"},
                     {Slot::TransponderKey1, "S_PED_ATC_1"},
                     {Slot::TransponderKey2, "S_PED_ATC_2"},
                     {Slot::TransponderKey3, "S_PED_ATC_3"},
                     {Slot::TransponderKey4, "S_PED_ATC_4"},
                     {Slot::TransponderKey5, "S_PED_ATC_5"},
                     {Slot::TransponderKey6, "S_PED_ATC_6"},
                     {Slot::TransponderKey7, "S_PED_ATC_7"},
                     {Slot::TransponderOperationSelector, "S_XPDR_OPERATION"},
                     {Slot::TransponderAltitudeReportingSwitch, "S_XPDR_ALTREPORTING"}});
        Fenix();
    }

    // The keys pressed, in order ("S_PED_ATC_7"), from the writes of 1.0.
    Lines KeysPressed() const {
        Lines keys;
        for (const auto& r : module.Receipts()) {
            if (r.text.rfind("S_PED_ATC_", 0) == 0 && r.value == 1.0) keys.push_back(r.text.substr(10));
        }
        return keys;
    }
    // Time moves by itself again; threads asleep meanwhile wake.
    void ResumeAutoAdvance() {
        fake.clock.SetAutoAdvance(true);
        fake.clock.Advance(1000);
    }

    std::size_t CountWrites(const std::string& name) const {
        const auto receipts = module.Receipts();
        return static_cast<std::size_t>(
            std::count_if(receipts.begin(), receipts.end(), [&](const auto& r) { return r.text == name; }));
    }
};

TEST_F(CommandWorkersTest, TimedSequencesKeepTheirPauses) {
    struct Case {
        std::uint32_t code;
        Lines timeline;
    };
    const Case cases[] = {
        {65852,
         {"0 S_HYD_GRAVITY_GEAR_HANDLE=1", "1500 S_HYD_GRAVITY_GEAR_EXTEND_ROTATION=1",
          "2000 S_HYD_GRAVITY_GEAR_EXTEND_ROTATION=2", "2500 S_HYD_GRAVITY_GEAR_EXTEND_ROTATION=3",
          "3000 S_HYD_GRAVITY_GEAR_EXTEND_ROTATION=4", "3500 S_HYD_GRAVITY_GEAR_EXTEND=1"}},
        {68097,
         {"0 S_OH_FIRE_ENG1_TEST=1", "7000 S_OH_FIRE_ENG1_TEST=0", "9000 S_OH_FIRE_ENG2_TEST=1",
          "16000 S_OH_FIRE_ENG2_TEST=0"}},
    };
    ConnectFenix();
    for (const Case& c : cases) {
        const std::size_t before = module.Receipts().size();
        Run(c.code, 1);
        EXPECT_EQ(fake.threads.PendingThreads(), 1u) << "a worker, not the main thread";
        std::thread([&] { fake.threads.RunNextThread(); }).join();  // a fresh thread: its time starts at 0
        const Lines received = Received();
        EXPECT_EQ(Lines(received.begin() + static_cast<std::ptrdiff_t>(before), received.end()), c.timeline) << c.code;
    }
    EXPECT_EQ(fake.server.adapters.workersRunning, 0);
}

TEST_F(CommandWorkersTest, TransponderCodesAreTypedOnTheOctalKeypad) {
    ConnectFenix();
    Run(68918, 7700);
    RunWorkers();
    EXPECT_EQ(KeysPressed(), (Lines{"CLR", "CLR", "CLR", "CLR", "7", "7", "0", "0"}));
    EXPECT_EQ(CountWrites("S_XPDR_OPERATION"), 4u);
    EXPECT_EQ(CountWrites("S_XPDR_ALTREPORTING"), 4u);
    const Lines received = Received();
    EXPECT_EQ(received[8], "6000 S_PED_ATC_7=1") << "700 ms after each of the four clears";
    EXPECT_EQ(received[10], "7100 S_XPDR_OPERATION=1");

    Run(68918, 1289);   // no keys for 8 and 9
    Run(68918, 10000);  // more than four digits: nothing typed
    RunWorkers();
    const Lines keys = KeysPressed();
    EXPECT_EQ(Lines(keys.begin() + 8, keys.end()), (Lines{"CLR", "CLR", "CLR", "CLR", "1", "2"}));
    // The bridge's worker may log after it: the line is looked for, not taken as the last.
    const Lines log = LogLines();
    EXPECT_NE(std::find(log.begin(), log.end(), "Transponder code 10000 has more than four digits"), log.end());

    Aircraft(58);
    Run(68918, 0x1200);
    EXPECT_EQ(Events(), Lines{"XPNDR_SET 4608"});
    EXPECT_EQ(fake.threads.PendingThreads(), 0u);
}

// Each entry keeps its own code, and two entries never mix their keys.
TEST_F(CommandWorkersTest, TwoTransponderEntriesFollowEachOther) {
    ConnectFenix();
    Run(68918, 1234);
    Run(68918, 5670);
    std::thread first([&] { fake.threads.RunNextThread(); });
    std::thread second([&] { fake.threads.RunNextThread(); });
    first.join();
    second.join();
    const Lines a = {"CLR", "CLR", "CLR", "CLR", "1", "2", "3", "4"};
    const Lines b = {"CLR", "CLR", "CLR", "CLR", "5", "6", "7", "0"};
    Lines ab = a, ba = b;
    ab.insert(ab.end(), b.begin(), b.end());
    ba.insert(ba.end(), a.begin(), a.end());
    const Lines keys = KeysPressed();
    EXPECT_TRUE(keys == ab || keys == ba) << ::testing::PrintToString(keys);
}

TEST_F(CommandWorkersTest, WorkersStartOnlyOnTheirAircraftWithABridge) {
    ConnectFenix();
    fake.journal.Clear();
    Run(68413, 1);  // the oxygen mask test, above normal
    Run(69077, 1);  // engine 1 fire test, on any aircraft
    Aircraft(58);
    Run(68413, 1);
    Run(65852, 1);
    EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.Start"),
              (Lines{"Threads.Start priority=1", "Threads.Start priority=0"}));
}

TEST_F(CommandWorkersTest, GroundServicesDiscoveryRunsOnceAtATime) {
    Run(69109, 1);
    Run(69109, 1);  // still running
    EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.Start"), Lines{"Threads.Start priority=-2"});
    RunWorkers();
    EXPECT_FALSE(fake.server.adapters.commands.groundServicesRunning);
    Run(69109, 1);  // ended without finding GSX: may run again
    RunWorkers();
    fake.server.adapters.groundServicesFound = true;
    Run(69109, 1);
    EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.Start").size(), 2u);
    EXPECT_EQ(fake.threads.PendingThreads(), 0u);

    fake.server.adapters.groundServicesFound = false;
    fake.threads.FailNextThread();
    Run(69109, 1);
    EXPECT_FALSE(fake.server.adapters.commands.groundServicesRunning) << "no thread, nothing runs";
    EXPECT_EQ(fake.server.adapters.workersRunning, 0);
}

// A worker writes through the slot as it is at each step: after an aircraft
// change the slots name another aircraft's variables, or none.
TEST_F(CommandWorkersTest, WorkersReadTheSlotAtEachWrite) {
    ConnectFenix();
    Run(69077, 1);
    fake.clock.SetAutoAdvance(false);
    std::thread worker([&] { fake.threads.RunNextThread(); });
    WaitUntil([&] { return CountWrites("S_OH_FIRE_ENG1_TEST") == 1; });
    fake.server.bridge.slots.ResetAll();  // the aircraft changed
    while (fake.server.adapters.workersRunning > 0) {
        fake.clock.Advance(100);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    worker.join();
    ResumeAutoAdvance();
    EXPECT_EQ(Received(), Lines{"0 S_OH_FIRE_ENG1_TEST=1"});
}

// Shutting down during a 16 s fire test: the worker releases the buttons at
// once and shutdown waits for it, so it never uses a Server that is gone.
TEST_F(CommandWorkersTest, ShutdownWaitsForARunningFireTest) {
    ConnectFenix();
    Run(68097, 1);
    fake.clock.SetAutoAdvance(false);
    std::thread worker([&] { fake.threads.RunNextThread(); });
    WaitUntil([&] { return CountWrites("S_OH_FIRE_ENG1_TEST") == 1; });
    fake.server.host.running = false;
    std::atomic<bool> shutDown{false};
    std::thread shutdown([&] {
        WaitForWorkers(fake.server);
        shutDown = true;
    });
    // Time moves on in small steps, as it would while the worker finishes.
    WaitUntil([&] {
        fake.clock.Advance(10);
        return shutDown.load();
    });
    shutdown.join();
    worker.join();
    ResumeAutoAdvance();
    EXPECT_EQ(fake.server.adapters.workersRunning, 0);
    Lines writes;
    for (const auto& r : module.Receipts()) writes.push_back(r.text + "=" + std::to_string(static_cast<int>(r.value)));
    EXPECT_EQ(writes, (Lines{"S_OH_FIRE_ENG1_TEST=1", "S_OH_FIRE_ENG1_TEST=0", "S_OH_FIRE_ENG2_TEST=1",
                             "S_OH_FIRE_ENG2_TEST=0"}));
    for (const std::string& line : LogLines()) EXPECT_NE(line, "Command threads did not end");
}

}  // namespace
}  // namespace tarvo::adapters
