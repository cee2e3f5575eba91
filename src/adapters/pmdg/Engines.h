// The engine counts of the snapshot record for the PMDG twins.
#pragma once

#include "adapters/pmdg/SdkState.h"
#include "host/Server.h"

#include <array>
#include <cstdint>

namespace tarvo::link {
struct SnapshotRecord;
}

namespace tarvo::adapters::pmdg {

// Engines 1 and 2 as the default aircraft counts them (take-off power above
// 12000, reverse below -100), except that an engine not running counts as
// starting while its starter byte in the data block (one offset per engine) is
// set.
void CountTwinEngines(Server& server, const SdkLink& link, const std::array<std::uint16_t, 2>& starterBytes,
                      link::SnapshotRecord& record, std::int32_t& running, std::int32_t& starting,
                      std::int32_t& takeoffPower, std::int32_t& reverse);

}  // namespace tarvo::adapters::pmdg
