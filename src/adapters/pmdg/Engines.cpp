#include "adapters/pmdg/Engines.h"

#include "adapters/pmdg/Sdk.h"
#include "link/Reports.h"
#include "sim/SessionState.h"

namespace tarvo::adapters::pmdg {
namespace {

// Engine record fields, engine i at base + i.
constexpr std::size_t kCombustion = 0;
constexpr std::size_t kThrottle = 12;
constexpr std::size_t kFailed = 36;

// Throttle lever positions: 0 to 16383, below 0 in reverse.
constexpr std::int32_t kTakeoffThrottle = 12000;  // above
constexpr std::int32_t kReverseThrottle = -100;   // below

}  // namespace

void CountTwinEngines(Server& server, const SdkLink& link, const std::array<std::uint16_t, 2>& starterBytes,
                      link::SnapshotRecord& record, std::int32_t& running, std::int32_t& starting,
                      std::int32_t& takeoffPower, std::int32_t& reverse) {
    auto& w = record.words;
    const sim::Record& engines = server.session.records[sim::kEngineRecord];
    const bool airborne = w[link::kWordOnGround] == 0;
    for (std::size_t engine = 0; engine < starterBytes.size(); ++engine) {
        if (engines.Int32(kCombustion + engine) != 0) {
            w[link::kWordEnginesRunning] |= 1 << engine;
            ++running;
            const std::int32_t throttle = engines.Int32(kThrottle + engine);
            if (throttle > kTakeoffThrottle) {
                ++takeoffPower;
            } else if (throttle < kReverseThrottle) {
                ++reverse;
            }
        } else if (Byte(link, starterBytes[engine]) != 0) {
            ++starting;
        } else if (airborne && engines.Int32(kFailed + engine) > 0) {
            w[link::kWordEnginesFailed] |= 1 << engine;
        }
    }
}

}  // namespace tarvo::adapters::pmdg
