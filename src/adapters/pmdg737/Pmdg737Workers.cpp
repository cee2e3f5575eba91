#include "adapters/pmdg737/Pmdg737Workers.h"

#include "adapters/pmdg/Patterns.h"
#include "adapters/pmdg/SdkWorkers.h"
#include "base/Convert.h"
#include "sim/SessionState.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

namespace tarvo::adapters::pmdg737 {
namespace {

using platform::ThreadPriority;
using pmdg::Button;
using pmdg::Mouse;
using pmdg::Sender;

constexpr std::size_t kTransponderField = 13;  // of the autopilot record
constexpr std::uint32_t kHandOverMilliseconds = 800;
constexpr std::uint32_t kKnobStepMilliseconds = 300;
constexpr std::uint32_t kCduStepMilliseconds = 1000;
constexpr std::uint32_t kRewindKnob = 69987;
constexpr std::uint32_t kRewindSwitch = 69988;
constexpr std::size_t kRewindSwitchByte = 404;

pmdg::SdkLink& Link(Server& server) {
    return server.adapters.pmdg737.link;
}

void Left(const Sender& sender, std::uint32_t event) {
    pmdg::Click(sender, event, Button::Left);
}

bool Start(Server& server, ThreadPriority priority, std::function<void(const Sender&)> body) {
    return pmdg::StartSdkWorker(server, Link(server), priority, std::move(body));
}

// A knob worker starts with its ticket; one that cannot be made gives it back,
// or the knob would stay busy for good.
void StartKnobWorker(Server& server, ThreadPriority priority, std::function<void(const Sender&, std::uint64_t)> body) {
    pmdg::SdkLink& sdk = Link(server);
    const std::uint64_t ticket = pmdg::ClaimKnob(sdk);
    const bool started = Start(server, priority, [&sdk, ticket, body = std::move(body)](const Sender& sender) {
        body(sender, ticket);
        pmdg::ReleaseKnob(sdk, ticket);
    });
    if (!started) pmdg::ReleaseKnob(sdk, ticket);
}

// Up to count clicks without pause while the worker holds the knob.
void Burst(const Sender& sender, std::uint64_t ticket, std::int64_t count, Button button) {
    for (std::int64_t i = 0; i < count && pmdg::HoldsKnob(*sender.link, ticket); ++i) {
        pmdg::Click(sender, kRewindKnob, button);
    }
}

// Up to count clicks 1 ms apart while the worker holds the knob.
void Paced(const Sender& sender, std::uint64_t ticket, std::int64_t count, Button button) {
    for (std::int64_t i = 0; i < count && pmdg::HoldsKnob(*sender.link, ticket); ++i) {
        pmdg::Click(sender, kRewindKnob, button);
        if (!pmdg::Pause(sender, 1)) return;
    }
}

// A pause taken only while the worker holds the knob; false when it should end.
bool PauseHolding(const Sender& sender, std::uint64_t ticket, std::uint32_t milliseconds) {
    return !pmdg::HoldsKnob(*sender.link, ticket) || pmdg::Pause(sender, milliseconds);
}

void RewindOne(const Sender& sender, std::uint64_t ticket, std::int32_t value) {
    if (pmdg::Byte(*sender.link, kRewindSwitchByte) != 0) Left(sender, kRewindSwitch);
    if (!pmdg::Pause(sender, 500)) return;
    Burst(sender, ticket, 1100, Button::Left);
    if (!PauseHolding(sender, ticket, 500)) return;
    Paced(sender, ticket, value, Button::Right);
}

void RewindTwo(const Sender& sender, std::uint64_t ticket, std::int32_t value) {
    if (pmdg::Byte(*sender.link, kRewindSwitchByte) == 0) Left(sender, kRewindSwitch);
    if (!pmdg::Pause(sender, 500)) return;
    struct Stage {
        std::int64_t clicks;
        Button button;
        std::uint32_t pause;
    };
    for (const Stage stage : {Stage{1100, Button::Left, 600}, Stage{2000, Button::Left, 1000},
                              Stage{1000, Button::Left, 500}, Stage{200, Button::Right, 300}}) {
        Burst(sender, ticket, stage.clicks, stage.button);
        if (!PauseHolding(sender, ticket, stage.pause)) return;
    }
    // In 64 bits, so the largest negative setting has a size too.
    const std::int64_t setting = value;
    if (setting > 0) {
        Paced(sender, ticket, setting, Button::Right);
    } else {
        Paced(sender, ticket, -setting, Button::Left);
    }
}

// The bank angle limit of each knob position, in degrees; 5 and 10 share one.
int BankAnglePosition(std::int32_t degrees) {
    switch (degrees) {
        case 5:
        case 10:
            return 0;
        case 15:
            return 1;
        case 20:
            return 2;
        case 25:
            return 3;
        case 30:
            return 4;
        default:
            return -1;
    }
}
constexpr int kBankAnglePositions = 5;

void TurnBankAngleKnob(const Sender& sender, std::int32_t value) {
    const int target = BankAnglePosition(value);
    const auto reading = pmdg::ReadLvar(*sender.server, Slot::BankAngleSelector);
    if (target < 0 || !reading) return;
    // A reading off the knob's positions says nothing about where it stands.
    const std::int32_t current = TruncateToInt32(*reading / 10.0);
    if (current < 0 || current >= kBankAnglePositions) return;
    const Button button = target > current ? Button::Right : Button::Left;
    for (int i = 0; i < std::abs(target - current); ++i) {
        pmdg::Click(sender, 70021, button);
        if (!pmdg::Pause(sender, kKnobStepMilliseconds)) return;
    }
}

constexpr std::int32_t kLargestCode = 9999;

void TypeFourDigits(const Sender& sender, std::uint64_t ticket, std::int32_t requested) {
    const std::int32_t current = sender.server->session.records[sim::kAutopilotRecord].Int32(kTransponderField);
    // "%04d" of anything else would bring a sign or a fifth digit.
    if (requested < 0 || requested > kLargestCode || current < 0 || current > kLargestCode) return;
    char wanted[8];
    char shown[8];
    std::snprintf(wanted, sizeof wanted, "%04d", static_cast<int>(requested));
    std::snprintf(shown, sizeof shown, "%04d", static_cast<int>(current));
    constexpr std::uint32_t kKnobs[4] = {70436, 70437, 70440, 70439};  // thousands first
    for (int digit = 0; digit < 4; ++digit) {
        const int steps = wanted[digit] - shown[digit];
        const Button button = steps > 0 ? Button::Right : Button::Left;
        for (int i = 0; i < std::abs(steps); ++i) {
            if (!pmdg::HoldsKnob(*sender.link, ticket)) return;
            pmdg::Click(sender, kKnobs[digit], button);
            if (!pmdg::Pause(sender, kKnobStepMilliseconds)) return;
        }
        if (digit < 3 && !pmdg::Pause(sender, kKnobStepMilliseconds)) return;
    }
}

void RunCduSequence(const Sender& sender, std::uint32_t code) {
    Server& server = *sender.server;
    const std::lock_guard<std::mutex> lock(server.adapters.pmdg737.cduSequence);
    const std::uint32_t cdu = HasRightCdu(*sender.link) ? kRightCdu : 0;
    for (const std::uint32_t key : {70183u, 70176u, 70172u}) {
        Left(sender, key + cdu);
        if (!pmdg::Pause(sender, kCduStepMilliseconds)) return;
    }
    // Without the chocks in, another key first; a chocks value that cannot be
    // read says nothing.
    const auto chocks = pmdg::ReadLvar(server, Slot::WheelChocksSwitch);
    if (code != 68367 && chocks && *chocks == 0.0) {
        Left(sender, 70177 + cdu);
        if (!pmdg::Pause(sender, kCduStepMilliseconds)) return;
    }
    std::uint32_t last = 70177;
    if (code == 68379) last = 70167;
    if (code == 68730) last = 70168;
    if (code == 68731) last = 70169;
    Left(sender, last + cdu);
}

void ClearCdu(const Sender& sender, std::int32_t value) {
    const std::lock_guard<std::mutex> lock(sender.server->adapters.pmdg737.cduSequence);
    const bool right = HasRightCdu(*sender.link);
    std::uint32_t key = 0;
    if (value == 2 && right) key = kCduClearLeft + kRightCdu;
    if (value == 1 || (value == 2 && !right)) key = kCduClearLeft;
    if (key == 0) return;
    for (int i = 0; i < 26; ++i) {
        Left(sender, key);
        if (!pmdg::Pause(sender, 1)) return;
    }
}

}  // namespace

bool HasRightCdu(const pmdg::SdkLink& link) {
    return pmdg::Byte(link, 193) != 0 || pmdg::Byte(link, 194) != 0;
}

void StartTimedSequence(Server& server) {
    Start(server, ThreadPriority::Normal, [](const Sender& sender) {
        Left(sender, 71634);
        if (!pmdg::Pause(sender, 2000)) return;
        Left(sender, 71635);
        if (!pmdg::Pause(sender, 3000)) return;
        Left(sender, 71636);
        if (!pmdg::Pause(sender, 4000)) return;
        Left(sender, 71637);
    });
}

void StartPressAndHold(Server& server) {
    Start(server, ThreadPriority::BelowNormal, [](const Sender& sender) {
        // A press is let go of even when the pause is cut short.
        pmdg::Send(sender, 70074, Mouse::LeftPress);
        const bool carryOn = pmdg::Pause(sender, 2000);
        pmdg::Send(sender, 70074, Mouse::LeftRelease);
        if (!carryOn || !pmdg::Pause(sender, 500)) return;
        pmdg::Send(sender, 70074, Mouse::RightPress);
        pmdg::Pause(sender, 2000);
        pmdg::Send(sender, 70074, Mouse::RightRelease);
    });
}

void StartStartSequence(Server& server) {
    Start(server, ThreadPriority::BelowNormal, [](const Sender& sender) {
        Left(sender, 69952);
        if (!pmdg::Pause(sender, 1000)) return;
        Left(sender, 69953);
    });
}

void StartPositionKnob(Server& server, std::int32_t value) {
    Start(server, ThreadPriority::BelowNormal, [value](const Sender& sender) { TurnBankAngleKnob(sender, value); });
}

void StartFourDigits(Server& server, std::int32_t value) {
    StartKnobWorker(server, ThreadPriority::AboveNormal,
                    [value](const Sender& sender, std::uint64_t ticket) { TypeFourDigits(sender, ticket, value); });
}

void HandOverToRewind(Server& server, int rewind, std::int32_t value) {
    pmdg::SdkLink& sdk = Link(server);
    if (pmdg::IsKnobBusy(sdk)) {
        pmdg::CancelKnob(sdk);
        std::this_thread::yield();
        server.ports.clock.Sleep(kHandOverMilliseconds);
        std::this_thread::yield();
        if (pmdg::IsKnobBusy(sdk)) return;
    }
    StartKnobWorker(server, ThreadPriority::BelowNormal, [rewind, value](const Sender& sender, std::uint64_t ticket) {
        rewind == 1 ? RewindOne(sender, ticket, value) : RewindTwo(sender, ticket, value);
    });
}

void StartCduSequence(Server& server, std::uint32_t code) {
    Start(server, ThreadPriority::BelowNormal, [code](const Sender& sender) { RunCduSequence(sender, code); });
}

void StartCduClear(Server& server, std::int32_t value) {
    Start(server, ThreadPriority::Normal, [value](const Sender& sender) { ClearCdu(sender, value); });
}

}  // namespace tarvo::adapters::pmdg737
