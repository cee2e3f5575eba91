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

    // The simulator is gone (its pipe broke) and nothing it sent is left.
    bool IsLost() {
        std::lock_guard<std::mutex> lock(mutex_);
        return broken_ && messages_.empty();
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

// ---- One body per export, with the export's parameters --------------------------

namespace calls {

SIMCONNECT_HRESULT Open(SIMCONNECT_HANDLE* handle, const char* name, void* window, std::uint32_t userMessage,
                        void* event, std::uint32_t configIndex) {
    if (handle == nullptr) return SIMCONNECT_E_INVALIDARG;
    *handle = nullptr;
    HANDLE pipe = tarvo::wire::ConnectToPipe(tarvo::wire::SimConnectPipeName(), 2000);
    if (pipe == INVALID_HANDLE_VALUE) return SIMCONNECT_E_FAIL;  // no simulator running
    auto session =
        std::make_unique<Session>(pipe, static_cast<HANDLE>(event), static_cast<HWND>(window), userMessage);
    const auto result = session->Call(Function::Open, {Text(name), userMessage, configIndex});
    if (result.hresult < 0) return result.hresult;
    *handle = session.release();
    return result.hresult;
}

SIMCONNECT_HRESULT Close(SIMCONNECT_HANDLE handle) {
    if (handle == nullptr) return SIMCONNECT_E_FAIL;
    std::unique_ptr<Session> session(AsSession(handle));
    return session->Call(Function::Close, {}).hresult;
}

SIMCONNECT_HRESULT CallDispatch(SIMCONNECT_HANDLE handle, SIMCONNECT_DISPATCHPROC dispatch, void* context) {
    if (handle == nullptr || dispatch == nullptr) return SIMCONNECT_E_FAIL;
    Session& session = *AsSession(handle);
    SIMCONNECT_RECV* data = nullptr;
    std::uint32_t size = 0;
    if (session.TakeNext(&data, &size)) {
        dispatch(data, size, context);
        return SIMCONNECT_S_OK;
    }
    // A failure once the simulator has gone away without a quit, as the SDK's DLL answers.
    return session.IsLost() ? SIMCONNECT_E_FAIL : SIMCONNECT_S_OK;
}

SIMCONNECT_HRESULT GetNextDispatch(SIMCONNECT_HANDLE handle, SIMCONNECT_RECV** data, std::uint32_t* size) {
    if (handle == nullptr || data == nullptr || size == nullptr) return SIMCONNECT_E_FAIL;
    return AsSession(handle)->TakeNext(data, size) ? SIMCONNECT_S_OK : SIMCONNECT_E_FAIL;
}

SIMCONNECT_HRESULT AddToDataDefinition(SIMCONNECT_HANDLE handle, std::uint32_t defineId, const char* datumName,
                                       const char* unitsName, std::uint32_t datumType, float epsilon,
                                       std::uint32_t datumId) {
    return Forward(handle, Function::AddToDataDefinition,
                   {defineId, Text(datumName), Text(unitsName), datumType, epsilon, datumId});
}

SIMCONNECT_HRESULT ClearDataDefinition(SIMCONNECT_HANDLE handle, std::uint32_t defineId) {
    return Forward(handle, Function::ClearDataDefinition, {defineId});
}

SIMCONNECT_HRESULT RequestDataOnSimObject(SIMCONNECT_HANDLE handle, std::uint32_t requestId, std::uint32_t defineId,
                                          std::uint32_t objectId, std::uint32_t period, std::uint32_t flags,
                                          std::uint32_t origin, std::uint32_t interval, std::uint32_t limit) {
    return Forward(handle, Function::RequestDataOnSimObject,
                   {requestId, defineId, objectId, period, flags, origin, interval, limit});
}

SIMCONNECT_HRESULT RequestDataOnSimObjectType(SIMCONNECT_HANDLE handle, std::uint32_t requestId,
                                              std::uint32_t defineId, std::uint32_t radiusMeters,
                                              std::uint32_t objectType) {
    return Forward(handle, Function::RequestDataOnSimObjectType, {requestId, defineId, radiusMeters, objectType});
}

SIMCONNECT_HRESULT SetDataOnSimObject(SIMCONNECT_HANDLE handle, std::uint32_t defineId, std::uint32_t objectId,
                                      std::uint32_t flags, std::uint32_t arrayCount, std::uint32_t unitSize,
                                      void* data) {
    const std::uint32_t count = arrayCount == 0 ? 1 : arrayCount;
    return Forward(handle, Function::SetDataOnSimObject,
                   {defineId, objectId, flags, arrayCount, unitSize, Data(data, count * unitSize)});
}

SIMCONNECT_HRESULT SubscribeToSystemEvent(SIMCONNECT_HANDLE handle, std::uint32_t eventId,
                                          const char* systemEventName) {
    return Forward(handle, Function::SubscribeToSystemEvent, {eventId, Text(systemEventName)});
}

SIMCONNECT_HRESULT UnsubscribeFromSystemEvent(SIMCONNECT_HANDLE handle, std::uint32_t eventId) {
    return Forward(handle, Function::UnsubscribeFromSystemEvent, {eventId});
}

SIMCONNECT_HRESULT MapClientEventToSimEvent(SIMCONNECT_HANDLE handle, std::uint32_t eventId, const char* eventName) {
    return Forward(handle, Function::MapClientEventToSimEvent, {eventId, Text(eventName)});
}

SIMCONNECT_HRESULT AddClientEventToNotificationGroup(SIMCONNECT_HANDLE handle, std::uint32_t groupId,
                                                     std::uint32_t eventId, std::int32_t maskable) {
    return Forward(handle, Function::AddClientEventToNotificationGroup,
                   {groupId, eventId, static_cast<std::uint32_t>(maskable)});
}

SIMCONNECT_HRESULT SetNotificationGroupPriority(SIMCONNECT_HANDLE handle, std::uint32_t groupId,
                                                std::uint32_t priority) {
    return Forward(handle, Function::SetNotificationGroupPriority, {groupId, priority});
}

SIMCONNECT_HRESULT TransmitClientEvent(SIMCONNECT_HANDLE handle, std::uint32_t objectId, std::uint32_t eventId,
                                       std::uint32_t data, std::uint32_t groupId, std::uint32_t flags) {
    return Forward(handle, Function::TransmitClientEvent, {objectId, eventId, data, groupId, flags});
}

SIMCONNECT_HRESULT FlightPlanLoad(SIMCONNECT_HANDLE handle, const char* fileName) {
    return Forward(handle, Function::FlightPlanLoad, {Text(fileName)});
}

SIMCONNECT_HRESULT RetrieveString(SIMCONNECT_RECV* data, std::uint32_t size, void* stringV, char** text,
                                  std::uint32_t* textSize) {
    const char* found = nullptr;
    if (!tarvo::wire::RetrieveStringV(reinterpret_cast<const std::uint8_t*>(data), size, stringV, &found,
                                      textSize)) {
        return SIMCONNECT_E_FAIL;
    }
    if (text != nullptr) *text = const_cast<char*>(found);
    return SIMCONNECT_S_OK;
}

SIMCONNECT_HRESULT MapClientDataNameToID(SIMCONNECT_HANDLE handle, const char* name, std::uint32_t clientDataId) {
    return Forward(handle, Function::MapClientDataNameToID, {Text(name), clientDataId});
}

SIMCONNECT_HRESULT CreateClientData(SIMCONNECT_HANDLE handle, std::uint32_t clientDataId, std::uint32_t size,
                                    std::uint32_t flags) {
    return Forward(handle, Function::CreateClientData, {clientDataId, size, flags});
}

SIMCONNECT_HRESULT AddToClientDataDefinition(SIMCONNECT_HANDLE handle, std::uint32_t defineId, std::uint32_t offset,
                                             std::uint32_t sizeOrType, float epsilon, std::uint32_t datumId) {
    return Forward(handle, Function::AddToClientDataDefinition, {defineId, offset, sizeOrType, epsilon, datumId});
}

SIMCONNECT_HRESULT ClearClientDataDefinition(SIMCONNECT_HANDLE handle, std::uint32_t defineId) {
    return Forward(handle, Function::ClearClientDataDefinition, {defineId});
}

SIMCONNECT_HRESULT RequestClientData(SIMCONNECT_HANDLE handle, std::uint32_t clientDataId, std::uint32_t requestId,
                                     std::uint32_t defineId, std::uint32_t period, std::uint32_t flags,
                                     std::uint32_t origin, std::uint32_t interval, std::uint32_t limit) {
    return Forward(handle, Function::RequestClientData,
                   {clientDataId, requestId, defineId, period, flags, origin, interval, limit});
}

SIMCONNECT_HRESULT SetClientData(SIMCONNECT_HANDLE handle, std::uint32_t clientDataId, std::uint32_t defineId,
                                 std::uint32_t flags, std::uint32_t reserved, std::uint32_t unitSize, void* data) {
    return Forward(handle, Function::SetClientData,
                   {clientDataId, defineId, flags, reserved, unitSize, Data(data, unitSize)});
}

SIMCONNECT_HRESULT GetLastSentPacketID(SIMCONNECT_HANDLE handle, std::uint32_t* sendId) {
    if (handle == nullptr || sendId == nullptr) return SIMCONNECT_E_FAIL;
    const auto result = AsSession(handle)->Call(Function::GetLastSentPacketID, {});
    *sendId = tarvo::wire::U32(result.values, 0).value_or(0);
    return result.hresult;
}

}  // namespace calls
}  // namespace

// Every export of the list, with exactly its parameters, runs its body above.
#define TARVO_SIMCONNECT_DEFINE_EXPORT(name, where, params, args) \
    extern "C" __declspec(dllexport) SIMCONNECT_HRESULT SimConnect_##name params { return calls::name args; }
TARVO_SIMCONNECT_EXPORTS(TARVO_SIMCONNECT_DEFINE_EXPORT)
#undef TARVO_SIMCONNECT_DEFINE_EXPORT
