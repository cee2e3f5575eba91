// The CRJ's command set: CDU keys, the generic adapter's share, the plain
// lists, then the rows that do more; any other code does nothing.
#include "adapters/LvarAdapter.h"
#include "adapters/crj/Crj.h"
#include "adapters/crj/CrjWorkers.h"
#include "base/Convert.h"
#include "bridge/WasmBridge.h"

#include <algorithm>
#include <string>

namespace tarvo::adapters::crj {
namespace {

using namespace lvar;

constexpr std::uint32_t kAnimation = 300;
constexpr double kDoorOpen = 100.0;
constexpr double kDoorOpenAbove = 50.0;
constexpr double kLeverIdle = 400.0;
constexpr double kLeverCutoff = 500.0;
constexpr double kLeverFull = 16383.0;
constexpr std::int32_t kBleedBoth = 3;

// Handed to the generic adapter, which does for the CRJ what it does for any aircraft.
constexpr CodeRange kGenericCodes[] = {
    {65538, 65539}, {65564, 65564}, {65595, 65596}, {65598, 65598}, {65602, 65604}, {65609, 65609}, {65617, 65617},
    {65698, 65698}, {65707, 65709}, {65714, 65715}, {65758, 65759}, {65762, 65764}, {65789, 65790}, {66040, 66040},
    {66172, 66181}, {66371, 66371}, {66442, 66443}, {66483, 66483}, {69109, 69109},
};

// clang-format off
constexpr PlainRow kPlainRows[] = {
    // The value, as a double.
    SetToValue(65560, Slot::StrobeLightSwitch),
    SetToValue(65750, Slot::OverheadPanelLightKnob),
    SetToValue(65847, Slot::AudioVor1ReceiveSwitch),
    SetToValue(65848, Slot::AudioVor2ReceiveSwitch),
    SetToValue(65852, Slot::GravityGearExtendSwitch),
    SetToValue(65858, Slot::ProbeWindowHeatSwitch),
    SetToValue(66239, Slot::BeaconLightSwitch),
    SetToValue(66240, Slot::TaxiLightSwitch),
    SetToValue(66241, Slot::Battery1Switch),
    SetToValue(66337, Slot::WingAntiIceSwitch),
    SetToValue(66340, Slot::FuelLeftTankPump1Switch),
    SetToValue(66341, Slot::FuelRightTankPump1Switch),
    SetToValue(66363, Slot::Generator1Switch),
    SetToValue(66364, Slot::Generator2Switch),
    SetToValue(66376, Slot::LogoLightSwitch),
    SetToValue(66378, Slot::WingLightSwitch),
    SetToValue(66379, Slot::NavLightSwitch),
    SetToValue(66478, Slot::AudioMarkerReceiveSwitch),
    SetToValue(66484, Slot::Engine1AntiIceSwitch),
    SetToValue(66485, Slot::Engine2AntiIceSwitch),
    SetToValue(66579, Slot::DomeLightSwitch),
    SetToValue(66596, Slot::FuelGravityFlowSwitch),
    SetToValue(66706, Slot::ApuGeneratorSwitch),
    SetToValue(66718, Slot::NoSmokingSignSwitch),
    SetToValue(66719, Slot::SeatbeltSignSwitch),
    SetToValue(67957, Slot::Baro1UnitSelector),
    SetToValue(68012, Slot::HydraulicShutoffValve1Switch),
    SetToValue(68013, Slot::HydraulicShutoffValve2Switch),
    SetToValue(68016, Slot::AutoTransfer1Switch),
    SetToValue(68017, Slot::AutoTransfer2Switch),
    SetToValue(68018, Slot::AcEssFeedSwitch),
    SetToValue(68104, Slot::CabinFansSwitch),
    SetToValue(68111, Slot::EmergencyExitLightSwitch),
    SetToValue(68114, Slot::TransponderModeSelector),
    SetToValue(68115, Slot::SpeedTargetSetButton),
    SetToValue(68128, Slot::PassengerOxygenSwitch),
    SetToValue(68193, Slot::PassengerOxygenCover),
    SetToValue(68194, Slot::ProbeHeatRightSwitch),
    SetToValue(68199, Slot::WindshieldHeatLeftSwitch),
    SetToValue(68200, Slot::WindshieldHeatLeftSwitch),
    SetToValue(68201, Slot::WindshieldHeatRightSwitch),
    SetToValue(68202, Slot::WindshieldHeatRightSwitch),
    SetToValue(68234, Slot::DcServiceSwitch),
    SetToValue(68270, Slot::Pack1Switch),
    SetToValue(68271, Slot::Pack2Switch),
    SetToValue(68337, Slot::Idg1DisconnectCover),
    SetToValue(68338, Slot::Idg2DisconnectCover),
    SetToValue(68341, Slot::GpwsFlapModeCover),
    SetToValue(68362, Slot::GpwsTerrainCover),
    SetToValue(68367, Slot::WheelChocksSwitch),
    SetToValue(68368, Slot::MainDoorPositionValue),
    SetToValue(68379, Slot::GroundPowerUnitSwitch),
    SetToValue(68388, Slot::NosewheelSteeringSwitch),
    SetToValue(68411, Slot::EmergencyFlapSwitch),
    SetToValue(68443, Slot::HydraulicShutoffValve1Cover),
    SetToValue(68444, Slot::HydraulicShutoffValve2Cover),
    SetToValue(68510, Slot::CabinPressureManualSwitch),
    SetToValue(68592, Slot::SpoilerModeSwitch),
    SetToValue(68611, Slot::AnnunciatorLightSwitch),
    SetToValue(68660, Slot::BleedValvesSwitch),
    SetToValue(68742, Slot::AcEssFeedSwitch),
    SetToValue(68743, Slot::FuelTransferLeftSwitch),
    SetToValue(68744, Slot::FuelTransferRightSwitch),
    SetToValue(68745, Slot::FuelTransferOverrideSwitch),
    SetToValue(68802, Slot::HydraulicPump1Selector),
    SetToValue(68803, Slot::HydraulicPump2Selector),
    SetToValue(68804, Slot::HydraulicPump3ASelector),
    SetToValue(68805, Slot::HydraulicPump3BSelector),
    SetToValue(68859, Slot::ThrustReverser1ModeSwitch),
    SetToValue(68860, Slot::ThrustReverser2ModeSwitch),
    SetToValue(68948, Slot::CrossBleedSelector),
    SetToValue(69021, Slot::HeadUpGuidanceCombinerSwitch),
    // 1.0
    SetToOne(65837, Slot::AudioVor1ReceiveSwitch),
    SetToOne(65838, Slot::AudioVor2ReceiveSwitch),
    SetToOne(66535, Slot::ContinuousIgnitionButton),
    SetToOne(67951, Slot::VnavButton),
    SetToOne(67953, Slot::Minimums1SetButton),
    SetToOne(68237, Slot::EcamClearRightButton),
    SetToOne(68238, Slot::EcamRecallButton),
    SetToOne(68240, Slot::EcamHydraulicButton),
    SetToOne(68241, Slot::EcamEngineButton),
    SetToOne(68242, Slot::EcamStatusButton),
    SetToOne(68243, Slot::EcamElecButton),
    SetToOne(68244, Slot::EcamFuelButton),
    SetToOne(68245, Slot::EcamConditioningButton),
    SetToOne(68246, Slot::EcamDoorButton),
    SetToOne(68249, Slot::EcamFlightControlButton),
    // 0.0
    SetToZero(65832, Slot::AudioVor1ReceiveSwitch),
    SetToZero(65833, Slot::AudioVor2ReceiveSwitch),
    SetToZero(66065, Slot::SpoilerLeverValue),
    // Main-session events with the value as their data.
    EventWithValue(65615, "ELEV_TRIM_UP"),
    EventWithValue(65723, "AP_LOC_HOLD"),
    EventWithValue(65724, "AP_APR_HOLD"),
    EventWithValue(65725, "AP_HDG_HOLD"),
    EventWithValue(65726, "AP_ALT_HOLD"),
    EventWithValue(65729, "AP_NAV1_HOLD"),
    EventWithValue(65752, "PARKING_BRAKES"),
    EventWithValue(65853, "SPOILERS_ARM_TOGGLE"),
    EventWithValue(65859, "AP_AIRSPEED_HOLD"),
    EventWithValue(66079, "GEAR_UP"),
    EventWithValue(66080, "GEAR_DOWN"),
    EventWithValue(66099, "AP_VS_HOLD"),
    EventWithValue(66276, "AILERON_TRIM_LEFT"),
    EventWithValue(66277, "AILERON_TRIM_RIGHT"),
    EventWithValue(66293, "AVIONICS_MASTER_SET"),
    EventWithValue(66701, "AVIONICS_MASTER_SET"),
    EventWithValue(66377, "TOGGLE_RECOGNITION_LIGHTS"),
    EventWithValue(66720, "ANTISKID_BRAKES_TOGGLE"),
    EventWithValue(66732, "RUDDER_TRIM_SET"),
    EventWithValue(67936, "AP_MASTER"),
    EventWithValue(68416, "APU_GENERATOR_SWITCH_TOGGLE"),
    EventWithValue(68417, "APU_GENERATOR_SWITCH_TOGGLE"),
    EventWithValue(68492, "TURBINE_IGNITION_SWITCH_SET"),
    // Events with fixed data.
    EventWithOne(65883, "KOHLSMAN_INC"),
    EventWithOne(67958, "KOHLSMAN_INC"),
    EventWithOne(65884, "KOHLSMAN_DEC"),
    EventWithOne(67959, "KOHLSMAN_DEC"),
    EventWithOne(66278, "RUDDER_TRIM_LEFT"),
    EventWithOne(66279, "RUDDER_TRIM_RIGHT"),
    EventWithOne(67939, "HEADING_SLOT_INDEX_SET"),
    EventWithOne(68166, "ALTITUDE_SLOT_INDEX_SET"),
    EventWithZero(68843, "RUDDER_TRIM_SET"),
};
// clang-format on

// ---- Rows that do more than a list can say -------------------------------------

bool On(std::int32_t value) {
    return value != 0;
}

// A knob turned one click and let go: direction, a pause, 0.0.
void Click(Server& server, Slot knob, double direction, std::uint32_t hold) {
    Set(server, knob, direction);
    Pause(server, hold);
    Set(server, knob, 0.0);
}

// The crew app's lever positions (0 to 16383), whatever it sends.
double LeverPosition(std::int32_t value) {
    return std::clamp(static_cast<double>(value), 0.0, kLeverFull);
}

void YawDamperOn(Server& server, std::uint32_t, std::int32_t value) {
    constexpr std::size_t kYawDamper = 8;  // systems record: AUTOPILOT YAW DAMPER
    if (server.session.records[sim::kSystemsRecord].Int32(kYawDamper) == 0) {
        SendEvent(server, "YAW_DAMPER_TOGGLE", 1);
        Pause(server, kAnimation);
    }
    if (value == 0) Click(server, Slot::AutopilotDisconnectButton, 1.0, kAnimation);
}

void RtuInnerKnob(Server& server, std::uint32_t code, std::int32_t) {
    RunCode(server, code == 65639 ? "(L:ASCRJ_RTU1_KNOB_INNER, Number) 10 + dnor(> L:ASCRJ_RTU1_KNOB_INNER) "
                                    "(ASCRJ_RTU1_KNOB_INNER_CHANGE, Number) ++ (> L:ASCRJ_RTU1_KNOB_INNER_CHANGE)"
                                  : "(L:ASCRJ_RTU2_KNOB_INNER, Number) 10 + dnor(> L:ASCRJ_RTU2_KNOB_INNER) "
                                    "(ASCRJ_RTU2_KNOB_INNER_CHANGE, Number) ++ (> L:ASCRJ_RTU2_KNOB_INNER_CHANGE)");
}

// The navigation source knob wound back to its start, then the course set.
void Course(Server& server, std::uint32_t code, std::int32_t value) {
    const bool left = code == 65716;
    const Slot source = left ? Slot::NavSource1Knob : Slot::NavSource2Knob;
    for (int i = 0; i < 4; ++i) {
        Click(server, source, -1.0, 50);
        Pause(server, 100);
        Click(server, source, 1.0, 50);
        Pause(server, 100);
    }
    Set(server, left ? Slot::Course1Value : Slot::Course2Value, value);
    Pause(server, 50);
    Set(server, left ? Slot::Course1SetButton : Slot::Course2SetButton, 1.0);
}

void LandingLights(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::LandingLightLeftSwitch, value);
    Pause(server, 1);
    Set(server, Slot::LandingLightRightSwitch, value);
    Pause(server, 1);
    Set(server, Slot::LandingLightNoseSwitch, value);
}

void Spoilers(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::SpoilerLeverValue, LeverPosition(value) / kLeverFull * 100.0);
}

