// The real exe against the simulator and crew stand-ins: its SimConnect session
// as the simulator sees it, and what the crew app receives.
#include "StandInFixture.h"

namespace tarvo::e2e {
namespace {

class SessionTest : public StandInFixture {
protected:
    SessionTest() : StandInFixture("session") {}
};

TEST_F(SessionTest, SimulatorQuitEndsTheServerInOrder) {
    ASSERT_NO_FATAL_FAILURE(StartServer());
    ASSERT_TRUE(WaitForLine(simTrace, R"("conn":"ZULtoMSFS","dir":"send","fn":"OPEN")", 5000));

    ASSERT_EQ(SimControl("quit"), std::optional<std::string>("ok"));
    EXPECT_EQ(server.WaitForExit(15000), std::optional<DWORD>(0));
    EXPECT_EQ(simulator.WaitForExit(10000), std::optional<DWORD>(0));

    EXPECT_EQ(MissingInOrder(ReadLines(crewTrace), {R"({"dir":"recv","msg":39176,"wParam":0,"lParam":0})"}),
              std::nullopt);
    EXPECT_EQ(MissingInOrder(ReadLines(simTrace),
                             {
                                 R"("conn":"ZULtoMSFS","dir":"call","fn":"Open")",
                                 R"("dir":"send","fn":"QUIT")",
                                 R"("fn":"UnsubscribeFromSystemEvent","args":[154])",
                                 R"("fn":"UnsubscribeFromSystemEvent","args":[153])",
                                 R"("fn":"UnsubscribeFromSystemEvent","args":[152])",
                                 R"("fn":"UnsubscribeFromSystemEvent","args":[151])",
                                 R"("fn":"UnsubscribeFromSystemEvent","args":[150])",
                                 R"("conn":"ZULtoMSFS","dir":"call","fn":"Close")",
                             }),
              std::nullopt);
    EXPECT_EQ(MissingInOrder(ReadLines(LogPath()), {"Logging started", "Tarvo81_Ldr loading",
                                                    "Created Simconnect session", "About to enter main loop",
                                                    "Leaving main loop", "Closing Simconnect session",
                                                    "Tarvo81_Ldr unloading"}),
              std::nullopt);
}

TEST_F(SessionTest, SetUpReachesTheSimulatorAndEventsReachTheCrewApp) {
    ASSERT_NO_FATAL_FAILURE(StartServer());

    EXPECT_EQ(MissingInOrder(ReadLines(simTrace),
                             {
                                 R"("fn":"SubscribeToSystemEvent","args":[150,"Sim"])",
                                 R"("fn":"SubscribeToSystemEvent","args":[154,"FlightPlan"])",
                                 R"("fn":"AddToDataDefinition","args":[0,"SIM ON GROUND","Bool",1,)",
                                 R"("fn":"RequestDataOnSimObject","args":[0,0,0,4,0,0,1,0])",
                                 R"("fn":"RequestDataOnSimObject","args":[11,11,0,4,0,0,10,0])",
                                 R"("fn":"AddToDataDefinition","args":[21,"LIGHT POTENTIOMETER:86","amps",4,)",
                                 R"("fn":"MapClientEventToSimEvent","args":[159,"AP_MASTER"])",
                                 R"("fn":"SetNotificationGroupPriority","args":[0,1])",
                             }),
              std::nullopt);
    EXPECT_EQ(MissingInOrder(ReadLines(LogPath()),
                             {"Created Simconnect session", "CreatedSimconnect data definitions",
                              "Mapped Simconnect Events", "About to enter main loop"}),
              std::nullopt);

    // The simulation starts running, and the pilot moves the spoilers.
    ASSERT_EQ(SimControl("event Sim 1"), std::optional<std::string>("ok"));
    EXPECT_TRUE(WaitForLine(crewTrace, R"({"dir":"recv","msg":39170,"wParam":0,"lParam":0})", 5000));
    EXPECT_TRUE(WaitForLine(simTrace, R"("fn":"RequestDataOnSimObjectType","args":[6,6,0,0])", 5000));
    ASSERT_EQ(SimControl("key SPOILERS_SET 8192"), std::optional<std::string>("ok"));
    EXPECT_TRUE(WaitForLine(crewTrace, R"({"dir":"recv","msg":39175,"wParam":243,"lParam":8192})", 5000));

    SimControl("quit");
    EXPECT_EQ(server.WaitForExit(15000), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace tarvo::e2e
