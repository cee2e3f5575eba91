// Worker threads of the PMDG adapters' long sequences, and the knob ticket
// that lets one knob-turning worker run at a time.
#pragma once

#include "adapters/pmdg/Sdk.h"
#include "platform/Threads.h"

#include <cstdint>
#include <functional>

namespace tarvo::adapters::pmdg {

// Runs body on a counted worker at that priority, with the right to send for
// the session current now; false when no thread could be made.
bool StartSdkWorker(Server& server, SdkLink& link, platform::ThreadPriority priority,
                    std::function<void(const Sender&)> body);
// A worker's pause; false once the server shuts down or the worker's session
// is over: the worker then ends without its remaining steps.
bool Pause(const Sender& sender, std::uint32_t milliseconds);

// The knob-busy flag as a ticket per worker. Claiming sets the flag with a
// new ticket; a worker runs while it holds the current ticket and clears the
// flag at its end only if the ticket is still its own.
std::uint64_t ClaimKnob(SdkLink& link);
bool HoldsKnob(const SdkLink& link, std::uint64_t ticket);
void ReleaseKnob(SdkLink& link, std::uint64_t ticket);
bool IsKnobBusy(const SdkLink& link);
// Clears the flag: whichever worker runs stops at its next test.
void CancelKnob(SdkLink& link);

}  // namespace tarvo::adapters::pmdg
