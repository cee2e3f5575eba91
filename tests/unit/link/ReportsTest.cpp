#include "link/Reports.h"

#include "adapters/generic/GenericAdapter.h"
#include "fakes/FakeServer.h"
#include "sim/SessionState.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tarvo::link {
namespace {

TEST(FlightPhase, FirstRuleThatAppliesGivesThePhase) {
    // {on ground, ias, radio height m, vertical speed, flaps, gear, flags, ground speed, pushback, previous gs, phase}
    struct Case {
        std::int32_t ground, ias, height, vs, flaps, gear, flags, gs, pushback, previous, phase;
    };
    const Case cases[] = {
        {1, 0, 0, 0, 0, 0, 0x10, 0, 2, 0, 0},     // pushback under way
        {1, 0, 0, 0, 0, 0, 0x10, 0, 3, 0, 3},     // parked, every engine running
        {1, 0, 0, 0, 0, 0, 0x20, 1, 3, 0, 2},     // parked, an engine starting
        {1, 0, 0, 0, 0, 0, 0, 0, 3, 0, 1},        // parked, cold
        {1, 0, 0, 0, 0, 0, 0x10, 2, 3, 0, 4},     // taxi
        {1, 0, 0, 0, 0, 0, 0x10, 40, 3, 0, 4},
        {1, 90, 0, 0, 0, 0, 0x40, 41, 3, 0, 5},   // take-off roll
        {1, 55, 0, 0, 0, 0, 0x10, 50, 3, 52, 15}, // slowing by 2 kt: rejected or landing roll
        {1, 55, 0, 0, 0, 0, 0x10, 50, 3, 50, 4},
        {1, 70, 0, 0, 0, 0, 0x10, 50, 3, 50, 15},
        {0, 0, 390, 0, 0, 0, 0x40, 0, 3, 0, 6},   // initial climb
        {0, 0, 391, 0, 0, 0, 0x40, 0, 3, 0, 7},
        {0, 0, 3000, 0, 0, 0, 0x20, 0, 3, 0, 9},
        {0, 0, 1000, 0, 10, 0, 0, 0, 3, 0, 11},   // approach by height with flaps
        {0, 0, 900, 0, 0, 16383, 0, 0, 3, 0, 12},
        {0, 0, 300, 0, 0, 16383, 0, 0, 3, 0, 13},
        {0, 0, 100, 0, 0, 16383, 0, 0, 3, 0, 14},
        {0, 0, 3000, 751, 0, 0, 0, 0, 3, 0, 7},
        {0, 0, 3000, 750, 0, 0, 0, 0, 3, 0, 8},
        {0, 0, 3000, -750, 0, 0, 0, 0, 3, 0, 8},
        {0, 0, 3000, -751, 0, 0, 0, 0, 3, 0, 10},
        {0, 0, 1000, -2000, 0, 0, 0, 0, 3, 0, 10}, // clean and low: by vertical speed
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SnapshotRecord record;
        record.words[kWordOnGround] = c.ground;
        record.words[kWordIndicatedAirspeed] = c.ias;
        record.words[kWordRadioHeight] = c.height;
        record.words[kWordVerticalSpeed] = c.vs;
        record.words[kWordTrailingEdgeFlaps] = c.flaps;
        record.words[kWordGearHandle] = c.gear;
        record.words[kWordEngineActivity] = c.flags;
        std::int32_t previous = c.previous;
        EXPECT_EQ(FlightPhase(record, c.gs, c.pushback, previous), c.phase) << "row " << i;
    }
}

TEST(FlightPhase, PreviousGroundSpeedMovesOnlyOnTheFastGroundRule) {
    SnapshotRecord record;
    record.words[kWordOnGround] = 1;
    std::int32_t previous = 70;
    FlightPhase(record, 30, 3, previous);
    EXPECT_EQ(previous, 70);
    FlightPhase(record, 60, 3, previous);
    EXPECT_EQ(previous, 60);
    record.words[kWordEngineActivity] = kTakeoffPower;
    FlightPhase(record, 80, 3, previous);
    EXPECT_EQ(previous, 60);
}

struct ReportsTest : ::testing::Test {
    ReportsTest() {
        adapters::generic::InstallGenericAdapter(fake.server);
        fake.server.host.crewWindow = 0x501;
        fake.server.host.linkWindow = 0x502;
    }

    void SetField(sim::RecordId record, std::size_t field, std::int32_t value) {
        std::memcpy(fake.server.session.records[record].bytes.data() + field * 4, &value, 4);
    }

