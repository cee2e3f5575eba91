#include "win32/Win32Threads.h"

#include "win32/Win32.h"

#include <memory>
#include <string>

namespace tarvo::win32 {
namespace {

// No exception may leave a thread's entry point or a timer callback. The core
// logs the ones its own bodies throw before they get here.
void RunGuarded(const std::function<void()>& body) {
    try {
        body();
    } catch (...) {
    }
}

DWORD WINAPI ThreadEntry(LPVOID parameter) {
    std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(parameter));
    RunGuarded(*body);
    return 0;
}

struct Timer {
    HANDLE handle = nullptr;
    std::function<void()> tick;
};

VOID CALLBACK TimerEntry(PVOID parameter, BOOLEAN /*timedOut*/) {
    RunGuarded(static_cast<Timer*>(parameter)->tick);
}

}  // namespace

bool Win32Threads::Start(std::function<void()> body, platform::ThreadPriority priority) {
    auto owned = std::make_unique<std::function<void()>>(std::move(body));
    HANDLE thread = ::CreateThread(nullptr, 0, ThreadEntry, owned.get(), CREATE_SUSPENDED, nullptr);
    if (thread == nullptr) return false;
    owned.release();  // the thread owns it now
    ::SetThreadPriority(thread, static_cast<int>(priority));
    ::ResumeThread(thread);
    ::CloseHandle(thread);
    return true;
}

void Win32Threads::SetCurrentThreadPriority(platform::ThreadPriority priority) {
    ::SetThreadPriority(::GetCurrentThread(), static_cast<int>(priority));
}

void Win32Threads::SetProcessPriorityClass(std::uint32_t priorityClass) {
    ::SetPriorityClass(::GetCurrentProcess(), priorityClass);
}

platform::NamedMutexResult Win32Threads::CreateNamedMutex(std::string_view name) {
    const std::string terminated(name);
    HANDLE mutex = ::CreateMutexA(nullptr, FALSE, terminated.c_str());
    const DWORD error = ::GetLastError();
    return {mutex != nullptr, mutex != nullptr && error == ERROR_ALREADY_EXISTS};
}

EventId Win32Threads::NewEvent(bool manualReset, bool initiallySet) {
    return FromHandle(::CreateEventA(nullptr, manualReset, initiallySet, nullptr));
}

void Win32Threads::SignalEvent(EventId event) { ::SetEvent(ToHandle(event)); }

platform::WaitResult Win32Threads::WaitEvent(EventId event, std::uint32_t timeoutMilliseconds) {
    switch (::WaitForSingleObject(ToHandle(event), timeoutMilliseconds)) {
        case WAIT_OBJECT_0: return platform::WaitResult::Signalled;
        case WAIT_TIMEOUT: return platform::WaitResult::TimedOut;
        default: return platform::WaitResult::Failed;  // WAIT_FAILED: not a valid event
    }
}

void Win32Threads::CloseEvent(EventId event) { ::CloseHandle(ToHandle(event)); }

TimerId Win32Threads::StartTimer(std::uint32_t dueMilliseconds, std::uint32_t periodMilliseconds,
                                 std::function<void()> tick) {
    auto timer = std::make_unique<Timer>();
    timer->tick = std::move(tick);
    if (!::CreateTimerQueueTimer(&timer->handle, nullptr, TimerEntry, timer.get(), dueMilliseconds,
                                 periodMilliseconds, WT_EXECUTEDEFAULT)) {
        return 0;
    }
    return reinterpret_cast<TimerId>(timer.release());
}

void Win32Threads::StopTimer(TimerId timer) {
    std::unique_ptr<Timer> owned(reinterpret_cast<Timer*>(timer));
    if (!owned) return;
    // INVALID_HANDLE_VALUE: wait for a running callback before the Timer goes.
    ::DeleteTimerQueueTimer(nullptr, owned->handle, INVALID_HANDLE_VALUE);
}

}  // namespace tarvo::win32
