#include "fakes/DrivenClock.h"

#include <utility>

namespace tarvo::fakes {

std::uint32_t DrivenClock::TickCount() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<std::uint32_t>(now_);
}

void DrivenClock::Sleep(std::uint32_t milliseconds) {
    std::function<void(std::uint32_t)> hook;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        hook = hook_;
    }
    if (hook) hook(milliseconds);
    std::unique_lock<std::mutex> lock(mutex_);
    slept_ += milliseconds;
    const std::uint64_t wake = now_ + milliseconds;
    if (autoAdvance_) {
        now_ = wake;
        changed_.notify_all();
        return;
    }
    ++sleepers_;
    changed_.notify_all();
    changed_.wait(lock, [&] { return now_ >= wake; });
    --sleepers_;
}

void DrivenClock::Advance(std::uint32_t milliseconds) {
    const std::lock_guard<std::mutex> lock(mutex_);
    now_ += milliseconds;
    changed_.notify_all();
}

void DrivenClock::SetAutoAdvance(bool on) {
    const std::lock_guard<std::mutex> lock(mutex_);
    autoAdvance_ = on;
}

void DrivenClock::WaitForSleepers(std::size_t count) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return sleepers_ >= count; });
}

void DrivenClock::OnSleep(std::function<void(std::uint32_t)> hook) {
    const std::lock_guard<std::mutex> lock(mutex_);
    hook_ = std::move(hook);
}

std::uint64_t DrivenClock::SleptMilliseconds() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return slept_;
}

}  // namespace tarvo::fakes
