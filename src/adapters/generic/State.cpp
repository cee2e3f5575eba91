#include "adapters/generic/GenericAdapter.h"

#include "adapters/fenix/Fcu.h"
#include "adapters/fenix/FenixSearches.h"
#include "adapters/fenix/Fma.h"
#include "adapters/generic/Aircraft.h"
#include "base/Convert.h"
#include "link/Reports.h"
#include "sim/SessionState.h"

#include <algorithm>
#include <array>
#include <optional>

namespace tarvo::adapters::generic {
namespace {

using fenix::FcuField;

// Autopilot flags of snapshot word 28.
constexpr std::int32_t kAutopilotEngaged = 1;
constexpr std::int32_t kAirspeedHold = 2;
constexpr std::int32_t kHeadingLock = 4;
constexpr std::int32_t kAltitudeLock = 8;
constexpr std::int32_t kApproachHold = 16;
constexpr std::int32_t kFlightDirector = 32;
constexpr std::int32_t kAutothrottleArmed = 64;
constexpr std::int32_t kLateralNavigationArmed = 0x200;
constexpr std::int32_t kVerticalNavigation = 0x400;
constexpr std::int32_t kFlightLevelChange = 0x800;

// Master lamps of word 37.
constexpr std::int32_t kMasterCaution = 0x20000000;
constexpr std::int32_t kMasterWarning = 0x40000000;

// Flight record fields.
constexpr std::size_t kHeadingTarget1 = 34;
constexpr std::size_t kAirspeedTarget1 = 36;
constexpr std::size_t kAltitudeTarget1 = 37;
constexpr std::size_t kAltitudeTarget3 = 38;
constexpr std::int32_t kNoAltitudeTarget = 99000;

// Autopilot record fields.
constexpr std::size_t kFlightDirector1 = 0;
constexpr std::size_t kFlightDirector2 = 1;
constexpr std::size_t kThrottleArm = 2;
constexpr std::size_t kAutopilotMaster1 = 3;
constexpr std::size_t kAutopilotMaster2 = 4;
constexpr std::size_t kAutopilotMaster3 = 5;
constexpr std::size_t kHeadingLockField = 6;
constexpr std::size_t kAltitudeLockField = 7;
constexpr std::size_t kApproachHoldField = 8;
constexpr std::size_t kAirspeedHoldField = 9;

// Engine record fields, engine i at base + i.
constexpr std::size_t kCombustion = 0;
constexpr std::size_t kStarter = 4;
constexpr std::size_t kThrottle = 12;
constexpr std::size_t kFailed = 36;
constexpr std::int32_t kMaxEngines = 4;  // the record has four of each

// Throttle lever positions (0 to 16383, below 0 in reverse) and the Fenix's detents.
constexpr std::int32_t kTakeoffThrottle = 12000;       // above
constexpr std::int32_t kA32nxTakeoffThrottle = 13000;  // at or above
constexpr std::int32_t kFenixTakeoffThrottle = 10600;  // at or above
constexpr std::int32_t kReverseThrottle = -100;        // below
constexpr double kFenixTakeoffDetent = 4.0;            // at or above
constexpr double kFenixReverseDetent = 2.0;            // below

// The Fenix's left flap position as the crew app's flaps percentage.
struct FlapPosition {
    double fenix;
    std::int32_t percent;
};
constexpr FlapPosition kFenixFlapPositions[] = {{0, 0}, {1, 0}, {25, 28}, {38, 42}, {50, 57}, {87, 100}};

constexpr double kFlapsLeverScale = 25.0;

// The A32NX flight-mode values for words 38 to 43, in the Fenix decoder's order.
constexpr std::array<Slot, 6> kA32nxFlightModes = {
    Slot::FmaAutothrustModeValue, Slot::FmaLateralArmedValue, Slot::FmaLateralModeValue,
    Slot::FmaVerticalArmedValue,  Slot::FmaVerticalModeValue, Slot::AutothrustStatusValue,
};

bool IsAbove0(Server& server, Slot slot) {
    return ReadSlot(server, slot) > 0.0;
}

std::int32_t MasterLamps(Server& server) {
    std::int32_t lamps = 0;
    if (!bridge::HasBridge(server)) return lamps;
    if (IsAbove0(server, Slot::MasterCautionLight)) lamps += kMasterCaution;
    if (IsAbove0(server, Slot::MasterWarningLight)) lamps += kMasterWarning;
    return lamps;
}

// The flags of the default aircraft's autopilot record; the mode bits count
// only while an autopilot or a flight director is on.
std::int32_t DefaultAutopilotFlags(const sim::Record& autopilot) {
    std::int32_t flags = 0;
    if (autopilot.Int32(kAutopilotMaster1) >= 1 || autopilot.Int32(kAutopilotMaster2) >= 1 ||
        autopilot.Int32(kAutopilotMaster3) >= 1) {
        flags |= kAutopilotEngaged;
    }
    if (autopilot.Int32(kFlightDirector1) != 0 || autopilot.Int32(kFlightDirector2) != 0) flags |= kFlightDirector;
    if ((flags & (kAutopilotEngaged | kFlightDirector)) != 0) {
        if (autopilot.Int32(kHeadingLockField) > 0) flags |= kHeadingLock;
        if (autopilot.Int32(kAltitudeLockField) != 0) flags |= kAltitudeLock;
        if (autopilot.Int32(kApproachHoldField) != 0) flags |= kApproachHold;
    }
    if (autopilot.Int32(kThrottleArm) != 0) {
        flags |= kAutothrottleArmed;
        if (autopilot.Int32(kAirspeedHoldField) != 0) flags |= kAirspeedHold;
    }
    return flags;
}

void FillDefault(Server& server, link::SnapshotRecord& record) {
    auto& w = record.words;
    const sim::Record& flight = server.session.records[sim::kFlightRecord];
    const std::int32_t id = server.adapters.currentAircraftId;
    if ((id == kAsobo787Id || id == kAsobo747Id) && bridge::HasBridge(server)) {
        if (IsAbove0(server, Slot::FlightLevelChangeModeState)) w[link::kWordAutopilotFlags] |= kFlightLevelChange;
        if (IsAbove0(server, Slot::LnavArmedState)) w[link::kWordAutopilotFlags] |= kLateralNavigationArmed;
        if (IsAbove0(server, Slot::VnavArmedState) || IsAbove0(server, Slot::VnavActiveState)) {
            w[link::kWordAutopilotFlags] |= kVerticalNavigation;
        }
    }
    if (id == kAsobo747Id && server.adapters.asobo747Flag) {
        w[link::kWordAltitudeTarget] = flight.Int32(kAltitudeTarget3);
    }
    if (IsCj4(server)) {
        w[link::kWordSpeedTarget] = flight.Int32(kAirspeedTarget1);
        w[link::kWordHeadingTarget] = flight.Int32(kHeadingTarget1);
        w[link::kWordAltitudeTarget] = flight.Int32(kAltitudeTarget1);
    }
    if (w[link::kWordAltitudeTarget] >= kNoAltitudeTarget) {
        w[link::kWordAltitudeTarget] = flight.Int32(kAltitudeTarget1);
    }

    w[link::kWordAutopilotFlags] |= DefaultAutopilotFlags(server.session.records[sim::kAutopilotRecord]);
    // Left alone, word 37 would keep the altitude target, and a target such as
    // -1000 ft would read as both master lamps lit.
    w[link::kWordMasterLamps] = MasterLamps(server);
}

void FillFenixFcuTargets(Server& server, link::SnapshotRecord& record) {
    auto& w = record.words;
    if (fenix::IsFcuFieldKnown(server, FcuField::Speed)) {
        w[link::kWordSpeedTarget] = TruncateToInt32(fenix::ReadFcuDouble(server, FcuField::Speed));
    }
    if (fenix::IsFcuFieldKnown(server, FcuField::Heading)) {
        w[link::kWordHeadingTarget] = fenix::ReadFcuInt32(server, FcuField::Heading);
    }
    if (fenix::IsFcuFieldKnown(server, FcuField::Altitude)) {
        w[link::kWordAltitudeTarget] = fenix::ReadFcuInt32(server, FcuField::Altitude);
    }
}

std::int32_t FenixAutopilotFlags(Server& server) {
    std::int32_t flags = 0;
    if (IsAbove0(server, Slot::Autopilot1Light) || IsAbove0(server, Slot::Autopilot2Light)) flags |= kAutopilotEngaged;
    if (IsAbove0(server, Slot::Efis1FlightDirectorLight) || IsAbove0(server, Slot::Efis2FlightDirectorLight)) {
        flags |= kFlightDirector;
    }
    if ((flags & (kAutopilotEngaged | kFlightDirector)) != 0) {
        if (IsAbove0(server, Slot::HeadingVsModeLight)) flags |= kHeadingLock;
        if (server.session.records[sim::kAutopilotRecord].Int32(kAltitudeLockField) != 0) flags |= kAltitudeLock;
        if (IsAbove0(server, Slot::ApproachLight)) flags |= kApproachHold;
    }
    if (IsAbove0(server, Slot::AutothrustLight)) {
        flags |= kAutothrottleArmed;
        if (IsAbove0(server, Slot::SpeedModeLight) || IsAbove0(server, Slot::MachModeLight)) flags |= kAirspeedHold;
    }
    return flags;
}

bool EngineOneOrTwoBurns(const Server& server) {
    const sim::Record& engines = server.session.records[sim::kEngineRecord];
    return engines.Int32(kCombustion) != 0 || engines.Int32(kCombustion + 1) != 0;
}

void FillFenix(Server& server, link::SnapshotRecord& record) {
    auto& w = record.words;
    FillFenixFcuTargets(server, record);
    w[link::kWordAutopilotFlags] |= FenixAutopilotFlags(server);
    w[link::kWordPartialPanel] = 0;
    // Without the variable these keep the flight record's flaps rather than 0.
    if (IsSlotKnown(server, Slot::FlapsLever)) {
        w[link::kWordFlapsHandle] = TruncateToInt32(kFlapsLeverScale * ReadSlot(server, Slot::FlapsLever));
    }
    if (IsSlotKnown(server, Slot::LeftFlapPositionValue)) {
        const double position = ReadSlot(server, Slot::LeftFlapPositionValue);
        for (const FlapPosition& flap : kFenixFlapPositions) {
            if (position == flap.fenix) w[link::kWordTrailingEdgeFlaps] = flap.percent;
        }
    }
    if (server.host.fmaCallouts != 0 && EngineOneOrTwoBurns(server) && !fenix::IsTakeoffSearchRunning(server)) {
        fenix::DecodeFma(server, record);
    }
    w[link::kWordMasterLamps] = MasterLamps(server);
}

// The FlyByWire A32NX, and the simulator's own A320neo.
void FillA320(Server& server, link::SnapshotRecord& record) {
    auto& w = record.words;
    const sim::Record& autopilot = server.session.records[sim::kAutopilotRecord];
    if (autopilot.Int32(kAutopilotMaster1) >= 1 || autopilot.Int32(kAutopilotMaster2) >= 1 ||
        IsAbove0(server, Slot::Autopilot1Light) || IsAbove0(server, Slot::Autopilot2Light)) {
        w[link::kWordAutopilotFlags] |= kAutopilotEngaged;
    }
    if (IsA32nx(server) && bridge::HasBridge(server)) {
        if (IsSlotKnown(server, Slot::FlapsLever)) {
            w[link::kWordFlapsHandle] = TruncateToInt32(kFlapsLeverScale * ReadSlot(server, Slot::FlapsLever));
        }
        if (server.host.fmaCallouts != 0 && server.adapters.a32nxEventFlag) {
            for (std::size_t i = 0; i < kA32nxFlightModes.size(); ++i) {
                if (!IsSlotKnown(server, kA32nxFlightModes[i])) continue;
                w[link::kWordFlightModes + i] = TruncateToInt32(ReadSlot(server, kA32nxFlightModes[i]));
            }
        }
    }
    w[link::kWordMasterLamps] = MasterLamps(server);
}

enum class ThrottleRule { Default, A32nx, Fenix };

// The Fenix's throttle detent for engine 1 or 2, where it can be read.
std::optional<double> FenixDetent(Server& server, std::int32_t engine) {
    const Slot slot = engine == 0 ? Slot::ThrottleLeftLever : Slot::ThrottleRightLever;
    if (!IsSlotKnown(server, slot)) return std::nullopt;
    return ReadSlot(server, slot);
}

void CountThrust(Server& server, ThrottleRule rule, std::int32_t engine, std::int32_t throttle,
                 std::int32_t& takeoffPower, std::int32_t& reverse) {
    switch (rule) {
        case ThrottleRule::Default:
            if (throttle > kTakeoffThrottle) {
                ++takeoffPower;
            } else if (throttle < kReverseThrottle) {
                ++reverse;
            }
            return;
        case ThrottleRule::A32nx:
            if (throttle >= kA32nxTakeoffThrottle) {
                ++takeoffPower;
            } else if (throttle < kReverseThrottle) {
                ++reverse;
            }
            return;
        case ThrottleRule::Fenix: {
            if (engine > 1) return;  // engines 3 and 4 are not the Fenix's
            // Without its detent an engine goes by its lever alone: an unknown
            // detent would read 0, which is a reverse detent.
            const std::optional<double> detent = FenixDetent(server, engine);
            if (throttle >= kFenixTakeoffThrottle || (detent && *detent >= kFenixTakeoffDetent)) {
                ++takeoffPower;
            } else if (throttle < kReverseThrottle || (detent && *detent < kFenixReverseDetent)) {
                ++reverse;
            }
            return;
        }
    }
}

}  // namespace

void FillAutopilotState(Server& server, link::SnapshotRecord& record) {
    if (server.adapters.currentAircraftId != kA320FamilyId) return FillDefault(server, record);
    if (server.adapters.fenixFlag) return FillFenix(server, record);
    FillA320(server, record);
}

void CountEngineStates(Server& server, link::SnapshotRecord& record, std::int32_t& running, std::int32_t& starting,
                       std::int32_t& takeoffPower, std::int32_t& reverse) {
    auto& w = record.words;
    const sim::Record& engines = server.session.records[sim::kEngineRecord];
    const ThrottleRule rule = IsFenix(server)   ? ThrottleRule::Fenix
                              : IsA32nx(server) ? ThrottleRule::A32nx
                                                : ThrottleRule::Default;
    const bool airborne = w[link::kWordOnGround] == 0;
    // The count comes from the simulator: the record holds four engines, and a
    // larger count would read other fields as engines.
    const std::int32_t count = std::clamp(w[link::kWordNumberOfEngines], 0, kMaxEngines);
    for (std::int32_t engine = 0; engine < count; ++engine) {
        const auto i = static_cast<std::size_t>(engine);
        if (engines.Int32(kCombustion + i) != 0) {
            w[link::kWordEnginesRunning] |= 1 << engine;
            ++running;
            CountThrust(server, rule, engine, engines.Int32(kThrottle + i), takeoffPower, reverse);
        } else if (engines.Int32(kStarter + i) != 0) {
            ++starting;
        } else if (airborne && engines.Int32(kFailed + i) > 0) {
            w[link::kWordEnginesFailed] |= 1 << engine;
        }
    }
}

}  // namespace tarvo::adapters::generic
