#include "sound/Sound.h"

#include "sound/DirectSound.h"

#include <algorithm>
#include <memory>

namespace tarvo::sound {
namespace {

constexpr int kOpenTries = 5;
constexpr std::uint32_t kOpenRetryPause = 200;
constexpr std::uint32_t kDsSclNormal = 1;
constexpr std::uint32_t kOneShotResource = 250;
constexpr std::uint32_t kLoopingResourceBase = 254;  // + variant 1 to 3

// A device that is busy or whose driver is still coming up may open a moment later.
bool OpenDevice(Server& server, SoundDevice& entry, WindowId window) {
    platform::Sound& sound = server.ports.sound;
    platform::HResult result = 0;
    for (int attempt = 0; attempt < kOpenTries; ++attempt) {
        if (attempt > 0) server.ports.clock.Sleep(kOpenRetryPause);
        entry.device = 0;
        result = sound.CreateDevice(entry.info, &entry.device);
        if (result != kDsErrAllocated && result != kDsErrNoDriver) break;
    }
    if (result < 0) {
        entry.device = 0;
        return false;
    }
    result = sound.SetCooperativeLevel(entry.device, window, kDsSclNormal);
    entry.opened = true;
    return result >= 0;
}

// Null when the sound cannot be loaded: its play message then does nothing.
std::unique_ptr<CDirectSound> MakeSound(Server& server, platform::SoundDeviceId device, std::uint32_t resourceId) {
    auto made = std::make_unique<CDirectSound>(server.ports.sound, device);
    if (!made->Load(resourceId)) return nullptr;
    return made;
}

}  // namespace

void EnumerateSoundDevices(Server& server) {
    for (platform::SoundDeviceInfo& device : server.ports.sound.EnumerateDevices()) {
        SoundDevice entry;
        entry.info = std::move(device);
        entry.info.description.resize(std::min<std::size_t>(entry.info.description.size(), 63));
        server.sound.devices.push_back(std::move(entry));
    }
}

bool SetUpSounds(Server& server, WParam deviceIndex, std::int32_t variant) {
    SoundState& sound = server.sound;
    // The index comes from the crew app unchecked; one past the list changes nothing.
    if (deviceIndex >= sound.devices.size()) return false;
    sound.deviceIndex = static_cast<std::uint32_t>(deviceIndex);
    SoundDevice& entry = sound.devices[deviceIndex];
    if (entry.device == 0 && !OpenDevice(server, entry, server.host.linkWindow)) return false;

    sound.variant = variant;
    sound.loopingSound.reset();
    sound.oneShotSound.reset();
    const auto loopingResource = kLoopingResourceBase + static_cast<std::uint32_t>(std::clamp(variant, 1, 3));
    sound.loopingSound = MakeSound(server, entry.device, loopingResource);
    sound.oneShotSound = MakeSound(server, entry.device, kOneShotResource);
    return true;
}

void PlayLoopingSound(Server& server) {
    if (server.sound.variant >= 1 && server.sound.loopingSound) server.sound.loopingSound->Play(0, true);
}

void StopLoopingSound(Server& server) {
    if (server.sound.variant >= 1 && server.sound.loopingSound) server.sound.loopingSound->Stop();
}

void PlayOneShotSound(Server& server) {
    if (server.sound.oneShotSound) server.sound.oneShotSound->Play(0, false);
}

}  // namespace tarvo::sound
