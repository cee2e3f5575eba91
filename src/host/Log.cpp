#include "host/Log.h"

namespace tarvo::host {

std::string CrewFolderPath(std::string_view appDataFolder, std::string_view fileName) {
    std::string path(appDataFolder);
    if (!path.empty() && path.back() == '\\') path.pop_back();
    path += "\\Zulcrest\\";
    path += fileName;
    return path;
}

void Log::Write(std::string_view text) {
    const std::lock_guard<std::mutex> lock(mutex_);
    // Until the file could be started, every line tries again: the crew app may
    // create its folder after the server started.
    if (!started_) {
        if (const auto folder = files_.RoamingAppDataFolder()) {
            path_ = CrewFolderPath(*folder, "Tarvo81_Ldr.log");
            if (files_.FileExists(path_)) files_.RemoveFile(path_);
            started_ = files_.AppendLine(path_, "Logging started");
        }
    }
    if (path_.empty()) return;
    files_.AppendLine(path_, text);
}

}  // namespace tarvo::host
