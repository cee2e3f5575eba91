// The Aerosoft CRJ against the stand-in module: discovered from its profile,
// then commands, a transponder worker, a single value and the snapshot.
#include "StandInFixture.h"

#include <functional>
#include <sstream>

namespace tarvo::e2e {
namespace {

// The stand-in's trace line of a key event the server sent: object, event id, data, priority, flags.
std::string Sent(int eventId, long long data) {
    return R"("fn":"TransmitClientEvent","args":[0,)" + std::to_string(eventId) + "," + std::to_string(data) + ",1,16]";
}

std::size_t Occurrences(const std::string& text, const std::string& fragment) {
    std::size_t n = 0;
    for (auto at = text.find(fragment); at != std::string::npos; at = text.find(fragment, at + 1)) ++n;
    return n;
}

class CrjTest : public StandInFixture {
protected:
    CrjTest() : StandInFixture("crj") {}

    void SetUp() override {
        StandInFixture::SetUp();
        for (const char* command :
             {"wasm install", "wasm profile crj", "wasm filler 1450", "wasm load",
              R"(set "TRANSPONDER CODE:1" number 1200)", R"(set "AUTOPILOT FLIGHT DIRECTOR ACTIVE:1" Bool 0)"}) {
            ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
        }
        ASSERT_NO_FATAL_FAILURE(StartServer());
        ASSERT_EQ(CrewControl("announce"), std::optional<std::string>("ok 1"));
    }

    void TearDown() override { SimControl("quit"); }

    // Asks the stand-in until the reply satisfies done; the last reply.
    std::string ReplyOnce(const std::string& command, const std::function<bool(const std::string&)>& done,
                          DWORD timeoutMilliseconds) {
        std::string reply;
        const DWORD start = ::GetTickCount();
        do {
            reply = SimControl(command).value_or("");
            if (done(reply)) break;
            ::Sleep(100);
        } while (::GetTickCount() - start < timeoutMilliseconds);
        return reply;
    }

    std::string Answer(std::uint32_t code) {
        const auto reply = CrewControl("query 1 " + std::to_string(code));
        if (!reply || reply->rfind("ok ", 0) != 0) return "(no reply)";
        const auto text = CrewControl("atomtext " + reply->substr(3));
        return text && text->rfind("ok ", 0) == 0 ? text->substr(3) : "(no atom)";
    }
};

// Slow by nature: the aircraft is ready only after the module wait of its discovery.
TEST_F(CrjTest, DiscoveredCrjTakesCommandsAndReportsItsPanel) {
    for (const char* command :
         {"wasm set ASCRJ_RSP_RANGE_INFO 40", "wasm set ASCRJ_FS2C_HDG_VAL 275", "wasm set ASCRJ_SPOILER_SET 50",
          "wasm set ASCRJ_FCP_AP_ENG_LED 1", "wasm set ASCRJ_FCP_HDG_LED 1"}) {
        ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
    }
    ASSERT_EQ(CrewControl("send 39189 51 0"), std::optional<std::string>("ok 0"));
    ASSERT_TRUE(WaitForLine(crewTrace, "\"msg\":39255,", 60000)) << "the CRJ is ready";
    EXPECT_TRUE(WaitForLine(LogPath(), "Retrieved all relevant Aerosoft CRJ Lvars", 1000));

    EXPECT_EQ(CrewControl("post 39374 66239 1"), std::optional<std::string>("ok 1"));
    EXPECT_EQ(ReplyOnce(
                  "wasm get ASCRJ_EXTL_BEACO", [](const std::string& r) { return r == "ok 1"; }, 5000),
              "ok 1");
    EXPECT_EQ(CrewControl("post 39374 66079 0"), std::optional<std::string>("ok 1"));
    EXPECT_TRUE(WaitForLine(simTrace, Sent(236, 0), 5000)) << "GEAR_UP";

    // 1200 to 3400: 12 to 34 on the outer knob, 18 clicks in octal; the inner knob stays.
    EXPECT_EQ(CrewControl("post 39374 68918 3400"), std::optional<std::string>("ok 1"));
    const std::string writes = ReplyOnce(
        "wasm writes", [](const std::string& r) { return Occurrences(r, "ASCRJ_RTU1_LSK4=1") == 3; }, 30000);
    EXPECT_EQ(Occurrences(writes, "ASCRJ_RTU1_LSK4=1"), 3u) << writes;
    const std::string code = SimControl("wasm code").value_or("");
    EXPECT_EQ(Occurrences(code, "(>L:ASCRJ_RTU1_KNOB_OUTER)"), 18u) << code;
    EXPECT_EQ(Occurrences(code, "KNOB_INNER"), 0u) << code;

    EXPECT_EQ(Answer(1758), "000000000000000000000840") << "range 40: index 3";
    std::vector<long long> words;
    for (int i = 0; i < 50 && (words.size() != 45 || words[17] != 275); ++i) {
        if (i > 0) ::Sleep(100);
        if (CrewControl("query 6 0") == std::optional<std::string>("ok 1")) words = LastCopyDataWords(611);
    }
    ASSERT_EQ(words.size(), 45u);
    EXPECT_EQ(words[17], 275);
    EXPECT_EQ(words[22], 8191);
    EXPECT_EQ(words[28], 0x5) << "autopilot and heading lamps";
}

}  // namespace
}  // namespace tarvo::e2e
