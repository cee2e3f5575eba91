// The FlyByWire A32NX and, after it, the simulator's A320neo, both aircraft 58
// without a Fenix: the real exe finds each one's variables in the stand-in
// module and drives the A32NX through its custom events and variables.
#include "StandInFixture.h"

#include <algorithm>

namespace tarvo::e2e {
namespace {

// The stand-in's trace line of a key event the server sent: object, event id, data, priority, flags.
std::string Sent(int eventId, long long data) {
    return R"("fn":"TransmitClientEvent","args":[0,)" + std::to_string(eventId) + "," + std::to_string(data) + ",1,16]";
}

bool WaitForReply(const std::string& command, const std::string& expected, DWORD timeoutMilliseconds) {
    const DWORD start = ::GetTickCount();
    do {
        if (SimControl(command) == std::optional<std::string>(expected)) return true;
        ::Sleep(50);
    } while (::GetTickCount() - start < timeoutMilliseconds);
    return false;
}

std::size_t LinesWith(const std::string& path, const std::string& fragment) {
    const auto lines = ReadLines(path);
    return static_cast<std::size_t>(std::count_if(
        lines.begin(), lines.end(), [&](const std::string& line) { return line.find(fragment) != std::string::npos; }));
}

// Waits until the file holds count lines with fragment; the tick count then, or 0.
DWORD WaitForLines(const std::string& path, const std::string& fragment, std::size_t count, DWORD timeoutMilliseconds) {
    const DWORD start = ::GetTickCount();
    do {
        if (LinesWith(path, fragment) >= count) return ::GetTickCount();
        ::Sleep(50);
    } while (::GetTickCount() - start < timeoutMilliseconds);
    return 0;
}

class A32nxTest : public StandInFixture {
protected:
    A32nxTest() : StandInFixture("a32nx") {}

    void SetUp() override {
        StandInFixture::SetUp();
        for (const char* command : {"wasm install", "wasm profile a32nx", "wasm load"}) {
            ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
        }
        ASSERT_NO_FATAL_FAILURE(StartServer());
        ASSERT_EQ(CrewControl("announce"), std::optional<std::string>("ok 1"));
    }

    void TearDown() override { SimControl("quit"); }
};

// Slow by nature: each aircraft is ready only after the module wait of its discovery.
TEST_F(A32nxTest, TheA32nxAndThenTheA320neoAreFoundAndServed) {
    ASSERT_EQ(CrewControl("send 39189 58 0"), std::optional<std::string>("ok 0"));
    ASSERT_TRUE(WaitForLine(crewTrace, "\"msg\":39255,", 60000)) << "the A32NX is ready";
    EXPECT_EQ(MissingInOrder(ReadLines(LogPath()),
                             {"checking for Fenix A320", "Looking for FlybyWire Specific lvars",
                              "Retrieved all relevant FlyByWire Lvars", "Retrieved all relevant FlyByWire Hvars"}),
              std::nullopt);

    // Its custom event for the heading target, and its ECAM page by index.
    EXPECT_EQ(CrewControl("post 39374 66042 270"), std::optional<std::string>("ok 1"));
    EXPECT_TRUE(WaitForLine(simTrace, Sent(393, 270), 5000)) << "A32NX.FCU_HDG_SET";
    EXPECT_EQ(CrewControl("post 39374 68241 1"), std::optional<std::string>("ok 1"));
    EXPECT_TRUE(WaitForReply("wasm get A32NX_ECAM_SD_CURRENT_PAGE_INDEX", "ok 0", 5000));

    // Take-off data from its variables, once the bridge has their values.
    for (const char* command :
         {"wasm set AIRLINER_V1_SPEED 141", "wasm set AIRLINER_VR_SPEED 146", "wasm set AIRLINER_V2_SPEED 150.5",
          "wasm set AIRLINER_TRANS_ALT 5000", "wasm set AIRLINER_TO_FLEX_TEMP 45"}) {
        ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
    }
    const std::vector<long long> takeoff = {141, 146, 150, 0, 5000, 0, 0, 0, 0, 0, 0, 0, 45, 0, 0, 0};
    const DWORD start = ::GetTickCount();
    while (LastCopyDataWords(615) != takeoff && ::GetTickCount() - start < 5000) {
        CrewControl("query 24 0");
        ::Sleep(100);
    }
    EXPECT_EQ(LastCopyDataWords(615), takeoff);

    // Another aircraft, then the simulator's A320neo: its few names take all four passes.
    ASSERT_EQ(CrewControl("send 39189 1 0"), std::optional<std::string>("ok 0"));
    for (const char* command : {"wasm profile a320neo", "wasm load"}) {
        ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
    }
    ASSERT_EQ(CrewControl("send 39189 58 0"), std::optional<std::string>("ok 0"));
    const DWORD looking = WaitForLines(LogPath(), "Looking for FlybyWire Specific lvars", 2, 60000);
    ASSERT_NE(looking, 0u) << "the A320neo's discovery started";
    const DWORD found = WaitForLines(LogPath(), "Retrieved all relevant ASOBO A320 Lvars", 1, 30000);
    ASSERT_NE(found, 0u) << "the A320neo was found";
    EXPECT_GE(found - looking, 14000u) << "three more passes, 5 s apart";
    EXPECT_EQ(LinesWith(LogPath(), "Looking for more Lvars"), 3u);
    EXPECT_NE(WaitForLines(crewTrace, "\"msg\":39255,", 2, 5000), 0u) << "the A320neo is ready";
}

}  // namespace
}  // namespace tarvo::e2e
