#include "adapters/maddog/Maddog.h"

namespace tarvo::adapters::maddog {

// The names arrive with the adapter; until then its slots stay "not found".
void Discover(Server&) {}

}  // namespace tarvo::adapters::maddog
