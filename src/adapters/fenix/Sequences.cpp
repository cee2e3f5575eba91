#include "adapters/fenix/Sequences.h"

namespace tarvo::adapters::fenix {

// The sequence arrives with the Fenix's own support; until then it does nothing.
void TestFirstOfficerOxygenMask(Server&) {}

}  // namespace tarvo::adapters::fenix
