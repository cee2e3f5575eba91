// Sound output for the crew app: devices, the looping and one-shot sounds.
#pragma once

#include "host/Server.h"

#include <cstdint>

namespace tarvo::sound {

// Lists the DirectSound output devices once, at start-up.
void EnumerateSoundDevices(Server& server);
// Message 39379: opens the device if needed and builds the sounds for a variant;
// false, with the sounds left as they were, when the index is outside the device
// list or the device cannot be opened.
bool SetUpSounds(Server& server, WParam deviceIndex, std::int32_t variant);
// Messages 39193 and 39194; nothing while the variant is below 1.
void PlayLoopingSound(Server& server);
void StopLoopingSound(Server& server);
void PlayOneShotSound(Server& server);

}  // namespace tarvo::sound
