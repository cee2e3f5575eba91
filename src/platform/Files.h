// The file system and the program's own location, with Windows path rules
// (backslashes, ANSI code page).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvo::platform {

class Files {
public:
    virtual ~Files() = default;

    // The roaming application-data folder of the current user, as Windows gives it.
    virtual std::optional<std::string> RoamingAppDataFolder() = 0;
    // Full path of the running executable; nullopt when it cannot be read.
    virtual std::optional<std::string> ExecutablePath() = 0;

    virtual bool FileExists(std::string_view path) = 0;
    virtual bool RemoveFile(std::string_view path) = 0;
    // Opens for appending in text mode, writes text and a line break, closes.
    // Nothing keeps overlapping calls apart: their writes may interleave.
    virtual bool AppendLine(std::string_view path, std::string_view text) = 0;
    // GetPrivateProfileIntA semantics.
    virtual std::int32_t ReadProfileInt(std::string_view path, std::string_view section,
                                        std::string_view key, std::int32_t fallback) = 0;
};

}  // namespace tarvo::platform
