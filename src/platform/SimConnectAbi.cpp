#include "platform/SimConnectAbi.h"

namespace tarvo::platform {

std::vector<std::string_view> BindSimConnectExports(SimConnectExports& exports, void* library,
                                                    SymbolLookup lookup) {
    std::vector<std::string_view> missing;
    // Function pointers from a symbol lookup arrive as void*; the conversion is
    // what GetProcAddress users do on every Windows compiler.
#define TARVO_SIMCONNECT_BIND(name, where, params, args)                                          \
    exports.name = reinterpret_cast<SimConnect_##name##_t>(lookup(library, "SimConnect_" #name)); \
    if (exports.name == nullptr) missing.push_back("SimConnect_" #name);
    TARVO_SIMCONNECT_EXPORTS(TARVO_SIMCONNECT_BIND)
#undef TARVO_SIMCONNECT_BIND
    return missing;
}

}  // namespace tarvo::platform
