#include "simworld/SimWorld.h"

#include "SimWorldTesting.h"
#include "simworld/InProcessSimConnect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <numbers>
#include <string>
#include <vector>

namespace tarvo::simworld {
namespace {

using testing::As;
using testing::At;
using testing::KindOf;
using testing::Payload;
using testing::Record;
using testing::Session;

class SimWorldTest : public ::testing::Test {
protected:
    // Adds one datum as definition `define` and returns the payload of a ONCE request for it.
    Record ReadOnce(Session& s, std::uint32_t define, const char* name, const char* unit, std::uint32_t type) {
        api.AddToDataDefinition(s.handle, define, name, unit, type, 0, SIMCONNECT_UNUSED);
        api.RequestDataOnSimObject(s.handle, define, define, SIMCONNECT_OBJECT_ID_USER, SIMCONNECT_PERIOD_ONCE, 0, 0, 0,
                                   0);
        const Record record = s.One();
        EXPECT_EQ(KindOf(record), SIMCONNECT_RECV_ID_SIMOBJECT_DATA);
        return Payload(record);
    }

    SimWorld world;
    InProcessSimConnect api{world};
};

TEST_F(SimWorldTest, ReadsVariablesInTheRequestedUnit) {
    struct Row {
        const char* variable;
        double value;
        const char* setUnit;
        const char* readUnit;
        std::uint32_t type;
        double expected;
    };
    constexpr std::uint32_t kInt32 = SIMCONNECT_DATATYPE_INT32;
    constexpr std::uint32_t kInt64 = SIMCONNECT_DATATYPE_INT64;
    constexpr std::uint32_t kFloat64 = SIMCONNECT_DATATYPE_FLOAT64;
    // clang-format off
    const Row rows[] = {
        {"COM ACTIVE FREQUENCY:1",  118.30,             "MHz",               "Frequency BCD16",  kInt32,   0x1830},
        {"COM ACTIVE FREQUENCY:1",  0x1215,             "Frequency BCD16",   "MHz",              kFloat64, 112.15},
        {"ADF ACTIVE FREQUENCY:1",  350,                "KHz",               "Frequency BCD16",  kInt32,   0x0350},
        {"ADF FREQUENCY:2",         0x0415,             "Frequency BCD16",   "Khz",              kInt32,   415},
        // 8191.5 truncated
        {"GEAR HANDLE POSITION",    0.5,                "position",          "position 16k",     kInt32,   8191},
        {"SPOILERS HANDLE POSITION", 16383,              "Position 16k",      "position",         kFloat64, 1.0},
        {"APU PCT RPM",             75,                 "percent",           "Percent over 100", kFloat64, 0.75},
        {"PLANE LATITUDE",          45,                 "degrees",           "Radians",          kFloat64, 0.785398163},
        {"PLANE LATITUDE",          -33.5,              "Degrees",           "degrees",          kInt32,   -33},
        // -11.46 truncated toward zero
        {"PLANE BANK DEGREES",      -0.2,               "radians",           "degrees",          kInt32,   -11},
        {"INDICATED ALTITUDE",      1000,               "meters",            "feet",             kFloat64, 3280.839895},
        // 3.048 truncated
        {"RADIO HEIGHT",            10,                 "Feet",              "Meters",           kInt32,   3},
        // exactly 7 ft, though the plain division gives 6.999999999999999
        {"RADIO HEIGHT",            2.1336,             "meters",            "feet",             kInt32,   7},
        // pi/6 radians is exactly 30 degrees, though the plain division gives 29.999999999999996
        {"PLANE PITCH DEGREES",     0.5235987755982988, "radians",           "degrees",          kInt32,   30},
        {"AIRSPEED INDICATED",      128.61111111111111, "meters per second", "knot",             kInt32,   250},
        {"AIRSPEED INDICATED",      -42.9,              "Knots",             "knots",            kInt32,   -42},
        {"VERTICAL SPEED",          -1500.7,            "feet per minute",   "Feet/minute",      kInt32,   -1500},
        {"KOHLSMAN SETTING MB",     1013.25,            "hectopascal",       "inHg",             kFloat64, 29.92125535},
        {"TURB ENG ITT:1",          100,                "Celsius",           "fahrenheit",       kFloat64, 212},
        {"TRANSPONDER CODE:1",      0x7700,             "bco16",             "number",           kInt32,   7700},
        {"EMPTY WEIGHT",            1000,               "kilograms",         "Pounds",           kInt64,   2204},
    };
    // clang-format on
    Session s(api, "units");
    std::uint32_t define = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.variable) + " in " + row.readUnit);
        world.SetNumber(row.variable, row.value, row.setUnit);
        const Record payload = ReadOnce(s, ++define, row.variable, row.readUnit, row.type);
        switch (row.type) {
            case SIMCONNECT_DATATYPE_INT32:
                ASSERT_EQ(payload.size(), 4u);
                EXPECT_EQ(At<std::int32_t>(payload, 0), static_cast<std::int32_t>(row.expected));
                break;
            case SIMCONNECT_DATATYPE_INT64:
                ASSERT_EQ(payload.size(), 8u);
                EXPECT_EQ(At<std::int64_t>(payload, 0), static_cast<std::int64_t>(row.expected));
                break;
            default:
                ASSERT_EQ(payload.size(), 8u);
                EXPECT_NEAR(At<double>(payload, 0), row.expected, 1e-9 * std::fabs(row.expected));
                EXPECT_NEAR(*world.Number(row.variable, row.readUnit), row.expected, 1e-9 * std::fabs(row.expected));
        }
    }
}

