#include "adapters/fenix/Fma.h"

#include "FenixFixture.h"
#include "adapters/fenix/FenixSearches.h"
#include "link/Reports.h"

#include <array>
#include <initializer_list>

namespace tarvo::adapters::fenix {
namespace {

using Modes = std::array<std::int32_t, 5>;  // words 38 to 42
constexpr std::int32_t k = 99;              // a word the block leaves alone

// The fields after the header's marker, each padded to 9 characters, so field
// n begins at byte 7 + 11 (n - 1): field 4 at byte 40.
std::string Fields(std::initializer_list<std::string_view> fields) {
    std::string text;
    for (std::string_view field : fields) {
        if (!text.empty()) text += "F-";
        text += std::string(field) + std::string(field.size() < 9 ? 9 - field.size() : 0, ' ');
    }
    return text;
}

Modes Decode(const std::string& text) {
    FmaBlock block{};
    EXPECT_TRUE(simworld::PutFenixFma(block, 0, text));
    link::SnapshotRecord record;
    for (std::size_t w = 38; w <= 42; ++w) record.words[w] = k;
    DecodeFmaBlock(block, record);
    return {record.words[38], record.words[39], record.words[40], record.words[41], record.words[42]};
}

TEST(Fma, FieldsDecodeIntoModeWords) {
    struct Case {
        std::string text;
        Modes words;  // autothrust, armed lateral, lateral, armed vertical, vertical
    };
    const Case cases[] = {
        // Autothrust (field 1); a manual mode named in the text from byte 32 on.
        {Fields({"MAN", "SRS", "", "1   2", "FLX 68"}), {3, k, k, k, 40}},
        {Fields({"MAN", "", "", "1   2", "TOGA"}), {2, k, k, k, k}},
        {Fields({"MAN", "", "", "1   2", "MCT"}), {5, k, k, k, k}},
        {Fields({"MAN FLX"}), {6, k, k, k, k}},  // FLX before byte 32
        {Fields({"SPEED"}), {7, k, k, k, k}},
        {Fields({"MACH"}), {8, k, k, k, k}},
        {Fields({"THR CLB"}), {10, k, k, k, k}},
        {Fields({"THR IDLE"}), {12, k, k, k, k}},
        // Vertical (field 2): the starred modes before their plain ones.
        {Fields({"", "ALT*"}), {k, k, k, k, 11}},
        {Fields({"", "ALT CST"}), {k, k, k, k, 10}},
        {Fields({"", "OP CLB"}), {k, k, k, k, 12}},
        {Fields({"", "OP DES"}), {k, k, k, k, 13}},
        {Fields({"", "V/S +1500"}), {k, k, k, k, 14}},
        {Fields({"", "G/S*"}), {k, k, k, k, 31}},
        {Fields({"", "G/S"}), {k, k, k, k, 30}},
        {Fields({"", "LAND"}), {k, k, k, k, 32}},
        {Fields({"", "FLARE"}), {k, k, k, k, 33}},
        {Fields({"", "ROLL OUT"}), {k, k, k, k, 34}},
        // Lateral (field 3); landing modes there set the vertical word.
        {Fields({"", "", "NAV"}), {k, k, 20, k, k}},
        {Fields({"", "", "HDG"}), {k, k, 10, k, k}},
        {Fields({"", "", "RWY TRK"}), {k, k, 41, k, k}},
        {Fields({"", "", "GA TRK"}), {k, k, 50, k, k}},
        {Fields({"", "", "TRACK"}), {k, k, k, k, k}},
        {Fields({"", "", "TRK"}), {k, k, 11, k, k}},
        {Fields({"", "", "RWY"}), {k, k, 40, k, k}},
        {Fields({"", "", "LOC *"}), {k, k, 31, k, k}},
        {Fields({"", "", "LOC"}), {k, k, 30, k, k}},
        {Fields({"", "", "LAND"}), {k, k, k, k, 32}},
        {Fields({"", "", "FLARE"}), {k, k, k, k, 33}},
        {Fields({"", "", "ROLL OUT"}), {k, k, k, k, 34}},
        // Field 6; "THR L" and "ALPHA" are looked for in the text from byte 40.
        {Fields({"", "", "", "", "", "CLB T"}), {10, k, k, k, k}},
        {Fields({"", "", "", "THR LK", "", "-"}), {11, k, k, k, k}},
        {Fields({"THR LK", "", "", "", "", "-"}), {k, k, k, k, k}},
        {Fields({"", "", "", "", "", "IDLE T"}), {12, k, k, k, k}},
        {Fields({"", "", "", "", "", "TOGA LK"}), {14, k, k, k, k}},
        {Fields({"", "", "", "", "ALPHA", "-"}), {13, k, k, k, k}},
        // Armed vertical (field 7) and lateral (field 8).
        {Fields({"", "", "", "", "", "", "ALT CST"}), {k, k, k, 2, k}},
        {Fields({"", "", "", "", "", "", "ALT"}), {k, k, k, 1, k}},
        {Fields({"", "", "", "", "", "", "CLB"}), {k, k, k, 4, k}},
        {Fields({"", "", "", "", "", "", "DES"}), {k, k, k, 8, k}},
        {Fields({"", "", "", "", "", "", "G/S"}), {k, k, k, 8, k}},
        {Fields({"", "", "", "", "", "", "", "NAV"}), {k, 1, k, k, k}},
        {Fields({"", "", "", "", "", "", "", "LOC"}), {k, 2, k, k, k}},
        // Field 2 is read to 15 characters, the others to 9.
        {"F-" + std::string(12, ' ') + "SRS", {k, k, k, k, 40}},
        {"F-" + std::string(13, ' ') + "SRS", {k, k, k, k, k}},
        {std::string(4, ' ') + "SPEED", {7, k, k, k, k}},
        {std::string(5, ' ') + "SPEED", {k, k, k, k, k}},
        // The header's own marker is the first: the 9th ends the walk, and
        // what follows it is no field.
        {Fields({"", "", "", "", "", "", "", ""}) + "F-LOC", {k, k, k, k, k}},
        // The text ends at its first terminator.
        {std::string("SPEED") + '\0' + "F-SRS", {7, k, k, k, k}},
        {std::string("\0SPEED", 6), {k, k, k, k, k}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Decode(c.text), c.words);
    }
}

struct DecodeFmaTest : FenixFixture {
    DecodeFmaTest() {
        for (std::size_t w = 38; w <= 42; ++w) record.words[w] = k;
    }
    Modes Words() const {
        return {record.words[38], record.words[39], record.words[40], record.words[41], record.words[42]};
    }
    // The display process open and the block's address known.
    void Found() {
        fenix().displayProcess = fakes::FakeProcessMemory::HandleOf(kDisplay);
        fenix().fmaAddress = kFma;
    }
    link::SnapshotRecord record;
};

const std::string kLive = Fields({"SPEED", "ALT", "NAV", "1   2"});

TEST_F(DecodeFmaTest, ALiveBlockIsDecodedAtOnce) {
    PutFma(kLive);
    Found();
    DecodeFma(fake.server, record);
    EXPECT_EQ(Words(), (Modes{7, k, 20, k, 10}));
    EXPECT_EQ(fake.memory.reads, 1u);
    EXPECT_EQ(Count("Clock.Sleep"), 0u);
    EXPECT_EQ(Count("Threads.Start"), 0u);
}

// A block that never reads live is read 400 times, 1 ms apart, then searched
// for once; while the search runs, nothing is read and nothing started.
TEST_F(DecodeFmaTest, ABlockThatStaysDeadIsSearchedForOnce) {
    PutFma(Fields({"SPEED", "ALT", "NAV", "1   3"}));
    Found();
    DecodeFma(fake.server, record);
    EXPECT_EQ(fake.memory.reads, 400u);
    EXPECT_EQ(fake.journal.EntriesStartingWith("Clock.Sleep"), std::vector<std::string>(399, "Clock.Sleep 1"));
    EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.Start"), std::vector<std::string>{"Threads.Start priority=1"});
    EXPECT_EQ(LogLines(), std::vector<std::string>{"Looking for data 2"});
    EXPECT_EQ(fenix().fmaAddress, 0u) << "forgotten";
    EXPECT_EQ(Words(), (Modes{k, k, k, k, k}));

    fake.memory.reads = 0;
    DecodeFma(fake.server, record);
    EXPECT_EQ(fake.memory.reads, 0u) << "a search runs";
    EXPECT_EQ(Count("Threads.Start"), 1u);

    // The block comes alive meanwhile: the search finds it through the display window.
    PutFma(kLive);
    fake.threads.RunNextThread();
    EXPECT_EQ(fenix().fmaAddress, kFma);
    EXPECT_FALSE(IsFmaSearchRunning(fake.server));
    EXPECT_EQ(LogLines().back(), "Fenix A320 data 2 available");
    DecodeFma(fake.server, record);
    EXPECT_EQ(Words(), (Modes{7, k, 20, k, 10}));
}

// A read cut short leaves nothing that could pass for the block: the words
// stay, and the block is searched for again.
TEST_F(DecodeFmaTest, AFailedReadIsNoBlock) {
    PutFma(kLive);
    Found();
    DecodeFma(fake.server, record);
    for (std::size_t w = 38; w <= 42; ++w) record.words[w] = k;
    DisplayBytes().resize(kFma - kDisplayBase + 100);  // the block's end can no longer be read
    DecodeFma(fake.server, record);
    EXPECT_EQ(Words(), (Modes{k, k, k, k, k}));
    EXPECT_EQ(Count("Threads.Start"), 1u);
    fake.threads.RunNextThread();
    EXPECT_EQ(fenix().fmaAddress, 0u) << "the search finds no whole block either";
    EXPECT_EQ(LogLines(), std::vector<std::string>{"Looking for data 2"});
}

// Without a display window there is nothing to search; the next call tries again.
TEST_F(DecodeFmaTest, NoDisplayWindowEndsTheSearch) {
    fake.desktop.RemoveWindow(displayWindow);
    DecodeFma(fake.server, record);
    fake.threads.RunNextThread();
    EXPECT_FALSE(IsFmaSearchRunning(fake.server));
    EXPECT_EQ(fenix().displayProcess, 0u);
    // A display window of another class, with its caption, is the display.
    fake.desktop.AddWindow({"SomeOtherClass", "Fenix Display", true, kDisplay});
    PutFma(kLive);
    DecodeFma(fake.server, record);
    fake.threads.RunNextThread();
    EXPECT_EQ(fenix().fmaAddress, kFma);
    EXPECT_EQ(Count("Threads.Start"), 2u);
}

}  // namespace
}  // namespace tarvo::adapters::fenix
