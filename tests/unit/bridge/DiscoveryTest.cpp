#include "bridge/Discovery.h"

#include "bridge/Registry.h"
#include "fixtures/DiscoveryFixture.h"
#include "link/Messages.h"
#include "simworld/WasmModule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>

namespace tarvo::bridge {
namespace {

// The list-order rule spelt out: each name against every wanted name in
// order, ignoring ASCII case, first equal one wins.
std::size_t MatchNamesOneByOne(const NameListCopy& names, std::span<const WantedVariable> wanted,
                               VariableSlots& slots) {
    const auto equal = [](std::string_view a, std::string_view b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
               });
    };
    std::size_t found = 0;
    for (const auto& [id, name] : names) {
        for (const WantedVariable& variable : wanted) {
            if (!equal(name, variable.name)) continue;
            if (variable.slot != kNoSlot) slots.Set(variable.slot, static_cast<std::uint16_t>(id));
            if (variable.alsoSlot != kNoSlot) slots.Set(variable.alsoSlot, static_cast<std::uint16_t>(id));
            if (variable.counts) ++found;
            break;
        }
    }
    return found;
}

TEST(NameListCopy, HoldsIdsInOrderAndKeepsAnIdsFirstName) {
    NameListCopy names = {{7, "SEVEN"}, {2, "TWO"}};
    EXPECT_TRUE(names.emplace(9, "NINE"));
    EXPECT_TRUE(names.emplace(-1, "BEFORE"));
    EXPECT_TRUE(names.emplace(5, "FIVE"));
    EXPECT_FALSE(names.emplace(7, "LATER")) << "an id keeps the name it has";
    EXPECT_FALSE(names.emplace(9, "LATER"));
    names[3] = "THREE";
    names[2] += "!";
    const std::vector<NameListCopy::Entry> entries(names.begin(), names.end());
    EXPECT_EQ(entries, (std::vector<NameListCopy::Entry>{
                           {-1, "BEFORE"}, {2, "TWO!"}, {3, "THREE"}, {5, "FIVE"}, {7, "SEVEN"}, {9, "NINE"}}));
}

TEST(MatchNames, FillsSlotsByNameIgnoringCase) {
    const WantedVariable wanted[] = {
        {"I_FCU_EFIS1_FD", 3},
        {"S_OH_EXT_LT_NAV_LOGO", 10, 11, false},  // one variable, two cockpit functions
        {"S_FCU_AP1", 20},
        {"s_fcu_ap1", 21},  // a second spelling of a name already wanted: the first wins
    };
    const NameListCopy names = {
        {0, "SOMETHING_ELSE"}, {4, "i_fcu_efis1_fd"}, {7, "S_OH_EXT_LT_NAV_LOGO"}, {9, "S_FCU_AP1"}, {70000, "S_FCU_AP1"},
    };
    VariableSlots slots;
    EXPECT_EQ(MatchNames(names, NameIndex(wanted), slots), 3u) << "the logo light does not count";
    EXPECT_EQ(slots.Get(3), 4);
    EXPECT_EQ(slots.Get(10), 7);
    EXPECT_EQ(slots.Get(11), 7);
    EXPECT_EQ(slots.Get(20), static_cast<std::uint16_t>(70000)) << "the later id wins, cut to 16 bits";
    EXPECT_EQ(slots.Get(21), kNotFound);
    EXPECT_EQ(slots.Get(VariableSlots::kCount), kNotFound) << "past the table";
}

TEST(MatchNames, ComparesNamesAsFarAsA128ByteBufferHoldsThem) {
    const std::string wantedName = std::string(127, 'A') + "_WANTED";
    const WantedVariable wanted[] = {{wantedName, 5}, {"SHORT_NAME", 6}};
    const NameListCopy names = {{1, std::string(127, 'a') + "_listed"}, {2, "short_name_"}};
    VariableSlots slots;
    EXPECT_EQ(MatchNames(names, NameIndex(wanted), slots), 1u);
    EXPECT_EQ(slots.Get(5), 1) << "they differ only past the 127th character";
    EXPECT_EQ(slots.Get(6), kNotFound);
}

// The wanted variables for these names, with slots, second slots and
// non-counting entries spread among them.
std::vector<WantedVariable> WantedFor(const std::vector<std::string>& names) {
    std::vector<WantedVariable> wanted;
    for (std::size_t i = 0; i < names.size(); ++i) {
        wanted.push_back({names[i], static_cast<std::uint16_t>(i % VariableSlots::kCount),
                          i % 7 == 0 ? static_cast<std::uint16_t>((i + 1) % VariableSlots::kCount) : kNoSlot,
                          i % 5 != 0});
    }
    return wanted;
}

void ExpectSameAsOneByOne(const NameListCopy& names, std::span<const WantedVariable> wanted) {
    VariableSlots indexed;
    VariableSlots oneByOne;
    EXPECT_EQ(MatchNames(names, NameIndex(wanted), indexed), MatchNamesOneByOne(names, wanted, oneByOne));
    for (std::size_t slot = 0; slot < VariableSlots::kCount; ++slot) {
        EXPECT_EQ(indexed.Get(slot), oneByOne.Get(slot)) << "slot " << slot;
    }
}

