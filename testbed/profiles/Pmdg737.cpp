#include "profiles/Profiles.h"

namespace tarvo::profiles {

// Typed in with the aircraft's adapter.
simworld::AircraftProfile Pmdg737() { return {}; }

}  // namespace tarvo::profiles
