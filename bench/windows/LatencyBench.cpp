// How fast the real exe answers the crew app, and what it costs while idle,
// against the simulator stand-in. This program is the crew app: its own
// window of the crew app's class, so the server's replies come straight to it.
//
//   - a crew command (message 39374, gear up): from the post until the key
//     event's call reaches the simulator stand-in, 500 times, one at a time;
//   - the snapshot query (39383 with 6): the send until it returns, the
//     snapshot record having arrived meanwhile, 500 times;
//   - the floor: a bare message sent to a window of another process;
//   - 1,000 commands posted in a row, each reaching the simulator, in order;
//   - the server's processor time over 20 s of a session with nothing to do,
//     beside that of a process that only sleeps.
//
// Prints one table row per figure ("| ..."); everything else goes to stderr.
// Run on a Windows desktop, or under Wine (scripts/bench does).
#include "Harness.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace tarvo;

constexpr UINT kMsgAnnounce = 39368;
constexpr UINT kMsgCommand = 39374;
constexpr UINT kMsgQuery = 39383;
constexpr WPARAM kGearUp = 66079;
constexpr WPARAM kFlapsSet = 65698;
constexpr DWORD kGearUpEvent = 236;
constexpr DWORD kFlapsSetEvent = 240;
constexpr ULONG_PTR kSnapshotKind = 611;
constexpr int kRuns = 500;
constexpr int kBurst = 1000;
constexpr DWORD kIdleMilliseconds = 20000;

long long Ticks() {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Microseconds(long long ticks) {
    static const double perSecond = [] {
        LARGE_INTEGER frequency;
        ::QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart);
    }();
    return static_cast<double>(ticks) * 1e6 / perSecond;
}

int snapshotsReceived = 0;

LRESULT CALLBACK CrewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (record != nullptr && record->dwData == kSnapshotKind) ++snapshotsReceived;
        return 1;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// Lets the server's sends to the crew window through while waiting.
void Pump(DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    do {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (::GetTickCount() - start < milliseconds);
}

bool PumpUntilLogLine(const std::string& fragment, DWORD timeoutMilliseconds) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMilliseconds) {
        const auto log = e2e::ReadWholeFile(e2e::LogPath());
        if (log && log->find(fragment) != std::string::npos) return true;
        Pump(20);
    }
    return false;
}

struct Arrival {
    long long ticks = 0;
    DWORD event = 0;
    DWORD data = 0;
};

// The key events that reached the simulator stand-in since the last ask.
std::vector<Arrival> TakeArrivals() {
    std::vector<Arrival> arrivals;
    const auto reply = e2e::SimControl("arrivals");
    if (!reply || reply->rfind("ok", 0) != 0) return arrivals;
    std::istringstream list(reply->substr(2));
    std::string item;
    while (list >> item) {
        Arrival arrival;
        char colon = 0;
        std::istringstream fields(item);
        fields >> arrival.ticks >> colon >> arrival.event >> colon >> arrival.data;
        arrivals.push_back(arrival);
    }
    return arrivals;
}

struct Spread {
    double p50 = 0, p99 = 0, max = 0;
};

Spread SpreadOf(std::vector<double> values) {
    if (values.empty()) return {};
    std::sort(values.begin(), values.end());
    const auto at = [&](double q) {
        return values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1))];
    };
    return {at(0.50), at(0.99), values.back()};
}

std::string Describe(const Spread& s) {
    char text[96];
    std::snprintf(text, sizeof text, "p50 %.0f µs, p99 %.0f µs, max %.0f µs", s.p50, s.p99, s.max);
    return text;
}

// The round trip of a message nobody acts on, to a window of another process.
Spread BareRoundTrip(HWND window) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const long long start = Ticks();
        ::SendMessageA(window, WM_NULL, 0, 0);
        times.push_back(Microseconds(Ticks() - start));
    }
    return SpreadOf(times);
}

