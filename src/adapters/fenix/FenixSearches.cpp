#include "adapters/fenix/FenixSearches.h"

#include "adapters/Workers.h"
#include "adapters/fenix/MemorySearch.h"
#include "base/Text.h"

#include <cstring>
#include <string_view>

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

// The display window, by class and caption; an empty class is any class.
constexpr std::string_view kDisplayTitle = "Fenix Display";
constexpr std::string_view kDisplayClasses[] = {
    "WindowsForms10.Window.8.app.0.afceb_r12_ad1",
    "WindowsForms10.Window.8.app.0.afceb_r8_ad1",
    "",
};

constexpr std::size_t kWindowTextChars = 254;
// Between regions, so that a search leaves the processor to the others.
constexpr std::uint32_t kRegionPauseMilliseconds = 1;

WindowId FindKnownVersion(platform::Desktop& desktop) {
    for (const KnownWindow& known : kKnownVersions) {
        if (const WindowId found = desktop.FindTopLevelWindow(known.className, known.title)) return found;
    }
    return 0;
}

// Opens the window's process into handle unless it is open already; two
// threads opening at once keep one handle and close the other.
ProcessHandle OpenInto(Server& server, std::atomic<ProcessHandle>& handle, WindowId window) {
    if (const ProcessHandle open = handle) return open;
    if (window == 0) return 0;
    platform::ProcessMemory& memory = server.ports.memory;
    const ProcessHandle opened = memory.Open(server.ports.desktop.WindowProcess(window), platform::kProcessAllAccess);
    if (opened == 0) return 0;
    memory.EnableDebugPrivilege(opened);  // refused or not, the handle may read
    ProcessHandle none = 0;
    if (handle.compare_exchange_strong(none, opened)) return opened;
    memory.Close(opened);
    return none;
}

// Ends a search when asked to, or when the server stops.
SearchHooks HooksFor(Server& server, SearchFlags& flags) {
    return {[&server, &flags] { return flags.stop || !server.host.running; },
            [&server] { server.ports.clock.Sleep(kRegionPauseMilliseconds); }};
}

// The running flag is set before the thread exists, so the search's own
// clearing at its end cannot come first and leave it set for good; a stop
// asked of an earlier search does not end this one.
void StartSearch(Server& server, SearchFlags& flags, void (*search)(Server&), platform::ThreadPriority priority) {
    if (flags.running.exchange(true)) return;
    flags.stop = false;
    if (!StartWorker(
            server, [&server, search] { search(server); }, priority))
        flags.running = false;
}

void SearchTakeoffData(Server& server) {
    FenixState& fenix = server.adapters.fenix;
    SearchFlags& flags = fenix.takeoffSearch;
    if (!flags.stop) {
        // The window found here is used, not kept: detection is the discovery's.
        WindowId window = server.adapters.fenixWindow;
        if (window == 0) window = FindKnownVersion(server.ports.desktop);
        if (const ProcessHandle process = OpenInto(server, fenix.systemProcess, window)) {
            if (const std::uint64_t block = FindTakeoffBlock(server.ports.memory, process, HooksFor(server, flags))) {
                auto& at = fenix.takeoffAddresses;
                at[static_cast<std::size_t>(TakeoffField::V1)] = block + kTakeoffV1Offset;
                at[static_cast<std::size_t>(TakeoffField::V2)] = block + kTakeoffV2Offset;
                at[static_cast<std::size_t>(TakeoffField::TransitionAltitude)] =
                    block + kTakeoffTransitionAltitudeOffset;
                at[static_cast<std::size_t>(TakeoffField::Setting)] = block + kTakeoffSettingOffset;
                at[static_cast<std::size_t>(TakeoffField::FlexTemperature)] = block + kTakeoffFlexOffset;
                at[static_cast<std::size_t>(TakeoffField::Further)] = block + kTakeoffFurtherOffset;
                at[static_cast<std::size_t>(TakeoffField::Vr)] = block + kTakeoffVrOffset;  // last: the block is known
                server.log.Write("Fenix A320 data 1 available");
            }
        }
    }
    flags.running = false;
}

void SearchFma(Server& server) {
    FenixState& fenix = server.adapters.fenix;
    SearchFlags& flags = fenix.fmaSearch;
    if (!flags.stop) {
        if (const ProcessHandle process = OpenDisplayProcess(server)) {
            if (const std::uint64_t block = FindFmaBlock(server.ports.memory, process, HooksFor(server, flags))) {
                fenix.fmaAddress = block;
                server.log.Write("Fenix A320 data 2 available");
            }
        }
    }
    flags.running = false;
}

}  // namespace

bool RequestTakeoffSearchStop(Server& server) {
    SearchFlags& flags = server.adapters.fenix.takeoffSearch;
    if (!flags.running) return false;
    flags.stop = true;
    return true;
}

bool RequestFmaSearchStop(Server& server) {
    SearchFlags& flags = server.adapters.fenix.fmaSearch;
    if (!flags.running) return false;
    flags.stop = true;
    return true;
}

void CloseSystemProcess(Server& server) {
    FenixState& fenix = server.adapters.fenix;
    const ProcessHandle process = fenix.systemProcess.exchange(0);
    if (process == 0) return;
    // What was found belongs to that process.
    fenix.fcuSetUpFor = 0;
    for (auto& address : fenix.fcuAddresses) address = 0;
    ForgetTakeoffDataAddresses(server);
    server.ports.memory.Close(process);
}

void CloseDisplayProcess(Server& server) {
    FenixState& fenix = server.adapters.fenix;
    const ProcessHandle process = fenix.displayProcess.exchange(0);
    if (process == 0) return;
    fenix.fmaAddress = 0;
    server.ports.memory.Close(process);
}

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
    server.adapters.fenixWindow = FindKnownVersion(server.ports.desktop);
}

ProcessHandle OpenSystemProcess(Server& server) {
    return OpenInto(server, server.adapters.fenix.systemProcess, server.adapters.fenixWindow);
}

ProcessHandle OpenDisplayProcess(Server& server) {
    FenixState& fenix = server.adapters.fenix;
    if (const ProcessHandle open = fenix.displayProcess) return open;
    WindowId window = 0;
    for (std::string_view className : kDisplayClasses) {
        window = server.ports.desktop.FindTopLevelWindow(className, kDisplayTitle);
        if (window != 0) break;
    }
    return OpenInto(server, fenix.displayProcess, window);
}

bool IsSystemProcessOpen(Server& server) {
    return server.adapters.fenix.systemProcess != 0;
}

void ForgetTakeoffDataAddresses(Server& server) {
    for (auto& address : server.adapters.fenix.takeoffAddresses) address = 0;
}

bool IsTakeoffSearchRunning(Server& server) {
    return server.adapters.fenix.takeoffSearch.running;
}

void StartTakeoffSearch(Server& server) {
    StartSearch(server, server.adapters.fenix.takeoffSearch, SearchTakeoffData, platform::ThreadPriority::Normal);
}

bool IsFmaSearchRunning(Server& server) {
    return server.adapters.fenix.fmaSearch.running;
}

void StartFmaSearch(Server& server) {
    StartSearch(server, server.adapters.fenix.fmaSearch, SearchFma, platform::ThreadPriority::AboveNormal);
}

}  // namespace tarvo::adapters::fenix
