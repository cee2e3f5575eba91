// The PMDG 737 through the real exe: its own SimConnect connection to the
// stand-in's SDK areas, its events reaching the aircraft, what the aircraft
// publishes reaching the crew app, and the options file it switches on.
#include "StandInFixture.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace tarvo::e2e {
namespace {

// The stand-in's trace line of a call on the 737's connection, up to its arguments.
std::string CallStart(const std::string& function) {
    return R"("conn":"ZUL_To_NGX","dir":"call","fn":")" + function + R"(","args":[)";
}
std::string Call(const std::string& function, const std::string& args) {
    return CallStart(function) + args + "]";
}
// An event the 737's connection transmitted, as the stand-in saw the call and the aircraft the event.
std::string Transmitted(long long event, long long data) {
    return Call("TransmitClientEvent", "0," + std::to_string(event) + "," + std::to_string(data) + ",1,16");
}
std::string Heard(long long event, long long data) {
    return R"({"conn":"ZUL_To_NGX","dir":"event","fn":"#)" + std::to_string(event) + R"(","args":[)" +
           std::to_string(data) + "]}";
}
std::string Notified(int index, long long value) {
    return R"("msg":39197,"wParam":)" + std::to_string(index) + R"(,"lParam":)" + std::to_string(value) + "}";
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

std::string RoamingOptions() {
    return RoamingFolder() + "\\Microsoft Flight Simulator\\Packages\\pmdg-aircraft-737\\work\\737_Options.ini";
}
std::string LocalOptions() {
    return LocalFolder() +
           "\\Packages\\Microsoft.FlightSimulator_8wekyb3d8bbwe\\LocalState\\Packages\\pmdg-aircraft-737\\work\\"
           "737_Options.ini";
}

class Pmdg737Test : public StandInFixture {
protected:
    Pmdg737Test() : StandInFixture("pmdg737") {}

    void SetUp() override {
        RemoveOptionsFiles();
        StandInFixture::SetUp();
        for (const char* command : {"sdk area PMDG_NG3_Data 912", "sdk area PMDG_NG3_Control 8"}) {
            ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
        }
    }

    void TearDown() override {
        SimControl("quit");
        RemoveOptionsFiles();
    }

    static void RemoveOptionsFiles() {
        ::DeleteFileA(RoamingOptions().c_str());
        ::DeleteFileA(LocalOptions().c_str());
    }

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

    // Snapshots pump the 737's connection: polls until the crew app heard of fragment.
    bool PollUntil(const std::string& fragment) {
        for (int i = 0; i < 50; ++i) {
            CrewControl("query 6 0");
            if (WaitForLine(crewTrace, fragment, 100)) return true;
        }
        return false;
    }
};

TEST_F(Pmdg737Test, TheAircraftsLinkCarriesCommandsAndItsData) {
    ASSERT_NO_FATAL_FAILURE(StartAndAnnounce());
    ASSERT_EQ(CrewControl("send 39189 17 0"), std::optional<std::string>("ok 0"));
    EXPECT_EQ(MissingInOrder(ReadLines(simTrace), {CallStart("Open") + R"("ZUL_To_NGX",0,0,)",
                                                   Call("MapClientDataNameToID", R"("PMDG_NG3_Data",1313289009)"),
                                                   Call("AddToClientDataDefinition", "1313289010,0,912,0,0"),
                                                   Call("RequestClientData", "1313289009,0,1313289010,3,1,0,0,0"),
                                                   Call("MapClientDataNameToID", R"("PMDG_NG3_Control",1313289011)"),
                                                   Call("AddToClientDataDefinition", "1313289012,0,8,0,0"),
                                                   Call("RequestClientData", "1313289011,1,1313289012,3,1,0,0,0"),
                                                   Call("MapClientEventToSimEvent", R"(69633,"#69633")"),
                                                   Call("MapClientEventToSimEvent", R"(70166,"#70166")")}),
              std::nullopt);
    const auto lines = ReadLines(simTrace);
    const auto open = std::find_if(lines.begin(), lines.end(),
                                   [](const std::string& l) { return l.find(CallStart("Open")) != std::string::npos; });
    ASSERT_NE(open, lines.end());
    EXPECT_NE(open->find(",0]}"), std::string::npos) << "configuration 0: " << *open;

    // The captain's first key: no first officer's CDU yet.
    EXPECT_EQ(CrewControl("post 39374 69537 2"), std::optional<std::string>("ok 1"));
    ASSERT_TRUE(WaitForLine(simTrace, Heard(70166, 0x00020000), 5000));
    EXPECT_EQ(MissingInOrder(ReadLines(simTrace), {Transmitted(70166, 0x20000000), Heard(70166, 0x20000000),
                                                   Transmitted(70166, 0x00020000), Heard(70166, 0x00020000)}),
              std::nullopt);

    // The aircraft publishes: the first officer's CDU is powered, the flaps and V2 set.
    ASSERT_EQ(SimControl("sdk set PMDG_NG3_Data 194 u8 1 620 u8 5 630 u16 300"), std::optional<std::string>("ok"));
    ASSERT_TRUE(PollUntil(Notified(5, 300)));
    EXPECT_EQ(MissingInOrder(ReadLines(crewTrace), {Notified(0, 5), Notified(5, 300)}), std::nullopt);
    EXPECT_EQ(CrewControl("post 39374 69537 2"), std::optional<std::string>("ok 1"));
    EXPECT_TRUE(WaitForLine(simTrace, Heard(70238, 0x00020000), 5000)) << "the first officer's key";

    EXPECT_EQ(Answer(1313), ValueText(5.0));
    EXPECT_EQ(CrewControl("query 24 0"), std::optional<std::string>("ok 1"));
    const auto takeoff = LastCopyDataWords(615);
    ASSERT_EQ(takeoff.size(), 16u);
    EXPECT_EQ(takeoff[4], 300);
    EXPECT_EQ(takeoff[5], 5);

    // A shared command goes out on the main session, not to the aircraft.
    const auto heardBefore = SimControl("sdk events");
    EXPECT_EQ(CrewControl("post 39374 65595 0"), std::optional<std::string>("ok 1"));
    EXPECT_TRUE(
        WaitForLine(simTrace, R"("conn":"ZULtoMSFS","dir":"call","fn":"TransmitClientEvent","args":[0,239,0,)", 5000))
        << "FLAPS_UP";
    EXPECT_EQ(SimControl("sdk events"), heardBefore);
}

TEST_F(Pmdg737Test, AnOptionsFileWithBroadcastingOffIsSwitchedOnAndNothingConnects) {
    ASSERT_TRUE(WriteTextFile(RoamingOptions(), "[SDK]\r\nEnableDataBroadcast=0\r\n"));
    ASSERT_NO_FATAL_FAILURE(StartAndAnnounce());
    // Posted: the message box holds the server until it is answered.
    ASSERT_EQ(CrewControl("post 39189 17 0"), std::optional<std::string>("ok 1"));
    const auto box = WaitForMessageBox("Aircraft reload required", 15000);
    ASSERT_TRUE(box) << "no message box";
    EXPECT_EQ(box->text,
              "ZUL has just enabled data broadcasting for the PMDG aircraft\nin order to get data from it.\n\n"
              "Please shutdown ZUL reload the aircraft\nthen re-start ZUL.\n\nThank you");
    EXPECT_TRUE(PressOk(box->window));
    const auto options = ReadWholeFile(RoamingOptions());
    ASSERT_TRUE(options);
    EXPECT_NE(options->find("EnableDataBroadcast=1"), std::string::npos) << *options;
    EXPECT_EQ(options->find("EnableDataBroadcast=0"), std::string::npos) << *options;
    EXPECT_EQ(CrewControl("query 6 0"), std::optional<std::string>("ok 1")) << "the server goes on";
    for (const std::string& line : ReadLines(simTrace)) {
        EXPECT_EQ(line.find("ZUL_To_NGX"), std::string::npos) << line;
    }
}

class Pmdg737DiscoveryTest : public Pmdg737Test {};

// Slow by nature: the aircraft is ready only after the module wait of its discovery.
TEST_F(Pmdg737DiscoveryTest, TheVariantComesFromTheAircraftsVariables) {
    for (const char* command : {"wasm install", "wasm profile pmdg737", "wasm filler 200", "wasm load"}) {
        ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
    }
    ASSERT_NO_FATAL_FAILURE(StartAndAnnounce());
    ASSERT_EQ(CrewControl("send 39189 17 0"), std::optional<std::string>("ok 0"));
    EXPECT_EQ(Answer(1752), ValueText(8.0)) << "not yet discovered";
    ASSERT_TRUE(WaitForLine(crewTrace, "\"msg\":39255,", 60000)) << "the 737 is ready";
    EXPECT_EQ(Answer(1752), ValueText(5.0)) << "a -800";
}

}  // namespace
}  // namespace tarvo::e2e
