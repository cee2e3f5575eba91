// DirectSound output devices and static sound buffers, and the program's own
// WAVE resources. Results are DirectSound HRESULTs (negative = failure).
#pragma once

#include "platform/Types.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarvo::platform {

using SoundDeviceId = std::uintptr_t;  // IDirectSound; 0 = none
using SoundBufferId = std::uintptr_t;  // IDirectSoundBuffer; 0 = none
using HResult = std::int32_t;

struct SoundDeviceInfo {
    bool hasGuid = false;  // the primary driver is reported without one
    std::array<std::uint8_t, 16> guid{};
    std::string description;
};

class Sound {
public:
    virtual ~Sound() = default;

    // In the order the system reports them, the primary driver first.
    virtual std::vector<SoundDeviceInfo> EnumerateDevices() = 0;
    virtual HResult CreateDevice(const SoundDeviceInfo& device, SoundDeviceId* created) = 0;
    virtual HResult SetCooperativeLevel(SoundDeviceId device, WindowId window, std::uint32_t level) = 0;

    // The bytes of the program's WAVE resource; empty when it is missing.
    virtual std::span<const std::uint8_t> WaveResource(std::uint32_t id) = 0;

    // A secondary buffer of the given size whose format is the bytes of a WAVEFORMATEX.
    virtual HResult CreateBuffer(SoundDeviceId device, std::span<const std::uint8_t> format,
                                 std::uint32_t size, std::uint32_t flags, SoundBufferId* created) = 0;
    // Locks the entire buffer, copies pcm to its start and unlocks. The result is
    // the lock's: DSERR_BUFFERLOST when the buffer must be restored first, and
    // then nothing was copied.
    virtual HResult Fill(SoundBufferId buffer, std::span<const std::uint8_t> pcm) = 0;
    virtual HResult Restore(SoundBufferId buffer) = 0;
    virtual HResult SetPosition(SoundBufferId buffer, std::uint32_t position) = 0;
    virtual HResult Play(SoundBufferId buffer, std::uint32_t flags) = 0;
    virtual HResult Stop(SoundBufferId buffer) = 0;
    virtual void Release(SoundBufferId buffer) = 0;
};

}  // namespace tarvo::platform
