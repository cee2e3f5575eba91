#include "InibuildsFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarvo::adapters {
namespace {

// Each case on the A310 and on the A300: the same commands, each aircraft's own names.
struct InibuildsBothAircraftTest : InibuildsFixture, ::testing::WithParamInterface<bool> {
    void SetUp() override { GetParam() ? LoadA310() : LoadA300(); }
    std::string_view Named(std::string_view a310, std::string_view a300) const { return GetParam() ? a310 : a300; }
};

INSTANTIATE_TEST_SUITE_P(Aircraft, InibuildsBothAircraftTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "A310" : "A300"; });

TEST_P(InibuildsBothAircraftTest, DiscoveryTellsTheAircraftApart) {
    EXPECT_EQ(IsA310(), GetParam());
}

// Code, value, the A310's variable, the A300's, the value it is set to.
struct SetCase {
    std::uint32_t code;
    std::int32_t value;
    std::string_view a310;
    std::string_view a300;
    double expected;
};

// clang-format off
constexpr SetCase kSetCases[] = {
    {68074, 3, "A310_IRS1_STATE", "INI_IRS1_STATE", 3},
    {68194, 3, "A300_PROBE_HEAT_COPILOT", "INI_PROBE_HEAT_COPILOT", 3},
    {68453, 3, "A300_ANTI_ICE_WING_MODE", "INI_ANTI_ICE_WING_MODE", 3},
    {68729, 3, "__GUARD_RAM_AIR_State", "__GUARD_RAM_AIR_State", 3},
    {66719, 3, "A310_SEATBELTS_SWITCH", "INI_SEATBELTS_SWITCH", 3},
    {66364, 3, "A310_eng2_gen_on", "INI_eng2_gen_on", 3},
    {67947, 3, "A310_FDIR_SWITCH_FO", "INI_FDIR_SWITCH_FO", 3},
    {67961, 3, "A310_FPV_ON", "INI_FPV_ON", 3},
    {67967, 3, "A310_map_mode_capt_switch", "INI_map_mode_capt_switch", 3},
    {67968, 3, "A310_map_mode_capt_switch", "INI_map_mode_capt_switch", 3},
    {67970, 3, "A310_map_range_capt_switch", "INI_map_range_capt_switch", 3},
    {67971, 3, "A310_map_range_capt_switch", "INI_map_range_capt_switch", 3},
    {67979, 3, "A310_TERR_ON_CAPT", "INI_TERR_ON_CAPT", 3},
    {67997, 3, "A310_hyd_elec_status", "INI_hyd_elec_status", 3},
    {67999, 3, "A310_yaw_damper1", "INI_yaw_damper1", 3},
    {68000, 3, "A310_yaw_damper2", "INI_yaw_damper2", 3},
    {68001, 3, "A310_apu_bleed", "INI_apu_bleed", 3},
    {68002, 3, "A310_ENG1_BLEED", "INI_ENG1_BLEED", 3},
    {68003, 3, "A310_ENG2_BLEED", "INI_ENG2_BLEED", 3},
    {68012, 3, "A310_hyd_eng1_switch_pos", "INI_hyd_eng1_switch_pos", 3},
    {68013, 3, "A310_hyd_eng2_switch_pos", "INI_hyd_eng2_switch_pos", 3},
    {68014, 3, "A310_hyd_eng1_A_switch_pos", "INI_hyd_eng1_A_switch_pos", 3},
    {68015, 3, "A310_hyd_eng2_B_switch_pos", "INI_hyd_eng2_B_switch_pos", 3},
    {68020, 3, "A310_IDG1_BUTTON", "INI_IDG1_BUTTON", 3},
    {68021, 3, "A310_IDG2_BUTTON", "INI_IDG2_BUTTON", 3},
    {68024, 3, "A300_XBLEED_MODE", "INI_XBLEED_MODE", 3},
    {68025, 3, "A300_XBLEED_MODE", "INI_XBLEED_MODE", 3},
    {68026, 3, "A300_XBLEED_MODE", "INI_XBLEED_MODE", 3},
    {68027, 3, "A310_OUTER_TANK1_LEFT", "INI_OUTER_TANK1_LEFT", 3},
    {68028, 3, "A310_OUTER_TANK2_LEFT", "INI_OUTER_TANK2_LEFT", 3},
    {68029, 3, "A310_INNER_TANK1_LEFT", "INI_INNER_TANK1_LEFT", 3},
    {68030, 3, "A310_INNER_TANK2_LEFT", "INI_INNER_TANK2_LEFT", 3},
    {68031, 3, "A310_INNER_TANK1_RIGHT", "INI_INNER_TANK1_RIGHT", 3},
    {68032, 3, "A310_INNER_TANK2_RIGHT", "INI_INNER_TANK2_RIGHT", 3},
    {68033, 3, "A310_OUTER_TANK1_RIGHT", "INI_OUTER_TANK1_RIGHT", 3},
    {68034, 3, "A310_OUTER_TANK2_RIGHT", "INI_OUTER_TANK2_RIGHT", 3},
    {68035, 3, "A310_CENTER_TANK1", "INI_CENTER_TANK1", 3},
    {68036, 3, "A310_CENTER_TANK2", "INI_CENTER_TANK2", 3},
    {68037, 3, "A310_TRIM_TANK1", "INI_TRIM_TANK1", 3},
    {68038, 3, "A310_TRIM_TANK2", "INI_TRIM_TANK2", 3},
    {68076, 3, "A310_IRS2_STATE", "INI_IRS2_STATE", 3},
    {68078, 3, "A310_IRS3_STATE", "INI_IRS3_STATE", 3},
    {68079, 3, "A310_CARGO_VALVE", "INI_CARGO_VALVE", 3},
    {68111, 3, "A310_EMER_EXIT_SWITCH", "INI_EMER_EXIT_SWITCH", 3},
    {68134, 3, "A310_apu_master_switch", "INI_apu_master_switch", 3},
    {66706, 3, "A310_apu_gen_on", "INI_apu_gen_on", 3},
    {66718, 3, "A310_NO_SMOKING_SWITCH", "INI_NO_SMOKING_SWITCH", 3},
    {69058, 3, "A310_map_range_fo_switch", "INI_map_range_fo_switch", 3},
    {69059, 3, "A310_map_range_fo_switch", "INI_map_range_fo_switch", 3},
    {69067, 3, "A310_TERR_ON_FO", "INI_TERR_ON_FO", 3},
    {69068, 3, "A310_efis_selected_nav_fo", "INI_efis_selected_nav_fo", 3},
    {68753, 3, "A310_max_cool", "INI_max_cool", 3},
    {68754, 3, "A310_VENT_GND_OVRD", "INI_VENT_GND_OVRD", 3},
    {68755, 3, "A310_VENT_GND_CTL", "INI_VENT_GND_CTL", 3},
    {68756, 3, "A300DR_vent_outboard_valve", "INI_vent_outboard_valve", 3},
    {68757, 3, "A300_ISOLATION_VALVE_LEFT", "INI_ISOLATION_VALVE_LEFT", 3},
    {68758, 3, "A300_ISOLATION_VALVE_RIGHT", "INI_ISOLATION_VALVE_RIGHT", 3},
    {68855, 3, "A310_TRIM_TANK_MODE", "INI_TRIM_TANK_MODE", 3},
    {68919, 3, "A310_OXYGEN_LOW_PRESSURE_SUPPLY", "INI_OXYGEN_LOW_PRESSURE_SUPPLY", 3},
    {68942, 3, "A310_autothrottle_master_switch1", "INI_autothrottle_master_switch1", 3},
    {68943, 3, "A310_autothrottle_master_switch2", "INI_autothrottle_master_switch2", 3},
    {68944, 3, "A310_SGU1", "INI_SGU1", 3},
    {68945, 3, "A310_SGU2", "INI_SGU2", 3},
    {68455, 3, "A300_APU_FUEL_OVRD", "INI_APU_FUEL_OVRD", 3},
    {68467, 3, "A310_bleed_eng1_hp_valve", "INI_bleed_eng1_hp_valve", 3},
    {68468, 3, "A310_bleed_eng2_hp_valve", "INI_bleed_eng2_hp_valve", 3},
    {68471, 3, "A310_PITCH_FEEL1", "INI_PITCH_FEEL1", 3},
    {68472, 3, "A310_PITCH_FEEL2", "INI_PITCH_FEEL2", 3},
    {68473, 3, "A310_RUDDER_TRAVEL1", "INI_RUDDER_TRAVEL1", 3},
    {68474, 3, "A310_RUDDER_TRAVEL2", "INI_RUDDER_TRAVEL2", 3},
    {68475, 3, "A310_pitch_trim1", "INI_pitch_trim1", 3},
    {68476, 3, "A310_pitch_trim2", "INI_pitch_trim2", 3},
    {68486, 3, "A310_BAT3_ON", "INI_BAT3_ON", 3},
    {68493, 3, "A310_brake_fan_on", "INI_brake_fan_on", 3},
    {68494, 3, "A310_hyd_PTU_blue_status", "INI_hyd_PTU_blue_status", 3},
    {68495, 3, "A310_hyd_PTU_yellow_status", "INI_hyd_PTU_yellow_status", 3},
    {68516, 3, "A310_cabin_sys1_regulator", "INI_cabin_sys1_regulator", 3},
    {68517, 3, "A310_cabin_sys2_regulator", "INI_cabin_sys2_regulator", 3},
    {68542, 3, "A310_elec_land_recovery", "INI_elec_land_recovery", 3},
    {68546, 3, "A310_SPEEDBRAKE7", "INI_SPEEDBRAKE7", 3},
    {68547, 3, "A310_SPEEDBRAKE6", "INI_SPEEDBRAKE6", 3},
    {68548, 3, "A310_SPEEDBRAKE5", "INI_SPEEDBRAKE5", 3},
    {68552, 3, "A310_SPEEDBRAKE4_1", "INI_SPEEDBRAKE4_1", 3},
    {68553, 3, "A310_SPEEDBRAKE3_2", "INI_SPEEDBRAKE3_2", 3},
    {68629, 3, "A300_GNDCTL", "INI_GNDCTL", 3},
    {68660, 3, "A310_econ_flow_selected", "INI_econ_flow_selected", 3},
    {68199, 3, "A300_WINDOW_HEAT1", "INI_WINDOW_HEAT1", 3},
    {68200, 3, "A300_WINDOW_HEAT2", "INI_WINDOW_HEAT2", 3},
    {68201, 3, "A300_WINDOW_HEAT3", "INI_WINDOW_HEAT3", 3},
    {68202, 3, "A300_WINDOW_HEAT4", "INI_WINDOW_HEAT4", 3},
    {68204, 3, "A300DR_CABIN_MAN_PRESS", "INI_CABIN_MAN_PRESS", 3},
    {68205, 3, "A310_TAKEOFF_CONFIG_PRESSED", "INI_TAKEOFF_CONFIG_PRESSED", 3},
    {68261, 3, "A300DR_vent_extract_valve", "INI_vent_extract_valve", 3},
    {68270, 3, "A300_PACK1_BUTTON", "INI_PACK1_BUTTON", 3},
    {68271, 3, "A300_PACK2_BUTTON", "INI_PACK2_BUTTON", 3},
    {68314, 3, "A310_STORM_LIGHT_SWITCH", "INI_STORM_LIGHT_SWITCH", 3},
    {68329, 3, "A310_STBY_COMPASS_LIGHT_SWITCH", "INI_STBY_COMPASS_LIGHT_SWITCH", 3},
    {68333, 3, "A310_eng_ignition_switch", "INI_eng_ignition_switch", 3},
    {68337, 3, "__IDG1_COVER_State", "__IDG1_COVER_State", 3},
    {68338, 3, "__IDG2_COVER_State", "__IDG2_COVER_State", 3},
    {68379, 3, "A310_gpu_avail", "INI_gpu_avail", 3},
    {68399, 3, "A310_elec_ind_dc_selector", "INI_elec_ind_dc_selector", 3},
    {68401, 3, "A310_elec_ind_ac_selector", "INI_elec_ind_ac_selector", 3},
    {68433, 3, "A310_BAT2_ON", "INI_BAT2_ON", 3},
    {66378, 3, "A310_WING_LIGHT_SWITCH", "INI_WING_LIGHT_SWITCH", 3},
    {66478, 3, "XMLVAR_MKR_1_CPT_Switch_Down", "XMLVAR_MKR_1_CPT_Switch_Down", 3},
    {66484, 3, "A310_ENG1_ANTI_ICE", "INI_ENG1_ANTI_ICE", 3},
    {66485, 3, "A310_ENG2_ANTI_ICE", "INI_ENG2_ANTI_ICE", 3},
    {66579, 3, "A310_DOME_LIGHT_SWITCH", "INI_DOME_LIGHT_SWITCH", 3},
    {66596, 3, "A310_xfeed_transfer_on", "INI_xfeed_transfer_on", 3},
    {66124, 3, "A310_Altitude_Dial", "INI_Altitude_Dial", 3},
    {66239, 3, "A310_BEACON_LIGHT_SWITCH", "INI_BEACON_LIGHT_SWITCH", 3},
    {66241, 3, "A310_BAT1_ON", "INI_BAT1_ON", 3},
    {66288, 3, "A310_FDIR_SWITCH_CAPT", "INI_FDIR_SWITCH_CAPT", 3},
    {66337, 3, "A310_WING_ANTI_ICE", "INI_WING_ANTI_ICE", 3},
    {66363, 3, "A310_eng1_gen_on", "INI_eng1_gen_on", 3},
    {65858, 3, "A300_PROBE_HEAT_CAPT", "INI_PROBE_HEAT_CAPT", 3},
    {66037, 3, "A310_Airspeed_Dial", "INI_Airspeed_Dial", 3},
    {66038, 3, "A310_Airspeed_Dial", "INI_Airspeed_Dial", 3},
    {66042, 3, "A310_HEADING_DIAL", "INI_HEADING_DIAL", 3},
    {68153, 5, "A310_MASTER_CAUTION_ACTIVE", "INI_MASTER_CAUTION_ACTIVE", 0},
    {68155, 5, "A310_MASTER_WARNING_ACTIVE", "INI_MASTER_WARNING_ACTIVE", 0},
    {66705, 5, "A310_apu_master_switch", "INI_apu_master_switch", 0},
    {68386, 5, "A310_GEAR_HANDLE_STATUS", "INI_GEAR_HANDLE_STATUS", 1},
    {66557, 5, "XMLVAR_ADF_2_CPT_Switch_Down", "XMLVAR_ADF_2_CPT_Switch_Down", 0},
    {66558, 5, "XMLVAR_ADF_2_CPT_Switch_Down", "XMLVAR_ADF_2_CPT_Switch_Down", 1},
    {65836, 5, "XMLVAR_ADF_1_CPT_Switch_Down", "XMLVAR_ADF_1_CPT_Switch_Down", 0},
    {65838, 5, "XMLVAR_VOR_2_CPT_Switch_Down", "XMLVAR_VOR_2_CPT_Switch_Down", 1},
    {65841, 5, "XMLVAR_ADF_1_CPT_Switch_Down", "XMLVAR_ADF_1_CPT_Switch_Down", 1},
    {65894, 5, "A310_VVI_DIAL_UP_COMMAND", "INI_VVI_DIAL_UP_COMMAND", 1},
    {66079, 5, "A310_GEAR_HANDLE_STATUS", "INI_GEAR_HANDLE_STATUS", 0},
    {66720, 1, "A300DR_brake_system", "INI_brake_system", 0},
    {66720, 0, "A300DR_brake_system", "INI_brake_system", 2},
    {68611, 1, "A310_ANNLT_SWITCH", "INI_ANNLT_SWITCH", 0},
    {68611, 0, "A310_ANNLT_SWITCH", "INI_ANNLT_SWITCH", 1},
    {68656, 1, "A300DR_CHRONO_ET_STATUS", "INI_CHRONO_ET_STATUS", 1},
    {68656, 0, "A300DR_CHRONO_ET_STATUS", "INI_CHRONO_ET_STATUS", 2},
    {68234, 1, "A310_galley_shed", "INI_galley_shed", 0},
    {68234, 0, "A310_galley_shed", "INI_galley_shed", 1},
    {66376, 1, "A310_NAV_LOGO_LIGHT_SWITCH", "INI_NAV_LOGO_LIGHT_SWITCH", 0},
    {66376, 0, "A310_NAV_LOGO_LIGHT_SWITCH", "INI_NAV_LOGO_LIGHT_SWITCH", 1},
    {66240, 1, "A310_TAXI_LIGHTS_SWITCH", "INI_TAXI_LIGHTS_SWITCH", 1},
    {66240, 0, "A310_TAXI_LIGHTS_SWITCH", "INI_TAXI_LIGHTS_SWITCH", 2},
    {65919, 1, "A310_MIXTURE_RATIO1_HANDLE", "INI_MIXTURE_RATIO1_HANDLE", 1},
    {65919, 0, "A310_MIXTURE_RATIO1_HANDLE", "INI_MIXTURE_RATIO1_HANDLE", 0},
    {65920, 1, "A310_MIXTURE_RATIO2_HANDLE", "INI_MIXTURE_RATIO2_HANDLE", 1},
    {65920, 0, "A310_MIXTURE_RATIO2_HANDLE", "INI_MIXTURE_RATIO2_HANDLE", 0},
};
// clang-format on

