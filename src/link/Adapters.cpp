#include "link/Adapters.h"

#include "host/Server.h"
#include "link/Messages.h"

namespace tarvo::link {
namespace {

constexpr std::uint32_t kFirstAddOnEvent = 0x11000;  // 69632
constexpr std::uint32_t kEndOfAddOnEvents = 89951;   // not included
constexpr std::uint32_t kSpoilersArmToggle = 242;
constexpr std::uint32_t kSpoilersSet = 243;

// The generic adapter's own operations arrive with its command set and state
// reports; until then they do nothing.
void GenericRunCommand(Server&, std::uint32_t, std::int32_t) {}
void GenericQueryValue(Server&, ValueQuery&) {}
void GenericFillAutopilotState(Server&, SnapshotRecord&) {}
void GenericCountEngineStates(Server&, SnapshotRecord&, std::int32_t&, std::int32_t&, std::int32_t&,
                              std::int32_t&) {}
void GenericUnload(Server&) {}
void GenericSendTakeoffData(Server&, WindowId, WindowId) {}

}  // namespace

bool IsForwardedSimEvent(std::uint32_t eventId) {
    return (eventId >= kFirstAddOnEvent && eventId < kEndOfAddOnEvents) || eventId == kSpoilersArmToggle ||
           eventId == kSpoilersSet;
}

void ForwardSimEvent(Server& server, std::uint32_t eventId, std::uint32_t data, std::uint32_t) {
    if (!IsForwardedSimEvent(eventId)) return;
    server.ports.desktop.Post(server.host.crewWindow, kMsgSimEvent, eventId, static_cast<LParam>(data));
}

void InstallGenericAdapter(Server& server) {
    server.link.adapter = {GenericRunCommand,        GenericQueryValue, GenericFillAutopilotState,
                           GenericCountEngineStates, ForwardSimEvent,   GenericUnload,
                           GenericSendTakeoffData};
}

// Aircraft selection arrives with the adapters; until then the generic adapter stays.
void SelectAdapter(Server&, std::int32_t, LParam) {}

void UnloadAdapter(Server& server) {
    if (server.link.adapter.Unload != nullptr) server.link.adapter.Unload(server);
}

}  // namespace tarvo::link
