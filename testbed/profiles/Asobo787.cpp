#include "profiles/Profiles.h"

#include <string>
#include <vector>

namespace tarvo::profiles {

// The Asobo 787-10: its local variables, then its H: events: the display keys
// and both FMCs' keys.
simworld::AircraftProfile Asobo787() {
    simworld::AircraftProfile profile;
    for (const char* name : {
             "B787_IRS_Knob_State:1",
             "B787_IRS_Knob_State:2",
             "XMLVAR_Packs_L_Switch",
             "XMLVAR_Packs_R_Switch",
             "ELECTRICAL_APU_Bleed",
             "XMLVAR_TrimAir_L",
             "XMLVAR_TrimAir_R",
             "XMLVAR_Outflow_Fwd",
             "XMLVAR_Outflow_Aft",
             "XMLVAR_RecircUpper",
             "XMLVAR_FansLower",
             "XMLVAR_Equip_Fwd",
             "XMLVAR_Cooling_Aft",
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
             "AS01B_AUTO_THROTTLE_ARM_STATE",
             "XMLVAR_NAV_AID_SWITCH_L1_State",
             "XMLVAR_NAV_AID_SWITCH_L2_State",
             "XMLVAR_NAV_AID_SWITCH_R1_State",
             "XMLVAR_NAV_AID_SWITCH_R2_State",
             "XMLVAR_Baro1_ForcedToSTD",
             "WT_SEAT_BELTS_MODE",
             "B787_Engine_AntiIce_Knob_State:1",
             "B787_Engine_AntiIce_Knob_State:2",
             "B787_Wing_AntiIce_Knob_State",
             "XMLVAR_HYDRAULICS_DEMAND_LEFT",
             "XMLVAR_HYDRAULICS_C1",
             "XMLVAR_HYDRAULICS_C2",
             "XMLVAR_HYDRAULICS_DEMAND_RIGHT",
             "B78XH_HYDRAULIC_ELEC_L_SWITCH_STATE",
             "B78XH_HYDRAULIC_ELEC_R_SWITCH_STATE",
             "XMLVAR_Utility_Ife",
             "XMLVAR_Utility_Cabin",
             "B747_8_MFD_NAV_MODE",
             "B747_8_MFD_Range",
             "XMLVAR_StandbyPower_Selector",
             "XMLVAR_Transponder_Mode",
             "XMLVAR_LTS_Test",
             "XMLVAR_APU_StarterKnob_Pos",
             "ELECTRICAL_APU_Generator_1",
             "ELECTRICAL_APU_Generator_2",
             "XMLVAR_Battery_Switch_State",
             "Generic_Master_Warning_Active",
             "Generic_Master_Caution_Active",
             "XMLVAR_ELECTRICAL_EmerLights_Cover_Opened",
             "XMLVAR_EMER_LIGHTS_ARMED",
             "XMLVAR_DeiceWindshield:1",
             "XMLVAR_DeiceWindshield:2",
             "XMLVAR_DeiceWindshield:3",
             "XMLVAR_DeiceWindshield:4",
             "WT_78_FLIGHT_COMPUTER_AUTO",
             "B787_10_MFD_2_State",
             "XMLVAR_EICAS_INDEX",
             "FMC_UPDATE_CURRENT_PAGE",
             "P30_010_GL5",
         }) {
        profile.lvars.emplace_back(name, 0.0);
    }
    for (const char* display :
         {"H:AS01B_MFD_2_ENG", "H:AS01B_MFD_2_SYS", "H:AS01B_MFD_2_CHKL", "H:AS01B_MFD_1_TERR", "H:AS01B_MFD_2_TERR"}) {
        profile.hvars.emplace_back(display);
    }
    for (const std::string fmc : {"1", "2"}) {
        const std::string prefix = "H:AS01B_FMC_" + fmc + "_";
        for (int k = 0; k <= 5; ++k) profile.hvars.push_back(prefix + "TRIGGER_LSK_" + std::to_string(k));
        for (int k = 0; k <= 5; ++k) {
            // FMC 1's first right key has a name of its own.
            profile.hvars.push_back(fmc == "1" && k == 0 ? prefix + "RSK_0"
                                                         : prefix + "TRIGGER_RSK_" + std::to_string(k));
        }
        std::vector<std::string> keys = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"};
        for (char letter = 'A'; letter <= 'Z'; ++letter) keys.emplace_back(1, letter);
        for (const char* key : {"DOT", "PLUSMINUS", "SP", "DIV", "CLR", "DIR", "RTE", "DEPARR", "ALTN", "VNAV", "LEGS",
                                "PROG", "HOLD", "FIX", "NAVRAD", "PREVPAGE", "NEXTPAGE", "INIT", "FMCCOMM"}) {
            keys.emplace_back(key);
        }
        for (const std::string& key : keys) profile.hvars.push_back(prefix + "BTN_" + key);
    }
    return profile;
}

}  // namespace tarvo::profiles
