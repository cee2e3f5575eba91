// State of the crew app's sounds: the output devices and the two sounds.
#pragma once

#include "platform/Sound.h"
#include "sound/DirectSound.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tarvo::sound {

struct SoundDevice {
    platform::SoundDeviceInfo info;
    platform::SoundDeviceId device = 0;  // 0 until opened
    bool opened = false;
};

struct SoundState {
    // In the order the system reported them; filled once at start-up.
    std::vector<SoundDevice> devices;
    std::uint32_t deviceIndex = 0;
    // 0 or less: sounds off (the looping sound is still built, but neither plays nor stops).
    std::int32_t variant = 0;
    // Built again for each device and variant the crew app chooses; null when absent.
    std::unique_ptr<CDirectSound> loopingSound;
    std::unique_ptr<CDirectSound> oneShotSound;
};

}  // namespace tarvo::sound
