#include "link/LinkWindow.h"

#include "adapters/generic/GenericAdapter.h"
#include "fakes/FakeServer.h"
#include "link/Messages.h"
#include "link/Overlay.h"
#include "link/Protocol.h"
#include "link/Reports.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

namespace tarvo::link {
namespace {

constexpr MessageResult kDefaultRan = 0x7777;  // what the fake default procedure answers

// The commands and queries that reached the adapter.
struct AdapterCalls {
    std::vector<std::pair<std::uint32_t, std::int32_t>> commands;
    std::vector<std::pair<WindowId, WindowId>> takeoffData;
};
AdapterCalls* gCalls = nullptr;  // the adapter table holds plain function pointers

struct LinkWindowTest : ::testing::Test {
    LinkWindowTest() {
        gCalls = &calls;
        fake.desktop.defaultResult = kDefaultRan;
        fake.clock.SetAutoAdvance(true);
        host::HostState& host = fake.server.host;
        host.versionNumber = 2970;
        host.simulatorWindow = fake.desktop.AddWindow({"AceApp", "Microsoft Flight Simulator", true, 1, {100, 50, 1700, 950}});
        host.crewWindow = crew;
        host.linkWindow = link;
        host.session = &session;
        fake.desktop.SetForeground(host.simulatorWindow);
        adapters::generic::InstallGenericAdapter(fake.server);
        fake.server.adapters.table.RunCommand = [](Server&, std::uint32_t code, std::int32_t value) {
            gCalls->commands.emplace_back(code, value);
        };
        fake.server.adapters.table.QueryValue = [](Server&, ValueQuery& query) {
            if (query.code != 7) return;
            query.tag = 0x12;
            const double value = 1.5;
            std::memcpy(query.value.data(), &value, sizeof(value));
        };
        fake.server.adapters.table.SendTakeoffData = [](Server&, WindowId crew, WindowId link) {
            gCalls->takeoffData.emplace_back(crew, link);
        };
    }
    ~LinkWindowTest() override { gCalls = nullptr; }

    MessageResult Send(std::uint32_t message, WParam wParam = 0, LParam lParam = 0,
                       const platform::CopyData* copyData = nullptr) {
        return procedure.OnMessage(link, message, wParam, lParam, copyData);
    }

    MessageResult SendRecord(std::uint64_t kind, const std::vector<std::uint8_t>& bytes) {
        const platform::CopyData record{kind, bytes};
        return Send(platform::kWmCopyData, crew, 0, &record);
    }

    // The text of the atom a query answered with.
    std::string AtomReply(MessageResult result) {
        EXPECT_EQ(result & 0xFFFF0000, 0xFFFF0000) << "not an atom reply";
        return fake.desktop.AtomText(static_cast<AtomId>(result & 0xFFFF), 255).value_or("(no atom)");
    }

