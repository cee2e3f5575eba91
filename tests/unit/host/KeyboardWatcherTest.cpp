#include "host/KeyboardWatcher.h"

#include "base/VirtualKeys.h"
#include "fakes/FakeServer.h"
#include "link/Messages.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace tarvo::host {
namespace {

// GetKeyState values: a held key has the high bit and bit 0x80 set; a lock key
// that is on has the low bit set.
constexpr std::int16_t kHeld = static_cast<std::int16_t>(0xFF80);
constexpr std::int16_t kUp = 0;
constexpr std::int16_t kOn = 1;

constexpr std::uint8_t kX = 0x58;
constexpr std::uint8_t kZ = 0x5A;

struct Pass {
    std::map<std::uint8_t, std::int16_t> keys;  // changes before this pass
    std::uint32_t posted;                       // 0: nothing posted
};

struct KeyboardWatcherTest : ::testing::Test {
    KeyboardWatcherTest() { fake.server.host.crewWindow = crew; }

    // Runs the passes in order; reports each pass whose post differs.
    void Play(const std::vector<Pass>& passes) {
        for (std::size_t i = 0; i < passes.size(); ++i) {
            for (const auto& [key, state] : passes[i].keys) fake.desktop.SetKeyState(key, state);
            fake.desktop.posts.clear();
            WatchKeyboard(fake.server);
            std::vector<fakes::PostedMessage> expected;
            if (passes[i].posted != 0) expected.push_back({crew, passes[i].posted, 0, 0});
            EXPECT_EQ(fake.desktop.posts, expected) << "pass " << i;
        }
    }

    fakes::FakeServer fake;
    const WindowId crew = 0x77;
};

TEST_F(KeyboardWatcherTest, HeldKeysPostOnceOnPressAndOnceOnRelease) {
    Play({
        {{{kVkDelete, kHeld}}, link::kMsgDeletePressed},
        {{}, 0},
        {{}, 0},
        {{{kVkDelete, kUp}}, link::kMsgDeleteReleased},
        {{}, 0},
        {{{kVkEnd, kHeld}}, link::kMsgEndPressed},
        {{{kVkEnd, kUp}}, link::kMsgEndReleased},
    });
}

TEST_F(KeyboardWatcherTest, AtMostOnePostPerPassInCheckOrder) {
    Play({
        {{{kVkDelete, kHeld}, {kVkEnd, kHeld}, {kVkNumLock, kOn}},
         link::kMsgDeletePressed},
        {{}, link::kMsgEndPressed},
        {{}, link::kMsgLockKeyOn},
        {{}, 0},
    });
}

TEST_F(KeyboardWatcherTest, LockKeyFollowsTheOption) {
    Play({
        {{{kVkNumLock, kOn}}, link::kMsgLockKeyOn},
        {{{kVkScroll, kOn}}, 0},
        {{{kVkNumLock, kUp}}, link::kMsgLockKeyOff},
    });
    fake.server.host.catchScrollLock = 1;
    fake.server.host.latches = {};
    Play({
        {{{kVkNumLock, kOn}, {kVkScroll, kUp}}, 0},
        {{{kVkScroll, kOn}}, link::kMsgLockKeyOn},
        {{{kVkScroll, kUp}}, link::kMsgLockKeyOff},
    });
}

TEST_F(KeyboardWatcherTest, TakeOverChordTogglesControlOncePerRelease) {
    fake.server.host.simulatorWindow = fake.desktop.AddWindow({"AceApp", "Microsoft Flight Simulator", true, 1});
    fake.desktop.SetForeground(fake.server.host.simulatorWindow);
    Play({
        {{{kVkControl, kHeld}, {kVkLMenu, kHeld}, {kX, kHeld}}, 0},
        {{}, 0},
        {{{kX, kUp}}, link::kMsgCopilotHasControl},
        {{}, 0},
        {{{kX, kHeld}}, 0},
        {{{kX, kUp}}, link::kMsgPilotHasControl},
    });
    EXPECT_FALSE(fake.server.host.copilotInControl);
    EXPECT_EQ(fake.desktop.overlayTexts, (std::vector<std::string>{"Co-pilot has control", "You have control"}));
    EXPECT_TRUE(fake.server.link.overlayVisible);
    EXPECT_EQ(fake.server.link.overlayHideTime, fake.clock.TickCount() + 3000);
}

TEST_F(KeyboardWatcherTest, XWithoutBothModifiersNeverToggles) {
    Play({
        {{{kX, kHeld}}, 0},
        {{{kX, kUp}}, 0},
        {{{kVkControl, kHeld}, {kX, kHeld}}, 0},  // left Alt missing
        {{{kX, kUp}}, 0},
        // Armed, then a modifier goes while X is still held: the latch clears.
        {{{kVkLMenu, kHeld}, {kX, kHeld}}, 0},
        {{{kVkLMenu, kUp}}, 0},
        {{{kX, kUp}}, 0},
    });
    EXPECT_FALSE(fake.server.host.copilotInControl);
}

TEST_F(KeyboardWatcherTest, DisplayChordTogglesThePositionLineSilently) {
    Play({
        {{{kVkShift, kHeld}, {kZ, kHeld}}, 0},
        {{{kZ, kUp}}, 0},
    });
    EXPECT_TRUE(fake.server.host.positionLine);
    Play({
        {{{kZ, kHeld}}, 0},
        {{{kZ, kUp}}, 0},
    });
    EXPECT_FALSE(fake.server.host.positionLine);
    Play({
        {{{kVkShift, kUp}, {kZ, kHeld}}, 0},  // Z alone arms nothing
        {{{kZ, kUp}}, 0},
    });
    EXPECT_FALSE(fake.server.host.positionLine);
}

}  // namespace
}  // namespace tarvo::host
