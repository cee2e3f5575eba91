#include "Harness.h"

#include "wire/PipeIo.h"

#include <shlobj.h>

#include <fstream>
#include <string>
#include <sstream>
#include <utility>
#include <vector>

namespace tarvo::e2e {

std::string BinFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/"));
}

std::string RoamingFolder() {
    char folder[MAX_PATH] = {};
    if (::SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK) return {};
    return folder;
}

std::string LocalFolder() {
    char folder[MAX_PATH] = {};
    if (::SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK) return {};
    return folder;
}

std::string CrewFolder() {
    const std::string folder = RoamingFolder() + "\\Zulcrest";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string LogPath() { return CrewFolder() + "\\Tarvo81_Ldr.log"; }

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    const std::string folder = path.substr(0, path.find_last_of('\\'));
    const int made = ::SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    if (made != ERROR_SUCCESS && made != ERROR_ALREADY_EXISTS && made != ERROR_FILE_EXISTS) return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

namespace {

// Every process a test starts goes into one job that ends them all when the
// test process goes, also when it is killed (a ctest time-out) before its
// destructors run: a stand-in or a hung server left behind would hold its
// pipe, window or exe and fail every test after it.
HANDLE ChildrenJob() {
    static const HANDLE job = [] {
        HANDLE made = ::CreateJobObjectA(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (made != nullptr &&
            !::SetInformationJobObject(made, JobObjectExtendedLimitInformation, &limits, sizeof(limits))) {
            ::CloseHandle(made);
            made = nullptr;
        }
        return made;
    }();
    return job;
}

}  // namespace

ChildProcess ChildProcess::Start(const std::string& exe, const std::string& arguments) {
    std::string commandLine = "\"" + exe + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back('\0');

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessA(exe.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info)) {
        ChildProcess failed;
        failed.error_ = "cannot start " + exe + " (error " + std::to_string(::GetLastError()) + ")";
        return failed;
    }
    // Best effort: without the job a child only ends with its object.
    if (HANDLE job = ChildrenJob()) ::AssignProcessToJobObject(job, info.hProcess);
    ::CloseHandle(info.hThread);
    ChildProcess child;
    child.process_ = info.hProcess;
    child.id_ = info.dwProcessId;
    return child;
}

ChildProcess ChildProcess::Failed(std::string why) {
    ChildProcess failed;
    failed.error_ = std::move(why);
    return failed;
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)),
      id_(std::exchange(other.id_, 0)),
      error_(std::move(other.error_)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        Kill();
        process_ = std::exchange(other.process_, nullptr);
        id_ = std::exchange(other.id_, 0);
        error_ = std::move(other.error_);
    }
    return *this;
}

ChildProcess::~ChildProcess() { Kill(); }

