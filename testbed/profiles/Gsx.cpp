#include "profiles/Profiles.h"

namespace tarvo::profiles {

// Typed in with the aircraft's adapter.
simworld::AircraftProfile Gsx() { return {}; }

}  // namespace tarvo::profiles
