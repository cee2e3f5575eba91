#include "adapters/LvarAdapter.h"
#include "adapters/Selection.h"
#include "adapters/maddog/Maddog.h"
#include "adapters/maddog/MaddogWorkers.h"
#include "adapters/maddog/Panel.h"
#include "base/Convert.h"
#include "bridge/WasmBridge.h"
#include "link/Reports.h"
#include "sim/SessionState.h"

#include <algorithm>

namespace tarvo::adapters::maddog {
namespace {

// Autopilot flags of snapshot word 28.
constexpr std::int32_t kAutopilotEngaged = 0x1;
constexpr std::int32_t kVerticalSpeedMode = 0x2;
constexpr std::int32_t kHeadingMode = 0x4;
constexpr std::int32_t kAltitudeHold = 0x8;
constexpr std::int32_t kFlightDirector1 = 0x20;
constexpr std::int32_t kAutothrottle = 0x40;
constexpr std::int32_t kFlightDirector2 = 0x100;
constexpr std::int32_t kOtherPitchMode = 0x2000;

// The flap lever (0 to 100) as the crew app's 0 to 16384.
constexpr double kFlapsLeverScale = 163.84;

// Engine record fields, engine i at base + i.
constexpr std::size_t kCombustion = 0;
constexpr std::size_t kStarter = 4;
constexpr std::size_t kThrottle = 12;
constexpr std::size_t kFailed = 36;
constexpr std::int32_t kEngines = 2;

bool IsAbove0(Server& server, Slot slot) {
    const std::optional<double> value = Read(server, slot);
    return value && *value > 0.0;
}

// Only where the aircraft has the variable: otherwise the word keeps what the
// simulator sent rather than becoming 0.
void CopyWord(Server& server, link::SnapshotRecord& record, std::size_t word, Slot slot, double scale = 1.0) {
    if (const std::optional<double> value = Read(server, slot)) record.words[word] = TruncateToInt32(scale * *value);
}

std::int32_t AutopilotFlags(Server& server) {
    std::int32_t flags = 0;
    if (IsAbove0(server, Slot::FgcpAutopilotSwitch)) flags |= kAutopilotEngaged;
    if (IsAbove0(server, Slot::CaptainFlightDirectorSwitch)) flags |= kFlightDirector1;
    if (IsAbove0(server, Slot::FirstOfficerFlightDirectorSwitch)) flags |= kFlightDirector2;
    if (IsAbove0(server, Slot::FgcpAutothrottleSwitch)) flags |= kAutothrottle;
    const std::optional<std::int32_t> pitchMode = ReadInt(server, Slot::FgcpVerticalSpeedButton);
    if (pitchMode == 1) flags |= kVerticalSpeedMode;
    if (pitchMode == 2) flags |= kOtherPitchMode;
    if (IsAbove0(server, Slot::FgcpHeadingButton)) flags |= kHeadingMode;
    if (IsAbove0(server, Slot::FgcpAltitudeHoldButton)) flags |= kAltitudeHold;
    return flags;
}

}  // namespace

void InstallMaddogAdapter(Server& server) {
    server.adapters.table = {RunCommand,      QueryValue, FillAutopilotState, CountEngineStates,
                             ForwardSimEvent, Unload,     SendTakeoffData};
}

void FillAutopilotState(Server& server, link::SnapshotRecord& record) {
    auto& w = record.words;
    // The Maddog's own lamps fill the shared lamp slots. Without a bridge the
    // word is 0: left as the flight record's altitude target it would read as lamps.
    w[link::kWordMasterLamps] = lvar::MasterLampWord(server);
    if (!bridge::HasBridge(server)) return;
    CopyWord(server, record, link::kWordSpeedTarget, Slot::FgcpSpeedTargetValue);
    CopyWord(server, record, link::kWordHeadingTarget, Slot::FgcpHeadingTargetValue);
    CopyWord(server, record, link::kWordAltitudeTarget, Slot::FgcpAltitudeTargetValue);
    CopyWord(server, record, link::kWordFlapsHandle, Slot::FlapsLever, kFlapsLeverScale);
    w[link::kWordAutopilotFlags] |= AutopilotFlags(server);
    SpendFlapStep(server);
}

void CountEngineStates(Server& server, link::SnapshotRecord& record, std::int32_t& running, std::int32_t& starting,
                       std::int32_t& takeoffPower, std::int32_t& reverse) {
    auto& w = record.words;
    const sim::Record& engines = server.session.records[sim::kEngineRecord];
    const bool airborne = w[link::kWordOnGround] == 0;
    const std::int32_t count = std::clamp(w[link::kWordNumberOfEngines], 0, kEngines);
    for (std::int32_t engine = 0; engine < count; ++engine) {
        const auto i = static_cast<std::size_t>(engine);
        if (engines.Int32(kCombustion + i) != 0) {
            w[link::kWordEnginesRunning] |= 1 << engine;
            ++running;
            // The lever runs 0 to 16383: the generic thresholds, not a fraction.
            switch (lvar::ThrustOfLever(engines.Int32(kThrottle + i))) {
                case lvar::Thrust::Takeoff:
                    ++takeoffPower;
                    break;
                case lvar::Thrust::Reverse:
                    ++reverse;
                    break;
                case lvar::Thrust::Neither:
                    break;
            }
        } else if (engines.Int32(kStarter + i) != 0) {
            ++starting;
        } else if (airborne && engines.Int32(kFailed + i) > 0) {
            w[link::kWordEnginesFailed] |= 1 << engine;
        }
    }
}

void Unload(Server& server) {
    StopWorkers(server);
}

void SendTakeoffData(Server& server, WindowId crewWindow, WindowId linkWindow) {
    if (!bridge::HasBridge(server)) return;
    link::SendTakeoffRecord(server, crewWindow, linkWindow, link::TakeoffDataRecord{});
}

}  // namespace tarvo::adapters::maddog
