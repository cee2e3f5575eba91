// The Asobo 747 and 787 and the Working Title CJ4, which the generic adapter
// serves through the variables their discovery finds.
#pragma once

#include "host/Server.h"

namespace tarvo::adapters::asobo {

// Discovery routines, run by the discovery thread. The 747's also serves a
// CaptainSim 777; the CJ4's H: events are looked for on the Just Flight 146 too.
void Discover747(Server& server);
void Discover787(Server& server);
void DiscoverCj4Lvars(Server& server);
void DiscoverCj4Hvars(Server& server);

}  // namespace tarvo::adapters::asobo
