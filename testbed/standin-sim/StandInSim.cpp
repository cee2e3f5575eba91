// The simulator stand-in: a process that looks like Microsoft Flight Simulator
// to the server. It shows the simulator's main window, serves SimConnect
// sessions over a named pipe from a simulated world (our SimConnect.dll is the
// client side), takes scenario commands on a control pipe, and writes a trace of
// every call and record as JSON lines.
//
//   tarvo_standin_sim.exe [--trace FILE] [--title TITLE] [--rect X Y W H]
//   tarvo_standin_sim.exe --send "COMMAND"      one control command, reply printed
//
// Pipes: TARVO_SIMCONNECT_PIPE and TARVO_SIMCONTROL_PIPE, or their defaults.
#include "simworld/InProcessSimConnect.h"
#include "standin-sim/Control.h"
#include "standin-sim/SessionServer.h"
#include "wire/PipeIo.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace {

constexpr UINT kQuitRequested = WM_APP + 1;

// Images live in the stand-in's own private memory, where the server's
// VirtualQueryEx / ReadProcessMemory find them as they would in the simulator.
class ProcessImages final : public tarvo::standin::MemoryImages {
public:
    std::optional<std::uint64_t> Create(const std::string& name, std::size_t size) override {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (images_.count(name) != 0) return std::nullopt;
        void* base = ::VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS);
        if (base == nullptr) return std::nullopt;
        if (::VirtualAlloc(base, size, MEM_COMMIT, PAGE_READWRITE) == nullptr) {
            ::VirtualFree(base, 0, MEM_RELEASE);
            return std::nullopt;
        }
        images_[name] = {static_cast<std::uint8_t*>(base), size};
        return reinterpret_cast<std::uint64_t>(base);
    }

    bool Write(const std::string& name, std::size_t offset, const std::vector<std::uint8_t>& bytes) override {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto found = images_.find(name);
        if (found == images_.end() || offset > found->second.size || bytes.size() > found->second.size - offset) {
            return false;
        }
        std::memcpy(found->second.base + offset, bytes.data(), bytes.size());
        return true;
    }

private:
    struct Image {
        std::uint8_t* base;
        std::size_t size;
    };
    std::mutex mutex_;
    std::map<std::string, Image> images_;
};

// Writes one line to the trace; the window keeps a pointer to it.
using TraceLine = std::function<void(const std::string&)>;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Keys typed into the simulator (by the pilot, or by the server for the
    // crew app) go to the trace, as the simulator's key bindings would see them.
    if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP) {
        if (const auto* trace = reinterpret_cast<const TraceLine*>(::GetWindowLongPtrA(window, GWLP_USERDATA))) {
            const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
            (*trace)(std::string(R"({"dir":"key","event":")") + (down ? "down" : "up") +
                     R"(","vk":)" + std::to_string(wParam) + "}");
        }
    }
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

struct Options {
    std::string trace;
    std::string title = "Microsoft Flight Simulator - 1.37.19.0";
    int x = 100, y = 50, width = 1600, height = 900;
    std::string send;
};

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--trace" && i + 1 < argc) {
            options.trace = argv[++i];
        } else if (arg == "--title" && i + 1 < argc) {
            options.title = argv[++i];
        } else if (arg == "--send" && i + 1 < argc) {
            options.send = argv[++i];
        } else if (arg == "--rect" && i + 4 < argc) {
            options.x = std::atoi(argv[++i]);
            options.y = std::atoi(argv[++i]);
            options.width = std::atoi(argv[++i]);
            options.height = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "standin-sim: unknown option %s\n", arg.c_str());
        }
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ParseOptions(argc, argv);
    if (!options.send.empty()) {
        const auto reply = tarvo::wire::SendLine(tarvo::wire::SimControlPipeName(), options.send);
        if (!reply) {
            std::fprintf(stderr, "standin-sim: no simulator stand-in is running\n");
            return 1;
        }
        std::printf("%s\n", reply->c_str());
        return reply->rfind("ok", 0) == 0 ? 0 : 1;
    }

    tarvo::simworld::SimWorld world;
    tarvo::simworld::InProcessSimConnect simConnect(world);

    std::mutex traceMutex;
    std::ofstream trace;
    if (!options.trace.empty()) {
        trace.open(options.trace, std::ios::out | std::ios::trunc);
        if (!trace) std::fprintf(stderr, "standin-sim: cannot write the trace %s\n", options.trace.c_str());
    }
    simConnect.SetTrace([&](const tarvo::simworld::TraceEntry& entry) {
        const std::lock_guard<std::mutex> lock(traceMutex);
        if (trace) trace << tarvo::simworld::ToJsonLine(entry) << '\n' << std::flush;
    });
    simConnect.SetSignal([](tarvo::EventId event) { ::SetEvent(reinterpret_cast<HANDLE>(event)); });

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "AceApp";
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(DKGRAY_BRUSH));
    ::RegisterClassA(&windowClass);
    HWND window = ::CreateWindowExA(0, "AceApp", options.title.c_str(), WS_POPUP | WS_BORDER, options.x, options.y,
                                    options.width, options.height, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) {
        std::fprintf(stderr, "standin-sim: cannot create the simulator window\n");
        return 1;
    }
    const TraceLine traceLine = [&](const std::string& line) {
        const std::lock_guard<std::mutex> lock(traceMutex);
        if (trace) trace << line << '\n' << std::flush;
    };
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&traceLine));
    // What an add-on aircraft's SDK receives, by the event's own name.
    world.WatchAddOnEvents([&](const tarvo::simworld::SimWorld::AddOnEvent& event) {
        traceLine(tarvo::simworld::ToJsonLine({event.connection, "event", event.name, {std::to_string(event.data)}}));
    });
    // The simulator is the window the pilot works in: it has the focus.
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);

    std::atomic<bool> stopping{false};
    // World time follows real time.
    std::thread clock([&] {
        DWORD last = ::GetTickCount();
        while (!stopping) {
            ::Sleep(20);
            const DWORD now = ::GetTickCount();
            world.AdvanceTime(now - last);
            last = now;
        }
    });

    tarvo::standin::SessionServer sessions(simConnect, tarvo::wire::SimConnectPipeName());
    sessions.Start();
    ProcessImages images;
    tarvo::standin::WasmModuleHost wasm(world);
    std::thread([&world, &images, &wasm, &sessions, window] {
        const auto requestQuit = [window] { ::PostMessageA(window, kQuitRequested, 0, 0); };
        tarvo::wire::ServeLines(tarvo::wire::SimControlPipeName(), [&](const std::string& line) {
            if (line == "arrivals") {
                const std::string arrivals = sessions.TakeEventArrivals();
                return arrivals.empty() ? std::string("ok") : "ok " + arrivals;
            }
            return tarvo::standin::RunCommand(world, images, wasm, line, requestQuit);
        });
    }).detach();

    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == kQuitRequested) {
            // The simulator closing: every session gets QUIT, and clients get a
            // moment to unsubscribe and close before the window goes.
            world.Quit();
            for (int waited = 0; sessions.ActiveSessions() > 0 && waited < 5000; waited += 20) ::Sleep(20);
            ::DestroyWindow(window);
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    stopping = true;
    clock.join();
    // Sessions and control threads end with the process.
    std::fflush(stdout);
    ::ExitProcess(0);
}
