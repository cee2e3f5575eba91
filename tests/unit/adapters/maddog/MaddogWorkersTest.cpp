#include "MaddogFixture.h"

#include "adapters/Workers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tarvo::adapters {
namespace {

const std::string kNotchOut = MaddogFixture::Click("Dn", "pedestal_event", 4);
const std::string kNotchIn = MaddogFixture::Click("Up", "pedestal_event", 4);
const std::string kSyncUp = MaddogFixture::Click("Up", "overhead_event", 188);
const std::string kSyncDown = MaddogFixture::Click("Dn", "overhead_event", 188);

struct MaddogWorkersTest : MaddogFixture {
    void SetUp() override { LoadMaddog(); }

    // Runs the flap worker with a snapshot poll every period of its time.
    void RunFlapsPolledEvery(std::uint64_t period, const std::function<void(std::uint64_t)>& also = nullptr) {
        RunWorker([this, period, also](std::uint64_t now) {
            if (now % period == 0) Poll();
            if (also) also(now);
        });
    }

    Lines Timed(std::initializer_list<std::pair<int, std::string>> lines) {
        Lines timed;
        for (const auto& [at, text] : lines) timed.push_back(std::to_string(at) + " " + text);
        return timed;
    }
};

// The lever stays at 40 (nothing moves it here): a notch is asked for every
// 2 s for 10 s, and each poll spends what is there. A notch is asked for only
// when the last one was spent, so slower polls do not pile notches up.
TEST_F(MaddogWorkersTest, FlapNotchesGoOutWithThePolls) {
    struct Case {
        std::uint64_t pollPeriod;
        Lines notches;
    };
    const Case cases[] = {
        {1000, Timed({{0, kNotchOut}, {2000, kNotchOut}, {4000, kNotchOut}, {6000, kNotchOut}, {8000, kNotchOut}})},
        {3000, Timed({{0, kNotchOut}, {3000, kNotchOut}, {6000, kNotchOut}, {9000, kNotchOut}})},
    };
    Set("ped_flap_lever1", 40);
    for (const Case& c : cases) {
        Run(65698, 3);
        ASSERT_EQ(fake.threads.PendingThreads(), 1u);
        RunFlapsPolledEvery(c.pollPeriod);
        for (int i = 0; i < 3; ++i) Poll();  // after the 10 s: nothing left
        EXPECT_EQ(Sent(), c.notches) << c.pollPeriod;
    }
    EXPECT_FALSE(State().flapWorkerRunning);
}

// The lever is read to the nearest whole number, halves away from zero, and
// moves only when 4 or more from the detent.
TEST_F(MaddogWorkersTest, FlapsMoveOnlyWhenFarFromTheDetent) {
    struct Case {
        double lever;
        std::int32_t value;
        std::size_t notches;
    };
    const Case cases[] = {
        {42, 1, 0},      // 44
        {40.5, 1, 0},    // 41 to 44
        {39.5, 1, 5},    // 40 to 44
        {66.4, 65, 0},   // a lever position asked for directly
        {-1e300, 0, 5},  // a lever reading far out of range
    };
    for (const Case& c : cases) {
        Set("ped_flap_lever1", c.lever);
        Run(65698, c.value);
        RunFlapsPolledEvery(1000);
        EXPECT_EQ(Sent().size(), c.notches) << c.lever << " " << c.value;
    }
    for (const std::int32_t value : {101, -1, 150}) Run(65595, value);  // no lever position
    EXPECT_EQ(fake.threads.PendingThreads(), 0u);
}

// A request made while the worker runs waits for it and is served by it, in
// order; none is left for a later command to find.
TEST_F(MaddogWorkersTest, FlapRequestsDuringARunAreServedInOrder) {
    Set("ped_flap_lever1", 40);
    Run(65698, 5);  // 100: out
    RunFlapsPolledEvery(1000, [this](std::uint64_t now) {
        if (now == 3000) Run(65698, 0);  // up, asked for meanwhile
    });
    EXPECT_EQ(Sent(), Timed({{0, kNotchOut},
                             {2000, kNotchOut},
                             {4000, kNotchOut},
                             {6000, kNotchOut},
                             {8000, kNotchOut},
                             {10000, kNotchIn},
                             {12000, kNotchIn},
                             {14000, kNotchIn},
                             {16000, kNotchIn},
                             {18000, kNotchIn}}));
    EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.Start priority=-1").size(), 1u) << "one worker";
    EXPECT_TRUE(State().flapRequests.empty());
    EXPECT_FALSE(State().flapWorkerRunning);
}

TEST_F(MaddogWorkersTest, EngineSyncTurnsTheKnobToItsPosition) {
    struct Case {
        double knob;
        std::int32_t target;
        Lines clicks;  // empty: no worker
    };
    const Case cases[] = {
        {0, 2, Timed({{0, kSyncUp}, {300, kSyncUp}})},
        {99, 0, Timed({{0, kSyncDown}, {300, kSyncDown}, {600, kSyncDown}})},
        {66, 2, {}},   // there already
        {250, 3, {}},  // beyond the knob's travel: at its end
        {0, 4, {}},    // the knob has four positions
        {0, -1, {}},
        {0, 50000, {}},
        {0, -2147483647 - 1, {}},
    };
    for (const Case& c : cases) {
        Set("ovhd_eng_sync_switch", c.knob);
        Run(68849, c.target);
        ASSERT_EQ(fake.threads.PendingThreads(), c.clicks.empty() ? 0u : 1u) << c.knob << " " << c.target;
        if (!c.clicks.empty()) RunWorker();
        EXPECT_EQ(Sent(), c.clicks) << c.knob << " " << c.target;
    }
}

TEST_F(MaddogWorkersTest, EngineSyncServesATargetChangedDuringItsTurn) {
    Set("ovhd_eng_sync_switch", 0);
    Run(68849, 3);
    RunWorker([this](std::uint64_t now) {
        if (now != 0) return;
        Run(68849, 1);  // asked while the knob turns toward 3
        Set("ovhd_eng_sync_switch", 99);
    });
    EXPECT_EQ(Sent(), Timed({{0, kSyncUp}, {300, kSyncUp}, {600, kSyncUp}, {900, kSyncDown}, {1200, kSyncDown}}));
    EXPECT_EQ(fake.threads.PendingThreads(), 0u) << "served by the same worker";
    EXPECT_FALSE(State().engineSyncWorkerRunning);
}

// The flap and engine-sync workers take the knob in turn: an engine-sync
// request made while the flaps move is served once they are done, unless the
// aircraft is unloaded meanwhile.
TEST_F(MaddogWorkersTest, EngineSyncWaitsForTheFlaps) {
    struct Case {
        bool unload;
        Lines clicks;
    };
    const Case cases[] = {{false, {kSyncUp, kSyncUp}}, {true, {}}};
    Set("ped_flap_lever1", 40);
    for (const Case& c : cases) {
        Set("ovhd_eng_sync_switch", 0);
        const std::size_t before = module.Receipts().size();
        bool waited = true;
        std::thread sync;
        Run(65698, 3);
        RunWorker([&](std::uint64_t now) {
            if (now == 0) {
                Run(68849, 2);
                sync = std::thread([&] { fake.threads.RunNextThread(); });
            }
            if (now == 2000 && c.unload) maddog::Unload(fake.server);
            waited = waited && module.Receipts().size() == before;
        });
        sync.join();
        EXPECT_TRUE(waited) << c.unload;
        EXPECT_EQ(Texts(), c.clicks) << c.unload;
        EXPECT_FALSE(State().engineSyncWorkerRunning);
    }
}

TEST_F(MaddogWorkersTest, FireTestAndChronographKeepTheirTimes) {
    struct Case {
        std::uint32_t code;
        Lines timeline;
    };
    const Case cases[] = {
        {68097, Timed({{0, Click("L", "fire_event", 3)},
                       {1500, Click("L", "fire_event", 4)},
                       {7500, "1073741824 5 + (>L:fire_event,number)"},
                       {9000, "262144 5 + (>L:fire_event,number)"},
                       {10000, Click("Rel", "fire_event", 3)},
                       {11500, Click("Rel", "fire_event", 4)}})},
        {68656, Timed({{0, Click("Dn", "CM1_clock_event", 1)},
                       {700, Click("Dn", "CM1_clock_event", 1)},
                       {1400, Click("Up", "CM1_clock_event", 1)}})},
    };
    for (const Case& c : cases) {
        fake.journal.Clear();
        Run(c.code, 0);
        EXPECT_EQ(fake.threads.PendingThreads(), 0u) << "value 0 starts nothing";
        Run(c.code, 1);
        EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.Start"), Lines{"Threads.Start priority=-1"});
        RunWorker();
        EXPECT_EQ(Sent(), c.timeline) << c.code;
    }
    EXPECT_EQ(fake.server.adapters.workersRunning, 0);
}

// An unload (an aircraft change, or shutdown's) in the middle of a movement:
// nothing of the worker reaches the aircraft afterwards, the flap requests
// and notches are gone, and its lock is free for the next aircraft's worker.
TEST_F(MaddogWorkersTest, UnloadStopsTheWorkersWrites) {
    struct Case {
        std::uint32_t code;
        std::int32_t value;
        Lines before;  // what the worker sent before the unload
    };
    const Case cases[] = {
        {68097, 1, {Click("L", "fire_event", 3)}},
        {68849, 3, {kSyncUp}},
        {65698, 3, {}},
    };
    Set("ped_flap_lever1", 40);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        Set("ovhd_eng_sync_switch", 0);
        const std::size_t receipts = module.Receipts().size();
        Run(c.code, c.value);
        fake.clock.SetAutoAdvance(false);
        std::thread worker([&] { fake.threads.RunNextThread(); });
        // The worker is in its first pause.
        WaitUntil([&] { return c.before.empty() ? State().extendSteps == 1 : module.Receipts().size() > receipts; });
        EXPECT_EQ(Texts(), c.before);
        maddog::Unload(fake.server);
        maddog::Discover(fake.server);  // the aircraft selected again
        EXPECT_EQ(State().extendSteps, 0);
        EXPECT_TRUE(State().flapRequests.empty());
        AdvanceUntilWorkersEnd();
        worker.join();
        ResumeAutoAdvance();
        Poll();
        EXPECT_EQ(Texts(), Lines{}) << c.code << ": nothing after the unload";
        EXPECT_FALSE(State().flapWorkerRunning);
        EXPECT_FALSE(State().engineSyncWorkerRunning);

        Run(c.code, c.value);
        RunWorker();
        EXPECT_FALSE(Texts().empty() && c.code != 65698) << c.code << ": a new worker runs";
        Clear();
    }
}

// At shutdown the fire test releases its buttons at once, and shutdown waits
// for it.
TEST_F(MaddogWorkersTest, AtShutdownTheFireTestReleasesItsButtons) {
    Run(68097, 1);
    fake.clock.SetAutoAdvance(false);
    std::thread worker([&] { fake.threads.RunNextThread(); });
    WaitUntil([&] { return module.Receipts().size() > 0; });
    fake.server.host.running = false;
    std::atomic<bool> done{false};
    std::thread shutdown([&] {
        WaitForWorkers(fake.server);
        done = true;
    });
    WaitUntil([&] {
        fake.clock.Advance(10);
        return done.load();
    });
    shutdown.join();
    worker.join();
    ResumeAutoAdvance();
    EXPECT_EQ(Texts(), (Lines{Click("L", "fire_event", 3), Click("L", "fire_event", 4),
                              "1073741824 5 + (>L:fire_event,number)", "262144 5 + (>L:fire_event,number)",
                              Click("Rel", "fire_event", 3), Click("Rel", "fire_event", 4)}));
}

}  // namespace
}  // namespace tarvo::adapters
