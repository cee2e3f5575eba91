// The Aerosoft CRJ over the in-process world: the fixture shared by the aircraft
// driven through their local variables, with this aircraft's id, profile and
// discovery table.
#pragma once

#include "adapters/crj/Crj.h"
#include "fixtures/LvarAircraftFixture.h"

namespace tarvo::adapters {

struct CrjFixture : LvarAircraftFixture {
    CrjFixture() : LvarAircraftFixture(51, crj::Install) {}

    void ConnectCrj() { Connect(profiles::Crj(), crj::DiscoveryTable()); }
    void FillCrjSlots() { FillSlots(crj::DiscoveryTable()); }
};

}  // namespace tarvo::adapters
