// The ATR's command set: CDU keys, the generic adapter's share, the plain
// lists, then the rows that do more; any other code does nothing.
#include "adapters/LvarAdapter.h"
#include "adapters/atr/Atr.h"
#include "adapters/atr/AtrWorkers.h"
#include "base/Convert.h"
#include "bridge/WasmBridge.h"

#include <cstdlib>

namespace tarvo::adapters::atr {
namespace {

using namespace lvar;

constexpr std::uint32_t kStep = 300;
constexpr std::uint32_t kPress = 100;
constexpr std::uint32_t kCduKeyGap = 1;

// Handed to the generic adapter, which does for the ATR what it does for any aircraft.
constexpr CodeRange kGenericCodes[] = {
    {65538, 65539}, {65564, 65564}, {65595, 65596}, {65598, 65598}, {65602, 65604}, {65609, 65609},
    {65617, 65617}, {65698, 65698}, {65707, 65709}, {65714, 65715}, {65758, 65759}, {65762, 65764},
    {65789, 65790}, {65820, 65821}, {66040, 66040}, {66172, 66181}, {66371, 66372}, {66442, 66444},
    {66448, 66448}, {66452, 66452}, {66483, 66483}, {69109, 69109},
};

// clang-format off
constexpr PlainRow kPlainRows[] = {
    // The value, as a double.
    SetToValue(65847, Slot::AudioVor1ReceiveSwitch),
    SetToValue(65848, Slot::AudioVor2ReceiveSwitch),
    SetToValue(65852, Slot::GravityGearExtendSwitch),
    SetToValue(65858, Slot::ProbeWindowHeatSwitch),
    SetToValue(65923, Slot::AtrConditionLever1Value),
    SetToValue(65924, Slot::AtrConditionLever2Value),
    SetToValue(65932, Slot::AtrEngine1StartButton),
    SetToValue(66300, Slot::AtrEngine1StartButton),
    SetToValue(65938, Slot::AtrEngine2StartButton),
    SetToValue(66301, Slot::AtrEngine2StartButton),
    SetToValue(66007, Slot::AtrPec1Switch),
    SetToValue(66012, Slot::AtrPec2Switch),
    SetToValue(66239, Slot::BeaconLightSwitch),
    SetToValue(66240, Slot::TaxiLightSwitch),
    SetToValue(66363, Slot::Generator1Switch),
    SetToValue(66364, Slot::Generator2Switch),
    SetToValue(66376, Slot::LogoLightSwitch),
    SetToValue(66378, Slot::WingLightSwitch),
    SetToValue(66379, Slot::NavLightSwitch),
    SetToValue(66478, Slot::AudioMarkerReceiveSwitch),
    SetToValue(66484, Slot::Engine1AntiIceSwitch),
    SetToValue(66485, Slot::Engine2AntiIceSwitch),
    SetToValue(67957, Slot::AtrBaroUnitSelector),
    SetToValue(67997, Slot::AtrHydraulicGreenPumpSwitch),
    SetToValue(68013, Slot::AtrHydraulicGreenPumpSwitch),
    SetToValue(68002, Slot::Engine1BleedSwitch),
    SetToValue(68003, Slot::Engine2BleedSwitch),
    SetToValue(68012, Slot::AtrHydraulicBluePumpSwitch),
    SetToValue(68018, Slot::AcEssFeedSwitch),
    SetToValue(68742, Slot::AcEssFeedSwitch),
    SetToValue(68024, Slot::RamAirSwitch),
    SetToValue(68025, Slot::RamAirSwitch),
    SetToValue(68102, Slot::RamAirSwitch),
    SetToValue(68470, Slot::RamAirSwitch),
    SetToValue(68948, Slot::RamAirSwitch),
    SetToValue(68027, Slot::FuelLeftTankPump1Switch),
    SetToValue(68028, Slot::FuelRightTankPump1Switch),
    SetToValue(68069, Slot::AtrEec1Switch),
    SetToValue(68070, Slot::AtrEec2Switch),
    SetToValue(68104, Slot::AtrRecirculationFan1Switch),
    SetToValue(68105, Slot::AtrRecirculationFan2Switch),
    SetToValue(68111, Slot::AtrEmergencyLightSwitch),
    SetToValue(68128, Slot::PassengerOxygenSwitch),
    SetToValue(68193, Slot::PassengerOxygenCover),
    SetToValue(68194, Slot::ProbeHeatRightSwitch),
    SetToValue(68199, Slot::AtrSideWindowHeatSwitch),
    SetToValue(68202, Slot::AtrSideWindowHeatSwitch),
    SetToValue(68200, Slot::AtrWindshieldHeatLeftSwitch),
    SetToValue(68201, Slot::AtrWindshieldHeatRightSwitch),
    SetToValue(68205, Slot::EcamTakeoffConfigButton),
    SetToValue(68234, Slot::AtrDcServiceUtilitySwitch),
    SetToValue(68270, Slot::Pack1Switch),
    SetToValue(68271, Slot::Pack2Switch),
    SetToValue(68314, Slot::AtrStormLightSwitch),
    SetToValue(68324, Slot::AtrHydraulicAuxPumpSwitch),
    SetToValue(68327, Slot::AtrHydraulicAuxPumpGroundButton),
    SetToValue(68333, Slot::EngineModeSelector),
    SetToValue(68336, Slot::AtrBatteryCover),
    SetToValue(68337, Slot::Idg1DisconnectCover),
    SetToValue(68338, Slot::Idg2DisconnectCover),
    SetToValue(68367, Slot::WheelChocksSwitch),
    SetToValue(68381, Slot::BusTieSwitch),
    SetToValue(68411, Slot::AtrEmergencyFlapSwitch),
    SetToValue(68413, Slot::FirstOfficerOxygenMaskTestButton),
    SetToValue(68428, Slot::RecorderTestButton),
    SetToValue(68442, Slot::AtrProbeHeatStandbySwitch),
    SetToValue(68447, Slot::CargoSmokeTestButton),
    SetToValue(68453, Slot::AtrDeiceOverrideSwitch),
    SetToValue(68456, Slot::AtrGustLockLever),
    SetToValue(68461, Slot::AtrAileronAntiIceSwitch),
    SetToValue(68463, Slot::AtrRudderAntiIceSwitch),
    SetToValue(68487, Slot::AtrMfc1ASwitch),
    SetToValue(68488, Slot::AtrMfc1BSwitch),
    SetToValue(68489, Slot::AtrMfc2ASwitch),
    SetToValue(68490, Slot::AtrMfc2BSwitch),
    SetToValue(68494, Slot::AtrHydraulicCrossfeedSwitch),
    SetToValue(68510, Slot::AtrCabinPressureManualSwitch),
    SetToValue(68533, Slot::AtrEmergencyBatteryChargeSwitch),
    SetToValue(68534, Slot::AtrMainBatteryChargeSwitch),
    SetToValue(68535, Slot::AtrAcGenerator1Switch),
    SetToValue(68536, Slot::AtrAcGenerator2Switch),
    SetToValue(68537, Slot::AtrAcBusTieSwitch),
    SetToValue(68566, Slot::AtrBoostSwitch),
    SetToValue(68627, Slot::AtrDoorTestButton),
    SetToValue(68631, Slot::AtrPropeller1AntiIceSwitch),
    SetToValue(68632, Slot::AtrPropeller2AntiIceSwitch),
    SetToValue(68637, Slot::AtrTruSwitch),
    SetToValue(68638, Slot::AtrStandbyBusSwitch),
    SetToValue(68700, Slot::AtrApmTestButton),
    SetToValue(68716, Slot::AtrStickPusherSwitch),
    SetToValue(68718, Slot::AtrAntiSkidTestButton),
    SetToValue(68729, Slot::RamAirCover),
    SetToValue(68836, Slot::ExternalPowerButton),
    SetToValue(68859, Slot::AtrReverser1ModeSwitch),
    SetToValue(68860, Slot::AtrReverser2ModeSwitch),
    SetToValue(68919, Slot::AtrOxygenMainSwitch),
    SetToValue(68932, Slot::AtrAtpcsTestSelector),
    SetToValue(68936, Slot::DitchingCover),
    SetToValue(68937, Slot::DitchingSwitch),
    SetToValue(68991, Slot::AtrGpwsSwitch),
    SetToValue(69123, Slot::AtrTluSelector),
    // 1.0
    SetToOne(65723, Slot::AtrNavModeButton),
    SetToOne(65729, Slot::AtrNavModeButton),
    SetToOne(65724, Slot::ApproachButton),
    SetToOne(65725, Slot::AtrHeadingModeButton),
    SetToOne(67939, Slot::AtrHeadingModeButton),
    SetToOne(65726, Slot::AtrAltitudeModeButton),
    SetToOne(65793, Slot::AtrYawDamperButton),
    SetToOne(67999, Slot::AtrYawDamperButton),
    SetToOne(65837, Slot::AudioVor1ReceiveSwitch),
    SetToOne(65838, Slot::AudioVor2ReceiveSwitch),
    SetToOne(65859, Slot::AtrSpeedHoldButton),
    SetToOne(68115, Slot::AtrSpeedHoldButton),
    SetToOne(65892, Slot::AtrAltitudeKnob),
    SetToOne(66099, Slot::AtrVerticalSpeedModeButton),
    SetToOne(68584, Slot::AtrVerticalSpeedModeButton),
    SetToOne(66288, Slot::Efis1FlightDirectorButton),
    SetToOne(67947, Slot::Efis2FlightDirectorButton),
    SetToOne(67951, Slot::AtrVnavButton),
    SetToOne(67970, Slot::AtrDisplay1RangeIncreaseButton),
    SetToOne(67971, Slot::AtrDisplay1RangeDecreaseButton),
    SetToOne(68064, Slot::Engine1FireButton),
    SetToOne(68065, Slot::Engine2FireButton),
    SetToOne(68167, Slot::Engine1Agent1Button),
    SetToOne(68168, Slot::Engine2Agent1Button),
    SetToOne(68172, Slot::Engine1Agent2Button),
    SetToOne(68173, Slot::Engine2Agent2Button),
    SetToOne(68243, Slot::AtrDisplay2SystemButton),
    SetToOne(68384, Slot::AtrFuelUsedResetButton),
    SetToOne(68500, Slot::AtrPowerManagement2Selector),
    SetToOne(68839, Slot::AtrRecallButton),
    SetToOne(69055, Slot::AtrDisplay2FormatKnob),
    SetToOne(69058, Slot::AtrDisplay2RangeIncreaseButton),
    SetToOne(69059, Slot::AtrDisplay2RangeDecreaseButton),
    // 0.0
    SetToZero(65832, Slot::AudioVor1ReceiveSwitch),
    SetToZero(65833, Slot::AudioVor2ReceiveSwitch),
    SetToZero(68059, Slot::Engine1FireButton),
    SetToZero(68060, Slot::Engine2FireButton),
    SetToZero(68502, Slot::AtrPowerManagement2Selector),
    SetToZero(68503, Slot::AtrPowerManagement2Selector),
    SetToZero(68504, Slot::AtrPowerManagement2Selector),
    // Main-session events
    EventWithValue(65615, "ELEV_TRIM_UP"),
    EventWithValue(65853, "SPOILERS_ARM_TOGGLE"),
    EventWithValue(66079, "GEAR_UP"),
    EventWithValue(66080, "GEAR_DOWN"),
    EventWithValue(66276, "AILERON_TRIM_LEFT"),
    EventWithValue(66277, "AILERON_TRIM_RIGHT"),
    EventWithValue(66293, "AVIONICS_MASTER_SET"),
    EventWithValue(66377, "TOGGLE_RECOGNITION_LIGHTS"),
    EventWithValue(68492, "TURBINE_IGNITION_SWITCH_SET"),
    EventWithOne(65560, "STROBES_TOGGLE"),
    EventWithOne(65883, "KOHLSMAN_INC"),
    EventWithOne(67958, "KOHLSMAN_INC"),
    EventWithOne(65884, "KOHLSMAN_DEC"),
    EventWithOne(67959, "KOHLSMAN_DEC"),
    EventWithOne(66278, "RUDDER_TRIM_LEFT"),
    EventWithOne(66279, "RUDDER_TRIM_RIGHT"),
    EventWithZero(68843, "RUDDER_TRIM_SET"),
};
// clang-format on

bool On(std::int32_t value) {
    return value != 0;
}

// 1.0, 100 ms, 0.0: the bridge's momentary press.
void Press(Server& server, Slot button) {
    Set(server, button, 1.0);
    Pause(server, kPress);
    Set(server, button, 0.0);
}

void Hold(Server& server, Slot button, std::uint32_t milliseconds) {
    Set(server, button, 1.0);
    Pause(server, milliseconds);
    Set(server, button, 0.0);
}

void YawDamperAndAutopilot(Server& server, std::uint32_t, std::int32_t value) {
    if (On(value) && Read(server, Slot::AtrYawDamperState) == 0.0) {
        Set(server, Slot::AtrYawDamperButton, 1.0);
        Pause(server, kCduKeyGap);
    }
    SendEvent(server, "AP_MASTER", static_cast<std::uint32_t>(value));
}

void RtuInnerKnob(Server& server, std::uint32_t code, std::int32_t) {
    RunCode(server, code == 65639 ? "(L:ATR_RTU1_KNOB_INNER, Number) 10 + dnor(> L:ATR_RTU1_KNOB_INNER) "
                                    "(ATR_RTU1_KNOB_INNER_CHANGE, Number) ++ (> L:ATR_RTU1_KNOB_INNER_CHANGE)"
                                  : "(L:ATR_RTU2_KNOB_INNER, Number) 10 + dnor(> L:ATR_RTU2_KNOB_INNER) "
                                    "(ATR_RTU2_KNOB_INNER_CHANGE, Number) ++ (> L:ATR_RTU2_KNOB_INNER_CHANGE)");
}

// The source selector to its position first, then a course click. The left
// source's down click turns the second course knob, as its up click does.
void Course(Server& server, std::uint32_t code, std::int32_t) {
    const bool first = code == 65662 || code == 65663;
    const Slot source = first ? Slot::AtrNavSource1Selector : Slot::AtrNavSource2Selector;
    const std::int32_t position = first ? 1 : 2;
    if (TruncateToInt32(Read(server, source)) != position) {
        Set(server, source, position);
        Pause(server, kStep);
    }
    const bool down = code == 65662 || code == 65664;
    Set(server, first ? Slot::AtrCourse1Knob : Slot::AtrCourse2Knob, down ? -1.0 : 1.0);
}

void AltitudeDown(Server& server, std::uint32_t, std::int32_t) {
    Set(server, Slot::AtrAltitudeKnob, -1.0);
}

// The third lamp is a shared slot that the ATR does not fill.
void LandingLights(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::LandingLightLeftSwitch, value);
    Pause(server, 1);
    Set(server, Slot::LandingLightRightSwitch, value);
    Pause(server, 1);
    Set(server, Slot::NoseLightSwitch, value);
}

void ParkingBrake(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::ParkingBrakeLever, value > 0 ? 2.0 : 0.0);
}

