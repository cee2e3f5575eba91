// Threads that run only when the test says so, named mutexes held by "other
// processes", events waited on through the driven clock, and timers fired by hand.
#pragma once

#include "fakes/Journal.h"
#include "platform/Clock.h"
#include "platform/Threads.h"

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace tarvo::fakes {

class FakeThreads final : public platform::Threads {
public:
    FakeThreads(Journal& journal, platform::Clock& clock) : journal_(journal), clock_(clock) {}

    bool Start(std::function<void()> body, platform::ThreadPriority priority) override;
    void SetCurrentThreadPriority(platform::ThreadPriority priority) override;
    void SetProcessPriorityClass(std::uint32_t priorityClass) override;
    platform::NamedMutexResult CreateNamedMutex(std::string_view name) override;
    EventId NewEvent(bool manualReset, bool initiallySet) override;
    void SignalEvent(EventId event) override;
    platform::WaitResult WaitEvent(EventId event, std::uint32_t timeoutMilliseconds) override;
    void CloseEvent(EventId event) override;
    TimerId StartTimer(std::uint32_t dueMilliseconds, std::uint32_t periodMilliseconds,
                       std::function<void()> tick) override;
    void StopTimer(TimerId timer) override;

    // Scenario controls.
    void HoldMutexElsewhere(std::string name) { heldElsewhere_.insert(std::move(name)); }
    void FailNextEvent() { failNextEvent_ = true; }
    void FailNextThread() { failNextThread_ = true; }
    // Takes the event if it is signalled (an auto-reset one is reset), without waiting.
    bool TakeIfSet(EventId event);
    bool IsEvent(EventId event) const;
    // Started threads run to their end inside Start, before it returns, as a
    // thread the system schedules at once may.
    void RunInsideStart(bool on) { runInsideStart_ = on; }
    // Runs the oldest started thread body on the calling thread; false if none waits.
    bool RunNextThread();
    std::size_t PendingThreads() const;
    // The event was made and not closed since.
    bool IsEventOpen(EventId event) const;
    void FireTimer(TimerId timer);
    // The most recently started timer that still runs; 0 when none does.
    TimerId LastTimer() const;

private:
    struct Event {
        bool manualReset = false;
        bool set = false;
    };

    Journal& journal_;
    platform::Clock& clock_;
    mutable std::mutex mutex_;
    std::set<std::string> heldElsewhere_;
    std::vector<std::function<void()>> pending_;
    std::map<EventId, Event> events_;
    std::map<TimerId, std::function<void()>> timers_;
    std::uintptr_t nextId_ = 0x100;
    bool failNextEvent_ = false;
    bool failNextThread_ = false;
    bool runInsideStart_ = false;
};

}  // namespace tarvo::fakes
