#include "profiles/Profiles.h"

namespace tarvo::profiles {

// Typed in with the aircraft's adapter.
simworld::AircraftProfile Pmdg777() { return {}; }

}  // namespace tarvo::profiles
