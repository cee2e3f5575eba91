// The simulator's SimConnect API as the core calls it: one method per export,
// same parameters and order as the DLL (no defaults), HRESULT results. On Windows
// this forwards to the loaded SimConnect.dll; tests plug in a simulated world.
#pragma once

#include "platform/SimConnectAbi.h"
#include "platform/Types.h"

#include <cstdint>

namespace tarvo::platform {

class SimConnect {
public:
    virtual ~SimConnect() = default;

    // Fails (negative result, handle left null) when no session could be opened,
    // including when the SimConnect library itself is missing.
    virtual SIMCONNECT_HRESULT Open(SIMCONNECT_HANDLE* handle, const char* name, WindowId window,
                                    std::uint32_t userMessage, EventId event,
                                    std::uint32_t configIndex) = 0;
    virtual SIMCONNECT_HRESULT Close(SIMCONNECT_HANDLE handle) = 0;
    virtual SIMCONNECT_HRESULT CallDispatch(SIMCONNECT_HANDLE handle, SIMCONNECT_DISPATCHPROC dispatch,
                                            void* context) = 0;
    virtual SIMCONNECT_HRESULT GetNextDispatch(SIMCONNECT_HANDLE handle, SIMCONNECT_RECV** data,
                                               std::uint32_t* size) = 0;

    virtual SIMCONNECT_HRESULT AddToDataDefinition(SIMCONNECT_HANDLE handle, std::uint32_t defineId,
                                                   const char* datumName, const char* unitsName,
                                                   std::uint32_t datumType, float epsilon,
                                                   std::uint32_t datumId) = 0;
    virtual SIMCONNECT_HRESULT ClearDataDefinition(SIMCONNECT_HANDLE handle, std::uint32_t defineId) = 0;
    virtual SIMCONNECT_HRESULT RequestDataOnSimObject(SIMCONNECT_HANDLE handle, std::uint32_t requestId,
                                                      std::uint32_t defineId, std::uint32_t objectId,
                                                      std::uint32_t period, std::uint32_t flags,
                                                      std::uint32_t origin, std::uint32_t interval,
                                                      std::uint32_t limit) = 0;
    virtual SIMCONNECT_HRESULT RequestDataOnSimObjectType(SIMCONNECT_HANDLE handle,
                                                          std::uint32_t requestId, std::uint32_t defineId,
                                                          std::uint32_t radiusMeters,
                                                          std::uint32_t objectType) = 0;
    virtual SIMCONNECT_HRESULT SetDataOnSimObject(SIMCONNECT_HANDLE handle, std::uint32_t defineId,
                                                  std::uint32_t objectId, std::uint32_t flags,
                                                  std::uint32_t arrayCount, std::uint32_t unitSize,
                                                  void* data) = 0;

    virtual SIMCONNECT_HRESULT SubscribeToSystemEvent(SIMCONNECT_HANDLE handle, std::uint32_t eventId,
                                                      const char* systemEventName) = 0;
    virtual SIMCONNECT_HRESULT UnsubscribeFromSystemEvent(SIMCONNECT_HANDLE handle,
                                                          std::uint32_t eventId) = 0;
    virtual SIMCONNECT_HRESULT MapClientEventToSimEvent(SIMCONNECT_HANDLE handle, std::uint32_t eventId,
                                                        const char* eventName) = 0;
    virtual SIMCONNECT_HRESULT AddClientEventToNotificationGroup(SIMCONNECT_HANDLE handle,
                                                                 std::uint32_t groupId,
                                                                 std::uint32_t eventId,
                                                                 std::int32_t maskable) = 0;
    virtual SIMCONNECT_HRESULT SetNotificationGroupPriority(SIMCONNECT_HANDLE handle,
                                                            std::uint32_t groupId,
                                                            std::uint32_t priority) = 0;
    virtual SIMCONNECT_HRESULT TransmitClientEvent(SIMCONNECT_HANDLE handle, std::uint32_t objectId,
                                                   std::uint32_t eventId, std::uint32_t data,
                                                   std::uint32_t groupId, std::uint32_t flags) = 0;

    virtual SIMCONNECT_HRESULT FlightPlanLoad(SIMCONNECT_HANDLE handle, const char* fileName) = 0;
    // Points *text into the record itself; copy it before the next dispatch.
    virtual SIMCONNECT_HRESULT RetrieveString(SIMCONNECT_RECV* data, std::uint32_t size, void* stringV,
                                              char** text, std::uint32_t* textSize) = 0;

    virtual SIMCONNECT_HRESULT MapClientDataNameToID(SIMCONNECT_HANDLE handle, const char* name,
                                                     std::uint32_t clientDataId) = 0;
    virtual SIMCONNECT_HRESULT CreateClientData(SIMCONNECT_HANDLE handle, std::uint32_t clientDataId,
                                                std::uint32_t size, std::uint32_t flags) = 0;
    virtual SIMCONNECT_HRESULT AddToClientDataDefinition(SIMCONNECT_HANDLE handle, std::uint32_t defineId,
                                                         std::uint32_t offset, std::uint32_t sizeOrType,
                                                         float epsilon, std::uint32_t datumId) = 0;
    virtual SIMCONNECT_HRESULT ClearClientDataDefinition(SIMCONNECT_HANDLE handle,
                                                         std::uint32_t defineId) = 0;
    virtual SIMCONNECT_HRESULT RequestClientData(SIMCONNECT_HANDLE handle, std::uint32_t clientDataId,
                                                 std::uint32_t requestId, std::uint32_t defineId,
                                                 std::uint32_t period, std::uint32_t flags,
                                                 std::uint32_t origin, std::uint32_t interval,
                                                 std::uint32_t limit) = 0;
    virtual SIMCONNECT_HRESULT SetClientData(SIMCONNECT_HANDLE handle, std::uint32_t clientDataId,
                                             std::uint32_t defineId, std::uint32_t flags,
                                             std::uint32_t reserved, std::uint32_t unitSize,
                                             void* data) = 0;
    virtual SIMCONNECT_HRESULT GetLastSentPacketID(SIMCONNECT_HANDLE handle, std::uint32_t* sendId) = 0;
};

}  // namespace tarvo::platform