void ConditionLever(Server& server, std::uint32_t code, std::int32_t value) {
    Set(server, code == 65919 ? Slot::AtrConditionLever1Value : Slot::AtrConditionLever2Value, value > 0 ? 1.0 : 0.0);
}

void PropBrake(Server& server, std::uint32_t, std::int32_t value) {
    if (On(value)) {
        Set(server, Slot::AtrPropBrakeCover, 1.0);
        Pause(server, kStep);
    }
    Set(server, Slot::AtrPropBrakeSwitch, value);
    if (!On(value)) {
        Pause(server, kStep);
        Set(server, Slot::AtrPropBrakeCover, 0.0);
    }
}

void PitchWheel(Server& server, std::uint32_t, std::int32_t value) {
    RunCode(server, On(value) ? "(L:MSATR_FCGP_PITCH_WHEEL_DELTA) ++ (>L:MSATR_FCGP_PITCH_WHEEL_DELTA)"
                              : "(L:MSATR_FCGP_PITCH_WHEEL_DELTA) -- (>L:MSATR_FCGP_PITCH_WHEEL_DELTA)");
}

void TargetKnob(Server& server, std::uint32_t, std::int32_t value) {
    RunCode(server, On(value) ? "(L:MSATR_FGCP_TGT_DELTA) ++ (>L:MSATR_FGCP_TGT_DELTA)"
                              : "(L:MSATR_FGCP_TGT_DELTA) -- (>L:MSATR_FGCP_TGT_DELTA)");
}