void YawDamperDisconnect(Server& server) {
    Click(server, Slot::YawDamperDisconnectButton, 1.0, kAnimation);
    SendEvent(server, "YAW_DAMPER_TOGGLE", 0);
}

void YawDampers(Server& server, std::uint32_t, std::int32_t value) {
    if (On(value)) return StartYawDampers(server);
    YawDamperDisconnect(server);
}

// 0 is idle (400), full thrust 0; a lever past the range stays inside it.
void ThrustLever(Server& server, std::uint32_t code, std::int32_t value) {
    const Slot lever = code == 65820 ? Slot::ThrustLever1Value : Slot::ThrustLever2Value;
    Set(server, lever, kLeverIdle - LeverPosition(value) * kLeverIdle / kLeverFull);
}

void FuelLever(Server& server, std::uint32_t code, std::int32_t value) {
    const std::int32_t engine = code == 65919 ? 1 : 2;
    const double lever = Read(server, engine == 1 ? Slot::ThrustLever1Value : Slot::ThrustLever2Value);
    if ((value == 0 && lever <= kLeverIdle) || (value != 0 && lever == kLeverCutoff)) {
        StartFuelLever(server, engine, value);
    }
}

void EngineStart(Server& server, std::uint32_t code, std::int32_t value) {
    const bool left = code == 65932 || code == 66300;
    if (value > 0) {
        Set(server, left ? Slot::Engine1StartButton : Slot::Engine2StartButton, 1.0);
    } else {
        Set(server, left ? Slot::Engine1StopButton : Slot::Engine2StopButton, 1.0);
    }
}

