#include "standin-sim/SessionServer.h"

#include "wire/PipeIo.h"

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace tarvo::standin {
namespace {

using wire::Function;
using wire::Value;

// Arguments of one call, read in order; any missing or mistyped value makes the
// whole call malformed.
class Arguments {
public:
    explicit Arguments(const std::vector<Value>& values) : values_(values) {}
    std::uint32_t U32() { return Take(wire::U32(values_, next_++)); }
    float F32() { return Take(wire::F32(values_, next_++)); }
    const char* Text() {
        const auto text = wire::Text(values_, next_++);
        if (!text) bad_ = true;
        return text && *text ? (*text)->c_str() : nullptr;
    }
    std::vector<std::uint8_t> Bytes() {
        const auto* bytes = wire::Bytes(values_, next_++);
        if (bytes == nullptr) bad_ = true;
        return bytes ? *bytes : std::vector<std::uint8_t>{};
    }
    bool Bad() const { return bad_ || next_ != values_.size(); }

private:
    template <typename T>
    T Take(std::optional<T> value) {
        if (!value) bad_ = true;
        return value.value_or(T{});
    }
    const std::vector<Value>& values_;
    std::size_t next_ = 0;
    bool bad_ = false;
};

struct Session {
    HANDLE pipe = INVALID_HANDLE_VALUE;
    HANDLE wake = nullptr;  // signalled by the world when records wait
    std::atomic<SIMCONNECT_HANDLE> handle{nullptr};
    // A record handed out by the world lives until the next dispatch call or
    // Close on its session: the pump copies it under this lock, Close takes it too.
    std::mutex dispatch;
    std::unique_ptr<wire::FrameWriter> writer;
    std::atomic<bool> closing{false};
    std::thread pump;
};

// Runs one call; returns its result values through out.
SIMCONNECT_HRESULT Execute(platform::SimConnect& api, Session& session, const wire::Call& call,
                           std::vector<Value>& out) {
    Arguments a(call.values);
    SIMCONNECT_HANDLE h = session.handle;
    SIMCONNECT_HRESULT result = SIMCONNECT_E_FAIL;
    // Arguments are read before the call, in the order the client wrote them.
    switch (call.function) {
        case Function::Open: {
            const char* name = a.Text();
            const std::uint32_t userMessage = a.U32();
            const std::uint32_t configIndex = a.U32();
            if (a.Bad() || session.handle != nullptr) return SIMCONNECT_E_INVALIDARG;
            SIMCONNECT_HANDLE opened = nullptr;
            result = api.Open(&opened, name, 0, userMessage, reinterpret_cast<EventId>(session.wake), configIndex);
            session.handle = opened;
            ::SetEvent(session.wake);  // the OPEN record waits already
            return result;
        }
        case Function::Close: {
            if (a.Bad()) return SIMCONNECT_E_INVALIDARG;
            const std::lock_guard<std::mutex> lock(session.dispatch);
            result = api.Close(h);
            session.handle = nullptr;
            return result;
        }
        case Function::AddToDataDefinition: {
            const auto define = a.U32();
            const char* datum = a.Text();
            const char* units = a.Text();
            const auto type = a.U32();
            const auto epsilon = a.F32();
            const auto datumId = a.U32();
            if (a.Bad()) return SIMCONNECT_E_INVALIDARG;
            return api.AddToDataDefinition(h, define, datum, units, type, epsilon, datumId);
        }
        case Function::ClearDataDefinition: {
            const auto define = a.U32();
            return a.Bad() ? SIMCONNECT_E_INVALIDARG : api.ClearDataDefinition(h, define);
        }
        case Function::RequestDataOnSimObject: {
            const auto request = a.U32(), define = a.U32(), object = a.U32(), period = a.U32(), flags = a.U32(),
                       origin = a.U32(), interval = a.U32(), limit = a.U32();
            if (a.Bad()) return SIMCONNECT_E_INVALIDARG;
            return api.RequestDataOnSimObject(h, request, define, object, period, flags, origin, interval, limit);
        }
        case Function::RequestDataOnSimObjectType: {
            const auto request = a.U32(), define = a.U32(), radius = a.U32(), type = a.U32();
            return a.Bad() ? SIMCONNECT_E_INVALIDARG : api.RequestDataOnSimObjectType(h, request, define, radius, type);
        }
        case Function::SetDataOnSimObject: {
            const auto define = a.U32(), object = a.U32(), flags = a.U32(), count = a.U32(), unitSize = a.U32();
            auto data = a.Bytes();
            if (a.Bad()) return SIMCONNECT_E_INVALIDARG;
            return api.SetDataOnSimObject(h, define, object, flags, count, unitSize, data.data());
        }
        case Function::SubscribeToSystemEvent: {
            const auto event = a.U32();
            const char* name = a.Text();
            return a.Bad() ? SIMCONNECT_E_INVALIDARG : api.SubscribeToSystemEvent(h, event, name);
        }
        case Function::UnsubscribeFromSystemEvent: {
            const auto event = a.U32();
            return a.Bad() ? SIMCONNECT_E_INVALIDARG : api.UnsubscribeFromSystemEvent(h, event);
        }
        case Function::MapClientEventToSimEvent: {
            const auto event = a.U32();
            const char* name = a.Text();
            return a.Bad() ? SIMCONNECT_E_INVALIDARG : api.MapClientEventToSimEvent(h, event, name);
        }
        case Function::AddClientEventToNotificationGroup: {
            const auto group = a.U32(), event = a.U32(), maskable = a.U32();
            if (a.Bad()) return SIMCONNECT_E_INVALIDARG;
            return api.AddClientEventToNotificationGroup(h, group, event, static_cast<std::int32_t>(maskable));
        }
        case Function::SetNotificationGroupPriority: {
            const auto group = a.U32(), priority = a.U32();
            return a.Bad() ? SIMCONNECT_E_INVALIDARG : api.SetNotificationGroupPriority(h, group, priority);
        }
        case Function::TransmitClientEvent: {
            const auto object = a.U32(), event = a.U32(), data = a.U32(), group = a.U32(), flags = a.U32();
            return a.Bad() ? SIMCONNECT_E_INVALIDARG : api.TransmitClientEvent(h, object, event, data, group, flags);
        }
        case Function::FlightPlanLoad: {
            const char* file = a.Text();
            return a.Bad() ? SIMCONNECT_E_INVALIDARG : api.FlightPlanLoad(h, file);
        }
        case Function::MapClientDataNameToID: {
            const char* name = a.Text();
            const auto id = a.U32();
            return a.Bad() ? SIMCONNECT_E_INVALIDARG : api.MapClientDataNameToID(h, name, id);
        }
        case Function::CreateClientData: {
            const auto id = a.U32(), size = a.U32(), flags = a.U32();
            return a.Bad() ? SIMCONNECT_E_INVALIDARG : api.CreateClientData(h, id, size, flags);
        }
        case Function::AddToClientDataDefinition: {
            const auto define = a.U32(), offset = a.U32(), sizeOrType = a.U32();
            const auto epsilon = a.F32();
            const auto datum = a.U32();
            if (a.Bad()) return SIMCONNECT_E_INVALIDARG;
            return api.AddToClientDataDefinition(h, define, offset, sizeOrType, epsilon, datum);
        }
        case Function::ClearClientDataDefinition: {
            const auto define = a.U32();
            return a.Bad() ? SIMCONNECT_E_INVALIDARG : api.ClearClientDataDefinition(h, define);
        }
        case Function::RequestClientData: {
            const auto area = a.U32(), request = a.U32(), define = a.U32(), period = a.U32(), flags = a.U32(),
                       origin = a.U32(), interval = a.U32(), limit = a.U32();
            if (a.Bad()) return SIMCONNECT_E_INVALIDARG;
            return api.RequestClientData(h, area, request, define, period, flags, origin, interval, limit);
        }
        case Function::SetClientData: {
            const auto area = a.U32(), define = a.U32(), flags = a.U32(), reserved = a.U32(), unitSize = a.U32();
            auto data = a.Bytes();
            // The client sends exactly unitSize bytes; anything else would make the world read past them.
            if (a.Bad() || data.size() != unitSize) return SIMCONNECT_E_INVALIDARG;
            return api.SetClientData(h, area, define, flags, reserved, unitSize, data.data());
        }
        case Function::GetLastSentPacketID: {
            std::uint32_t sendId = 0;
            if (a.Bad()) return SIMCONNECT_E_INVALIDARG;
            result = api.GetLastSentPacketID(h, &sendId);
            out.push_back(sendId);
            return result;
        }
    }
    return SIMCONNECT_E_INVALIDARG;
}

// Moves the records waiting in the world to the client as they come.
void Pump(platform::SimConnect& api, Session& session) {
    while (!session.closing) {
        ::WaitForSingleObject(session.wake, 100);
        for (;;) {
            wire::Message message;
            {
                const std::lock_guard<std::mutex> lock(session.dispatch);
                SIMCONNECT_RECV* record = nullptr;
                std::uint32_t size = 0;
                if (session.closing || session.handle == nullptr ||
                    api.GetNextDispatch(session.handle, &record, &size) < 0) {
                    break;
                }
                const auto* bytes = reinterpret_cast<const std::uint8_t*>(record);
                message.record.assign(bytes, bytes + size);
            }
            if (!session.writer->Write(message)) return;
        }
    }
}

}  // namespace

void SessionServer::Start() {
    std::thread([this] { Accept(); }).detach();
}

void SessionServer::Accept() {
    wire::PipeListener listener(pipeName_, 1 << 16);
    for (;;) {
        HANDLE pipe = listener.Accept();
        if (pipe == INVALID_HANDLE_VALUE) {
            std::fprintf(stderr, "standin-sim: cannot serve %s (error %lu)\n", pipeName_.c_str(), ::GetLastError());
            return;
        }
        std::thread([this, pipe] { Serve(pipe); }).detach();
    }
}

std::string SessionServer::TakeEventArrivals() {
    const std::lock_guard<std::mutex> lock(arrivalsMutex_);
    std::string taken = std::exchange(arrivals_, {});
    if (!taken.empty()) taken.pop_back();
    return taken;
}

void SessionServer::Serve(void* pipeHandle) {
    ++active_;
    auto session = std::make_unique<Session>();
    session->pipe = static_cast<HANDLE>(pipeHandle);
    session->wake = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    session->writer = std::make_unique<wire::FrameWriter>(session->pipe);
    session->pump = std::thread([this, s = session.get()] { Pump(simConnect_, *s); });

    for (;;) {
        std::string error;
        const auto frame = wire::ReadFrame(session->pipe, error);
        if (!frame) {
            if (error != "pipe closed") std::fprintf(stderr, "standin-sim: dropping a client: %s\n", error.c_str());
            break;
        }
        const auto* call = std::get_if<wire::Call>(&*frame);
        if (call == nullptr) {
            std::fprintf(stderr, "standin-sim: dropping a client: it sent a frame that is not a call\n");
            break;
        }
        if (call->function == Function::TransmitClientEvent) {
            LARGE_INTEGER now;
            ::QueryPerformanceCounter(&now);
            const auto event = wire::U32(call->values, 1), data = wire::U32(call->values, 2);
            const std::lock_guard<std::mutex> lock(arrivalsMutex_);
            // Bounded: a run nobody asks about must not grow without end.
            if (arrivals_.size() < (std::size_t{1} << 20)) {
                arrivals_ += std::to_string(now.QuadPart) + ":" + std::to_string(event.value_or(0)) + ":" +
                             std::to_string(data.value_or(0)) + " ";
            }
        }
        std::vector<Value> out;
        const SIMCONNECT_HRESULT result = Execute(simConnect_, *session, *call, out);
        if (result == SIMCONNECT_E_INVALIDARG) {
            std::fprintf(stderr, "standin-sim: malformed %s call\n", std::string(wire::FunctionName(call->function)).c_str());
        }
        if (!session->writer->Write(wire::Result{call->callId, result, std::move(out)})) break;
        if (call->function == Function::Close) break;  // the session is over
    }

    // A client that went away must not leave its session behind.
    session->closing = true;
    ::SetEvent(session->wake);
    session->pump.join();
    if (session->handle != nullptr) simConnect_.Close(session->handle);
    ::CancelIoEx(session->pipe, nullptr);
    ::DisconnectNamedPipe(session->pipe);
    ::CloseHandle(session->pipe);
    ::CloseHandle(session->wake);
    --active_;
}

}  // namespace tarvo::standin
