// What the crew app polls for, answered by the real exe from the simulator
// stand-in's data.
#include "StandInFixture.h"

#include <cstdlib>
#include <sstream>

namespace tarvo::e2e {
namespace {

class ReportsTest : public StandInFixture {
protected:
    ReportsTest() : StandInFixture("reports") {}

    void SetUp() override {
        StandInFixture::SetUp();
        for (const char* command : {R"(set "SIM ON GROUND" Bool 0)", R"(set "AIRSPEED INDICATED" knots 120)",
                                    R"(set "INDICATED ALTITUDE" feet 5000)", R"(set "NUMBER OF ENGINES" number 2)",
                                    R"(string TITLE "Tarvo Test Jet")"}) {
            ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
        }
        ASSERT_NO_FATAL_FAILURE(StartServer());
        ASSERT_EQ(CrewControl("announce"), std::optional<std::string>("ok 1"));  // also fetches the title
        // The simulator answers the announcement with the identity strings.
        ASSERT_TRUE(
            WaitForLine(simTrace, R"("conn":"ZULtoMSFS","dir":"send","fn":"SIMOBJECT_DATA_BYTYPE","args":[6,)", 5000));
    }

    void TearDown() override { SimControl("quit"); }

    // The words of the last WM_COPYDATA of this kind the crew app received.
    std::vector<long long> LastWords(int kind) {
        std::vector<long long> words;
        const std::string marker = "\"kind\":" + std::to_string(kind) + ",";
        for (const std::string& line : ReadLines(crewTrace)) {
            if (line.find(marker) == std::string::npos) continue;
            words.clear();
            std::istringstream list(line.substr(line.find("\"words\":[") + 9));
            long long word;
            char separator;
            while (list >> word) {
                words.push_back(word);
                if (!(list >> separator) || separator != ',') break;
            }
        }
        return words;
    }

    // Asks for snapshots until one shows the simulator's altitude: the records
    // come once a second, as in the simulator. The last snapshot received.
    std::vector<long long> SnapshotOnceRecordsCame() {
        std::vector<long long> words;
        WaitUntil(
            [&] {
                EXPECT_EQ(CrewControl("query 6 0"), std::optional<std::string>("ok 1"));
                words = LastWords(611);
                return words.size() == 45 && words[4] == 5000;
            },
            5000);
        return words;
    }

    // Asks until the server has taken the identity strings; the last reply's text.
    std::string TitleOnceItCame() {
        std::string text;
        const auto atom = CrewControl(R"x(atom "(A:TITLE,string)")x");
        EXPECT_TRUE(atom && atom->rfind("ok ", 0) == 0);
        if (!atom) return text;
        WaitUntil(
            [&] {
                const auto reply = CrewControl("query 14 " + atom->substr(3));
                if (!reply || reply->rfind("ok ", 0) != 0) return false;
                text = CrewControl("atomtext " + reply->substr(3)).value_or("");
                return text.size() > 3 + 24;
            },
            5000);
        return text;
    }
};

TEST_F(ReportsTest, SnapshotCarriesTheSimulatorsState) {
    const auto words = SnapshotOnceRecordsCame();
    ASSERT_EQ(words.size(), 45u);
    EXPECT_EQ(words[0], 0) << "airborne";
    EXPECT_EQ(words[2], 120) << "indicated airspeed";
    EXPECT_EQ(words[4], 5000) << "indicated altitude";
    EXPECT_EQ(words[15], 2) << "engines";
    EXPECT_GT(words[33], 0) << "tick count";
    EXPECT_EQ(words[36], 1) << "the aircraft id before any selection";
}

TEST_F(ReportsTest, NamedQueryAnswersTheTitle) {
    EXPECT_EQ(TitleOnceItCame(), "ok 000000000000000000000000Tarvo Test Jet");
}

TEST_F(ReportsTest, TakeoffDataWithoutABridgeIsAllZero) {
    EXPECT_EQ(CrewControl("query 24 0"), std::optional<std::string>("ok 1"));
    EXPECT_EQ(LastWords(615), std::vector<long long>(16, 0));
}

TEST_F(ReportsTest, SelectingAnotherAircraftReselectsTheAdapter) {
    EXPECT_EQ(CrewControl("send 39189 80 0"), std::optional<std::string>("ok 0"));
    EXPECT_EQ(MissingInOrder(ReadLines(LogPath()),
                             {"adjusting function pointers to FSS ERJ", "finished adjusting function pointers"}),
              std::nullopt);
    EXPECT_EQ(CrewControl("query 6 0"), std::optional<std::string>("ok 1"));
    const auto words = LastWords(611);
    ASSERT_EQ(words.size(), 45u);
    EXPECT_EQ(words[36], 80);
}

}  // namespace
}  // namespace tarvo::e2e
