#include "bridge/Registry.h"

namespace tarvo::bridge {

double GetLvarValue(Server& server, std::int32_t id) {
    WasmBridge* bridge = CurrentBridge(server);
    return bridge != nullptr ? bridge->LvarValue(id) : 0.0;
}

void SetLvarValue(Server& server, std::uint16_t id, double value) {
    if (WasmBridge* bridge = CurrentBridge(server)) bridge->WriteSetLvar(id, value);
}

void FireHvar(Server& server, std::uint32_t id) {
    if (WasmBridge* bridge = CurrentBridge(server)) bridge->FireHvar(id);
}

void ExecuteCalculatorCode(Server& server, std::string_view code) {
    if (WasmBridge* bridge = CurrentBridge(server)) bridge->WriteCalculatorCode(code);
}

void CopyLvarNames(Server& server, NameListCopy& names) {
    if (WasmBridge* bridge = CurrentBridge(server)) bridge->CopyLvarNames(names);
}

void CopyHvarNames(Server& server, NameListCopy& names) {
    if (WasmBridge* bridge = CurrentBridge(server)) bridge->CopyHvarNames(names);
}

void PressLvarMomentarily(Server& server, std::uint16_t id) {
    constexpr std::uint32_t kPressMilliseconds = 100;
    SetLvarValue(server, id, 1.0);
    server.ports.clock.Sleep(kPressMilliseconds);
    SetLvarValue(server, id, 0.0);
}

}  // namespace tarvo::bridge
