#include "profiles/Profiles.h"

namespace tarvo::profiles {

// Typed in with the aircraft's adapter.
simworld::AircraftProfile Cj4() { return {}; }

}  // namespace tarvo::profiles
