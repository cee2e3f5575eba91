// A Fenix A320 process as the server sees it: a hidden window of the system's
// (or the display's) class and caption, and memory of the Fenix's kind where
// the control channel lays out the blocks the server searches for.
//
//   tarvo_fenix_standin.exe [--role system|display] [--class CLASS] [--title TITLE] [--pipe PIPE]
//   tarvo_fenix_standin.exe [--role ...] [--pipe PIPE] --send "COMMAND"   one command, reply printed
//
// The control pipe is \\.\pipe\Tarvo81_FenixSystem or \\.\pipe\Tarvo81_FenixDisplay
// unless --pipe names another.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "fenix-standin/FenixControl.h"
#include "wire/PipeIo.h"

#include <cstdio>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace {

constexpr UINT kQuitRequested = WM_APP + 1;

// Images in the stand-in's own memory, committed read-write from the start as
// the Fenix's heap is, where VirtualQueryEx / ReadProcessMemory find them.
class ProcessImages final : public tarvo::standin::FenixImages {
public:
    std::optional<std::uint64_t> Create(const std::string& name, std::size_t size, std::uint64_t address) override {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (images_.count(name) != 0) return std::nullopt;
        void* base = ::VirtualAlloc(reinterpret_cast<void*>(address), size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (base == nullptr) return std::nullopt;
        images_[name] = {static_cast<std::uint8_t*>(base), size};
        return reinterpret_cast<std::uint64_t>(base);
    }

    std::span<std::uint8_t> Bytes(const std::string& name) override {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto found = images_.find(name);
        if (found == images_.end()) return {};
        return {found->second.base, found->second.size};
    }

private:
    struct Image {
        std::uint8_t* base;
        std::size_t size;
    };
    std::mutex mutex_;
    std::map<std::string, Image> images_;
};

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kQuitRequested) {
        ::DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

struct Options {
    bool display = false;
    std::string className;
    std::string title;
    std::string pipe;
    std::string send;
};

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--role" && i + 1 < argc) {
            options.display = std::string(argv[++i]) == "display";
        } else if (arg == "--class" && i + 1 < argc) {
            options.className = argv[++i];
        } else if (arg == "--title" && i + 1 < argc) {
            options.title = argv[++i];
        } else if (arg == "--pipe" && i + 1 < argc) {
            options.pipe = argv[++i];
        } else if (arg == "--send" && i + 1 < argc) {
            options.send = argv[++i];
        } else {
            std::fprintf(stderr, "fenix-standin: unknown option %s\n", arg.c_str());
        }
    }
    // The latest known version of each window.
    if (options.className.empty()) {
        options.className = options.display ? "WindowsForms10.Window.8.app.0.afceb_r12_ad1"
                                            : "WindowsForms10.Window.8.app.0.27a2811_r12_ad1";
    }
    if (options.title.empty()) {
        options.title = options.display ? "Fenix Display" : "FenixSim A320 System 1.5.1.200, commit 5a848f0ad0";
    }
    if (options.pipe.empty()) {
        options.pipe = options.display ? "\\\\.\\pipe\\Tarvo81_FenixDisplay" : "\\\\.\\pipe\\Tarvo81_FenixSystem";
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ParseOptions(argc, argv);
    if (!options.send.empty()) {
        const auto reply = tarvo::wire::SendLine(options.pipe, options.send);
        if (!reply) {
            std::fprintf(stderr, "fenix-standin: no Fenix stand-in answers on %s\n", options.pipe.c_str());
            return 1;
        }
        std::printf("%s\n", reply->c_str());
        return reply->rfind("ok", 0) == 0 ? 0 : 1;
    }

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = options.className.c_str();
    if (::RegisterClassA(&windowClass) == 0) {
        std::fprintf(stderr, "fenix-standin: cannot register the class %s\n", options.className.c_str());
        return 1;
    }
    // Never shown: the Fenix's windows are found hidden.
    HWND window = ::CreateWindowExA(0, options.className.c_str(), options.title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 400,
                                    300, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) {
        std::fprintf(stderr, "fenix-standin: cannot create the window\n");
        return 1;
    }

    ProcessImages images;
    std::thread([&images, window, pipe = options.pipe] {
        const auto requestQuit = [window] { ::PostMessageA(window, kQuitRequested, 0, 0); };
        tarvo::wire::ServeLines(
            pipe, [&](const std::string& line) { return tarvo::standin::RunFenixCommand(images, line, requestQuit); });
    }).detach();

    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    std::fflush(stdout);
    ::ExitProcess(0);
}
