#include "Harness.h"

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
    ::CloseHandle(info.hThread);
    ChildProcess child;
    child.process_ = info.hProcess;
    child.id_ = info.dwProcessId;
    return child;
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
    for (int i = 0; window.IsValid() && i < 200; ++i) {
        if (::FindWindowA(className.c_str(), title.c_str()) != nullptr) return window;
        ::Sleep(25);
    }
    window.Kill();
    ChildProcess failed;
    return failed;
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
