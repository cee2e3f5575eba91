// The Asobo 747 and 787 and the Working Title CJ4: their names and the slots
// they fill, as data for the shared discovery routine. The generic adapter
// serves these aircraft through those slots and the flags set here.
#include "adapters/asobo/Asobo.h"

#include "adapters/Slots.h"
#include "bridge/Discovery.h"

#include <algorithm>
#include <array>
#include <string>

namespace tarvo::adapters::asobo {
namespace {

constexpr std::int32_t kCaptainSim777Id = 30;
// A module list this long needs no further pass.
constexpr std::size_t kEnoughNames = 60;
// The copy is emptied and 1 ms waited before each further pass.
constexpr std::uint32_t kExtraPassPause = 1;
// The CJ4's event pass counts its eight events against this, so it always logs
// its incomplete line.
constexpr std::size_t kCj4HvarsRequired = 100;

void Set747Flag(Server& server) {
    server.adapters.asobo747Flag = true;
}
void SetCj4Flag(Server& server) {
    server.adapters.cj4Flag = true;
}

// No name counts toward completeness: these routines judge by the list alone.
constexpr bridge::WantedVariable Lvar(std::string_view name, Slot slot) {
    return Wanted(name, slot, Slot::None, false);
}
constexpr bridge::WantedVariable Flagging(std::string_view name, Slot slot, void (*flag)(Server&)) {
    bridge::WantedVariable variable = Lvar(name, slot);
    variable.onFound = flag;
    return variable;
}
constexpr bridge::WantedVariable Hvar(std::string_view name, Slot slot) {
    return Wanted(name, slot);
}
constexpr bridge::WantedVariable Cj4Event(std::string_view name, Slot slot) {
    bridge::WantedVariable variable = Hvar(name, slot);
    variable.onFound = SetCj4Flag;
    return variable;
}

// clang-format off
constexpr bridge::WantedVariable k747Lvars[] = {
    Flagging("747_IRS_KNOB_2",                 Slot::Ir2ModeSelector, Set747Flag),
    Lvar("747_IRS_KNOB_1",                     Slot::Ir1ModeSelector),
    Lvar("747_IRS_KNOB_3",                     Slot::Ir3ModeSelector),
    Flagging("XMLVAR_EICAS_CURRENT_PAGE",      Slot::EicasPageValue, Set747Flag),
    Flagging("747_Aircond_Knob_1",             Slot::AirConditioning1Knob, Set747Flag),
    Lvar("747_Aircond_Knob_2",                 Slot::AirConditioning2Knob),
    Lvar("747_Aircond_Knob_3",                 Slot::AirConditioning3Knob),
    Lvar("ELECTRICAL_APU_Bleed",               Slot::ApuBleedSwitch),
    // The 747's second autopilot is its variable numbered 3, its third the one numbered 2.
    Flagging("XMLVAR_Autopilot_1_Status",      Slot::Autopilot1Light, Set747Flag),
    Lvar("XMLVAR_Autopilot_3_Status",          Slot::Autopilot2Light),
    Lvar("XMLVAR_Autopilot_2_Status",          Slot::Autopilot3Light),
    Lvar("AP_ALT_HOLD_ACTIVE",                 Slot::AltitudeHoldModeState),
    Lvar("AP_FLCH_ACTIVE",                     Slot::FlightLevelChangeModeState),
    Lvar("AP_HEADING_HOLD_ACTIVE",             Slot::HeadingHoldModeState),
    Lvar("AP_LNAV_ARMED",                      Slot::LnavArmedState),
    Lvar("AP_VNAV_ARMED",                      Slot::VnavArmedState),
    Lvar("AP_VNAV_ACTIVE",                     Slot::VnavActiveState),
    Lvar("AP_SPD_ACTIVE",                      Slot::SpeedHoldModeState),
    Lvar("AP_VS_ACTIVE",                       Slot::VerticalSpeedModeState),
    Lvar("XMLVAR_FPA_MODE_ACTIVE",             Slot::FlightPathAngleModeState),
    Lvar("AP_SPEED_INTERVENTION_ACTIVE",       Slot::SpeedInterventionState),
    Lvar("XMLVAR_AUTO_THROTTLE_ARM_0_STATE",   Slot::AutothrottleArmSwitch),
    Lvar("XMLVAR_NAV_AID_SWITCH_L1_State",     Slot::Efis1Navaid1Selector),
    Lvar("XMLVAR_NAV_AID_SWITCH_L2_State",     Slot::Efis1Navaid2Selector),
    Lvar("XMLVAR_NAV_AID_SWITCH_R1_State",     Slot::Efis2Navaid1Selector),
    Lvar("XMLVAR_NAV_AID_SWITCH_R2_State",     Slot::Efis2Navaid2Selector),
    Lvar("XMLVAR_Baro1_ForcedToSTD",           Slot::Efis1BaroStdButton),
    Lvar("XMLVAR_SeatBelts",                   Slot::SeatbeltSignSwitch),
    Lvar("B747_8_MFD_NAV_MODE",                Slot::Efis1NdModeSelector),
    Lvar("B747_8_MFD_Range",                   Slot::Efis1NdRangeSelector),
    Lvar("XMLVAR_StandbyPower_Selector",       Slot::StandbyPowerSelector),
    // Two names of the transponder mode: the one the module lists later wins.
    Lvar("XMLVAR_Transponder_Mode",            Slot::TransponderModeSelector),
    Lvar("XMLVAR_LTS_Test",                    Slot::AnnunciatorLightSwitch),
    Lvar("XMLVAR_APU_StarterKnob_Pos",         Slot::ApuSelector),
    Lvar("Generic_Master_Warning_Active",      Slot::MasterWarningLight),
    Lvar("Generic_Master_Caution_Active",      Slot::MasterCautionLight),
    Lvar("P30_010_GL5",                        Slot::TransponderModeSelector),
};
static_assert(std::size(k747Lvars) == 37);

// Its autopilots, modes and lamps as on the 747.
constexpr bridge::WantedVariable k787Lvars[] = {
    Lvar("B787_IRS_Knob_State:1",                    Slot::Ir1ModeSelector),
    Lvar("B787_IRS_Knob_State:2",                    Slot::Ir2ModeSelector),
    Lvar("XMLVAR_Packs_L_Switch",                    Slot::Pack1Switch),
    Lvar("XMLVAR_Packs_R_Switch",                    Slot::Pack2Switch),
    Lvar("ELECTRICAL_APU_Bleed",                     Slot::ApuBleedSwitch),
    Lvar("XMLVAR_TrimAir_L",                         Slot::TrimAirLeftSwitch),
    Lvar("XMLVAR_TrimAir_R",                         Slot::TrimAirRightSwitch),
    Lvar("XMLVAR_Outflow_Fwd",                       Slot::OutflowValveForwardSwitch),
    Lvar("XMLVAR_Outflow_Aft",                       Slot::OutflowValveAftSwitch),
    Lvar("XMLVAR_RecircUpper",                       Slot::CabinFansSwitch),
    Lvar("XMLVAR_FansLower",                         Slot::RecirculationFanLowerSwitch),
    Lvar("XMLVAR_Equip_Fwd",                         Slot::EquipmentCoolingForwardSwitch),
    Lvar("XMLVAR_Cooling_Aft",                       Slot::AftCoolingSwitch),
    Lvar("XMLVAR_Autopilot_3_Status",                Slot::Autopilot2Light),
    Lvar("XMLVAR_Autopilot_2_Status",                Slot::Autopilot3Light),
    Lvar("AP_ALT_HOLD_ACTIVE",                       Slot::AltitudeHoldModeState),
    Lvar("AP_FLCH_ACTIVE",                           Slot::FlightLevelChangeModeState),
    Lvar("AP_HEADING_HOLD_ACTIVE",                   Slot::HeadingHoldModeState),
    Lvar("AP_LNAV_ARMED",                            Slot::LnavArmedState),
    Lvar("AP_VNAV_ARMED",                            Slot::VnavArmedState),
    Lvar("AP_VNAV_ACTIVE",                           Slot::VnavActiveState),
    Lvar("AP_SPD_ACTIVE",                            Slot::SpeedHoldModeState),
    Lvar("AP_VS_ACTIVE",                             Slot::VerticalSpeedModeState),
    Lvar("XMLVAR_FPA_MODE_ACTIVE",                   Slot::FlightPathAngleModeState),
    Lvar("AP_SPEED_INTERVENTION_ACTIVE",             Slot::SpeedInterventionState),
    Lvar("AS01B_AUTO_THROTTLE_ARM_STATE",            Slot::AutothrottleArmSwitch),
    Lvar("XMLVAR_NAV_AID_SWITCH_L1_State",           Slot::Efis1Navaid1Selector),
    Lvar("XMLVAR_NAV_AID_SWITCH_L2_State",           Slot::Efis1Navaid2Selector),
    Lvar("XMLVAR_NAV_AID_SWITCH_R1_State",           Slot::Efis2Navaid1Selector),
    Lvar("XMLVAR_NAV_AID_SWITCH_R2_State",           Slot::Efis2Navaid2Selector),
    Lvar("XMLVAR_Baro1_ForcedToSTD",                 Slot::Efis1BaroStdButton),
    Lvar("WT_SEAT_BELTS_MODE",                       Slot::SeatbeltSignSwitch),
    Lvar("B787_Engine_AntiIce_Knob_State:1",         Slot::Engine1AntiIceSwitch),
    Lvar("B787_Engine_AntiIce_Knob_State:2",         Slot::Engine2AntiIceSwitch),
    Lvar("B787_Wing_AntiIce_Knob_State",             Slot::WingAntiIceSwitch),
    Lvar("XMLVAR_HYDRAULICS_DEMAND_LEFT",            Slot::HydraulicDemandPumpLeftSelector),
    Lvar("XMLVAR_HYDRAULICS_C1",                     Slot::HydraulicCenter1PumpSwitch),
    Lvar("XMLVAR_HYDRAULICS_C2",                     Slot::HydraulicCenter2PumpSwitch),
    Lvar("XMLVAR_HYDRAULICS_DEMAND_RIGHT",           Slot::HydraulicDemandPumpRightSelector),
    Lvar("B78XH_HYDRAULIC_ELEC_L_SWITCH_STATE",      Slot::HydraulicElecPumpLeftSwitch),
    Lvar("B78XH_HYDRAULIC_ELEC_R_SWITCH_STATE",      Slot::HydraulicElecPumpRightSwitch),
    Lvar("XMLVAR_Utility_Ife",                       Slot::UtilityIfeSwitch),
    Lvar("XMLVAR_Utility_Cabin",                     Slot::UtilityCabinSwitch),
    Lvar("B747_8_MFD_NAV_MODE",                      Slot::Efis1NdModeSelector),
    Lvar("B747_8_MFD_Range",                         Slot::Efis1NdRangeSelector),
    Lvar("XMLVAR_StandbyPower_Selector",             Slot::StandbyPowerSelector),
    Lvar("XMLVAR_Transponder_Mode",                  Slot::TransponderModeSelector),
    Lvar("XMLVAR_LTS_Test",                          Slot::AnnunciatorLightSwitch),
    Lvar("XMLVAR_APU_StarterKnob_Pos",               Slot::ApuSelector),
    Lvar("ELECTRICAL_APU_Generator_1",               Slot::ApuGeneratorSwitch),
    Lvar("ELECTRICAL_APU_Generator_2",               Slot::ApuGenerator2Switch),
    Lvar("XMLVAR_Battery_Switch_State",              Slot::Battery1Switch),
    Lvar("Generic_Master_Warning_Active",            Slot::MasterWarningLight),
    Lvar("Generic_Master_Caution_Active",            Slot::MasterCautionLight),
    Lvar("XMLVAR_ELECTRICAL_EmerLights_Cover_Opened", Slot::EmergencyExitLightCover),
    Lvar("XMLVAR_EMER_LIGHTS_ARMED",                 Slot::EmergencyExitLightSwitch),
    // Window heat 1 shares the probe and window heat switch, as the commands for
    // windows 1 to 4 expect.
    Lvar("XMLVAR_DeiceWindshield:1",                 Slot::ProbeWindowHeatSwitch),
    Lvar("XMLVAR_DeiceWindshield:2",                 Slot::WindowHeat2Switch),
    Lvar("XMLVAR_DeiceWindshield:3",                 Slot::WindowHeat3Switch),
    Lvar("XMLVAR_DeiceWindshield:4",                 Slot::WindowHeat4Switch),
    Lvar("WT_78_FLIGHT_COMPUTER_AUTO",               Slot::FlightComputerAutoSwitch),
    Lvar("B787_10_MFD_2_State",                      Slot::Mfd2PageValue),
    Lvar("XMLVAR_EICAS_INDEX",                       Slot::EicasPageValue),
    Lvar("FMC_UPDATE_CURRENT_PAGE",                  Slot::FmcPageUpdateValue),
    Lvar("P30_010_GL5",                              Slot::TransponderModeSelector),
};
static_assert(std::size(k787Lvars) == 65);

// The display keys, then FMC 1's and FMC 2's keys into the captain's and the
// first officer's CDU key slots.
constexpr bridge::WantedVariable k787Hvars[] = {
    Hvar("H:AS01B_MFD_2_ENG",                Slot::Mfd2EngineKeyEvent),
    Hvar("H:AS01B_MFD_2_SYS",                Slot::Mfd2SystemsKeyEvent),
    Hvar("H:AS01B_MFD_2_CHKL",               Slot::Mfd2ChecklistKeyEvent),
    Hvar("H:AS01B_MFD_1_TERR",               Slot::Mfd1TerrainKeyEvent),
    Hvar("H:AS01B_MFD_2_TERR",               Slot::Mfd2TerrainKeyEvent),
    Hvar("H:AS01B_FMC_1_TRIGGER_LSK_0",      Slot::Cdu1KeyLsk1L),
    Hvar("H:AS01B_FMC_1_TRIGGER_LSK_1",      Slot::Cdu1KeyLsk2L),
    Hvar("H:AS01B_FMC_1_TRIGGER_LSK_2",      Slot::Cdu1KeyLsk3L),
    Hvar("H:AS01B_FMC_1_TRIGGER_LSK_3",      Slot::Cdu1KeyLsk4L),
    Hvar("H:AS01B_FMC_1_TRIGGER_LSK_4",      Slot::Cdu1KeyLsk5L),
    Hvar("H:AS01B_FMC_1_TRIGGER_LSK_5",      Slot::Cdu1KeyLsk6L),
    Hvar("H:AS01B_FMC_1_RSK_0",              Slot::Cdu1KeyLsk1R),  // named so, without TRIGGER
    Hvar("H:AS01B_FMC_1_TRIGGER_RSK_1",      Slot::Cdu1KeyLsk2R),
    Hvar("H:AS01B_FMC_1_TRIGGER_RSK_2",      Slot::Cdu1KeyLsk3R),
    Hvar("H:AS01B_FMC_1_TRIGGER_RSK_3",      Slot::Cdu1KeyLsk4R),
    Hvar("H:AS01B_FMC_1_TRIGGER_RSK_4",      Slot::Cdu1KeyLsk5R),
    Hvar("H:AS01B_FMC_1_TRIGGER_RSK_5",      Slot::Cdu1KeyLsk6R),
    Hvar("H:AS01B_FMC_1_BTN_1",              Slot::Cdu1Key1),
    Hvar("H:AS01B_FMC_1_BTN_2",              Slot::Cdu1Key2),
    Hvar("H:AS01B_FMC_1_BTN_3",              Slot::Cdu1Key3),
    Hvar("H:AS01B_FMC_1_BTN_4",              Slot::Cdu1Key4),
    Hvar("H:AS01B_FMC_1_BTN_5",              Slot::Cdu1Key5),
    Hvar("H:AS01B_FMC_1_BTN_6",              Slot::Cdu1Key6),
    Hvar("H:AS01B_FMC_1_BTN_7",              Slot::Cdu1Key7),
    Hvar("H:AS01B_FMC_1_BTN_8",              Slot::Cdu1Key8),
    Hvar("H:AS01B_FMC_1_BTN_9",              Slot::Cdu1Key9),
    Hvar("H:AS01B_FMC_1_BTN_0",              Slot::Cdu1Key0),
    Hvar("H:AS01B_FMC_1_BTN_A",              Slot::Cdu1KeyA),
    Hvar("H:AS01B_FMC_1_BTN_B",              Slot::Cdu1KeyB),
    Hvar("H:AS01B_FMC_1_BTN_C",              Slot::Cdu1KeyC),
    Hvar("H:AS01B_FMC_1_BTN_D",              Slot::Cdu1KeyD),
    Hvar("H:AS01B_FMC_1_BTN_E",              Slot::Cdu1KeyE),
    Hvar("H:AS01B_FMC_1_BTN_F",              Slot::Cdu1KeyF),
    Hvar("H:AS01B_FMC_1_BTN_G",              Slot::Cdu1KeyG),
    Hvar("H:AS01B_FMC_1_BTN_H",              Slot::Cdu1KeyH),
    Hvar("H:AS01B_FMC_1_BTN_I",              Slot::Cdu1KeyI),
    Hvar("H:AS01B_FMC_1_BTN_J",              Slot::Cdu1KeyJ),
    Hvar("H:AS01B_FMC_1_BTN_K",              Slot::Cdu1KeyK),
    Hvar("H:AS01B_FMC_1_BTN_L",              Slot::Cdu1KeyL),
    Hvar("H:AS01B_FMC_1_BTN_M",              Slot::Cdu1KeyM),
    Hvar("H:AS01B_FMC_1_BTN_N",              Slot::Cdu1KeyN),
    Hvar("H:AS01B_FMC_1_BTN_O",              Slot::Cdu1KeyO),
    Hvar("H:AS01B_FMC_1_BTN_P",              Slot::Cdu1KeyP),
    Hvar("H:AS01B_FMC_1_BTN_Q",              Slot::Cdu1KeyQ),
    Hvar("H:AS01B_FMC_1_BTN_R",              Slot::Cdu1KeyR),
    Hvar("H:AS01B_FMC_1_BTN_S",              Slot::Cdu1KeyS),
    Hvar("H:AS01B_FMC_1_BTN_T",              Slot::Cdu1KeyT),
    Hvar("H:AS01B_FMC_1_BTN_U",              Slot::Cdu1KeyU),
    Hvar("H:AS01B_FMC_1_BTN_V",              Slot::Cdu1KeyV),
    Hvar("H:AS01B_FMC_1_BTN_W",              Slot::Cdu1KeyW),
    Hvar("H:AS01B_FMC_1_BTN_X",              Slot::Cdu1KeyX),
    Hvar("H:AS01B_FMC_1_BTN_Y",              Slot::Cdu1KeyY),
    Hvar("H:AS01B_FMC_1_BTN_Z",              Slot::Cdu1KeyZ),
    Hvar("H:AS01B_FMC_1_BTN_DOT",            Slot::Cdu1KeyDot),
    Hvar("H:AS01B_FMC_1_BTN_PLUSMINUS",      Slot::Cdu1KeyPlusMinus),
    Hvar("H:AS01B_FMC_1_BTN_SP",             Slot::Cdu1KeySpace),
    Hvar("H:AS01B_FMC_1_BTN_DIV",            Slot::Cdu1KeySlash),
    Hvar("H:AS01B_FMC_1_BTN_CLR",            Slot::Cdu1KeyClear),
    Hvar("H:AS01B_FMC_1_BTN_DIR",            Slot::Cdu1KeyDir),
    Hvar("H:AS01B_FMC_1_BTN_RTE",            Slot::Cdu1KeyFpln),
    Hvar("H:AS01B_FMC_1_BTN_DEPARR",         Slot::Cdu1KeyDepArr),
    Hvar("H:AS01B_FMC_1_BTN_ALTN",           Slot::Cdu1KeyAltn),
    Hvar("H:AS01B_FMC_1_BTN_VNAV",           Slot::Cdu1KeyVnav),
    Hvar("H:AS01B_FMC_1_BTN_LEGS",           Slot::Cdu1KeyLegs),
    Hvar("H:AS01B_FMC_1_BTN_PROG",           Slot::Cdu1KeyProg),
    Hvar("H:AS01B_FMC_1_BTN_HOLD",           Slot::Cdu1KeyHold),
    Hvar("H:AS01B_FMC_1_BTN_FIX",            Slot::Cdu1KeyFix),
    Hvar("H:AS01B_FMC_1_BTN_NAVRAD",         Slot::Cdu1KeyRadNav),
    Hvar("H:AS01B_FMC_1_BTN_PREVPAGE",       Slot::Cdu1KeyPrevPage),
    Hvar("H:AS01B_FMC_1_BTN_NEXTPAGE",       Slot::Cdu1KeyNextPage),
    Hvar("H:AS01B_FMC_1_BTN_INIT",           Slot::Cdu1KeyInit),
    Hvar("H:AS01B_FMC_1_BTN_FMCCOMM",        Slot::Cdu1KeyFmcComm),
    Hvar("H:AS01B_FMC_2_TRIGGER_LSK_0",      Slot::Cdu2KeyLsk1L),
    Hvar("H:AS01B_FMC_2_TRIGGER_LSK_1",      Slot::Cdu2KeyLsk2L),
    Hvar("H:AS01B_FMC_2_TRIGGER_LSK_2",      Slot::Cdu2KeyLsk3L),
    Hvar("H:AS01B_FMC_2_TRIGGER_LSK_3",      Slot::Cdu2KeyLsk4L),
    Hvar("H:AS01B_FMC_2_TRIGGER_LSK_4",      Slot::Cdu2KeyLsk5L),
    Hvar("H:AS01B_FMC_2_TRIGGER_LSK_5",      Slot::Cdu2KeyLsk6L),
    Hvar("H:AS01B_FMC_2_TRIGGER_RSK_0",      Slot::Cdu2KeyLsk1R),
    Hvar("H:AS01B_FMC_2_TRIGGER_RSK_1",      Slot::Cdu2KeyLsk2R),
    Hvar("H:AS01B_FMC_2_TRIGGER_RSK_2",      Slot::Cdu2KeyLsk3R),
    Hvar("H:AS01B_FMC_2_TRIGGER_RSK_3",      Slot::Cdu2KeyLsk4R),
    Hvar("H:AS01B_FMC_2_TRIGGER_RSK_4",      Slot::Cdu2KeyLsk5R),
    Hvar("H:AS01B_FMC_2_TRIGGER_RSK_5",      Slot::Cdu2KeyLsk6R),
    Hvar("H:AS01B_FMC_2_BTN_1",              Slot::Cdu2Key1),
    Hvar("H:AS01B_FMC_2_BTN_2",              Slot::Cdu2Key2),
    Hvar("H:AS01B_FMC_2_BTN_3",              Slot::Cdu2Key3),
    Hvar("H:AS01B_FMC_2_BTN_4",              Slot::Cdu2Key4),
    Hvar("H:AS01B_FMC_2_BTN_5",              Slot::Cdu2Key5),
    Hvar("H:AS01B_FMC_2_BTN_6",              Slot::Cdu2Key6),
    Hvar("H:AS01B_FMC_2_BTN_7",              Slot::Cdu2Key7),
    Hvar("H:AS01B_FMC_2_BTN_8",              Slot::Cdu2Key8),
    Hvar("H:AS01B_FMC_2_BTN_9",              Slot::Cdu2Key9),
    Hvar("H:AS01B_FMC_2_BTN_0",              Slot::Cdu2Key0),
    Hvar("H:AS01B_FMC_2_BTN_A",              Slot::Cdu2KeyA),
    Hvar("H:AS01B_FMC_2_BTN_B",              Slot::Cdu2KeyB),
    Hvar("H:AS01B_FMC_2_BTN_C",              Slot::Cdu2KeyC),
    Hvar("H:AS01B_FMC_2_BTN_D",              Slot::Cdu2KeyD),
    Hvar("H:AS01B_FMC_2_BTN_E",              Slot::Cdu2KeyE),
    Hvar("H:AS01B_FMC_2_BTN_F",              Slot::Cdu2KeyF),
    Hvar("H:AS01B_FMC_2_BTN_G",              Slot::Cdu2KeyG),
    Hvar("H:AS01B_FMC_2_BTN_H",              Slot::Cdu2KeyH),
    Hvar("H:AS01B_FMC_2_BTN_I",              Slot::Cdu2KeyI),
    Hvar("H:AS01B_FMC_2_BTN_J",              Slot::Cdu2KeyJ),
    Hvar("H:AS01B_FMC_2_BTN_K",              Slot::Cdu2KeyK),
    Hvar("H:AS01B_FMC_2_BTN_L",              Slot::Cdu2KeyL),
    Hvar("H:AS01B_FMC_2_BTN_M",              Slot::Cdu2KeyM),
    Hvar("H:AS01B_FMC_2_BTN_N",              Slot::Cdu2KeyN),
    Hvar("H:AS01B_FMC_2_BTN_O",              Slot::Cdu2KeyO),
    Hvar("H:AS01B_FMC_2_BTN_P",              Slot::Cdu2KeyP),
    Hvar("H:AS01B_FMC_2_BTN_Q",              Slot::Cdu2KeyQ),
    Hvar("H:AS01B_FMC_2_BTN_R",              Slot::Cdu2KeyR),
    Hvar("H:AS01B_FMC_2_BTN_S",              Slot::Cdu2KeyS),
    Hvar("H:AS01B_FMC_2_BTN_T",              Slot::Cdu2KeyT),
    Hvar("H:AS01B_FMC_2_BTN_U",              Slot::Cdu2KeyU),
    Hvar("H:AS01B_FMC_2_BTN_V",              Slot::Cdu2KeyV),
    Hvar("H:AS01B_FMC_2_BTN_W",              Slot::Cdu2KeyW),
    Hvar("H:AS01B_FMC_2_BTN_X",              Slot::Cdu2KeyX),
    Hvar("H:AS01B_FMC_2_BTN_Y",              Slot::Cdu2KeyY),
    Hvar("H:AS01B_FMC_2_BTN_Z",              Slot::Cdu2KeyZ),
    Hvar("H:AS01B_FMC_2_BTN_DOT",            Slot::Cdu2KeyDot),
    Hvar("H:AS01B_FMC_2_BTN_PLUSMINUS",      Slot::Cdu2KeyPlusMinus),
    Hvar("H:AS01B_FMC_2_BTN_SP",             Slot::Cdu2KeySpace),
    Hvar("H:AS01B_FMC_2_BTN_DIV",            Slot::Cdu2KeySlash),
    Hvar("H:AS01B_FMC_2_BTN_CLR",            Slot::Cdu2KeyClear),
    Hvar("H:AS01B_FMC_2_BTN_DIR",            Slot::Cdu2KeyDir),
    Hvar("H:AS01B_FMC_2_BTN_RTE",            Slot::Cdu2KeyFpln),
    Hvar("H:AS01B_FMC_2_BTN_DEPARR",         Slot::Cdu2KeyDepArr),
    Hvar("H:AS01B_FMC_2_BTN_ALTN",           Slot::Cdu2KeyAltn),
    Hvar("H:AS01B_FMC_2_BTN_VNAV",           Slot::Cdu2KeyVnav),
    Hvar("H:AS01B_FMC_2_BTN_LEGS",           Slot::Cdu2KeyLegs),
    Hvar("H:AS01B_FMC_2_BTN_PROG",           Slot::Cdu2KeyProg),
    Hvar("H:AS01B_FMC_2_BTN_HOLD",           Slot::Cdu2KeyHold),
    Hvar("H:AS01B_FMC_2_BTN_FIX",            Slot::Cdu2KeyFix),
    Hvar("H:AS01B_FMC_2_BTN_NAVRAD",         Slot::Cdu2KeyRadNav),
    Hvar("H:AS01B_FMC_2_BTN_PREVPAGE",       Slot::Cdu2KeyPrevPage),
    Hvar("H:AS01B_FMC_2_BTN_NEXTPAGE",       Slot::Cdu2KeyNextPage),
    Hvar("H:AS01B_FMC_2_BTN_INIT",           Slot::Cdu2KeyInit),
    Hvar("H:AS01B_FMC_2_BTN_FMCCOMM",        Slot::Cdu2KeyFmcComm),
};
static_assert(std::size(k787Hvars) == 139);

// The five mode variables fill the slots of the 747's mode states.
constexpr bridge::WantedVariable kCj4Lvars[] = {
    Flagging("WT_CJ4_FLC_ON",                  Slot::FlightLevelChangeModeState, SetCj4Flag),
    Flagging("WT_CJ4_HDG_ON",                  Slot::HeadingHoldModeState, SetCj4Flag),
    Flagging("WT_CJ4_NAV_ON",                  Slot::LnavArmedState, SetCj4Flag),
    Flagging("WT_CJ4_VNAV_ON",                 Slot::VnavArmedState, SetCj4Flag),
    Flagging("WT_CJ4_VS_ON",                   Slot::VerticalSpeedModeState, SetCj4Flag),
    Lvar("XMLVAR_Baro1_ForcedToSTD",           Slot::Efis1BaroStdButton),
    Flagging("SEATBELT_LIGHT_ON",              Slot::SeatbeltSignSwitch, SetCj4Flag),
    Lvar("SAFETY_LIGHT_ON",                    Slot::PassengerSafetySignSwitch),
    Lvar("LIGHTING_LOGO_1",                    Slot::LogoLightSwitch),
    Lvar("LIGHTING_NAV_1",                     Slot::NavLightSwitch),
    Flagging("DEICE_Airframe_1",               Slot::AirframeDeice1Switch, SetCj4Flag),
    Lvar("DEICE_Airframe_2",                   Slot::AirframeDeice2Switch),
    Lvar("XMLVAR_Transponder_Mode",            Slot::TransponderModeSelector),
    Flagging("WT_CJ4_EMER_LIGHT_ARMED",        Slot::EmergencyExitLightSwitch, SetCj4Flag),
    Lvar("Generic_Master_Warning_Active",      Slot::MasterWarningLight),
    Lvar("Generic_Master_Caution_Active",      Slot::MasterCautionLight),
};
static_assert(std::size(kCj4Lvars) == 16);

constexpr bridge::WantedVariable kCj4AutopilotEvents[] = {
    Cj4Event("H:WT_CJ4_AP_HDG_PRESSED",      Slot::HeadingModeButtonEvent),
    Cj4Event("H:WT_CJ4_AP_NAV_PRESSED",      Slot::NavModeButtonEvent),
    Cj4Event("H:WT_CJ4_AP_APPR_PRESSED",     Slot::ApproachModeButtonEvent),
    Cj4Event("H:WT_CJ4_AP_VNAV_PRESSED",     Slot::VnavModeButtonEvent),
    Cj4Event("H:WT_CJ4_AP_VS_PRESSED",       Slot::VerticalSpeedModeButtonEvent),
    Cj4Event("H:WT_CJ4_AP_FLC_PRESSED",      Slot::FlightLevelChangeModeButtonEvent),
    Cj4Event("H:WT_CJ4_AP_FD_TOGGLE",        Slot::FlightDirectorButtonEvent),
    Cj4Event("H:WT_CJ4_AP_ALT_PRESSED",      Slot::AltitudeModeButtonEvent),
};
static_assert(std::size(kCj4AutopilotEvents) == 8);

// The FMC's keys, into the captain's CDU key slots. DIV and DIR are listed
// twice, each time for the same slot.
constexpr bridge::WantedVariable kCj4FmcKeys[] = {
    Hvar("H:CJ4_FMC_1_BTN_L1",               Slot::Cdu1KeyLsk1L),
    Hvar("H:CJ4_FMC_1_BTN_L2",               Slot::Cdu1KeyLsk2L),
    Hvar("H:CJ4_FMC_1_BTN_L3",               Slot::Cdu1KeyLsk3L),
    Hvar("H:CJ4_FMC_1_BTN_L4",               Slot::Cdu1KeyLsk4L),
    Hvar("H:CJ4_FMC_1_BTN_L5",               Slot::Cdu1KeyLsk5L),
    Hvar("H:CJ4_FMC_1_BTN_L6",               Slot::Cdu1KeyLsk6L),
    Hvar("H:CJ4_FMC_1_BTN_R1",               Slot::Cdu1KeyLsk1R),
    Hvar("H:CJ4_FMC_1_BTN_R2",               Slot::Cdu1KeyLsk2R),
    Hvar("H:CJ4_FMC_1_BTN_R3",               Slot::Cdu1KeyLsk3R),
    Hvar("H:CJ4_FMC_1_BTN_R4",               Slot::Cdu1KeyLsk4R),
    Hvar("H:CJ4_FMC_1_BTN_R5",               Slot::Cdu1KeyLsk5R),
    Hvar("H:CJ4_FMC_1_BTN_R6",               Slot::Cdu1KeyLsk6R),
    Hvar("H:CJ4_FMC_1_BTN_1",                Slot::Cdu1Key1),
    Hvar("H:CJ4_FMC_1_BTN_2",                Slot::Cdu1Key2),
    Hvar("H:CJ4_FMC_1_BTN_3",                Slot::Cdu1Key3),
    Hvar("H:CJ4_FMC_1_BTN_4",                Slot::Cdu1Key4),
    Hvar("H:CJ4_FMC_1_BTN_5",                Slot::Cdu1Key5),
    Hvar("H:CJ4_FMC_1_BTN_6",                Slot::Cdu1Key6),
    Hvar("H:CJ4_FMC_1_BTN_7",                Slot::Cdu1Key7),
    Hvar("H:CJ4_FMC_1_BTN_8",                Slot::Cdu1Key8),
    Hvar("H:CJ4_FMC_1_BTN_9",                Slot::Cdu1Key9),
    Hvar("H:CJ4_FMC_1_BTN_0",                Slot::Cdu1Key0),
    Hvar("H:CJ4_FMC_1_BTN_A",                Slot::Cdu1KeyA),
    Hvar("H:CJ4_FMC_1_BTN_B",                Slot::Cdu1KeyB),
    Hvar("H:CJ4_FMC_1_BTN_C",                Slot::Cdu1KeyC),
    Hvar("H:CJ4_FMC_1_BTN_D",                Slot::Cdu1KeyD),
    Hvar("H:CJ4_FMC_1_BTN_E",                Slot::Cdu1KeyE),
    Hvar("H:CJ4_FMC_1_BTN_F",                Slot::Cdu1KeyF),
    Hvar("H:CJ4_FMC_1_BTN_G",                Slot::Cdu1KeyG),
    Hvar("H:CJ4_FMC_1_BTN_H",                Slot::Cdu1KeyH),
    Hvar("H:CJ4_FMC_1_BTN_I",                Slot::Cdu1KeyI),
    Hvar("H:CJ4_FMC_1_BTN_J",                Slot::Cdu1KeyJ),
    Hvar("H:CJ4_FMC_1_BTN_K",                Slot::Cdu1KeyK),
    Hvar("H:CJ4_FMC_1_BTN_L",                Slot::Cdu1KeyL),
    Hvar("H:CJ4_FMC_1_BTN_M",                Slot::Cdu1KeyM),
    Hvar("H:CJ4_FMC_1_BTN_N",                Slot::Cdu1KeyN),
    Hvar("H:CJ4_FMC_1_BTN_O",                Slot::Cdu1KeyO),
    Hvar("H:CJ4_FMC_1_BTN_P",                Slot::Cdu1KeyP),
    Hvar("H:CJ4_FMC_1_BTN_Q",                Slot::Cdu1KeyQ),
    Hvar("H:CJ4_FMC_1_BTN_R",                Slot::Cdu1KeyR),
    Hvar("H:CJ4_FMC_1_BTN_S",                Slot::Cdu1KeyS),
    Hvar("H:CJ4_FMC_1_BTN_T",                Slot::Cdu1KeyT),
    Hvar("H:CJ4_FMC_1_BTN_U",                Slot::Cdu1KeyU),
    Hvar("H:CJ4_FMC_1_BTN_V",                Slot::Cdu1KeyV),
    Hvar("H:CJ4_FMC_1_BTN_W",                Slot::Cdu1KeyW),
    Hvar("H:CJ4_FMC_1_BTN_X",                Slot::Cdu1KeyX),
    Hvar("H:CJ4_FMC_1_BTN_Y",                Slot::Cdu1KeyY),
    Hvar("H:CJ4_FMC_1_BTN_Z",                Slot::Cdu1KeyZ),
    Hvar("H:CJ4_FMC_1_BTN_DOT",              Slot::Cdu1KeyDot),
    Hvar("H:CJ4_FMC_1_BTN_PLUSMINUS",        Slot::Cdu1KeyPlusMinus),
    Hvar("H:CJ4_FMC_1_BTN_DIV",              Slot::Cdu1KeySlash),
    Hvar("H:CJ4_FMC_1_BTN_CLR",              Slot::Cdu1KeyClear),
    Hvar("H:CJ4_FMC_1_BTN_DIR",              Slot::Cdu1KeyDir),
    Hvar("H:CJ4_FMC_1_BTN_DSPL_MENU",        Slot::Cdu1KeyMfdMenu),
    Hvar("H:CJ4_FMC_1_BTN_MFD_DATA",         Slot::Cdu1KeyData),
    Hvar("H:CJ4_FMC_1_BTN_PERF",             Slot::Cdu1KeyPerf),
    Hvar("H:CJ4_FMC_1_BTN_DEPARR",           Slot::Cdu1KeyDepArr),
    Hvar("H:CJ4_FMC_1_BTN_EXEC",             Slot::Cdu1KeyExec),
    Hvar("H:CJ4_FMC_1_BTN_FPLN",             Slot::Cdu1KeyFpln),
    Hvar("H:CJ4_FMC_1_BTN_PREVPAGE",         Slot::Cdu1KeyPrevPage),
    Hvar("H:CJ4_FMC_1_BTN_NEXTPAGE",         Slot::Cdu1KeyNextPage),
    Hvar("H:CJ4_FMC_1_BTN_DIV",              Slot::Cdu1KeySlash),
    Hvar("H:CJ4_FMC_1_BTN_DIR",              Slot::Cdu1KeyDir),
};
// clang-format on

template <std::size_t N, std::size_t M>
constexpr std::array<bridge::WantedVariable, N + M> Joined(const bridge::WantedVariable (&first)[N],
                                                           const bridge::WantedVariable (&second)[M]) {
    std::array<bridge::WantedVariable, N + M> joined{};
    std::copy(std::begin(first), std::end(first), joined.begin());
    std::copy(std::begin(second), std::end(second), joined.begin() + N);
    return joined;
}

// The autopilot events, then the FMC's keys.
constexpr auto kCj4Hvars = Joined(kCj4AutopilotEvents, kCj4FmcKeys);
static_assert(kCj4Hvars.size() == 71);

bridge::DiscoveryVerdict Asobo747Verdict(Server&, const bridge::DiscoveryResult& result) {
    return {"Retrieved " + std::to_string(result.names) + " LVRAS for ASOBO plane", true};
}
bridge::DiscoveryVerdict CaptainSim777Verdict(Server&, const bridge::DiscoveryResult&) {
    return {"Retrieved LVRAS for CaptainSim 777 plane", true};
}
bridge::DiscoveryVerdict Asobo787Verdict(Server&, const bridge::DiscoveryResult& result) {
    return {"Retrieved " + std::to_string(result.names) + " LVRAS for ASOBO 787", true};
}
bridge::DiscoveryVerdict Cj4Verdict(Server&, const bridge::DiscoveryResult&) {
    return {"Retrieved LVRAS for CJ4", true};
}
bridge::DiscoveryVerdict Unlogged(Server&, const bridge::DiscoveryResult&) {
    return {{}, true};
}

// No start line, at most four passes 5 s (and 1 ms) apart, the routine's own
// line, and never the incomplete-discovery steps.
constexpr bridge::DiscoveryPlan LvarPlan(std::span<const bridge::WantedVariable> wanted,
                                         bridge::DiscoveryVerdict (*verdict)(Server&, const bridge::DiscoveryResult&)) {
    bridge::DiscoveryPlan plan;
    plan.wanted = wanted;
    plan.totalNames = kEnoughNames;
    plan.judge = verdict;
    plan.closeCrewAppWhenIncomplete = false;
    plan.extraPassPauseMilliseconds = kExtraPassPause;
    return plan;
}

// One pass over the H: events that logs nothing.
constexpr bridge::DiscoveryPlan UnloggedHvarPlan(std::span<const bridge::WantedVariable> wanted) {
    bridge::DiscoveryPlan plan;
    plan.wanted = wanted;
    plan.judge = Unlogged;
    return plan;
}

constexpr bridge::DiscoveryPlan k747Plan = LvarPlan(k747Lvars, Asobo747Verdict);
constexpr bridge::DiscoveryPlan kCaptainSim777Plan = LvarPlan(k747Lvars, CaptainSim777Verdict);
constexpr bridge::DiscoveryPlan k787Plan = LvarPlan(k787Lvars, Asobo787Verdict);
constexpr bridge::DiscoveryPlan k787HvarPlan = UnloggedHvarPlan(k787Hvars);
constexpr bridge::DiscoveryPlan kCj4Plan = LvarPlan(kCj4Lvars, Cj4Verdict);
constexpr bridge::DiscoveryPlan kCj4EventPlan{
    {}, "Retrieved all relevant Woking Title Hvars", kCj4AutopilotEvents, 0, kCj4HvarsRequired};
constexpr bridge::DiscoveryPlan kCj4HvarPlan = UnloggedHvarPlan(kCj4Hvars);

}  // namespace

void Discover747(Server& server) {
    const bool captainSim = server.adapters.currentAircraftId == kCaptainSim777Id;
    bridge::RunDiscoveryRoutine(server, captainSim ? kCaptainSim777Plan : k747Plan);
}

void Discover787(Server& server) {
    bridge::RunDiscoveryRoutine(server, k787Plan);
    bridge::RunHvarDiscovery(server, k787HvarPlan);
}

void DiscoverCj4Lvars(Server& server) {
    bridge::RunDiscoveryRoutine(server, kCj4Plan);
    bridge::RunHvarDiscovery(server, kCj4EventPlan);
}

void DiscoverCj4Hvars(Server& server) {
    bridge::RunHvarDiscovery(server, kCj4HvarPlan);
}

}  // namespace tarvo::adapters::asobo
