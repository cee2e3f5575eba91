#include "adapters/DiscoveryRoutines.h"

namespace tarvo::adapters {

// Each routine's names and slots arrive with its adapter; until then the
// aircraft's slots stay "not found".
void DiscoverPmdg737(Server&) {}
void DiscoverPmdg777(Server&) {}
void DiscoverAsobo747(Server&) {}
void DiscoverAsobo787(Server&) {}
void DiscoverJustFlight146(Server&) {}
void DiscoverCj4Lvars(Server&) {}
void DiscoverCj4Hvars(Server&) {}
void DiscoverMaddog(Server&) {}
void DiscoverCrj(Server&) {}
void DiscoverFenixA320(Server&) {}
void DiscoverA32nx(Server&) {}
void DiscoverInibuilds(Server&) {}
void DiscoverAtr(Server&) {}
void DiscoverFssEJets(Server&) {}
void DiscoverGroundServices(Server&) {}

}  // namespace tarvo::adapters
