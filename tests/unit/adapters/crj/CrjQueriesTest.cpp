#include "CrjFixture.h"

#include "adapters/generic/GenericAdapter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <tuple>

namespace tarvo::adapters {
namespace {

struct CrjQueriesTest : CrjFixture {
    CrjQueriesTest() { ConnectCrj(); }

    link::SnapshotRecord Snapshot(std::int32_t altitudeTarget = -1000) {
        link::SnapshotRecord record;
        record.words[link::kWordSpeedTarget] = 111;
        record.words[link::kWordAltitudeTarget] = altitudeTarget;
        record.words[link::kWordMasterLamps] = altitudeTarget;  // the flight record's word 37
        fake.server.adapters.table.FillAutopilotState(fake.server, record);
        return record;
    }
};

// Codes that answer one variable's value, as the aircraft's documentation pairs them.
struct LvarRow {
    std::uint32_t code;
    const char* lvar;
};
const LvarRow kLvarRows[] = {
    {10, "ASCRJ_INTL_OVHD"},
    {11, "ASCRJ_EXTL_STROBE"},
    {103, "ASCRJ_FCP_AP_ENG_LED"},
    {106, "ASCRJ_FCP_HDG_LED"},
    {107, "ASCRJ_FS2C_HDG_VAL"},
    {108, "ASCRJ_FCP_ALT_LED"},
    {109, "ASCRJ_FS2C_ALT_VAL"},
    {112, "ASCRJ_FCP_APPR_LED"},
    {115, "ASCRJ_FCP_SPEED_LED"},
    {116, "ASCRJ_FS2C_SPD_VAL"},
    {119, "ASCRJ_FCP_VS_LED"},
    {141, "ASCRJ_AICE_COWL_L"},
    {176, "ASCRJ_AICE_COWL_R"},
    {364, "ASCRJ_ELEC_BATTMASTER"},
    {368, "ASCRJ_EXTL_BEACO"},
    {369, "ASCRJ_OVHD_TAXI"},
    {563, "ASCRJ_ENGS_START_L_ON"},
    {565, "ASCRJ_ELEC_GEN1"},
    {573, "ASCRJ_ENGS_START_R_ON"},
    {575, "ASCRJ_ELEC_GEN2"},
    {615, "ASCRJ_DH_CPT"},
    {619, "ASCRJ_EXTL_NAV"},
    {620, "ASCRJ_EXTL_LOGO"},
    {621, "ASCRJ_EXTL_WING"},
    {783, "ASCRJ_TRIM_IND"},
    {877, "ASCRJ_AUDIO1_NAV1_VOL_PUSH"},
    {878, "ASCRJ_AUDIO1_NAV2_VOL_PUSH"},
    {880, "ASCRJ_AUDIO1_ADF1_VOL_PUSH"},
    {881, "ASCRJ_AUDIO1_MKR1_VOL_PUSH"},
    {883, "ASCRJ_AICE_COWL_L"},
    {884, "ASCRJ_AICE_COWL_R"},
    {891, "ASCRJ_FUEL_PUMP_L"},
    {892, "ASCRJ_FUEL_PUMP_R"},
    {905, "ASCRJ_AICE_WING"},
    {921, "ASCRJ_INTL_DOME"},
    {960, "ASCRJ_ENGS_CONT_IGN_ON"},
    {1044, "ASCRJ_ENGS_CONT_IGN_ON"},
    {979, "ASCRJ_ELEC_APUGEN"},
    {988, "ASCRJ_OVHD_NO_SMOKING"},
    {989, "ASCRJ_OVHD_SEAT_BELTS"},
    {1034, "ASCRJ_FCP_AP_ENG_LED2"},
    {1056, "ASCRJ_ELEC_GPU_INUSE"},
    {1066, "ASCRJ_ELEC_AUTOXFER1"},
    {1067, "ASCRJ_ELEC_AUTOXFER2"},
    {1068, "ASCRJ_ELEC_ACESSXFER"},
    {1096, "ASCRJ_ELEC_ACESSXFER"},
    {1240, "ASCRJ_ELEC_ACESSXFER"},
    {1072, "ASCRJ_ELEC_DCSERVICE"},
    {1085, "ASCRJ_IRS1_KNO"},
    {1086, "ASCRJ_IRS2_KNOB"},
    {1088, "ASCRJ_AICE_WSHLD_L"},
    {1089, "ASCRJ_AICE_WSHLD_L"},
    {1090, "ASCRJ_AICE_WSHLD_R"},
    {1091, "ASCRJ_AICE_WSHLD_R"},
    {1095, "ASCRJ_HYDR_SOV1"},
    {1105, "ASCRJ_STAB_TRIM_CH"},
    {1106, "ASCRJ_STAB_TRIM_CH2"},
    {1136, "ASCRJ_OVHD_OXY"},
    {1137, "ASCRJ_AIRC_PACK_L"},
    {1138, "ASCRJ_AIRC_PACK_R"},
    {1141, "ASCRJ_AIR_BLEED_VALVES"},
    {1142, "ASCRJ_AIR_BLEED_VALVES"},
    {1529, "ASCRJ_AIR_BLEED_VALVES"},
    {1149, "ASCRJ_AIRC_RECIRC_FAN"},
    {1150, "ASCRJ_AIRC_RECIRC_FAN"},
    {1161, "ASCRJ_OVHD_EMER_LTS"},
    {1162, "ASCRJ_GPWS_FLAP"},
    {1530, "ASCRJ_GPWS_FLAP"},
    {1164, "ASCRJ_AICE_PHEAT_R"},
    {1197, "ASCRJ_LSP_BARO_INFO"},
    {1199, "ASCRJ_GPWS_TERR"},
    {1430, "ASCRJ_GPWS_TERR"},
    {1200, "ASCRJ_XPDR_MODE"},
    {1201, "ASCRJ_OVHD_OXY_GUARD"},
    {1263, "ASCRJ_LSP_WIPER"},
    {1264, "ASCRJ_RSP_WIPER"},
    {1280, "ASCRJ_EMER_FLAP"},
    {1330, "DOOR_AFT_CARGO_POS"},
    {1332, "DOOR_AFT_CARGO_POS"},
    {1333, "DOOR_AFT_CARGO_POS"},
    {1343, "ASCRJ_LSP_NW_STEER"},
    {1344, "ASCRJ_WHEEL_BLOCKS"},
    {1353, "ASCRJ_HYDR_SOV1_GUARD"},
    {1354, "ASCRJ_HYDR_SOV2_GUARD"},
    {1413, "ASCRJ_WXR1_MOD"},
    {1416, "ASCRJ_LSP_FORMAT_INFO"},
    {1556, "ASCRJ_FUEL_XFLOW_L"},
    {1557, "ASCRJ_FUEL_XFLOW_R"},
    {1558, "ASCRJ_FUEL_XFLOW_OVRD"},
    {1580, "ASCRJ_HYDR_PUMP_1"},
    {1581, "ASCRJ_HYDR_PUMP_2"},
    {1582, "ASCRJ_HYDR_PUMP_3A"},
    {1583, "ASCRJ_HYDR_PUMP_3B"},
    {1627, "ASCRJ_TQ_REV1_MODE"},
    {1628, "ASCRJ_TQ_REV2_MODE"},
    {1707, "ASCRJ_AIR_CROSS_BLEED"},
    {1759, "ASCRJ_RSP_FORMAT_INFO"},
};

TEST_F(CrjQueriesTest, EachVariableRowAnswersItsOwnVariable) {
    std::map<std::string, double> values;
    for (const LvarRow& row : kLvarRows) {
        if (values.emplace(row.lvar, 1000.0 + static_cast<double>(values.size()) + 0.25).second) {
            SetLvar(row.lvar, values[row.lvar]);
        }
    }
    for (const LvarRow& row : kLvarRows) EXPECT_EQ(AsDouble(Query(row.code)), values[row.lvar]) << row.code;
}

struct ComputedCase {
    std::uint32_t code;
    std::vector<std::pair<std::string, double>> lvars;
    double answer;
};

TEST_F(CrjQueriesTest, ComputedRowsCombineTheirVariables) {
    const ComputedCase cases[] = {
        {325, {{"ASCRJ_SPOILER_SET", 50}}, 8191.5},
        {13, {{"ASCRJ_AICE_PHEAT_L", 0}, {"ASCRJ_AICE_PHEAT_R", -1}}, 1.0},
        {13, {{"ASCRJ_AICE_PHEAT_R", 0}}, 0.0},
        {14, {{"ASCRJ_OVHD_LDG_N", 1}}, 1.0},
        {560, {{"ASCRJ_TQ_THROTTLE_1_POS", 400.7}}, 1.0},
        {570, {{"ASCRJ_TQ_THROTTLE_2_POS", 500}}, 0.0},
        {876, {{"ASCRJ_AUDIO1_VHF1_VOL_PUSH", 1}, {"ASCRJ_AUDIO1_VHF2_VOL_PUSH", 0}}, 0.0},
        {1040, {{"ASCRJ_YD1_YD1", 1.5}}, 1.0},
        {1053, {{"ASCRJ_APU_STARTSTOP_START", 1}}, 1.0},
        {1140, {{"ASCRJ_AIR_BLEED_VALVES", 1.5}}, 0.0},
        {1228, {{"ASCRJ_AIR_BLEED_SOURCE_ISOL", 0.5}}, 1.0},
        {1274, {{"ASCRJ_ELEC_GPU_INUSE", 1}}, 1.0},
        {1335, {{"DOOR_AFT_CARGO_POS", 51}}, 1.0},
        {953, {{"DOOR_MAIN_DOOR_POS", 50}}, 0.0},
        {1578, {{"ASCRJ_MACH_TRIM_INO", 1}}, 0.0},
        {1415, {{"ASCRJ_LSP_RANGE_INFO", 160}}, 5.0},
        {320, {}, 0.0},
        {1054, {}, 0.0},
    };
    for (const ComputedCase& c : cases) {
        for (const auto& [name, value] : c.lvars) SetLvar(name, value);
        EXPECT_EQ(AsDouble(Query(c.code)), c.answer) << c.code;
    }
    const std::pair<double, double> ranges[] = {{5, 0},  {10, 1},  {20, 2},  {40, 3},
                                                {80, 4}, {160, 5}, {320, 6}, {25, 0}};
    for (const auto& [range, index] : ranges) {
        SetLvar("ASCRJ_RSP_RANGE_INFO", range);
        EXPECT_EQ(AsDouble(Query(1758)), index) << range;
    }
}

// "Truncates to 0" is not what a variable the aircraft lacks reads as.
TEST_F(CrjQueriesTest, RowsOfAVariableNeverFoundLeaveTheAnswer) {
    for (const Slot slot : {Slot::BleedIsolationSwitch, Slot::MachTrimInoperativeLight, Slot::BeaconLightSwitch}) {
        ForgetSlot(slot);
    }
    for (const std::uint32_t code : {1228u, 1578u, 368u}) EXPECT_EQ(AsDouble(Query(code, -1.0)), -1.0) << code;
}

TEST_F(CrjQueriesTest, StateRowsAnswerTheRecordsAndOtherCodesNothing) {
    SetInt32(sim::kSystemsRecord, 8, 1);          // AUTOPILOT YAW DAMPER
    SetFloat64(sim::kPositionRecord, 3, -0.25);   // ELEVATOR POSITION
    SetInt32(sim::kSystemsRecord, 6, 2);          // AUTO BRAKE SWITCH CB
    SetInt32(sim::kAutopilotRecord, 18, 0x0352);  // ADF FREQUENCY:1, through the generic rows
    EXPECT_EQ(AsDouble(Query(114)), 1.0);
    EXPECT_EQ(AsDouble(Query(782)), -0.25);
    EXPECT_EQ(AsInt32(Query(743)), 2);
    link::ValueQuery generic = Query(16, -1.0);
    generic::QueryValue(fake.server, generic);
    EXPECT_EQ(Query(16).value, generic.value);
    for (const std::uint32_t code : {58u, 1544u, 9999u}) EXPECT_EQ(AsDouble(Query(code, -1.0)), -1.0) << code;
}

// Foreign doubles become integers through the checked conversion.
TEST_F(CrjQueriesTest, IntegersFromVariablesAreChecked) {
    const std::pair<double, std::int32_t> cases[] = {
        {3.7, 3},
        {std::nan(""), 0},
        {1e12, std::numeric_limits<std::int32_t>::max()},
        {-std::numeric_limits<double>::infinity(), std::numeric_limits<std::int32_t>::min()},
    };
    for (const auto& c : cases) {
        // Named copies: clang 14 cannot capture structured bindings.
        const double value = c.first;
        const std::int32_t integer = c.second;
        module.SetLvar("ASCRJ_FUEL_GRAVITY_FLOW", value);
        module.SetLvar("ASCRJ_FS2C_HDG_VAL", value);
        WaitUntil(
            [&] { return AsInt32(Query(308)) == integer && Snapshot().words[link::kWordHeadingTarget] == integer; });
        EXPECT_EQ(AsInt32(Query(308)), integer) << value;
        EXPECT_EQ(Snapshot().words[link::kWordHeadingTarget], integer) << value;
    }
}

TEST_F(CrjQueriesTest, WithoutBridgeNothingIsAnswered) {
    StopWorker();
    bridge::DestroyBridge(fake.server);
    for (const std::uint32_t code : {16u, 368u, 114u, 325u}) EXPECT_EQ(AsDouble(Query(code, -1.0)), -1.0) << code;
    const link::SnapshotRecord record = Snapshot();
    EXPECT_EQ(record.words[link::kWordSpeedTarget], 111) << "the flight record's target stays";
    EXPECT_EQ(record.words[link::kWordMasterLamps], 0);
}

TEST_F(CrjQueriesTest, PanelStateTakesTargetsLeversAndLamps) {
    SetLvar("ASCRJ_FS2C_SPD_VAL", 250.9);
    SetLvar("ASCRJ_FS2C_ALT_VAL", 12000);
    SetLvar("ASCRJ_FLAPS_SET", 20);
    SetLvar("ASCRJ_SPOILER_SET", 50);
    link::SnapshotRecord record = Snapshot();
    EXPECT_EQ(record.words[link::kWordSpeedTarget], 250);
    EXPECT_EQ(record.words[link::kWordAltitudeTarget], 12000);
    EXPECT_EQ(record.words[link::kWordFlapsHandle], 20);
    EXPECT_EQ(record.words[22], 8191);
    EXPECT_EQ(record.words[link::kWordMasterLamps], 0) << "-1000 ft is no lamp";

    struct Lamps {
        double caution, warning;
        std::int32_t word;
    };
    for (const Lamps l : {Lamps{1, 0, 0x20000000}, Lamps{0, 1, 0x40000000}, Lamps{1, 1, 0x60000000}}) {
        SetLvar("ASCRJ_GSC_MASTER_CAUT_ON", l.caution);
        SetLvar("ASCRJ_GSC_MASTER_WARN_ON", l.warning);
        EXPECT_EQ(Snapshot(0).words[link::kWordMasterLamps], l.word);
    }
}

// The mode lamps count only while the autopilot or a flight director is on.
TEST_F(CrjQueriesTest, AutopilotWordGatesTheModeLamps) {
    struct Case {
        double autopilot;
        std::int32_t flightDirector;
        std::int32_t word;
    };
    SetLvar("ASCRJ_FCP_HDG_LED", 1);
    SetLvar("ASCRJ_FCP_VS_LED", 1);
    for (const Case c : {Case{0, 0, 0}, Case{1, 0, 0x2005}, Case{0, 1, 0x2024}}) {
        SetLvar("ASCRJ_FCP_AP_ENG_LED2", c.autopilot);
        SetInt32(sim::kAutopilotRecord, 0, c.flightDirector);
        EXPECT_EQ(Snapshot().words[link::kWordAutopilotFlags], c.word) << c.autopilot << " " << c.flightDirector;
    }
}

// Two engines: running by combustion, starting by starter, take-off above
// 12000 on the 16k lever, reverse below -100, failed only in the air.
TEST_F(CrjQueriesTest, EnginesCountAsTheGenericAdapterForTwo) {
    struct Case {
        std::int32_t combustion1, throttle1, starter2, failed2, onGround;
        std::int32_t running, starting, takeoff, reverse, runningMask, failedMask;
    };
    const Case cases[] = {
        {1, 12001, 0, 0, 1, 1, 0, 1, 0, 0x1, 0},
        {1, 12000, 1, 0, 1, 1, 1, 0, 0, 0x1, 0},
        {1, -101, 0, 1, 0, 1, 0, 0, 1, 0x1, 0x2},
        {0, 16383, 0, 1, 1, 0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SetInt32(sim::kEngineRecord, 0, c.combustion1);
        SetInt32(sim::kEngineRecord, 12, c.throttle1);
        SetInt32(sim::kEngineRecord, 5, c.starter2);
        SetInt32(sim::kEngineRecord, 37, c.failed2);
        link::SnapshotRecord record;
        record.words[link::kWordOnGround] = c.onGround;
        record.words[link::kWordNumberOfEngines] = 4;
        std::int32_t running = 0, starting = 0, takeoff = 0, reverse = 0;
        fake.server.adapters.table.CountEngineStates(fake.server, record, running, starting, takeoff, reverse);
        EXPECT_EQ(std::tie(running, starting, takeoff, reverse), std::tie(c.running, c.starting, c.takeoff, c.reverse))
            << c.throttle1;
        EXPECT_EQ(record.words[link::kWordEnginesRunning], c.runningMask);
        EXPECT_EQ(record.words[link::kWordEnginesFailed], c.failedMask);
    }
}

}  // namespace
}  // namespace tarvo::adapters
