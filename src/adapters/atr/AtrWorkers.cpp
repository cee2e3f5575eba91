#include "adapters/atr/AtrWorkers.h"

#include "adapters/LvarAdapter.h"

#include <array>
#include <cstdio>
#include <initializer_list>
#include <string>

namespace tarvo::adapters::atr {
namespace {

using lvar::WorkerSteps;
using platform::ThreadPriority;
using Group = FrequencyRequest::Group;

// After every key unless a step says otherwise.
constexpr std::uint32_t kKeyPause = 300;
constexpr std::int32_t kHighestCode = 9999;
constexpr std::int32_t kProcedureSteps = 50;   // n = value + 1 below this
constexpr std::size_t kEngine2Combustion = 1;  // engine record: GENERAL ENG COMBUSTION:2

constexpr std::array<Slot, 10> kDigitKeys = {
    Slot::AtrRmpKey0, Slot::AtrRmpKey1, Slot::AtrRmpKey2, Slot::AtrRmpKey3, Slot::AtrRmpKey4,
    Slot::AtrRmpKey5, Slot::AtrRmpKey6, Slot::AtrRmpKey7, Slot::AtrRmpKey8, Slot::AtrRmpKey9,
};

void Start(Server& server, ThreadPriority priority, std::function<void(WorkerSteps&)> body,
           std::atomic<bool>* busy = nullptr) {
    lvar::StartWorker(server, server.adapters.atr.workers, priority, std::move(body), busy);
}

void StartKeypad(Server& server, std::function<void(WorkerSteps&)> body) {
    Start(server, ThreadPriority::Normal, std::move(body), &server.adapters.atr.keypadBusy);
}

// Key K: its variable to 1.0, then a pause.
bool Key(WorkerSteps& steps, Slot key, std::uint32_t pause = kKeyPause) {
    return steps.Set(key, 1.0) && steps.Pause(pause);
}

bool Keys(WorkerSteps& steps, std::initializer_list<Slot> keys) {
    for (Slot key : keys) {
        if (!Key(steps, key)) return false;
    }
    return true;
}

bool Repeat(WorkerSteps& steps, Slot key, int times) {
    for (int i = 0; i < times; ++i) {
        if (!Key(steps, key)) return false;
    }
    return true;
}

// Digits and the decimal point; the texts hold nothing else.
bool Type(WorkerSteps& steps, const std::string& text) {
    for (char c : text) {
        const Slot key = c == '.' ? Slot::AtrRmpKeyPeriod : kDigitKeys[static_cast<std::size_t>(c - '0')];
        if (!Key(steps, key)) return false;
    }
    return true;
}

void TypeFrequency(WorkerSteps& steps, const FrequencyRequest& request, const std::string& text) {
    const bool first = request.radio != 2;
    switch (request.group) {
        case Group::A:
            (void)(Key(steps, Slot::AtrRmpKeyNav, 200) && Key(steps, Slot::AtrRmpKeyCom, 1000) &&
                   Key(steps, first ? Slot::AtrRmpKeyUp : Slot::AtrRmpKeyDown) &&
                   Repeat(steps, Slot::AtrRmpKeyRight, 2) && Type(steps, text) && Key(steps, Slot::AtrRmpKeyEnter) &&
                   (request.swap || Keys(steps, {Slot::AtrRmpKeyRight, Slot::AtrRmpKeyLeft, Slot::AtrRmpKeyEnter})));
            return;
        case Group::B:
            (void)(Key(steps, Slot::AtrRmpKeyCom) && Key(steps, Slot::AtrRmpKeyNav, 1000) &&
                   Repeat(steps, Slot::AtrRmpKeyRight, 2) &&
                   Repeat(steps, first ? Slot::AtrRmpKeyUp : Slot::AtrRmpKeyDown, 2) && Type(steps, text) &&
                   (request.swap || Keys(steps, {Slot::AtrRmpKeyEnter, Slot::AtrRmpKeyRight, Slot::AtrRmpKeyLeft,
                                                 Slot::AtrRmpKeyEnter})));
            return;
        case Group::C:
            (void)(Key(steps, Slot::AtrRmpKeyCom) && Key(steps, Slot::AtrRmpKeyNav, 1000) &&
                   Key(steps, Slot::AtrRmpKeyNav) && Repeat(steps, Slot::AtrRmpKeyRight, 2) &&
                   Key(steps, first ? Slot::AtrRmpKeyUp : Slot::AtrRmpKeyDown) && Type(steps, text) &&
                   Repeat(steps, Slot::AtrRmpKeyEnter, 2));
            return;
    }
}

bool FireTest(WorkerSteps& steps, std::int32_t engine) {
    const Slot squib = engine == 1 ? Slot::AtrEngine1SquibTestButton : Slot::AtrEngine2SquibTestButton;
    const Slot fault = engine == 1 ? Slot::AtrEngine1FireFaultTestSelector : Slot::AtrEngine2FireFaultTestSelector;
    return steps.Set(squib, 1.0) && steps.Pause(3000) && steps.Set(squib, 0.0) && steps.Pause(3000) &&
           steps.Set(fault, 2.0) && steps.Pause(3000) && steps.Set(fault, 0.0) && steps.Pause(2000) &&
           steps.Set(fault, 0.0);
}

bool FireFault(WorkerSteps& steps, Slot fault) {
    if (!steps.Set(fault, 1.0) || !steps.Pause(2000)) return false;
    for (int i = 0; i < 8; ++i) {
        if ((i > 0 && !steps.Pause(500)) || !steps.Set(fault, 0.0)) return false;
    }
    return steps.Pause(3000);
}

void Procedure(WorkerSteps& steps, std::int32_t value) {
    const std::int32_t n = value + 1;
    const auto down = [&steps] { return Key(steps, Slot::AtrProcedureDownButton); };
    const auto validate = [&steps] { return Key(steps, Slot::AtrProcedureValidateButton); };
    bool live = steps.Set(Slot::AtrProcedureMenuButton, 1.0) && steps.Pause(700) &&
                steps.Set(Slot::AtrProcedureMenuButton, 0.0) && steps.Pause(kKeyPause) &&
                Repeat(steps, Slot::AtrProcedureDownButton, 12);
    const bool engine2Running = steps.server.session.records[sim::kEngineRecord].Int32(kEngine2Combustion) != 0;
    if (live && (n == 1 || n == 2) && !engine2Running) {
        live = down() && validate() && Repeat(steps, Slot::AtrProcedureDownButton, 3);
    }
    live = live && Key(steps, Slot::AtrProcedureUpButton) && Key(steps, Slot::AtrProcedureValidateButton, 1100) &&
           Repeat(steps, Slot::AtrProcedureDownButton, n) && validate();
    if (live && value == 5) live = down() && validate();
    (void)(live && steps.Set(Slot::AtrProcedureValidateButton, 0.0) && steps.Set(Slot::AtrProcedureDownButton, 0.0));
}

}  // namespace

std::optional<std::string> FrequencyText(Group group, std::int32_t kilohertz) {
    if (kilohertz < 0) return std::nullopt;
    const int decimals = group == Group::A ? 3 : group == Group::B ? 2 : 1;
    const std::size_t width = group == Group::A ? 7 : 6;
    // Room for any 32-bit value with its decimals.
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, kilohertz / 1000.0);
    std::string text(buffer.data());
    if (text.size() > width) text.resize(width);
    return text;
}