void AltitudeKnob(Server& server, std::uint32_t, std::int32_t value) {
    RunCode(server, On(value) ? "(L:MSATR_FGCP_ALTSEL_DELTA) ++ (>L:MSATR_FGCP_ALTSEL_DELTA)"
                              : "(L:MSATR_FGCP_ALTSEL_DELTA) -- (>L:MSATR_FGCP_ALTSEL_DELTA)");
}

void Heading(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::AtrSelectedHeadingValue, value);
    Pause(server, 1);
    Set(server, Slot::AtrHeadingChangedToggle, 1.0);
}

void Battery(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::Battery1Switch, value > 0 ? 1.0 : 2.0);
}

void PropellerAntiIce(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::AtrPropeller1AntiIceSwitch, value);
    Pause(server, 400);
    Set(server, Slot::AtrPropeller2AntiIceSwitch, value);
}

// Open unless its status reads open, then closed.
void ToggleDoor(Server& server, Slot door, Slot status) {
    Set(server, door, Read(server, status) > 0.0 ? 0.0 : 1.0);
}
void PassengerDoor(Server& server) {
    ToggleDoor(server, Slot::AtrPassengerDoorSwitch, Slot::AtrPassengerDoorState);
}
void ServiceDoor(Server& server) {
    ToggleDoor(server, Slot::AtrServiceDoorSwitch, Slot::AtrServiceDoorState);
}
void CargoDoor(Server& server) {
    ToggleDoor(server, Slot::AtrCargoDoorSwitch, Slot::AtrCargoDoorState);
}

