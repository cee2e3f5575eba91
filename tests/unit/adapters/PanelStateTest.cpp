#include "adapters/generic/GenericAdapter.h"

#include "fixtures/AdapterFixture.h"
#include "link/Reports.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarvo::adapters::generic {
namespace {

constexpr auto kFlt = sim::kFlightRecord;
constexpr auto kAp = sim::kAutopilotRecord;
constexpr auto kEng = sim::kEngineRecord;

// What discovery and the configuration found out, as a case sets it.
enum Flag : unsigned { kFenix = 1, kA320Lvars = 2, kA32nxEvents = 4, k747 = 8, kCj4 = 16, kFmaCallouts = 32 };

struct RecordValue {
    sim::RecordId record;
    std::size_t field;
    std::int32_t value;
};
struct SlotValue {
    Slot slot;
    double value;
};
struct Word {
    std::size_t index;
    std::int32_t value;
};

struct PanelStateTest : AdapterFixture {
    PanelStateTest() { ConnectBridgeWithEverySlot(); }

    // The aircraft as a case describes it, on a clean slate.
    void Become(std::int32_t aircraft, unsigned flags) {
        AdapterState& adapters = fake.server.adapters;
        adapters.currentAircraftId = aircraft;
        adapters.fenixFlag = (flags & kFenix) != 0;
        adapters.a320LvarsFound = (flags & kA320Lvars) != 0;
        adapters.a32nxEventFlag = (flags & kA32nxEvents) != 0;
        adapters.asobo747Flag = (flags & k747) != 0;
        adapters.cj4Flag = (flags & kCj4) != 0;
        fake.server.host.fmaCallouts = (flags & kFmaCallouts) != 0 ? 1 : 0;
        for (auto& record : fake.server.session.records) std::fill(record.bytes.begin(), record.bytes.end(), 0);
    }
    void Set(const std::vector<RecordValue>& records, const std::vector<SlotValue>& lvars) {
        for (const RecordValue& r : records) SetInt32(r.record, r.field, r.value);
        for (const SlotValue& l : lvars) SetSlotValue(l.slot, l.value);
    }
    void ResetLvars(const std::vector<SlotValue>& lvars) {
        for (const SlotValue& l : lvars) SetSlotValue(l.slot, 0.0);
    }

