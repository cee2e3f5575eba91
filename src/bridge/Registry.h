// How the adapters reach the loaded aircraft's local variables: by id, through
// the bridge in service. With no bridge in service writes do nothing and reads
// give 0.0; the not-found id is never sent.
#pragma once

#include "bridge/WasmBridge.h"
#include "host/Server.h"

#include <cstdint>
#include <string_view>

namespace tarvo::bridge {

double GetLvarValue(Server& server, std::int32_t id);
// Writes the value, then the neutral record, so a repeat is a change again.
void SetLvarValue(Server& server, std::uint16_t id, double value);
void FireHvar(Server& server, std::uint32_t id);
// Gauge code of at most 1,023 characters; longer code is dropped.
void ExecuteCalculatorCode(Server& server, std::string_view code);
// Adds every (id, name) the bridge holds; ids already in the copy keep their name.
void CopyLvarNames(Server& server, NameListCopy& names);
void CopyHvarNames(Server& server, NameListCopy& names);
// 1.0, 100 ms, 0.0, on the calling thread.
void PressLvarMomentarily(Server& server, std::uint16_t id);

}  // namespace tarvo::bridge
