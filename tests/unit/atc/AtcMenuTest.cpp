#include "atc/AtcMenu.h"

#include "atc/AtcScan.h"
#include "base/Text.h"
#include "fakes/FakeServer.h"
#include "link/Messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <cstring>
#include <random>

namespace tarvo::atc {
namespace {

using fakes::PostedMessage;

constexpr ProcessHandle kSimulator = 0x7001;
constexpr WindowId kCrew = 0x4242;

platform::MemoryRegion CandidateRegion(std::uint64_t base, std::uint64_t size) {
    return {base, size, platform::kPageNoAccess, platform::kMemCommit, platform::kPageReadWrite, platform::kMemPrivate};
}

void Put(std::vector<std::uint8_t>& bytes, std::size_t at, std::string_view text) {
    std::memcpy(bytes.data() + at, text.data(), text.size());
}

// A region holding the marker at offset marker and the given entries after it.
fakes::FakeProcessMemory::Region MenuRegion(std::uint64_t base, std::size_t marker,
                                            const std::vector<std::string>& entries, std::size_t size = 0x4000) {
    fakes::FakeProcessMemory::Region region{CandidateRegion(base, size), std::vector<std::uint8_t>(size, 0)};
    Put(region.bytes, marker, "PANEL_ATC");
    const std::size_t window = marker & ~std::size_t{7};
    for (std::size_t n = 0; n < entries.size(); ++n) Put(region.bytes, window + 280 + 536 * n, entries[n]);
    return region;
}

struct AtcMenuTest : ::testing::Test {
    AtcMenuTest() {
        fake.clock.SetAutoAdvance(true);
        fake.server.host.simulatorProcess = kSimulator;
        fake.server.host.crewWindow = kCrew;
        fake.server.adapters.table.RunCommand = [](Server& server, std::uint32_t code, std::int32_t value) {
            server.log.Write("RunCommand " + std::to_string(code) + " " + std::to_string(value));
        };
        fake.files.MakeFolder(fakes::kFakeCrewFolder);
    }

    // The menu found at 0x10000 with these entries.
    void ShowMenu(const std::vector<std::string>& entries) {
        fake.memory.regions = {MenuRegion(0x10000, 0, entries)};
        fake.server.atc.address = 0x10000;
    }

    std::vector<PostedMessage> Notices() const {
        std::vector<PostedMessage> notices;
        for (const auto& post : fake.desktop.posts) {
            if (post.message == link::kMsgAtcMenuChanged) notices.push_back(post);
        }
        return notices;
    }

    std::string Text() {
        const std::lock_guard<std::mutex> lock(fake.server.atc.textMutex);
        return fake.server.atc.text;
    }

