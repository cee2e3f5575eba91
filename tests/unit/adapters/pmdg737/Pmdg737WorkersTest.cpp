// The 737's workers: their priorities and timing on the driven clock, the
// knob worker that may run, and what they may send once the adapter unloads.
#include "Pmdg737Fixture.h"

#include "adapters/Selection.h"
#include "adapters/pmdg/SdkWorkers.h"
#include "sim/SessionState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <thread>

namespace tarvo::adapters {
namespace {

struct Pmdg737WorkersTest : Pmdg737Fixture {
    void SetUp() override {
        ConnectBridgeWithEverySlot();
        Install();
    }

    std::size_t Count(const std::string& token) const {
        std::size_t count = 0;
        const std::string sent = " " + Sent() + " ";
        for (std::size_t at = 0; (at = sent.find(" " + token, at)) != std::string::npos; ++at) {
            const std::size_t end = at + 1 + token.size();
            if (sent[end] == ' ') ++count;
            if (sent[end] == '*') count += std::stoul(sent.substr(end + 1));
        }
        return count;
    }

    // The calls on the 737's connection after its first close.
    std::vector<std::string> CallsAfterClose() const {
        const auto calls = SdkCalls();
        const auto close =
            std::find_if(calls.begin(), calls.end(), [](const std::string& c) { return c.rfind("Close", 0) == 0; });
        return close == calls.end() ? std::vector<std::string>{} : std::vector<std::string>(close + 1, calls.end());
    }
    static bool IsTransmission(const std::string& call) {
        return call.find("TransmitClientEvent") != std::string::npos;
    }
};

TEST_F(Pmdg737WorkersTest, WorkersRunAtTheirPriorities) {
    // {code, value, priority}
    const std::tuple<std::uint32_t, std::int32_t, int> cases[] = {
        {65852, 0, 0},  {68978, 0, -1}, {68656, 1, -1}, {68715, 25, -1}, {65715, 1234, 1},
        {69097, 0, -1}, {69098, 0, -1}, {68367, 0, -1}, {68730, 0, -1},  {69629, 1, 0},
    };
    for (const auto& [code, value, priority] : cases) {
        fake.journal.Clear();
        Run(code, value);
        RunWorkers();
        EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.Start"),
                  std::vector<std::string>{"Threads.Start priority=" + std::to_string(priority)})
            << code;
    }
}

TEST_F(Pmdg737WorkersTest, TransponderKnobsTurnDigitByDigit) {
    SetInt32(sim::kAutopilotRecord, 13, 1200);
    Run(65715, 7700);
    RunWorkers();
    EXPECT_EQ(Sent(),
              "R70436 +300 R70436 +300 R70436 +300 R70436 +300 R70436 +300 R70436 +600 R70437 +300 R70437 +300 "
              "R70437 +300 R70437 +300 R70437");
    EXPECT_FALSE(pmdg::IsKnobBusy(Link()));
}

// "%04d" of these would bring a sign or a fifth digit.
TEST_F(Pmdg737WorkersTest, TransponderCodesOfMoreThanFourDigitsTurnNothing) {
    const std::pair<std::int32_t, std::int32_t> cases[] = {{1200, 10000}, {1200, -1}, {10000, 1200}, {-7, 1200}};
    for (const auto& [shown, requested] : cases) {
        SetInt32(sim::kAutopilotRecord, 13, shown);
        Run(65715, requested);
        RunWorkers();
        EXPECT_EQ(Sent(), "") << shown << " to " << requested;
        EXPECT_FALSE(pmdg::IsKnobBusy(Link()));
    }
}

TEST_F(Pmdg737WorkersTest, OneKnobWorkerAtATime) {
    SetInt32(sim::kAutopilotRecord, 13, 0);
    Run(65715, 1);
    Run(65715, 2);  // the knob is busy: ignored
    EXPECT_EQ(fake.threads.PendingThreads(), 1u);
    RunWorkers();
    EXPECT_EQ(Sent(), "R70439");

    // A worker that could not be made leaves the knob free.
    ClearSent();
    fake.threads.FailNextThread();
    Run(65715, 1);
    EXPECT_FALSE(pmdg::IsKnobBusy(Link()));
    Run(65715, 1);
    RunWorkers();
    EXPECT_EQ(Sent(), "R70439");
}

// Rewind 2 asked to stop in its 1000 ms wait, which outlasts the 800 ms
// hand-over: it must not carry on for the rewind that replaced it.
TEST_F(Pmdg737WorkersTest, ARewindReplacedDuringItsLongWaitStopsForGood) {
    Run(69098, 5);
    StartWorkerThread(1500);  // after 1100 and 2000 clicks, inside the 1000 ms wait
    WaitAtGate();
    Run(69097, 3);
    JoinWorkerThread();
    EXPECT_TRUE(pmdg::IsKnobBusy(Link())) << "the replaced worker left the new one's flag alone";
    EXPECT_EQ(Count("L69987"), 3100u);
    RunWorkers();
    EXPECT_EQ(Count("L69987"), 3100u + 1100u);
    EXPECT_EQ(Count("R69987"), 3u) << "only the new rewind's setting";
    EXPECT_FALSE(pmdg::IsKnobBusy(Link()));
}

TEST_F(Pmdg737WorkersTest, ATransponderEntryReplacedByARewindStopsAndLeavesItsFlag) {
    SetInt32(sim::kAutopilotRecord, 13, 1200);
    Run(65715, 7700);
    StartWorkerThread(600);  // three clicks on the thousands
    WaitAtGate();
    Run(69097, 0);
    JoinWorkerThread();
    EXPECT_EQ(Count("R70436"), 3u);
    EXPECT_EQ(Count("R70437"), 0u);
    EXPECT_TRUE(pmdg::IsKnobBusy(Link())) << "the rewind's flag";
    RunWorkers();
    EXPECT_EQ(Count("L69987"), 1100u);
    EXPECT_FALSE(pmdg::IsKnobBusy(Link()));
}

TEST_F(Pmdg737WorkersTest, TheLargestNegativeSettingIsCountedWithoutOverflow) {
    Run(69098, INT_MIN);
    StartWorkerThread(2905);  // the bursts and their waits take 2900 ms; then 1 ms a click
    WaitAtGate();
    pmdg::CancelKnob(Link());
    JoinWorkerThread();
    EXPECT_EQ(Count("L69987"), 1100u + 2000u + 1000u + 6u);
}

TEST_F(Pmdg737WorkersTest, NothingIsSentOnceTheAdapterUnloads) {
    Run(65852, 0);
    StartWorkerThread(2500);
    WaitAtGate();
    SelectAdapter(fake.server, 1, 0);
    SelectAdapter(fake.server, pmdg737::kAircraftId, 0);  // a new connection for the 737
    JoinWorkerThread();
    EXPECT_EQ(Sent(), "L71634 +2000 L71635");
    const auto after = CallsAfterClose();
    EXPECT_FALSE(after.empty());
    EXPECT_TRUE(std::none_of(after.begin(), after.end(), IsTransmission)) << "no worker sends after the close";
}

TEST_F(Pmdg737WorkersTest, AnUnloadDuringACduSequenceLeavesItsLockUsable) {
    Run(68367, 0);
    StartWorkerThread(1500);
    WaitAtGate();
    pmdg737::Unload(fake.server);
    JoinWorkerThread();
    EXPECT_EQ(Sent(), "L70183 +1000 L70176");
    const auto after = CallsAfterClose();
    EXPECT_TRUE(std::none_of(after.begin(), after.end(), IsTransmission));

    ASSERT_EQ(pmdg737::SetUp(fake.server), 1);
    ClearSent();
    Run(68367, 0);
    RunWorkers();
    EXPECT_EQ(Sent(), "L70183 +1000 L70176 +1000 L70172 +1000 L70177");
}

}  // namespace
}  // namespace tarvo::adapters
