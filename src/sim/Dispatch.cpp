#include "sim/Dispatch.h"

#include "link/Messages.h"

namespace tarvo::sim {

void DispatchProc(SIMCONNECT_RECV* data, std::uint32_t size, void* context) {
    if (context == nullptr || data == nullptr) return;
    Dispatch(*static_cast<Server*>(context), data, size);
}

void Dispatch(Server& server, const SIMCONNECT_RECV* data, std::uint32_t size) {
    if (size < sizeof(SIMCONNECT_RECV)) return;
    switch (data->dwID) {
        case SIMCONNECT_RECV_ID_QUIT:
            server.ports.desktop.Post(server.host.crewWindow, link::kMsgServerLeaving, 0, 0);
            server.host.crewWindow = 0;
            server.host.running = 0;
            break;
        default:
            break;
    }
}

}  // namespace tarvo::sim
