#include "AtrFixture.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace tarvo::adapters {
namespace {

struct AtrCommandsTest : AtrFixture {
    AtrCommandsTest() { ConnectAtr(); }

    // A command run from a fresh start: the writes and events it made, timed.
    std::pair<Lines, Lines> Act(std::uint32_t code, std::int32_t value) {
        const std::size_t before = module.Receipts().size();
        ClearCalls();
        tThreadTime = 0;
        Run(code, value);
        return {ReceivedSince(before), EventsSince()};
    }
};

struct Case {
    std::uint32_t code;
    std::int32_t value;
    Lines writes;  // "time NAME=value" or "time code TEXT"
    Lines events;  // "time EVENT data"
    std::function<void(AtrCommandsTest&)> start = nullptr;
};

Case SetsTo(std::uint32_t code, const char* lvar, int written) {
    return {code, 7, {"0 " + std::string(lvar) + "=" + std::to_string(written)}, {}};
}
Case Sends(std::uint32_t code, const char* event, int data) {
    return {code, 7, {}, {"0 " + std::string(event) + " " + std::to_string(data)}};
}
std::function<void(AtrCommandsTest&)> With(const char* lvar, double value) {
    return [lvar, value](AtrCommandsTest& t) { t.SetLvar(lvar, value); };
}

const Case kCases[] = {
    // Lists
    SetsTo(65847, "ATR_AUDIO1_NAV1_VOL_PUSH", 7),
    SetsTo(66239, "MSATR_ELTS_BEACON", 7),
    SetsTo(66300, "MSATR_ENGS_START1", 7),
    SetsTo(68024, "MSATR_ABLD_RAM_AIR", 7),
    SetsTo(68742, "ATR_ELEC_ACESSXFER", 7),
    SetsTo(68991, "ATR_GPWS", 7),
    SetsTo(67939, "MSATR_FGCP_HDG", 1),
    SetsTo(66288, "MSATR_FGCP_FD1", 1),
    SetsTo(67947, "MSATR_FGCP_FD2", 1),
    SetsTo(68172, "MSATR_FIRE_AGENT_1_2", 1),
    SetsTo(68503, "MSATR_ENG_PWRMGT_2", 0),
    Sends(66079, "GEAR_UP", 7),
    Sends(66377, "TOGGLE_RECOGNITION_LIGHTS", 7),
    Sends(68492, "TURBINE_IGNITION_SWITCH_SET", 7),
    Sends(65560, "STROBES_TOGGLE", 1),
    Sends(67959, "KOHLSMAN_DEC", 1),
    Sends(68843, "RUDDER_TRIM_SET", 0),
    // CDU keys: the key, 1 ms, that MCDU's INPUT; another value presses nothing.
    {69537, 2, {"0 MSATR_MCDU2_L1=1", "1 MSATR_MCDU2_INPUT=1"}, {}},
    {69537, 1, {"0 MSATR_MCDU1_L1=1", "1 MSATR_MCDU1_INPUT=1"}, {}},
    {69537, 3, {}, {}},
    {69537 + 17, 2, {}, {}},  // FIX: the second MCDU has none
    // Yaw damper, then the autopilot.
    {65580, 1, {"0 MSATR_FGCP_YD=1"}, {"1 AP_MASTER 1"}, With("MSATR_FGCP_STAT_YD", 0)},
    {65580, 1, {}, {"0 AP_MASTER 1"}, With("MSATR_FGCP_STAT_YD", 1)},
    {65580, 0, {}, {"0 AP_MASTER 0"}, With("MSATR_FGCP_STAT_YD", 0)},
    {66440,
     1,
     {"0 code (L:ATR_RTU2_KNOB_INNER, Number) 10 + dnor(> L:ATR_RTU2_KNOB_INNER) (ATR_RTU2_KNOB_INNER_CHANGE, "
      "Number) ++ (> L:ATR_RTU2_KNOB_INNER_CHANGE)"},
     {}},
    {66036, 0, {"0 code (L:MSATR_FCGP_PITCH_WHEEL_DELTA) -- (>L:MSATR_FCGP_PITCH_WHEEL_DELTA)"}, {}},
    {66038, 1, {"0 code (L:MSATR_FGCP_TGT_DELTA) ++ (>L:MSATR_FGCP_TGT_DELTA)"}, {}},
    {66124, 0, {"0 code (L:MSATR_FGCP_ALTSEL_DELTA) -- (>L:MSATR_FGCP_ALTSEL_DELTA)"}, {}},
    // Course knobs: the source first, unless it is there already.
    {65663, 0, {"0 MSATR_FGCP_SRC1=1", "300 MSATR_FGCP_CRS1_DELTA=1"}, {}, With("MSATR_FGCP_SRC1", 0)},
    {65662, 0, {"0 MSATR_FGCP_CRS1_DELTA=-1"}, {}, With("MSATR_FGCP_SRC1", 1.5)},
    {65665, 0, {"0 MSATR_FGCP_SRC2=2", "300 MSATR_FGCP_CRS2_DELTA=1"}, {}, With("MSATR_FGCP_SRC2", 0)},
    // The second source turns the second course knob down as well.
    {65664, 0, {"0 MSATR_FGCP_CRS2_DELTA=-1"}, {}, With("MSATR_FGCP_SRC2", 2)},
    {65893, 0, {"0 MSATR_FGCP_ALTSEL_DELTA=-1"}, {}},
    {66061, 1, {"0 MSATR_ELTS_LDG_LEFT=1", "1 MSATR_ELTS_LDG_RIGHT=1"}, {}},
    {65752, 3, {"0 MSATR_PARK_EMER_BRK=2"}, {}},
    {65752, 0, {"0 MSATR_PARK_EMER_BRK=0"}, {}},
    {65920, 5, {"0 MSATR_CONDITION2_POS=1"}, {}},
    {66003, 1, {"0 MSATR_Switch_PROP_BRAKE_Lock=1", "300 MSATR_ENGS_PROP_BRK=1"}, {}},
    {66003, 0, {"0 MSATR_ENGS_PROP_BRK=0", "300 MSATR_Switch_PROP_BRAKE_Lock=0"}, {}},
    {66042, 250, {"0 MSATR_SEL_HDG=250", "1 MSATR_SEL_HDG_CHANGED=1"}, {}},
    {66241, 1, {"0 MSATR_ELEC_BAT_SWITCH=1"}, {}},
    {66241, 0, {"0 MSATR_ELEC_BAT_SWITCH=2"}, {}},
    {66338, 1, {"0 MSATR_AICE_PROP1_AICE=1", "400 MSATR_AICE_PROP2_AICE=1"}, {}},
    // Doors: open unless the status reads open.
    {66389, 1, {"0 MSATR_DOOR_PAX=1"}, {}, With("MSATR_PAX_DOOR_STATUS", 0)},
    {66389, 5, {"0 MSATR_DOOR_PAX=0"}, {}, With("MSATR_PAX_DOOR_STATUS", 0.5)},
    {66389, 6, {"0 MSATR_DOOR_SERVICE=0"}, {}, With("MSATR_SVC_DOOR_STATUS", 1)},
    {66389, 6, {"0 MSATR_DOOR_SERVICE=1"}, {}, With("MSATR_SVC_DOOR_STATUS", 0)},
    {66389, 7, {"0 MSATR_DOOR_CARGO=0"}, {}, With("MSATR_CARGO_DOOR_STATUS", 1)},
    {66389, 7, {"0 MSATR_DOOR_CARGO=1"}, {}, With("MSATR_CARGO_DOOR_STATUS", 0)},
    {66389, 3, {}, {}},
    {68371, 0, {"0 MSATR_DOOR_SERVICE=1"}, {}, With("MSATR_SVC_DOOR_STATUS", 0)},
    {68374, 0, {"0 MSATR_DOOR_CARGO=0"}, {}, With("MSATR_CARGO_DOOR_STATUS", 1)},
    {66466, 1, {"0 ATR_AUDIO1_VHF1_VOL_PUSH=1", "300 ATR_AUDIO1_VHF2_VOL_PUSH=1"}, {}},
    {66579, 1, {"0 MSATR_ILTS_DOME=0"}, {}},
    {66579, 0, {"0 MSATR_ILTS_DOME=2"}, {}},
    {66585, 1, {"0 MSATR_FGCP_CPL=1", "100 MSATR_FGCP_CPL=0"}, {}, With("MSATR_FGCP_STAT_CPL", 1)},
    {66585, 1, {}, {}, With("MSATR_FGCP_STAT_CPL", 0)},
    {67960,
     1,
     {"0 MSATR_BARO_STD_1=1", "100 MSATR_BARO_STD_1=0", "400 MSATR_BARO_STD_2=1", "500 MSATR_BARO_STD_2=0"},
     {}},
    {67960,
     0,
     {"0 MSATR_BARO_1_DELTA=1", "150 MSATR_BARO_1_DELTA=-1", "450 MSATR_BARO_2_DELTA=1", "600 MSATR_BARO_2_DELTA=-1"},
     {}},
    {69056, 0, {"0 MSATR_EFIS_FORMAT_2=-1"}, {}},
    {67993, 0, {"0 MSATR_SEL_HDG_SYNC=1", "100 MSATR_SEL_HDG_SYNC=0"}, {}},
    {68021, 0, {"0 ATR_ELEC_IDG2_GUARD=1", "300 ATR_ELEC_IDG2=1"}, {}},
    {68073, 0, {"0 ATR_IRS1_KNO=1"}, {}, With("ATR_IRS1_KNO", 2)},
    {68076, 0, {"0 ATR_IRS2_KNOB=3"}, {}, With("ATR_IRS2_KNOB", 2)},
    {68093, 0, {"0 MSATR_AICE_WIPER_FO=2"}, {}},
    {68090, 1, {"0 MSATR_AICE_WIPER_CPT=1"}, {}},
    {68089, 2, {"0 MSATR_AICE_WIPER_CPT=0"}, {}},
    {68155, 0, {"0 MSATR_FWS_MASTER_WARN=1", "100 MSATR_FWS_MASTER_WARN=0"}, {}},
    // Panel knobs 0 to 5, flood knob in tens.
    {68177, 0, {}, {}, With("MSATR_ILTS_OVHD_KNOB", 0)},
    {68181, 0, {"0 MSATR_ILTS_OVHD_KNOB=2"}, {}, With("MSATR_ILTS_OVHD_KNOB", 3)},
    {68178, 0, {}, {}, With("MSATR_ILTS_OVHD_KNOB", 5)},
    {68184, 0, {"0 MSATR_ILTS_MIP_PED_KNOB=5"}, {}, With("MSATR_ILTS_MIP_PED_KNOB", 4)},
    {69008, 1, {"0 MSATR_ILTS_FLOOD_KNOB=100"}, {}, With("MSATR_ILTS_FLOOD_KNOB", 90)},
    {69010, 1, {}, {}, With("MSATR_ILTS_FLOOD_KNOB", 95)},
    {69011, 0, {"0 MSATR_ILTS_FLOOD_KNOB=85"}, {}, With("MSATR_ILTS_FLOOD_KNOB", 95)},
    {69011, 0, {}, {}, With("MSATR_ILTS_FLOOD_KNOB", 9)},
    {68241, 0, {"0 MSATR_EFIS_SYS_2=1", "200 MSATR_EFIS_SYS_2=1", "400 MSATR_EFIS_SYS_2=1"}, {}},
    {68388, 0, {"0 MSATR_Switch_NW_STEERING_cover=1", "400 MSATR_NW_STEERING=0"}, {}},
    {68388, 1, {"0 MSATR_NW_STEERING=1", "400 MSATR_Switch_NW_STEERING_cover=0"}, {}},
    {68501, 0, {"0 MSATR_ENG_PWRMGT_2=3"}, {}},
    // 4 - value in double: no overflow at the ends of the range.
    {68557, 1, {"0 MSATR_WXR_MODE=3"}, {}},
    {68558, INT_MIN, {"0 MSATR_WXR_MODE=2.14748e+09"}, {}},
    {68847, 2, {"0 MSATR_WXR_MODE=1"}, {}},
    {68576, -1, {"0 MSATR_MPNL_DISP3_PWR=1"}, {}},
    // Display power pairs.
    {68578, 0, {"0 MSATR_MPNL_DISP1_PWR=0", "300 MSATR_MPNL_DISP5_PWR=0"}, {}},
    {68578, 1, {"0 MSATR_MPNL_DISP1_PWR=1", "300 MSATR_MPNL_DISP5_PWR=1"}, {}},
    {68578, 10, {"0 MSATR_MPNL_DISP1_PWR=0"}, {}},
    {68578, 21, {"0 MSATR_MPNL_DISP5_PWR=1"}, {}},
    {68578, 22, {}, {}},
    {68579, 11, {"0 MSATR_MPNL_DISP2_PWR=1"}, {}},
    {68611, 1, {"0 MSATR_ITLS_ANNLT=0"}, {}},
    {68660, 2, {"0 MSATR_AIRC_FLOW_SEL=1"}, {}},
    {68660, 1, {"0 MSATR_AIRC_FLOW_SEL=0"}, {}},
    {68696, 1, {"0 ATR_STAB_TRIM_CH=0"}, {}, With("ATR_STAB_TRIM_CH", 1)},
    {68696, 0, {}, {}, With("ATR_STAB_TRIM_CH", 1)},
    {68697, 0, {"0 ATR_STAB_TRIM_CH2=1"}, {}, With("ATR_STAB_TRIM_CH2", 0.5)},
    {68714, 0, {"0 MSATR_EFIS_PROC_MENU=1", "250 MSATR_EFIS_PROC_MENU=0"}, {}},
    {69026, 0, {"0 MSATR_MCDU1_BRT_DN=1", "300 MSATR_MCDU2_BRT_DN=1"}, {}},
    {69110, 3, {"0 MSATR_MCP2_SURV=1"}, {}},
    // Shared slots the ATR does not fill, and codes with no action.
    {65750, 1, {}, {}},
    {67979, 5, {}, {}},
    {68237, 1, {}, {}},
    {68802, 1, {}, {}},
    {66321, 1, {}, {}},
};

TEST_F(AtrCommandsTest, EachCommandWritesItsVariablesInTime) {
    for (const Case& c : kCases) {
        if (c.start) c.start(*this);
        const auto [writes, events] = Act(c.code, c.value);
        EXPECT_EQ(writes, c.writes) << c.code << " with " << c.value;
        EXPECT_EQ(events, c.events) << c.code << " with " << c.value;
        EXPECT_EQ(fake.threads.PendingThreads(), 0u) << c.code;
    }
}

// The captain's format, 0 to 2, stepped toward the value one click per format.
TEST_F(AtrCommandsTest, DisplayFormatStepsTowardTheValue) {
    struct Format {
        std::int32_t value;
        double current;
        Lines writes;
    };
    const Lines none;
    const Lines up = {"0 MSATR_EFIS_FORMAT_1=1"};
    const Lines down = {"0 MSATR_EFIS_FORMAT_1=-1"};
    const Lines twiceUp = {"0 MSATR_EFIS_FORMAT_1=1", "300 MSATR_EFIS_FORMAT_1=1"};
    const Lines twiceDown = {"0 MSATR_EFIS_FORMAT_1=-1", "300 MSATR_EFIS_FORMAT_1=-1"};
    for (const Format& f : {Format{0, 0, none}, Format{0, 1, down}, Format{0, 2, twiceDown}, Format{1, 0, up},
                            Format{1, 1, none}, Format{1, 2, down}, Format{2, 0, twiceUp}, Format{2, 1, up},
                            Format{2, 2, none}, Format{3, 0, none}, Format{-1, 2, none}, Format{1, 7, none}}) {
        SetLvar("MSATR_EFIS_STAT_FMT_1", f.current);
        EXPECT_EQ(Act(67967, f.value).first, f.writes) << f.value << " from " << f.current;
    }
}

using AtrWithoutBridge = AtrFixture;

// Events go out on the main session; every variable write needs the bridge.
TEST_F(AtrWithoutBridge, EventsStillGoOutButNothingIsWritten) {
    ClearCalls();
    Run(66079, 1);
    Run(66239, 1);
    Run(65580, 1);
    Run(69537, 2);
    Run(69111, 118250);
    Run(68694, 3);
    EXPECT_EQ(EventsSince(), (Lines{"0 GEAR_UP 1", "1 AP_MASTER 1"}));
    EXPECT_EQ(module.Receipts().size(), 0u);
    // The workers start, and write nothing.
    EXPECT_EQ(fake.threads.PendingThreads(), 2u);
    RunWorker();
    RunWorker();
    EXPECT_EQ(module.Receipts().size(), 0u);
    EXPECT_EQ(fake.server.adapters.workersRunning, 0);
}

}  // namespace
}  // namespace tarvo::adapters
