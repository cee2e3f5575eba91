// The Fenix A320 as the real exe meets it: the system and display processes
// are Fenix stand-ins, each with its hidden window and the blocks the server
// searches for in its memory; the variables come from the stand-in module.
#include "StandInFixture.h"
#include "wire/PipeIo.h"

namespace tarvo::e2e {
namespace {

// Inside the 64 MiB to 1 GiB the searches go through, and outside it.
constexpr const char* kInside = "0x30000000";
constexpr const char* kOutside = "0x50000000";

std::optional<std::string> FenixControl(const std::string& role, const std::string& command) {
    return wire::SendLine("\\\\.\\pipe\\Tarvo81_Fenix" + role, command);
}

class FenixTest : public StandInFixture {
protected:
    FenixTest() : StandInFixture("fenix") {}

    void SetUp() override {
        StandInFixture::SetUp();
        for (const char* role : {"System", "Display"}) {
            const std::string lower = role[0] == 'S' ? "system" : "display";
            ChildProcess process = ChildProcess::Start(BinFolder() + "\\tarvo_fenix_standin.exe", "--role " + lower);
            for (int i = 0; process.IsValid() && i < 400; ++i) {
                if (FenixControl(role, "ping") == std::optional<std::string>("ok")) break;
                ::Sleep(25);
            }
            ASSERT_EQ(FenixControl(role, "ping"), std::optional<std::string>("ok"))
                << "the Fenix stand-in did not start";
            (lower == "system" ? system : display) = std::move(process);
        }
    }

    void TearDown() override {
        SimControl("quit");
        FenixControl("System", "quit");
        FenixControl("Display", "quit");
        ::DeleteFileA(Configuration().c_str());
    }

    static std::string Configuration() { return CrewFolder() + "\\zul.ini"; }

    // Each command must be answered "ok", or "ok ADDRESS" for an image.
    static void Lay(const std::string& role, std::initializer_list<std::string> commands) {
        for (const std::string& command : commands) {
            const auto reply = FenixControl(role, command);
            ASSERT_TRUE(reply && reply->rfind("ok", 0) == 0) << command << ": " << reply.value_or("no reply");
        }
    }

    // Asks the crew stand-in until a record of that kind arrives with the
    // word as expected; the words last received.
    std::vector<long long> QueryUntil(const std::string& query, int kind, std::size_t word, long long expected) {
        std::vector<long long> words;
        const DWORD start = ::GetTickCount();
        do {
            CrewControl(query);
            words = LastCopyDataWords(kind);
            if (words.size() > word && words[word] == expected) break;
            ::Sleep(100);
        } while (::GetTickCount() - start < 20000);
        return words;
    }

