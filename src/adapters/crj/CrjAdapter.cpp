#include "adapters/LvarAdapter.h"
#include "adapters/Selection.h"
#include "adapters/crj/Crj.h"

namespace tarvo::adapters::crj {

// No take-off data to send: the operation stays empty.
void Install(Server& server) {
    server.adapters.table = {RunCommand, QueryValue, FillAutopilotState, CountEngineStates, ForwardSimEvent,
                             Unload,     nullptr};
}

void Unload(Server& server) {
    lvar::EndWorkers(server.adapters.crj.workers);
}

}  // namespace tarvo::adapters::crj
