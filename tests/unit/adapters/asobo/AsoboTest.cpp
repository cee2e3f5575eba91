// The Asobo 747 and 787 and the Working Title CJ4: their discovery against the
// stand-in profiles, the flags it sets, and the generic adapter's rows on what
// it found.
#include "adapters/asobo/LoadedAircraft.h"

#include "adapters/Selection.h"
#include "adapters/generic/GenericAdapter.h"
#include "adapters/gsx/Gsx.h"
#include "link/Reports.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>

namespace tarvo::adapters {
namespace {

using Lines = std::vector<std::string>;
constexpr const char* kMore = "Looking for more Lvars";

struct RoutineCase {
    const char* what;
    std::int32_t aircraft;
    const char* profile;
    std::size_t lvars;    // the profile padded to this many
    std::size_t grownTo;  // the module's list during the first pause, when not 0
    Lines lines;
    std::vector<std::uint32_t> pauses;
};

struct AsoboRoutineTest : LoadedAircraftFixture, ::testing::WithParamInterface<RoutineCase> {};

TEST_P(AsoboRoutineTest, PassesAndLines) {
    const RoutineCase& c = GetParam();
    Load(Profile(c.profile), c.lvars);
    ForgetEverything();
    if (c.grownTo != 0) {
        duringPause = [this, &c](std::uint32_t ms) {
            if (ms == 5000 && profile.lvars.size() < c.grownTo) Load(Profile(c.profile), c.grownTo);
        };
    }
    Discover(c.aircraft);
    EXPECT_EQ(DiscoveryLines(), c.lines);
    EXPECT_EQ(pauses, c.pauses);
    EXPECT_TRUE(fake.journal.EntriesStartingWith("Desktop.SendKeyEvent").empty()) << "no Escape";
    EXPECT_TRUE(fake.desktop.posts.empty()) << "no WM_CLOSE";
}

const std::vector<std::uint32_t> kFourPasses = {5000, 1, 5000, 1, 5000, 1};

INSTANTIATE_TEST_SUITE_P(
    Asobo, AsoboRoutineTest,
    ::testing::Values(
        RoutineCase{"a 747 with a long list", 57, "asobo747", 80, 0, {"Retrieved 80 LVRAS for ASOBO plane"}, {}},
        RoutineCase{"a CaptainSim 777 with a short list",
                    30,
                    "asobo747",
                    40,
                    0,
                    {kMore, kMore, kMore, "Retrieved LVRAS for CaptainSim 777 plane"},
                    kFourPasses},
        RoutineCase{
            "a 747 whose list grows", 57, "asobo747", 40, 70, {kMore, "Retrieved 70 LVRAS for ASOBO plane"}, {5000, 1}},
        // The copy's size, not the matches; its H: events log nothing.
        RoutineCase{"the 787", 56, "asobo787", 0, 0, {"Retrieved 65 LVRAS for ASOBO 787"}, {}},
        // Eight events never make the hundred its H: event pass asks for.
        RoutineCase{"the CJ4", 59, "cj4", 60, 0, {"Retrieved LVRAS for CJ4", "Not all Hvars are accounted for"}, {}},
        RoutineCase{"the Just Flight 146", 39, "cj4", 60, 0, {}, {}}),
    [](const auto& info) {
        std::string name;
        for (const char* c = info.param.what; *c != 0; ++c) {
            if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
        }
        return name;
    });

struct AsoboTest : LoadedAircraftFixture {};

// Each profile is typed apart from the routines' lists, so a name misspelt on
// either side leaves a slot empty. The 747's two transponder names share one.
TEST_F(AsoboTest, EveryNameOfTheProfilesFillsItsSlot) {
    struct Case {
        std::int32_t aircraft;
        const char* profile;
        std::size_t slots;
        bool b747, cj4;
    };
    const Case cases[] = {
        {57, "asobo747", 37 - 1, true, false},
        {56, "asobo787", 65 - 1 + 139, false, false},
        {59, "cj4", 16 + 8 + 61, false, true},  // the FMC's 63 keys name DIV and DIR twice
        {39, "cj4", 8 + 61, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.aircraft);
        Load(Profile(c.profile), 60);
        ForgetEverything();
        Discover(c.aircraft);
        EXPECT_EQ(FilledSlots(), c.slots);
        EXPECT_EQ(fake.server.adapters.asobo747Flag, c.b747);
        EXPECT_EQ(fake.server.adapters.cj4Flag, c.cj4);
    }
}

TEST_F(AsoboTest, NamesFillTheSlotsOfTheirFunctions) {
    Load(Profile("asobo747"));
    Discover(57);
    // The 747's second autopilot is its variable numbered 3.
    EXPECT_EQ(SlotId(fake.server, Slot::Autopilot1Light), LvarId("XMLVAR_Autopilot_1_Status"));
    EXPECT_EQ(SlotId(fake.server, Slot::Autopilot2Light), LvarId("XMLVAR_Autopilot_3_Status"));
    EXPECT_EQ(SlotId(fake.server, Slot::Autopilot3Light), LvarId("XMLVAR_Autopilot_2_Status"));
    EXPECT_EQ(SlotId(fake.server, Slot::MasterWarningLight), LvarId("Generic_Master_Warning_Active"));

    // The transponder's two names fill one slot: the later in the module's list wins.
    const std::pair<simworld::AircraftProfile, const char*> transponders[] = {
        {Lvars({"XMLVAR_Transponder_Mode", "P30_010_GL5"}), "P30_010_GL5"},
        {Lvars({"P30_010_GL5", "XMLVAR_Transponder_Mode"}), "XMLVAR_Transponder_Mode"},
        {Lvars({"XMLVAR_Transponder_Mode"}), "XMLVAR_Transponder_Mode"},
    };
    for (const auto& [lvars, winner] : transponders) {
        Load(lvars);
        ForgetEverything();
        Discover(57);
        EXPECT_EQ(SlotId(fake.server, Slot::TransponderModeSelector), LvarId(winner)) << winner;
    }

    Load(Profile("cj4"));
    Discover(59);
    EXPECT_EQ(SlotId(fake.server, Slot::LnavArmedState), LvarId("WT_CJ4_NAV_ON"));
    EXPECT_EQ(SlotId(fake.server, Slot::HeadingModeButtonEvent), HvarId("H:WT_CJ4_AP_HDG_PRESSED"));
}

TEST_F(AsoboTest, FlagsComeFromTheirOwnNames) {
    struct Case {
        std::int32_t aircraft;
        simworld::AircraftProfile names;
        bool b747, cj4;
    };
    simworld::AircraftProfile event;
    event.hvars = {"H:WT_CJ4_AP_FD_TOGGLE"};
    const Case cases[] = {
        {57, Lvars({"747_IRS_KNOB_2"}), true, false},
        {57, Lvars({"XMLVAR_EICAS_CURRENT_PAGE"}), true, false},
        {30, Lvars({"747_Aircond_Knob_1"}), true, false},
        {57, Lvars({"XMLVAR_Autopilot_1_Status"}), true, false},
        {57, Lvars({"AP_ALT_HOLD_ACTIVE"}), false, false},
        {59, Lvars({"SEATBELT_LIGHT_ON"}), false, true},
        {59, Lvars({"LIGHTING_NAV_1"}), false, false},
        {59, event, false, true},
        {39, event, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.names.lvars.empty() ? c.names.hvars[0] : c.names.lvars[0].first);
        Load(c.names, 1);  // the lvar passes wait for a name
        ForgetEverything();
        Discover(c.aircraft);
        EXPECT_EQ(fake.server.adapters.asobo747Flag, c.b747);
        EXPECT_EQ(fake.server.adapters.cj4Flag, c.cj4);
    }
}

// The generic adapter's rows on what discovery found, and nothing where it found nothing.
TEST_F(AsoboTest, RowsActOnTheDiscoveredVariables) {
    struct Case {
        std::int32_t aircraft;
        const char* profile;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> commands;
        Lines received;
    };
    const Case cases[] = {
        {57,
         "asobo747",
         {{65580, 1}, {67942, 1}, {67943, 0}},
         {"XMLVAR_Autopilot_1_Status=1", "XMLVAR_Autopilot_3_Status=1", "XMLVAR_Autopilot_2_Status=0"}},
        // One FMC for both seats.
        {56, "asobo787", {{69537, 2}, {69583, 1}}, {"fire H:AS01B_FMC_1_TRIGGER_LSK_0", "fire H:AS01B_FMC_1_BTN_DIV"}},
        // The CJ4 has no first officer's FMC.
        {59,
         "cj4",
         {{65725, 1}, {67952, 1}, {69537, 2}, {69537, 1}},
         {"fire H:WT_CJ4_AP_HDG_PRESSED", "WT_CJ4_NAV_ON=1", "fire H:CJ4_FMC_1_BTN_L1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.aircraft);
        Load(Profile(c.profile), 60);
        ForgetEverything();
        Discover(c.aircraft);
        const std::size_t before = module.Receipts().size();
        ClearCalls();
        for (const auto& [code, value] : c.commands) Run(code, value);
        const Lines received = Receipts();
        EXPECT_EQ(Lines(received.begin() + static_cast<std::ptrdiff_t>(before), received.end()), c.received);
        for (const std::string& event : Events()) EXPECT_FALSE(event.starts_with("AP_MASTER")) << event;
    }
}

// A rule of thumb for the answers below: the records say 0, the variables 1.
double Ask(Server& server, std::uint32_t code) {
    link::ValueQuery query;
    query.code = code;
    generic::QueryValue(server, query);
    double value = 0;
    std::memcpy(&value, query.value.data(), sizeof value);
    return value;
}

// What discovery found belongs to its aircraft: after a 747, a CaptainSim 777
// without the 747's names is no 747, and after GSX was found on one aircraft
// the crew app may look for it again on the next.
TEST_F(AsoboTest, AnAircraftChangeForgetsWhatDiscoveryFound) {
    Load(Joined(Profile("asobo747"), Profile("gsx")));
    Discover(57);
    gsx::Discover(fake.server);
    ASSERT_TRUE(fake.server.adapters.asobo747Flag);
    ASSERT_TRUE(fake.server.adapters.groundServicesFound);

    fake.threads.FailNextThread();  // the test plays the discovery thread
    SelectAdapter(fake.server, 30, 0);
    EXPECT_FALSE(fake.server.adapters.asobo747Flag);
    EXPECT_FALSE(fake.server.adapters.groundServicesFound);
    EXPECT_EQ(FilledSlots(), 0u);

    // The new aircraft's bridge: autopilot 3 engaged in a variable of the 747's
    // list, five GSX names while GSX has not started.
    StopWorker();
    Load(Joined(Lvars({"XMLVAR_Autopilot_2_Status"}), Profile("gsx", 5)));
    Discover(30);
    gsx::Discover(fake.server);
    SetSlotValue(Slot::Autopilot3Light, 1.0);
    EXPECT_EQ(Ask(fake.server, 103), 0.0) << "the simulator's autopilots answer, not the 747's variables";
    fake.journal.Clear();
    Run(69109, 1);
    EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.Start"), Lines{"Threads.Start priority=-2"});
    RunWorkers();
}

}  // namespace
}  // namespace tarvo::adapters
