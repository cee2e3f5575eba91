// The PMDG 737 over the in-process world (see PmdgSdkFixture).
#pragma once

#include "adapters/pmdg737/Pmdg737.h"
#include "fixtures/PmdgSdkFixture.h"

namespace tarvo::adapters {

struct Pmdg737Fixture : PmdgSdkFixture {
    Pmdg737Fixture()
        : PmdgSdkFixture({"ZUL_To_NGX", pmdg737::kAircraftId, pmdg737::Install,
                          [](Server& server) -> pmdg::SdkLink& { return server.adapters.pmdg737.link; },
                          pmdg737::RunCommand, "PMDG_NG3_Data", 912, "PMDG_NG3_Control", 8}) {}
};

}  // namespace tarvo::adapters
