// The Windows entry point: builds the real ports and hands the command line to
// the core.
#include "host/StartUp.h"
#include "win32/SimConnectDll.h"
#include "win32/Win32.h"
#include "win32/Win32Clock.h"
#include "win32/Win32Desktop.h"
#include "win32/Win32Files.h"
#include "win32/Win32ProcessMemory.h"
#include "win32/Win32Sound.h"
#include "win32/Win32Threads.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR commandLine, int /*show*/) {
    using namespace tarvo;
    win32::Win32Clock clock;
    win32::Win32Threads threads;
    win32::Win32Desktop desktop;
    win32::Win32Files files;
    win32::Win32ProcessMemory memory;
    win32::Win32Sound sound;
    Server* server = nullptr;
    win32::SimConnectDll simConnect([&server](std::string_view line) {
        if (server != nullptr) server->log.Write(line);
    });

    Server instance(platform::Ports{clock, threads, desktop, files, memory, sound, simConnect});
    server = &instance;
    int exitCode = 1;
    try {
        exitCode = host::RunServer(instance, commandLine != nullptr ? commandLine : "");
    } catch (...) {
        exitCode = host::ShutDownAfterFailure(instance);
    }
    // A worker that did not end at shutdown still uses the Server and
    // SimConnect.dll: end the process here, which stops it before anything is
    // destroyed under it.
    if (instance.workers.Running() > 0) ::ExitProcess(static_cast<UINT>(exitCode));
    return exitCode;
}
