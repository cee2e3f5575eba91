// The Threads port as the rest of the program sees it: the outside port, plus
// two things every worker needs. Each thread is counted from its start until
// its body has returned, so shutdown can wait for the threads that still hold
// the Server; and an exception that ends a thread body or a timer tick is
// written to the log instead of vanishing.
#pragma once

#include "host/Log.h"
#include "platform/Threads.h"

#include <atomic>
#include <cstdint>

namespace tarvo::host {

class WorkerThreads final : public platform::Threads {
public:
    WorkerThreads(platform::Threads& outside, Log& log) : outside_(outside), log_(log) {}

    bool Start(std::function<void()> body, platform::ThreadPriority priority) override;
    void SetCurrentThreadPriority(platform::ThreadPriority priority) override {
        outside_.SetCurrentThreadPriority(priority);
    }
    void SetProcessPriorityClass(std::uint32_t priorityClass) override {
        outside_.SetProcessPriorityClass(priorityClass);
    }
    platform::NamedMutexResult CreateNamedMutex(std::string_view name) override {
        return outside_.CreateNamedMutex(name);
    }
    EventId NewEvent(bool manualReset, bool initiallySet) override {
        return outside_.NewEvent(manualReset, initiallySet);
    }
    void SignalEvent(EventId event) override { outside_.SignalEvent(event); }
    platform::WaitResult WaitEvent(EventId event, std::uint32_t timeoutMilliseconds) override {
        return outside_.WaitEvent(event, timeoutMilliseconds);
    }
    void CloseEvent(EventId event) override { outside_.CloseEvent(event); }
    TimerId StartTimer(std::uint32_t dueMilliseconds, std::uint32_t periodMilliseconds,
                       std::function<void()> tick) override;
    void StopTimer(TimerId timer) override { outside_.StopTimer(timer); }

    // Threads started whose body has not yet returned (counting those not yet running).
    std::int32_t Running() const { return running_; }

private:
    // Runs body; an exception is logged with what, never passed on.
    void RunLogged(const std::function<void()>& body, const char* what) noexcept;
    void Report(const char* what, const char* failure) noexcept;

    platform::Threads& outside_;
    Log& log_;
    std::atomic<std::int32_t> running_{0};
};

}  // namespace tarvo::host
