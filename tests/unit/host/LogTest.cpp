#include "host/Log.h"

#include "fakes/FakeFiles.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>
#include <vector>

namespace tarvo::host {
namespace {

const std::string kLogPath = std::string(fakes::kFakeCrewFolder) + "\\Tarvo81_Ldr.log";

struct LogFixture : ::testing::Test {
    fakes::Journal journal;
    fakes::FakeFiles files{journal};
};

TEST_F(LogFixture, FirstLineOfARunReplacesThePreviousLog) {
    files.WriteFile(kLogPath, "old run\r\n");
    Log log(files);
    log.Write("Tarvo81_Ldr loading");
    log.Write("100% sure: %s %d %n");  // a line is never a format
    EXPECT_EQ(files.ReadFile(kLogPath), "Logging started\r\nTarvo81_Ldr loading\r\n100% sure: %s %d %n\r\n");
}

TEST_F(LogFixture, TrailingBackslashOfTheFolderIsDropped) {
    EXPECT_EQ(CrewFolderPath("C:\\Roaming\\", "zul.ini"), "C:\\Roaming\\Zulcrest\\zul.ini");
    EXPECT_EQ(CrewFolderPath("C:\\Roaming", "zul.ini"), "C:\\Roaming\\Zulcrest\\zul.ini");
}

TEST_F(LogFixture, LinesAreDroppedUntilTheCrewFolderExistsThenTheLogStarts) {
    Log log(files);
    log.Write("lost");
    EXPECT_FALSE(files.ReadFile(kLogPath).has_value());
    files.MakeFolder(fakes::kFakeCrewFolder);
    log.Write("kept");
    EXPECT_EQ(files.ReadFile(kLogPath), "Logging started\r\nkept\r\n");
}

TEST_F(LogFixture, NoApplicationDataFolderWritesNothing) {
    files.appDataFolder.reset();
    files.MakeFolder(fakes::kFakeCrewFolder);
    Log log(files);
    log.Write("nowhere to go");
    EXPECT_FALSE(files.ReadFile(kLogPath).has_value());
}

TEST_F(LogFixture, LinesFromManyThreadsArriveWholeAndStartOnce) {
    // The file port writes a line in pieces and lets overlapping callers
    // interleave them, so whole lines come only from the log's own ordering.
    files.MakeFolder(fakes::kFakeCrewFolder);
    Log log(files);
    std::multiset<std::string> written;
    for (int t = 0; t < 4; ++t) {
        for (int i = 0; i < 50; ++i) written.insert("thread " + std::to_string(t) + " line " + std::to_string(i));
    }
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([&log, t] {
            for (int i = 0; i < 50; ++i) log.Write("thread " + std::to_string(t) + " line " + std::to_string(i));
        });
    }
    for (auto& writer : writers) writer.join();

    const std::string text = *files.ReadFile(kLogPath);
    ASSERT_TRUE(text.starts_with("Logging started\r\n"));
    std::multiset<std::string> arrived;
    for (std::size_t at = std::string("Logging started\r\n").size(); at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        ASSERT_NE(end, std::string::npos) << "the last line has no break";
        arrived.insert(text.substr(at, end - at));
        at = end + 2;
    }
    EXPECT_EQ(arrived, written);
}

}  // namespace
}  // namespace tarvo::host
