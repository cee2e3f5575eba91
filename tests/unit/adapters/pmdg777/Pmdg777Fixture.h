// The PMDG 777 over the in-process world (see PmdgSdkFixture).
#pragma once

#include "adapters/pmdg777/Pmdg777.h"
#include "fixtures/PmdgSdkFixture.h"
#include "link/Reports.h"

#include <cstring>
#include <optional>

namespace tarvo::adapters {

struct Pmdg777Fixture : PmdgSdkFixture {
    Pmdg777Fixture()
        : PmdgSdkFixture({"ZUL_To_777X", pmdg777::kAircraftId, pmdg777::Install,
                          [](Server& server) -> pmdg::SdkLink& { return server.adapters.pmdg777.link; },
                          pmdg777::RunCommand, "PMDG_777X_Data", 728, "PMDG_777X_Control", 8}) {}

    // A single value as the crew app's query 1 asks for it; nullopt when left
    // unchanged (the bytes start as a pattern no answer here gives).
    std::optional<double> Query(std::uint32_t code) {
        link::ValueQuery query;
        query.code = code;
        query.value.fill(0xAB);
        pmdg777::QueryValue(fake.server, query);
        if (query.value == Untouched()) return std::nullopt;
        double value = 0;
        std::memcpy(&value, query.value.data(), sizeof value);
        return value;
    }
    static std::array<std::uint8_t, 8> Untouched() {
        std::array<std::uint8_t, 8> bytes;
        bytes.fill(0xAB);
        return bytes;
    }
    std::int32_t QueryInt(std::uint32_t code) {
        link::ValueQuery query;
        query.code = code;
        query.value.fill(0xAB);
        pmdg777::QueryValue(fake.server, query);
        std::int32_t value = 0;
        std::memcpy(&value, query.value.data(), sizeof value);
        return value;
    }
};

}  // namespace tarvo::adapters
