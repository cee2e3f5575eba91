// A clock that only the test moves. A sleeping thread stays asleep until the
// test advances time past its wake-up; with auto-advance on, a sleep moves time
// forward by itself, which suits tests where only the thread under test sleeps.
#pragma once

#include "platform/Clock.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>

namespace tarvo::fakes {

class DrivenClock final : public platform::Clock {
public:
    explicit DrivenClock(std::uint32_t startTick = 1000) : now_(startTick) {}

    std::uint32_t TickCount() override;
    void Sleep(std::uint32_t milliseconds) override;

    void Advance(std::uint32_t milliseconds);
    void SetAutoAdvance(bool on);
    // Blocks until at least count threads are asleep in Sleep.
    void WaitForSleepers(std::size_t count);
    // Total time that sleeps asked for, since construction.
    std::uint64_t SleptMilliseconds() const;
    // Called on the sleeping thread as each sleep begins, before time moves:
    // how a test records the pauses or acts "during" one.
    void OnSleep(std::function<void(std::uint32_t)> hook);

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t now_;
    bool autoAdvance_ = false;
    std::size_t sleepers_ = 0;
    std::uint64_t slept_ = 0;
    std::function<void(std::uint32_t)> hook_;
};

}  // namespace tarvo::fakes