TEST_F(SimWorldTest, SecondPeriodDeliversEveryIntervalPlusOneSeconds) {
    struct Row {
        std::uint32_t interval;
        std::uint32_t origin;
        std::uint32_t limit;
        std::vector<std::uint64_t> times;  // world milliseconds of the records, up to 10 s
    };
    const Row rows[] = {
        {0, 0, 0, {0, 1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000}},
        {1, 0, 0, {0, 2000, 4000, 6000, 8000, 10000}},
        {20, 0, 0, {0}},          // the fuel record: every 21 s
        {0, 3, 2, {3000, 4000}},  // origin delays the first, limit ends the request
        {2, 1, 0, {1000, 4000, 7000, 10000}},
    };
    Session s(api, "periods");
    api.AddToDataDefinition(s.handle, 1, "SIM ON GROUND", "Bool", SIMCONNECT_DATATYPE_INT32, 0, SIMCONNECT_UNUSED);
    for (std::uint32_t r = 0; r < std::size(rows); ++r) {
        api.RequestDataOnSimObject(s.handle, r, 1, SIMCONNECT_OBJECT_ID_USER, SIMCONNECT_PERIOD_SECOND, 0,
                                   rows[r].origin, rows[r].interval, rows[r].limit);
    }
    std::map<std::uint32_t, std::vector<std::uint64_t>> seen;
    const auto collect = [&] {
        for (const Record& record : s.Drain()) {
            seen[As<SIMCONNECT_RECV_SIMOBJECT_DATA>(record).dwRequestID].push_back(world.NowMilliseconds());
        }
    };
    collect();
    for (int step = 0; step < 40; ++step) {
        world.AdvanceTime(250);
        collect();
    }
    for (std::uint32_t r = 0; r < std::size(rows); ++r) {
        SCOPED_TRACE("interval " + std::to_string(rows[r].interval) + " origin " + std::to_string(rows[r].origin));
        EXPECT_EQ(seen[r], rows[r].times);
    }

    // One long step still yields one record per due time; NEVER stops the request.
    world.AdvanceTime(4000);
    EXPECT_EQ(s.Drain().size(), 4u + 2 + 1);  // 11-14 s, 12 and 14 s, 13 s
    api.RequestDataOnSimObject(s.handle, 0, 1, SIMCONNECT_OBJECT_ID_USER, SIMCONNECT_PERIOD_NEVER, 0, 0, 0, 0);
    api.RequestDataOnSimObject(s.handle, 1, 1, SIMCONNECT_OBJECT_ID_USER, SIMCONNECT_PERIOD_NEVER, 0, 0, 0, 0);
    api.RequestDataOnSimObject(s.handle, 2, 1, SIMCONNECT_OBJECT_ID_USER, SIMCONNECT_PERIOD_NEVER, 0, 0, 0, 0);
    api.RequestDataOnSimObject(s.handle, 4, 1, SIMCONNECT_OBJECT_ID_USER, SIMCONNECT_PERIOD_NEVER, 0, 0, 0, 0);
    world.AdvanceTime(60000);
    EXPECT_TRUE(s.Drain().empty());
}

TEST_F(SimWorldTest, ChangedFlagSendsOnlyNewContent) {
    Session s(api, "changed");
    api.AddToDataDefinition(s.handle, 1, "LIGHT NAV", "Bool", SIMCONNECT_DATATYPE_INT32, 0, SIMCONNECT_UNUSED);
    api.RequestDataOnSimObject(s.handle, 7, 1, SIMCONNECT_OBJECT_ID_USER, SIMCONNECT_PERIOD_SECOND,
                               SIMCONNECT_DATA_REQUEST_FLAG_CHANGED, 0, 0, 0);
    const Record first = s.One();
    EXPECT_EQ(As<SIMCONNECT_RECV_SIMOBJECT_DATA>(first).dwFlags, SIMCONNECT_DATA_REQUEST_FLAG_CHANGED);
    EXPECT_EQ(At<std::int32_t>(first, kSimConnectDataOffset), 1);

    world.AdvanceTime(3000);
    EXPECT_TRUE(s.Drain().empty());
    world.SetNumber("LIGHT NAV", 0, "Bool");
    world.AdvanceTime(1000);
    const Record second = s.One();
    EXPECT_EQ(At<std::int32_t>(second, kSimConnectDataOffset), 0);
    world.AdvanceTime(5000);
    EXPECT_TRUE(s.Drain().empty());
}

TEST_F(SimWorldTest, OnceAndByTypeRecordsCarryTheDefinition) {
    Session s(api, "layout");
    world.SetNumber("AIRSPEED INDICATED", 140.6, "knots");
    api.AddToDataDefinition(s.handle, 7, "AIRSPEED INDICATED", "knots", SIMCONNECT_DATATYPE_INT32, 0,
                            SIMCONNECT_UNUSED);
    api.AddToDataDefinition(s.handle, 7, "PLANE LONGITUDE", "degrees", SIMCONNECT_DATATYPE_FLOAT64, 0,
                            SIMCONNECT_UNUSED);
    api.RequestDataOnSimObject(s.handle, 3, 7, SIMCONNECT_OBJECT_ID_USER, SIMCONNECT_PERIOD_ONCE, 0, 0, 0, 0);
    api.RequestDataOnSimObjectType(s.handle, 4, 7, 0, SIMCONNECT_SIMOBJECT_TYPE_USER);
    const auto records = s.Drain();
    ASSERT_EQ(records.size(), 2u);

    const std::uint32_t kinds[] = {SIMCONNECT_RECV_ID_SIMOBJECT_DATA, SIMCONNECT_RECV_ID_SIMOBJECT_DATA_BYTYPE};
    for (std::size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(i);
        const auto header = As<SIMCONNECT_RECV_SIMOBJECT_DATA>(records[i]);
        EXPECT_EQ(header.dwID, kinds[i]);
        EXPECT_EQ(header.dwSize, kSimConnectDataOffset + 4 + 8);
        EXPECT_EQ(header.dwRequestID, 3u + i);
        EXPECT_EQ(header.dwObjectID, SIMCONNECT_OBJECT_ID_USER);
        EXPECT_EQ(header.dwDefineID, 7u);
        EXPECT_EQ(header.dwentrynumber, 1u);
        EXPECT_EQ(header.dwoutof, 1u);
        EXPECT_EQ(header.dwDefineCount, 2u);
        EXPECT_EQ(At<std::int32_t>(records[i], 40), 140);
        EXPECT_DOUBLE_EQ(At<double>(records[i], 44), 8.5492);
    }
    world.AdvanceTime(10000);
    EXPECT_TRUE(s.Drain().empty());  // ONCE means once
}