    fakes::FakeServer fake;
    AdapterCalls calls;
    int session = 0;
    const WindowId crew = 0x501;
    const WindowId link = 0x502;
    LinkWindowProcedure procedure{fake.server};
};

TEST_F(LinkWindowTest, MessagesGiveTheirResults) {
    // {message, wParam, lParam, result}: fixed results and "default" ones.
    struct Case {
        std::uint32_t message;
        WParam wParam;
        LParam lParam;
        MessageResult result;
    };
    const Case cases[] = {
        {39383, 6, 0, 1},           {39383, 11, 1, 1},  // delivered, though the crew app answers 0
        {39374, 0x100C9, 5, 0},     {39374, 0x10001, -5, 0},  {39383, 13, 0, 1},  {39383, 25, 0, 1},
        {39383, 24, 0, 1},          {39189, 17, 0, 0},        {39190, 3, 0x41, 1}, {39221, 0, 0x41, 1},
        {39222, 0, 0x41, 1},        {39193, 0, 0, 1},         {39194, 0, 0, 1},   {39196, 0, 0, 1},
        {39373, 64708, 0, 0},       {39370, 1, 0, 0},         {39191, 0, 1, 0},   {39178, 0, 0, 0},
        {39244, 0, 0, kDefaultRan}, {39245, 0, 0, kDefaultRan}, {39405, 0, 0, kDefaultRan},
        {39406, 0, 0, kDefaultRan}, {39404, 0, 0, kDefaultRan}, {39379, 0, 0, 0},  // no sound device opens
        {39999, 0, 0, kDefaultRan}, {39188, 0, 0, kDefaultRan}, {273, 0, 0, kDefaultRan},
    };
    fake.desktop.copyDataReply = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(Send(c.message, c.wParam, c.lParam), c.result) << c.message << " " << c.wParam;
    }
    EXPECT_EQ(calls.commands, (std::vector<std::pair<std::uint32_t, std::int32_t>>{{0x10001, -5}}))
        << "0x100C9 is never run through 39374";
    EXPECT_EQ(calls.takeoffData, (std::vector<std::pair<WindowId, WindowId>>{{crew, link}}));
    EXPECT_FALSE(fake.server.host.positionLine);
}

TEST_F(LinkWindowTest, CommandsByAtomRunOnlyWithSixteenHexDigits) {
    // {atom text, runs, code, value}
    struct Case {
        const char* text;
        bool runs;
        std::uint32_t code;
        std::int32_t value;
    };
    const Case cases[] = {
        {"000100C9FFFFFFFB", true, 0x100C9, -5},  // not filtered here
        {"00010001000000017 and more", true, 0x10001, 1},
        {"000100010000000", false, 0, 0},  // 15 digits
        {"0001000G00000001", false, 0, 0},
        {"", false, 0, 0},
    };
    for (const Case& c : cases) {
        calls.commands.clear();
        const AtomId atom = fake.desktop.AddGlobalAtom(c.text);
        EXPECT_EQ(Send(39383, 15, atom), c.runs ? 0 : 1) << c.text;
        if (c.runs) {
            EXPECT_EQ(calls.commands, (std::vector<std::pair<std::uint32_t, std::int32_t>>{{c.code, c.value}}));
        } else {
            EXPECT_TRUE(calls.commands.empty()) << c.text;
        }
    }
    EXPECT_EQ(Send(39383, 15, 0xBEEF), 1) << "an atom that cannot be read";
    EXPECT_EQ(Send(39383, 14, 0xBEEF), 1);
}

TEST_F(LinkWindowTest, QueriesAnswerWithAtoms) {
    EXPECT_EQ(AtomReply(Send(39383, 1, 7)), "00000012000000000000F83F");  // tag, then 1.5 byte by byte
    EXPECT_EQ(AtomReply(Send(39383, 1, 8)), "000000000000000000000000");  // unknown code

    const AtomId name = fake.desktop.AddGlobalAtom("(A:NO SUCH THING,number)");
    EXPECT_EQ(AtomReply(Send(39383, 14, name)), "000000000000000000000000");

    EXPECT_EQ(Send(39383, 12), 1) << "no flight plan yet";
    std::strcpy(fake.server.session.flightPlanPath.data(), "C:\\a");
    EXPECT_EQ(Send(39383, 12), 1) << "four characters are too few";
    std::strcpy(fake.server.session.flightPlanPath.data(), "C:\\Plans\\EFHK.pln");
    EXPECT_EQ(AtomReply(Send(39383, 12)), "C:\\Plans\\EFHK.pln");
}

TEST_F(LinkWindowTest, AtomRepliesAreZeroExtendedWithTheHighWordSet) {
    EXPECT_EQ(AtomResult(0xC001), MessageResult{0xFFFFC001});
    EXPECT_GT(AtomResult(0xC001), 0);
    EXPECT_EQ(NamedQueryText({}, 0x1234ABCD, "Airbus"), "00000000000000001234ABCDAirbus");
}

TEST_F(LinkWindowTest, CopyDataRecordsAreBoundedByTheirSize) {
    // Overlay text: at most 255 bytes kept, only while custom text is allowed.
    EXPECT_EQ(SendRecord(613, std::vector<std::uint8_t>(300, 'a')), kDefaultRan);
    EXPECT_EQ(std::string(fake.server.link.overlayText.data()), std::string(255, 'a'));
    // Custom text is refused after 39245 until 39244 or 39198 allows it again.
    for (const std::uint32_t allow : {39244u, 39198u}) {
        Send(39245);
        SendRecord(613, {'b', 'c'});
        EXPECT_EQ(std::string(fake.server.link.overlayText.data()), std::string(255, 'a')) << allow;
        Send(allow);
        SendRecord(613, {'a'});
        EXPECT_EQ(std::string(fake.server.link.overlayText.data()), "a") << allow;
        SendRecord(613, std::vector<std::uint8_t>(255, 'a'));
    }

    // Initial position: only a whole 56-byte record is written.
    EXPECT_EQ(SendRecord(617, std::vector<std::uint8_t>(55, 1)), 0);
    EXPECT_TRUE(fake.journal.EntriesStartingWith("SimConnect.SetDataOnSimObject").empty());
    EXPECT_EQ(SendRecord(617, std::vector<std::uint8_t>(56, 1)), 1);
    EXPECT_EQ(fake.journal.EntriesStartingWith("SimConnect.SetDataOnSimObject"),
              std::vector<std::string>{"SimConnect.SetDataOnSimObject 13 0 0 0 56"});

    // A flight plan path without its terminator is cut at the record's end.
    EXPECT_EQ(SendRecord(618, {'C', ':', '\\', 'p'}), 1);
    // An empty record may come with a null pointer: it loads the empty name.
    const platform::CopyData empty{618, std::span<const std::uint8_t>()};
    EXPECT_EQ(Send(platform::kWmCopyData, crew, 0, &empty), 1);
    EXPECT_EQ(fake.journal.EntriesStartingWith("SimConnect.FlightPlanLoad"),
              (std::vector<std::string>{"SimConnect.FlightPlanLoad C:\\p", "SimConnect.FlightPlanLoad "}));

    EXPECT_EQ(SendRecord(999, {1, 2}), kDefaultRan);
    EXPECT_EQ(Send(platform::kWmCopyData, crew, 0, nullptr), kDefaultRan) << "an unreadable record";
}

TEST_F(LinkWindowTest, VersionHandshakeShutsDownOnAnotherVersion) {
    const auto bytesOf = [](std::int32_t value) {
        std::vector<std::uint8_t> bytes(4);
        std::memcpy(bytes.data(), &value, 4);
        return bytes;
    };
    EXPECT_EQ(SendRecord(887, {}), kDefaultRan);
    EXPECT_EQ(SendRecord(887, bytesOf(2970)), 1);
    EXPECT_TRUE(fake.server.host.running);
    EXPECT_EQ(SendRecord(887, {0x9A, 0x0B}), 1) << "two bytes, zero-extended: 0x0B9A is 2970";
    EXPECT_EQ(SendRecord(887, {0x9A, 0x0B, 0, 0, 0xFF, 0xFF}), 1) << "only four bytes are read";
    EXPECT_EQ(SendRecord(887, bytesOf(2971)), 0);
    EXPECT_FALSE(fake.server.host.running);
}

TEST_F(LinkWindowTest, CloseLeavesOnlyWhenACrewAppIsKnown) {
    fake.server.host.crewWindow = 0;
    EXPECT_EQ(Send(platform::kWmClose), kDefaultRan);
    EXPECT_TRUE(fake.server.host.running);
    EXPECT_TRUE(fake.desktop.posts.empty());

    fake.server.host.crewWindow = crew;
    EXPECT_EQ(Send(platform::kWmClose), kDefaultRan);
    EXPECT_FALSE(fake.server.host.running);
    EXPECT_EQ(fake.server.host.crewWindow, 0u);
    EXPECT_EQ(fake.desktop.posts, (std::vector<fakes::PostedMessage>{{crew, kMsgServerLeaving, 0, 0}}));
}

TEST_F(LinkWindowTest, CrewAppComesAndGoes) {
    const WindowId newCrew = 0x777;
    EXPECT_EQ(Send(39368, newCrew, 123), kDefaultRan);
    EXPECT_EQ(fake.server.host.crewWindow, newCrew);
    EXPECT_EQ(fake.journal.EntriesStartingWith("SimConnect.RequestDataOnSimObjectType"),
              (std::vector<std::string>{"SimConnect.RequestDataOnSimObjectType 7 7 0 0",
                                        "SimConnect.RequestDataOnSimObjectType 6 6 0 0"}));

    EXPECT_EQ(Send(39192), 1);
    EXPECT_EQ(fake.desktop.posts.back(), (fakes::PostedMessage{newCrew, kMsgAtcMenuChanged, 0, 0}));

    const auto slept = fake.clock.SleptMilliseconds();
    const std::uint32_t leftAt = fake.clock.TickCount();
    EXPECT_EQ(Send(kMsgCrewLeaving), 0);
    EXPECT_EQ(fake.desktop.overlayTexts.back(), "[ZUL] The Crew is leaving. See you next time!");
    EXPECT_EQ(fake.server.link.overlayHideTime, leftAt + 2500);
    EXPECT_EQ(fake.clock.SleptMilliseconds() - slept, 3700u);
    EXPECT_EQ(fake.server.host.crewWindow, 0u);
    EXPECT_FALSE(fake.server.host.running);
    EXPECT_EQ(Send(39192), 0) << "no crew app to tell";
}

TEST_F(LinkWindowTest, SmallSwitchesOfThePositionLineAndTheForeground) {
    Send(39405);
    EXPECT_TRUE(fake.server.host.positionLine);
    Send(39406);
    EXPECT_FALSE(fake.server.host.positionLine);
    fake.desktop.SetForeground(0x999);
    Send(39404);
    EXPECT_EQ(fake.desktop.ForegroundWindow(), fake.server.host.simulatorWindow);
}

TEST_F(LinkWindowTest, TakingTheOverlayStopsItsTimerButLeavesTheLine) {
    Send(39177, 1042, 3000);
    fake.clock.Advance(1000);
    const std::size_t drawn = fake.desktop.overlayTexts.size();
    EXPECT_EQ(Send(39198), kDefaultRan);
    EXPECT_FALSE(fake.server.link.overlayVisible);
    EXPECT_EQ(fake.server.link.overlayHideTime, fake.clock.TickCount());
    fake.clock.Advance(5000);
    CheckOverlayTimeout(fake.server);
    EXPECT_TRUE(fake.desktop.overlayShown) << "the line stays";
    EXPECT_EQ(fake.desktop.overlayTexts.size(), drawn);
    EXPECT_TRUE(fake.journal.EntriesStartingWith("Desktop.Post 39178").empty()) << "no hide asked";
}

TEST_F(LinkWindowTest, KeyPressesGoDownInModifierOrderAndComeUpReversed) {
    EXPECT_EQ(Send(39190, 0x103, 0x241), 1) << "only the low bytes count";
    using Key = fakes::FakeDesktop::KeyEvent;
    EXPECT_EQ(fake.desktop.keyEvents, (std::vector<Key>{{0x11, 0}, {0x10, 0}, {0x41, 0}, {0x41, 2}, {0x10, 2},
                                                         {0x11, 2}}));
    fake.desktop.keyEvents.clear();
    Send(39221, 0xFF, 0x41);
    EXPECT_EQ(fake.desktop.keyEvents, (std::vector<Key>{{0x11, 0}, {0xA2, 0}, {0xA3, 0}, {0x10, 0}, {0xA0, 0},
                                                         {0xA1, 0}, {0x09, 0}, {0x12, 0}, {0x41, 0}}));
    fake.desktop.keyEvents.clear();
    Send(39222, 0xFF, 0x41);
    EXPECT_EQ(fake.desktop.keyEvents, (std::vector<Key>{{0x41, 2}, {0x12, 2}, {0x09, 2}, {0xA1, 2}, {0xA0, 2},
                                                         {0x10, 2}, {0xA3, 2}, {0xA2, 2}, {0x11, 2}}));
}

}  // namespace
}  // namespace tarvo::link
