#include "adapters/gsx/Gsx.h"

namespace tarvo::adapters::gsx {

// The names arrive with the adapter; until then its slots stay "not found".
void Discover(Server&) {}

}  // namespace tarvo::adapters::gsx
