#include "link/Overlay.h"

namespace tarvo::link {

// Drawing arrives with the overlay window support; until then notices are dropped,
// as they are whenever neither the simulator nor the crew app has the focus.
void ShowOverlayText(Server&, std::string_view, std::uint32_t, bool) {}

}  // namespace tarvo::link
