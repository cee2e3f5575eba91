// State of the main simulator session: the aircraft state records and flags
// the dispatch procedure keeps.
#pragma once

namespace tarvo::sim {

struct SessionState {};

}  // namespace tarvo::sim
