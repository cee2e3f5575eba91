// Sound devices that exist only in the test, and a record of what was played.
#pragma once

#include "fakes/Journal.h"
#include "platform/Sound.h"

#include <map>
#include <string>

namespace tarvo::fakes {

class FakeSound final : public platform::Sound {
public:
    explicit FakeSound(Journal& journal) : journal_(journal) {}

    std::vector<platform::SoundDeviceInfo> EnumerateDevices() override;
    platform::HResult CreateDevice(const platform::SoundDeviceInfo& device, platform::SoundDeviceId* created) override;
    platform::HResult SetCooperativeLevel(platform::SoundDeviceId device, WindowId window,
                                          std::uint32_t level) override;
    std::span<const std::uint8_t> WaveResource(std::uint32_t id) override;
    platform::HResult CreateBuffer(platform::SoundDeviceId device, std::span<const std::uint8_t> format,
                                   std::uint32_t size, std::uint32_t flags, platform::SoundBufferId* created) override;
    platform::HResult Fill(platform::SoundBufferId buffer, std::span<const std::uint8_t> pcm) override;
    platform::HResult Restore(platform::SoundBufferId buffer) override;
    platform::HResult SetPosition(platform::SoundBufferId buffer, std::uint32_t position) override;
    platform::HResult Play(platform::SoundBufferId buffer, std::uint32_t flags) override;
    platform::HResult Stop(platform::SoundBufferId buffer) override;
    void Release(platform::SoundBufferId buffer) override;

    struct Buffer {
        platform::SoundDeviceId device = 0;
        std::vector<std::uint8_t> format;
        std::uint32_t size = 0;
        std::uint32_t flags = 0;
        std::vector<std::uint8_t> contents;  // what the last successful fill copied
        bool released = false;
    };

    // Scenario controls.
    std::vector<platform::SoundDeviceInfo> devices;
    std::map<std::uint32_t, std::vector<std::uint8_t>> waves;
    // Results by call name ("CreateDevice", "Fill", "Play", ...), consumed in
    // order; S_OK once a call's list is used up. A failed create gives no id.
    std::map<std::string, std::vector<platform::HResult>> results;

    // Every buffer created, released ones included.
    std::map<platform::SoundBufferId, Buffer> buffers;

private:
    platform::HResult NextResult(const std::string& call);

    Journal& journal_;
    platform::SoundDeviceId nextDevice_ = 0x400;
    platform::SoundBufferId nextBuffer_ = 0x500;
};

}  // namespace tarvo::fakes
