#include "adapters/pmdg/OptionsFiles.h"

#include <optional>
#include <string>

namespace tarvo::adapters::pmdg {
namespace {

constexpr std::string_view kSection = "SDK";
constexpr std::string_view kKey = "EnableDataBroadcast";

std::optional<std::string> Folder(platform::Files& files, AppDataFolder folder) {
    std::optional<std::string> path =
        folder == AppDataFolder::Roaming ? files.RoamingAppDataFolder() : files.LocalAppDataFolder();
    // The rest of each path starts with its own backslash.
    while (path && !path->empty() && path->back() == '\\') path->pop_back();
    return path;
}

}  // namespace

bool EnableDataBroadcast(Server& server, std::span<const OptionsFile> files) {
    platform::Files& port = server.ports.files;
    bool switchedOn = false;
    for (const OptionsFile& file : files) {
        const auto folder = Folder(port, file.folder);
        if (!folder) continue;
        const std::string path = *folder + std::string(file.path);
        if (!port.FileExists(path)) continue;
        if (port.ReadProfileInt(path, kSection, kKey, 0) == 0) switchedOn = true;
        port.WriteProfileValue(path, kSection, kKey, "1");
    }
    return switchedOn;
}

}  // namespace tarvo::adapters::pmdg
