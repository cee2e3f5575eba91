#include "link/Sound.h"

#include <algorithm>

namespace tarvo::link {

void EnumerateSoundDevices(Server& server) {
    for (platform::SoundDeviceInfo& device : server.ports.sound.EnumerateDevices()) {
        SoundDevice entry;
        entry.info = std::move(device);
        entry.info.description.resize(std::min<std::size_t>(entry.info.description.size(), 63));
        server.link.soundDevices.push_back(std::move(entry));
    }
}

// The sounds arrive with the sound support; until then no device opens.
bool SetUpSounds(Server&, std::uint32_t, std::int32_t) { return false; }
void PlayLoopingSound(Server&) {}
void StopLoopingSound(Server&) {}
void PlayOneShotSound(Server&) {}

}  // namespace tarvo::link
