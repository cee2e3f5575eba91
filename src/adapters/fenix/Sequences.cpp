#include "adapters/fenix/Sequences.h"

#include "adapters/Slots.h"
#include "adapters/Workers.h"
#include "bridge/Registry.h"

namespace tarvo::adapters::fenix {
namespace {

struct Step {
    Slot slot;
    double value;
    std::uint32_t pauseAfter;
};

// The cover up, the test button pressed twice for a second, the cover down.
// clang-format off
constexpr Step kOxygenMaskTest[] = {
    {Slot::FirstOfficerOxygenMaskCover,      1.0, 1000},
    {Slot::FirstOfficerOxygenMaskTestButton, 1.0, 1000},
    {Slot::FirstOfficerOxygenMaskTestButton, 0.0, 1000},
    {Slot::FirstOfficerOxygenMaskTestButton, 1.0, 1000},
    {Slot::FirstOfficerOxygenMaskTestButton, 0.0, 1500},
    {Slot::FirstOfficerOxygenMaskCover,      0.0, 0},
};
// clang-format on

}  // namespace

void TestFirstOfficerOxygenMask(Server& server) {
    // Once the server shuts down the remaining steps go without their pauses,
    // so the button is not left held and the cover is closed.
    bool pausing = true;
    for (const Step& step : kOxygenMaskTest) {
        // The slot is read at each write: after an aircraft change it names
        // another aircraft's variable, or none.
        bridge::SetLvarValue(server, SlotId(server, step.slot), step.value);
        if (pausing && step.pauseAfter > 0) pausing = WorkerPause(server, step.pauseAfter);
    }
}

}  // namespace tarvo::adapters::fenix
