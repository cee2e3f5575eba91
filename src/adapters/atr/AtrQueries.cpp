// The ATR's single values, panel state and engine counts.
#include "adapters/LvarAdapter.h"
#include "adapters/atr/Atr.h"
#include "adapters/generic/GenericAdapter.h"
#include "base/Convert.h"
#include "bridge/WasmBridge.h"
#include "link/Reports.h"

#include <algorithm>
#include <initializer_list>

namespace tarvo::adapters::atr {
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
using Kind = RecordField::Kind;

constexpr double kConditionLeverFuel = 1.0;
constexpr double kLeverFull = 16383.0;
constexpr double kTakeoffPowerLever = 40.0;    // above
constexpr double kReversePowerLever = -300.0;  // below
constexpr double kGreenDotAbove = 200.0;
constexpr std::int32_t kFirstOfficerFlightDirector = 0x100;

// A computed answer is given only when the aircraft has every variable it
// reads: a variable never found reads 0.0, which would answer for it.
bool Known(Server& server, std::initializer_list<Slot> slots) {
    return std::all_of(slots.begin(), slots.end(), [&server](Slot slot) { return lvar::IsKnown(server, slot); });
}
void Wiper(Server& server, link::ValueQuery& query, Slot wiper) {
    if (!Known(server, {wiper})) return;
    const std::int32_t position = Truncated(server, wiper);
    lvar::WriteDouble(query, position == 0 ? 2.0 : position == 1 ? 1.0 : 0.0);
}

void ConditionLever(Server& server, link::ValueQuery& query, Slot lever) {
    if (!Known(server, {lever})) return;
    lvar::WriteDouble(query, Read(server, lever) >= kConditionLeverFuel ? kLeverFull : 0.0);
}

void Range(Server& server, link::ValueQuery& query, Slot range) {
    if (Known(server, {range})) lvar::WriteDouble(query, lvar::RangeIndex(Read(server, range)));
}

// clang-format off
constexpr QueryRow kRows[] = {
    Generic(16), Generic(23), Generic(24), Generic(27), Generic(38), Generic(60), Generic(71), Generic(72),
    Generic(75), Generic(76), Generic(82), Generic(86), Generic(303, 305), Generic(331, 334), Generic(336),
    Generic(341), Generic(343), Generic(344), Generic(348), Generic(617), Generic(624), Generic(625),
    Generic(631), Generic(638), Generic(643), Generic(644), Generic(650), Generic(657), Generic(662),
    Generic(663), Generic(669), Generic(676), Generic(681), Generic(682), Generic(688), Generic(695),
    Generic(700), Generic(708), Generic(831), Generic(870), Generic(871), Generic(1031), Generic(1610),
    Generic(1772, 1790),

    Lvar(103, Slot::Autopilot1Light),
    Lvar(105, Slot::AtrNavModeState),
    Lvar(106, Slot::HeadingHoldModeState),
    Lvar(108, Slot::AltitudeHoldModeState),
    Lvar(109, Slot::AtrSelectedAltitudeValue),
    Lvar(112, Slot::ApproachLight),
    Lvar(114, Slot::AtrYawDamperState),
    Lvar(1040, Slot::AtrYawDamperState),
    Lvar(115, Slot::FlightLevelChangeModeState),
    Lvar(119, Slot::VerticalSpeedModeState),
    Lvar(120, Slot::AtrPitchWheelValue),
    Lvar(141, Slot::Engine1AntiIceSwitch),
    Lvar(176, Slot::Engine2AntiIceSwitch),
    Lvar(369, Slot::TaxiLightSwitch),
    Lvar(563, Slot::AtrEngine1StartLight),
    Lvar(1311, Slot::AtrEngine1StartLight),
    Lvar(573, Slot::AtrEngine2StartLight),
    Lvar(1312, Slot::AtrEngine2StartLight),
    Lvar(565, Slot::Generator1Switch),
    Lvar(575, Slot::Generator2Switch),
    Lvar(615, Slot::AtrDecisionHeight1Value),
    Lvar(619, Slot::NavLightSwitch),
    Lvar(620, Slot::LogoLightSwitch),
    Lvar(621, Slot::WingLightSwitch),
    Lvar(783, Slot::AtrTrimIndicatorValue),
    Lvar(792, Slot::Efis1FlightDirectorLight),
    Lvar(1036, Slot::Efis2FlightDirectorLight),
    Lvar(868, Slot::AtrPassengerDoorState),
    Lvar(953, Slot::AtrPassengerDoorState),
    Lvar(1328, Slot::AtrPassengerDoorState),
    Lvar(1330, Slot::AtrPassengerDoorState),
    Lvar(1331, Slot::AtrServiceDoorState),
    Lvar(1334, Slot::AtrCargoDoorState),
    Lvar(877, Slot::AudioVor1ReceiveSwitch),
    Lvar(878, Slot::AudioVor2ReceiveSwitch),
    Lvar(880, Slot::AudioAdf1ReceiveSwitch),
    Lvar(881, Slot::AudioMarkerReceiveSwitch),
    Lvar(905, Slot::WingAntiIceSwitch),
    Lvar(960, Slot::EngineModeSelector),
    Lvar(1044, Slot::EngineModeSelector),
    Lvar(988, Slot::NoSmokingSignSwitch),
    Lvar(989, Slot::AtrOverheadSeatbeltLight),
    Lvar(1056, Slot::AtrGroundPowerInUseLight),
    Lvar(1068, Slot::AcEssFeedSwitch),
    Lvar(1240, Slot::AcEssFeedSwitch),
    Lvar(1072, Slot::AtrDcServiceUtilitySwitch),
    Lvar(1085, Slot::Ir1ModeSelector),
    Lvar(1086, Slot::Ir2ModeSelector),
    Lvar(1088, Slot::AtrSideWindowHeatSwitch),
    Lvar(1091, Slot::AtrSideWindowHeatSwitch),
    Lvar(1089, Slot::AtrWindshieldHeatLeftSwitch),
    Lvar(1090, Slot::AtrWindshieldHeatRightSwitch),
    Lvar(1095, Slot::AtrHydraulicBluePumpSwitch),
    Lvar(1096, Slot::AtrHydraulicGreenPumpSwitch),
    Lvar(1101, Slot::AtrHydraulicAuxPumpSwitch),
    Lvar(1105, Slot::AtrStabTrimChannel1Switch),
    Lvar(1106, Slot::AtrStabTrimChannel2Switch),
    Lvar(1117, Slot::AtrEec1Switch),
    Lvar(1118, Slot::AtrEec2Switch),
    Lvar(1136, Slot::PassengerOxygenSwitch),
    Lvar(1137, Slot::Pack1Switch),
    Lvar(1138, Slot::Pack2Switch),
    Lvar(1141, Slot::Engine1BleedSwitch),
    Lvar(1142, Slot::Engine2BleedSwitch),
    Lvar(1149, Slot::AtrRecirculationFan1Switch),
    Lvar(1150, Slot::AtrRecirculationFan1Switch),
    Lvar(1161, Slot::AtrEmergencyLightSwitch),
    Lvar(1162, Slot::GpwsFlapModeSwitch),
    Lvar(1530, Slot::GpwsFlapModeSwitch),
    Lvar(1164, Slot::ProbeHeatRightSwitch),
    Lvar(1165, Slot::AtrProbeHeatStandbySwitch),
    Lvar(1175, Slot::FuelLeftTankPump1Switch),
    Lvar(1176, Slot::FuelRightTankPump1Switch),
    Lvar(1197, Slot::AtrBaroUnitSelector),
    Lvar(1199, Slot::GpwsTerrainSwitch),
    Lvar(1430, Slot::GpwsTerrainSwitch),
    Lvar(1200, Slot::TransponderModeSelector),
    Lvar(1201, Slot::PassengerOxygenCover),
    Lvar(1205, Slot::AtrBatteryCover),
    Lvar(1228, Slot::RamAirSwitch),
    Lvar(1412, Slot::RamAirSwitch),
    Lvar(1280, Slot::AtrEmergencyFlapSwitch),
    Lvar(1299, Slot::AtrGustLockLever),
    Lvar(1343, Slot::NosewheelSteeringSwitch),
    Lvar(1344, Slot::WheelChocksSwitch),
    Lvar(1357, Slot::AtrHydraulicCrossfeedSwitch),
    Lvar(1366, Slot::AtrDeiceOverrideSwitch),
    Lvar(1367, Slot::AtrAileronAntiIceSwitch),
    Lvar(1369, Slot::AtrRudderAntiIceSwitch),
    Lvar(1416, Slot::AtrDisplay1FormatValue),
    Lvar(1418, Slot::AtrBoostLight),
    Lvar(1476, Slot::AtrPowerManagement1Selector),
    Lvar(1499, Slot::AtrPropeller1AntiIceSwitch),
    Lvar(1500, Slot::AtrPropeller2AntiIceSwitch),
    Lvar(1529, Slot::AtrPackFlowSelector),
    Lvar(1532, Slot::RamAirCover),
    Lvar(1556, Slot::FuelCrossfeedSwitch),
    Lvar(1627, Slot::AtrReverser1ModeSwitch),
    Lvar(1628, Slot::AtrReverser2ModeSwitch),
    Lvar(1681, Slot::AtrOxygenMainSwitch),
    Lvar(1700, Slot::AtrDitchingLight),
    Lvar(1751, Slot::AtrStormLightSwitch),
    Lvar(1759, Slot::AtrDisplay2FormatValue),

    State(11, sim::kSystemsRecord, 9),        // LIGHT STROBE
    State(54, sim::kAutopilotRecord, 20),     // NAV OBS:2
    State(324, sim::kSystemsRecord, 5),       // SPOILERS ARMED
    State(329, sim::kFlightRecord, 20),       // TRAILING EDGE FLAPS LEFT PERCENT
    State(368, sim::kSystemsRecord, 17),      // LIGHT BEACON
    State(622, sim::kSystemsRecord, 21),      // LIGHT RECOGNITION
    State(740, sim::kSystemsRecord, 31),      // AVIONICS MASTER SWITCH
    State(782, sim::kPositionRecord, 3, Kind::Float64),  // ELEVATOR POSITION
    State(784, sim::kPositionRecord, 4, Kind::Float64),  // AILERON POSITION
    State(785, sim::kPositionRecord, 8, Kind::Float64),  // AILERON TRIM
    State(786, sim::kPositionRecord, 5, Kind::Float64),  // RUDDER POSITION
    State(787, sim::kPositionRecord, 7, Kind::Float64),  // RUDDER TRIM
    State(949, sim::kSystemsRecord, 4),       // ANTISKID BRAKES ACTIVE
    State(1301, sim::kEngineRecord, 4),       // GENERAL ENG STARTER:1
    lvar::StateAsInt32(743, sim::kSystemsRecord, 6),  // AUTO BRAKE SWITCH CB

    Computed(308, [](Server& server, link::ValueQuery& query) {
        if (Known(server, {Slot::FuelCrossfeedSwitch}))
            lvar::WriteInt32(query, Truncated(server, Slot::FuelCrossfeedSwitch));
    }),
    Computed(320, [](Server&, link::ValueQuery& query) { lvar::WriteDouble(query, 0.0); }),
    Computed(321, [](Server&, link::ValueQuery& query) { lvar::WriteDouble(query, 0.0); }),
    Computed(13, [](Server& server, link::ValueQuery& query) {
        if (!Known(server, {Slot::ProbeWindowHeatSwitch, Slot::ProbeHeatRightSwitch, Slot::AtrProbeHeatStandbySwitch}))
            return;
        Answer1If(query, Above0(server, Slot::ProbeWindowHeatSwitch) &&
                             Read(server, Slot::ProbeHeatRightSwitch) != 0.0 &&
                             Read(server, Slot::AtrProbeHeatStandbySwitch) != 0.0);
    }),
    Computed(14, [](Server& server, link::ValueQuery& query) {
        if (!Known(server, {Slot::LandingLightLeftSwitch, Slot::LandingLightRightSwitch})) return;
        Answer1If(query, Above0(server, Slot::LandingLightLeftSwitch) && Above0(server, Slot::LandingLightRightSwitch));
    }),
    Computed(323, [](Server& server, link::ValueQuery& query) {
        if (Known(server, {Slot::ParkingBrakeLever})) Answer1If(query, Truncated(server, Slot::ParkingBrakeLever) == 2);
    }),
    Computed(364, [](Server& server, link::ValueQuery& query) {
        if (Known(server, {Slot::Battery1Switch})) Answer1If(query, Truncated(server, Slot::Battery1Switch) != 2);
    }),
    Computed(560, [](Server& server, link::ValueQuery& query) {
        ConditionLever(server, query, Slot::AtrConditionLever1Value);
    }),
    Computed(570, [](Server& server, link::ValueQuery& query) {
        ConditionLever(server, query, Slot::AtrConditionLever2Value);
    }),
    Computed(876, [](Server& server, link::ValueQuery& query) {
        if (!Known(server, {Slot::AudioVhf1ReceiveSwitch, Slot::AudioVhf2ReceiveSwitch})) return;
        Answer1If(query, Above0(server, Slot::AudioVhf1ReceiveSwitch) && Above0(server, Slot::AudioVhf2ReceiveSwitch));
    }),
    Computed(921, [](Server& server, link::ValueQuery& query) {
        if (Known(server, {Slot::DomeLightSwitch})) Answer1If(query, Truncated(server, Slot::DomeLightSwitch) == 0);
    }),
    Computed(1263, [](Server& server, link::ValueQuery& query) { Wiper(server, query, Slot::CaptainWiperSelector); }),
    Computed(1264, [](Server& server, link::ValueQuery& query) {
        Wiper(server, query, Slot::FirstOfficerWiperSelector);
    }),
    Computed(1274, [](Server& server, link::ValueQuery& query) {
        if (!Known(server, {Slot::ExternalPowerAvailLight, Slot::AtrGroundPowerInUseLight})) return;
        Answer1If(query, Above0(server, Slot::ExternalPowerAvailLight) || Above0(server, Slot::AtrGroundPowerInUseLight));
    }),
    Computed(1327, [](Server& server, link::ValueQuery& query) {
        if (Known(server, {Slot::AtrBusTieIsolationLight}))
            Answer1If(query, Truncated(server, Slot::AtrBusTieIsolationLight) == 0);
    }),
    // The mode as the crew app reads it, kept although 68557 sets 4 - value.
    Computed(1413, [](Server& server, link::ValueQuery& query) {
        if (Known(server, {Slot::WeatherRadarModeSelector}))
            lvar::WriteDouble(query, static_cast<double>(Truncated(server, Slot::WeatherRadarModeSelector)) - 4.0);
    }),
    Computed(1415, [](Server& server, link::ValueQuery& query) { Range(server, query, Slot::AtrDisplay1RangeValue); }),
    Computed(1758, [](Server& server, link::ValueQuery& query) { Range(server, query, Slot::AtrDisplay2RangeValue); }),
    // A shared slot that the ATR does not fill: no answer on the ATR itself.
    Computed(1544, [](Server& server, link::ValueQuery& query) {
        if (!Known(server, {Slot::GreenDotSpeedValue})) return;
        const double speed = Read(server, Slot::GreenDotSpeedValue);
        if (speed > kGreenDotAbove) lvar::WriteDouble(query, speed);
    }),
    Computed(1578, [](Server& server, link::ValueQuery& query) {
        if (Known(server, {Slot::AtrMachTrimInoperativeLight}))
            Answer1If(query, Truncated(server, Slot::AtrMachTrimInoperativeLight) == 0);
    }),
};
// clang-format on

static_assert(lvar::EveryQueryCodeOnce(kRows), "a query code belongs to one row");

constexpr lvar::FlagLight kEngageLights[] = {
    {Slot::Autopilot1Light, lvar::kAutopilotEngaged},
    {Slot::Efis1FlightDirectorLight, lvar::kFlightDirector},
    {Slot::Efis2FlightDirectorLight, lvar::kFlightDirector | kFirstOfficerFlightDirector},
};

lvar::Thrust ThrustOf(Server& server, std::int32_t engine) {
    const double lever = Read(server, engine == 0 ? Slot::AtrPowerLever1Value : Slot::AtrPowerLever2Value);
    if (lever > kTakeoffPowerLever) return lvar::Thrust::Takeoff;
    if (lever < kReversePowerLever) return lvar::Thrust::Reverse;
    return lvar::Thrust::Neither;
}

}  // namespace

void QueryValue(Server& server, link::ValueQuery& query) {
    lvar::AnswerQuery(server, kRows, query);
}

void FillAutopilotState(Server& server, link::SnapshotRecord& record) {
    lvar::WordFromSlot(server, record, link::kWordHeadingTarget, Slot::AtrSelectedHeadingValue);
    lvar::WordFromSlot(server, record, link::kWordAltitudeTarget, Slot::AtrSelectedAltitudeValue);
    std::int32_t flags = lvar::LitFlags(server, kEngageLights);
    if ((flags & (lvar::kAutopilotEngaged | lvar::kFlightDirector)) != 0) flags |= lvar::LitFlags(server, lvar::kModeLights);
    record.words[link::kWordAutopilotFlags] |= flags;
    // Whole: the flight record's altitude target must not read as lamps.
    record.words[link::kWordMasterLamps] = lvar::MasterLampWord(server);
}

void CountEngineStates(Server& server, link::SnapshotRecord& record, std::int32_t& running, std::int32_t& starting,
                       std::int32_t& takeoffPower, std::int32_t& reverse) {
    lvar::CountTwoEngines(server, record, running, starting, takeoffPower, reverse, ThrustOf);
}

}  // namespace tarvo::adapters::atr
