// Sound output for the crew app: devices, the looping and one-shot sounds.
#pragma once

#include "host/Server.h"

namespace tarvo::link {

// Lists the DirectSound output devices once, at start-up.
void EnumerateSoundDevices(Server& server);

}  // namespace tarvo::link
