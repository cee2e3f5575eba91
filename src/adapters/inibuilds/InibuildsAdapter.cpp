// The Inibuilds adapter's table, its unload, and what it reports in the
// snapshot and the take-off data.
#include "adapters/Selection.h"
#include "adapters/generic/GenericAdapter.h"
#include "adapters/inibuilds/Inibuilds.h"
#include "adapters/inibuilds/InibuildsActions.h"
#include "adapters/inibuilds/InibuildsWorkers.h"
#include "base/Convert.h"
#include "link/Reports.h"

namespace tarvo::adapters::inibuilds {
namespace {

// Autopilot flags of snapshot word 28.
constexpr std::int32_t kAutopilotEngaged = 0x1;
constexpr std::int32_t kHeadingSelect = 0x4;
constexpr std::int32_t kAltitudeHold = 0x8;
constexpr std::int32_t kLand = 0x10;
constexpr std::int32_t kFlightDirector = 0x20;
constexpr std::int32_t kAutothrottle = 0x40;
constexpr std::int32_t kFirstOfficerFlightDirector = 0x100;
constexpr std::int32_t kLevelChange = 0x800;
// Master lamps of word 37.
constexpr std::int32_t kMasterCaution = 0x20000000;
constexpr std::int32_t kMasterWarning = 0x40000000;
constexpr std::int32_t kFmsMessage = 0x100;

bool IsOn(Server& server, Slot slot) {
    return Read(server, slot) > 0.0;
}

std::int32_t AutopilotFlags(Server& server) {
    std::int32_t flags = 0;
    if (IsOn(server, Slot::Autopilot1Light) || IsOn(server, Slot::Autopilot2Light)) flags |= kAutopilotEngaged;
    const bool firstOfficer = IsOn(server, Slot::Efis2FlightDirectorButton);
    if (IsOn(server, Slot::Efis1FlightDirectorButton) || firstOfficer) flags |= kFlightDirector;
    if (firstOfficer) flags |= kFirstOfficerFlightDirector;
    // The aircraft names no variables for the other two lamps (0x2000 and the
    // speed bit 0x2), so they stay clear.
    if ((flags & (kAutopilotEngaged | kFlightDirector)) != 0) {
        if (IsOn(server, Slot::HeadingSelectLight)) flags |= kHeadingSelect;
        if (IsOn(server, Slot::AltitudeHoldModeState)) flags |= kAltitudeHold;
        if (IsOn(server, Slot::FlightLevelChangeModeState)) flags |= kLevelChange;
        if (IsOn(server, Slot::ApproachLight)) flags |= kLand;
    }
    if (IsOn(server, Slot::AutothrustLight)) flags |= kAutothrottle;
    return flags;
}

std::int32_t MasterLamps(Server& server) {
    std::int32_t lamps = 0;
    if (IsOn(server, Slot::MasterCautionLight)) lamps |= kMasterCaution;
    if (IsOn(server, Slot::MasterWarningLight)) lamps |= kMasterWarning;
    if (IsOn(server, Slot::Fms1MessageLight)) lamps |= kFmsMessage;
    return lamps;
}

// A dial the aircraft has replaces the simulator's target; otherwise the word keeps it.
void WriteDial(Server& server, std::int32_t& word, Slot dial) {
    if (IsKnown(server, dial)) word = TruncateToInt32(Read(server, dial));
}

std::int32_t ReadTruncated(Server& server, Slot slot) {
    return TruncateToInt32(Read(server, slot));
}

}  // namespace

void InstallInibuildsAdapter(Server& server) {
    // Engines are counted as for any aircraft: each its own record, take-off
    // power from a lever above 12000, at most four engines.
    server.adapters.table = {RunCommand,      QueryValue, FillAutopilotState, generic::CountEngineStates,
                             ForwardSimEvent, Unload,     SendTakeoffData};
}

void FillAutopilotState(Server& server, link::SnapshotRecord& record) {
    auto& w = record.words;
    if (!bridge::HasBridge(server)) {
        // Left as the flight record's altitude target, word 37 would read as lamps
        // (5000 ft is the FMS message bit).
        w[link::kWordMasterLamps] = 0;
        return;
    }
    w[link::kWordAutopilotFlags] = AutopilotFlags(server);
    WriteDial(server, w[link::kWordSpeedTarget], Slot::AirspeedDialValue);
    WriteDial(server, w[link::kWordHeadingTarget], Slot::HeadingDialValue);
    WriteDial(server, w[link::kWordAltitudeTarget], Slot::AltitudeDialValue);
    w[link::kWordMasterLamps] = MasterLamps(server);
}

void SendTakeoffData(Server& server, WindowId crewWindow, WindowId linkWindow) {
    if (!bridge::HasBridge(server)) return;
    link::TakeoffDataRecord record;
    record.words[0] = ReadTruncated(server, Slot::TakeoffV1SpeedValue);
    record.words[1] = ReadTruncated(server, Slot::TakeoffVrSpeedValue);
    record.words[2] = ReadTruncated(server, Slot::TakeoffV2SpeedValue);
    record.words[4] = ReadTruncated(server, Slot::TransitionAltitudeValue);
    record.words[12] = ReadTruncated(server, Slot::TakeoffFlexTemperatureValue);
    link::SendTakeoffRecord(server, crewWindow, linkWindow, record);
}

void Unload(Server& server) {
    StopWorkers(server);
    server.adapters.inibuilds.a310Flag = false;
}

}  // namespace tarvo::adapters::inibuilds
