// The ATC menu read from the simulator stand-in's own memory by the real exe,
// and keys typed for the crew app reaching the simulator's window.
#include "StandInFixture.h"

namespace tarvo::e2e {
namespace {

class AtcMenuTest : public StandInFixture {
protected:
    AtcMenuTest() : StandInFixture("atc") {}

    void SetUp() override {
        StandInFixture::SetUp();
        // In place before the server starts: it searches once it has its session.
        ASSERT_EQ(SimControl(R"(atc "1 - Request IFR Clearance" "2 - Contact Ground on 121.900" "3 - Say Again")"),
                  std::optional<std::string>("ok"));
        ASSERT_NO_FATAL_FAILURE(StartServer());
        ASSERT_EQ(CrewControl("announce"), std::optional<std::string>("ok 1"));
    }

    void TearDown() override { SimControl("quit"); }

    int CountIn(const std::string& path, const std::string& fragment) {
        int count = 0;
        for (const std::string& line : ReadLines(path)) count += line.find(fragment) != std::string::npos ? 1 : 0;
        return count;
    }
};

TEST_F(AtcMenuTest, MenuIsFoundReadChosenFromAndSent) {
    // The reader chooses "Ground on" (the second entry: ATC_MENU_2, event 303), then reads the menu.
    EXPECT_TRUE(WaitForLine(simTrace, R"("fn":"TransmitClientEvent","args":[0,303,1,1,16])", 15000));
    ASSERT_TRUE(WaitForLine(crewTrace, R"("msg":39372,"wParam":0,"lParam":1)", 10000));

    EXPECT_EQ(CrewControl("query 11 0"), std::optional<std::string>("ok 1"));
    EXPECT_TRUE(WaitForLine(
        crewTrace, R"("kind":612,"size":70,"text":"1 - Request IFR Clearance\u000a2 - Contact Ground on 121.900\u000a3 - Say Again\u000a")",
        2000));

    EXPECT_EQ(CrewControl("send 39373 64708 0"), std::optional<std::string>("ok 1")) << "Request IFR Clearance";
    EXPECT_EQ(CrewControl("send 39373 64709 0"), std::optional<std::string>("ok 0")) << "Cancel IFR: not offered";

    // The simulator changes its menu; the crew app's next read notices.
    ASSERT_EQ(SimControl(R"(atc "1 - Cancel IFR")"), std::optional<std::string>("ok"));
    const int notices = CountIn(crewTrace, R"("msg":39372,)");
    EXPECT_EQ(CrewControl("send 39191 0 1"), std::optional<std::string>("ok 0"));
    EXPECT_TRUE(WaitUntil([&] { return CountIn(crewTrace, R"("msg":39372,)") > notices; }, 5000));
    EXPECT_EQ(CountIn(crewTrace, R"("msg":39372,)"), notices + 1);
    EXPECT_EQ(CrewControl("send 39373 64709 0"), std::optional<std::string>("ok 1"));
}

TEST_F(AtcMenuTest, KeysForTheCrewAppReachTheSimulatorsWindow) {
    EXPECT_EQ(CrewControl("send 39190 3 65"), std::optional<std::string>("ok 1"));  // Control+Shift+A
    // The last key to come up is Control.
    EXPECT_TRUE(WaitForLine(simTrace, R"({"dir":"key","event":"up","vk":17})", 5000));
    std::vector<std::string> keys;
    for (const std::string& line : ReadLines(simTrace)) {
        if (line.find(R"("dir":"key")") != std::string::npos) keys.push_back(line);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{
                        R"({"dir":"key","event":"down","vk":17})", R"({"dir":"key","event":"down","vk":16})",
                        R"({"dir":"key","event":"down","vk":65})", R"({"dir":"key","event":"up","vk":65})",
                        R"({"dir":"key","event":"up","vk":16})", R"({"dir":"key","event":"up","vk":17})"}));
}

}  // namespace
}  // namespace tarvo::e2e
