// The Maddog's commands as data, in the crew app's groups: plain mouse events,
// writes chosen by the value, toggles sent only when the switch shows the
// other state, three-position controls, then targets and sequences.
#include "adapters/generic/GenericAdapter.h"
#include "adapters/maddog/Maddog.h"
#include "adapters/maddog/MaddogWorkers.h"
#include "adapters/maddog/Panel.h"
#include "base/Convert.h"
#include "bridge/Registry.h"

#include <array>
#include <span>

namespace tarvo::adapters::maddog {
namespace {

using enum Panel;
using Codes = std::array<std::uint32_t, 2>;  // a second code of 0: none

// ---- Plain mouse events -------------------------------------------------------

struct PlainRow {
    Codes codes;
    std::array<Click, 2> clicks;
    std::uint8_t count = 1;
};

constexpr PlainRow Plain(Codes codes, Click click) {
    return {codes, {click, {}}, 1};
}
// A press and its release on the throttle panel.
constexpr PlainRow PressAndRelease(std::uint32_t code, std::uint16_t index) {
    return {{code, 0}, {L(Trp, index), Rel(Trp, index)}, 2};
}
// The number alone, without a mouse flag.
constexpr Click Number(Panel panel, std::uint16_t number) {
    return {Mouse::None, panel, number};
}

// clang-format off
constexpr PlainRow kPlain[] = {
    Plain({65607}, R(Pedestal, 0)),
    Plain({65615}, L(Pedestal, 0)),
    Plain({65639}, Up(Radio, 12)),
    Plain({65640}, Dn(Nav1, 0)),
    Plain({65641}, Up(Nav1, 0)),
    Plain({65642}, Dn(Nav1, 1)),
    Plain({65643}, Up(Nav1, 1)),
    Plain({65644}, Dn(Nav2, 0)),
    Plain({65645}, Up(Nav2, 0)),
    Plain({65646}, Dn(Nav2, 1)),
    Plain({65647}, Up(Nav2, 1)),
    Plain({65723}, L(Fgcp, 9)),
    Plain({65724}, L(Fgcp, 10)),
    Plain({65725}, R(Fgcp, 13)),
    Plain({65726}, L(Fgcp, 18)),
    Plain({65758}, Dn(Pedestal, 4)),
    Plain({65759}, Up(Pedestal, 4)),
    Plain({65793}, L(Overhead, 84)),
    Plain({65859}, L(Fgcp, 3)),
    Plain({65860}, L(Fgcp, 7)),
    Plain({65861}, L(Pedestal, 10)),
    Plain({66096}, L(Fgcp, 4)),
    Plain({66099}, L(Fgcp, 15)),
    Plain({66239}, L(ExtLights, 6)),
    Plain({66276}, Dn(Pedestal, 10)),
    Plain({66277}, Up(Pedestal, 10)),
    Plain({66278}, Dn(Pedestal, 9)),
    Plain({66279}, Up(Pedestal, 9)),
    Plain({66288}, L(Fgcp, 0)),
    Plain({66298}, Up(Pedestal, 27)),
    Plain({66299}, Dn(Pedestal, 27)),
    Plain({66363}, L(Overhead, 30)),
    Plain({66364}, L(Overhead, 32)),
    Plain({66376}, L(Overhead, 87)),
    Plain({66440}, Up(Radio, 16)),
    Plain({66484}, L(Overhead, 23)),
    Plain({66485}, L(Overhead, 24)),
    Plain({66596}, L(Pedestal, 3)),
    Plain({66705, 68126}, R(Overhead, 46)),
    Plain({68127}, L(Overhead, 46)),
    Plain({66710}, Dn(Fgcp, 12)),
    Plain({66711}, L(Fgcp, 5)),
    Plain({65580}, L(Fgcp, 19)),
    Plain({67939}, L(Fgcp, 13)),
    Plain({67947}, L(Fgcp, 1)),
    Plain({67950}, L(Fgcp, 23)),
    Plain({67951}, L(Fgcp, 17)),
    Plain({67952}, L(Fgcp, 8)),
    Plain({67958}, Up(Cm1Alt, 0)),
    Plain({67959}, Dn(Cm1Alt, 0)),
    Plain({67989}, L(Cm1Clock, 2)),
    Plain({68006}, R(Overhead, 54)),
    Plain({68007}, L(Overhead, 54)),
    Plain({68008}, R(Overhead, 55)),
    Plain({68009}, L(Overhead, 55)),
    Plain({68016, 68017}, L(Overhead, 39)),
    Plain({68024}, L(Pedestal, 22)),
    Plain({68025}, L(Pedestal, 23)),
    Plain({68027}, L(Overhead, 11)),
    Plain({68028}, L(Overhead, 8)),
    Plain({68029}, L(Overhead, 10)),
    Plain({68030}, L(Overhead, 13)),
    Plain({68031}, L(Overhead, 12)),
    Plain({68032}, L(Overhead, 9)),
    Plain({68059}, R(Fire, 0)),
    Plain({68064}, L(Fire, 0)),
    Plain({68060}, R(Fire, 1)),
    Plain({68065}, L(Fire, 1)),
    Plain({68167}, Up(Fire, 0)),
    Plain({68172}, Dn(Fire, 0)),
    Plain({68168}, Up(Fire, 1)),
    Plain({68173}, Dn(Fire, 1)),
    Plain({68087}, R(Overhead, 1)),
    Plain({68088}, L(Overhead, 1)),
    Plain({68089}, Dn(Overhead, 64)),
    Plain({68090}, Up(Overhead, 64)),
    Plain({68112}, Dn(Radio, 0)),
    Plain({68113}, Up(Radio, 0)),
    Plain({68116}, R(Overhead, 15)),
    Plain({68117}, L(Overhead, 15)),
    Plain({68118}, R(Overhead, 16)),
    Plain({68119}, L(Overhead, 16)),
    Plain({68129}, L(Overhead, 94)),
    Plain({68198}, R(Fgcp, 6)),
    Plain({68199, 68200}, L(Overhead, 22)),
    Plain({68234}, L(Overhead, 40)),
    Plain({68284}, Up(Pedestal, 19)),
    Plain({68285}, Dn(Pedestal, 19)),
    Plain({68314}, R(Overhead, 89)),
    Plain({68315}, R(Overhead, 14)),
    Plain({68316}, L(Overhead, 14)),
    Plain({68317, 68318}, L(Overhead, 38)),
    Plain({68354, 68358}, L(Overhead, 5)),
    Plain({68355, 68359}, L(Overhead, 7)),
    Plain({68364}, L(Overhead, 34)),
    Plain({68365}, L(Overhead, 35)),
    Plain({68385}, Up(Tcas, 20)),
    Plain({68400}, Dn(Overhead, 33)),
    Plain({68401}, Up(Overhead, 33)),
    Plain({68414}, L(Overhead, 36)),
    Plain({68415}, L(Overhead, 37)),
    Plain({68494}, L(Cm2Hyd, 2)),
    PressAndRelease(68497, 5),
    PressAndRelease(68500, 4),
    PressAndRelease(68501, 6),
    PressAndRelease(68502, 2),
    PressAndRelease(68503, 3),
    PressAndRelease(68504, 1),
    Plain({68561, 68562}, L(Pedestal, 26)),
    Plain({68564}, L(Overhead, 61)),
    Plain({68585}, L(Overhead, 19)),
    Plain({68586}, L(Overhead, 18)),
    Plain({68603}, L(Overhead, 0)),
    Plain({68604}, L(Overhead, 52)),
    Plain({68606}, L(Overhead, 44)),
    Plain({68705}, L(Overhead, 107)),
    Plain({68720}, Up(Tcas, 18)),
    Plain({68966}, L(Overhead, 21)),
    Plain({69108}, Up(Tcas, 3)),
    Plain({67935, 68630}, Dn(Pedestal, 0)),
    Plain({68563}, Dn(Pedestal, 8)),
    Plain({68153}, Number(Cm1Glear, 2)),
    Plain({68155}, Number(Cm1Glear, 1)),
};
// clang-format on

// ---- Writes chosen by the value -----------------------------------------------

struct ChosenRow {
    Codes codes;
    Click on;   // any value but 0
    Click off;  // value 0
    // Off for every value below 1, negative ones included.
    bool offBelowOne = false;
};

constexpr ChosenRow Chosen(Codes codes, Click on, Click off) {
    return {codes, on, off, false};
}

// clang-format off
constexpr ChosenRow kChosen[] = {
    Chosen({66706}, L(Overhead, 31), R(Overhead, 31)),
    Chosen({66720}, L(Overhead, 82), R(Overhead, 82)),
    {{68718}, L(Overhead, 82), R(Overhead, 82), true},
    Chosen({68001}, L(Overhead, 50), R(Overhead, 50)),
    Chosen({68002}, L(Overhead, 54), R(Overhead, 54)),
    Chosen({68003}, L(Overhead, 55), R(Overhead, 55)),
    Chosen({68470}, L(Overhead, 62), R(Overhead, 62)),
    Chosen({68605}, L(Pedestal, 14), R(Pedestal, 14)),
    Chosen({65919}, L(Pedestal, 11), R(Pedestal, 11)),
    Chosen({65920}, L(Pedestal, 12), R(Pedestal, 12)),
    Chosen({66036}, Dn(Fgcp, 14), Up(Fgcp, 14)),
    Chosen({66042}, Up(Fgcp, 13), Dn(Fgcp, 13)),
    Chosen({66124}, Up(Fgcp, 23), Dn(Fgcp, 23)),
    Chosen({66709}, Up(Fgcp, 12), Dn(Fgcp, 12)),
    Chosen({68333}, Up(Overhead, 1), Dn(Overhead, 1)),
    Chosen({68612}, Up(Overhead, 17), Dn(Overhead, 17)),
    Chosen({68424}, L(Overhead, 85), R(Overhead, 85)),
    Chosen({68425}, R(Overhead, 85), L(Overhead, 85)),
    Chosen({68426}, L(Overhead, 83), R(Overhead, 83)),
    Chosen({68427}, R(Overhead, 83), L(Overhead, 83)),
    Chosen({68611}, L(Overhead, 65), R(Overhead, 65)),
    Chosen({68423}, L(Overhead, 94), Rel(Overhead, 94)),
    Chosen({68848}, L(Overhead, 95), L(Overhead, 95)),
};
// clang-format on

// ---- Toggles checked against the switch ---------------------------------------

// When a toggle's click is sent, by the switch's position p.
enum class When : std::uint8_t {
    Never,
    Always,  // whatever the switch shows
    Above0,  // the variable above 0
    Is0,     // p = 0
    Is1,
    Is2,
    AtLeast1,
};

struct ToggleRow {
    Codes codes;
    Slot variable;
    Click off;  // value 0
    When offWhen;
    Click on;  // any other value
    When onWhen;
    std::uint8_t onClicks = 1;
    std::uint32_t pauseAfter = 0;  // after a click, on the calling thread
};

// One left click on the control, both ways.
constexpr ToggleRow Toggle(Codes codes, Slot variable, Click click, When offWhen, When onWhen) {
    return {codes, variable, click, offWhen, click, onWhen};
}

// clang-format off
constexpr ToggleRow kToggles[] = {
    Toggle({68132, 68133}, Slot::EmergencyPowerSwitch, L(Overhead, 41), When::Above0, When::Is0),
    Toggle({68337}, Slot::Idg1DisconnectCover, L(Overhead, 25), When::Above0, When::Is0),
    Toggle({68338}, Slot::Idg2DisconnectCover, L(Overhead, 27), When::Above0, When::Is0),
    {{68341}, Slot::GroundProximityCover, L(Overhead, 93), When::Above0, L(Overhead, 93), When::Is0, 1, 250},
    Toggle({68434}, Slot::Engine1StartCover, L(Overhead, 4), When::Above0, When::Is0),
    Toggle({68435}, Slot::Engine2StartCover, L(Overhead, 6), When::Above0, When::Is0),
    Toggle({68607}, Slot::ApuDoorsCover, L(Overhead, 45), When::Above0, When::Is0),
    Toggle({68767}, Slot::MachTrimCompensatorSwitch, L(Overhead, 86), When::Is0, When::Above0),
    Toggle({68814}, Slot::CaptainWindowPositionValue, L(Cockpit, 4), When::Above0, When::Is0),
    Toggle({68815}, Slot::FirstOfficerWindowPositionValue, L(Cockpit, 5), When::Above0, When::Is0),
    Toggle({68992}, Slot::FloodLightLeftSwitch, L(ExtLights, 3), When::Is1, When::Is0),
    Toggle({68993}, Slot::FloodLightRightSwitch, L(ExtLights, 4), When::Is1, When::Is0),
    {{66378}, Slot::WingLightSwitch, R(ExtLights, 5), When::Is1, L(ExtLights, 5), When::Is0},
    {{65560}, Slot::StrobeLightSwitch, R(ExtLights, 7), When::Is2, L(ExtLights, 7), When::Is1},
    {{66379}, Slot::StrobeLightSwitch, R(ExtLights, 7), When::Always, L(ExtLights, 7), When::Is0},
    // Whatever the value: 68162 and 68164 extend, 68163 and 68165 retract.
    Toggle({68162}, Slot::LandingLightLeftSwitch, L(ExtLights, 0), When::Is0, When::Is0),
    Toggle({68163}, Slot::LandingLightLeftSwitch, R(ExtLights, 0), When::AtLeast1, When::AtLeast1),
    Toggle({68164}, Slot::LandingLightRightSwitch, L(ExtLights, 1), When::Is0, When::Is0),
    Toggle({68165}, Slot::LandingLightRightSwitch, R(ExtLights, 1), When::AtLeast1, When::AtLeast1),
    {{68266}, Slot::StrobeLightSwitch, R(ExtLights, 7), When::Is2, L(ExtLights, 7), When::Always, 2},
    Toggle({67936}, Slot::FgcpAutopilotSwitch, L(Fgcp, 19), When::Never, When::Above0),
};
// clang-format on

// ---- Three-position controls --------------------------------------------------

struct ThreeWayRow {
    std::uint32_t code;
    Slot variable;
    Click up;    // one position toward 2
    Click down;  // one position toward 0
    // Whether the position is read for values 0 and 2 as well; otherwise two
    // steps are sent there, which reach the end from anywhere.
    bool readsAlways;
    std::uint32_t pause;  // between two steps
};

// clang-format off
constexpr ThreeWayRow kThreeWay[] = {
    {68012, Slot::HydraulicPanel1Selector, L(Cm2Hyd, 0), R(Cm2Hyd, 0), true, 300},
    {68013, Slot::HydraulicPanel2Selector, L(Cm2Hyd, 1), R(Cm2Hyd, 1), true, 300},
    {67997, Slot::HydraulicPanel4Selector, L(Cm2Hyd, 3), R(Cm2Hyd, 3), false, 250},
    {66240, Slot::NoseLightSwitch, L(ExtLights, 2), R(ExtLights, 2), false, 250},
    {68942, Slot::CadcSourceSelector, Up(Overhead, 96), Dn(Overhead, 96), false, 250},
    {68943, Slot::FlightDirectorCommandSourceSelector, Up(Overhead, 97), Dn(Overhead, 97), false, 300},
    {68944, Slot::AhrsSourceSelector, Up(Overhead, 98), Dn(Overhead, 98), false, 250},
    {68945, Slot::EfisSourceSelector, Up(Overhead, 102), Dn(Overhead, 102), false, 250},
    {68391, Slot::FmsSourceSelector, Up(Overhead, 101), Dn(Overhead, 101), false, 250},
    {68389, Slot::RadioNavSourceSelector, Up(Overhead, 103), Dn(Overhead, 103), false, 250},
};
// clang-format on

// ---- Targets and sequences ----------------------------------------------------

using Action = void (*)(Server&, std::uint32_t code, std::int32_t value);

struct ActionRow {
    Codes codes;
    Action run;
};

constexpr std::uint32_t kBatteryPause = 300;

// One knob step toward the crew app's speed per command; it repeats the command.
void SpeedTarget(Server& server, std::uint32_t, std::int32_t value) {
    const std::optional<std::int32_t> target = ReadInt(server, Slot::FgcpSpeedTargetValue);
    if (!target || value == *target) return;
    Send(server, value > *target ? Up(Fgcp, 6) : Dn(Fgcp, 6));
}

void Battery(Server& server, std::uint32_t, std::int32_t value) {
    if (value != 0) return Send(server, L(Overhead, 42));
    const std::optional<std::int32_t> battery = ReadInt(server, Slot::Battery1Switch);
    if (!battery) return;
    if (*battery == 2) {
        Send(server, R(Overhead, 42));
        server.ports.clock.Sleep(kBatteryPause);
    }
    Send(server, R(Overhead, 42));
}

void Flaps(Server& server, std::uint32_t, std::int32_t value) {
    QueueFlapDetent(server, value);
}

void FireTest(Server& server, std::uint32_t, std::int32_t value) {
    if (value != 0) StartFireTest(server);
}

void Chronograph(Server& server, std::uint32_t, std::int32_t value) {
    if (value != 0) return StartClockChronograph(server);
    const std::optional<std::int32_t> clock = ReadInt(server, Slot::CaptainClockSwitch);
    if (clock && *clock != 0) Send(server, Dn(Cm1Clock, 1));
}

void EngineSync(Server& server, std::uint32_t, std::int32_t value) {
    RequestEngineSync(server, value);
}

// A door opens when closed and closes when open.
void ToggleDoor(Server& server, Slot door) {
    const std::optional<std::int32_t> open = ReadInt(server, door);
    if (!open) return;
    bridge::SetLvarValue(server, SlotId(server, door), *open != 0 ? 0.0 : 1.0);
}

struct DoorChoice {
    std::int32_t value;
    Slot door;
};

// clang-format off
constexpr DoorChoice kDoorsByNumber[] = {
    {1, Slot::ForwardMainDoorToggle}, {2, Slot::ForwardServiceDoorToggle}, {5, Slot::AftDoorToggle},
    {6, Slot::AftServiceDoorToggle},  {7, Slot::ForwardCargoDoorToggle},   {8, Slot::AftCargoDoorToggle},
    {9, Slot::MidCargoDoorToggle},    {13, Slot::AftStairsToggle},
    {68374, Slot::ForwardCargoDoorToggle}, {68375, Slot::AftCargoDoorToggle}, {68377, Slot::MidCargoDoorToggle},
    {68525, Slot::AftStairsToggle},
};
constexpr DoorChoice kDoorsByCode[] = {
    {68368, Slot::ForwardMainDoorToggle}, {68369, Slot::ForwardServiceDoorToggle},
    {68374, Slot::ForwardCargoDoorToggle}, {68375, Slot::AftCargoDoorToggle}, {68525, Slot::AftStairsToggle},
};
// clang-format on

void ToggleChosenDoor(Server& server, std::span<const DoorChoice> doors, std::int32_t key) {
    for (const DoorChoice& choice : doors) {
        if (choice.value == key) return ToggleDoor(server, choice.door);
    }
}

void DoorByNumber(Server& server, std::uint32_t, std::int32_t value) {
    ToggleChosenDoor(server, kDoorsByNumber, value);
}

void DoorByCode(Server& server, std::uint32_t code, std::int32_t) {
    ToggleChosenDoor(server, kDoorsByCode, static_cast<std::int32_t>(code));
}

// The simulation-rate event and the ground-services monitor, as on any aircraft.
void Generic(Server& server, std::uint32_t code, std::int32_t value) {
    generic::RunCommand(server, code, value);
}

// No event is known for these; an empty calculator text would only be sent
// for nothing.
void Nothing(Server&, std::uint32_t, std::int32_t) {}

// clang-format off
constexpr ActionRow kActions[] = {
    {{66241}, Battery},
    {{66037}, SpeedTarget},
    {{65595, 65698}, Flaps},
    {{68097}, FireTest},
    {{68656}, Chronograph},
    {{68849}, EngineSync},
    {{66389}, DoorByNumber},
    {{68368, 68369}, DoorByCode},
    {{68374, 68375}, DoorByCode},
    {{68525}, DoorByCode},
    {{65789, 69109}, Generic},
    {{68020, 68021}, Nothing},
    {{68348, 68349}, Nothing},
    // They would write a variable the Maddog does not have.
    {{68619, 68620}, Nothing},
};
// clang-format on

// ---- Lookup -------------------------------------------------------------------

constexpr bool Lists(const Codes& codes, std::uint32_t code) {
    return code != 0 && (codes[0] == code || codes[1] == code);
}

template <typename Row>
constexpr const Row* Find(std::span<const Row> rows, std::uint32_t code) {
    for (const Row& row : rows) {
        if (Lists(row.codes, code)) return &row;
    }
    return nullptr;
}

constexpr const ThreeWayRow* FindThreeWay(std::uint32_t code) {
    for (const ThreeWayRow& row : kThreeWay) {
        if (row.code == code) return &row;
    }
    return nullptr;
}

constexpr int RowsListing(std::uint32_t code) {
    int rows = 0;
    for (const auto& row : kPlain) rows += Lists(row.codes, code) ? 1 : 0;
    for (const auto& row : kChosen) rows += Lists(row.codes, code) ? 1 : 0;
    for (const auto& row : kToggles) rows += Lists(row.codes, code) ? 1 : 0;
    for (const auto& row : kThreeWay) rows += row.code == code ? 1 : 0;
    for (const auto& row : kActions) rows += Lists(row.codes, code) ? 1 : 0;
    return rows;
}

template <typename Rows>
constexpr bool EachCodeOnce(const Rows& rows) {
    for (const auto& row : rows) {
        for (std::uint32_t code : row.codes) {
            if (code != 0 && RowsListing(code) != 1) return false;
        }
    }
    return true;
}
static_assert(EachCodeOnce(kPlain) && EachCodeOnce(kChosen) && EachCodeOnce(kToggles) && EachCodeOnce(kActions),
              "every code in one row");
static_assert(
    [] {
        for (const auto& row : kThreeWay) {
            if (RowsListing(row.code) != 1) return false;
        }
        return true;
    }(),
    "every code in one row");

// ---- Running a row ------------------------------------------------------------

void RunPlain(Server& server, const PlainRow& row) {
    for (std::uint8_t i = 0; i < row.count; ++i) Send(server, row.clicks[i]);
}

void RunChosen(Server& server, const ChosenRow& row, std::int32_t value) {
    const bool on = row.offBelowOne ? value >= 1 : value != 0;
    Send(server, on ? row.on : row.off);
}

// Whether the switch shows the state in which the click is wanted; nothing
// when the aircraft has no such variable.
bool Holds(Server& server, Slot variable, When when) {
    if (when == When::Never) return false;
    if (when == When::Always) return true;
    const std::optional<double> value = Read(server, variable);
    if (!value) return false;
    const std::int32_t p = TruncateToInt32(*value);
    switch (when) {
        case When::Above0:
            return *value > 0.0;
        case When::Is0:
            return p == 0;
        case When::Is1:
            return p == 1;
        case When::Is2:
            return p == 2;
        case When::AtLeast1:
            return p >= 1;
        case When::Never:
        case When::Always:
            break;
    }
    return false;
}

void RunToggle(Server& server, const ToggleRow& row, std::int32_t value) {
    const bool on = value != 0;
    if (!Holds(server, row.variable, on ? row.onWhen : row.offWhen)) return;
    const std::uint8_t clicks = on ? row.onClicks : 1;
    for (std::uint8_t i = 0; i < clicks; ++i) Send(server, on ? row.on : row.off);
    if (row.pauseAfter > 0) server.ports.clock.Sleep(row.pauseAfter);
}

void RunThreeWay(Server& server, const ThreeWayRow& row, std::int32_t value) {
    if (value < 0 || value > 2) return;
    // Without reading, the end positions are reached in two steps from anywhere.
    std::int32_t from = value == 0 ? 2 : 0;
    if (row.readsAlways || value == 1) {
        const std::optional<std::int32_t> position = ReadInt(server, row.variable);
        if (!position || *position < 0 || *position > 2) return;
        from = *position;
    }
    const Click step = value > from ? row.up : row.down;
    for (std::int32_t n = value > from ? value - from : from - value; n > 0; --n) {
        Send(server, step);
        if (n > 1) server.ports.clock.Sleep(row.pause);
    }
}

}  // namespace

void RunCommand(Server& server, std::uint32_t code, std::int32_t value) {
    if (!bridge::HasBridge(server)) return;
    if (const PlainRow* row = Find<PlainRow>(kPlain, code)) return RunPlain(server, *row);
    if (const ChosenRow* row = Find<ChosenRow>(kChosen, code)) return RunChosen(server, *row, value);
    if (const ToggleRow* row = Find<ToggleRow>(kToggles, code)) return RunToggle(server, *row, value);
    if (const ThreeWayRow* row = FindThreeWay(code)) return RunThreeWay(server, *row, value);
    if (const ActionRow* row = Find<ActionRow>(kActions, code)) return row->run(server, code, value);
}

}  // namespace tarvo::adapters::maddog
