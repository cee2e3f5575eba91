#include "link/AtcMenu.h"

namespace tarvo::link {

// The menu reader arrives with the ATC menu support; until then nothing is read.
bool StartAtcReader(Server&) { return false; }

}  // namespace tarvo::link
