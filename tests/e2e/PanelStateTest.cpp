// The generic adapter's single values and panel state, answered by the real exe
// from the simulator stand-in's records.
#include "StandInFixture.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvo::e2e {
namespace {

// The reply text of a value query: the tag, then the value's bytes in order.
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

class PanelStateTest : public StandInFixture {
protected:
    PanelStateTest() : StandInFixture("panel") {}

    void SetUp() override {
        StandInFixture::SetUp();
        // Set before the server asks for its records, so the first ones carry
        // them and no test waits a period (the weather comes every 11 s).
        const char* state[] = {
            R"(set "SIM ON GROUND" Bool 0)",
            R"(set "NUMBER OF ENGINES" number 2)",
            R"(set "LIGHT LANDING:1" Bool 1)",
            R"(set "LIGHT LANDING:2" Bool 1)",
            R"(set "LIGHT LANDING:3" Bool 1)",
            R"(set "LIGHT CABIN" Bool 1)",
            R"(set "COM ACTIVE FREQUENCY:1" MHz 118.1)",
            R"(set "SEA LEVEL PRESSURE" millibars 1013)",
            // Autopilot 1 and flight director 1 with heading lock, A/T armed with speed hold.
            R"(set "AUTOPILOT MASTER:1" Bool 1)",
            R"(set "AUTOPILOT FLIGHT DIRECTOR ACTIVE:1" Bool 1)",
            R"(set "AUTOPILOT HEADING LOCK" Bool 1)",
            R"(set "AUTOPILOT THROTTLE ARM" Bool 1)",
            R"(set "AUTOPILOT AIRSPEED HOLD" Bool 1)",
            R"(set "AUTOPILOT ALTITUDE LOCK VAR:1" feet -1000)",
            // Engine 1 at take-off power, engine 2 failed.
            R"(set "GENERAL ENG COMBUSTION:1" Bool 1)",
            R"(set "GENERAL ENG THROTTLE LEVER POSITION:1" percent 100)",
            R"(set "GENERAL ENG FAILED:2" Bool 1)",
        };
        for (const char* command : state) ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
        ASSERT_NO_FATAL_FAILURE(StartServer());
        ASSERT_EQ(CrewControl("announce"), std::optional<std::string>("ok 1"));
    }

    void TearDown() override { SimControl("quit"); }

    // The reply text of query 1 for code.
    std::string Answer(std::uint32_t code) {
        const auto reply = CrewControl("query 1 " + std::to_string(code));
        if (!reply || reply->rfind("ok ", 0) != 0) return "(no reply)";
        const auto text = CrewControl("atomtext " + reply->substr(3));
        return text && text->rfind("ok ", 0) == 0 ? text->substr(3) : "(no atom)";
    }

    // Asks until the answer is the expected one: the server's first records
    // may still be on their way. The last answer seen.
    std::string AnswerOnceItIs(std::uint32_t code, const std::string& expected) {
        std::string answer;
        for (int i = 0; i < 100 && (answer = Answer(code)) != expected; ++i) ::Sleep(100);
        return answer;
    }

    // Snapshots until one satisfies ready; the last one seen.
    std::vector<long long> SnapshotOnce(const std::function<bool(const std::vector<long long>&)>& ready) {
        std::vector<long long> words;
        for (int i = 0; i < 100; ++i) {
            if (i > 0) ::Sleep(100);
            if (CrewControl("query 6 0") != std::optional<std::string>("ok 1")) continue;
            words = LastCopyDataWords(611);
            if (words.size() == 45 && ready(words)) break;
        }
        return words;
    }
};

TEST_F(PanelStateTest, SingleValuesComeFromTheRecords) {
    EXPECT_EQ(AnswerOnceItIs(14, ValueText(1.0)), ValueText(1.0)) << "landing lights 1 to 3";
    EXPECT_EQ(AnswerOnceItIs(23, "000000001018000000000000"), "000000001018000000000000") << "COM 1 118.10";
    const std::string pressure = ValueText(1013 / 0.4912 / 144.0);
    EXPECT_EQ(AnswerOnceItIs(348, pressure), pressure);
    EXPECT_EQ(Answer(1332), ValueText(0.0));
    EXPECT_EQ(AnswerOnceItIs(303, ValueText(1.0)), ValueText(1.0)) << "an unlisted code: the cabin light";

    ASSERT_EQ(SimControl("frame 30 4"), std::optional<std::string>("ok"));
    EXPECT_EQ(AnswerOnceItIs(336, ValueText(4.0)), ValueText(4.0)) << "simulation rate";
}

TEST_F(PanelStateTest, SnapshotCarriesAutopilotEnginesAndLamps) {
    constexpr long long kAutopilot = 1, kSpeed = 2, kHeading = 4, kDirector = 32, kAutothrottle = 64;
    const auto words = SnapshotOnce([](const std::vector<long long>& w) { return w[29] != 0 && w[28] != 0; });
    ASSERT_EQ(words.size(), 45u);
    EXPECT_EQ(words[28], kAutopilot | kDirector | kHeading | kAutothrottle | kSpeed);
    EXPECT_EQ(words[29], 0x1) << "engine 1 runs";
    EXPECT_EQ(words[30], 0x2) << "engine 2 failed in the air";
    EXPECT_EQ(words[31], 0x40) << "take-off power, not every engine running";
    EXPECT_EQ(words[37], 0) << "the lamp word, not the -1000 ft target";

    // Aircraft 58 with no Fenix window is an A32NX or the simulator's A320neo:
    // only its autopilot bit.
    EXPECT_EQ(CrewControl("send 39189 58 0"), std::optional<std::string>("ok 0"));
    const auto a320 = SnapshotOnce([](const std::vector<long long>& w) { return w[36] == 58; });
    ASSERT_EQ(a320.size(), 45u);
    EXPECT_EQ(a320[36], 58);
    EXPECT_EQ(a320[28], kAutopilot);
}

}  // namespace
}  // namespace tarvo::e2e