TEST_F(SimWorldTest, IdentityStringsChainThroughRetrieveString) {
    Session s(api, "strings");
    world.SetString("ATC FLIGHT NUMBER", "123");  // 3 characters + NUL: no padding
    world.SetString("ATC MODEL", "");             // an empty string still takes 4 bytes
    const char* names[] = {"TITLE", "ATC AIRLINE", "ATC FLIGHT NUMBER", "ATC MODEL", "ATC ID"};
    for (const char* name : names) {
        api.AddToDataDefinition(s.handle, 6, name, nullptr, SIMCONNECT_DATATYPE_STRINGV, 0, SIMCONNECT_UNUSED);
    }
    api.RequestDataOnSimObjectType(s.handle, 6, 6, 0, SIMCONNECT_SIMOBJECT_TYPE_USER);
    Record record = s.One();
    // "Airbus A320 Neo Asobo" 21+1 -> 24, "Tarvo Air" 9+1 -> 12, "123" -> 4, "" -> 4, "HB-TRV" 6+1 -> 8
    ASSERT_EQ(record.size(), kSimConnectDataOffset + 24 + 12 + 4 + 4 + 8);
    EXPECT_EQ(As<SIMCONNECT_RECV_SIMOBJECT_DATA_BYTYPE>(record).dwDefineCount, 5u);

    auto* data = reinterpret_cast<SIMCONNECT_RECV*>(record.data());
    const auto size = static_cast<std::uint32_t>(record.size());
    const std::string expected[] = {"Airbus A320 Neo Asobo", "Tarvo Air", "123", "", "HB-TRV"};
    const std::uint32_t sizes[] = {24, 12, 4, 4, 8};
    char* at = reinterpret_cast<char*>(record.data()) + kSimConnectDataOffset;
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        char* text = nullptr;
        std::uint32_t length = 0;
        ASSERT_EQ(api.RetrieveString(data, size, at, &text, &length), SIMCONNECT_S_OK);
        EXPECT_EQ(text, at);
        EXPECT_EQ(std::string(text), expected[i]);
        EXPECT_EQ(length, sizes[i]);
        at = text + length;
    }

    struct Failure {
        const char* what;
        std::uint32_t size;
        std::ptrdiff_t offset;
        SIMCONNECT_HRESULT result;
    };
    const Failure failures[] = {
        {"at the end of the record", size, static_cast<std::ptrdiff_t>(size), SIMCONNECT_E_FAIL},
        {"in the header", size, 12, SIMCONNECT_E_FAIL},
        {"size ends before the terminator", size - 2, static_cast<std::ptrdiff_t>(size - 8), SIMCONNECT_E_FAIL},
        {"before the record", size, -4, SIMCONNECT_E_FAIL},
    };
    for (const Failure& failure : failures) {
        SCOPED_TRACE(failure.what);
        char* text = nullptr;
        std::uint32_t length = 0;
        // Addresses are compared as integers, so "before the record" never dereferences.
        void* where = reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(record.data()) + failure.offset);
        EXPECT_EQ(api.RetrieveString(data, failure.size, where, &text, &length), failure.result);
    }

    // A caller's size that ends right after a terminator caps the padding.
    char* text = nullptr;
    std::uint32_t length = 0;
    ASSERT_EQ(api.RetrieveString(data, size - 1, reinterpret_cast<char*>(record.data()) + size - 8, &text, &length),
              SIMCONNECT_S_OK);
    EXPECT_EQ(std::string(text), "HB-TRV");
    EXPECT_EQ(length, 7u);
}

