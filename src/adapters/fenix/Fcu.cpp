#include "adapters/fenix/Fcu.h"

#include "adapters/fenix/FenixSearches.h"
#include "adapters/fenix/MemorySearch.h"
#include "base/Convert.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace tarvo::adapters::fenix {
namespace {

// Fills value only when every byte of it could be read.
template <typename Value>
bool ReadValue(Server& server, std::uint64_t address, Value& value) {
    const ProcessHandle process = server.adapters.fenix.systemProcess;
    if (process == 0 || address == 0) return false;
    std::array<std::uint8_t, sizeof(Value)> bytes{};
    if (server.ports.memory.Read(process, address, bytes) != bytes.size()) return false;
    std::memcpy(&value, bytes.data(), sizeof(Value));
    return true;
}

std::uint64_t Address(const Server& server, FcuField field) {
    return server.adapters.fenix.fcuAddresses[static_cast<std::size_t>(field)];
}

void Keep(Server& server, FcuField field, std::uint64_t address) {
    server.adapters.fenix.fcuAddresses[static_cast<std::size_t>(field)] = address;
}

// The marker is the FCU's when its altitude is one the FCU can show.
constexpr std::int32_t kLowestAltitude = 100;
constexpr std::int32_t kHighestAltitude = 49000;
constexpr std::int32_t kHighestHeading = 359;

}  // namespace

bool SetUpFcuReader(Server& server) {
    FenixState& fenix = server.adapters.fenix;
    const ProcessHandle process = OpenSystemProcess(server);
    if (process == 0) return false;
    fenix.fcuSetUpFor = process;
    const auto accept = [&](std::uint64_t marker) {
        const std::int32_t altitude = ReadSystemInt32(server, marker + kFcuAltitudeOffset);
        return altitude >= kLowestAltitude && altitude <= kHighestAltitude;
    };
    const std::uint64_t marker =
        FindFcuMarker(server.ports.memory, process, accept, {[&server] { return !server.host.running; }, nullptr});
    if (marker == 0) return false;
    Keep(server, FcuField::Altitude, marker + kFcuAltitudeOffset);
    const std::int32_t heading = ReadSystemInt32(server, marker + kFcuHeadingOffset);
    if (heading >= 0 && heading <= kHighestHeading) Keep(server, FcuField::Heading, marker + kFcuHeadingOffset);
    Keep(server, FcuField::Speed, marker + kFcuSpeedOffset);
    Keep(server, FcuField::VerticalSpeed, marker + kFcuVerticalSpeedOffset);

    std::array<char, 128> line{};
    std::snprintf(line.data(), line.size(), "SPD = %d , HDG = %d, ALT = %d , VS = %d",
                  static_cast<int>(TruncateToInt32(ReadFcuDouble(server, FcuField::Speed))),
                  static_cast<int>(ReadFcuInt32(server, FcuField::Heading)),
                  static_cast<int>(ReadFcuInt32(server, FcuField::Altitude)),
                  static_cast<int>(ReadFcuInt32(server, FcuField::VerticalSpeed)));
    server.log.Write(line.data());
    return true;
}

bool IsFcuReaderSetUp(const Server& server) {
    const ProcessHandle process = server.adapters.fenix.systemProcess;
    return process != 0 && server.adapters.fenix.fcuSetUpFor == process;
}

std::int32_t ReadSystemInt32(Server& server, std::uint64_t address) {
    std::int32_t value = 0;
    return ReadValue(server, address, value) ? value : -1;
}

double ReadSystemDouble(Server& server, std::uint64_t address) {
    double value = 0.0;
    return ReadValue(server, address, value) ? value : -1.0;
}

bool IsFcuFieldKnown(const Server& server, FcuField field) {
    return Address(server, field) != 0;
}

std::int32_t ReadFcuInt32(Server& server, FcuField field) {
    return ReadSystemInt32(server, Address(server, field));
}

double ReadFcuDouble(Server& server, FcuField field) {
    return ReadSystemDouble(server, Address(server, field));
}

}  // namespace tarvo::adapters::fenix
