#include "adapters/fenix/FenixSearches.h"

#include "base/Text.h"

namespace tarvo::adapters::fenix {
namespace {

struct KnownWindow {
    const char* className;
    const char* title;
};

// The first hit wins.
constexpr KnownWindow kKnownVersions[] = {
    {"WindowsForms10.Window.8.app.0.27a2811_r12_ad1", "FenixSim A320 System 1.5.1.200, commit 5a848f0ad0"},
    {"WindowsForms10.Window.8.app.0.27a2811_r11_ad1", "FenixSim A320 System 1.5.1.200, commit 5a848f0ad0"},
    {"WindowsForms10.Window.8.app.0.19bcb90_r11_ad1", "FenixSim A320 System 1.0.6.146, commit 2d0de4938"},
    {"WindowsForms10.Window.8.app.0.27a2811_r11_ad1", "FenixSim A320 System 1.0.6.146, commit 2d0de4938"},
    {"WindowsForms10.Window.8.app.0.27a2811_r11_ad1", "FenixSim A320 System 1.0.5.139, commit 2a1b7ae30"},
};

constexpr std::size_t kWindowTextChars = 254;

}  // namespace

// The memory searches and the FCU reader arrive with the Fenix adapter; until
// then none runs.
bool RequestTakeoffSearchStop(Server&) { return false; }
bool RequestFmaSearchStop(Server&) { return false; }
bool IsTakeoffSearchRunning(Server&) { return false; }
void StartTakeoffSearch(Server&) {}
bool SetUpFcuReader(Server&) { return false; }
void ForgetTakeoffDataAddresses(Server&) {}

void CloseSystemProcess(Server& server) {
    if (const ProcessHandle process = server.adapters.fenix.systemProcess.exchange(0)) server.ports.memory.Close(process);
}

void CloseDisplayProcess(Server& server) {
    if (const ProcessHandle process = server.adapters.fenix.displayProcess.exchange(0)) server.ports.memory.Close(process);
}

bool IsSystemProcessOpen(Server& server) { return server.adapters.fenix.systemProcess != 0; }

void FindFenixByEnumeration(Server& server) {
    platform::Desktop& desktop = server.ports.desktop;
    desktop.EnumerateWindows([&](WindowId window) {
        if (desktop.IsWindowVisible(window)) return true;  // the system window is hidden
        const auto title = desktop.WindowTitle(window, kWindowTextChars);
        const auto className = desktop.ClassName(window, kWindowTextChars);
        if (!title || !className) return true;
        if (!ContainsIgnoreCase(*title, "FenixSim A320 System") ||
            !ContainsIgnoreCase(*className, "WindowsForms10.Window.8.app")) {
            return true;
        }
        server.adapters.fenixWindow = window;
        server.adapters.fenixFlag = true;
        return false;
    });
}

void FindFenixByKnownVersions(Server& server) {
    WindowId found = 0;
    for (const KnownWindow& known : kKnownVersions) {
        found = server.ports.desktop.FindTopLevelWindow(known.className, known.title);
        if (found != 0) break;
    }
    server.adapters.fenixWindow = found;
}

}  // namespace tarvo::adapters::fenix
