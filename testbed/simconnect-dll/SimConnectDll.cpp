// SimConnect.dll for our machines: the exports the server uses, with the SDK's
// ABI, forwarding every call over a named pipe to the simulator stand-in. Each
// SimConnect_Open is one pipe; records arrive on a reader thread, wait in a
// queue, and are handed over by SimConnect_CallDispatch / GetNextDispatch. The
// event handle given to Open is signalled whenever records wait.
#include "platform/SimConnectAbi.h"
#include "wire/PipeIo.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <thread>
#include <type_traits>

namespace {

using tarvo::wire::Function;
using tarvo::wire::Value;

class Session {
public:
    Session(HANDLE pipe, HANDLE event, HWND window, DWORD userMessage)
        : pipe_(pipe), writer_(pipe), event_(event), window_(window), userMessage_(userMessage) {
        reader_ = std::thread([this] { ReadLoop(); });
    }

    ~Session() {
        // The reader may be between two reads when the first cancel comes, so
        // cancel until it has noticed.
        stopping_ = true;
        while (!readerDone_) {
            ::CancelIoEx(pipe_, nullptr);
            ::Sleep(1);
        }
        reader_.join();
        ::CloseHandle(pipe_);
    }

    // Sends a call and waits for its result; E_FAIL when the stand-in is gone.
    tarvo::wire::Result Call(Function function, std::vector<Value> values) {
        tarvo::wire::Call call;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            call.callId = nextCallId_++;
        }
        call.function = function;
        call.values = std::move(values);
        if (!writer_.Write(call)) return Failed(call.callId);
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return broken_ || results_.contains(call.callId); });
        auto found = results_.find(call.callId);
        if (found == results_.end()) return Failed(call.callId);
        tarvo::wire::Result result = std::move(found->second);
        results_.erase(found);
        return result;
    }

    // Moves the next waiting record into the session's current buffer.
    bool TakeNext(SIMCONNECT_RECV** data, std::uint32_t* size) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (messages_.empty()) return false;
        current_ = std::move(messages_.front());
        messages_.pop_front();
        // More waiting: wake the client again so nothing is left behind.
        if (!messages_.empty() && event_ != nullptr) ::SetEvent(event_);
        *data = reinterpret_cast<SIMCONNECT_RECV*>(current_.data());
        *size = static_cast<std::uint32_t>(current_.size());
        return true;
    }

private:
    static tarvo::wire::Result Failed(std::uint32_t callId) { return {callId, SIMCONNECT_E_FAIL, {}}; }

    void ReadLoop() {
        ReadFrames();
        readerDone_ = true;
    }

    void ReadFrames() {
        while (!stopping_) {
            std::string error;
            auto frame = tarvo::wire::ReadFrame(pipe_, error);
            std::lock_guard<std::mutex> lock(mutex_);
            if (!frame) {
                if (error != "pipe closed") ::OutputDebugStringA(("SimConnect.dll: " + error + "\n").c_str());
                broken_ = true;
                changed_.notify_all();
                return;
            }
            if (auto* result = std::get_if<tarvo::wire::Result>(&*frame)) {
                results_[result->callId] = std::move(*result);
                changed_.notify_all();
            } else if (auto* message = std::get_if<tarvo::wire::Message>(&*frame)) {
                messages_.push_back(std::move(message->record));
                if (event_ != nullptr) ::SetEvent(event_);
                if (window_ != nullptr && userMessage_ != 0) ::PostMessageA(window_, userMessage_, 0, 0);
            }
        }
    }

    HANDLE pipe_;
    tarvo::wire::FrameWriter writer_;
    HANDLE event_;
    HWND window_;
    DWORD userMessage_;
    std::thread reader_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<std::uint32_t, tarvo::wire::Result> results_;
    std::deque<std::vector<std::uint8_t>> messages_;
    std::vector<std::uint8_t> current_;
    std::uint32_t nextCallId_ = 1;
    bool broken_ = false;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> readerDone_{false};
};

Session* AsSession(SIMCONNECT_HANDLE handle) { return static_cast<Session*>(handle); }

SIMCONNECT_HRESULT Forward(SIMCONNECT_HANDLE handle, Function function, std::vector<Value> values) {
    if (handle == nullptr) return SIMCONNECT_E_FAIL;
    return AsSession(handle)->Call(function, std::move(values)).hresult;
}

Value Text(const char* text) {
    if (text == nullptr) return tarvo::wire::NullString{};
    return std::string(text);
}

Value Data(const void* data, std::uint32_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    return bytes == nullptr ? std::vector<std::uint8_t>{} : std::vector<std::uint8_t>(bytes, bytes + size);
}

}  // namespace

