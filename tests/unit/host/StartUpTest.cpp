#include "host/StartUp.h"

#include "fakes/FakeServer.h"

#include <gtest/gtest.h>

namespace tarvo::host {
namespace {

TEST(StartUp, EmptyCommandLineShowsStandaloneNoticeAndExitsZero) {
    fakes::FakeServer fake;
    EXPECT_EQ(RunServer(fake.server, ""), 0);
    ASSERT_EQ(fake.desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.desktop.messageBoxes[0],
              (fakes::MessageBoxShown{0, "Cannot run this app as standalone", "Tarvo81_Ldr", 0x40}));
}

}  // namespace
}  // namespace tarvo::host
