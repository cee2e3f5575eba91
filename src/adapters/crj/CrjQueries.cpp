// The CRJ's single values, panel state and engine counts.
#include "adapters/LvarAdapter.h"
#include "adapters/crj/Crj.h"
#include "adapters/generic/GenericAdapter.h"
#include "base/Convert.h"
#include "bridge/WasmBridge.h"
#include "link/Reports.h"

#include <algorithm>

namespace tarvo::adapters::crj {
namespace {

using lvar::Above0;
using lvar::Answer1If;
using lvar::Computed;
using lvar::Generic;
using lvar::Lvar;
using lvar::QueryRow;
using lvar::Read;
using lvar::RecordField;
using lvar::State;
using lvar::Truncated;
using lvar::Zero;
using Kind = RecordField::Kind;

constexpr double kDoorOpenAbove = 50.0;
constexpr double kLeverFull = 16383.0;
constexpr std::int32_t kLeverIdle = 400;
constexpr std::size_t kWordSpoilersHandle = 22;
constexpr std::size_t kFlightDirector1 = 0;  // autopilot record: AUTOPILOT FLIGHT DIRECTOR ACTIVE:1

// 1.0 when the variable truncates to 0; a variable the aircraft does not have
// answers nothing rather than reading as 0.
void AnswerIfZero(Server& server, link::ValueQuery& query, Slot slot) {
    if (lvar::IsKnown(server, slot)) Answer1If(query, Truncated(server, slot) == 0);
}

double SpoilerPosition(Server& server) {
    return kLeverFull * Read(server, Slot::SpoilerLeverValue) / 100.0;
}

// clang-format off
constexpr QueryRow kRows[] = {
    Generic(16), Generic(23), Generic(24), Generic(27), Generic(38), Generic(60), Generic(71), Generic(72),
    Generic(75), Generic(76), Generic(82), Generic(86), Generic(303, 305), Generic(331, 334), Generic(336),
    Generic(341), Generic(343), Generic(344), Generic(348), Generic(617), Generic(624), Generic(625), Generic(631),
    Generic(638), Generic(643), Generic(644), Generic(650), Generic(657), Generic(662), Generic(663), Generic(669),
    Generic(676), Generic(681), Generic(682), Generic(688), Generic(695), Generic(831), Generic(870), Generic(871),
    Generic(1031), Generic(1610), Generic(1772, 1790),

    Lvar(10, Slot::OverheadPanelLightKnob),
    Lvar(11, Slot::StrobeLightSwitch),
    Lvar(103, Slot::Autopilot1Light),
    Lvar(106, Slot::HeadingHoldModeState),
    Lvar(107, Slot::HeadingTargetValue),
    Lvar(108, Slot::AltitudeHoldModeState),
    Lvar(109, Slot::AltitudeTargetValue),
    Lvar(112, Slot::ApproachLight),
    Lvar(115, Slot::FlightLevelChangeModeState),
    Lvar(116, Slot::SpeedTargetValue),
    Lvar(119, Slot::VerticalSpeedModeState),
    Lvar(141, Slot::Engine1AntiIceSwitch),
    Lvar(176, Slot::Engine2AntiIceSwitch),
    Lvar(364, Slot::Battery1Switch),
    Lvar(368, Slot::BeaconLightSwitch),
    Lvar(369, Slot::TaxiLightSwitch),
    Lvar(563, Slot::Engine1StartLight),
    Lvar(565, Slot::Generator1Switch),
    Lvar(573, Slot::Engine2StartLight),
    Lvar(575, Slot::Generator2Switch),
    Lvar(615, Slot::CaptainDecisionHeightValue),
    Lvar(619, Slot::NavLightSwitch),
    Lvar(620, Slot::LogoLightSwitch),
    Lvar(621, Slot::WingLightSwitch),
    Lvar(783, Slot::ElevatorTrimValue),
    Lvar(877, Slot::AudioVor1ReceiveSwitch),
    Lvar(878, Slot::AudioVor2ReceiveSwitch),
    Lvar(880, Slot::AudioAdf1ReceiveSwitch),
    Lvar(881, Slot::AudioMarkerReceiveSwitch),
    Lvar(883, Slot::Engine1AntiIceSwitch),
    Lvar(884, Slot::Engine2AntiIceSwitch),
    Lvar(891, Slot::FuelLeftTankPump1Switch),
    Lvar(892, Slot::FuelRightTankPump1Switch),
    Lvar(905, Slot::WingAntiIceSwitch),
    Lvar(921, Slot::DomeLightSwitch),
    Lvar(960, Slot::ContinuousIgnitionLight),
    Lvar(979, Slot::ApuGeneratorSwitch),
    Lvar(988, Slot::NoSmokingSignSwitch),
    Lvar(989, Slot::SeatbeltSignSwitch),
    Lvar(1034, Slot::Autopilot2Light),
    Lvar(1044, Slot::ContinuousIgnitionLight),
    Lvar(1056, Slot::ExternalPowerInUseState),
    Lvar(1066, Slot::AutoTransfer1Switch),
    Lvar(1067, Slot::AutoTransfer2Switch),
    Lvar(1068, Slot::AcEssFeedSwitch),
    Lvar(1072, Slot::DcServiceSwitch),
    Lvar(1085, Slot::Ir1ModeSelector),
    Lvar(1086, Slot::Ir2ModeSelector),
    Lvar(1088, Slot::WindshieldHeatLeftSwitch),
    Lvar(1089, Slot::WindshieldHeatLeftSwitch),
    Lvar(1090, Slot::WindshieldHeatRightSwitch),
    Lvar(1091, Slot::WindshieldHeatRightSwitch),
    Lvar(1095, Slot::HydraulicShutoffValve1Switch),
    Lvar(1096, Slot::AcEssFeedSwitch),
    Lvar(1105, Slot::StabTrim1Button),
    Lvar(1106, Slot::StabTrim2Button),
    Lvar(1136, Slot::PassengerOxygenSwitch),
    Lvar(1137, Slot::Pack1Switch),
    Lvar(1138, Slot::Pack2Switch),
    Lvar(1141, Slot::BleedValvesSwitch),
    Lvar(1142, Slot::BleedValvesSwitch),
    Lvar(1149, Slot::CabinFansSwitch),
    Lvar(1150, Slot::CabinFansSwitch),
    Lvar(1161, Slot::EmergencyExitLightSwitch),
    Lvar(1162, Slot::GpwsFlapModeSwitch),
    Lvar(1164, Slot::ProbeHeatRightSwitch),
    Lvar(1197, Slot::Baro1UnitSelector),
    Lvar(1199, Slot::GpwsTerrainSwitch),
    Lvar(1200, Slot::TransponderModeSelector),
    Lvar(1201, Slot::PassengerOxygenCover),
    Lvar(1240, Slot::AcEssFeedSwitch),
    Lvar(1263, Slot::CaptainWiperSelector),
    Lvar(1264, Slot::FirstOfficerWiperSelector),
    Lvar(1280, Slot::EmergencyFlapSwitch),
    Lvar(1330, Slot::AftCargoDoorPositionValue),
    Lvar(1332, Slot::AftCargoDoorPositionValue),
    Lvar(1333, Slot::AftCargoDoorPositionValue),
    Lvar(1343, Slot::NosewheelSteeringSwitch),
    Lvar(1344, Slot::WheelChocksSwitch),
    Lvar(1353, Slot::HydraulicShutoffValve1Cover),
    Lvar(1354, Slot::HydraulicShutoffValve2Cover),
    Lvar(1413, Slot::WeatherRadarModeSelector),
    Lvar(1416, Slot::Display1FormatValue),
    Lvar(1430, Slot::GpwsTerrainSwitch),
    Lvar(1529, Slot::BleedValvesSwitch),
    Lvar(1530, Slot::GpwsFlapModeSwitch),
    Lvar(1556, Slot::FuelTransferLeftSwitch),
    Lvar(1557, Slot::FuelTransferRightSwitch),
    Lvar(1558, Slot::FuelTransferOverrideSwitch),
    Lvar(1580, Slot::HydraulicPump1Selector),
    Lvar(1581, Slot::HydraulicPump2Selector),
    Lvar(1582, Slot::HydraulicPump3ASelector),
    Lvar(1583, Slot::HydraulicPump3BSelector),
    Lvar(1627, Slot::ThrustReverser1ModeSwitch),
    Lvar(1628, Slot::ThrustReverser2ModeSwitch),
    Lvar(1707, Slot::CrossBleedSelector),
    Lvar(1759, Slot::Display2FormatValue),

    Computed(325, [](Server& server, link::ValueQuery& query) { lvar::WriteDouble(query, SpoilerPosition(server)); }),
    Computed(308, [](Server& server, link::ValueQuery& query) {
        lvar::WriteInt32(query, Truncated(server, Slot::FuelGravityFlowSwitch));
    }),
    Computed(1415, [](Server& server, link::ValueQuery& query) {
        lvar::WriteDouble(query, lvar::RangeIndex(Read(server, Slot::Display1RangeValue)));
    }),
    Computed(1758, [](Server& server, link::ValueQuery& query) {
        lvar::WriteDouble(query, lvar::RangeIndex(Read(server, Slot::Display2RangeValue)));
    }),
    Computed(13, [](Server& server, link::ValueQuery& query) {
        Answer1If(query, Above0(server, Slot::ProbeWindowHeatSwitch) || Read(server, Slot::ProbeHeatRightSwitch) != 0.0);
    }),
    Computed(14, [](Server& server, link::ValueQuery& query) {
        Answer1If(query, Above0(server, Slot::LandingLightLeftSwitch) || Above0(server, Slot::LandingLightRightSwitch) ||
                             Above0(server, Slot::LandingLightNoseSwitch));
    }),
    Computed(560, [](Server& server, link::ValueQuery& query) {
        Answer1If(query, Truncated(server, Slot::ThrustLever1Value) == kLeverIdle);
    }),
    Computed(570, [](Server& server, link::ValueQuery& query) {
        Answer1If(query, Truncated(server, Slot::ThrustLever2Value) == kLeverIdle);
    }),
    Computed(876, [](Server& server, link::ValueQuery& query) {
        Answer1If(query, Above0(server, Slot::AudioVhf1ReceiveSwitch) && Above0(server, Slot::AudioVhf2ReceiveSwitch));
    }),
    Computed(1040, [](Server& server, link::ValueQuery& query) {
        Answer1If(query, Truncated(server, Slot::YawDamper1State) == 1);
    }),
    Computed(1041, [](Server& server, link::ValueQuery& query) {
        Answer1If(query, Truncated(server, Slot::YawDamper2State) == 1);
    }),
    Computed(1051, [](Server& server, link::ValueQuery& query) {
        Answer1If(query, Above0(server, Slot::ApuStartAvailLight) || Above0(server, Slot::ApuStartOnLight));
    }),
    Computed(1053, [](Server& server, link::ValueQuery& query) {
        Answer1If(query, Above0(server, Slot::ApuStartAvailLight) || Above0(server, Slot::ApuStartOnLight));
    }),
    Computed(1140, [](Server& server, link::ValueQuery& query) {
        Answer1If(query, Read(server, Slot::BleedValvesSwitch) == 1.0);
    }),
    Computed(1228, [](Server& server, link::ValueQuery& query) {
        AnswerIfZero(server, query, Slot::BleedIsolationSwitch);
    }),
    Computed(1274, [](Server& server, link::ValueQuery& query) {
        Answer1If(query, Above0(server, Slot::ExternalPowerAvailableState) ||
                             Above0(server, Slot::ExternalPowerInUseState));
    }),
    Computed(1328, [](Server& server, link::ValueQuery& query) {
        Answer1If(query, Read(server, Slot::MainDoorPositionValue) > kDoorOpenAbove);
    }),
    Computed(1329, [](Server& server, link::ValueQuery& query) {
        Answer1If(query, Read(server, Slot::ServiceDoorPositionValue) > kDoorOpenAbove);
    }),
    Computed(1334, [](Server& server, link::ValueQuery& query) {
        Answer1If(query, Read(server, Slot::ForwardCargoDoorPositionValue) > kDoorOpenAbove);
    }),
    Computed(1335, [](Server& server, link::ValueQuery& query) {
        Answer1If(query, Read(server, Slot::AftCargoDoorPositionValue) > kDoorOpenAbove);
    }),
    Computed(1578, [](Server& server, link::ValueQuery& query) {
        AnswerIfZero(server, query, Slot::MachTrimInoperativeLight);
    }),
    Computed(953, [](Server& server, link::ValueQuery& query) {
        Answer1If(query, Read(server, Slot::MainDoorPositionValue) > kDoorOpenAbove);
    }),
    Zero(320), Zero(321), Zero(868), Zero(1331),
    // Functions the CRJ has no variable for: what an empty slot reads. 1544
    // answers only from 201 up, so never.
    Zero(1054), Zero(1073), Zero(1099), Zero(1357), Zero(1545),

    State(105, sim::kAutopilotRecord, 11),   // AUTOPILOT NAV1 LOCK
    State(114, sim::kSystemsRecord, 8),      // AUTOPILOT YAW DAMPER
    State(120, sim::kFlightRecord, 31),      // AUTOPILOT VERTICAL HOLD VAR
    State(123, sim::kAutopilotRecord, 2),    // AUTOPILOT THROTTLE ARM
    State(323, sim::kSystemsRecord, 3),      // BRAKE PARKING POSITION
    State(324, sim::kSystemsRecord, 5),      // SPOILERS ARMED
    State(329, sim::kFlightRecord, 20),      // TRAILING EDGE FLAPS LEFT PERCENT
    State(622, sim::kSystemsRecord, 21),     // LIGHT RECOGNITION
    State(740, sim::kSystemsRecord, 31),     // AVIONICS MASTER SWITCH
    State(782, sim::kPositionRecord, 3, Kind::Float64),  // ELEVATOR POSITION
    State(784, sim::kPositionRecord, 4, Kind::Float64),  // AILERON POSITION
    State(785, sim::kPositionRecord, 8, Kind::Float64),  // AILERON TRIM
    State(786, sim::kPositionRecord, 5, Kind::Float64),  // RUDDER POSITION
    State(787, sim::kPositionRecord, 7, Kind::Float64),  // RUDDER TRIM
    State(949, sim::kSystemsRecord, 4),      // ANTISKID BRAKES ACTIVE
    State(975, sim::kSystemsRecord, 26),     // APU PCT RPM
    State(976, sim::kSystemsRecord, 27),     // APU PCT STARTER
    State(792, sim::kAutopilotRecord, 0),    // AUTOPILOT FLIGHT DIRECTOR ACTIVE:1
    State(1036, sim::kAutopilotRecord, 0),   // AUTOPILOT FLIGHT DIRECTOR ACTIVE:1
    State(1115, sim::kEngineRecord, 20),     // FUELSYSTEM VALVE SWITCH:1
    State(1116, sim::kEngineRecord, 23),     // FUELSYSTEM VALVE SWITCH:4
    State(1275, sim::kSystemsRecord, 29),    // APU GENERATOR SWITCH:1
    State(1276, sim::kSystemsRecord, 30),    // APU GENERATOR SWITCH:2
    State(1301, sim::kEngineRecord, 4),      // GENERAL ENG STARTER:1
    lvar::StateAsInt32(743, sim::kSystemsRecord, 6),  // AUTO BRAKE SWITCH CB
};
// clang-format on

static_assert(lvar::EveryQueryCodeOnce(kRows), "a query code belongs to one row");

constexpr lvar::FlagLight kAutopilotLights[] = {
    {Slot::Autopilot1Light, lvar::kAutopilotEngaged},
    {Slot::Autopilot2Light, lvar::kAutopilotEngaged},
};

lvar::Thrust ThrustOf(Server& server, std::int32_t engine) {
    constexpr std::size_t kThrottle = 12;  // engine record: GENERAL ENG THROTTLE LEVER POSITION:1 to :4
    return lvar::ThrustOfLever(server.session.records[sim::kEngineRecord].Int32(kThrottle + engine));
}

}  // namespace

void QueryValue(Server& server, link::ValueQuery& query) {
    if (!bridge::HasBridge(server)) return;
    lvar::AnswerQuery(server, kRows, query);
}

void FillAutopilotState(Server& server, link::SnapshotRecord& record) {
    auto& w = record.words;
    lvar::WordFromSlot(server, record, link::kWordSpeedTarget, Slot::SpeedTargetValue);
    lvar::WordFromSlot(server, record, link::kWordHeadingTarget, Slot::HeadingTargetValue);
    lvar::WordFromSlot(server, record, link::kWordAltitudeTarget, Slot::AltitudeTargetValue);
    lvar::WordFromSlot(server, record, link::kWordFlapsHandle, Slot::FlapsLeverValue);
    if (lvar::IsKnown(server, Slot::SpoilerLeverValue))
        w[kWordSpoilersHandle] = TruncateToInt32(SpoilerPosition(server));

    std::int32_t flags = lvar::LitFlags(server, kAutopilotLights);
    if (server.session.records[sim::kAutopilotRecord].Int32(kFlightDirector1) != 0) flags |= lvar::kFlightDirector;
    if ((flags & (lvar::kAutopilotEngaged | lvar::kFlightDirector)) != 0) flags |= lvar::LitFlags(server, lvar::kModeLights);
    w[link::kWordAutopilotFlags] |= flags;
    // Whole: the flight record's altitude target must not read as lamps.
    w[link::kWordMasterLamps] = lvar::MasterLampWord(server);
}

void CountEngineStates(Server& server, link::SnapshotRecord& record, std::int32_t& running, std::int32_t& starting,
                       std::int32_t& takeoffPower, std::int32_t& reverse) {
    lvar::CountTwoEngines(server, record, running, starting, takeoffPower, reverse, ThrustOf);
}

}  // namespace tarvo::adapters::crj
