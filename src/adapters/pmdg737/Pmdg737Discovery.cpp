#include "adapters/pmdg737/Pmdg737.h"

namespace tarvo::adapters::pmdg737 {

// The names arrive with the adapter; until then its slots stay "not found".
void Discover(Server&) {}

}  // namespace tarvo::adapters::pmdg737
