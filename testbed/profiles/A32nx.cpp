#include "profiles/Profiles.h"

namespace tarvo::profiles {

// Typed in with the aircraft's adapter.
simworld::AircraftProfile A32nx() { return {}; }

}  // namespace tarvo::profiles
