// A SimConnect that answers every call with success (or a chosen failure for
// Open) and records each call with its arguments. For tests that only look at
// what the core asked; tests of behaviour against a simulator use simworld.
#pragma once

#include "fakes/Journal.h"
#include "platform/SimConnect.h"

#include <atomic>
#include <functional>

namespace tarvo::fakes {

class RecordingSimConnect final : public platform::SimConnect {
public:
    explicit RecordingSimConnect(Journal& journal) : journal_(journal) {}

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

    SIMCONNECT_HRESULT openResult = SIMCONNECT_S_OK;
    // The wake event of the last Open: signalling it makes the client dispatch.
    std::atomic<EventId> openedEvent{0};
    // Runs on every CallDispatch, with the procedure and context the core passed.
    std::function<void(SIMCONNECT_DISPATCHPROC, void*)> onCallDispatch;

private:
    SIMCONNECT_HRESULT Record(std::string entry);

    Journal& journal_;
    int session_ = 0;  // its address is the handle a successful Open gives
};

}  // namespace tarvo::fakes