void Doors(Server& server, std::uint32_t, std::int32_t value) {
    if (value == 1 || value == 5) PassengerDoor(server);
    if (value == 6) ServiceDoor(server);
    if (value == 7) CargoDoor(server);
}

void Door(Server& server, std::uint32_t code, std::int32_t) {
    if (code == 68368 || code == 68370) PassengerDoor(server);
    if (code == 68369 || code == 68371) ServiceDoor(server);
    if (code == 68374) CargoDoor(server);
}

void ComReceivers(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::AudioVhf1ReceiveSwitch, value);
    Pause(server, kStep);
    Set(server, Slot::AudioVhf2ReceiveSwitch, value);
}

void DomeLight(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::DomeLightSwitch, value > 0 ? 0.0 : 2.0);
}

void Couple(Server& server, std::uint32_t, std::int32_t value) {
    if (value == 1 && Read(server, Slot::AtrCoupleSideState) > 0.0) Press(server, Slot::AtrCoupleSideButton);
}

void BaroStandard(Server& server, std::uint32_t, std::int32_t value) {
    if (value > 0) {
        Press(server, Slot::Efis1BaroStdButton);
        Pause(server, kStep);
        Press(server, Slot::Efis2BaroStdButton);
        return;
    }
    Set(server, Slot::AtrBaro1Knob, 1.0);
    Pause(server, 150);
    Set(server, Slot::AtrBaro1Knob, -1.0);
    Pause(server, kStep);
    Set(server, Slot::AtrBaro2Knob, 1.0);
    Pause(server, 150);
    Set(server, Slot::AtrBaro2Knob, -1.0);
}

