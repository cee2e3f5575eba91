#include "host/Configuration.h"

#include "fakes/FakeFiles.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tarvo::host {
namespace {

TEST(Configuration, OptionsMapTheCrewAppSettings) {
    struct Case {
        const char* name;
        std::optional<std::string> zulIni;  // nullopt: no file
        std::int32_t catchScrollLock;
        std::int32_t fmaCallouts;
    };
    const Case cases[] = {
        {"no file", std::nullopt, 0, 0},
        {"empty file", "", 0, 1},
        {"callouts off", "[OPTIONS]\r\nNoFMAcallouts=1\r\n", 0, 0},
        {"callouts on", "[OPTIONS]\r\nNoFMAcallouts=0\r\n", 0, 1},
        {"scroll lock", "[MSFS_HARD_MUTE]\r\nCatchScrollLock=5\r\n", 1, 1},
        {"scroll lock off", "[MSFS_HARD_MUTE]\r\nCatchScrollLock=0\r\n[OPTIONS]\r\nNoFMAcallouts=7\r\n", 0, 0},
        {"not a number", "[MSFS_HARD_MUTE]\r\nCatchScrollLock=yes\r\n[OPTIONS]\r\nNoFMAcallouts=no\r\n", 0, 1},
        {"key in another section", "[OPTIONS]\r\nCatchScrollLock=1\r\n", 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::Journal journal;
        fakes::FakeFiles files(journal);
        files.MakeFolder(fakes::kFakeCrewFolder);
        if (c.zulIni) files.WriteFile(std::string(fakes::kFakeCrewFolder) + "\\zul.ini", *c.zulIni);
        EXPECT_EQ(ReadCatchScrollLockOption(files), c.catchScrollLock);
        EXPECT_EQ(ReadFmaCalloutsOption(files), c.fmaCallouts);
    }
}

TEST(Configuration, NoApplicationDataFolderReadsZero) {
    fakes::Journal journal;
    fakes::FakeFiles files(journal);
    files.WriteFile(std::string(fakes::kFakeCrewFolder) + "\\zul.ini", "[OPTIONS]\r\nNoFMAcallouts=0\r\n");
    files.appDataFolder.reset();
    EXPECT_EQ(ReadCatchScrollLockOption(files), 0);
    EXPECT_EQ(ReadFmaCalloutsOption(files), 0);
}

}  // namespace
}  // namespace tarvo::host
