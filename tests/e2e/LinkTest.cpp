// The crew app's messages to the real exe across process boundaries, and the
// overlay line over the simulator.
#include "StandInFixture.h"

#include <cstdlib>

namespace tarvo::e2e {
namespace {

class LinkTest : public StandInFixture {
protected:
    LinkTest() : StandInFixture("link") {}

    void SetUp() override {
        StandInFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartServer());
        ASSERT_EQ(CrewControl("announce"), std::optional<std::string>("ok 1"));
    }

    void TearDown() override { SimControl("quit"); }

    // The reply value of a driver command that answers "ok N".
    long long Number(const std::optional<std::string>& reply) {
        EXPECT_TRUE(reply && reply->rfind("ok ", 0) == 0) << reply.value_or("(no reply)");
        return reply ? std::atoll(reply->c_str() + 3) : -1;
    }
};

TEST_F(LinkTest, QueriesAndCommandsTravelInAtoms) {
    // A command by atom runs (0); a text too short to hold one does not (1).
    const long long command = Number(CrewControl("atom 00010001FFFFFFFB"));
    EXPECT_EQ(Number(CrewControl("query 15 " + std::to_string(command))), 0);
    const long long shortText = Number(CrewControl("atom 0001"));
    EXPECT_EQ(Number(CrewControl("query 15 " + std::to_string(shortText))), 1);
    EXPECT_EQ(Number(CrewControl("query 13 0")), 1);

    // A value query answers with an atom ORed with 0xFFFF0000.
    const long long reply = Number(CrewControl("query 1 7"));
    EXPECT_EQ(reply & 0xFFFF0000LL, 0xFFFF0000LL);
    EXPECT_EQ(CrewControl("atomtext " + std::to_string(reply)), std::optional<std::string>("ok 000000000000000000000000"));
}

TEST_F(LinkTest, VersionHandshakeAcceptsTheSameVersionAndLeavesOnAnother) {
    EXPECT_EQ(Number(CrewControl("version 2970")), 1);
    EXPECT_TRUE(server.IsRunning());
    EXPECT_EQ(Number(CrewControl("version 2971")), 0);
    EXPECT_EQ(server.WaitForExit(10000), std::optional<DWORD>(0));
    EXPECT_EQ(MissingInOrder(ReadLines(LogPath()), {"Leaving main loop", "Tarvo81_Ldr unloading"}), std::nullopt);
}

TEST_F(LinkTest, CloseTellsTheCrewAppTheServerIsLeaving) {
    EXPECT_EQ(Number(CrewControl("post 16 0 0")), 1);
    EXPECT_EQ(server.WaitForExit(10000), std::optional<DWORD>(0));
    EXPECT_TRUE(WaitForLine(crewTrace, R"({"dir":"recv","msg":39176,"wParam":0,"lParam":0})", 2000));
}

TEST_F(LinkTest, CrewAppLeavingEndsTheServer) {
    EXPECT_EQ(Number(CrewControl("post 39369 0 0")), 1);
    EXPECT_FALSE(server.WaitForExit(3000).has_value()) << "the server says goodbye for 3.7 s first";
    EXPECT_EQ(server.WaitForExit(10000), std::optional<DWORD>(0));
}

TEST_F(LinkTest, NoticeAppearsAsAStripAlongTheTopOfTheSimulator) {
    // The simulator stand-in's window is at (100, 50), 1600 wide, and has the focus.
    EXPECT_EQ(Number(CrewControl("post 39177 1042 3000")), 1);
    HWND link = ::FindWindowA("SimConnector", "Tarvo81_Ldr");
    ASSERT_NE(link, nullptr);
    RECT strip = {};
    for (int i = 0; i < 100 && !::IsWindowVisible(link); ++i) ::Sleep(20);
    ASSERT_TRUE(::IsWindowVisible(link)) << "the notice did not show";
    ::GetWindowRect(link, &strip);
    EXPECT_EQ(strip.left, 110);
    EXPECT_EQ(strip.top, 80);
    EXPECT_EQ(strip.right - strip.left, 1580);
    EXPECT_EQ(strip.bottom - strip.top, 20);
    EXPECT_NE(::GetWindowLongA(link, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

}  // namespace
}  // namespace tarvo::e2e
