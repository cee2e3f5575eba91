// What the adapters that drive their aircraft through its local variables
// alone (the Aerosoft CRJ, the Asobo ATR) share: the counting discovery, the
// routing of commands and queries through tables, workers that end with their
// adapter, the master-lamp word and the count of two engines. Each adapter calls these
// with its own tables.
#pragma once

#include "adapters/RowCodes.h"
#include "adapters/Slots.h"
#include "adapters/WorkerLifetime.h"
#include "bridge/Discovery.h"
#include "host/Server.h"
#include "platform/Threads.h"
#include "sim/SessionState.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace tarvo::link {
struct ValueQuery;
struct SnapshotRecord;
}  // namespace tarvo::link

namespace tarvo::adapters::lvar {

// ---- Discovery ----------------------------------------------------------------

// Matches, counting every table entry matched: a name listed twice counts twice.
inline constexpr std::size_t kRequiredMatches = 360;

struct CountingDiscovery {
    std::span<const bridge::WantedVariable> wanted;
    // A module list this long needs no further pass.
    std::size_t totalNames = 0;
    std::string_view successLine;
    // Runs after the success line.
    void (*followUp)(Server&) = nullptr;
};

// Up to four passes; every entry equal to a module name fills its slot and
// counts. Too few matches: Escape, and the crew app is closed.
bridge::DiscoveryResult RunCountingDiscovery(Server& server, const CountingDiscovery& discovery);

// ---- Commands -------------------------------------------------------------------

inline constexpr std::uint32_t kFirstCduKey = 69537;

bool IsCduKey(std::uint32_t code);
// The key's slot on the captain's CDU (value 1) or the first officer's (value
// 2); Slot::None for any other value or a key without a slot.
Slot CduKeySlot(std::uint32_t code, std::int32_t value);

struct CodeRange {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
};

// Rows that a list can say: a slot set, or a main-session event sent.
enum class Plain : std::uint8_t {
    SetValue,        // the slot := the value, as a double
    SetOne,          // the slot := 1.0
    SetZero,         // the slot := 0.0
    EventWithValue,  // the event with the value as its data
    EventWithOne,    // the event with data 1
    EventWithZero,   // the event with data 0
};

struct PlainRow {
    std::uint32_t code = 0;
    Plain kind = Plain::SetValue;
    Slot slot = Slot::None;
    std::string_view event;
};

constexpr PlainRow SetToValue(std::uint32_t code, Slot slot) {
    return {code, Plain::SetValue, slot, {}};
}
constexpr PlainRow SetToOne(std::uint32_t code, Slot slot) {
    return {code, Plain::SetOne, slot, {}};
}
constexpr PlainRow SetToZero(std::uint32_t code, Slot slot) {
    return {code, Plain::SetZero, slot, {}};
}
constexpr PlainRow EventWithValue(std::uint32_t code, std::string_view event) {
    return {code, Plain::EventWithValue, Slot::None, event};
}
constexpr PlainRow EventWithOne(std::uint32_t code, std::string_view event) {
    return {code, Plain::EventWithOne, Slot::None, event};
}
constexpr PlainRow EventWithZero(std::uint32_t code, std::string_view event) {
    return {code, Plain::EventWithZero, Slot::None, event};
}

// A command that does more than a list can say.
using SpecialAction = void (*)(Server&, std::uint32_t code, std::int32_t value);
struct SpecialRow {
    std::uint32_t code = 0;
    SpecialAction action = nullptr;
};

struct CommandTables {
    std::span<const CodeRange> generic;  // handed to the generic adapter's RunCommand
    std::span<const PlainRow> plain;
    std::span<const SpecialRow> special;
};

// No code in two rows, nor in a row and the generic ranges.
constexpr bool EveryCodeOnce(const CommandTables& tables) {
    return CodesAreDistinct(tables.plain, tables.special) &&
           NoCodeIn(
               [&tables](std::uint32_t code) {
                   return std::any_of(tables.generic.begin(), tables.generic.end(), [code](const CodeRange& range) {
                       return code >= range.first && code <= range.last;
                   });
               },
               tables.plain, tables.special);
}

// The generic codes, then the plain rows, then the special rows; false (and
// nothing done) for a code in none of them.
bool RouteCommand(Server& server, const CommandTables& tables, std::uint32_t code, std::int32_t value);
void RunPlainRow(Server& server, const PlainRow& row, std::int32_t value);

// Steps on the calling thread; a slot the aircraft did not fill does nothing.
void Set(Server& server, Slot slot, double value);
double Read(Server& server, Slot slot);
bool IsKnown(Server& server, Slot slot);
bool SendEvent(Server& server, std::string_view name, std::uint32_t data);
void RunCode(Server& server, std::string_view code);
// Holds the calling thread.
void Pause(Server& server, std::uint32_t milliseconds);
// A button shown pressed around the change: animation 1.0, 300 ms, the
// target := value, animation 0.0.
void Animate(Server& server, Slot animation, Slot target, double value);

// ---- Workers --------------------------------------------------------------------

using adapters::WorkerLifetime;

// At unload: every running worker stops at its next step.
void EndWorkers(WorkerLifetime& lifetime);

// What a worker does, each step only while its adapter is loaded and the
// server runs.
class WorkerSteps {
public:
    WorkerSteps(Server& server, const WorkerLifetime& lifetime, std::uint32_t generation);

