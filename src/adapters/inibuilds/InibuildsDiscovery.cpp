#include "adapters/inibuilds/Inibuilds.h"

namespace tarvo::adapters::inibuilds {

// The names arrive with the adapter; until then its slots stay "not found".
void Discover(Server&) {}

}  // namespace tarvo::adapters::inibuilds
