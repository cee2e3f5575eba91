#include "adapters/generic/GenericAdapter.h"

#include "adapters/fenix/Fcu.h"
#include "adapters/generic/Aircraft.h"
#include "base/Convert.h"
#include "link/Reports.h"
#include "sim/SessionState.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace tarvo::adapters::generic {
namespace {

using fenix::FcuField;

// ---- Default sources: the simulator's records ------------------------------

struct Field {
    sim::RecordId record = sim::kFlightRecord;
    std::uint8_t index = 0;
};

// A field of a record: the record by a short name, the field by its index.
// clang-format off
constexpr Field Flt(std::uint8_t i) { return {sim::kFlightRecord, i}; }
constexpr Field Pos(std::uint8_t i) { return {sim::kPositionRecord, i}; }
constexpr Field Ap(std::uint8_t i) { return {sim::kAutopilotRecord, i}; }
constexpr Field Sys(std::uint8_t i) { return {sim::kSystemsRecord, i}; }
constexpr Field Eng(std::uint8_t i) { return {sim::kEngineRecord, i}; }
constexpr Field Gauge(std::uint8_t i) { return {sim::kEngineGaugeRecord, i}; }
constexpr Field Design(std::uint8_t i) { return {sim::kDesignRecord, i}; }
constexpr Field Wx(std::uint8_t i) { return {sim::kWeatherRecord, i}; }
constexpr Field Fuel(std::uint8_t i) { return {sim::kFuelRecord, i}; }
constexpr Field Exit(std::uint8_t i) { return {sim::kExitsRecord, i}; }
// clang-format on

enum class DefaultKind : std::uint8_t {
    Fields,     // record fields, combined as the row says
    RawInt32,   // a BCD16 frequency or a code: its 32 bits in the first four bytes
    Zero,       // always 0.0
    NoValue,    // writes nothing
    LocalOnly,  // no simulation variable: only the add-on source answers
    Computed,   // a value the session keeps or derives
};

// How a row with several fields makes one answer.
enum class Combine : std::uint8_t {
    AnyOn,           // 1.0 when any field is non-zero
    AllOn,           // 1.0 when every field is non-zero
    Largest,         // the largest (door openings)
    AltitudeTarget,  // the first, unless it is 99000 or more ("no target"): then the second
    FirstNonZero,    // the first, unless it is 0: then the second
    ByEngineType,    // engine type, engine anti-ice, propeller de-ice: the one that engine has
};

struct DefaultSource {
    DefaultKind kind = DefaultKind::NoValue;
    Combine combine = Combine::AnyOn;
    std::uint8_t count = 0;
    std::array<Field, 4> fields{};
    double (*compute)(const Server&) = nullptr;
};

constexpr DefaultSource Var(Field field) {
    return {DefaultKind::Fields, Combine::AnyOn, 1, {field}, nullptr};
}
constexpr DefaultSource Bcd(Field field) {
    return {DefaultKind::RawInt32, Combine::AnyOn, 1, {field}, nullptr};
}

template <typename... Fields>
constexpr DefaultSource Combined(Combine combine, Fields... fields) {
    static_assert(sizeof...(Fields) >= 2 && sizeof...(Fields) <= 4);
    return {DefaultKind::Fields, combine, sizeof...(Fields), {fields...}, nullptr};
}
template <typename... Fields>
constexpr DefaultSource AnyOf(Fields... fields) {
    return Combined(Combine::AnyOn, fields...);
}
template <typename... Fields>
constexpr DefaultSource AllOf(Fields... fields) {
    return Combined(Combine::AllOn, fields...);
}
template <typename... Fields>
constexpr DefaultSource LargestOf(Fields... fields) {
    return Combined(Combine::Largest, fields...);
}
constexpr DefaultSource AltitudeTargetOf(Field target, Field autopilot1) {
    return Combined(Combine::AltitudeTarget, target, autopilot1);
}
constexpr DefaultSource FirstNonZeroOf(Field first, Field second) {
    return Combined(Combine::FirstNonZero, first, second);
}
constexpr DefaultSource ByEngineTypeOf(Field engineType, Field engineAntiIce, Field propellerDeice) {
    return Combined(Combine::ByEngineType, engineType, engineAntiIce, propellerDeice);
}
constexpr DefaultSource Computed(double (*compute)(const Server&)) {
    return {DefaultKind::Computed, Combine::AnyOn, 0, {}, compute};
}
constexpr DefaultSource kZero{DefaultKind::Zero};
constexpr DefaultSource kNoValue{DefaultKind::NoValue};
constexpr DefaultSource kLocalOnly{DefaultKind::LocalOnly};

double SimulationRate(const Server& server) {
    return server.session.simulationRate;
}

// Hectopascal / 0.4912 / 144: the crew app has always been sent this figure.
double SeaLevelPressure(const Server& server) {
    return server.session.records[sim::kWeatherRecord].Int32(0) / 0.4912 / 144.0;
}

// ---- Add-on sources: the aircraft's local variables -----------------------

// The aircraft a row names in brackets. Without brackets the row's variables
// answer on any aircraft that has them.
enum AddOnAircraft : std::uint8_t { kNoBrackets = 0, kFenix = 1, kA32nx = 2 };

enum class AddOnKind : std::uint8_t {
    None,
    Lvars,              // one variable passed on, or several: 1.0 when any is above 0
    LandingLights,      // left and right switch, each aircraft with its own "on" position
    AutobrakeSelector,  // the lit MAX, LO, MED light as the selector position
    FcuField,           // the Fenix FCU reader's field, where it is known
};

struct AddOnSource {
    AddOnKind kind = AddOnKind::None;
    std::uint8_t aircraft = kNoBrackets;
    std::uint8_t count = 0;
    std::array<Slot, 3> slots{};
    FcuField fcuField = FcuField::Speed;
};

template <typename... Slots>
constexpr AddOnSource Lvar(std::uint8_t aircraft, Slots... slots) {
    static_assert(sizeof...(Slots) >= 1 && sizeof...(Slots) <= 3);
    return {AddOnKind::Lvars, aircraft, sizeof...(Slots), {slots...}, FcuField::Speed};
}
constexpr AddOnSource LandingLights(std::uint8_t aircraft, Slot left, Slot right) {
    return {AddOnKind::LandingLights, aircraft, 2, {left, right}, FcuField::Speed};
}
constexpr AddOnSource AutobrakeSelector(std::uint8_t aircraft, Slot max, Slot low, Slot medium) {
    return {AddOnKind::AutobrakeSelector, aircraft, 3, {max, low, medium}, FcuField::Speed};
}
constexpr AddOnSource Fcu(FcuField field) {
    return {AddOnKind::FcuField, kFenix, 0, {}, field};
}
constexpr AddOnSource kNoAddOn{};

// ---- The query table -------------------------------------------------------

struct QueryRow {
    std::array<std::uint16_t, 2> codes;  // the second is 0 for a row of one code
    DefaultSource byDefault;
    AddOnSource addOn;
};

// One row per code or group of codes, in the crew app's documented order. A
// row's add-on source replaces its default on the aircraft it names, and on
// the Asobo 747 and 787 and the CJ4 where the aircraft has the variable.
// clang-format off
constexpr QueryRow kQueries[] = {
    {{10},         Var(Sys(23)),                                kNoAddOn},  // LIGHT PANEL
    {{11},         Var(Sys(9)),                                 Lvar(kA32nx | kFenix, Slot::StrobeLightSwitch)},  // LIGHT STROBE
    {{13},         Var(Sys(7)),                                 Lvar(kA32nx | kFenix, Slot::ProbeWindowHeatLight, Slot::ProbeWindowHeatSwitch)},  // PITOT HEAT
    {{14},         AllOf(Sys(10), Sys(11), Sys(12)),            LandingLights(kA32nx | kFenix, Slot::LandingLightLeftSwitch, Slot::LandingLightRightSwitch)},  // LIGHT LANDING:1, LIGHT LANDING:2, LIGHT LANDING:3 (all three on; :4 is not asked)
    {{16},         Bcd(Ap(18)),                                 kNoAddOn},  // ADF FREQUENCY:1
    {{23},         Bcd(Flt(25)),                                kNoAddOn},  // COM ACTIVE FREQUENCY:1
    {{24},         Bcd(Flt(26)),                                kNoAddOn},  // NAV ACTIVE FREQUENCY:1
    {{27},         Bcd(Ap(17)),                                 kNoAddOn},  // NAV ACTIVE FREQUENCY:2
    {{38},         Bcd(Ap(13)),                                 kNoAddOn},  // TRANSPONDER CODE:1
    {{58, 921},    Var(Sys(22)),                                Lvar(kFenix, Slot::DomeLightSwitch)},  // LIGHT CABIN
    {{60},         Var(Flt(0)),                                 kNoAddOn},  // SIM ON GROUND
    {{71},         Var(Pos(0)),                                 kNoAddOn},  // PLANE LATITUDE
    {{72},         Var(Pos(1)),                                 kNoAddOn},  // PLANE LONGITUDE
    {{75},         Var(Pos(14)),                                kNoAddOn},  // KOHLSMAN SETTING MB
    {{76},         Var(Pos(15)),                                kNoAddOn},  // KOHLSMAN SETTING HG
    {{82},         Var(Wx(7)),                                  kNoAddOn},  // MAGVAR
    {{86},         Var(Pos(2)),                                 kNoAddOn},  // PLANE HEADING DEGREES TRUE
    {{103},        AnyOf(Ap(3), Ap(4), Ap(5)),                  Lvar(kA32nx, Slot::Autopilot1Light, Slot::Autopilot2Light, Slot::Autopilot3Light)},  // AUTOPILOT MASTER:1, AUTOPILOT MASTER:2, AUTOPILOT MASTER:3
    {{105},        Var(Ap(11)),                                 Lvar(kNoBrackets, Slot::LnavArmedState)},  // AUTOPILOT NAV1 LOCK
    {{106},        Var(Ap(6)),                                  Lvar(kFenix, Slot::HeadingVsModeLight, Slot::HeadingHoldModeState)},  // AUTOPILOT HEADING LOCK
    {{107},        Var(Flt(17)),                                Fcu(FcuField::Heading)},  // AUTOPILOT HEADING LOCK DIR
    {{108},        Var(Ap(7)),                                  kNoAddOn},  // AUTOPILOT ALTITUDE LOCK
    {{109},        AltitudeTargetOf(Flt(18), Flt(37)),          Fcu(FcuField::Altitude)},  // AUTOPILOT ALTITUDE LOCK VAR, AUTOPILOT ALTITUDE LOCK VAR:1
    {{112},        Var(Ap(8)),                                  Lvar(kFenix, Slot::ApproachLight)},  // AUTOPILOT APPROACH HOLD
    {{114},        Var(Sys(8)),                                 kNoAddOn},  // AUTOPILOT YAW DAMPER
    {{115},        Var(Ap(9)),                                  Lvar(kFenix, Slot::SpeedModeLight)},  // AUTOPILOT AIRSPEED HOLD
    {{116},        Var(Flt(16)),                                Fcu(FcuField::Speed)},  // AUTOPILOT AIRSPEED HOLD VAR
    {{119},        Var(Ap(10)),                                 Lvar(kFenix, Slot::HeadingVsModeLight, Slot::VerticalSpeedModeState)},  // AUTOPILOT VERTICAL HOLD
    {{120},        FirstNonZeroOf(Flt(31), Flt(35)),            Fcu(FcuField::VerticalSpeed)},  // AUTOPILOT VERTICAL HOLD VAR, AUTOPILOT VERTICAL HOLD VAR:1
    {{123},        Var(Ap(2)),                                  Lvar(kFenix, Slot::AutothrustLight, Slot::AutothrottleArmSwitch)},  // AUTOPILOT THROTTLE ARM
    {{128},        Var(Eng(12)),                                kNoAddOn},  // GENERAL ENG THROTTLE LEVER POSITION:1
    {{129},        Var(Eng(40)),                                kNoAddOn},  // GENERAL ENG PROPELLER LEVER POSITION:1
    {{141},        Var(Eng(28)),                                Lvar(kFenix, Slot::Engine1AntiIceSwitch)},  // ENG ANTI ICE:1
    {{163},        Var(Eng(13)),                                kNoAddOn},  // GENERAL ENG THROTTLE LEVER POSITION:2
    {{164},        Var(Eng(41)),                                kNoAddOn},  // GENERAL ENG PROPELLER LEVER POSITION:2
    {{176},        Var(Eng(29)),                                Lvar(kFenix, Slot::Engine2AntiIceSwitch)},  // ENG ANTI ICE:2
    {{198},        Var(Eng(14)),                                kNoAddOn},  // GENERAL ENG THROTTLE LEVER POSITION:3
    {{199},        Var(Eng(42)),                                kNoAddOn},  // GENERAL ENG PROPELLER LEVER POSITION:3
    {{211},        Var(Eng(30)),                                kNoAddOn},  // ENG ANTI ICE:3
    {{233},        Var(Eng(15)),                                kNoAddOn},  // GENERAL ENG THROTTLE LEVER POSITION:4
    {{234},        Var(Eng(43)),                                kNoAddOn},  // GENERAL ENG PROPELLER LEVER POSITION:4
    {{246},        Var(Eng(31)),                                kNoAddOn},  // ENG ANTI ICE:4
    {{304},        Var(Fuel(2)),                                kNoAddOn},  // FUEL LEFT QUANTITY
    {{305},        Var(Fuel(4)),                                kNoAddOn},  // FUEL TANK CENTER QUANTITY
    {{308},        AnyOf(Eng(22), Eng(20), Eng(23), Sys(46)),   Lvar(kFenix, Slot::FuelCrossfeedLight)},  // FUELSYSTEM VALVE SWITCH:3, FUELSYSTEM VALVE SWITCH:1, FUELSYSTEM VALVE SWITCH:4, FUEL CROSS FEED
    {{320},        kZero,                                       kNoAddOn},
    {{321},        kZero,                                       kNoAddOn},
    {{323},        Var(Sys(3)),                                 Lvar(kA32nx | kFenix, Slot::ParkingBrakeLever)},  // BRAKE PARKING POSITION
    {{324},        Var(Sys(5)),                                 Lvar(kA32nx | kFenix, Slot::SpeedbrakeLever)},  // SPOILERS ARMED
    {{325},        Var(Flt(22)),                                kNoAddOn},  // SPOILERS HANDLE POSITION
    {{329},        Var(Flt(20)),                                kNoAddOn},  // TRAILING EDGE FLAPS LEFT PERCENT
    {{331},        Var(Flt(21)),                                kNoAddOn},  // GEAR HANDLE POSITION
    {{332},        Var(Sys(44)),                                kNoAddOn},  // GEAR CENTER POSITION
    {{333},        Var(Sys(43)),                                kNoAddOn},  // GEAR LEFT POSITION
    {{334},        Var(Sys(45)),                                kNoAddOn},  // GEAR RIGHT POSITION
    {{336},        Computed(SimulationRate),                    kNoAddOn},  // the simulation rate
    {{341},        Var(Wx(3)),                                  kNoAddOn},  // AMBIENT TEMPERATURE
    {{343},        Var(Wx(2)),                                  kNoAddOn},  // AMBIENT WIND VELOCITY
    {{344},        Var(Wx(1)),                                  kNoAddOn},  // AMBIENT WIND DIRECTION
    {{348},        Computed(SeaLevelPressure),                  kNoAddOn},  // SEA LEVEL PRESSURE / 0.4912 / 144
    {{364},        AnyOf(Sys(75), Sys(76), Pos(11), Sys(0)),    Lvar(kA32nx | kFenix, Slot::Battery1Switch)},  // ELECTRICAL BATTERY BUS AMPS:1, ELECTRICAL BATTERY BUS AMPS:2, ELECTRICAL BATTERY LOAD, ELECTRICAL MASTER BATTERY
    {{368},        Var(Sys(17)),                                Lvar(kFenix, Slot::BeaconLightSwitch)},  // LIGHT BEACON
    {{369},        AnyOf(Sys(14), Sys(16)),                     Lvar(kA32nx | kFenix, Slot::NoseLightSwitch)},  // LIGHT TAXI:1, LIGHT TAXI:3
    {{563},        Var(Eng(4)),                                 kNoAddOn},  // GENERAL ENG STARTER:1
    {{565},        Var(Sys(36)),                                Lvar(kFenix, Slot::Generator1Switch)},  // GENERAL ENG MASTER ALTERNATOR:1
    {{566},        Var(Sys(36)),                                kNoAddOn},  // GENERAL ENG MASTER ALTERNATOR:1
    {{570},        AnyOf(Eng(25), Eng(21)),                     Lvar(kFenix, Slot::Engine2MasterSwitch)},  // FUELSYSTEM VALVE SWITCH:6, FUELSYSTEM VALVE SWITCH:2
    {{573},        Var(Eng(5)),                                 kNoAddOn},  // GENERAL ENG STARTER:2
    {{575},        AnyOf(Sys(37), Sys(38)),                     Lvar(kFenix, Slot::Generator2Switch)},  // GENERAL ENG MASTER ALTERNATOR:2, GENERAL ENG MASTER ALTERNATOR:3
    {{576},        AnyOf(Sys(37), Sys(38)),                     kNoAddOn},  // GENERAL ENG MASTER ALTERNATOR:2, GENERAL ENG MASTER ALTERNATOR:3
    {{580},        Var(Eng(26)),                                kNoAddOn},  // FUELSYSTEM VALVE SWITCH:7
    {{583},        Var(Eng(6)),                                 kNoAddOn},  // GENERAL ENG STARTER:3
    {{585},        Var(Sys(38)),                                kNoAddOn},  // GENERAL ENG MASTER ALTERNATOR:3
    {{586},        Var(Sys(38)),                                kNoAddOn},  // GENERAL ENG MASTER ALTERNATOR:3
    {{590},        Var(Eng(27)),                                kNoAddOn},  // FUELSYSTEM VALVE SWITCH:8
    {{593},        Var(Eng(7)),                                 kNoAddOn},  // GENERAL ENG STARTER:4
    {{595},        Var(Sys(39)),                                kNoAddOn},  // GENERAL ENG MASTER ALTERNATOR:4
    {{596},        Var(Sys(39)),                                kNoAddOn},  // GENERAL ENG MASTER ALTERNATOR:4
    {{615},        Var(Flt(32)),                                kNoAddOn},  // DECISION HEIGHT
    {{617},        kNoValue,                                    kNoAddOn},
    {{619},        AnyOf(Sys(18), Sys(19)),                     Lvar(kFenix, Slot::LogoLightSwitch, Slot::NavLightSwitch)},  // LIGHT NAV, LIGHT LOGO; the Fenix nav and logo switch, not its probe heat
    {{620},        AnyOf(Sys(18), Sys(19)),                     Lvar(kFenix, Slot::LogoLightSwitch, Slot::NavLightSwitch)},  // LIGHT NAV, LIGHT LOGO; the Fenix nav and logo switch, not its probe heat
    {{621},        Var(Sys(20)),                                Lvar(kFenix, Slot::WingLightSwitch)},  // LIGHT WING
    {{622},        Var(Sys(21)),                                kNoAddOn},  // LIGHT RECOGNITION
    {{624},        Var(Gauge(0)),                               kNoAddOn},  // TURB ENG N1:1
    {{625},        Var(Gauge(4)),                               kNoAddOn},  // TURB ENG N2:1
    {{631},        Var(Eng(16)),                                kNoAddOn},  // TURB ENG ITT:1
    {{638},        Var(Gauge(8)),                               kNoAddOn},  // TURB ENG FUEL FLOW PPH:1
    {{643},        Var(Gauge(1)),                               kNoAddOn},  // TURB ENG N1:2
    {{644},        Var(Gauge(5)),                               kNoAddOn},  // TURB ENG N2:2
    {{650},        Var(Eng(17)),                                kNoAddOn},  // TURB ENG ITT:2
    {{657},        Var(Gauge(9)),                               kNoAddOn},  // TURB ENG FUEL FLOW PPH:2
    {{662},        Var(Gauge(2)),                               kNoAddOn},  // TURB ENG N1:3
    {{663},        Var(Gauge(6)),                               kNoAddOn},  // TURB ENG N2:3
    {{669},        Var(Eng(18)),                                kNoAddOn},  // TURB ENG ITT:3
    {{676},        Var(Gauge(10)),                              kNoAddOn},  // TURB ENG FUEL FLOW PPH:3
    {{681},        Var(Gauge(3)),                               kNoAddOn},  // TURB ENG N1:4
    {{682},        Var(Gauge(7)),                               kNoAddOn},  // TURB ENG N2:4
    {{688},        Var(Eng(19)),                                kNoAddOn},  // TURB ENG ITT:4
    {{695},        Var(Gauge(11)),                              kNoAddOn},  // TURB ENG FUEL FLOW PPH:4
    {{740},        Var(Sys(31)),                                kNoAddOn},  // AVIONICS MASTER SWITCH
    {{743},        Var(Sys(6)),                                 AutobrakeSelector(kA32nx | kFenix, Slot::AutobrakeMaxLight, Slot::AutobrakeLowLight, Slot::AutobrakeMediumLight)},  // AUTO BRAKE SWITCH CB
    {{782},        Var(Pos(3)),                                 kNoAddOn},  // ELEVATOR POSITION
    {{783},        Var(Pos(6)),                                 Lvar(kFenix, Slot::ElevatorTrimWheel)},  // ELEVATOR TRIM POSITION
    {{784},        Var(Pos(4)),                                 kNoAddOn},  // AILERON POSITION
    {{785},        Var(Pos(8)),                                 kNoAddOn},  // AILERON TRIM
    {{786},        Var(Pos(5)),                                 kNoAddOn},  // RUDDER POSITION
    {{787},        Var(Pos(7)),                                 kNoAddOn},  // RUDDER TRIM
    {{792},        Var(Ap(0)),                                  Lvar(kFenix, Slot::Efis1FlightDirectorLight)},  // AUTOPILOT FLIGHT DIRECTOR ACTIVE:1
    {{868},        LargestOf(Exit(0), Exit(1)),                 kNoAddOn},  // EXIT OPEN:0, EXIT OPEN:1; [A32NX] names no variable: the default answers
    {{870},        Bcd(Ap(15)),                                 kNoAddOn},  // COM ACTIVE FREQUENCY:2
    {{871},        Bcd(Ap(16)),                                 kNoAddOn},  // COM STANDBY FREQUENCY:2
    {{876},        kLocalOnly,                                  Lvar(kNoBrackets, Slot::AudioVhf1ReceiveSwitch, Slot::AudioVhf2ReceiveSwitch)},
    {{877},        kLocalOnly,                                  Lvar(kNoBrackets, Slot::AudioVor1ReceiveSwitch)},
    {{878},        kLocalOnly,                                  Lvar(kNoBrackets, Slot::AudioVor2ReceiveSwitch)},
    {{880},        kLocalOnly,                                  Lvar(kNoBrackets, Slot::AudioAdf1ReceiveSwitch)},
    {{881},        kLocalOnly,                                  Lvar(kNoBrackets, Slot::AudioMarkerReceiveSwitch)},
    {{883},        ByEngineTypeOf(Design(0), Eng(28), Eng(44)), kNoAddOn},  // ENGINE TYPE, ENG ANTI ICE:1, PROP DEICE SWITCH:1
    {{884},        ByEngineTypeOf(Design(0), Eng(29), Eng(45)), kNoAddOn},  // ENGINE TYPE, ENG ANTI ICE:2, PROP DEICE SWITCH:2
    {{885},        ByEngineTypeOf(Design(0), Eng(30), Eng(46)), kNoAddOn},  // ENGINE TYPE, ENG ANTI ICE:3, PROP DEICE SWITCH:3
    {{886},        ByEngineTypeOf(Design(0), Eng(31), Eng(47)), kNoAddOn},  // ENGINE TYPE, ENG ANTI ICE:4, PROP DEICE SWITCH:4
    {{905},        Var(Sys(40)),                                Lvar(kFenix, Slot::WingAntiIceSwitch)},  // STRUCTURAL DEICE SWITCH; the master caution lamp named beside it is no anti-ice state
    {{949},        Var(Sys(4)),                                 Lvar(kFenix, Slot::AntiSkidSwitch)},  // ANTISKID BRAKES ACTIVE
    {{953, 1328},  LargestOf(Exit(0), Exit(1)),                 Lvar(kFenix, Slot::Door0PositionValue)},  // EXIT OPEN:0, EXIT OPEN:1
    {{958},        kNoValue,                                    kNoAddOn},
    {{960, 1044},  kNoValue,                                    kNoAddOn},
    {{975},        Var(Sys(26)),                                kNoAddOn},  // APU PCT RPM
    {{976},        Var(Sys(27)),                                kNoAddOn},  // APU PCT STARTER
    {{979},        AnyOf(Sys(29), Sys(30)),                     Lvar(kFenix, Slot::ApuGeneratorSwitch)},  // APU GENERATOR SWITCH:1, APU GENERATOR SWITCH:2
    {{982},        kLocalOnly,                                  Lvar(kFenix, Slot::LandingElevationKnob)},
    {{988},        Var(Sys(24)),                                Lvar(kA32nx, Slot::NoSmokingSignSwitch)},  // CABIN NO SMOKING ALERT SWITCH
    {{989},        Var(Sys(25)),                                Lvar(kA32nx, Slot::SeatbeltSignSwitch)},  // CABIN SEATBELTS ALERT SWITCH
    {{1031},       Var(Flt(30)),                                kNoAddOn},  // IS SLEW ACTIVE
    {{1034},       Var(Ap(4)),                                  Lvar(kA32nx, Slot::Autopilot2Light)},  // AUTOPILOT MASTER:2
    {{1035},       Var(Ap(5)),                                  Lvar(kNoBrackets, Slot::Autopilot3Light)},  // AUTOPILOT MASTER:3
    {{1036},       Var(Ap(1)),                                  Lvar(kFenix, Slot::Efis2FlightDirectorLight)},  // AUTOPILOT FLIGHT DIRECTOR ACTIVE:2
    {{1051},       Var(Sys(70)),                                Lvar(kA32nx | kFenix, Slot::ApuMasterSwitch, Slot::ApuStartAvailLight, Slot::ApuStartButton)},  // FUELSYSTEM VALVE SWITCH:8
    {{1053},       Var(Sys(70)),                                Lvar(kA32nx | kFenix, Slot::ApuMasterSwitch, Slot::ApuStartAvailLight, Slot::ApuStartButton)},  // FUELSYSTEM VALVE SWITCH:8
    {{1054},       kLocalOnly,                                  kNoAddOn},
    {{1056},       Var(Sys(42)),                                Lvar(kFenix, Slot::ExternalPowerOnLight)},  // EXTERNAL POWER ON
    {{1066},       kLocalOnly,                                  Lvar(kFenix, Slot::BusTieSwitch)},
    {{1067},       kLocalOnly,                                  Lvar(kFenix, Slot::BusTieSwitch)},
    {{1068},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::AcEssFeedSwitch)},
    {{1072},       kLocalOnly,                                  Lvar(kFenix, Slot::GalleyCabinSwitch)},
    {{1073},       kLocalOnly,                                  Lvar(kFenix, Slot::CommercialSwitch)},
    {{1086},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::Ir2ModeSelector)},
    {{1087},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::Ir3ModeSelector)},
    {{1088},       kLocalOnly,                                  Lvar(kFenix, Slot::ProbeWindowHeatLight, Slot::ProbeWindowHeatSwitch)},
    {{1089},       kLocalOnly,                                  Lvar(kFenix, Slot::ProbeWindowHeatLight, Slot::ProbeWindowHeatSwitch, Slot::WindowHeat2Switch)},
    {{1090},       kLocalOnly,                                  Lvar(kFenix, Slot::ProbeWindowHeatLight, Slot::ProbeWindowHeatSwitch, Slot::WindowHeat3Switch)},
    {{1091},       kLocalOnly,                                  Lvar(kFenix, Slot::ProbeWindowHeatLight, Slot::ProbeWindowHeatSwitch, Slot::WindowHeat4Switch)},
    {{1095},       Var(Sys(71)),                                Lvar(kNoBrackets, Slot::HydraulicEngine1PumpSwitch)},  // HYDRAULIC SWITCH:1
    {{1096},       Var(Sys(72)),                                Lvar(kNoBrackets, Slot::HydraulicEngine2PumpSwitch)},  // HYDRAULIC SWITCH:2
    {{1097},       Var(Sys(73)),                                kNoAddOn},  // HYDRAULIC SWITCH:3
    {{1098},       Var(Sys(74)),                                kNoAddOn},  // HYDRAULIC SWITCH:4
    {{1099},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::HydraulicCenter1PumpSwitch, Slot::HydraulicBlueElecPumpSwitch)},
    {{1100},       kLocalOnly,                                  Lvar(kFenix, Slot::HydraulicYellowElecPumpSwitch, Slot::HydraulicCenter2PumpSwitch)},
    {{1101},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::HydraulicDemandPumpLeftSelector)},
    {{1104},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::HydraulicDemandPumpRightSelector)},
    {{1109, 1175}, AnyOf(Sys(55), Sys(56), Sys(54), Sys(57)),   Lvar(kFenix, Slot::FuelLeftTankPump1Switch)},  // FUELSYSTEM PUMP SWITCH:2, FUELSYSTEM PUMP SWITCH:3, FUELSYSTEM PUMP SWITCH:1, FUELSYSTEM PUMP SWITCH:4
    {{1110, 1176}, AnyOf(Sys(58), Sys(57), Sys(55), Sys(56)),   Lvar(kFenix, Slot::FuelLeftTankPump2Switch)},  // FUELSYSTEM PUMP SWITCH:5, FUELSYSTEM PUMP SWITCH:4, FUELSYSTEM PUMP SWITCH:2, FUELSYSTEM PUMP SWITCH:3
    {{1111, 1178}, AnyOf(Sys(59), Sys(57), Sys(67)),            Lvar(kFenix, Slot::FuelRightTankPump2Switch)},  // FUELSYSTEM PUMP SWITCH:6, FUELSYSTEM PUMP SWITCH:4, FUELSYSTEM PUMP SWITCH:14
    {{1112, 1177}, AnyOf(Sys(56), Sys(58), Sys(66)),            Lvar(kFenix, Slot::FuelRightTankPump1Switch)},  // FUELSYSTEM PUMP SWITCH:3, FUELSYSTEM PUMP SWITCH:5, FUELSYSTEM PUMP SWITCH:13
    {{1113, 1179}, AnyOf(Sys(58), Sys(54)),                     Lvar(kFenix, Slot::FuelCenterTankPump1Switch)},  // FUELSYSTEM PUMP SWITCH:5, FUELSYSTEM PUMP SWITCH:1
    {{1114, 1180}, AnyOf(Sys(59), Sys(55)),                     Lvar(kFenix, Slot::FuelCenterTankPump2Switch)},  // FUELSYSTEM PUMP SWITCH:6, FUELSYSTEM PUMP SWITCH:2
    {{1115},       Var(Eng(20)),                                kNoAddOn},  // FUELSYSTEM VALVE SWITCH:1
    {{1116},       Var(Eng(23)),                                kNoAddOn},  // FUELSYSTEM VALVE SWITCH:4
    {{1134},       kLocalOnly,                                  Lvar(kFenix, Slot::BrakeFanSwitch)},
    {{1136},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::PassengerOxygenSwitch)},
    {{1137},       kLocalOnly,                                  Lvar(kFenix, Slot::Pack1Switch)},
    {{1138},       kLocalOnly,                                  Lvar(kFenix, Slot::Pack2Switch)},
    {{1139},       kLocalOnly,                                  kNoAddOn},
    {{1140},       Var(Sys(28)),                                Lvar(kA32nx, Slot::ApuBleedSwitch)},  // BLEED AIR APU
    {{1141},       Var(Sys(32)),                                Lvar(kA32nx | kFenix, Slot::Engine1BleedSwitch)},  // BLEED AIR ENGINE:1
    {{1142},       Var(Sys(33)),                                Lvar(kA32nx | kFenix, Slot::Engine2BleedSwitch)},  // BLEED AIR ENGINE:2
    {{1143},       Var(Sys(34)),                                kNoAddOn},  // BLEED AIR ENGINE:3
    {{1144},       Var(Sys(35)),                                kNoAddOn},  // BLEED AIR ENGINE:4
    {{1148},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::HotAirSwitch)},
    {{1149},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::CabinFansSwitch)},
    {{1150},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::CabinFansSwitch)},
    {{1154},       kLocalOnly,                                  Lvar(kFenix, Slot::PressurizationModeSwitch)},
    {{1161},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::EmergencyExitLightSwitch)},
    {{1162, 1530}, kNoValue,                                    kNoAddOn},
    {{1164},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::ProbeHeatRightSwitch)},
    {{1181},       Var(Sys(60)),                                kNoAddOn},  // FUELSYSTEM PUMP SWITCH:7
    {{1182},       Var(Sys(61)),                                kNoAddOn},  // FUELSYSTEM PUMP SWITCH:8
    {{1183},       Var(Sys(62)),                                kNoAddOn},  // FUELSYSTEM PUMP SWITCH:9
    {{1184},       Var(Sys(63)),                                kNoAddOn},  // FUELSYSTEM PUMP SWITCH:10
    {{1185},       Var(Sys(64)),                                kNoAddOn},  // FUELSYSTEM PUMP SWITCH:11
    {{1186},       Var(Sys(65)),                                kNoAddOn},  // FUELSYSTEM PUMP SWITCH:12
    {{1187},       Var(Sys(66)),                                kNoAddOn},  // FUELSYSTEM PUMP SWITCH:13
    {{1188},       Var(Sys(67)),                                kNoAddOn},  // FUELSYSTEM PUMP SWITCH:14
    {{1189},       Var(Sys(68)),                                kNoAddOn},  // FUELSYSTEM PUMP SWITCH:15
    {{1190},       Var(Sys(69)),                                kNoAddOn},  // FUELSYSTEM PUMP SWITCH:16
    {{1191},       AnyOf(Sys(15), Sys(16), Sys(14)),            Lvar(kFenix, Slot::RunwayTurnoffLightSwitch)},  // LIGHT TAXI:2, LIGHT TAXI:3, LIGHT TAXI:1
    {{1197},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::Efis1BaroModeSelector)},
    {{1199, 1430}, kLocalOnly,                                  Lvar(kNoBrackets, Slot::GpwsTerrainSwitch)},
    {{1200},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::TransponderModeSelector)},
    {{1201},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::PassengerOxygenCover)},
    {{1202},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::EmergencyExitLightCover)},
    {{1208},       Var(Sys(2)),                                 Lvar(kA32nx | kFenix, Slot::Battery2Switch)},  // ELECTRICAL MASTER BATTERY:2
    {{1221},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::VentilationBlowerSwitch)},
    {{1222},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::VentilationExtractSwitch)},
    {{1228},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::CrossBleedSelector)},
    {{1240},       kLocalOnly,                                  Lvar(kFenix, Slot::AcEssFeedSwitch)},
    {{1252},       Var(Eng(20)),                                kNoAddOn},  // FUELSYSTEM VALVE SWITCH:1
    {{1253},       Var(Eng(21)),                                kNoAddOn},  // FUELSYSTEM VALVE SWITCH:2
    {{1254},       Var(Eng(22)),                                kNoAddOn},  // FUELSYSTEM VALVE SWITCH:3
    {{1255},       Var(Eng(23)),                                kNoAddOn},  // FUELSYSTEM VALVE SWITCH:4
    {{1263},       AnyOf(Sys(78), Sys(77), Sys(80)),            kNoAddOn},  // CIRCUIT SWITCH ON:77, CIRCUIT SWITCH ON:73, CIRCUIT SWITCH ON:111; [A32NX] names no variable: the default answers
    {{1264},       AnyOf(Sys(79), Sys(78), Sys(80)),            kNoAddOn},  // CIRCUIT SWITCH ON:80, CIRCUIT SWITCH ON:77, CIRCUIT SWITCH ON:111; [A32NX] names no variable: the default answers
    {{1271},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::BrakeFanSwitch)},
    {{1274},       Var(Sys(41)),                                Lvar(kFenix, Slot::GroundPowerUnitSwitch)},  // EXTERNAL POWER AVAILABLE
    {{1275},       Var(Sys(29)),                                Lvar(kFenix, Slot::ApuGeneratorSwitch)},  // APU GENERATOR SWITCH:1
    {{1276},       Var(Sys(30)),                                kNoAddOn},  // APU GENERATOR SWITCH:2
    {{1301},       Var(Eng(4)),                                 Lvar(kFenix, Slot::EngineModeSelector)},  // GENERAL ENG STARTER:1
    {{1311},       kNoValue,                                    kNoAddOn},
    {{1312},       kNoValue,                                    kNoAddOn},
    {{1329},       Var(Exit(3)),                                Lvar(kFenix, Slot::Door1PositionValue)},  // EXIT OPEN:3
    {{1330},       kLocalOnly,                                  Lvar(kFenix, Slot::Door2PositionValue)},
    {{1331},       LargestOf(Exit(7), Exit(3)),                 Lvar(kFenix, Slot::Door3PositionValue)},  // EXIT OPEN:7, EXIT OPEN:3
    {{1332, 1333}, kZero,                                       kNoAddOn},
    {{1334},       LargestOf(Exit(8), Exit(5)),                 Lvar(kA32nx | kFenix, Slot::Door4PositionValue)},  // EXIT OPEN:8, EXIT OPEN:5
    {{1335},       kLocalOnly,                                  Lvar(kFenix, Slot::Door5PositionValue)},
    {{1336},       kLocalOnly,                                  kNoAddOn},  // [Fenix] names no variable
    {{1343},       Var(Sys(4)),                                 Lvar(kFenix, Slot::AntiSkidSwitch)},  // ANTISKID BRAKES ACTIVE
    {{1344},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::WheelChocksSwitch)},
    {{1353},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::HydraulicBlueElecPumpCover)},
    {{1354},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::HydraulicShutoffValve2Cover)},
    {{1357},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::HydraulicPtuSwitch)},
    {{1401},       Var(Sys(47)),                                Lvar(kNoBrackets, Slot::Elac1Switch)},  // FLY BY WIRE ELAC SWITCH:1
    {{1402},       Var(Sys(48)),                                Lvar(kNoBrackets, Slot::Elac2Switch)},  // FLY BY WIRE ELAC SWITCH:2
    {{1404},       Var(Sys(49)),                                Lvar(kNoBrackets, Slot::Fac1Switch)},  // FLY BY WIRE FAC SWITCH:1
    {{1405},       Var(Sys(50)),                                Lvar(kNoBrackets, Slot::Fac2Switch)},  // FLY BY WIRE FAC SWITCH:2
    {{1407},       Var(Sys(51)),                                Lvar(kNoBrackets, Slot::Sec1Switch)},  // FLY BY WIRE SEC SWITCH:1
    {{1408},       Var(Sys(52)),                                Lvar(kNoBrackets, Slot::Sec2Switch)},  // FLY BY WIRE SEC SWITCH:2
    {{1409},       Var(Sys(53)),                                Lvar(kNoBrackets, Slot::Sec3Switch)},  // FLY BY WIRE SEC SWITCH:3
    {{1410},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::Rmp1PowerSwitch)},
    {{1411},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::Rmp2PowerSwitch)},
    {{1412},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::RamAirSwitch)},
    {{1413},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::WeatherRadarModeSelector)},
    {{1415},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::Efis1NdRangeSelector)},
    {{1416},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::Efis1NdModeSelector)},
    {{1424},       kLocalOnly,                                  Lvar(kFenix, Slot::Adr1Light, Slot::Adr1Switch)},
    {{1425},       kLocalOnly,                                  Lvar(kFenix, Slot::Adr2Light, Slot::Adr2Switch)},
    {{1426},       kLocalOnly,                                  Lvar(kFenix, Slot::Adr3Light, Slot::Adr3Switch)},
    {{1427},       kLocalOnly,                                  kNoAddOn},
    {{1428},       kLocalOnly,                                  kNoAddOn},
    {{1429},       kLocalOnly,                                  kNoAddOn},
    {{1431},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GpwsGlideslopeModeSwitch)},
    {{1432},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GpwsSystemSwitch)},
    {{1433},       kLocalOnly,                                  Lvar(kFenix, Slot::GpwsLandingFlap3Switch)},
    {{1437},       kLocalOnly,                                  Lvar(kFenix, Slot::CaptainWindowPositionValue, Slot::CaptainWindowLockButton, Slot::CaptainWindowLever)},
    {{1438},       kLocalOnly,                                  Lvar(kFenix, Slot::FirstOfficerWindowPositionValue, Slot::FirstOfficerWindowLockButton, Slot::FirstOfficerWindowLever)},
    {{1445},       kLocalOnly,                                  Lvar(kFenix, Slot::HeadingVsModeLight)},
    {{1451},       kLocalOnly,                                  Lvar(kFenix, Slot::Efis1ConstraintLight, Slot::Efis1ConstraintButton)},
    {{1452},       kLocalOnly,                                  Lvar(kFenix, Slot::Efis1WaypointLight, Slot::Efis1WaypointButton)},
    {{1453},       kLocalOnly,                                  Lvar(kFenix, Slot::Efis1VorDmeLight, Slot::Efis1VorDmeButton)},
    {{1454},       kLocalOnly,                                  Lvar(kFenix, Slot::Efis1NdbLight, Slot::Efis1NdbButton)},
    {{1455},       kLocalOnly,                                  Lvar(kFenix, Slot::Efis1AirportLight, Slot::Efis1AirportButton)},
    {{1456},       kLocalOnly,                                  Lvar(kFenix, Slot::CaptainTerrainOnNdLight, Slot::CaptainTerrainOnNdButton)},
    {{1499},       kNoValue,                                    kNoAddOn},
    {{1500},       kNoValue,                                    kNoAddOn},
    {{1501},       kNoValue,                                    kNoAddOn},
    {{1502},       kNoValue,                                    kNoAddOn},
    {{1535},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::TrimAirRightSwitch)},
    {{1537},       Var(Sys(37)),                                kNoAddOn},  // GENERAL ENG MASTER ALTERNATOR:2
    {{1538},       Var(Sys(39)),                                kNoAddOn},  // GENERAL ENG MASTER ALTERNATOR:4
    {{1544},       kLocalOnly,                                  kNoAddOn},
    {{1545},       kLocalOnly,                                  kNoAddOn},
    {{1578},       kNoValue,                                    kNoAddOn},
    {{1606},       kLocalOnly,                                  kNoAddOn},
    {{1610},       Var(Flt(28)),                                kNoAddOn},  // PUSHBACK STATE
    {{1681},       kLocalOnly,                                  Lvar(kFenix, Slot::CrewOxygenLight, Slot::CrewOxygenSwitch)},
    {{1686},       kLocalOnly,                                  Lvar(kFenix, Slot::Engine1ManualStartSwitch)},
    {{1687},       kLocalOnly,                                  Lvar(kFenix, Slot::Engine2ManualStartSwitch)},
    {{1694},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::Engine1N1ModeSwitch)},
    {{1695},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::Engine2N1ModeSwitch)},
    {{1698},       kLocalOnly,                                  Lvar(kFenix, Slot::Efis1LsLight, Slot::Efis1LsButton)},
    {{1699},       kLocalOnly,                                  Lvar(kFenix, Slot::Efis2LsLight, Slot::Efis2LsButton)},  // the first officer's, not the captain's
    {{1700},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::DitchingSwitch)},
    {{1740},       kLocalOnly,                                  Lvar(kFenix, Slot::Efis2ConstraintLight, Slot::Efis2ConstraintButton)},
    {{1741},       kLocalOnly,                                  Lvar(kFenix, Slot::Efis2WaypointLight, Slot::Efis2WaypointButton)},
    {{1742},       kLocalOnly,                                  Lvar(kFenix, Slot::Efis2VorDmeLight, Slot::Efis2VorDmeButton)},
    {{1743},       kLocalOnly,                                  Lvar(kFenix, Slot::Efis2NdbLight, Slot::Efis2NdbButton)},
    {{1744},       kLocalOnly,                                  Lvar(kFenix, Slot::Efis2AirportLight, Slot::Efis2AirportButton)},
    {{1745},       kLocalOnly,                                  Lvar(kFenix, Slot::FirstOfficerTerrainOnNdLight, Slot::FirstOfficerTerrainOnNdButton)},  // the first officer's, not the captain's
    {{1757},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::WeatherRadarPredictiveWindshearSwitch)},
    {{1758},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::Efis2NdRangeSelector)},
    {{1759},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::Efis2NdModeSelector)},
    {{1763},       kLocalOnly,                                  kNoAddOn},  // [Fenix] names no variable
    {{1764},       kLocalOnly,                                  kNoAddOn},  // [Fenix] names no variable
    {{1767},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::WeatherRadarSystemSelector)},
    {{1768},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::TransponderOperationSelector)},
    {{1772},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GsxCouatlStartedState)},
    {{1773},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GsxMenuOpenState)},
    {{1774},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GsxCateringState)},
    {{1775},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GsxBoardingState)},
    {{1776},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GsxRefuelingState)},
    {{1777},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GsxDeicingState)},
    {{1778},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GsxDeboardingState)},
    {{1779},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GsxDepartureState)},
    {{1780},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GsxBoardingCargoPercentValue)},
    {{1781},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GsxFrozenState)},
    {{1782},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GsxService1Toggle)},
    {{1783},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GsxService2Toggle)},
    {{1784},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GsxCargo1Toggle)},
    {{1785},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GsxCargo2Toggle)},
    {{1786},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GsxExit1Toggle)},
    {{1787},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GsxExit2Toggle)},
    {{1788},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GsxMainCargoToggle)},
    {{1789},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GsxExit4Toggle)},
    {{1790},       kLocalOnly,                                  Lvar(kNoBrackets, Slot::GsxDepartureState)},
};
// clang-format on

