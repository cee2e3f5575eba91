#include "adapters/maddog/MaddogWorkers.h"

#include "adapters/Workers.h"
#include "adapters/maddog/Panel.h"
#include "base/Convert.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <span>

namespace tarvo::adapters::maddog {
namespace {

constexpr auto kPriority = platform::ThreadPriority::BelowNormal;

// Flap detents 1 to 5 as lever positions; other values are positions already.
constexpr std::int32_t kFlapDetents[] = {44, 60, 65, 83, 100};
constexpr std::int32_t kFlapLeverTop = 100;
// Nearer than this the lever is taken to be at the detent.
constexpr std::int32_t kFlapCloseEnough = 4;
constexpr std::uint32_t kFlapStepMilliseconds = 2000;
constexpr int kFlapStepsAtMost = 5;  // 10 s

// The engine-sync knob runs 0 to 100 in four positions.
constexpr std::int32_t kEngineSyncPositionWidth = 33;
constexpr std::int32_t kEngineSyncLastPosition = 3;
constexpr std::uint32_t kEngineSyncClickMilliseconds = 300;
constexpr Click kEngineSyncUp = Up(Panel::Overhead, 188);
constexpr Click kEngineSyncDown = Dn(Panel::Overhead, 188);

constexpr Click kFlapNotchOut = Dn(Panel::Pedestal, 4);
constexpr Click kFlapNotchIn = Up(Panel::Pedestal, 4);

struct TimedClick {
    Click click;
    std::uint32_t pauseAfter = 0;
};

constexpr TimedClick kFireTest[] = {
    {L(Panel::Fire, 3), 1500},
    {L(Panel::Fire, 4), 6000},
    {{Mouse::Middle, Panel::Fire, 5}, 1500},
    {{Mouse::MiddleRelease, Panel::Fire, 5}, 1000},
    {Rel(Panel::Fire, 3), 1500},
    {Rel(Panel::Fire, 4), 0},
};

constexpr TimedClick kClockChronograph[] = {
    {Dn(Panel::Cm1Clock, 1), 700},
    {Dn(Panel::Cm1Clock, 1), 700},
    {Up(Panel::Cm1Clock, 1), 0},
};

MaddogState& State(Server& server) {
    return server.adapters.maddog;
}

// A worker's pause: false, possibly early, once the server shuts down or the
// aircraft it was started for has been unloaded.
bool Pause(Server& server, std::uint32_t load, std::uint32_t milliseconds) {
    return WorkerPause(server, milliseconds, State(server).load, load);
}

// A worker's write: false, and nothing written, once its aircraft has been unloaded.
bool WriteFor(Server& server, std::uint32_t load, Click click) {
    const std::lock_guard<std::mutex> unload(State(server).unloadLock);
    if (State(server).load != load) return false;
    Send(server, click);
    return true;
}

// Once the server shuts down the remaining clicks go without their pauses, so
// no button is left held in the simulator.
void RunTimedClicks(Server& server, std::uint32_t load, std::span<const TimedClick> clicks) {
    bool pausing = true;
    for (const TimedClick& step : clicks) {
        if (!WriteFor(server, load, step.click)) return;
        if (pausing && step.pauseAfter > 0) pausing = Pause(server, load, step.pauseAfter);
    }
}

void StartTimedClicks(Server& server, std::span<const TimedClick> clicks) {
    const std::uint32_t load = State(server).load;
    StartWorker(
        server, [&server, load, clicks] { RunTimedClicks(server, load, clicks); }, kPriority);
}

// The lever position to the nearest whole number, halves away from zero.
std::optional<std::int32_t> FlapLever(Server& server) {
    const std::optional<double> lever = Read(server, Slot::FlapsLever);
    if (!lever) return std::nullopt;
    return TruncateToInt32(std::round(*lever));
}

// Asks the polls for one more notch, unless the last one has not been spent:
// with polls slower than the steps, piled-up notches would overshoot.
bool AskForFlapNotch(Server& server, std::uint32_t load, bool out) {
    MaddogState& state = State(server);
    const std::lock_guard<std::mutex> queue(state.queueLock);
    if (state.load != load) return false;
    if (state.extendSteps == 0 && state.retractSteps == 0) (out ? state.extendSteps : state.retractSteps) = 1;
    return true;
}

void MoveFlaps(Server& server, std::uint32_t load, std::int32_t target) {
    std::optional<std::int32_t> lever = FlapLever(server);
    // In 64 bits: the lever may read anything, down to the 32-bit minimum.
    if (!lever || std::abs(std::int64_t{target} - *lever) < kFlapCloseEnough) return;
    for (int step = 0; step < kFlapStepsAtMost && *lever != target; ++step) {
        if (!AskForFlapNotch(server, load, target > *lever)) return;
        if (!Pause(server, load, kFlapStepMilliseconds)) return;
        lever = FlapLever(server);
        if (!lever) return;
    }
}

// Serves the requests until none is left, so none waits for a later command.
void ServeFlapRequests(Server& server) {
    MaddogState& state = State(server);
    // Waits for an engine-sync movement, which is short, to end.
    const std::lock_guard<std::mutex> knob(state.knobLock);
    for (;;) {
        std::int32_t target = 0;
        std::uint32_t load = 0;
        {
            const std::lock_guard<std::mutex> queue(state.queueLock);
            if (state.flapRequests.empty() || !server.host.running) {
                state.flapRequests.clear();
                state.flapWorkerRunning = false;
                return;
            }
            target = state.flapRequests.front();
            state.flapRequests.pop_front();
            // Requests are emptied on unload, so those left belong to the current load.
            load = state.load;
        }
        MoveFlaps(server, load, target);
    }
}

// The knob's position 0 to 3; a reading beyond its travel counts as its
// nearest end, so the clicks stay within the knob's four positions.
std::optional<std::int32_t> EngineSyncPosition(Server& server) {
    const std::optional<std::int32_t> knob = ReadInt(server, Slot::EngineSyncSelector);
    if (!knob) return std::nullopt;
    return std::clamp(*knob / kEngineSyncPositionWidth, 0, kEngineSyncLastPosition);
}

void TurnEngineSyncKnob(Server& server, std::uint32_t load, std::int32_t target) {
    const std::optional<std::int32_t> knob = EngineSyncPosition(server);
    if (!knob) return;
    const std::int32_t position = *knob;
    const Click click = target > position ? kEngineSyncUp : kEngineSyncDown;
    for (std::int32_t n = std::abs(target - position); n > 0; --n) {
        if (!WriteFor(server, load, click)) return;
        if (!Pause(server, load, kEngineSyncClickMilliseconds)) return;
    }
}

// Serves the knob until it has turned for the last request.
void ServeEngineSync(Server& server) {
    MaddogState& state = State(server);
    const std::lock_guard<std::mutex> knob(state.knobLock);
    for (;;) {
        std::int32_t target = 0;
        std::uint32_t seen = 0;
        std::uint32_t load = 0;
        {
            const std::lock_guard<std::mutex> queue(state.queueLock);
            // An unload while this worker waited for the knob served the
            // requests of the aircraft that has gone.
            if (state.engineSyncServed == state.engineSyncRequests || !server.host.running) {
                state.engineSyncWorkerRunning = false;
                return;
            }
            target = state.engineSyncTarget;
            seen = state.engineSyncRequests;
            load = state.load;
        }
        TurnEngineSyncKnob(server, load, target);
        const std::lock_guard<std::mutex> queue(state.queueLock);
        state.engineSyncServed = std::max(state.engineSyncServed, seen);
    }
}

bool TakeStep(std::atomic<std::int32_t>& steps) {
    std::int32_t left = steps;
    while (left > 0) {
        if (steps.compare_exchange_weak(left, left - 1)) return true;
    }
    return false;
}

}  // namespace

void QueueFlapDetent(Server& server, std::int32_t value) {
    const std::int32_t target = value >= 1 && value <= 5 ? kFlapDetents[value - 1] : value;
    // Anything else is no lever position; without the lever there is nothing to move toward.
    if (target < 0 || target > kFlapLeverTop || !Read(server, Slot::FlapsLever)) return;
    MaddogState& state = State(server);
    bool start = false;
    {
        const std::lock_guard<std::mutex> queue(state.queueLock);
        state.flapRequests.push_back(target);
        start = !state.flapWorkerRunning;
        state.flapWorkerRunning = true;
    }
    if (start && !StartWorker(
                     server, [&server] { ServeFlapRequests(server); }, kPriority)) {
        const std::lock_guard<std::mutex> queue(state.queueLock);
        state.flapRequests.clear();
        state.flapWorkerRunning = false;
    }
}

void StartFireTest(Server& server) {
    StartTimedClicks(server, kFireTest);
}

void StartClockChronograph(Server& server) {
    StartTimedClicks(server, kClockChronograph);
}

void RequestEngineSync(Server& server, std::int32_t target) {
    if (target < 0 || target > kEngineSyncLastPosition) return;
    const std::optional<std::int32_t> position = EngineSyncPosition(server);
    if (!position) return;
    MaddogState& state = State(server);
    bool start = false;
    {
        const std::lock_guard<std::mutex> queue(state.queueLock);
        state.engineSyncTarget = target;
        ++state.engineSyncRequests;
        // A running worker takes the request when its turn ends; without one,
        // a knob already there needs nothing.
        if (!state.engineSyncWorkerRunning) {
            start = target != *position;
            if (!start) state.engineSyncServed = state.engineSyncRequests;
            state.engineSyncWorkerRunning = start;
        }
    }
    if (start && !StartWorker(
                     server, [&server] { ServeEngineSync(server); }, kPriority)) {
        const std::lock_guard<std::mutex> queue(state.queueLock);
        state.engineSyncServed = state.engineSyncRequests;
        state.engineSyncWorkerRunning = false;
    }
}

void SpendFlapStep(Server& server) {
    MaddogState& state = State(server);
    if (TakeStep(state.extendSteps)) {
        Send(server, kFlapNotchOut);
    } else if (TakeStep(state.retractSteps)) {
        Send(server, kFlapNotchIn);
    }
}

void StopWorkers(Server& server) {
    MaddogState& state = State(server);
    const std::lock_guard<std::mutex> unload(state.unloadLock);
    const std::lock_guard<std::mutex> queue(state.queueLock);
    ++state.load;
    state.flapRequests.clear();
    state.engineSyncServed = state.engineSyncRequests;
    state.extendSteps = 0;
    state.retractSteps = 0;
}

}  // namespace tarvo::adapters::maddog
