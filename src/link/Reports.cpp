#include "link/Reports.h"

#include "base/Convert.h"
#include "base/Text.h"
#include "host/Server.h"
#include "sim/SessionState.h"

#include <cstring>
#include <span>

namespace tarvo::link {
namespace {

constexpr std::uint64_t kSnapshotKind = 611;
constexpr std::uint64_t kTakeoffDataKind = 615;
constexpr std::uint32_t kSendTimeoutMilliseconds = 4000;
constexpr std::size_t kFlightRecordWords = 39;
constexpr std::size_t kNumberOfEnginesWord = 15;  // of the flight record
constexpr std::size_t kTextAnswerChars = 63;

// 1 when the crew app took the record, 0 when the send failed or timed out.
// What its window procedure answered is not passed on: a crew app that
// answers 0 must not look like one that never got the record.
MessageResult SendRecord(Server& server, WindowId to, WindowId from, std::uint64_t kind,
                         std::span<const std::uint8_t> bytes) {
    return server.ports.desktop.SendCopyDataTimeout(to, from, kind, bytes, kSendTimeoutMilliseconds) ? 1 : 0;
}

// Bit i for partial-panel value i; the airspeed, altimeter and attitude
// instruments (values 1 to 3) share bit 1.
std::int32_t PartialPanelMask(const sim::Record& partialPanel) {
    std::int32_t mask = 0;
    if (partialPanel.Int32(0) != 0) mask |= 1;
    if (partialPanel.Int32(1) != 0 || partialPanel.Int32(2) != 0 || partialPanel.Int32(3) != 0) mask |= 1 << 1;
    for (int bit = 2; bit < 16; ++bit) {
        if (partialPanel.Int32(static_cast<std::size_t>(bit + 2)) != 0) mask |= 1 << bit;
    }
    return mask;
}

// ---- Named variables -------------------------------------------------------

using IntegerSource = std::int32_t (*)(const sim::SessionState&);
using TextSource = const char* (*)(const sim::SessionState&);

struct NamedVariable {
    std::string_view name;
    IntegerSource integer;  // one of the two is set
    TextSource text;
};

std::int32_t Field(const sim::SessionState& s, sim::RecordId record, std::size_t field) {
    return s.records[record].Int32(field);
}

const char* Empty(const sim::SessionState&) { return ""; }

// Names compare ignoring case, except the fourth character (the first letter of
// the variable), which must match exactly. Two fuel names have no closing
// parenthesis; the blanks inside two names are part of them.
// clang-format off
const NamedVariable kNamedVariables[] = {
    {"(A:ATC AIRLINE,string)",               nullptr, [](const sim::SessionState& s) { return s.identity.airline.data(); }},
    {"(A:ATC FLIGHT NUMBER,string)",         nullptr, [](const sim::SessionState& s) { return s.identity.flightNumber.data(); }},
    {"(A:ATC ID,string)",                    nullptr, [](const sim::SessionState& s) { return s.identity.tailNumber.data(); }},
    {"(A:ATC MODEL,string)",                 nullptr, [](const sim::SessionState& s) { return s.identity.model.data(); }},
    {"(A:AMBIENT VISIBILITY,meters)",        [](const sim::SessionState& s) { return Field(s, sim::kWeatherRecord, 5); }, nullptr},
    {"(A:AMBIENT PRECIP STATE,number)",      [](const sim::SessionState& s) { return Field(s, sim::kWeatherRecord, 6); }, nullptr},
    {"(A:ADF ACTIVE FREQUENCY:2, KHz)",      [](const sim::SessionState& s) { return Field(s, sim::kFlightRecord, 33); }, nullptr},
    {"(A:ADF1 NAME,string)",                 nullptr, Empty},
    {"(A:DESIGN SPEED VS1,knot)",            [](const sim::SessionState& s) { return Field(s, sim::kDesignRecord, 4); }, nullptr},
    {"(A:DESIGN SPEED VS0,knot)",            [](const sim::SessionState& s) { return Field(s, sim::kDesignRecord, 5); }, nullptr},
    {"(A:ENGINE TYPE,number)",               [](const sim::SessionState& s) { return Field(s, sim::kDesignRecord, 0); }, nullptr},
    {"(A:EMPTY WEIGHT,pounds)",              [](const sim::SessionState& s) { return Field(s, sim::kDesignRecord, 1); }, nullptr},
    {"(A:FUEL TOTAL QUANTITY,gallons",       [](const sim::SessionState& s) { return Field(s, sim::kFuelRecord, 1); }, nullptr},
    {"(A:FUEL TANK CENTER QUANTITY,pound",   [](const sim::SessionState& s) { return TruncateToInt32(8.34 * Field(s, sim::kFuelRecord, 4)); }, nullptr},
    {"(A:GROUND VELOCITY,knots)",            [](const sim::SessionState& s) { return Field(s, sim::kFlightRecord, 27); }, nullptr},
    {"(A:GPS ETA,number)",                   [](const sim::SessionState& s) { return Field(s, sim::kGpsRecord, 1); }, nullptr},
    {"(A:IS GEAR WHEELS, bool)",             [](const sim::SessionState& s) { return Field(s, sim::kDesignRecord, 3); }, nullptr},
    {"(A:IS GEAR RETRACTABLE,bool)",         [](const sim::SessionState& s) { return Field(s, sim::kDesignRecord, 2); }, nullptr},
    {"(A:NAV1 NAME,string)",                 nullptr, Empty},
    {"(A:NAV2 NAME,string)",                 nullptr, Empty},
    {"(A:PUSHBACK STATE,enum)",              [](const sim::SessionState& s) { return Field(s, sim::kFlightRecord, 28); }, nullptr},
    {"(A:SEA LEVEL PRESSURE,millibars)",     [](const sim::SessionState& s) { return Field(s, sim::kWeatherRecord, 0); }, nullptr},
    // Kept as the crew app has always received it: hectopascal / 0.4912 / 144.
    {"(A:SEA LEVEL PRESSURE,inHG)",          [](const sim::SessionState& s) { return TruncateToInt32(Field(s, sim::kWeatherRecord, 0) / 0.4912 / 144); }, nullptr},
    {"(A:TITLE,string)",                     nullptr, [](const sim::SessionState& s) { return s.identity.title.data(); }},
    {"(A:TOTAL WEIGHT,kilogram)",            [](const sim::SessionState& s) { return TruncateToInt32(Field(s, sim::kFuelRecord, 0) * 0.453592); }, nullptr},
    {"(A:TOTAL AIR TEMPERATURE,Celsius)",    [](const sim::SessionState& s) { return Field(s, sim::kWeatherRecord, 4); }, nullptr},
    {"(A:TOTAL AIR TEMPERATURE,Fahrenheit)", [](const sim::SessionState& s) { return TruncateToInt32(32 + 1.8 * Field(s, sim::kWeatherRecord, 4)); }, nullptr},
    {"(A:TOTAL WEIGHT,pounds)",              [](const sim::SessionState& s) { return Field(s, sim::kFuelRecord, 0); }, nullptr},
};
// clang-format on

bool NameMatches(std::string_view asked, std::string_view known) {
    return asked.size() == known.size() && asked.size() >= 4 && asked[3] == known[3] &&
           EqualsIgnoreCase(asked, known);
}

}  // namespace

std::int32_t FlightPhase(const SnapshotRecord& record, std::int32_t groundSpeed, std::int32_t pushbackState,
                         std::int32_t& previousGroundSpeed) {
    const auto& w = record.words;
    const std::int32_t flags = w[kWordEngineActivity];
    if (w[kWordOnGround] != 0) {
        if (pushbackState < 3) return 0;
        if (groundSpeed <= 1) {
            if (flags & kEveryEngineRuns) return 3;
            if (flags & kEngineStarting) return 2;
            return 1;
        }
        if (groundSpeed <= 40) return 4;
        if (flags & kTakeoffPower) return 5;
        const bool slowing = previousGroundSpeed - groundSpeed >= 2;
        previousGroundSpeed = groundSpeed;
        if (slowing) return 15;
        return w[kWordIndicatedAirspeed] <= 60 ? 4 : 15;
    }
    const std::int32_t radioHeight = w[kWordRadioHeight];
    if (flags & kTakeoffPower) return radioHeight <= 390 ? 6 : 7;
    if (flags & kEngineStarting) return 9;
    if (radioHeight <= 1524 && (w[kWordTrailingEdgeFlaps] > 0 || w[kWordGearHandle] > 0)) {
        if (radioHeight > 915) return 11;
        if (radioHeight > 366) return 12;
        if (radioHeight > 152) return 13;
        return 14;
    }
    const std::int32_t verticalSpeed = w[kWordVerticalSpeed];
    if (verticalSpeed > 750) return 7;
    if (verticalSpeed >= -750) return 8;
    return 10;
}

void BuildSnapshot(Server& server) {
    const sim::SessionState& session = server.session;
    const sim::Record& flight = session.records[sim::kFlightRecord];
    SnapshotRecord& record = server.link.snapshot;
    auto& w = record.words;

    std::memcpy(w.data(), flight.bytes.data(), kFlightRecordWords * sizeof(std::int32_t));
    w[kWordPartialPanel] = PartialPanelMask(session.records[sim::kPartialPanelRecord]);
    w[kWordAutopilotFlags] = 0;
    server.adapters.table.FillAutopilotState(server, record);

    std::int32_t running = 0, starting = 0, takeoffPower = 0, reverse = 0;
    w[kWordEnginesRunning] = w[kWordEnginesFailed] = w[kWordEngineActivity] = 0;
    server.adapters.table.CountEngineStates(server, record, running, starting, takeoffPower, reverse);
    if (running == flight.Int32(kNumberOfEnginesWord)) w[kWordEngineActivity] += kEveryEngineRuns;
    if (starting > 0) w[kWordEngineActivity] += kEngineStarting;
    if (takeoffPower > 0) w[kWordEngineActivity] += kTakeoffPower;
    if (reverse > 0) w[kWordEngineActivity] += kReverseThrust;

    w[kWordFlightPhase] = FlightPhase(record, flight.Int32(27), flight.Int32(28), server.link.previousGroundSpeed);
    w[kWordTickCount] = static_cast<std::int32_t>(server.ports.clock.TickCount());
    w[kWordSurfaceType] = flight.Int32(29);
    w[kWordGearRetractable] = session.records[sim::kDesignRecord].Int32(2);
    w[kWordAircraftId] = server.adapters.currentAircraftId;
}

MessageResult SendSnapshot(Server& server) {
    BuildSnapshot(server);
    const auto& words = server.link.snapshot.words;
    return SendRecord(server, server.host.crewWindow, server.host.linkWindow, kSnapshotKind,
                      {reinterpret_cast<const std::uint8_t*>(words.data()), sizeof(words)});
}

MessageResult SendTakeoffRecord(Server& server, WindowId crewWindow, WindowId linkWindow,
                                const TakeoffDataRecord& record) {
    return SendRecord(server, crewWindow, linkWindow, kTakeoffDataKind,
                      {reinterpret_cast<const std::uint8_t*>(record.words.data()), sizeof(record.words)});
}

void LookUpNamedVariable(Server& server, std::string_view name, std::int32_t& integer, std::string& text) {
    for (const NamedVariable& variable : kNamedVariables) {
        if (!NameMatches(name, variable.name)) continue;
        if (variable.integer != nullptr) {
            integer = variable.integer(server.session);
        } else {
            text = std::string(variable.text(server.session)).substr(0, kTextAnswerChars);
        }
        return;
    }
}

}  // namespace tarvo::link
