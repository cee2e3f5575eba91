// The Asobo ATR over the in-process world: the fixture shared by the aircraft
// driven through their local variables, with this aircraft's id, profile and
// discovery table.
#pragma once

#include "adapters/atr/Atr.h"
#include "fixtures/LvarAircraftFixture.h"

namespace tarvo::adapters {

struct AtrFixture : LvarAircraftFixture {
    AtrFixture() : LvarAircraftFixture(78, atr::Install) {}

    void ConnectAtr() { Connect(profiles::Atr(), atr::DiscoveryTable()); }
    void FillAtrSlots() { FillSlots(atr::DiscoveryTable()); }
};

}  // namespace tarvo::adapters
