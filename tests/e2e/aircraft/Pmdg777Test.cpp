// The PMDG 777 through the real exe: its own SimConnect connection to the
// stand-in's SDK areas, its events reaching the aircraft, what the aircraft
// publishes reaching the crew app, and its local variables after discovery.
#include "StandInFixture.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace tarvo::e2e {
namespace {

// The stand-in's trace line of a call on the 777's connection, up to its arguments.
std::string CallStart(const std::string& function) {
    return R"("conn":"ZUL_To_777X","dir":"call","fn":")" + function + R"(","args":[)";
}
std::string Call(const std::string& function, const std::string& args) {
    return CallStart(function) + args + "]";
}
std::string Heard(long long event, long long data) {
    return R"({"conn":"ZUL_To_777X","dir":"event","fn":"#)" + std::to_string(event) + R"(","args":[)" +
           std::to_string(data) + "]}";
}

// The reply text of a value query: the tag, then the double's bytes in order.
std::string ValueText(double value) {
    unsigned char bytes[8];
    std::memcpy(bytes, &value, sizeof bytes);
    std::string text = "00000000";
    for (const unsigned char byte : bytes) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", byte);
        text += hex;
    }
    return text;
}

class Pmdg777Test : public StandInFixture {
protected:
    Pmdg777Test() : StandInFixture("pmdg777") {}

    void SetUp() override {
        StandInFixture::SetUp();
        for (const char* command : {"sdk area PMDG_777X_Data 728", "sdk area PMDG_777X_Control 8"}) {
            ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
        }
    }

    void TearDown() override { SimControl("quit"); }

    void StartAndAnnounce() {
        ASSERT_NO_FATAL_FAILURE(StartServer());
        ASSERT_EQ(CrewControl("announce"), std::optional<std::string>("ok 1"));
    }

    std::string Answer(std::uint32_t code) {
        const auto reply = CrewControl("query 1 " + std::to_string(code));
        if (!reply || reply->rfind("ok ", 0) != 0) return "(no reply)";
        const auto text = CrewControl("atomtext " + reply->substr(3));
        return text && text->rfind("ok ", 0) == 0 ? text->substr(3) : "(no atom)";
    }

    // Snapshots pump the 777's connection: polls until the snapshot's word holds value.
    bool PollWord(std::size_t word, long long value) {
        for (int i = 0; i < 50; ++i) {
            if (CrewControl("query 6 0") == std::optional<std::string>("ok 1")) {
                const auto words = LastCopyDataWords(611);
                if (words.size() > word && words[word] == value) return true;
            }
            ::Sleep(100);
        }
        return false;
    }
};

TEST_F(Pmdg777Test, TheAircraftsLinkCarriesCommandsAndItsData) {
    ASSERT_NO_FATAL_FAILURE(StartAndAnnounce());
    ASSERT_EQ(CrewControl("send 39189 34 0"), std::optional<std::string>("ok 0"));
    EXPECT_EQ(MissingInOrder(ReadLines(simTrace), {CallStart("Open") + R"("ZUL_To_777X",0,0,)",
                                                   Call("MapClientDataNameToID", R"("PMDG_777X_Data",1347241031)"),
                                                   Call("AddToClientDataDefinition", "1347241032,0,728,0,0"),
                                                   Call("RequestClientData", "1347241031,0,1347241032,3,1,0,0,0"),
                                                   Call("MapClientDataNameToID", R"("PMDG_777X_Control",1347241033)"),
                                                   Call("AddToClientDataDefinition", "1347241034,0,8,0,0"),
                                                   Call("RequestClientData", "1347241033,1,1347241034,3,1,0,0,0"),
                                                   Call("MapClientEventToSimEvent", R"(69960,"#69960")"),
                                                   Call("MapClientEventToSimEvent", R"(74616,"#74616")")}),
              std::nullopt);
    const auto lines = ReadLines(simTrace);
    const auto open = std::find_if(lines.begin(), lines.end(),
                                   [](const std::string& l) { return l.find(CallStart("Open")) != std::string::npos; });
    ASSERT_NE(open, lines.end());
    EXPECT_NE(open->find(",4294967295]}"), std::string::npos) << "configuration 0xFFFFFFFF: " << *open;

    EXPECT_EQ(CrewControl("post 39374 65786 8000"), std::optional<std::string>("ok 1"));
    ASSERT_TRUE(WaitForLine(simTrace, Heard(74616, 0x00020000), 5000));
    EXPECT_EQ(MissingInOrder(ReadLines(simTrace), {Heard(74616, 0x20000000), Heard(74616, 0x00020000)}), std::nullopt);

    // The aircraft publishes: a byte answered by its query, the master lamp
    // byte in the snapshot after the one that pumped it in, take-off fields.
    ASSERT_EQ(SimControl("sdk set PMDG_777X_Data 155 u8 3 371 u8 1 494 u8 140 504 u16 300 493 u8 5"),
              std::optional<std::string>("ok"));
    ASSERT_TRUE(PollWord(37, 0x20000000));
    EXPECT_EQ(Answer(141), ValueText(3.0));
    EXPECT_EQ(CrewControl("query 24 0"), std::optional<std::string>("ok 1"));
    const auto takeoff = LastCopyDataWords(615);
    ASSERT_EQ(takeoff.size(), 16u);
    EXPECT_EQ(takeoff[0], 140);
    EXPECT_EQ(takeoff[4], 300);
    EXPECT_EQ(takeoff[5], 5);
    EXPECT_TRUE(WaitForLine(crewTrace, R"("msg":39197,"wParam":0,"lParam":5})", 5000)) << "the take-off field";
}

class Pmdg777DiscoveryTest : public Pmdg777Test {};

// Slow by nature: the variables are known only after the module wait of discovery.
TEST_F(Pmdg777DiscoveryTest, ItsVariablesDriveThePanelWordsAndTheCduKeys) {
    for (const char* command : {"wasm install", "wasm profile pmdg777", "wasm filler 300", "wasm load"}) {
        ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
    }
    ASSERT_NO_FATAL_FAILURE(StartAndAnnounce());
    ASSERT_EQ(CrewControl("send 39189 34 0"), std::optional<std::string>("ok 0"));
    ASSERT_TRUE(WaitForLine(crewTrace, "\"msg\":39255,", 60000)) << "the 777 is ready";
    // Ground power first: once the speed shows, the bridge has seen both.
    ASSERT_EQ(SimControl("wasm set NGXGPU 1"), std::optional<std::string>("ok"));
    ASSERT_EQ(SimControl("wasm set ngx_SPDwindow 250"), std::optional<std::string>("ok"));
    EXPECT_TRUE(PollWord(16, 250));
    EXPECT_EQ(CrewControl("post 39374 69537 0"), std::optional<std::string>("ok 1"));
    EXPECT_TRUE(WaitForLine(simTrace, Heard(70033, 0x00020000), 5000)) << "the first officer's key";
}

}  // namespace
}  // namespace tarvo::e2e
