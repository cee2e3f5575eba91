#include "adapters/generic/GenericAdapter.h"

#include "fixtures/AdapterFixture.h"
#include "link/Protocol.h"
#include "link/Reports.h"
#include "sim/Definitions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <tuple>

namespace tarvo::adapters::generic {
namespace {

constexpr auto kFlt = sim::kFlightRecord;
constexpr auto kPos = sim::kPositionRecord;
constexpr auto kAp = sim::kAutopilotRecord;
constexpr auto kSys = sim::kSystemsRecord;
constexpr auto kEng = sim::kEngineRecord;
constexpr auto kGauge = sim::kEngineGaugeRecord;
constexpr auto kWx = sim::kWeatherRecord;
constexpr auto kFuel = sim::kFuelRecord;
constexpr auto kExits = sim::kExitsRecord;

// What a code answers on the default aircraft, every field of every record
// holding its own value.
enum class Answer { Field, Raw, On, Zero, Nothing, SimulationRate, SeaLevelPressure };
struct DefaultRow {
    std::uint32_t code;
    Answer answer;
    sim::RecordId record = sim::kFlightRecord;
    const char* variable = "";
};
constexpr DefaultRow Value(std::uint32_t code, sim::RecordId record, const char* variable) {
    return {code, Answer::Field, record, variable};
}
constexpr DefaultRow Raw(std::uint32_t code, sim::RecordId record, const char* variable) {
    return {code, Answer::Raw, record, variable};
}
constexpr DefaultRow On(std::uint32_t code) {
    return {code, Answer::On};
}
constexpr DefaultRow Zero(std::uint32_t code) {
    return {code, Answer::Zero};
}
constexpr DefaultRow Nothing(std::uint32_t code) {
    return {code, Answer::Nothing};
}

// Rows combining several fields answer 1.0 here (all of them are non-zero);
// the rows that pick one field name the field they pick.
constexpr DefaultRow kDefaultRows[] = {
    Value(10, kSys, "LIGHT PANEL"),
    Value(11, kSys, "LIGHT STROBE"),
    Value(13, kSys, "PITOT HEAT"),
    On(14),
    Raw(16, kAp, "ADF FREQUENCY:1"),
    Raw(23, kFlt, "COM ACTIVE FREQUENCY:1"),
    Raw(24, kFlt, "NAV ACTIVE FREQUENCY:1"),
    Raw(27, kAp, "NAV ACTIVE FREQUENCY:2"),
    Raw(38, kAp, "TRANSPONDER CODE:1"),
    Value(58, kSys, "LIGHT CABIN"),
    Value(921, kSys, "LIGHT CABIN"),
    Value(60, kFlt, "SIM ON GROUND"),
    Value(71, kPos, "PLANE LATITUDE"),
    Value(72, kPos, "PLANE LONGITUDE"),
    Value(75, kPos, "KOHLSMAN SETTING MB"),
    Value(76, kPos, "KOHLSMAN SETTING HG"),
    Value(82, kWx, "MAGVAR"),
    Value(86, kPos, "PLANE HEADING DEGREES TRUE"),
    On(103),
    Value(105, kAp, "AUTOPILOT NAV1 LOCK"),
    Value(106, kAp, "AUTOPILOT HEADING LOCK"),
    Value(107, kFlt, "AUTOPILOT HEADING LOCK DIR"),
    Value(108, kAp, "AUTOPILOT ALTITUDE LOCK"),
    Value(109, kFlt, "AUTOPILOT ALTITUDE LOCK VAR"),
    Value(112, kAp, "AUTOPILOT APPROACH HOLD"),
    Value(114, kSys, "AUTOPILOT YAW DAMPER"),
    Value(115, kAp, "AUTOPILOT AIRSPEED HOLD"),
    Value(116, kFlt, "AUTOPILOT AIRSPEED HOLD VAR"),
    Value(119, kAp, "AUTOPILOT VERTICAL HOLD"),
    Value(120, kFlt, "AUTOPILOT VERTICAL HOLD VAR"),
    Value(123, kAp, "AUTOPILOT THROTTLE ARM"),
    Value(128, kEng, "GENERAL ENG THROTTLE LEVER POSITION:1"),
    Value(129, kEng, "GENERAL ENG PROPELLER LEVER POSITION:1"),
    Value(141, kEng, "ENG ANTI ICE:1"),
    Value(163, kEng, "GENERAL ENG THROTTLE LEVER POSITION:2"),
    Value(164, kEng, "GENERAL ENG PROPELLER LEVER POSITION:2"),
    Value(176, kEng, "ENG ANTI ICE:2"),
    Value(198, kEng, "GENERAL ENG THROTTLE LEVER POSITION:3"),
    Value(199, kEng, "GENERAL ENG PROPELLER LEVER POSITION:3"),
    Value(211, kEng, "ENG ANTI ICE:3"),
    Value(233, kEng, "GENERAL ENG THROTTLE LEVER POSITION:4"),
    Value(234, kEng, "GENERAL ENG PROPELLER LEVER POSITION:4"),
    Value(246, kEng, "ENG ANTI ICE:4"),
    Value(304, kFuel, "FUEL LEFT QUANTITY"),
    Value(305, kFuel, "FUEL TANK CENTER QUANTITY"),
    On(308),
    Zero(320),
    Zero(321),
    Value(323, kSys, "BRAKE PARKING POSITION"),
    Value(324, kSys, "SPOILERS ARMED"),
    Value(325, kFlt, "SPOILERS HANDLE POSITION"),
    Value(329, kFlt, "TRAILING EDGE FLAPS LEFT PERCENT"),
    Value(331, kFlt, "GEAR HANDLE POSITION"),
    Value(332, kSys, "GEAR CENTER POSITION"),
    Value(333, kSys, "GEAR LEFT POSITION"),
    Value(334, kSys, "GEAR RIGHT POSITION"),
    {336, Answer::SimulationRate},
    Value(341, kWx, "AMBIENT TEMPERATURE"),
    Value(343, kWx, "AMBIENT WIND VELOCITY"),
    Value(344, kWx, "AMBIENT WIND DIRECTION"),
    {348, Answer::SeaLevelPressure},
    On(364),
    Value(368, kSys, "LIGHT BEACON"),
    On(369),
    Value(563, kEng, "GENERAL ENG STARTER:1"),
    Value(565, kSys, "GENERAL ENG MASTER ALTERNATOR:1"),
    Value(566, kSys, "GENERAL ENG MASTER ALTERNATOR:1"),
    On(570),
    Value(573, kEng, "GENERAL ENG STARTER:2"),
    On(575),
    On(576),
    Value(580, kEng, "FUELSYSTEM VALVE SWITCH:7"),
    Value(583, kEng, "GENERAL ENG STARTER:3"),
    Value(585, kSys, "GENERAL ENG MASTER ALTERNATOR:3"),
    Value(586, kSys, "GENERAL ENG MASTER ALTERNATOR:3"),
    Value(590, kEng, "FUELSYSTEM VALVE SWITCH:8"),
    Value(593, kEng, "GENERAL ENG STARTER:4"),
    Value(595, kSys, "GENERAL ENG MASTER ALTERNATOR:4"),
    Value(596, kSys, "GENERAL ENG MASTER ALTERNATOR:4"),
    Value(615, kFlt, "DECISION HEIGHT"),
    Nothing(617),
    On(619),
    On(620),
    Value(621, kSys, "LIGHT WING"),
    Value(622, kSys, "LIGHT RECOGNITION"),
    Value(624, kGauge, "TURB ENG N1:1"),
    Value(625, kGauge, "TURB ENG N2:1"),
    Value(631, kEng, "TURB ENG ITT:1"),
    Value(638, kGauge, "TURB ENG FUEL FLOW PPH:1"),
    Value(643, kGauge, "TURB ENG N1:2"),
    Value(644, kGauge, "TURB ENG N2:2"),
    Value(650, kEng, "TURB ENG ITT:2"),
    Value(657, kGauge, "TURB ENG FUEL FLOW PPH:2"),
    Value(662, kGauge, "TURB ENG N1:3"),
    Value(663, kGauge, "TURB ENG N2:3"),
    Value(669, kEng, "TURB ENG ITT:3"),
    Value(676, kGauge, "TURB ENG FUEL FLOW PPH:3"),
    Value(681, kGauge, "TURB ENG N1:4"),
    Value(682, kGauge, "TURB ENG N2:4"),
    Value(688, kEng, "TURB ENG ITT:4"),
    Value(695, kGauge, "TURB ENG FUEL FLOW PPH:4"),
    Value(740, kSys, "AVIONICS MASTER SWITCH"),
    Value(743, kSys, "AUTO BRAKE SWITCH CB"),
    Value(782, kPos, "ELEVATOR POSITION"),
    Value(783, kPos, "ELEVATOR TRIM POSITION"),
    Value(784, kPos, "AILERON POSITION"),
    Value(785, kPos, "AILERON TRIM"),
    Value(786, kPos, "RUDDER POSITION"),
    Value(787, kPos, "RUDDER TRIM"),
    Value(792, kAp, "AUTOPILOT FLIGHT DIRECTOR ACTIVE:1"),
    Value(868, kExits, "EXIT OPEN:1"),
    Raw(870, kAp, "COM ACTIVE FREQUENCY:2"),
    Raw(871, kAp, "COM STANDBY FREQUENCY:2"),
    Nothing(876),
    Nothing(877),
    Nothing(878),
    Nothing(880),
    Nothing(881),
    Value(883, kEng, "ENG ANTI ICE:1"),
    Value(884, kEng, "ENG ANTI ICE:2"),
    Value(885, kEng, "ENG ANTI ICE:3"),
    Value(886, kEng, "ENG ANTI ICE:4"),
    Value(905, kSys, "STRUCTURAL DEICE SWITCH"),
    Value(949, kSys, "ANTISKID BRAKES ACTIVE"),
    Value(953, kExits, "EXIT OPEN:1"),
    Value(1328, kExits, "EXIT OPEN:1"),
    Nothing(958),
    Nothing(960),
    Nothing(1044),
    Value(975, kSys, "APU PCT RPM"),
    Value(976, kSys, "APU PCT STARTER"),
    On(979),
    Nothing(982),
    Value(988, kSys, "CABIN NO SMOKING ALERT SWITCH"),
    Value(989, kSys, "CABIN SEATBELTS ALERT SWITCH"),
    Value(1031, kFlt, "IS SLEW ACTIVE"),
    Value(1034, kAp, "AUTOPILOT MASTER:2"),
    Value(1035, kAp, "AUTOPILOT MASTER:3"),
    Value(1036, kAp, "AUTOPILOT FLIGHT DIRECTOR ACTIVE:2"),
    Value(1051, kSys, "FUELSYSTEM VALVE SWITCH:8"),
    Value(1053, kSys, "FUELSYSTEM VALVE SWITCH:8"),
    Nothing(1054),
    Value(1056, kSys, "EXTERNAL POWER ON"),
    Nothing(1066),
    Nothing(1067),
    Nothing(1068),
    Nothing(1072),
    Nothing(1073),
    Nothing(1086),
    Nothing(1087),
    Nothing(1088),
    Nothing(1089),
    Nothing(1090),
    Nothing(1091),
    Value(1095, kSys, "HYDRAULIC SWITCH:1"),
    Value(1096, kSys, "HYDRAULIC SWITCH:2"),
    Value(1097, kSys, "HYDRAULIC SWITCH:3"),
    Value(1098, kSys, "HYDRAULIC SWITCH:4"),
    Nothing(1099),
    Nothing(1100),
    Nothing(1101),
    Nothing(1104),
    On(1109),
    On(1175),
    On(1110),
    On(1176),
    On(1111),
    On(1178),
    On(1112),
    On(1177),
    On(1113),
    On(1179),
    On(1114),
    On(1180),
    Value(1115, kEng, "FUELSYSTEM VALVE SWITCH:1"),
    Value(1116, kEng, "FUELSYSTEM VALVE SWITCH:4"),
    Nothing(1134),
    Nothing(1136),
    Nothing(1137),
    Nothing(1138),
    Nothing(1139),
    Value(1140, kSys, "BLEED AIR APU"),
    Value(1141, kSys, "BLEED AIR ENGINE:1"),
    Value(1142, kSys, "BLEED AIR ENGINE:2"),
    Value(1143, kSys, "BLEED AIR ENGINE:3"),
    Value(1144, kSys, "BLEED AIR ENGINE:4"),
    Nothing(1148),
    Nothing(1149),
    Nothing(1150),
    Nothing(1154),
    Nothing(1161),
    Nothing(1162),
    Nothing(1530),
    Nothing(1164),
    Value(1181, kSys, "FUELSYSTEM PUMP SWITCH:7"),
    Value(1182, kSys, "FUELSYSTEM PUMP SWITCH:8"),
    Value(1183, kSys, "FUELSYSTEM PUMP SWITCH:9"),
    Value(1184, kSys, "FUELSYSTEM PUMP SWITCH:10"),
    Value(1185, kSys, "FUELSYSTEM PUMP SWITCH:11"),
    Value(1186, kSys, "FUELSYSTEM PUMP SWITCH:12"),
    Value(1187, kSys, "FUELSYSTEM PUMP SWITCH:13"),
    Value(1188, kSys, "FUELSYSTEM PUMP SWITCH:14"),
    Value(1189, kSys, "FUELSYSTEM PUMP SWITCH:15"),
    Value(1190, kSys, "FUELSYSTEM PUMP SWITCH:16"),
    On(1191),
    Nothing(1197),
    Nothing(1199),
    Nothing(1430),
    Nothing(1200),
    Nothing(1201),
    Nothing(1202),
    Value(1208, kSys, "ELECTRICAL MASTER BATTERY:2"),
    Nothing(1221),
    Nothing(1222),
    Nothing(1228),
    Nothing(1240),
    Value(1252, kEng, "FUELSYSTEM VALVE SWITCH:1"),
    Value(1253, kEng, "FUELSYSTEM VALVE SWITCH:2"),
    Value(1254, kEng, "FUELSYSTEM VALVE SWITCH:3"),
    Value(1255, kEng, "FUELSYSTEM VALVE SWITCH:4"),
    On(1263),
    On(1264),
    Nothing(1271),
    Value(1274, kSys, "EXTERNAL POWER AVAILABLE"),
    Value(1275, kSys, "APU GENERATOR SWITCH:1"),
    Value(1276, kSys, "APU GENERATOR SWITCH:2"),
    Value(1301, kEng, "GENERAL ENG STARTER:1"),
    Nothing(1311),
    Nothing(1312),
    Value(1329, kExits, "EXIT OPEN:3"),
    Nothing(1330),
    Value(1331, kExits, "EXIT OPEN:7"),
    Zero(1332),
    Zero(1333),
    Value(1334, kExits, "EXIT OPEN:8"),
    Nothing(1335),
    Nothing(1336),
    Value(1343, kSys, "ANTISKID BRAKES ACTIVE"),
    Nothing(1344),
    Nothing(1353),
    Nothing(1354),
    Nothing(1357),
    Value(1401, kSys, "FLY BY WIRE ELAC SWITCH:1"),
    Value(1402, kSys, "FLY BY WIRE ELAC SWITCH:2"),
    Value(1404, kSys, "FLY BY WIRE FAC SWITCH:1"),
    Value(1405, kSys, "FLY BY WIRE FAC SWITCH:2"),
    Value(1407, kSys, "FLY BY WIRE SEC SWITCH:1"),
    Value(1408, kSys, "FLY BY WIRE SEC SWITCH:2"),
    Value(1409, kSys, "FLY BY WIRE SEC SWITCH:3"),
    Nothing(1410),
    Nothing(1411),
    Nothing(1412),
    Nothing(1413),
    Nothing(1415),
    Nothing(1416),
    Nothing(1424),
    Nothing(1425),
    Nothing(1426),
    Nothing(1427),
    Nothing(1428),
    Nothing(1429),
    Nothing(1431),
    Nothing(1432),
    Nothing(1433),
    Nothing(1437),
    Nothing(1438),
    Nothing(1445),
    Nothing(1451),
    Nothing(1452),
    Nothing(1453),
    Nothing(1454),
    Nothing(1455),
    Nothing(1456),
    Nothing(1499),
    Nothing(1500),
    Nothing(1501),
    Nothing(1502),
    Nothing(1535),
    Value(1537, kSys, "GENERAL ENG MASTER ALTERNATOR:2"),
    Value(1538, kSys, "GENERAL ENG MASTER ALTERNATOR:4"),
    Nothing(1544),
    Nothing(1545),
    Nothing(1578),
    Nothing(1606),
    Value(1610, kFlt, "PUSHBACK STATE"),
    Nothing(1681),
    Nothing(1686),
    Nothing(1687),
    Nothing(1694),
    Nothing(1695),
    Nothing(1698),
    Nothing(1699),
    Nothing(1700),
    Nothing(1740),
    Nothing(1741),
    Nothing(1742),
    Nothing(1743),
    Nothing(1744),
    Nothing(1745),
    Nothing(1757),
    Nothing(1758),
    Nothing(1759),
    Nothing(1763),
    Nothing(1764),
    Nothing(1767),
    Nothing(1768),
    Nothing(1772),
    Nothing(1773),
    Nothing(1774),
    Nothing(1775),
    Nothing(1776),
    Nothing(1777),
    Nothing(1778),
    Nothing(1779),
    Nothing(1780),
    Nothing(1781),
    Nothing(1782),
    Nothing(1783),
    Nothing(1784),
    Nothing(1785),
    Nothing(1786),
    Nothing(1787),
    Nothing(1788),
    Nothing(1789),
    Nothing(1790),
};

// A field's datum type and index in its definition, by simulation variable.
struct FieldOf {
    std::size_t index;
    bool isDouble;
};
std::optional<FieldOf> FindField(sim::RecordId record, std::string_view variable) {
    const auto datums = sim::Definitions()[record].datums;
    for (std::size_t i = 0; i < datums.size(); ++i) {
        if (datums[i].name == variable) return FieldOf{i, datums[i].type == SIMCONNECT_DATATYPE_FLOAT64};
    }
    return std::nullopt;
}

// Distinct in every field of every record; doubles carry a fraction.
double DistinctValue(sim::RecordId record, std::size_t field, bool isDouble) {
    return 1000.0 * (record + 1) + static_cast<double>(field) + (isDouble ? 0.25 : 0.0);
}

std::array<std::uint8_t, 8> DoubleBytes(double value) {
    std::array<std::uint8_t, 8> bytes{};
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}
std::array<std::uint8_t, 8> Int32Bytes(std::int32_t value) {
    std::array<std::uint8_t, 8> bytes{};
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}
const std::array<std::uint8_t, 8> kNothing{};

struct QueriesTest : AdapterFixture {
    // The value bytes a code answers with.
    std::array<std::uint8_t, 8> Ask(std::uint32_t code) {
        link::ValueQuery query;
        query.code = code;
        QueryValue(fake.server, query);
        return query.value;
    }
    // The reply text the crew app receives.
    std::string ReplyText(std::uint32_t code) {
        link::ValueQuery query;
        query.code = code;
        QueryValue(fake.server, query);
        return link::ValueQueryText(query.tag, query.value);
    }

