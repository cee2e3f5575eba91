#include "link/Overlay.h"

#include "base/VirtualKeys.h"
#include "fakes/FakeServer.h"
#include "host/KeyboardWatcher.h"
#include "link/LinkWindow.h"
#include "link/Messages.h"
#include "sim/Dispatch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

namespace tarvo::link {
namespace {

struct OverlayTest : ::testing::Test {
    OverlayTest() {
        fake.desktop.SetScreen({0, 0, 1920, 1080});
        fake.server.host.simulatorWindow = simulator;
        fake.server.host.crewWindow = crew;
        fake.server.host.linkWindow = link;
        fake.desktop.SetForeground(simulator);
    }

    std::vector<fakes::PostedMessage> HideRequests() const {
        std::vector<fakes::PostedMessage> hides;
        for (const auto& post : fake.desktop.posts) {
            if (post.message == kMsgHideOverlay) hides.push_back(post);
        }
        return hides;
    }

    fakes::FakeServer fake;
    const WindowId simulator =
        fake.desktop.AddWindow({"AceApp", "Microsoft Flight Simulator", true, 1, {100, 50, 1700, 950}});
    const WindowId crew = fake.desktop.AddWindow({"CSpeaker", "Zulcrest", true, 2, {0, 0, 300, 100}});
    const WindowId link = 0x600;
};

TEST(OverlayPlacement, StripSitsInsideTheSimulatorWindow) {
    const platform::Rect screen{0, 0, 1920, 1080};
    // {simulator window, strip}
    const std::pair<platform::Rect, platform::Rect> cases[] = {
        {{100, 50, 1700, 950}, {110, 80, 1690, 100}},  // windowed: 30 below the top for the title bar
        {{0, 0, 1920, 1080}, {10, 0, 1910, 20}},       // full screen: at the very top
        {{-8, -8, 1928, 1088}, {2, 22, 1918, 42}},     // maximised is not full screen
    };
    for (const auto& [window, strip] : cases) {
        const platform::Rect placed = OverlayPlacement(window, screen);
        EXPECT_EQ(placed.left, strip.left);
        EXPECT_EQ(placed.top, strip.top);
        EXPECT_EQ(placed.right, strip.right);
        EXPECT_EQ(placed.bottom, strip.bottom);
    }
}

TEST_F(OverlayTest, NoticeShowsOnlyOverTheSimulatorOrTheCrewApp) {
    fake.desktop.SetForeground(0x999);
    ShowOverlayText(fake.server, "hidden", 3000, false);
    EXPECT_TRUE(fake.desktop.overlayTexts.empty());
    EXPECT_FALSE(fake.server.link.overlayVisible) << "the request is dropped, duration and all";

    fake.desktop.SetForeground(crew);
    ShowOverlayText(fake.server, "[ZUL] Ready to go!", 3000, false);
    EXPECT_EQ(fake.desktop.overlayTexts, std::vector<std::string>{"[ZUL] Ready to go!"});
    EXPECT_EQ(fake.desktop.overlayPlace.left, 110);
    EXPECT_EQ(fake.desktop.overlayPlace.top, 80);
    EXPECT_EQ(fake.desktop.overlayPlace.right - fake.desktop.overlayPlace.left, 1580);
    EXPECT_EQ(fake.desktop.overlayPlace.bottom - fake.desktop.overlayPlace.top, 20);
    EXPECT_EQ(fake.journal.EntriesStartingWith("Desktop.SetLayeredColourKey"),
              std::vector<std::string>{"Desktop.SetLayeredColourKey 0"});
}

TEST_F(OverlayTest, TimedNoticeHidesAtItsTimeAndANewOneRestartsTheTimer) {
    ShowOverlayText(fake.server, "first", 3000, false);
    fake.clock.Advance(2000);
    ShowOverlayText(fake.server, "second", 3000, false);  // replaces the text, restarts the timer
    fake.clock.Advance(2999);
    CheckOverlayTimeout(fake.server);
    EXPECT_TRUE(HideRequests().empty());
    EXPECT_TRUE(fake.server.link.overlayVisible);
    fake.clock.Advance(1);
    CheckOverlayTimeout(fake.server);
    EXPECT_EQ(HideRequests(), (std::vector<fakes::PostedMessage>{{link, kMsgHideOverlay, 0, 0}}));
    EXPECT_FALSE(fake.server.link.overlayVisible);
    CheckOverlayTimeout(fake.server);
    EXPECT_EQ(HideRequests().size(), 1u) << "asked once";
}

TEST_F(OverlayTest, RedrawsLeaveTheTimerAloneAndABusyLockSkipsTheWork) {
    ShowOverlayText(fake.server, "   ", 0, true);
    EXPECT_FALSE(fake.server.link.overlayVisible);
    ShowOverlayText(fake.server, "notice", 1000, false);
    const std::uint32_t hideTime = fake.server.link.overlayHideTime;
    ShowOverlayText(fake.server, "FPS : 30.0", 0, true);
    EXPECT_EQ(fake.server.link.overlayHideTime, hideTime);

    std::lock_guard<std::mutex> busy(fake.server.host.locks.overlay);
    fake.clock.Advance(5000);
    ShowOverlayText(fake.server, "skipped", 1000, false);
    CheckOverlayTimeout(fake.server);
    EXPECT_EQ(fake.desktop.overlayTexts.back(), "FPS : 30.0");
    EXPECT_TRUE(HideRequests().empty());
}

TEST_F(OverlayTest, HideBlanksTheLineAndHidesTheWindow) {
    ShowOverlayText(fake.server, "notice", 3000, false);
    HideOverlay(fake.server);
    EXPECT_EQ(fake.desktop.overlayTexts.back(), std::string(132, ' '));
    EXPECT_FALSE(fake.desktop.overlayShown);
    EXPECT_FALSE(fake.server.link.overlayVisible);
}

TEST_F(OverlayTest, NoticesByNumberComeFromTheProgramsStrings) {
    LinkWindowProcedure procedure(fake.server);
    procedure.OnMessage(link, 39177, 1042, 3000, nullptr);
    procedure.OnMessage(link, 39177, 1074, 3000, nullptr);  // never shown
    procedure.OnMessage(link, 39177, 5000, 3000, nullptr);  // no such string
    EXPECT_EQ(fake.desktop.overlayTexts, std::vector<std::string>{"[ZUL] Ready to go!"});
    EXPECT_EQ(fake.server.link.overlayText[0], '\0') << "the buffer was cleared";

    const std::string custom = "[ZUL] From the crew app";
    const platform::CopyData record{613, {reinterpret_cast<const std::uint8_t*>(custom.data()), custom.size()}};
    procedure.OnMessage(link, platform::kWmCopyData, crew, 0, &record);
    procedure.OnMessage(link, 39177, 0, 3000, nullptr);
    EXPECT_EQ(fake.desktop.overlayTexts.back(), custom);
}

// Notices come from the main loop (the keyboard watcher, the frames' refresh,
// the time-out) and from adapters' worker threads alike; the overlay lock keeps
// the line and its timer whole. Run under ThreadSanitizer, this shows a race.
TEST_F(OverlayTest, NoticesFromAWorkerAndFromTheMainLoopShareTheLine) {
    fake.clock.SetAutoAdvance(true);
    fake.desktop.SetKeyState(kVkControl, static_cast<std::int16_t>(0xFF80));
    fake.desktop.SetKeyState(kVkLMenu, static_cast<std::int16_t>(0xFF80));
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 0; i < 300; ++i) ShowOverlayText(fake.server, "Flaps 5", 2, false);
        done = true;
    });
    SIMCONNECT_RECV_EVENT_FRAME frame{};
    frame.dwSize = sizeof(frame);
    frame.dwID = SIMCONNECT_RECV_ID_EVENT_FRAME;
    frame.fFrameRate = 30.0f;
    for (int pass = 0; !done || pass < 300; ++pass) {
        // X pressed and released with Ctrl and left Alt held: the take-over notice.
        fake.desktop.SetKeyState(kVkX, pass % 2 == 0 ? static_cast<std::int16_t>(0xFF80) : 0);
        host::WatchKeyboard(fake.server);
        sim::Dispatch(fake.server, reinterpret_cast<const SIMCONNECT_RECV*>(&frame), sizeof(frame));
        fake.clock.Advance(1);
        CheckOverlayTimeout(fake.server);
    }
    worker.join();
    EXPECT_GT(fake.desktop.overlayTexts.size(), 0u);
    // Whichever notice came last, its time runs out and the line is hidden.
    fake.clock.Advance(3000);
    CheckOverlayTimeout(fake.server);
    EXPECT_FALSE(HideRequests().empty());
}

}  // namespace
}  // namespace tarvo::link
