#include "simworld/FenixBlocks.h"

#include <algorithm>
#include <cstring>

namespace tarvo::simworld {
namespace {

template <typename Value>
void Put(std::span<std::uint8_t> image, std::size_t at, Value value) {
    std::memcpy(image.data() + at, &value, sizeof value);
}

bool Fits(std::span<std::uint8_t> image, std::size_t at, std::size_t size) {
    return at <= image.size() && size <= image.size() - at;
}

}  // namespace

bool PutFenixFcuMarker(std::span<std::uint8_t> image, std::size_t marker) {
    if (!Fits(image, marker, kFenixFcuMarkerBytes)) return false;
    constexpr std::string_view kText = "FCU power input";
    std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(marker), kFenixFcuMarkerBytes, std::uint8_t{0});
    for (std::size_t i = 0; i < kText.size(); ++i) image[marker + 2 * i] = static_cast<std::uint8_t>(kText[i]);
    return true;
}

bool PutFenixFcu(std::span<std::uint8_t> image, std::size_t marker, const FenixFcu& fcu) {
    if (marker < kFenixFcuBefore || !PutFenixFcuMarker(image, marker)) return false;
    Put(image, marker - 108, fcu.speed);
    Put(image, marker - 96, fcu.heading);
    Put(image, marker - 92, fcu.altitude);
    Put(image, marker - 24, fcu.verticalSpeed);
    return true;
}

bool PutFenixTakeoff(std::span<std::uint8_t> image, std::size_t at, const FenixTakeoff& takeoff) {
    if (!Fits(image, at, kFenixTakeoffBytes)) return false;
    Put(image, at, takeoff.v1);
    Put(image, at + 8, takeoff.v2);
    Put(image, at + 16, takeoff.vr);
    Put(image, at + 28, takeoff.flexTemperature);
    Put(image, at + 64, takeoff.transitionAltitude);
    Put(image, at + 72, takeoff.setting);
    return true;
}

bool PutFenixFma(std::span<std::uint8_t> image, std::size_t at, std::string_view text) {
    if (!Fits(image, at, kFenixFmaBytes)) return false;
    constexpr std::uint8_t kHeader[] = {'f', 'm', 'a', 'F', 0x1F, 'F', '-'};
    std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(at), kFenixFmaBytes, std::uint8_t{0});
    std::copy(std::begin(kHeader), std::end(kHeader), image.begin() + static_cast<std::ptrdiff_t>(at));
    const std::size_t room = kFenixFmaBytes - sizeof kHeader;
    std::copy_n(text.begin(), std::min(text.size(), room),
                image.begin() + static_cast<std::ptrdiff_t>(at + sizeof kHeader));
    return true;
}

}  // namespace tarvo::simworld
