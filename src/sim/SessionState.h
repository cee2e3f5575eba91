// State of the main simulator session: the aircraft state records the dispatch
// procedure keeps, and what it remembers between messages.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tarvo::sim {

// Request (and definition) ids of the records.
enum RecordId : std::uint32_t {
    kFlightRecord = 0,
    kPositionRecord = 1,
    kAutopilotRecord = 2,
    kSystemsRecord = 3,
    kEngineRecord = 4,
    kEngineGaugeRecord = 5,
    kIdentityStrings = 6,
    kDesignRecord = 7,
    kWeatherRecord = 8,
    kFuelRecord = 9,
    kPartialPanelRecord = 10,
    kGpsRecord = 11,
    kExitsRecord = 12,
    kRecordCount = 13,
};

// One record as the simulator last sent it: exactly the size of its definition,
// zero until the first record arrives, overwritten whole by each new one.
struct Record {
    std::vector<std::uint8_t> bytes;

    std::int32_t Int32(std::size_t field) const { return Read<std::int32_t>(field * 4); }
    double Float64(std::size_t field) const { return Read<double>(field * 8); }

private:
    template <typename T>
    T Read(std::size_t offset) const {
        T value{};
        if (offset + sizeof(T) <= bytes.size()) std::memcpy(&value, bytes.data() + offset, sizeof(T));
        return value;
    }
};

struct IdentityStrings {
    std::array<char, 256> title{};
    std::array<char, 50> airline{};
    std::array<char, 12> flightNumber{};
    std::array<char, 10> model{};
    std::array<char, 10> tailNumber{};
};

struct SessionState {
    SessionState();

    // By request id; the identity strings (6) live apart.
    std::array<Record, kRecordCount> records;
    IdentityStrings identity;

    // The crew app is taken to believe the simulation is stopped until "Sim" says it runs.
    std::int32_t simulationStopped = 1;
    std::array<char, 260> flightPlanPath{};

    double frameRateSum = 0;
    std::int32_t frameCount = 0;
    double averageFrameRate = 0;
    double simulationRate = 0;
};

}  // namespace tarvo::sim
