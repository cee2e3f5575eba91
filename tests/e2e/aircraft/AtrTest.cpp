// The Asobo ATR against the stand-in module: discovered from its profile,
// then a frequency typed on the keypad by its worker, a command dropped
// meanwhile, a key event and a single value.
#include "StandInFixture.h"

#include <functional>

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

class AtrTest : public StandInFixture {
protected:
    AtrTest() : StandInFixture("atr") {}

    void SetUp() override {
        StandInFixture::SetUp();
        for (const char* command : {"wasm install", "wasm profile atr", "wasm filler 1400", "wasm load"}) {
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

    std::size_t KeypadWrites() { return Occurrences(SimControl("wasm writes").value_or(""), "MSATR_MCP2_"); }
};

// Slow by nature: the aircraft is ready only after the module wait of its discovery.
TEST_F(AtrTest, DiscoveredAtrTypesAFrequencyAndAnswersItsLevers) {
    ASSERT_EQ(SimControl("wasm set MSATR_CONDITION1_POS 1"), std::optional<std::string>("ok"));
    ASSERT_EQ(CrewControl("send 39189 78 0"), std::optional<std::string>("ok 0"));
    ASSERT_TRUE(WaitForLine(crewTrace, "\"msg\":39255,", 60000)) << "the ATR is ready";
    EXPECT_TRUE(WaitForLine(LogPath(), "Retrieved all relevant Asobo ATR Lvars", 1000));
    const std::string crewAboard = ReplyOnce(
        "wasm writes", [](const std::string& r) { return Occurrences(r, "MSATR_MCDU2_L1=0") == 1; }, 10000);
    EXPECT_NE(crewAboard.find("MSATR_MISC_ARMREST_FO_L=1 MSATR_MISC_ARMREST_FO_L=0 MSATR_MCDU2_L1=1 MSATR_MCDU2_L1=0"),
              std::string::npos)
        << crewAboard;

    // 118.250 on the first radio: sixteen keys, 300 ms apart but for the first two.
    EXPECT_EQ(CrewControl("post 39374 69111 118250"), std::optional<std::string>("ok 1"));
    ReplyOnce(
        "wasm writes", [](const std::string& r) { return Occurrences(r, "MSATR_MCP2_") >= 1; }, 5000);
    const DWORD firstKey = ::GetTickCount();
    EXPECT_EQ(CrewControl("post 39374 68918 7700"), std::optional<std::string>("ok 1"))
        << "dropped: the keypad is busy";
    const std::string writes = ReplyOnce(
        "wasm writes", [](const std::string& r) { return Occurrences(r, "MSATR_MCP2_") >= 16; }, 15000);
    const DWORD lastKey = ::GetTickCount();
    const std::string keys = writes.substr(writes.find("MSATR_MCP2_"));
    EXPECT_EQ(keys,
              "MSATR_MCP2_NAV=1 MSATR_MCP2_COM=1 MSATR_MCP2_UP=1 MSATR_MCP2_RIGHT=1 MSATR_MCP2_RIGHT=1 MSATR_MCP2_1=1 "
              "MSATR_MCP2_1=1 MSATR_MCP2_8=1 MSATR_MCP2_PERIOD=1 MSATR_MCP2_2=1 MSATR_MCP2_5=1 MSATR_MCP2_0=1 "
              "MSATR_MCP2_ENTER=1 MSATR_MCP2_RIGHT=1 MSATR_MCP2_LEFT=1 MSATR_MCP2_ENTER=1");
    EXPECT_GE(lastKey - firstKey, 4000u) << "5.1 s from the first key to the last";

    EXPECT_EQ(CrewControl("post 39374 66079 0"), std::optional<std::string>("ok 1"));
    EXPECT_TRUE(WaitForLine(simTrace, Sent(236, 0), 5000)) << "GEAR_UP";
    EXPECT_EQ(Answer(560), "000000000000000080FFCF40") << "fuel on: 16383.0";
    EXPECT_EQ(KeypadWrites(), 16u) << "the transponder command left no trace";
    EXPECT_EQ(SimControl("wasm get MSATR_MCP2_SURV"), std::optional<std::string>("ok 0"));
}

}  // namespace
}  // namespace tarvo::e2e