constexpr bool RowsAreInOrder() {
    for (std::size_t i = 1; i < std::size(kQueries); ++i) {
        if (kQueries[i].codes[0] <= kQueries[i - 1].codes[0]) return false;
    }
    return true;
}
static_assert(RowsAreInOrder(), "rows follow the codes' order");

constexpr bool BcdRowsReadInt32Records() {
    for (const QueryRow& row : kQueries) {
        if (row.byDefault.kind != DefaultKind::RawInt32) continue;
        const sim::RecordId record = row.byDefault.fields[0].record;
        if (record == sim::kPositionRecord || record == sim::kEngineGaugeRecord || record == sim::kExitsRecord) {
            return false;
        }
    }
    return true;
}
static_assert(BcdRowsReadInt32Records(), "a raw 32-bit answer comes from a 32-bit field");

// The codes the crew app asks about lie from the first row's to the last
// row's. One among them that no row lists is answered with the cabin light,
// as the crew app has always been answered; one outside them stays unanswered.
constexpr std::uint32_t kFirstHandledCode = 10;
constexpr std::uint32_t kLastHandledCode = 1790;

struct CodeIndexEntry {
    std::uint16_t code = 0;
    std::uint16_t row = 0;
};

constexpr std::size_t CodeCount() {
    std::size_t count = 0;
    for (const QueryRow& row : kQueries) count += row.codes[1] == 0 ? 1 : 2;
    return count;
}

