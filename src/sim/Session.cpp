#include "sim/Session.h"

namespace tarvo::sim {

// The definitions and subscriptions arrive with the simulator session support.
void SetUpSession(Server&) {}

}  // namespace tarvo::sim
