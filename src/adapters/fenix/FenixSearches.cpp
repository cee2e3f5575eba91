#include "adapters/fenix/FenixSearches.h"

namespace tarvo::adapters::fenix {

// The searches arrive with the Fenix adapter; until then none runs.
bool RequestTakeoffSearchStop(Server&) { return false; }
bool RequestFmaSearchStop(Server&) { return false; }
void CloseSystemProcess(Server&) {}

}  // namespace tarvo::adapters::fenix
