#include "adapters/fenix/Fenix.h"

namespace tarvo::adapters::fenix {

// The names arrive with the adapter; until then its slots stay "not found".
void Discover(Server&) {}

}  // namespace tarvo::adapters::fenix