TEST_P(InibuildsBothAircraftTest, VariablesAreSetFromTheValue) {
    for (const SetCase& c : kSetCases) {
        std::ostringstream expected;
        expected << "0 " << Named(c.a310, c.a300) << '=' << c.expected;
        EXPECT_EQ(RunReceiving(c.code, c.value), Lines{expected.str()}) << c.code << " value " << c.value;
    }
}

TEST_P(InibuildsBothAircraftTest, ValuesAreSigned) {
    EXPECT_EQ(RunReceiving(66124, -1000),
              Lines{"0 " + std::string(Named("A310_Altitude_Dial", "INI_Altitude_Dial")) + "=-1000"});
    EXPECT_EQ(RunReceiving(66240, -1),
              Lines{"0 " + std::string(Named("A310_TAXI_LIGHTS_SWITCH", "INI_TAXI_LIGHTS_SWITCH")) + "=2"})
        << "-1 is not above 0";
}

// Code, the A300's calculator code, the A310's.
struct CodeCase {
    std::uint32_t code;
    std::string_view a300;
    std::string_view a310;
};

// clang-format off
constexpr CodeCase kCodeCases[] = {
    {67937, R"x(1 (>L:INI_FCU_SELECTED_SPEED_BUTTON))x", R"x(1 (>L:A310_FCU_SELECTED_SPEED_BUTTON))x"},
    {68115, R"x(1 (>L:INI_FCU_SELECTED_SPEED_BUTTON))x", R"x(1 (>L:A310_FCU_SELECTED_SPEED_BUTTON))x"},
    {67938, R"x(1 (>L:INI_FCU_ALTITUDE_PULL_COMMAND))x", R"x(1 (>L:A310_FCU_ALTITUDE_PULL_COMMAND))x"},
    {68166, R"x(1 (>L:INI_FCU_ALTITUDE_PULL_COMMAND))x", R"x(1 (>L:A310_FCU_ALTITUDE_PULL_COMMAND))x"},
    {67942, R"x(1 (>L:INI_AP2_BUTTON))x", R"x(1 (>L:A310_AP2_BUTTON))x"},
    {67950, R"x(1 (>L:AP2_BUTTON))x", R"x(1 (>L:AP2_BUTTON))x"},
    {67951, R"x(1 (>L:AP3_BUTTON))x", R"x(1 (>L:AP3_BUTTON))x"},
    {67952, R"x(1 (>L:INI_FCU_MANAGED_HEADING_BUTTON))x", R"x(1 (>L:A310_FCU_MANAGED_HEADING_BUTTON))x"},
    {67993, R"x(1 (>L:INI_FCU_SYNC_HEADING_BUTTON))x", R"x(1 (>L:A310_FCU_SYNC_HEADING_BUTTON))x"},
    {68167, R"x((L:INI_engine1_agent1_disch) ! (>L:INI_engine1_agent1_disch))x", R"x((L:A300DR_engine1_agent1_disch) ! (>L:A300DR_engine1_agent1_disch))x"},
    {68168, R"x((L:INI_engine2_agent1_disch) ! (>L:INI_engine2_agent1_disch))x", R"x((L:A300DR_engine2_agent1_disch) ! (>L:A300DR_engine2_agent1_disch))x"},
    {68172, R"x((L:INI_engine1_agent2_disch) ! (>L:INI_engine1_agent2_disch))x", R"x((L:A300DR_engine1_agent2_disch) ! (>L:A300DR_engine1_agent2_disch))x"},
    {68836, R"x((L:INI_gpu_avail, Bool) (A:EXTERNAL POWER ON:1, Bool) ! and if{1 (> K:TOGGLE_EXTERNAL_POWER)} els{ (A:EXTERNAL POWER ON : 1, Bool) if{1 (> K:TOGGLE_EXTERNAL_POWER) } })x", R"x((L:A310_gpu_avail, Bool) (A:EXTERNAL POWER ON:1, Bool) ! and if{1 (> K:TOGGLE_EXTERNAL_POWER)} els{ (A:EXTERNAL POWER ON : 1, Bool) if{1 (> K:TOGGLE_EXTERNAL_POWER) } })x"},
    {68206, R"x(1 (>L:INI_FCU_MANAGED_SPEED_BUTTON))x", R"x(1 (>L:A310_FCU_MANAGED_SPEED_BUTTON))x"},
    {68207, R"x(1 (>L:INI_FCU_MANAGED_HEADING_BUTTON))x", R"x(1 (>L:A310_FCU_MANAGED_HEADING_BUTTON))x"},
    {68208, R"x(1 (>L:INI_FCU_ALTITUDE_PUSH_COMMAND))x", R"x(1 (>L:A310_FCU_ALTITUDE_PUSH_COMMAND))x"},
    {68237, R"x(1 (>L:PUSH_EWD_CLR))x", R"x(1 (>L:PUSH_EWD_CLR))x"},
    {68238, R"x(1 (>L:PUSH_EWD_RCL))x", R"x(1 (>L:PUSH_EWD_RCL))x"},
    {68239, R"x(1 (>L:PUSH_ECAM_WHEEL))x", R"x(1 (>L:PUSH_ECAM_WHEEL))x"},
    {68240, R"x(1 (>L:PUSH_ECAM_HYD))x", R"x(1 (>L:PUSH_ECAM_HYD))x"},
    {68241, R"x(1 (>L:PUSH_ECAM_ENG))x", R"x(1 (>L:PUSH_ECAM_ENG))x"},
    {68242, R"x(1 (>L:PUSH_EWD_STS))x", R"x(1 (>L:PUSH_EWD_STS))x"},
    {68243, R"x(1 (>L:PUSH_ECAM_ELEC_DC))x", R"x(1 (>L:PUSH_ECAM_ELEC_DC))x"},
    {68244, R"x(1 (>L:PUSH_ECAM_FUEL))x", R"x(1 (>L:PUSH_ECAM_FUEL))x"},
    {68245, R"x(1 (>L:PUSH_ECAM_COND))x", R"x(1 (>L:PUSH_ECAM_COND))x"},
    {68246, R"x(1 (>L:PUSH_ECAM_DOOR))x", R"x(1 (>L:PUSH_ECAM_DOOR))x"},
    {68247, R"x(1 (>L:PUSH_ECAM_PRESS))x", R"x(1 (>L:PUSH_ECAM_PRESS))x"},
    {68248, R"x(1 (>L:PUSH_ECAM_BLEED))x", R"x(1 (>L:PUSH_ECAM_BLEED))x"},
    {68249, R"x(1 (>L:PUSH_ECAM_FCTL))x", R"x(1 (>L:PUSH_ECAM_FCTL))x"},
    {68251, R"x(1 (>L:PUSH_ECAM_APU))x", R"x(1 (>L:PUSH_ECAM_APU))x"},
    {66440, R"x((L:INI_RMP_COM2_STBY_INNER_KNOB_TURNED_CLOCKWISE, Number) ++ (>L:INI_RMP_COM2_STBY_INNER_KNOB_TURNED_CLOCKWISE, Number))x", R"x((L:A310_RMP_COM2_STBY_INNER_KNOB_TURNED_CLOCKWISE, Number) ++ (>L:A310_RMP_COM2_STBY_INNER_KNOB_TURNED_CLOCKWISE, Number))x"},
    {66300, R"x((L:INI_ENG1_STARTER) ! (>L:INI_ENG1_STARTER))x", R"x((L:A310_ENG1_STARTER) ! (>L:A310_ENG1_STARTER))x"},
    {66301, R"x((L:INI_ENG2_STARTER) ! (>L:INI_ENG2_STARTER))x", R"x((L:A310_ENG2_STARTER) ! (>L:A310_ENG2_STARTER))x"},
    {65859, R"x(1 (>L:AP8_BUTTON))x", R"x(1 (>L:AP8_BUTTON))x"},
    {65860, R"x(1 (>L:AP8_BUTTON))x", R"x(1 (>L:AP8_BUTTON))x"},
    {65861, R"x(1 (> L:INI_takeoff_toggle))x", R"x(1 (> L:A310_takeoff_toggle))x"},
    {65879, R"x(1 (>L:INI_HEADING_DIAL_UP_COMMAND))x", R"x(1 (>L:A310_HEADING_DIAL_UP_COMMAND))x"},
    {65880, R"x(1 (>L:INI_HEADING_DIAL_DN_COMMAND))x", R"x(1 (>L:A310_HEADING_DIAL_DN_COMMAND))x"},
    {65932, R"x((L:INI_ENG1_STARTER) ! (>L:INI_ENG1_STARTER))x", R"x((L:A310_ENG1_STARTER) ! (>L:A310_ENG1_STARTER))x"},
    {65938, R"x((L:INI_ENG2_STARTER) ! (>L:INI_ENG2_STARTER))x", R"x((L:A310_ENG2_STARTER) ! (>L:A310_ENG2_STARTER))x"},
    {65580, R"x(1 (>L:INI_AP1_BUTTON))x", R"x(1 (>L:A310_AP1_BUTTON))x"},
    {65639, R"x((L:INI_RMP_COM1_STBY_INNER_KNOB_TURNED_CLOCKWISE, Number) ++ (>L:INI_RMP_COM1_STBY_INNER_KNOB_TURNED_CLOCKWISE, Number))x", R"x((L:A310_RMP_COM1_STBY_INNER_KNOB_TURNED_CLOCKWISE, Number) ++ (>L:A310_RMP_COM1_STBY_INNER_KNOB_TURNED_CLOCKWISE, Number))x"},
    {65723, R"x(1 (>L:AP6_BUTTON))x", R"x(1 (>L:AP6_BUTTON))x"},
    {65729, R"x(1 (>L:AP6_BUTTON))x", R"x(1 (>L:AP6_BUTTON))x"},
    {65724, R"x(1 (>L:AP7_BUTTON))x", R"x(1 (>L:AP7_BUTTON))x"},
    {65726, R"x(1 (>L:AP1_BUTTON))x", R"x(1 (>L:AP1_BUTTON))x"},
};
// clang-format on

