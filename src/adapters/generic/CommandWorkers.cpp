// Commands that run on worker threads of their own: they take seconds, and
// the main loop must not stop for that long.
#include "adapters/Workers.h"
#include "adapters/fenix/Sequences.h"
#include "adapters/generic/CommandActions.h"
#include "adapters/generic/CommandPrimitives.h"
#include "adapters/gsx/Gsx.h"
#include "bridge/WasmBridge.h"

#include <array>
#include <cstdio>
#include <mutex>
#include <string>

namespace tarvo::adapters::generic {
namespace {

constexpr std::uint32_t kClearPause = 700;
constexpr std::uint32_t kDigitPause = 300;
constexpr std::uint32_t kLargestTransponderCode = 9999;

// The Fenix's transponder keypad has the octal digits only.
constexpr Slot kTransponderKeys[] = {
    Slot::TransponderKey0, Slot::TransponderKey1, Slot::TransponderKey2, Slot::TransponderKey3,
    Slot::TransponderKey4, Slot::TransponderKey5, Slot::TransponderKey6, Slot::TransponderKey7,
};

void RunSequence(Server& server, std::span<const SequenceStep> sequence) {
    // Once the server shuts down the remaining steps go without their pauses,
    // so no button is left held in the simulator.
    bool pausing = true;
    for (const SequenceStep& step : sequence) {
        SetSlot(server, step.slot, step.value);
        if (pausing && step.pauseAfter > 0) pausing = WorkerPause(server, step.pauseAfter);
    }
}

void TypeTransponderCode(Server& server, std::uint32_t code) {
    // One entry at a time; a later one waits for this one to end.
    const std::lock_guard<std::mutex> entry(server.adapters.commands.transponderEntry);
    if (!server.host.running) return;
    std::array<char, 8> digits{};
    std::snprintf(digits.data(), digits.size(), "%04u", static_cast<unsigned>(code));
    for (int clear = 0; clear < 4; ++clear) {
        Press(server, Slot::TransponderKeyClear);
        if (!WorkerPause(server, kClearPause)) return;
    }
    for (int i = 0; i < 4; ++i) {
        const int digit = digits[static_cast<std::size_t>(i)] - '0';
        if (digit < static_cast<int>(std::size(kTransponderKeys))) Press(server, kTransponderKeys[digit]);
        if (!WorkerPause(server, kDigitPause)) return;
        SetSlot(server, Slot::TransponderOperationSelector, 1.0);
        if (!WorkerPause(server, kDigitPause)) return;
        SetSlot(server, Slot::TransponderAltitudeReportingSwitch, 1.0);
    }
}

}  // namespace

void StartSequence(const Command& command, std::span<const SequenceStep> sequence) {
    Server& server = command.server;
    StartWorker(
        server, [&server, sequence] { RunSequence(server, sequence); }, platform::ThreadPriority::Normal);
}

void StartTransponderEntry(const Command& command) {
    Server& server = command.server;
    if (!bridge::HasBridge(server)) return;
    if (command.value > kLargestTransponderCode) {
        server.log.Write("Transponder code " + std::to_string(command.value) + " has more than four digits");
        return;
    }
    // The code goes with its thread: a later command must not change an entry under way.
    const std::uint32_t code = command.value;
    StartWorker(
        server, [&server, code] { TypeTransponderCode(server, code); }, platform::ThreadPriority::Normal);
}

void StartOxygenMaskTest(const Command& command) {
    Server& server = command.server;
    if (!bridge::HasBridge(server)) return;
    StartWorker(
        server, [&server] { fenix::TestFirstOfficerOxygenMask(server); }, platform::ThreadPriority::AboveNormal);
}

void StartGroundServicesDiscovery(const Command& command) {
    Server& server = command.server;
    AdapterState& adapters = server.adapters;
    if (adapters.groundServicesFound) return;
    // Set before the thread exists, so that its own clearing cannot come first.
    if (adapters.commands.groundServicesRunning.exchange(true)) return;
    const bool started = StartWorker(
        server,
        [&server] {
            gsx::Discover(server);
            server.adapters.commands.groundServicesRunning = false;
        },
        platform::ThreadPriority::Lowest);
    if (!started) adapters.commands.groundServicesRunning = false;
}

}  // namespace tarvo::adapters::generic
