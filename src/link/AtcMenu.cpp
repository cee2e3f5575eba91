#include "link/AtcMenu.h"

namespace tarvo::link {

// The menu reader arrives with the ATC menu support; until then no menu is known.
bool StartAtcReader(Server&) { return false; }
bool ReadAtcMenu(Server&, bool) { return false; }
bool ChooseAtcEntry(Server&, std::uint32_t) { return false; }
MessageResult SendAtcText(Server&, bool) { return 0; }

}  // namespace tarvo::link
