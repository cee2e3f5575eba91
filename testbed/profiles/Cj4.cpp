#include "profiles/Profiles.h"

#include <string>
#include <vector>

namespace tarvo::profiles {

// The Working Title CJ4: its local variables, its autopilot panel's H: events
// and its FMC's keys.
simworld::AircraftProfile Cj4() {
    simworld::AircraftProfile profile;
    for (const char* name : {
             "WT_CJ4_FLC_ON",
             "WT_CJ4_HDG_ON",
             "WT_CJ4_NAV_ON",
             "WT_CJ4_VNAV_ON",
             "WT_CJ4_VS_ON",
             "XMLVAR_Baro1_ForcedToSTD",
             "SEATBELT_LIGHT_ON",
             "SAFETY_LIGHT_ON",
             "LIGHTING_LOGO_1",
             "LIGHTING_NAV_1",
             "DEICE_Airframe_1",
             "DEICE_Airframe_2",
             "XMLVAR_Transponder_Mode",
             "WT_CJ4_EMER_LIGHT_ARMED",
             "Generic_Master_Warning_Active",
             "Generic_Master_Caution_Active",
         }) {
        profile.lvars.emplace_back(name, 0.0);
    }
    for (const char* event :
         {"H:WT_CJ4_AP_HDG_PRESSED", "H:WT_CJ4_AP_NAV_PRESSED", "H:WT_CJ4_AP_APPR_PRESSED", "H:WT_CJ4_AP_VNAV_PRESSED",
          "H:WT_CJ4_AP_VS_PRESSED", "H:WT_CJ4_AP_FLC_PRESSED", "H:WT_CJ4_AP_FD_TOGGLE", "H:WT_CJ4_AP_ALT_PRESSED"}) {
        profile.hvars.emplace_back(event);
    }
    std::vector<std::string> keys;
    for (int k = 1; k <= 6; ++k) keys.push_back("L" + std::to_string(k));
    for (int k = 1; k <= 6; ++k) keys.push_back("R" + std::to_string(k));
    for (const char* digit : {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"}) keys.emplace_back(digit);
    for (char letter = 'A'; letter <= 'Z'; ++letter) keys.emplace_back(1, letter);
    for (const char* key : {"DOT", "PLUSMINUS", "DIV", "CLR", "DIR", "DSPL_MENU", "MFD_DATA", "PERF", "DEPARR", "EXEC",
                            "FPLN", "PREVPAGE", "NEXTPAGE"}) {
        keys.emplace_back(key);
    }
    for (const std::string& key : keys) profile.hvars.push_back("H:CJ4_FMC_1_BTN_" + key);
    return profile;
}

}  // namespace tarvo::profiles
