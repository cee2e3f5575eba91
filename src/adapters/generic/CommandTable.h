// The generic command set as data. A row starts with its command codes (codes
// listed together behave alike) and holds either one list of steps, or
// branches: When(test) ... for the aircraft that pass the test (several Whens
// in a row: any of them), tried in order, and Otherwise ... for every other
// aircraft. The first branch that serves the loaded aircraft runs; a row
// without a branch for it does nothing.
#pragma once

#include "adapters/Slots.h"
#include "host/Server.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tarvo::adapters::generic {

// A crew command as it arrives: the code and the value, unsigned.
struct Command {
    Server& server;
    std::uint32_t code;
    std::uint32_t value;

    bool On() const { return value != 0; }
};

using CommandAction = void (*)(const Command&);

enum class AircraftTest : std::uint8_t {
    Fenix,        // aircraft 58 with the Fenix flag
    A32nx,        // aircraft 58 with the A320 lvars found, not a Fenix
    A32nxEvents,  // such an A32NX whose custom events were found
    A320,         // aircraft 58: Fenix, A32NX or the simulator's A320neo
    Boeing747,    // aircraft 57 with the 747 flag
    Cj4,          // aircraft 59 with the CJ4 flag
    Aircraft,     // the aircraft id in the step's number, nothing more
};

bool Serves(const Server& server, AircraftTest test, std::uint32_t aircraftId = 0);

// A field of an aircraft state record, read to decide whether a toggle is due.
struct StateField {
    std::uint8_t record = 0;
    std::uint8_t field = 0;
};

// One step of a worker's timed sequence: the slot's variable := value, then a pause.
struct SequenceStep {
    Slot slot;
    double value;
    std::uint32_t pauseAfter;
};

enum class StepKind : std::uint8_t {
    Code,          // number: a command code; starts a row
    When,          // test (number: the aircraft id of Aircraft)
    Otherwise,     //
    Event,         // text: client event; number: its data
    Toggle,        // an Event sent only when state is on and the command asks off, or the other way
    Define,        // number: write-only definition, 1.0 or 0.0 from the value
    Pause,         // number: milliseconds, on the calling thread
    Set,           // slot := number, as a double
    SetSigned,     // slot := the value, a value above 50000 standing for -(value - 50000)
    SetIfChanged,  // slot := number, unless the slot already reads that
    Press,         // slot: 1.0, 800 ms, 0.0
    Fire,          // slot: fired as an H: event
    Calc,          // text: calculator code
    CalcToggle,    // a Calc sent only when state differs from the request, as Toggle
    Call,          // action
    Worker,        // sequence, run on a worker thread of its own
};

// Which values a step is for.
enum class ValueTest : std::uint8_t { Any, On, Off };

// Stands for "the command's value" where a step takes a number.
inline constexpr std::uint32_t kTheValue = 0xFFFFFFFF;

struct Step {
    StepKind kind = StepKind::Code;
    ValueTest only = ValueTest::Any;
    AircraftTest test = AircraftTest::Aircraft;
    Slot slot = Slot::None;
    StateField state{};
    std::uint32_t number = 0;
    std::string_view text{};
    CommandAction action = nullptr;
    std::span<const SequenceStep> sequence{};
};

// Every row, in the order of the command codes.
std::span<const Step> CommandTable();
// The steps of the row holding code (its codes left out), or nothing.
std::optional<std::span<const Step>> FindCommandRow(std::uint32_t code);

}  // namespace tarvo::adapters::generic
