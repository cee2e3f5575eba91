// State of the local-variable bridge and of discovery.
#pragma once

namespace tarvo::bridge {

struct BridgeState {};

}  // namespace tarvo::bridge
