// The Fenix A320's windows and processes, and the searches of its memory that
// run on threads of their own.
#pragma once

#include "host/Server.h"

namespace tarvo::adapters::fenix {

// Asks a running take-off data search to stop; true when one was running.
bool RequestTakeoffSearchStop(Server& server);
// Asks a running FMA search to stop; true when one was running.
bool RequestFmaSearchStop(Server& server);
// Close the process handle if it is open, and forget what was found in it.
void CloseSystemProcess(Server& server);
void CloseDisplayProcess(Server& server);

// Looks for the Fenix A320's hidden system window by enumeration; sets the
// Fenix window and flag when found.
void FindFenixByEnumeration(Server& server);
// Looks for it by the class and title of the known versions; the result (maybe
// 0) becomes the Fenix window.
void FindFenixByKnownVersions(Server& server);

// The processes, opened with all access (and the debug privilege asked for)
// from the Fenix window, or from the display window, when not open yet; 0 when
// there is no window or the process cannot be opened.
ProcessHandle OpenSystemProcess(Server& server);
ProcessHandle OpenDisplayProcess(Server& server);
bool IsSystemProcessOpen(Server& server);

// Forgets where the take-off data was found (another aircraft is loaded).
void ForgetTakeoffDataAddresses(Server& server);

// The take-off data search: at most one at a time. Start forgets nothing;
// the caller decides what to forget first.
bool IsTakeoffSearchRunning(Server& server);
void StartTakeoffSearch(Server& server);
// The FMA search.
bool IsFmaSearchRunning(Server& server);
void StartFmaSearch(Server& server);

}  // namespace tarvo::adapters::fenix
