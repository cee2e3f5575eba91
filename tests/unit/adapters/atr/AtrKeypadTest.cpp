#include "AtrFixture.h"

#include "adapters/atr/AtrWorkers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>

namespace tarvo::adapters {
namespace {

struct AtrKeypadTest : AtrFixture {
    AtrKeypadTest() { ConnectAtr(); }

    // The writes of the worker the command started, timed from its start,
    // and when its keypad flag was clear again.
    Lines Typed(std::uint32_t code, std::int32_t value) {
        const std::size_t before = module.Receipts().size();
        Run(code, value);
        EXPECT_EQ(fake.threads.PendingThreads(), 1u) << code;
        EXPECT_TRUE(fake.server.adapters.atr.keypadBusy) << code;
        RunTimedWorker();
        return ReceivedSince(before);
    }
    void RunTimedWorker() {
        std::thread([&] {
            tThreadTime = 0;
            fake.threads.RunNextThread();
            endedAt = tThreadTime;
        }).join();
    }
    // The keys alone, "MSATR_MCP2_" left out.
    static Lines Keys(const Lines& writes) {
        Lines keys;
        for (const std::string& line : writes) {
            const auto at = line.find("MSATR_MCP2_");
            if (at != std::string::npos) keys.push_back(line.substr(at + 11, line.find('=') - at - 11));
        }
        return keys;
    }

