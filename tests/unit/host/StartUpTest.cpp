#include "host/StartUp.h"

#include "base/VirtualKeys.h"
#include "fakes/FakeServer.h"
#include "link/Messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvo::host {
namespace {

constexpr ProcessId kSimulatorProcess = 4242;

struct StartUpTest : ::testing::Test {
    StartUpTest() {
        fake.clock.SetAutoAdvance(true);
        fake.files.MakeFolder(fakes::kFakeCrewFolder);
        fake.memory.openable.insert(kSimulatorProcess);
    }

    WindowId AddSimulator() {
        return fake.desktop.AddWindow({"AceApp", "Microsoft Flight Simulator - 1.37.19.0", true, kSimulatorProcess});
    }

    // Ends the main loop after the given number of passes.
    void StopAfterPasses(int passes) {
        fake.simConnect.onCallDispatch = [this, passes](SIMCONNECT_DISPATCHPROC, void*) mutable {
            if (--passes == 0) fake.server.host.running = false;
        };
    }

    std::vector<std::string> Log() const {
        std::vector<std::string> lines;
        for (const std::string& entry : fake.journal.EntriesStartingWith("Files.AppendLine ")) {
            lines.push_back(entry.substr(std::string("Files.AppendLine ").size()));
        }
        return lines;
    }