// The captain's display format (0 to 2) stepped from where it is to the
// value, one click per format, 300 ms between two clicks.
void DisplayFormat(Server& server, std::uint32_t, std::int32_t value) {
    const std::int32_t current = TruncateToInt32(Read(server, Slot::AtrDisplay1FormatValue));
    if (value < 0 || value > 2 || current < 0 || current > 2) return;
    const double click = value > current ? 1.0 : -1.0;
    for (std::int32_t step = 0; step < std::abs(value - current); ++step) {
        if (step > 0) Pause(server, kStep);
        Set(server, Slot::AtrDisplay1FormatKnob, click);
    }
}

void DisplayFormatDown(Server& server, std::uint32_t code, std::int32_t) {
    Set(server, code == 67968 ? Slot::AtrDisplay1FormatKnob : Slot::AtrDisplay2FormatKnob, -1.0);
}

// Shared slots that the ATR does not fill: nothing happens on the ATR.
void TerrainOnDisplay(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, value < 10 ? Slot::CaptainTerrainOnNdButton : Slot::FirstOfficerTerrainOnNdButton, value);
}

void HeadingSync(Server& server, std::uint32_t, std::int32_t) {
    Press(server, Slot::AtrHeadingSyncButton);
}

void IdgDisconnect(Server& server, std::uint32_t code, std::int32_t) {
    const bool first = code == 68020;
    Set(server, first ? Slot::Idg1DisconnectCover : Slot::Idg2DisconnectCover, 1.0);
    Pause(server, kStep);
    Set(server, first ? Slot::Idg1DisconnectSwitch : Slot::Idg2DisconnectSwitch, 1.0);
}

