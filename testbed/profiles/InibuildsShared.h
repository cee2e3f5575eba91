// The variables the Inibuilds A300 and A310 both have, under the same names.
#pragma once

namespace tarvo::profiles {

// clang-format off
inline constexpr const char* kInibuildsSharedLvars[] = {
    "AP1_BUTTON",
    "XMLVAR_Baro2_Mode",
    "__GUARD_RAM_AIR_State",
    "__IDG1_COVER_State",
    "__IDG2_COVER_State",
    "XMLVAR_MKR_1_CPT_Switch_Down",
    "XMLVAR_ADF_2_CPT_Switch_Down",
    "XMLVAR_ADF_1_CPT_Switch_Down",
    "XMLVAR_VOR_2_CPT_Switch_Down",
    "AP2_BUTTON",
    "AP3_BUTTON",
    "PUSH_EWD_CLR",
    "PUSH_EWD_RCL",
    "PUSH_ECAM_WHEEL",
    "PUSH_ECAM_HYD",
    "PUSH_ECAM_ENG",
    "PUSH_EWD_STS",
    "PUSH_ECAM_ELEC_DC",
    "PUSH_ECAM_FUEL",
    "PUSH_ECAM_COND",
    "PUSH_ECAM_DOOR",
    "PUSH_ECAM_PRESS",
    "PUSH_ECAM_BLEED",
    "PUSH_ECAM_FCTL",
    "PUSH_ECAM_APU",
    "AP8_BUTTON",
    "AP6_BUTTON",
    "AP7_BUTTON",
    "__GUARD_ENG_TRIM_State",
    "__GUARD_STBY_GEN_State",
    "__GUARD_BAT_OVRD_State",
    "__GUARD_FUEL_IS0_1_State",
    "__GUARD_FUEL_IS0_2_State",
    "__GUARD_FUEL_IS0_3_State",
    "__GUARD_FUEL_IS0_4_State",
    "__GUARD_TRMTK_ISO_State",
    "__GUARD_SERVO_B_State",
    "__GUARD_SERVO_G_State",
    "XMLVAR_Autopilot_Altitude_Increment",
};
// clang-format on

}  // namespace tarvo::profiles
