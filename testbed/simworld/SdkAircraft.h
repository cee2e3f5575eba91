// An add-on aircraft with an SDK of its own, as the PMDG aircraft have: it
// publishes its cockpit in a data area that clients read on set, takes cockpit
// actions as "#N" events, and has a control area that clients may write.
// Tests set the data area's fields by offset and width and publish them as the
// aircraft would when its panel changes.
#pragma once

#include "simworld/SimWorld.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::simworld {

enum class FieldWidth { U8, U16, I16, U32, F32 };

// "u8", "u16", "i16", "u32" or "f32".
std::optional<FieldWidth> ParseFieldWidth(std::string_view text);
// Stores value at offset, little-endian in that width (integers truncated and
// wrapped as a cast would); false when the field does not fit.
bool PutField(std::vector<std::uint8_t>& bytes, std::uint32_t offset, FieldWidth width, double value);

class SdkAircraft {
public:
    // Creates both areas (zero-filled, not yet published) and keeps what
    // clients write into the control area.
    SdkAircraft(SimWorld& world, std::string dataArea, std::uint32_t dataSize, std::string controlArea,
                std::uint32_t controlSize);

    // A field of the next record; Publish sends the whole area to its readers.
    void Set(std::uint32_t offset, FieldWidth width, double value);
    void Publish();

    // Every "#N" event any client sent, in order.
    std::vector<SimWorld::AddOnEvent> Events() const { return world_.AddOnEvents(); }
    // Every client write of the control area, in order.
    std::vector<std::vector<std::uint8_t>> ControlWrites() const { return world_.ClientAreaWrites(controlArea_); }
    // The aircraft's areas cannot be found under this name.
    void FailMapping(std::string_view name) { world_.FailClientDataMapping(name); }

private:
    SimWorld& world_;
    std::string dataArea_;
    std::string controlArea_;
    std::vector<std::uint8_t> next_;
};

}  // namespace tarvo::simworld
