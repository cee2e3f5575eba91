#include "win32/SimConnectDll.h"

#include "win32/Win32.h"

#include <string>

namespace tarvo::win32 {
namespace {

constexpr const char* kDllName = "SimConnect.dll";

void* LookUpExport(void* library, const char* exportName) {
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), exportName));
}

// The folder of the running exe, with its trailing backslash; empty if unknown.
std::string ExeFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

}  // namespace

SimConnectDll::~SimConnectDll() {
    if (library_ != nullptr) ::FreeLibrary(static_cast<HMODULE>(library_));
}

bool SimConnectDll::EnsureLoaded() {
    if (tried_) return usable_;
    tried_ = true;

    const std::string besideExe = ExeFolder() + kDllName;
    HMODULE library = ::LoadLibraryA(besideExe.c_str());
    if (library == nullptr) library = ::LoadLibraryA(kDllName);
    if (library == nullptr) {
        log_("SimConnect.dll could not be loaded");
        return false;
    }
    library_ = library;

    const auto missing = platform::BindSimConnectExports(exports_, library_, LookUpExport);
    for (std::string_view name : missing) log_(std::string("SimConnect.dll has no export ") + std::string(name));
    usable_ = missing.empty();
    return usable_;
}

SIMCONNECT_HRESULT SimConnectDll::Open(SIMCONNECT_HANDLE* handle, const char* name, WindowId window,
                                       std::uint32_t userMessage, EventId event, std::uint32_t configIndex) {
    *handle = nullptr;
    if (!EnsureLoaded()) return SIMCONNECT_E_FAIL;
    return exports_.Open(handle, name, ToHwnd(window), userMessage, ToHandle(event), configIndex);
}

// Every other call needs a handle, which only a successful Open gives, so the
// table is bound whenever they run; the checks only keep a misuse from crashing.
#define TARVO_CALL(name, ...) \
    return usable_ ? exports_.name(__VA_ARGS__) : SIMCONNECT_E_FAIL

SIMCONNECT_HRESULT SimConnectDll::Close(SIMCONNECT_HANDLE handle) { TARVO_CALL(Close, handle); }

SIMCONNECT_HRESULT SimConnectDll::CallDispatch(SIMCONNECT_HANDLE handle, SIMCONNECT_DISPATCHPROC dispatch,
                                               void* context) {
    TARVO_CALL(CallDispatch, handle, dispatch, context);
}

SIMCONNECT_HRESULT SimConnectDll::GetNextDispatch(SIMCONNECT_HANDLE handle, SIMCONNECT_RECV** data,
                                                  std::uint32_t* size) {
    TARVO_CALL(GetNextDispatch, handle, data, size);
}

SIMCONNECT_HRESULT SimConnectDll::AddToDataDefinition(SIMCONNECT_HANDLE handle, std::uint32_t defineId,
                                                      const char* datumName, const char* unitsName,
                                                      std::uint32_t datumType, float epsilon, std::uint32_t datumId) {
    TARVO_CALL(AddToDataDefinition, handle, defineId, datumName, unitsName, datumType, epsilon, datumId);
}

SIMCONNECT_HRESULT SimConnectDll::ClearDataDefinition(SIMCONNECT_HANDLE handle, std::uint32_t defineId) {
    TARVO_CALL(ClearDataDefinition, handle, defineId);
}

SIMCONNECT_HRESULT SimConnectDll::RequestDataOnSimObject(SIMCONNECT_HANDLE handle, std::uint32_t requestId,
                                                         std::uint32_t defineId, std::uint32_t objectId,
                                                         std::uint32_t period, std::uint32_t flags,
                                                         std::uint32_t origin, std::uint32_t interval,
                                                         std::uint32_t limit) {
    TARVO_CALL(RequestDataOnSimObject, handle, requestId, defineId, objectId, period, flags, origin, interval, limit);
}

SIMCONNECT_HRESULT SimConnectDll::RequestDataOnSimObjectType(SIMCONNECT_HANDLE handle, std::uint32_t requestId,
                                                             std::uint32_t defineId, std::uint32_t radiusMeters,
                                                             std::uint32_t objectType) {
    TARVO_CALL(RequestDataOnSimObjectType, handle, requestId, defineId, radiusMeters, objectType);
}

SIMCONNECT_HRESULT SimConnectDll::SetDataOnSimObject(SIMCONNECT_HANDLE handle, std::uint32_t defineId,
                                                     std::uint32_t objectId, std::uint32_t flags,
                                                     std::uint32_t arrayCount, std::uint32_t unitSize, void* data) {
    TARVO_CALL(SetDataOnSimObject, handle, defineId, objectId, flags, arrayCount, unitSize, data);
}