// Every code with its row, sorted by code.
constexpr auto kCodeIndex = [] {
    std::array<CodeIndexEntry, CodeCount()> index{};
    std::size_t next = 0;
    for (std::size_t row = 0; row < std::size(kQueries); ++row) {
        for (const std::uint16_t code : kQueries[row].codes) {
            if (code != 0) index[next++] = {code, static_cast<std::uint16_t>(row)};
        }
    }
    std::sort(index.begin(), index.end(), [](CodeIndexEntry a, CodeIndexEntry b) { return a.code < b.code; });
    return index;
}();

constexpr bool CodesAreUnique() {
    for (std::size_t i = 1; i < kCodeIndex.size(); ++i) {
        if (kCodeIndex[i].code == kCodeIndex[i - 1].code) return false;
    }
    return true;
}
static_assert(CodesAreUnique(), "no code in two rows");
static_assert(kCodeIndex.front().code == kFirstHandledCode && kCodeIndex.back().code == kLastHandledCode);

const QueryRow* FindQueryRow(std::uint32_t code) {
    if (code < kFirstHandledCode || code > kLastHandledCode) return nullptr;
    const auto found = std::lower_bound(kCodeIndex.begin(), kCodeIndex.end(), code,
                                        [](CodeIndexEntry entry, std::uint32_t wanted) { return entry.code < wanted; });
    return found != kCodeIndex.end() && found->code == code ? &kQueries[found->row] : nullptr;
}

