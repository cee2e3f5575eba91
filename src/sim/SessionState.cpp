#include "sim/SessionState.h"

#include "sim/Definitions.h"

namespace tarvo::sim {

SessionState::SessionState() {
    for (const Definition& definition : Definitions()) {
        if (definition.id >= kRecordCount || definition.id == kIdentityStrings) continue;
        std::size_t size = 0;
        for (const Datum& datum : definition.datums) size += datum.type == SIMCONNECT_DATATYPE_FLOAT64 ? 8 : 4;
        records[definition.id].bytes.assign(size, 0);
    }
}

}  // namespace tarvo::sim