SIMCONNECT_HRESULT SimConnectDll::SubscribeToSystemEvent(SIMCONNECT_HANDLE handle, std::uint32_t eventId,
                                                         const char* systemEventName) {
    TARVO_CALL(SubscribeToSystemEvent, handle, eventId, systemEventName);
}

SIMCONNECT_HRESULT SimConnectDll::UnsubscribeFromSystemEvent(SIMCONNECT_HANDLE handle, std::uint32_t eventId) {
    TARVO_CALL(UnsubscribeFromSystemEvent, handle, eventId);
}

SIMCONNECT_HRESULT SimConnectDll::MapClientEventToSimEvent(SIMCONNECT_HANDLE handle, std::uint32_t eventId,
                                                           const char* eventName) {
    TARVO_CALL(MapClientEventToSimEvent, handle, eventId, eventName);
}

SIMCONNECT_HRESULT SimConnectDll::AddClientEventToNotificationGroup(SIMCONNECT_HANDLE handle, std::uint32_t groupId,
                                                                    std::uint32_t eventId, std::int32_t maskable) {
    TARVO_CALL(AddClientEventToNotificationGroup, handle, groupId, eventId, maskable);
}

SIMCONNECT_HRESULT SimConnectDll::SetNotificationGroupPriority(SIMCONNECT_HANDLE handle, std::uint32_t groupId,
                                                               std::uint32_t priority) {
    TARVO_CALL(SetNotificationGroupPriority, handle, groupId, priority);
}

SIMCONNECT_HRESULT SimConnectDll::TransmitClientEvent(SIMCONNECT_HANDLE handle, std::uint32_t objectId,
                                                      std::uint32_t eventId, std::uint32_t data,
                                                      std::uint32_t groupId, std::uint32_t flags) {
    TARVO_CALL(TransmitClientEvent, handle, objectId, eventId, data, groupId, flags);
}

SIMCONNECT_HRESULT SimConnectDll::FlightPlanLoad(SIMCONNECT_HANDLE handle, const char* fileName) {
    TARVO_CALL(FlightPlanLoad, handle, fileName);
}

SIMCONNECT_HRESULT SimConnectDll::RetrieveString(SIMCONNECT_RECV* data, std::uint32_t size, void* stringV,
                                                 char** text, std::uint32_t* textSize) {
    TARVO_CALL(RetrieveString, data, size, stringV, text, textSize);
}

SIMCONNECT_HRESULT SimConnectDll::MapClientDataNameToID(SIMCONNECT_HANDLE handle, const char* name,
                                                        std::uint32_t clientDataId) {
    TARVO_CALL(MapClientDataNameToID, handle, name, clientDataId);
}

SIMCONNECT_HRESULT SimConnectDll::CreateClientData(SIMCONNECT_HANDLE handle, std::uint32_t clientDataId,
                                                   std::uint32_t size, std::uint32_t flags) {
    TARVO_CALL(CreateClientData, handle, clientDataId, size, flags);
}

SIMCONNECT_HRESULT SimConnectDll::AddToClientDataDefinition(SIMCONNECT_HANDLE handle, std::uint32_t defineId,
                                                            std::uint32_t offset, std::uint32_t sizeOrType,
                                                            float epsilon, std::uint32_t datumId) {
    TARVO_CALL(AddToClientDataDefinition, handle, defineId, offset, sizeOrType, epsilon, datumId);
}

SIMCONNECT_HRESULT SimConnectDll::ClearClientDataDefinition(SIMCONNECT_HANDLE handle, std::uint32_t defineId) {
    TARVO_CALL(ClearClientDataDefinition, handle, defineId);
}

SIMCONNECT_HRESULT SimConnectDll::RequestClientData(SIMCONNECT_HANDLE handle, std::uint32_t clientDataId,
                                                    std::uint32_t requestId, std::uint32_t defineId,
                                                    std::uint32_t period, std::uint32_t flags, std::uint32_t origin,
                                                    std::uint32_t interval, std::uint32_t limit) {
    TARVO_CALL(RequestClientData, handle, clientDataId, requestId, defineId, period, flags, origin, interval, limit);
}

SIMCONNECT_HRESULT SimConnectDll::SetClientData(SIMCONNECT_HANDLE handle, std::uint32_t clientDataId,
                                                std::uint32_t defineId, std::uint32_t flags, std::uint32_t reserved,
                                                std::uint32_t unitSize, void* data) {
    TARVO_CALL(SetClientData, handle, clientDataId, defineId, flags, reserved, unitSize, data);
}

SIMCONNECT_HRESULT SimConnectDll::GetLastSentPacketID(SIMCONNECT_HANDLE handle, std::uint32_t* sendId) {
    TARVO_CALL(GetLastSentPacketID, handle, sendId);
}

#undef TARVO_CALL

}  // namespace tarvo::win32
