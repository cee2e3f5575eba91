#include "profiles/Profiles.h"

#include <string>

namespace tarvo::profiles {

// The simulator's own A320neo: the few variables the server looks for that it
// has (none of the A32NX's own systems), and its FCU's H: events.
simworld::AircraftProfile A320neo() {
    simworld::AircraftProfile profile;
    for (const char* name : {
             "XMLVAR_SWITCH_OVHD_INTLT_NOSMOKING_Position",
             "XMLVAR_SWITCH_OVHD_INTLT_SEATBELT_Position",
             "XMLVAR_SWITCH_OVHD_INTLT_EMEREXIT_Position",
             "LIGHTING_STROBE_0",
             "LIGHTING_LANDING_1",
             "LIGHTING_LANDING_2",
             "LIGHTING_LANDING_3",
             "XMLVAR_Autobrake_Level_Armed",
             "XMLVAR_A320_WeatherRadar_Mode",
             "XMLVAR_A320_WeatherRadar_Sys",
             "XMLVAR_ECAM_CURRENT_PAGE",
             "XMLVAR_RudderTrim",
             "XMLVAR_Autobrakes_Level",
             "A320_Neo_PFD_1_ScreenLuminosity",
             "A320_Neo_MFD_1_ScreenLuminosity",
             "A320_Neo_PFD_2_ScreenLuminosity",
             "A320_Neo_MFD_2_ScreenLuminosity",
             "XMLVAR_NAV_AID_SWITCH_L1_State",
             "XMLVAR_NAV_AID_SWITCH_L2_State",
             "Generic_Master_Caution_Active",
             "Generic_Master_Warning_Active",
             "A320_Neo_MFD_NAV_MODE",
             "A320_Neo_MFD_Range",
             "BTN_LS_FILTER_ACTIVE",
             "XMLVAR_AirSpeedIsInMach",
         }) {
        profile.lvars.emplace_back(name, 0.0);
    }
    for (const char* knob : {"HDG_PUSH", "HDG_PULL", "HDG_INC", "HDG_DEC", "SPEED_INC", "SPEED_DEC", "VS_INC", "VS_DEC",
                             "VS_PULL", "VS_PUSH", "ALT_PULL", "ALT_PUSH"}) {
        profile.hvars.push_back(std::string("H:A320_Neo_FCU_") + knob);
    }
    profile.hvars.emplace_back("H:A320_Neo_EXPEDITE_MODE");
    return profile;
}

}  // namespace tarvo::profiles
