#include "fixtures/AdapterFixture.h"

#include "bridge/Registry.h"
#include "sim/ClientEvents.h"

#include <gtest/gtest.h>

namespace tarvo::adapters {
namespace {

// The fixture's own plumbing: a slot filled by name reaches the module's
// variable of that name, and an event reaches the trace by its name.
TEST_F(AdapterFixture, SlotsReachTheModuleAndEventsTheTrace) {
    ConnectBridge({{{"ONE", 0.0}, {"S_OH_EXT_LT_STROBE", 0.0}}, {"H:SOME_EVENT"}});
    FillSlot(Slot::StrobeLightSwitch, "S_OH_EXT_LT_STROBE");
    bridge::SetLvarValue(fake.server, SlotId(fake.server, Slot::StrobeLightSwitch), 2.0);
    WaitUntil([&] { return module.Lvar("S_OH_EXT_LT_STROBE") == 2.0; });

    sim::TransmitEvent(fake.server, 236, 0);  // GEAR_UP
    EXPECT_EQ(Events(), std::vector<std::string>{"GEAR_UP 0"});
}

}  // namespace
}  // namespace tarvo::adapters
