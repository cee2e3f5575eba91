#include "InibuildsFixture.h"

#include "link/Reports.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <limits>

namespace tarvo::adapters {
namespace {

using Bytes = std::array<std::uint8_t, 8>;

Bytes AsBytes(double value) {
    Bytes bytes{};
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}
Bytes AsBytes(std::int32_t value) {
    Bytes bytes{};
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}
constexpr Bytes kNoAnswer{};

struct InibuildsStateTest : InibuildsFixture {
    Bytes Answer(std::uint32_t code) {
        link::ValueQuery query;
        query.code = code;
        fake.server.adapters.table.QueryValue(fake.server, query);
        return query.value;
    }

    link::SnapshotRecord Snapshot(const link::SnapshotRecord& before = {}) {
        link::SnapshotRecord record = before;
        record.words[link::kWordAutopilotFlags] = 0;
        fake.server.adapters.table.FillAutopilotState(fake.server, record);
        return record;
    }
};

TEST_F(InibuildsStateTest, QueriesByCode) {
    LoadA310();
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        std::uint32_t code;
        std::string_view variable;  // set to value first, unless empty
        double value;
        Bytes answer;
    };
    const Case cases[] = {
        {1085, "A310_IRS1_STATE", 2.0, AsBytes(2.0)},
        {1545, "A310_S_SPEED", 183.5, AsBytes(183.5)},
        {1088, "A300_WINDOW_HEAT1", 1.0, AsBytes(1.0)},
        {308, "A310_xfeed_transfer_on", 1.9, AsBytes(std::int32_t{1})},
        {743, "A310_AUTOBRAKE_LEVEL", kNaN, AsBytes(std::int32_t{0})},
        {743, "A310_AUTOBRAKE_LEVEL", 1e12, AsBytes(std::numeric_limits<std::int32_t>::max())},
        {949, "A300DR_brake_system", 0.9, AsBytes(1.0)},  // 0 once truncated
        {949, "A300DR_brake_system", 2.0, kNoAnswer},
        {1072, "A310_galley_shed", 0.5, kNoAnswer},  // exactly 0 only
        {1072, "A310_galley_shed", 0.0, AsBytes(1.0)},
        {369, "A310_TAXI_LIGHTS_SWITCH", 1.0, AsBytes(1.0)},
        {620, "A310_NAV_LOGO_LIGHT_SWITCH", 1.0, kNoAnswer},
        {619, "A310_NAV_LOGO_LIGHT_SWITCH", 1.0, AsBytes(1.0)},
        {103, "A310_ap2_on", 1.0, AsBytes(1.0)},
        {1053, "A310_APU_RUN", 0.0, kNoAnswer},
        {14, "A310_LANDING_LIGHT_L_SWITCH", 0.0, AsBytes(1.0)},  // the right switch is not known
        {14, "A310_LANDING_LIGHT_L_SWITCH", 2.0, kNoAnswer},
        {303, "", 0.0, kNoAnswer},  // open codes
        {1437, "", 0.0, kNoAnswer},
        {9999, "", 0.0, kNoAnswer},  // no code at all
    };
    for (const Case& c : cases) {
        if (!c.variable.empty()) SetVariable(c.variable, c.value);
        EXPECT_EQ(Answer(c.code), c.answer) << c.code << " at " << c.value;
    }

    SetField(sim::kSystemsRecord, 23, 1);  // LIGHT PANEL
    SetField(sim::kEngineRecord, 5, 1);    // GENERAL ENG STARTER:2
    SetField(sim::kFlightRecord, 0, 1);    // SIM ON GROUND, answered by the generic query
    EXPECT_EQ(Answer(10), AsBytes(1.0));
    EXPECT_EQ(Answer(573), AsBytes(1.0));
    EXPECT_EQ(Answer(60), AsBytes(1.0));

