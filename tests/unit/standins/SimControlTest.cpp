#include "standin-sim/Control.h"

#include <gtest/gtest.h>

namespace tarvo::standin {
namespace {

TEST(SimControl, CommandsActOnTheWorldAndBadOnesSayWhy) {
    simworld::SimWorld world;
    int quits = 0;
    const auto run = [&](const std::string& line) { return RunCommand(world, line, [&] { ++quits; }); };

    EXPECT_EQ(run(R"(set "INDICATED ALTITUDE" feet 5000)"), "ok");
    EXPECT_EQ(run(R"(get "INDICATED ALTITUDE" feet)"), "ok 5000");
    EXPECT_EQ(run(R"(string TITLE "Tarvo Test Jet")"), "ok");
    EXPECT_EQ(run("getstring TITLE"), "ok Tarvo Test Jet");
    EXPECT_EQ(run("event Sim 1"), "ok");
    EXPECT_EQ(run("frame 30 1"), "ok");
    EXPECT_EQ(run("key SPOILERS_SET 8192"), "ok");
    EXPECT_EQ(run("ping"), "ok");
    EXPECT_EQ(run("quit"), "ok");
    EXPECT_EQ(quits, 1);

    // Each refusal starts with "error" and names what was wrong.
    for (const char* bad : {"", "fly", "set ALT feet", "set ALT feet high", "event Sim yes", "event Sim 99999999999",
                            "get \"NO SUCH VARIABLE\" feet", "quit now"}) {
        const std::string reply = run(bad);
        EXPECT_TRUE(reply.starts_with("error ")) << bad << " -> " << reply;
    }
}

}  // namespace
}  // namespace tarvo::standin