void PitchWheel(Server& server, std::uint32_t, std::int32_t value) {
    Click(server, Slot::PitchWheel, On(value) ? 1.0 : -1.0, 200);
}

// The target's value, then the command that makes the panel take it.
void Target(Server& server, std::uint32_t code, std::int32_t value) {
    const bool speed = code == 66037 || code == 66038;
    const Slot target = speed           ? Slot::SpeedTargetValue
                        : code == 66042 ? Slot::HeadingTargetValue
                                        : Slot::AltitudeTargetValue;
    const Slot set = speed           ? Slot::SpeedTargetSetButton
                     : code == 66042 ? Slot::HeadingTargetSetButton
                                     : Slot::AltitudeTargetSetButton;
    Set(server, target, value);
    Set(server, set, 1.0);
}

// Only a change of state presses the button.
void FlightDirector(Server& server, std::uint32_t code, std::int32_t value) {
    bool& on = server.adapters.crj.flightDirectorOn;
    if (On(value) == on) return;
    on = !on;
    Click(server, code == 66288 ? Slot::FlightDirector1Animation : Slot::FlightDirector2Animation, 1.0, kAnimation);
    SendEvent(server, "TOGGLE_FLIGHT_DIRECTOR", 1);
}

void Minimums(Server& server, std::uint32_t code, std::int32_t) {
    Click(server, Slot::Minimums1Knob, code == 66321 ? 1.0 : -1.0, 50);
}

