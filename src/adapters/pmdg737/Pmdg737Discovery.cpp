#include "adapters/pmdg737/Pmdg737.h"

#include "adapters/Slots.h"
#include "bridge/Discovery.h"

namespace tarvo::adapters::pmdg737 {
namespace {

// The aircraft's variables, and the four that tell its variant. The aircraft
// names no thresholds: no line is logged and an incomplete list ends nothing.
// clang-format off
constexpr bridge::WantedVariable kWanted[] = {
    Wanted("switch_02_73X",          Slot::Ngx02Switch),
    Wanted("switch_11_73X",          Slot::Ngx11Switch),
    Wanted("switch_13_73X",          Slot::Idg1DisconnectCover),
    Wanted("switch_15_73X",          Slot::Idg2DisconnectCover),
    Wanted("switch_19_73X",          Slot::Ngx19Switch),
    Wanted("switch_18_73X",          Slot::Ngx18Switch),
    Wanted("switch_502_73X",         Slot::Ngx502Switch),
    Wanted("switch_504_73X",         Slot::Ngx504Switch),
    Wanted("switch_506_73X",         Slot::Ngx506Switch),
    Wanted("switch_688_73X",         Slot::Engine1MasterSwitch),
    Wanted("switch_689_73X",         Slot::Engine2MasterSwitch),
    Wanted("switch_264_73X",         Slot::PassengerOxygenSwitch),
    Wanted("switch_265_73X",         Slot::PassengerOxygenCover),
    Wanted("switch_267_73X",         Slot::Ngx267Switch),
    Wanted("switch_270_73X",         Slot::Ngx270Switch),
    Wanted("switch_101_73X",         Slot::EmergencyExitLightCover),
    Wanted("switch_389_73X",         Slot::BankAngleSelector),
    Wanted("switch_679_73X",         Slot::SpeedBrakeLever),
    Wanted("switch_458_73X",         Slot::FlapsLever),
    Wanted("NGXLeftOutbdTrailFlaps", Slot::LeftFlapPositionValue),
    Wanted("RudderTrimTT",           Slot::RudderTrimValue),
    Wanted("AileronTrimTT",          Slot::AileronTrimValue),
    Wanted("ElevTrimTT",             Slot::ElevatorTrimValue),
    Wanted("NGXAirStartCart",        Slot::AirStartCartState),
    Wanted("NGXAirStairRails",       Slot::AirStairRailsState),
    Wanted("NGXWheelChocks",         Slot::WheelChocksSwitch),
    Wanted("FwdLeftCabinDoor",       Slot::Door0PositionValue),
    Wanted("FwdRightCabinDoor",      Slot::Door1PositionValue),
    Wanted("AftLeftCabinDoor",       Slot::Door2PositionValue),
    Wanted("AftRightCabinDoor",      Slot::Door3PositionValue),
    Wanted("FwdLwrCargoDoor",        Slot::Door4PositionValue),
    Wanted("AftLwrCargoDoor",        Slot::Door5PositionValue),
    Wanted("switch_739_73X",         Slot::AudioVhf1ReceiveSwitch),
    Wanted("switch_740_73X",         Slot::AudioVhf2ReceiveSwitch),
    Wanted("switch_746_73X",         Slot::AudioVor1ReceiveSwitch),
    Wanted("switch_747_73X",         Slot::AudioVor2ReceiveSwitch),
    Wanted("switch_748_73X",         Slot::AudioAdf1ReceiveSwitch),
    Wanted("switch_749_73X",         Slot::AudioAdf2ReceiveSwitch),
    Wanted("switch_750_73X",         Slot::AudioMarkerReceiveSwitch),
    Wanted("switch_335_73X",         Slot::Ngx335Switch),
    Wanted("switch_336_73X",         Slot::Ngx336Switch),
    Wanted("switch_298_73X",         Slot::Ngx298Switch),
    Wanted("switch_299_73X",         Slot::Ngx299Switch),
    Wanted("switch_710_73X",         Slot::Ngx710Switch),
    Wanted("switch_712_73X",         Slot::Ngx712Switch),
    Wanted("switch_326_73X",         Slot::Ngx326Switch),
    Wanted("switch_325_73X",         Slot::AntiSkidSwitch),
    Wanted("switch_73_73X",          Slot::Ngx73Switch),
    Wanted("switch_74_73X",          Slot::Ngx74Switch),
    Wanted("switch_75_73X",          Slot::Ngx75Switch),
    Wanted("switch_79_73X",          Slot::Ngx79Switch),
    Wanted("switch_81_73X",          Slot::Ngx81Switch),
    Wanted("switch_66_73X",          Slot::Ngx66Switch),
    Wanted("switch_68_73X",          Slot::Ngx68Switch),
    Wanted("switch_800_73X",         Slot::TransponderModeSelector),
    Wanted("switch_830_73X",         Slot::Ngx830Switch),
    Wanted("switch_831_73X",         Slot::Ngx831Switch),
    Wanted("switch_974_73X",         Slot::Ngx974Switch),
    Wanted("visors_stow_unstow_L",   Slot::CaptainSunVisorSwitch),
    Wanted("visors_stow_unstow_R",   Slot::FirstOfficerSunVisorSwitch),
    Wanted("AC_Hose_NGXu_600X",      Slot::Ngx600VariantState),
    Wanted("AC_Hose_NGXu_700X",      Slot::Ngx700VariantState),
    Wanted("AC_Hose_NGXu_800X",      Slot::Ngx800VariantState),
    Wanted("AC_Hose_NGXu_900X",      Slot::Ngx900VariantState),
};
// clang-format on
static_assert(std::size(kWanted) == 64);

constexpr Slot kVariants[] = {Slot::Ngx600VariantState, Slot::Ngx700VariantState, Slot::Ngx800VariantState,
                              Slot::Ngx900VariantState};

// The variant is whichever of the four variables the aircraft has now.
void ForgetVariant(Server& server) {
    for (const Slot variant : kVariants) server.bridge.slots.Set(Cell(variant), bridge::kNotFound);
}

}  // namespace

void Discover(Server& server) {
    bridge::DiscoveryPlan plan;
    plan.wanted = kWanted;
    // A list as long as the table needs no further pass.
    plan.totalNames = std::size(kWanted);
    plan.requiredFound = 0;
    plan.resetFlags = ForgetVariant;
    plan.closeCrewAppWhenIncomplete = false;
    bridge::RunDiscoveryRoutine(server, plan);
}

}  // namespace tarvo::adapters::pmdg737
