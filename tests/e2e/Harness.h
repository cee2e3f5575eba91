// What every end-to-end test needs: start the real programs, wait for them,
// find and answer their message boxes, and clean up what a test started.
// Runs under Wine on our machines and on Windows alike; used by the tests and
// by the demo.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::e2e {

// The folder holding the test programs, Tarvo81_Ldr.exe and the stand-ins.
std::string BinFolder();
// The current user's roaming application-data folder, and the crew app's folder
// in it (created if missing, as the crew app would have).
std::string RoamingFolder();
std::string CrewFolder();
// The current user's local (not roaming) application-data folder.
std::string LocalFolder();
// The server's log file.
std::string LogPath();
// Writes text to the file, making its folders first; false when it cannot.
bool WriteTextFile(const std::string& path, const std::string& text);
// The whole file, or nullopt when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// A process this test started; killed when the object goes unless it has ended.
class ChildProcess {
public:
    // Starts exe with the given command line after its name; an invalid object
    // when it cannot be started (error() says why).
    static ChildProcess Start(const std::string& exe, const std::string& arguments);
    // An invalid object that says why: for a start that failed after the fact.
    static ChildProcess Failed(std::string why);

    ChildProcess() = default;
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ~ChildProcess();

    bool IsValid() const { return process_ != nullptr; }
    const std::string& error() const { return error_; }
    // The exit code, or nullopt if still running after timeoutMilliseconds.
    std::optional<DWORD> WaitForExit(DWORD timeoutMilliseconds);
    bool IsRunning();
    DWORD Id() const { return id_; }
    void Kill();

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    std::string error_;
};

struct MessageBoxSeen {
    HWND window = nullptr;
    std::string text;
};

// Starts the window stand-in with that class and title and waits until the
// window exists. Extra arguments: "hidden", or "x y width height". Invalid,
// with error() saying why, when the window does not show.
ChildProcess StartWindow(const std::string& className, const std::string& title, const std::string& extra = "");

// The server as it runs on a simulator PC: a copy of Tarvo81_Ldr.exe in a folder
// with our stand-in SimConnect.dll beside it, started with these arguments.
// Invalid, with error() naming the file, when a copy fails.
ChildProcess StartServerWithSimConnect(const std::string& arguments);

// The simulator stand-in, writing its trace to tracePath; returned once its
// control channel answers. Invalid, with error() saying why, otherwise.
ChildProcess StartSimulator(const std::string& tracePath);
// The crew stand-in, writing what it receives to tracePath; returned once its
// driver answers. Invalid, with error() saying why, otherwise.
ChildProcess StartCrew(const std::string& tracePath);
// One command to a stand-in; the reply line, or nullopt when it is not there.
std::optional<std::string> SimControl(const std::string& command);
std::optional<std::string> CrewControl(const std::string& command);

// A folder for this run's traces (created if missing).
std::string TraceFolder();
std::vector<std::string> ReadLines(const std::string& path);
// Waits until a line of the file contains fragment.
bool WaitForLine(const std::string& path, const std::string& fragment, DWORD timeoutMilliseconds);
// Waits until done() holds; false when it still does not after the time-out.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMilliseconds);
// Each fragment must appear in a line after the line of the one before it.
// Returns the first fragment that does not, or nullopt when all do.
std::optional<std::string> MissingInOrder(const std::vector<std::string>& lines,
                                          const std::vector<std::string>& fragments);

// Waits for a message box (dialog class "#32770") with this caption.
std::optional<MessageBoxSeen> WaitForMessageBox(std::string_view caption, DWORD timeoutMilliseconds);
// Presses the OK button of a message box.
bool PressOk(HWND messageBox);

}  // namespace tarvo::e2e
