#include "adapters/fenix/Fma.h"

#include "link/Reports.h"

namespace tarvo::adapters::fenix {

// The display process reader arrives with the Fenix adapter; until then the
// mode words keep what they hold.
void DecodeFma(Server&, link::SnapshotRecord&) {}

}  // namespace tarvo::adapters::fenix
