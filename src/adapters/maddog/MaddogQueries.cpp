// Single values by query code: the Maddog's own from its variables, a list of
// others from the generic adapter's records.
#include "adapters/LvarAdapter.h"
#include "adapters/generic/GenericAdapter.h"
#include "adapters/maddog/Maddog.h"
#include "adapters/maddog/Panel.h"
#include "base/Convert.h"
#include "link/Reports.h"

#include <array>
#include <optional>

namespace tarvo::adapters::maddog {
namespace {

enum class Answer : std::uint8_t {
    Value,                 // a's value as it is
    Integer,               // a truncated, as a 32-bit integer
    IntegerOneWhenAbove0,  // the integer 1 when a is above 0
    OneWhenAbove0,         // 1.0 when a is above 0
    OneWhenExactly,        // 1.0 when a is exactly the number
    OneWhenIs,             // 1.0 when a truncates to the number
    OneWhenBothAre,        // 1.0 when a and b truncate to the number
    OneWhenEitherAtLeast,  // 1.0 when a or b truncates to the number or more
    OneUnlessIs,           // 1.0 unless a truncates to the number
    OneWhenNonZero,        // 1.0 when a truncates to a number other than 0
    BWhenAAbove0,          // b's value when a is above 0
    TrimAngle,             // a trim indicator (50 neutral) in radians
    PlusNumber,            // the number + a
    SignSelector,          // a sign switch's position: 0 on, 1 off, 2 auto
    TcasMode,              // the TCAS knob's detents as modes 0 to 4
    GroundPower,           // ground power available and switched to a bus
    Zero,                  // 0.0: the aircraft has no such variable
};

struct QueryRow {
    std::array<std::uint16_t, 5> codes;  // 0: none
    Answer answer;
    Slot a = Slot::None;
    Slot b = Slot::None;
    double number = 0;
};

constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kTrimNeutral = 50.0;
constexpr double kTrimUnitsPerDegree = 12.0;

using enum Answer;
using S = Slot;

// In the crew app's order. A row whose variable the aircraft lacks answers
// nothing: a "1.0 when it reads 0" must not come from a variable not there.
// clang-format off
constexpr QueryRow kQueries[] = {
    {{13, 1423},         Value, S::ElectricalMeterSelector},
    {{106},              Value, S::FgcpHeadingButton},
    {{108},              Value, S::FgcpAltitudeHoldButton},
    {{114, 1040, 1041},  Value, S::YawDamperSwitch},
    {{115, 117},         Value, S::FgcpIasMachButton},
    {{120},              Value, S::FgcpVerticalSpeedTargetValue},
    {{123},              Value, S::FgcpAutothrottleSwitch},
    {{141},              Value, S::Engine1AntiIceSwitch},
    {{176},              Value, S::Engine2AntiIceSwitch},
    {{323},              Value, S::ParkingBrakeLever},
    {{364},              Value, S::Battery1Switch},
    {{368},              Value, S::BeaconLightSwitch},
    {{563},              Value, S::Engine1StartSwitch},
    {{573},              Value, S::Engine2StartSwitch},
    {{615},              Value, S::RadioAltitudeBugValue},
    {{620},              Value, S::LogoLightSwitch},
    {{621},              Value, S::WingLightSwitch},
    {{783},              Value, S::PitchTrimIndicatorValue},
    {{792, 1421},        Value, S::CaptainFlightDirectorSwitch},
    {{975},              Value, S::ApuGaugeNeedleValue},
    {{1036},             Value, S::FirstOfficerFlightDirectorSwitch},
    {{1043},             Value, S::IgnitionSelector},
    {{1048},             Value, S::EmergencyPowerSwitch},
    {{1050, 1274},       Value, S::ExternalPowerAvailLight},
    {{1051},             Value, S::ApuMasterSwitch},
    {{1060},             Value, S::Idg1DisconnectSwitch},
    {{1061},             Value, S::Idg2DisconnectSwitch},
    {{1066},             Value, S::DcBusCrossTieSwitch},
    {{1072},             Value, S::GalleyCabinSwitch},
    {{1088},             Value, S::WindshieldAntiIceSwitch},
    {{1095},             Value, S::HydraulicPanel1Selector},
    {{1096},             Value, S::HydraulicPanel2Selector},
    {{1136},             Value, S::PassengerOxygenSwitch},
    {{1140},             Value, S::ApuBleedSwitch},
    {{1141},             Value, S::Pack1Switch},
    {{1142},             Value, S::Pack2Switch},
    {{1161},             Value, S::EmergencyExitLightSwitch},
    {{1162},             Value, S::GroundProximitySwitch},
    {{1192},             Value, S::TakeoffFlapSettingValue},
    {{1206},             Value, S::Idg1DisconnectCover},
    {{1207},             Value, S::Idg2DisconnectCover},
    {{1211},             Value, S::GroundProximityCover},
    {{1223},             Value, S::BusTieSwitch},
    {{1263},             Value, S::WiperSelector},
    {{1275},             Value, S::ApuPowerLeftBusSwitch},
    {{1276},             Value, S::ApuPowerRightBusSwitch},
    {{1277},             Value, S::ExternalPowerLeftSwitch},
    {{1278},             Value, S::ExternalPowerRightSwitch},
    {{1290},             Value, S::AcVoltsSelector},
    {{1295},             Value, S::Engine1StartCover},
    {{1296},             Value, S::Engine2StartCover},
    {{1328},             Value, S::ForwardMainDoorToggle},
    {{1329},             Value, S::ForwardServiceDoorToggle},
    {{1330},             Value, S::AftDoorToggle},
    {{1331},             Value, S::AftServiceDoorToggle},
    {{1334, 1335, 1337}, Value, S::AftCargoDoorToggle},
    {{1419},             Value, S::HydraulicPowerLever},
    {{1420},             Value, S::AirConditioningShutoffSwitch},
    {{1437},             Value, S::CaptainWindowPositionValue},
    {{1438},             Value, S::FirstOfficerWindowPositionValue},
    {{1443},             Value, S::AirfoilAntiIceRightSwitch},
    {{1444},             Value, S::AirfoilAntiIceLeftSwitch},
    {{1477},             Value, S::CabinPressureLever},
    {{1478},             Value, S::ApuDoorsCover},
    {{1479},             Value, S::ApuDoorsSwitch},
    {{1497},             Value, S::FgcpVerticalSpeedButton},
    {{1498},             Value, S::FgcpNavButton},
    {{1539},             Value, S::InterphoneSwitch},
    {{1614},             Value, S::AftStairsToggle},
    {{1725},             Value, S::WindshieldAntiFogSwitch},
    {{1748},             Value, S::FloodLightLeftSwitch},
    {{1749},             Value, S::FloodLightRightSwitch},
    {{1751},             Value, S::ThunderstormLightSwitch},
    {{949},              Value, S::AntiSkidSwitch},
    {{785},              TrimAngle, S::AileronTrimIndicatorValue},
    {{787},              TrimAngle, S::RudderTrimIndicatorValue},
    {{958},              PlusNumber, S::FgcpBankAngleSelector, S::None, 2.0},
    {{743},              Integer, S::AutobrakeSelector},
    {{308},              IntegerOneWhenAbove0, S::FuelCrossfeedSwitch},
    {{130, 560},         OneWhenAbove0, S::Engine1MasterSwitch},
    {{165, 570},         OneWhenAbove0, S::Engine2MasterSwitch},
    {{369},              OneWhenAbove0, S::NoseLightSwitch},
    {{619},              OneWhenAbove0, S::StrobeLightSwitch},
    {{11},               OneWhenExactly, S::StrobeLightSwitch, S::None, 2.0},
    {{14},               OneWhenBothAre, S::LandingLightLeftSwitch, S::LandingLightRightSwitch, 2},
    {{565},              OneWhenIs, S::Generator1Switch, S::None, 2},
    {{575},              OneWhenIs, S::Generator2Switch, S::None, 2},
    {{978, 979},         OneWhenEitherAtLeast, S::ApuPowerLeftBusSwitch, S::ApuPowerRightBusSwitch, 1},
    {{988},              SignSelector, S::NoSmokingSignSwitch},
    {{989},              SignSelector, S::SeatbeltSignSwitch},
    {{1056},             GroundPower},
    {{1099, 1101},       OneUnlessIs, S::HydraulicPanel4Selector, S::None, 1},
    {{1109},             OneWhenAbove0, S::FuelLeftTankPump2Switch},
    {{1110},             OneWhenAbove0, S::FuelLeftTankPump1Switch},
    {{1111},             OneWhenAbove0, S::FuelRightTankPump1Switch},
    {{1112},             OneWhenAbove0, S::FuelRightTankPump2Switch},
    {{1113},             OneWhenAbove0, S::FuelCenterTankPump2Switch},
    {{1114},             OneWhenAbove0, S::FuelCenterTankPump1Switch},
    {{1132},             BWhenAAbove0, S::PneumaticCrossfeed1Lever, S::PneumaticPressureNeedleValue},
    {{1133},             BWhenAAbove0, S::PneumaticCrossfeed2Lever, S::PneumaticPressureNeedleValue},
    {{1137},             OneWhenIs, S::Pack1Switch, S::None, 2},
    {{1138},             OneWhenIs, S::Pack2Switch, S::None, 2},
    {{1145, 1228},       OneWhenAbove0, S::PneumaticCrossfeed1Lever},
    {{1147, 1229},       OneWhenAbove0, S::PneumaticCrossfeed2Lever},
    {{1200},             TcasMode, S::TcasModeSelector},
    {{1357},             OneWhenIs, S::HydraulicPanel3Selector, S::None, 0},
    {{1446},             OneWhenAbove0, S::CaptainAlternateStaticSwitch},
    {{1465},             OneWhenAbove0, S::FirstOfficerAlternateStaticSwitch},
    {{1474},             OneWhenIs, S::FuelStartPumpSwitch, S::None, 0},
    {{1475},             OneWhenIs, S::RadioRackFanSwitch, S::None, 0},
    {{1578},             OneWhenIs, S::MachTrimCompensatorSwitch, S::None, 0},
    {{1606},             OneWhenNonZero, S::CaptainClockNeedleValue},
    {{1412},             OneWhenAbove0, S::RamAirSwitch},
    {{630, 649, 1135, 1480, 1481}, Zero},
    // The variables these were meant to read have no name.
    {{1413, 1414, 1496, 1512}, Zero},
};
// clang-format on

// Answered by the generic adapter, from the simulator's records.
struct CodeRange {
    std::uint16_t first;
    std::uint16_t last;
};
// clang-format off
constexpr CodeRange kGenericCodes[] = {
    {16, 16}, {23, 24}, {27, 27}, {38, 38}, {60, 60}, {71, 72}, {75, 76}, {82, 82}, {86, 86}, {128, 128},
    {163, 163}, {303, 305}, {324, 324}, {331, 334}, {336, 336}, {341, 341}, {343, 344}, {348, 348},
    {617, 617}, {831, 831}, {870, 871}, {1031, 1031}, {1610, 1610}, {1772, 1790},
};
// clang-format on

constexpr const QueryRow* FindRow(std::uint32_t code) {
    for (const QueryRow& row : kQueries) {
        for (std::uint16_t listed : row.codes) {
            if (listed != 0 && listed == code) return &row;
        }
    }
    return nullptr;
}

constexpr bool IsGenericCode(std::uint32_t code) {
    for (const CodeRange& range : kGenericCodes) {
        if (code >= range.first && code <= range.last) return true;
    }
    return false;
}

constexpr bool EachCodeOnce() {
    for (const QueryRow& row : kQueries) {
        for (std::uint16_t code : row.codes) {
            if (code == 0) continue;
            if (FindRow(code) != &row || IsGenericCode(code)) return false;
        }
    }
    return true;
}
static_assert(EachCodeOnce(), "every code in one row");

bool Above0(const std::optional<double>& value) {
    return value && *value > 0.0;
}

// False for a variable the aircraft lacks.
bool TruncatesTo(const std::optional<double>& value, double number) {
    return value && TruncateToInt32(*value) == static_cast<std::int32_t>(number);
}

std::optional<double> SignSelectorAnswer(const std::optional<double>& value) {
    if (!value) return std::nullopt;
    switch (TruncateToInt32(*value)) {
        case 0:
            return 1.0;
        case 1:
            return 0.0;
        case 2:
            return 2.0;
        default:
            return std::nullopt;
    }
}

std::optional<double> TcasModeAnswer(const std::optional<double>& value) {
    constexpr std::int32_t kDetents[] = {0, 6, 12, 15, 18};
    if (!value) return std::nullopt;
    const std::int32_t knob = TruncateToInt32(*value);
    for (std::size_t mode = 0; mode < std::size(kDetents); ++mode) {
        if (knob == kDetents[mode]) return static_cast<double>(mode);
    }
    return std::nullopt;
}

std::optional<double> GroundPowerAnswer(Server& server) {
    const bool available =
        Above0(Read(server, Slot::ExternalPowerAvailLight)) || Above0(Read(server, Slot::ExternalPowerOnLight));
    const bool switched =
        Above0(Read(server, Slot::ExternalPowerLeftSwitch)) || Above0(Read(server, Slot::ExternalPowerRightSwitch));
    return available && switched ? std::optional<double>(1.0) : std::nullopt;
}

// The answer as a double; nothing leaves the value as it is.
std::optional<double> DoubleAnswer(Server& server, const QueryRow& row) {
    const auto one = [](bool condition) { return condition ? std::optional<double>(1.0) : std::nullopt; };
    const std::optional<double> a = row.a == Slot::None ? std::nullopt : Read(server, row.a);
    switch (row.answer) {
        case Value:
            return a;
        case OneWhenAbove0:
            return one(Above0(a));
        case OneWhenExactly:
            return one(a && *a == row.number);
        case OneWhenIs:
            return one(TruncatesTo(a, row.number));
        case OneWhenBothAre:
            return one(TruncatesTo(a, row.number) && TruncatesTo(Read(server, row.b), row.number));
        case OneWhenEitherAtLeast: {
            const auto atLeast = [&](const std::optional<double>& v) {
                return v && TruncateToInt32(*v) >= static_cast<std::int32_t>(row.number);
            };
            return one(atLeast(a) || atLeast(Read(server, row.b)));
        }
        case OneUnlessIs:
            return one(a && !TruncatesTo(a, row.number));
        case OneWhenNonZero:
            return one(a && TruncateToInt32(*a) != 0);
        case BWhenAAbove0:
            return Above0(a) ? Read(server, row.b) : std::nullopt;
        case TrimAngle:
            if (!a) return std::nullopt;
            return (*a - kTrimNeutral) / kTrimUnitsPerDegree / kDegreesPerRadian;
        case PlusNumber:
            if (!a) return std::nullopt;
            return row.number + *a;
        case SignSelector:
            return SignSelectorAnswer(a);
        case TcasMode:
            return TcasModeAnswer(a);
        case GroundPower:
            return GroundPowerAnswer(server);
        case Zero:
            return 0.0;
        case Integer:
        case IntegerOneWhenAbove0:
            break;
    }
    return std::nullopt;
}

}  // namespace

void QueryValue(Server& server, link::ValueQuery& query) {
    if (!bridge::HasBridge(server)) return;
    const QueryRow* row = FindRow(query.code);
    if (row == nullptr) {
        if (IsGenericCode(query.code)) generic::QueryValue(server, query);
        return;
    }
    if (row->answer == Integer || row->answer == IntegerOneWhenAbove0) {
        const std::optional<double> a = Read(server, row->a);
        if (!a) return;
        if (row->answer == Integer) return lvar::WriteInt32(query, TruncateToInt32(*a));
        if (*a > 0.0) lvar::WriteInt32(query, 1);
        return;
    }
    if (const std::optional<double> answer = DoubleAnswer(server, *row)) lvar::WriteDouble(query, *answer);
}

}  // namespace tarvo::adapters::maddog
