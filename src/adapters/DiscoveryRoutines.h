// Each add-on aircraft's discovery routine: its wanted names, slots and
// thresholds, run by the discovery thread once the module has sent its names.
#pragma once

#include "host/Server.h"

namespace tarvo::adapters {

void DiscoverPmdg737(Server& server);
void DiscoverPmdg777(Server& server);
void DiscoverAsobo747(Server& server);
void DiscoverAsobo787(Server& server);
void DiscoverJustFlight146(Server& server);
void DiscoverCj4Lvars(Server& server);
void DiscoverCj4Hvars(Server& server);
void DiscoverMaddog(Server& server);
void DiscoverCrj(Server& server);
void DiscoverFenixA320(Server& server);
void DiscoverA32nx(Server& server);
void DiscoverInibuilds(Server& server);
void DiscoverAtr(Server& server);
void DiscoverFssEJets(Server& server);
// The GSX ground-services variables, the same on every aircraft.
void DiscoverGroundServices(Server& server);

}  // namespace tarvo::adapters
