// The Fenix A320's flight-mode annunciations, read from its display process
// and decoded into the snapshot record's mode words.
#pragma once

#include "host/Server.h"

namespace tarvo::link {
struct SnapshotRecord;
}

namespace tarvo::adapters::fenix {

// Writes the autothrust, lateral and vertical mode words (38 to 42) that the
// annunciations show; a word whose annunciation reads as nothing known keeps
// its value. Starts a search for the annunciations when they are not found.
void DecodeFma(Server& server, link::SnapshotRecord& record);

}  // namespace tarvo::adapters::fenix
