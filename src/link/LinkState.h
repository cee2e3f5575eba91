// State of the crew-app link: the window protocol, overlay, ATC menu, sound.
#pragma once

#include "platform/Sound.h"

#include <vector>

namespace tarvo::link {

struct SoundDevice {
    platform::SoundDeviceInfo info;
    platform::SoundDeviceId device = 0;  // 0 until opened
    bool opened = false;
};

struct LinkState {
    // In the order the system reported them; filled once at start-up.
    std::vector<SoundDevice> soundDevices;
};

}  // namespace tarvo::link
