#include "sim/Session.h"

#include "adapters/generic/GenericAdapter.h"
#include "sim/ClientEvents.h"
#include "sim/Definitions.h"
#include "sim/SessionState.h"

#include <string>

namespace tarvo::sim {
namespace {

struct Subscription {
    std::uint32_t eventId;
    const char* name;
};

// clang-format off
constexpr Subscription kSubscriptions[] = {
    {kEventSim,             "Sim"},
    {kEventFrame,           "Frame"},
    {kEventAircraftLoaded,  "AircraftLoaded"},
    {kEventPositionChanged, "PositionChanged"},
    {kEventFlightPlan,      "FlightPlan"},
};

// The read definitions in the order they are declared. Each periodic one is
// requested right after it is declared, every interval + 1 seconds; 6 and 7 are
// requested on demand only.
struct SetUpStep {
    std::uint32_t definition;
    bool periodic;
    std::uint32_t interval;  // skipped seconds between records
};
constexpr SetUpStep kReadDefinitions[] = {
    {kFlightRecord,       true,  1},
    {kAutopilotRecord,    true,  1},
    {kSystemsRecord,      true,  2},
    {kExitsRecord,        true,  5},
    {kPositionRecord,     true,  2},
    {kEngineRecord,       true,  3},
    {kEngineGaugeRecord,  true,  5},
    {kIdentityStrings,    false, 0},
    {kDesignRecord,       false, 0},
    {kWeatherRecord,      true,  10},
    {kFuelRecord,         true,  20},
    {kPartialPanelRecord, true,  15},
    {kGpsRecord,          true,  10},
};
// clang-format on

constexpr std::uint32_t kFirstWriteOnlyDefinition = 13;

void Declare(Server& server, const Definition& definition) {
    for (const Datum& datum : definition.datums) {
        const std::string name(datum.name);
        const std::string unit(datum.unit);
        server.ports.simConnect.AddToDataDefinition(server.host.session, definition.id, name.c_str(),
                                                    datum.unit.empty() ? nullptr : unit.c_str(), datum.type, 0.0f,
                                                    SIMCONNECT_UNUSED);
    }
}

}  // namespace

void SetUpSession(Server& server) {
    platform::SimConnect& simConnect = server.ports.simConnect;
    const SIMCONNECT_HANDLE session = server.host.session;

    for (const Subscription& subscription : kSubscriptions) {
        simConnect.SubscribeToSystemEvent(session, subscription.eventId, subscription.name);
    }
    const auto definitions = Definitions();
    for (const SetUpStep& step : kReadDefinitions) {
        Declare(server, definitions[step.definition]);
        if (!step.periodic) continue;
        simConnect.RequestDataOnSimObject(session, step.definition, step.definition, SIMCONNECT_OBJECT_ID_USER,
                                          SIMCONNECT_PERIOD_SECOND, SIMCONNECT_DATA_REQUEST_FLAG_DEFAULT, 0,
                                          step.interval, 0);
    }
    for (const Definition& definition : definitions.subspan(kFirstWriteOnlyDefinition)) Declare(server, definition);
    server.log.Write("CreatedSimconnect data definitions");

    MapClientEvents(server);
    adapters::generic::InstallGenericAdapter(server);
    server.log.Write("Mapped Simconnect Events");
}

void RequestAircraftIdentity(Server& server) {
    // The design record first, then the strings, as the dispatch expects them.
    for (std::uint32_t request : {kDesignRecord, kIdentityStrings}) {
        server.ports.simConnect.RequestDataOnSimObjectType(server.host.session, request, request, 0,
                                                           SIMCONNECT_SIMOBJECT_TYPE_USER);
    }
}

}  // namespace tarvo::sim
