// Single values by query code: the aircraft's variables, a few simulator
// records, the generic answers, and conditions on the variables.
#include "adapters/RowCodes.h"
#include "adapters/generic/GenericAdapter.h"
#include "adapters/inibuilds/Inibuilds.h"
#include "adapters/inibuilds/InibuildsActions.h"
#include "base/Convert.h"
#include "link/Reports.h"
#include "sim/SessionState.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tarvo::adapters::inibuilds {
namespace {

enum class Source : std::uint8_t {
    Lvar,       // the variable as a double
    LvarInt32,  // the variable truncated to a 32-bit integer
    Record,     // a field of a simulator record, as a double
    Generic,    // the generic adapter's answer
    Condition,  // 1.0 when the condition holds, else nothing
};

enum class Test : std::uint8_t {
    None,
    BothZero,       // both slots read 0 (the second is left out when the aircraft lacks it)
    EitherAbove0,   // either slot reads above 0
    AtMost1,        // reads 1 or less
    Zero,           // reads exactly 0
    TruncatedZero,  // reads 0 once truncated to an integer
    Above0,         // reads above 0
};

struct QueryRow {
    std::uint16_t code;
    Source source;
    Slot slot = Slot::None;
    Slot second = Slot::None;
    Test test = Test::None;
    sim::RecordId record = sim::kFlightRecord;
    std::uint8_t field = 0;
};

constexpr QueryRow Lvar(std::uint16_t code, Slot slot) {
    return {code, Source::Lvar, slot};
}
constexpr QueryRow Int32(std::uint16_t code, Slot slot) {
    return {code, Source::LvarInt32, slot};
}
constexpr QueryRow Sys(std::uint16_t code, std::uint8_t field) {
    return {code, Source::Record, Slot::None, Slot::None, Test::None, sim::kSystemsRecord, field};
}
constexpr QueryRow Eng(std::uint16_t code, std::uint8_t field) {
    return {code, Source::Record, Slot::None, Slot::None, Test::None, sim::kEngineRecord, field};
}
constexpr QueryRow Generic(std::uint16_t code) {
    return {code, Source::Generic};
}
constexpr QueryRow When(std::uint16_t code, Test test, Slot slot, Slot second = Slot::None) {
    return {code, Source::Condition, slot, second, test};
}

// The variable of each slot, per aircraft, is in the discovery list.
// clang-format off
constexpr QueryRow kQueries[] = {
    Lvar(1085, Slot::Ir1ModeSelector),
    Lvar(1544, Slot::GreenDotSpeedValue),
    Lvar(1545, Slot::SSpeedValue),
    Lvar(13,   Slot::ProbeHeatLeftSwitch),
    Lvar(24,   Slot::Vor1FrequencyValue),
    Lvar(27,   Slot::Vor2FrequencyValue),
    Lvar(105,  Slot::NavModeLight),
    Lvar(106,  Slot::HeadingSelectLight),
    Lvar(107,  Slot::HeadingDialValue),
    Lvar(108,  Slot::AltitudeHoldModeState),
    Lvar(109,  Slot::AltitudeDialValue),
    Lvar(112,  Slot::ApproachLight),
    Lvar(115,  Slot::AutothrustLight),
    Lvar(123,  Slot::AutothrustLight),
    Lvar(116,  Slot::AirspeedDialValue),
    Lvar(120,  Slot::VerticalSpeedDialValue),
    Lvar(141,  Slot::Engine1AntiIceSwitch),
    Lvar(323,  Slot::ParkingBrakeLever),
    Lvar(324,  Slot::SpoilersArmedState),
    Lvar(364,  Slot::Battery1Switch),
    Lvar(368,  Slot::BeaconLightSwitch),
    Lvar(565,  Slot::Generator1Switch),
    Lvar(570,  Slot::Engine2MasterSwitch),
    Lvar(575,  Slot::Generator2Switch),
    Lvar(615,  Slot::CaptainMinimumsValue),
    Lvar(621,  Slot::WingLightSwitch),
    Lvar(624,  Slot::Engine1N1Value),
    Lvar(625,  Slot::Engine1N2Value),
    Lvar(631,  Slot::Engine1ExhaustGasTemperatureValue),
    Lvar(638,  Slot::Engine1FuelFlowValue),
    Lvar(643,  Slot::Engine2N1Value),
    Lvar(644,  Slot::Engine2N2Value),
    Lvar(650,  Slot::Engine2ExhaustGasTemperatureValue),
    Lvar(657,  Slot::Engine2FuelFlowValue),
    Lvar(872,  Slot::IlsFrequencyValue),
    Lvar(878,  Slot::AudioVor2ReceiveSwitch),
    Lvar(880,  Slot::AudioAdf1ReceiveSwitch),
    Lvar(881,  Slot::AudioMarkerReceiveSwitch),
    Lvar(905,  Slot::WingAntiIceSwitch),
    Lvar(921,  Slot::DomeLightSwitch),
    Lvar(979,  Slot::ApuGeneratorSwitch),
    Lvar(982,  Slot::LandingElevationKnob),
    Lvar(988,  Slot::NoSmokingSignSwitch),
    Lvar(989,  Slot::SeatbeltSignSwitch),
    Lvar(1034, Slot::Autopilot2Light),
    Lvar(1036, Slot::Efis2FlightDirectorButton),
    Lvar(1040, Slot::YawDamper1Switch),
    Lvar(1041, Slot::YawDamper2Switch),
    Lvar(1051, Slot::ApuMasterSwitch),
    Lvar(1086, Slot::Ir2ModeSelector),
    Lvar(1087, Slot::Ir3ModeSelector),
    Lvar(1088, Slot::WindowHeat1Switch),
    Lvar(1089, Slot::WindowHeat2Switch),
    Lvar(1090, Slot::WindowHeat3Switch),
    Lvar(1091, Slot::WindowHeat4Switch),
    Lvar(1095, Slot::HydraulicEngine1PumpSwitch),
    Lvar(1096, Slot::HydraulicEngine2PumpSwitch),
    Lvar(1097, Slot::HydraulicEngine1SecondPumpSwitch),
    Lvar(1098, Slot::HydraulicEngine2SecondPumpSwitch),
    Lvar(1745, Slot::FirstOfficerTerrainOnNdButton),
    Lvar(1751, Slot::StormLightSwitch),
    Lvar(1753, Slot::FlightLevelChangeModeState),
    Lvar(1758, Slot::Efis2NdRangeSelector),
    Lvar(1759, Slot::Efis2NdModeSelector),
    Lvar(1769, Slot::AltitudeIncrementSelector),
    Lvar(1413, Slot::WeatherRadarModeSelector),
    Lvar(1415, Slot::Efis1NdRangeSelector),
    Lvar(1416, Slot::Efis1NdModeSelector),
    Lvar(1456, Slot::CaptainTerrainOnNdButton),
    Lvar(1606, Slot::ChronoRunningState),
    Lvar(1137, Slot::Pack1Switch),
    Lvar(1138, Slot::Pack2Switch),
    Lvar(1140, Slot::ApuBleedSwitch),
    Lvar(1141, Slot::Engine1BleedSwitch),
    Lvar(1142, Slot::Engine2BleedSwitch),
    Lvar(1154, Slot::PressurizationModeSwitch),
    Lvar(1164, Slot::ProbeHeatRightSwitch),
    Lvar(1165, Slot::ProbeHeatStandbySwitch),
    Lvar(1175, Slot::FuelOuterTankLeftPump1Switch),
    Lvar(1176, Slot::FuelOuterTankLeftPump2Switch),
    Lvar(1177, Slot::FuelLeftTankPump1Switch),
    Lvar(1178, Slot::FuelLeftTankPump2Switch),
    Lvar(1179, Slot::FuelRightTankPump1Switch),
    Lvar(1180, Slot::FuelRightTankPump2Switch),
    Lvar(1181, Slot::FuelOuterTankRightPump1Switch),
    Lvar(1182, Slot::FuelOuterTankRightPump2Switch),
    Lvar(1183, Slot::FuelCenterTankPump1Switch),
    Lvar(1184, Slot::FuelCenterTankPump2Switch),
    Lvar(1185, Slot::FuelTrimTankPump1Switch),
    Lvar(1186, Slot::FuelTrimTankPump2Switch),
    Lvar(1200, Slot::TransponderModeSelector),
    Lvar(1208, Slot::Battery2Switch),
    Lvar(1209, Slot::Battery3Switch),
    Lvar(1228, Slot::CrossBleedSelector),
    Lvar(1229, Slot::CrossBleedSelector),
    Lvar(1263, Slot::CaptainWiperSelector),
    Lvar(1264, Slot::FirstOfficerWiperSelector),
    Lvar(1271, Slot::BrakeFanSwitch),
    Lvar(1274, Slot::GroundPowerUnitSwitch),
    Lvar(1357, Slot::HydraulicBluePtuSwitch),
    Lvar(1358, Slot::HydraulicYellowPtuSwitch),
    Lvar(1376, Slot::Engine1HighPressureValveSwitch),
    Lvar(1377, Slot::Engine2HighPressureValveSwitch),
    Int32(308, Slot::FuelCrossfeedSwitch),
    Int32(743, Slot::AutobrakeLevelValue),
    Sys(10,   23),  // LIGHT PANEL
    Sys(11,   9),   // LIGHT STROBE
    Eng(563,  4),   // GENERAL ENG STARTER:1
    Eng(573,  5),   // GENERAL ENG STARTER:2
    Sys(622,  21),  // LIGHT RECOGNITION
    Sys(975,  26),  // APU PCT RPM
    Eng(1301, 4),   // GENERAL ENG STARTER:1
    Generic(16),   Generic(23),   Generic(38),   Generic(60),   Generic(71),   Generic(72),   Generic(75),
    Generic(76),   Generic(82),   Generic(86),   Generic(128),  Generic(163),  Generic(304),  Generic(305),
    Generic(331),  Generic(332),  Generic(333),  Generic(334),  Generic(336),  Generic(341),  Generic(343),
    Generic(344),  Generic(348),  Generic(617),  Generic(870),  Generic(871),  Generic(1031), Generic(1772),
    Generic(1773), Generic(1774), Generic(1775), Generic(1776), Generic(1777), Generic(1778), Generic(1779),
    Generic(1780), Generic(1781), Generic(1782), Generic(1783), Generic(1784), Generic(1785), Generic(1786),
    Generic(1787), Generic(1788), Generic(1789), Generic(1790), Generic(1610),
    When(14,   Test::BothZero,      Slot::LandingLightLeftSwitch, Slot::LandingLightRightSwitch),
    When(103,  Test::EitherAbove0,  Slot::Autopilot1Light, Slot::Autopilot2Light),
    When(369,  Test::AtMost1,       Slot::NoseLightSwitch),
    When(619,  Test::AtMost1,       Slot::NavLightSwitch),
    When(620,  Test::Zero,          Slot::NavLightSwitch),
    When(949,  Test::TruncatedZero, Slot::BrakeSystemSelector),
    When(1053, Test::Above0,        Slot::ApuStartAvailLight),
    When(1072, Test::Zero,          Slot::GalleyCabinSwitch),
};
// clang-format on

static_assert(CodesAreDistinct(kQueries), "a query code has one row");

// A condition is answered only on variables the aircraft has: an unknown one
// reads 0.0, which would say "off" or "on" for a switch nobody looked at.
bool Holds(Server& server, const QueryRow& row) {
    if (!IsKnown(server, row.slot)) return false;
    const double value = Read(server, row.slot);
    switch (row.test) {
        case Test::None:
            return false;
        case Test::BothZero:
            return value == 0.0 && (!IsKnown(server, row.second) || Read(server, row.second) == 0.0);
        case Test::EitherAbove0:
            return value > 0.0 || Read(server, row.second) > 0.0;
        case Test::AtMost1:
            return value <= 1.0;
        case Test::Zero:
            return value == 0.0;
        case Test::TruncatedZero:
            return TruncateToInt32(value) == 0;
        case Test::Above0:
            return value > 0.0;
    }
    return false;
}

void Answer(link::ValueQuery& query, double value) {
    std::memcpy(query.value.data(), &value, sizeof value);
}
void Answer(link::ValueQuery& query, std::int32_t value) {
    std::memcpy(query.value.data(), &value, sizeof value);
}

}  // namespace

void QueryValue(Server& server, link::ValueQuery& query) {
    if (!bridge::HasBridge(server)) return;
    const auto row =
        std::find_if(std::begin(kQueries), std::end(kQueries), [&](const QueryRow& r) { return r.code == query.code; });
    if (row == std::end(kQueries)) return;
    switch (row->source) {
        case Source::Lvar:
            return Answer(query, Read(server, row->slot));
        case Source::LvarInt32:
            return Answer(query, TruncateToInt32(Read(server, row->slot)));
        case Source::Record:
            return Answer(query, static_cast<double>(server.session.records[row->record].Int32(row->field)));
        case Source::Generic:
            return generic::QueryValue(server, query);
        case Source::Condition:
            if (Holds(server, *row)) Answer(query, 1.0);
            return;
    }
}

}  // namespace tarvo::adapters::inibuilds