double ProcessorSeconds(HANDLE process) {
    FILETIME created, ended, kernel, user;
    if (!::GetProcessTimes(process, &created, &ended, &kernel, &user)) return -1;
    const auto value = [](FILETIME t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(value(kernel) + value(user)) / 1e7;
}

bool UnderWine() {
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void Row(const std::string& measure, const std::string& result, const std::string& beside, const std::string& ratio,
         const std::string& goal) {
    std::printf("| %s | %s | %s | %s | %s |\n", measure.c_str(), result.c_str(), beside.c_str(), ratio.c_str(),
                goal.c_str());
    std::fflush(stdout);
}

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

int Fail(const char* why) {
    std::fprintf(stderr, "latency bench: %s\n", why);
    e2e::SimControl("quit");
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--sleep") {
        ::Sleep(INFINITE);  // the idle reference
        return 0;
    }
    // Pipes of its own, so a bench never talks to a test's stand-ins.
    ::_putenv_s("TARVO_SIMCONTROL_PIPE", "\\\\.\\pipe\\Tarvo81_BenchSimControl");
    ::_putenv_s("TARVO_SIMCONNECT_PIPE", "\\\\.\\pipe\\Tarvo81_BenchSimConnect");

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = CrewProcedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "CSpeaker";
    ::RegisterClassA(&windowClass);
    HWND crew = ::CreateWindowExA(0, "CSpeaker", "Zulcrest", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    if (crew == nullptr) return Fail("cannot make the crew window");

    e2e::CrewFolder();
    ::DeleteFileA(e2e::LogPath().c_str());
    e2e::ChildProcess simulator = e2e::StartSimulator(e2e::TraceFolder() + "\\bench-latency-sim.jsonl");
    if (!simulator.IsValid()) return Fail("the simulator stand-in did not start");
    e2e::ChildProcess server = e2e::StartServerWithSimConnect("2970");
    if (!server.IsValid() || !PumpUntilLogLine("About to enter main loop", 20000)) {
        return Fail("the server did not reach its main loop");
    }
    HWND link = ::FindWindowA("SimConnector", "Tarvo81_Ldr");
    if (link == nullptr) return Fail("no link window");
    ::PostMessageA(link, kMsgAnnounce, reinterpret_cast<WPARAM>(crew), 0);
    Pump(1000);  // the session's start-up records settle
    TakeArrivals();

    e2e::ChildProcess floorWindow = e2e::StartWindow("TarvoBenchFloor", "floor", "hidden");
    HWND floor = ::FindWindowA("TarvoBenchFloor", "floor");
    if (floor == nullptr) return Fail("the floor's window did not start");
    const Spread bare = BareRoundTrip(floor);
    std::fprintf(stderr, "bare message round trip: %s\n", Describe(bare).c_str());

    // One command at a time: each is posted once the one before it has reached
    // the simulator, so no command waits behind another.
    std::vector<double> commandTimes;
    int commandsArrived = 0;
    for (int i = 0; i < kRuns; ++i) {
        Pump(2);
        const long long posted = Ticks();
        ::PostMessageA(link, kMsgCommand, kGearUp, 0);
        const DWORD waitStart = ::GetTickCount();
        std::vector<Arrival> arrived;
        // The arrival carries the stand-in's own time, so looking once a
        // millisecond measures the same; asking its control pipe without a
        // pause would take the processor from the server and the stand-in.
        while (arrived.empty() && ::GetTickCount() - waitStart < 5000) {
            ::Sleep(1);
            arrived = TakeArrivals();
        }
        if (arrived.size() != 1 || arrived.front().event != kGearUpEvent) continue;
        ++commandsArrived;
        commandTimes.push_back(Microseconds(arrived.front().ticks - posted));
    }
    if (commandsArrived != kRuns)
        std::fprintf(stderr, "%d of %d gear commands reached the simulator\n", commandsArrived, kRuns);
    const Spread command = SpreadOf(commandTimes);

    std::vector<double> snapshotTimes;
    snapshotsReceived = 0;
    for (int i = 0; i < kRuns; ++i) {
        const long long start = Ticks();
        ::SendMessageA(link, kMsgQuery, 6, 0);
        snapshotTimes.push_back(Microseconds(Ticks() - start));
        Pump(1);
    }
    const Spread snapshot = SpreadOf(snapshotTimes);
    if (snapshotsReceived != kRuns) std::fprintf(stderr, "%d of %d snapshots arrived\n", snapshotsReceived, kRuns);

    const std::string floorText = "bare message: " + Describe(bare);
    const std::string goal = "p99 < 500 µs, ≤ 5× the bare p99";
    Row(Format("Crew command, post to simulator (%.0f of 500)", commandsArrived), Describe(command), floorText,
        Format("%.1f×", command.p99 / bare.p99), goal);
    Row(Format("Snapshot round trip, query 6 to record 611 (%.0f of 500)", snapshotsReceived), Describe(snapshot),
        floorText, Format("%.1f×", snapshot.p99 / bare.p99), goal);

    // A burst: each command carries its number, so the order shows at the simulator.
    const long long burstStart = Ticks();
    for (int i = 1; i <= kBurst; ++i) ::PostMessageA(link, kMsgCommand, kFlapsSet, i);
    std::vector<Arrival> burst;
    const DWORD waitStart = ::GetTickCount();
    while (burst.size() < kBurst && ::GetTickCount() - waitStart < 20000) {
        Pump(20);
        for (const Arrival& a : TakeArrivals()) {
            if (a.event == kFlapsSetEvent) burst.push_back(a);
        }
    }
    bool inOrder = true;
    for (std::size_t i = 0; i < burst.size(); ++i) inOrder = inOrder && burst[i].data == i + 1;
    const double burstMs = burst.empty() ? 0 : Microseconds(burst.back().ticks - burstStart) / 1000;
    Row("Burst of 1,000 crew commands posted in a row",
        Format("%.0f of 1,000 reached the simulator", static_cast<double>(burst.size())) +
            (inOrder ? ", in order" : ", OUT OF ORDER") + Format(", the last after %.1f ms", burstMs),
        "", "", "all, in order");

    // Idle: the session open, nothing asked of it. Under Wine another
    // process's times are not to be had from Windows: the markers on stderr
    // let whoever runs this measure them from outside (scripts/bench does).
    e2e::ChildProcess sleeper = e2e::ChildProcess::Start(argv[0], "--sleep");
    HANDLE serverProcess = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, server.Id());
    HANDLE sleeperProcess = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, sleeper.Id());
    Pump(1000);
    std::fprintf(stderr, "idle begins\n");
    std::fflush(stderr);
    const double serverBefore = ProcessorSeconds(serverProcess), sleeperBefore = ProcessorSeconds(sleeperProcess);
    const long long idleStart = Ticks();
    Pump(kIdleMilliseconds);
    const double idleSeconds = Microseconds(Ticks() - idleStart) / 1e6;
    const double serverIdle = (ProcessorSeconds(serverProcess) - serverBefore) / idleSeconds * 100;
    const double sleeperIdle = (ProcessorSeconds(sleeperProcess) - sleeperBefore) / idleSeconds * 100;
    std::fprintf(stderr, "idle ends\n");
    std::fflush(stderr);
    if (!UnderWine()) {
        Row(Format("Idle processor time over %.0f s, session open", idleSeconds),
            Format("%.3f %% of a core", serverIdle), Format("a process that only sleeps: %.3f %%", sleeperIdle), "",
            "< 0.2 %");
    }
    e2e::SimControl("quit");
    const bool serverEnded = server.WaitForExit(10000).has_value();
    simulator.WaitForExit(5000);
    if (!serverEnded) std::fprintf(stderr, "the server did not end after the simulator quit\n");
    return commandsArrived == kRuns && snapshotsReceived == kRuns && burst.size() == kBurst && inOrder ? 0 : 1;
}