void IrsKnob(Server& server, std::uint32_t code, std::int32_t) {
    const Slot knob = code == 68073 || code == 68074 ? Slot::Ir1ModeSelector : Slot::Ir2ModeSelector;
    const double step = code == 68073 || code == 68075 ? -1.0 : 1.0;
    Set(server, knob, Read(server, knob) + step);
}

void Wiper(Server& server, std::uint32_t code, std::int32_t value) {
    const Slot wiper = code == 68089 || code == 68090 ? Slot::CaptainWiperSelector : Slot::FirstOfficerWiperSelector;
    Set(server, wiper, value == 0 ? 2.0 : value == 1 ? 1.0 : 0.0);
}

void FireTest(Server& server, std::uint32_t code, std::int32_t value) {
    if (!On(value)) return;
    StartFireTest(server, code == 69077 ? 1 : code == 69078 ? 2 : 0);
}

void FireFault(Server& server, std::uint32_t, std::int32_t value) {
    if (On(value)) StartFireFault(server);
}

void TransponderMode(Server& server, std::uint32_t, std::int32_t value) {
    StartTransponderMode(server, value);
}

void TransponderCode(Server& server, std::uint32_t, std::int32_t value) {
    StartTransponderCode(server, value);
}

void MasterLamp(Server& server, std::uint32_t code, std::int32_t) {
    Press(server, code == 68153 ? Slot::MasterCautionButton : Slot::MasterWarningButton);
}

// A knob of positions 0 to 5, one step.
void PanelKnob(Server& server, std::uint32_t code, std::int32_t) {
    const bool overhead = code == 68177 || code == 68181 || code == 68178 || code == 68182;
    const bool down = code == 68177 || code == 68181 || code == 68183;
    const Slot knob = overhead ? Slot::OverheadPanelLightKnob : Slot::AtrPanelLightKnob;
    const double position = Read(server, knob);
    if (down && position >= 1.0) Set(server, knob, position - 1.0);
    if (!down && position < 5.0) Set(server, knob, position + 1.0);
}

void FloodKnob(Server& server, std::uint32_t, std::int32_t value) {
    const double position = Read(server, Slot::AtrFloodLightKnob);
    if (On(value) && position <= 90.0) Set(server, Slot::AtrFloodLightKnob, position + 10.0);
    if (!On(value) && position >= 10.0) Set(server, Slot::AtrFloodLightKnob, position - 10.0);
}

void SystemPage(Server& server, std::uint32_t code, std::int32_t) {
    const int times = code == 68240 ? 2 : code == 68241 ? 3 : 4;
    for (int i = 0; i < times; ++i) {
        if (i > 0) Pause(server, 200);
        Set(server, Slot::AtrDisplay2SystemButton, 1.0);
    }
}

