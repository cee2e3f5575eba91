#pragma once

#include "platform/Sound.h"

namespace tarvo::win32 {

class Win32Sound final : public platform::Sound {
public:
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
};

}  // namespace tarvo::win32
