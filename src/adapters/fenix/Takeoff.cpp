#include "adapters/fenix/Takeoff.h"

#include "adapters/fenix/Fcu.h"
#include "adapters/fenix/FenixSearches.h"
#include "base/Convert.h"
#include "link/Reports.h"
#include "sim/SessionState.h"

namespace tarvo::adapters::fenix {
namespace {

// A VR outside this range means the block no longer holds the data.
constexpr std::int32_t kLowestVr = 100;
constexpr std::int32_t kHighestVr = 200;

// Words of the take-off data record.
constexpr std::size_t kWordV1 = 0;
constexpr std::size_t kWordVr = 1;
constexpr std::size_t kWordV2 = 2;
constexpr std::size_t kWordTransitionAltitude = 4;
constexpr std::size_t kWordSetting = 5;
constexpr std::size_t kWordFlexTemperature = 12;

// The engine record's combustion flags of engines 1 and 2.
constexpr std::size_t kCombustion = 0;

std::uint64_t Address(const Server& server, TakeoffField field) {
    return server.adapters.fenix.takeoffAddresses[static_cast<std::size_t>(field)];
}

std::int32_t Read(Server& server, TakeoffField field) {
    return ReadSystemInt32(server, Address(server, field));
}

}  // namespace

void SendTakeoffData(Server& server, WindowId crewWindow, WindowId linkWindow) {
    if (server.link.snapshot.words[link::kWordOnGround] == 0) return;
    if (Address(server, TakeoffField::Vr) != 0) {
        const std::int32_t vr = Read(server, TakeoffField::Vr);
        if (vr >= kLowestVr && vr <= kHighestVr) {
            link::TakeoffDataRecord record;
            record.words[kWordV1] = Read(server, TakeoffField::V1);
            record.words[kWordVr] = vr;
            record.words[kWordV2] = Read(server, TakeoffField::V2);
            record.words[kWordTransitionAltitude] = Read(server, TakeoffField::TransitionAltitude);
            record.words[kWordSetting] = Read(server, TakeoffField::Setting);
            record.words[kWordFlexTemperature] =
                TruncateToInt32(ReadSystemDouble(server, Address(server, TakeoffField::FlexTemperature)));
            link::SendTakeoffRecord(server, crewWindow, linkWindow, record);
            return;
        }
    }
    // The data is found once the engines run: start looking for it.
    const sim::Record& engines = server.session.records[sim::kEngineRecord];
    const bool burning = engines.Int32(kCombustion) != 0 || engines.Int32(kCombustion + 1) != 0;
    if (!burning || IsTakeoffSearchRunning(server)) return;
    ForgetTakeoffDataAddresses(server);
    server.log.Write("Looking for data 1");
    StartTakeoffSearch(server);
}

}  // namespace tarvo::adapters::fenix
