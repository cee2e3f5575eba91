// GSX publishes the state of its ground services as local variables, the same
// on every aircraft: found after every aircraft's own discovery, and again when
// the crew app asks.
#include "adapters/gsx/Gsx.h"

#include "adapters/Slots.h"
#include "bridge/Discovery.h"

#include <mutex>

namespace tarvo::adapters::gsx {
namespace {

// More matches than this: GSX is there and running.
constexpr std::size_t kMostMatchesWithoutGsx = 30;

// clang-format off
constexpr bridge::WantedVariable kGsxLvars[] = {
    Wanted("FSDT_GSX_STATE",                         Slot::GsxState),
    Wanted("FSDT_GSX_COUATL_STARTED",                Slot::GsxCouatlStartedState),
    Wanted("FSDT_GSX_MENU_OPEN",                     Slot::GsxMenuOpenState),
    Wanted("FSDT_GSX_MENU_CHOICE",                   Slot::GsxMenuChoiceValue),
    Wanted("FSDT_GSX_JETWAY_AIR",                    Slot::GsxJetwayAirState),
    Wanted("FSDT_GSX_JETWAY",                        Slot::GsxJetwayState),
    Wanted("FSDT_GSX_STAIRS",                        Slot::GsxStairsState),
    Wanted("FSDT_GSX_GPU_STATE",                     Slot::GsxGpuState),
    Wanted("FSDT_GSX_CATERING_STATE",                Slot::GsxCateringState),
    Wanted("FSDT_GSX_BOARDING_STATE",                Slot::GsxBoardingState),
    Wanted("FSDT_GSX_REFUELING_STATE",               Slot::GsxRefuelingState),
    Wanted("FSDT_GSX_DEPARTURE_STATE",               Slot::GsxDepartureState),
    Wanted("FSDT_GSX_DEICING_STATE",                 Slot::GsxDeicingState),
    Wanted("FSDT_GSX_DEBOARDING_STATE",              Slot::GsxDeboardingState),
    Wanted("FSDT_GSX_DEICE_STATE",                   Slot::GsxDeiceState),
    Wanted("FSDT_GSX_LAVATORY_STATE",                Slot::GsxLavatoryState),
    Wanted("FSDT_GSX_WATER_STATE",                   Slot::GsxWaterState),
    Wanted("FSDT_GSX_FUELHOSE_CONNECTED",            Slot::GsxFuelHoseConnectedState),
    Wanted("FSDT_GSX_FOLLOWME_STATE",                Slot::GsxFollowMeState),
    Wanted("FSDT_GSX_JETWAY_POWER",                  Slot::GsxJetwayPowerState),
    Wanted("FSDT_GSX_OPERATEJETWAYS_STATE",          Slot::GsxOperateJetwaysState),
    Wanted("FSDT_GSX_OPERATESTAIRS_STATE",           Slot::GsxOperateStairsState),
    Wanted("FSDT_GSX_BYPASS_PIN",                    Slot::GsxBypassPinState),
    Wanted("FSDT_GSX_BOARDING_CARGO",                Slot::GsxBoardingCargoState),
    Wanted("FSDT_GSX_AIRCRAFT_SERVICE_1_TOGGLE",     Slot::GsxService1Toggle),
    Wanted("FSDT_GSX_AIRCRAFT_SERVICE_2_TOGGLE",     Slot::GsxService2Toggle),
    Wanted("FSDT_GSX_AIRCRAFT_SERVICE_3_TOGGLE",     Slot::GsxService3Toggle),
    Wanted("FSDT_GSX_BOARDING_CARGO_PERCENT",        Slot::GsxBoardingCargoPercentValue),
    Wanted("FSDT_GSX_DEBOARDING_CARGO_PERCENT",      Slot::GsxDeboardingCargoPercentValue),
    Wanted("FSDT_GSX_AIRCRAFT_EXIT_1_TOGGLE",        Slot::GsxExit1Toggle),
    Wanted("FSDT_GSX_AIRCRAFT_EXIT_2_TOGGLE",        Slot::GsxExit2Toggle),
    Wanted("FSDT_GSX_AIRCRAFT_EXIT_3_TOGGLE",        Slot::GsxExit3Toggle),
    Wanted("FSDT_GSX_AIRCRAFT_EXIT_4_TOGGLE",        Slot::GsxExit4Toggle),
    Wanted("FSDT_GSX_AIRCRAFT_EXIT_5_TOGGLE",        Slot::GsxExit5Toggle),
    Wanted("FSDT_GSX_AIRCRAFT_CARGO_1_TOGGLE",       Slot::GsxCargo1Toggle),
    Wanted("FSDT_GSX_AIRCRAFT_CARGO_2_TOGGLE",       Slot::GsxCargo2Toggle),
    Wanted("FSDT_GSX_AIRCRAFT_CARGO_3_TOGGLE",       Slot::GsxCargo3Toggle),
    Wanted("FSDT_GSX_AIRCRAFT_MAINCARGO_TOGGLE",     Slot::GsxMainCargoToggle),
    Wanted("FSDT_VAR_Frozen",                        Slot::GsxFrozenState),
};
// clang-format on
static_assert(std::size(kGsxLvars) == 39);

bridge::DiscoveryVerdict GsxVerdict(Server&, const bridge::DiscoveryResult& result) {
    if (result.found <= kMostMatchesWithoutGsx) return {};
    return {"Retrieved GSX Lvars", true};
}

void SetFoundFlag(Server& server) {
    server.adapters.groundServicesFound = true;
}

// One pass, once the module lists any names. Every run writes all its slots:
// GSX adding its variables makes the module number its list anew, so an id
// kept from an earlier run would name another variable.
constexpr bridge::DiscoveryPlan GsxPlan() {
    bridge::DiscoveryPlan plan;
    plan.wanted = kGsxLvars;
    plan.followUp = SetFoundFlag;
    plan.judge = GsxVerdict;
    plan.closeCrewAppWhenIncomplete = false;
    plan.forgetsUnfound = true;
    return plan;
}
constexpr bridge::DiscoveryPlan kGsxPlan = GsxPlan();

}  // namespace

void Discover(Server& server) {
    if (!bridge::HasBridge(server)) return;
    // Runs follow each other: the discovery thread's and the crew app's.
    const std::lock_guard<std::mutex> runs(server.host.locks.gsx);
    bridge::RunDiscoveryRoutine(server, kGsxPlan);
}

}  // namespace tarvo::adapters::gsx
