// The A320 family's own commands: one table row per code, each naming the
// variable it writes (the Fenix's and the A32NX's share a slot where their
// function is the same) and how the Fenix, the A32NX and the simulator's
// A320neo each drive it.
#include "adapters/a32nx/A32nx.h"

#include "adapters/RowCodes.h"
#include "adapters/Slots.h"
#include "adapters/generic/CommandPrimitives.h"

#include <array>
#include <string>

namespace tarvo::adapters::a32nx {
namespace {

using enum Slot;
using generic::FireSlot;
using generic::Press;
using generic::ReadSlot;
using generic::SetSlot;

enum class Variant { Fenix, A32nx, A320neo };

// What a row does. "button" is the row's other slot (the Fenix's button),
// "light" the Fenix's light it reads.
enum class Action : std::uint8_t {
    // Fenix: press button; others: slot := the value.
    PressOnFenixElseSet,
    // Fenix: press button while light reads 1.0; an A32NX with its events:
    // A32NX.FCU_TRK_FPA_TOGGLE_PUSH; others: slot := the value.
    TrackFpa,
    // Fire slot as an H: event (a slot of the H: event list).
    Fire,
    // Fenix: press button; others: slot := 1.0.
    PressOnFenixElseOne,
    // Fenix: press button; others: slot := the page's index.
    EcamPage,
    // Calculator code, on every A320.
    BrakeFan,
    // slot := the value.
    Set,
    // Fenix: slot := the value; others: slot := inverted.
    FenixValueElseInverted,
    // Fenix: press button when light, lit for off, shows other than asked; others: set.
    PressByOffLight,
    // Fenix: press button when light, lit for on, shows other than asked; others: set.
    PressByOnLight,
    // slot := 200.0 for a value above 0, else 0.0.
    TrayTable,
    // Fenix: slot := 1.0 or 0.0 only where light agrees; others: inverted.
    CrewOxygen,
    // slot := the navaid selector's position for the value.
    Navaid,
    // slot and other one step up or down.
    McduBrightness,
    // The cover (other) open, slot, cover closed, 300 ms apart.
    EvacCommand,
    // The cover (other) open, slot, 300 ms apart.
    EvacCommandOtherPosition,
    // slot := 1.0.
    One,
    // slot := 0.0 on the Fenix, 1.0 on the others.
    FenixZeroElseOne,
    // slot := 1.0 on the Fenix, 0.0 on the others.
    FenixOneElseZero,
};

struct Row {
    std::uint32_t code;
    Action action;
    Slot slot;          // the variable written
    Slot other = None;  // the Fenix's button, or a second variable
    Slot light = None;  // the Fenix's light read first
    double number = 0;  // the ECAM page's index
};

constexpr std::uint32_t kSwitchPause = 300;
constexpr double kTrayTableOut = 200.0;
constexpr double kBrightnessStep = 0.1;
constexpr double kBrightnessTop = 1.0;

// clang-format off
constexpr std::array kRows = {
    Row{68016, Action::PressOnFenixElseSet, BusTieSwitch, BusTieSwitch},
    Row{68017, Action::PressOnFenixElseSet, BusTieSwitch, BusTieSwitch},
    Row{68160, Action::TrackFpa, TrackFpaModeState, HeadingVsTrackFpaButton, HeadingVsModeLight},
    Row{68195, Action::Fire, ExpediteButtonEvent},
    Row{68237, Action::PressOnFenixElseOne, EcamClearRightButton, EcamClearRightButton},
    Row{68238, Action::PressOnFenixElseOne, EcamRecallButton, EcamRecallButton},
    Row{68239, Action::EcamPage, EcamSystemPageSelector, EcamWheelButton, None, 9},
    Row{68240, Action::EcamPage, EcamSystemPageSelector, EcamHydraulicButton, None, 4},
    Row{68241, Action::EcamPage, EcamSystemPageSelector, EcamEngineButton, None, 0},
    Row{68242, Action::EcamPage, EcamSystemPageSelector, EcamStatusButton, None, 11},
    Row{68243, Action::EcamPage, EcamSystemPageSelector, EcamElecButton, None, 3},
    Row{68244, Action::EcamPage, EcamSystemPageSelector, EcamFuelButton, None, 5},
    Row{68245, Action::EcamPage, EcamSystemPageSelector, EcamConditioningButton, None, 7},
    Row{68246, Action::EcamPage, EcamSystemPageSelector, EcamDoorButton, None, 8},
    Row{68247, Action::EcamPage, EcamSystemPageSelector, EcamCabinPressureButton, None, 2},
    Row{68248, Action::EcamPage, EcamSystemPageSelector, EcamBleedButton, None, 1},
    Row{68249, Action::EcamPage, EcamSystemPageSelector, EcamFlightControlButton, None, 10},
    Row{68251, Action::EcamPage, EcamSystemPageSelector, EcamApuButton, None, 6},
    Row{68493, Action::BrakeFan, None},
    Row{68494, Action::Set, HydraulicPtuSwitch},
    Row{68510, Action::FenixValueElseInverted, PressurizationModeSwitch},
    Row{68567, Action::PressByOffLight, Adr1Switch, Adr1Switch, Adr1Light},
    Row{68568, Action::PressByOffLight, Adr2Switch, Adr2Switch, Adr2Light},
    Row{68569, Action::PressByOffLight, Adr3Switch, Adr3Switch, Adr3Light},
    Row{68570, Action::Set, Ir1Switch},
    Row{68571, Action::Set, Ir2Switch},
    Row{68572, Action::Set, Ir3Switch},
    Row{68573, Action::FenixValueElseInverted, GpwsGlideslopeModeSwitch},
    Row{68574, Action::FenixValueElseInverted, GpwsSystemSwitch},
    Row{68575, Action::Set, GpwsLandingFlap3Switch},
    Row{68629, Action::PressByOnLight, RecorderGroundControlSwitch, RecorderGroundControlSwitch,
        RecorderGroundControlLight},
    Row{68816, Action::TrayTable, CaptainTrayTableLever},
    Row{68817, Action::TrayTable, FirstOfficerTrayTableLever},
    Row{68919, Action::CrewOxygen, CrewOxygenSwitch, None, CrewOxygenLight},
    Row{68920, Action::Set, Engine1ManualStartCover},
    Row{68921, Action::Set, Engine2ManualStartCover},
    Row{68924, Action::Set, Engine1ManualStartSwitch},
    Row{68925, Action::Set, Engine2ManualStartSwitch},
    Row{68928, Action::Set, Engine1N1ModeCover},
    Row{68929, Action::Set, Engine2N1ModeCover},
    Row{68932, Action::Set, Engine1N1ModeSwitch},
    Row{68933, Action::Set, Engine2N1ModeSwitch},
    Row{68936, Action::Set, DitchingCover},
    Row{68937, Action::Set, DitchingSwitch},
    Row{69002, Action::Navaid, Efis1Navaid1Selector},
    Row{69003, Action::Navaid, Efis1Navaid2Selector},
    Row{69068, Action::Navaid, Efis2Navaid1Selector},
    Row{69069, Action::Navaid, Efis2Navaid2Selector},
    Row{69026, Action::McduBrightness, Cdu1BrightnessValue, Cdu2BrightnessValue},
    Row{69081, Action::EvacCommand, EvacCommandSwitch, EvacCommandCover},
    Row{69082, Action::EvacCommandOtherPosition, EvacCommandSwitch, EvacCommandCover},
    Row{69083, Action::One, EvacHornShutoffButton},
    Row{69084, Action::FenixZeroElseOne, EvacCaptainPurserSwitch},
    Row{69085, Action::FenixOneElseZero, EvacCaptainPurserSwitch},
};
// clang-format on

static_assert(CodesAreDistinct(kRows), "a code belongs to one row");

Variant VariantOf(const Server& server) {
    if (server.adapters.fenixFlag) return Variant::Fenix;
    return server.adapters.a320LvarsFound ? Variant::A32nx : Variant::A320neo;
}

double Inverted(std::uint32_t value) {
    return value > 0 ? 0.0 : 1.0;
}

// A light is lit when it reads above 0. Both tests below use this one reading,
// so whatever the light shows, one of a switch's two requests presses it.
bool IsLit(Server& server, Slot light) {
    return ReadSlot(server, light) > 0.0;
}

// The navaid selectors for the crew app's value, 0 being off: the Fenix's
// 2.0 for 0 and 1.0 for any other; the A32NX's and the A320neo's 2.0 for 0,
// 0.0 for 1 and 1.0 for 2 or any other.
double NavaidPosition(Variant variant, std::uint32_t value) {
    if (variant == Variant::Fenix) return value == 0 ? 2.0 : 1.0;
    if (value == 0) return 2.0;
    return value == 1 ? 0.0 : 1.0;
}

void StepBrightness(Server& server, Slot slot, bool up) {
    const double brightness = ReadSlot(server, slot);
    // Tested before the step: 0.95 goes to 1.05, 1.0 stays.
    if (up && brightness < kBrightnessTop) SetSlot(server, slot, brightness + kBrightnessStep);
    if (!up && brightness >= kBrightnessStep) SetSlot(server, slot, brightness - kBrightnessStep);
}

void Run(Server& server, const Row& row, std::uint32_t value) {
    const Variant variant = VariantOf(server);
    const bool fenix = variant == Variant::Fenix;
    const bool on = value != 0;
    const double asDouble = static_cast<double>(value);
    switch (row.action) {
        case Action::PressOnFenixElseSet:
            if (fenix) {
                Press(server, row.other);
            } else {
                SetSlot(server, row.slot, asDouble);
            }
            return;
        case Action::TrackFpa:
            // The Fenix's discovery sets the A32NX event flag too, and the event does nothing there.
            if (fenix) {
                if (ReadSlot(server, row.light) == 1.0) Press(server, row.other);
            } else if (server.adapters.a32nxEventFlag) {
                generic::SendEvent(server, "A32NX.FCU_TRK_FPA_TOGGLE_PUSH", value);
            } else {
                SetSlot(server, row.slot, asDouble);
            }
            return;
        case Action::Fire:
            FireSlot(server, row.slot);
            return;
        case Action::PressOnFenixElseOne:
            // The A32NX's and the A320neo's ECAM keys are variables: firing one's
            // id as an H: event would fire whatever H: event has that number.
            if (fenix) {
                Press(server, row.other);
            } else {
                SetSlot(server, row.slot, 1.0);
            }
            return;
        case Action::EcamPage:
            // No A320 list fills the page keys' cells with H: events (the Fenix's
            // are variables), so the A320neo writes the page index as the A32NX does.
            if (fenix) {
                Press(server, row.other);
            } else {
                SetSlot(server, row.slot, row.number);
            }
            return;
        case Action::BrakeFan:
            generic::RunCalculatorCode(
                server, on ? "1 (>L:A32NX_BRAKE_FAN_BTN_PRESSED)" : "0 (>L:A32NX_BRAKE_FAN_BTN_PRESSED)");
            return;
        case Action::Set:
            SetSlot(server, row.slot, asDouble);
            return;
        case Action::FenixValueElseInverted:
            SetSlot(server, row.slot, fenix ? asDouble : Inverted(value));
            return;
        case Action::PressByOffLight:
        case Action::PressByOnLight:
            if (!fenix) {
                SetSlot(server, row.slot, asDouble);
            } else {
                const bool lit = IsLit(server, row.light);
                const bool lightShowsOn = row.action == Action::PressByOnLight ? lit : !lit;
                if (lightShowsOn != on) Press(server, row.other);
            }
            return;
        case Action::TrayTable:
            SetSlot(server, row.slot, on ? kTrayTableOut : 0.0);
            return;
        case Action::CrewOxygen:
            if (!fenix) {
                SetSlot(server, row.slot, Inverted(value));
            } else if (on == IsLit(server, row.light)) {
                SetSlot(server, row.slot, on ? 1.0 : 0.0);
            }
            return;
        case Action::Navaid:
            SetSlot(server, row.slot, NavaidPosition(variant, value));
            return;
        case Action::McduBrightness:
            StepBrightness(server, row.slot, on);
            StepBrightness(server, row.other, on);
            return;
        case Action::EvacCommand:
            SetSlot(server, row.other, 1.0);
            server.ports.clock.Sleep(kSwitchPause);
            SetSlot(server, row.slot, fenix ? 0.0 : 1.0);
            server.ports.clock.Sleep(kSwitchPause);
            SetSlot(server, row.other, 0.0);
            return;
        case Action::EvacCommandOtherPosition:
            SetSlot(server, row.other, 1.0);
            server.ports.clock.Sleep(kSwitchPause);
            SetSlot(server, row.slot, fenix ? 1.0 : 0.0);
            return;
        case Action::One:
            SetSlot(server, row.slot, 1.0);
            return;
        case Action::FenixZeroElseOne:
            SetSlot(server, row.slot, fenix ? 0.0 : 1.0);
            return;
        case Action::FenixOneElseZero:
            SetSlot(server, row.slot, fenix ? 1.0 : 0.0);
            return;
    }
}

}  // namespace

std::int32_t HandleCommand(Server& server, std::uint32_t code, std::uint32_t value) {
    for (const Row& row : kRows) {
        if (row.code == code) {
            Run(server, row, value);
            break;
        }
    }
    return 1;
}

}  // namespace tarvo::adapters::a32nx
