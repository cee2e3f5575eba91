// The Inibuilds commands that take seconds run on worker threads of their
// own: the fire tests and the transponder dial.
#pragma once

#include "host/Server.h"

#include <cstdint>

namespace tarvo::adapters::inibuilds {

enum class FireTest : std::uint8_t { Engine1, Engine2, Apu, BothEngines };

void StartFireTest(Server& server, FireTest test);

// The transponder's knobs only give the digits 0 to 7.
bool IsSquawkCode(std::int32_t code);
// Dials the code on the two knobs, from the code the transponder shows now
// (main thread), or from where the dial before it left them.
void StartTransponderDial(Server& server, std::int32_t code);

// The workers still running stop at their next step; returns once they have
// ended, or after a second at most.
void StopWorkers(Server& server);

}  // namespace tarvo::adapters::inibuilds
