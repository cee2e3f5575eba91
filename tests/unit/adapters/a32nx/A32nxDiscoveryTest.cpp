// The A32NX's and the A320neo's discovery against the stand-in module's
// aircraft profiles, on the driven clock.
#include "adapters/Slots.h"
#include "adapters/a32nx/A32nx.h"
#include "bridge/Registry.h"
#include "fixtures/DiscoveryFixture.h"
#include "profiles/Profiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace tarvo::adapters::a32nx {
namespace {

using Lines = std::vector<std::string>;

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The profile's lvars without its filler.
simworld::AircraftProfile Named(simworld::AircraftProfile profile) {
    std::erase_if(profile.lvars, [](const auto& lvar) { return lvar.first.starts_with("FILLER_"); });
    return profile;
}

// The first lvars and hvars of a profile, padded to a list of total names.
simworld::AircraftProfile Cut(simworld::AircraftProfile profile, std::size_t lvars, std::size_t hvars,
                              std::size_t total = 0) {
    profile = Named(std::move(profile));
    profile.lvars.resize(std::min(lvars, profile.lvars.size()));
    profile.hvars.resize(std::min(hvars, profile.hvars.size()));
    profiles::PadLvars(profile, total);
    return profile;
}

struct A32nxDiscoveryTest : bridge::DiscoveryFixture {
    void Load(const simworld::AircraftProfile& profile) {
        module.Load(profile);
        StartBridge();
        AskForConfiguration();
        WaitUntil([&] { return bridge::CurrentBridge(fake.server)->LvarCount() == profile.lvars.size(); });
        WaitUntil([&] {
            bridge::NameListCopy hvars;
            bridge::CopyHvarNames(fake.server, hvars);
            return hvars.size() == profile.hvars.size();
        });
        StopWorker();
        fake.journal.Clear();
    }

    std::uint16_t Id(Slot slot) const { return fake.server.bridge.slots.Get(Cell(slot)); }
    bool A320LvarsFound() const { return fake.server.adapters.a320LvarsFound; }
    bool EventFlag() const { return fake.server.adapters.a32nxEventFlag; }
};

constexpr const char* kStart = "Looking for FlybyWire Specific lvars";
constexpr const char* kMore = "Looking for more Lvars";
constexpr const char* kFlyByWire = "Retrieved all relevant FlyByWire Lvars";
constexpr const char* kAsobo = "Retrieved all relevant ASOBO A320 Lvars";
constexpr const char* kHvarsComplete = "Retrieved all relevant FlyByWire Hvars";
constexpr const char* kHvarsShort = "Not all Hvars are accounted for";

// Passes, lines and flags by what the aircraft lists. The A32NX profile's
// first 140 names hold 139 that count (the nav light does not), its first 145
// H: events as many matches; the A320neo's names all count.
struct Case {
    const char* what;
    simworld::AircraftProfile (*profile)();
    int passes;
    const char* lvarLine;  // nullptr: incomplete
    const char* hvarLine;
    bool a320Lvars;
    bool eventFlag;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.what;
}

struct Outcome : A32nxDiscoveryTest, ::testing::WithParamInterface<Case> {};

// clang-format off
const Case kCases[] = {
    {"A32nxOf1300Names", profiles::A32nx, 1, kFlyByWire, kHvarsComplete, true, true},
    {"A32nxOf1299Names", [] { return Cut(profiles::A32nx(), 1000, 149, 1299); }, 4, kFlyByWire, kHvarsComplete, true, true},
    {"Counted139WithTheA320Names", [] { return Cut(profiles::A32nx(), 140, 149, 1300); }, 1, nullptr, kHvarsComplete, true, true},
    {"Counted140WithTheA320Names", [] { return Cut(profiles::A32nx(), 141, 149, 1300); }, 1, kFlyByWire, kHvarsComplete, true, true},
    {"HvarsMatched144", [] { return Cut(profiles::A32nx(), 1000, 144, 1300); }, 1, kFlyByWire, kHvarsShort, true, true},
    {"HvarsMatched145", [] { return Cut(profiles::A32nx(), 1000, 145, 1300); }, 1, kFlyByWire, kHvarsComplete, true, true},
    {"TheSimulatorsA320neo", profiles::A320neo, 4, kAsobo, kHvarsShort, false, false},
    {"A320neoOf140Names", [] { return Cut(profiles::A320neo(), 25, 13, 140); }, 1, kAsobo, kHvarsShort, false, false},
    {"Counted20", [] { return Cut(profiles::A320neo(), 20, 13); }, 4, kAsobo, kHvarsShort, false, false},
    {"Counted19", [] { return Cut(profiles::A320neo(), 19, 13); }, 4, nullptr, kHvarsShort, false, false},
};
// clang-format on

TEST_P(Outcome, PassesLinesAndFlags) {
    const Case& c = GetParam();
    Load(c.profile());
    // Left by an earlier aircraft: each pass starts from clear flags.
    fake.server.adapters.a320LvarsFound = true;
    fake.server.adapters.a32nxEventFlag = true;

    Discover(fake.server);

    Lines log{kStart};
    Lines waits;
    for (int pass = 1; pass < c.passes; ++pass) {
        log.emplace_back(kMore);
        waits.emplace_back("Clock.Sleep 5000");
    }
    if (c.lvarLine != nullptr) log.emplace_back(c.lvarLine);
    log.emplace_back(c.hvarLine);
    EXPECT_EQ(LogLines(), log);
    if (c.lvarLine == nullptr) {
        // Escape, then the crew app is closed; the H: events are still looked for.
        waits.insert(waits.end(), {"Clock.Sleep 250", "Clock.Sleep 3000"});
        ASSERT_EQ(fake.desktop.posts.size(), 1u);
        EXPECT_EQ(fake.desktop.posts[0], (fakes::PostedMessage{kCrewWindow, 16, 1, 1}));
    } else {
        EXPECT_TRUE(fake.desktop.posts.empty());
    }
    EXPECT_EQ(Entries({"Clock.Sleep"}), waits);
    EXPECT_EQ(A320LvarsFound(), c.a320Lvars);
    EXPECT_EQ(EventFlag(), c.eventFlag);
}

INSTANTIATE_TEST_SUITE_P(A32nxDiscovery, Outcome, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.what); });

