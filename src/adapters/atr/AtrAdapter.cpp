#include "adapters/LvarAdapter.h"
#include "adapters/Selection.h"
#include "adapters/atr/Atr.h"

namespace tarvo::adapters::atr {

// No take-off data to send: the operation stays empty.
void Install(Server& server) {
    server.adapters.table = {RunCommand, QueryValue, FillAutopilotState, CountEngineStates, ForwardSimEvent,
                             Unload,     nullptr};
}

void Unload(Server& server) {
    lvar::EndWorkers(server.adapters.atr.workers);
}

}  // namespace tarvo::adapters::atr
