// Selecting an add-on aircraft: the real exe brings up its second connection
// to the stand-in's WASM module, reads its lists and, after the module wait,
// tells the crew app the aircraft is ready.
#include "StandInFixture.h"

namespace tarvo::e2e {
namespace {

class DiscoveryTest : public StandInFixture {
protected:
    DiscoveryTest() : StandInFixture("discovery") {}

    void SetUp() override {
        StandInFixture::SetUp();
        for (const char* command : {"wasm install", "wasm lvars 60 LVAR_", "wasm hvar H:TARVO_PUSH", "wasm load"}) {
            ASSERT_EQ(SimControl(command), std::optional<std::string>("ok")) << command;
        }
        ASSERT_NO_FATAL_FAILURE(StartServer());
        ASSERT_EQ(CrewControl("announce"), std::optional<std::string>("ok 1"));
    }

    void TearDown() override { SimControl("quit"); }
};

// Slow by nature: the server gives the module 35 s, then 3 s more.
TEST_F(DiscoveryTest, AnAddOnAircraftIsReadyAfterItsLvarsAreRead) {
    const DWORD selected = ::GetTickCount();
    ASSERT_EQ(CrewControl("send 39189 10 0"), std::optional<std::string>("ok 0"));
    ASSERT_TRUE(WaitForLine(crewTrace, "\"msg\":39255,", 60000)) << "no 39255 reached the crew app";
    EXPECT_GE(::GetTickCount() - selected, 37000u) << "35 s for the module, 3 s before the routines";

    const auto log = ReadLines(LogPath());
    EXPECT_EQ(MissingInOrder(log, {"checking for Fenix A320", "Connected to MSFS",
                                   "SIMCONNECT_RECV_ID_CLIENT_DATA received: EVENT_CONFIG_RECEIVED",
                                   "Config data updates requested.", "Lvars received"}),
              std::nullopt);
    // The timer's thread writes this line after its request, which the worker
    // may already have answered and logged: present, but in no fixed place.
    EXPECT_EQ(MissingInOrder(log, {"Connected to MSFS", "Config data requested..."}), std::nullopt);
    EXPECT_TRUE(WaitForLine(simTrace, R"("conn":"FSUIPC-WASM-IF","dir":"send","fn":"CLIENT_DATA")", 1000))
        << "the module's areas reached the bridge's own connection";
    EXPECT_EQ(SimControl("wasm reloads"), std::optional<std::string>("ok 1")) << "a reload as the bridge came up";
}

}  // namespace
}  // namespace tarvo::e2e
