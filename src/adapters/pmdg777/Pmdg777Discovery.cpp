#include "adapters/pmdg777/Pmdg777.h"

namespace tarvo::adapters::pmdg777 {

// The names arrive with the adapter; until then its slots stay "not found".
void Discover(Server&) {}

}  // namespace tarvo::adapters::pmdg777
