#include "profiles/Profiles.h"

namespace tarvo::profiles {

// GSX's ground-services variables, the same on every aircraft; load "gsx" after
// an aircraft's profile, whole or its first n names.
simworld::AircraftProfile Gsx() {
    simworld::AircraftProfile profile;
    for (const char* name : {
             "FSDT_GSX_STATE",
             "FSDT_GSX_COUATL_STARTED",
             "FSDT_GSX_MENU_OPEN",
             "FSDT_GSX_MENU_CHOICE",
             "FSDT_GSX_JETWAY_AIR",
             "FSDT_GSX_JETWAY",
             "FSDT_GSX_STAIRS",
             "FSDT_GSX_GPU_STATE",
             "FSDT_GSX_CATERING_STATE",
             "FSDT_GSX_BOARDING_STATE",
             "FSDT_GSX_REFUELING_STATE",
             "FSDT_GSX_DEPARTURE_STATE",
             "FSDT_GSX_DEICING_STATE",
             "FSDT_GSX_DEBOARDING_STATE",
             "FSDT_GSX_DEICE_STATE",
             "FSDT_GSX_LAVATORY_STATE",
             "FSDT_GSX_WATER_STATE",
             "FSDT_GSX_FUELHOSE_CONNECTED",
             "FSDT_GSX_FOLLOWME_STATE",
             "FSDT_GSX_JETWAY_POWER",
             "FSDT_GSX_OPERATEJETWAYS_STATE",
             "FSDT_GSX_OPERATESTAIRS_STATE",
             "FSDT_GSX_BYPASS_PIN",
             "FSDT_GSX_BOARDING_CARGO",
             "FSDT_GSX_AIRCRAFT_SERVICE_1_TOGGLE",
             "FSDT_GSX_AIRCRAFT_SERVICE_2_TOGGLE",
             "FSDT_GSX_AIRCRAFT_SERVICE_3_TOGGLE",
             "FSDT_GSX_BOARDING_CARGO_PERCENT",
             "FSDT_GSX_DEBOARDING_CARGO_PERCENT",
             "FSDT_GSX_AIRCRAFT_EXIT_1_TOGGLE",
             "FSDT_GSX_AIRCRAFT_EXIT_2_TOGGLE",
             "FSDT_GSX_AIRCRAFT_EXIT_3_TOGGLE",
             "FSDT_GSX_AIRCRAFT_EXIT_4_TOGGLE",
             "FSDT_GSX_AIRCRAFT_EXIT_5_TOGGLE",
             "FSDT_GSX_AIRCRAFT_CARGO_1_TOGGLE",
             "FSDT_GSX_AIRCRAFT_CARGO_2_TOGGLE",
             "FSDT_GSX_AIRCRAFT_CARGO_3_TOGGLE",
             "FSDT_GSX_AIRCRAFT_MAINCARGO_TOGGLE",
             "FSDT_VAR_Frozen",
         }) {
        profile.lvars.emplace_back(name, 0.0);
    }
    return profile;
}

}  // namespace tarvo::profiles
