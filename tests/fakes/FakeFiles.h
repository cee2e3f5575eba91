// An in-memory file system with Windows paths: folders exist only when the test
// makes them, files hold text, and profile reads parse the INI text the way
// GetPrivateProfileIntA does. Appended lines go in as several writes, so
// overlapping callers interleave as they may through the real port.
#pragma once

#include "fakes/Journal.h"
#include "platform/Files.h"

#include <map>
#include <mutex>
#include <set>

namespace tarvo::fakes {

class FakeFiles final : public platform::Files {
public:
    explicit FakeFiles(Journal& journal) : journal_(journal) {}

    std::optional<std::string> RoamingAppDataFolder() override;
    std::optional<std::string> ExecutablePath() override;
    bool FileExists(std::string_view path) override;
    bool RemoveFile(std::string_view path) override;
    bool AppendLine(std::string_view path, std::string_view text) override;
    std::int32_t ReadProfileInt(std::string_view path, std::string_view section, std::string_view key,
                                std::int32_t fallback) override;

    // Scenario controls.
    std::optional<std::string> appDataFolder = std::string("C:\\Users\\pilot\\AppData\\Roaming");
    std::optional<std::string> executablePath = std::string("C:\\Zulcrest\\Tarvo81_Ldr.exe");
    void MakeFolder(std::string path);
    void WriteFile(std::string path, std::string contents);
    std::optional<std::string> ReadFile(std::string_view path) const;

private:
    Journal& journal_;
    mutable std::mutex mutex_;
    std::set<std::string> folders_;  // case-folded
    std::map<std::string, std::string> files_;  // case-folded path -> contents
};

// "<roaming app data>\Zulcrest" of the fake's default user.
inline constexpr const char* kFakeCrewFolder = "C:\\Users\\pilot\\AppData\\Roaming\\Zulcrest";

}  // namespace tarvo::fakes
