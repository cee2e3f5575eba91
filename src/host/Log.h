// The server's log: "Tarvo81_Ldr.log" in the crew app's folder under the roaming
// application-data folder, restarted by the first line of every run. One call
// per line; the text is written as given (never used as a format).
#pragma once

#include "platform/Files.h"

#include <mutex>
#include <string>
#include <string_view>

namespace tarvo::host {

class Log {
public:
    explicit Log(platform::Files& files) : files_(files) {}

    // Appends text and a line break. Never fails visibly: a line that cannot be
    // written is dropped. Safe from any thread.
    void Write(std::string_view text);

private:
    platform::Files& files_;
    // Lines from several threads must not interleave, and the first-use start
    // must run once.
    std::mutex mutex_;
    std::string path_;
    bool started_ = false;
};

// "<roaming app data>\Zulcrest\<fileName>", with a trailing backslash of the
// folder removed first.
std::string CrewFolderPath(std::string_view appDataFolder, std::string_view fileName);

}  // namespace tarvo::host
