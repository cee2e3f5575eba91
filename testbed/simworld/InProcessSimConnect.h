// The SimConnect API over a SimWorld in the same process: what native tests use
// as the SimConnect port, and what the simulator stand-in serves over its pipe.
// Each Open makes one connection; its handle stays valid until Close.
//
// Records are built exactly as the SimConnect DLL hands them over: packed,
// payload at byte 40, INT32 values truncated toward zero, STRINGV strings with
// their terminator padded with zero bytes to a multiple of 4. The first record
// of a connection is SIMCONNECT_RECV_OPEN. CallDispatch hands over at most one
// record per call; GetNextDispatch's record stays valid until the next call on
// that connection.
#pragma once

#include "platform/SimConnect.h"
#include "simworld/SimWorld.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::simworld {

struct SignalHook;
struct TraceHook;

// One line of the trace: a call a client made, or a record sent to it.
struct TraceEntry {
    std::string connection;             // the client's name from Open
    std::string direction;              // "call" or "send"
    std::string function;               // export name without "SimConnect_", or the record kind ("EVENT", "QUIT", ...)
    std::vector<std::string> arguments; // each already a JSON value: 12, 0.5, "text"
};

// {"conn":"ZULtoMSFS","dir":"call","fn":"SubscribeToSystemEvent","args":[150,"Sim"]}
std::string ToJsonLine(const TraceEntry& entry);

class InProcessSimConnect final : public platform::SimConnect {
public:
    explicit InProcessSimConnect(SimWorld& world);
    ~InProcessSimConnect() override;

    // Called with the event a client passed to Open whenever records wait for it.
    void SetSignal(std::function<void(EventId)> signal);
    // Receives every call and every record sent, in order.
    void SetTrace(std::function<void(const TraceEntry&)> trace);
    // Records waiting for a connection.
    std::size_t Pending(SIMCONNECT_HANDLE handle) const;

    SIMCONNECT_HRESULT Open(SIMCONNECT_HANDLE* handle, const char* name, WindowId window, std::uint32_t userMessage,
                            EventId event, std::uint32_t configIndex) override;
    SIMCONNECT_HRESULT Close(SIMCONNECT_HANDLE handle) override;
    SIMCONNECT_HRESULT CallDispatch(SIMCONNECT_HANDLE handle, SIMCONNECT_DISPATCHPROC dispatch, void* context) override;
    SIMCONNECT_HRESULT GetNextDispatch(SIMCONNECT_HANDLE handle, SIMCONNECT_RECV** data, std::uint32_t* size) override;
    SIMCONNECT_HRESULT AddToDataDefinition(SIMCONNECT_HANDLE handle, std::uint32_t defineId, const char* datumName,
                                           const char* unitsName, std::uint32_t datumType, float epsilon,
                                           std::uint32_t datumId) override;
    SIMCONNECT_HRESULT ClearDataDefinition(SIMCONNECT_HANDLE handle, std::uint32_t defineId) override;
    SIMCONNECT_HRESULT RequestDataOnSimObject(SIMCONNECT_HANDLE handle, std::uint32_t requestId, std::uint32_t defineId,
                                              std::uint32_t objectId, std::uint32_t period, std::uint32_t flags,
                                              std::uint32_t origin, std::uint32_t interval, std::uint32_t limit) override;
    SIMCONNECT_HRESULT RequestDataOnSimObjectType(SIMCONNECT_HANDLE handle, std::uint32_t requestId,
                                                  std::uint32_t defineId, std::uint32_t radiusMeters,
                                                  std::uint32_t objectType) override;
    SIMCONNECT_HRESULT SetDataOnSimObject(SIMCONNECT_HANDLE handle, std::uint32_t defineId, std::uint32_t objectId,
                                          std::uint32_t flags, std::uint32_t arrayCount, std::uint32_t unitSize,
                                          void* data) override;
    SIMCONNECT_HRESULT SubscribeToSystemEvent(SIMCONNECT_HANDLE handle, std::uint32_t eventId,
                                              const char* systemEventName) override;
    SIMCONNECT_HRESULT UnsubscribeFromSystemEvent(SIMCONNECT_HANDLE handle, std::uint32_t eventId) override;
    SIMCONNECT_HRESULT MapClientEventToSimEvent(SIMCONNECT_HANDLE handle, std::uint32_t eventId,
                                                const char* eventName) override;
    SIMCONNECT_HRESULT AddClientEventToNotificationGroup(SIMCONNECT_HANDLE handle, std::uint32_t groupId,
                                                         std::uint32_t eventId, std::int32_t maskable) override;
    SIMCONNECT_HRESULT SetNotificationGroupPriority(SIMCONNECT_HANDLE handle, std::uint32_t groupId,
                                                    std::uint32_t priority) override;
    SIMCONNECT_HRESULT TransmitClientEvent(SIMCONNECT_HANDLE handle, std::uint32_t objectId, std::uint32_t eventId,
                                           std::uint32_t data, std::uint32_t groupId, std::uint32_t flags) override;
    SIMCONNECT_HRESULT FlightPlanLoad(SIMCONNECT_HANDLE handle, const char* fileName) override;
    SIMCONNECT_HRESULT RetrieveString(SIMCONNECT_RECV* data, std::uint32_t size, void* stringV, char** text,
                                      std::uint32_t* textSize) override;
    SIMCONNECT_HRESULT MapClientDataNameToID(SIMCONNECT_HANDLE handle, const char* name,
                                             std::uint32_t clientDataId) override;
    SIMCONNECT_HRESULT CreateClientData(SIMCONNECT_HANDLE handle, std::uint32_t clientDataId, std::uint32_t size,
                                        std::uint32_t flags) override;
    SIMCONNECT_HRESULT AddToClientDataDefinition(SIMCONNECT_HANDLE handle, std::uint32_t defineId, std::uint32_t offset,
                                                 std::uint32_t sizeOrType, float epsilon, std::uint32_t datumId) override;
    SIMCONNECT_HRESULT ClearClientDataDefinition(SIMCONNECT_HANDLE handle, std::uint32_t defineId) override;
    SIMCONNECT_HRESULT RequestClientData(SIMCONNECT_HANDLE handle, std::uint32_t clientDataId, std::uint32_t requestId,
                                         std::uint32_t defineId, std::uint32_t period, std::uint32_t flags,
                                         std::uint32_t origin, std::uint32_t interval, std::uint32_t limit) override;
    SIMCONNECT_HRESULT SetClientData(SIMCONNECT_HANDLE handle, std::uint32_t clientDataId, std::uint32_t defineId,
                                     std::uint32_t flags, std::uint32_t reserved, std::uint32_t unitSize,
                                     void* data) override;
    SIMCONNECT_HRESULT GetLastSentPacketID(SIMCONNECT_HANDLE handle, std::uint32_t* sendId) override;

private:
    SimWorld& world_;
    std::shared_ptr<SignalHook> signal_;  // shared with this client's connections
    std::shared_ptr<TraceHook> trace_;
};

}  // namespace tarvo::simworld