    // A condition on a variable the aircraft does not have says nothing.
    ForgetSlot(Slot::GalleyCabinSwitch);
    EXPECT_EQ(Answer(1072), kNoAnswer);
}

TEST_F(InibuildsStateTest, WithoutABridgeNothingIsAnswered) {
    SetField(sim::kFlightRecord, 0, 1);
    for (const std::uint32_t code : {60u, 10u, 1085u, 949u}) EXPECT_EQ(Answer(code), kNoAnswer) << code;
}

TEST_F(InibuildsStateTest, AutopilotWordsComeFromTheFcu) {
    LoadA310();
    link::SnapshotRecord flight;
    flight.words[link::kWordSpeedTarget] = 250;
    flight.words[link::kWordAltitudeTarget] = 5000;
    flight.words[link::kWordMasterLamps] = 5000;  // the flight record's altitude target

    SetVariable("A310_ap1_on", 1.0);
    SetVariable("A310_MCU_HDG_SEL_LIGHT", 1.0);
    SetVariable("A310_at_on", 1.0);
    SetVariable("A310_Airspeed_Dial", 180.7);
    SetVariable("A310_HEADING_DIAL", 275.0);
    SetVariable("A310_Altitude_Dial", 12000.0);
    link::SnapshotRecord record = Snapshot(flight);
    EXPECT_EQ(record.words[link::kWordAutopilotFlags], 0x45) << "AP1, HDG SEL lamp, A/THR";
    EXPECT_EQ(record.words[link::kWordSpeedTarget], 180);
    EXPECT_EQ(record.words[link::kWordHeadingTarget], 275);
    EXPECT_EQ(record.words[link::kWordAltitudeTarget], 12000);
    EXPECT_EQ(record.words[link::kWordMasterLamps], 0);

    SetVariable("A310_ap1_on", 0.0);
    SetVariable("A310_FDIR_SWITCH_FO", 1.0);
    SetVariable("A310_MCU_ALTTUDE_HOLD_LIGHT", 1.0);
    SetVariable("A310_MCU_LEVEL_CHANGE_LIGHT", 1.0);
    SetVariable("A310_MCU_LAND_LIGHT", 1.0);
    SetVariable("A310_MASTER_CAUTION_ACTIVE", 1.0);
    SetVariable("A310_MASTER_WARNING_ACTIVE", 1.0);
    SetVariable("A300DR_FMS1_message_light", 1.0);
    record = Snapshot(flight);
    EXPECT_EQ(record.words[link::kWordAutopilotFlags], 0x20 | 0x100 | 0x4 | 0x8 | 0x800 | 0x10 | 0x40);
    EXPECT_EQ(record.words[link::kWordMasterLamps], 0x60000100);

    SetVariable("A310_FDIR_SWITCH_FO", 0.0);
    EXPECT_EQ(Snapshot(flight).words[link::kWordAutopilotFlags], 0x40) << "the lamps count only with AP or FD";

    // A dial the aircraft lacks leaves the simulator's target.
    ForgetSlot(Slot::AirspeedDialValue);
    EXPECT_EQ(Snapshot(flight).words[link::kWordSpeedTarget], 250);
}

// Without a bridge only word 37 is written: left as the 5000 ft altitude
// target it would read as the FMS message lamp (0x1388 has bit 0x100).
TEST_F(InibuildsStateTest, WithoutABridgeTheLampWordIsClear) {
    link::SnapshotRecord flight;
    flight.words[link::kWordSpeedTarget] = 250;
    flight.words[link::kWordMasterLamps] = 5000;
    const link::SnapshotRecord record = Snapshot(flight);
    EXPECT_EQ(record.words[link::kWordMasterLamps], 0);
    EXPECT_EQ(record.words[link::kWordSpeedTarget], 250);
    EXPECT_EQ(record.words[link::kWordAutopilotFlags], 0);
}

TEST_F(InibuildsStateTest, TakeoffDataFromTheFms) {
    fake.server.adapters.table.SendTakeoffData(fake.server, crewWindow, linkWindow);
    EXPECT_TRUE(fake.desktop.copyData.empty()) << "nothing without a bridge";

    LoadA300();
    SetVariable("INI_V1", 141.9);
    SetVariable("INI_VR", 145.0);
    SetVariable("INI_PRESET_SPEED", 150.0);
    SetVariable("INI_transition_altitude", 18000.0);
    SetVariable("INI_FLEX_TEMPERATURE", std::numeric_limits<double>::infinity());
    fake.server.adapters.table.SendTakeoffData(fake.server, crewWindow, linkWindow);
    ASSERT_EQ(fake.desktop.copyData.size(), 1u);
    EXPECT_EQ(fake.desktop.copyData[0].kind, 615u);
    std::array<std::int32_t, 16> words{};
    ASSERT_EQ(fake.desktop.copyData[0].bytes.size(), sizeof words);
    std::memcpy(words.data(), fake.desktop.copyData[0].bytes.data(), sizeof words);
    EXPECT_EQ(words, (std::array<std::int32_t, 16>{141, 145, 150, 0, 18000, 0, 0, 0, 0, 0, 0, 0,
                                                   std::numeric_limits<std::int32_t>::max(), 0, 0, 0}));
}

// Take-off power is a lever above 12000 of 16383, as on any aircraft; each
// engine is read from its own fields.
TEST_F(InibuildsStateTest, EnginesCountFromTheirOwnLevers) {
    constexpr std::size_t kCombustion = 0, kThrottle = 12;
    SetField(sim::kEngineRecord, kCombustion + 0, 1);
    SetField(sim::kEngineRecord, kCombustion + 1, 1);
    SetField(sim::kEngineRecord, kThrottle + 0, 11000);  // above idle, below take-off
    SetField(sim::kEngineRecord, kThrottle + 1, -200);
    link::SnapshotRecord record;
    record.words[link::kWordNumberOfEngines] = 2;
    record.words[link::kWordOnGround] = 1;
    std::int32_t running = 0, starting = 0, takeoff = 0, reverse = 0;
    fake.server.adapters.table.CountEngineStates(fake.server, record, running, starting, takeoff, reverse);
    EXPECT_EQ(running, 2);
    EXPECT_EQ(takeoff, 0);
    EXPECT_EQ(reverse, 1);

    SetField(sim::kEngineRecord, kThrottle + 0, 12001);
    running = starting = takeoff = reverse = 0;
    fake.server.adapters.table.CountEngineStates(fake.server, record, running, starting, takeoff, reverse);
    EXPECT_EQ(takeoff, 1);
    EXPECT_EQ(reverse, 1);
}

}  // namespace
}  // namespace tarvo::adapters