TEST_F(SimWorldTest, SystemEventsReachSubscribersOnly) {
    Session a(api, "a");
    Session b(api, "b");
    api.SubscribeToSystemEvent(a.handle, 150, "Sim");
    api.SubscribeToSystemEvent(a.handle, 151, "Frame");
    api.SubscribeToSystemEvent(a.handle, 152, "AircraftLoaded");
    api.SubscribeToSystemEvent(b.handle, 7, "sim");
    api.SubscribeToSystemEvent(b.handle, 8, "1sec");

    world.FireSystemEvent("Sim", 1);
    const auto eventA = As<SIMCONNECT_RECV_EVENT>(a.One());
    EXPECT_EQ(eventA.dwID, SIMCONNECT_RECV_ID_EVENT);
    EXPECT_EQ(eventA.uGroupID, SIMCONNECT_RECV_EVENT_UNKNOWN_GROUP);
    EXPECT_EQ(eventA.uEventID, 150u);
    EXPECT_EQ(eventA.dwData, 1u);
    EXPECT_EQ(As<SIMCONNECT_RECV_EVENT>(b.One()).uEventID, 7u);

    world.FireFrame(29.5f, 1.0f);
    const auto frame = As<SIMCONNECT_RECV_EVENT_FRAME>(a.One());
    EXPECT_EQ(frame.dwID, SIMCONNECT_RECV_ID_EVENT_FRAME);
    EXPECT_EQ(frame.uEventID, 151u);
    EXPECT_EQ(frame.fFrameRate, 29.5f);
    EXPECT_TRUE(b.Drain().empty());

    const std::string longPath(300, 'x');
    world.FireFileNameEvent("AircraftLoaded", longPath);
    const auto file = As<SIMCONNECT_RECV_EVENT_FILENAME>(a.One());
    EXPECT_EQ(file.dwID, SIMCONNECT_RECV_ID_EVENT_FILENAME);
    EXPECT_EQ(file.uEventID, 152u);
    EXPECT_EQ(std::string(file.szFileName), longPath.substr(0, 259));

    api.UnsubscribeFromSystemEvent(a.handle, 150);
    world.FireSystemEvent("SIM", 0);
    EXPECT_TRUE(a.Drain().empty());
    EXPECT_EQ(As<SIMCONNECT_RECV_EVENT>(b.One()).dwData, 0u);

    api.FlightPlanLoad(a.handle, "C:\\plans\\LSZH-LFPG.pln");
    EXPECT_EQ(world.LoadedFlightPlans(), std::vector<std::string>{"C:\\plans\\LSZH-LFPG.pln"});
}

TEST_F(SimWorldTest, TransmittedKeyEventChangesTheAircraftAndComesBack) {
    Session server(api, "server");
    Session listener(api, "listener");
    Session bystander(api, "bystander");
    api.MapClientEventToSimEvent(server.handle, 243, "SPOILERS_SET");
    api.AddClientEventToNotificationGroup(server.handle, 0, 243, 0);
    api.SetNotificationGroupPriority(server.handle, 0, SIMCONNECT_GROUP_PRIORITY_HIGHEST);
    api.MapClientEventToSimEvent(listener.handle, 5, "spoilers_set");
    api.AddClientEventToNotificationGroup(listener.handle, 3, 5, 0);
    api.MapClientEventToSimEvent(bystander.handle, 9, "GEAR_UP");
    api.AddClientEventToNotificationGroup(bystander.handle, 0, 9, 0);
    api.MapClientEventToSimEvent(bystander.handle, 10, "SPOILERS_SET");  // mapped, but in no group

    EXPECT_EQ(api.TransmitClientEvent(server.handle, SIMCONNECT_OBJECT_ID_USER, 243, 16383,
                                      SIMCONNECT_GROUP_PRIORITY_HIGHEST, SIMCONNECT_EVENT_FLAG_GROUPID_IS_PRIORITY),
              SIMCONNECT_S_OK);
    EXPECT_EQ(world.Number("SPOILERS HANDLE POSITION", "position 16k"), 16383.0);

    const auto own = As<SIMCONNECT_RECV_EVENT>(server.One());
    EXPECT_EQ(own.uGroupID, 0u);
    EXPECT_EQ(own.uEventID, 243u);
    EXPECT_EQ(own.dwData, 16383u);
    const auto heard = As<SIMCONNECT_RECV_EVENT>(listener.One());
    EXPECT_EQ(heard.uGroupID, 3u);
    EXPECT_EQ(heard.uEventID, 5u);
    EXPECT_TRUE(bystander.Drain().empty());

    // The same from inside the simulator: no sender, same listeners.
    world.TriggerKeyEvent("SPOILERS_SET", 0);
    EXPECT_EQ(As<SIMCONNECT_RECV_EVENT>(server.One()).dwData, 0u);
    EXPECT_EQ(As<SIMCONNECT_RECV_EVENT>(listener.One()).dwData, 0u);
    EXPECT_TRUE(bystander.Drain().empty());
}

