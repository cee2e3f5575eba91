#include "InibuildsFixture.h"

#include "adapters/Workers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace tarvo::adapters {
namespace {

constexpr std::size_t kTransponderCode = 13;  // autopilot record field

struct InibuildsWorkersTest : InibuildsFixture {
    // The next worker on a fresh thread of its own, whose time starts at 0.
    Lines RunWorker() {
        const std::size_t before = ReceiptCount();
        std::thread([&] { fake.threads.RunNextThread(); }).join();
        return ReceivedSince(before);
    }

    // Time moves by itself again; threads asleep meanwhile wake.
    void ResumeAutoAdvance() {
        fake.clock.SetAutoAdvance(true);
        fake.clock.Advance(1000);
    }

    void ShowTransponderCode(std::int32_t code) { SetField(sim::kAutopilotRecord, kTransponderCode, code); }

    Lines TransponderLines() const {
        Lines lines;
        for (const std::string& line : LogLines()) {
            if (line.starts_with("Transponder")) lines.push_back(line);
        }
        return lines;
    }

    // "n×code" for runs of the same line, after the time of the first.
    static Lines Collapsed(const Lines& lines) {
        Lines collapsed;
        std::string last;
        int count = 0;
        std::string firstTime;
        const auto flush = [&] {
            if (count > 0) collapsed.push_back(firstTime + " " + std::to_string(count) + "x " + last);
        };
        for (const std::string& line : lines) {
            const auto space = line.find(' ');
            const std::string what = line.substr(space + 1);
            if (what == last) {
                ++count;
                continue;
            }
            flush();
            last = what;
            count = 1;
            firstTime = line.substr(0, space);
        }
        flush();
        return collapsed;
    }
};

TEST_F(InibuildsWorkersTest, FireTestsHoldEachTestSwitch) {
    LoadA310();
    fake.journal.Clear();
    struct Case {
        std::uint32_t code;
        Lines timeline;
    };
    const Case cases[] = {
        {69077,
         {"0 A310_ENG1_SQUIB_TEST=1", "3000 A310_ENG1_SQUIB_TEST=0", "4500 A310_ENGINE1_LOOP_TEST_SWITCH=1",
          "10500 A310_ENGINE1_LOOP_TEST_SWITCH=0"}},
        {68940,
         {"0 A310_APU_SQUIB_TEST=1", "3000 A310_APU_SQUIB_TEST=0", "4500 A310_APU_LOOP_TEST_SWITCH=1",
          "10500 A310_APU_LOOP_TEST_SWITCH=0"}},
        {68097,
         {"0 A310_ENG1_SQUIB_TEST=1", "3000 A310_ENG1_SQUIB_TEST=0", "4000 A310_ENGINE1_LOOP_TEST_SWITCH=1",
          "10000 A310_ENGINE1_LOOP_TEST_SWITCH=0", "11000 A310_ENG2_SQUIB_TEST=1", "14000 A310_ENG2_SQUIB_TEST=0",
          "15000 A310_ENGINE2_LOOP_TEST_SWITCH=1", "21000 A310_ENGINE2_LOOP_TEST_SWITCH=0"}},
    };
    for (const Case& c : cases) {
        Run(c.code, 0);  // a value of 0 tests nothing
        EXPECT_EQ(fake.threads.PendingThreads(), 0u) << c.code;
        Run(c.code, 1);
        EXPECT_EQ(fake.threads.PendingThreads(), 1u) << "a worker, not the main thread";
        EXPECT_EQ(RunWorker(), c.timeline) << c.code;
    }
    Run(69078, 1);
    Run(68918, 1200);
    EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.Start priority"),
              (Lines{"Threads.Start priority=0", "Threads.Start priority=0", "Threads.Start priority=-2",
                     "Threads.Start priority=0", "Threads.Start priority=-1"}));
    RunWorkers();
    EXPECT_EQ(fake.server.adapters.inibuilds.workersRunning, 0);
}

// Each knob turns through the octal digits: 12 to 70 is 46 clicks, not 58 or 48.
TEST_F(InibuildsWorkersTest, TransponderIsDialledClickByClick) {
    LoadA310();
    ShowTransponderCode(1200);
    Run(68918, 7000);
    const Lines dialled = RunWorker();
    EXPECT_EQ(Collapsed(dialled), (Lines{"0 46x code 1 (>L:A310_TRANSPONDER_OUTER_KNOB_TURNED_CLOCKWISE)",
                                         "17900 1x A310_tcas_mode_pedestal=2", "18200 1x A310_tcas_alt_system=1"}));
    ASSERT_GE(dialled.size(), 2u);
    EXPECT_EQ(dialled[1], "350 code 1 (>L:A310_TRANSPONDER_OUTER_KNOB_TURNED_CLOCKWISE)");
    EXPECT_EQ(dialled[45], "15750 code 1 (>L:A310_TRANSPONDER_OUTER_KNOB_TURNED_CLOCKWISE)")
        << "then 350 ms, 1500 ms, no inner clicks, 300 ms";

    struct Case {
        std::int32_t shown;
        std::int32_t wanted;
        Lines knobs;
    };
    const Case cases[] = {
        {1277, 1200, {"0 63x code 1 (>L:A310_TRANSPONDER_INNER_KNOB_TURNED_ANTICLOCKWISE)"}},
        {1700, 2000, {"0 1x code 1 (>L:A310_TRANSPONDER_OUTER_KNOB_TURNED_CLOCKWISE)"}},  // 17 to 20: one click
        {7777,
         0,
         {"0 63x code 1 (>L:A310_TRANSPONDER_OUTER_KNOB_TURNED_ANTICLOCKWISE)",
          "23550 63x code 1 (>L:A310_TRANSPONDER_INNER_KNOB_TURNED_ANTICLOCKWISE)"}},
    };
    for (const Case& c : cases) {
        ShowTransponderCode(c.shown);
        Run(68918, c.wanted);
        Lines knobs = Collapsed(RunWorker());
        ASSERT_GE(knobs.size(), 2u);
        knobs.resize(knobs.size() - 2);  // the TCAS settings that follow
        EXPECT_EQ(knobs, c.knobs) << c.shown << " to " << c.wanted;
    }
}

