#include "fakes/RecordingSimConnect.h"

#include <string>

namespace tarvo::fakes {
namespace {

std::string Text(const char* text) { return text == nullptr ? std::string("(null)") : std::string(text); }

template <typename... Values>
std::string Join(const Values&... values) {
    std::string joined;
    ((joined += " " + [](const auto& v) {
          if constexpr (std::is_convertible_v<decltype(v), std::string>) {
              return std::string(v);
          } else {
              return std::to_string(v);
          }
      }(values)),
     ...);
    return joined;
}

}  // namespace

SIMCONNECT_HRESULT RecordingSimConnect::Record(std::string entry) {
    journal_.Add("SimConnect." + std::move(entry));
    return SIMCONNECT_S_OK;
}

SIMCONNECT_HRESULT RecordingSimConnect::Open(SIMCONNECT_HANDLE* handle, const char* name, WindowId window,
                                             std::uint32_t userMessage, EventId event, std::uint32_t configIndex) {
    Record("Open" + Join(Text(name), window, userMessage, event, configIndex));
    openedEvent = event;
    *handle = openResult >= 0 ? &session_ : nullptr;
    return openResult;
}

SIMCONNECT_HRESULT RecordingSimConnect::Close(SIMCONNECT_HANDLE) {
    Record("Close");
    return closeResult;
}

SIMCONNECT_HRESULT RecordingSimConnect::CallDispatch(SIMCONNECT_HANDLE, SIMCONNECT_DISPATCHPROC dispatch,
                                                     void* context) {
    // Called a thousand times a second: not worth a journal line.
    if (onCallDispatch) onCallDispatch(dispatch, context);
    return callDispatchResult;
}

SIMCONNECT_HRESULT RecordingSimConnect::GetNextDispatch(SIMCONNECT_HANDLE, SIMCONNECT_RECV**, std::uint32_t*) {
    return SIMCONNECT_E_FAIL;  // nothing waiting
}

SIMCONNECT_HRESULT RecordingSimConnect::AddToDataDefinition(SIMCONNECT_HANDLE, std::uint32_t defineId,
                                                            const char* datumName, const char* unitsName,
                                                            std::uint32_t datumType, float epsilon,
                                                            std::uint32_t datumId) {
    return Record("AddToDataDefinition" +
                  Join(defineId, Text(datumName), Text(unitsName), datumType, std::to_string(epsilon), datumId));
}

SIMCONNECT_HRESULT RecordingSimConnect::ClearDataDefinition(SIMCONNECT_HANDLE, std::uint32_t defineId) {
    return Record("ClearDataDefinition" + Join(defineId));
}

SIMCONNECT_HRESULT RecordingSimConnect::RequestDataOnSimObject(SIMCONNECT_HANDLE, std::uint32_t requestId,
                                                               std::uint32_t defineId, std::uint32_t objectId,
                                                               std::uint32_t period, std::uint32_t flags,
                                                               std::uint32_t origin, std::uint32_t interval,
                                                               std::uint32_t limit) {
    return Record("RequestDataOnSimObject" +
                  Join(requestId, defineId, objectId, period, flags, origin, interval, limit));
}

SIMCONNECT_HRESULT RecordingSimConnect::RequestDataOnSimObjectType(SIMCONNECT_HANDLE, std::uint32_t requestId,
                                                                   std::uint32_t defineId, std::uint32_t radiusMeters,
                                                                   std::uint32_t objectType) {
    return Record("RequestDataOnSimObjectType" + Join(requestId, defineId, radiusMeters, objectType));
}

SIMCONNECT_HRESULT RecordingSimConnect::SetDataOnSimObject(SIMCONNECT_HANDLE, std::uint32_t defineId,
                                                           std::uint32_t objectId, std::uint32_t flags,
                                                           std::uint32_t arrayCount, std::uint32_t unitSize, void*) {
    return Record("SetDataOnSimObject" + Join(defineId, objectId, flags, arrayCount, unitSize));
}

SIMCONNECT_HRESULT RecordingSimConnect::SubscribeToSystemEvent(SIMCONNECT_HANDLE, std::uint32_t eventId,
                                                               const char* systemEventName) {
    return Record("SubscribeToSystemEvent" + Join(eventId, Text(systemEventName)));
}

SIMCONNECT_HRESULT RecordingSimConnect::UnsubscribeFromSystemEvent(SIMCONNECT_HANDLE, std::uint32_t eventId) {
    return Record("UnsubscribeFromSystemEvent" + Join(eventId));
}

SIMCONNECT_HRESULT RecordingSimConnect::MapClientEventToSimEvent(SIMCONNECT_HANDLE, std::uint32_t eventId,
                                                                 const char* eventName) {
    return Record("MapClientEventToSimEvent" + Join(eventId, Text(eventName)));
}

SIMCONNECT_HRESULT RecordingSimConnect::AddClientEventToNotificationGroup(SIMCONNECT_HANDLE, std::uint32_t groupId,
                                                                          std::uint32_t eventId,
                                                                          std::int32_t maskable) {
    return Record("AddClientEventToNotificationGroup" + Join(groupId, eventId, maskable));
}

SIMCONNECT_HRESULT RecordingSimConnect::SetNotificationGroupPriority(SIMCONNECT_HANDLE, std::uint32_t groupId,
                                                                     std::uint32_t priority) {
    return Record("SetNotificationGroupPriority" + Join(groupId, priority));
}

SIMCONNECT_HRESULT RecordingSimConnect::TransmitClientEvent(SIMCONNECT_HANDLE, std::uint32_t objectId,
                                                            std::uint32_t eventId, std::uint32_t data,
                                                            std::uint32_t groupId, std::uint32_t flags) {
    return Record("TransmitClientEvent" + Join(objectId, eventId, data, groupId, flags));
}

SIMCONNECT_HRESULT RecordingSimConnect::FlightPlanLoad(SIMCONNECT_HANDLE, const char* fileName) {
    return Record("FlightPlanLoad" + Join(Text(fileName)));
}

SIMCONNECT_HRESULT RecordingSimConnect::RetrieveString(SIMCONNECT_RECV*, std::uint32_t, void*, char**,
                                                       std::uint32_t*) {
    return SIMCONNECT_E_FAIL;
}

SIMCONNECT_HRESULT RecordingSimConnect::MapClientDataNameToID(SIMCONNECT_HANDLE, const char* name,
                                                              std::uint32_t clientDataId) {
    return Record("MapClientDataNameToID" + Join(Text(name), clientDataId));
}

SIMCONNECT_HRESULT RecordingSimConnect::CreateClientData(SIMCONNECT_HANDLE, std::uint32_t clientDataId,
                                                         std::uint32_t size, std::uint32_t flags) {
    return Record("CreateClientData" + Join(clientDataId, size, flags));
}

SIMCONNECT_HRESULT RecordingSimConnect::AddToClientDataDefinition(SIMCONNECT_HANDLE, std::uint32_t defineId,
                                                                  std::uint32_t offset, std::uint32_t sizeOrType,
                                                                  float, std::uint32_t datumId) {
    return Record("AddToClientDataDefinition" + Join(defineId, offset, sizeOrType, datumId));
}

SIMCONNECT_HRESULT RecordingSimConnect::ClearClientDataDefinition(SIMCONNECT_HANDLE, std::uint32_t defineId) {
    return Record("ClearClientDataDefinition" + Join(defineId));
}

SIMCONNECT_HRESULT RecordingSimConnect::RequestClientData(SIMCONNECT_HANDLE, std::uint32_t clientDataId,
                                                          std::uint32_t requestId, std::uint32_t defineId,
                                                          std::uint32_t period, std::uint32_t flags,
                                                          std::uint32_t origin, std::uint32_t interval,
                                                          std::uint32_t limit) {
    return Record("RequestClientData" + Join(clientDataId, requestId, defineId, period, flags, origin, interval, limit));
}

SIMCONNECT_HRESULT RecordingSimConnect::SetClientData(SIMCONNECT_HANDLE, std::uint32_t clientDataId,
                                                      std::uint32_t defineId, std::uint32_t flags,
                                                      std::uint32_t reserved, std::uint32_t unitSize, void*) {
    return Record("SetClientData" + Join(clientDataId, defineId, flags, reserved, unitSize));
}

SIMCONNECT_HRESULT RecordingSimConnect::GetLastSentPacketID(SIMCONNECT_HANDLE, std::uint32_t* sendId) {
    *sendId = 0;
    return SIMCONNECT_S_OK;
}

}  // namespace tarvo::fakes