TEST(MatchNames, GivesWhatComparingOneByOneGives) {
    std::mt19937 random(81);
    const auto name = [&](std::size_t n) {
        std::string text = "L_VAR_" + std::to_string(n % 900);
        for (char& c : text) {
            if (random() % 3 == 0) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return text;
    };
    std::vector<std::string> wantedNames;
    for (std::size_t i = 0; i < 650; ++i) wantedNames.push_back(name(random()));
    NameListCopy names;
    for (std::int32_t id = 0; id < 5000; ++id) names[id] = name(random());
    ExpectSameAsOneByOne(names, WantedFor(wantedNames));
}

// Names of every length a buffer holds, of the bytes at the edges of the
// letters and with the high bit set, where folding eight bytes at a time
// could go wrong; the module lists them with their case changed, one byte
// turned into its neighbour across an edge, one byte more or less, or new.
TEST(MatchNames, FoldsOnlyAsciiLettersAtEveryLength) {
    std::mt19937 random(27);
    const std::string bytes = "@AZ[`az{_0\xC1\xE1\xDA\xFA\x80\xFF";
    const auto pick = [&] { return bytes[random() % bytes.size()]; };
    std::vector<std::string> wantedNames;
    for (std::size_t i = 0; i < 300; ++i) {
        std::string text(random() % 127, ' ');
        for (char& c : text) c = pick();
        wantedNames.push_back(text);
    }
    NameListCopy names;
    for (std::int32_t id = 0; id < 6000; ++id) {
        std::string text = wantedNames[random() % wantedNames.size()];
        const std::size_t at = text.empty() ? 0 : random() % text.size();
        switch (random() % 4) {
            case 0:
                for (char& c : text) {
                    if (random() % 2 == 0) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
                }
                break;
            case 1:
                if (!text.empty()) text[at] = static_cast<char>(text[at] ^ (random() % 2 == 0 ? 0x20 : 0x80));
                break;
            case 2:
                if (random() % 2 == 0 && !text.empty()) {
                    text.erase(at, 1);
                } else {
                    text.insert(at, 1, pick());
                }
                break;
            default:
                for (char& c : text) c = pick();
                break;
        }
        names[id] = text;
    }
    ExpectSameAsOneByOne(names, WantedFor(wantedNames));
}

struct DiscoveryTest : DiscoveryFixture {};

void CountFollowUp(Server& server) { server.log.Write("follow-up"); }

TEST_F(DiscoveryTest, ALongEnoughListNeedsOnePass) {
    LoadAircraft(2100);
    const WantedVariable wanted[] = {{"LVAR_7", 1}, {"lvar_2099", 2}, {"NOT_THERE", 3}};
    RunDiscoveryRoutine(fake.server, {"Looking for Fenix A320 Specific lvars", "Retrieved all relevant Fenix Lvars",
                                      wanted, 2100, 2, nullptr, CountFollowUp});
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"Looking for Fenix A320 Specific lvars",
                                                    "Retrieved all relevant Fenix Lvars", "follow-up"}));
    EXPECT_EQ(fake.server.bridge.slots.Get(1), 7);
    EXPECT_EQ(fake.server.bridge.slots.Get(2), 2099);
    EXPECT_EQ(fake.server.bridge.slots.Get(3), kNotFound);
    EXPECT_TRUE(Entries({"Clock.Sleep"}).empty());
}

TEST_F(DiscoveryTest, AShortListGetsFourPassesThenTheCrewAppIsClosed) {
    LoadAircraft(50);
    const WantedVariable wanted[] = {{"LVAR_1", 1}, {"LVAR_900", 2}};
    RunDiscoveryRoutine(fake.server, {"start", "success", wanted, 2100, 2, nullptr, CountFollowUp});
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"start", "Looking for more Lvars", "Looking for more Lvars",
                                                    "Looking for more Lvars"}));
    EXPECT_EQ(fake.server.bridge.slots.Get(1), 1) << "what was found stays";
    EXPECT_EQ(Entries({"Clock.Sleep", "Desktop.SendKeyEvent", "Desktop.Post"}),
              (std::vector<std::string>{
                  "Clock.Sleep 5000", "Clock.Sleep 5000", "Clock.Sleep 5000",
                  "Desktop.SendKeyEvent 27 0", "Clock.Sleep 250", "Desktop.SendKeyEvent 27 2", "Clock.Sleep 3000",
                  "Desktop.Post 16",
              }));
    ASSERT_EQ(fake.desktop.posts.size(), 1u);
    EXPECT_EQ(fake.desktop.posts[0], (fakes::PostedMessage{kCrewWindow, 16, 1, 1}));
}