    fakes::FakeServer fake;
};

TEST_F(AtcMenuTest, FindsTheMenuOnlyInTheSimulatorsKindOfRegion) {
    struct Case {
        const char* what;
        platform::MemoryRegion region;
        std::size_t marker;
        std::vector<std::string> entries;
        std::uint64_t found;
    };
    auto changed = [](auto change) {
        platform::MemoryRegion region = CandidateRegion(0x10000, 0x4000);
        change(region);
        return region;
    };
    const Case cases[] = {
        {"aligned", CandidateRegion(0x10000, 0x4000), 0x100, {"1 - Request Taxi IFR"}, 0x10100},
        {"between steps", CandidateRegion(0x10000, 0x4000), 0x105, {"1 - Request Taxi IFR"}, 0x10100},
        {"an entry being drawn", CandidateRegion(0x10000, 0x4000), 0x100, {std::string("\0 - ", 4)}, 0x10100},
        {"no entry after it", CandidateRegion(0x10000, 0x4000), 0x100, {"Request Taxi IFR"}, 0},
        {"reserved read-write", changed([](auto& r) { r.allocationProtect = platform::kPageReadWrite; }), 0x100,
         {"1 - A"}, 0},
        {"executable", changed([](auto& r) { r.protect |= platform::kPageExecute; }), 0x100, {"1 - A"}, 0},
        {"guarded", changed([](auto& r) { r.protect |= platform::kPageGuard; }), 0x100, {"1 - A"}, 0},
        {"mapped", changed([](auto& r) { r.type = 0x40000; }), 0x100, {"1 - A"}, 0},
    };
    for (const Case& c : cases) {
        fake.memory.regions = {{{0x0, 0x10000, 0, 0x10000, 0, 0}, {}}, MenuRegion(0x10000, c.marker, c.entries)};
        fake.memory.regions[1].info = c.region;
        EXPECT_EQ(FindAtcMenu(fake.memory, kSimulator), c.found) << c.what;
        EXPECT_EQ(fake.memory.regions[1].info.protect, c.region.protect) << c.what << ": protection given back";
    }
}

TEST_F(AtcMenuTest, FindsAMarkerAcrossPiecesAndPassesOverUnreadableWindows) {
    // A lower-case marker straddling the first megabyte of a 2 MiB region.
    auto region = MenuRegion(0x100000, (1 << 20) - 4, {"1 - Request Taxi IFR"}, 2 << 20);
    std::memcpy(region.bytes.data() + (1 << 20) - 4, "panel_atc", 9);
    fake.memory.regions = {region};
    EXPECT_EQ(FindAtcMarkerInRegion(fake.memory, kSimulator, region.info), 0x100000u + (1 << 20) - 8);

    // The last window reaches 8 bytes past the region, into the next one.
    auto last = MenuRegion(0x100000, 0, {}, 0x4000);
    std::fill_n(last.bytes.begin(), 9, 0);
    Put(last.bytes, 0x3FF8, "PANEL_AT");
    fakes::FakeProcessMemory::Region next{{0x104000, 0x1000, platform::kPageReadWrite, platform::kMemCommit,
                                           platform::kPageReadWrite, platform::kMemPrivate},
                                          std::vector<std::uint8_t>(0x1000, 0)};
    Put(next.bytes, 0, "C");
    Put(next.bytes, 0x3FF8 + 280 - 0x4000, "1 - A");
    fake.memory.regions = {last, next};
    EXPECT_EQ(FindAtcMarkerInRegion(fake.memory, kSimulator, last.info), 0x103FF8u);
    fake.memory.regions[1].bytes.clear();  // nothing there to read
    EXPECT_EQ(FindAtcMarkerInRegion(fake.memory, kSimulator, last.info), 0u);
}

// The rule spelt out: every 8 bytes a 16-byte read, the marker in it, the entry after.
std::uint64_t FindStepByStep(platform::ProcessMemory& memory, const platform::MemoryRegion& region) {
    for (std::uint64_t at = region.base; at < region.base + region.size; at += 8) {
        std::array<std::uint8_t, 16> window{};
        if (memory.Read(kSimulator, at, window) != window.size()) continue;
        std::string text(window.begin(), window.end());
        std::transform(text.begin(), text.end(), text.begin(), [](char c) { return FoldAscii(c); });
        if (text.find("panel_atc") == std::string::npos) continue;
        std::array<std::uint8_t, 64> entry{};
        if (memory.Read(kSimulator, at + 280, entry) != entry.size()) continue;
        const bool first = (entry[0] >= '0' && entry[0] <= '9') || (entry[0] == 0 && entry[1] == ' ');
        if (first && entry[2] == '-') return at;
    }
    return 0;
}

TEST_F(AtcMenuTest, ScanGivesWhatStepByStepReadingGives) {
    std::mt19937 random(2970);
    int found = 0;
    for (int round = 0; round < 80; ++round) {
        const std::size_t size = 0x1000 * (1 + random() % 96);  // a third cross a piece boundary
        fakes::FakeProcessMemory::Region region{CandidateRegion(0x400000, size), std::vector<std::uint8_t>(size)};
        // Every other round the markers hold the only underscores, so the
        // whole-block look is all that finds them.
        const std::string_view alphabet = round % 2 ? std::string_view("PANEL_ATCpanel-1 \0", 18)
                                                    : std::string_view("PANELATCpanel-1 \0", 17);
        for (auto& byte : region.bytes) byte = static_cast<std::uint8_t>(alphabet[random() % alphabet.size()]);
        for (int marker = 0; marker < 6; ++marker) {
            const std::size_t at = random() % (size - 9);
            Put(region.bytes, at, marker % 2 ? "PANEL_ATC" : "Panel_Atc");
            const std::size_t entry = (at & ~std::size_t{7}) + 280;
            if (random() % 2 && entry + 3 <= size) Put(region.bytes, entry, "7 -");
        }
        if (size > 0x2000 && random() % 3 == 0) region.bytes.resize(size - 0x1000);  // an unreadable last page
        fake.memory.regions = {region};
        const std::uint64_t expected = FindStepByStep(fake.memory, region.info);
        EXPECT_EQ(FindAtcMarkerInRegion(fake.memory, kSimulator, region.info), expected) << "round " << round;
        EXPECT_EQ(FindAtcMarkerInRegion(fake.memory, kSimulator, region.info, {}, Vectors::Narrow), expected)
            << "round " << round << ", narrow vectors";
        if (expected != 0) ++found;
    }
    EXPECT_GT(found, 30) << "most rounds hold a menu";
}

TEST_F(AtcMenuTest, MenuTextTakesCurrentEntriesInOrder) {
    ShowMenu({"1 - Request IFR Clearance", "2 - Request Taxi IFR", "3 - Cancel IFR", "Air Traffic Control"});
    EXPECT_TRUE(ReadAtcMenu(fake.server, true));
    EXPECT_EQ(Text(), "1 - Request IFR Clearance\n2 - Request Taxi IFR\n3 - Cancel IFR\n");
    EXPECT_EQ(Notices(), (std::vector<PostedMessage>{{kCrew, link::kMsgAtcMenuChanged, 0, 1}}));

    // An entry followed by one with its own number is left over from before.
    ShowMenu({"1 - Request IFR Clearance", "1 - Request Taxi IFR", "x - 2 - Cancel IFR"});
    ReadAtcMenu(fake.server, false);
    EXPECT_EQ(Text(), "1 - Request Taxi IFR\n");

    // A full text leaves out whole the entries that do not fit.
    std::vector<std::string> entries;
    for (char digit = '0'; digit <= '9'; ++digit) entries.push_back(std::string(1, digit) + " - " + std::string(56, 'w'));
    ShowMenu(entries);
    ReadAtcMenu(fake.server, false);
    EXPECT_EQ(Text().size(), 8u * 61) << "eight entries of 60 characters and their line feeds fit in 539";

    fake.server.atc.address = 0;
    EXPECT_FALSE(ReadAtcMenu(fake.server, true));
}

TEST_F(AtcMenuTest, AnUnchangedMenuIsAnnouncedAgainEveryTwentyReads) {
    ShowMenu({"1 - Request IFR Clearance"});
    ReadAtcMenu(fake.server, true);
    fake.memory.regions[0].bytes[280 + 4] = 'r';  // only the case differs: no change
    for (int read = 2; read <= 19; ++read) ReadAtcMenu(fake.server, true);
    EXPECT_EQ(Notices().size(), 1u);
    ReadAtcMenu(fake.server, true);
    EXPECT_EQ(Notices(), (std::vector<PostedMessage>{{kCrew, link::kMsgAtcMenuChanged, 0, 1}, {kCrew, link::kMsgAtcMenuChanged, 0, 0}}));
}

TEST_F(AtcMenuTest, ChoosingFindsThePhrasesLine) {
    ShowMenu({"1 - Acknowledge Handoff", "2 - Request Takeoff Clearance VFR from KSEA Tower", "3 - Say Again",
              "4 - request ifr clearance"});
    ReadAtcMenu(fake.server, false);
    struct Case {
        std::uint32_t phrase;
        bool chosen;
        const char* command;
    };
    const Case cases[] = {
        {64708, true, "RunCommand 66175 1"},  // "Request IFR Clearance", ignoring case
        {64711, true, "RunCommand 66173 1"},  // cut before "%1!s!" and its blank
        {64857, false, nullptr},              // "%1!s! %2!s!": nothing to look for
        {64709, false, nullptr},              // "Cancel IFR": not on the menu
        {64703, false, nullptr},              // not a phrase
        {64915, false, nullptr},
    };
    for (const Case& c : cases) {
        fake.journal.Clear();
        EXPECT_EQ(ChooseAtcEntry(fake.server, c.phrase), c.chosen) << c.phrase;
        const auto commands = fake.journal.EntriesStartingWith("Files.AppendLine RunCommand");
        EXPECT_EQ(commands.size(), c.chosen ? 1u : 0u) << c.phrase;
        if (c.command != nullptr && !commands.empty()) {
            EXPECT_EQ(commands[0], std::string("Files.AppendLine ") + c.command);
        }
    }
}

TEST_F(AtcMenuTest, ReaderFindsTheMenuAndAsksForGroundServices) {
    fake.server.host.simulatorProcess = 0;
    EXPECT_FALSE(StartAtcReader(fake.server)) << "no thread without the simulator's process";
    fake.server.host.simulatorProcess = kSimulator;
    // "9 x" leads with a digit but is no entry: the walk goes on without counting it.
    fake.memory.regions = {{{0x0, 0x10000, 0, 0x10000, 0, 0}, {}},
                           MenuRegion(0x10000, 0x40, {"1 - Request Taxi IFR", "9 x", "2 - Contact Ground on 121.9"})};

    EXPECT_TRUE(StartAtcReader(fake.server));
    EXPECT_TRUE(StartAtcReader(fake.server)) << "one reader at a time";
    EXPECT_EQ(fake.threads.PendingThreads(), 1u);
    fake.journal.Clear();
    fake.threads.RunNextThread();

    EXPECT_EQ(fake.server.atc.address, 0x10040u);
    EXPECT_EQ(fake.journal.EntriesStartingWith("SimConnect.TransmitClientEvent"),
              (std::vector<std::string>{"SimConnect.TransmitClientEvent 0 303 1 1 16"}))
        << "ATC_MENU_2: the second valid entry";
    EXPECT_EQ(fake.clock.SleptMilliseconds(), 4000u);
    EXPECT_EQ(Notices(), (std::vector<PostedMessage>{{kCrew, link::kMsgAtcMenuChanged, 0, 1}}));
    EXPECT_FALSE(fake.server.atc.readerStarted);
    EXPECT_FALSE(StartAtcReader(fake.server)) << "found once, never searched again";

    fake.server.atc.address = 0;
    fake.server.atc.readerAttempts = 300;
    EXPECT_FALSE(StartAtcReader(fake.server)) << "the run's budget is spent";
}

// The simulator's menu holds ten choices at most (keys 1 to 9 and 0); memory
// that goes on looking like a menu must not keep the walk going, an entry that
// cannot be read whole is no entry, and a "Ground on" past the tenth choice has
// no key to choose it with.
TEST_F(AtcMenuTest, TheWalkStopsWhereTheMenuCanEnd) {
    const auto numbered = [](std::size_t count, std::size_t groundAt) {
        std::vector<std::string> entries;
        for (std::size_t n = 0; n < count; ++n) {
            entries.push_back(std::to_string((n + 1) % 10) + " - " +
                              (n == groundAt ? "Contact Ground on 121.9" : "Say Again"));
        }
        return entries;
    };
    const struct {
        const char* what;
        std::vector<std::string> entries;
        std::size_t marker;
        std::size_t regionSize;
        std::vector<std::string> events;
    } cases[] = {
        {"the tenth choice", numbered(10, 9), 0, 0x4000, {"SimConnect.TransmitClientEvent 0 311 1 1 16"}},
        {"an eleventh choice", numbered(11, 10), 0, 0x4000, {}},
        // The second entry begins 32 bytes before the region ends: its text is
        // there, the rest of its 64 bytes is not.
        {"an entry cut short", numbered(2, 1), 0x1000 - 280 - 536 - 32, 0x1000, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fakes::FakeServer f;
        f.clock.SetAutoAdvance(true);
        f.server.host.simulatorProcess = kSimulator;
        f.memory.regions = {{{0x0, 0x10000, 0, 0x10000, 0, 0}, {}},
                            MenuRegion(0x10000, c.marker, c.entries, c.regionSize)};
        ASSERT_TRUE(StartAtcReader(f.server));
        f.threads.RunNextThread();
        EXPECT_EQ(f.server.atc.address, 0x10000u + c.marker);
        EXPECT_EQ(f.journal.EntriesStartingWith("SimConnect.TransmitClientEvent"), c.events);
    }

    // Forty entries that all look valid: the crew app's read stops after sixteen.
    fake.memory.regions = {MenuRegion(0x10000, 0, numbered(40, 40), 0x8000)};
    fake.server.atc.address = 0x10000;
    ReadAtcMenu(fake.server, false);
    const std::string text = Text();
    EXPECT_GT(std::count(text.begin(), text.end(), '\n'), 0);
    EXPECT_LE(std::count(text.begin(), text.end(), '\n'), 16);
}

TEST_F(AtcMenuTest, TextGoesToTheCrewAppFromItsSource) {
    ShowMenu({"1 - Say Again"});
    ReadAtcMenu(fake.server, false);
    fake.server.host.linkWindow = 0x77;
    fake.desktop.copyDataReply = 0;  // what the crew app answers is not the result
    EXPECT_EQ(SendAtcText(fake.server, true), 1);
    ASSERT_EQ(fake.desktop.copyData.size(), 1u);
    EXPECT_EQ(fake.desktop.copyData[0].kind, 612u);
    EXPECT_EQ(fake.desktop.copyData[0].from, 0x77u);
    EXPECT_EQ(fake.desktop.copyData[0].timeoutMilliseconds, 4000u);
    EXPECT_EQ(std::string(fake.desktop.copyData[0].bytes.begin(), fake.desktop.copyData[0].bytes.end()),
              "1 - Say Again\n");

    // An outside source that nothing attached: a refresh fails, the text kept is sent.
    fake.server.atc.sourceMode = 2;
    EXPECT_EQ(SendAtcText(fake.server, true), 0);
    std::memcpy(fake.server.atc.externalText.data(), "Tower\r\nsays", 12);
    SendAtcText(fake.server, false);
    ASSERT_EQ(fake.desktop.copyData.size(), 2u);
    EXPECT_EQ(std::string(fake.desktop.copyData[1].bytes.begin(), fake.desktop.copyData[1].bytes.end()), "Tower");
}

TEST_F(AtcMenuTest, AReaderEndsWithoutSearchingOnceTheServerStops) {
    fake.memory.regions = {{{0x0, 0x10000, 0, 0x10000, 0, 0}, {}}, MenuRegion(0x10000, 0, {"1 - Say Again"})};
    ASSERT_TRUE(StartAtcReader(fake.server));
    fake.server.host.running = false;
    fake.threads.RunNextThread();
    EXPECT_EQ(fake.server.atc.address, 0u) << "the search stopped before the menu";
    EXPECT_TRUE(Notices().empty());
    EXPECT_FALSE(fake.server.atc.readerStarted);
}

// The reader thread's last read and the crew app's reads and choices on the
// main thread meet in the menu text. Run under ThreadSanitizer, this shows a race.
TEST_F(AtcMenuTest, TheReaderThreadAndTheCrewAppShareTheMenuText) {
    fake.memory.regions = {{{0x0, 0x10000, 0, 0x10000, 0, 0}, {}},
                           MenuRegion(0x10000, 0, {"1 - Request IFR Clearance", "2 - Say Again"})};
    fake.server.host.linkWindow = 0x77;
    ASSERT_TRUE(StartAtcReader(fake.server));
    std::thread reader([this] { fake.threads.RunNextThread(); });
    while (fake.server.atc.readerStarted) {
        ReadAtcMenu(fake.server, false);
        ChooseAtcEntry(fake.server, 64708);
        SendAtcText(fake.server, false);
    }
    reader.join();
    ReadAtcMenu(fake.server, false);
    EXPECT_EQ(Text(), "1 - Request IFR Clearance\n2 - Say Again\n");
}

}  // namespace
}  // namespace tarvo::atc
