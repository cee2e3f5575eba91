// The generic adapter's command set: CDU keys first, then the command table,
// then the hand-offs of codes the table does not hold.
#include "adapters/CduKeys.h"
#include "adapters/a32nx/A32nx.h"
#include "adapters/generic/CommandActions.h"
#include "adapters/generic/CommandPrimitives.h"
#include "adapters/generic/CommandTable.h"
#include "adapters/generic/GenericAdapter.h"
#include "bridge/WasmBridge.h"

namespace tarvo::adapters::generic {
namespace {

constexpr std::uint32_t kFirstCduKey = 69537;
constexpr std::uint32_t kCaptainsCdu = 1;
constexpr std::uint32_t kFirstOfficersCdu = 2;

bool IsCduKey(std::uint32_t code) {
    return code >= kFirstCduKey && code < kFirstCduKey + kCduKeyCount;
}

void RunCduKey(const Command& command) {
    Server& server = command.server;
    // Any other value names no CDU.
    if (command.value != kCaptainsCdu && command.value != kFirstOfficersCdu) return;
    const std::int32_t aircraft = server.adapters.currentAircraftId;
    const std::size_t key = command.code - kFirstCduKey;
    // The 787 has one set of FMC keys for both seats.
    const bool firstOfficer = command.value == kFirstOfficersCdu && aircraft != 56;
    const Slot slot = firstOfficer ? kFirstOfficerCduKeys[key] : kCaptainCduKeys[key];
    if (slot == Slot::None || !bridge::HasBridge(server)) return;
    if (Serves(server, AircraftTest::Fenix)) {
        Press(server, slot);
    } else if (aircraft == 58 || aircraft == 56 || aircraft == 59) {
        FireSlot(server, slot);
    }
}

bool IsFor(const Command& command, ValueTest only) {
    switch (only) {
        case ValueTest::Any:
            return true;
        case ValueTest::On:
            return command.On();
        case ValueTest::Off:
            return !command.On();
    }
    return false;
}

std::uint32_t DataOf(const Command& command, const Step& step) {
    return step.number == kTheValue ? command.value : step.number;
}

void RunStep(const Command& command, const Step& step) {
    if (!IsFor(command, step.only)) return;
    Server& server = command.server;
    const double value = static_cast<double>(DataOf(command, step));
    switch (step.kind) {
        case StepKind::Code:
        case StepKind::When:
        case StepKind::Otherwise:
            return;
        case StepKind::Event:
            SendEvent(server, step.text, DataOf(command, step));
            return;
        case StepKind::Toggle:
            if (Differs(server, step.state, command.value)) SendEvent(server, step.text, DataOf(command, step));
            return;
        case StepKind::Define:
            WriteDefinition(server, step.number, command.On() ? 1.0 : 0.0);
            return;
        case StepKind::Pause:
            server.ports.clock.Sleep(step.number);
            return;
        case StepKind::Set:
            SetSlot(server, step.slot, value);
            return;
        case StepKind::SetSigned:
            SetSlot(server, step.slot, SignedSetting(command.value));
            return;
        case StepKind::SetIfChanged:
            if (bridge::HasBridge(server) && ReadSlot(server, step.slot) != value) SetSlot(server, step.slot, value);
            return;
        case StepKind::Press:
            Press(server, step.slot);
            return;
        case StepKind::Fire:
            FireSlot(server, step.slot);
            return;
        case StepKind::Calc:
            RunCalculatorCode(server, step.text);
            return;
        case StepKind::CalcToggle:
            if (Differs(server, step.state, command.value)) RunCalculatorCode(server, step.text);
            return;
        case StepKind::Call:
            step.action(command);
            return;
        case StepKind::Worker:
            // Workers only write local variables.
            if (bridge::HasBridge(server)) StartSequence(command, step.sequence);
            return;
    }
}

// The branch of the row that serves the loaded aircraft, or nothing.
std::span<const Step> ChooseBranch(const Server& server, std::span<const Step> row) {
    if (row.empty() || (row.front().kind != StepKind::When && row.front().kind != StepKind::Otherwise)) return row;
    std::size_t i = 0;
    while (i < row.size()) {
        bool serves = false;
        for (; i < row.size() && row[i].kind == StepKind::When; ++i) {
            serves = serves || Serves(server, row[i].test, row[i].number);
        }
        if (i < row.size() && row[i].kind == StepKind::Otherwise) {
            serves = true;
            ++i;
        }
        const std::size_t begin = i;
        while (i < row.size() && row[i].kind != StepKind::When && row[i].kind != StepKind::Otherwise) ++i;
        if (serves) return row.subspan(begin, i - begin);
    }
    return {};
}

}  // namespace

void RunCommand(Server& server, std::uint32_t code, std::int32_t value) {
    const Command command{server, code, static_cast<std::uint32_t>(value)};
    if (IsCduKey(code)) {
        RunCduKey(command);
        return;
    }
    if (const auto row = FindCommandRow(code)) {
        for (const Step& step : ChooseBranch(server, *row)) RunStep(command, step);
        return;
    }
    // Codes of the table's add-ons that are handled elsewhere.
    if (!bridge::HasBridge(server)) return;
    const std::int32_t aircraft = server.adapters.currentAircraftId;
    if (aircraft == 58) {
        a32nx::HandleCommand(server, command.code, command.value);
    } else if (aircraft == 74) {
        Dc6Flaps(command);
    }
}

}  // namespace tarvo::adapters::generic
