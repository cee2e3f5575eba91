// The Fenix A320's data as its processes hold it, laid into memory images: the
// FCU's marker with its fields before it, the take-off data block and the
// flight-mode annunciations. Laid out from the aircraft's documented distances,
// apart from the server's own reading of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tarvo::simworld {

struct FenixFcu {
    double speed = 0.0;
    std::int32_t heading = 0;
    std::int32_t altitude = 0;
    std::int32_t verticalSpeed = 0;
};
// The bytes of an FCU block that lie before its marker, and from the marker on.
inline constexpr std::size_t kFenixFcuBefore = 108;
inline constexpr std::size_t kFenixFcuMarkerBytes = 32;
// Writes the marker "FCU power input" (UTF-16, terminated) at marker and the
// fields before it; false when they do not fit in the image.
bool PutFenixFcu(std::span<std::uint8_t> image, std::size_t marker, const FenixFcu& fcu);
// Only the marker (a decoy, or a block to fill in by hand).
bool PutFenixFcuMarker(std::span<std::uint8_t> image, std::size_t marker);

struct FenixTakeoff {
    std::int32_t v1 = 0;
    std::int32_t vr = 0;
    std::int32_t v2 = 0;
    std::int32_t transitionAltitude = 0;
    std::int32_t setting = 0;
    double flexTemperature = 0.0;
};
inline constexpr std::size_t kFenixTakeoffBytes = 88;
bool PutFenixTakeoff(std::span<std::uint8_t> image, std::size_t at, const FenixTakeoff& takeoff);

// The annunciations: the 7-byte header (ending in the first "F-"), then text;
// 120 bytes in all, the rest zero. Text that does not fit is cut.
inline constexpr std::size_t kFenixFmaBytes = 120;
bool PutFenixFma(std::span<std::uint8_t> image, std::size_t at, std::string_view text);

}  // namespace tarvo::simworld
