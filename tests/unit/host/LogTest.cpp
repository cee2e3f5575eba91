#include "host/Log.h"

#include "fakes/FakeFiles.h"

#include <gtest/gtest.h>

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
    files.MakeFolder(fakes::kFakeCrewFolder);
    Log log(files);
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([&log, t] {
            for (int i = 0; i < 50; ++i) log.Write("thread " + std::to_string(t) + " line " + std::to_string(i));
        });
    }
    for (auto& writer : writers) writer.join();
    const std::string text = *files.ReadFile(kLogPath);
    EXPECT_TRUE(text.starts_with("Logging started\r\n"));
    EXPECT_EQ(text.find("Logging started", 1), std::string::npos);
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, 1u + 4 * 50);
}

}  // namespace
}  // namespace tarvo::host
