#include "host/WorkerThreads.h"

#include "base/ScopeExit.h"

#include <exception>
#include <memory>
#include <string>

namespace tarvo::host {

bool WorkerThreads::Start(std::function<void()> body, platform::ThreadPriority priority) {
    // Counted before the thread exists, so shutdown cannot miss one that has not run yet.
    ++running_;
    auto owned = std::make_shared<std::function<void()>>(std::move(body));
    const bool started = outside_.Start(
        [this, owned] {
            const ScopeExit ended([this] { --running_; });
            RunLogged(*owned, "a worker thread");
        },
        priority);
    if (!started) --running_;
    return started;
}

TimerId WorkerThreads::StartTimer(std::uint32_t dueMilliseconds, std::uint32_t periodMilliseconds,
                                  std::function<void()> tick) {
    return outside_.StartTimer(dueMilliseconds, periodMilliseconds,
                               [this, tick = std::move(tick)] { RunLogged(tick, "a timer"); });
}

void WorkerThreads::RunLogged(const std::function<void()>& body, const char* what) noexcept {
    try {
        body();
    } catch (const std::exception& exception) {
        Report(what, exception.what());
    } catch (...) {
        Report(what, "an unknown exception");
    }
}

void WorkerThreads::Report(const char* what, const char* failure) noexcept {
    try {
        log_.Write(std::string("Unexpected failure in ") + what + ": " + failure);
    } catch (...) {
        // Not even the line could be made; the thread still ends quietly rather
        // than taking the process with it.
    }
}

}  // namespace tarvo::host
