// The simulator's SimConnect API as the core calls it: one method per function
// of the list in SimConnectAbi.h, with the DLL's parameters in its order (no
// defaults) and HRESULT results; only Open's window and event handles travel as
// WindowId and EventId. On Windows this forwards to the loaded SimConnect.dll;
// tests plug in a simulated world.
//
// Open fails (negative result, handle left null) when no session could be
// opened, including when the SimConnect library itself is missing.
// RetrieveString points *text into the record itself; copy it before the next
// dispatch.
#pragma once

#include "platform/SimConnectAbi.h"
#include "platform/Types.h"

#include <cstdint>

// The list with the port's types.
#define TARVO_SIMCONNECT_METHODS(X) TARVO_SIMCONNECT_FUNCTIONS(X, ::tarvo::WindowId, ::tarvo::EventId)

// Declares every method of the port, inside an implementation's class.
#define TARVO_SIMCONNECT_OVERRIDE(name, where, params, args) SIMCONNECT_HRESULT name params override;
#define TARVO_SIMCONNECT_OVERRIDES TARVO_SIMCONNECT_METHODS(TARVO_SIMCONNECT_OVERRIDE)

namespace tarvo::platform {

class SimConnect {
public:
    virtual ~SimConnect() = default;

#define TARVO_SIMCONNECT_PURE_VIRTUAL(name, where, params, args) virtual SIMCONNECT_HRESULT name params = 0;
    TARVO_SIMCONNECT_METHODS(TARVO_SIMCONNECT_PURE_VIRTUAL)
#undef TARVO_SIMCONNECT_PURE_VIRTUAL
};

}  // namespace tarvo::platform
