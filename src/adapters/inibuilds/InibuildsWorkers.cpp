#include "adapters/inibuilds/InibuildsWorkers.h"

#include "adapters/Workers.h"
#include "adapters/inibuilds/InibuildsActions.h"
#include "sim/SessionState.h"

#include <cstdlib>
#include <mutex>
#include <optional>
#include <span>
#include <string>

namespace tarvo::adapters::inibuilds {
namespace {

constexpr std::uint32_t kStopPollMilliseconds = 10;
constexpr std::uint32_t kStopWaitLimitMilliseconds = 1000;

// A worker's pause; false, possibly early, once it should stop: the adapter
// was unloaded since it started, or the server shuts down.
bool Pause(Server& server, std::uint32_t generation, std::uint32_t milliseconds) {
    return WorkerPause(server, milliseconds, server.adapters.inibuilds.generation, generation);
}

// Counts the worker out however its body ends.
struct Running {
    explicit Running(Server& server) : server(server) {}
    ~Running() { --server.adapters.inibuilds.workersRunning; }
    Server& server;
};

template <typename Body>
void Start(Server& server, platform::ThreadPriority priority, Body body) {
    const std::uint32_t generation = server.adapters.inibuilds.generation;
    ++server.adapters.inibuilds.workersRunning;
    const bool started = StartWorker(
        server,
        [&server, generation, body] {
            const Running running(server);
            if (server.adapters.inibuilds.generation == generation) body(generation);
        },
        priority);
    if (!started) --server.adapters.inibuilds.workersRunning;
}

// ---- Fire tests ------------------------------------------------------------------------

// A test switch held on, then the pause before the next.
struct TestStep {
    Slot test;
    std::uint32_t hold;
    std::uint32_t pauseAfter;
};

constexpr std::uint32_t kSquibTest = 3000;
constexpr std::uint32_t kLoopTest = 6000;

// clang-format off
constexpr TestStep kEngine1Test[] = {{Slot::Engine1SquibTestButton, kSquibTest, 1500}, {Slot::Engine1FireTestButton, kLoopTest, 0}};
constexpr TestStep kEngine2Test[] = {{Slot::Engine2SquibTestButton, kSquibTest, 1500}, {Slot::Engine2FireTestButton, kLoopTest, 0}};
constexpr TestStep kApuTest[] =     {{Slot::ApuSquibTestButton,     kSquibTest, 1500}, {Slot::ApuFireTestButton,     kLoopTest, 0}};
constexpr TestStep kBothEnginesTest[] = {
    {Slot::Engine1SquibTestButton, kSquibTest, 1000}, {Slot::Engine1FireTestButton, kLoopTest, 1000},
    {Slot::Engine2SquibTestButton, kSquibTest, 1000}, {Slot::Engine2FireTestButton, kLoopTest, 0},
};
// clang-format on

void RunFireTest(Server& server, std::uint32_t generation, std::span<const TestStep> steps) {
    for (const TestStep& step : steps) {
        Set(server, step.test, 1.0);
        const bool held = Pause(server, generation, step.hold);
        // A stopped test still lets its switch go.
        Set(server, step.test, 0.0);
        if (!held || !Pause(server, generation, step.pauseAfter)) return;
    }
}

// ---- Transponder -----------------------------------------------------------------------

constexpr std::int32_t kLargestCode = 7777;
constexpr std::uint32_t kClickPause = 350;
constexpr std::uint32_t kBetweenKnobs = 1500;
constexpr std::uint32_t kTcasPause = 300;

// The code's two digit pairs as counts of knob clicks from 00: each knob turns
// through the octal digits, 8 clicks for each ten.
struct KnobPositions {
    std::int32_t outer;
    std::int32_t inner;
};

std::optional<KnobPositions> Positions(std::int32_t code) {
    if (!IsSquawkCode(code)) return std::nullopt;
    const std::int32_t d[] = {code / 1000, code / 100 % 10, code / 10 % 10, code % 10};
    return KnobPositions{d[0] * 8 + d[1], d[2] * 8 + d[3]};
}

struct Knob {
    std::string_view clockwise;
    std::string_view anticlockwise;
};
constexpr Knob kOuterKnob{"TRANSPONDER_OUTER_KNOB_TURNED_CLOCKWISE", "TRANSPONDER_OUTER_KNOB_TURNED_ANTICLOCKWISE"};
constexpr Knob kInnerKnob{"TRANSPONDER_INNER_KNOB_TURNED_CLOCKWISE", "TRANSPONDER_INNER_KNOB_TURNED_ANTICLOCKWISE"};

// False when the worker should stop.
bool Turn(Server& server, std::uint32_t generation, const Knob& knob, std::int32_t clicks) {
    const std::string_view name = clicks > 0 ? knob.clockwise : knob.anticlockwise;
    for (std::int32_t i = 0; i < std::abs(clicks); ++i) {
        const std::string prefix = IsA310(server) ? "A310_" : "INI_";
        RunCode(server, "1 (>L:" + prefix + std::string(name) + ")");
        if (!Pause(server, generation, kClickPause)) return false;
    }
    return true;
}

// Autopilot record field: the code the transponder shows.
constexpr std::size_t kTransponderCode = 13;

// shown: the code the simulator showed when the dial was asked for (the
// records belong to the main thread); completed: the dials ended by then.
void DialTransponder(Server& server, std::uint32_t generation, std::int32_t shown, std::uint32_t completed,
                     std::int32_t code) {
    InibuildsState& state = server.adapters.inibuilds;
    const std::lock_guard<std::mutex> dial(state.transponderDial);
    // Waited for another dial: the adapter may have been unloaded meanwhile.
    if (!Pause(server, generation, 0)) return;
    if (state.dialsCompleted != completed) shown = state.lastDialledCode;
    const auto from = Positions(shown);
    const auto to = Positions(code);
    if (!from || !to) {
        server.log.Write("Transponder shows code " + std::to_string(shown) + ", which cannot be dialled from");
        return;
    }
    if (!Turn(server, generation, kOuterKnob, to->outer - from->outer)) return;
    if (!Pause(server, generation, kBetweenKnobs)) return;
    if (!Turn(server, generation, kInnerKnob, to->inner - from->inner)) return;
    state.lastDialledCode = code;
    ++state.dialsCompleted;
    if (!Pause(server, generation, kTcasPause)) return;
    Set(server, Slot::TransponderModeSelector, 2.0);
    if (!Pause(server, generation, kTcasPause)) return;
    Set(server, Slot::TcasAltitudeSourceSelector, 1.0);
}

}  // namespace

void StartFireTest(Server& server, FireTest test) {
    std::span<const TestStep> steps;
    platform::ThreadPriority priority = platform::ThreadPriority::Normal;
    switch (test) {
        case FireTest::Engine1:
            steps = kEngine1Test;
            break;
        case FireTest::Engine2:
            steps = kEngine2Test;
            break;
        case FireTest::Apu:
            steps = kApuTest;
            break;
        case FireTest::BothEngines:
            steps = kBothEnginesTest;
            priority = platform::ThreadPriority::Lowest;
            break;
    }
    Start(server, priority, [&server, steps](std::uint32_t generation) { RunFireTest(server, generation, steps); });
}

bool IsSquawkCode(std::int32_t code) {
    if (code < 0 || code > kLargestCode) return false;
    for (std::int32_t rest = code; rest > 0; rest /= 10) {
        if (rest % 10 > 7) return false;
    }
    return true;
}

void StartTransponderDial(Server& server, std::int32_t code) {
    const std::int32_t shown = server.session.records[sim::kAutopilotRecord].Int32(kTransponderCode);
    const std::uint32_t completed = server.adapters.inibuilds.dialsCompleted;
    // The code goes with its thread: a later dial must not change one under way.
    Start(server, platform::ThreadPriority::BelowNormal, [&server, shown, completed, code](std::uint32_t generation) {
        DialTransponder(server, generation, shown, completed, code);
    });
}

void StopWorkers(Server& server) {
    InibuildsState& state = server.adapters.inibuilds;
    ++state.generation;
    for (std::uint32_t waited = 0; state.workersRunning > 0 && waited < kStopWaitLimitMilliseconds;
         waited += kStopPollMilliseconds) {
        server.ports.clock.Sleep(kStopPollMilliseconds);
    }
}

}  // namespace tarvo::adapters::inibuilds
