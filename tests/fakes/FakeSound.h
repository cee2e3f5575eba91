// Sound devices that exist only in the test, and a record of what was played.
#pragma once

#include "fakes/Journal.h"
#include "platform/Sound.h"

#include <map>

namespace tarvo::fakes {

class FakeSound final : public platform::Sound {
public:
    explicit FakeSound(Journal& journal) : journal_(journal) {}

    std::vector<platform::SoundDeviceInfo> EnumerateDevices() override;
    platform::HResult CreateDevice(const platform::SoundDeviceInfo& device, platform::SoundDeviceId* created) override;
    platform::HResult SetCooperativeLevel(platform::SoundDeviceId device, WindowId window, std::uint32_t level) override;
    std::span<const std::uint8_t> WaveResource(std::uint32_t id) override;
    platform::HResult CreateBuffer(platform::SoundDeviceId device, std::span<const std::uint8_t> format,
                                   std::uint32_t size, std::uint32_t flags, platform::SoundBufferId* created) override;
    platform::HResult Fill(platform::SoundBufferId buffer, std::span<const std::uint8_t> pcm) override;
    platform::HResult Restore(platform::SoundBufferId buffer) override;
    platform::HResult SetPosition(platform::SoundBufferId buffer, std::uint32_t position) override;
    platform::HResult Play(platform::SoundBufferId buffer, std::uint32_t flags) override;
    platform::HResult Stop(platform::SoundBufferId buffer) override;
    void Release(platform::SoundBufferId buffer) override;

    // Scenario controls.
    std::vector<platform::SoundDeviceInfo> devices;
    std::vector<platform::HResult> createDeviceResults;  // consumed in order; S_OK when empty
    std::map<std::uint32_t, std::vector<std::uint8_t>> waves;

private:
    Journal& journal_;
    platform::SoundBufferId nextBuffer_ = 0x500;
};

}  // namespace tarvo::fakes
