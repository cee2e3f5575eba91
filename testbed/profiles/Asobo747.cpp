#include "profiles/Profiles.h"

namespace tarvo::profiles {

// The Asobo 747-8: its local variables in the order the module lists them.
simworld::AircraftProfile Asobo747() {
    simworld::AircraftProfile profile;
    for (const char* name : {
             "747_IRS_KNOB_2",
             "747_IRS_KNOB_1",
             "747_IRS_KNOB_3",
             "XMLVAR_EICAS_CURRENT_PAGE",
             "747_Aircond_Knob_1",
             "747_Aircond_Knob_2",
             "747_Aircond_Knob_3",
             "ELECTRICAL_APU_Bleed",
             "XMLVAR_Autopilot_1_Status",
             "XMLVAR_Autopilot_3_Status",
             "XMLVAR_Autopilot_2_Status",
             "AP_ALT_HOLD_ACTIVE",
             "AP_FLCH_ACTIVE",
             "AP_HEADING_HOLD_ACTIVE",
             "AP_LNAV_ARMED",
             "AP_VNAV_ARMED",
             "AP_VNAV_ACTIVE",
             "AP_SPD_ACTIVE",
             "AP_VS_ACTIVE",
             "XMLVAR_FPA_MODE_ACTIVE",
             "AP_SPEED_INTERVENTION_ACTIVE",
             "XMLVAR_AUTO_THROTTLE_ARM_0_STATE",
             "XMLVAR_NAV_AID_SWITCH_L1_State",
             "XMLVAR_NAV_AID_SWITCH_L2_State",
             "XMLVAR_NAV_AID_SWITCH_R1_State",
             "XMLVAR_NAV_AID_SWITCH_R2_State",
             "XMLVAR_Baro1_ForcedToSTD",
             "XMLVAR_SeatBelts",
             "B747_8_MFD_NAV_MODE",
             "B747_8_MFD_Range",
             "XMLVAR_StandbyPower_Selector",
             "XMLVAR_Transponder_Mode",
             "XMLVAR_LTS_Test",
             "XMLVAR_APU_StarterKnob_Pos",
             "Generic_Master_Warning_Active",
             "Generic_Master_Caution_Active",
             "P30_010_GL5",
         }) {
        profile.lvars.emplace_back(name, 0.0);
    }
    return profile;
}

}  // namespace tarvo::profiles
