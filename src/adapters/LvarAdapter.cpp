#include "adapters/LvarAdapter.h"

#include "adapters/CduKeys.h"
#include "adapters/Workers.h"
#include "adapters/generic/CommandPrimitives.h"
#include "adapters/generic/GenericAdapter.h"
#include "base/Convert.h"
#include "bridge/Registry.h"
#include "link/Reports.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace tarvo::adapters::lvar {
namespace {

constexpr std::int32_t kCaptainsCdu = 1;
constexpr std::int32_t kFirstOfficersCdu = 2;
constexpr std::uint32_t kAnimationMilliseconds = 300;

constexpr std::int32_t kMasterCaution = 0x20000000;
constexpr std::int32_t kMasterWarning = 0x40000000;

// Engine record fields, engine i at base + i.
constexpr std::size_t kCombustion = 0;
constexpr std::size_t kStarter = 4;
constexpr std::size_t kFailed = 36;
constexpr std::int32_t kEngines = 2;

constexpr std::int32_t kTakeoffLever = 12000;  // above
constexpr std::int32_t kReverseLever = -100;   // below

}  // namespace

// ---- Discovery ----------------------------------------------------------------

bridge::DiscoveryResult RunCountingDiscovery(Server& server, const CountingDiscovery& discovery) {
    bridge::DiscoveryPlan plan;
    plan.successLine = discovery.successLine;
    plan.wanted = discovery.wanted;
    plan.totalNames = discovery.totalNames;
    plan.requiredFound = kRequiredMatches;
    plan.followUp = discovery.followUp;
    plan.everyEntry = true;
    return bridge::RunDiscoveryRoutine(server, plan);
}

// ---- Commands -------------------------------------------------------------------

bool IsCduKey(std::uint32_t code) {
    return code >= kFirstCduKey && code < kFirstCduKey + kCduKeyCount;
}

Slot CduKeySlot(std::uint32_t code, std::int32_t value) {
    if (!IsCduKey(code)) return Slot::None;
    const std::size_t key = code - kFirstCduKey;
    if (value == kCaptainsCdu) return kCaptainCduKeys[key];
    if (value == kFirstOfficersCdu) return kFirstOfficerCduKeys[key];
    return Slot::None;
}

bool RouteCommand(Server& server, const CommandTables& tables, std::uint32_t code, std::int32_t value) {
    const auto covers = [code](const CodeRange& range) { return code >= range.first && code <= range.last; };
    if (std::any_of(tables.generic.begin(), tables.generic.end(), covers)) {
        generic::RunCommand(server, code, value);
        return true;
    }
    const auto plain = std::find_if(tables.plain.begin(), tables.plain.end(),
                                    [code](const PlainRow& row) { return row.code == code; });
    if (plain != tables.plain.end()) {
        RunPlainRow(server, *plain, value);
        return true;
    }
    const auto special = std::find_if(tables.special.begin(), tables.special.end(),
                                      [code](const SpecialRow& row) { return row.code == code; });
    if (special != tables.special.end()) {
        special->action(server, code, value);
        return true;
    }
    return false;
}

void RunPlainRow(Server& server, const PlainRow& row, std::int32_t value) {
    switch (row.kind) {
        case Plain::SetValue:
            return Set(server, row.slot, static_cast<double>(value));
        case Plain::SetOne:
            return Set(server, row.slot, 1.0);
        case Plain::SetZero:
            return Set(server, row.slot, 0.0);
        case Plain::EventWithValue:
            SendEvent(server, row.event, static_cast<std::uint32_t>(value));
            return;
        case Plain::EventWithOne:
            SendEvent(server, row.event, 1);
            return;
        case Plain::EventWithZero:
            SendEvent(server, row.event, 0);
            return;
    }
}

void Set(Server& server, Slot slot, double value) {
    bridge::SetLvarValue(server, SlotId(server, slot), value);
}

double Read(Server& server, Slot slot) {
    return bridge::GetLvarValue(server, SlotId(server, slot));
}

bool IsKnown(Server& server, Slot slot) {
    return bridge::HasBridge(server) && SlotId(server, slot) != bridge::kNotFound;
}

bool SendEvent(Server& server, std::string_view name, std::uint32_t data) {
    return generic::SendEvent(server, name, data);
}

void RunCode(Server& server, std::string_view code) {
    bridge::ExecuteCalculatorCode(server, code);
}

void Pause(Server& server, std::uint32_t milliseconds) {
    server.ports.clock.Sleep(milliseconds);
}

void Animate(Server& server, Slot animation, Slot target, double value) {
    Set(server, animation, 1.0);
    Pause(server, kAnimationMilliseconds);
    Set(server, target, value);
    Set(server, animation, 0.0);
}

// ---- Workers --------------------------------------------------------------------

void EndWorkers(WorkerLifetime& lifetime) {
    ++lifetime.generation;
}

WorkerSteps::WorkerSteps(Server& server, const WorkerLifetime& lifetime, std::uint32_t generation)
    : server(server), lifetime_(lifetime), generation_(generation) {}

bool WorkerSteps::Live() const {
    return server.host.running && lifetime_.generation == generation_;
}

bool WorkerSteps::Pause(std::uint32_t milliseconds) {
    return WorkerPause(server, milliseconds, lifetime_.generation, generation_);
}

bool WorkerSteps::Set(Slot slot, double value) {
    if (!Live()) return false;
    lvar::Set(server, slot, value);
    return true;
}

bool WorkerSteps::Code(std::string_view code) {
    if (!Live()) return false;
    bridge::ExecuteCalculatorCode(server, code);
    return true;
}

