#include "host/Configuration.h"

#include "host/Log.h"

#include <optional>

namespace tarvo::host {
namespace {

std::optional<std::int32_t> ReadSetting(platform::Files& files, std::string_view section, std::string_view key) {
    const auto folder = files.RoamingAppDataFolder();
    if (!folder) return std::nullopt;
    const std::string path = CrewFolderPath(*folder, "zul.ini");
    if (!files.FileExists(path)) return std::nullopt;
    return files.ReadProfileInt(path, section, key, 0);
}

}  // namespace

std::int32_t ReadCatchScrollLockOption(platform::Files& files) {
    const auto value = ReadSetting(files, "MSFS_HARD_MUTE", "CatchScrollLock");
    return value && *value != 0 ? 1 : 0;
}

std::int32_t ReadFmaCalloutsOption(platform::Files& files) {
    const auto value = ReadSetting(files, "OPTIONS", "NoFMAcallouts");
    return value && *value == 0 ? 1 : 0;
}

}  // namespace tarvo::host
