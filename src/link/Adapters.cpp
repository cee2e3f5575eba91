#include "link/Adapters.h"

namespace tarvo::link {

// The adapter table arrives with aircraft selection; until then there is nothing to unload.
void UnloadAdapter(Server&) {}

}  // namespace tarvo::link
