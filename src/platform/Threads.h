// Threads and the kernel objects that synchronise them. Worker threads are never
// joined: they end by themselves, so Start reports only whether one was created.
#pragma once

#include "platform/Types.h"

#include <cstdint>
#include <functional>
#include <string_view>

namespace tarvo::platform {

// Windows thread priorities, by value.
enum class ThreadPriority : int {
    Lowest = -2,
    BelowNormal = -1,
    Normal = 0,
    AboveNormal = 1,
    Highest = 2,
};

inline constexpr std::uint32_t kHighPriorityClass = 0x80;

// How a wait on an event ended. Failed: the event is not (or no longer) a
// valid one; the wait returned at once.
enum class WaitResult { Signalled, TimedOut, Failed };

struct NamedMutexResult {
    bool created = false;        // a handle was obtained
    bool alreadyExisted = false; // another holder had created it first
};

class Threads {
public:
    virtual ~Threads() = default;

    // Creates the thread suspended, sets its priority, resumes it and drops the
    // handle. Returns false when the thread could not be created.
    virtual bool Start(std::function<void()> body, ThreadPriority priority) = 0;

    virtual void SetCurrentThreadPriority(ThreadPriority priority) = 0;
    virtual void SetProcessPriorityClass(std::uint32_t priorityClass) = 0;

    // The handle stays open for the life of the process.
    virtual NamedMutexResult CreateNamedMutex(std::string_view name) = 0;

    // Unnamed event; 0 when it could not be created.
    virtual EventId NewEvent(bool manualReset, bool initiallySet) = 0;
    virtual void SignalEvent(EventId event) = 0;
    virtual WaitResult WaitEvent(EventId event, std::uint32_t timeoutMilliseconds) = 0;
    virtual void CloseEvent(EventId event) = 0;

    // A timer-queue timer calling tick on a pool thread; 0 when it could not be made.
    virtual TimerId StartTimer(std::uint32_t dueMilliseconds, std::uint32_t periodMilliseconds,
                               std::function<void()> tick) = 0;
    // Returns after any running tick has finished.
    virtual void StopTimer(TimerId timer) = 0;
};

}  // namespace tarvo::platform
