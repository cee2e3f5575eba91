// The server's life from its command line to its exit code: start-up checks,
// the main loop, and shutdown in its fixed order.
#pragma once

#include "host/Server.h"

#include <string_view>

namespace tarvo::host {

// The only command line the crew app of the matching version passes.
inline constexpr std::string_view kVersionToken = "2970";

// Runs start-up, the main loop and shutdown; returns the process exit code: 0
// for a normal end and for the refusals, 1 when start-up could not get a
// resource it needs. commandLine is everything after the program name.
int RunServer(Server& server, std::string_view commandLine);

// What is left to do when an exception escaped RunServer on the main thread:
// the steps of shutdown that are safe whatever state the server was left in
// (the running flag cleared, the main session's events unsubscribed and the
// session closed unless shutdown already did, the last log line). Returns the
// exit code, 1.
int ShutDownAfterFailure(Server& server) noexcept;

// One pass of the main loop: simulator messages, then one window message or
// the keyboard watcher, then a 1 ms pause.
void RunMainLoopPass(Server& server);

// The simulator's main window: visible, class "AceApp", title naming the
// simulator; 0 when there is none.
WindowId FindSimulatorWindow(platform::Desktop& desktop);

}  // namespace tarvo::host
