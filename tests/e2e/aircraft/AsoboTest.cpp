// The Asobo 747 and the Working Title CJ4 with GSX, against the real exe: the
// discovery's lines, the aircraft's commands reaching the stand-in's module,
// and the ground-services state answered to the crew app.
#include "StandInFixture.h"

#include <algorithm>
#include <functional>

namespace tarvo::e2e {
namespace {

// Asks until the condition holds for the reply; false when it never does in time.
bool WaitForReply(const std::string& command, const std::function<bool(const std::string&)>& holds,
                  DWORD timeoutMilliseconds) {
    const DWORD start = ::GetTickCount();
    do {
        const auto reply = SimControl(command);
        if (reply && holds(*reply)) return true;
        ::Sleep(50);
    } while (::GetTickCount() - start < timeoutMilliseconds);
    return false;
}

std::function<bool(const std::string&)> Holding(const std::string& part) {
    return [part](const std::string& reply) { return reply.find(part) != std::string::npos; };
}

long long Logged(const std::string& line) {
    const auto lines = ReadLines(LogPath());
    return std::count(lines.begin(), lines.end(), line);
}

class AsoboTest : public StandInFixture {
protected:
    AsoboTest() : StandInFixture("asobo") {}

    void TearDown() override { SimControl("quit"); }

    void LoadAircraft(std::initializer_list<const char*> commands) {
        for (const char* command : commands) {
            ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
        }
    }

    void SelectAndWaitUntilReady(int aircraft) {
        ASSERT_NO_FATAL_FAILURE(StartServer());
        ASSERT_EQ(CrewControl("announce"), std::optional<std::string>("ok 1"));
        ASSERT_EQ(CrewControl("send 39189 " + std::to_string(aircraft) + " 0"), std::optional<std::string>("ok 0"));
        ASSERT_TRUE(WaitForLine(crewTrace, "\"msg\":39255,", 90000)) << "no 39255 reached the crew app";
    }

    // The reply text of query 1 for code.
    std::string Answer(std::uint32_t code) {
        const auto reply = CrewControl("query 1 " + std::to_string(code));
        if (!reply || reply->rfind("ok ", 0) != 0) return "(no reply)";
        const auto text = CrewControl("atomtext " + reply->substr(3));
        return text && text->rfind("ok ", 0) == 0 ? text->substr(3) : "(no atom)";
    }
};

// Slow by nature: the aircraft is ready only after the module wait of its discovery.
TEST_F(AsoboTest, A747WithGsxIsDiscoveredAndServed) {
    ASSERT_NO_FATAL_FAILURE(
        LoadAircraft({"wasm install", "wasm profile asobo747", "wasm profile gsx 31", "wasm filler 80", "wasm load"}));
    ASSERT_NO_FATAL_FAILURE(SelectAndWaitUntilReady(57));
    EXPECT_EQ(MissingInOrder(ReadLines(LogPath()), {"Retrieved 80 LVRAS for ASOBO plane", "Retrieved GSX Lvars"}),
              std::nullopt);

    EXPECT_EQ(CrewControl("post 39374 65580 1"), std::optional<std::string>("ok 1"));  // autopilot 1
    EXPECT_TRUE(WaitForReply("wasm writes", Holding("XMLVAR_Autopilot_1_Status=1"), 5000));

    ASSERT_EQ(SimControl("wasm set FSDT_GSX_BOARDING_STATE 5"), std::optional<std::string>("ok"));
    const std::string boarding = "000000000000000000001440";  // 5.0 after the tag
    std::string answer;
    for (int i = 0; i < 100 && (answer = Answer(1775)) != boarding; ++i) ::Sleep(100);
    EXPECT_EQ(answer, boarding);

    // GSX was found: the crew app's request starts nothing. The command after
    // it shows that it was handled.
    EXPECT_EQ(CrewControl("post 39374 69109 1"), std::optional<std::string>("ok 1"));
    EXPECT_EQ(CrewControl("post 39374 65580 0"), std::optional<std::string>("ok 1"));
    EXPECT_TRUE(WaitForReply("wasm writes", Holding("XMLVAR_Autopilot_1_Status=0"), 5000));
    EXPECT_EQ(Logged("Retrieved GSX Lvars"), 1);
}

// Slow by nature, as above.
TEST_F(AsoboTest, GsxStartedAfterTheCj4IsFoundOnTheCrewAppsRequest) {
    ASSERT_NO_FATAL_FAILURE(
        LoadAircraft({"wasm install", "wasm profile cj4", "wasm profile gsx 30", "wasm filler 60", "wasm load"}));
    ASSERT_NO_FATAL_FAILURE(SelectAndWaitUntilReady(59));
    EXPECT_EQ(Logged("Retrieved LVRAS for CJ4"), 1);
    EXPECT_EQ(Logged("Retrieved GSX Lvars"), 0);

    // GSX starts: its variables join the list, which the bridge takes anew.
    const long long before = Logged("Lvars received");
    ASSERT_NO_FATAL_FAILURE(LoadAircraft({"wasm profile cj4", "wasm profile gsx 31", "wasm filler 61", "wasm load"}));
    const DWORD start = ::GetTickCount();
    while (Logged("Lvars received") == before && ::GetTickCount() - start < 10000) ::Sleep(50);
    ASSERT_GT(Logged("Lvars received"), before) << "the bridge took the new list";

    EXPECT_EQ(CrewControl("post 39374 69109 1"), std::optional<std::string>("ok 1"));
    EXPECT_TRUE(WaitForLine(LogPath(), "Retrieved GSX Lvars", 15000));

    EXPECT_EQ(CrewControl("post 39374 65725 1"), std::optional<std::string>("ok 1"));  // heading mode
    EXPECT_TRUE(WaitForReply("wasm fired", Holding("H:WT_CJ4_AP_HDG_PRESSED"), 5000));
}

}  // namespace
}  // namespace tarvo::e2e
