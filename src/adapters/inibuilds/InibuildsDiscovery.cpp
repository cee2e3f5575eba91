#include "adapters/inibuilds/Inibuilds.h"

#include "adapters/Slots.h"
#include "bridge/Discovery.h"
#include "bridge/Registry.h"

#include <array>

namespace tarvo::adapters::inibuilds {
namespace {

// A cockpit item: the A310's name (or the one name both aircraft use) and the
// A300's, both filling the same slot. The A310 names begin with "A310_" (some
// with "A300_" or "A300DR_"), the A300's with "INI_" (one with "FCPC_").
struct Item {
    Slot slot;
    std::string_view a310;
    std::string_view a300 = {};
    Slot alsoSlot = Slot::None;
    bool counts = true;
};

// Not named by the aircraft's documentation, only guessed from the left
// switch's name: it fills the slot where it exists but is not required.
constexpr bool kGuess = false;

// clang-format off
constexpr Item kItems[] = {
    // Inertial reference
    {Slot::Ir1ModeSelector,                   "A310_IRS1_STATE",                      "INI_IRS1_STATE"},
    {Slot::Ir2ModeSelector,                   "A310_IRS2_STATE",                      "INI_IRS2_STATE"},
    {Slot::Ir3ModeSelector,                   "A310_IRS3_STATE",                      "INI_IRS3_STATE"},
    // Signs and lights
    {Slot::SeatbeltSignSwitch,                "A310_SEATBELTS_SWITCH",                "INI_SEATBELTS_SWITCH"},
    {Slot::NoSmokingSignSwitch,               "A310_NO_SMOKING_SWITCH",               "INI_NO_SMOKING_SWITCH"},
    {Slot::EmergencyExitLightSwitch,          "A310_EMER_EXIT_SWITCH",                "INI_EMER_EXIT_SWITCH"},
    {Slot::BeaconLightSwitch,                 "A310_BEACON_LIGHT_SWITCH",             "INI_BEACON_LIGHT_SWITCH"},
    {Slot::WingLightSwitch,                   "A310_WING_LIGHT_SWITCH",               "INI_WING_LIGHT_SWITCH"},
    {Slot::NavLightSwitch,                    "A310_NAV_LOGO_LIGHT_SWITCH",           "INI_NAV_LOGO_LIGHT_SWITCH", Slot::LogoLightSwitch},
    {Slot::NoseLightSwitch,                   "A310_TAXI_LIGHTS_SWITCH",              "INI_TAXI_LIGHTS_SWITCH"},
    {Slot::LandingLightLeftSwitch,            "A310_LANDING_LIGHT_L_SWITCH",          "INI_LANDING_LIGHT_L_SWITCH"},
    {Slot::LandingLightRightSwitch,           "A310_LANDING_LIGHT_R_SWITCH",          "INI_LANDING_LIGHT_R_SWITCH", Slot::None, kGuess},
    {Slot::RunwayTurnoffLightSwitch,          "A310_RWY_TURNOFF_L_SWITCH",            "INI_RWY_TURNOFF_L_SWITCH"},
    {Slot::RunwayTurnoffLightRightSwitch,     "A310_RWY_TURNOFF_R_SWITCH",            "INI_RWY_TURNOFF_R_SWITCH"},
    {Slot::StrobeLightSwitch,                 "A310_POTENTIOMETER_24",                "INI_POTENTIOMETER_24"},
    {Slot::DomeLightSwitch,                   "A310_DOME_LIGHT_SWITCH",               "INI_DOME_LIGHT_SWITCH"},
    {Slot::AnnunciatorLightSwitch,            "A310_ANNLT_SWITCH",                    "INI_ANNLT_SWITCH"},
    {Slot::StormLightSwitch,                  "A310_STORM_LIGHT_SWITCH",              "INI_STORM_LIGHT_SWITCH"},
    {Slot::StandbyCompassLightSwitch,         "A310_STBY_COMPASS_LIGHT_SWITCH",       "INI_STBY_COMPASS_LIGHT_SWITCH"},
    // Flight control unit
    {Slot::FcuSelectedSpeedButton,            "A310_FCU_SELECTED_SPEED_BUTTON",       "INI_FCU_SELECTED_SPEED_BUTTON"},
    {Slot::FcuManagedSpeedButton,             "A310_FCU_MANAGED_SPEED_BUTTON",        "INI_FCU_MANAGED_SPEED_BUTTON"},
    {Slot::FcuAltitudePullButton,             "A310_FCU_ALTITUDE_PULL_COMMAND",       "INI_FCU_ALTITUDE_PULL_COMMAND"},
    {Slot::FcuAltitudePushButton,             "A310_FCU_ALTITUDE_PUSH_COMMAND",       "INI_FCU_ALTITUDE_PUSH_COMMAND"},
    {Slot::FcuManagedHeadingButton,           "A310_FCU_MANAGED_HEADING_BUTTON",      "INI_FCU_MANAGED_HEADING_BUTTON"},
    {Slot::FcuSelectedHeadingButton,          "A310_FCU_SELECTED_HEADING_BUTTON",     "INI_FCU_SELECTED_HEADING_BUTTON"},
    {Slot::FcuHeadingSyncButton,              "A310_FCU_SYNC_HEADING_BUTTON",         "INI_FCU_SYNC_HEADING_BUTTON"},
    {Slot::HeadingDialUpButton,               "A310_HEADING_DIAL_UP_COMMAND",         "INI_HEADING_DIAL_UP_COMMAND"},
    {Slot::HeadingDialDownButton,             "A310_HEADING_DIAL_DN_COMMAND",         "INI_HEADING_DIAL_DN_COMMAND"},
    {Slot::VerticalSpeedDialUpButton,         "A310_VVI_DIAL_UP_COMMAND",             "INI_VVI_DIAL_UP_COMMAND"},
    {Slot::VerticalSpeedDialDownButton,       "A310_VVI_DIAL_DN_COMMAND",             "INI_VVI_DIAL_DN_COMMAND"},
    {Slot::AirspeedDialValue,                 "A310_Airspeed_Dial",                   "INI_Airspeed_Dial"},
    {Slot::HeadingDialValue,                  "A310_HEADING_DIAL",                    "INI_HEADING_DIAL"},
    {Slot::AltitudeDialValue,                 "A310_Altitude_Dial",                   "INI_Altitude_Dial"},
    {Slot::VerticalSpeedDialValue,            "A310_vvi_dial",                        "INI_vvi_dial"},
    {Slot::Autopilot1Button,                  "A310_AP1_BUTTON",                      "INI_AP1_BUTTON"},
    {Slot::Autopilot2Button,                  "A310_AP2_BUTTON",                      "INI_AP2_BUTTON"},
    {Slot::Autopilot1Light,                   "A310_ap1_on",                          "INI_ap1_on"},
    {Slot::Autopilot2Light,                   "A310_ap2_on",                          "INI_ap2_on"},
    {Slot::HeadingSelectLight,                "A310_MCU_HDG_SEL_LIGHT",               "INI_MCU_HDG_SEL_LIGHT"},
    {Slot::AltitudeHoldModeState,             "A310_MCU_ALTTUDE_HOLD_LIGHT",          "INI_MCU_ALTTUDE_HOLD_LIGHT"},
    {Slot::FlightLevelChangeModeState,        "A310_MCU_LEVEL_CHANGE_LIGHT",          "INI_MCU_LEVEL_CHANGE_LIGHT"},
    {Slot::ApproachLight,                     "A310_MCU_LAND_LIGHT",                  "INI_MCU_LAND_LIGHT"},
    {Slot::NavModeLight,                      "A310_MCU_NAV_LIGHT",                   "INI_MCU_NAV_LIGHT"},
    {Slot::AutothrustLight,                   "A310_at_on",                           "INI_at_on"},
    {Slot::Autothrottle1Switch,               "A310_autothrottle_master_switch1",     "INI_autothrottle_master_switch1"},
    {Slot::Autothrottle2Switch,               "A310_autothrottle_master_switch2",     "INI_autothrottle_master_switch2"},
    {Slot::Efis1FlightDirectorButton,         "A310_FDIR_SWITCH_CAPT",                "INI_FDIR_SWITCH_CAPT"},
    {Slot::Efis2FlightDirectorButton,         "A310_FDIR_SWITCH_FO",                  "INI_FDIR_SWITCH_FO"},
    {Slot::FlightPathVectorButton,            "A310_FPV_ON",                          "INI_FPV_ON"},
    {Slot::TakeoffToggle,                     "A310_takeoff_toggle",                  "INI_takeoff_toggle"},
    {Slot::FcuPanelButton1,                   "AP1_BUTTON"},
    {Slot::FcuPanelButton2,                   "AP2_BUTTON"},
    {Slot::FcuPanelButton3,                   "AP3_BUTTON"},
    {Slot::FcuPanelButton6,                   "AP6_BUTTON"},
    {Slot::FcuPanelButton7,                   "AP7_BUTTON"},
    {Slot::FcuPanelButton8,                   "AP8_BUTTON"},
    {Slot::AltitudeIncrementSelector,         "XMLVAR_Autopilot_Altitude_Increment"},
    {Slot::GreenDotSpeedValue,                "A310_Greendot_speed"},
    {Slot::SSpeedValue,                       "A310_S_SPEED",                         "FCPC_S_SPEED"},
    // Displays, minimums and clock
    {Slot::Efis1NdModeSelector,               "A310_map_mode_capt_switch",            "INI_map_mode_capt_switch"},
    {Slot::Efis1NdRangeSelector,              "A310_map_range_capt_switch",           "INI_map_range_capt_switch"},
    {Slot::Efis2NdModeSelector,               "A310_map_mode_fo_switch",              "INI_map_mode_fo_switch"},
    {Slot::Efis2NdRangeSelector,              "A310_map_range_fo_switch",             "INI_map_range_fo_switch"},
    {Slot::CaptainTerrainOnNdButton,          "A310_TERR_ON_CAPT",                    "INI_TERR_ON_CAPT"},
    {Slot::FirstOfficerTerrainOnNdButton,     "A310_TERR_ON_FO",                      "INI_TERR_ON_FO"},
    {Slot::CaptainNavSourceSelector,          "A310_efis_selected_nav_capt",          "INI_efis_selected_nav_capt"},
    {Slot::FirstOfficerNavSourceSelector,     "A310_efis_selected_nav_fo",            "INI_efis_selected_nav_fo"},
    {Slot::Efis1WaypointButton,               "A310_EFIS_CPT_FIXES_BUTTON",           "INI_EFIS_CPT_FIXES_BUTTON"},
    {Slot::Efis1AirportButton,                "A310_EFIS_CPT_ARPT_BUTTON",            "INI_EFIS_CPT_ARPT_BUTTON"},
    {Slot::Efis1VorDmeButton,                 "A310_EFIS_CPT_VOR_BUTTON",             "INI_EFIS_CPT_VOR_BUTTON"},
    {Slot::Efis1NdbButton,                    "A310_EFIS_CPT_NDB_BUTTON",             "INI_EFIS_CPT_NDB_BUTTON"},
    {Slot::Efis1ConstraintButton,             "A310_EFIS_CPT_CSTR_BUTTON",            "INI_EFIS_CPT_CSTR_BUTTON"},
    {Slot::Efis2WaypointButton,               "A310_EFIS_FO_FIXES_BUTTON",            "INI_EFIS_FO_FIXES_BUTTON"},
    {Slot::Efis2AirportButton,                "A310_EFIS_FO_ARPT_BUTTON",             "INI_EFIS_FO_ARPT_BUTTON"},
    {Slot::Efis2VorDmeButton,                 "A310_EFIS_FO_VOR_BUTTON",              "INI_EFIS_FO_VOR_BUTTON"},
    {Slot::Efis2NdbButton,                    "A310_EFIS_FO_NDB_BUTTON",              "INI_EFIS_FO_NDB_BUTTON"},
    {Slot::Efis2ConstraintButton,             "A310_EFIS_FO_CSTR_BUTTON",             "INI_EFIS_FO_CSTR_BUTTON"},
    {Slot::Efis2BaroModeSelector,             "XMLVAR_Baro2_Mode"},
    {Slot::CaptainDecisionHeightSelector,     "A310_DH_SELECTED",                     "INI_DH_SELECTED"},
    {Slot::FirstOfficerDecisionHeightSelector, "A310_FO_DH_SELECTED",                 "INI_FO_DH_SELECTED"},
    {Slot::CaptainMinimumsValue,              "A310_MINIMUMS_PILOT",                  "INI_MINIMUMS_PILOT"},
    {Slot::FirstOfficerMinimumsValue,         "A310_MINIMUMS_FO",                     "INI_MINIMUMS_FO"},
    {Slot::Fms1MessageLight,                  "A300DR_FMS1_message_light",            "INI_FMS1_message_light"},
    {Slot::MasterCautionLight,                "A310_MASTER_CAUTION_ACTIVE",           "INI_MASTER_CAUTION_ACTIVE"},
    {Slot::MasterWarningLight,                "A310_MASTER_WARNING_ACTIVE",           "INI_MASTER_WARNING_ACTIVE"},
    {Slot::ClockElapsedTimeSelector,          "A300DR_CHRONO_ET_STATUS",              "INI_CHRONO_ET_STATUS"},
    {Slot::ChronoStartButton,                 "A300DR_CHRONO_START_BUTTON",           "INI_CHRONO_START_BUTTON"},
    {Slot::ChronoRunningState,                "A300DR_CHRONO_RUNNING",                "INI_CHRONO_RUNNING"},
    // Radio management, audio, transponder and TCAS
    {Slot::Com1StandbyInnerClockwiseKnob,     "A310_RMP_COM1_STBY_INNER_KNOB_TURNED_CLOCKWISE", "INI_RMP_COM1_STBY_INNER_KNOB_TURNED_CLOCKWISE"},
    {Slot::Com2StandbyInnerClockwiseKnob,     "A310_RMP_COM2_STBY_INNER_KNOB_TURNED_CLOCKWISE", "INI_RMP_COM2_STBY_INNER_KNOB_TURNED_CLOCKWISE"},
    {Slot::IlsOuterAnticlockwiseKnob,         "A310_RMP_ILS_OUTER_KNOB_TURNED_ANTICLOCKWISE",   "INI_RMP_ILS_OUTER_KNOB_TURNED_ANTICLOCKWISE"},
    {Slot::IlsOuterClockwiseKnob,             "A310_RMP_ILS_OUTER_KNOB_TURNED_CLOCKWISE",       "INI_RMP_ILS_OUTER_KNOB_TURNED_CLOCKWISE"},
    {Slot::IlsInnerAnticlockwiseKnob,         "A310_RMP_ILS_INNER_KNOB_TURNED_ANTICLOCKWISE",   "INI_RMP_ILS_INNER_KNOB_TURNED_ANTICLOCKWISE"},
    {Slot::IlsInnerClockwiseKnob,             "A310_RMP_ILS_INNER_KNOB_TURNED_CLOCKWISE",       "INI_RMP_ILS_INNER_KNOB_TURNED_CLOCKWISE"},
    {Slot::Vor1OuterAnticlockwiseKnob,        "A310_RMP_VOR1_OUTER_KNOB_TURNED_ANTICLOCKWISE",  "INI_RMP_VOR1_OUTER_KNOB_TURNED_ANTICLOCKWISE"},
    {Slot::Vor1OuterClockwiseKnob,            "A310_RMP_VOR1_OUTER_KNOB_TURNED_CLOCKWISE",      "INI_RMP_VOR1_OUTER_KNOB_TURNED_CLOCKWISE"},
    {Slot::Vor1InnerAnticlockwiseKnob,        "A310_RMP_VOR1_INNER_KNOB_TURNED_ANTICLOCKWISE",  "INI_RMP_VOR1_INNER_KNOB_TURNED_ANTICLOCKWISE"},
    {Slot::Vor1InnerClockwiseKnob,            "A310_RMP_VOR1_INNER_KNOB_TURNED_CLOCKWISE",      "INI_RMP_VOR1_INNER_KNOB_TURNED_CLOCKWISE"},
    {Slot::Vor2OuterAnticlockwiseKnob,        "A310_RMP_VOR2_OUTER_KNOB_TURNED_ANTICLOCKWISE",  "INI_RMP_VOR2_OUTER_KNOB_TURNED_ANTICLOCKWISE"},
    {Slot::Vor2OuterClockwiseKnob,            "A310_RMP_VOR2_OUTER_KNOB_TURNED_CLOCKWISE",      "INI_RMP_VOR2_OUTER_KNOB_TURNED_CLOCKWISE"},
    {Slot::Vor2InnerAnticlockwiseKnob,        "A310_RMP_VOR2_INNER_KNOB_TURNED_ANTICLOCKWISE",  "INI_RMP_VOR2_INNER_KNOB_TURNED_ANTICLOCKWISE"},
    {Slot::Vor2InnerClockwiseKnob,            "A310_RMP_VOR2_INNER_KNOB_TURNED_CLOCKWISE",      "INI_RMP_VOR2_INNER_KNOB_TURNED_CLOCKWISE"},
    {Slot::Vor1FrequencyValue,                "A310_VOR1_FREQUENCY",                  "INI_VOR1_FREQUENCY"},
    {Slot::Vor2FrequencyValue,                "A310_VOR2_FREQUENCY",                  "INI_VOR2_FREQUENCY"},
    {Slot::IlsFrequencyValue,                 "A310_ILS_FREQUENCY",                   "INI_ILS_FREQUENCY"},
    {Slot::AudioAdf1ReceiveSwitch,            "XMLVAR_ADF_1_CPT_Switch_Down"},
    {Slot::AudioAdf2ReceiveSwitch,            "XMLVAR_ADF_2_CPT_Switch_Down"},
    {Slot::AudioVor2ReceiveSwitch,            "XMLVAR_VOR_2_CPT_Switch_Down"},
    {Slot::AudioMarkerReceiveSwitch,          "XMLVAR_MKR_1_CPT_Switch_Down"},
    {Slot::CaptainVhfTransferButton,          "A310_CPT_VHF_TRANSFER_SWITCH_COMMAND", "INI_CPT_VHF_TRANSFER_SWITCH_COMMAND"},
    {Slot::FirstOfficerVhfTransferButton,     "A310_FO_VHF_TRANSFER_SWITCH_COMMAND",  "INI_FO_VHF_TRANSFER_SWITCH_COMMAND"},
    {Slot::CaptainVhfTransferSwitch,          "A310_CPT_VHF_TRANSFER_SWITCH",         "INI_CPT_VHF_TRANSFER_SWITCH"},
    {Slot::FirstOfficerVhfTransferSwitch,     "A310_FO_VHF_TRANSFER_SWITCH",          "INI_FO_VHF_TRANSFER_SWITCH"},
    {Slot::TransponderOuterClockwiseKnob,     "A310_TRANSPONDER_OUTER_KNOB_TURNED_CLOCKWISE",     "INI_TRANSPONDER_OUTER_KNOB_TURNED_CLOCKWISE"},
    {Slot::TransponderOuterAnticlockwiseKnob, "A310_TRANSPONDER_OUTER_KNOB_TURNED_ANTICLOCKWISE", "INI_TRANSPONDER_OUTER_KNOB_TURNED_ANTICLOCKWISE"},
    {Slot::TransponderInnerClockwiseKnob,     "A310_TRANSPONDER_INNER_KNOB_TURNED_CLOCKWISE",     "INI_TRANSPONDER_INNER_KNOB_TURNED_CLOCKWISE"},
    {Slot::TransponderInnerAnticlockwiseKnob, "A310_TRANSPONDER_INNER_KNOB_TURNED_ANTICLOCKWISE", "INI_TRANSPONDER_INNER_KNOB_TURNED_ANTICLOCKWISE"},
    {Slot::TransponderModeSelector,           "A310_tcas_mode_pedestal",              "INI_tcas_mode_pedestal"},
    {Slot::TcasAltitudeSourceSelector,        "A310_tcas_alt_system",                 "INI_tcas_alt_system"},
    // Bleed, air conditioning, pressurisation and ventilation
    {Slot::ApuBleedSwitch,                    "A310_apu_bleed",                       "INI_apu_bleed"},
    {Slot::Engine1BleedSwitch,                "A310_ENG1_BLEED",                      "INI_ENG1_BLEED"},
    {Slot::Engine2BleedSwitch,                "A310_ENG2_BLEED",                      "INI_ENG2_BLEED"},
    {Slot::Engine1HighPressureValveSwitch,    "A310_bleed_eng1_hp_valve",             "INI_bleed_eng1_hp_valve"},
    {Slot::Engine2HighPressureValveSwitch,    "A310_bleed_eng2_hp_valve",             "INI_bleed_eng2_hp_valve"},
    {Slot::CrossBleedSelector,                "A300_XBLEED_MODE",                     "INI_XBLEED_MODE"},
    {Slot::BleedIsolationValveLeftSwitch,     "A300_ISOLATION_VALVE_LEFT",            "INI_ISOLATION_VALVE_LEFT"},
    {Slot::BleedIsolationValveRightSwitch,    "A300_ISOLATION_VALVE_RIGHT",           "INI_ISOLATION_VALVE_RIGHT"},
    {Slot::Pack1Switch,                       "A300_PACK1_BUTTON",                    "INI_PACK1_BUTTON"},
    {Slot::Pack2Switch,                       "A300_PACK2_BUTTON",                    "INI_PACK2_BUTTON"},
    {Slot::EconomyFlowButton,                 "A310_econ_flow_selected",              "INI_econ_flow_selected"},
    {Slot::RamAirCover,                       "__GUARD_RAM_AIR_State"},
    {Slot::RamAirSwitch,                      "A300_RAM_AIR_ON",                      "INI_RAM_AIR_ON"},
    {Slot::MaximumCoolingSwitch,              "A310_max_cool",                        "INI_max_cool"},
    {Slot::VentilationGroundOverrideSwitch,   "A310_VENT_GND_OVRD",                   "INI_VENT_GND_OVRD"},
    {Slot::VentilationGroundControlSwitch,    "A310_VENT_GND_CTL",                    "INI_VENT_GND_CTL"},
    {Slot::VentilationOutboardValveSwitch,    "A300DR_vent_outboard_valve",           "INI_vent_outboard_valve"},
    {Slot::VentilationExtractSwitch,          "A300DR_vent_extract_valve",            "INI_vent_extract_valve"},
    {Slot::CargoValveSwitch,                  "A310_CARGO_VALVE",                     "INI_CARGO_VALVE"},
    {Slot::CabinRegulator1Switch,             "A310_cabin_sys1_regulator",            "INI_cabin_sys1_regulator"},
    {Slot::CabinRegulator2Switch,             "A310_cabin_sys2_regulator",            "INI_cabin_sys2_regulator"},
    {Slot::PressurizationModeSwitch,          "A300DR_CABIN_MAN_PRESS",               "INI_CABIN_MAN_PRESS"},
    {Slot::LandingElevationKnob,              "A310_LANDING_ELEVATION_1000S",         "INI_LANDING_ELEVATION_1000S"},
    {Slot::CrewOxygenSwitch,                  "A310_OXYGEN_LOW_PRESSURE_SUPPLY",      "INI_OXYGEN_LOW_PRESSURE_SUPPLY"},
    // Anti-ice, probe and window heat
    {Slot::Engine1AntiIceSwitch,              "A310_ENG1_ANTI_ICE",                   "INI_ENG1_ANTI_ICE"},
    {Slot::Engine2AntiIceSwitch,              "A310_ENG2_ANTI_ICE",                   "INI_ENG2_ANTI_ICE"},
    {Slot::WingAntiIceSwitch,                 "A310_WING_ANTI_ICE",                   "INI_WING_ANTI_ICE"},
    {Slot::WingAntiIceModeSelector,           "A300_ANTI_ICE_WING_MODE",              "INI_ANTI_ICE_WING_MODE"},
    {Slot::ProbeHeatLeftSwitch,               "A300_PROBE_HEAT_CAPT",                 "INI_PROBE_HEAT_CAPT"},
    {Slot::ProbeHeatRightSwitch,              "A300_PROBE_HEAT_COPILOT",              "INI_PROBE_HEAT_COPILOT"},
    {Slot::ProbeHeatStandbySwitch,            "A300_PROBE_HEAT_STANDBY",              "INI_PROBE_HEAT_STANDBY"},
    {Slot::WindowHeat1Switch,                 "A300_WINDOW_HEAT1",                    "INI_WINDOW_HEAT1"},
    {Slot::WindowHeat2Switch,                 "A300_WINDOW_HEAT2",                    "INI_WINDOW_HEAT2"},
    {Slot::WindowHeat3Switch,                 "A300_WINDOW_HEAT3",                    "INI_WINDOW_HEAT3"},
    {Slot::WindowHeat4Switch,                 "A300_WINDOW_HEAT4",                    "INI_WINDOW_HEAT4"},
    // Hydraulics and flight controls
    {Slot::HydraulicEngine1PumpSwitch,        "A310_hyd_eng1_switch_pos",             "INI_hyd_eng1_switch_pos"},
    {Slot::HydraulicEngine2PumpSwitch,        "A310_hyd_eng2_switch_pos",             "INI_hyd_eng2_switch_pos"},
    {Slot::HydraulicEngine1SecondPumpSwitch,  "A310_hyd_eng1_A_switch_pos",           "INI_hyd_eng1_A_switch_pos"},
    {Slot::HydraulicEngine2SecondPumpSwitch,  "A310_hyd_eng2_B_switch_pos",           "INI_hyd_eng2_B_switch_pos"},
    {Slot::HydraulicElecPumpSwitch,           "A310_hyd_elec_status",                 "INI_hyd_elec_status"},
    {Slot::HydraulicBluePtuSwitch,            "A310_hyd_PTU_blue_status",             "INI_hyd_PTU_blue_status"},
    {Slot::HydraulicYellowPtuSwitch,          "A310_hyd_PTU_yellow_status",           "INI_hyd_PTU_yellow_status"},
    {Slot::BlueServoCover,                    "__GUARD_SERVO_B_State"},
    {Slot::BlueServoOffSwitch,                "A310_SERVO_BLUE_OFF_LIGHT",            "INI_SERVO_BLUE_OFF_LIGHT"},
    {Slot::GreenServoCover,                   "__GUARD_SERVO_G_State"},
    {Slot::GreenServoOffSwitch,               "A310_SERVO_GREEN_OFF_LIGHT",           "INI_SERVO_GREEN_OFF_LIGHT"},
    {Slot::PitchFeel1Switch,                  "A310_PITCH_FEEL1",                     "INI_PITCH_FEEL1"},
    {Slot::PitchFeel2Switch,                  "A310_PITCH_FEEL2",                     "INI_PITCH_FEEL2"},
    {Slot::RudderTravel1Switch,               "A310_RUDDER_TRAVEL1",                  "INI_RUDDER_TRAVEL1"},
    {Slot::RudderTravel2Switch,               "A310_RUDDER_TRAVEL2",                  "INI_RUDDER_TRAVEL2"},
    {Slot::PitchTrim1Switch,                  "A310_pitch_trim1",                     "INI_pitch_trim1"},
    {Slot::PitchTrim2Switch,                  "A310_pitch_trim2",                     "INI_pitch_trim2"},
    {Slot::YawDamper1Switch,                  "A310_yaw_damper1",                     "INI_yaw_damper1"},
    {Slot::YawDamper2Switch,                  "A310_yaw_damper2",                     "INI_yaw_damper2"},
    {Slot::Sgu1Switch,                        "A310_SGU1",                            "INI_SGU1"},
    {Slot::Sgu2Switch,                        "A310_SGU2",                            "INI_SGU2"},
    {Slot::RudderTrimResetButton,             "A310_RESET_RUDDER_TRIM_COMMAND",       "INI_RESET_RUDDER_TRIM_COMMAND"},
    {Slot::SpoilersArmedState,                "A310_SPOILERS_ARMED",                  "INI_SPOILERS_ARMED"},
    {Slot::SpeedbrakeLever,                   "A310_SPOILERS_HANDLE_POSITION",        "INI_SPOILERS_HANDLE_POSITION"},
    {Slot::Spoiler7Switch,                    "A310_SPEEDBRAKE7",                     "INI_SPEEDBRAKE7"},
    {Slot::Spoiler6Switch,                    "A310_SPEEDBRAKE6",                     "INI_SPEEDBRAKE6"},
    {Slot::Spoiler5Switch,                    "A310_SPEEDBRAKE5",                     "INI_SPEEDBRAKE5"},
    {Slot::Spoiler4And1Switch,                "A310_SPEEDBRAKE4_1",                   "INI_SPEEDBRAKE4_1"},
    {Slot::Spoiler3And2Switch,                "A310_SPEEDBRAKE3_2",                   "INI_SPEEDBRAKE3_2"},
    {Slot::CaptainWiperSelector,              "A310_CPT_WIPER_KNOB",                  "INI_CPT_WIPER_KNOB"},
    {Slot::FirstOfficerWiperSelector,         "A310_FO_WIPER_KNOB",                   "INI_FO_WIPER_KNOB"},
    {Slot::WeatherRadarSystemSelector,        "A310_WXR_SYS",                         "INI_WXR_SYS"},
    {Slot::WeatherRadarModeSelector,          "A310_WXR_MODE",                        "INI_WXR_MODE"},
    // Electrical
    {Slot::Battery1Switch,                    "A310_BAT1_ON",                         "INI_BAT1_ON"},
    {Slot::Battery2Switch,                    "A310_BAT2_ON",                         "INI_BAT2_ON"},
    {Slot::Battery3Switch,                    "A310_BAT3_ON",                         "INI_BAT3_ON"},
    {Slot::Generator1Switch,                  "A310_eng1_gen_on",                     "INI_eng1_gen_on"},
    {Slot::Generator2Switch,                  "A310_eng2_gen_on",                     "INI_eng2_gen_on"},
    {Slot::ApuGeneratorSwitch,                "A310_apu_gen_on",                      "INI_apu_gen_on"},
    {Slot::Idg1DisconnectSwitch,              "A310_IDG1_BUTTON",                     "INI_IDG1_BUTTON"},
    {Slot::Idg2DisconnectSwitch,              "A310_IDG2_BUTTON",                     "INI_IDG2_BUTTON"},
    {Slot::Idg1DisconnectCover,               "__IDG1_COVER_State"},
    {Slot::Idg2DisconnectCover,               "__IDG2_COVER_State"},
    {Slot::GroundPowerUnitSwitch,             "A310_gpu_avail",                       "INI_gpu_avail"},
    {Slot::StandbyGeneratorCover,             "__GUARD_STBY_GEN_State"},
    {Slot::StandbyGeneratorSwitch,            "A310_elec_standby_gen",                "INI_elec_standby_gen"},
    {Slot::BatteryOverrideCover,              "__GUARD_BAT_OVRD_State"},
    {Slot::BatteryOverrideSwitch,             "A310_elec_battery_override",           "INI_elec_battery_override"},
    {Slot::LandRecoverySwitch,                "A310_elec_land_recovery",              "INI_elec_land_recovery"},
    {Slot::ElecDcIndicationSelector,          "A310_elec_ind_dc_selector",            "INI_elec_ind_dc_selector"},
    {Slot::ElecAcIndicationSelector,          "A310_elec_ind_ac_selector",            "INI_elec_ind_ac_selector"},
    {Slot::GalleyCabinSwitch,                 "A310_galley_shed",                     "INI_galley_shed"},
    // Fuel
    {Slot::FuelOuterTankLeftPump1Switch,      "A310_OUTER_TANK1_LEFT",                "INI_OUTER_TANK1_LEFT"},
    {Slot::FuelOuterTankLeftPump2Switch,      "A310_OUTER_TANK2_LEFT",                "INI_OUTER_TANK2_LEFT"},
    {Slot::FuelLeftTankPump1Switch,           "A310_INNER_TANK1_LEFT",                "INI_INNER_TANK1_LEFT"},
    {Slot::FuelLeftTankPump2Switch,           "A310_INNER_TANK2_LEFT",                "INI_INNER_TANK2_LEFT"},
    {Slot::FuelRightTankPump1Switch,          "A310_INNER_TANK1_RIGHT",               "INI_INNER_TANK1_RIGHT"},
    {Slot::FuelRightTankPump2Switch,          "A310_INNER_TANK2_RIGHT",               "INI_INNER_TANK2_RIGHT"},
    {Slot::FuelOuterTankRightPump1Switch,     "A310_OUTER_TANK1_RIGHT",               "INI_OUTER_TANK1_RIGHT"},
    {Slot::FuelOuterTankRightPump2Switch,     "A310_OUTER_TANK2_RIGHT",               "INI_OUTER_TANK2_RIGHT"},
    {Slot::FuelCenterTankPump1Switch,         "A310_CENTER_TANK1",                    "INI_CENTER_TANK1"},
    {Slot::FuelCenterTankPump2Switch,         "A310_CENTER_TANK2",                    "INI_CENTER_TANK2"},
    {Slot::FuelTrimTankPump1Switch,           "A310_TRIM_TANK1",                      "INI_TRIM_TANK1"},
    {Slot::FuelTrimTankPump2Switch,           "A310_TRIM_TANK2",                      "INI_TRIM_TANK2"},
    {Slot::FuelTrimTankModeSelector,          "A310_TRIM_TANK_MODE",                  "INI_TRIM_TANK_MODE"},
    {Slot::FuelCrossfeedSwitch,               "A310_xfeed_transfer_on",               "INI_xfeed_transfer_on"},
    {Slot::FuelIsolationValve1Cover,          "__GUARD_FUEL_IS0_1_State"},
    {Slot::FuelIsolationValve1Switch,         "A310_isolation_valve_outer_tank_left", "INI_isolation_valve_outer_tank_left"},
    {Slot::FuelIsolationValve2Cover,          "__GUARD_FUEL_IS0_2_State"},
    {Slot::FuelIsolationValve2Switch,         "A310_isolation_valve_inner_tank_left", "INI_isolation_valve_inner_tank_left"},
    {Slot::FuelIsolationValve3Cover,          "__GUARD_FUEL_IS0_3_State"},
    {Slot::FuelIsolationValve3Switch,         "A310_isolation_valve_inner_tank_right", "INI_isolation_valve_inner_tank_right"},
    {Slot::FuelIsolationValve4Cover,          "__GUARD_FUEL_IS0_4_State"},
    {Slot::FuelIsolationValve4Switch,         "A310_isolation_valve_outer_tank_right", "INI_isolation_valve_outer_tank_right"},
    {Slot::FuelTrimTankIsolationValveCover,   "__GUARD_TRMTK_ISO_State"},
    {Slot::FuelTrimTankIsolationValveSwitch,  "A310_TRIM_TANK_ISOL_VALVE",            "INI_TRIM_TANK_ISOL_VALVE"},
    {Slot::ApuFuelOverrideSwitch,             "A300_APU_FUEL_OVRD",                   "INI_APU_FUEL_OVRD"},
    {Slot::EngineTrimCover,                   "__GUARD_ENG_TRIM_State"},
    {Slot::EngineTrimSwitch,                  "A310_ENG_TRIM",                        "INI_ENG_TRIM"},
    // Fire protection: the A310's agent switches carry the "A300DR_" names
    {Slot::Engine1FireButton,                 "A310_FIRE_HANDLE_ENG1",                "INI_FIRE_HANDLE_ENG1"},
    {Slot::Engine2FireButton,                 "A310_FIRE_HANDLE_ENG2",                "INI_FIRE_HANDLE_ENG2"},
    {Slot::Engine1FireHandleLatch,            "A310_ENG1_FIRE_LATCH",                 "INI_ENG1_FIRE_LATCH"},
    {Slot::Engine2FireHandleLatch,            "A310_ENG2_FIRE_LATCH",                 "INI_ENG2_FIRE_LATCH"},
    {Slot::Engine1Agent1Button,               "A300DR_engine1_agent1_disch",          "INI_engine1_agent1_disch"},
    {Slot::Engine2Agent1Button,               "A300DR_engine2_agent1_disch",          "INI_engine2_agent1_disch"},
    {Slot::Engine1Agent2Button,               "A300DR_engine1_agent2_disch",          "INI_engine1_agent2_disch"},
    {Slot::Engine1SquibTestButton,            "A310_ENG1_SQUIB_TEST",                 "INI_ENG1_SQUIB_TEST"},
    {Slot::Engine2SquibTestButton,            "A310_ENG2_SQUIB_TEST",                 "INI_ENG2_SQUIB_TEST"},
    {Slot::ApuSquibTestButton,                "A310_APU_SQUIB_TEST",                  "INI_APU_SQUIB_TEST"},
    {Slot::Engine1FireTestButton,             "A310_ENGINE1_LOOP_TEST_SWITCH",        "INI_ENGINE1_LOOP_TEST_SWITCH"},
    {Slot::Engine2FireTestButton,             "A310_ENGINE2_LOOP_TEST_SWITCH",        "INI_ENGINE2_LOOP_TEST_SWITCH"},
    {Slot::ApuFireTestButton,                 "A310_APU_LOOP_TEST_SWITCH",            "INI_APU_LOOP_TEST_SWITCH"},
    {Slot::Engine1LoopASelector,              "A310_ENG1_LOOP_A_STATE",               "INI_ENG1_LOOP_A_STATE"},
    {Slot::Engine1LoopBSelector,              "A310_ENG1_LOOP_B_STATE",               "INI_ENG1_LOOP_B_STATE"},
    {Slot::Engine2LoopASelector,              "A310_ENG2_LOOP_A_STATE",               "INI_ENG2_LOOP_A_STATE"},
    {Slot::Engine2LoopBSelector,              "A310_ENG2_LOOP_B_STATE",               "INI_ENG2_LOOP_B_STATE"},
    // Engines and APU
    {Slot::Engine1MasterSwitch,               "A310_MIXTURE_RATIO1_HANDLE",           "INI_MIXTURE_RATIO1_HANDLE"},
    {Slot::Engine2MasterSwitch,               "A310_MIXTURE_RATIO2_HANDLE",           "INI_MIXTURE_RATIO2_HANDLE"},
    {Slot::Engine1StarterSwitch,              "A310_ENG1_STARTER",                    "INI_ENG1_STARTER"},
    {Slot::Engine2StarterSwitch,              "A310_ENG2_STARTER",                    "INI_ENG2_STARTER"},
    {Slot::EngineIgnitionSelector,            "A310_eng_ignition_switch",             "INI_eng_ignition_switch"},
    {Slot::Engine1N1Value,                    "A310_ENGINE1_N1_DISPLAY",              "INI_ENGINE1_N1_DISPLAY"},
    {Slot::Engine1N2Value,                    "A310_ENGINE1_N2_DISPLAY",              "INI_ENGINE1_N2_DISPLAY"},
    {Slot::Engine1ExhaustGasTemperatureValue, "A310_ENGINE1_EGT",                     "INI_ENGINE1_EGT"},
    {Slot::Engine1FuelFlowValue,              "A310_FUEL_FLOW1",                      "INI_FUEL_FLOW1"},
    {Slot::Engine2N1Value,                    "A310_ENGINE2_N1_DISPLAY",              "INI_ENGINE2_N1_DISPLAY"},
    {Slot::Engine2N2Value,                    "A310_ENGINE2_N2_DISPLAY",              "INI_ENGINE2_N2_DISPLAY"},
    {Slot::Engine2ExhaustGasTemperatureValue, "A310_ENGINE2_EGT",                     "INI_ENGINE2_EGT"},
    {Slot::Engine2FuelFlowValue,              "A310_FUEL_FLOW2",                      "INI_FUEL_FLOW2"},
    {Slot::ApuMasterSwitch,                   "A310_apu_master_switch",               "INI_apu_master_switch"},
    {Slot::ApuStartButton,                    "A310_APU_START_BUTTON",                "INI_APU_START_BUTTON"},
    {Slot::ApuStartAvailLight,                "A310_APU_RUN",                         "INI_APU_RUN"},
    // Brakes and gear
    {Slot::ParkingBrakeLever,                 "A310_PARKING_BRAKE_STATUS",            "INI_PARKING_BRAKE_STATUS"},
    {Slot::AutobrakeLevelValue,               "A310_AUTOBRAKE_LEVEL",                 "INI_AUTOBRAKE_LEVEL"},
    {Slot::AutobrakeLowButton,                "A310_ABRK_LOW_COMMAND",                "INI_ABRK_LOW_COMMAND"},
    {Slot::AutobrakeMediumButton,             "A310_ABRK_MED_COMMAND",                "INI_ABRK_MED_COMMAND"},
    {Slot::AutobrakeMaxButton,                "A310_ABRK_HI_COMMAND",                 "INI_ABRK_HI_COMMAND"},
    {Slot::BrakeSystemSelector,               "A300DR_brake_system",                  "INI_brake_system"},
    {Slot::BrakeFanSwitch,                    "A310_brake_fan_on",                    "INI_brake_fan_on"},
    {Slot::GearLever,                         "A310_GEAR_HANDLE_STATUS",              "INI_GEAR_HANDLE_STATUS"},
    // ECAM control panel
    {Slot::EcamTakeoffConfigButton,           "A310_TAKEOFF_CONFIG_PRESSED",          "INI_TAKEOFF_CONFIG_PRESSED"},
    {Slot::EcamClearButton,                   "PUSH_EWD_CLR"},
    {Slot::EcamRecallButton,                  "PUSH_EWD_RCL"},
    {Slot::EcamStatusButton,                  "PUSH_EWD_STS"},
    {Slot::EcamWheelButton,                   "PUSH_ECAM_WHEEL"},
    {Slot::EcamHydraulicButton,               "PUSH_ECAM_HYD"},
    {Slot::EcamEngineButton,                  "PUSH_ECAM_ENG"},
    {Slot::EcamElecDcButton,                  "PUSH_ECAM_ELEC_DC"},
    {Slot::EcamFuelButton,                    "PUSH_ECAM_FUEL"},
    {Slot::EcamConditioningButton,            "PUSH_ECAM_COND"},
    {Slot::EcamDoorButton,                    "PUSH_ECAM_DOOR"},
    {Slot::EcamCabinPressureButton,           "PUSH_ECAM_PRESS"},
    {Slot::EcamBleedButton,                   "PUSH_ECAM_BLEED"},
    {Slot::EcamFlightControlButton,           "PUSH_ECAM_FCTL"},
    {Slot::EcamApuButton,                     "PUSH_ECAM_APU"},
    // Take-off data and cabin
    {Slot::TakeoffV1SpeedValue,               "A310_V1",                              "INI_V1"},
    {Slot::TakeoffVrSpeedValue,               "A310_VR",                              "INI_VR"},
    {Slot::TakeoffV2SpeedValue,               "A310_PRESET_SPEED",                    "INI_PRESET_SPEED"},
    {Slot::TransitionAltitudeValue,           "A300DR_transition_altitude",           "INI_transition_altitude"},
    {Slot::TakeoffFlexTemperatureValue,       "A310_FLEX_TEMPERATURE",                "INI_FLEX_TEMPERATURE"},
    {Slot::RecorderGroundControlSwitch,       "A300_GNDCTL",                          "INI_GNDCTL"},
    {Slot::FirstOfficerArmrestLever,          "A310_ARMREST_FO",                      "INI_ARMREST_FO"},
};
// clang-format on

constexpr std::string_view AfterPrefix(std::string_view name) {
    const std::size_t underscore = name.find('_');
    return underscore == std::string_view::npos ? name : name.substr(underscore + 1);
}

// The A300's name is the A310's with another prefix, so a typo in either shows here.
constexpr bool TwinsDifferOnlyInPrefix() {
    for (const Item& item : kItems) {
        if (!item.a300.empty() && AfterPrefix(item.a310) != AfterPrefix(item.a300)) return false;
    }
    return true;
}
static_assert(TwinsDifferOnlyInPrefix(), "an A300 name is its A310 twin with another prefix");

void MarkA310(Server& server) {
    server.adapters.inibuilds.a310Flag = true;
}

// The A310 shows itself by these two of its own names.
constexpr bool MarksA310(std::string_view name) {
    return name == "A310_IRS1_STATE" || name == "A310_HEADING_DIAL_UP_COMMAND";
}

constexpr std::size_t WantedCount() {
    std::size_t count = 0;
    for (const Item& item : kItems) count += item.a300.empty() ? 1 : 2;
    return count;
}

constexpr auto kWanted = [] {
    std::array<bridge::WantedVariable, WantedCount()> wanted{};
    std::size_t next = 0;
    for (const Item& item : kItems) {
        wanted[next] = Wanted(item.a310, item.slot, item.alsoSlot, item.counts);
        if (MarksA310(item.a310)) wanted[next].onFound = MarkA310;
        ++next;
        if (!item.a300.empty()) wanted[next++] = Wanted(item.a300, item.slot, item.alsoSlot, item.counts);
    }
    return wanted;
}();

constexpr bool IsA300Name(std::string_view name) {
    return name.starts_with("INI_") || name.starts_with("FCPC_");
}
constexpr bool IsA310Name(std::string_view name) {
    return name.starts_with("A310_") || name.starts_with("A300_") || name.starts_with("A300DR_");
}

// The counting names one of the two aircraft can match: its own and those both share.
constexpr std::size_t MatchableNames(bool a310) {
    std::size_t count = 0;
    for (const bridge::WantedVariable& variable : kWanted) {
        const bool other = a310 ? IsA300Name(variable.name) : IsA310Name(variable.name);
        if (variable.counts && !other) ++count;
    }
    return count;
}

// A list with most of an aircraft's names is taken as complete: a few may be
// renamed by an update of the aircraft without the rest failing.
constexpr std::size_t kRequiredPercent = 95;
constexpr std::size_t Required(bool a310) {
    return (MatchableNames(a310) * kRequiredPercent + 99) / 100;
}

constexpr std::size_t kTotalNames = 3000;
constexpr std::uint32_t kArmrestMilliseconds = 4000;

void ClearFlag(Server& server) {
    server.adapters.inibuilds.a310Flag = false;
}

bridge::DiscoveryVerdict Judge(Server& server, const bridge::DiscoveryResult& result) {
    const bool a310 = server.adapters.inibuilds.a310Flag;
    if (result.found < Required(a310)) return {};
    return {a310 ? "Retrieved all Inibuild A310 Lvars" : "Retrieved all Inibuild A300 Lvars", true};
}

// The first officer's armrest goes up and back down.
void RaiseArmrest(Server& server) {
    bridge::SetLvarValue(server, SlotId(server, Slot::FirstOfficerArmrestLever), 1.0);
    server.ports.clock.Sleep(kArmrestMilliseconds);
    bridge::SetLvarValue(server, SlotId(server, Slot::FirstOfficerArmrestLever), 0.0);
}

}  // namespace

std::span<const bridge::WantedVariable> WantedVariables() {
    return kWanted;
}

std::size_t RequiredMatches(bool a310) {
    return Required(a310);
}

void Discover(Server& server) {
    ClearFlag(server);
    bridge::DiscoveryPlan plan{"Looking for Inibuild Specific lvars", "", kWanted, kTotalNames, 0};
    plan.resetFlags = ClearFlag;
    plan.judge = Judge;
    plan.followUp = RaiseArmrest;
    bridge::RunDiscoveryRoutine(server, plan);
}

}  // namespace tarvo::adapters::inibuilds