// ---- Answers ----------------------------------------------------------------

constexpr std::int32_t kPistonEngine = 0;
constexpr std::int32_t kTurbopropEngine = 5;
constexpr double kNoAltitudeTarget = 99000.0;
constexpr Field kCabinLight = Sys(22);

double ReadField(const Server& server, Field field) {
    const sim::Record& record = server.session.records[field.record];
    switch (field.record) {
        case sim::kPositionRecord:
        case sim::kEngineGaugeRecord:
        case sim::kExitsRecord:
            return record.Float64(field.index);
        default:
            return record.Int32(field.index);
    }
}

double OnOff(bool on) {
    return on ? 1.0 : 0.0;
}

double FieldsAnswer(const Server& server, const DefaultSource& source) {
    std::array<double, 4> values{};
    for (std::size_t i = 0; i < source.count; ++i) values[i] = ReadField(server, source.fields[i]);
    if (source.count == 1) return values[0];
    const auto begin = values.begin();
    const auto end = begin + source.count;
    switch (source.combine) {
        case Combine::AnyOn:
            return OnOff(std::any_of(begin, end, [](double v) { return v != 0.0; }));
        case Combine::AllOn:
            return OnOff(std::all_of(begin, end, [](double v) { return v != 0.0; }));
        case Combine::Largest:
            return *std::max_element(begin, end);
        case Combine::AltitudeTarget:
            return values[0] >= kNoAltitudeTarget ? values[1] : values[0];
        case Combine::FirstNonZero:
            return values[0] != 0.0 ? values[0] : values[1];
        case Combine::ByEngineType: {
            const std::int32_t type = TruncateToInt32(values[0]);
            return type == kPistonEngine || type == kTurbopropEngine ? values[2] : values[1];
        }
    }
    return 0.0;
}

