#include "profiles/Profiles.h"

namespace tarvo::profiles {

// Typed in with the aircraft's adapter.
simworld::AircraftProfile Fenix() { return {}; }

}  // namespace tarvo::profiles
