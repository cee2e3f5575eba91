#include "adapters/generic/GenericAdapter.h"

namespace tarvo::adapters::generic {

// The command set arrives with its own support; until then commands do nothing.
void RunCommand(Server&, std::uint32_t, std::int32_t) {}

}  // namespace tarvo::adapters::generic
