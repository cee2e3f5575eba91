#include "sound/Wave.h"

#include <cstddef>
#include <string_view>

namespace tarvo::sound {
namespace {

constexpr std::size_t kChunkHeader = 8;  // tag, 32-bit length
constexpr std::size_t kMinFormat = 14;   // WAVEFORMAT without the bits per sample

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

bool HasTag(std::span<const std::uint8_t> bytes, std::size_t at, std::string_view tag) {
    for (std::size_t i = 0; i < 4; ++i) {
        if (bytes[at + i] != static_cast<std::uint8_t>(tag[i])) return false;
    }
    return true;
}

}  // namespace

std::optional<Wave> ParseWave(std::span<const std::uint8_t> image) {
    if (image.size() < 12 || !HasTag(image, 0, "RIFF") || !HasTag(image, 8, "WAVE")) return std::nullopt;
    // The RIFF length counts from byte 8; a length that claims more than the
    // image holds means a cut or damaged resource.
    const std::uint64_t riffEnd = std::uint64_t{8} + ReadU32(image, 4);
    if (riffEnd > image.size()) return std::nullopt;
    const auto end = static_cast<std::size_t>(riffEnd);

    Wave wave;
    bool haveFormat = false;
    bool havePcm = false;
    std::size_t at = 12;
    while (at + kChunkHeader <= end) {
        const std::size_t dataAt = at + kChunkHeader;
        const std::uint32_t length = ReadU32(image, at + 4);
        if (length > end - dataAt) return std::nullopt;
        const std::span<const std::uint8_t> data = image.subspan(dataAt, length);
        if (!haveFormat && HasTag(image, at, "fmt ")) {
            if (length < kMinFormat) return std::nullopt;
            wave.format = data;
            haveFormat = true;
        } else if (!havePcm && HasTag(image, at, "data")) {
            wave.pcm = data;
            havePcm = true;
        }
        if (haveFormat && havePcm) return wave;
        // Chunks start on even offsets; the pad byte after the last chunk may be missing.
        at = dataAt + length + (length & 1);
    }
    return std::nullopt;
}

}  // namespace tarvo::sound