// The variants adapters ask of the pattern: a list length decided after each
// pass, a verdict of their own that never closes the crew app, no start line,
// a name that fills (and counts) every entry listing it, a flag set by a name,
// slots of names no longer listed forgotten, and a longer pause between passes.
bool gFlag = false;
std::size_t gEnough = 0;
TEST_F(DiscoveryTest, AdaptersShapeThePatternByTheirPlan) {
    LoadAircraft(30);
    gFlag = false;
    fake.server.bridge.slots.Set(9, 99);  // an id left by an earlier run
    const WantedVariable wanted[] = {
        {"LVAR_1", 1, kNoSlot, true, [](Server&) { gFlag = true; }},
        {"LVAR_2", 2},
        {"lvar_2", 3},  // the same name again: with everyEntry it fills and counts too
        {"GONE", 9},
    };
    DiscoveryPlan plan{"", "", wanted, 0, 0};
    plan.totalNamesNow = [](Server&) { return gEnough; };
    plan.judge = [](Server&, const DiscoveryResult& result) {
        return DiscoveryVerdict{"found " + std::to_string(result.found) + " of " + std::to_string(result.names),
                                false};
    };
    plan.closeCrewAppWhenIncomplete = false;
    plan.everyEntry = true;
    plan.forgetsUnfound = true;
    plan.extraPassPauseMilliseconds = 1;

    gEnough = 31;  // one short: four passes
    const DiscoveryResult result = RunDiscoveryRoutine(fake.server, plan);
    EXPECT_EQ(result.found, 3u);
    EXPECT_EQ(result.names, 30u);
    EXPECT_FALSE(result.complete);
    EXPECT_TRUE(gFlag);
    EXPECT_EQ(fake.server.bridge.slots.Get(3), 2);
    EXPECT_EQ(fake.server.bridge.slots.Get(9), kNotFound) << "forgotten: the module no longer lists it";
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"Looking for more Lvars", "Looking for more Lvars",
                                                    "Looking for more Lvars", "found 3 of 30"}));
    EXPECT_EQ(Entries({"Clock.Sleep", "Desktop"}),
              (std::vector<std::string>{"Clock.Sleep 5000", "Clock.Sleep 1", "Clock.Sleep 5000", "Clock.Sleep 1",
                                        "Clock.Sleep 5000", "Clock.Sleep 1"}))
        << "never Escape or WM_CLOSE";

    fake.journal.Clear();
    gEnough = 30;
    plan.everyEntry = false;
    EXPECT_EQ(RunDiscoveryRoutine(fake.server, plan).found, 2u) << "the first equal entry only";
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"found 2 of 30"}));
}

TEST_F(DiscoveryTest, HvarsTakeOnePass) {
    LoadAircraft(20, {"H:A320_Neo_FCU_HDG_PUSH", "H:A320_Neo_CDU_1_BTN_L1"});
    const WantedVariable wanted[] = {{"H:A320_NEO_CDU_1_BTN_L1", 5}, {"H:A320_Neo_FCU_ALT_PUSH", 6}};
    RunHvarDiscovery(fake.server, {"", "Hvars found", wanted, 0, 1});
    RunHvarDiscovery(fake.server, {"", "Hvars found", wanted, 0, 2});
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"Hvars found", "Not all Hvars are accounted for"}));
    EXPECT_EQ(fake.server.bridge.slots.Get(5), 1);
    EXPECT_TRUE(Entries({"Clock.Sleep", "Desktop.Post"}).empty());
}

TEST_F(DiscoveryTest, WithoutABridgeNothingHappens) {
    const WantedVariable wanted[] = {{"LVAR_1", 1}};
    RunDiscoveryRoutine(fake.server, {"start", "success", wanted, 1, 1});
    RunHvarDiscovery(fake.server, {"start", "success", wanted, 1, 1});
    SetLvarValue(fake.server, 1, 1.0);
    EXPECT_EQ(GetLvarValue(fake.server, 1), 0.0);
    EXPECT_TRUE(fake.journal.Entries().empty());
}

TEST_F(DiscoveryTest, RegistryKeepsNamesAlreadyCopiedAndPressesMomentarily) {
    LoadAircraft(10, {}, true);
    NameListCopy names = {{5, "MINE"}};
    CopyLvarNames(fake.server, names);
    EXPECT_EQ(names.size(), 10u);
    EXPECT_EQ(names[5], "MINE");
    EXPECT_EQ(names[6], "LVAR_6");

    PressLvarMomentarily(fake.server, 3);
    PressLvarMomentarily(fake.server, kNotFound);
    const auto records = module.SetLvarRecords();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0], (std::pair<std::uint32_t, double>{3, 1.0}));
    EXPECT_EQ(records[2], (std::pair<std::uint32_t, double>{3, 0.0}));
    EXPECT_EQ(Entries({"Clock.Sleep 100"}), (std::vector<std::string>{"Clock.Sleep 100", "Clock.Sleep 100"}));
}

}  // namespace
}  // namespace tarvo::bridge
