#include "sim/Dispatch.h"

#include "SimFixture.h"
#include "link/Messages.h"
#include "sim/ClientEvents.h"
#include "sim/Session.h"
#include "sim/SessionState.h"

#include <cstring>
#include <limits>

namespace tarvo::sim {
namespace {

struct DispatchTest : SimFixture {
    DispatchTest() {
        SetUpSession(fake.server);
        Pump();
        fake.desktop.posts.clear();
        trace.clear();
    }

    std::vector<std::uint32_t> CrewMessages() const {
        std::vector<std::uint32_t> messages;
        for (const auto& post : PostsTo(crewWindow)) messages.push_back(post.message);
        return messages;
    }

    // Dispatches a hand-made record.
    template <typename T>
    void Deliver(const T& record, std::uint32_t size = sizeof(T)) {
        Dispatch(fake.server, reinterpret_cast<const SIMCONNECT_RECV*>(&record), size);
    }
};

SIMCONNECT_RECV_EVENT Event(std::uint32_t id, std::uint32_t data) {
    return {sizeof(SIMCONNECT_RECV_EVENT), 4, SIMCONNECT_RECV_ID_EVENT, 0, id, data};
}

TEST_F(DispatchTest, SimEventsTellTheCrewAppOnlyOnChangesAndRefreshIdentity) {
    // {data of "Sim", what the crew app gets}; the server starts believing the simulation stopped.
    const std::pair<std::uint32_t, std::vector<std::uint32_t>> steps[] = {
        {0, {}},
        {1, {link::kMsgSimulationRunning}},
        {1, {}},
        {0, {link::kMsgSimulationStopped}},
        {0, {}},
        {1, {link::kMsgSimulationRunning}},
    };
    for (const auto& [data, expected] : steps) {
        fake.desktop.posts.clear();
        trace.clear();
        world.FireSystemEvent("Sim", data);
        Pump();
        EXPECT_EQ(CrewMessages(), expected) << "Sim " << data;
        EXPECT_EQ(Calls(), (std::vector<std::string>{"RequestDataOnSimObjectType [7,7,0,0]",
                                                      "RequestDataOnSimObjectType [6,6,0,0]"}));
    }
    world.FireSystemEvent("PositionChanged", 0);
    fake.desktop.posts.clear();
    Pump();
    EXPECT_EQ(CrewMessages(), std::vector<std::uint32_t>{link::kMsgSimulationRunning});
}

TEST_F(DispatchTest, OnlyAddOnAndSpoilerEventsAreForwarded) {
    // {event id, forwarded}
    const std::pair<std::uint32_t, bool> cases[] = {
        {69631, false}, {69632, true}, {89950, true}, {89951, false}, {241, false},
        {242, true},    {243, true},   {244, false},  {0, false},     {150 + 1000, false},
    };
    for (const auto& [id, forwarded] : cases) {
        fake.desktop.posts.clear();
        Deliver(Event(id, 77));
        const auto posts = PostsTo(crewWindow);
        if (forwarded) {
            EXPECT_EQ(posts, (std::vector<fakes::PostedMessage>{{crewWindow, link::kMsgSimEvent, id, 77}})) << id;
        } else {
            EXPECT_TRUE(posts.empty()) << id;
        }
    }
}

TEST_F(DispatchTest, TheServersOwnSpoilerEventComesBackToTheCrewApp) {
    ASSERT_TRUE(TransmitEvent(fake.server, 243, 8192));
    EXPECT_EQ(Calls().back(), "TransmitClientEvent [0,243,8192,1,16]");
    Pump();
    EXPECT_EQ(PostsTo(crewWindow), (std::vector<fakes::PostedMessage>{{crewWindow, link::kMsgSimEvent, 243, 8192}}));
    EXPECT_NEAR(*world.Number("SPOILERS HANDLE POSITION", "position 16k"), 8192, 1);
}

TEST_F(DispatchTest, QuitTellsTheCrewAppAndEndsTheLoop) {
    world.Quit();
    Pump();
    EXPECT_EQ(CrewMessages(), std::vector<std::uint32_t>{link::kMsgServerLeaving});
    EXPECT_EQ(fake.server.host.crewWindow, 0u);
    EXPECT_FALSE(fake.server.host.running);
}

TEST_F(DispatchTest, FuelRecordChecksTheCrewAppIsStillThere) {
    fake.server.session.records[kFuelRecord].bytes.assign(20, 0);
    fake.desktop.RemoveWindow(crewWindow);
    world.AdvanceTime(21000);  // the fuel record comes every 21 s
    Pump();
    EXPECT_EQ(PostsTo(linkWindow), (std::vector<fakes::PostedMessage>{{linkWindow, link::kMsgCrewLeaving, 0, 0}}));
    EXPECT_EQ(fake.server.host.crewWindow, 0u);
    EXPECT_NE(fake.server.session.records[kFuelRecord].Int32(0), 0) << "total weight stored first";

    const WindowId crew = fake.desktop.AddWindow({"CSpeaker", "Zulcrest", true, 9});
    fake.desktop.posts.clear();
    world.AdvanceTime(21000);
    Pump();
    EXPECT_TRUE(PostsTo(linkWindow).empty());
    EXPECT_EQ(fake.server.host.crewWindow, crew);
}

TEST_F(DispatchTest, RecordsFillTheirBuffersOnlyAsFarAsTheyGo) {
    world.SetNumber("INDICATED ALTITUDE", 12345.9, "feet");
    world.AdvanceTime(2000);
    Pump();
    EXPECT_EQ(fake.server.session.records[kFlightRecord].Int32(4), 12345);

    // A flight record carrying new values for fields 0 and 1, handed over with
    // the size given; bytes past that size are in the buffer but not the record's.
    struct Case {
        const char* name;
        std::uint32_t size;
        std::size_t offset;  // of the record in its buffer
        bool stored;
    };
    const Case cases[] = {
        {"cut after two fields", kSimConnectDataOffset + 8, 0, true},
        {"at an odd address", kSimConnectDataOffset + 8, 1, true},  // records are not promised to be aligned
        {"header only", kSimConnectDataOffset, 0, false},
        {"shorter than its header", 30, 0, false},
    };
    std::int32_t next = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::uint8_t> before = fake.server.session.records[kFlightRecord].bytes;
        alignas(8) std::uint8_t buffer[1 + kSimConnectDataOffset + 8] = {};
        std::uint8_t* record = buffer + c.offset;
        SIMCONNECT_RECV_SIMOBJECT_DATA header{};
        header.dwSize = c.size;
        header.dwID = SIMCONNECT_RECV_ID_SIMOBJECT_DATA;
        header.dwRequestID = kFlightRecord;
        std::memcpy(record, &header, kSimConnectDataOffset);
        const std::int32_t fields[2] = {next, next + 1};
        next += 2;
        std::memcpy(record + kSimConnectDataOffset, fields, sizeof(fields));
        Dispatch(fake.server, reinterpret_cast<const SIMCONNECT_RECV*>(record), c.size);
        std::vector<std::uint8_t> expected = before;
        if (c.stored) std::memcpy(expected.data(), fields, sizeof(fields));
        EXPECT_EQ(fake.server.session.records[kFlightRecord].bytes, expected);
    }
    EXPECT_EQ(fake.server.session.records[kFlightRecord].Int32(4), 12345);

