#pragma once

#include "platform/Threads.h"

namespace tarvo::win32 {

class Win32Threads final : public platform::Threads {
public:
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
};

}  // namespace tarvo::win32
