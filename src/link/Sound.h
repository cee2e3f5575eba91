// Sound output for the crew app: devices, the looping and one-shot sounds.
#pragma once

#include "host/Server.h"

#include <cstdint>

namespace tarvo::link {

// Lists the DirectSound output devices once, at start-up.
void EnumerateSoundDevices(Server& server);
// Message 39379: opens the device if needed and builds the sounds for a variant;
// false when the device cannot be opened.
bool SetUpSounds(Server& server, std::uint32_t deviceIndex, std::int32_t variant);
void PlayLoopingSound(Server& server);
void StopLoopingSound(Server& server);
void PlayOneShotSound(Server& server);

}  // namespace tarvo::link