void ComSwap(Server& server, std::uint32_t code, std::int32_t) {
    const bool first = code == 66372;
    const Slot select = first ? Slot::Rtu1KeyLsk3L : Slot::Rtu2KeyLsk3L;
    const Slot swap = first ? Slot::Rtu1KeyLsk1R : Slot::Rtu2KeyLsk1R;
    Set(server, select, 1.0);
    Pause(server, 250);
    Set(server, swap, 1.0);
    Pause(server, 250);
    Set(server, swap, 1.0);
    Pause(server, 250);
    Set(server, first ? Slot::Rtu1KeyLsk4 : Slot::Rtu2KeyLsk4L, 1.0);
}

void ToggleDoor(Server& server, Slot door) {
    Set(server, door, Read(server, door) > kDoorOpenAbove ? 0.0 : kDoorOpen);
}

void Doors(Server& server, std::uint32_t, std::int32_t value) {
    if (value == 1) ToggleDoor(server, Slot::MainDoorPositionValue);
    if (value == 2) ToggleDoor(server, Slot::ServiceDoorPositionValue);
}

void NavSwap(Server& server, std::uint32_t code, std::int32_t) {
    const Slot key = code == 66448 ? Slot::Rtu1KeyLsk2R : Slot::Rtu2KeyLsk2R;
    Set(server, key, 1.0);
    Pause(server, 500);
    Set(server, key, 1.0);
}

