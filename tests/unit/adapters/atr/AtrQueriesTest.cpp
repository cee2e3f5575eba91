#include "AtrFixture.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tarvo::adapters {
namespace {

struct AtrQueriesTest : AtrFixture {
    AtrQueriesTest() { ConnectAtr(); }

    link::SnapshotRecord Snapshot(std::int32_t altitudeTarget = -1000) {
        link::SnapshotRecord record;
        record.words[link::kWordSpeedTarget] = 111;
        record.words[link::kWordAltitudeTarget] = altitudeTarget;
        record.words[link::kWordMasterLamps] = altitudeTarget;  // the flight record's word 37
        fake.server.adapters.table.FillAutopilotState(fake.server, record);
        return record;
    }
};

// Codes that answer one variable's value, a sample of the list.
TEST_F(AtrQueriesTest, LvarRowsAnswerTheirVariable) {
    struct Row {
        std::uint32_t code;
        const char* lvar;
    };
    double value = 1.25;
    for (const Row r :
         {Row{103, "MSATR_FGCP_STAT_AP"}, Row{114, "MSATR_FGCP_STAT_YD"}, Row{1040, "MSATR_FGCP_STAT_YD"},
          Row{1311, "ATR_ENGS_START_L_ON"}, Row{868, "MSATR_PAX_DOOR_STATUS"}, Row{1334, "MSATR_CARGO_DOOR_STATUS"},
          Row{1085, "ATR_IRS1_KNO"}, Row{1150, "MSATR_AIRC_RECIRC1"}, Row{1200, "ATR_XPDR_MODE"},
          Row{1412, "MSATR_ABLD_RAM_AIR"}, Row{1759, "MSATR_EFIS_STAT_FMT_2"}}) {
        SetLvar(r.lvar, value);
        EXPECT_EQ(AsDouble(Query(r.code)), value) << r.code;
        value += 1.0;
    }
}

struct Computed {
    std::uint32_t code;
    std::vector<std::pair<const char*, double>> lvars;
    double answer;
};

TEST_F(AtrQueriesTest, ComputedRowsReadTheirVariables) {
    const Computed cases[] = {
        {364, {{"MSATR_ELEC_BAT_SWITCH", 2}}, 0.0},
        {364, {{"MSATR_ELEC_BAT_SWITCH", 1}}, 1.0},
        {560, {{"MSATR_CONDITION1_POS", 1}}, 16383.0},
        {560, {{"MSATR_CONDITION1_POS", 0.5}}, 0.0},
        {570, {{"MSATR_CONDITION2_POS", 2}}, 16383.0},
        {1263, {{"MSATR_AICE_WIPER_CPT", 0}}, 2.0},
        {1263, {{"MSATR_AICE_WIPER_CPT", 1}}, 1.0},
        {1263, {{"MSATR_AICE_WIPER_CPT", 2}}, 0.0},
        {1264, {{"MSATR_AICE_WIPER_FO", 0.5}}, 2.0},
        {13, {{"MSATR_AICE_PROBES_CPT", 1}, {"MSATR_AICE_PROBES_FO", -1}, {"MSATR_AICE_PROBES_STBY", 1}}, 1.0},
        {13, {{"MSATR_AICE_PROBES_STBY", 0}}, 0.0},
        {14, {{"MSATR_ELTS_LDG_LEFT", 1}, {"MSATR_ELTS_LDG_RIGHT", 1}}, 1.0},
        {14, {{"MSATR_ELTS_LDG_RIGHT", 0}}, 0.0},
        {323, {{"MSATR_PARK_EMER_BRK", 2.5}}, 1.0},
        {876, {{"ATR_AUDIO1_VHF1_VOL_PUSH", 1}, {"ATR_AUDIO1_VHF2_VOL_PUSH", 1}}, 1.0},
        {921, {{"MSATR_ILTS_DOME", 0.9}}, 1.0},
        {1274, {{"ATR_ELEC_GPU_INUSE", 1}}, 1.0},
        {1327, {{"MSATR_ELEC_BTC_ISOL_LT", 1}}, 0.0},
        {1413, {{"MSATR_WXR_MODE", 1.5}}, -3.0},
        {1415, {{"MSATR_EFIS_STAT_RNG_1", 40}}, 3.0},
        {1758, {{"MSATR_EFIS_STAT_RNG_2", 25}}, 0.0},
        {1578, {{"ATR_MACH_TRIM_INO", 0}}, 1.0},
        {320, {}, 0.0},
    };
    for (const Computed& c : cases) {
        for (const auto& [lvar, value] : c.lvars) SetLvar(lvar, value);
        EXPECT_EQ(AsDouble(Query(c.code)), c.answer) << c.code;
    }
    SetLvar("MSATR_FUEL_XFEED", 1.9);
    EXPECT_EQ(AsInt32(Query(308)), 1);
    EXPECT_EQ(AsDouble(Query(1544, -1.0)), -1.0) << "no green-dot speed on the ATR";
    EXPECT_EQ(AsDouble(Query(1545, -1.0)), -1.0);
}

// A variable the aircraft does not have leaves the answer as it was; it is
// not read as 0.0 ("battery on", "dome light on").
TEST_F(AtrQueriesTest, RowsOnVariablesNeverFoundLeaveTheAnswer) {
    for (const Slot slot : {Slot::Battery1Switch, Slot::DomeLightSwitch, Slot::AtrBusTieIsolationLight,
                            Slot::AtrMachTrimInoperativeLight, Slot::Autopilot1Light}) {
        ForgetSlot(slot);
    }
    for (const std::uint32_t code : {364u, 921u, 1327u, 1578u, 103u}) {
        EXPECT_EQ(AsDouble(Query(code, -1.0)), -1.0) << code;
    }
}

TEST_F(AtrQueriesTest, GenericAndStateRowsAnswerWithoutBridgeLvarRowsDoNot) {
    SetInt32(sim::kSystemsRecord, 17, 1);      // LIGHT BEACON
    SetInt32(sim::kAutopilotRecord, 20, 270);  // NAV OBS:2
    SetInt32(sim::kSystemsRecord, 6, 3);       // AUTO BRAKE SWITCH CB
    SetLvar("MSATR_ELEC_BAT_SWITCH", 1);
    const double generic = AsDouble(Query(16, -1.0));
    StopWorker();
    bridge::DestroyBridge(fake.server);
    EXPECT_EQ(AsDouble(Query(368, -1.0)), 1.0);
    EXPECT_EQ(AsDouble(Query(54, -1.0)), 270.0);
    EXPECT_EQ(AsInt32(Query(743, -1.0)), 3);
    EXPECT_EQ(AsDouble(Query(16, -1.0)), generic);
    for (const std::uint32_t code : {364u, 103u, 560u, 1413u}) EXPECT_EQ(AsDouble(Query(code, -1.0)), -1.0) << code;
    const link::SnapshotRecord record = Snapshot();
    EXPECT_EQ(record.words[link::kWordAltitudeTarget], -1000) << "the flight record's target stays";
    EXPECT_EQ(record.words[link::kWordMasterLamps], 0);
}

TEST_F(AtrQueriesTest, PanelStateFillsTargetsModesAndLampsOnly) {
    SetLvar("MSATR_SEL_HDG", 275.8);
    SetLvar("MSATR_FGCP_SELALT", 12000);
    link::SnapshotRecord record = Snapshot();
    EXPECT_EQ(record.words[link::kWordHeadingTarget], 275);
    EXPECT_EQ(record.words[link::kWordAltitudeTarget], 12000);
    EXPECT_EQ(record.words[link::kWordSpeedTarget], 111) << "no other word";
    EXPECT_EQ(record.words[link::kWordMasterLamps], 0) << "-1000 ft is no lamp";

    struct Case {
        double autopilot, fd1, fd2;
        std::int32_t word;
    };
    SetLvar("MSATR_FGCP_STAT_HDG", 1);
    SetLvar("MSATR_FGCP_STAT_IAS", 1);
    for (const Case c : {Case{0, 0, 0, 0}, Case{1, 0, 0, 0x7}, Case{0, 1, 0, 0x26}, Case{0, 0, 1, 0x126}}) {
        SetLvar("MSATR_FGCP_STAT_AP", c.autopilot);
        SetLvar("MSATR_FGCP_STAT_FD1", c.fd1);
        SetLvar("MSATR_FGCP_STAT_FD2", c.fd2);
        EXPECT_EQ(Snapshot().words[link::kWordAutopilotFlags], c.word) << c.autopilot << c.fd1 << c.fd2;
    }
    SetLvar("MSATR_FGCP_STAT_HDG", 0);
    SetLvar("MSATR_FGCP_STAT_IAS", 0);
    EXPECT_EQ(Snapshot().words[link::kWordAutopilotFlags], 0x120) << "FD2 alone";
    SetLvar("MSATR_FWS_MASTER_WARN_LT", 1);
    EXPECT_EQ(Snapshot(0).words[link::kWordMasterLamps], 0x40000000);
}

// Two engines as the CRJ counts them, the thrust from the power levers.
TEST_F(AtrQueriesTest, EnginesCountTakeoffAbove40AndReverseBelowMinus300) {
    struct Case {
        double lever1, lever2;
        std::int32_t takeoff, reverse;
    };
    SetInt32(sim::kEngineRecord, 0, 1);
    SetInt32(sim::kEngineRecord, 1, 1);
    for (const Case& c : {Case{41, 40, 1, 0}, Case{-301, -300, 0, 1}, Case{100, -400, 1, 1}}) {
        SetLvar("MSATR_THROTTLE1_POS", c.lever1);
        SetLvar("MSATR_THROTTLE2_POS", c.lever2);
        link::SnapshotRecord record;
        record.words[link::kWordOnGround] = 1;
        std::int32_t running = 0, starting = 0, takeoff = 0, reverse = 0;
        fake.server.adapters.table.CountEngineStates(fake.server, record, running, starting, takeoff, reverse);
        EXPECT_EQ(std::tie(running, starting, takeoff, reverse), std::make_tuple(2, 0, c.takeoff, c.reverse))
            << c.lever1;
    }
}

}  // namespace
}  // namespace tarvo::adapters
