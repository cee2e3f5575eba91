#include "adapters/atr/Atr.h"

namespace tarvo::adapters::atr {

// The names arrive with the adapter; until then its slots stay "not found".
void Discover(Server&) {}

}  // namespace tarvo::adapters::atr