void ComReceivers(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::AudioVhf1ReceiveSwitch, value);
    Pause(server, kAnimation);
    Set(server, Slot::AudioVhf2ReceiveSwitch, value);
}

void ApuMaster(Server& server, std::uint32_t, std::int32_t value) {
    if (value > 0) return StartApuStart(server);
    Set(server, Slot::ApuStartButton, 0.0);
    Pause(server, 1);
    Set(server, Slot::ApuMasterAnimation, 1.0);
    Pause(server, kAnimation);
    Set(server, Slot::ApuMasterSwitch, 0.0);
    Pause(server, 1);
    Set(server, Slot::ApuMasterAnimation, 0.0);
}

void ApuStop(Server& server, std::uint32_t, std::int32_t) {
    StartApuStop(server);
}

void Apu(Server& server, std::uint32_t, std::int32_t value) {
    if (value > 0) return StartApuStart(server);
    StartApuStop(server);
}

void HpSchedule(Server& server, std::uint32_t, std::int32_t value) {
    Animate(server, Slot::HpScheduleAnimation, Slot::HpScheduleSwitch, value);
}

void BaroStandard(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::Efis1BaroStdButton, value);
    Pause(server, kAnimation);
    Set(server, Slot::Efis2BaroStdButton, value);
}

void DisplayKnob(Server& server, std::uint32_t code, std::int32_t) {
    struct Turn {
        std::uint32_t code;
        Slot knob;
        double direction;
        std::uint32_t hold;
    };
    constexpr Turn kTurns[] = {
        {67967, Slot::Display1FormatKnob, 1.0, 300}, {67968, Slot::Display1FormatKnob, -1.0, 300},
        {67970, Slot::Display1RangeKnob, 1.0, 300},  {67971, Slot::Display1RangeKnob, -1.0, 200},
        {69055, Slot::Display2FormatKnob, 1.0, 200}, {69056, Slot::Display2FormatKnob, -1.0, 200},
        {69058, Slot::Display2RangeKnob, 1.0, 200},  {69059, Slot::Display2RangeKnob, -1.0, 200},
    };
    for (const Turn& turn : kTurns) {
        if (turn.code == code) Click(server, turn.knob, turn.direction, turn.hold);
    }
}

void HeadingSync(Server& server, std::uint32_t, std::int32_t) {
    StartHeadingSync(server);
}