    ChildProcess system;
    ChildProcess display;
};

// Found by its hidden window when the crew app asks for it.
TEST_F(FenixTest, TheCrewAppsSearchFindsItsWindow) {
    ASSERT_NO_FATAL_FAILURE(StartServer());
    ASSERT_EQ(CrewControl("announce"), std::optional<std::string>("ok 1"));
    EXPECT_EQ(CrewControl("send 39189 5 2"), std::optional<std::string>("ok 0"));
    EXPECT_TRUE(WaitForLine(LogPath(), "Detected Fenix window", 5000));
}

// The FCU when the A320 family is selected; the take-off data and the
// flight-mode annunciations once an engine runs on the ground.
TEST_F(FenixTest, FcuTakeoffDataAndAnnunciationsComeFromItsMemory) {
    ASSERT_TRUE(::WritePrivateProfileStringA("OPTIONS", "NoFMAcallouts", "0", Configuration().c_str()));
    ASSERT_NO_FATAL_FAILURE(
        Lay("System", {std::string("image far 65536 ") + kOutside, "fcu far 4096 111 11 9000 0",
                       "takeoff far 8192 100 110 120 3000 2 10", std::string("image data 65536 ") + kInside,
                       "fcu data 4096 250 123 12000 1500", "takeoff data 8192 140 145 150 5000 1 58.5"}));
    ASSERT_NO_FATAL_FAILURE(Lay("Display", {std::string("image fma 65536 ") + kInside,
                                            R"(fma fma 64 "MAN F-SRS F-RWY F-1   3")",  // not live
                                            R"(fma fma 4099 "SPEED    F-ALT      F-NAV      F-1   2    F-")"}));
    ASSERT_EQ(SimControl("wasm install"), std::optional<std::string>("ok"));  // the bridge comes up first
    ASSERT_NO_FATAL_FAILURE(StartServer());
    ASSERT_EQ(CrewControl("announce"), std::optional<std::string>("ok 1"));

    ASSERT_EQ(CrewControl("send 39189 58 0"), std::optional<std::string>("ok 0"));
    ASSERT_TRUE(WaitForLine(LogPath(), "Fenix A320 FCU data available", 20000));
    EXPECT_EQ(MissingInOrder(ReadLines(LogPath()),
                             {"checking for Fenix A320", "Fenix A320 detected",
                              "SPD = 250 , HDG = 123, ALT = 12000 , VS = 1500", "Fenix A320 FCU data available"}),
              std::nullopt);
    const std::vector<long long> snapshot = QueryUntil("query 6 0", 611, 36, 58);
    ASSERT_EQ(snapshot.size(), 45u);
    EXPECT_EQ(std::vector<long long>(snapshot.begin() + 16, snapshot.begin() + 19),
              (std::vector<long long>{250, 123, 12000}));

    // On the ground with engine 1 burning: the first ask starts the search.
    for (const char* command : {R"(set "SIM ON GROUND" Bool 1)", R"(set "GENERAL ENG COMBUSTION:1" Bool 1)"}) {
        ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
    }
    QueryUntil("query 6 0", 611, 0, 1);
    const std::vector<long long> takeoff = QueryUntil("query 24 0", 615, 1, 145);
    EXPECT_EQ(takeoff, (std::vector<long long>{140, 145, 150, 0, 5000, 1, 0, 0, 0, 0, 0, 0, 58, 0, 0, 0}));
    EXPECT_EQ(MissingInOrder(ReadLines(LogPath()), {"Looking for data 1", "Fenix A320 data 1 available"}),
              std::nullopt);

    // The snapshot then carries the annunciations' modes.
    const std::vector<long long> modes = QueryUntil("query 6 0", 611, 38, 7);
    ASSERT_EQ(modes.size(), 45u);
    EXPECT_EQ(modes[38], 7) << "SPEED";
    EXPECT_EQ(modes[40], 20) << "NAV";
    EXPECT_EQ(modes[42], 10) << "ALT";
    EXPECT_EQ(MissingInOrder(ReadLines(LogPath()), {"Looking for data 2", "Fenix A320 data 2 available"}),
              std::nullopt);
}

// Slow by nature: the variables are discovered after the module wait.
TEST_F(FenixTest, DiscoveryFollowsUpAndAnnouncesTheAircraft) {
    for (const char* command : {"wasm install", "wasm profile fenix", "wasm filler 2100", "wasm load"}) {
        ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
    }
    ASSERT_NO_FATAL_FAILURE(StartServer());
    ASSERT_EQ(CrewControl("announce"), std::optional<std::string>("ok 1"));
    ASSERT_EQ(CrewControl("send 39189 58 0"), std::optional<std::string>("ok 0"));
    ASSERT_TRUE(WaitForLine(crewTrace, "\"msg\":39255,", 70000)) << "no 39255 reached the crew app";
    EXPECT_EQ(MissingInOrder(ReadLines(LogPath()), {"Fenix A320 detected", "Looking for Fenix A320 Specific lvars",
                                                    "Retrieved all relevant Fenix Lvars"}),
              std::nullopt);
    EXPECT_EQ(
        SimControl("wasm writes"),
        std::optional<std::string>("ok S_ARMREST_LEFT_FO=1 S_CDU2_KEY_LSK1L=1 S_CDU2_KEY_LSK1L=0 S_ARMREST_LEFT_FO=0"));
}

}  // namespace
}  // namespace tarvo::e2e