std::optional<DWORD> ChildProcess::WaitForExit(DWORD timeoutMilliseconds) {
    if (process_ == nullptr) return std::nullopt;
    if (::WaitForSingleObject(process_, timeoutMilliseconds) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    ::GetExitCodeProcess(process_, &code);
    return code;
}

bool ChildProcess::IsRunning() { return process_ != nullptr && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

void ChildProcess::Kill() {
    if (process_ == nullptr) return;
    if (IsRunning()) {
        ::TerminateProcess(process_, 255);
        ::WaitForSingleObject(process_, 5000);
    }
    ::CloseHandle(process_);
    process_ = nullptr;
}

ChildProcess StartWindow(const std::string& className, const std::string& title, const std::string& extra) {
    std::string arguments = "\"" + className + "\" \"" + title + "\"";
    if (!extra.empty()) arguments += " " + extra;
    ChildProcess window = ChildProcess::Start(BinFolder() + "\\tarvo_window.exe", arguments);
    if (!window.IsValid()) return window;
    if (WaitUntil([&] { return ::FindWindowA(className.c_str(), title.c_str()) != nullptr; }, 5000)) return window;
    window.Kill();
    return ChildProcess::Failed("the window \"" + className + "\" / \"" + title + "\" did not show within 5 s");
}

ChildProcess StartServerWithSimConnect(const std::string& arguments) {
    const std::string folder = BinFolder() + "\\run";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    for (const auto& [from, to] :
         {std::pair{BinFolder() + "\\Tarvo81_Ldr.exe", folder + "\\Tarvo81_Ldr.exe"},
          std::pair{BinFolder() + "\\simconnect\\SimConnect.dll", folder + "\\SimConnect.dll"}}) {
        if (!::CopyFileA(from.c_str(), to.c_str(), FALSE)) {
            // A server still running from an earlier test holds its exe open, for one.
            return ChildProcess::Failed("cannot copy " + from + " to " + to + " (error " +
                                        std::to_string(::GetLastError()) + ")");
        }
    }
    return ChildProcess::Start(folder + "\\Tarvo81_Ldr.exe", arguments);
}

namespace {

// Waits until a stand-in answers "ping" on its control channel; a loaded
// machine can take many seconds to start a Wine process.
constexpr DWORD kStandInStartMilliseconds = 60000;

ChildProcess StartStandIn(const std::string& exe, const std::string& arguments,
                          std::optional<std::string> (*control)(const std::string&)) {
    ChildProcess process = ChildProcess::Start(BinFolder() + "\\" + exe, arguments);
    if (!process.IsValid()) return process;
    bool answered = false;
    WaitUntil([&] { return (answered = control("ping") == std::optional<std::string>("ok")) || !process.IsRunning(); },
              kStandInStartMilliseconds);
    if (answered) return process;
    if (const auto code = process.WaitForExit(0)) {
        return ChildProcess::Failed(exe + " exited with code " + std::to_string(*code) + " before it answered");
    }
    process.Kill();
    return ChildProcess::Failed(exe + " did not answer on its control channel within " +
                                std::to_string(kStandInStartMilliseconds / 1000) + " s");
}

}  // namespace

ChildProcess StartSimulator(const std::string& tracePath) {
    return StartStandIn("tarvo_standin_sim.exe", "--trace \"" + tracePath + "\"", SimControl);
}

ChildProcess StartCrew(const std::string& tracePath) {
    return StartStandIn("tarvo_standin_crew.exe", "--trace \"" + tracePath + "\"", CrewControl);
}

std::optional<std::string> SimControl(const std::string& command) {
    return wire::SendLine(wire::SimControlPipeName(), command);
}

std::optional<std::string> CrewControl(const std::string& command) {
    return wire::SendLine(wire::CrewControlPipeName(), command);
}

std::string TraceFolder() {
    const std::string folder = BinFolder() + "\\traces";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    const auto text = ReadWholeFile(path);
    if (!text) return lines;
    std::size_t start = 0;
    while (start < text->size()) {
        std::size_t end = text->find('\n', start);
        if (end == std::string::npos) end = text->size();
        std::string line = text->substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

bool WaitForLine(const std::string& path, const std::string& fragment, DWORD timeoutMilliseconds) {
    const DWORD start = ::GetTickCount();
    do {
        for (const std::string& line : ReadLines(path)) {
            if (line.find(fragment) != std::string::npos) return true;
        }
        ::Sleep(25);
    } while (::GetTickCount() - start < timeoutMilliseconds);
    return false;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMilliseconds) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start >= timeoutMilliseconds) return false;
        ::Sleep(25);
    }
    return true;
}

std::optional<std::string> MissingInOrder(const std::vector<std::string>& lines,
                                          const std::vector<std::string>& fragments) {
    std::size_t next = 0;
    for (const std::string& fragment : fragments) {
        while (next < lines.size() && lines[next].find(fragment) == std::string::npos) ++next;
        if (next == lines.size()) return fragment;
        ++next;
    }
    return std::nullopt;
}

std::optional<MessageBoxSeen> WaitForMessageBox(std::string_view caption, DWORD timeoutMilliseconds) {
    const std::string terminated(caption);
    const DWORD start = ::GetTickCount();
    do {
        if (HWND box = ::FindWindowA("#32770", terminated.c_str())) {
            // The text of a message box is the static control with id 0xFFFF.
            char text[1024] = {};
            ::GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
            return MessageBoxSeen{box, text};
        }
        ::Sleep(50);
    } while (::GetTickCount() - start < timeoutMilliseconds);
    return std::nullopt;
}

bool PressOk(HWND messageBox) {
    if (HWND ok = ::GetDlgItem(messageBox, IDOK)) {
        ::SendMessageA(ok, BM_CLICK, 0, 0);
        return true;
    }
    return ::PostMessageA(messageBox, WM_COMMAND, IDOK, 0) != 0;
}

}  // namespace tarvo::e2e
