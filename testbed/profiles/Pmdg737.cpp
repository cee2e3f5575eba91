#include "profiles/Profiles.h"

namespace tarvo::profiles {

// A PMDG 737-800: the local variables its panel exposes besides the SDK data
// area, in no particular order, and the hose variable only the -800 has.
simworld::AircraftProfile Pmdg737() {
    simworld::AircraftProfile profile;
    const char* const names[] = {
        "NGXWheelChocks",         "NGXAirStairRails", "NGXAirStartCart",      "FwdLeftCabinDoor",
        "FwdRightCabinDoor",      "AftLeftCabinDoor", "AftRightCabinDoor",    "FwdLwrCargoDoor",
        "AftLwrCargoDoor",        "RudderTrimTT",     "AileronTrimTT",        "ElevTrimTT",
        "NGXLeftOutbdTrailFlaps", "switch_02_73X",    "switch_11_73X",        "switch_13_73X",
        "switch_15_73X",          "switch_18_73X",    "switch_19_73X",        "switch_66_73X",
        "switch_68_73X",          "switch_73_73X",    "switch_74_73X",        "switch_75_73X",
        "switch_79_73X",          "switch_81_73X",    "switch_101_73X",       "switch_264_73X",
        "switch_265_73X",         "switch_267_73X",   "switch_270_73X",       "switch_298_73X",
        "switch_299_73X",         "switch_325_73X",   "switch_326_73X",       "switch_335_73X",
        "switch_336_73X",         "switch_389_73X",   "switch_458_73X",       "switch_502_73X",
        "switch_504_73X",         "switch_506_73X",   "switch_679_73X",       "switch_688_73X",
        "switch_689_73X",         "switch_710_73X",   "switch_712_73X",       "switch_739_73X",
        "switch_740_73X",         "switch_746_73X",   "switch_747_73X",       "switch_748_73X",
        "switch_749_73X",         "switch_750_73X",   "switch_800_73X",       "switch_830_73X",
        "switch_831_73X",         "switch_974_73X",   "visors_stow_unstow_L", "visors_stow_unstow_R",
        "AC_Hose_NGXu_800X",
    };
    for (const char* name : names) profile.lvars.emplace_back(name, 0.0);
    return profile;
}

}  // namespace tarvo::profiles
