// Plays the demo session against the real exe and prints what crossed each
// boundary, as a newcomer would want to see it.
#include "Harness.h"

#include <cstdio>

namespace {

using tarvo::e2e::BinFolder;
using tarvo::e2e::ChildProcess;

void Say(const char* text) {
    std::printf("%s\n", text);
    std::fflush(stdout);
}

int ShowStandaloneRefusal() {
    Say("== Starting Tarvo81_Ldr.exe the way a user double-clicking it would (no command line)");
    ChildProcess server = ChildProcess::Start(BinFolder() + "\\Tarvo81_Ldr.exe", "");
    if (!server.IsValid()) {
        std::printf("demo: %s\n", server.error().c_str());
        return 1;
    }
    const auto box = tarvo::e2e::WaitForMessageBox("Tarvo81_Ldr", 15000);
    if (!box) {
        Say("demo: no message box appeared");
        return 1;
    }
    std::printf("   message box \"Tarvo81_Ldr\": %s\n", box->text.c_str());
    Say("   pressing OK");
    tarvo::e2e::PressOk(box->window);
    const auto code = server.WaitForExit(10000);
    if (!code) {
        Say("demo: the server did not exit");
        return 1;
    }
    std::printf("   Tarvo81_Ldr.exe exited with code %lu\n", static_cast<unsigned long>(*code));
    return 0;
}

}  // namespace

int main() { return ShowStandaloneRefusal(); }
