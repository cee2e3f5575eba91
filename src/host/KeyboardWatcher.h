// The keyboard watcher: one pass samples the keys the crew app cares about and
// posts at most one edge (press or release) to the crew app.
#pragma once

#include "host/Server.h"

namespace tarvo::host {

void WatchKeyboard(Server& server);

}  // namespace tarvo::host
