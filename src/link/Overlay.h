// The one-line overlay drawn in the link window over the simulator.
#pragma once

#include "host/Server.h"

#include <cstdint>
#include <string_view>

namespace tarvo::link {

// Shows text for durationMilliseconds; keep = true only redraws and leaves the
// visible flag and hide time alone.
void ShowOverlayText(Server& server, std::string_view text, std::uint32_t durationMilliseconds, bool keep);

}  // namespace tarvo::link
