#include "host/StartUp.h"

#include "adapters/Selection.h"
#include "adapters/Workers.h"
#include "adapters/fenix/FenixSearches.h"
#include "atc/AtcMenu.h"
#include "base/Names.h"
#include "base/Text.h"
#include "bridge/WasmBridge.h"
#include "host/Configuration.h"
#include "host/KeyboardWatcher.h"
#include "link/LinkWindow.h"
#include "link/Messages.h"
#include "sim/Dispatch.h"
#include "sim/Session.h"
#include "sound/Sound.h"

#include <cstdlib>
#include <string>
#include <utility>

namespace tarvo::host {
namespace {

constexpr std::size_t kWindowTextChars = 254;  // 255-byte buffers
constexpr std::uint32_t kStartUpPauseMilliseconds = 1500;
constexpr std::uint32_t kFenixSearchStopMilliseconds = 2500;
// How long an idle main loop waits for the crew app or the simulator, and so
// how often the keyboard watcher looks: a key press lasts tens of milliseconds.
constexpr std::uint32_t kIdleWaitMilliseconds = 10;

// One dispatch call: the server for the dispatch procedure, and whether the
// simulator had a record for it.
struct DispatchCall {
    Server& server;
    bool received = false;
};

void DispatchAndNote(SIMCONNECT_RECV* data, std::uint32_t size, void* context) {
    auto& call = *static_cast<DispatchCall*>(context);
    call.received = true;
    sim::DispatchProc(data, size, &call.server);
}

// How long shutdown waits for the worker threads to end before the session they
// may still use is closed. Their pauses end at once on the stop event, and the
// bridge's worker within one 500 ms wait.
constexpr std::uint32_t kWorkerEndMilliseconds = 5000;
constexpr std::uint32_t kWorkerPollMilliseconds = 20;
// A dispatch that keeps failing this long means the simulator is gone without
// a quit record (it crashed, or its pipe broke).
constexpr std::uint32_t kLostSessionMilliseconds = 3000;

// Where shutdown begins: the whole sequence after the main loop, or the part
// after the session when the session could not be opened.
enum class ShutdownKind { AfterMainLoop, WithoutSession };

// Terminates the process owning the window with that class and title, if any.
void TerminateWindowOwner(Server& server, std::string_view className, std::string_view title) {
    const WindowId window = server.ports.desktop.FindTopLevelWindow(className, title);
    if (window == 0) return;
    const ProcessId process = server.ports.desktop.WindowProcess(window);
    if (process != 0) server.ports.memory.Terminate(process, 0);
}

// A crew app of another version must not keep running against this server.
void TerminateCrewApp(Server& server) {
    TerminateWindowOwner(server, kCrewWindowClass, kCrewWindowTitle);
    TerminateWindowOwner(server, kSplashWindowClass, kSplashWindowTitle);
}

void OpenSimulatorProcess(Server& server) {
    HostState& host = server.host;
    host.simulatorProcess = server.ports.memory.Open(host.simulatorProcessId, platform::kProcessAllAccess);
    if (host.simulatorProcess == 0) {
        server.log.Write("Unable to access ATC info");
        return;
    }
    server.ports.memory.EnableDebugPrivilege(host.simulatorProcess);
}

// Every worker thread still holds the Server and may still call SimConnect, so
// they end before the session closes. One that does not end in time is left
// to the process exit, and the log says so.
void WaitForWorkers(Server& server) {
    platform::Clock& clock = server.ports.clock;
    const std::uint32_t start = clock.TickCount();
    while (server.workers.Running() > 0 && clock.TickCount() - start < kWorkerEndMilliseconds) {
        clock.Sleep(kWorkerPollMilliseconds);
    }
    if (const std::int32_t left = server.workers.Running(); left > 0) {
        server.log.Write("Worker threads still running at shutdown: " + std::to_string(left));
    }
}

// Unsubscribes the system events and closes the main session, if it is open.
void CloseSession(Server& server) {
    HostState& host = server.host;
    if (host.session == nullptr) return;
    for (std::uint32_t event : {sim::kEventFlightPlan, sim::kEventPositionChanged, sim::kEventAircraftLoaded,
                                sim::kEventFrame, sim::kEventSim}) {
        server.ports.simConnect.UnsubscribeFromSystemEvent(host.session, event);
    }
    // Forgotten before the call, so a failure from here on never closes it twice.
    server.ports.simConnect.Close(std::exchange(host.session, nullptr));
    // Only the session signals it, so it goes once the session is closed.
    if (host.sessionEvent != 0) server.ports.threads.CloseEvent(std::exchange(host.sessionEvent, 0));
    server.log.Write("Closing Simconnect session");
}

int ShutDown(Server& server, ShutdownKind kind) {
    HostState& host = server.host;
    platform::Ports& ports = server.ports;
    host.running = false;
    if (host.stopEvent != 0) ports.threads.SignalEvent(host.stopEvent);
    if (kind == ShutdownKind::AfterMainLoop) {
        server.log.Write("Leaving main loop");
        // Command workers use the Server; they notice the cleared running flag.
        adapters::WaitForWorkers(server);
        ports.threads.CloseEvent(host.pauseEvent);
        adapters::UnloadAdapter(server);
        bridge::DestroyBridge(server);
        WaitForWorkers(server);
        CloseSession(server);
    }
    // The searches notice their stop request within this pause.
    if (adapters::fenix::RequestTakeoffSearchStop(server)) ports.clock.Sleep(kFenixSearchStopMilliseconds);
    if (adapters::fenix::RequestFmaSearchStop(server)) ports.clock.Sleep(kFenixSearchStopMilliseconds);
    if (host.simulatorProcess != 0) ports.memory.Close(host.simulatorProcess);
    adapters::fenix::CloseSystemProcess(server);
    ports.desktop.DestroyWindow(host.linkWindow);
    server.log.Write("Tarvo81_Ldr unloading");
    return 0;
}

// The simulator went away without a quit record: ends the loop as a quit does.
void LoseSession(Server& server) {
    HostState& host = server.host;
    server.log.Write("Simconnect session lost");
    server.ports.desktop.Post(host.crewWindow, link::kMsgServerLeaving, 0, 0);
    host.crewWindow = 0;
    host.running = false;
}

}  // namespace

int ShutDownAfterFailure(Server& server) noexcept {
    // Each step by itself: one that fails again must not keep the others from running.
    const auto step = [](auto&& body) {
        try {
            body();
        } catch (...) {
        }
    };
    server.host.running = false;  // worker threads end on it
    step([&] { server.log.Write("Unexpected failure; Tarvo81_Ldr stops"); });
    step([&] {
        if (server.host.stopEvent != 0) server.ports.threads.SignalEvent(server.host.stopEvent);
    });
    step([&] { WaitForWorkers(server); });
    step([&] { CloseSession(server); });
    step([&] { server.log.Write("Tarvo81_Ldr unloading"); });
    return 1;
}

WindowId FindSimulatorWindow(platform::Desktop& desktop) {
    WindowId found = 0;
    desktop.EnumerateWindows([&](WindowId window) {
        if (!desktop.IsWindowVisible(window)) return true;
        const auto className = desktop.ClassName(window, kWindowTextChars);
        const auto title = desktop.WindowTitle(window, kWindowTextChars);
        if (!className || !title) return true;
        if (EqualsIgnoreCase(*className, kSimulatorWindowClass) &&
            (ContainsIgnoreCase(*title, "Flight Simulator") || ContainsIgnoreCase(*title, "Monitor IPC"))) {
            found = window;
            return false;
        }
        return true;
    });
    return found;
}

void RunMainLoopPass(Server& server) {
    platform::Ports& ports = server.ports;
    HostState& host = server.host;
    DispatchCall dispatch{server};
    if (ports.simConnect.CallDispatch(host.session, DispatchAndNote, &dispatch) < 0) {
        const std::uint32_t now = ports.clock.TickCount();
        if (!host.dispatchFailing) {
            host.dispatchFailing = true;
            host.dispatchFailingSince = now;
        } else if (now - host.dispatchFailingSince >= kLostSessionMilliseconds) {
            LoseSession(server);
            return;
        }
    } else {
        host.dispatchFailing = false;
    }
    if (ports.desktop.HasMessage(server.host.linkWindow)) {
        ports.desktop.GetAndDispatchMessage();
        return;  // more may wait behind it: the next pass looks at once
    }
    WatchKeyboard(server);
    if (dispatch.received) return;  // the simulator may have sent more together
    // Idle: sleep until the crew app or the simulator has something.
    if (ports.desktop.WaitForMessageOrEvent(server.host.sessionEvent, kIdleWaitMilliseconds) ==
        platform::Wake::Failed) {
        ports.threads.WaitEvent(server.host.pauseEvent, kIdleWaitMilliseconds);  // never a busy loop
    }
}

int RunServer(Server& server, std::string_view commandLine) {
    platform::Ports& ports = server.ports;
    HostState& host = server.host;

    // The crew app always passes its version; a bare start is a user double-clicking the exe.
    if (commandLine.empty()) {
        ports.desktop.ShowMessageBox(0, "Cannot run this app as standalone", kMessageBoxCaption,
                                     platform::kMbIconInformation);
        return 0;
    }
    if (!EqualsIgnoreCase(commandLine, kVersionToken)) {
        TerminateCrewApp(server);
        ports.desktop.ShowMessageBox(0, "Please install latest ZUL version. ZUL will now exit", kMessageBoxCaption,
                                     platform::kMbIconExclamation);
        return 0;
    }
    host.versionNumber = std::atoi(std::string(commandLine).c_str());

    const platform::NamedMutexResult mutex = ports.threads.CreateNamedMutex("Tarvo81Running");
    if (mutex.created && mutex.alreadyExisted) return 0;
    // A renamed copy is not started by the crew app; stay out of the way silently.
    if (const auto path = ports.files.ExecutablePath(); path && !ContainsIgnoreCase(*path, "Tarvo81_Ldr.exe")) {
        return 0;
    }

    server.log.Write("Tarvo81_Ldr loading");
    host.catchScrollLock = ReadCatchScrollLockOption(ports.files);
    host.fmaCallouts = ReadFmaCalloutsOption(ports.files);

    host.pauseEvent = ports.threads.NewEvent(false, false);
    if (host.pauseEvent == 0) {
        server.log.Write("Failed to create kernelobject");
        return 1;
    }
    // Without it the workers' pauses run their full length, and shutdown waits
    // for them as long as it may.
    host.stopEvent = ports.threads.NewEvent(true, false);
    host.simulatorWindow = FindSimulatorWindow(ports.desktop);
    ports.threads.WaitEvent(host.pauseEvent, kStartUpPauseMilliseconds);
    if (host.simulatorWindow == 0) {
        ports.threads.CloseEvent(host.pauseEvent);
        server.log.Write("MSFS not running");
        return 1;
    }

    link::LinkWindowProcedure procedure(server);
    ports.desktop.RegisterWindowClass({kLinkWindowClass, platform::kCsHRedraw | platform::kCsVRedraw, 104}, procedure);
    host.linkWindow = ports.desktop.MakeWindow({platform::kWsExNoActivate | platform::kWsExLayered |
                                                    platform::kWsExTransparent | platform::kWsExTopmost,
                                                kLinkWindowClass, kLinkWindowTitle, platform::kWsPopup, 5, 36, 780, 20});
    if (host.linkWindow == 0) {
        server.log.Write("Could not create Tarvo81_Ldr window");
        return 1;
    }
    ports.desktop.SetLayeredColourKey(host.linkWindow, 0xFFFFFF);
    ports.threads.SetProcessPriorityClass(platform::kHighPriorityClass);
    ports.threads.SetCurrentThreadPriority(platform::ThreadPriority::Lowest);
    link::AllowCrewMessages(server);
    host.simulatorProcessId = ports.desktop.WindowProcess(host.simulatorWindow);
    host.crewWindow = ports.desktop.FindTopLevelWindow(kCrewWindowClass, kCrewWindowTitle);
    sound::EnumerateSoundDevices(server);
    OpenSimulatorProcess(server);

    // Signalled by SimConnect whenever records wait, so an idle main loop can sleep.
    host.sessionEvent = ports.threads.NewEvent(false, false);
    if (ports.simConnect.Open(&host.session, "ZULtoMSFS", 0, 0, host.sessionEvent, 0) < 0 || host.session == nullptr) {
        host.session = nullptr;
        if (host.sessionEvent != 0) ports.threads.CloseEvent(std::exchange(host.sessionEvent, 0));
        return ShutDown(server, ShutdownKind::WithoutSession);
    }
    server.log.Write("Created Simconnect session");
    atc::StartAtcReader(server);
    sim::SetUpSession(server);
    server.log.Write("About to enter main loop");

    while (host.running) RunMainLoopPass(server);
    return ShutDown(server, ShutdownKind::AfterMainLoop);
}

}  // namespace tarvo::host
