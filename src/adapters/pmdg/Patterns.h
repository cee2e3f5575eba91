// The command patterns the PMDG adapters share (P1 to P9): most crew commands
// are one event clicked, pressed or stepped according to the value and to the
// state of a data-block byte or a local variable. Each adapter lists its rows
// as data; RunPatternRow carries one out.
#pragma once

#include "adapters/Slots.h"
#include "adapters/pmdg/Sdk.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tarvo::adapters::pmdg {

enum class Pattern : std::uint8_t {
    Press,          // P1: left click
    PressRight,     // P2: right click
    BySign,         // P3: value <= 0 left click, else right click
    Hold,           // P4: value > 0 left press, else left release
    GuardedOff,     // P5: left click, but for value <= 0 only while the lvar reads "on"
    GuardedBoth,    // P6: click only toward the other state of the lvar
    ByteBoth,       // P7: left click only toward the other state of the byte
    ByteInverse,    // P8: P7 with the byte's sense reversed
    ThreePosition,  // P9: steps a three-position switch from its position to the value
};

// Where a row reads the state it decides by.
// Zero: a position no variable holds, read as 0.
enum class SourceKind : std::uint8_t { None, Byte, Word32, Lvar, Zero };
struct Source {
    SourceKind kind = SourceKind::None;
    std::uint16_t offset = 0;  // Byte, Word32
    Slot slot = Slot::None;    // Lvar
};
constexpr Source AtByte(std::uint16_t offset) {
    return {SourceKind::Byte, offset, Slot::None};
}
constexpr Source AtWord32(std::uint16_t offset) {
    return {SourceKind::Word32, offset, Slot::None};
}
constexpr Source InLvar(Slot slot) {
    return {SourceKind::Lvar, 0, slot};
}
constexpr Source AtZero() {
    return {SourceKind::Zero, 0, Slot::None};
}

// When an lvar reads "on" for P5 and P6.
enum class OnTest : std::uint8_t { AtLeast1, Above0, Below100 };
// P9's two ways of stepping toward the end positions.
enum class Steps : std::uint8_t { S1, S2 };

struct PatternRow {
    std::uint32_t code = 0;
    Pattern pattern = Pattern::Press;
    std::uint32_t event = 0;
    // P1 to P3: a second event after the first (0: none), after a pause.
    std::uint32_t secondEvent = 0;
    std::uint32_t pauseMilliseconds = 0;
    Source source{};
    // P6: the button clicked; P9: the button that steps toward position 0.
    Button button = Button::Left;
    OnTest on = OnTest::AtLeast1;
    Steps steps = Steps::S1;
};

// Rows in the order the adapters list them: one helper per pattern.
constexpr PatternRow P1(std::uint32_t code, std::uint32_t event, std::uint32_t then = 0) {
    return {code, Pattern::Press, event, then};
}
constexpr PatternRow P2(std::uint32_t code, std::uint32_t event, std::uint32_t then = 0) {
    return {code, Pattern::PressRight, event, then};
}
constexpr PatternRow P3(std::uint32_t code, std::uint32_t event, std::uint32_t then = 0,
                        std::uint32_t pauseMilliseconds = 0) {
    return {code, Pattern::BySign, event, then, pauseMilliseconds};
}
constexpr PatternRow P4(std::uint32_t code, std::uint32_t event) {
    return {code, Pattern::Hold, event};
}
constexpr PatternRow P5(std::uint32_t code, std::uint32_t event, Slot lvar, OnTest on = OnTest::AtLeast1) {
    return {code, Pattern::GuardedOff, event, 0, 0, InLvar(lvar), Button::Left, on};
}
constexpr PatternRow P6(std::uint32_t code, Button button, std::uint32_t event, Slot lvar,
                        OnTest on = OnTest::AtLeast1) {
    return {code, Pattern::GuardedBoth, event, 0, 0, InLvar(lvar), button, on};
}
constexpr PatternRow P7(std::uint32_t code, std::uint16_t byte, std::uint32_t event) {
    return {code, Pattern::ByteBoth, event, 0, 0, AtByte(byte)};
}
constexpr PatternRow P8(std::uint32_t code, std::uint16_t byte, std::uint32_t event) {
    return {code, Pattern::ByteInverse, event, 0, 0, AtByte(byte)};
}
constexpr PatternRow P9(Steps steps, std::uint32_t code, Source position, std::uint32_t event, Button toward0) {
    return {code, Pattern::ThreePosition, event, 0, 0, position, toward0, OnTest::AtLeast1, steps};
}

// The row of that code, or null.
const PatternRow* FindPatternRow(std::span<const PatternRow> rows, std::uint32_t code);

// Every event an aircraft's commands send, sorted, each once: its other
// events, the pattern rows' events, and each CDU key's captain's event with
// the first officer's (the captain's plus rightCdu; 0 for a missing key).
std::vector<std::uint32_t> EventsSent(std::vector<std::uint32_t> others, std::span<const PatternRow> rows,
                                      std::span<const std::uint32_t> cduEvents, std::uint32_t rightCdu);

// Carries out a row on the main thread (its pauses included).
void RunPatternRow(const Sender& sender, const PatternRow& row, std::int32_t value);

// An lvar that can be read: the bridge is in service and the aircraft has the
// variable. Rows that say what to do without the bridge do that otherwise.
std::optional<double> ReadLvar(Server& server, Slot slot);
// The lvar's reading, or 0.0 when it cannot be read (as the bridge answers).
double LvarOrZero(Server& server, Slot slot);

}  // namespace tarvo::adapters::pmdg