    fakes::FakeServer fake;
};

TEST_F(ReportsTest, NamedVariablesFollowTheirCaseRules) {
    std::strcpy(fake.server.session.identity.title.data(), std::string(100, 'T').c_str());
    SetField(sim::kFuelRecord, 1, 1234);  // total gallons
    SetField(sim::kFuelRecord, 4, 100);   // centre gallons
    SetField(sim::kWeatherRecord, 4, -10);
    SetField(sim::kDesignRecord, 3, 1);  // gear wheels; retractable (2) stays 0
    // {name, integer, text}
    struct Case {
        const char* name;
        std::int32_t integer;
        std::string text;
    };
    const Case cases[] = {
        {"(A:TITLE,string)", 0, std::string(63, 'T')},
        {"(a:TITLE,STRING)", 0, std::string(63, 'T')},
        {"(A:title,string)", 0, ""},  // the fourth character must match exactly
        {"(A:FUEL TOTAL QUANTITY,gallons", 1234, ""},
        {"(A:FUEL TOTAL QUANTITY,gallons)", 0, ""},
        {"(A:FUEL TANK CENTER QUANTITY,pound", 834, ""},
        {"(A:TOTAL AIR TEMPERATURE,Fahrenheit)", 14, ""},
        {"(A:IS GEAR WHEELS, bool)", 1, ""},
        {"(A:IS GEAR WHEELS,bool)", 0, ""},  // the blank is part of the name
        {"(A:NO SUCH VARIABLE,number)", 0, ""},
        {"(A:", 0, ""},
    };
    for (const Case& c : cases) {
        std::int32_t integer = 0;
        std::string text;
        LookUpNamedVariable(fake.server, c.name, integer, text);
        EXPECT_EQ(integer, c.integer) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
    }
}

// Whatever the simulator's records hold, a derived value is a defined number:
// out of range it is clamped, as the crew app's 32 bits allow.
TEST_F(ReportsTest, DerivedNamedValuesAreClampedToTheirRange) {
    SetField(sim::kFuelRecord, 4, 2000000000);      // centre gallons, times 8.34
    SetField(sim::kWeatherRecord, 4, -2000000000);  // Celsius, to Fahrenheit
    const std::pair<const char*, std::int32_t> cases[] = {
        {"(A:FUEL TANK CENTER QUANTITY,pound", 2147483647},
        {"(A:TOTAL AIR TEMPERATURE,Fahrenheit)", -2147483647 - 1},
    };
    for (const auto& [name, expected] : cases) {
        std::int32_t integer = 0;
        std::string text;
        LookUpNamedVariable(fake.server, name, integer, text);
        EXPECT_EQ(integer, expected) << name;
    }
}

TEST_F(ReportsTest, SnapshotCombinesRecordsAdapterAndPhase) {
    SetField(sim::kFlightRecord, 0, 1);    // on ground
    SetField(sim::kFlightRecord, 15, 2);   // engines
    SetField(sim::kFlightRecord, 27, 0);   // ground speed
    SetField(sim::kFlightRecord, 28, 3);   // no pushback
    SetField(sim::kFlightRecord, 29, 4);   // surface type
    SetField(sim::kFlightRecord, 37, 5000);
    SetField(sim::kDesignRecord, 2, 1);    // gear retractable
    SetField(sim::kPartialPanelRecord, 0, 1);
    SetField(sim::kPartialPanelRecord, 3, 1);   // attitude shares bit 1
    SetField(sim::kPartialPanelRecord, 17, 1);  // TACAN is bit 15
    fake.server.adapters.currentAircraftId = 58;
    fake.server.link.snapshot.words[40] = 77;  // an adapter word nobody writes this time
    fake.server.adapters.table.FillAutopilotState = [](Server&, SnapshotRecord& record) { record.words[28] = 0x5; };
    fake.server.adapters.table.CountEngineStates = [](Server&, SnapshotRecord& record, std::int32_t& running,
                                                    std::int32_t& starting, std::int32_t&, std::int32_t& reverse) {
        running = 2;
        starting = 1;
        reverse = 1;
        record.words[29] = 0x3;
    };

    EXPECT_EQ(SendSnapshot(fake.server), 1);
    ASSERT_EQ(fake.desktop.copyData.size(), 1u);
    const fakes::SentCopyData& sent = fake.desktop.copyData[0];
    EXPECT_EQ(sent.kind, 611u);
    EXPECT_EQ(sent.to, 0x501u);
    EXPECT_EQ(sent.from, 0x502u);
    EXPECT_EQ(sent.timeoutMilliseconds, 4000u);
    ASSERT_EQ(sent.bytes.size(), 180u);
    std::int32_t w[45];
    std::memcpy(w, sent.bytes.data(), 180);
    EXPECT_EQ(w[0], 1);
    EXPECT_EQ(w[27], 0x8003);
    EXPECT_EQ(w[28], 0x5);
    EXPECT_EQ(w[29], 0x3);
    EXPECT_EQ(w[31], kEveryEngineRuns | kEngineStarting | kReverseThrust);
    EXPECT_EQ(w[32], 3);  // parked with every engine running
    EXPECT_EQ(w[33], static_cast<std::int32_t>(fake.clock.TickCount()));
    EXPECT_EQ(w[34], 4);
    EXPECT_EQ(w[35], 1);
    EXPECT_EQ(w[36], 58);
    EXPECT_EQ(w[37], 5000);
    EXPECT_EQ(w[40], 77);

    // The result says whether the record arrived, not what the crew app answered.
    const std::pair<std::optional<MessageResult>, MessageResult> replies[] = {
        {0, 1}, {7, 1}, {std::nullopt, 0},  // nullopt: the crew app hangs or is gone
    };
    for (const auto& [reply, result] : replies) {
        fake.desktop.copyDataReply = reply;
        EXPECT_EQ(SendSnapshot(fake.server), result) << reply.value_or(-1);
    }
}

TEST_F(ReportsTest, NoEnginesMeansEveryEngineRuns) {
    BuildSnapshot(fake.server);
    EXPECT_EQ(fake.server.link.snapshot.words[kWordEngineActivity], kEveryEngineRuns);
}

TEST_F(ReportsTest, GenericTakeoffDataWithoutABridgeIsAllZero) {
    fake.server.adapters.table.SendTakeoffData(fake.server, 0x501, 0x502);
    ASSERT_EQ(fake.desktop.copyData.size(), 1u);
    EXPECT_EQ(fake.desktop.copyData[0].kind, 615u);
    EXPECT_EQ(fake.desktop.copyData[0].timeoutMilliseconds, 4000u);
    EXPECT_EQ(fake.desktop.copyData[0].bytes, std::vector<std::uint8_t>(64, 0));
}

}  // namespace
}  // namespace tarvo::link