void YawDamper(Server& server, std::uint32_t code, std::int32_t value) {
    if (!On(value)) return YawDamperDisconnect(server);
    const bool first = code == 67999;
    Animate(server, first ? Slot::YawDamper1Animation : Slot::YawDamper2Animation,
            first ? Slot::YawDamper1Button : Slot::YawDamper2Button, value);
}

void ApuBleed(Server& server, std::uint32_t, std::int32_t value) {
    if (On(value)) {
        SendEvent(server, "BLEED_AIR_SOURCE_CONTROL_SET", 2);
        Pause(server, kAnimation);
        SendEvent(server, "BLEED_AIR_SOURCE_CONTROL_SET", 0);
        return;
    }
    constexpr std::size_t kEngine1Bleed = 32;  // systems record: BLEED AIR ENGINE:1, then :2
    const sim::Record& systems = server.session.records[sim::kSystemsRecord];
    SendEvent(server, "BLEED_AIR_SOURCE_CONTROL_SET", 1);
    Pause(server, kAnimation);
    const bool both = systems.Int32(kEngine1Bleed) != 0 && systems.Int32(kEngine1Bleed + 1) != 0;
    SendEvent(server, "BLEED_AIR_SOURCE_CONTROL_SET", both ? kBleedBoth : 0);
}

void BleedSource(Server& server, std::uint32_t, std::int32_t value) {
    SendEvent(server, "BLEED_AIR_SOURCE_CONTROL_SET", On(value) ? kBleedBoth : 1);
}

void IdgDisconnect(Server& server, std::uint32_t code, std::int32_t) {
    const bool first = code == 68020;
    Set(server, first ? Slot::Idg1DisconnectCover : Slot::Idg2DisconnectCover, 1.0);
    Pause(server, 1);
    Animate(server, first ? Slot::Idg1DisconnectAnimation : Slot::Idg2DisconnectAnimation,
            first ? Slot::Idg1DisconnectSwitch : Slot::Idg2DisconnectSwitch, 1.0);
}

void BleedIsolation(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::BleedIsolationSwitch, On(value) ? 0.0 : 1.0);
}

// A knob one position on: read, add, write.
void Step(Server& server, Slot knob, double by) {
    Set(server, knob, Read(server, knob) + by);
}

void IrsKnob(Server& server, std::uint32_t code, std::int32_t) {
    const Slot knob = code == 68073 || code == 68074 ? Slot::Ir1ModeSelector : Slot::Ir2ModeSelector;
    Step(server, knob, code == 68073 || code == 68075 ? -1.0 : 1.0);
}

void WeatherRadarStep(Server& server, std::uint32_t code, std::int32_t) {
    Step(server, Slot::WeatherRadarModeSelector, code == 68557 ? -1.0 : 1.0);
}

void WeatherRadar(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::WeatherRadarModeSelector, value > 0 ? 1.0 : 0.0);
}

void FireTest(Server& server, std::uint32_t, std::int32_t value) {
    RunCode(server, On(value) ? "1 (>L:ASCRJ_FIRE_TEST_BTN_ANIM) 1 (> L:ASCRJ_FIRE_TEST)"
                              : "0 (>L:ASCRJ_FIRE_TEST_BTN_ANIM) 0 (> L:ASCRJ_FIRE_TEST)");
}

void GpwsSwitch(Server& server, std::uint32_t code, std::int32_t value) {
    if (code == 68129) return Animate(server, Slot::GpwsFlapModeAnimation, Slot::GpwsFlapModeSwitch, value);
    Animate(server, Slot::GpwsTerrainAnimation, Slot::GpwsTerrainSwitch, value);
}

void MasterLamp(Server& server, std::uint32_t code, std::int32_t) {
    if (code == 68153) return Animate(server, Slot::MasterCautionAnimation, Slot::MasterCautionButton, 1.0);
    Animate(server, Slot::MasterWarningAnimation, Slot::MasterWarningButton, 1.0);
}

void Wipers(Server& server, std::uint32_t, std::int32_t value) {
    const double position = value == 1 ? 2.0 : value == 2 ? 3.0 : value == 3 ? 1.0 : 0.0;
    Set(server, Slot::CaptainWiperSelector, position);
    Set(server, Slot::FirstOfficerWiperSelector, position);
}

