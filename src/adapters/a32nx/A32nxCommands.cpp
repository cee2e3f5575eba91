#include "adapters/a32nx/A32nx.h"

namespace tarvo::adapters::a32nx {

// The A320 family's own commands arrive with the adapter; until then they do nothing.
void HandleCommand(Server&, std::uint32_t, std::uint32_t) {}

}  // namespace tarvo::adapters::a32nx
