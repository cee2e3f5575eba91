// The Maddog against the stand-in module: selected, discovered, and then its
// mouse events, flap notches, single values and snapshot words.
#include "StandInFixture.h"

#include <algorithm>

namespace tarvo::e2e {
namespace {

constexpr const char* kNotchOut = "8192 4 + (>L:pedestal_event,number)";

// How often text appears in the stand-in's list of calculator code received.
long CodeCount(const std::string& text) {
    const std::string code = SimControl("wasm code").value_or("");
    long count = 0;
    for (std::size_t at = code.find(text); at != std::string::npos; at = code.find(text, at + 1)) ++count;
    return count;
}

class MaddogTest : public StandInFixture {
protected:
    MaddogTest() : StandInFixture("maddog") {}

    void SetUp() override {
        StandInFixture::SetUp();
        for (const char* command :
             {"wasm install", "wasm profile maddog", "wasm filler 1500", "wasm load", "wasm set md_ipc_ap_spd 250",
              "wasm set md_ipc_ap_hdg 90", "wasm set md_ipc_ap_alt 11000", "wasm set ped_flap_lever1 40",
              "wasm set fgcp_vertspd_push1 1", "wasm set CM1_fd_switch1 1"}) {
            ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
        }
        ASSERT_NO_FATAL_FAILURE(StartServer());
        ASSERT_EQ(CrewControl("announce"), std::optional<std::string>("ok 1"));
    }

    void TearDown() override { SimControl("quit"); }

    std::vector<long long> Snapshot() {
        if (CrewControl("query 6 0") != std::optional<std::string>("ok 1")) return {};
        return LastCopyDataWords(611);
    }
};

// Slow by nature: the aircraft is ready only after the module wait of its discovery.
TEST_F(MaddogTest, DiscoveredThenOperatedThroughItsPanelVariables) {
    ASSERT_EQ(CrewControl("send 39189 45 0"), std::optional<std::string>("ok 0"));
    ASSERT_TRUE(WaitForLine(crewTrace, "\"msg\":39255,", 60000)) << "the Maddog is ready";
    EXPECT_EQ(MissingInOrder(ReadLines(LogPath()), {"Looking for Maddog Specific lvars", "Retrieved all Maddog Lvars"}),
              std::nullopt);

    // A mouse event: the panel variable holds flag plus index.
    EXPECT_EQ(CrewControl("post 39374 66239 0"), std::optional<std::string>("ok 1"));
    std::optional<std::string> lights;
    for (int i = 0; i < 50 && (lights = SimControl("wasm get ext_lights_event")) != "ok 536870918"; ++i) ::Sleep(100);
    EXPECT_EQ(lights, std::optional<std::string>("ok 536870918"));
    EXPECT_EQ(CodeCount("\"536870912 6 + (>L:ext_lights_event,number)\""), 1);

    // The autopilot targets, the flap lever and the modes from the variables.
    std::vector<long long> words;
    for (int i = 0; i < 50 && ((words = Snapshot()).size() != 45 || words[16] != 250); ++i) ::Sleep(100);
    ASSERT_EQ(words.size(), 45u);
    EXPECT_EQ(std::vector<long long>(words.begin() + 16, words.begin() + 20),
              (std::vector<long long>{250, 90, 11000, 6553}));
    EXPECT_EQ(words[28], 0x2 | 0x20) << "vertical speed mode, flight director 1";

    // A single value: no-smoking signs at 0 answer 1.0.
    const auto reply = CrewControl("query 1 988");
    ASSERT_TRUE(reply && reply->rfind("ok ", 0) == 0);
    EXPECT_EQ(CrewControl("atomtext " + reply->substr(3)), std::optional<std::string>("ok 00000000000000000000F03F"));

    // Flaps 3 from a lever at 40: the polls write a notch out every 2 s.
    EXPECT_EQ(CrewControl("post 39374 65698 3"), std::optional<std::string>("ok 1"));
    const DWORD start = ::GetTickCount();
    while (CodeCount(kNotchOut) < 2 && ::GetTickCount() - start < 10000) {
        Snapshot();
        ::Sleep(300);
    }
    EXPECT_GE(CodeCount(kNotchOut), 2);
}

}  // namespace
}  // namespace tarvo::e2e
