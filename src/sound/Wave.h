// The two parts of a RIFF/WAVE image that a sound buffer needs.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tarvo::sound {

struct Wave {
    std::span<const std::uint8_t> format;  // the first "fmt " chunk: a WAVEFORMATEX, at least 14 bytes
    std::span<const std::uint8_t> pcm;     // the first "data" chunk
};

// Both spans point into image. Refused (nullopt) when a tag is wrong, a chunk is
// missing, "fmt " is shorter than 14 bytes, or a length runs past the image or
// past the RIFF length; nothing outside image is ever read.
std::optional<Wave> ParseWave(std::span<const std::uint8_t> image);

}  // namespace tarvo::sound
