// The real exe's start-up and its refusals, seen from outside as a user or the
// crew app would see them.
#include "Harness.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvo::e2e {
namespace {

const std::string kServer = BinFolder() + "\\Tarvo81_Ldr.exe";
constexpr const char* kCaption = "Tarvo81_Ldr";

class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override { ::DeleteFileA(LogPath().c_str()); }

    // Runs the server to its end; fails the test if it shows a message box or hangs.
    std::optional<DWORD> RunSilently(const std::string& exe, const std::string& arguments) {
        ChildProcess server = ChildProcess::Start(exe, arguments);
        EXPECT_TRUE(server.IsValid()) << server.error();
        const auto code = server.WaitForExit(15000);
        EXPECT_FALSE(WaitForMessageBox(kCaption, 0).has_value()) << "unexpected message box";
        return code;
    }
};

TEST_F(StartUpTest, StandaloneStartShowsNoticeAndExitsZeroOnOk) {
    ChildProcess server = ChildProcess::Start(kServer, "");
    ASSERT_TRUE(server.IsValid()) << server.error();

    const auto box = WaitForMessageBox(kCaption, 15000);
    ASSERT_TRUE(box.has_value()) << "no message box appeared";
    EXPECT_EQ(box->text, "Cannot run this app as standalone");
    EXPECT_TRUE(server.IsRunning()) << "the notice must wait for the user";

    ASSERT_TRUE(PressOk(box->window));
    EXPECT_EQ(server.WaitForExit(10000), std::optional<DWORD>(0));
}

TEST_F(StartUpTest, VersionMismatchEndsCrewAppAndSplashThenTellsTheUser) {
    for (const char* token : {"2971", "2970 "}) {
        SCOPED_TRACE(std::string("command line \"") + token + "\"");
        ChildProcess crew = StartWindow("CSpeaker", "Zulcrest");
        ChildProcess splash = StartWindow("CSplash", "Splash");
        ASSERT_TRUE(crew.IsValid() && splash.IsValid()) << crew.error() << splash.error();

        ChildProcess server = ChildProcess::Start(kServer, token);
        ASSERT_TRUE(server.IsValid()) << server.error();
        const auto box = WaitForMessageBox(kCaption, 15000);
        ASSERT_TRUE(box.has_value()) << "no message box appeared";
        EXPECT_EQ(box->text, "Please install latest ZUL version. ZUL will now exit");
        EXPECT_EQ(crew.WaitForExit(5000), std::optional<DWORD>(0)) << "crew app not terminated";
        EXPECT_EQ(splash.WaitForExit(5000), std::optional<DWORD>(0)) << "splash not terminated";

        PressOk(box->window);
        EXPECT_EQ(server.WaitForExit(10000), std::optional<DWORD>(0));
    }
}

TEST_F(StartUpTest, SecondInstanceExitsSilently) {
    HANDLE held = ::CreateMutexA(nullptr, FALSE, "Tarvo81Running");
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(RunSilently(kServer, "2970"), std::optional<DWORD>(0));
    ::CloseHandle(held);
    EXPECT_FALSE(ReadWholeFile(LogPath()).has_value()) << "a refused instance must not touch the log";
}

TEST_F(StartUpTest, RenamedCopyExitsSilently) {
    const std::string copy = BinFolder() + "\\Renamed_Ldr.exe";
    ASSERT_TRUE(::CopyFileA(kServer.c_str(), copy.c_str(), FALSE));
    EXPECT_EQ(RunSilently(copy, "2970"), std::optional<DWORD>(0));
    ::DeleteFileA(copy.c_str());
    EXPECT_FALSE(ReadWholeFile(LogPath()).has_value());
}

TEST_F(StartUpTest, NoSimulatorWindowLogsAndExitsOneAfterThePause) {
    // A visible AceApp window that is not the simulator does not count.
    ChildProcess other = StartWindow("AceApp", "Sim Update");
    ASSERT_TRUE(other.IsValid()) << other.error();
    const DWORD start = ::GetTickCount();
    EXPECT_EQ(RunSilently(kServer, "2970"), std::optional<DWORD>(1));
    EXPECT_GE(::GetTickCount() - start, 1400u) << "the start-up pause is 1.5 s";
    EXPECT_EQ(ReadWholeFile(LogPath()), "Logging started\r\nTarvo81_Ldr loading\r\nMSFS not running\r\n");
}

TEST_F(StartUpTest, NoSimConnectLibraryExitsZeroWithoutEnteringTheLoop) {
    ChildProcess simulator = StartWindow("AceApp", "Microsoft Flight Simulator - 1.37.19.0");
    ASSERT_TRUE(simulator.IsValid()) << simulator.error();
    ASSERT_EQ(::GetFileAttributesA((BinFolder() + "\\SimConnect.dll").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(RunSilently(kServer, "2970"), std::optional<DWORD>(0));
    EXPECT_EQ(ReadWholeFile(LogPath()),
              "Logging started\r\n"
              "Tarvo81_Ldr loading\r\n"
              "SimConnect.dll could not be loaded\r\n"
              "Tarvo81_Ldr unloading\r\n");
}

}  // namespace
}  // namespace tarvo::e2e