    std::uint64_t endedAt = 0;
};

TEST_F(AtrKeypadTest, FrequencyAIsTypedKeyByKeyAndTheFlagClearsAtItsEnd) {
    EXPECT_EQ(Typed(69111, 118250),
              (Lines{"0 MSATR_MCP2_NAV=1", "200 MSATR_MCP2_COM=1", "1200 MSATR_MCP2_UP=1", "1500 MSATR_MCP2_RIGHT=1",
                     "1800 MSATR_MCP2_RIGHT=1", "2100 MSATR_MCP2_1=1", "2400 MSATR_MCP2_1=1", "2700 MSATR_MCP2_8=1",
                     "3000 MSATR_MCP2_PERIOD=1", "3300 MSATR_MCP2_2=1", "3600 MSATR_MCP2_5=1", "3900 MSATR_MCP2_0=1",
                     "4200 MSATR_MCP2_ENTER=1", "4500 MSATR_MCP2_RIGHT=1", "4800 MSATR_MCP2_LEFT=1",
                     "5100 MSATR_MCP2_ENTER=1"}));
    EXPECT_EQ(endedAt, 5400u);
    EXPECT_FALSE(fake.server.adapters.atr.keypadBusy);
}

struct KeysCase {
    std::uint32_t code;
    std::int32_t value;
    Lines keys;
};

TEST_F(AtrKeypadTest, EachKeypadCommandTypesItsKeys) {
    const Lines digits = {"1", "1", "8", "PERIOD", "2", "5", "0"};
    const KeysCase cases[] = {
        // Radio 2 goes down where radio 1 goes up; the last two codes leave it in standby.
        {69112,
         118250,
         {"NAV", "COM", "DOWN", "RIGHT", "RIGHT", "1", "1", "8", "PERIOD", "2", "5", "0", "ENTER", "RIGHT", "LEFT",
          "ENTER"}},
        {69117, 118250, {"NAV", "COM", "UP", "RIGHT", "RIGHT", "1", "1", "8", "PERIOD", "2", "5", "0", "ENTER"}},
        {69113,
         108100,
         {"COM", "NAV", "RIGHT", "RIGHT", "UP", "UP", "1", "0", "8", "PERIOD", "1", "0", "ENTER", "RIGHT", "LEFT",
          "ENTER"}},
        {69120, 108100, {"COM", "NAV", "RIGHT", "RIGHT", "DOWN", "DOWN", "1", "0", "8", "PERIOD", "1", "0"}},
        {69115, 415500, {"COM", "NAV", "NAV", "RIGHT", "RIGHT", "UP", "4", "1", "5", "PERIOD", "5", "ENTER", "ENTER"}},
        {69122,
         415500,
         {"COM", "NAV", "NAV", "RIGHT", "RIGHT", "DOWN", "4", "1", "5", "PERIOD", "5", "ENTER", "ENTER"}},
        {68918, 7700, {"COM",   "SURV", "LEFT", "LEFT", "RIGHT", "RIGHT", "UP",   "7",  "7",  "0",     "0",
                       "ENTER", "LEFT", "DOWN", "DOWN", "UP",    "ENTER", "SURV", "UP", "UP", "ENTER", "COM"}},
        {68918, 12, {"COM",   "SURV", "LEFT", "LEFT", "RIGHT", "RIGHT", "UP",   "0",  "0",  "1",     "2",
                     "ENTER", "LEFT", "DOWN", "DOWN", "UP",    "ENTER", "SURV", "UP", "UP", "ENTER", "COM"}},
        {68114, 1, {"COM", "SURV", "LEFT", "LEFT", "RIGHT", "UP", "UP", "DOWN", "DOWN", "ENTER", "COM"}},
        {68114, 2, {"COM", "SURV", "LEFT", "LEFT", "RIGHT", "UP", "UP", "DOWN", "ENTER", "COM"}},
    };
    for (const KeysCase& c : cases) EXPECT_EQ(Keys(Typed(c.code, c.value)), c.keys) << c.code << " " << c.value;
    EXPECT_EQ(Keys(Typed(68918, 7700)).size(), 22u);
    EXPECT_EQ(endedAt, 300u * 22 + 400 + 200 + 2000) << "SURV 700 and 500 ms, 2 s before the last COM";
}

TEST_F(AtrKeypadTest, FrequencyTextsFitTheirFields) {
    using Group = atr::FrequencyRequest::Group;
    struct Text {
        Group group;
        std::int32_t kilohertz;
        std::optional<std::string> text;
    };
    for (const Text& t :
         {Text{Group::A, 118250, "118.250"}, Text{Group::A, 9000, "9.000"}, Text{Group::A, INT_MAX, "2147483"},
          Text{Group::B, 108100, "108.10"}, Text{Group::B, 1080000, "1080.0"}, Text{Group::C, 415500, "415.5"},
          Text{Group::C, INT_MAX, "214748"}, Text{Group::A, 0, "0.000"}, Text{Group::A, -118250, std::nullopt},
          Text{Group::C, INT_MIN, std::nullopt}}) {
        EXPECT_EQ(atr::FrequencyText(t.group, t.kilohertz), t.text) << t.kilohertz;
    }
    // A short text stops at its end.
    EXPECT_EQ(Keys(Typed(69111, 9000)), (Lines{"NAV", "COM", "UP", "RIGHT", "RIGHT", "9", "PERIOD", "0", "0", "0",
                                               "ENTER", "RIGHT", "LEFT", "ENTER"}));
}

TEST_F(AtrKeypadTest, WhatTheKeypadCannotTypeStartsNothing) {
    const std::size_t before = module.Receipts().size();
    for (const auto& [code, value] : {std::pair{69111u, -118250}, {69116u, INT_MIN}, {68918u, 10000}, {68918u, -1}}) {
        Run(code, value);
        EXPECT_EQ(fake.threads.PendingThreads(), 0u) << code << " " << value;
        EXPECT_FALSE(fake.server.adapters.atr.keypadBusy);
    }
    EXPECT_EQ(ReceivedSince(before), Lines{});
    Lines lines;
    for (const std::string& line : LogLines()) {
        if (line.starts_with("Frequency") || line.starts_with("Transponder")) lines.push_back(line);
    }
    EXPECT_EQ(lines, (Lines{"Frequency -118250 cannot be typed", "Frequency -2147483648 cannot be typed",
                            "Transponder code 10000 cannot be typed", "Transponder code -1 cannot be typed"}));
}

// One keypad worker at a time; a command dropped meanwhile changes nothing
// of the running worker's request.
TEST_F(AtrKeypadTest, KeypadCommandsWhileAWorkerRunsAreDroppedWhole) {
    Run(69111, 118250);
    Run(68918, 7700);    // dropped
    Run(69117, 121500);  // dropped: its swap flag must not reach the running worker
    EXPECT_EQ(fake.threads.PendingThreads(), 1u);
    std::size_t before = module.Receipts().size();
    RunTimedWorker();
    const Lines keys = Keys(ReceivedSince(before));
    EXPECT_EQ(Lines(keys.begin() + 5, keys.end()),
              (Lines{"1", "1", "8", "PERIOD", "2", "5", "0", "ENTER", "RIGHT", "LEFT", "ENTER"}));

    // Accepted once it ended; a frequency dropped during it types nothing of its own.
    Run(68918, 7700);
    Run(69111, 118250);
    EXPECT_EQ(fake.threads.PendingThreads(), 1u);
    before = module.Receipts().size();
    RunTimedWorker();
    const Lines code = Keys(ReceivedSince(before));
    EXPECT_EQ(Lines(code.begin() + 7, code.begin() + 11), (Lines{"7", "7", "0", "0"}));

    // The swap of a group C worker ends with it.
    Keys(Typed(69121, 415500));
    const Lines next = Keys(Typed(69111, 118250));
    EXPECT_EQ(Lines(next.end() - 3, next.end()), (Lines{"RIGHT", "LEFT", "ENTER"}));
}

TEST_F(AtrKeypadTest, AFlagWhoseWorkerCannotStartIsCleared) {
    for (const auto& [code, value] : {std::pair{69111u, 118250}, {68694u, 3}}) {
        fake.threads.FailNextThread();
        Run(code, value);
        EXPECT_FALSE(fake.server.adapters.atr.keypadBusy) << code;
        EXPECT_FALSE(fake.server.adapters.atr.procedureBusy) << code;
        Run(code, value);
        EXPECT_EQ(fake.threads.PendingThreads(), 1u) << code;
        RunWorker();
    }
    EXPECT_EQ(fake.server.adapters.workersRunning, 0);
}

struct ProcedureCase {
    std::int32_t value;
    bool engine2Running;
    Lines writes;
};

Lines ProcedureStart() {
    Lines lines = {"0 MSATR_EFIS_PROC_MENU=1", "700 MSATR_EFIS_PROC_MENU=0"};
    for (int i = 0; i < 12; ++i) lines.push_back(std::to_string(1000 + 300 * i) + " MSATR_EFIS_PROC_DN_2=1");
    return lines;
}

TEST_F(AtrKeypadTest, ProcedureWorkerStepsThroughTheList) {
    // Engine 2 stopped: the start of the list is passed first.
    Lines stopped = ProcedureStart();
    for (const char* line :
         {"4600 MSATR_EFIS_PROC_DN_2=1", "4900 MSATR_EFIS_PROC_VAL_2=1", "5200 MSATR_EFIS_PROC_DN_2=1",
          "5500 MSATR_EFIS_PROC_DN_2=1", "5800 MSATR_EFIS_PROC_DN_2=1", "6100 MSATR_EFIS_PROC_UP_2=1",
          "6400 MSATR_EFIS_PROC_VAL_2=1", "7500 MSATR_EFIS_PROC_DN_2=1", "7800 MSATR_EFIS_PROC_VAL_2=1",
          "8100 MSATR_EFIS_PROC_VAL_2=0", "8100 MSATR_EFIS_PROC_DN_2=0"}) {
        stopped.push_back(line);
    }
    Lines running = ProcedureStart();
    for (const char* line :
         {"4600 MSATR_EFIS_PROC_UP_2=1", "4900 MSATR_EFIS_PROC_VAL_2=1", "6000 MSATR_EFIS_PROC_DN_2=1",
          "6300 MSATR_EFIS_PROC_VAL_2=1", "6600 MSATR_EFIS_PROC_VAL_2=0", "6600 MSATR_EFIS_PROC_DN_2=0"}) {
        running.push_back(line);
    }
    for (const ProcedureCase& c : {ProcedureCase{0, false, stopped}, ProcedureCase{0, true, running}}) {
        SetInt32(sim::kEngineRecord, 1, c.engine2Running ? 1 : 0);
        const std::size_t before = module.Receipts().size();
        Run(68694, c.value);
        EXPECT_TRUE(fake.server.adapters.atr.procedureBusy);
        Run(68694, c.value);  // dropped
        EXPECT_EQ(fake.threads.PendingThreads(), 1u);
        RunTimedWorker();
        EXPECT_EQ(ReceivedSince(before), c.writes) << (c.engine2Running ? "running" : "stopped");
        EXPECT_FALSE(fake.server.adapters.atr.procedureBusy);
    }

    // 48 is the last value with a step count below 50; negative values and
    // the largest (whose + 1 would overflow) do nothing.
    Run(68694, 48);
    EXPECT_EQ(fake.threads.PendingThreads(), 1u);
    std::size_t before = module.Receipts().size();
    RunWorker();
    const Lines writes = ReceivedSince(before);
    EXPECT_EQ(std::count_if(writes.begin(), writes.end(),
                            [](const std::string& w) { return w.ends_with("MSATR_EFIS_PROC_DN_2=1"); }),
              12 + 49);
    for (const std::int32_t value : {49, -1, INT_MAX, INT_MIN}) {
        Run(68694, value);
        EXPECT_EQ(fake.threads.PendingThreads(), 0u) << value;
    }
    // Value 5 validates once more at the end.
    before = module.Receipts().size();
    Run(68694, 5);
    RunWorker();
    Lines five;
    for (const std::string& line : ReceivedSince(before)) five.push_back(line.substr(line.find(' ') + 1));
    EXPECT_EQ(Lines(five.end() - 6, five.end()),
              (Lines{"MSATR_EFIS_PROC_DN_2=1", "MSATR_EFIS_PROC_VAL_2=1", "MSATR_EFIS_PROC_DN_2=1",
                     "MSATR_EFIS_PROC_VAL_2=1", "MSATR_EFIS_PROC_VAL_2=0", "MSATR_EFIS_PROC_DN_2=0"}));
}

struct FireCase {
    std::uint32_t code;
    Lines writes;
};

TEST_F(AtrKeypadTest, FireWorkersKeepTheirTimelines) {
    const Lines engine1 = {"0 MSATR_FIRE_SQUIB_TEST_1=1", "3000 MSATR_FIRE_SQUIB_TEST_1=0",
                           "6000 MSATR_FIRE_FIRE_FAULT_1=2", "9000 MSATR_FIRE_FIRE_FAULT_1=0",
                           "11000 MSATR_FIRE_FIRE_FAULT_1=0"};
    Lines fault = {"0 MSATR_FIRE_FIRE_FAULT_1=1"};
    for (int i = 0; i < 8; ++i) fault.push_back(std::to_string(2000 + 500 * i) + " MSATR_FIRE_FIRE_FAULT_1=0");
    fault.push_back("8500 MSATR_FIRE_FIRE_FAULT_2=1");
    for (int i = 0; i < 8; ++i) fault.push_back(std::to_string(10500 + 500 * i) + " MSATR_FIRE_FIRE_FAULT_2=0");
    fake.journal.Clear();
    for (const FireCase& c : {FireCase{69077, engine1}, FireCase{68429, fault}}) {
        const std::size_t before = module.Receipts().size();
        Run(c.code, 1);
        RunTimedWorker();
        EXPECT_EQ(ReceivedSince(before), c.writes) << c.code;
    }
    EXPECT_EQ(endedAt, 17000u) << "3 s after the last write";
    // Both engines: engine 2 starts 3 s after engine 1 ends.
    const std::size_t before = module.Receipts().size();
    Run(68097, 1);
    Run(68097, 0);  // nothing
    EXPECT_EQ(fake.threads.PendingThreads(), 1u);
    RunTimedWorker();
    const Lines both = ReceivedSince(before);
    ASSERT_EQ(both.size(), 10u);
    EXPECT_EQ(both[5], "14000 MSATR_FIRE_SQUIB_TEST_2=1");
    EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.Start priority=0").size(), 3u) << "default priority";
}

// A keypad worker outlives neither the ATR nor the server: it stops at its
// next step without writing.
TEST_F(AtrKeypadTest, WorkersStopOnUnloadAndShutdown) {
    for (const bool unload : {true, false}) {
        const std::size_t before = module.Receipts().size();
        Run(69111, 118250);
        fake.clock.SetAutoAdvance(false);
        std::thread worker([&] { fake.threads.RunNextThread(); });
        WaitUntil([&] { return module.Receipts().size() == before + 1; });
        if (unload) {
            fake.server.adapters.table.Unload(fake.server);
        } else {
            fake.server.host.running = false;
        }
        while (fake.server.adapters.workersRunning > 0) {
            fake.clock.Advance(100);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        worker.join();
        fake.clock.SetAutoAdvance(true);
        fake.clock.Advance(1000);
        EXPECT_EQ(ReceivedSince(before), Lines{"0 MSATR_MCP2_NAV=1"}) << (unload ? "unload" : "shutdown");
        EXPECT_FALSE(fake.server.adapters.atr.keypadBusy);
        fake.server.host.running = true;
    }
}

}  // namespace
}  // namespace tarvo::adapters
