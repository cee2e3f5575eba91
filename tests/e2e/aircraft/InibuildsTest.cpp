// The Inibuilds A310 selected on the real exe: its discovery against the
// stand-in module, then commands, a query, the snapshot and the take-off data.
#include "StandInFixture.h"

#include <string>
#include <vector>

namespace tarvo::e2e {
namespace {

// The stand-in's trace line of a key event the server sent: object, event id, data, priority, flags.
std::string Sent(int eventId, long long data) {
    return R"("fn":"TransmitClientEvent","args":[0,)" + std::to_string(eventId) + "," + std::to_string(data) + ",1,16]";
}

// Asks the stand-in until its reply contains fragment; the last reply.
std::string WaitForReplyWith(const std::string& command, const std::string& fragment, DWORD timeoutMilliseconds) {
    const DWORD start = ::GetTickCount();
    std::string reply;
    do {
        reply = SimControl(command).value_or("");
        if (reply.find(fragment) != std::string::npos) break;
        ::Sleep(50);
    } while (::GetTickCount() - start < timeoutMilliseconds);
    return reply;
}

class InibuildsTest : public StandInFixture {
protected:
    InibuildsTest() : StandInFixture("inibuilds") {}

    void SetUp() override {
        StandInFixture::SetUp();
        for (const char* command : {"wasm install", "wasm profile a310", "wasm filler 3000", "wasm load"}) {
            ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
        }
        ASSERT_NO_FATAL_FAILURE(StartServer());
        ASSERT_EQ(CrewControl("announce"), std::optional<std::string>("ok 1"));
    }

    void TearDown() override { SimControl("quit"); }

    // The reply text of query 1 for code, once it is the expected one.
    std::string AnswerOnceItIs(std::uint32_t code, const std::string& expected) {
        std::string answer;
        for (int i = 0; i < 100; ++i, ::Sleep(100)) {
            const auto reply = CrewControl("query 1 " + std::to_string(code));
            if (!reply || reply->rfind("ok ", 0) != 0) continue;
            const auto text = CrewControl("atomtext " + reply->substr(3));
            answer = text.value_or("").substr(3);
            if (answer == expected) break;
        }
        return answer;
    }

    // Snapshots until one carries words 28 and 37 as wanted; the last one seen.
    std::vector<long long> SnapshotOnceLampsAre(long long flags, long long lamps) {
        std::vector<long long> words;
        for (int i = 0; i < 100; ++i, ::Sleep(100)) {
            if (CrewControl("query 6 0") != std::optional<std::string>("ok 1")) continue;
            words = LastCopyDataWords(611);
            if (words.size() == 45 && words[28] == flags && words[37] == lamps) break;
        }
        return words;
    }
};

// Slow by nature: the aircraft is ready only after the module wait of its discovery.
TEST_F(InibuildsTest, TheA310IsDiscoveredAndServed) {
    ASSERT_EQ(CrewControl("send 39189 77 0"), std::optional<std::string>("ok 0"));
    ASSERT_TRUE(WaitForLine(LogPath(), "Retrieved all Inibuild A310 Lvars", 60000));
    EXPECT_EQ(MissingInOrder(ReadLines(LogPath()),
                             {"Looking for Inibuild Specific lvars", "Retrieved all Inibuild A310 Lvars"}),
              std::nullopt);

    // The first officer's armrest goes up and, 4 s later, down; the crew app hears of the aircraft after that.
    const std::string raised = WaitForReplyWith("wasm writes", "A310_ARMREST_FO=1", 5000);
    const DWORD raisedAt = ::GetTickCount();
    ASSERT_NE(raised.find("A310_ARMREST_FO=1"), std::string::npos) << raised;
    EXPECT_TRUE(MissingInOrder(ReadLines(crewTrace), {"\"msg\":39255,"}).has_value()) << "39255 before the armrest";
    const std::string lowered = WaitForReplyWith("wasm writes", "A310_ARMREST_FO=0", 10000);
    ASSERT_NE(lowered.find("A310_ARMREST_FO=0"), std::string::npos) << lowered;
    EXPECT_GE(::GetTickCount() - raisedAt, 3500u) << "held for 4 s";
    ASSERT_TRUE(WaitForLine(crewTrace, "\"msg\":39255,", 10000)) << "the A310 is ready";

    // Commands: calculator code with the A310's names, a variable set from the
    // value, and one handed to the generic command set.
    EXPECT_EQ(CrewControl("post 39374 67942 1"), std::optional<std::string>("ok 1"));
    const std::string code = WaitForReplyWith("wasm code", "A310_AP2_BUTTON", 5000);
    EXPECT_NE(code.find(R"x("1 (>L:A310_AP2_BUTTON)")x"), std::string::npos) << code;
    EXPECT_EQ(CrewControl("post 39374 68025 2"), std::optional<std::string>("ok 1"));
    EXPECT_EQ(WaitForReplyWith("wasm get A300_XBLEED_MODE", "ok 2", 5000), "ok 2");
    EXPECT_EQ(CrewControl("post 39374 65698 8191"), std::optional<std::string>("ok 1"));
    EXPECT_TRUE(WaitForLine(simTrace, Sent(240, 8191), 5000)) << "FLAPS_SET";

    // The aircraft's state, as the crew app polls it.
    for (const char* command :
         {"wasm set A310_IRS1_STATE 2", "wasm set A310_ap1_on 1", "wasm set A310_MCU_HDG_SEL_LIGHT 1",
          "wasm set A310_at_on 1", "wasm set A310_Airspeed_Dial 180", "wasm set A310_HEADING_DIAL 275",
          "wasm set A310_Altitude_Dial 12000", "wasm set A310_MASTER_CAUTION_ACTIVE 1", "wasm set A310_V1 140",
          "wasm set A310_VR 145", "wasm set A310_PRESET_SPEED 150", "wasm set A300DR_transition_altitude 18000",
          "wasm set A310_FLEX_TEMPERATURE 45"}) {
        ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
    }
    EXPECT_EQ(AnswerOnceItIs(1085, "000000000000000000000040"), "000000000000000000000040") << "IRS 1 at 2.0";

    const auto words = SnapshotOnceLampsAre(0x45, 0x20000000);
    ASSERT_EQ(words.size(), 45u);
    EXPECT_EQ(words[28], 0x45) << "AP1, HDG SEL, A/THR";
    EXPECT_EQ(words[37], 0x20000000) << "master caution";
    EXPECT_EQ((std::vector<long long>{words[16], words[17], words[18]}), (std::vector<long long>{180, 275, 12000}));

    const std::vector<long long> takeoff = {140, 145, 150, 0, 18000, 0, 0, 0, 0, 0, 0, 0, 45, 0, 0, 0};
    for (int i = 0; i < 50 && LastCopyDataWords(615) != takeoff; ++i, ::Sleep(100)) {
        EXPECT_EQ(CrewControl("query 24 0"), std::optional<std::string>("ok 1"));
    }
    EXPECT_EQ(LastCopyDataWords(615), takeoff);
}

}  // namespace
}  // namespace tarvo::e2e
