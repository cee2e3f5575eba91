// The A32NX's and the A320neo's names, in the order the aircraft are searched
// for them, each on the slot of its cockpit function.
#include "adapters/a32nx/A32nx.h"

#include "adapters/Slots.h"
#include "bridge/Discovery.h"

#include <array>
#include <cstddef>

namespace tarvo::adapters::a32nx {
namespace {

using enum Slot;

constexpr std::size_t kA32nxTotalNames = 1300;
constexpr std::size_t kA320neoTotalNames = 140;
constexpr std::size_t kA32nxRequired = 140;
constexpr std::size_t kA320neoRequired = 20;
constexpr std::size_t kHvarsRequired = 145;

void SetA320LvarsFound(Server& server) {
    server.adapters.a320LvarsFound = true;
}
void SetA32nxEventFlag(Server& server) {
    server.adapters.a32nxEventFlag = true;
}

void ClearFlags(Server& server) {
    server.adapters.a320LvarsFound = false;
    server.adapters.a32nxEventFlag = false;
}

// A name whose presence tells an A32NX from the simulator's A320neo.
constexpr bridge::WantedVariable A320Name(std::string_view name, Slot slot) {
    bridge::WantedVariable wanted = Wanted(name, slot);
    wanted.onFound = SetA320LvarsFound;
    return wanted;
}
// A name of the A32NX's own state variables, which its custom events go with.
constexpr bridge::WantedVariable EventName(std::string_view name, Slot slot) {
    bridge::WantedVariable wanted = Wanted(name, slot);
    wanted.onFound = SetA32nxEventFlag;
    return wanted;
}
constexpr bridge::WantedVariable NotCounting(std::string_view name, Slot slot) {
    return Wanted(name, slot, Slot::None, false);
}

// clang-format off
constexpr std::array kLvars = {
    A320Name("A32NX_OVHD_ADIRS_IR_1_MODE_SELECTOR_KNOB", Ir1ModeSelector),
    A320Name("A32NX_ADIRS_KNOB_1", Ir1ModeSelector),
    Wanted("A32NX_OVHD_ADIRS_IR_2_MODE_SELECTOR_KNOB", Ir2ModeSelector),
    Wanted("A32NX_ADIRS_KNOB_2", Ir2ModeSelector),
    Wanted("A32NX_OVHD_ADIRS_IR_3_MODE_SELECTOR_KNOB", Ir3ModeSelector),
    Wanted("A32NX_ADIRS_KNOB_3", Ir3ModeSelector),
    Wanted("XMLVAR_SWITCH_OVHD_INTLT_NOSMOKING_Position", NoSmokingSignSwitch),
    Wanted("XMLVAR_SWITCH_OVHD_INTLT_SEATBELT_Position", SeatbeltSignSwitch),
    Wanted("XMLVAR_SWITCH_OVHD_INTLT_EMEREXIT_Position", EmergencyExitLightSwitch),
    Wanted("A32NX_OVHD_INTLT_ANN", AnnunciatorLightSwitch),
    Wanted("LIGHTING_STROBE_0", StrobeLightSwitch),
    Wanted("LIGHTING_LANDING_1", NoseLightSwitch),
    Wanted("LIGHTING_LANDING_2", LandingLightLeftSwitch),
    Wanted("LIGHTING_LANDING_3", LandingLightRightSwitch),
    Wanted("A32NX_MAN_PITOT_HEAT", ProbeWindowHeatSwitch),
    NotCounting("LIGHTING_NAV_0", NavLightSwitch),
    Wanted("A32NX_OVHD_ELEC_BAT_1_PB_IS_AUTO", Battery1Switch),
    Wanted("A32NX_OVHD_ELEC_BAT_2_PB_IS_AUTO", Battery2Switch),
    A320Name("A32NX_OVHD_ELEC_GALY_AND_CAB_PB_IS_AUTO", GalleyCabinSwitch),
    Wanted("A32NX_OVHD_ELEC_COMMERCIAL_PB_IS_ON", CommercialSwitch),
    Wanted("A32NX_OVHD_ELEC_BUS_TIE_PB_IS_AUTO", BusTieSwitch),
    Wanted("A32NX_OVHD_ELEC_AC_ESS_FEED_PB_IS_NORMAL", AcEssFeedSwitch),
    Wanted("XMLVAR_Autobrake_Level_Armed", AutobrakeArmedLevelValue),
    Wanted("A32NX_OVHD_COND_PACK_1_PB_IS_ON", Pack1Switch),
    Wanted("A32NX_OVHD_COND_PACK_2_PB_IS_ON", Pack2Switch),
    Wanted("A32NX_KNOB_OVHD_AIRCOND_PACKFLOW_Position", PackFlowSelector),
    Wanted("A32NX_OVHD_COND_HOT_AIR_PB_IS_ON", HotAirSwitch),
    Wanted("A32NX_OVHD_PNEU_ENG_1_BLEED_PB_IS_AUTO", Engine1BleedSwitch),
    A320Name("A32NX_OVHD_PNEU_ENG_2_BLEED_PB_IS_AUTO", Engine2BleedSwitch),
    EventName("A32NX_FBW_ELAC_SWITCH:1", Elac1Switch),
    Wanted("A32NX_ELAC_1_PUSHBUTTON_PRESSED", Elac1Switch),
    Wanted("A32NX_ELAC_2_PUSHBUTTON_PRESSED", Elac2Switch),
    Wanted("A32NX_FAC_1_PUSHBUTTON_PRESSED", Fac1Switch),
    Wanted("A32NX_FAC_2_PUSHBUTTON_PRESSED", Fac2Switch),
    Wanted("A32NX_SEC_1_PUSHBUTTON_PRESSED", Sec1Switch),
    Wanted("A32NX_SEC_2_PUSHBUTTON_PRESSED", Sec2Switch),
    Wanted("A32NX_SEC_3_PUSHBUTTON_PRESSED", Sec3Switch),
    EventName("LIGHTING_TAXI_2", RunwayTurnoffLightSwitch),
    Wanted("XMLVAR_A320_WeatherRadar_Mode", WeatherRadarModeSelector),
    Wanted("XMLVAR_A320_WeatherRadar_Sys", WeatherRadarSystemSelector),
    Wanted("A32NX_SWITCH_RADAR_PWS_Position", WeatherRadarPredictiveWindshearSwitch),
    Wanted("A32NX_RADAR_GCS_AUTO", WeatherRadarGcsSwitch),
    Wanted("A32NX_RADAR_MULTISCAN_AUTO", WeatherRadarMultiscanSwitch),
    Wanted("A32NX_SWITCH_TCAS_POSITION", TransponderOperationSelector),
    Wanted("A32NX_BTN_TOCONFIG", EcamTakeoffConfigButton),
    Wanted("A32NX_TRANSPONDER_MODE", TransponderModeSelector),
    Wanted("A32NX_SWITCH_TCAS_TRAFFIC_POSITION", TcasRangeSelector),
    Wanted("A32NX_SWITCH_ATC_ALT", TransponderAltitudeReportingSwitch),
    Wanted("A32NX_AUTOPILOT_1_ACTIVE", Autopilot1Light),
    Wanted("A32NX_AUTOPILOT_2_ACTIVE", Autopilot2Light),
    Wanted("XMLVAR_ECAM_CURRENT_PAGE", EcamCurrentPageValue),
    Wanted("A32NX_RCDR_TEST", RecorderTestButton),
    Wanted("A32NX_PARK_BRAKE_LEVER_POS", ParkingBrakeLever),
    Wanted("PUSH_AUTOPILOT_CHRONO_L", CaptainChronoButton),
    Wanted("A32NX_CHRONO_ET_SWITCH_POS", ClockElapsedTimeSelector),
    Wanted("A32NX_BRAKE_FAN", BrakeFanSwitch),
    Wanted("XMLVAR_RudderTrim", RudderTrimKnob),
    Wanted("XMLVAR_Autobrakes_Level", AutobrakeLevelValue),
    Wanted("A32NX_AUTOBRAKES_ARMED_MODE", AutobrakeArmedModeValue),
    Wanted("A32NX_AUTOBRAKES_ARMED_MODE_SET", AutobrakeArmedModeSetValue),
    Wanted("A32NX_GPWS_TEST", GpwsTestButton),
    Wanted("A32NX_RMP_L_TOGGLE_SWITCH", Rmp1PowerSwitch),
    Wanted("A32NX_RMP_R_TOGGLE_SWITCH", Rmp2PowerSwitch),
    A320Name("A32NX_OVHD_APU_MASTER_SW_PB_IS_ON", ApuMasterSwitch),
    Wanted("A32NX_OVHD_APU_START_PB_IS_AVAILABLE", ApuStartAvailLight),
    Wanted("A32NX_OVHD_APU_START_PB_IS_ON", ApuStartButton),
    Wanted("A320_Neo_PFD_1_ScreenLuminosity", CaptainOuterDisplayBrightnessKnob),
    Wanted("A320_Neo_MFD_1_ScreenLuminosity", CaptainInnerDisplayBrightnessKnob),
    Wanted("A320_Neo_PFD_2_ScreenLuminosity", FirstOfficerOuterDisplayBrightnessKnob),
    Wanted("A320_Neo_MFD_2_ScreenLuminosity", FirstOfficerInnerDisplayBrightnessKnob),
    Wanted("A320_Neo_EICAS_1_ScreenLuminosity", EcamUpperDisplayBrightnessKnob),
    Wanted("A320_Neo_EICAS_2_ScreenLuminosity", EcamLowerDisplayBrightnessKnob),
    Wanted("A32NX_APU_N", ApuSpeedValue),
    Wanted("A32NX_MCDU_L_BRIGHTNESS", Cdu1BrightnessValue),
    Wanted("A32NX_MCDU_R_BRIGHTNESS", Cdu2BrightnessValue),
    Wanted("A32NX_EFIS_R_ND_MODE", Efis2NdModeSelector),
    Wanted("A32NX_EFIS_R_ND_RANGE", Efis2NdRangeSelector),
    Wanted("BTN_LS_1_FILTER_ACTIVE", Efis1LsButton),
    Wanted("BTN_LS_2_FILTER_ACTIVE", Efis2LsButton),
    Wanted("BTN_TERRONND_1_ACTIVE", CaptainTerrainOnNdButton),
    Wanted("A32NX_BTN_RCL", EcamRecallButton),
    Wanted("A32NX_BTN_CLR2", EcamClearRightButton),
    Wanted("XMLVAR_NAV_AID_SWITCH_L1_State", Efis1Navaid1Selector),
    Wanted("XMLVAR_NAV_AID_SWITCH_L2_State", Efis1Navaid2Selector),
    Wanted("XMLVAR_NAV_AID_SWITCH_R1_State", Efis2Navaid1Selector),
    Wanted("XMLVAR_NAV_AID_SWITCH_R2_State", Efis2Navaid2Selector),
    Wanted("A320_FC_L_FLAPS", LeftFlapPositionValue),
    Wanted("Generic_Master_Caution_Active", MasterCautionLight),
    Wanted("PUSH_AUTOPILOT_MASTERCAUT_L", MasterCautionButton),
    Wanted("Generic_Master_Warning_Active", MasterWarningLight),
    Wanted("PUSH_AUTOPILOT_MASTERAWARN_L", MasterWarningButton),
    Wanted("A32NX_FIRE_GUARD_ENG1", Engine1FireButtonCover),
    Wanted("A32NX_FIRE_GUARD_ENG2", Engine2FireButtonCover),
    Wanted("A32NX_FIRE_GUARD_APU", ApuFireButtonCover),
    Wanted("A32NX_FIRE_BUTTON_ENG1", Engine1FireButton),
    Wanted("A32NX_FIRE_BUTTON_ENG2", Engine2FireButton),
    Wanted("A32NX_FIRE_BUTTON_APU", ApuFireButton),
    Wanted("A32NX_FIRE_TEST_ENG1", Engine1FireTestButton),
    Wanted("A32NX_FIRE_TEST_ENG2", Engine2FireTestButton),
    Wanted("A32NX_FIRE_TEST_APU", ApuFireTestButton),
    Wanted("A32NX_FIRE_ENG1_AGENT1_Discharge", Engine1Agent1Button),
    Wanted("A32NX_FIRE_ENG1_AGENT2_Discharge", Engine1Agent2Button),
    Wanted("A32NX_FIRE_ENG2_AGENT1_Discharge", Engine2Agent1Button),
    Wanted("A32NX_FIRE_ENG2_AGENT2_Discharge", Engine2Agent2Button),
    Wanted("A32NX_FIRE_TEST_CARGO", CargoSmokeTestButton),
    Wanted("A32NX_OVHD_VENT_CAB_FANS_PB_IS_ON", CabinFansSwitch),
    Wanted("XMLVAR_AirSpeedIsInMach", MachModeLight),
    Wanted("XMLVAR_TRK_FPA_MODE_ACTIVE", TrackFpaModeState),
    Wanted("AIRLINER_V1_SPEED", TakeoffV1SpeedValue),
    Wanted("AIRLINER_VR_SPEED", TakeoffVrSpeedValue),
    Wanted("AIRLINER_V2_SPEED", TakeoffV2SpeedValue),
    Wanted("AIRLINER_TRANS_ALT", TransitionAltitudeValue),
    Wanted("AIRLINER_TO_FLEX_TEMP", TakeoffFlexTemperatureValue),
    Wanted("A32NX_SPEEDS_S", SSpeedValue),
    Wanted("AIRLINER_TO_GREEN_DOT_SPD", GreenDotSpeedValue),
    A320Name("A32NX_OVHD_ADIRS_ADR_1_PB_IS_ON", Adr1Switch),
    Wanted("A32NX_OVHD_ADIRS_ADR_2_PB_IS_ON", Adr2Switch),
    Wanted("A32NX_OVHD_ADIRS_ADR_3_PB_IS_ON", Adr3Switch),
    Wanted("A32NX_OVHD_ADIRS_IR_1_PB_IS_ON", Ir1Switch),
    Wanted("A32NX_OVHD_ADIRS_IR_2_PB_IS_ON", Ir2Switch),
    Wanted("A32NX_OVHD_ADIRS_IR_3_PB_IS_ON", Ir3Switch),
    Wanted("XMLVAR_Baro_Selector_HPA_1", Efis1BaroModeSelector),
    Wanted("XMLVAR_Baro_Selector_HPA_2", Efis2BaroModeSelector),
    Wanted("A32NX_GPWS_FLAPS3", GpwsLandingFlap3Switch),
    Wanted("A32NX_GPWS_FLAP_OFF", GpwsFlapModeSwitch),
    Wanted("A32NX_GPWS_GS_OFF", GpwsGlideslopeModeSwitch),
    Wanted("A32NX_GPWS_SYS_OFF", GpwsSystemSwitch),
    Wanted("A32NX_GPWS_TERR_OFF", GpwsTerrainSwitch),
    Wanted("PUSH_OVHD_OXYGEN_CREW", CrewOxygenSwitch),
    Wanted("A32NX_AUTOPILOT_FPA_SELECTED", FlightPathAngleSelectedValue),
    Wanted("A32NX_AIRCOND_RAMAIRLOCK_TOGGLE", RamAirCover),
    Wanted("A32NX_KNOB_OVHD_AIRCOND_XBLEED_Position", CrossBleedSelector),
    Wanted("A32NX_OVHD_PNEU_APU_BLEED_PB_IS_ON", ApuBleedSwitch),
    Wanted("A32NX_AIRCOND_RAMAIR_TOGGLE", RamAirSwitch),
    Wanted("A32NX_OVHD_PRESS_MODE_SEL_PB_IS_AUTO", PressurizationModeSwitch),
    Wanted("A32NX_OVHD_PRESS_DITCHING_PB_IS_ON_LOCK", DitchingCover),
    Wanted("A32NX_OVHD_PRESS_DITCHING_PB_IS_ON", DitchingSwitch),
    Wanted("A32NX_VENTILATION_BLOWER_TOGGLE", VentilationBlowerSwitch),
    Wanted("A32NX_VENTILATION_EXTRACT_TOGGLE", VentilationExtractSwitch),
    Wanted("A32NX_ENGMANSTART1_TOGGLE", Engine1ManualStartSwitch),
    Wanted("A32NX_ENGMANSTART1_TOGGLE_LOCK", Engine1ManualStartCover),
    Wanted("A32NX_ENGMANSTART2_TOGGLE", Engine2ManualStartSwitch),
    Wanted("A32NX_ENGMANSTART2_TOGGLE_LOCK", Engine2ManualStartCover),
    Wanted("A32NX_RCDR_GROUND_CONTROL_ON", RecorderGroundControlSwitch),
    EventName("A32NX_AUTOTHRUST_STATUS", AutothrustStatusValue),
    EventName("A32NX_SPOILERS_ARMED", SpeedbrakeLever),
    EventName("A32NX_FMA_LATERAL_MODE", FmaLateralModeValue),
    EventName("A32NX_FMA_LATERAL_ARMED", FmaLateralArmedValue),
    EventName("A32NX_FMA_VERTICAL_MODE", FmaVerticalModeValue),
    EventName("A32NX_FMA_VERTICAL_ARMED", FmaVerticalArmedValue),
    Wanted("A32NX_AUTOTHRUST_MODE", FmaAutothrustModeValue),
    Wanted("A32NX_AUTOPILOT_AUTOTHRUST_MODE", AutopilotAutothrustModeValue),
    Wanted("A32NX_ApproachCapability", ApproachCapabilityValue),
    Wanted("A32NX_AUTOPILOT_VS_SELECTED", VerticalSpeedSelectedValue),
    NotCounting("XMLVAR_Baro1_ForcedToSTD", Efis1BaroStdButton),
    NotCounting("S_FCU_EFIS2_BARO_STD", Efis2BaroStdButton),
    EventName("A32NX_FLAPS_HANDLE_INDEX", FlapsLever),
    Wanted("A32NX_OVHD_HYD_EPUMPB_PB_IS_AUTO_LOCK", HydraulicBlueElecPumpCover),
    Wanted("A32NX_HYD_RATMANONLOCK_TOGGLE", RatManualOnCover),
    Wanted("A32NX_EFIS_L_OPTION", Efis1OptionSelector),
    Wanted("A32NX_EFIS_R_OPTION", Efis2OptionSelector),
    Wanted("A32NX_EFIS_L_NAVAID_1_MODE", Efis1Navaid1ModeValue),
    Wanted("A32NX_EFIS_L_NAVAID_2_MODE", Efis1Navaid2ModeValue),
    Wanted("A32NX_EFIS_R_NAVAID_1_MODE", Efis2Navaid1ModeValue),
    Wanted("A32NX_EFIS_R_NAVAID_2_MODE", Efis2Navaid2ModeValue),
    Wanted("A320_Neo_FCU_VS_SET_DATA", FcuVerticalSpeedSetValue),
    Wanted("A32NX_EFIS_L_ND_MODE", Efis1NdModeSelector),
    Wanted("BTN_CSTR_1_FILTER_ACTIVE", Efis1ConstraintButton),
    Wanted("BTN_VORD_1_FILTER_ACTIVE", Efis1VorDmeButton),
    Wanted("BTN_WPT_1_FILTER_ACTIVE", Efis1WaypointButton),
    Wanted("BTN_NDB_1_FILTER_ACTIVE", Efis1NdbButton),
    Wanted("BTN_ARPT_1_FILTER_ACTIVE", Efis1AirportButton),
    Wanted("A32NX_EFIS_L_ND_RANGE", Efis1NdRangeSelector),
    Wanted("BTN_CSTR_2_FILTER_ACTIVE", Efis2ConstraintButton),
    Wanted("BTN_VORD_2_FILTER_ACTIVE", Efis2VorDmeButton),
    Wanted("BTN_WPT_2_FILTER_ACTIVE", Efis2WaypointButton),
    Wanted("BTN_NDB_2_FILTER_ACTIVE", Efis2NdbButton),
    Wanted("BTN_ARPT_2_FILTER_ACTIVE", Efis2AirportButton),
    Wanted("A32NX_OVHD_HYD_ENG_1_PUMP_PB_IS_AUTO", HydraulicEngine1PumpSwitch),
    Wanted("A32NX_OVHD_HYD_ENG_2_PUMP_PB_IS_AUTO", HydraulicEngine2PumpSwitch),
    Wanted("A32NX_OVHD_HYD_PTU_PB_IS_AUTO", HydraulicPtuSwitch),
    Wanted("A32NX_OVHD_HYD_EPUMPB_PB_IS_AUTO", HydraulicBlueElecPumpSwitch),
    Wanted("A32NX_OVHD_HYD_EPUMPY_PB_IS_AUTO", HydraulicYellowElecPumpSwitch),
    Wanted("A32NX_OVHD_HYD_RAT_MAN_ON_IS_PRESSED", RatManualOnButton),
    // The simulator's A320neo names the captain's ND controls without a side.
    Wanted("A320_Neo_MFD_NAV_MODE", Efis1NdModeSelector),
    Wanted("BTN_LS_FILTER_ACTIVE", Efis1LsButton),
    Wanted("BTN_CSTR_FILTER_ACTIVE", Efis1ConstraintButton),
    Wanted("BTN_VORD_FILTER_ACTIVE", Efis1VorDmeButton),
    Wanted("BTN_WPT_FILTER_ACTIVE", Efis1WaypointButton),
    Wanted("BTN_NDB_FILTER_ACTIVE", Efis1NdbButton),
    Wanted("BTN_ARPT_FILTER_ACTIVE", Efis1AirportButton),
    Wanted("A320_Neo_MFD_Range", Efis1NdRangeSelector),
    Wanted("A32NX_EVAC_COMMANDLOCK_TOGGLE", EvacCommandCover),
    Wanted("A32NX_EVAC_COMMAND_TOGGLE", EvacCommandSwitch),
    Wanted("PUSH_OVHD_EVAC_HORN", EvacHornShutoffButton),
    Wanted("A32NX_EVAC_CAPT_TOGGLE", EvacCaptainPurserSwitch),
    Wanted("A32NX_ECAM_SD_CURRENT_PAGE_INDEX", EcamSystemPageSelector),
    Wanted("XMLVAR_Momentary_PUSH_OVHD_ELEC_BAT1_Pressed", Battery1PushAnimation),
    Wanted("A32NX_FWD_DOOR_CARGO_POSITION", ForwardCargoDoorPositionValue),
    Wanted("PUSH_OVHD_CALLS_MECH", CallMechanicButton),
    Wanted("PUSH_OVHD_CALLS_ALL", CallAllButton),
};

// The FCU's H: events, then each CDU's keys on the slots of the same keys.
constexpr std::array kHvars = {
    Wanted("H:A320_Neo_FCU_HDG_PUSH", HeadingKnobPushEvent),
    Wanted("H:A320_Neo_FCU_HDG_PULL", HeadingKnobPullEvent),
    Wanted("H:A320_Neo_FCU_HDG_INC", HeadingKnobIncrementEvent),
    Wanted("H:A320_Neo_FCU_HDG_DEC", HeadingKnobDecrementEvent),
    Wanted("H:A320_Neo_FCU_SPEED_INC", SpeedKnobIncrementEvent),
    Wanted("H:A320_Neo_FCU_SPEED_DEC", SpeedKnobDecrementEvent),
    Wanted("H:A320_Neo_FCU_VS_INC", VerticalSpeedKnobIncrementEvent),
    Wanted("H:A320_Neo_FCU_VS_DEC", VerticalSpeedKnobDecrementEvent),
    Wanted("H:A320_Neo_FCU_VS_PULL", VerticalSpeedKnobPullEvent),
    Wanted("H:A320_Neo_FCU_VS_PUSH", VerticalSpeedKnobPushEvent),
    Wanted("H:A320_Neo_FCU_ALT_PULL", AltitudeKnobPullEvent),
    Wanted("H:A320_Neo_FCU_ALT_PUSH", AltitudeKnobPushEvent),
    Wanted("H:A320_Neo_EXPEDITE_MODE", ExpediteButtonEvent),

    Wanted("H:A320_Neo_CDU_1_BTN_L1", Cdu1KeyLsk1L),
    Wanted("H:A320_Neo_CDU_1_BTN_L2", Cdu1KeyLsk2L),
    Wanted("H:A320_Neo_CDU_1_BTN_L3", Cdu1KeyLsk3L),
    Wanted("H:A320_Neo_CDU_1_BTN_L4", Cdu1KeyLsk4L),
    Wanted("H:A320_Neo_CDU_1_BTN_L5", Cdu1KeyLsk5L),
    Wanted("H:A320_Neo_CDU_1_BTN_L6", Cdu1KeyLsk6L),
    Wanted("H:A320_Neo_CDU_1_BTN_R1", Cdu1KeyLsk1R),
    Wanted("H:A320_Neo_CDU_1_BTN_R2", Cdu1KeyLsk2R),
    Wanted("H:A320_Neo_CDU_1_BTN_R3", Cdu1KeyLsk3R),
    Wanted("H:A320_Neo_CDU_1_BTN_R4", Cdu1KeyLsk4R),
    Wanted("H:A320_Neo_CDU_1_BTN_R5", Cdu1KeyLsk5R),
    Wanted("H:A320_Neo_CDU_1_BTN_R6", Cdu1KeyLsk6R),
    Wanted("H:A320_Neo_CDU_1_BTN_1", Cdu1Key1),
    Wanted("H:A320_Neo_CDU_1_BTN_2", Cdu1Key2),
    Wanted("H:A320_Neo_CDU_1_BTN_3", Cdu1Key3),
    Wanted("H:A320_Neo_CDU_1_BTN_4", Cdu1Key4),
    Wanted("H:A320_Neo_CDU_1_BTN_5", Cdu1Key5),
    Wanted("H:A320_Neo_CDU_1_BTN_6", Cdu1Key6),
    Wanted("H:A320_Neo_CDU_1_BTN_7", Cdu1Key7),
    Wanted("H:A320_Neo_CDU_1_BTN_8", Cdu1Key8),
    Wanted("H:A320_Neo_CDU_1_BTN_9", Cdu1Key9),
    Wanted("H:A320_Neo_CDU_1_BTN_0", Cdu1Key0),
    Wanted("H:A320_Neo_CDU_1_BTN_A", Cdu1KeyA),
    Wanted("H:A320_Neo_CDU_1_BTN_B", Cdu1KeyB),
    Wanted("H:A320_Neo_CDU_1_BTN_C", Cdu1KeyC),
    Wanted("H:A320_Neo_CDU_1_BTN_D", Cdu1KeyD),
    Wanted("H:A320_Neo_CDU_1_BTN_E", Cdu1KeyE),
    Wanted("H:A320_Neo_CDU_1_BTN_F", Cdu1KeyF),
    Wanted("H:A320_Neo_CDU_1_BTN_G", Cdu1KeyG),
    Wanted("H:A320_Neo_CDU_1_BTN_H", Cdu1KeyH),
    Wanted("H:A320_Neo_CDU_1_BTN_I", Cdu1KeyI),
    Wanted("H:A320_Neo_CDU_1_BTN_J", Cdu1KeyJ),
    Wanted("H:A320_Neo_CDU_1_BTN_K", Cdu1KeyK),
    Wanted("H:A320_Neo_CDU_1_BTN_L", Cdu1KeyL),
    Wanted("H:A320_Neo_CDU_1_BTN_M", Cdu1KeyM),
    Wanted("H:A320_Neo_CDU_1_BTN_N", Cdu1KeyN),
    Wanted("H:A320_Neo_CDU_1_BTN_O", Cdu1KeyO),
    Wanted("H:A320_Neo_CDU_1_BTN_P", Cdu1KeyP),
    Wanted("H:A320_Neo_CDU_1_BTN_Q", Cdu1KeyQ),
    Wanted("H:A320_Neo_CDU_1_BTN_R", Cdu1KeyR),
    Wanted("H:A320_Neo_CDU_1_BTN_S", Cdu1KeyS),
    Wanted("H:A320_Neo_CDU_1_BTN_T", Cdu1KeyT),
    Wanted("H:A320_Neo_CDU_1_BTN_U", Cdu1KeyU),
    Wanted("H:A320_Neo_CDU_1_BTN_V", Cdu1KeyV),
    Wanted("H:A320_Neo_CDU_1_BTN_W", Cdu1KeyW),
    Wanted("H:A320_Neo_CDU_1_BTN_X", Cdu1KeyX),
    Wanted("H:A320_Neo_CDU_1_BTN_Y", Cdu1KeyY),
    Wanted("H:A320_Neo_CDU_1_BTN_Z", Cdu1KeyZ),
    Wanted("H:A320_Neo_CDU_1_BTN_DOT", Cdu1KeyDot),
    Wanted("H:A320_Neo_CDU_1_BTN_PLUSMINUS", Cdu1KeyPlusMinus),
    Wanted("H:A320_Neo_CDU_1_BTN_SP", Cdu1KeySpace),
    Wanted("H:A320_Neo_CDU_1_BTN_DIV", Cdu1KeySlash),
    Wanted("H:A320_Neo_CDU_1_BTN_CLR", Cdu1KeyClear),
    Wanted("H:A320_Neo_CDU_1_BTN_DIR", Cdu1KeyDir),
    Wanted("H:A320_Neo_CDU_1_BTN_DOWN", Cdu1KeyArrowDown),
    Wanted("H:A320_Neo_CDU_1_BTN_UP", Cdu1KeyArrowUp),
    Wanted("H:A320_Neo_CDU_1_BTN_MENU", Cdu1KeyMenu),
    Wanted("H:A320_Neo_CDU_1_BTN_DATA", Cdu1KeyData),
    Wanted("H:A320_Neo_CDU_1_BTN_PERF", Cdu1KeyPerf),
    Wanted("H:A320_Neo_CDU_1_BTN_PROG", Cdu1KeyProg),
    Wanted("H:A320_Neo_CDU_1_BTN_RAD", Cdu1KeyRadNav),
    Wanted("H:A320_Neo_CDU_1_BTN_SEC", Cdu1KeySecFpln),
    Wanted("H:A320_Neo_CDU_1_BTN_FPLN", Cdu1KeyFpln),
    Wanted("H:A320_Neo_CDU_1_BTN_PREVPAGE", Cdu1KeyPrevPage),
    Wanted("H:A320_Neo_CDU_1_BTN_NEXTPAGE", Cdu1KeyNextPage),
    Wanted("H:A320_Neo_CDU_1_BTN_INIT", Cdu1KeyInit),
    Wanted("H:A320_Neo_CDU_1_BTN_FUEL", Cdu1KeyFuelPred),
    Wanted("H:A320_Neo_CDU_1_BTN_ATC", Cdu1KeyAtcComm),

    Wanted("H:A320_Neo_CDU_2_BTN_L1", Cdu2KeyLsk1L),
    Wanted("H:A320_Neo_CDU_2_BTN_L2", Cdu2KeyLsk2L),
    Wanted("H:A320_Neo_CDU_2_BTN_L3", Cdu2KeyLsk3L),
    Wanted("H:A320_Neo_CDU_2_BTN_L4", Cdu2KeyLsk4L),
    Wanted("H:A320_Neo_CDU_2_BTN_L5", Cdu2KeyLsk5L),
    Wanted("H:A320_Neo_CDU_2_BTN_L6", Cdu2KeyLsk6L),
    Wanted("H:A320_Neo_CDU_2_BTN_R1", Cdu2KeyLsk1R),
    Wanted("H:A320_Neo_CDU_2_BTN_R2", Cdu2KeyLsk2R),
    Wanted("H:A320_Neo_CDU_2_BTN_R3", Cdu2KeyLsk3R),
    Wanted("H:A320_Neo_CDU_2_BTN_R4", Cdu2KeyLsk4R),
    Wanted("H:A320_Neo_CDU_2_BTN_R5", Cdu2KeyLsk5R),
    Wanted("H:A320_Neo_CDU_2_BTN_R6", Cdu2KeyLsk6R),
    Wanted("H:A320_Neo_CDU_2_BTN_1", Cdu2Key1),
    Wanted("H:A320_Neo_CDU_2_BTN_2", Cdu2Key2),
    Wanted("H:A320_Neo_CDU_2_BTN_3", Cdu2Key3),
    Wanted("H:A320_Neo_CDU_2_BTN_4", Cdu2Key4),
    Wanted("H:A320_Neo_CDU_2_BTN_5", Cdu2Key5),
    Wanted("H:A320_Neo_CDU_2_BTN_6", Cdu2Key6),
    Wanted("H:A320_Neo_CDU_2_BTN_7", Cdu2Key7),
    Wanted("H:A320_Neo_CDU_2_BTN_8", Cdu2Key8),
    Wanted("H:A320_Neo_CDU_2_BTN_9", Cdu2Key9),
    Wanted("H:A320_Neo_CDU_2_BTN_0", Cdu2Key0),
    Wanted("H:A320_Neo_CDU_2_BTN_A", Cdu2KeyA),
    Wanted("H:A320_Neo_CDU_2_BTN_B", Cdu2KeyB),
    Wanted("H:A320_Neo_CDU_2_BTN_C", Cdu2KeyC),
    Wanted("H:A320_Neo_CDU_2_BTN_D", Cdu2KeyD),
    Wanted("H:A320_Neo_CDU_2_BTN_E", Cdu2KeyE),
    Wanted("H:A320_Neo_CDU_2_BTN_F", Cdu2KeyF),
    Wanted("H:A320_Neo_CDU_2_BTN_G", Cdu2KeyG),
    Wanted("H:A320_Neo_CDU_2_BTN_H", Cdu2KeyH),
    Wanted("H:A320_Neo_CDU_2_BTN_I", Cdu2KeyI),
    Wanted("H:A320_Neo_CDU_2_BTN_J", Cdu2KeyJ),
    Wanted("H:A320_Neo_CDU_2_BTN_K", Cdu2KeyK),
    Wanted("H:A320_Neo_CDU_2_BTN_L", Cdu2KeyL),
    Wanted("H:A320_Neo_CDU_2_BTN_M", Cdu2KeyM),
    Wanted("H:A320_Neo_CDU_2_BTN_N", Cdu2KeyN),
    Wanted("H:A320_Neo_CDU_2_BTN_O", Cdu2KeyO),
    Wanted("H:A320_Neo_CDU_2_BTN_P", Cdu2KeyP),
    Wanted("H:A320_Neo_CDU_2_BTN_Q", Cdu2KeyQ),
    Wanted("H:A320_Neo_CDU_2_BTN_R", Cdu2KeyR),
    Wanted("H:A320_Neo_CDU_2_BTN_S", Cdu2KeyS),
    Wanted("H:A320_Neo_CDU_2_BTN_T", Cdu2KeyT),
    Wanted("H:A320_Neo_CDU_2_BTN_U", Cdu2KeyU),
    Wanted("H:A320_Neo_CDU_2_BTN_V", Cdu2KeyV),
    Wanted("H:A320_Neo_CDU_2_BTN_W", Cdu2KeyW),
    Wanted("H:A320_Neo_CDU_2_BTN_X", Cdu2KeyX),
    Wanted("H:A320_Neo_CDU_2_BTN_Y", Cdu2KeyY),
    Wanted("H:A320_Neo_CDU_2_BTN_Z", Cdu2KeyZ),
    Wanted("H:A320_Neo_CDU_2_BTN_DOT", Cdu2KeyDot),
    Wanted("H:A320_Neo_CDU_2_BTN_PLUSMINUS", Cdu2KeyPlusMinus),
    Wanted("H:A320_Neo_CDU_2_BTN_SP", Cdu2KeySpace),
    Wanted("H:A320_Neo_CDU_2_BTN_DIV", Cdu2KeySlash),
    Wanted("H:A320_Neo_CDU_2_BTN_CLR", Cdu2KeyClear),
    Wanted("H:A320_Neo_CDU_2_BTN_DIR", Cdu2KeyDir),
    Wanted("H:A320_Neo_CDU_2_BTN_DOWN", Cdu2KeyArrowDown),
    Wanted("H:A320_Neo_CDU_2_BTN_UP", Cdu2KeyArrowUp),
    Wanted("H:A320_Neo_CDU_2_BTN_MENU", Cdu2KeyMenu),
    // Listed twice for this CDU; both entries name its MENU key, and the first one fills it.
    Wanted("H:A320_Neo_CDU_2_BTN_MENU", Cdu2KeyMenu),
    Wanted("H:A320_Neo_CDU_2_BTN_DATA", Cdu2KeyData),
    Wanted("H:A320_Neo_CDU_2_BTN_PERF", Cdu2KeyPerf),
    Wanted("H:A320_Neo_CDU_2_BTN_PROG", Cdu2KeyProg),
    Wanted("H:A320_Neo_CDU_2_BTN_RAD", Cdu2KeyRadNav),
    Wanted("H:A320_Neo_CDU_2_BTN_SEC", Cdu2KeySecFpln),
    Wanted("H:A320_Neo_CDU_2_BTN_FPLN", Cdu2KeyFpln),
    Wanted("H:A320_Neo_CDU_2_BTN_PREVPAGE", Cdu2KeyPrevPage),
    Wanted("H:A320_Neo_CDU_2_BTN_NEXTPAGE", Cdu2KeyNextPage),
    Wanted("H:A320_Neo_CDU_2_BTN_INIT", Cdu2KeyInit),
    Wanted("H:A320_Neo_CDU_2_BTN_FUEL", Cdu2KeyFuelPred),
    Wanted("H:A320_Neo_CDU_2_BTN_ATC", Cdu2KeyAtcComm),
};
// clang-format on
static_assert(kLvars.size() == 201, "the A32NX's lvar list as printed");
static_assert(kHvars.size() == 13 + 68 + 69, "13 FCU events, 68 keys per CDU, CDU 2's MENU twice");

// An A32NX lists far more names than the simulator's A320neo.
std::size_t TotalNamesNow(Server& server) {
    return server.adapters.a320LvarsFound ? kA32nxTotalNames : kA320neoTotalNames;
}

bridge::DiscoveryVerdict JudgeLvars(Server& server, const bridge::DiscoveryResult& result) {
    if (server.adapters.a320LvarsFound) {
        if (result.found >= kA32nxRequired) return {"Retrieved all relevant FlyByWire Lvars", true};
    } else if (result.found >= kA320neoRequired) {
        return {"Retrieved all relevant ASOBO A320 Lvars", true};
    }
    return {};
}

bridge::DiscoveryVerdict JudgeHvars(Server& server, const bridge::DiscoveryResult& result) {
    const bool complete = result.found >= kHvarsRequired;
    if (server.adapters.fenixFlag) return {"", complete};
    return {complete ? "Retrieved all relevant FlyByWire Hvars" : "Not all Hvars are accounted for", complete};
}

}  // namespace

std::span<const bridge::WantedVariable> LvarList() {
    return kLvars;
}

std::span<const bridge::WantedVariable> HvarList() {
    return kHvars;
}

void Discover(Server& server) {
    bridge::DiscoveryPlan lvars{"Looking for FlybyWire Specific lvars", "", kLvars, 0, 0, ClearFlags};
    lvars.totalNamesNow = TotalNamesNow;
    lvars.judge = JudgeLvars;
    bridge::RunDiscoveryRoutine(server, lvars);

    // The H: events whatever the lvars gave; a shortfall is only logged.
    bridge::DiscoveryPlan hvars{"", "", kHvars, 0, 0};
    hvars.judge = JudgeHvars;
    bridge::RunHvarDiscovery(server, hvars);
}

}  // namespace tarvo::adapters::a32nx