TEST_F(SimWorldTest, KeyEventEffects) {
    struct Row {
        const char* event;
        std::uint32_t data;
        const char* variable;
        const char* unit;
        double expected;
    };
    // clang-format off
    const Row rows[] = {
        {"AP_MASTER",              1,         "AUTOPILOT MASTER:1",             "Bool",            1},
        {"AP_MASTER",              2,         "AUTOPILOT MASTER:2",             "Bool",            1},
        {"AP_MASTER",              0,         "AUTOPILOT MASTER",               "Bool",            0},  // toggled back
        {"GEAR_UP",                0,         "GEAR HANDLE POSITION",           "position 16k",    0},
        {"GEAR_TOGGLE",            0,         "GEAR LEFT POSITION",             "position 16k",    16383},
        {"FLAPS_SET",              16383,     "FLAPS HANDLE INDEX",             "number",          5},
        {"FLAPS_DECR",             0,         "FLAPS HANDLE PERCENT",           "percent",         80},
        {"FLAPS_UP",               0,         "TRAILING EDGE FLAPS LEFT PERCENT", "percent",       0},
        {"SPOILERS_ARM_TOGGLE",    0,         "SPOILERS ARMED",                 "Bool",            1},
        {"COM_RADIO_SET",          0x1835,    "COM ACTIVE FREQUENCY:1",         "MHz",             118.35},
        {"COM_STBY_RADIO_SET",     0x2400,    "COM STANDBY FREQUENCY:1",        "MHz",             124.00},
        {"COM_RADIO_SWAP",         0,         "COM ACTIVE FREQUENCY:1",         "Frequency BCD16", 0x2400},
        {"NAV1_RADIO_SET",         0x1090,    "NAV ACTIVE FREQUENCY:1",         "MHz",             110.90},
        {"XPNDR_SET",              0x7700,    "TRANSPONDER CODE:1",             "number",          7700},
        {"KOHLSMAN_SET",           16212,     "KOHLSMAN SETTING MB",            "millibars",       1013.25},
        {"HEADING_BUG_SET",        270,       "AUTOPILOT HEADING LOCK DIR",     "degrees",         270},
        {"HEADING_BUG_INC",        1,         "AUTOPILOT HEADING LOCK DIR:1",   "degrees",         271},
        {"AP_ALT_VAR_SET_ENGLISH", 12000,     "AUTOPILOT ALTITUDE LOCK VAR:1",  "feet",            12000},
        {"AP_ALT_VAR_INC",         1000,      "AUTOPILOT ALTITUDE LOCK VAR",    "feet",            13000},
        {"AP_VS_VAR_SET_ENGLISH",  0xFFFFFA24, "AUTOPILOT VERTICAL HOLD VAR:1", "feet per minute", -1500},
        {"AP_SPD_VAR_SET",         210,       "AUTOPILOT AIRSPEED HOLD VAR:1",  "knots",           210},
        {"AP_PANEL_HEADING_HOLD",  0,         "AUTOPILOT HEADING LOCK",         "Bool",            1},
        {"TOGGLE_NAV_LIGHTS",      0,         "LIGHT NAV",                      "Bool",            0},
        {"LANDING_LIGHTS_TOGGLE",  0,         "LIGHT LANDING:3",                "Bool",            1},
        {"PARKING_BRAKES",         0,         "BRAKE PARKING POSITION",         "Bool",            0},
        {"TOGGLE_AIRCRAFT_EXIT",   1,         "EXIT OPEN:0",                    "percent over 100", 1},
        {"FUELSYSTEM_VALVE_TOGGLE", 8,        "FUELSYSTEM VALVE SWITCH:8",      "Bool",            1},
        {"ENGINE_AUTO_START",      0,         "GENERAL ENG COMBUSTION:2",       "Bool",            1},
        {"ATC_MENU_1",             0,         "GENERAL ENG COMBUSTION:1",       "Bool",            1},  // no effect
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.event) + " " + std::to_string(row.data));
        world.TriggerKeyEvent(row.event, row.data);
        const auto value = world.Number(row.variable, row.unit);
        ASSERT_TRUE(value.has_value());
        EXPECT_NEAR(*value, row.expected, 1e-6);
    }
}

TEST_F(SimWorldTest, UnknownNamesRaiseExceptionsWithTheSendId) {
    Session s(api, "errors");
    const auto h = s.handle;
    struct Row {
        const char* what;
        std::function<void()> call;
        std::uint32_t exception;
        std::uint32_t index;
    };
    const auto define = [&](const char* name, const char* unit, std::uint32_t type) {
        return [=, this] { api.AddToDataDefinition(h, 1, name, unit, type, 0, SIMCONNECT_UNUSED); };
    };
    const Row rows[] = {
        {"unknown variable", define("NO SUCH VARIABLE", "number", SIMCONNECT_DATATYPE_FLOAT64),
         SIMCONNECT_EXCEPTION_NAME_UNRECOGNIZED, 3},
        {"unknown index", define("LIGHT POTENTIOMETER:85", "amps", SIMCONNECT_DATATYPE_FLOAT64),
         SIMCONNECT_EXCEPTION_NAME_UNRECOGNIZED, 3},
        {"unknown unit", define("PLANE ALTITUDE", "furlongs", SIMCONNECT_DATATYPE_FLOAT64),
         SIMCONNECT_EXCEPTION_NAME_UNRECOGNIZED, 4},
        {"unit of another kind", define("PLANE ALTITUDE", "knots", SIMCONNECT_DATATYPE_FLOAT64),
         SIMCONNECT_EXCEPTION_DATA_ERROR, 4},
        {"text as a number", define("TITLE", nullptr, SIMCONNECT_DATATYPE_INT32),
         SIMCONNECT_EXCEPTION_INVALID_DATA_TYPE, 5},
        {"unknown key event", [&] { api.MapClientEventToSimEvent(h, 77, "NO_SUCH_EVENT"); },
         SIMCONNECT_EXCEPTION_NAME_UNRECOGNIZED, 3},
        {"unknown system event", [&] { api.SubscribeToSystemEvent(h, 78, "Simm"); },
         SIMCONNECT_EXCEPTION_NAME_UNRECOGNIZED, 3},
        {"unmapped client event", [&] { api.TransmitClientEvent(h, 0, 79, 1, 1, 16); },
         SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 3},
        {"undefined definition", [&] { api.RequestDataOnSimObject(h, 1, 99, 0, SIMCONNECT_PERIOD_ONCE, 0, 0, 0, 0); },
         SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 3},
        {"another object", [&] { api.RequestDataOnSimObject(h, 1, 2, 5, SIMCONNECT_PERIOD_ONCE, 0, 0, 0, 0); },
         SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 4},
    };
    api.AddToDataDefinition(h, 2, "SIM ON GROUND", "Bool", SIMCONNECT_DATATYPE_INT32, 0, SIMCONNECT_UNUSED);
    ASSERT_TRUE(s.Drain().empty());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        row.call();
        const auto exception = As<SIMCONNECT_RECV_EXCEPTION>(s.One());
        EXPECT_EQ(exception.dwID, SIMCONNECT_RECV_ID_EXCEPTION);
        EXPECT_EQ(exception.dwException, row.exception);
        EXPECT_EQ(exception.dwSendID, s.LastSendId());
        EXPECT_EQ(exception.dwIndex, row.index);
    }
    // A rejected datum is not part of the definition; a name set from inside becomes known.
    EXPECT_TRUE(world.Definition("errors", 1).empty());
    world.SetNumber("NO SUCH VARIABLE", 4, "number");
    api.AddToDataDefinition(h, 1, "no such variable", "Number", SIMCONNECT_DATATYPE_FLOAT64, 0.5f, 12);
    EXPECT_TRUE(s.Drain().empty());
    const auto datums = world.Definition("errors", 1);
    ASSERT_EQ(datums.size(), 1u);
    EXPECT_EQ(datums[0].name, "no such variable");
    EXPECT_EQ(datums[0].unit, "Number");
    EXPECT_EQ(datums[0].type, SIMCONNECT_DATATYPE_FLOAT64);
    EXPECT_EQ(datums[0].epsilon, 0.5f);
    EXPECT_EQ(datums[0].datumId, 12u);
}

