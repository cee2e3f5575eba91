#include "sim/Session.h"

#include "SimFixture.h"
#include "adapters/Selection.h"
#include "sim/ClientEvents.h"
#include "sim/SessionState.h"

#include <algorithm>
#include <map>
#include <set>

namespace tarvo::sim {
namespace {

using SessionTest = SimFixture;

// Collapses runs of AddToDataDefinition calls for one definition into one line,
// so the whole set-up reads as its steps.
std::vector<std::string> Steps(const std::vector<std::string>& calls) {
    std::vector<std::string> steps;
    std::string lastDefinition;
    int datums = 0;
    const auto flush = [&] {
        if (datums > 0) steps.push_back("define " + lastDefinition + " x" + std::to_string(datums));
        datums = 0;
    };
    for (const std::string& call : calls) {
        if (call.starts_with("AddToDataDefinition [")) {
            const std::string definition = call.substr(21, call.find(',') - 21);
            if (definition != lastDefinition) flush();
            lastDefinition = definition;
            ++datums;
            continue;
        }
        flush();
        lastDefinition.clear();
        if (call.starts_with("MapClientEventToSimEvent") || call.starts_with("AddClientEventToNotificationGroup")) {
            continue;  // checked on their own below
        }
        steps.push_back(call);
    }
    flush();
    return steps;
}

TEST_F(SessionTest, SetUpDeclaresEverythingInItsOrder) {
    SetUpSession(fake.server);
    const std::vector<std::string> expected = {
        R"(SubscribeToSystemEvent [150,"Sim"])",
        R"(SubscribeToSystemEvent [151,"Frame"])",
        R"(SubscribeToSystemEvent [152,"AircraftLoaded"])",
        R"(SubscribeToSystemEvent [153,"PositionChanged"])",
        R"(SubscribeToSystemEvent [154,"FlightPlan"])",
        // {request, definition, user object, SECOND, no flags, origin, interval, limit}
        "define 0 x39", "RequestDataOnSimObject [0,0,0,4,0,0,1,0]",
        "define 2 x21", "RequestDataOnSimObject [2,2,0,4,0,0,1,0]",
        "define 3 x81", "RequestDataOnSimObject [3,3,0,4,0,0,2,0]",
        "define 12 x10", "RequestDataOnSimObject [12,12,0,4,0,0,5,0]",
        "define 1 x16", "RequestDataOnSimObject [1,1,0,4,0,0,2,0]",
        "define 4 x48", "RequestDataOnSimObject [4,4,0,4,0,0,3,0]",
        "define 5 x12", "RequestDataOnSimObject [5,5,0,4,0,0,5,0]",
        "define 6 x5",
        "define 7 x6",
        "define 8 x8", "RequestDataOnSimObject [8,8,0,4,0,0,10,0]",
        "define 9 x5", "RequestDataOnSimObject [9,9,0,4,0,0,20,0]",
        "define 10 x18", "RequestDataOnSimObject [10,10,0,4,0,0,15,0]",
        "define 11 x2", "RequestDataOnSimObject [11,11,0,4,0,0,10,0]",
        "define 13 x1", "define 14 x1", "define 15 x1", "define 16 x1", "define 17 x1", "define 18 x1",
        "define 19 x1", "define 20 x1", "define 21 x1",
        "SetNotificationGroupPriority [0,1]",
    };
    EXPECT_EQ(Steps(Calls()), expected);
    EXPECT_EQ(fake.journal.EntriesStartingWith("Files.AppendLine"),
              (std::vector<std::string>{"Files.AppendLine Logging started",
                                        "Files.AppendLine CreatedSimconnect data definitions",
                                        "Files.AppendLine Mapped Simconnect Events"}));
    EXPECT_NE(fake.server.adapters.table.ForwardSimEvent, nullptr) << "the generic adapter is installed";
}

TEST_F(SessionTest, DatumsReachTheSimulatorExactlyAsWritten) {
    SetUpSession(fake.server);
    // {definition, datum index, name, unit, type}: units whose letter case matters,
    // the strings, the initial position and the write-only lights.
    struct Row {
        std::uint32_t definition;
        std::size_t index;
        const char* name;
        const char* unit;
        std::uint32_t type;
    };
    const Row rows[] = {
        {0, 0, "SIM ON GROUND", "Bool", SIMCONNECT_DATATYPE_INT32},
        {0, 27, "GROUND VELOCITY", "knots", SIMCONNECT_DATATYPE_INT32},
        {0, 31, "AUTOPILOT VERTICAL HOLD VAR", "Feet/minute", SIMCONNECT_DATATYPE_INT32},
        {0, 38, "AUTOPILOT ALTITUDE LOCK VAR:3", "feet", SIMCONNECT_DATATYPE_INT32},
        {1, 12, "G FORCE", "GForce", SIMCONNECT_DATATYPE_FLOAT64},
        {1, 15, "KOHLSMAN SETTING HG", "inHg", SIMCONNECT_DATATYPE_FLOAT64},
        {3, 13, "LIGHT LANDING:4", "Bool", SIMCONNECT_DATATYPE_INT32},
        {3, 69, "FUELSYSTEM PUMP SWITCH:16", "Enum", SIMCONNECT_DATATYPE_INT32},
        {3, 80, "CIRCUIT SWITCH ON:111", "Bool", SIMCONNECT_DATATYPE_INT32},
        {4, 20, "FUELSYSTEM VALVE SWITCH:1", "Bool", SIMCONNECT_DATATYPE_INT32},
        {4, 47, "PROP DEICE SWITCH:4", "Bool", SIMCONNECT_DATATYPE_INT32},
        {6, 4, "ATC ID", "", SIMCONNECT_DATATYPE_STRINGV},
        {7, 5, "DESIGN SPEED VS0", "Knot", SIMCONNECT_DATATYPE_INT32},
        {8, 0, "SEA LEVEL PRESSURE", "Hectopascal", SIMCONNECT_DATATYPE_INT32},
        {10, 0, "PARTIAL PANEL ADF", "Enum", SIMCONNECT_DATATYPE_INT32},
        {10, 17, "PARTIAL PANEL TACAN", "Enum", SIMCONNECT_DATATYPE_INT32},
        {12, 9, "EXIT OPEN:9", "Percent over 100", SIMCONNECT_DATATYPE_FLOAT64},
        {13, 0, "Initial Position", "", SIMCONNECT_DATATYPE_INITPOSITION},
        {17, 0, "LIGHT LANDING:4", "Bool", SIMCONNECT_DATATYPE_FLOAT64},
        {21, 0, "LIGHT POTENTIOMETER:86", "amps", SIMCONNECT_DATATYPE_FLOAT64},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.definition) + "/" + std::to_string(row.index));
        const auto datums = world.Definition("ZULtoMSFS", row.definition);
        ASSERT_LT(row.index, datums.size());
        EXPECT_EQ(datums[row.index].name, row.name);
        EXPECT_EQ(datums[row.index].unit, row.unit);
        EXPECT_EQ(datums[row.index].type, row.type);
        EXPECT_EQ(datums[row.index].epsilon, 0.0f);
        EXPECT_EQ(datums[row.index].datumId, SIMCONNECT_UNUSED);
    }
}

