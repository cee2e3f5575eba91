#include "adapters/pmdg/Sdk.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

namespace tarvo::adapters::pmdg {
namespace {

constexpr std::uint32_t kUserAircraft = SIMCONNECT_OBJECT_ID_USER;

// What the receive function needs; it lives on the pumping thread's stack.
struct Pumping {
    Server& server;
    SdkLink& link;
    void (*afterData)(Server&);
};

void Receive(SIMCONNECT_RECV* data, std::uint32_t size, void* context) {
    auto& pumping = *static_cast<Pumping*>(context);
    if (data == nullptr || size < kSimConnectDataOffset) return;
    SIMCONNECT_RECV_CLIENT_DATA record{};
    std::memcpy(&record, data, kSimConnectDataOffset);
    if (record.dwID != SIMCONNECT_RECV_ID_CLIENT_DATA) return;
    // Only what arrived: a short record leaves the rest of the copy as it was.
    const std::size_t length = std::min(size, record.dwSize);
    if (length < kSimConnectDataOffset) return;
    const std::span<const std::uint8_t> payload(reinterpret_cast<const std::uint8_t*>(data) + kSimConnectDataOffset,
                                                length - kSimConnectDataOffset);
    if (record.dwRequestID == kDataRequest) {
        StoreBlock(pumping.link, payload);
        if (pumping.afterData != nullptr) pumping.afterData(pumping.server);
    } else if (record.dwRequestID == kControlRequest) {
        const std::lock_guard<std::mutex> lock(pumping.link.records);
        std::copy_n(payload.begin(), std::min(payload.size(), pumping.link.control.size()),
                    pumping.link.control.begin());
    }
}

template <typename T>
T Field(const SdkLink& link, std::size_t offset) {
    T value{};
    const std::lock_guard<std::mutex> lock(link.records);
    if (offset <= link.block.size() && sizeof(T) <= link.block.size() - offset) {
        std::memcpy(&value, link.block.data() + offset, sizeof(T));
    }
    return value;
}

void StartSession(SdkLink& link) {
    link.closing = false;
    ++link.session;
}

}  // namespace

bool OpenConnection(Server& server, SdkLink& link, std::string_view clientName, std::uint32_t configIndex) {
    const std::lock_guard<std::mutex> lock(link.connection);
    SIMCONNECT_HANDLE handle = nullptr;
    const std::string name(clientName);
    if (server.ports.simConnect.Open(&handle, name.c_str(), 0, 0, 0, configIndex) < 0 || handle == nullptr) {
        return false;
    }
    link.handle = handle;
    StartSession(link);
    return true;
}

bool IsOpen(SdkLink& link) {
    const std::lock_guard<std::mutex> lock(link.connection);
    return link.handle != nullptr;
}

void ResumeSession(SdkLink& link) {
    const std::lock_guard<std::mutex> lock(link.connection);
    StartSession(link);
}

SIMCONNECT_HRESULT MapArea(Server& server, SdkLink& link, const SdkArea& area) {
    const std::lock_guard<std::mutex> lock(link.connection);
    if (link.handle == nullptr) return SIMCONNECT_E_FAIL;
    const std::string name(area.name);
    return server.ports.simConnect.MapClientDataNameToID(link.handle, name.c_str(), area.id);
}

void RequestArea(Server& server, SdkLink& link, const SdkArea& area, std::uint32_t requestId) {
    const std::lock_guard<std::mutex> lock(link.connection);
    if (link.handle == nullptr) return;
    platform::SimConnect& api = server.ports.simConnect;
    api.AddToClientDataDefinition(link.handle, area.definition, 0, area.size, 0.0f, 0);
    api.RequestClientData(link.handle, area.id, requestId, area.definition, SIMCONNECT_CLIENT_DATA_PERIOD_ON_SET,
                          SIMCONNECT_CLIENT_DATA_REQUEST_FLAG_CHANGED, 0, 0, 0);
}

void MapEvents(Server& server, SdkLink& link, std::span<const std::uint32_t> events) {
    const std::lock_guard<std::mutex> lock(link.connection);
    if (link.handle == nullptr) return;
    for (const std::uint32_t event : events) {
        const std::string name = "#" + std::to_string(event);
        server.ports.simConnect.MapClientEventToSimEvent(link.handle, event, name.c_str());
    }
}

void Pump(Server& server, SdkLink& link, void (*afterData)(Server&)) {
    Pumping pumping{server, link, afterData};
    const std::lock_guard<std::mutex> lock(link.connection);
    if (link.handle == nullptr) return;
    server.ports.simConnect.CallDispatch(link.handle, Receive, &pumping);
}

void BeginUnload(SdkLink& link) {
    {
        const std::lock_guard<std::mutex> lock(link.connection);
        link.closing = true;
    }
    link.knobTicket = 0;
}

void CloseConnection(Server& server, SdkLink& link) {
    const std::lock_guard<std::mutex> lock(link.connection);
    if (link.handle == nullptr) return;
    if (server.ports.simConnect.Close(std::exchange(link.handle, nullptr)) < 0) {
        server.log.Write("SimConnect_Close failed on the PMDG link");
    }
}

Sender CurrentSender(Server& server, SdkLink& link) {
    const std::lock_guard<std::mutex> lock(link.connection);
    return {&server, &link, link.session};
}

bool IsCurrent(const Sender& sender) {
    const std::lock_guard<std::mutex> lock(sender.link->connection);
    return sender.link->handle != nullptr && !sender.link->closing && sender.link->session == sender.session;
}

bool Send(const Sender& sender, std::uint32_t event, Mouse mouse) {
    std::uint32_t flags[2] = {};
    std::size_t count = 1;
    switch (mouse) {
        case Mouse::LeftClick:
            flags[0] = kLeftDown;
            flags[1] = kLeftUp;
            count = 2;
            break;
        case Mouse::RightClick:
            flags[0] = kRightDown;
            flags[1] = kRightUp;
            count = 2;
            break;
        case Mouse::LeftPress:
            flags[0] = kLeftDown;
            break;
        case Mouse::LeftRelease:
            flags[0] = kLeftUp;
            break;
        case Mouse::RightPress:
            flags[0] = kRightDown;
            break;
        case Mouse::RightRelease:
            flags[0] = kRightUp;
            break;
    }
    SdkLink& link = *sender.link;
    const std::lock_guard<std::mutex> lock(link.connection);
    if (link.handle == nullptr || link.closing || link.session != sender.session) return false;
    for (std::size_t i = 0; i < count; ++i) {
        sender.server->ports.simConnect.TransmitClientEvent(link.handle, kUserAircraft, event, flags[i],
                                                            SIMCONNECT_GROUP_PRIORITY_HIGHEST,
                                                            SIMCONNECT_EVENT_FLAG_GROUPID_IS_PRIORITY);
    }
    return true;
}

std::uint8_t Byte(const SdkLink& link, std::size_t offset) {
    return Field<std::uint8_t>(link, offset);
}
std::uint16_t U16(const SdkLink& link, std::size_t offset) {
    return Field<std::uint16_t>(link, offset);
}
std::int16_t I16(const SdkLink& link, std::size_t offset) {
    return Field<std::int16_t>(link, offset);
}
std::uint32_t U32(const SdkLink& link, std::size_t offset) {
    return Field<std::uint32_t>(link, offset);
}
float F32(const SdkLink& link, std::size_t offset) {
    return Field<float>(link, offset);
}

void StoreBlock(SdkLink& link, std::span<const std::uint8_t> bytes) {
    const std::lock_guard<std::mutex> lock(link.records);
    std::copy_n(bytes.begin(), std::min(bytes.size(), link.block.size()), link.block.begin());
}

}  // namespace tarvo::adapters::pmdg
