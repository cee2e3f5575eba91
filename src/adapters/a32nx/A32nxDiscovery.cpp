#include "adapters/a32nx/A32nx.h"

namespace tarvo::adapters::a32nx {

// The names arrive with the adapter; until then its slots stay "not found".
void Discover(Server&) {}

}  // namespace tarvo::adapters::a32nx