TEST_F(InibuildsWorkersTest, CodesTheKnobsCannotShowAreNotDialled) {
    LoadA300();
    ShowTransponderCode(1200);
    for (const std::int32_t code : {1289, -1, 7778, 10000}) Run(68918, code);
    EXPECT_EQ(fake.threads.PendingThreads(), 0u);
    EXPECT_EQ(TransponderLines(),
              (Lines{"Transponder code 1289 cannot be dialled", "Transponder code -1 cannot be dialled",
                     "Transponder code 7778 cannot be dialled", "Transponder code 10000 cannot be dialled"}));

    ShowTransponderCode(1800);  // the simulator shows a code no knob position gives
    Run(68918, 1200);
    EXPECT_EQ(RunWorker(), Lines{});
    EXPECT_EQ(TransponderLines().back(), "Transponder shows code 1800, which cannot be dialled from");

    ShowTransponderCode(0);
    Run(68918, 1);
    EXPECT_EQ(Collapsed(RunWorker()).front(), "0 1x code 1 (>L:INI_TRANSPONDER_INNER_KNOB_TURNED_CLOCKWISE)");
}

// Two dials at once: one after the other, each with its own code, the second
// from where the first left the knobs.
TEST_F(InibuildsWorkersTest, TwoDialsFollowEachOther) {
    LoadA310();
    ShowTransponderCode(0);
    Run(68918, 100);  // 0000 to 0100: one outer click
    Run(68918, 1);    // 0000 to 0001: one inner click, but from 0100 also one outer click back
    std::thread first([&] { fake.threads.RunNextThread(); });
    std::thread second([&] { fake.threads.RunNextThread(); });
    first.join();
    second.join();
    Lines order;
    for (const auto& r : module.Receipts()) {
        order.push_back(r.text.starts_with("1 (>L:A310_TRANSPONDER_") ? r.text.substr(23) : r.text);
    }
    const Lines outerFirst = {"OUTER_KNOB_TURNED_CLOCKWISE)", "A310_tcas_mode_pedestal",
                              "A310_tcas_alt_system",         "OUTER_KNOB_TURNED_ANTICLOCKWISE)",
                              "INNER_KNOB_TURNED_CLOCKWISE)", "A310_tcas_mode_pedestal",
                              "A310_tcas_alt_system"};
    const Lines innerFirst = {
        "INNER_KNOB_TURNED_CLOCKWISE)", "A310_tcas_mode_pedestal",          "A310_tcas_alt_system",
        "OUTER_KNOB_TURNED_CLOCKWISE)", "INNER_KNOB_TURNED_ANTICLOCKWISE)", "A310_tcas_mode_pedestal",
        "A310_tcas_alt_system"};
    EXPECT_TRUE(order == outerFirst || order == innerFirst) << ::testing::PrintToString(order);
}

// A dial takes up to 46 s, longer than an aircraft change takes to fill the
// slots again: unloading stops it, and forgets which aircraft it was.
TEST_F(InibuildsWorkersTest, UnloadStopsARunningDial) {
    LoadA310();
    ShowTransponderCode(0);
    Run(68918, 7700);
    fake.clock.SetAutoAdvance(false);
    std::thread worker([&] { fake.threads.RunNextThread(); });
    WaitUntil([&] {
        fake.clock.Advance(10);
        return ReceiptCount() >= 3;
    });
    std::atomic<bool> unloaded{false};
    std::thread unload([&] {
        fake.server.adapters.table.Unload(fake.server);
        unloaded = true;
    });
    WaitUntil([&] {
        fake.clock.Advance(10);
        return unloaded.load();
    });
    unload.join();
    worker.join();
    ResumeAutoAdvance();
    EXPECT_FALSE(IsA310());
    EXPECT_EQ(fake.server.adapters.inibuilds.workersRunning, 0);
    const std::size_t clicks = ReceiptCount();
    EXPECT_LT(clicks, 10u) << "stopped after a few of its 63 clicks";
    for (const auto& r : module.Receipts()) EXPECT_EQ(r.kind, simworld::WasmModule::Receipt::Kind::Code) << r.text;

    // Started before the unload but not yet running: it never begins.
    Run(69077, 1);
    fake.server.adapters.table.Unload(fake.server);
    RunWorkers();
    EXPECT_EQ(ReceiptCount(), clicks);
}

// Shutting down during a fire test: the held switch is let go at once.
TEST_F(InibuildsWorkersTest, ShutdownLetsTheHeldSwitchGo) {
    LoadA310();
    Run(69078, 1);
    fake.clock.SetAutoAdvance(false);
    std::thread worker([&] { fake.threads.RunNextThread(); });
    WaitUntil([&] { return ReceiptCount() == 1; });
    fake.server.host.running = false;
    WaitUntil([&] {
        fake.clock.Advance(10);
        return fake.server.adapters.workersRunning == 0;
    });
    worker.join();
    ResumeAutoAdvance();
    Lines writes;
    for (const auto& r : module.Receipts()) writes.push_back(r.text + "=" + std::to_string(static_cast<int>(r.value)));
    EXPECT_EQ(writes, (Lines{"A310_ENG2_SQUIB_TEST=1", "A310_ENG2_SQUIB_TEST=0"}));
}

}  // namespace
}  // namespace tarvo::adapters
