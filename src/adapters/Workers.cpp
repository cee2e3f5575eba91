#include "adapters/Workers.h"

#include <algorithm>
#include <utility>

namespace tarvo::adapters {
namespace {

// How late a worker notices the shutdown or its adapter's unload at most.
constexpr std::uint32_t kPauseStepMilliseconds = 100;
constexpr std::uint32_t kShutdownPollMilliseconds = 10;
// Every pause notices the shutdown within a step, so this is only reached if
// a worker is stuck; the process then ends without it.
constexpr std::uint32_t kShutdownWaitLimitMilliseconds = 10000;

// Counts the worker out however its body ends.
struct WorkerCount {
    explicit WorkerCount(Server& server) : server(server) {}
    ~WorkerCount() { --server.adapters.workersRunning; }
    Server& server;
};

// Pauses in steps, each time first making sure the server runs and wanted() holds.
template <typename Wanted>
bool PauseWhile(Server& server, std::uint32_t milliseconds, Wanted wanted) {
    for (;;) {
        if (!server.host.running || !wanted()) return false;
        if (milliseconds == 0) return true;
        const std::uint32_t step = std::min(milliseconds, kPauseStepMilliseconds);
        server.ports.clock.Sleep(step);
        milliseconds -= step;
    }
}

}  // namespace

bool StartWorker(Server& server, std::function<void()> body, platform::ThreadPriority priority) {
    // Counted before the thread exists, so a shutdown that comes first still waits for it.
    ++server.adapters.workersRunning;
    const bool started = server.ports.threads.Start(
        [&server, body = std::move(body)] {
            const WorkerCount count(server);
            body();
        },
        priority);
    if (!started) --server.adapters.workersRunning;
    return started;
}

bool WorkerPause(Server& server, std::uint32_t milliseconds) {
    return PauseWhile(server, milliseconds, [] { return true; });
}

bool WorkerPause(Server& server, std::uint32_t milliseconds, const std::atomic<std::uint32_t>& current,
                 std::uint32_t started) {
    return PauseWhile(server, milliseconds, [&current, started] { return current == started; });
}

void WaitForWorkers(Server& server) {
    for (std::uint32_t waited = 0; server.adapters.workersRunning > 0; waited += kShutdownPollMilliseconds) {
        if (waited >= kShutdownWaitLimitMilliseconds) {
            server.log.Write("Command threads did not end");
            return;
        }
        server.ports.clock.Sleep(kShutdownPollMilliseconds);
    }
}

}  // namespace tarvo::adapters
