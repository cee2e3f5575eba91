#include "adapters/generic/GenericAdapter.h"

namespace tarvo::adapters::generic {

// The state reports arrive with their own support; until then they leave the
// records as they are.
void FillAutopilotState(Server&, link::SnapshotRecord&) {}
void CountEngineStates(Server&, link::SnapshotRecord&, std::int32_t&, std::int32_t&, std::int32_t&, std::int32_t&) {}

}  // namespace tarvo::adapters::generic
