// What the 777 reports: single values by query code, the panel words of the
// snapshot record and its engine counts. Most of it comes from its local
// variables, which need the bridge; a variable the aircraft lacks reads 0.
#include "adapters/pmdg777/Pmdg777.h"

#include "adapters/RowCodes.h"
#include "adapters/generic/GenericAdapter.h"
#include "adapters/pmdg/Engines.h"
#include "adapters/pmdg/Patterns.h"
#include "base/Convert.h"
#include "bridge/Registry.h"
#include "link/Reports.h"

#include <cstring>
#include <initializer_list>
#include <optional>

namespace tarvo::adapters::pmdg777 {
namespace {

const pmdg::SdkLink& Link(const Server& server) {
    return server.adapters.pmdg777.link;
}
double OneIf(bool condition) {
    return condition ? 1.0 : 0.0;
}
double Lvar(Server& server, Slot slot) {
    return pmdg::LvarOrZero(server, slot);
}
std::int32_t Whole(Server& server, Slot slot) {
    return TruncateToInt32(Lvar(server, slot));
}
bool On(Server& server, Slot slot) {
    return Lvar(server, slot) > 0.0;
}
bool AnyOn(Server& server, std::initializer_list<Slot> slots) {
    for (const Slot slot : slots) {
        if (On(server, slot)) return true;
    }
    return false;
}

// ---- Single values ------------------------------------------------------------

enum class Kind : std::uint8_t {
    Generic,   // the generic adapter's answer
    Byte,      // the byte as a double
    F32,       // the field as a double
    Lvar,      // the lvar divided by factor
    LvarOn,    // 1.0 when the lvar reads above 0.0, else 0.0
    LvarOff,   // 1.0 when the lvar reads exactly 0.0, else 0.0
    Computed,  // its own function; nothing for "unchanged"
    Int32,     // its own function, answered as a 32-bit integer
};

struct QueryRow {
    std::uint32_t code = 0;
    Kind kind = Kind::Generic;
    std::uint16_t offset = 0;
    double factor = 1.0;
    Slot slot = Slot::None;
    std::optional<double> (*compute)(Server&) = nullptr;
    std::int32_t (*computeInt)(Server&) = nullptr;
};

constexpr QueryRow Gen(std::uint32_t code) {
    return {code, Kind::Generic};
}
constexpr QueryRow Byt(std::uint32_t code, std::uint16_t offset) {
    return {code, Kind::Byte, offset};
}
constexpr QueryRow Flt(std::uint32_t code, std::uint16_t offset) {
    return {code, Kind::F32, offset};
}
constexpr QueryRow Lv(std::uint32_t code, Slot slot, double divisor = 1.0) {
    return {code, Kind::Lvar, 0, divisor, slot};
}
constexpr QueryRow On(std::uint32_t code, Slot slot) {
    return {code, Kind::LvarOn, 0, 1.0, slot};
}
constexpr QueryRow Off(std::uint32_t code, Slot slot) {
    return {code, Kind::LvarOff, 0, 1.0, slot};
}
constexpr QueryRow Calc(std::uint32_t code, std::optional<double> (*compute)(Server&)) {
    return {code, Kind::Computed, 0, 1.0, Slot::None, compute};
}
constexpr QueryRow Int(std::uint32_t code, std::int32_t (*compute)(Server&)) {
    return {code, Kind::Int32, 0, 1.0, Slot::None, nullptr, compute};
}

std::optional<double> Rudder(Server& server) {
    return (Lvar(server, Slot::T7xRudderValue) - 270.0) / 10.0;
}
std::optional<double> Aileron(Server& server) {
    // Whole tenths, as the aircraft's indicator shows them.
    const std::int64_t tenths = (350 - static_cast<std::int64_t>(Whole(server, Slot::T7xRightAileronValue))) / 10;
    return static_cast<double>(tenths);
}
std::optional<double> LandingLights(Server& server) {
    return OneIf(On(server, Slot::LandingLightLeftSwitch) && On(server, Slot::LandingLightRightSwitch) &&
                 On(server, Slot::NoseLightSwitch));
}
std::optional<double> RunwayTurnoffLights(Server& server) {
    return OneIf(On(server, Slot::T7xRunwayTurnoffLightLeftSwitch) &&
                 On(server, Slot::T7xRunwayTurnoffLightRightSwitch));
}
std::optional<double> GroundPower(Server& server) {
    return OneIf(AnyOn(server, {Slot::GroundPowerUnitSwitch, Slot::T7xTerminalPowerState}));
}
std::optional<double> Autopilot(Server& server) {
    return OneIf(AnyOn(server, {Slot::Autopilot1Light, Slot::Autopilot2Light}));
}
constexpr std::int32_t kWindowBlank = -1;
std::optional<double> SpeedWindowOpen(Server& server) {
    return OneIf(Whole(server, Slot::T7xSpeedWindowValue) != kWindowBlank);
}
std::optional<double> Query123(Server& server) {
    return OneIf(Whole(server, Slot::T7x204Switch) == 0 || Whole(server, Slot::T7x205Switch) == 0);
}
std::int32_t Query308(Server& server) {
    return AnyOn(server, {Slot::T7x107Switch, Slot::T7x108Switch}) ? 1 : 0;
}
std::int32_t Query743(Server& server) {
    return Whole(server, Slot::T7x292Switch) / 10;
}
std::optional<double> StartLever(Server& server, Slot lever) {
    return Whole(server, lever) == 0 ? 16384.0 : 0.0;
}
std::optional<double> StartLever1(Server& server) {
    return StartLever(server, Slot::Engine1MasterSwitch);
}
std::optional<double> StartLever2(Server& server) {
    return StartLever(server, Slot::Engine2MasterSwitch);
}
// Three-position selectors read at 0, 50 and 100; only two of them answer.
std::optional<double> Selector(Server& server, Slot slot) {
    switch (Whole(server, slot)) {
        case 100:
            return 2.0;
        case 50:
            return 1.0;
        default:
            return std::nullopt;
    }
}
std::optional<double> Selector29(Server& server) {
    return Selector(server, Slot::T7x29Switch);
}
std::optional<double> Selector30(Server& server) {
    return Selector(server, Slot::T7x30Switch);
}
std::optional<double> Selector03(Server& server) {
    return Selector(server, Slot::T7x03Switch);
}
constexpr std::uint8_t kVariantByteFreighter = 5;
std::optional<double> Query1149(Server& server) {
    const pmdg::SdkLink& sdk = Link(server);
    if (pmdg::Byte(sdk, 489) != kVariantByteFreighter) return pmdg::Byte(sdk, 161);
    return OneIf(On(server, Slot::T7x1052Switch));
}

// Rows for data-block fields answer without the bridge; every other non-generic
// row reads lvars and needs it.
// clang-format off
constexpr QueryRow kQueryRows[] = {
    Gen(163), Gen(304), Gen(305), Gen(336), Gen(341), Gen(343), Gen(344), Gen(348), Gen(617), Gen(624),
    Gen(625), Gen(631), Gen(638), Gen(643), Gen(644), Gen(650), Gen(657), Gen(870), Gen(871), Gen(1031),
    Gen(1610), Gen(1772), Gen(1773), Gen(1774), Gen(1775), Gen(1776), Gen(1777), Gen(1778), Gen(1779),
    Gen(1780), Gen(1781), Gen(1782), Gen(1783), Gen(1784), Gen(1785), Gen(1786), Gen(1787), Gen(1788),
    Gen(1789), Gen(1790),
    Byt(141, 155), Byt(176, 156), Byt(323, 404), Byt(364, 31), Byt(565, 45), Byt(575, 46), Byt(905, 154),
    Byt(978, 32), Byt(1072, 27), Byt(1073, 29), Byt(1088, 63), Byt(1089, 64), Byt(1090, 65), Byt(1091, 66),
    Byt(1150, 162), Flt(1132, 464), Flt(1133, 468),
    Lv(105, Slot::LocalizerLight), Lv(106, Slot::HeadingHoldModeState), Lv(108, Slot::AltitudeHoldModeState),
    Lv(112, Slot::ApproachLight), Lv(117, Slot::T7xSpeedModeState), Lv(118, Slot::T7xSpeedWindowValue),
    Lv(120, Slot::T7xVerticalSpeedWindowValue), Lv(979, Slot::T7x02Switch),
    Lv(982, Slot::T7xLandingAltitudeSelector), Lv(1033, Slot::T7xSpeedModeState), Lv(1034, Slot::Autopilot2Light),
    Lv(1084, Slot::T7x214Switch), Lv(1095, Slot::T7x39Switch), Lv(1096, Slot::T7x42Switch),
    Lv(1099, Slot::T7x40Switch), Lv(1100, Slot::T7x41Switch), Lv(1101, Slot::T7x35Switch),
    Lv(1102, Slot::T7x36Switch), Lv(1103, Slot::T7x37Switch), Lv(1104, Slot::T7x38Switch),
    Lv(1105, Slot::T7x515Switch), Lv(1106, Slot::T7x517Switch), Lv(1117, Slot::T7x90Switch),
    Lv(1118, Slot::T7x92Switch), Lv(1134, Slot::T7xLandingAltitudeSelector), Lv(1154, Slot::T7x126bSwitch),
    Lv(1158, Slot::T7x102Switch), Lv(1159, Slot::T7x97Switch), Lv(1160, Slot::T7x99Switch),
    Lv(1171, Slot::T7x96Switch), Lv(1197, Slot::T7x190Switch), Lv(1232, Slot::T7x91Switch),
    Lv(1233, Slot::T7x93Switch), Lv(1279, Slot::T7x511Switch), Lv(1280, Slot::T7x510Switch),
    Lv(1328, Slot::T7xCabinDoor1LeftValue), Lv(1329, Slot::T7xCabinDoor1RightValue),
    Lv(1332, Slot::T7xCabinDoor2LeftValue), Lv(1333, Slot::T7xCabinDoor2RightValue),
    Lv(1334, Slot::T7xForwardCargoDoorValue), Lv(1335, Slot::T7xAftCargoDoorValue),
    Lv(1336, Slot::T7xBulkCargoDoorValue), Lv(1338, Slot::T7xMainCargoDoorValue),
    Lv(1344, Slot::WheelChocksSwitch), Lv(1412, Slot::T7x43Switch), Lv(1424, Slot::T7x59Switch),
    Lv(1465, Slot::T7x55Switch), Lv(1503, Slot::T7x98Switch), Lv(1504, Slot::T7x100Switch),
    Lv(1532, Slot::T7x44Switch), Lv(1533, Slot::T7x516Switch), Lv(1534, Slot::T7x518Switch),
    Lv(1536, Slot::T7x54Switch), Lv(1537, Slot::T7x11Switch), Lv(1538, Slot::T7x12Switch),
    Lv(1539, Slot::T7x51Switch), Lv(1540, Slot::T7x85Switch), Lv(1541, Slot::T7x86Switch),
    Lv(1551, Slot::AirStartCartState), Lv(1330, Slot::T7xCabinDoor4LeftValue),
    Lv(1331, Slot::T7xCabinDoor4RightValue),
    Lv(783, Slot::ElevatorTrimValue, 6.0), Lv(958, Slot::T7x2181Switch, 10.0), Lv(1161, Slot::T7x49Switch, 50.0),
    Lv(1200, Slot::T7x749Switch, 10.0), Lv(1263, Slot::T7x20Switch, 10.0), Lv(1264, Slot::T7x123Switch, 10.0),
    Lv(1415, Slot::T7x187Switch, 10.0), Lv(1416, Slot::T7x185Switch, 10.0),
    Calc(787, Rudder), Calc(785, Aileron),
    On(11, Slot::T7x122Switch), On(324, Slot::T7x498Switch), On(369, Slot::T7x121Switch),
    On(620, Slot::T7x116Switch), On(621, Slot::T7x117Switch), On(921, Slot::T7x26Switch),
    On(1060, Slot::T7x13Switch), On(1061, Slot::T7x15Switch), On(1066, Slot::T7x05Switch),
    On(1067, Slot::T7x06Switch), On(1109, Slot::T7x105Switch), On(1110, Slot::T7x103Switch),
    On(1111, Slot::T7x104Switch), On(1112, Slot::T7x106Switch), On(1113, Slot::T7x109Switch),
    On(1114, Slot::T7x110Switch), On(1115, Slot::T7x107Switch), On(1116, Slot::T7x108Switch),
    On(1136, Slot::T7x52Switch), On(1137, Slot::T7x135Switch), On(1138, Slot::T7x136Switch),
    On(1140, Slot::T7x131Switch), On(1141, Slot::T7x129Switch), On(1142, Slot::T7x130Switch),
    On(1145, Slot::T7x132Switch), On(1146, Slot::T7x133Switch), On(1147, Slot::T7x134Switch),
    On(1148, Slot::T7x137Switch), On(1162, Slot::T7x301Switch), On(1163, Slot::T7x299Switch),
    On(1199, Slot::T7x297Switch), On(1201, Slot::T7x53Switch), On(1202, Slot::T7x50Switch),
    On(1211, Slot::T7x302Switch), On(1212, Slot::T7x300Switch), On(1213, Slot::T7x298Switch),
    On(1221, Slot::T7x144Switch), On(1241, Slot::T7x127Switch), On(1242, Slot::T7x128Switch),
    On(1265, Slot::T7x145Switch), On(1535, Slot::T7x138Switch),
    Off(563, Slot::T7x94Switch), Off(573, Slot::T7x95Switch), Off(792, Slot::T7x202Switch),
    Off(1036, Slot::T7x230Switch), Off(1531, Slot::T7x56Switch),
    Calc(14, LandingLights), Calc(1191, RunwayTurnoffLights), Calc(1050, GroundPower), Calc(1274, GroundPower),
    Calc(103, Autopilot), Calc(115, SpeedWindowOpen), Calc(123, Query123),
    Int(308, Query308), Int(743, Query743),
    Calc(560, StartLever1), Calc(570, StartLever2),
    Calc(988, Selector29), Calc(989, Selector30), Calc(1051, Selector03),
    Calc(1149, Query1149),
};
// clang-format on

static_assert(CodesAreDistinct(kQueryRows), "one row per code");

bool NeedsBridge(const QueryRow& row) {
    return row.kind != Kind::Generic && row.kind != Kind::Byte && row.kind != Kind::F32 && row.code != 1149;
}

std::optional<double> Answer(Server& server, const QueryRow& row) {
    switch (row.kind) {
        case Kind::Generic:
        case Kind::Int32:
            return std::nullopt;
        case Kind::Byte:
            return pmdg::Byte(Link(server), row.offset);
        case Kind::F32:
            return pmdg::F32(Link(server), row.offset);
        case Kind::Lvar:
            return Lvar(server, row.slot) / row.factor;
        case Kind::LvarOn:
            return OneIf(Lvar(server, row.slot) > 0.0);
        case Kind::LvarOff:
            return OneIf(Lvar(server, row.slot) == 0.0);
        case Kind::Computed:
            return row.compute(server);
    }
    return std::nullopt;
}

// ---- Panel words --------------------------------------------------------------

struct LvarBit {
    std::int32_t bit;
    Slot slot;
};
constexpr LvarBit kModeBits[] = {
    {0x4, Slot::HeadingHoldModeState},
    {0x8, Slot::AltitudeHoldModeState},
    {0x10, Slot::ApproachLight},
    {0x1, Slot::Autopilot1Light},
    {0x1, Slot::Autopilot2Light},
    {0x200, Slot::LnavArmedState},
    {0x400, Slot::VnavArmedState},
    {0x800, Slot::FlightLevelChangeModeState},
    {0x2000, Slot::VerticalSpeedModeState},
};

}  // namespace

void QueryValue(Server& server, link::ValueQuery& query) {
    for (const QueryRow& row : kQueryRows) {
        if (row.code != query.code) continue;
        if (row.kind == Kind::Generic) return generic::QueryValue(server, query);
        // 1149 needs the bridge only when it reads its switch.
        if (NeedsBridge(row) && !bridge::HasBridge(server)) return;
        if (row.code == 1149 && pmdg::Byte(Link(server), 489) == kVariantByteFreighter && !bridge::HasBridge(server)) {
            return;
        }
        if (row.kind == Kind::Int32) {
            const std::int32_t value = row.computeInt(server);
            std::memcpy(query.value.data(), &value, sizeof value);
            return;
        }
        if (const auto answer = Answer(server, row)) std::memcpy(query.value.data(), &*answer, sizeof(double));
        return;
    }
}

void FillAutopilotState(Server& server, link::SnapshotRecord& record) {
    auto& w = record.words;
    // Without the bridge the targets keep what the flight record gave them and
    // no mode bit is added.
    if (bridge::HasBridge(server)) {
        w[link::kWordSpeedTarget] = Whole(server, Slot::T7xSpeedWindowValue);
        w[link::kWordHeadingTarget] = Whole(server, Slot::T7xHeadingWindowValue);
        w[link::kWordAltitudeTarget] = Whole(server, Slot::T7xAltitudeWindowValue);
        std::int32_t bits = 0;
        if (Lvar(server, Slot::T7x202Switch) == 0.0) bits |= 0x20;
        if (Whole(server, Slot::T7x204Switch) == 0 || Whole(server, Slot::T7x205Switch) == 0) bits |= 0x40;
        if (Whole(server, Slot::T7xSpeedWindowValue) != kWindowBlank) bits |= 0x2;
        for (const LvarBit& mode : kModeBits) {
            if (On(server, mode.slot)) bits |= mode.bit;
        }
        w[link::kWordAutopilotFlags] |= bits;
    }
    // Set, not ORed: the flight record's word here is something else.
    const pmdg::SdkLink& sdk = Link(server);
    std::int32_t lamps = 0;
    if (pmdg::Byte(sdk, 371) != 0) lamps |= 0x20000000;
    if (pmdg::Byte(sdk, 369) > 0) lamps |= 0x40000000;
    w[link::kWordMasterLamps] = lamps;
    PumpLink(server);
}

void CountEngineStates(Server& server, link::SnapshotRecord& record, std::int32_t& running, std::int32_t& starting,
                       std::int32_t& takeoffPower, std::int32_t& reverse) {
    pmdg::CountTwinEngines(server, Link(server), {460, 461}, record, running, starting, takeoffPower, reverse);
}

}  // namespace tarvo::adapters::pmdg777