void StartFrequency(Server& server, const FrequencyRequest& request) {
    const std::optional<std::string> text = FrequencyText(request.group, request.kilohertz);
    if (!text) {
        server.log.Write("Frequency " + std::to_string(request.kilohertz) + " cannot be typed");
        return;
    }
    // The request goes with its worker: a command dropped meanwhile changes nothing.
    StartKeypad(server, [request, text = *text](WorkerSteps& steps) { TypeFrequency(steps, request, text); });
}

void StartTransponderCode(Server& server, std::int32_t code) {
    if (code < 0 || code > kHighestCode) {
        server.log.Write("Transponder code " + std::to_string(code) + " cannot be typed");
        return;
    }
    std::array<char, 16> digits{};
    std::snprintf(digits.data(), digits.size(), "%04d", static_cast<int>(code));
    StartKeypad(server, [text = std::string(digits.data())](WorkerSteps& steps) {
        (void)(Key(steps, Slot::AtrRmpKeyCom) && Key(steps, Slot::AtrRmpKeySurv, 700) &&
               Keys(steps, {Slot::AtrRmpKeyLeft, Slot::AtrRmpKeyLeft, Slot::AtrRmpKeyRight, Slot::AtrRmpKeyRight,
                            Slot::AtrRmpKeyUp}) &&
               Type(steps, text) &&
               Keys(steps, {Slot::AtrRmpKeyEnter, Slot::AtrRmpKeyLeft, Slot::AtrRmpKeyDown, Slot::AtrRmpKeyDown,
                            Slot::AtrRmpKeyUp, Slot::AtrRmpKeyEnter}) &&
               Key(steps, Slot::AtrRmpKeySurv, 500) && Repeat(steps, Slot::AtrRmpKeyUp, 2) &&
               Key(steps, Slot::AtrRmpKeyEnter) && steps.Pause(2000) && Key(steps, Slot::AtrRmpKeyCom));
    });
}

void StartTransponderMode(Server& server, std::int32_t mode) {
    StartKeypad(server, [mode](WorkerSteps& steps) {
        (void)(Key(steps, Slot::AtrRmpKeyCom) && Key(steps, Slot::AtrRmpKeySurv, 700) &&
               Keys(steps, {Slot::AtrRmpKeyLeft, Slot::AtrRmpKeyLeft, Slot::AtrRmpKeyRight, Slot::AtrRmpKeyUp,
                            Slot::AtrRmpKeyUp}) &&
               Repeat(steps, Slot::AtrRmpKeyDown, mode == 0 || mode == 1 ? 2 : 1) &&
               Key(steps, Slot::AtrRmpKeyEnter, 2000) && Key(steps, Slot::AtrRmpKeyCom));
    });
}

void StartFireTest(Server& server, std::int32_t engine) {
    Start(server, ThreadPriority::Normal, [engine](WorkerSteps& steps) {
        if (engine != 0) {
            FireTest(steps, engine);
            return;
        }
        (void)(FireTest(steps, 1) && steps.Pause(3000) && FireTest(steps, 2));
    });
}

void StartFireFault(Server& server) {
    Start(server, ThreadPriority::Normal, [](WorkerSteps& steps) {
        (void)(FireFault(steps, Slot::AtrEngine1FireFaultTestSelector) &&
               FireFault(steps, Slot::AtrEngine2FireFaultTestSelector));
    });
}

void StartProcedure(Server& server, std::int32_t value) {
    // Negative values and those whose step count would pass the list do nothing.
    if (value < 0 || value >= kProcedureSteps - 1) return;
    Start(
        server, ThreadPriority::BelowNormal, [value](WorkerSteps& steps) { Procedure(steps, value); },
        &server.adapters.atr.procedureBusy);
}

}  // namespace tarvo::adapters::atr
