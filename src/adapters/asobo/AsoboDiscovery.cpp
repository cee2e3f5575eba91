#include "adapters/asobo/Asobo.h"

namespace tarvo::adapters::asobo {

// The names arrive with the adapter; until then its slots stay "not found".
void Discover747(Server&) {}
void Discover787(Server&) {}
void DiscoverCj4Lvars(Server&) {}
void DiscoverCj4Hvars(Server&) {}

}  // namespace tarvo::adapters::asobo
