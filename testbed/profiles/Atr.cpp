#include "profiles/Profiles.h"

namespace tarvo::profiles {

// Typed in with the aircraft's adapter.
simworld::AircraftProfile Atr() { return {}; }

}  // namespace tarvo::profiles
