#include "fakes/DrivenClock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tarvo::fakes {
namespace {

TEST(DrivenClock, SleepEndsOnlyWhenTimeIsAdvancedPastIt) {
    DrivenClock clock(0);
    std::atomic<bool> woke{false};
    std::thread sleeper([&] {
        clock.Sleep(35000);
        woke = true;
    });
    clock.WaitForSleepers(1);
    clock.Advance(34999);
    EXPECT_FALSE(woke.load());
    clock.Advance(1);
    sleeper.join();
    EXPECT_TRUE(woke.load());
    EXPECT_EQ(clock.TickCount(), 35000u);
}

TEST(DrivenClock, AutoAdvanceMovesTimeByEachSleep) {
    DrivenClock clock(100);
    clock.SetAutoAdvance(true);
    clock.Sleep(1500);
    clock.Sleep(1);
    EXPECT_EQ(clock.TickCount(), 1601u);
    EXPECT_EQ(clock.SleptMilliseconds(), 1501u);
}

}  // namespace
}  // namespace tarvo::fakes