TEST_F(SimWorldTest, InitialPositionMovesTheAircraft) {
    Session s(api, "position");
    api.SubscribeToSystemEvent(s.handle, 153, "PositionChanged");
    api.AddToDataDefinition(s.handle, 13, "Initial Position", nullptr, SIMCONNECT_DATATYPE_INITPOSITION, 0,
                            SIMCONNECT_UNUSED);
    SIMCONNECT_DATA_INITPOSITION position{-33.5, 151.25, 3000, 2, -5, 90, 0, 180};
    std::vector<std::uint8_t> buffer(sizeof(position));
    std::memcpy(buffer.data(), &position, sizeof(position));
    api.SetDataOnSimObject(s.handle, 13, SIMCONNECT_OBJECT_ID_USER, 0, 0, sizeof(position), buffer.data());

    EXPECT_NEAR(*world.Number("PLANE LATITUDE", "Radians"), -33.5 * std::numbers::pi / 180, 1e-12);
    EXPECT_DOUBLE_EQ(*world.Number("PLANE LONGITUDE", "degrees"), 151.25);
    EXPECT_DOUBLE_EQ(*world.Number("PLANE ALTITUDE", "feet"), 3000);
    EXPECT_DOUBLE_EQ(*world.Number("PLANE HEADING DEGREES TRUE", "degrees"), 90);
    EXPECT_DOUBLE_EQ(*world.Number("PLANE BANK DEGREES", "degrees"), -5);
    EXPECT_EQ(*world.Number("SIM ON GROUND", "Bool"), 0);
    EXPECT_EQ(*world.Number("AIRSPEED INDICATED", "knots"), 180);
    EXPECT_EQ(As<SIMCONNECT_RECV_EVENT>(s.One()).uEventID, 153u);

    // Airspeed -2 keeps the speed; a wrong size changes nothing.
    position.Airspeed = SIMCONNECT_INITPOSITION_AIRSPEED_KEEP;
    position.Altitude = 5000;
    std::memcpy(buffer.data(), &position, sizeof(position));
    api.SetDataOnSimObject(s.handle, 13, SIMCONNECT_OBJECT_ID_USER, 0, 0, sizeof(position), buffer.data());
    EXPECT_EQ(*world.Number("AIRSPEED INDICATED", "knots"), 180);
    EXPECT_EQ(s.Drain().size(), 1u);
    api.SetDataOnSimObject(s.handle, 13, SIMCONNECT_OBJECT_ID_USER, 0, 0, sizeof(position) - 1, buffer.data());
    EXPECT_EQ(As<SIMCONNECT_RECV_EXCEPTION>(s.One()).dwException, SIMCONNECT_EXCEPTION_SIZE_MISMATCH);
    EXPECT_DOUBLE_EQ(*world.Number("PLANE ALTITUDE", "feet"), 5000);

    // The landing-light switches are written as one double each.
    api.AddToDataDefinition(s.handle, 14, "LIGHT LANDING:1", "Bool", SIMCONNECT_DATATYPE_FLOAT64, 0, SIMCONNECT_UNUSED);
    double on = 1.0;
    api.SetDataOnSimObject(s.handle, 14, SIMCONNECT_OBJECT_ID_USER, 0, 0, sizeof(on), &on);
    EXPECT_EQ(*world.Number("LIGHT LANDING:1", "Bool"), 1);
}

TEST_F(SimWorldTest, QuitReachesEveryConnection) {
    Session a(api, "a");
    Session b(api, "b");
    world.Quit();
    EXPECT_EQ(KindOf(a.One()), SIMCONNECT_RECV_ID_QUIT);
    EXPECT_EQ(KindOf(b.One()), SIMCONNECT_RECV_ID_QUIT);
}

