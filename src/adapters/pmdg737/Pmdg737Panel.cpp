// What the 737 reports: single values by query code, the panel words of the
// snapshot record and its engine counts.
#include "adapters/pmdg737/Pmdg737.h"

#include "adapters/RowCodes.h"
#include "adapters/generic/GenericAdapter.h"
#include "adapters/pmdg/Engines.h"
#include "adapters/pmdg/Patterns.h"
#include "base/Convert.h"
#include "link/Reports.h"
#include "sim/SessionState.h"

#include <cstring>
#include <initializer_list>
#include <optional>

namespace tarvo::adapters::pmdg737 {
namespace {

const pmdg::SdkLink& Link(const Server& server) {
    return server.adapters.pmdg737.link;
}
std::uint8_t B(const Server& server, std::size_t offset) {
    return pmdg::Byte(Link(server), offset);
}
bool AnySet(const Server& server, std::initializer_list<std::size_t> offsets) {
    for (const std::size_t offset : offsets) {
        if (B(server, offset) != 0) return true;
    }
    return false;
}
double OneIf(bool condition) {
    return condition ? 1.0 : 0.0;
}

// Which 737 is loaded: its discovery found the variant's variable.
bool Has(const Server& server, Slot variant) {
    return SlotId(server, variant) != bridge::kNotFound;
}
bool Is600Or700(const Server& server) {
    return Has(server, Slot::Ngx600VariantState) || Has(server, Slot::Ngx700VariantState);
}

// ---- Single values ------------------------------------------------------------

enum class Kind : std::uint8_t {
    Generic,  // the generic adapter's answer
    Byte,     // the byte as a double
    U16,      // the field as a double
    I16,
    U32,
    F32,
    ByteAsInt32,  // the byte, as a 32-bit integer
    ByteTimes,    // factor times the byte
    Set,          // 1.0 when the byte is non-zero, else 0.0
    Clear,        // 1.0 when the byte is 0, else 0.0
    Lvar,         // the lvar divided by factor (unchanged without it)
    LvarOn,       // 1.0 when the lvar reads 1.0 or more, else 0.0 (unchanged without it)
    Computed,     // its own function; nothing for "unchanged"
};

struct QueryRow {
    std::uint32_t code = 0;
    Kind kind = Kind::Generic;
    std::uint16_t offset = 0;
    double factor = 1.0;
    Slot slot = Slot::None;
    std::optional<double> (*compute)(Server&) = nullptr;
};

constexpr QueryRow Gen(std::uint32_t code) {
    return {code, Kind::Generic};
}
constexpr QueryRow Byt(std::uint32_t code, std::uint16_t offset) {
    return {code, Kind::Byte, offset};
}
constexpr QueryRow Fld(std::uint32_t code, Kind kind, std::uint16_t offset) {
    return {code, kind, offset};
}
constexpr QueryRow Times(std::uint32_t code, std::uint16_t offset, double factor) {
    return {code, Kind::ByteTimes, offset, factor};
}
constexpr QueryRow Set(std::uint32_t code, std::uint16_t offset) {
    return {code, Kind::Set, offset};
}
constexpr QueryRow Clear(std::uint32_t code, std::uint16_t offset) {
    return {code, Kind::Clear, offset};
}
constexpr QueryRow Lv(std::uint32_t code, Slot slot, double divisor = 1.0) {
    return {code, Kind::Lvar, 0, divisor, slot};
}
constexpr QueryRow On(std::uint32_t code, Slot slot) {
    return {code, Kind::LvarOn, 0, 1.0, slot};
}
constexpr QueryRow Calc(std::uint32_t code, std::optional<double> (*compute)(Server&)) {
    return {code, Kind::Computed, 0, 1.0, Slot::None, compute};
}

std::optional<double> Airspeed200(Server& server) {
    return pmdg::F32(Link(server), 200) > 200.0f ? 100.0 : 0.0;
}
std::optional<double> Airspeed150(Server& server) {
    return OneIf(B(server, 379) != 0 && pmdg::F32(Link(server), 200) > 150.0f);
}
std::optional<double> AnyOf453To456(Server& server) {
    return OneIf(AnySet(server, {453, 455, 454, 456}));
}
std::optional<double> AnyOf147And148(Server& server) {
    return OneIf(AnySet(server, {147, 148}));
}
std::optional<double> AnyOf455And456(Server& server) {
    return OneIf(AnySet(server, {455, 456}));
}
std::optional<double> BothOf376And377(Server& server) {
    return OneIf(B(server, 376) != 0 && B(server, 377) != 0);
}
std::optional<double> LandingLights(Server& server) {
    return OneIf(B(server, 374) != 0 && B(server, 375) != 0 && B(server, 372) >= 2 && B(server, 373) >= 2);
}
std::optional<double> VerticalSpeed(Server& server) {
    return OneIf(pmdg::I16(Link(server), 432) >= 1);
}
std::optional<double> Lever49(Server& server) {
    return B(server, 49) != 0 ? 16383.0 : 0.0;
}
std::optional<double> Lever51(Server& server) {
    return B(server, 51) != 0 ? 16383.0 : 0.0;
}
std::optional<double> Lever506(Server& server) {
    return B(server, 506) == 2 ? 16383.0 : 0.0;
}
std::optional<double> StartLever(Server& server, Slot lever) {
    const auto reading = pmdg::ReadLvar(server, lever);
    if (!reading) return std::nullopt;
    return *reading < 100.0 ? 16383.0 : 0.0;
}
std::optional<double> StartLever1(Server& server) {
    return StartLever(server, Slot::Engine1MasterSwitch);
}
std::optional<double> StartLever2(Server& server) {
    return StartLever(server, Slot::Engine2MasterSwitch);
}
std::optional<double> Zero(Server&) {
    return 0.0;
}
std::optional<double> Selector384(Server& server) {
    switch (B(server, 384)) {
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
std::optional<double> Selector384Off(Server& server) {
    const std::uint8_t position = B(server, 384);
    return OneIf(position == 0 || position == 2);
}
std::optional<double> Variant1149(Server& server) {
    return OneIf(B(server, Is600Or700(server) ? 279 : 278) != 0);
}
std::optional<double> ByVariant(Server& server, std::uint16_t byte) {
    if (!Is600Or700(server)) return B(server, byte);
    const auto reading = pmdg::ReadLvar(server, Slot::Ngx974Switch);
    if (!reading) return std::nullopt;
    return OneIf(*reading > 0.0);
}
std::optional<double> Variant1072(Server& server) {
    return ByVariant(server, 135);
}
std::optional<double> Variant1073(Server& server) {
    return ByVariant(server, 134);
}
std::optional<double> Variant(Server& server) {
    if (Has(server, Slot::Ngx600VariantState)) return 1.0;
    if (Has(server, Slot::Ngx700VariantState)) return 2.0;
    if (Has(server, Slot::Ngx800VariantState)) return 5.0;
    return 8.0;
}
std::optional<double> Reverse(Server& server) {
    constexpr std::size_t kThrottle = 12;  // of the engine record, engine i at 12 + i
    const sim::Record& engines = server.session.records[sim::kEngineRecord];
    return OneIf(engines.Int32(kThrottle) < -100 || engines.Int32(kThrottle + 1) < -100);
}
std::optional<double> VhfReceivers(Server& server) {
    const auto first = pmdg::ReadLvar(server, Slot::AudioVhf1ReceiveSwitch);
    const auto second = pmdg::ReadLvar(server, Slot::AudioVhf2ReceiveSwitch);
    if (!first || !second) return std::nullopt;
    return OneIf(*first >= 1.0 && *second >= 1.0);
}

// clang-format off
constexpr QueryRow kQueryRows[] = {
    Gen(16), Gen(23), Gen(24), Gen(27), Gen(38), Gen(60), Gen(71), Gen(72), Gen(75), Gen(76), Gen(82), Gen(86),
    Gen(128), Gen(163), Gen(303), Gen(304), Gen(305), Gen(336), Gen(341), Gen(343), Gen(344), Gen(348), Gen(617),
    Gen(624), Gen(625), Gen(631), Gen(638), Gen(643), Gen(644), Gen(650), Gen(657), Gen(831), Gen(870), Gen(871),
    Gen(1031), Gen(1610), Gen(1772), Gen(1773), Gen(1774), Gen(1775), Gen(1776), Gen(1777), Gen(1778), Gen(1779),
    Gen(1780), Gen(1781), Gen(1782), Gen(1783), Gen(1784), Gen(1785), Gen(1786), Gen(1787), Gen(1788), Gen(1789),
    Gen(1790),
    // Bytes as they are.
    Byt(13, 242),    Byt(114, 59),    Byt(141, 251),   Byt(176, 252),   Byt(323, 574),   Byt(324, 477),
    Byt(368, 385),   Byt(369, 378),   Byt(565, 145),   Byt(575, 146),   Byt(620, 383),   Byt(621, 386),
    Byt(905, 250),   Byt(988, 218),   Byt(989, 219),   Byt(1085, 11),   Byt(1086, 12),   Byt(1088, 230),
    Byt(1089, 231),  Byt(1090, 232),  Byt(1091, 233),  Byt(1095, 266),  Byt(1096, 267),  Byt(1099, 268),
    Byt(1100, 269),  Byt(1105, 572),  Byt(1106, 573),  Byt(1109, 91),   Byt(1110, 89),   Byt(1111, 90),
    Byt(1112, 92),   Byt(1113, 93),   Byt(1114, 94),   Byt(1117, 36),   Byt(1118, 37),   Byt(1140, 284),
    Byt(1141, 282),  Byt(1142, 283),  Byt(1148, 271),  Byt(1161, 217),  Byt(1164, 243),  Byt(1197, 406),
    Byt(1198, 404),  Byt(1263, 208),  Byt(1264, 209),  Byt(1274, 142),  Byt(1282, 55),   Byt(1284, 56),
    Byt(1286, 57),   Byt(1288, 58),   Byt(1289, 131),  Byt(1290, 132),  Byt(1298, 52),   Byt(1313, 620),
    Byt(1314, 621),  Byt(1315, 622),  Byt(1316, 623),  Byt(1317, 624),  Byt(1318, 625),  Byt(1323, 634),
    Byt(1329, 345),  Byt(1539, 34),   Byt(1540, 600),  Byt(1541, 601),  Byt(1706, 654),  Byt(1727, 0),
    Byt(1750, 387),  Byt(1765, 489),  Byt(1793, 485),  Byt(1794, 484),
    // Wider fields.
    Fld(118, Kind::F32, 420),  Fld(981, Kind::U32, 356),  Fld(982, Kind::U32, 360),  Fld(1132, Kind::F32, 296),
    Fld(1133, Kind::F32, 300), Fld(1154, Kind::U32, 368), Fld(1319, Kind::U16, 626), Fld(1320, Kind::I16, 628),
    Fld(1321, Kind::U16, 630), Fld(1322, Kind::U16, 632), Fld(1324, Kind::F32, 636), Fld(1325, Kind::F32, 640),
    // Single bytes, however the crew app names them as integers: the byte
    // alone, not the three after it.
    Fld(308, Kind::ByteAsInt32, 88), Fld(743, Kind::ByteAsInt32, 487),
    Times(563, 380, 10.0),  Times(573, 381, 10.0),  Times(1137, 280, 50.0), Times(1138, 281, 50.0),
    Times(1145, 285, 50.0), Times(1146, 285, 50.0), Times(1147, 285, 50.0), Times(1228, 285, 50.0),
    Calc(975, Airspeed200), Calc(1051, Airspeed150), Calc(1053, Airspeed150),
    Set(105, 449),  Set(106, 447),  Set(108, 451),  Set(112, 450),  Set(115, 444),  Set(119, 452),
    Set(123, 442),  Set(792, 435),  Set(956, 443),  Set(1036, 436), Set(1150, 279), Set(1169, 454),
    Set(1170, 456), Set(1753, 446), Set(1754, 448), Set(1755, 445), Set(364, 133),
    Clear(1162, 540), Clear(1163, 541), Clear(1199, 542), Clear(1221, 212), Clear(1222, 213),
    Calc(103, AnyOf453To456), Calc(978, AnyOf147And148), Calc(1034, AnyOf455And456), Calc(1191, BothOf376And377),
    Calc(14, LandingLights), Calc(120, VerticalSpeed), Calc(333, Lever49), Calc(334, Lever51), Calc(331, Lever506),
    Calc(560, StartLever1), Calc(570, StartLever2), Calc(615, Zero), Calc(619, Selector384),
    Calc(912, Selector384Off), Calc(1149, Variant1149), Calc(1072, Variant1072), Calc(1073, Variant1073),
    Calc(1752, Variant), Calc(1766, Reverse),
    // Local variables.
    Lv(325, Slot::SpeedBrakeLever),        Lv(783, Slot::ElevatorTrimValue),     Lv(785, Slot::AileronTrimValue),
    Lv(1232, Slot::Ngx267Switch),          Lv(1233, Slot::Ngx270Switch),         Lv(1280, Slot::Ngx73Switch),
    Lv(1297, Slot::Ngx299Switch),          Lv(1326, Slot::Ngx19Switch),          Lv(1327, Slot::Ngx18Switch),
    Lv(1328, Slot::Door0PositionValue),    Lv(1330, Slot::Door2PositionValue),   Lv(1331, Slot::Door3PositionValue),
    Lv(1334, Slot::Door4PositionValue),    Lv(1335, Slot::Door5PositionValue),   Lv(1340, Slot::AirStairRailsState),
    Lv(1343, Slot::AntiSkidSwitch),        Lv(1344, Slot::WheelChocksSwitch),    Lv(1551, Slot::AirStartCartState),
    Lv(787, Slot::RudderTrimValue, 2.0),   Lv(877, Slot::AudioVor1ReceiveSwitch, 100.0),
    Lv(878, Slot::AudioVor2ReceiveSwitch, 100.0), Lv(880, Slot::AudioAdf1ReceiveSwitch, 100.0),
    Lv(881, Slot::AudioMarkerReceiveSwitch, 100.0), Lv(958, Slot::BankAngleSelector, 2.0),
    Lv(1200, Slot::TransponderModeSelector, 10.0), Lv(1736, Slot::Ngx335Switch, 10.0),
    Lv(1737, Slot::Ngx336Switch, 50.0),
    On(1136, Slot::PassengerOxygenSwitch), On(1201, Slot::PassengerOxygenCover), On(1202, Slot::EmergencyExitLightCover),
    On(1205, Slot::Ngx02Switch),  On(1206, Slot::Idg1DisconnectCover), On(1207, Slot::Idg2DisconnectCover),
    On(1211, Slot::Ngx502Switch), On(1212, Slot::Ngx504Switch), On(1213, Slot::Ngx506Switch),
    On(1214, Slot::Ngx11Switch),  On(1279, Slot::Ngx74Switch),  On(1281, Slot::Ngx79Switch),
    On(1283, Slot::Ngx81Switch),  On(1285, Slot::Ngx66Switch),  On(1287, Slot::Ngx68Switch),
    On(1342, Slot::Ngx326Switch), On(1791, Slot::Ngx831Switch), On(1792, Slot::Ngx830Switch),
    Calc(876, VhfReceivers),
};
// clang-format on

static_assert(CodesAreDistinct(kQueryRows), "one row per query code");

std::optional<double> Answer(Server& server, const QueryRow& row) {
    const pmdg::SdkLink& sdk = Link(server);
    switch (row.kind) {
        case Kind::Generic:
        case Kind::ByteAsInt32:
            return std::nullopt;
        case Kind::Byte:
            return B(server, row.offset);
        case Kind::U16:
            return pmdg::U16(sdk, row.offset);
        case Kind::I16:
            return pmdg::I16(sdk, row.offset);
        case Kind::U32:
            return pmdg::U32(sdk, row.offset);
        case Kind::F32:
            return pmdg::F32(sdk, row.offset);
        case Kind::ByteTimes:
            return row.factor * B(server, row.offset);
        case Kind::Set:
            return OneIf(B(server, row.offset) != 0);
        case Kind::Clear:
            return OneIf(B(server, row.offset) == 0);
        case Kind::Lvar:
            if (const auto reading = pmdg::ReadLvar(server, row.slot)) return *reading / row.factor;
            return std::nullopt;
        case Kind::LvarOn:
            if (const auto reading = pmdg::ReadLvar(server, row.slot)) return OneIf(*reading >= 1.0);
            return std::nullopt;
        case Kind::Computed:
            return row.compute(server);
    }
    return std::nullopt;
}

// ---- Panel words --------------------------------------------------------------

struct FlagBit {
    std::int32_t bit;
    std::initializer_list<std::size_t> bytes;  // any of them set
};

// Left outboard trailing-edge flap positions as the crew app's flap word.
struct FlapPosition {
    std::int32_t position;
    std::int32_t word;
};
constexpr FlapPosition kFlapPositions[] = {{0, 0},       {275, 2048},  {375, 4096},  {425, 6144},  {549, 8192},
                                           {625, 10240}, {750, 12288}, {950, 14336}, {1120, 16384}};

constexpr std::int32_t kFlapsLeverStep = 100;
constexpr int kFlapsLeverShift = 11;

std::int32_t Bits(const Server& server, std::initializer_list<FlagBit> flags) {
    std::int32_t word = 0;
    for (const FlagBit& flag : flags) {
        for (const std::size_t byte : flag.bytes) {
            if (B(server, byte) != 0) word |= flag.bit;
        }
    }
    return word;
}

}  // namespace

void QueryValue(Server& server, link::ValueQuery& query) {
    for (const QueryRow& row : kQueryRows) {
        if (row.code != query.code) continue;
        if (row.kind == Kind::Generic) return generic::QueryValue(server, query);
        if (row.kind == Kind::ByteAsInt32) {
            const std::int32_t value = B(server, row.offset);
            std::memcpy(query.value.data(), &value, sizeof value);
            return;
        }
        if (const auto answer = Answer(server, row)) std::memcpy(query.value.data(), &*answer, sizeof(double));
        return;
    }
}

void FillAutopilotState(Server& server, link::SnapshotRecord& record) {
    auto& w = record.words;
    const pmdg::SdkLink& sdk = Link(server);
    w[link::kWordSpeedTarget] = TruncateToInt32(pmdg::F32(sdk, 420));
    w[link::kWordHeadingTarget] = pmdg::U16(sdk, 428);
    w[link::kWordAltitudeTarget] = pmdg::U16(sdk, 430);
    // Written only where the aircraft's variable can be read; otherwise the
    // words keep what the flight record gave them.
    if (const auto speedBrake = pmdg::ReadLvar(server, Slot::SpeedBrakeLever)) {
        w[22] = TruncateToInt32(16383.0 * *speedBrake / 400.0);
    }
    if (const auto lever = pmdg::ReadLvar(server, Slot::FlapsLever)) {
        const auto notch = static_cast<std::uint32_t>(TruncateToInt32(*lever) / kFlapsLeverStep);
        w[link::kWordFlapsHandle] = static_cast<std::int32_t>(notch << kFlapsLeverShift);
    }
    if (const auto flaps = pmdg::ReadLvar(server, Slot::LeftFlapPositionValue)) {
        const std::int32_t position = TruncateToInt32(*flaps);
        for (const FlapPosition& flap : kFlapPositions) {
            if (position == flap.position) w[link::kWordTrailingEdgeFlaps] = flap.word;
        }
    }
    w[link::kWordAutopilotFlags] |= Bits(server, {{0x20, {435}},
                                                  {0x100, {436}},
                                                  {0x40, {442}},
                                                  {0x2, {444}},
                                                  {0x4, {447}},
                                                  {0x8, {451}},
                                                  {0x10, {450}},
                                                  {0x1, {453, 455, 454, 456}},
                                                  {0x200, {448}},
                                                  {0x400, {445}},
                                                  {0x800, {446}},
                                                  {0x4000, {449}},
                                                  {0x1000, {443}},
                                                  {0x2000, {452}}});
    w[link::kWordMasterLamps] = Bits(server, {{0x20000000, {390, 391}},
                                              {0x40000000, {388, 389}},
                                              {0x10000000, {400}},
                                              {0x1000, {396}},
                                              {0x200, {397}},
                                              {0x2000, {395}},
                                              {0x80, {394}},
                                              {0x100, {549, 550}}});
    PumpLink(server);
}

void CountEngineStates(Server& server, link::SnapshotRecord& record, std::int32_t& running, std::int32_t& starting,
                       std::int32_t& takeoffPower, std::int32_t& reverse) {
    pmdg::CountTwinEngines(server, Link(server), {44, 45}, record, running, starting, takeoffPower, reverse);
}

}  // namespace tarvo::adapters::pmdg737
