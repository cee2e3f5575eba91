#include "host/WorkerThreads.h"

#include "fakes/FakeServer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace tarvo::host {
namespace {

struct WorkerThreadsTest : ::testing::Test {
    WorkerThreadsTest() {
        fake.files.MakeFolder(fakes::kFakeCrewFolder);
        fake.clock.SetAutoAdvance(true);
    }

    std::vector<std::string> Log() const {
        std::vector<std::string> lines;
        for (const auto& entry : fake.journal.EntriesStartingWith("Files.AppendLine "))
            lines.push_back(entry.substr(17));
        return lines;
    }

    fakes::FakeServer fake;
};

TEST_F(WorkerThreadsTest, AThreadCountsUntilItsBodyHasReturned) {
    platform::Threads& threads = fake.server.ports.threads;
    ASSERT_TRUE(threads.Start([] {}, platform::ThreadPriority::Normal));
    EXPECT_EQ(fake.server.workers.Running(), 1) << "counted before it runs";
    fake.threads.RunNextThread();
    EXPECT_EQ(fake.server.workers.Running(), 0);

    fake.threads.FailNextThread();
    EXPECT_FALSE(threads.Start([] {}, platform::ThreadPriority::Normal));
    EXPECT_EQ(fake.server.workers.Running(), 0) << "a thread that was never made is not waited for";
}

// Whatever a thread body or a timer tick throws ends it with a line in the log,
// never silently and never out of the entry point.
TEST_F(WorkerThreadsTest, AnExceptionThatEndsABodyIsLogged) {
    const struct {
        const char* what;
        std::function<void()> body;
        std::string line;
    } cases[] = {
        {"standard", [] { throw std::runtime_error("no more handles"); },
         "Unexpected failure in a worker thread: no more handles"},
        {"other", [] { throw 42; }, "Unexpected failure in a worker thread: an unknown exception"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fake.journal.Clear();
        fake.server.ports.threads.Start(c.body, platform::ThreadPriority::Normal);
        EXPECT_NO_THROW(fake.threads.RunNextThread());
        EXPECT_EQ(fake.server.workers.Running(), 0);
        EXPECT_EQ(Log().back(), c.line);
    }

    const TimerId timer =
        fake.server.ports.threads.StartTimer(0, 1000, [] { throw std::runtime_error("request refused"); });
    EXPECT_NO_THROW(fake.threads.FireTimer(timer));
    EXPECT_EQ(Log().back(), "Unexpected failure in a timer: request refused");
}

TEST_F(WorkerThreadsTest, APauseEndsAtOnceWhenTheServerStops) {
    Server& server = fake.server;
    EXPECT_TRUE(StoppablePause(server, 35000)) << "no stop event yet: a plain pause";
    EXPECT_EQ(fake.clock.SleptMilliseconds(), 35000u);

    server.host.stopEvent = fake.threads.NewEvent(true, false);
    EXPECT_TRUE(StoppablePause(server, 5000));
    server.host.running = false;
    fake.threads.SignalEvent(server.host.stopEvent);
    EXPECT_FALSE(StoppablePause(server, 35000));
    EXPECT_FALSE(StoppablePause(server, 35000));
    EXPECT_EQ(fake.clock.SleptMilliseconds(), 35000u + 5000u) << "the stopped pauses took no time";
}

}  // namespace
}  // namespace tarvo::host