bool AnySlotKnown(Server& server, const AddOnSource& addOn) {
    for (std::size_t i = 0; i < addOn.count; ++i) {
        if (IsSlotKnown(server, addOn.slots[i])) return true;
    }
    return false;
}

bool AddOnApplies(Server& server, const AddOnSource& addOn) {
    if (!bridge::HasBridge(server)) return false;
    if ((addOn.aircraft & kFenix) != 0 && IsFenix(server)) return true;
    if ((addOn.aircraft & kA32nx) != 0 && IsA32nx(server)) return true;
    const bool byVariable = addOn.aircraft == kNoBrackets || IsAsobo747(server) || IsAsobo787(server) || IsCj4(server);
    return byVariable && AnySlotKnown(server, addOn);
}

double LandingLightsOn(Server& server, Slot left, Slot right) {
    const double leftValue = ReadSlot(server, left);
    const double rightValue = ReadSlot(server, right);
    // Fenix switches: retract 0, off 1, on 2.
    if (IsFenix(server)) return OnOff(leftValue == 2.0 && rightValue == 2.0);
    // A32NX switches are on at 0, so a switch the aircraft does not have must not read as on.
    if (IsA32nx(server)) {
        return OnOff(IsSlotKnown(server, left) && IsSlotKnown(server, right) && leftValue == 0.0 && rightValue == 0.0);
    }
    return OnOff(leftValue > 0.0 && rightValue > 0.0);
}

