// What the FSUIPC WASM module sends the bridge: configuration, name and value
// areas (and any other record), through the bridge's dispatch procedure with
// the size each one declares. The first byte turns value delivery on or off;
// afterwards the lists are read as the adapters read them.
#include "FuzzServer.h"
#include "bridge/WasmBridge.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvo;
    if (size == 0) return 0;
    fuzz::FuzzServer fuzz;
    fuzz.server().bridge.valueDelivery = (data[0] & 1) != 0;
    bridge::WasmBridge bridge(fuzz.server());
    for (auto& record : fuzz::Records({data + 1, size - 1})) {
        bridge::WasmBridge::Dispatch(reinterpret_cast<SIMCONNECT_RECV*>(record.data()),
                                     static_cast<std::uint32_t>(record.size()), &bridge);
    }
    bridge::NameListCopy names;
    bridge.CopyLvarNames(names);
    bridge.CopyHvarNames(names);
    for (std::int32_t id = -1; id <= static_cast<std::int32_t>(bridge.LvarCount()); ++id) bridge.LvarValue(id);
    return 0;
}
