// The records the crew app polls for: the snapshot, a single value by code or
// by simulation-variable name, the take-off data.
#pragma once

#include "platform/Types.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvo {
struct Server;
}

namespace tarvo::link {

// The 45-word status record sent as WM_COPYDATA kind 611. One buffer is reused
// for every report, so a word nobody writes keeps its previous value.
struct SnapshotRecord {
    std::array<std::int32_t, 45> words{};
};
static_assert(sizeof(SnapshotRecord) == 180);

// Words of the snapshot record that more than one place reads or writes.
enum SnapshotWord : std::size_t {
    kWordOnGround = 0,
    kWordIndicatedAirspeed = 2,
    kWordRadioHeight = 5,
    kWordVerticalSpeed = 6,
    kWordNumberOfEngines = 15,
    kWordSpeedTarget = 16,
    kWordHeadingTarget = 17,
    kWordAltitudeTarget = 18,
    kWordFlapsHandle = 19,
    kWordTrailingEdgeFlaps = 20,
    kWordGearHandle = 21,
    kWordPartialPanel = 27,
    kWordAutopilotFlags = 28,
    kWordEnginesRunning = 29,
    kWordEnginesFailed = 30,
    kWordEngineActivity = 31,
    kWordFlightPhase = 32,
    kWordTickCount = 33,
    kWordSurfaceType = 34,
    kWordGearRetractable = 35,
    kWordAircraftId = 36,
    // Copied from the flight record (the altitude target of autopilot 1); the
    // generic adapter writes the master warning and caution lamps over it.
    kWordMasterLamps = 37,
    // The first of six flight-mode annunciation words (38 to 43).
    kWordFlightModes = 38,
};

// Engine-activity flags of word 31.
inline constexpr std::int32_t kEveryEngineRuns = 0x10;
inline constexpr std::int32_t kEngineStarting = 0x20;
inline constexpr std::int32_t kTakeoffPower = 0x40;
inline constexpr std::int32_t kReverseThrust = 0x80;

// The 16-word take-off data record sent as WM_COPYDATA kind 615.
struct TakeoffDataRecord {
    std::array<std::int32_t, 16> words{};
};
static_assert(sizeof(TakeoffDataRecord) == 64);

// The block an adapter's QueryValue fills for a single value asked by code.
struct ValueQuery {
    std::uint32_t code = 0;
    std::uint32_t reserved[2] = {};
    std::uint32_t tag = 0;
    // A double, or a signed 32-bit integer in the first four bytes.
    std::array<std::uint8_t, 8> value{};
    std::array<std::uint8_t, 8> unused{};
};

// Fills the snapshot record from the received records and the adapter.
void BuildSnapshot(Server& server);

// Query 6: builds the snapshot record and sends it to the crew app; 1 when it
// was delivered, 0 when the send failed or timed out (whatever the crew app's
// window answered).
MessageResult SendSnapshot(Server& server);

// Sends a take-off data record to the crew app; 1 when delivered, else 0.
MessageResult SendTakeoffRecord(Server& server, WindowId crewWindow, WindowId linkWindow,
                                const TakeoffDataRecord& record);

// The flight phase, 0 to 15, of a built snapshot record. previousGroundSpeed
// persists between calls.
std::int32_t FlightPhase(const SnapshotRecord& record, std::int32_t groundSpeed, std::int32_t pushbackState,
                         std::int32_t& previousGroundSpeed);

// Query 14: a value by simulation-variable name; an unknown name leaves both
// answers as they are. Text answers are cut to 63 characters.
void LookUpNamedVariable(Server& server, std::string_view name, std::int32_t& integer, std::string& text);

}  // namespace tarvo::link