    fakes::FakeServer fake;
};

TEST_F(StartUpTest, RefusalsExitEarlyWithTheirCodes) {
    struct Case {
        const char* name;
        std::string_view commandLine;
        std::function<void(fakes::FakeServer&)> arrange;
        int exitCode;
        std::vector<std::string> messageBoxes;
        std::vector<std::string> log;
    };
    const std::string mismatch = "Please install latest ZUL version. ZUL will now exit";
    const Case cases[] = {
        {"standalone", "", {}, 0, {"Cannot run this app as standalone"}, {}},
        {"other version", "2971", {}, 0, {mismatch}, {}},
        {"trailing blank", "2970 ", {}, 0, {mismatch}, {}},
        {"leading zero", "02970", {}, 0, {mismatch}, {}},
        {"overlong", std::string_view("29702970297029702970297029702970297029702970"), {}, 0, {mismatch}, {}},
        {"second instance", "2970", [](fakes::FakeServer& f) { f.threads.HoldMutexElsewhere("Tarvo81Running"); }, 0,
         {}, {}},
        {"renamed exe", "2970", [](fakes::FakeServer& f) { f.files.executablePath = "C:\\Zulcrest\\Copy.exe"; }, 0, {},
         {}},
        {"no pause event", "2970", [](fakes::FakeServer& f) { f.threads.FailNextEvent(); }, 1, {},
         {"Logging started", "Tarvo81_Ldr loading", "Failed to create kernelobject"}},
        {"no simulator", "2970", {}, 1, {}, {"Logging started", "Tarvo81_Ldr loading", "MSFS not running"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::FakeServer f;
        f.clock.SetAutoAdvance(true);
        f.files.MakeFolder(fakes::kFakeCrewFolder);
        if (c.arrange) c.arrange(f);
        EXPECT_EQ(RunServer(f.server, c.commandLine), c.exitCode);
        std::vector<std::string> boxes;
        for (const auto& box : f.desktop.messageBoxes) {
            EXPECT_EQ(box.caption, "Tarvo81_Ldr");
            EXPECT_EQ(box.owner, 0u);
            boxes.push_back(box.text);
        }
        EXPECT_EQ(boxes, c.messageBoxes);
        std::vector<std::string> log;
        for (const std::string& entry : f.journal.EntriesStartingWith("Files.AppendLine ")) log.push_back(entry.substr(17));
        EXPECT_EQ(log, c.log);
    }
}

TEST_F(StartUpTest, MessageBoxStylesAreInformationAndExclamation) {
    RunServer(fake.server, "");
    RunServer(fake.server, "1234");
    ASSERT_EQ(fake.desktop.messageBoxes.size(), 2u);
    EXPECT_EQ(fake.desktop.messageBoxes[0].style, 0x40u);
    EXPECT_EQ(fake.desktop.messageBoxes[1].style, 0x30u);
}

TEST_F(StartUpTest, VersionMismatchTerminatesCrewAppAndSplashFirst) {
    fake.desktop.AddWindow({"CSpeaker", "Zulcrest", true, 11});
    fake.desktop.AddWindow({"CSplash", "Splash", true, 12});
    EXPECT_EQ(RunServer(fake.server, "2971"), 0);
    EXPECT_EQ(fake.memory.terminated, (std::vector<ProcessId>{11, 12}));
    const auto journal = fake.journal.Entries();
    EXPECT_EQ(journal.back(), "Desktop.ShowMessageBox Please install latest ZUL version. ZUL will now exit");
}

TEST_F(StartUpTest, NoSimulatorExitsAfterTheStartUpPause) {
    EXPECT_EQ(RunServer(fake.server, "2970"), 1);
    EXPECT_EQ(fake.clock.SleptMilliseconds(), 1500u);
    EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.CloseEvent").size(), 1u);
}

TEST_F(StartUpTest, LinkWindowFailureExitsOne) {
    AddSimulator();
    fake.desktop.FailWindowCreation();
    EXPECT_EQ(RunServer(fake.server, "2970"), 1);
    EXPECT_EQ(Log().back(), "Could not create Tarvo81_Ldr window");
}

TEST_F(StartUpTest, StartUpMainLoopAndShutdownRunInOrder) {
    AddSimulator();
    const WindowId crew = fake.desktop.AddWindow({"CSpeaker", "Zulcrest", true, 11});
    StopAfterPasses(1);
    EXPECT_EQ(RunServer(fake.server, "2970"), 0);

    const std::vector<std::string> expected = {
        "Threads.CreateNamedMutex Tarvo81Running",
        "Files.AppendLine Logging started",
        "Files.AppendLine Tarvo81_Ldr loading",
        "Threads.NewEvent",
        "Threads.NewEvent",  // the stop event
        "Desktop.EnumerateWindows",
        "Threads.WaitEvent 1500",
        "Desktop.RegisterWindowClass SimConnector style=0x00000003 cursor=104",  // CS_HREDRAW | CS_VREDRAW
        // WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST, WS_POPUP (hidden)
        "Desktop.MakeWindow SimConnector/Tarvo81_Ldr exStyle=0x08080028 style=0x80000000 at 5,36 size 780x20",
        "Threads.SetCurrentThreadPriority -2",  // WM_CREATE
        "Desktop.DefaultProcedure 1",
        "Desktop.SetLayeredColourKey 16777215",
        "Threads.SetProcessPriorityClass 128",
        "Threads.SetCurrentThreadPriority -2",
        "Desktop.FindTopLevelWindow CSpeaker/Zulcrest",
        "Sound.EnumerateDevices",
        "ProcessMemory.Open 4242 2097151",
        "ProcessMemory.EnableDebugPrivilege",
        "Threads.NewEvent",                     // the session's event
        "SimConnect.Open ZULtoMSFS 0 0 258 0",  // ... given to the session
        "Files.AppendLine Created Simconnect session",
        "Threads.Start priority=2",  // the ATC menu reader
        "Files.AppendLine CreatedSimconnect data definitions",  // the session set-up, whose calls
        "Files.AppendLine Mapped Simconnect Events",            // its own tests check
        "Files.AppendLine About to enter main loop",
        "Desktop.WaitForMessageOrEvent 10",  // the one pass, idle
        "Files.AppendLine Leaving main loop",
        "Threads.CloseEvent",
        "Files.AppendLine Worker threads still running at shutdown: 1",  // the reader, never run here
        "SimConnect.UnsubscribeFromSystemEvent 154",
        "SimConnect.UnsubscribeFromSystemEvent 153",
        "SimConnect.UnsubscribeFromSystemEvent 152",
        "SimConnect.UnsubscribeFromSystemEvent 151",
        "SimConnect.UnsubscribeFromSystemEvent 150",
        "SimConnect.Close",
        "Threads.CloseEvent",
        "Files.AppendLine Closing Simconnect session",
        "ProcessMemory.Close",
        "Desktop.DestroyWindow",
        "Files.AppendLine Tarvo81_Ldr unloading",
    };
    std::vector<std::string> journal;
    for (const std::string& entry : fake.journal.Entries()) {
        const bool setUpCall = entry.starts_with("SimConnect.") && !entry.starts_with("SimConnect.Open") &&
                               !entry.starts_with("SimConnect.Unsubscribe") && !entry.starts_with("SimConnect.Close");
        if (!setUpCall) journal.push_back(entry);
    }
    EXPECT_EQ(journal, expected);
    EXPECT_EQ(fake.server.host.crewWindow, crew);
    EXPECT_EQ(fake.server.host.versionNumber, 2970);
    // The crew app's messages let through the privilege-isolation filter, in order.
    const std::vector<std::uint32_t> allowed = {
        74,    39383, 39385, 39370, 39372, 39373, 39374, 39379, 39215, 39195, 39199, 39223, 39243,
        39191, 39177, 39178, 39378, 39192, 39190, 39221, 39222, 39193, 39194, 39196, 39376, 39377,
        39384, 39395, 39188, 39217, 39189, 39198, 39367, 39218, 39368, 39369, 39244, 39245, 39246,
        39401, 39247, 39248, 273,   39176, 16,    39402, 39249, 39250, 39197, 39255,
    };
    EXPECT_EQ(fake.desktop.allowedMessages, allowed);
}

TEST_F(StartUpTest, UnopenableSessionSkipsTheLoopButStillCleansUp) {
    AddSimulator();
    fake.memory.openable.clear();
    fake.simConnect.openResult = SIMCONNECT_E_FAIL;
    EXPECT_EQ(RunServer(fake.server, "2970"), 0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"Logging started", "Tarvo81_Ldr loading", "Unable to access ATC info",
                                               "Tarvo81_Ldr unloading"}));
    EXPECT_TRUE(fake.journal.EntriesStartingWith("SimConnect.Close").empty());
    EXPECT_TRUE(fake.journal.EntriesStartingWith("ProcessMemory.Close").empty());  // never opened
    EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.CloseEvent").size(), 1u);  // the unused session event
    EXPECT_EQ(fake.journal.EntriesStartingWith("Desktop.DestroyWindow").size(), 1u);
}

TEST_F(StartUpTest, SimulatorQuitEndsTheLoopAndTellsTheCrewApp) {
    AddSimulator();
    const WindowId crew = fake.desktop.AddWindow({"CSpeaker", "Zulcrest", true, 11});
    fake.simConnect.onCallDispatch = [](SIMCONNECT_DISPATCHPROC dispatch, void* context) {
        SIMCONNECT_RECV_QUIT quit{sizeof(SIMCONNECT_RECV_QUIT), 4, SIMCONNECT_RECV_ID_QUIT};
        dispatch(reinterpret_cast<SIMCONNECT_RECV*>(&quit), sizeof(quit), context);
    };
    EXPECT_EQ(RunServer(fake.server, "2970"), 0);
    EXPECT_EQ(fake.desktop.posts, (std::vector<fakes::PostedMessage>{{crew, link::kMsgServerLeaving, 0, 0}}));
    EXPECT_EQ(fake.server.host.crewWindow, 0u);
}

// A simulator that goes away without a quit record (it crashed, its pipe broke)
// leaves a dispatch that fails on every pass; a failure that does not last is
// no reason to leave.
TEST_F(StartUpTest, ADispatchThatKeepsFailingEndsTheSessionAsAQuitDoes) {
    const struct {
        const char* what;
        int failingPasses;  // an idle pass waits 10 ms
        bool lost;
    } cases[] = {
        {"failing from then on", 1 << 30, true},
        {"failing two seconds, then working again", 200, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fakes::FakeServer f;
        f.clock.SetAutoAdvance(true);
        f.files.MakeFolder(fakes::kFakeCrewFolder);
        f.desktop.AddWindow({"AceApp", "Microsoft Flight Simulator - 1.37.19.0", true, kSimulatorProcess});
        const WindowId crew = f.desktop.AddWindow({"CSpeaker", "Zulcrest", true, 11});
        int pass = 0;
        f.simConnect.onCallDispatch = [&](SIMCONNECT_DISPATCHPROC, void*) {
            ++pass;
            f.simConnect.callDispatchResult = pass <= c.failingPasses ? SIMCONNECT_E_FAIL : SIMCONNECT_S_OK;
            if (pass == 500) f.server.host.running = false;
        };
        EXPECT_EQ(RunServer(f.server, "2970"), 0);

        std::vector<std::string> log;
        for (const std::string& entry : f.journal.EntriesStartingWith("Files.AppendLine ")) {
            log.push_back(entry.substr(17));
        }
        const bool lost = std::find(log.begin(), log.end(), "Simconnect session lost") != log.end();
        EXPECT_EQ(lost, c.lost);
        EXPECT_EQ(log.back(), "Tarvo81_Ldr unloading");
        if (c.lost) {
            EXPECT_LT(pass, 500);
            EXPECT_GE(pass, 300) << "three seconds of failures";
            EXPECT_EQ(f.desktop.posts, (std::vector<fakes::PostedMessage>{{crew, link::kMsgServerLeaving, 0, 0}}));
            EXPECT_EQ(f.server.host.crewWindow, 0u);
        } else {
            EXPECT_EQ(pass, 500);
            EXPECT_TRUE(f.desktop.posts.empty());
        }
    }
}

TEST_F(StartUpTest, MainLoopTakesOneWindowMessageOrWatchesTheKeyboard) {
    AddSimulator();
    const WindowId crew = fake.desktop.AddWindow({"CSpeaker", "Zulcrest", true, 11});
    fake.desktop.SetKeyState(kVkDelete, static_cast<std::int16_t>(0xFF80));
    int pass = 0;
    fake.simConnect.onCallDispatch = [&](SIMCONNECT_DISPATCHPROC, void*) {
        // A message waits in the first pass, so the keyboard is watched only in the second.
        if (++pass == 1) fake.desktop.Post(fake.server.host.linkWindow, 39999, 0, 0);
        if (pass == 2) fake.server.host.running = false;
    };
    RunServer(fake.server, "2970");
    EXPECT_EQ(fake.desktop.posts, (std::vector<fakes::PostedMessage>{{crew, link::kMsgDeletePressed, 0, 0}}));
    EXPECT_EQ(fake.journal.EntriesStartingWith("Desktop.WaitForMessageOrEvent").size(), 1u);  // the idle pass
}

TEST_F(StartUpTest, AMainLoopPassSleepsOnlyWhenItFoundNothingToDo) {
    AddSimulator();
    // Each pass marks the journal; what it does is read from the entries after the mark.
    int pass = 0;
    fake.simConnect.onCallDispatch = [&](SIMCONNECT_DISPATCHPROC dispatch, void* context) {
        fake.journal.Add("pass " + std::to_string(++pass));
        if (pass == 1) {
            for (int i = 0; i < 3; ++i) fake.desktop.Post(fake.server.host.linkWindow, 39999, 0, 0);
        }
        if (pass == 5) {  // a record from the simulator
            SIMCONNECT_RECV record{sizeof(SIMCONNECT_RECV), 4, SIMCONNECT_RECV_ID_NULL};
            dispatch(&record, sizeof(record), context);
        }
        // Records wait after this dispatch: the simulator signals the session's event.
        if (pass == 7) fake.threads.SignalEvent(fake.simConnect.openedEvent);
        if (pass == 9) fake.server.host.running = false;
    };
    RunServer(fake.server, "2970");

    std::vector<std::string> passes;
    for (const std::string& entry : fake.journal.Entries()) {
        if (entry.starts_with("pass ")) passes.push_back(entry.substr(5) + ":");
        if (passes.empty()) continue;
        if (entry == "Desktop.DefaultProcedure 39999") passes.back() += " message";
        if (entry.starts_with("Desktop.WaitForMessageOrEvent ")) passes.back() += " wait " + entry.substr(30);
    }
    // A burst is taken one message a pass without a pause, and so are the records.
    EXPECT_EQ(passes, (std::vector<std::string>{"1: message", "2: message", "3: message", "4: wait 10", "5:",
                                                "6: wait 10", "7: wait 10", "8: wait 10", "9: wait 10"}));
    // Every idle pass slept its 10 ms but the one the simulator woke; shutdown
    // then waits its bound for the ATC reader, which never runs here.
    EXPECT_EQ(fake.clock.SleptMilliseconds(), 1500u + 4 * 10 + 5000);
}

TEST_F(StartUpTest, AFailingWaitStillPausesTheLoop) {
    AddSimulator();
    // A wait on a handle that is not an event fails at once; the loop must not spin.
    fake.simConnect.onCallDispatch = [this](SIMCONNECT_DISPATCHPROC, void*) {
        fake.server.host.sessionEvent = 0xBAD;
        fake.server.host.running = false;
    };
    RunServer(fake.server, "2970");
    const auto waits = fake.journal.EntriesStartingWith("Threads.WaitEvent");
    EXPECT_EQ(waits, (std::vector<std::string>{"Threads.WaitEvent 1500", "Threads.WaitEvent 10"}));
}

TEST_F(StartUpTest, AFailureOnTheMainThreadStillEndsTheSessionAndTheLog) {
    // {where the failure comes from, what the safe steps then do}
    struct Case {
        const char* throwAt;
        std::vector<std::string> then;
    };
    const std::vector<std::string> closeSession = {
        "SimConnect.UnsubscribeFromSystemEvent 154",   "SimConnect.UnsubscribeFromSystemEvent 153",
        "SimConnect.UnsubscribeFromSystemEvent 152",   "SimConnect.UnsubscribeFromSystemEvent 151",
        "SimConnect.UnsubscribeFromSystemEvent 150",   "SimConnect.Close",
        "Threads.CloseEvent",                          "Files.AppendLine Closing Simconnect session",
    };
    const auto steps = [&](bool sessionOpen) {
        std::vector<std::string> then = {"Files.AppendLine Unexpected failure; Tarvo81_Ldr stops"};
        if (sessionOpen) then.insert(then.end(), closeSession.begin(), closeSession.end());
        then.push_back("Files.AppendLine Tarvo81_Ldr unloading");
        return then;
    };
    const Case cases[] = {
        {"Sound.EnumerateDevices", steps(false)},                    // start-up, before the session
        {"Desktop.WaitForMessageOrEvent 10", steps(true)},           // the main loop
        {"SimConnect.UnsubscribeFromSystemEvent 152", steps(true)},  // shutdown, while unsubscribing
        {"SimConnect.Close", steps(false)},                          // shutdown: never closed twice
        {"Desktop.DestroyWindow", steps(false)},                     // shutdown, after the session
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.throwAt);
        fakes::FakeServer f;
        f.clock.SetAutoAdvance(true);
        f.files.MakeFolder(fakes::kFakeCrewFolder);
        f.desktop.AddWindow({"AceApp", "Microsoft Flight Simulator", true, kSimulatorProcess});
        f.simConnect.onCallDispatch = [&f](SIMCONNECT_DISPATCHPROC, void*) { f.server.host.running = false; };
        f.journal.ThrowAt(c.throwAt);
        EXPECT_THROW(RunServer(f.server, "2970"), std::runtime_error);

        const std::size_t failedAt = f.journal.Entries().size();
        EXPECT_EQ(ShutDownAfterFailure(f.server), 1);
        const std::vector<std::string> entries = f.journal.Entries();
        EXPECT_EQ(std::vector<std::string>(entries.begin() + static_cast<std::ptrdiff_t>(failedAt), entries.end()),
                  c.then);
        EXPECT_FALSE(f.server.host.running) << "worker threads see the server going";
    }
}

// A worker may still call the session: it is told to stop and waited for,
// with a bound, before the session closes.
TEST_F(StartUpTest, AFailureWaitsForTheWorkersBeforeClosingTheSession) {
    AddSimulator();
    StopAfterPasses(1);
    fake.journal.ThrowAt("Desktop.WaitForMessageOrEvent 10");  // in the main loop
    EXPECT_THROW(RunServer(fake.server, "2970"), std::runtime_error);

    const std::size_t failedAt = fake.journal.Entries().size();
    EXPECT_EQ(ShutDownAfterFailure(fake.server), 1);
    const std::vector<std::string> entries = fake.journal.Entries();
    const std::vector<std::string> after(entries.begin() + static_cast<std::ptrdiff_t>(failedAt), entries.end());
    const auto at = [&](std::string_view entry) {
        return std::find(after.begin(), after.end(), entry) - after.begin();
    };
    // The ATC reader, never run here, is the worker that does not end.
    EXPECT_LT(at("Files.AppendLine Worker threads still running at shutdown: 1"), at("SimConnect.Close"));
    EXPECT_LT(at("SimConnect.Close"), static_cast<std::ptrdiff_t>(after.size())) << "the session still closes";
}

TEST(SimulatorFinder, TakesTheFirstVisibleAceAppNamingTheSimulator) {
    struct Case {
        fakes::FakeWindow window;
        bool taken;
    };
    const Case cases[] = {
        {{"AceApp", "Microsoft Flight Simulator - 1.37.19.0", true, 1}, true},
        {{"aceapp", "MICROSOFT FLIGHT SIMULATOR", true, 1}, true},
        {{"AceApp", "Monitor IPC", true, 1}, true},
        {{"AceApp", "Microsoft Flight Simulator", false, 1}, false},  // not visible
        {{"AceApp", "Sim Update", true, 1}, false},
        {{"AceApp", "", true, 1}, false},  // title unreadable
        {{"AceAppX", "Microsoft Flight Simulator", true, 1}, false},
        {{"Chrome_WidgetWin_1", "Flight Simulator forum", true, 1}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window.className + " / " + c.window.title);
        fakes::Journal journal;
        fakes::FakeDesktop desktop(journal);
        const WindowId window = desktop.AddWindow(c.window);
        EXPECT_EQ(FindSimulatorWindow(desktop), c.taken ? window : 0u);
    }

    fakes::Journal journal;
    fakes::FakeDesktop desktop(journal);
    desktop.AddWindow({"AceApp", "Sim Update", true, 1});
    const WindowId first = desktop.AddWindow({"AceApp", "Microsoft Flight Simulator", true, 2});
    desktop.AddWindow({"AceApp", "Microsoft Flight Simulator", true, 3});
    EXPECT_EQ(FindSimulatorWindow(desktop), first);
}

}  // namespace
}  // namespace tarvo::host
