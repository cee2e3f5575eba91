#include "fakes/FakeThreads.h"

#include <utility>

namespace tarvo::fakes {

bool FakeThreads::Start(std::function<void()> body, platform::ThreadPriority priority) {
    // Journalled once the thread is pending, so a test that sees the entry can run it.
    bool failed = false;
    bool runNow = false;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        failed = std::exchange(failNextThread_, false);
        runNow = !failed && runInsideStart_;
        if (!failed && !runNow) pending_.push_back(std::move(body));
    }
    journal_.Add("Threads.Start priority=" + std::to_string(static_cast<int>(priority)));
    if (runNow) body();
    return !failed;
}

void FakeThreads::SetCurrentThreadPriority(platform::ThreadPriority priority) {
    journal_.Add("Threads.SetCurrentThreadPriority " + std::to_string(static_cast<int>(priority)));
}

void FakeThreads::SetProcessPriorityClass(std::uint32_t priorityClass) {
    journal_.Add("Threads.SetProcessPriorityClass " + std::to_string(priorityClass));
}

platform::NamedMutexResult FakeThreads::CreateNamedMutex(std::string_view name) {
    journal_.Add("Threads.CreateNamedMutex " + std::string(name));
    return {true, heldElsewhere_.contains(std::string(name))};
}

EventId FakeThreads::NewEvent(bool manualReset, bool initiallySet) {
    journal_.Add("Threads.NewEvent");
    const std::lock_guard<std::mutex> lock(mutex_);
    if (failNextEvent_) {
        failNextEvent_ = false;
        return 0;
    }
    const EventId id = nextId_++;
    events_[id] = {manualReset, initiallySet};
    return id;
}

void FakeThreads::SignalEvent(EventId event) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (auto found = events_.find(event); found != events_.end()) found->second.set = true;
}

bool FakeThreads::TakeIfSet(EventId event) {
    const std::lock_guard<std::mutex> lock(mutex_);
    auto found = events_.find(event);
    if (found == events_.end() || !found->second.set) return false;
    if (!found->second.manualReset) found->second.set = false;
    return true;
}

bool FakeThreads::IsEvent(EventId event) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return events_.contains(event);
}

platform::WaitResult FakeThreads::WaitEvent(EventId event, std::uint32_t timeoutMilliseconds) {
    journal_.Add("Threads.WaitEvent " + std::to_string(timeoutMilliseconds));
    // As on Windows: an event that was never made, or was closed, fails at once.
    enum class State { Unknown, Unset, Taken };
    auto take = [&] {
        const std::lock_guard<std::mutex> lock(mutex_);
        auto found = events_.find(event);
        if (found == events_.end()) return State::Unknown;
        if (!found->second.set) return State::Unset;
        if (!found->second.manualReset) found->second.set = false;
        return State::Taken;
    };
    const auto result = [](State state) {
        switch (state) {
            case State::Unknown: return platform::WaitResult::Failed;
            case State::Unset: return platform::WaitResult::TimedOut;
            case State::Taken: return platform::WaitResult::Signalled;
        }
        return platform::WaitResult::Failed;
    };
    const State before = take();
    if (before != State::Unset) return result(before);
    clock_.Sleep(timeoutMilliseconds);
    return result(take());
}

bool FakeThreads::IsEventOpen(EventId event) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return events_.contains(event);
}

void FakeThreads::CloseEvent(EventId event) {
    journal_.Add("Threads.CloseEvent");
    const std::lock_guard<std::mutex> lock(mutex_);
    events_.erase(event);
}

TimerId FakeThreads::StartTimer(std::uint32_t dueMilliseconds, std::uint32_t periodMilliseconds,
                                std::function<void()> tick) {
    TimerId id = 0;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        id = nextId_++;
        timers_[id] = std::move(tick);
    }
    // Journalled once the timer can be fired, so a test that sees the entry can fire it.
    journal_.Add("Threads.StartTimer " + std::to_string(dueMilliseconds) + " " +
                 std::to_string(periodMilliseconds));
    return id;
}

void FakeThreads::StopTimer(TimerId timer) {
    journal_.Add("Threads.StopTimer");
    const std::lock_guard<std::mutex> lock(mutex_);
    timers_.erase(timer);
}

bool FakeThreads::RunNextThread() {
    std::function<void()> body;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (pending_.empty()) return false;
        body = std::move(pending_.front());
        pending_.erase(pending_.begin());
    }
    body();
    return true;
}

std::size_t FakeThreads::PendingThreads() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return pending_.size();
}

TimerId FakeThreads::LastTimer() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return timers_.empty() ? 0 : timers_.rbegin()->first;
}

void FakeThreads::FireTimer(TimerId timer) {
    std::function<void()> tick;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        auto found = timers_.find(timer);
        if (found == timers_.end()) return;
        tick = found->second;
    }
    tick();
}

}  // namespace tarvo::fakes
