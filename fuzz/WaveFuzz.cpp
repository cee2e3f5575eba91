// The WAVE parser over any image: it must refuse or give spans inside it.
#include "sound/Wave.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> image(data, size);
    if (const auto wave = tarvo::sound::ParseWave(image)) {
        const auto inside = [&](std::span<const std::uint8_t> part) {
            return part.data() >= image.data() && part.data() + part.size() <= image.data() + image.size();
        };
        if (!inside(wave->format) || !inside(wave->pcm) || wave->format.size() < 14) std::abort();
    }
    return 0;
}