    // An event shorter than its header is ignored.
    Deliver(Event(243, 1), 20);
    EXPECT_TRUE(PostsTo(crewWindow).empty());
}

TEST_F(DispatchTest, IdentityStringsAreCutToTheirBuffersAndKeptWhenARetrievalFails) {
    world.SetString("TITLE", std::string(300, 'T'));
    world.SetString("ATC AIRLINE", "Tarvo Air");
    world.SetString("ATC FLIGHT NUMBER", "123456789012345");
    world.SetString("ATC MODEL", "A20N");
    world.SetString("ATC ID", "OH-TRV");
    RequestAircraftIdentity(fake.server);
    Pump();
    const IdentityStrings& identity = fake.server.session.identity;
    EXPECT_EQ(std::string(identity.title.data()), std::string(255, 'T'));
    EXPECT_EQ(std::string(identity.airline.data()), "Tarvo Air");
    EXPECT_EQ(std::string(identity.flightNumber.data()), "12345678901");
    EXPECT_EQ(std::string(identity.model.data()), "A20N");
    EXPECT_EQ(std::string(identity.tailNumber.data()), "OH-TRV");

    // A record whose last string has no terminator changes nothing.
    std::uint8_t broken[kSimConnectDataOffset + 12] = {};
    SIMCONNECT_RECV_SIMOBJECT_DATA_BYTYPE header{};
    header.dwSize = sizeof(broken);
    header.dwID = SIMCONNECT_RECV_ID_SIMOBJECT_DATA_BYTYPE;
    header.dwRequestID = kIdentityStrings;
    std::memcpy(broken, &header, kSimConnectDataOffset);
    std::memcpy(broken + kSimConnectDataOffset, "ab\0\0c\0\0\0dddd", 12);
    Dispatch(fake.server, reinterpret_cast<const SIMCONNECT_RECV*>(broken), sizeof(broken));
    EXPECT_EQ(std::string(identity.airline.data()), "Tarvo Air");
    EXPECT_EQ(std::string(identity.model.data()), "A20N");
}

TEST_F(DispatchTest, FileNameEventsSetTheFenixFlagAndKeepTheFlightPlan) {
    world.FireFileNameEvent("AircraftLoaded", "C:\\Community\\fnxa32-aircraft\\SimObjects\\aircraft.CFG");
    Pump();
    EXPECT_TRUE(fake.server.adapters.fenixFlag);
    world.FireFileNameEvent("AircraftLoaded", "C:\\Official\\asobo-aircraft-c172\\aircraft.cfg");
    Pump();
    EXPECT_TRUE(fake.server.adapters.fenixFlag) << "never cleared by a later aircraft";

    world.FireFileNameEvent("FlightPlan", "C:\\Plans\\EFHK-ESSA.pln");
    Pump();
    EXPECT_STREQ(fake.server.session.flightPlanPath.data(), "C:\\Plans\\EFHK-ESSA.pln");

    // A name that fills its whole field without a terminator is cut to 259 characters.
    SIMCONNECT_RECV_EVENT_FILENAME record{};
    record.dwSize = sizeof(record);
    record.dwID = SIMCONNECT_RECV_ID_EVENT_FILENAME;
    record.uEventID = kEventFlightPlan;
    std::memset(record.szFileName, 'p', sizeof(record.szFileName));
    Deliver(record);
    EXPECT_EQ(std::string(fake.server.session.flightPlanPath.data()), std::string(259, 'p'));
}

TEST_F(DispatchTest, FrameRateIsAveragedOverFifteenFrames) {
    for (int frame = 1; frame <= 14; ++frame) world.FireFrame(30.0f, 1.0f);
    Pump();
    EXPECT_EQ(fake.server.session.averageFrameRate, 0.0);
    world.FireFrame(45.0f, 2.0f);
    Pump();
    EXPECT_DOUBLE_EQ(fake.server.session.averageFrameRate, (14 * 30.0 + 45.0) / 15);
    EXPECT_DOUBLE_EQ(fake.server.session.simulationRate, 2.0);
}

TEST_F(DispatchTest, EveryFifteenthFrameRedrawsTheLineUnlessANoticeShows) {
    fake.server.host.simulatorWindow = fake.desktop.AddWindow({"AceApp", "Microsoft Flight Simulator", true, 1});
    fake.desktop.SetForeground(fake.server.host.simulatorWindow);
    const auto fifteenFrames = [&] {
        for (int frame = 0; frame < 15; ++frame) world.FireFrame(30.0f, 1.0f);
        Pump();
    };
    fifteenFrames();
    EXPECT_EQ(fake.desktop.overlayTexts, std::vector<std::string>{"   "});

    fake.server.host.positionLine = true;
    fifteenFrames();
    ASSERT_EQ(fake.desktop.overlayTexts.size(), 2u);
    EXPECT_TRUE(fake.desktop.overlayTexts.back().starts_with("FPS : 30.0    LAT: N")) << fake.desktop.overlayTexts.back();

    fake.server.link.overlayVisible = true;
    fake.server.link.overlayHideTime = fake.clock.TickCount() + 60000;
    fifteenFrames();
    EXPECT_EQ(fake.desktop.overlayTexts.size(), 2u) << "nothing drawn over a timed notice";
}

TEST(PositionLine, SouthernLatitudesAndNegativeGPrintWithTheirSigns) {
    constexpr double kRadiansPerDegree = 1 / 57.29577951308232;
    EXPECT_EQ(PositionLine(29.96, -33.5 * kRadiansPerDegree, 151.25 * kRadiansPerDegree, 3500, -1.5, 1.0),
              "FPS : 30.0    LAT: S-33\xB0 -30.0'    LON: E151\xB0 15.0'    ALT: 3500    - 1.5 Gs    Sim Rate: 1.00");
    EXPECT_EQ(PositionLine(60.0, 60.25 * kRadiansPerDegree, -0.5 * kRadiansPerDegree, -20, 1.0, 4.0),
              "FPS : 60.0    LAT: N60\xB0 15.0'    LON: W0\xB0 -30.0'    ALT: -20    + 1.0 Gs    Sim Rate: 4.00");
}

TEST(PositionLine, NonsenseCoordinatesStillGiveWholeDegrees) {
    const std::string line = PositionLine(30.0, std::numeric_limits<double>::quiet_NaN(), 1e300, 0, 1.0, 1.0);
    EXPECT_NE(line.find("LAT: S0\xB0 "), std::string::npos) << line;
    EXPECT_NE(line.find("LON: E2147483647\xB0 "), std::string::npos) << line;
}

}  // namespace
}  // namespace tarvo::sim
