#include "adapters/fenix/Fcu.h"

#include <array>
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

}  // namespace

std::int32_t ReadSystemInt32(Server& server, std::uint64_t address) {
    std::int32_t value = 0;
    return ReadValue(server, address, value) ? value : -1;
}

double ReadSystemDouble(Server& server, std::uint64_t address) {
    double value = 0.0;
    return ReadValue(server, address, value) ? value : -1.0;
}

bool IsFcuFieldKnown(const Server& server, FcuField field) { return Address(server, field) != 0; }

std::int32_t ReadFcuInt32(Server& server, FcuField field) { return ReadSystemInt32(server, Address(server, field)); }

double ReadFcuDouble(Server& server, FcuField field) { return ReadSystemDouble(server, Address(server, field)); }

}  // namespace tarvo::adapters::fenix