void OtherDoor(Server& server, std::uint32_t code, std::int32_t value) {
    const Slot door = code == 68374   ? Slot::ForwardCargoDoorPositionValue
                      : code == 68375 ? Slot::AftCargoDoorPositionValue
                                      : Slot::ServiceDoorPositionValue;
    Set(server, door, value > 0 ? kDoorOpen : 0.0);
}

void RtuSequence(Server& server, std::uint32_t, std::int32_t value) {
    if (On(value)) StartRtuSequence(server);
}

void GpwsTest(Server& server, std::uint32_t, std::int32_t value) {
    if (!On(value)) return Set(server, Slot::GpwsTestAnimation, 0.0);
    Set(server, Slot::GpwsTestAnimation, 1.0);
    Set(server, Slot::GpwsTestButton, 1.0);
    Set(server, Slot::GpwsTestSoundSwitch, 1.0);
}

void StallTest(Server& server, std::uint32_t, std::int32_t value) {
    if (On(value)) StartStallTest(server);
}

void RecorderTest(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::RecorderTestAnimation, On(value) ? 1.0 : 0.0);
    Set(server, Slot::RecorderTestButton, value);
}

void ApuMasterSwitch(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::ApuMasterAnimation, 1.0);
    Pause(server, kAnimation);
    Set(server, Slot::ApuMasterSwitch, value);
    Pause(server, 1);
    Set(server, Slot::ApuMasterAnimation, 0.0);
}

void EmergencyLocator(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::EmergencyLocatorSwitch, value > 0 ? 0.0 : 1.0);
}

void NavSource(Server& server, std::uint32_t, std::int32_t value) {
    Click(server, Slot::NavSource1Knob, value > 0 ? 1.0 : -1.0, 200);
}

void StabTrimChannel(Server& server, std::uint32_t code, std::int32_t value) {
    const bool first = code == 68696;
    const Slot channel = first ? Slot::StabTrim1Button : Slot::StabTrim2Button;
    const Slot animation = first ? Slot::StabTrim1Animation : Slot::StabTrim2Animation;
    const double now = Read(server, channel);
    if (On(value) && now > 0.0) {
        Animate(server, animation, channel, 0.0);
    } else if (!On(value) && TruncateToInt32(now) == 0) {
        Animate(server, animation, channel, 1.0);
    }
}

void MachTrim(Server& server, std::uint32_t, std::int32_t value) {
    if (On(value)) return StartTrimEngage(server);
    Set(server, Slot::MachTrimAnimation, 1.0);
    Pause(server, 1);
    Click(server, Slot::MachTrimButton, 1.0, kAnimation);
    Pause(server, 1);
    Set(server, Slot::MachTrimAnimation, 0.0);
}

void GroundPower(Server& server, std::uint32_t, std::int32_t value) {
    Set(server, Slot::ExternalPowerAnimation, 1.0);
    Pause(server, kAnimation);
    Set(server, Slot::ExternalPowerButton, value);
    Pause(server, kAnimation);
    Set(server, Slot::ExternalPowerAnimation, 0.0);
}

void Transponder(Server& server, std::uint32_t, std::int32_t value) {
    StartTransponder(server, value);
}

// The aircraft lists its GPWS variable for the windshield heat test.
void WindshieldHeatTest(Server& server, std::uint32_t, std::int32_t value) {
    Animate(server, Slot::WindshieldHeatTestAnimation, Slot::GpwsTestButton, value);
}