TEST_F(SessionTest, ClientEventsAreMappedInGroupZeroInMappingOrder) {
    SetUpSession(fake.server);
    std::vector<std::uint32_t> mapped;
    for (const std::string& call : Calls()) {
        if (!call.starts_with("MapClientEventToSimEvent [")) continue;
        mapped.push_back(static_cast<std::uint32_t>(std::stoul(call.substr(26))));
    }
    EXPECT_EQ(mapped, ClientEventMappingOrder());
    EXPECT_EQ(mapped.size(), 268u);
    const auto calls = Calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), R"(MapClientEventToSimEvent [243,"SPOILERS_SET"])"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "AddClientEventToNotificationGroup [0,243,0]"), calls.end());
}

TEST(ClientEventOrder, MovedRowsFollowTheRowsTheyBelongWith) {
    const auto order = ClientEventMappingOrder();
    const auto after = [&](std::uint32_t id) {
        const auto at = std::find(order.begin(), order.end(), id);
        return at + 1 == order.end() ? 0u : *(at + 1);
    };
    EXPECT_EQ(order.front(), 159u);
    EXPECT_EQ(after(217), 297u);
    EXPECT_EQ(after(297), 218u);
    EXPECT_EQ(after(296), 298u);
    EXPECT_EQ(after(395), 397u);
    EXPECT_EQ(after(413), 396u);
    EXPECT_EQ(after(396), 407u);
    EXPECT_EQ(after(407), 414u);
    // Magnetos: off 414-417, left 422-425, right 418-421, both and start 426-433.
    const std::vector<std::uint32_t> magnetos(std::find(order.begin(), order.end(), 414u), order.end());
    EXPECT_EQ(magnetos, (std::vector<std::uint32_t>{414, 415, 416, 417, 422, 423, 424, 425, 418, 419, 420, 421, 426,
                                                    427, 428, 429, 430, 431, 432, 433}));
    EXPECT_EQ(std::set<std::uint32_t>(order.begin(), order.end()).size(), order.size());
    EXPECT_EQ(ClientEventName(390), "ELECTRICAL_BUS_TO_BUS_CONNECTION_TOGGLE:2");
    EXPECT_FALSE(ClientEventName(166).has_value());
    EXPECT_FALSE(ClientEventName(391).has_value());
}

TEST_F(SessionTest, PeriodicRecordsArriveEveryIntervalPlusOneSeconds) {
    SetUpSession(fake.server);
    Pump();
    std::map<std::uint32_t, int> received;
    trace.clear();
    for (int second = 0; second < 42; ++second) {
        world.AdvanceTime(1000);
        Pump();
    }
    for (const auto& entry : trace) {
        if (entry.direction == "send" && entry.function == "SIMOBJECT_DATA") ++received[std::stoul(entry.arguments[0])];
    }
    // 42 seconds: the flight record every 2 s, systems every 3 s, fuel every 21 s.
    EXPECT_NEAR(received[kFlightRecord], 42 / 2, 1);
    EXPECT_NEAR(received[kSystemsRecord], 42 / 3, 1);
    EXPECT_NEAR(received[kFuelRecord], 42 / 21, 1);
    EXPECT_EQ(received.count(kIdentityStrings), 0u);
    EXPECT_EQ(received.count(kDesignRecord), 0u);
}

}  // namespace
}  // namespace tarvo::sim
