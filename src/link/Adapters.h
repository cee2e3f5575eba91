// The aircraft adapter table and its selection.
#pragma once

#include "host/Server.h"

namespace tarvo::link {

// Calls the unload operation of the current adapter.
void UnloadAdapter(Server& server);

}  // namespace tarvo::link
