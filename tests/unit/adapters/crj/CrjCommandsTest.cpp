#include "CrjFixture.h"

#include "adapters/crj/CrjWorkers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

namespace tarvo::adapters {
namespace {

struct CrjCommandsTest : CrjFixture {
    CrjCommandsTest() { ConnectCrj(); }

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
    void (*start)(CrjCommandsTest&) = nullptr;
};

Case SetsTo(std::uint32_t code, const char* lvar, int written) {
    return {code, 7, {"0 " + std::string(lvar) + "=" + std::to_string(written)}, {}};
}
Case Sends(std::uint32_t code, const char* event, int data) {
    return {code, 7, {}, {"0 " + std::string(event) + " " + std::to_string(data)}};
}

// The navigation source knob wound four times, then the course.
Lines CourseTimeline() {
    Lines lines;
    for (int i = 0; i < 4; ++i) {
        const int t = i * 300;
        for (const auto& [at, value] : {std::pair{0, "-1"}, {50, "0"}, {150, "1"}, {200, "0"}}) {
            lines.push_back(std::to_string(t + at) + " ASCRJ_LSP_NAV_SOURCE_CHANG=" + value);
        }
    }
    lines.push_back("1200 ASCRJ_FS2C_CRS_L_VAL=90");
    lines.push_back("1250 ASCRJ_FS2C_CRS_L_CMD=1");
    return lines;
}

void YawDamperOff(CrjCommandsTest& t) {
    t.SetInt32(sim::kSystemsRecord, 8, 0);
}
void YawDamperOn(CrjCommandsTest& t) {
    t.SetInt32(sim::kSystemsRecord, 8, 1);
}
void BothBleeds(CrjCommandsTest& t) {
    t.SetInt32(sim::kSystemsRecord, 32, 1);
    t.SetInt32(sim::kSystemsRecord, 33, 1);
}
void OneBleed(CrjCommandsTest& t) {
    t.SetInt32(sim::kSystemsRecord, 32, 1);
    t.SetInt32(sim::kSystemsRecord, 33, 0);
}
void MainDoorOpen(CrjCommandsTest& t) {
    t.SetLvar("DOOR_MAIN_DOOR_POS", 80);
}
void MainDoorShut(CrjCommandsTest& t) {
    t.SetLvar("DOOR_MAIN_DOOR_POS", 0);
}
void NoSecondCdu(CrjCommandsTest& t) {
    t.ForgetSlot(Slot::Cdu2KeyLsk1L);
}
void ChannelOn(CrjCommandsTest& t) {
    t.SetLvar("ASCRJ_STAB_TRIM_CH", 1);
}

const Case kCases[] = {
    // Set to the value
    SetsTo(65560, "ASCRJ_EXTL_STROBE", 7),
    SetsTo(65750, "ASCRJ_INTL_OVHD", 7),
    SetsTo(65847, "ASCRJ_AUDIO1_NAV1_VOL_PUSH", 7),
    SetsTo(65848, "ASCRJ_AUDIO1_NAV2_VOL_PUSH", 7),
    SetsTo(65852, "ASCRJ_GEAR_MAN_REL", 7),
    SetsTo(65858, "ASCRJ_AICE_PHEAT_L", 7),
    SetsTo(66239, "ASCRJ_EXTL_BEACO", 7),
    SetsTo(66240, "ASCRJ_OVHD_TAXI", 7),
    SetsTo(66241, "ASCRJ_ELEC_BATTMASTER", 7),
    SetsTo(66337, "ASCRJ_AICE_WING", 7),
    SetsTo(66340, "ASCRJ_FUEL_PUMP_L", 7),
    SetsTo(66341, "ASCRJ_FUEL_PUMP_R", 7),
    SetsTo(66363, "ASCRJ_ELEC_GEN1", 7),
    SetsTo(66364, "ASCRJ_ELEC_GEN2", 7),
    SetsTo(66376, "ASCRJ_EXTL_LOGO", 7),
    SetsTo(66378, "ASCRJ_EXTL_WING", 7),
    SetsTo(66379, "ASCRJ_EXTL_NAV", 7),
    SetsTo(66478, "ASCRJ_AUDIO1_MKR1_VOL_PUSH", 7),
    SetsTo(66484, "ASCRJ_AICE_COWL_L", 7),
    SetsTo(66485, "ASCRJ_AICE_COWL_R", 7),
    SetsTo(66579, "ASCRJ_INTL_DOME", 7),
    SetsTo(66596, "ASCRJ_FUEL_GRAVITY_FLOW", 7),
    SetsTo(66706, "ASCRJ_ELEC_APUGEN", 7),
    SetsTo(66718, "ASCRJ_OVHD_NO_SMOKING", 7),
    SetsTo(66719, "ASCRJ_OVHD_SEAT_BELTS", 7),
    SetsTo(67957, "ASCRJ_LSP_BARO_INFO", 7),
    SetsTo(68012, "ASCRJ_HYDR_SOV1", 7),
    SetsTo(68013, "ASCRJ_HYDR_SOV2", 7),
    SetsTo(68016, "ASCRJ_ELEC_AUTOXFER1", 7),
    SetsTo(68017, "ASCRJ_ELEC_AUTOXFER2", 7),
    SetsTo(68018, "ASCRJ_ELEC_ACESSXFER", 7),
    SetsTo(68104, "ASCRJ_AIRC_RECIRC_FAN", 7),
    SetsTo(68111, "ASCRJ_OVHD_EMER_LTS", 7),
    SetsTo(68114, "ASCRJ_XPDR_MODE", 7),
    SetsTo(68115, "ASCRJ_FS2C_SPD_CMD", 7),
    SetsTo(68128, "ASCRJ_OVHD_OXY", 7),
    SetsTo(68193, "ASCRJ_OVHD_OXY_GUARD", 7),
    SetsTo(68194, "ASCRJ_AICE_PHEAT_R", 7),
    SetsTo(68199, "ASCRJ_AICE_WSHLD_L", 7),
    SetsTo(68200, "ASCRJ_AICE_WSHLD_L", 7),
    SetsTo(68201, "ASCRJ_AICE_WSHLD_R", 7),
    SetsTo(68202, "ASCRJ_AICE_WSHLD_R", 7),
    SetsTo(68234, "ASCRJ_ELEC_DCSERVICE", 7),
    SetsTo(68270, "ASCRJ_AIRC_PACK_L", 7),
    SetsTo(68271, "ASCRJ_AIRC_PACK_R", 7),
    SetsTo(68337, "ASCRJ_ELEC_IDG1_GUARD", 7),
    SetsTo(68338, "ASCRJ_ELEC_IDG2_GUARD", 7),
    SetsTo(68341, "ASCRJ_GPWS_FLAP_GUARD", 7),
    SetsTo(68362, "ASCRJ_GPWS_TERR_GUARD", 7),
    SetsTo(68367, "ASCRJ_WHEEL_BLOCKS", 7),
    SetsTo(68368, "DOOR_MAIN_DOOR_POS", 7),
    SetsTo(68379, "ASCRJ_F2C_GPU_TRIGGER", 7),
    SetsTo(68388, "ASCRJ_LSP_NW_STEER", 7),
    SetsTo(68411, "ASCRJ_EMER_FLAP", 7),
    SetsTo(68443, "ASCRJ_HYDR_SOV1_GUARD", 7),
    SetsTo(68444, "ASCRJ_HYDR_SOV2_GUARD", 7),
    SetsTo(68510, "ASCRJ_AIRC_MANCTRL_CABIN_MAN", 7),
    SetsTo(68592, "ASCRJ_TQ_SPLR_MODE", 7),
    SetsTo(68611, "ASCRJ_ENG_LAMPTEST", 7),
    SetsTo(68660, "ASCRJ_AIR_BLEED_VALVES", 7),
    SetsTo(68742, "ASCRJ_ELEC_ACESSXFER", 7),
    SetsTo(68743, "ASCRJ_FUEL_XFLOW_L", 7),
    SetsTo(68744, "ASCRJ_FUEL_XFLOW_R", 7),
    SetsTo(68745, "ASCRJ_FUEL_XFLOW_OVRD", 7),
    SetsTo(68802, "ASCRJ_HYDR_PUMP_1", 7),
    SetsTo(68803, "ASCRJ_HYDR_PUMP_2", 7),
    SetsTo(68804, "ASCRJ_HYDR_PUMP_3A", 7),
    SetsTo(68805, "ASCRJ_HYDR_PUMP_3B", 7),
    SetsTo(68859, "ASCRJ_TQ_REV1_MODE", 7),
    SetsTo(68860, "ASCRJ_TQ_REV2_MODE", 7),
    SetsTo(68948, "ASCRJ_AIR_CROSS_BLEED", 7),
    SetsTo(69021, "ASCRJ_HGS_COMBINER_SHOW", 7),
    // Set to 1.0 and to 0.0
    SetsTo(65837, "ASCRJ_AUDIO1_NAV1_VOL_PUSH", 1),
    SetsTo(65838, "ASCRJ_AUDIO1_NAV2_VOL_PUSH", 1),
    SetsTo(66535, "ASCRJ_ENGS_CONT_IGN", 1),
    SetsTo(67951, "ASCRJ_FCP_VNAV", 1),
    SetsTo(67953, "ASCRJ_LSP_HEIGHT_SET", 1),
    SetsTo(68237, "ASCRJ_ECAM_CAS", 1),
    SetsTo(68238, "ASCRJ_ECAM_CAS", 1),
    SetsTo(68240, "ASCRJ_ECAM_HYD", 1),
    SetsTo(68241, "ASCRJ_ECAM_PRI", 1),
    SetsTo(68242, "ASCRJ_ECAM_STAT", 1),
    SetsTo(68243, "ASCRJ_ECAM_ELEC", 1),
    SetsTo(68244, "ASCRJ_ECAM_FUEL", 1),
    SetsTo(68245, "ASCRJ_ECAM_ECS", 1),
    SetsTo(68246, "ASCRJ_ECAM_DOORS", 1),
    SetsTo(68249, "ASCRJ_ECAM_FCTL", 1),
    SetsTo(65832, "ASCRJ_AUDIO1_NAV1_VOL_PUSH", 0),
    SetsTo(65833, "ASCRJ_AUDIO1_NAV2_VOL_PUSH", 0),
    SetsTo(66065, "ASCRJ_SPOILER_SET", 0),
    // Events
    Sends(65615, "ELEV_TRIM_UP", 7),
    Sends(65723, "AP_LOC_HOLD", 7),
    Sends(65729, "AP_NAV1_HOLD", 7),
    Sends(65724, "AP_APR_HOLD", 7),
    Sends(65725, "AP_HDG_HOLD", 7),
    Sends(65726, "AP_ALT_HOLD", 7),
    Sends(65752, "PARKING_BRAKES", 7),
    Sends(65853, "SPOILERS_ARM_TOGGLE", 7),
    Sends(65859, "AP_AIRSPEED_HOLD", 7),
    Sends(66079, "GEAR_UP", 7),
    Sends(66080, "GEAR_DOWN", 7),
    Sends(66099, "AP_VS_HOLD", 7),
    Sends(66276, "AILERON_TRIM_LEFT", 7),
    Sends(66277, "AILERON_TRIM_RIGHT", 7),
    Sends(66293, "AVIONICS_MASTER_SET", 7),
    Sends(66701, "AVIONICS_MASTER_SET", 7),
    Sends(66377, "TOGGLE_RECOGNITION_LIGHTS", 7),
    Sends(66720, "ANTISKID_BRAKES_TOGGLE", 7),
    Sends(66732, "RUDDER_TRIM_SET", 7),
    Sends(67936, "AP_MASTER", 7),
    Sends(68416, "APU_GENERATOR_SWITCH_TOGGLE", 7),
    Sends(68417, "APU_GENERATOR_SWITCH_TOGGLE", 7),
    Sends(68492, "TURBINE_IGNITION_SWITCH_SET", 7),
    Sends(65883, "KOHLSMAN_INC", 1),
    Sends(67958, "KOHLSMAN_INC", 1),
    Sends(65884, "KOHLSMAN_DEC", 1),
    Sends(67959, "KOHLSMAN_DEC", 1),
    Sends(66278, "RUDDER_TRIM_LEFT", 1),
    Sends(66279, "RUDDER_TRIM_RIGHT", 1),
    Sends(67939, "HEADING_SLOT_INDEX_SET", 1),
    Sends(68166, "ALTITUDE_SLOT_INDEX_SET", 1),
    Sends(68843, "RUDDER_TRIM_SET", 0),
    // The generic adapter's share.
    Sends(65595, "FLAPS_UP", 7),
    // CDU keys: the captain's, the first officer's, no CDU, an unfilled slot, INDEX.
    {69537, 1, {"0 ASCRJ_MCDU1_LSK1L=1"}, {}},
    {69537, 2, {"0 ASCRJ_MCDU2_LSK1L=1"}, {}},
    {69537, 3, {}, {}},
    {69537, 2, {}, {}, NoSecondCdu},
    {69571, 2, {"0 ASCRJ_MCDU2_INDEX=1"}, {}},
    // Rows of their own.
    {65580, 0, {"300 ASCRJ_FCP_AP_DISC=1", "600 ASCRJ_FCP_AP_DISC=0"}, {"0 YAW_DAMPER_TOGGLE 1"}, YawDamperOff},
    {65580, 1, {}, {}, YawDamperOn},
    {68001, 1, {}, {"0 BLEED_AIR_SOURCE_CONTROL_SET 2", "300 BLEED_AIR_SOURCE_CONTROL_SET 0"}},
    {68001, 0, {}, {"0 BLEED_AIR_SOURCE_CONTROL_SET 1", "300 BLEED_AIR_SOURCE_CONTROL_SET 3"}, BothBleeds},
    {68001, 0, {}, {"0 BLEED_AIR_SOURCE_CONTROL_SET 1", "300 BLEED_AIR_SOURCE_CONTROL_SET 0"}, OneBleed},
    {68323, 0, {"0 ASCRJ_LSP_WIPER=0", "0 ASCRJ_RSP_WIPER=0"}, {}},
    {68323, 1, {"0 ASCRJ_LSP_WIPER=2", "0 ASCRJ_RSP_WIPER=2"}, {}},
    {68323, 2, {"0 ASCRJ_LSP_WIPER=3", "0 ASCRJ_RSP_WIPER=3"}, {}},
    {68323, 3, {"0 ASCRJ_LSP_WIPER=1", "0 ASCRJ_RSP_WIPER=1"}, {}},
    {68323, 4, {"0 ASCRJ_LSP_WIPER=0", "0 ASCRJ_RSP_WIPER=0"}, {}},
    {66389, 3, {}, {}},
    {66389, 1, {"0 DOOR_MAIN_DOOR_POS=0"}, {}, MainDoorOpen},
    {66389, 1, {"0 DOOR_MAIN_DOOR_POS=100"}, {}, MainDoorShut},
    {65716, 90, CourseTimeline(), {}},
    // Thrust levers and spoilers stay within their travel, whatever the value.
    {65820, -4096, {"0 ASCRJ_TQ_THROTTLE_1_POS=400"}, {}},
    {65821, 16383, {"0 ASCRJ_TQ_THROTTLE_2_POS=0"}, {}},
    {65821, 40000, {"0 ASCRJ_TQ_THROTTLE_2_POS=0"}, {}},
    {65786, 16383, {"0 ASCRJ_SPOILER_SET=100"}, {}},
    {65786, -5, {"0 ASCRJ_SPOILER_SET=0"}, {}},
    {67258, 1, {"0 ASCRJ_ENG_HPSCHED_ANIM=1", "300 ASCRJ_ENG_HPSCHED=1", "300 ASCRJ_ENG_HPSCHED_ANIM=0"}, {}},
    {68696,
     1,
     {"0 ASCRJ_STAB_TRIM_CH1_BTN_ANIM=1", "300 ASCRJ_STAB_TRIM_CH=0", "300 ASCRJ_STAB_TRIM_CH1_BTN_ANIM=0"},
     {},
     ChannelOn},
    {68696, 0, {}, {}, ChannelOn},
    {66704,
     0,
     {"0 ASCRJ_APU_STARTSTOP=0", "1 ASCRJ_APU_PWRFUEL_ANIM=1", "301 ASCRJ_APU_PWRFUEL=0",
      "302 ASCRJ_APU_PWRFUEL_ANIM=0"},
     {}},
    {65639,
     0,
     {"0 code (L:ASCRJ_RTU1_KNOB_INNER, Number) 10 + dnor(> L:ASCRJ_RTU1_KNOB_INNER) "
      "(ASCRJ_RTU1_KNOB_INNER_CHANGE, Number) ++ (> L:ASCRJ_RTU1_KNOB_INNER_CHANGE)"},
     {}},
    {68097, 1, {"0 code 1 (>L:ASCRJ_FIRE_TEST_BTN_ANIM) 1 (> L:ASCRJ_FIRE_TEST)"}, {}},
    {69026,
     0,
     {"0 code (L:ASCRJ_MCDU1_BRT_CHANGE, Number) -- (>L:ASCRJ_MCDU1_BRT_CHANGE)",
      "300 code (L:ASCRJ_MCDU2_BRT_CHANGE, Number) -- (>L:ASCRJ_MCDU2_BRT_CHANGE)"},
     {}},
    {68991, 1, {"0 ASCRJ_AICE_WSHLD_TEST_ANIM=1", "300 ASCRJ_GPWS=1", "300 ASCRJ_AICE_WSHLD_TEST_ANIM=0"}, {}},
    // Functions the CRJ does not have: nothing.
    {67979, 1, {}, {}},
    {68576, 1, {}, {}},
};

TEST_F(CrjCommandsTest, EachRowWritesAndSendsWhatItSays) {
    for (const Case& c : kCases) {
        FillCrjSlots();
        if (c.start != nullptr) c.start(*this);
        const auto [writes, events] = Act(c.code, c.value);
        EXPECT_EQ(writes, c.writes) << c.code << " with " << c.value;
        EXPECT_EQ(events, c.events) << c.code << " with " << c.value;
        EXPECT_EQ(fake.threads.PendingThreads(), 0u) << c.code << ": on the calling thread";
    }
}

// Switched by the adapter only when it changes: the crew app's second "on" does nothing.
TEST_F(CrjCommandsTest, FlightDirectorsToggleOnlyOnAChange) {
    const Lines press = {"0 ASCRJ_FCP_FD1_BTN_ANIM=1", "300 ASCRJ_FCP_FD1_BTN_ANIM=0"};
    EXPECT_EQ(Act(66288, 1), std::pair(press, Lines{"300 TOGGLE_FLIGHT_DIRECTOR 1"}));
    EXPECT_EQ(Act(66288, 1), std::pair(Lines{}, Lines{}));
    EXPECT_EQ(Act(67947, 0).second, Lines{"300 TOGGLE_FLIGHT_DIRECTOR 1"});
}

using CrjWithoutBridge = CrjFixture;

TEST_F(CrjWithoutBridge, CommandsDoNothingAtAll) {
    for (const auto& [code, value] :
         {std::pair{66239, 1}, {66079, 0}, {65595, 0}, {65580, 0}, {69537, 1}, {68918, 1200}, {68385, 1}}) {
        Run(static_cast<std::uint32_t>(code), value);
    }
    EXPECT_EQ(EventsSince(), Lines{});
    EXPECT_TRUE(module.Receipts().empty());
    EXPECT_EQ(fake.threads.PendingThreads(), 0u);
}

// ---- Workers ----------------------------------------------------------------------

struct WorkerCase {
    std::uint32_t code;
    std::int32_t value;
    Lines writes;
    Lines events;
    void (*start)(CrjCommandsTest&) = nullptr;
};

void LeversAtCutoff(CrjCommandsTest& t) {
    t.SetLvar("ASCRJ_TQ_THROTTLE_1_POS", 500);
    t.SetLvar("ASCRJ_TQ_THROTTLE_2_POS", 500);
}
void LeversAtIdle(CrjCommandsTest& t) {
    t.SetLvar("ASCRJ_TQ_THROTTLE_1_POS", 400);
    t.SetLvar("ASCRJ_TQ_THROTTLE_2_POS", 400);
}
void ApuAvailable(CrjCommandsTest& t) {
    t.SetLvar("ASCRJ_APU_PWRFUEL", 1);
    t.SetLvar("ASCRJ_APU_STARTSTOP_AVAIL", 1);
}
void Squawking17(CrjCommandsTest& t) {
    t.SetInt32(sim::kAutopilotRecord, 13, 17);
}

const WorkerCase kWorkers[] = {
    // Fuel on moves the lever to idle once; cutoff moves it to cutoff.
    {65919, 1, {"0 ASCRJ_TQ_CUTOFF_1=0", "1000 ASCRJ_TQ_THROTTLE_1_POS=400"}, {"1000 MIXTURE1_SET 1"}, LeversAtCutoff},
    {65920, 0, {"0 ASCRJ_TQ_CUTOFF_2=0", "1000 ASCRJ_TQ_THROTTLE_2_POS=500"}, {"1000 MIXTURE2_SET 0"}, LeversAtIdle},
    {66704,
     1,
     {"0 ASCRJ_APU_PWRFUEL_ANIM=1", "300 ASCRJ_APU_PWRFUEL=1", "300 ASCRJ_APU_PWRFUEL_ANIM=0",
      "3300 ASCRJ_APU_STARTSTOP_ANI=1", "3600 ASCRJ_APU_STARTSTOP=1", "3900 ASCRJ_APU_STARTSTOP_ANI=0"},
     {"3900 APU_STARTER 1"}},
    {68134, 1, {}, {}, ApuAvailable},
    // The APU stop leaves power and fuel off.
    {66705, 0, {"0 ASCRJ_APU_STARTSTOP=0", "10000 ASCRJ_APU_PWRFUEL=0"}, {"0 APU_STARTER 0"}},
    {65793,
     1,
     {"0 ASCRJ_YD1_BTN_ANIM=1", "300 ASCRJ_YD1=1", "600 ASCRJ_YD1=0", "900 ASCRJ_YD1=1", "1200 ASCRJ_YD1_BTN_ANIM=0",
      "2200 ASCRJ_YD2_BTN_ANIM=1", "2500 ASCRJ_YD2=1", "2800 ASCRJ_YD2=0", "3100 ASCRJ_YD2=1",
      "3400 ASCRJ_YD2_BTN_ANIM=0"},
     {}},
    {68767,
     1,
     {"0 ASCRJ_STAB_TRIM_CH1_BTN_ANIM=1", "300 ASCRJ_STAB_TRIM_CH=1", "300 ASCRJ_STAB_TRIM_CH1_BTN_ANIM=0",
      "600 ASCRJ_STAB_TRIM_CH2_BTN_ANIM=1", "900 ASCRJ_STAB_TRIM_CH2=1", "900 ASCRJ_STAB_TRIM_CH2_BTN_ANIM=0",
      "1200 ASCRJ_MACH_TRIM_BTN_ANIM=1", "1201 ASCRJ_MACH_TRIM=1", "1501 ASCRJ_MACH_TRIM=0",
      "1502 ASCRJ_MACH_TRIM_BTN_ANIM=0"},
     {}},
    {67993,
     0,
     {"0 ASCRJ_FCP_HDG_SYNC_BTN_ANIM=1", "300 ASCRJ_FCP_HDG_SYNC_BTN=1", "1800 ASCRJ_FCP_HDG_SYNC=1",
      "1800 ASCRJ_FCP_HDG_SYNC_BTN=0", "1800 ASCRJ_FCP_HDG_SYNC_BTN_ANIM=0"},
     {}},
    {68426,
     1,
     {"0 ASCRJ_GSC_STALL_GUARD=1", "1000 ASCRJ_GSC_STALL_BTN_ANIM=1", "6000 ASCRJ_GSC_STALL_BTN_ANIM=0",
      "7000 ASCRJ_GSC_STALL_GUARD=0"},
     {}},
    {68385,
     1,
     {"0 ASCRJ_RTU1_LSK4=1", "1000 ASCRJ_RTU1_LSK3R=1", "2000 ASCRJ_RTU1_LSK3L=1", "9000 ASCRJ_RTU1_LSK4=1"},
     {}},
    // 0017 to 0020: one click of the inner knob (17 and 20 are octal neighbours).
    {68918,
     20,
     {"0 ASCRJ_RTU1_LSK3L=1", "1000 ASCRJ_RTU1_LSK4=1",
      "3000 code (L:ASCRJ_RTU1_KNOB_INNER, Number) 10 + dnor (>L:ASCRJ_RTU1_KNOB_INNER) "
      "(ASCRJ_RTU1_KNOB_INNER_CHANGE, Number) ++ (>L:ASCRJ_RTU1_KNOB_INNER_CHANGE)",
      "4800 ASCRJ_RTU1_LSK4=1", "5800 ASCRJ_RTU1_LSK4=1"},
     {},
     Squawking17},
};

TEST_F(CrjCommandsTest, EachWorkerKeepsItsTimeline) {
    for (const WorkerCase& c : kWorkers) {
        if (c.start != nullptr) c.start(*this);
        const std::size_t before = module.Receipts().size();
        ClearCalls();
        Run(c.code, c.value);
        const std::size_t pending = fake.threads.PendingThreads();
        RunWorker();
        EXPECT_EQ(pending, 1u) << c.code;
        EXPECT_EQ(ReceivedSince(before), c.writes) << c.code << " with " << c.value;
        EXPECT_EQ(EventsSince(), c.events) << c.code << " with " << c.value;
    }
    EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.Start priority=0").size(), 1u) << "the APU stop alone";
    EXPECT_EQ(fake.server.adapters.workersRunning, 0);
}

TEST_F(CrjCommandsTest, TransponderCountsEachPairOfDigitsInOctal) {
    struct Turns {
        std::int32_t from, to, outer, inner;
    };
    // 70 to 12 is 56 to 10 in octal: 46 clicks down (not 48).
    for (const Turns t :
         {Turns{7000, 1200, -46, 0}, Turns{17, 20, 0, 1}, Turns{1200, 3400, 18, 0}, Turns{7777, 0, -63, -63}}) {
        const auto clicks = crj::TransponderClicks(t.from, t.to);
        ASSERT_TRUE(clicks) << t.from << " to " << t.to;
        EXPECT_EQ(clicks->outer, t.outer) << t.from << " to " << t.to;
        EXPECT_EQ(clicks->inner, t.inner) << t.from << " to " << t.to;
    }
    for (const auto& [from, to] : {std::pair{7000, 1280}, {7000, 8000}, {9000, 1200}, {7000, -1}, {0, 10000}}) {
        EXPECT_FALSE(crj::TransponderClicks(from, to)) << from << " to " << to;
    }

    SetInt32(sim::kAutopilotRecord, 13, 7000);
    Run(68918, 1200);
    RunWorker();
    EXPECT_EQ(CountReceipts("KNOB_OUTER, Number) 10 - dnor"), 46u);
    EXPECT_EQ(CountReceipts("KNOB_INNER"), 0u);

    const std::size_t before = module.Receipts().size();
    Run(68918, 1280);  // no such code: nothing turns
    SetInt32(sim::kAutopilotRecord, 13, 9999);
    Run(68918, 1200);  // the transponder shows no such code
    RunWorker();
    EXPECT_EQ(ReceivedSince(before), Lines{});
    Lines lines;
    for (const std::string& line : LogLines()) {
        if (line.starts_with("Transponder")) lines.push_back(line);
    }
    EXPECT_EQ(lines, (Lines{"Transponder code 1280 cannot be dialled", "Transponder code 9999 cannot be dialled"}));
}

TEST_F(CrjCommandsTest, OneTransponderWorkerAtATime) {
    Run(68918, 1200);
    Run(68918, 3400);  // ignored: one runs
    EXPECT_EQ(fake.threads.PendingThreads(), 1u);
    RunWorker();
    Run(68918, 3400);  // accepted once it ended
    EXPECT_EQ(fake.threads.PendingThreads(), 1u);
    RunWorker();

    fake.threads.FailNextThread();
    Run(68918, 1200);  // no thread: the flag must not stay set
    EXPECT_FALSE(fake.server.adapters.crj.transponderBusy);
    Run(68918, 1200);
    EXPECT_EQ(fake.threads.PendingThreads(), 1u);
    RunWorker();
    EXPECT_EQ(fake.server.adapters.workersRunning, 0);
}

// Each fuel-lever worker keeps its own engine and value.
TEST_F(CrjCommandsTest, TwoFuelLeverWorkersKeepTheirEngines) {
    LeversAtCutoff(*this);
    Run(65919, 1);
    Run(65920, 1);
    RunWorker();
    RunWorker();
    EXPECT_EQ(CountReceipts("ASCRJ_TQ_THROTTLE_1_POS"), 1u);
    EXPECT_EQ(CountReceipts("ASCRJ_TQ_THROTTLE_2_POS"), 1u);
    EXPECT_EQ(module.Lvar("ASCRJ_TQ_THROTTLE_2_POS"), 400.0);
}

// A transponder worker outlives neither the CRJ nor the server: it stops at
// its next step without writing.
TEST_F(CrjCommandsTest, WorkersStopOnUnloadAndShutdown) {
    for (const bool unload : {true, false}) {
        SetInt32(sim::kAutopilotRecord, 13, 7000);
        const std::size_t before = module.Receipts().size();
        Run(68918, 1200);
        fake.clock.SetAutoAdvance(false);
        std::thread worker([&] { fake.threads.RunNextThread(); });
        WaitUntil([&] { return module.Receipts().size() == before + 1; });
        if (unload) {
            fake.server.adapters.table.Unload(fake.server);
        } else {
            fake.server.host.running = false;
        }
        while (fake.server.adapters.workersRunning > 0) {
            fake.clock.Advance(100);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        worker.join();
        // Time moves by itself again; the bridge's worker, asleep meanwhile, wakes.
        fake.clock.SetAutoAdvance(true);
        fake.clock.Advance(1000);
        EXPECT_EQ(ReceivedSince(before), Lines{"0 ASCRJ_RTU1_LSK3L=1"}) << (unload ? "unload" : "shutdown");
        EXPECT_FALSE(fake.server.adapters.crj.transponderBusy);
        fake.server.host.running = true;
    }
}

}  // namespace
}  // namespace tarvo::adapters
