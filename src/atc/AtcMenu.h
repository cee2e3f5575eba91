// The simulator's ATC menu, read from the simulator's memory.
#pragma once

#include "host/Server.h"

#include <cstdint>

namespace tarvo::atc {

// Starts the reader thread when it may run; returns whether one is running.
bool StartAtcReader(Server& server);
// Reads the menu now and tells the crew app when it changed; false while the
// menu has not been found.
bool ReadAtcMenu(Server& server, bool refresh);
// Chooses the menu entry matching the program's phrase; false when none matches.
bool ChooseAtcEntry(Server& server, std::uint32_t phraseId);
// Sends the menu text (WM_COPYDATA kind 612); 1 when delivered, 0 when the
// send failed or timed out or an outside source could not be read.
MessageResult SendAtcText(Server& server, bool refresh);

}  // namespace tarvo::atc
