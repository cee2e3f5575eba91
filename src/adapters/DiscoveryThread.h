// The discovery thread: once per aircraft selection it brings the bridge up,
// waits for the module's names, runs the aircraft's discovery routines and
// tells the crew app the aircraft is ready.
#pragma once

#include "host/Server.h"

namespace tarvo::adapters {

// Starts the thread (above normal priority while a Fenix is known, below
// normal otherwise). It serves whichever aircraft is current when it begins.
void StartDiscoveryThread(Server& server);

// The thread's body.
void RunDiscovery(Server& server);

}  // namespace tarvo::adapters
