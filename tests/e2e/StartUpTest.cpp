// The real exe's refusals, seen from outside as a user or the crew app would.
#include "Harness.h"

#include <gtest/gtest.h>

namespace tarvo::e2e {
namespace {

const std::string kServer = BinFolder() + "\\Tarvo81_Ldr.exe";

TEST(StartUp, StandaloneStartShowsNoticeAndExitsZeroOnOk) {
    ChildProcess server = ChildProcess::Start(kServer, "");
    ASSERT_TRUE(server.IsValid()) << server.error();

    const auto box = WaitForMessageBox("Tarvo81_Ldr", 15000);
    ASSERT_TRUE(box.has_value()) << "no message box appeared";
    EXPECT_EQ(box->text, "Cannot run this app as standalone");
    EXPECT_TRUE(server.IsRunning()) << "the notice must wait for the user";

    ASSERT_TRUE(PressOk(box->window));
    EXPECT_EQ(server.WaitForExit(10000), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace tarvo::e2e