    // Neither unloaded nor shutting down.
    bool Live() const;
    // False, possibly early, once no longer live.
    bool Pause(std::uint32_t milliseconds);
    // Each returns Live(); nothing is sent once it is false.
    bool Set(Slot slot, double value);
    bool Code(std::string_view code);
    bool Event(std::string_view name, std::uint32_t data);
    double Read(Slot slot) const;

    Server& server;

private:
    const WorkerLifetime& lifetime_;
    std::uint32_t generation_;
};

// Runs body on a worker at that priority. With a busy flag: nothing when the
// flag is set; otherwise the flag is set until the worker ends (and cleared at
// once when no thread could be made). False when body will not run.
bool StartWorker(Server& server, WorkerLifetime& lifetime, platform::ThreadPriority priority,
                 std::function<void(WorkerSteps&)> body, std::atomic<bool>* busy = nullptr);

// ---- Queries and panel state --------------------------------------------------

void WriteDouble(link::ValueQuery& query, double value);
void WriteInt32(link::ValueQuery& query, std::int32_t value);

// A field of an aircraft state record.
struct RecordField {
    enum class Kind : std::uint8_t { Int32, Float64 };
    sim::RecordId record = sim::kFlightRecord;
    std::uint8_t index = 0;
    Kind kind = Kind::Int32;
};
double ReadField(const Server& server, RecordField field);

// A query row: one code or a range of them, and how it is answered.
enum class Answer : std::uint8_t {
    Generic,   // the generic adapter's answer
    Lvar,      // the slot's variable; nothing when the aircraft lacks it
    Field,     // an aircraft state field, as a double
    Int32,     // an aircraft state field, as a 32-bit integer
    Computed,  // the row's own function
    Zero,      // 0.0
};

struct QueryRow {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    Answer answer = Answer::Generic;
    Slot slot = Slot::None;
    RecordField field{};
    void (*compute)(Server&, link::ValueQuery&) = nullptr;
};

constexpr QueryRow Generic(std::uint32_t first, std::uint32_t last = 0) {
    return {first, last == 0 ? first : last, Answer::Generic, Slot::None, {}, nullptr};
}
constexpr QueryRow Lvar(std::uint32_t code, Slot slot) {
    return {code, code, Answer::Lvar, slot, {}, nullptr};
}
constexpr QueryRow State(std::uint32_t code, sim::RecordId record, std::uint8_t index,
                         RecordField::Kind kind = RecordField::Kind::Int32) {
    return {code, code, Answer::Field, Slot::None, {record, index, kind}, nullptr};
}
constexpr QueryRow StateAsInt32(std::uint32_t code, sim::RecordId record, std::uint8_t index) {
    return {code, code, Answer::Int32, Slot::None, {record, index, RecordField::Kind::Int32}, nullptr};
}
constexpr QueryRow Computed(std::uint32_t code, void (*compute)(Server&, link::ValueQuery&)) {
    return {code, code, Answer::Computed, Slot::None, {}, compute};
}
constexpr QueryRow Zero(std::uint32_t code) {
    return {code, code, Answer::Zero, Slot::None, {}, nullptr};
}

// Every row a range first to last, and no code in two rows.
constexpr bool EveryQueryCodeOnce(std::span<const QueryRow> rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].first > rows[i].last) return false;
        for (std::size_t j = i + 1; j < rows.size(); ++j) {
            if (rows[i].first <= rows[j].last && rows[j].first <= rows[i].last) return false;
        }
    }
    return true;
}

