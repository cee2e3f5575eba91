#include "sound/DirectSound.h"

#include "sound/Wave.h"

#include <algorithm>

namespace tarvo::sound {

CDirectSound::~CDirectSound() {
    if (buffer_ != 0) sound_.Release(buffer_);
}

bool CDirectSound::Load(std::uint32_t resourceId) {
    const std::optional<Wave> wave = ParseWave(sound_.WaveResource(resourceId));
    if (!wave) return false;
    if (buffer_ != 0) sound_.Release(buffer_);
    buffer_ = 0;
    pcm_ = wave->pcm;

    platform::SoundBufferId created = 0;
    const platform::HResult result = sound_.CreateBuffer(device_, wave->format, static_cast<std::uint32_t>(pcm_.size()),
                                                         kDsbCapsStatic | kDsbCapsGetCurrentPosition2, &created);
    if (result < 0) {
        if (created != 0) sound_.Release(created);
        return false;
    }
    buffer_ = created;
    return Fill();
}

bool CDirectSound::Fill() {
    platform::HResult result = sound_.Fill(buffer_, pcm_);
    if (result == kDsErrBufferLost) {
        sound_.Restore(buffer_);
        result = sound_.Fill(buffer_, pcm_);
    }
    return result >= 0;
}

void CDirectSound::Play(std::uint32_t start, bool looping) {
    if (!IsReady()) return;
    const auto position = static_cast<std::uint32_t>(std::min<std::size_t>(start, pcm_.size()));
    sound_.SetPosition(buffer_, position);
    const std::uint32_t flags = looping ? kDsbPlayLooping : 0;
    // The system may take a buffer's memory away (another program took the
    // device); refilled, it plays again.
    if (sound_.Play(buffer_, flags) == kDsErrBufferLost && Fill()) sound_.Play(buffer_, flags);
}

void CDirectSound::Stop() {
    if (IsReady()) sound_.Stop(buffer_);
}

}  // namespace tarvo::sound
