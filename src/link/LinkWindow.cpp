#include "link/LinkWindow.h"

#include <cstdint>

namespace tarvo::link {
namespace {

// The crew app's messages, in the order they are allowed through the filter.
// 39404-39406 are handled but not listed: only processes of the same or lower
// integrity level reach them.
constexpr std::uint32_t kAllowedMessages[] = {
    74,    39383, 39385, 39370, 39372, 39373, 39374, 39379, 39215, 39195,
    39199, 39223, 39243, 39191, 39177, 39178, 39378, 39192, 39190, 39221,
    39222, 39193, 39194, 39196, 39376, 39377, 39384, 39395, 39188, 39217,
    39189, 39198, 39367, 39218, 39368, 39369, 39244, 39245, 39246, 39401,
    39247, 39248, 273,   39176, 16,    39402, 39249, 39250, 39197, 39255,
};
static_assert(std::size(kAllowedMessages) == 50);

}  // namespace

MessageResult LinkWindowProcedure::OnMessage(WindowId window, std::uint32_t message, WParam wParam, LParam lParam,
                                             const platform::CopyData*) {
    platform::Desktop& desktop = server_.ports.desktop;
    if (message == platform::kWmCreate) {
        server_.ports.threads.SetCurrentThreadPriority(platform::ThreadPriority::Lowest);
    }
    return desktop.DefaultProcedure(window, message, wParam, lParam);
}

bool AllowCrewMessages(Server& server) {
    bool allAllowed = true;
    for (std::uint32_t message : kAllowedMessages) {
        allAllowed = server.ports.desktop.AllowMessage(server.host.linkWindow, message) && allAllowed;
    }
    return allAllowed;
}

}  // namespace tarvo::link
