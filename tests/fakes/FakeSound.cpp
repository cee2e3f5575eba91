#include "fakes/FakeSound.h"

namespace tarvo::fakes {

std::vector<platform::SoundDeviceInfo> FakeSound::EnumerateDevices() {
    journal_.Add("Sound.EnumerateDevices");
    return devices;
}

platform::HResult FakeSound::CreateDevice(const platform::SoundDeviceInfo& device, platform::SoundDeviceId* created) {
    journal_.Add("Sound.CreateDevice " + device.description);
    platform::HResult result = 0;
    if (!createDeviceResults.empty()) {
        result = createDeviceResults.front();
        createDeviceResults.erase(createDeviceResults.begin());
    }
    *created = result >= 0 ? 0x400 : 0;
    return result;
}

platform::HResult FakeSound::SetCooperativeLevel(platform::SoundDeviceId, WindowId, std::uint32_t level) {
    journal_.Add("Sound.SetCooperativeLevel " + std::to_string(level));
    return 0;
}

std::span<const std::uint8_t> FakeSound::WaveResource(std::uint32_t id) {
    auto found = waves.find(id);
    if (found == waves.end()) return {};
    return found->second;
}

platform::HResult FakeSound::CreateBuffer(platform::SoundDeviceId, std::span<const std::uint8_t>, std::uint32_t size,
                                          std::uint32_t flags, platform::SoundBufferId* created) {
    journal_.Add("Sound.CreateBuffer " + std::to_string(size) + " " + std::to_string(flags));
    *created = nextBuffer_++;
    return 0;
}

platform::HResult FakeSound::Fill(platform::SoundBufferId, std::span<const std::uint8_t> pcm) {
    journal_.Add("Sound.Fill " + std::to_string(pcm.size()));
    return 0;
}

platform::HResult FakeSound::Restore(platform::SoundBufferId) { return 0; }

platform::HResult FakeSound::SetPosition(platform::SoundBufferId, std::uint32_t position) {
    journal_.Add("Sound.SetPosition " + std::to_string(position));
    return 0;
}

platform::HResult FakeSound::Play(platform::SoundBufferId, std::uint32_t flags) {
    journal_.Add("Sound.Play " + std::to_string(flags));
    return 0;
}

platform::HResult FakeSound::Stop(platform::SoundBufferId) {
    journal_.Add("Sound.Stop");
    return 0;
}

void FakeSound::Release(platform::SoundBufferId) { journal_.Add("Sound.Release"); }

}  // namespace tarvo::fakes