bool WorkerSteps::Event(std::string_view name, std::uint32_t data) {
    if (!Live()) return false;
    SendEvent(server, name, data);
    return true;
}

double WorkerSteps::Read(Slot slot) const {
    return lvar::Read(server, slot);
}

bool StartWorker(Server& server, WorkerLifetime& lifetime, platform::ThreadPriority priority,
                 std::function<void(WorkerSteps&)> body, std::atomic<bool>* busy) {
    if (busy != nullptr && busy->exchange(true)) return false;
    const std::uint32_t generation = lifetime.generation;
    const bool started = adapters::StartWorker(
        server,
        [&server, &lifetime, generation, busy, body = std::move(body)] {
            // Cleared however the body ends.
            struct Release {
                std::atomic<bool>* flag;
                ~Release() {
                    if (flag != nullptr) *flag = false;
                }
            } release{busy};
            WorkerSteps steps(server, lifetime, generation);
            body(steps);
        },
        priority);
    // No thread: nothing will ever clear the flag but this.
    if (!started && busy != nullptr) *busy = false;
    return started;
}

// ---- Queries and panel state --------------------------------------------------

void WriteDouble(link::ValueQuery& query, double value) {
    std::memcpy(query.value.data(), &value, sizeof value);
}

void WriteInt32(link::ValueQuery& query, std::int32_t value) {
    query.value.fill(0);
    std::memcpy(query.value.data(), &value, sizeof value);
}

void AnswerQuery(Server& server, std::span<const QueryRow> rows, link::ValueQuery& query) {
    const auto row = std::find_if(rows.begin(), rows.end(), [&query](const QueryRow& r) {
        return query.code >= r.first && query.code <= r.last;
    });
    if (row == rows.end()) return;
    switch (row->answer) {
        case Answer::Generic:
            return generic::QueryValue(server, query);
        case Answer::Lvar:
            if (IsKnown(server, row->slot)) WriteDouble(query, Read(server, row->slot));
            return;
        case Answer::Field:
            return WriteDouble(query, ReadField(server, row->field));
        case Answer::Int32:
            return WriteInt32(query, TruncateToInt32(ReadField(server, row->field)));
        case Answer::Computed:
            return row->compute(server, query);
        case Answer::Zero:
            return WriteDouble(query, 0.0);
    }
}

void Answer1If(link::ValueQuery& query, bool yes) {
    WriteDouble(query, yes ? 1.0 : 0.0);
}

bool Above0(Server& server, Slot slot) {
    return Read(server, slot) > 0.0;
}

std::int32_t Truncated(Server& server, Slot slot) {
    return TruncateToInt32(Read(server, slot));
}

double ReadField(const Server& server, RecordField field) {
    const sim::Record& record = server.session.records[field.record];
    return field.kind == RecordField::Kind::Float64 ? record.Float64(field.index)
                                                    : static_cast<double>(record.Int32(field.index));
}

std::int32_t RangeIndex(double range) {
    constexpr std::array<std::int32_t, 7> kRanges = {5, 10, 20, 40, 80, 160, 320};
    const std::int32_t truncated = TruncateToInt32(range);
    const auto found = std::find(kRanges.begin(), kRanges.end(), truncated);
    return found == kRanges.end() ? 0 : static_cast<std::int32_t>(found - kRanges.begin());
}

std::int32_t LitFlags(Server& server, std::span<const FlagLight> lights) {
    std::int32_t flags = 0;
    for (const FlagLight& light : lights) {
        if (Read(server, light.slot) > 0.0) flags |= light.flag;
    }
    return flags;
}

std::int32_t MasterLampWord(Server& server) {
    if (!bridge::HasBridge(server)) return 0;
    const FlagLight lamps[] = {{Slot::MasterCautionLight, kMasterCaution}, {Slot::MasterWarningLight, kMasterWarning}};
    return LitFlags(server, lamps);
}

void WordFromSlot(Server& server, link::SnapshotRecord& record, std::size_t word, Slot slot) {
    if (word >= record.words.size() || !IsKnown(server, slot)) return;
    record.words[word] = TruncateToInt32(Read(server, slot));
}

// ---- Engines --------------------------------------------------------------------

void CountTwoEngines(Server& server, link::SnapshotRecord& record, std::int32_t& running, std::int32_t& starting,
                     std::int32_t& takeoffPower, std::int32_t& reverse, ThrustOf thrustOf) {
    auto& w = record.words;
    const sim::Record& engines = server.session.records[sim::kEngineRecord];
    const bool airborne = w[link::kWordOnGround] == 0;
    for (std::int32_t engine = 0; engine < kEngines; ++engine) {
        const auto i = static_cast<std::size_t>(engine);
        if (engines.Int32(kCombustion + i) != 0) {
            w[link::kWordEnginesRunning] |= 1 << engine;
            ++running;
            switch (thrustOf(server, engine)) {
                case Thrust::Takeoff:
                    ++takeoffPower;
                    break;
                case Thrust::Reverse:
                    ++reverse;
                    break;
                case Thrust::Neither:
                    break;
            }
        } else if (engines.Int32(kStarter + i) != 0) {
            ++starting;
        } else if (airborne && engines.Int32(kFailed + i) > 0) {
            w[link::kWordEnginesFailed] |= 1 << engine;
        }
    }
}

Thrust ThrustOfLever(std::int32_t lever) {
    if (lever > kTakeoffLever) return Thrust::Takeoff;
    if (lever < kReverseLever) return Thrust::Reverse;
    return Thrust::Neither;
}

}  // namespace tarvo::adapters::lvar
