// The 737's commands that take seconds: each runs on a worker of its own.
#pragma once

#include "adapters/pmdg/SdkState.h"
#include "host/Server.h"

#include <cstdint>

namespace tarvo::adapters::pmdg737 {

// The first officer's CDU key is the captain's plus this.
inline constexpr std::uint32_t kRightCdu = 72;
// The captain's CLR key, which the CDU-clear worker presses.
inline constexpr std::uint32_t kCduClearLeft = 70234;

// The first officer's CDU is there to be addressed.
bool HasRightCdu(const pmdg::SdkLink& link);

void StartTimedSequence(Server& server);
void StartPressAndHold(Server& server);
void StartStartSequence(Server& server);
// The bank angle knob to the requested limit (5 to 30 degrees).
void StartPositionKnob(Server& server, std::int32_t value);
// The transponder code typed on its four knobs; takes the knob-busy flag.
void StartFourDigits(Server& server, std::int32_t value);
// Commands 69097 and 69098: a knob worker that runs is asked to stop and
// given 800 ms, then rewind 1 or 2 starts with the value.
void HandOverToRewind(Server& server, int rewind, std::int32_t value);
// A key sequence on the CDU for command code; one at a time.
void StartCduSequence(Server& server, std::uint32_t code);
// 26 presses of CLR on the CDU the value names.
void StartCduClear(Server& server, std::int32_t value);

}  // namespace tarvo::adapters::pmdg737