#define TARVO_EXPORT extern "C" __declspec(dllexport)

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_Open(SIMCONNECT_HANDLE* phSimConnect, const char* szName, void* hWnd,
                                                std::uint32_t UserEventWin32, void* hEventHandle,
                                                std::uint32_t ConfigIndex) {
    if (phSimConnect == nullptr) return SIMCONNECT_E_INVALIDARG;
    *phSimConnect = nullptr;
    HANDLE pipe = tarvo::wire::ConnectToPipe(tarvo::wire::SimConnectPipeName(), 2000);
    if (pipe == INVALID_HANDLE_VALUE) return SIMCONNECT_E_FAIL;  // no simulator running
    auto session = std::make_unique<Session>(pipe, static_cast<HANDLE>(hEventHandle), static_cast<HWND>(hWnd),
                                             UserEventWin32);
    const auto result = session->Call(Function::Open, {Text(szName), UserEventWin32, ConfigIndex});
    if (result.hresult < 0) return result.hresult;
    *phSimConnect = session.release();
    return result.hresult;
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_Close(SIMCONNECT_HANDLE hSimConnect) {
    if (hSimConnect == nullptr) return SIMCONNECT_E_FAIL;
    std::unique_ptr<Session> session(AsSession(hSimConnect));
    return session->Call(Function::Close, {}).hresult;
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_CallDispatch(SIMCONNECT_HANDLE hSimConnect,
                                                        SIMCONNECT_DISPATCHPROC pfcnDispatch, void* pContext) {
    if (hSimConnect == nullptr || pfcnDispatch == nullptr) return SIMCONNECT_E_FAIL;
    SIMCONNECT_RECV* data = nullptr;
    std::uint32_t size = 0;
    if (AsSession(hSimConnect)->TakeNext(&data, &size)) pfcnDispatch(data, size, pContext);
    return SIMCONNECT_S_OK;
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_GetNextDispatch(SIMCONNECT_HANDLE hSimConnect, SIMCONNECT_RECV** ppData,
                                                           std::uint32_t* pcbData) {
    if (hSimConnect == nullptr || ppData == nullptr || pcbData == nullptr) return SIMCONNECT_E_FAIL;
    return AsSession(hSimConnect)->TakeNext(ppData, pcbData) ? SIMCONNECT_S_OK : SIMCONNECT_E_FAIL;
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_AddToDataDefinition(SIMCONNECT_HANDLE hSimConnect, std::uint32_t DefineID,
                                                               const char* DatumName, const char* UnitsName,
                                                               std::uint32_t DatumType, float fEpsilon,
                                                               std::uint32_t DatumID) {
    return Forward(hSimConnect, Function::AddToDataDefinition,
                   {DefineID, Text(DatumName), Text(UnitsName), DatumType, fEpsilon, DatumID});
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_ClearDataDefinition(SIMCONNECT_HANDLE hSimConnect, std::uint32_t DefineID) {
    return Forward(hSimConnect, Function::ClearDataDefinition, {DefineID});
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_RequestDataOnSimObject(SIMCONNECT_HANDLE hSimConnect,
                                                                  std::uint32_t RequestID, std::uint32_t DefineID,
                                                                  std::uint32_t ObjectID, std::uint32_t Period,
                                                                  std::uint32_t Flags, std::uint32_t origin,
                                                                  std::uint32_t interval, std::uint32_t limit) {
    return Forward(hSimConnect, Function::RequestDataOnSimObject,
                   {RequestID, DefineID, ObjectID, Period, Flags, origin, interval, limit});
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_RequestDataOnSimObjectType(SIMCONNECT_HANDLE hSimConnect,
                                                                      std::uint32_t RequestID, std::uint32_t DefineID,
                                                                      std::uint32_t dwRadiusMeters,
                                                                      std::uint32_t type) {
    return Forward(hSimConnect, Function::RequestDataOnSimObjectType, {RequestID, DefineID, dwRadiusMeters, type});
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_SetDataOnSimObject(SIMCONNECT_HANDLE hSimConnect, std::uint32_t DefineID,
                                                              std::uint32_t ObjectID, std::uint32_t Flags,
                                                              std::uint32_t ArrayCount, std::uint32_t cbUnitSize,
                                                              void* pDataSet) {
    const std::uint32_t count = ArrayCount == 0 ? 1 : ArrayCount;
    return Forward(hSimConnect, Function::SetDataOnSimObject,
                   {DefineID, ObjectID, Flags, ArrayCount, cbUnitSize, Data(pDataSet, count * cbUnitSize)});
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_SubscribeToSystemEvent(SIMCONNECT_HANDLE hSimConnect, std::uint32_t EventID,
                                                                  const char* SystemEventName) {
    return Forward(hSimConnect, Function::SubscribeToSystemEvent, {EventID, Text(SystemEventName)});
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_UnsubscribeFromSystemEvent(SIMCONNECT_HANDLE hSimConnect,
                                                                      std::uint32_t EventID) {
    return Forward(hSimConnect, Function::UnsubscribeFromSystemEvent, {EventID});
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_MapClientEventToSimEvent(SIMCONNECT_HANDLE hSimConnect,
                                                                    std::uint32_t EventID, const char* EventName) {
    return Forward(hSimConnect, Function::MapClientEventToSimEvent, {EventID, Text(EventName)});
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_AddClientEventToNotificationGroup(SIMCONNECT_HANDLE hSimConnect,
                                                                             std::uint32_t GroupID,
                                                                             std::uint32_t EventID,
                                                                             std::int32_t bMaskable) {
    return Forward(hSimConnect, Function::AddClientEventToNotificationGroup,
                   {GroupID, EventID, static_cast<std::uint32_t>(bMaskable)});
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_SetNotificationGroupPriority(SIMCONNECT_HANDLE hSimConnect,
                                                                        std::uint32_t GroupID,
                                                                        std::uint32_t uPriority) {
    return Forward(hSimConnect, Function::SetNotificationGroupPriority, {GroupID, uPriority});
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_TransmitClientEvent(SIMCONNECT_HANDLE hSimConnect, std::uint32_t ObjectID,
                                                               std::uint32_t EventID, std::uint32_t dwData,
                                                               std::uint32_t GroupID, std::uint32_t Flags) {
    return Forward(hSimConnect, Function::TransmitClientEvent, {ObjectID, EventID, dwData, GroupID, Flags});
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_FlightPlanLoad(SIMCONNECT_HANDLE hSimConnect, const char* szFileName) {
    return Forward(hSimConnect, Function::FlightPlanLoad, {Text(szFileName)});
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_RetrieveString(SIMCONNECT_RECV* pData, std::uint32_t cbData,
                                                          void* pStringV, char** ppszString,
                                                          std::uint32_t* pcbString) {
    const char* text = nullptr;
    if (!tarvo::wire::RetrieveStringV(reinterpret_cast<const std::uint8_t*>(pData), cbData, pStringV, &text,
                                      pcbString)) {
        return SIMCONNECT_E_FAIL;
    }
    if (ppszString != nullptr) *ppszString = const_cast<char*>(text);
    return SIMCONNECT_S_OK;
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_MapClientDataNameToID(SIMCONNECT_HANDLE hSimConnect,
                                                                 const char* szClientDataName,
                                                                 std::uint32_t ClientDataID) {
    return Forward(hSimConnect, Function::MapClientDataNameToID, {Text(szClientDataName), ClientDataID});
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_CreateClientData(SIMCONNECT_HANDLE hSimConnect, std::uint32_t ClientDataID,
                                                            std::uint32_t dwSize, std::uint32_t Flags) {
    return Forward(hSimConnect, Function::CreateClientData, {ClientDataID, dwSize, Flags});
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_AddToClientDataDefinition(SIMCONNECT_HANDLE hSimConnect,
                                                                     std::uint32_t DefineID, std::uint32_t dwOffset,
                                                                     std::uint32_t dwSizeOrType, float fEpsilon,
                                                                     std::uint32_t DatumID) {
    return Forward(hSimConnect, Function::AddToClientDataDefinition,
                   {DefineID, dwOffset, dwSizeOrType, fEpsilon, DatumID});
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_ClearClientDataDefinition(SIMCONNECT_HANDLE hSimConnect,
                                                                     std::uint32_t DefineID) {
    return Forward(hSimConnect, Function::ClearClientDataDefinition, {DefineID});
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_RequestClientData(SIMCONNECT_HANDLE hSimConnect, std::uint32_t ClientDataID,
                                                             std::uint32_t RequestID, std::uint32_t DefineID,
                                                             std::uint32_t Period, std::uint32_t Flags,
                                                             std::uint32_t origin, std::uint32_t interval,
                                                             std::uint32_t limit) {
    return Forward(hSimConnect, Function::RequestClientData,
                   {ClientDataID, RequestID, DefineID, Period, Flags, origin, interval, limit});
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_SetClientData(SIMCONNECT_HANDLE hSimConnect, std::uint32_t ClientDataID,
                                                         std::uint32_t DefineID, std::uint32_t Flags,
                                                         std::uint32_t dwReserved, std::uint32_t cbUnitSize,
                                                         void* pDataSet) {
    return Forward(hSimConnect, Function::SetClientData,
                   {ClientDataID, DefineID, Flags, dwReserved, cbUnitSize, Data(pDataSet, cbUnitSize)});
}

TARVO_EXPORT SIMCONNECT_HRESULT SimConnect_GetLastSentPacketID(SIMCONNECT_HANDLE hSimConnect,
                                                               std::uint32_t* pdwSendID) {
    if (hSimConnect == nullptr || pdwSendID == nullptr) return SIMCONNECT_E_FAIL;
    const auto result = AsSession(hSimConnect)->Call(Function::GetLastSentPacketID, {});
    *pdwSendID = tarvo::wire::U32(result.values, 0).value_or(0);
    return result.hresult;
}

// Every export has exactly the type the server's loader expects.
#define TARVO_CHECK_EXPORT(name, where, params, args) \
    static_assert(std::is_same_v<decltype(&SimConnect_##name), SimConnect_##name##_t>, "SimConnect_" #name);
TARVO_SIMCONNECT_EXPORTS(TARVO_CHECK_EXPORT)
#undef TARVO_CHECK_EXPORT
