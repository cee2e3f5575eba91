// One sound: a WAVE resource of the program in a static DirectSound buffer.
#pragma once

#include "platform/Sound.h"

#include <cstdint>
#include <span>

namespace tarvo::sound {

// DirectSound results the sounds react to.
inline constexpr platform::HResult kDsErrAllocated = static_cast<platform::HResult>(0x8878000A);
inline constexpr platform::HResult kDsErrNoDriver = static_cast<platform::HResult>(0x88780078);
inline constexpr platform::HResult kDsErrBufferLost = static_cast<platform::HResult>(0x88780096);

inline constexpr std::uint32_t kDsbCapsStatic = 0x0002;
inline constexpr std::uint32_t kDsbCapsGetCurrentPosition2 = 0x8000;
inline constexpr std::uint32_t kDsbPlayLooping = 1;

class CDirectSound {
public:
    // The device is borrowed from its device entry and never released here.
    CDirectSound(platform::Sound& sound, platform::SoundDeviceId device) : sound_(sound), device_(device) {}
    // Releases the buffer.
    virtual ~CDirectSound();
    CDirectSound(const CDirectSound&) = delete;
    CDirectSound& operator=(const CDirectSound&) = delete;

    // Puts the WAVE resource id into a new static buffer; false when the
    // resource is missing or malformed or the buffer cannot be made or filled.
    bool Load(std::uint32_t resourceId);
    // From start (clamped to the sound's length); does nothing before a successful load.
    void Play(std::uint32_t start, bool looping);
    void Stop();

private:
    // Copies the PCM bytes into the buffer, restoring it once if its memory was lost.
    bool Fill();
    bool IsReady() const { return device_ != 0 && buffer_ != 0 && !pcm_.empty(); }

    platform::Sound& sound_;
    platform::SoundDeviceId device_;
    platform::SoundBufferId buffer_ = 0;
    std::span<const std::uint8_t> pcm_;  // inside the resource, which lives as long as the program
};

}  // namespace tarvo::sound