double AutobrakePosition(Server& server, Slot max, Slot low, Slot medium) {
    if (ReadSlot(server, max) > 0.0) return 3.0;
    if (ReadSlot(server, low) > 0.0) return 1.0;
    if (ReadSlot(server, medium) > 0.0) return 2.0;
    return 0.0;
}

// The add-on's answer where it replaces the default; nothing otherwise.
std::optional<double> AddOnAnswer(Server& server, const AddOnSource& addOn) {
    if (addOn.kind == AddOnKind::None) return std::nullopt;
    if (addOn.kind == AddOnKind::FcuField) {
        // The FCU reader reads the Fenix's own memory and needs no bridge.
        if (!IsFenix(server) || !fenix::IsFcuFieldKnown(server, addOn.fcuField)) return std::nullopt;
        if (addOn.fcuField == FcuField::Speed) return fenix::ReadFcuDouble(server, addOn.fcuField);
        return fenix::ReadFcuInt32(server, addOn.fcuField);
    }
    if (!AddOnApplies(server, addOn)) return std::nullopt;
    const auto& slots = addOn.slots;
    switch (addOn.kind) {
        case AddOnKind::Lvars: {
            if (addOn.count == 1) return ReadSlot(server, slots[0]);
            bool on = false;
            for (std::size_t i = 0; i < addOn.count; ++i) on = on || ReadSlot(server, slots[i]) > 0.0;
            return OnOff(on);
        }
        case AddOnKind::LandingLights:
            return LandingLightsOn(server, slots[0], slots[1]);
        case AddOnKind::AutobrakeSelector:
            return AutobrakePosition(server, slots[0], slots[1], slots[2]);
        case AddOnKind::None:
        case AddOnKind::FcuField:
            break;
    }
    return std::nullopt;
}

