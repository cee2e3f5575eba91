#include "simworld/SdkAircraft.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace tarvo::simworld {
namespace {

template <typename T>
void Put(std::vector<std::uint8_t>& bytes, std::uint32_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

std::size_t WidthBytes(FieldWidth width) {
    switch (width) {
        case FieldWidth::U8:
            return 1;
        case FieldWidth::U16:
        case FieldWidth::I16:
            return 2;
        case FieldWidth::U32:
        case FieldWidth::F32:
            return 4;
    }
    return 0;
}

// Integers as a cast from a 64-bit value would give them; NaN and the
// infinities become 0.
std::int64_t Whole(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 9.2e18) return 0;
    return static_cast<std::int64_t>(value);
}

}  // namespace

std::optional<FieldWidth> ParseFieldWidth(std::string_view text) {
    if (text == "u8") return FieldWidth::U8;
    if (text == "u16") return FieldWidth::U16;
    if (text == "i16") return FieldWidth::I16;
    if (text == "u32") return FieldWidth::U32;
    if (text == "f32") return FieldWidth::F32;
    return std::nullopt;
}

bool PutField(std::vector<std::uint8_t>& bytes, std::uint32_t offset, FieldWidth width, double value) {
    if (offset > bytes.size() || WidthBytes(width) > bytes.size() - offset) return false;
    switch (width) {
        case FieldWidth::U8:
            Put(bytes, offset, static_cast<std::uint8_t>(Whole(value)));
            break;
        case FieldWidth::U16:
            Put(bytes, offset, static_cast<std::uint16_t>(Whole(value)));
            break;
        case FieldWidth::I16:
            Put(bytes, offset, static_cast<std::int16_t>(Whole(value)));
            break;
        case FieldWidth::U32:
            Put(bytes, offset, static_cast<std::uint32_t>(Whole(value)));
            break;
        case FieldWidth::F32:
            Put(bytes, offset, static_cast<float>(value));
            break;
    }
    return true;
}

SdkAircraft::SdkAircraft(SimWorld& world, std::string dataArea, std::uint32_t dataSize, std::string controlArea,
                         std::uint32_t controlSize)
    : world_(world), dataArea_(std::move(dataArea)), controlArea_(std::move(controlArea)), next_(dataSize, 0) {
    world_.CreateClientArea(dataArea_, dataSize, false);
    world_.CreateClientArea(controlArea_, controlSize, false);
    world_.RecordClientAreaWrites(controlArea_);
}

void SdkAircraft::Set(std::uint32_t offset, FieldWidth width, double value) {
    PutField(next_, offset, width, value);
}

void SdkAircraft::Publish() {
    world_.WriteClientArea(dataArea_, 0, next_);
}

}  // namespace tarvo::simworld