TEST_P(InibuildsBothAircraftTest, CalculatorCodeNamesTheLoadedAircraftsVariables) {
    for (const CodeCase& c : kCodeCases) {
        EXPECT_EQ(RunReceiving(c.code, 1), Lines{"0 code " + std::string(Named(c.a310, c.a300))}) << c.code;
    }
}

// The trailing blank is part of the aircraft's code.
TEST_P(InibuildsBothAircraftTest, GroundSpoilersArmOnlyWhenTheyAreNot) {
    const std::string prefix(Named("A310_", "INI_"));
    const std::string code =
        "code (L:" + prefix + "SPOILERS_ARMED, Bool) ! (L:" + prefix +
        "SPOILERS_HANDLE_POSITION, position 16k) 0 == and if{ 1 } els{ 0 } (> K:SPOILERS_ARM_SET) ";
    EXPECT_EQ(RunReceiving(66067, 1), Lines{"0 " + code}) << "not armed: arm";
    EXPECT_EQ(RunReceiving(66067, 0), Lines{}) << "not armed: nothing to disarm";
    SetVariable(Named("A310_SPOILERS_ARMED", "INI_SPOILERS_ARMED"), 1.0);
    EXPECT_EQ(RunReceiving(66067, 1), Lines{});
    EXPECT_EQ(RunReceiving(66067, -1), Lines{"0 " + code});
}

TEST_P(InibuildsBothAircraftTest, AutobrakeIsPressedToItsLevel) {
    const std::string low = "code 1 (>L:" + std::string(Named("A310_", "INI_")) + "ABRK_LOW_COMMAND)";
    const std::string medium = "code 1 (>L:" + std::string(Named("A310_", "INI_")) + "ABRK_MED_COMMAND)";
    const std::string high = "code 1 (>L:" + std::string(Named("A310_", "INI_")) + "ABRK_HI_COMMAND)";
    EXPECT_EQ(RunReceiving(68352, 0), (Lines{"0 " + medium, "200 " + low, "400 " + low}));
    SetVariable(Named("A310_AUTOBRAKE_LEVEL", "INI_AUTOBRAKE_LEVEL"), 1.0);
    EXPECT_EQ(RunReceiving(68352, 1), Lines{}) << "already at low";
    EXPECT_EQ(RunReceiving(68352, 2), Lines{"0 " + medium});
    EXPECT_EQ(RunReceiving(68352, 4), Lines{"0 " + high});
    EXPECT_EQ(RunReceiving(68352, 5), Lines{});
}

}  // namespace
}  // namespace tarvo::adapters