// Answers by the row holding the query's code; a code in no row is left as it is.
void AnswerQuery(Server& server, std::span<const QueryRow> rows, link::ValueQuery& query);

// Small answers the computed rows share.
void Answer1If(link::ValueQuery& query, bool yes);
bool Above0(Server& server, Slot slot);
std::int32_t Truncated(Server& server, Slot slot);

// A display range (5, 10, 20, 40, 80, 160, 320 nm) as its index 0 to 6; any
// other range 0.
std::int32_t RangeIndex(double range);

// Snapshot word 28 flags.
inline constexpr std::int32_t kAutopilotEngaged = 0x1;
inline constexpr std::int32_t kAirspeedHold = 0x2;
inline constexpr std::int32_t kHeadingLock = 0x4;
inline constexpr std::int32_t kAltitudeLock = 0x8;
inline constexpr std::int32_t kApproachHold = 0x10;
inline constexpr std::int32_t kFlightDirector = 0x20;
inline constexpr std::int32_t kVerticalSpeedHold = 0x2000;

struct FlagLight {
    Slot slot = Slot::None;
    std::int32_t flag = 0;
};
// The autopilot mode lamps of word 28 in their shared slots, counted while
// the autopilot or a flight director is on.
inline constexpr FlagLight kModeLights[] = {
    {Slot::HeadingHoldModeState, kHeadingLock},
    {Slot::AltitudeHoldModeState, kAltitudeLock},
    {Slot::VerticalSpeedModeState, kVerticalSpeedHold},
    {Slot::FlightLevelChangeModeState, kAirspeedHold},
    {Slot::ApproachLight, kApproachHold},
};
// The flags of the lamps that read above 0.
std::int32_t LitFlags(Server& server, std::span<const FlagLight> lights);

// Snapshot word 37 whole: 0x20000000 for the master caution lamp,
// 0x40000000 for the master warning lamp (the shared slots), 0 with neither
// or without a bridge.
std::int32_t MasterLampWord(Server& server);

// word := the slot's variable, truncated; left as it is when the bridge
// cannot read the variable.
void WordFromSlot(Server& server, link::SnapshotRecord& record, std::size_t word, Slot slot);

// ---- Engines --------------------------------------------------------------------

enum class Thrust : std::uint8_t { Neither, Takeoff, Reverse };
// How engine 0 or 1 stands, asked only while it runs.
using ThrustOf = Thrust (*)(Server&, std::int32_t engine);

// The generic count for engines 1 and 2: running, else starting on its
// starter, else failed in the air; a running engine's thrust by thrustOf.
void CountTwoEngines(Server& server, link::SnapshotRecord& record, std::int32_t& running, std::int32_t& starting,
                     std::int32_t& takeoffPower, std::int32_t& reverse, ThrustOf thrustOf);
// A lever position (0 to 16383): take-off above 12000, reverse below -100.
Thrust ThrustOfLever(std::int32_t lever);

}  // namespace tarvo::adapters::lvar