void NosewheelSteering(Server& server, std::uint32_t, std::int32_t value) {
    if (!On(value)) {
        Set(server, Slot::AtrNosewheelSteeringCover, 1.0);
        Pause(server, 400);
    }
    Set(server, Slot::NosewheelSteeringSwitch, value);
    if (On(value)) {
        Pause(server, 400);
        Set(server, Slot::AtrNosewheelSteeringCover, 0.0);
    }
}

void PowerManagement(Server& server, std::uint32_t code, std::int32_t) {
    Set(server, Slot::AtrPowerManagement2Selector, code == 68497 ? 2.0 : 3.0);
}

void WeatherRadarMode(Server& server, std::uint32_t, std::int32_t value) {
    // In double: 4 - value cannot overflow.
    Set(server, Slot::WeatherRadarModeSelector, 4.0 - static_cast<double>(value));
}

void WeatherRadar(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::WeatherRadarModeSelector, value > 0 ? 1.0 : 0.0);
}

void CentreDisplayPower(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::AtrDisplay3PowerSwitch, On(value) ? 1.0 : 0.0);
}

void DisplayPower(Server& server, std::uint32_t code, std::int32_t value) {
    const bool outer = code == 68578;
    const Slot first = outer ? Slot::AtrDisplay1PowerSwitch : Slot::AtrDisplay2PowerSwitch;
    const Slot second = outer ? Slot::AtrDisplay5PowerSwitch : Slot::AtrDisplay4PowerSwitch;
    switch (value) {
        case 0:
        case 1:
            Set(server, first, value);
            Pause(server, kStep);
            Set(server, second, value);
            return;
        case 10:
        case 11:
            Set(server, first, value - 10);
            return;
        case 20:
        case 21:
            Set(server, second, value - 20);
            return;
        default:
            return;
    }
}

void Annunciators(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::AnnunciatorLightSwitch, value > 0 ? 0.0 : 1.0);
}

void PackFlow(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::AtrPackFlowSelector, value == 2 ? 1.0 : 0.0);
}

void Procedure(Server& server, std::uint32_t, std::int32_t value) {
    StartProcedure(server, value);
}

void StabTrimChannel(Server& server, std::uint32_t code, std::int32_t value) {
    const Slot channel = code == 68696 ? Slot::AtrStabTrimChannel1Switch : Slot::AtrStabTrimChannel2Switch;
    const double state = Read(server, channel);
    if (On(value) && state > 0.0) Set(server, channel, 0.0);
    if (!On(value) && TruncateToInt32(state) == 0) Set(server, channel, 1.0);
}

void ProcedureKey(Server& server, std::uint32_t code, std::int32_t) {
    Hold(server,
         code == 68711   ? Slot::AtrProcedureValidateButton
         : code == 68712 ? Slot::AtrProcedureDownButton
                         : Slot::AtrProcedureMenuButton,
         250);
}

void CduBrightness(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, On(value) ? Slot::Cdu1BrightnessUpButton : Slot::Cdu1BrightnessDownButton, 1.0);
    Pause(server, kStep);
    Set(server, On(value) ? Slot::Cdu2BrightnessUpButton : Slot::Cdu2BrightnessDownButton, 1.0);
}

void RadioPage(Server& server, std::uint32_t, std::int32_t value) {
    if (value == 1) Set(server, Slot::AtrRmpKeyCom, 1.0);
    if (value == 2) Set(server, Slot::AtrRmpKeyNav, 1.0);
    if (value == 3) Set(server, Slot::AtrRmpKeySurv, 1.0);
}

// Four codes per group: radio 1, radio 2, and the same two left in standby.
void Frequency(Server& server, std::uint32_t code, std::int32_t value) {
    FrequencyRequest request;
    if (code == 69113 || code == 69114 || code == 69119 || code == 69120) request.group = FrequencyRequest::Group::B;
    if (code == 69115 || code == 69116 || code == 69121 || code == 69122) request.group = FrequencyRequest::Group::C;
    request.kilohertz = value;
    request.radio =
        code == 69112 || code == 69114 || code == 69116 || code == 69118 || code == 69120 || code == 69122 ? 2 : 1;
    request.swap = code >= 69117;
    StartFrequency(server, request);
}

