// The link window: the receiving end of the crew app's messages.
#pragma once

#include "host/Server.h"
#include "platform/Desktop.h"

namespace tarvo::link {

// The core's window procedure of the link window.
class LinkWindowProcedure final : public platform::WindowProcedure {
public:
    explicit LinkWindowProcedure(Server& server) : server_(server) {}
    MessageResult OnMessage(WindowId window, std::uint32_t message, WParam wParam, LParam lParam,
                            const platform::CopyData* copyData) override;

private:
    Server& server_;
};

// Lets every message the crew app sends through the link window's privilege
// isolation filter; true only when all were allowed.
bool AllowCrewMessages(Server& server);

}  // namespace tarvo::link
