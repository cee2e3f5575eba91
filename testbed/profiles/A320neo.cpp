#include "profiles/Profiles.h"

namespace tarvo::profiles {

// Typed in with the aircraft's adapter.
simworld::AircraftProfile A320neo() { return {}; }

}  // namespace tarvo::profiles