// Every datum the server declares on its main connection must exist with its unit.
TEST_F(SimWorldTest, KnowsTheServersVariables) {
    struct Row {
        const char* name;
        const char* unit;
        int lastIndex;  // 0: no index; n: indexes 1 to n
    };
    // clang-format off
    const Row rows[] = {
        {"SIM ON GROUND", "Bool", 0}, {"AIRSPEED BARBER POLE", "knot", 0}, {"AIRSPEED INDICATED", "knot", 0},
        {"PLANE HEADING DEGREES MAGNETIC", "degrees", 0}, {"INDICATED ALTITUDE", "feet", 0},
        {"RADIO HEIGHT", "Meters", 0}, {"VERTICAL SPEED", "feet per minute", 0},
        {"TURN COORDINATOR BALL", "position", 0}, {"PLANE PITCH DEGREES", "degrees", 0},
        {"PLANE BANK DEGREES", "degrees", 0}, {"G FORCE", "GForce", 0}, {"STALL WARNING", "Bool", 0},
        {"NAV CDI:1", "number", 0}, {"NAV GSI:1", "number", 0}, {"MARKER BEACON STATE", "Enum", 0},
        {"NUMBER OF ENGINES", "Number", 0}, {"AUTOPILOT AIRSPEED HOLD VAR", "knot", 0},
        {"AUTOPILOT HEADING LOCK DIR", "degrees", 0}, {"AUTOPILOT ALTITUDE LOCK VAR", "feet", 0},
        {"FLAPS HANDLE PERCENT", "percent", 0}, {"TRAILING EDGE FLAPS LEFT PERCENT", "percent", 0},
        {"GEAR HANDLE POSITION", "position 16k", 0}, {"SPOILERS HANDLE POSITION", "position 16k", 0},
        {"NAV OBS:1", "degrees", 0}, {"NAV CODES", "Flags", 0}, {"COM ACTIVE FREQUENCY:1", "Frequency BCD16", 0},
        {"NAV ACTIVE FREQUENCY:1", "Frequency BCD16", 0}, {"GROUND VELOCITY", "knots", 0},
        {"PUSHBACK STATE", "Enum", 0}, {"SURFACE TYPE", "Enum", 0}, {"IS SLEW ACTIVE", "Bool", 0},
        {"AUTOPILOT VERTICAL HOLD VAR", "Feet/minute", 0}, {"DECISION HEIGHT", "Feet", 0},
        {"ADF ACTIVE FREQUENCY:2", "Khz", 0}, {"AUTOPILOT HEADING LOCK DIR:1", "degrees", 0},
        {"AUTOPILOT VERTICAL HOLD VAR:1", "feet per minute", 0}, {"AUTOPILOT AIRSPEED HOLD VAR:1", "knots", 0},
        {"AUTOPILOT ALTITUDE LOCK VAR:1", "feet", 0}, {"AUTOPILOT ALTITUDE LOCK VAR:3", "feet", 0},
        {"PLANE LATITUDE", "Radians", 0}, {"PLANE LONGITUDE", "Radians", 0},
        {"PLANE HEADING DEGREES TRUE", "Degrees", 0}, {"ELEVATOR POSITION", "Position", 0},
        {"AILERON POSITION", "Position", 0}, {"RUDDER POSITION", "Position", 0},
        {"ELEVATOR TRIM POSITION", "Radians", 0}, {"RUDDER TRIM", "Radians", 0}, {"AILERON TRIM", "Radians", 0},
        {"BRAKE LEFT POSITION", "Position", 0}, {"BRAKE RIGHT POSITION", "Position", 0},
        {"ELECTRICAL BATTERY LOAD", "amps", 0}, {"LIGHT POTENTIOMETER:86", "amps", 0},
        {"KOHLSMAN SETTING MB", "hectopascal", 0}, {"KOHLSMAN SETTING HG", "inHg", 0},
        {"AUTOPILOT FLIGHT DIRECTOR ACTIVE", "Bool", 2}, {"AUTOPILOT THROTTLE ARM", "Bool", 0},
        {"AUTOPILOT MASTER", "Bool", 3}, {"AUTOPILOT HEADING LOCK", "Bool", 0}, {"AUTOPILOT ALTITUDE LOCK", "Bool", 0},
        {"AUTOPILOT APPROACH HOLD", "Bool", 0}, {"AUTOPILOT AIRSPEED HOLD", "Bool", 0},
        {"AUTOPILOT VERTICAL HOLD", "Bool", 0}, {"AUTOPILOT NAV1 LOCK", "Bool", 0}, {"AUTOPILOT RPM HOLD", "Bool", 0},
        {"TRANSPONDER CODE:1", "number", 0}, {"COM STANDBY FREQUENCY", "Frequency BCD16", 2},
        {"COM ACTIVE FREQUENCY:2", "Frequency BCD16", 0}, {"NAV ACTIVE FREQUENCY:2", "Frequency BCD16", 0},
        {"ADF FREQUENCY", "Frequency BCD16", 2}, {"NAV OBS:2", "degrees", 0},
        {"ELECTRICAL MASTER BATTERY", "Bool", 0}, {"ELECTRICAL MASTER BATTERY", "Bool", 2},
        {"BRAKE PARKING POSITION", "Bool", 0}, {"ANTISKID BRAKES ACTIVE", "Bool", 0}, {"SPOILERS ARMED", "Bool", 0},
        {"AUTO BRAKE SWITCH CB", "Number", 0}, {"PITOT HEAT", "Bool", 0}, {"AUTOPILOT YAW DAMPER", "Bool", 0},
        {"LIGHT STROBE", "Bool", 0}, {"LIGHT LANDING", "Bool", 4}, {"LIGHT TAXI", "Bool", 3},
        {"LIGHT BEACON", "Bool", 0}, {"LIGHT NAV", "Bool", 0}, {"LIGHT LOGO", "Bool", 0}, {"LIGHT WING", "Bool", 0},
        {"LIGHT RECOGNITION", "Bool", 0}, {"LIGHT CABIN", "Bool", 0}, {"LIGHT PANEL", "Bool", 0},
        {"CABIN NO SMOKING ALERT SWITCH", "Bool", 0}, {"CABIN SEATBELTS ALERT SWITCH", "Bool", 0},
        {"APU PCT RPM", "Percent over 100", 0}, {"APU PCT STARTER", "Percent over 100", 0},
        {"BLEED AIR APU", "Bool", 0}, {"APU GENERATOR SWITCH", "Bool", 2}, {"AVIONICS MASTER SWITCH", "Bool", 0},
        {"BLEED AIR ENGINE", "Bool", 4}, {"GENERAL ENG MASTER ALTERNATOR", "Bool", 4},
        {"STRUCTURAL DEICE SWITCH", "Bool", 0}, {"EXTERNAL POWER AVAILABLE", "Bool", 0},
        {"EXTERNAL POWER ON", "Bool", 0}, {"GEAR LEFT POSITION", "Position 16k", 0},
        {"GEAR CENTER POSITION", "Position 16k", 0}, {"GEAR RIGHT POSITION", "Position 16k", 0},
        {"FUEL CROSS FEED", "Enum", 0}, {"FLY BY WIRE ELAC SWITCH", "Bool", 2}, {"FLY BY WIRE FAC SWITCH", "Bool", 2},
        {"FLY BY WIRE SEC SWITCH", "Bool", 3}, {"FUELSYSTEM PUMP SWITCH", "Enum", 16},
        {"FUELSYSTEM VALVE SWITCH", "Bool", 8}, {"HYDRAULIC SWITCH", "Bool", 4},
        {"ELECTRICAL BATTERY BUS AMPS", "amps", 2}, {"CIRCUIT SWITCH ON:73", "Bool", 0},
        {"CIRCUIT SWITCH ON:77", "Bool", 0}, {"CIRCUIT SWITCH ON:80", "Bool", 0}, {"CIRCUIT SWITCH ON:111", "Bool", 0},
        {"GENERAL ENG COMBUSTION", "Bool", 4}, {"GENERAL ENG STARTER", "Bool", 4},
        {"GENERAL ENG FUEL VALVE", "Bool", 4}, {"GENERAL ENG THROTTLE LEVER POSITION", "Position 16k", 4},
        {"TURB ENG ITT", "Celsius", 4}, {"ENG ANTI ICE", "Bool", 4}, {"TURB ENG IGNITION SWITCH EX1", "Enum", 4},
        {"GENERAL ENG FAILED", "Bool", 4}, {"GENERAL ENG PROPELLER LEVER POSITION", "Position 16k", 4},
        {"PROP DEICE SWITCH", "Bool", 4}, {"TURB ENG N1", "Percent", 4}, {"TURB ENG N2", "Percent", 4},
        {"TURB ENG FUEL FLOW PPH", "Pounds per hour", 4}, {"ENGINE TYPE", "Enum", 0}, {"EMPTY WEIGHT", "Pounds", 0},
        {"IS GEAR RETRACTABLE", "Bool", 0}, {"IS GEAR WHEELS", "Bool", 0}, {"DESIGN SPEED VS1", "Knot", 0},
        {"DESIGN SPEED VS0", "Knot", 0}, {"SEA LEVEL PRESSURE", "Hectopascal", 0},
        {"AMBIENT WIND DIRECTION", "Degrees", 0}, {"AMBIENT WIND VELOCITY", "Knots", 0},
        {"AMBIENT TEMPERATURE", "Celsius", 0}, {"TOTAL AIR TEMPERATURE", "Celsius", 0},
        {"AMBIENT VISIBILITY", "Meters", 0}, {"AMBIENT PRECIP STATE", "Mask", 0}, {"MAGVAR", "Degrees", 0},
        {"TOTAL WEIGHT", "Pounds", 0}, {"FUEL TOTAL QUANTITY", "Gallons", 0}, {"FUEL LEFT QUANTITY", "Gallons", 0},
        {"FUEL RIGHT QUANTITY", "Gallons", 0}, {"FUEL TANK CENTER QUANTITY", "Gallons", 0},
        {"PARTIAL PANEL ADF", "Enum", 0}, {"PARTIAL PANEL AIRSPEED", "Enum", 0}, {"PARTIAL PANEL ALTIMETER", "Enum", 0},
        {"PARTIAL PANEL ATTITUDE", "Enum", 0}, {"PARTIAL PANEL COMM", "Enum", 0}, {"PARTIAL PANEL COMPASS", "Enum", 0},
        {"PARTIAL PANEL ELECTRICAL", "Enum", 0}, {"PARTIAL PANEL AVIONICS", "Enum", 0},
        {"PARTIAL PANEL ENGINE", "Enum", 0}, {"PARTIAL PANEL FUEL INDICATOR", "Enum", 0},
        {"PARTIAL PANEL HEADING", "Enum", 0}, {"PARTIAL PANEL VERTICAL VELOCITY", "Enum", 0},
        {"PARTIAL PANEL TRANSPONDER", "Enum", 0}, {"PARTIAL PANEL NAV", "Enum", 0}, {"PARTIAL PANEL PITOT", "Enum", 0},
        {"PARTIAL PANEL TURN COORDINATOR", "Enum", 0}, {"PARTIAL PANEL VACUUM", "Enum", 0},
        {"PARTIAL PANEL TACAN", "Enum", 0}, {"GPS IS ACTIVE FLIGHT PLAN", "Bool", 0}, {"GPS ETA", "seconds", 0},
        {"EXIT OPEN:0", "Percent over 100", 0}, {"EXIT OPEN:9", "Percent over 100", 0},
    };
    // clang-format on
    Session s(api, "ZULtoMSFS");
    std::uint32_t define = 0;
    for (const Row& row : rows) {
        for (int index = row.lastIndex == 0 ? 0 : 1; index <= row.lastIndex; ++index) {
            const std::string name = index == 0 ? row.name : std::string(row.name) + ":" + std::to_string(index);
            SCOPED_TRACE(name);
            api.AddToDataDefinition(s.handle, ++define, name.c_str(), row.unit, SIMCONNECT_DATATYPE_FLOAT64, 0,
                                    SIMCONNECT_UNUSED);
            EXPECT_TRUE(s.Drain().empty());
        }
    }
}

}  // namespace
}  // namespace tarvo::simworld
