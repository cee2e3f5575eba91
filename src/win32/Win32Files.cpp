#include "win32/Win32Files.h"

#include "win32/Win32.h"

#include <shlobj.h>

#include <cstdio>

namespace tarvo::win32 {

std::optional<std::string> Win32Files::RoamingAppDataFolder() {
    char folder[MAX_PATH] = {};
    if (::SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK) {
        return std::nullopt;
    }
    return std::string(folder);
}

std::optional<std::string> Win32Files::LocalAppDataFolder() {
    char folder[MAX_PATH] = {};
    if (::SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK) {
        return std::nullopt;
    }
    return std::string(folder);
}

std::optional<std::string> Win32Files::ExecutablePath() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0) return std::nullopt;
    return std::string(path, length);
}

bool Win32Files::FileExists(std::string_view path) {
    return ::GetFileAttributesA(std::string(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32Files::RemoveFile(std::string_view path) { return ::DeleteFileA(std::string(path).c_str()) != 0; }

bool Win32Files::AppendLine(std::string_view path, std::string_view text) {
    // Text mode, so the C runtime writes the line break as CR LF.
    std::FILE* file = std::fopen(std::string(path).c_str(), "a");
    if (file == nullptr) return false;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fputc('\n', file);
    return std::fclose(file) == 0;
}

std::int32_t Win32Files::ReadProfileInt(std::string_view path, std::string_view section,
                                        std::string_view key, std::int32_t fallback) {
    return static_cast<std::int32_t>(::GetPrivateProfileIntA(
        std::string(section).c_str(), std::string(key).c_str(), fallback, std::string(path).c_str()));
}

bool Win32Files::WriteProfileValue(std::string_view path, std::string_view section, std::string_view key,
                                   std::string_view value) {
    return ::WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                        std::string(value).c_str(), std::string(path).c_str()) != 0;
}

}  // namespace tarvo::win32
