// The crew app stand-in: a window of class "CSpeaker" titled "Zulcrest" that
// records every message the server sends it (one JSON line each, WM_COPYDATA
// records decoded), and a driver that sends the server the crew app's messages
// on command, from the crew window's own thread so that the server's replies
// arrive while a send is under way, as with the real crew app.
//
//   tarvo_standin_crew.exe [--trace FILE]
//   tarvo_standin_crew.exe --send "COMMAND"     one driver command, reply printed
//
// Driver commands (pipe TARVO_CREWCONTROL_PIPE or its default):
//   announce                 post 39368 with this window as wParam
//   post MSG W L             post to the link window; reply: ok 1|0
//   send MSG W L             send to the link window; reply: ok RESULT
//   query W L                send 39383; reply: ok RESULT
//   copydata KIND HEX        send WM_COPYDATA with these bytes; reply: ok RESULT
//   version N                send WM_COPYDATA kind 887 holding N
//   atom TEXT                add a global atom; reply: ok ATOM
//   atomtext ATOM            read a global atom (its low 16 bits); reply: ok TEXT
//   close                    the crew app leaves: its window is destroyed
//   ping
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "standin-crew/CrewRecords.h"
#include "wire/PipeIo.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT kRunCommand = WM_APP + 7;

std::ofstream gTrace;  // this stand-in's own process state; one window, one trace

void Record(const std::string& line) {
    if (gTrace) gTrace << line << '\n' << std::flush;
}

HWND LinkWindow() { return ::FindWindowA("SimConnector", "Tarvo81_Ldr"); }

std::string Ok(long long value) { return "ok " + std::to_string(value); }

bool ParseNumber(const std::string& text, long long& value) {
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 0);
    return !text.empty() && end != nullptr && *end == '\0';
}

std::string SendCopyData(HWND self, HWND link, ULONG_PTR kind, std::vector<std::uint8_t> bytes) {
    COPYDATASTRUCT record = {};
    record.dwData = kind;
    record.cbData = static_cast<DWORD>(bytes.size());
    record.lpData = bytes.empty() ? nullptr : bytes.data();
    return Ok(static_cast<long long>(
        ::SendMessageA(link, WM_COPYDATA, reinterpret_cast<WPARAM>(self), reinterpret_cast<LPARAM>(&record))));
}

// Runs on the window's thread.
std::string Execute(HWND self, const std::string& line) {
    const std::vector<std::string> t = tarvo::wire::TokenizeCommand(line);
    if (t.empty()) return "error empty command";
    const std::string& command = t[0];
    if (command == "ping") return "ok";
    if (command == "close") {
        ::DestroyWindow(self);
        return "ok";
    }
    if (command == "atom" && t.size() == 2) return Ok(::GlobalAddAtomA(t[1].c_str()));

    long long a = 0, b = 0, c = 0;
    if (command == "atomtext" && t.size() == 2 && ParseNumber(t[1], a)) {
        char text[256] = {};
        const UINT length = ::GlobalGetAtomNameA(static_cast<ATOM>(a & 0xFFFF), text, sizeof(text));
        return length == 0 ? "error no such atom" : "ok " + std::string(text, length);
    }

    HWND link = LinkWindow();
    if (link == nullptr) return "error the server's link window is not there";
    if (command == "announce") {
        return Ok(::PostMessageA(link, 39368, reinterpret_cast<WPARAM>(self), 0));
    }
    if ((command == "post" || command == "send") && t.size() == 4 && ParseNumber(t[1], a) && ParseNumber(t[2], b) &&
        ParseNumber(t[3], c)) {
        const auto message = static_cast<UINT>(a);
        const auto wParam = static_cast<WPARAM>(b);
        const auto lParam = static_cast<LPARAM>(c);
        if (command == "post") return Ok(::PostMessageA(link, message, wParam, lParam));
        return Ok(static_cast<long long>(::SendMessageA(link, message, wParam, lParam)));
    }
    if (command == "query" && t.size() == 3 && ParseNumber(t[1], a) && ParseNumber(t[2], b)) {
        return Ok(static_cast<long long>(
            ::SendMessageA(link, 39383, static_cast<WPARAM>(a), static_cast<LPARAM>(b))));
    }
    if (command == "copydata" && t.size() == 3 && ParseNumber(t[1], a)) {
        const auto bytes = tarvo::wire::ParseHex(t[2]);
        if (!bytes) return "error not hexadecimal: " + t[2];
        return SendCopyData(self, link, static_cast<ULONG_PTR>(a), *bytes);
    }
    if (command == "version" && t.size() == 2 && ParseNumber(t[1], a)) {
        const auto version = static_cast<std::int32_t>(a);
        std::vector<std::uint8_t> bytes(4);
        std::memcpy(bytes.data(), &version, 4);
        return SendCopyData(self, link, 887, bytes);
    }
    return "error unknown command or wrong arguments: " + line;
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kRunCommand: {
            auto* exchange = reinterpret_cast<std::pair<std::string, std::string>*>(lParam);
            exchange->second = Execute(window, exchange->first);
            return 0;
        }
        case WM_COPYDATA: {
            const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (record != nullptr) {
                Record(tarvo::crew::DescribeCopyData(static_cast<std::uint64_t>(wParam), record->dwData,
                                                     static_cast<const std::uint8_t*>(record->lpData), record->cbData));
            }
            return 1;
        }
        case WM_CLOSE:
            Record(tarvo::crew::DescribeMessage(message, wParam, lParam));
            break;  // the crew app closes when asked
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            if (message >= 39169 && message <= 39406) {
                Record(tarvo::crew::DescribeMessage(message, wParam, lParam));
                return 0;
            }
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// Each driver command arrives on its own connection and runs on the window thread.
void ServeDriver(HWND window) {
    tarvo::wire::ServeLines(tarvo::wire::CrewControlPipeName(), [window](const std::string& line) {
        std::pair<std::string, std::string> exchange{line, ""};
        ::SendMessageA(window, kRunCommand, 0, reinterpret_cast<LPARAM>(&exchange));
        return exchange.second.empty() ? std::string("error the crew window is gone") : exchange.second;
    });
}

}  // namespace

int main(int argc, char** argv) {
    std::string tracePath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--send" && i + 1 < argc) {
            const auto reply = tarvo::wire::SendLine(tarvo::wire::CrewControlPipeName(), argv[++i]);
            if (!reply) {
                std::fprintf(stderr, "standin-crew: no crew stand-in is running\n");
                return 1;
            }
            std::printf("%s\n", reply->c_str());
            return reply->rfind("ok", 0) == 0 ? 0 : 1;
        }
        if (arg == "--trace" && i + 1 < argc) tracePath = argv[++i];
    }
    if (!tracePath.empty()) gTrace.open(tracePath, std::ios::out | std::ios::trunc);

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "CSpeaker";
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    ::RegisterClassA(&windowClass);
    HWND window = ::CreateWindowExA(0, "CSpeaker", "Zulcrest", WS_POPUP | WS_BORDER, 1500, 900, 300, 120, nullptr,
                                    nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) return 1;
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    std::thread(ServeDriver, window).detach();

    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    ::ExitProcess(0);
}
