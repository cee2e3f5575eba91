// State of the crew-app link: the window protocol, overlay, ATC menu, sound.
#pragma once

namespace tarvo::link {

struct LinkState {};

}  // namespace tarvo::link
