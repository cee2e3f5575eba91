// The Fenix A320's memory searches and its system process, as far as start-up
// and shutdown deal with them.
#pragma once

#include "host/Server.h"

namespace tarvo::adapters::fenix {

// Asks a running take-off data search to stop; true when one was running.
bool RequestTakeoffSearchStop(Server& server);
// Asks a running FMA search to stop; true when one was running.
bool RequestFmaSearchStop(Server& server);
// Closes the Fenix system process handle if it is open.
void CloseSystemProcess(Server& server);
// Closes the Fenix display process handle if it is open.
void CloseDisplayProcess(Server& server);

// Looks for the Fenix A320's hidden system window by enumeration; sets the
// Fenix window and flag when found.
void FindFenixByEnumeration(Server& server);
// Looks for it by the class and title of the known versions; the result (maybe
// 0) becomes the Fenix window.
void FindFenixByKnownVersions(Server& server);

// The FCU reader over the Fenix system process; true when its data can be read.
bool IsSystemProcessOpen(Server& server);
bool SetUpFcuReader(Server& server);
// Forgets where the take-off data was found (another aircraft is loaded).
void ForgetTakeoffDataAddresses(Server& server);

// The take-off data search over the Fenix's memory.
bool IsTakeoffSearchRunning(Server& server);
void StartTakeoffSearch(Server& server);

}  // namespace tarvo::adapters::fenix