    void FillEveryRecordWithDistinctValues() {
        for (const sim::Definition& definition : sim::Definitions()) {
            if (definition.id >= sim::kRecordCount || definition.id == sim::kIdentityStrings) continue;
            const auto record = static_cast<sim::RecordId>(definition.id);
            for (std::size_t i = 0; i < definition.datums.size(); ++i) {
                if (definition.datums[i].type == SIMCONNECT_DATATYPE_FLOAT64) {
                    SetFloat64(record, i, DistinctValue(record, i, true));
                } else {
                    SetInt32(record, i, static_cast<std::int32_t>(DistinctValue(record, i, false)));
                }
            }
        }
    }
};

TEST_F(QueriesTest, EveryCodeAnswersFromItsOwnFieldOnTheDefaultAircraft) {
    FillEveryRecordWithDistinctValues();
    fake.server.session.simulationRate = 4.0;
    std::array<const DefaultRow*, 1800> byCode{};
    for (const DefaultRow& row : kDefaultRows) byCode[row.code] = &row;

    for (std::uint32_t code = 0; code < byCode.size(); ++code) {
        SCOPED_TRACE("code " + std::to_string(code));
        const DefaultRow* row = byCode[code];
        if (row == nullptr) {
            // Unlisted codes inside the table's range answer the cabin light.
            const bool inRange = code >= 10 && code <= 1790;
            EXPECT_EQ(Ask(code), inRange ? DoubleBytes(DistinctValue(kSys, 22, false)) : kNothing);
            continue;
        }
        std::array<std::uint8_t, 8> expected{};
        switch (row->answer) {
            case Answer::Field:
            case Answer::Raw: {
                const auto field = FindField(row->record, row->variable);
                ASSERT_TRUE(field) << row->variable;
                const double value = DistinctValue(row->record, field->index, field->isDouble);
                expected =
                    row->answer == Answer::Raw ? Int32Bytes(static_cast<std::int32_t>(value)) : DoubleBytes(value);
                break;
            }
            case Answer::On:
                expected = DoubleBytes(1.0);
                break;
            case Answer::Zero:
                expected = DoubleBytes(0.0);
                break;
            case Answer::Nothing:
                expected = kNothing;
                break;
            case Answer::SimulationRate:
                expected = DoubleBytes(4.0);
                break;
            case Answer::SeaLevelPressure:
                expected = DoubleBytes(DistinctValue(kWx, 0, false) / 0.4912 / 144.0);
                break;
        }
        EXPECT_EQ(Ask(code), expected);
    }
    // Codes past the table, and ones whose low bits name a row, answer nothing.
    for (const std::uint32_t code : {0x10000u + 14u, 0xFFFFFFFFu, 0x80000000u}) EXPECT_EQ(Ask(code), kNothing) << code;
}

TEST_F(QueriesTest, RepliesCarryTheAnswerAsTheCrewAppReadsIt) {
    SetInt32(kFlt, 0, 1);        // on the ground
    SetInt32(kFlt, 25, 0x1810);  // COM 1 at 118.10
    EXPECT_EQ(ReplyText(60), "00000000000000000000F03F");
    EXPECT_EQ(ReplyText(23), "000000001018000000000000");
}

// What a code answers on the Fenix, every variable of the aircraft holding its
// own value: the named variable's, or the combined answer.
struct AddOnRow {
    std::uint32_t code;
    const char* lvar;  // nullptr: answer
    double answer;
};
constexpr AddOnRow LvarValue(std::uint32_t code, const char* lvar) {
    return {code, lvar, 0.0};
}
constexpr AddOnRow LvarAnswer(std::uint32_t code, double answer) {
    return {code, nullptr, answer};
}

constexpr AddOnRow kFenixRows[] = {
    LvarValue(11, "S_OH_EXT_LT_STROBE"),
    LvarAnswer(13, 1.0),
    LvarAnswer(14, 0.0),  // neither switch stands at 2
    LvarValue(58, "S_OH_INT_LT_DOME"),
    LvarValue(921, "S_OH_INT_LT_DOME"),
    LvarAnswer(103, 1.0),
    LvarValue(105, "AP_LNAV_ARMED"),
    LvarAnswer(106, 1.0),
    LvarValue(112, "I_FCU_APPR"),  // both names fill one slot
    LvarValue(115, "I_FCU_SPEED_MODE"),
    LvarAnswer(119, 1.0),
    LvarAnswer(123, 1.0),
    LvarValue(141, "S_OH_PNEUMATIC_ENG1_ANTI_ICE"),
    LvarValue(176, "S_OH_PNEUMATIC_ENG2_ANTI_ICE"),
    LvarValue(308, "I_OH_FUEL_XFEED_L"),
    LvarValue(323, "S_MIP_PARKING_BRAKE"),
    LvarValue(324, "A_FC_SPEEDBRAKE"),
    LvarValue(364, "S_OH_ELEC_BAT1"),
    LvarValue(368, "S_OH_EXT_LT_BEACON"),
    LvarValue(369, "S_OH_EXT_LT_NOSE"),
    LvarValue(565, "S_OH_ELEC_GEN1"),
    LvarValue(570, "S_ENG_MASTER_2"),
    LvarValue(575, "S_OH_ELEC_GEN2"),
    LvarAnswer(619, 1.0),
    LvarAnswer(620, 1.0),
    LvarValue(621, "S_OH_EXT_LT_WING"),
    LvarAnswer(743, 3.0),  // MAX lit
    LvarValue(783, "A_FC_ELEVATOR_TRIM"),
    LvarValue(792, "I_FCU_EFIS1_FD"),
    LvarAnswer(876, 1.0),
    LvarValue(877, "S_ASP_VOR_1_REC_LATCH"),
    LvarValue(878, "S_ASP_VOR_2_REC_LATCH"),
    LvarValue(880, "S_ASP_ADF_1_REC_LATCH"),
    LvarValue(881, "S_ASP_MARKER_REC_LATCH"),
    LvarValue(905, "S_OH_PNEUMATIC_WING_ANTI_ICE"),  // not the master caution lamp
    LvarValue(949, "S_FC_MIP_ANTI_SKID"),
    LvarValue(953, "A320_door_0"),
    LvarValue(1328, "A320_door_0"),
    LvarValue(979, "S_OH_ELEC_APU_GENERATOR"),
    LvarValue(982, "A_OH_PNEUMATIC_LDG_ELEV"),
    LvarValue(988, "S_OH_SIGNS_SMOKING"),
    LvarValue(989, "S_OH_SIGNS"),
    LvarValue(1034, "I_FCU_AP2"),
    LvarValue(1035, "XMLVAR_Autopilot_2_Status"),
    LvarValue(1036, "I_FCU_EFIS2_FD"),
    LvarAnswer(1051, 1.0),
    LvarAnswer(1053, 1.0),
    LvarValue(1056, "I_OH_ELEC_EXT_PWR_L"),
    LvarValue(1066, "S_OH_ELEC_BUSTIE"),
    LvarValue(1067, "S_OH_ELEC_BUSTIE"),
    LvarValue(1068, "S_OH_ELEC_AC_ESS_FEED"),
    LvarValue(1072, "S_OH_ELEC_GALY"),
    LvarValue(1073, "S_OH_ELEC_COMMERCIAL"),
    LvarValue(1086, "S_OH_NAV_IR2_MODE"),
    LvarValue(1087, "S_OH_NAV_IR3_MODE"),
    LvarAnswer(1088, 1.0),
    LvarAnswer(1089, 1.0),
    LvarAnswer(1090, 1.0),
    LvarAnswer(1091, 1.0),
    LvarValue(1095, "S_OH_HYD_ENG_1_PUMP"),
    LvarValue(1096, "S_OH_HYD_ENG_2_PUMP"),
    LvarAnswer(1099, 1.0),
    LvarAnswer(1100, 1.0),
    LvarValue(1101, "XMLVAR_HYDRAULICS_DEMAND_LEFT"),
    LvarValue(1104, "XMLVAR_HYDRAULICS_DEMAND_RIGHT"),
    LvarValue(1109, "S_OH_FUEL_LEFT_1"),
    LvarValue(1175, "S_OH_FUEL_LEFT_1"),
    LvarValue(1110, "S_OH_FUEL_LEFT_2"),
    LvarValue(1176, "S_OH_FUEL_LEFT_2"),
    LvarValue(1111, "S_OH_FUEL_RIGHT_2"),
    LvarValue(1178, "S_OH_FUEL_RIGHT_2"),
    LvarValue(1112, "S_OH_FUEL_RIGHT_1"),
    LvarValue(1177, "S_OH_FUEL_RIGHT_1"),
    LvarValue(1113, "S_OH_FUEL_CENTER_1"),
    LvarValue(1179, "S_OH_FUEL_CENTER_1"),
    LvarValue(1114, "S_OH_FUEL_CENTER_2"),
    LvarValue(1180, "S_OH_FUEL_CENTER_2"),
    LvarValue(1134, "S_MIP_BRAKE_FAN"),
    LvarValue(1136, "ASCRJ_OVHD_OXY"),
    LvarValue(1137, "S_OH_PNEUMATIC_PACK_1"),
    LvarValue(1138, "S_OH_PNEUMATIC_PACK_2"),
    LvarValue(1140, "S_OH_PNEUMATIC_APU_BLEED"),
    LvarValue(1141, "S_OH_PNEUMATIC_ENG1_BLEED"),
    LvarValue(1142, "S_OH_PNEUMATIC_ENG2_BLEED"),
    LvarValue(1148, "S_OH_PNEUMATIC_HOT_AIR"),
    LvarValue(1149, "S_OH_PNEUMATIC_CAB_FANS"),
    LvarValue(1150, "S_OH_PNEUMATIC_CAB_FANS"),
    LvarValue(1154, "S_OH_PNEUMATIC_PRESS_MODE"),
    LvarValue(1161, "S_OH_INT_LT_EMER"),
    LvarValue(1164, "ASCRJ_AICE_PHEAT_R"),
    LvarValue(1191, "S_OH_EXT_LT_RWY_TURNOFF"),
    LvarValue(1197, "S_FCU_EFIS1_BARO_MODE"),
    LvarValue(1199, "S_OH_GPWS_TERR"),
    LvarValue(1430, "S_OH_GPWS_TERR"),
    LvarValue(1200, "S_XPDR_MODE"),
    LvarValue(1201, "ASCRJ_OVHD_OXY_GUARD"),
    LvarValue(1202, "XMLVAR_ELECTRICAL_EmerLights_Cover_Opened"),
    LvarValue(1208, "S_OH_ELEC_BAT2"),
    LvarValue(1221, "S_OH_PNEUMATIC_BLOWER"),
    LvarValue(1222, "S_OH_PNEUMATIC_EXTRACT"),
    LvarValue(1228, "S_OH_PNEUMATIC_XBLEED_SELECTOR"),
    LvarValue(1240, "S_OH_ELEC_AC_ESS_FEED"),
    LvarValue(1271, "S_MIP_BRAKE_FAN"),
    LvarValue(1274, "B_CONFIG_GPU"),
    LvarValue(1275, "S_OH_ELEC_APU_GENERATOR"),
    LvarValue(1301, "S_ENG_MODE"),
    LvarValue(1329, "A320_door_1"),
    LvarValue(1330, "A320_door_2"),
    LvarValue(1331, "A320_door_3"),
    LvarValue(1334, "A320_door_4"),
    LvarValue(1335, "A320_door_5"),
    LvarValue(1343, "S_FC_MIP_ANTI_SKID"),
    LvarValue(1344, "B_CONFIG_CHOCKS"),
    LvarValue(1353, "S_OH_HYD_BLUE_ELEC_PUMP_Cover"),
    LvarValue(1354, "ASCRJ_HYDR_SOV2_GUARD"),
    LvarValue(1357, "S_OH_HYD_PTU"),
    LvarValue(1401, "S_OH_FLT_CTL_ELAC_1"),
    LvarValue(1402, "S_OH_FLT_CTL_ELAC_2"),
    LvarValue(1404, "S_OH_FLT_CTL_FAC_1"),
    LvarValue(1405, "S_OH_FLT_CTL_FAC_2"),
    LvarValue(1407, "S_OH_FLT_CTL_SEC_1"),
    LvarValue(1408, "S_OH_FLT_CTL_SEC_2"),
    LvarValue(1409, "S_OH_FLT_CTL_SEC_3"),
    LvarValue(1410, "S_PED_RMP1_POWER"),
    LvarValue(1411, "S_PED_RMP2_POWER"),
    LvarValue(1412, "S_OH_PNEUMATIC_RAM_AIR"),
    LvarValue(1413, "S_WR_MODE"),
    LvarValue(1415, "S_FCU_EFIS1_ND_ZOOM"),
    LvarValue(1416, "S_FCU_EFIS1_ND_MODE"),
    LvarAnswer(1424, 1.0),
    LvarAnswer(1425, 1.0),
    LvarAnswer(1426, 1.0),
    LvarValue(1431, "S_OH_GPWS_GS_MODE"),
    LvarValue(1432, "S_OH_GPWS_SYS"),
    LvarValue(1433, "S_OH_GPWS_LDG_FLAP3"),
    LvarAnswer(1437, 1.0),
    LvarAnswer(1438, 1.0),
    LvarValue(1445, "I_FCU_HEADING_VS_MODE"),
    LvarAnswer(1451, 1.0),
    LvarAnswer(1452, 1.0),
    LvarAnswer(1453, 1.0),
    LvarAnswer(1454, 1.0),
    LvarAnswer(1455, 1.0),
    LvarAnswer(1456, 1.0),
    LvarValue(1535, "XMLVAR_TrimAir_R"),
    LvarAnswer(1681, 1.0),
    LvarValue(1686, "S_OH_ENG_MANSTART_1"),
    LvarValue(1687, "S_OH_ENG_MANSTART_2"),
    LvarValue(1694, "S_OH_ENG_N1_MODE_1"),
    LvarValue(1695, "S_OH_ENG_N1_MODE_2"),
    LvarAnswer(1698, 1.0),
    LvarAnswer(1699, 1.0),
    LvarValue(1700, "S_OH_PNEUMATIC_DITCHING"),
    LvarAnswer(1740, 1.0),
    LvarAnswer(1741, 1.0),
    LvarAnswer(1742, 1.0),
    LvarAnswer(1743, 1.0),
    LvarAnswer(1744, 1.0),
    LvarAnswer(1745, 1.0),
    LvarValue(1757, "S_WR_PRED_WS"),
    LvarValue(1758, "S_FCU_EFIS2_ND_ZOOM"),
    LvarValue(1759, "S_FCU_EFIS2_ND_MODE"),
    LvarValue(1767, "S_WR_SYS"),
    LvarValue(1768, "S_XPDR_OPERATION"),
    LvarValue(1772, "FSDT_GSX_COUATL_STARTED"),
    LvarValue(1773, "FSDT_GSX_MENU_OPEN"),
    LvarValue(1774, "FSDT_GSX_CATERING_STATE"),
    LvarValue(1775, "FSDT_GSX_BOARDING_STATE"),
    LvarValue(1776, "FSDT_GSX_REFUELING_STATE"),
    LvarValue(1777, "FSDT_GSX_DEICING_STATE"),
    LvarValue(1778, "FSDT_GSX_DEBOARDING_STATE"),
    LvarValue(1779, "FSDT_GSX_DEPARTURE_STATE"),
    LvarValue(1780, "FSDT_GSX_BOARDING_CARGO_PERCENT"),
    LvarValue(1781, "FSDT_VAR_Frozen"),
    LvarValue(1782, "FSDT_GSX_AIRCRAFT_SERVICE_1_TOGGLE"),
    LvarValue(1783, "FSDT_GSX_AIRCRAFT_SERVICE_2_TOGGLE"),
    LvarValue(1784, "FSDT_GSX_AIRCRAFT_CARGO_1_TOGGLE"),
    LvarValue(1785, "FSDT_GSX_AIRCRAFT_CARGO_2_TOGGLE"),
    LvarValue(1786, "FSDT_GSX_AIRCRAFT_EXIT_1_TOGGLE"),
    LvarValue(1787, "FSDT_GSX_AIRCRAFT_EXIT_2_TOGGLE"),
    LvarValue(1788, "FSDT_GSX_AIRCRAFT_MAINCARGO_TOGGLE"),
    LvarValue(1789, "FSDT_GSX_AIRCRAFT_EXIT_4_TOGGLE"),
    LvarValue(1790, "FSDT_GSX_DEPARTURE_STATE"),
};

double StartValue(Slot slot) {
    return 0.5 + Cell(slot);
}

// The start value of the variable the aircraft has under that name.
std::optional<double> StartValueOf(std::string_view lvar) {
    for (std::size_t i = 1; i < kSlotCount; ++i) {
        if (SlotLabel(static_cast<Slot>(i)) == lvar) return StartValue(static_cast<Slot>(i));
    }
    return std::nullopt;
}

void BeFenix(Server& server) {
    server.adapters.currentAircraftId = 58;
    server.adapters.fenixFlag = true;
    server.adapters.a320LvarsFound = true;  // as its discovery sets it
}

TEST_F(QueriesTest, EveryAddOnRowReadsItsOwnVariableOnTheFenix) {
    ConnectBridgeWithEverySlot(StartValue);
    BeFenix(fake.server);
    for (const AddOnRow& row : kFenixRows) {
        SCOPED_TRACE("code " + std::to_string(row.code));
        double expected = row.answer;
        if (row.lvar != nullptr) {
            const auto value = StartValueOf(row.lvar);
            ASSERT_TRUE(value) << "no slot labelled " << row.lvar;
            expected = *value;
        }
        EXPECT_EQ(Ask(row.code), DoubleBytes(expected));
    }
}

// Rows that name a neighbour's variable read the switch the code is about.
TEST_F(QueriesTest, NavLogoFirstOfficerAndWingAntiIceRowsReadTheirOwnSwitches) {
    ConnectBridgeWithEverySlot();
    BeFenix(fake.server);
    // {code, the switch named beside it, its own switch}
    const std::tuple<std::uint32_t, Slot, Slot> cases[] = {
        {619, Slot::ProbeWindowHeatSwitch, Slot::LogoLightSwitch},
        {620, Slot::ProbeWindowHeatSwitch, Slot::NavLightSwitch},
        {1699, Slot::Efis1LsButton, Slot::Efis2LsButton},
        {1745, Slot::CaptainTerrainOnNdButton, Slot::FirstOfficerTerrainOnNdButton},
        {905, Slot::MasterCautionLight, Slot::WingAntiIceSwitch},
    };
    for (const auto& [code, neighbour, own] : cases) {
        SCOPED_TRACE("code " + std::to_string(code));
        SetSlotValue(neighbour, 1.0);
        EXPECT_EQ(Ask(code), DoubleBytes(0.0));
        SetSlotValue(own, 1.0);
        EXPECT_EQ(Ask(code), DoubleBytes(1.0));
        SetSlotValue(neighbour, 0.0);
        SetSlotValue(own, 0.0);
    }
}

TEST_F(QueriesTest, LandingLightsAreOnOnlyWhenEveryLightIs) {
    ConnectBridgeWithEverySlot();
    // {what, aircraft id, Fenix flag, A320 flag, LIGHT LANDING:1 to :4, left and right switch (nullopt: the
    //  aircraft has none), answer}
    struct Case {
        const char* what;
        std::int32_t aircraft;
        bool fenix, a320;
        std::array<std::int32_t, 4> lights;
        std::optional<std::pair<double, double>> switches;
        double answer;
    };
    const Case cases[] = {
        {"default, :1 to :3 on", 1, false, false, {1, 1, 1, 0}, std::pair{0.0, 0.0}, 1.0},
        {"default, :2 off", 1, false, false, {1, 0, 1, 1}, std::pair{0.0, 0.0}, 0.0},
        {"Fenix, both at 2", 58, true, true, {0, 0, 0, 0}, std::pair{2.0, 2.0}, 1.0},
        {"Fenix, one at 1", 58, true, true, {1, 1, 1, 1}, std::pair{2.0, 1.0}, 0.0},
        {"A32NX, both at 0", 58, false, true, {0, 0, 0, 0}, std::pair{0.0, 0.0}, 1.0},
        {"A32NX, one at 1", 58, false, true, {1, 1, 1, 1}, std::pair{1.0, 0.0}, 0.0},
        {"A32NX without the switches", 58, false, true, {1, 1, 1, 1}, std::nullopt, 0.0},
        {"another aircraft after an A32NX", 74, false, true, {1, 1, 1, 0}, std::nullopt, 1.0},
        {"another aircraft after an A32NX, :3 off", 74, false, true, {1, 1, 0, 0}, std::nullopt, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fake.server.adapters.currentAircraftId = c.aircraft;
        fake.server.adapters.fenixFlag = c.fenix;
        fake.server.adapters.a320LvarsFound = c.a320;
        for (std::size_t i = 0; i < 4; ++i) SetInt32(kSys, 10 + i, c.lights[i]);
        if (c.switches) {
            FillSlot(Slot::LandingLightLeftSwitch, SlotLabel(Slot::LandingLightLeftSwitch));
            FillSlot(Slot::LandingLightRightSwitch, SlotLabel(Slot::LandingLightRightSwitch));
            SetSlotValue(Slot::LandingLightLeftSwitch, c.switches->first);
            SetSlotValue(Slot::LandingLightRightSwitch, c.switches->second);
        } else {
            ForgetSlot(Slot::LandingLightLeftSwitch);
            ForgetSlot(Slot::LandingLightRightSwitch);
        }
        EXPECT_EQ(Ask(14), DoubleBytes(c.answer));
    }
}

TEST_F(QueriesTest, AddOnVariablesAnswerOnTheAircraftTheyBelongTo) {
    ConnectBridgeWithEverySlot();
    SetInt32(kSys, 9, 1);  // LIGHT STROBE
    SetSlotValue(Slot::StrobeLightSwitch, 2.0);
    SetSlotValue(Slot::AcEssFeedSwitch, 3.0);
    SetSlotValue(Slot::BusTieSwitch, 5.0);
    // 11: strobe, the A32NX's and the Fenix's; 1068: AC ESS feed, any aircraft with
    // the variable; 1066: bus tie, the Fenix's, nothing from the simulator.
    // {what, aircraft, flags: Fenix, A320, 747, CJ4, slot known, code, answer (nullopt: nothing)}
    struct Case {
        const char* what;
        std::int32_t aircraft;
        bool fenix, a320, b747, cj4, known;
        std::uint32_t code;
        std::optional<double> answer;
    };
    const Case cases[] = {
        {"Fenix", 58, true, true, false, false, true, 11, 2.0},
        {"A32NX", 58, false, true, false, false, true, 11, 2.0},
        {"A320neo", 58, false, false, false, false, true, 11, 1.0},
        {"default aircraft", 1, false, false, false, false, true, 11, 1.0},
        {"787", 56, false, false, false, false, true, 11, 2.0},
        {"787 without the variable", 56, false, false, false, false, false, 11, 1.0},
        {"747", 57, false, false, true, false, true, 11, 2.0},
        {"CaptainSim 777", 30, false, false, true, false, true, 11, 2.0},
        {"747 id before its discovery", 57, false, false, false, false, true, 11, 1.0},
        {"CJ4", 59, false, false, false, true, true, 11, 2.0},
        {"CJ4 id before its discovery", 59, false, false, false, false, true, 11, 1.0},
        {"another aircraft after a Fenix", 74, true, true, false, false, true, 11, 1.0},
        {"any aircraft with the variable", 1, false, false, false, false, true, 1068, 3.0},
        {"any aircraft without it", 1, false, false, false, false, false, 1068, std::nullopt},
        {"Fenix row elsewhere", 1, false, false, false, false, true, 1066, std::nullopt},
        {"Fenix row on the Fenix", 58, true, true, false, false, true, 1066, 5.0},
        {"Fenix row on the 787", 56, false, false, false, false, true, 1066, 5.0},
        {"Fenix row on the 787 without it", 56, false, false, false, false, false, 1066, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fake.server.adapters.currentAircraftId = c.aircraft;
        fake.server.adapters.fenixFlag = c.fenix;
        fake.server.adapters.a320LvarsFound = c.a320;
        fake.server.adapters.asobo747Flag = c.b747;
        fake.server.adapters.cj4Flag = c.cj4;
        for (const Slot slot : {Slot::StrobeLightSwitch, Slot::AcEssFeedSwitch, Slot::BusTieSwitch}) {
            if (c.known) {
                FillSlot(slot, SlotLabel(slot));
            } else {
                ForgetSlot(slot);
            }
        }
        EXPECT_EQ(Ask(c.code), c.answer ? DoubleBytes(*c.answer) : kNothing);
    }
}

TEST_F(QueriesTest, FcuTargetsAndRecordsAnswerWithoutABridge) {
    fakes::FakeProcessMemory::Region region;
    region.info = {0x5000000, 0x1000, 0, 0, 0, 0};
    region.bytes.assign(0x100, 0);
    const std::int32_t heading = 275;
    const double speed = 250.5;
    std::memcpy(region.bytes.data() + 0x10, &heading, sizeof heading);
    std::memcpy(region.bytes.data() + 0x20, &speed, sizeof speed);
    fake.memory.regions.push_back(region);
    fenix::FenixState& fenix = fake.server.adapters.fenix;
    fenix.systemProcess = 0x7001;
    fenix.fcuAddresses[static_cast<std::size_t>(fenix::FcuField::Heading)] = 0x5000010;
    fenix.fcuAddresses[static_cast<std::size_t>(fenix::FcuField::Speed)] = 0x5000020;
    fenix.fcuAddresses[static_cast<std::size_t>(fenix::FcuField::VerticalSpeed)] = 0x50000FE;  // read cut short
    SetInt32(kFlt, 16, 140);    // AUTOPILOT AIRSPEED HOLD VAR
    SetInt32(kFlt, 17, 90);     // AUTOPILOT HEADING LOCK DIR
    SetInt32(kFlt, 18, 99000);  // AUTOPILOT ALTITUDE LOCK VAR: no target
    SetInt32(kFlt, 37, 7000);   // AUTOPILOT ALTITUDE LOCK VAR:1
    SetInt32(kFlt, 31, 0);      // AUTOPILOT VERTICAL HOLD VAR
    SetInt32(kFlt, 35, -700);   // AUTOPILOT VERTICAL HOLD VAR:1
    SetInt32(kSys, 9, 1);       // LIGHT STROBE

    // The default aircraft: the records, whatever the FCU holds.
    EXPECT_EQ(Ask(107), DoubleBytes(90.0));
    EXPECT_EQ(Ask(109), DoubleBytes(7000.0));
    EXPECT_EQ(Ask(120), DoubleBytes(-700.0));
    // The Fenix: the fields whose address is known, even a failed read (-1).
    BeFenix(fake.server);
    EXPECT_EQ(Ask(107), DoubleBytes(275.0));
    EXPECT_EQ(Ask(116), DoubleBytes(250.5));
    EXPECT_EQ(Ask(109), DoubleBytes(7000.0)) << "altitude address not known";
    EXPECT_EQ(Ask(120), DoubleBytes(-1.0));
    // Its variables need the bridge; the records stand in where the row has them.
    EXPECT_EQ(Ask(11), DoubleBytes(1.0));
    EXPECT_EQ(Ask(1066), kNothing);
}

}  // namespace
}  // namespace tarvo::adapters::generic
