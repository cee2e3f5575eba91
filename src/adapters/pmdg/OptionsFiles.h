// The PMDG aircraft publish their SDK data only when their options file says
// so. Before connecting, the adapters switch broadcasting on in every options
// file they find; the aircraft sees the change only after it is reloaded.
#pragma once

#include "host/Server.h"

#include <span>
#include <string_view>

namespace tarvo::adapters::pmdg {

enum class AppDataFolder { Roaming, Local };

// An options file: the folder it lies under and the rest of its path, from the
// backslash after the folder on.
struct OptionsFile {
    AppDataFolder folder;
    std::string_view path;
};

// For each file that exists, in order: notes whether "EnableDataBroadcast" of
// section "SDK" is 0 (or missing), then writes "1" to it. True when any file had
// broadcasting off. A folder that cannot be found skips its files.
bool EnableDataBroadcast(Server& server, std::span<const OptionsFile> files);

}  // namespace tarvo::adapters::pmdg
