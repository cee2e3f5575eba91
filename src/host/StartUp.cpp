#include "host/StartUp.h"

namespace tarvo::host {

int RunServer(Server& server, std::string_view commandLine) {
    platform::Desktop& desktop = server.ports.desktop;

    // The crew app always passes its version; a bare start is a user double-clicking the exe.
    if (commandLine.empty()) {
        desktop.ShowMessageBox(0, "Cannot run this app as standalone", kMessageBoxCaption,
                               platform::kMbIconInformation);
        return 0;
    }
    return 0;
}

}  // namespace tarvo::host