// clang-format off
constexpr SpecialRow kSpecialRows[] = {
    {65580, YawDamperAndAutopilot},
    {65639, RtuInnerKnob},      {66440, RtuInnerKnob},
    {65662, Course},            {65663, Course},           {65664, Course},          {65665, Course},
    {65893, AltitudeDown},
    {65751, LandingLights},     {66061, LandingLights},
    {65752, ParkingBrake},
    {65919, ConditionLever},    {65920, ConditionLever},
    {66003, PropBrake},
    {66036, PitchWheel},
    {66037, TargetKnob},        {66038, TargetKnob},
    {66124, AltitudeKnob},
    {66042, Heading},
    {66241, Battery},
    {66338, PropellerAntiIce},
    {66389, Doors},
    {68368, Door},              {68370, Door},             {68369, Door},            {68371, Door},
    {68374, Door},
    {66466, ComReceivers},
    {66579, DomeLight},
    {66585, Couple},
    {67960, BaroStandard},
    {67967, DisplayFormat},
    {67968, DisplayFormatDown}, {69056, DisplayFormatDown},
    {67979, TerrainOnDisplay},
    {67993, HeadingSync},
    {68020, IdgDisconnect},     {68021, IdgDisconnect},
    {68073, IrsKnob},           {68074, IrsKnob},          {68075, IrsKnob},         {68076, IrsKnob},
    {68089, Wiper},             {68090, Wiper},            {68093, Wiper},           {68094, Wiper},
    {68097, FireTest},          {69077, FireTest},         {69078, FireTest},
    {68114, TransponderMode},
    {68153, MasterLamp},        {68155, MasterLamp},
    {68177, PanelKnob},         {68181, PanelKnob},        {68178, PanelKnob},       {68182, PanelKnob},
    {68183, PanelKnob},         {68184, PanelKnob},
    {69008, FloodKnob},         {69010, FloodKnob},        {69011, FloodKnob},
    {68240, SystemPage},        {68241, SystemPage},       {68245, SystemPage},
    {68388, NosewheelSteering},
    {68429, FireFault},
    {68497, PowerManagement},   {68501, PowerManagement},
    {68557, WeatherRadarMode},  {68558, WeatherRadarMode},
    {68847, WeatherRadar},
    {68576, CentreDisplayPower},
    {68578, DisplayPower},      {68579, DisplayPower},
    {68611, Annunciators},
    {68660, PackFlow},
    {68694, Procedure},
    {68696, StabTrimChannel},   {68697, StabTrimChannel},
    {68711, ProcedureKey},      {68712, ProcedureKey},     {68714, ProcedureKey},
    {68918, TransponderCode},
    {69026, CduBrightness},
    {69110, RadioPage},
    {69111, Frequency},         {69112, Frequency},        {69113, Frequency},       {69114, Frequency},
    {69115, Frequency},         {69116, Frequency},        {69117, Frequency},       {69118, Frequency},
    {69119, Frequency},         {69120, Frequency},        {69121, Frequency},       {69122, Frequency},
};
// clang-format on

constexpr CommandTables kTables{kGenericCodes, kPlainRows, kSpecialRows};

static_assert(lvar::EveryCodeOnce(kTables), "a code belongs to one row");

}  // namespace

// No bridge test here: events still go out without the bridge, while every
// variable write and calculator code needs it and does nothing without it.
void RunCommand(Server& server, std::uint32_t code, std::int32_t value) {
    if (lvar::IsCduKey(code)) {
        const Slot key = lvar::CduKeySlot(code, value);
        // A key the aircraft does not have presses nothing, INPUT included.
        if (!lvar::IsKnown(server, key)) return;
        lvar::Set(server, key, 1.0);
        lvar::Pause(server, kCduKeyGap);
        lvar::Set(server, value == 2 ? Slot::AtrCdu2InputButton : Slot::AtrCdu1InputButton, 1.0);
        return;
    }
    lvar::RouteCommand(server, kTables, code, value);
}

}  // namespace tarvo::adapters::atr
