#include "MaddogFixture.h"

#include "sim/SessionState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarvo::adapters {
namespace {

using Bytes = std::array<std::uint8_t, 8>;
using Vars = std::vector<std::pair<std::string, double>>;

constexpr Bytes kUnchanged{};
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct MaddogStateTest : MaddogFixture {
    void SetUp() override { LoadMaddog(); }
    void SetAll(const Vars& vars) {
        for (const auto& [name, value] : vars) Set(name, value);
    }
};

TEST_F(MaddogStateTest, QueriesAnswerFromTheVariables) {
    struct Case {
        std::uint32_t code;
        Vars vars;
        Bytes answer;
    };
    const Case cases[] = {
        {13, {{"ovhd_meter_sel_switch1", 3}}, AsDouble(3)},
        {1423, {{"ovhd_meter_sel_switch1", 4}}, AsDouble(4)},
        {785, {{"ped_aileron_trim_indicator1", 62}}, AsDouble(12.0 / 12.0 / 57.29577951308232)},
        {787, {{"ped_rudder_trim_indicator1", 50}}, AsDouble(0)},
        {958, {{"fgcp_bank_knob1", 1.5}}, AsDouble(3.5)},
        {743, {{"ped_autobrake_knob1", 2.9}}, AsInt32(2)},
        {743, {{"ped_autobrake_knob1", kNaN}}, AsInt32(0)},
        {743, {{"ped_autobrake_knob1", 3e9}}, AsInt32(2147483647)},
        {308, {{"ped_fuel_xfeed_lever1", 0.5}}, AsInt32(1)},
        {308, {{"ped_fuel_xfeed_lever1", 0}}, kUnchanged},
        {11, {{"CM2_strobe_switch1", 2}}, AsDouble(1)},
        {11, {{"CM2_strobe_switch1", 2.5}}, kUnchanged},
        {14, {{"CM1_winglightl_switch1", 2}, {"CM1_winglightr_switch1", 2.7}}, AsDouble(1)},
        {14, {{"CM1_winglightr_switch1", 1}}, kUnchanged},
        {979, {{"ovhd_L_apu_switch1", 0}, {"ovhd_R_apu_switch1", 1}}, AsDouble(1)},
        {988, {{"ovhd_no_smoke_switch1", 0}}, AsDouble(1)},
        {988, {{"ovhd_no_smoke_switch1", 1}}, AsDouble(0)},
        {988, {{"ovhd_no_smoke_switch1", 2}}, AsDouble(2)},
        {989, {{"ovhd_seat_belt_switch1", 3}}, kUnchanged},
        {1099, {{"CM2_hyd_switch4", 1}}, kUnchanged},
        {1101, {{"CM2_hyd_switch4", 2}}, AsDouble(1)},
        {1132, {{"ped_pneu_lever1", 1}, {"ovhd_pneu_press_needle1", 28}}, AsDouble(28)},
        {1133, {{"ped_pneu_lever2", 0}}, kUnchanged},
        {1200, {{"radio_tcas_knob1", 12}}, AsDouble(2)},
        {1200, {{"radio_tcas_knob1", 18}}, AsDouble(4)},
        {1200, {{"radio_tcas_knob1", 7}}, kUnchanged},
        {1606, {{"CM1_clock_needle1", -0.5}}, kUnchanged},
        {1606, {{"CM1_clock_needle1", 3}}, AsDouble(1)},
        {1334, {{"aft_cargo_door", 0.5}}, AsDouble(0.5)},
        {1113, {{"ovhd_ctr_aft_pump_switch1", 1}}, AsDouble(1)},
        {630, {}, AsDouble(0)},
        {1413, {}, AsDouble(0)},
        {1512, {}, AsDouble(0)},
        {23, {}, AsInt32(0x2700)},  // the generic adapter's: COM 1 from the records
        {2000, {}, kUnchanged},
    };
    SetInt32(sim::kFlightRecord, 25, 0x2700);
    for (const Case& c : cases) {
        SetAll(c.vars);
        EXPECT_EQ(Query(c.code), c.answer) << c.code;
    }
}

// Ground power: available (either light) and switched to a bus (either switch).
TEST_F(MaddogStateTest, GroundPowerNeedsPowerAndASwitch) {
    struct Case {
        double avail, busLight, left, right;
        bool on;
    };
    const Case cases[] = {
        {1, 0, 1, 0, true},
        {0, 1, 0, 1, true},
        {1, 1, 0, 0, false},
        {0, 0, 1, 1, false},
    };
    for (const Case& c : cases) {
        SetAll({{"ovhd_gnd_ext_avail_adv1", c.avail},
                {"ovhd_ext_bus_adv1", c.busLight},
                {"ovhd_L_ext_switch1", c.left},
                {"ovhd_R_ext_switch1", c.right}});
        EXPECT_EQ(Query(1056), c.on ? AsDouble(1) : kUnchanged) << c.avail << c.busLight << c.left << c.right;
    }
}

// A condition on a variable the aircraft lacks does not hold: its 0.0 would
// read as "off" where off answers 1.0.
TEST_F(MaddogStateTest, QueriesWithoutTheirVariableAnswerNothing) {
    for (const auto& [code, slot] : {std::pair{1474u, Slot::FuelStartPumpSwitch},
                                     {988u, Slot::NoSmokingSignSwitch},
                                     {1099u, Slot::HydraulicPanel4Selector},
                                     {743u, Slot::AutobrakeSelector}}) {
        ForgetSlot(slot);
        EXPECT_EQ(Query(code), kUnchanged) << code;
    }
}

TEST_F(MaddogStateTest, SnapshotWordsComeFromTheVariables) {
    struct Case {
        Vars vars;
        std::size_t word;
        std::int32_t value;
    };
    const Case cases[] = {
        {{{"md_ipc_ap_spd", 250.9}}, 16, 250},
        {{{"md_ipc_ap_hdg", 271}}, 17, 271},
        {{{"md_ipc_ap_alt", 11000}}, 18, 11000},
        {{{"ped_flap_lever1", 50}}, 19, 8192},
        {{{"fgcp_vertspd_push1", 1}}, 28, 0x2},
        {{{"fgcp_vertspd_push1", 2}}, 28, 0x2000},
        {{{"fgcp_vertspd_push1", 0}, {"fgcp_autopilot_switch1", 1}, {"CM1_fd_switch1", 1}}, 28, 0x21},
        {{{"fgcp_autopilot_switch1", 0},
          {"CM1_fd_switch1", 0},
          {"CM2_fd_switch1", 1},
          {"fgcp_autothrottle_switch1", 1},
          {"fgcp_hdg_push1", 1},
          {"fgcp_althold_push1", 1}},
         28,
         0x100 | 0x40 | 0x4 | 0x8},
        // The Maddog's own master lamps.
        {{{"CM1_mastercaut_adv1", 1}}, 37, 0x20000000},
        {{{"CM1_mastercaut_adv1", 0}, {"CM1_masterwarn_adv1", 1}}, 37, 0x40000000},
    };
    SetInt32(sim::kFlightRecord, 37, -1000);  // an altitude target that would read as both lamps
    for (const Case& c : cases) {
        SetAll(c.vars);
        EXPECT_EQ(Poll().words[c.word], c.value) << c.word << " " << c.vars.front().first;
    }
}

// Where the aircraft has no variable the word keeps what the simulator sent.
TEST_F(MaddogStateTest, SnapshotWordsWithoutTheirVariableKeepTheRecords) {
    SetInt32(sim::kFlightRecord, 16, 180);
    ForgetSlot(Slot::FgcpSpeedTargetValue);
    EXPECT_EQ(Poll().words[16], 180);
}

TEST_F(MaddogStateTest, EnginesOneAndTwoAreCounted) {
    struct Case {
        std::int32_t engines, onGround;
        std::array<std::int32_t, 4> combustion, starter, throttle, failed;
        std::int32_t runningMask, failedMask, activity;
    };
    const Case cases[] = {
        // A lever above idle is no take-off power: 12000 is the threshold.
        {2, 1, {1, 1, 0, 0}, {}, {5000, 12001}, {}, 0x3, 0, 0x10 | 0x40},
        {2, 1, {1, 0, 0, 0}, {0, 1, 0, 0}, {-200, 0}, {}, 0x1, 0, 0x20 | 0x80},
        {2, 0, {0, 1, 0, 0}, {}, {}, {1, 0, 0, 0}, 0x2, 0x1, 0},
        // A count from the simulator beyond two counts two.
        {4, 1, {1, 1, 1, 1}, {}, {}, {}, 0x3, 0, 0},
    };
    for (const Case& c : cases) {
        SetInt32(sim::kFlightRecord, 15, c.engines);
        SetInt32(sim::kFlightRecord, 0, c.onGround);
        for (std::size_t i = 0; i < 4; ++i) {
            SetInt32(sim::kEngineRecord, 0 + i, c.combustion[i]);
            SetInt32(sim::kEngineRecord, 4 + i, c.starter[i]);
            SetInt32(sim::kEngineRecord, 12 + i, c.throttle[i]);
            SetInt32(sim::kEngineRecord, 36 + i, c.failed[i]);
        }
        const auto& w = Poll().words;
        EXPECT_EQ(w[29], c.runningMask) << c.engines;
        EXPECT_EQ(w[30], c.failedMask) << c.engines;
        EXPECT_EQ(w[31], c.activity) << c.engines;
    }
}

TEST_F(MaddogStateTest, TakeoffDataIsAZeroRecord) {
    fake.server.adapters.table.SendTakeoffData(fake.server, crewWindow, linkWindow);
    ASSERT_EQ(fake.desktop.copyData.size(), 1u);
    EXPECT_EQ(fake.desktop.copyData[0].kind, 615u);
    EXPECT_EQ(fake.desktop.copyData[0].bytes, std::vector<std::uint8_t>(64, 0));
    EXPECT_EQ(fake.desktop.copyData[0].timeoutMilliseconds, 4000u);
}

using MaddogWithoutBridgeStateTest = MaddogFixture;

TEST_F(MaddogWithoutBridgeStateTest, NothingIsReadOrSent) {
    fake.server.adapters.currentAircraftId = kMaddog;
    maddog::InstallMaddogAdapter(fake.server);
    SetInt32(sim::kFlightRecord, 25, 0x2700);
    SetInt32(sim::kFlightRecord, 37, -1000);
    EXPECT_EQ(Query(23), kUnchanged);
    EXPECT_EQ(Poll().words[37], 0) << "no lamps read from an altitude target";
    fake.server.adapters.table.SendTakeoffData(fake.server, crewWindow, linkWindow);
    EXPECT_TRUE(fake.desktop.copyData.empty());
}

}  // namespace
}  // namespace tarvo::adapters