void WriteDouble(link::ValueQuery& query, double value) {
    std::memcpy(query.value.data(), &value, sizeof value);
}

void WriteInt32(link::ValueQuery& query, std::int32_t value) {
    query.value.fill(0);
    std::memcpy(query.value.data(), &value, sizeof value);
}

}  // namespace

void QueryValue(Server& server, link::ValueQuery& query) {
    const QueryRow* row = FindQueryRow(query.code);
    if (row == nullptr) {
        if (query.code >= kFirstHandledCode && query.code <= kLastHandledCode) {
            WriteDouble(query, ReadField(server, kCabinLight));
        }
        return;
    }
    if (const auto answer = AddOnAnswer(server, row->addOn)) return WriteDouble(query, *answer);
    const DefaultSource& source = row->byDefault;
    switch (source.kind) {
        case DefaultKind::Fields:
            return WriteDouble(query, FieldsAnswer(server, source));
        case DefaultKind::RawInt32:
            return WriteInt32(query, server.session.records[source.fields[0].record].Int32(source.fields[0].index));
        case DefaultKind::Zero:
            return WriteDouble(query, 0.0);
        case DefaultKind::Computed:
            return WriteDouble(query, source.compute(server));
        case DefaultKind::NoValue:
        case DefaultKind::LocalOnly:
            return;
    }
}

}  // namespace tarvo::adapters::generic