    link::SnapshotRecord record;
};

TEST_F(PanelStateTest, AutopilotStateFollowsEachAircraftsOwnSources) {
    constexpr std::int32_t kAp1 = 1, kSpd = 2, kHdg = 4, kAlt = 8, kAppr = 16, kFd = 32, kAthr = 64;
    struct Case {
        const char* what;
        std::int32_t aircraft;
        unsigned flags;
        std::vector<RecordValue> records;
        std::vector<SlotValue> lvars;
        std::vector<Word> before;  // snapshot words as the flight record left them
        std::vector<Word> after;   // word 28 first
    };
    // clang-format off
    const Case cases[] = {
        // The default aircraft: the autopilot record.
        {"modes without autopilot or director", 1, 0,
         {{kAp, 6, 1}, {kAp, 7, 1}, {kAp, 8, 1}, {kAp, 9, 1}}, {}, {}, {{28, 0}}},
        {"autopilot 2 with its modes", 1, 0,
         {{kAp, 4, 1}, {kAp, 6, 1}, {kAp, 7, 1}, {kAp, 8, 1}}, {}, {}, {{28, kAp1 | kHdg | kAlt | kAppr}}},
        {"director 2 alone", 1, 0, {{kAp, 1, 1}, {kAp, 6, 1}}, {}, {}, {{28, kFd | kHdg}}},
        {"A/T armed without autopilot", 1, 0, {{kAp, 2, 1}, {kAp, 9, 1}}, {}, {}, {{28, kAthr | kSpd}}},
        {"speed hold without A/T", 1, 0, {{kAp, 9, 1}}, {}, {}, {{28, 0}}},
        {"altitude target 99000", 1, 0, {{kFlt, 37, 12000}}, {}, {{18, 99000}}, {{28, 0}, {18, 12000}}},
        {"altitude target 98999", 1, 0, {{kFlt, 37, 12000}}, {}, {{18, 98999}}, {{28, 0}, {18, 98999}}},
        {"lamp word over a -1000 ft target", 1, 0, {}, {}, {{37, -1000}}, {{28, 0}, {37, 0}}},
        {"both master lamps", 1, 0, {}, {{Slot::MasterCautionLight, 1}, {Slot::MasterWarningLight, 1}}, {},
         {{28, 0}, {37, 0x60000000}}},
        {"747", 57, k747, {{kFlt, 38, 31000}},
         {{Slot::FlightLevelChangeModeState, 1}, {Slot::LnavArmedState, 1}, {Slot::VnavActiveState, 1}}, {},
         {{28, 0x800 | 0x200 | 0x400}, {18, 31000}}},
        {"747 id before its discovery", 57, 0, {{kFlt, 38, 31000}}, {}, {{18, 5000}}, {{28, 0}, {18, 5000}}},
        {"787", 56, 0, {}, {{Slot::VnavArmedState, 1}}, {{18, 5000}}, {{28, 0x400}, {18, 5000}}},
        {"787 modes on another aircraft", 1, 0, {}, {{Slot::LnavArmedState, 1}}, {}, {{28, 0}}},
        {"CJ4", 59, kCj4, {{kFlt, 36, 250}, {kFlt, 34, 90}, {kFlt, 37, 9000}}, {}, {{16, 1}, {17, 2}, {18, 3}},
         {{28, 0}, {16, 250}, {17, 90}, {18, 9000}}},
        {"CJ4 id before its discovery", 59, 0, {{kFlt, 36, 250}}, {}, {{16, 1}}, {{28, 0}, {16, 1}}},
        // The Fenix: its FCU lights, the record's altitude lock, its flaps.
        {"Fenix FCU", 58, kFenix | kA320Lvars, {{kAp, 7, 1}},
         {{Slot::Autopilot1Light, 1}, {Slot::HeadingVsModeLight, 1}, {Slot::ApproachLight, 1},
          {Slot::AutothrustLight, 1}, {Slot::SpeedModeLight, 1}},
         {{27, 0x55}}, {{28, kAp1 | kHdg | kAlt | kAppr | kAthr | kSpd}, {27, 0}}},
        {"Fenix director and Mach", 58, kFenix, {},
         {{Slot::Efis2FlightDirectorLight, 1}, {Slot::AutothrustLight, 1}, {Slot::MachModeLight, 1}}, {},
         {{28, kFd | kAthr | kSpd}}},
        {"Fenix modes without autopilot", 58, kFenix, {{kAp, 7, 1}}, {{Slot::HeadingVsModeLight, 1}}, {}, {{28, 0}}},
        {"Fenix flaps 25", 58, kFenix, {}, {{Slot::FlapsLever, 2}, {Slot::LeftFlapPositionValue, 25}},
         {{19, 7}, {20, 7}}, {{28, 0}, {19, 50}, {20, 28}}},
        {"Fenix flaps full", 58, kFenix, {}, {{Slot::FlapsLever, 4}, {Slot::LeftFlapPositionValue, 87}}, {},
         {{28, 0}, {19, 100}, {20, 100}}},
        {"Fenix flaps 1", 58, kFenix, {}, {{Slot::LeftFlapPositionValue, 1}}, {{20, 7}}, {{28, 0}, {20, 0}}},
        {"Fenix flaps between positions", 58, kFenix, {}, {{Slot::LeftFlapPositionValue, 24.5}}, {{20, 7}},
         {{28, 0}, {20, 7}}},
        {"Fenix caution lamp", 58, kFenix, {}, {{Slot::MasterCautionLight, 1}}, {{37, 5000}},
         {{28, 0}, {37, 0x20000000}}},
        {"Fenix, FMA call-outs with engines off", 58, kFenix | kFmaCallouts, {}, {{Slot::MasterWarningLight, 1}},
         {{37, 5000}}, {{28, 0}, {37, 0x40000000}}},
        // Aircraft 58 without the Fenix: the A32NX and the simulator's A320neo.
        {"A320neo: autopilot bit only", 58, 0,
         {{kAp, 3, 1}, {kAp, 0, 1}, {kAp, 6, 1}, {kAp, 2, 1}, {kAp, 9, 1}}, {}, {}, {{28, kAp1}}},
        {"A320neo: autopilot 3 is not one of its own", 58, 0, {{kAp, 5, 1}}, {}, {}, {{28, 0}}},
        {"A32NX autopilot 2 light", 58, kA320Lvars, {}, {{Slot::Autopilot2Light, 1}}, {}, {{28, kAp1}}},
        {"A32NX flaps and flight modes", 58, kA320Lvars | kA32nxEvents | kFmaCallouts, {},
         {{Slot::FlapsLever, 3}, {Slot::FmaAutothrustModeValue, 1.9}, {Slot::FmaLateralArmedValue, 2},
          {Slot::FmaLateralModeValue, 3}, {Slot::FmaVerticalArmedValue, -4.5}, {Slot::FmaVerticalModeValue, 5},
          {Slot::AutothrustStatusValue, 6}},
         {{44, 9}}, {{28, 0}, {19, 75}, {38, 1}, {39, 2}, {40, 3}, {41, -4}, {42, 5}, {43, 6}, {44, 9}}},
        {"A32NX modes without its events", 58, kA320Lvars | kFmaCallouts, {}, {{Slot::FmaLateralModeValue, 3}},
         {{40, 7}}, {{28, 0}, {40, 7}}},
        {"A32NX modes with call-outs off", 58, kA320Lvars | kA32nxEvents, {}, {{Slot::FmaLateralModeValue, 3}},
         {{40, 7}}, {{28, 0}, {40, 7}}},
        {"A320neo flaps", 58, 0, {}, {{Slot::FlapsLever, 3}}, {{19, 7}}, {{28, 0}, {19, 7}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Become(c.aircraft, c.flags);
        Set(c.records, c.lvars);
        record = {};
        for (const Word& w : c.before) record.words[w.index] = w.value;
        FillAutopilotState(fake.server, record);
        for (const Word& w : c.after) EXPECT_EQ(record.words[w.index], w.value) << "word " << w.index;
        ResetLvars(c.lvars);
    }
}

// A flaps handle or a flight-mode variable that the aircraft does not have
// leaves the word alone rather than writing 0 from nothing.
TEST_F(PanelStateTest, VariablesTheAircraftLacksLeaveTheirWords) {
    Become(58, kFenix | kA320Lvars);
    ForgetSlot(Slot::FlapsLever);
    ForgetSlot(Slot::LeftFlapPositionValue);
    record.words[19] = 7;
    record.words[20] = 8;
    FillAutopilotState(fake.server, record);
    EXPECT_EQ(record.words[19], 7);
    EXPECT_EQ(record.words[20], 8);

    Become(58, kA320Lvars | kA32nxEvents | kFmaCallouts);
    ForgetSlot(Slot::FmaVerticalModeValue);
    record.words[42] = 9;
    FillAutopilotState(fake.server, record);
    EXPECT_EQ(record.words[42], 9);
    EXPECT_EQ(record.words[38], 0);
}

// Numbers from another process arrive as doubles: NaN and values out of range
// must still give a defined word.
TEST_F(PanelStateTest, ForeignDoublesBecomeWordsSafely) {
    fakes::FakeProcessMemory::Region region;
    region.info = {0x5000000, 0x1000, 0, 0, 0, 0};
    region.bytes.assign(0x100, 0);
    fake.memory.regions.push_back(region);
    fenix::FenixState& fenix = fake.server.adapters.fenix;
    fenix.systemProcess = 0x7001;
    fenix.fcuAddresses[static_cast<std::size_t>(fenix::FcuField::Speed)] = 0x5000020;

    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    // {double, word}
    const std::pair<double, std::int32_t> cases[] = {
        {std::nan(""), 0}, {kInf, kMax}, {-kInf, kMin}, {1e12, kMax}, {-1e12, kMin}, {-2.9, -2}, {250.75, 250},
    };
    for (const auto& [value, word] : cases) {
        SCOPED_TRACE(std::to_string(value));
        // The FCU's speed, read from the Fenix's memory.
        Become(58, kFenix);
        std::memcpy(fake.memory.regions[0].bytes.data() + 0x20, &value, sizeof value);
        FillAutopilotState(fake.server, record);
        EXPECT_EQ(record.words[16], word);
        // A flight-mode variable of the A32NX.
        Become(58, kA320Lvars | kA32nxEvents | kFmaCallouts);
        SetSlotValue(Slot::FmaAutothrustModeValue, value);
        FillAutopilotState(fake.server, record);
        EXPECT_EQ(record.words[38], word);
    }
}

TEST_F(PanelStateTest, FenixFcuTargetsWhereTheirAddressesAreKnown) {
    fakes::FakeProcessMemory::Region region;
    region.info = {0x5000000, 0x1000, 0, 0, 0, 0};
    region.bytes.assign(0x100, 0);
    const std::int32_t heading = 275;
    std::memcpy(region.bytes.data() + 0x10, &heading, sizeof heading);
    fake.memory.regions.push_back(region);
    fenix::FenixState& fenix = fake.server.adapters.fenix;
    fenix.systemProcess = 0x7001;
    fenix.fcuAddresses[static_cast<std::size_t>(fenix::FcuField::Heading)] = 0x5000010;
    fenix.fcuAddresses[static_cast<std::size_t>(fenix::FcuField::Altitude)] = 0x50000FE;  // read cut short

    Become(58, kFenix);
    record.words[16] = 140;
    record.words[18] = 5000;
    FillAutopilotState(fake.server, record);
    EXPECT_EQ(record.words[16], 140) << "speed address not known";
    EXPECT_EQ(record.words[17], 275);
    EXPECT_EQ(record.words[18], -1) << "a failed read is passed on";
}

// {what, aircraft, flags, engines, on ground, per engine: combustion, starter,
//  throttle, failed; Fenix detents (nullopt: unknown); counts and masks}
struct EngineCase {
    const char* what;
    std::int32_t aircraft;
    unsigned flags;
    std::int32_t engines;
    bool onGround;
    std::array<std::int32_t, 4> combustion, starter, throttle, failed;
    std::optional<std::pair<double, double>> detents;
    std::int32_t running, starting, takeoff, reverse, runningMask, failedMask;
};

TEST_F(PanelStateTest, EnginesAreCountedByTheirState) {
    const auto none = std::nullopt;
    const std::array<std::int32_t, 4> all{1, 1, 1, 1}, zero{0, 0, 0, 0};
    // clang-format off
    const EngineCase cases[] = {
        {"four at 12001", 1, 0, 4, false, all, zero, {12001, 12001, 12001, 12001}, zero, none, 4, 0, 4, 0, 0xF, 0},
        {"four at 12000", 1, 0, 4, false, all, zero, {12000, 12000, 12000, 12000}, zero, none, 4, 0, 0, 0, 0xF, 0},
        {"reverse below -100", 1, 0, 2, true, all, zero, {-101, -100, 0, 0}, zero, none, 2, 0, 0, 1, 0x3, 0},
        {"starting and failing in the air", 1, 0, 3, false, {1, 0, 0, 0}, {0, 1, 0, 0}, zero, {1, 1, 1, 0}, none,
         1, 1, 0, 0, 0x1, 0x4},
        {"failing on the ground", 1, 0, 2, true, zero, zero, zero, {1, 1, 0, 0}, none, 0, 0, 0, 0, 0, 0},
        {"A32NX at 12999", 58, kA320Lvars, 2, true, all, zero, {12999, 12999, 0, 0}, zero, none, 2, 0, 0, 0, 0x3, 0},
        {"A32NX at 13000", 58, kA320Lvars, 2, true, all, zero, {13000, 0, 0, 0}, zero, none, 2, 0, 1, 0, 0x3, 0},
        {"another aircraft after an A32NX", 74, kA320Lvars, 2, true, all, zero, {12500, 0, 0, 0}, zero, none,
         2, 0, 1, 0, 0x3, 0},
        {"Fenix at 10599", 58, kFenix | kA320Lvars, 2, true, all, zero, {10599, 10599, 0, 0}, zero,
         std::pair{3.0, 3.0}, 2, 0, 0, 0, 0x3, 0},
        {"Fenix at 10600", 58, kFenix | kA320Lvars, 2, true, all, zero, {10600, 0, 0, 0}, zero,
         std::pair{3.0, 3.0}, 2, 0, 1, 0, 0x3, 0},
        {"Fenix detents 4 and 1", 58, kFenix | kA320Lvars, 2, true, all, zero, zero, zero,
         std::pair{4.0, 1.0}, 2, 0, 1, 1, 0x3, 0},
        {"Fenix engines 3 and 4", 58, kFenix | kA320Lvars, 4, true, all, zero, {0, 0, 16000, -5000}, zero,
         std::pair{3.0, 3.0}, 4, 0, 0, 0, 0xF, 0},
        {"Fenix without detents", 58, kFenix | kA320Lvars, 2, true, all, zero, {5000, -200, 0, 0}, zero, none,
         2, 0, 0, 1, 0x3, 0},
        {"more engines than the record has", 1, 0, 40, false, all, zero, zero, zero, none, 4, 0, 0, 0, 0xF, 0},
        {"a negative count", 1, 0, -1, false, all, zero, zero, zero, none, 0, 0, 0, 0, 0, 0},
    };
    // clang-format on
    for (const EngineCase& c : cases) {
        SCOPED_TRACE(c.what);
        Become(c.aircraft, c.flags);
        for (std::size_t i = 0; i < 4; ++i) {
            SetInt32(kEng, 0 + i, c.combustion[i]);
            SetInt32(kEng, 4 + i, c.starter[i]);
            SetInt32(kEng, 12 + i, c.throttle[i]);
            SetInt32(kEng, 36 + i, c.failed[i]);
        }
        // Beyond the four engines: fields a larger count would take for engines.
        for (std::size_t field = 40; field < 48; ++field) SetInt32(kEng, field, 1);
        if (c.detents) {
            FillSlot(Slot::ThrottleLeftLever, SlotLabel(Slot::ThrottleLeftLever));
            FillSlot(Slot::ThrottleRightLever, SlotLabel(Slot::ThrottleRightLever));
            SetSlotValue(Slot::ThrottleLeftLever, c.detents->first);
            SetSlotValue(Slot::ThrottleRightLever, c.detents->second);
        } else {
            ForgetSlot(Slot::ThrottleLeftLever);
            ForgetSlot(Slot::ThrottleRightLever);
        }
        record = {};
        record.words[link::kWordOnGround] = c.onGround ? 1 : 0;
        record.words[link::kWordNumberOfEngines] = c.engines;
        // The counters are only ever added to.
        std::int32_t running = 5, starting = 5, takeoff = 5, reverse = 5;
        CountEngineStates(fake.server, record, running, starting, takeoff, reverse);
        EXPECT_EQ(running, 5 + c.running);
        EXPECT_EQ(starting, 5 + c.starting);
        EXPECT_EQ(takeoff, 5 + c.takeoff);
        EXPECT_EQ(reverse, 5 + c.reverse);
        EXPECT_EQ(record.words[link::kWordEnginesRunning], c.runningMask);
        EXPECT_EQ(record.words[link::kWordEnginesFailed], c.failedMask);
    }
}

// Without a bridge the Fenix's variables are not there: the words they fill
// keep the flight record's, and its lamps are dark.
TEST(PanelStateWithoutBridge, FenixKeepsTheFlightRecordsWords) {
    fakes::FakeServer fake;
    fake.server.adapters.currentAircraftId = 58;
    fake.server.adapters.fenixFlag = true;
    link::SnapshotRecord record;
    record.words[19] = 40;
    record.words[20] = 45;
    record.words[27] = 0x3;
    record.words[37] = -1000;
    FillAutopilotState(fake.server, record);
    EXPECT_EQ(record.words[19], 40);
    EXPECT_EQ(record.words[20], 45);
    EXPECT_EQ(record.words[27], 0);
    EXPECT_EQ(record.words[28], 0);
    EXPECT_EQ(record.words[37], 0);
}

}  // namespace
}  // namespace tarvo::adapters::generic
