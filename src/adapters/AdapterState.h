// State shared by the aircraft adapters.
#pragma once

namespace tarvo::adapters {

struct AdapterState {};

}  // namespace tarvo::adapters