// Every name the server looks for is one the aircraft lists, and the other
// way round: a typo on either side fails here.
TEST_F(A32nxDiscoveryTest, TheListsAndTheAircraftNameTheSameVariables) {
    const auto profile = Named(profiles::A32nx());
    std::vector<std::string> lvars;
    for (const auto& lvar : profile.lvars) lvars.push_back(lvar.first);
    const auto sameNames = [](std::span<const bridge::WantedVariable> wanted, const std::vector<std::string>& listed) {
        const auto in = [](const auto& names, std::string_view name, auto text) {
            return std::any_of(names.begin(), names.end(),
                               [&](const auto& n) { return EqualIgnoringCase(text(n), name); });
        };
        const auto ofWanted = [](const bridge::WantedVariable& w) { return w.name; };
        const auto ofListed = [](const std::string& n) { return std::string_view(n); };
        for (const auto& w : wanted) EXPECT_TRUE(in(listed, w.name, ofListed)) << "not in the aircraft: " << w.name;
        for (const auto& n : listed) EXPECT_TRUE(in(wanted, n, ofWanted)) << "not looked for: " << n;
    };
    sameNames(LvarList(), lvars);
    sameNames(HvarList(), profile.hvars);
    EXPECT_EQ(profile.lvars.size(), 201u);
    EXPECT_EQ(profile.hvars.size(), 149u);
}

// The cells the generic commands and queries read hold the A32NX's variables.
TEST_F(A32nxDiscoveryTest, TheA32nxFillsTheCellsOfItsCockpitFunctions) {
    const auto profile = profiles::A32nx();
    Load(profile);
    Discover(fake.server);
    const auto name = [&](Slot slot) -> std::string {
        const std::uint16_t id = Id(slot);
        return id < profile.lvars.size() ? profile.lvars[id].first : "not found";
    };
    const std::pair<Slot, std::string_view> cells[] = {
        {Slot::StrobeLightSwitch, "LIGHTING_STROBE_0"},
        {Slot::NoSmokingSignSwitch, "XMLVAR_SWITCH_OVHD_INTLT_NOSMOKING_Position"},
        {Slot::ParkingBrakeLever, "A32NX_PARK_BRAKE_LEVER_POS"},
        {Slot::Battery1Switch, "A32NX_OVHD_ELEC_BAT_1_PB_IS_AUTO"},
        {Slot::NavLightSwitch, "LIGHTING_NAV_0"},
        {Slot::EcamSystemPageSelector, "A32NX_ECAM_SD_CURRENT_PAGE_INDEX"},
        {Slot::TakeoffFlexTemperatureValue, "AIRLINER_TO_FLEX_TEMP"},
        {Slot::FmaAutothrustModeValue, "A32NX_AUTOTHRUST_MODE"},
        {Slot::AutothrustStatusValue, "A32NX_AUTOTHRUST_STATUS"},
    };
    for (const auto& [slot, expected] : cells) EXPECT_EQ(name(slot), expected) << SlotName(slot);
    EXPECT_EQ(Id(Slot::LogoLightSwitch), bridge::kNotFound) << "the nav light alone";
    const auto menu = std::find(profile.hvars.begin(), profile.hvars.end(), "H:A320_Neo_CDU_2_BTN_MENU");
    EXPECT_EQ(Id(Slot::Cdu2KeyMenu), menu - profile.hvars.begin()) << "listed twice, it fills CDU 2's MENU key";
}

// Two names of one knob: the one the module lists later wins, whichever the
// list names first.
TEST_F(A32nxDiscoveryTest, TwoNamesOfOneKnobFillOneCell) {
    simworld::AircraftProfile profile;
    profile.lvars = {{"A32NX_ADIRS_KNOB_1", 0},
                     {"A32NX_OVHD_ADIRS_IR_1_MODE_SELECTOR_KNOB", 0},
                     {"A32NX_OVHD_ADIRS_IR_2_MODE_SELECTOR_KNOB", 0},
                     {"A32NX_ADIRS_KNOB_2", 0}};
    profiles::PadLvars(profile, 1300);
    Load(profile);
    Discover(fake.server);
    EXPECT_EQ(Id(Slot::Ir1ModeSelector), 1);
    EXPECT_EQ(Id(Slot::Ir2ModeSelector), 3);
    EXPECT_TRUE(A320LvarsFound()) << "either name tells an A32NX";
}

}  // namespace
}  // namespace tarvo::adapters::a32nx
