// The CRJ's timed sequences, each on a worker of its own (below normal
// priority unless said otherwise). They write only while the CRJ is loaded.
#pragma once

#include "host/Server.h"

#include <cstdint>
#include <optional>

namespace tarvo::adapters::crj {

// Engine 1 or 2; the value as the command gave it (0 cutoff, else fuel on).
void StartFuelLever(Server& server, std::int32_t engine, std::int32_t value);
void StartApuStart(Server& server);
// At normal priority.
void StartApuStop(Server& server);
void StartYawDampers(Server& server);
void StartTrimEngage(Server& server);
void StartHeadingSync(Server& server);
void StartStallTest(Server& server);
void StartRtuSequence(Server& server);
// Ignored while a transponder worker runs.
void StartTransponder(Server& server, std::int32_t code);

// Clicks of the tuning unit's outer and inner knob from one transponder code to
// another, up positive: each pair of digits is an octal number.
struct KnobClicks {
    std::int32_t outer = 0;
    std::int32_t inner = 0;
};
// Nothing for a code outside 0 to 7777 or with an 8 or a 9.
std::optional<KnobClicks> TransponderClicks(std::int32_t from, std::int32_t to);

}  // namespace tarvo::adapters::crj
