// The server's life from its command line to its exit code.
#pragma once

#include "host/Server.h"

#include <string_view>

namespace tarvo::host {

// Caption of every message box the server shows about itself.
inline constexpr std::string_view kMessageBoxCaption = "Tarvo81_Ldr";

// Runs start-up, the main loop and shutdown; returns the process exit code.
// commandLine is the whole command line after the program name.
int RunServer(Server& server, std::string_view commandLine);

}  // namespace tarvo::host
