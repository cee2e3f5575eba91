#pragma once

#include "platform/Files.h"

namespace tarvo::win32 {

class Win32Files final : public platform::Files {
public:
    std::optional<std::string> RoamingAppDataFolder() override;
    std::optional<std::string> LocalAppDataFolder() override;
    std::optional<std::string> ExecutablePath() override;
    bool FileExists(std::string_view path) override;
    bool RemoveFile(std::string_view path) override;
    bool AppendLine(std::string_view path, std::string_view text) override;
    std::int32_t ReadProfileInt(std::string_view path, std::string_view section, std::string_view key,
                                std::int32_t fallback) override;
    bool WriteProfileValue(std::string_view path, std::string_view section, std::string_view key,
                           std::string_view value) override;
};

}  // namespace tarvo::win32
