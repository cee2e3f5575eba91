// Plays the demo session against the real exe and prints what crossed each
// boundary, as a newcomer would want to see it.
#include "Harness.h"
#include "wire/PipeIo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

using namespace tarvo::e2e;

void Say(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

// The value of "key":"value" in a JSON line, or empty.
std::string Field(const std::string& line, const std::string& key) {
    const std::string marker = "\"" + key + "\":\"";
    const auto start = line.find(marker);
    if (start == std::string::npos) return {};
    const auto from = start + marker.size();
    return line.substr(from, line.find('"', from) - from);
}

// The simulator's trace, summed up: how often each call came and each record
// went, in the order they first appeared.
void ShowSimulatorTrace(const std::string& path) {
    std::vector<std::pair<std::string, int>> counts;
    for (const std::string& line : ReadLines(path)) {
        const std::string function = Field(line, "fn");
        if (function == "GetNextDispatch" || function.empty()) continue;  // the pipe's own pumping
        const std::string entry = Field(line, "conn") + (Field(line, "dir") == "call" ? " -> " : " <- ") + function;
        auto found = std::find_if(counts.begin(), counts.end(), [&](const auto& c) { return c.first == entry; });
        if (found == counts.end()) {
            counts.emplace_back(entry, 1);
        } else {
            ++found->second;
        }
    }
    for (const auto& [entry, count] : counts)
        Say("   sim  " + entry + (count > 1 ? "  x" + std::to_string(count) : ""));
}

// A number the simulator stand-in reports, rounded for reading.
std::string Reading(const std::string& command) {
    const auto reply = SimControl(command);
    if (!reply || reply->rfind("ok ", 0) != 0) return "?";
    return std::to_string(static_cast<long>(std::lround(std::atof(reply->c_str() + 3))));
}

// Asks whoever runs the demo to photograph the screen (scripts/demo does, with
// ImageMagick's import), and waits a moment for it.
void TakeScreenshot() {
    const std::string ready = TraceFolder() + "\\screenshot-wanted";
    const std::string done = TraceFolder() + "\\screenshot-taken";
    ::DeleteFileA(done.c_str());
    if (HANDLE file = ::CreateFileA(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        file != INVALID_HANDLE_VALUE) {
        ::CloseHandle(file);
    }
    for (int i = 0; i < 100 && ::GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) ::Sleep(50);
    ::DeleteFileA(ready.c_str());
}

int ShowStandaloneRefusal() {
    Say("== 1. Starting Tarvo81_Ldr.exe the way a user double-clicking it would (no command line)");
    ChildProcess server = ChildProcess::Start(BinFolder() + "\\Tarvo81_Ldr.exe", "");
    if (!server.IsValid()) return Say("demo: " + server.error()), 1;
    const auto box = WaitForMessageBox("Tarvo81_Ldr", 15000);
    if (!box) return Say("demo: no message box appeared"), 1;
    Say("   message box \"Tarvo81_Ldr\": " + box->text);
    Say("   pressing OK");
    PressOk(box->window);
    const auto code = server.WaitForExit(10000);
    if (!code) return Say("demo: the server did not exit"), 1;
    Say("   Tarvo81_Ldr.exe exited with code " + std::to_string(*code));
    return 0;
}

int ShowSession() {
    Say("");
    Say("== 2. A session: simulator and crew stand-ins, the crew app starts the server with \"2970\"");
    const std::string simTrace = TraceFolder() + "\\demo-sim.jsonl";
    const std::string crewTrace = TraceFolder() + "\\demo-crew.jsonl";
    ::DeleteFileA(LogPath().c_str());
    ChildProcess simulator = StartSimulator(simTrace);
    if (!simulator.IsValid()) return Say("demo: the simulator stand-in did not start: " + simulator.error()), 1;
    ChildProcess crew = StartCrew(crewTrace);
    if (!crew.IsValid()) return Say("demo: the crew stand-in did not start: " + crew.error()), 1;
    Say("   simulator: its ATC menu offers IFR clearance and ground services");
    SimControl(R"(atc "1 - Request IFR Clearance" "2 - Contact Ground on 121.900")");

    ChildProcess server = StartServerWithSimConnect("2970");
    if (!server.IsValid()) return Say("demo: " + server.error()), 1;
    if (!WaitForLine(LogPath(), "About to enter main loop", 15000)) return Say("demo: the server did not start"), 1;
    Say("   the server is in its main loop");

    Say("   crew app: announces itself (39368)");
    CrewControl("announce");
    Say("   simulator: the simulation runs (system event \"Sim\" 1)");
    SimControl("event Sim 1");
    Say("   simulator: the pilot moves the spoilers (key event SPOILERS_SET 8192)");
    SimControl("key SPOILERS_SET 8192");
    // The server found the menu in the simulator's memory and chose ground services.
    WaitForLine(crewTrace, "\"msg\":39372,", 10000);
    Say("   crew app: asks for the ATC menu text (query 11), chooses \"Request IFR Clearance\" (39373 64708)");
    CrewControl("query 11 0");
    CrewControl("send 39373 64708 0");
    Say("   crew app: types Control+Shift+A into the simulator (39190)");
    CrewControl("send 39190 3 65");
    Say("   crew app: gear up (39374 66079), flaps to half (39374 65698 8191)");
    CrewControl("post 39374 66079 0");
    CrewControl("post 39374 65698 8191");
    WaitForLine(simTrace, R"("fn":"TransmitClientEvent","args":[0,240,8191,1,16])", 5000);
    Say("   simulator: gear handle at " + Reading(R"(get "GEAR HANDLE POSITION" position)") +
        " (up), flaps handle at " + Reading(R"(get "FLAPS HANDLE PERCENT" percent)") + " %");
    Say("   a Fenix A320 runs beside the simulator (its hidden system window); crew app: looks for it (39189 58 2)");
    ChildProcess fenix = ChildProcess::Start(BinFolder() + "\\tarvo_fenix_standin.exe", "--role system");
    const std::string fenixPipe = "\\\\.\\pipe\\Tarvo81_FenixSystem";
    for (int i = 0; fenix.IsValid() && i < 200 && !tarvo::wire::SendLine(fenixPipe, "ping"); ++i) ::Sleep(25);
    CrewControl("send 39189 58 2");
    Say(WaitForLine(LogPath(), "Detected Fenix window", 5000) ? "   server: \"Detected Fenix window\""
                                                              : "   server: no Fenix window found");
    tarvo::wire::SendLine(fenixPipe, "quit");
    Say("   crew app: the PMDG 737 is loaded (39189 17); the captain presses its CDU's first key (39374 69537 1)");
    SimControl("sdk area PMDG_NG3_Data 912");
    SimControl("sdk area PMDG_NG3_Control 8");
    CrewControl("send 39189 17 0");
    CrewControl("post 39374 69537 1");
    WaitForLine(simTrace, R"("dir":"event","fn":"#70166","args":[131072])", 5000);
    const auto heard = SimControl("sdk events");
    Say("   aircraft: heard " + (heard && heard->size() > 3 ? heard->substr(3) : std::string("nothing")) +
        " (left button down, then up)");
    Say("   crew app: the PMDG 777 is loaded (39189 34); the speed brake lever to its middle (39374 65786 8000)");
    SimControl("sdk area PMDG_777X_Data 728");
    SimControl("sdk area PMDG_777X_Control 8");
    CrewControl("send 39189 34 0");
    CrewControl("post 39374 65786 8000");
    Say(WaitForLine(simTrace, R"("conn":"ZUL_To_777X","dir":"event","fn":"#74616","args":[131072])", 5000)
            ? "   aircraft: heard #74616 (a left click)"
            : "   aircraft: heard nothing");
    Say("   crew app: the ATR 72-600 is loaded (39189 78); gear down (39374 66080) needs none of its variables");
    CrewControl("send 39189 78 0");
    CrewControl("post 39374 66080 0");
    Say(WaitForLine(simTrace, R"("fn":"TransmitClientEvent","args":[0,235,0,1,16])", 5000)
            ? "   simulator: GEAR_DOWN"
            : "   simulator: no GEAR_DOWN");
    // Frames make the server keep its (blank) line on screen, as in a running simulator.
    for (int frame = 0; frame < 15; ++frame) SimControl("frame 30 1");
    ::Sleep(300);
    Say("   crew app: shows notice 1042 for 5 s (39177)");
    CrewControl("post 39177 1042 5000");
    ::Sleep(500);
    TakeScreenshot();
    Say("   simulator: shuts down (QUIT to every session)");
    SimControl("quit");
    const auto code = server.WaitForExit(15000);
    Say("   Tarvo81_Ldr.exe exited with code " + (code ? std::to_string(*code) : std::string("(still running)")));
    simulator.WaitForExit(10000);

    Say("");
    Say("   What the simulator saw (calls ->, records <-):");
    ShowSimulatorTrace(simTrace);
    Say("   What the crew app received:");
    for (const std::string& line : ReadLines(crewTrace)) Say("   crew " + line);
    Say("   The server's log:");
    for (const std::string& line : ReadLines(LogPath())) Say("   log  " + line);
    Say("");
    Say("   Traces: " + simTrace);
    Say("           " + crewTrace);
    return code == std::optional<DWORD>(0) ? 0 : 1;
}

}  // namespace

int main() {
    if (const int failed = ShowStandaloneRefusal()) return failed;
    return ShowSession();
}
