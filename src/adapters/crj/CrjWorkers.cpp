#include "adapters/crj/CrjWorkers.h"

#include "adapters/LvarAdapter.h"
#include "base/Convert.h"

#include <cstdlib>
#include <string>

namespace tarvo::adapters::crj {
namespace {

using lvar::WorkerSteps;
using platform::ThreadPriority;

constexpr std::uint32_t kAnimation = 300;
constexpr std::int32_t kLeverIdle = 400;
constexpr std::int32_t kLeverCutoff = 500;
constexpr std::int32_t kHighestCode = 7777;
constexpr std::size_t kTransponderCode = 13;  // autopilot record: TRANSPONDER CODE:1

constexpr std::string_view kOuterUp =
    "(L:ASCRJ_RTU1_KNOB_OUTER, Number) 10 + dnor (>L:ASCRJ_RTU1_KNOB_OUTER) "
    "(ASCRJ_RTU1_KNOB_OUTER_CHANGE, Number) ++ (>L:ASCRJ_RTU1_KNOB_OUTER_CHANGE)";
constexpr std::string_view kOuterDown =
    "(L:ASCRJ_RTU1_KNOB_OUTER, Number) 10 - dnor (>L:ASCRJ_RTU1_KNOB_OUTER) "
    "(ASCRJ_RTU1_KNOB_OUTER_CHANGE, Number) -- (>L:ASCRJ_RTU1_KNOB_OUTER_CHANGE)";
constexpr std::string_view kInnerUp =
    "(L:ASCRJ_RTU1_KNOB_INNER, Number) 10 + dnor (>L:ASCRJ_RTU1_KNOB_INNER) "
    "(ASCRJ_RTU1_KNOB_INNER_CHANGE, Number) ++ (>L:ASCRJ_RTU1_KNOB_INNER_CHANGE)";
constexpr std::string_view kInnerDown =
    "(L:ASCRJ_RTU1_KNOB_INNER, Number) 10 - dnor (>L:ASCRJ_RTU1_KNOB_INNER) "
    "(ASCRJ_RTU1_KNOB_INNER_CHANGE, Number) -- (>L:ASCRJ_RTU1_KNOB_INNER_CHANGE)";

void Start(Server& server, ThreadPriority priority, std::function<void(WorkerSteps&)> body,
           std::atomic<bool>* busy = nullptr) {
    lvar::StartWorker(server, server.adapters.crj.workers, priority, std::move(body), busy);
}

void Start(Server& server, std::function<void(WorkerSteps&)> body) {
    Start(server, ThreadPriority::BelowNormal, std::move(body));
}

// animation 1.0, 300 ms, target := value, animation 0.0
bool Animate(WorkerSteps& steps, Slot animation, Slot target, double value) {
    return steps.Set(animation, 1.0) && steps.Pause(kAnimation) && steps.Set(target, value) &&
           steps.Set(animation, 0.0);
}

// Two digits of a transponder code as the octal number the knob counts in.
std::optional<std::int32_t> OctalPair(std::int32_t pair) {
    const std::int32_t tens = pair / 10;
    const std::int32_t units = pair % 10;
    if (tens > 7 || units > 7) return std::nullopt;
    return tens * 8 + units;
}

// The knob clicked |clicks| times, 500 ms before each, up for a positive count.
bool Turn(WorkerSteps& steps, std::int32_t clicks, std::string_view up, std::string_view down) {
    for (std::int32_t i = 0; i < std::abs(clicks); ++i) {
        if (!steps.Pause(500) || !steps.Code(clicks > 0 ? up : down)) return false;
    }
    return steps.Pause(1500);
}

void DialTransponder(WorkerSteps& steps, std::int32_t requested) {
    const std::int32_t current = steps.server.session.records[sim::kAutopilotRecord].Int32(kTransponderCode);
    const std::optional<KnobClicks> clicks = TransponderClicks(current, requested);
    if (!clicks) {
        steps.server.log.Write("Transponder code " + std::to_string(current) + " cannot be dialled");
        return;
    }
    (void)(steps.Set(Slot::Rtu1KeyLsk3L, 1.0) && steps.Pause(1000) && steps.Set(Slot::Rtu1KeyLsk4, 1.0) &&
           Turn(steps, clicks->outer, kOuterUp, kOuterDown) && Turn(steps, clicks->inner, kInnerUp, kInnerDown) &&
           steps.Pause(300) && steps.Set(Slot::Rtu1KeyLsk4, 1.0) && steps.Pause(1000) &&
           steps.Set(Slot::Rtu1KeyLsk4, 1.0));
}

}  // namespace

std::optional<KnobClicks> TransponderClicks(std::int32_t from, std::int32_t to) {
    if (from < 0 || from > kHighestCode || to < 0 || to > kHighestCode) return std::nullopt;
    const auto fromHigh = OctalPair(from / 100), fromLow = OctalPair(from % 100);
    const auto toHigh = OctalPair(to / 100), toLow = OctalPair(to % 100);
    if (!fromHigh || !fromLow || !toHigh || !toLow) return std::nullopt;
    return KnobClicks{*toHigh - *fromHigh, *toLow - *fromLow};
}

void StartFuelLever(Server& server, std::int32_t engine, std::int32_t value) {
    const Slot cutoff = engine == 1 ? Slot::ThrustLever1CutoffSwitch : Slot::ThrustLever2CutoffSwitch;
    const Slot lever = engine == 1 ? Slot::ThrustLever1Value : Slot::ThrustLever2Value;
    const std::string_view mixture = engine == 1 ? "MIXTURE1_SET" : "MIXTURE2_SET";
    // The command's value decides once: the lever goes one way, never back.
    Start(server, [cutoff, lever, mixture, value](WorkerSteps& steps) {
        if (!steps.Set(cutoff, 0.0) || !steps.Pause(1000)) return;
        const std::int32_t position = TruncateToInt32(steps.Read(lever));
        if (value != 0 && position == kLeverCutoff) {
            (void)(steps.Set(lever, kLeverIdle) && steps.Event(mixture, 1));
        } else if (value == 0 && position <= kLeverIdle) {
            (void)(steps.Set(lever, kLeverCutoff) && steps.Event(mixture, 0));
        }
    });
}

void StartApuStart(Server& server) {
    Start(server, [](WorkerSteps& steps) {
        if (TruncateToInt32(steps.Read(Slot::ApuMasterSwitch)) == 0 &&
            !Animate(steps, Slot::ApuMasterAnimation, Slot::ApuMasterSwitch, 1.0)) {
            return;
        }
        if (steps.Read(Slot::ApuStartAvailLight) > 0.0 || steps.Read(Slot::ApuStartOnLight) > 0.0) return;
        (void)(steps.Pause(3000) && steps.Set(Slot::ApuStartAnimation, 1.0) && steps.Pause(kAnimation) &&
               steps.Set(Slot::ApuStartButton, 1.0) && steps.Pause(kAnimation) &&
               steps.Set(Slot::ApuStartAnimation, 0.0) && steps.Event("APU_STARTER", 1));
    });
}

void StartApuStop(Server& server) {
    Start(server, ThreadPriority::Normal, [](WorkerSteps& steps) {
        // The APU's power and fuel go off once it has run down, as 66704 leaves them.
        (void)(steps.Set(Slot::ApuStartButton, 0.0) && steps.Event("APU_STARTER", 0) && steps.Pause(10000) &&
               steps.Set(Slot::ApuMasterSwitch, 0.0));
    });
}

void StartYawDampers(Server& server) {
    Start(server, [](WorkerSteps& steps) {
        const auto engage = [&steps](Slot animation, Slot button) {
            return steps.Set(animation, 1.0) && steps.Pause(kAnimation) && steps.Set(button, 1.0) &&
                   steps.Pause(kAnimation) && steps.Set(button, 0.0) && steps.Pause(kAnimation) &&
                   steps.Set(button, 1.0) && steps.Pause(kAnimation) && steps.Set(animation, 0.0);
        };
        (void)(engage(Slot::YawDamper1Animation, Slot::YawDamper1Button) && steps.Pause(1000) &&
               engage(Slot::YawDamper2Animation, Slot::YawDamper2Button));
    });
}

void StartTrimEngage(Server& server) {
    Start(server, [](WorkerSteps& steps) {
        if (steps.Read(Slot::StabTrim1Button) == 0.0 &&
            !Animate(steps, Slot::StabTrim1Animation, Slot::StabTrim1Button, 1.0)) {
            return;
        }
        if (steps.Read(Slot::StabTrim2Button) == 0.0 &&
            !(steps.Pause(kAnimation) && Animate(steps, Slot::StabTrim2Animation, Slot::StabTrim2Button, 1.0))) {
            return;
        }
        (void)(steps.Pause(kAnimation) && steps.Set(Slot::MachTrimAnimation, 1.0) && steps.Pause(1) &&
               steps.Set(Slot::MachTrimButton, 1.0) && steps.Pause(kAnimation) &&
               steps.Set(Slot::MachTrimButton, 0.0) && steps.Pause(1) && steps.Set(Slot::MachTrimAnimation, 0.0));
    });
}

void StartHeadingSync(Server& server) {
    Start(server, [](WorkerSteps& steps) {
        (void)(steps.Set(Slot::HeadingSyncAnimation, 1.0) && steps.Pause(kAnimation) &&
               steps.Set(Slot::HeadingSyncButton, 1.0) && steps.Pause(1500) &&
               steps.Set(Slot::HeadingSyncToggle, 1.0) && steps.Set(Slot::HeadingSyncButton, 0.0) &&
               steps.Set(Slot::HeadingSyncAnimation, 0.0));
    });
}

void StartStallTest(Server& server) {
    Start(server, [](WorkerSteps& steps) {
        (void)(steps.Set(Slot::StallTestCover, 1.0) && steps.Pause(1000) && steps.Set(Slot::StallTestAnimation, 1.0) &&
               steps.Pause(5000) && steps.Set(Slot::StallTestAnimation, 0.0) && steps.Pause(1000) &&
               steps.Set(Slot::StallTestCover, 0.0));
    });
}

void StartRtuSequence(Server& server) {
    Start(server, [](WorkerSteps& steps) {
        (void)(steps.Set(Slot::Rtu1KeyLsk4, 1.0) && steps.Pause(1000) && steps.Set(Slot::Rtu1KeyLsk3R, 1.0) &&
               steps.Pause(1000) && steps.Set(Slot::Rtu1KeyLsk3L, 1.0) && steps.Pause(7000) &&
               steps.Set(Slot::Rtu1KeyLsk4, 1.0));
    });
}

void StartTransponder(Server& server, std::int32_t code) {
    if (!TransponderClicks(code, code)) {
        server.log.Write("Transponder code " + std::to_string(code) + " cannot be dialled");
        return;
    }
    // The code goes with its worker: a later command cannot change it midway.
    Start(
        server, ThreadPriority::BelowNormal, [code](WorkerSteps& steps) { DialTransponder(steps, code); },
        &server.adapters.crj.transponderBusy);
}

}  // namespace tarvo::adapters::crj