void CduBrightness(Server& server, std::uint32_t, std::int32_t value) {
    if (On(value)) {
        RunCode(server, "(L:ASCRJ_MCDU1_BRT_CHANGE, Number) ++ (>L:ASCRJ_MCDU1_BRT_CHANGE)");
        Pause(server, kAnimation);
        RunCode(server, "(L:ASCRJ_MCDU2_BRT_CHANGE, Number) ++ (>L:ASCRJ_MCDU2_BRT_CHANGE)");
        return;
    }
    RunCode(server, "(L:ASCRJ_MCDU1_BRT_CHANGE, Number) -- (>L:ASCRJ_MCDU1_BRT_CHANGE)");
    Pause(server, kAnimation);
    RunCode(server, "(L:ASCRJ_MCDU2_BRT_CHANGE, Number) -- (>L:ASCRJ_MCDU2_BRT_CHANGE)");
}

// clang-format off
constexpr SpecialRow kSpecialRows[] = {
    {65580, YawDamperOn},
    {65639, RtuInnerKnob},     {66440, RtuInnerKnob},
    {65716, Course},           {65717, Course},
    {65751, LandingLights},    {66061, LandingLights},
    {65786, Spoilers},
    {65793, YawDampers},
    {65820, ThrustLever},      {65821, ThrustLever},
    {65919, FuelLever},        {65920, FuelLever},
    {65932, EngineStart},      {66300, EngineStart},     {65938, EngineStart},   {66301, EngineStart},
    {66036, PitchWheel},
    {66037, Target},           {66038, Target},          {66042, Target},        {66124, Target},
    {66288, FlightDirector},   {67947, FlightDirector},
    {66321, Minimums},         {66322, Minimums},
    {66372, ComSwap},          {66444, ComSwap},
    {66389, Doors},
    {66448, NavSwap},          {66452, NavSwap},
    {66466, ComReceivers},
    {66704, ApuMaster},
    {66705, ApuStop},
    {68134, Apu},
    {67258, HpSchedule},
    {67960, BaroStandard},
    {67967, DisplayKnob},      {67968, DisplayKnob},     {67970, DisplayKnob},   {67971, DisplayKnob},
    {69055, DisplayKnob},      {69056, DisplayKnob},     {69058, DisplayKnob},   {69059, DisplayKnob},
    {67993, HeadingSync},
    {67999, YawDamper},        {68000, YawDamper},
    {68001, ApuBleed},
    {68002, BleedSource},      {68003, BleedSource},
    {68020, IdgDisconnect},    {68021, IdgDisconnect},
    {68024, BleedIsolation},   {68025, BleedIsolation},  {68102, BleedIsolation},
    {68073, IrsKnob},          {68074, IrsKnob},         {68075, IrsKnob},       {68076, IrsKnob},
    {68557, WeatherRadarStep}, {68558, WeatherRadarStep},
    {68847, WeatherRadar},
    {68097, FireTest},
    {68129, GpwsSwitch},       {68363, GpwsSwitch},
    {68153, MasterLamp},       {68155, MasterLamp},
    {68323, Wipers},
    {68369, OtherDoor},        {68371, OtherDoor},       {68374, OtherDoor},     {68375, OtherDoor},
    {68385, RtuSequence},
    {68423, GpwsTest},
    {68426, StallTest},
    {68428, RecorderTest},
    {68455, ApuMasterSwitch},
    {68688, EmergencyLocator},
    {68689, NavSource},
    {68696, StabTrimChannel},  {68697, StabTrimChannel},
    {68767, MachTrim},
    {68836, GroundPower},
    {68918, Transponder},
    {68991, WindshieldHeatTest},
    {69026, CduBrightness},
};
// clang-format on

constexpr CommandTables kTables{kGenericCodes, kPlainRows, kSpecialRows};

static_assert(lvar::EveryCodeOnce(kTables), "a code belongs to one row");

}  // namespace

void RunCommand(Server& server, std::uint32_t code, std::int32_t value) {
    // Without the bridge the CRJ does nothing at all, events included.
    if (!bridge::HasBridge(server)) return;
    if (lvar::IsCduKey(code)) {
        const Slot key = lvar::CduKeySlot(code, value);
        if (key != Slot::None) lvar::Set(server, key, 1.0);
        return;
    }
    lvar::RouteCommand(server, kTables, code, value);
}

}  // namespace tarvo::adapters::crj
