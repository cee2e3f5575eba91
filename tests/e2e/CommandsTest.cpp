// Crew commands sent to the real exe reach the simulator stand-in as key
// events, by message, by atom and by the ATC menu; and an add-on's command
// reaches the WASM module once its aircraft is discovered.
#include "StandInFixture.h"

#include <sstream>

namespace tarvo::e2e {
namespace {

// The stand-in's trace line of a key event the server sent: object, event id, data, priority, flags.
std::string Sent(int eventId, long long data) {
    return R"("fn":"TransmitClientEvent","args":[0,)" + std::to_string(eventId) + "," + std::to_string(data) + ",1,16]";
}

// Asks the stand-in until it answers expected; false when it never does within the time.
bool WaitForReply(const std::string& command, const std::string& expected, DWORD timeoutMilliseconds) {
    const DWORD start = ::GetTickCount();
    do {
        if (SimControl(command) == std::optional<std::string>(expected)) return true;
        ::Sleep(50);
    } while (::GetTickCount() - start < timeoutMilliseconds);
    return false;
}

class CommandsTest : public StandInFixture {
protected:
    CommandsTest() : StandInFixture("commands") {}

    void SetUp() override {
        StandInFixture::SetUp();
        for (const char* command :
             {R"(set "AUTOPILOT HEADING LOCK DIR" degrees 10)", R"(set "AUTOPILOT YAW DAMPER" bool 0)",
              R"(atc "1 - Say Again" "2 - Contact Ground on 121.900" "3 - Cancel" )"
              R"("4 - Request IFR Clearance")"}) {
            ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
        }
        ASSERT_NO_FATAL_FAILURE(StartServer());
        ASSERT_EQ(CrewControl("announce"), std::optional<std::string>("ok 1"));
    }

    void TearDown() override { SimControl("quit"); }

    // Word 17 of the snapshot the crew app receives: the heading bug.
    long long HeadingBugInSnapshot() {
        CrewControl("query 6 0");
        long long bug = -1;
        for (const std::string& line : ReadLines(crewTrace)) {
            const auto words = line.find("\"kind\":611,");
            if (words == std::string::npos) continue;
            std::istringstream list(line.substr(line.find("\"words\":[", words) + 9));
            char separator = 0;
            for (int i = 0; i <= 17 && list >> bug; ++i) list >> separator;
        }
        return bug;
    }

    // A command as the crew app packs it into an atom: code and value, 8 hex digits each.
    std::optional<std::string> CommandByAtom(const char* text) {
        const auto atom = CrewControl(std::string("atom ") + text);
        if (!atom || atom->rfind("ok ", 0) != 0) return atom;
        return CrewControl("query 15 " + atom->substr(3));
    }
};

TEST_F(CommandsTest, CommandsReachTheSimulatorAsKeyEvents) {
    EXPECT_EQ(CrewControl("post 39374 66079 0"), std::optional<std::string>("ok 1"));     // gear up
    EXPECT_EQ(CrewControl("post 39374 65698 8191"), std::optional<std::string>("ok 1"));  // flaps
    EXPECT_EQ(CrewControl("post 39374 65933 0"), std::optional<std::string>("ok 1"));     // engine 2 magnetos off
    // A sent query overtakes posted messages still queued: let the posts act first.
    ASSERT_TRUE(WaitForLine(simTrace, Sent(415, 0), 5000));
    EXPECT_EQ(CommandByAtom("0001022000000000"), std::optional<std::string>("ok 0"));     // gear down
    EXPECT_EQ(CommandByAtom("0001002C00000001"), std::optional<std::string>("ok 0"));     // autopilot 1 on
    ASSERT_TRUE(WaitForLine(simTrace, Sent(159, 1), 5000));
    EXPECT_EQ(MissingInOrder(ReadLines(simTrace),
                             {Sent(236, 0), Sent(240, 8191), Sent(415, 0), Sent(235, 0), Sent(160, 1), Sent(159, 1)}),
              std::nullopt)
        << "the yaw damper goes on before the autopilot";
    EXPECT_EQ(SimControl(R"(get "GEAR HANDLE POSITION" position)"), std::optional<std::string>("ok 1"));

    // One step per command toward the crew app's heading, from the bug the simulator shows.
    const DWORD start = ::GetTickCount();
    while (HeadingBugInSnapshot() != 10 && ::GetTickCount() - start < 10000) ::Sleep(100);
    ASSERT_EQ(HeadingBugInSnapshot(), 10) << "the flight record with the bug arrived";
    EXPECT_EQ(CrewControl("post 39374 66042 90"), std::optional<std::string>("ok 1"));
    EXPECT_TRUE(WaitForLine(simTrace, Sent(185, 1), 5000)) << "HEADING_BUG_INC";

    // The ATC menu reader chose "Ground on" (line 2) at start; the crew app now chooses line 4.
    ASSERT_TRUE(WaitForLine(crewTrace, R"("msg":39372,)", 10000));
    EXPECT_EQ(CrewControl("send 39373 64708 0"), std::optional<std::string>("ok 1"));
    EXPECT_TRUE(WaitForLine(simTrace, Sent(305, 1), 5000)) << "ATC_MENU_4";
}

class Dc6CommandsTest : public StandInFixture {
protected:
    Dc6CommandsTest() : StandInFixture("dc6") {}

    void SetUp() override {
        StandInFixture::SetUp();
        for (const char* command : {"wasm install", "wasm lvars 9 DC6_", "wasm lvar dc6_419_obj 0", "wasm load"}) {
            ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
        }
        ASSERT_NO_FATAL_FAILURE(StartServer());
        ASSERT_EQ(CrewControl("announce"), std::optional<std::string>("ok 1"));
    }

    void TearDown() override { SimControl("quit"); }
};

// Slow by nature: the aircraft is ready only after the module wait of its discovery.
TEST_F(Dc6CommandsTest, FlapCommandSetsTheLeverVariableAndTheSimulatorsFlaps) {
    ASSERT_EQ(CrewControl("send 39189 74 0"), std::optional<std::string>("ok 0"));
    ASSERT_TRUE(WaitForLine(crewTrace, "\"msg\":39255,", 60000)) << "the DC-6 is ready";
    EXPECT_EQ(CrewControl("post 39374 68778 0"), std::optional<std::string>("ok 1"));
    EXPECT_TRUE(WaitForReply("wasm get dc6_419_obj", "ok 2", 5000));
    EXPECT_TRUE(WaitForLine(simTrace, Sent(240, 5455), 5000)) << "FLAPS_SET";
    EXPECT_EQ(SimControl("wasm code"), std::optional<std::string>(R"x(ok "2 (>L:dc6_419_obj)")x"));
}

}  // namespace
}  // namespace tarvo::e2e
