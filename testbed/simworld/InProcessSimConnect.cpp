#include "simworld/InProcessSimConnect.h"

#include "simworld/WorldModel.h"
#include "wire/Wire.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace tarvo::simworld {

struct TraceHook {
    std::mutex mutex;
    std::function<void(const TraceEntry&)> trace;

    std::function<void(const TraceEntry&)> Get() {
        const std::lock_guard<std::mutex> lock(mutex);
        return trace;
    }
};

namespace {

// ---- Trace values: each argument is already a JSON value --------------------------

std::string Json(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                // Control bytes, and bytes above ASCII read as Latin-1, so that any
                // ANSI text gives valid JSON.
                if (byte < 0x20 || byte >= 0x80) {
                    out += "\\u00";
                    out += kHex[byte >> 4];
                    out += kHex[byte & 0xF];
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

std::string Number(std::uint64_t value) {
    return std::to_string(value);
}
std::string Signed(std::int64_t value) {
    return std::to_string(value);
}

std::string Real(float value) {
    if (!std::isfinite(value)) return "null";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    return std::string(buffer, result.ptr);
}

std::string Text(const char* text) {
    return text ? Json(text) : "null";
}

std::string Hex(const void* data, std::size_t size) {
    static constexpr char kHex[] = "0123456789abcdef";
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::string out = "\"";
    out.reserve(size * 2 + 2);
    for (std::size_t i = 0; i < size; ++i) {
        out += kHex[bytes[i] >> 4];
        out += kHex[bytes[i] & 0xF];
    }
    return out + "\"";
}

// A buffer the world reads: its bytes when the declared size is the one the
// world expects, else only the declared size (the world will not read it).
std::string Buffer(const void* data, std::optional<std::size_t> expected, std::uint64_t declared) {
    if (data == nullptr) return "null";
    return expected ? Hex(data, *expected) : Number(declared);
}

// ---- Records ----------------------------------------------------------------------

template <typename Record>
Record Read(const Bytes& bytes) {
    Record record{};
    std::memcpy(&record, bytes.data(), std::min(sizeof(Record), bytes.size()));
    return record;
}

std::uint32_t RecordSize(const Bytes& record) {
    return Read<SIMCONNECT_RECV>(record).dwSize;
}

// A char array of a record, up to its terminator or its end.
std::string FieldText(const char* field, std::size_t size) {
    const auto* end = static_cast<const char*>(std::memchr(field, 0, size));
    return std::string(field, end ? static_cast<std::size_t>(end - field) : size);
}

TraceEntry DescribeSend(const std::string& connection, const Bytes& record) {
    TraceEntry entry{connection, "send", "", {}};
    const auto header = Read<SIMCONNECT_RECV>(record);
    const auto data = [&](std::string_view kind) {
        const auto r = Read<SIMCONNECT_RECV_SIMOBJECT_DATA>(record);
        entry.function = kind;
        entry.arguments = {Number(r.dwRequestID), Number(r.dwDefineID), Number(r.dwSize - kSimConnectDataOffset)};
    };
    switch (header.dwID) {
        case SIMCONNECT_RECV_ID_EXCEPTION: {
            const auto r = Read<SIMCONNECT_RECV_EXCEPTION>(record);
            entry.function = "EXCEPTION";
            entry.arguments = {Number(r.dwException), Number(r.dwSendID), Number(r.dwIndex)};
            break;
        }
        case SIMCONNECT_RECV_ID_OPEN: {
            const auto r = Read<SIMCONNECT_RECV_OPEN>(record);
            entry.function = "OPEN";
            entry.arguments = {Json(FieldText(r.szApplicationName, sizeof(r.szApplicationName)))};
            break;
        }
        case SIMCONNECT_RECV_ID_QUIT:
            entry.function = "QUIT";
            break;
        case SIMCONNECT_RECV_ID_EVENT: {
            const auto r = Read<SIMCONNECT_RECV_EVENT>(record);
            entry.function = "EVENT";
            entry.arguments = {Number(r.uGroupID), Number(r.uEventID), Number(r.dwData)};
            break;
        }
        case SIMCONNECT_RECV_ID_EVENT_FILENAME: {
            const auto r = Read<SIMCONNECT_RECV_EVENT_FILENAME>(record);
            entry.function = "EVENT_FILENAME";
            entry.arguments = {Number(r.uGroupID), Number(r.uEventID),
                               Json(FieldText(r.szFileName, sizeof(r.szFileName)))};
            break;
        }
        case SIMCONNECT_RECV_ID_EVENT_FRAME: {
            const auto r = Read<SIMCONNECT_RECV_EVENT_FRAME>(record);
            entry.function = "EVENT_FRAME";
            entry.arguments = {Number(r.uEventID), Real(r.fFrameRate), Real(r.fSimSpeed)};
            break;
        }
        case SIMCONNECT_RECV_ID_SIMOBJECT_DATA:
            data("SIMOBJECT_DATA");
            break;
        case SIMCONNECT_RECV_ID_SIMOBJECT_DATA_BYTYPE:
            data("SIMOBJECT_DATA_BYTYPE");
            break;
        case SIMCONNECT_RECV_ID_CLIENT_DATA:
            data("CLIENT_DATA");
            break;
        default:
            entry.function = "RECV_" + std::to_string(header.dwID);
            break;
    }
    return entry;
}

// ---- Handles ----------------------------------------------------------------------

// A handle is the connection number shifted, so that it never looks like a small
// integer or null; ids are never reused, so a closed handle stays invalid.
SIMCONNECT_HANDLE ToHandle(std::uint32_t id) {
    return reinterpret_cast<SIMCONNECT_HANDLE>(static_cast<std::uintptr_t>(id) << 4);
}

std::uint32_t ToId(SIMCONNECT_HANDLE handle) {
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    if ((value & 0xF) != 0 || (value >> 4) > 0xFFFFFFFFu) return 0;
    return static_cast<std::uint32_t>(value >> 4);
}

using Args = std::vector<std::string>;

// One call on an open connection: traced first, then run under the world lock;
// signals and handlers run after the lock is released. A call that sends a
// packet to the simulator takes the next send id before it runs.
template <typename MakeArgs, typename Body>
SIMCONNECT_HRESULT Perform(WorldModel& model, TraceHook& traceHook, const void* owner, SIMCONNECT_HANDLE handle,
                           std::string_view function, bool sendsPacket, MakeArgs makeArgs, Body body) {
    const std::uint32_t id = ToId(handle);
    if (const auto trace = traceHook.Get()) {
        TraceEntry entry{"", "call", std::string(function), {}};
        {
            const std::lock_guard<std::mutex> lock(model.mutex);
            const Connection* connection = model.Find(id, owner);
            if (connection != nullptr) entry.connection = connection->name;
            entry.arguments = makeArgs(connection);
        }
        trace(entry);
    }
    After after;
    SIMCONNECT_HRESULT result = SIMCONNECT_E_FAIL;
    {
        const std::lock_guard<std::mutex> lock(model.mutex);
        Connection* connection = model.Find(id, owner);
        if (connection == nullptr) return SIMCONNECT_E_FAIL;
        if (sendsPacket) ++connection->lastSendId;
        result = body(*connection, after);
    }
    after.Run();
    return result;
}

constexpr auto kNoArgs = [](const Connection*) { return Args{}; };

}  // namespace

std::string ToJsonLine(const TraceEntry& entry) {
    std::string line = "{\"conn\":" + Json(entry.connection) + ",\"dir\":" + Json(entry.direction) +
                       ",\"fn\":" + Json(entry.function) + ",\"args\":[";
    for (std::size_t i = 0; i < entry.arguments.size(); ++i) {
        if (i != 0) line += ',';
        line += entry.arguments[i];
    }
    return line + "]}";
}

InProcessSimConnect::InProcessSimConnect(SimWorld& world)
    : world_(world), signal_(std::make_shared<SignalHook>()), trace_(std::make_shared<TraceHook>()) {}

InProcessSimConnect::~InProcessSimConnect() {
    // Connections left open would keep collecting records nobody reads.
    WorldModel& model = *world_.model_;
    const std::lock_guard<std::mutex> lock(model.mutex);
    for (const auto& connection : model.connections) {
        if (connection->open && connection->owner == this) model.Close(*connection);
    }
}

void InProcessSimConnect::SetSignal(std::function<void(EventId)> signal) {
    const std::lock_guard<std::mutex> lock(signal_->mutex);
    signal_->signal = std::move(signal);
}

void InProcessSimConnect::SetTrace(std::function<void(const TraceEntry&)> trace) {
    const std::lock_guard<std::mutex> lock(trace_->mutex);
    trace_->trace = std::move(trace);
}

std::size_t InProcessSimConnect::Pending(SIMCONNECT_HANDLE handle) const {
    WorldModel& model = *world_.model_;
    const std::lock_guard<std::mutex> lock(model.mutex);
    const Connection* connection = model.Find(ToId(handle), this);
    return connection ? connection->waiting.size() : 0;
}

SIMCONNECT_HRESULT InProcessSimConnect::Open(SIMCONNECT_HANDLE* handle, const char* name, WindowId window,
                                             std::uint32_t userMessage, EventId event, std::uint32_t configIndex) {
    if (const auto trace = trace_->Get()) {
        trace({name ? name : "",
               "call",
               "Open",
               {Text(name), Number(window), Number(userMessage), Number(event), Number(configIndex)}});
    }
    if (handle == nullptr) return SIMCONNECT_E_INVALIDARG;
    WorldModel& model = *world_.model_;
    After after;
    {
        const std::lock_guard<std::mutex> lock(model.mutex);
        *handle = ToHandle(model.Open(name ? name : "", this, event, signal_, after).id);
    }
    after.Run();
    return SIMCONNECT_S_OK;
}

SIMCONNECT_HRESULT InProcessSimConnect::Close(SIMCONNECT_HANDLE handle) {
    return Perform(*world_.model_, *trace_, this, handle, "Close", false, kNoArgs, [&](Connection& c, After&) {
        world_.model_->Close(c);
        return SIMCONNECT_S_OK;
    });
}

SIMCONNECT_HRESULT InProcessSimConnect::CallDispatch(SIMCONNECT_HANDLE handle, SIMCONNECT_DISPATCHPROC dispatch,
                                                     void* context) {
    WorldModel& model = *world_.model_;
    Bytes record;
    std::string name;
    After after;
    {
        const std::lock_guard<std::mutex> lock(model.mutex);
        Connection* connection = model.Find(ToId(handle), this);
        if (connection == nullptr) return SIMCONNECT_E_FAIL;
        if (dispatch == nullptr) return SIMCONNECT_E_INVALIDARG;
        // Polling an empty queue is the normal idle state: it is not traced.
        if (connection->waiting.empty()) return SIMCONNECT_S_OK;
        record = std::move(connection->waiting.front());
        connection->waiting.pop_front();
        name = connection->name;
        // More records wait: wake the client again, as one wake-up hands over one record.
        if (!connection->waiting.empty() && connection->event != 0) after.Signal(connection->signal, connection->event);
    }
    if (const auto trace = trace_->Get()) {
        trace({name, "call", "CallDispatch", {}});
        trace(DescribeSend(name, record));
    }
    after.Run();
    // The record is this call's own copy: the procedure may even close the connection.
    dispatch(reinterpret_cast<SIMCONNECT_RECV*>(record.data()), RecordSize(record), context);
    return SIMCONNECT_S_OK;
}

SIMCONNECT_HRESULT InProcessSimConnect::GetNextDispatch(SIMCONNECT_HANDLE handle, SIMCONNECT_RECV** data,
                                                        std::uint32_t* size) {
    WorldModel& model = *world_.model_;
    std::optional<TraceEntry> sent;
    std::string name;
    After after;
    {
        const std::lock_guard<std::mutex> lock(model.mutex);
        Connection* connection = model.Find(ToId(handle), this);
        if (connection == nullptr) return SIMCONNECT_E_FAIL;
        if (data == nullptr || size == nullptr) return SIMCONNECT_E_INVALIDARG;
        if (connection->waiting.empty()) return SIMCONNECT_E_FAIL;
        connection->current = std::move(connection->waiting.front());
        connection->waiting.pop_front();
        *data = reinterpret_cast<SIMCONNECT_RECV*>(connection->current.data());
        *size = RecordSize(connection->current);
        name = connection->name;
        sent = DescribeSend(name, connection->current);
        if (!connection->waiting.empty() && connection->event != 0) after.Signal(connection->signal, connection->event);
    }
    if (const auto trace = trace_->Get()) {
        trace({name, "call", "GetNextDispatch", {}});
        trace(*sent);
    }
    after.Run();
    return SIMCONNECT_S_OK;
}

SIMCONNECT_HRESULT InProcessSimConnect::AddToDataDefinition(SIMCONNECT_HANDLE handle, std::uint32_t defineId,
                                                            const char* datumName, const char* unitsName,
                                                            std::uint32_t datumType, float epsilon,
                                                            std::uint32_t datumId) {
    const auto args = [&](const Connection*) {
        return Args{Number(defineId),  Text(datumName), Text(unitsName),
                    Number(datumType), Real(epsilon),   Number(datumId)};
    };
    return Perform(*world_.model_, *trace_, this, handle, "AddToDataDefinition", true, args,
                   [&](Connection& c, After& after) {
                       world_.model_->AddDatum(c, defineId, datumName, unitsName, datumType, epsilon, datumId, after);
                       return SIMCONNECT_S_OK;
                   });
}

SIMCONNECT_HRESULT InProcessSimConnect::ClearDataDefinition(SIMCONNECT_HANDLE handle, std::uint32_t defineId) {
    const auto args = [&](const Connection*) { return Args{Number(defineId)}; };
    return Perform(*world_.model_, *trace_, this, handle, "ClearDataDefinition", true, args,
                   [&](Connection& c, After& after) {
                       world_.model_->ClearDefinition(c, defineId, after);
                       return SIMCONNECT_S_OK;
                   });
}

namespace {

Request MakeRequest(std::uint32_t requestId, std::uint32_t defineId, std::uint32_t period, std::uint32_t flags,
                    std::uint32_t origin, std::uint32_t interval, std::uint32_t limit) {
    Request request;
    request.requestId = requestId;
    request.defineId = defineId;
    request.period = period;
    request.flags = flags;
    request.origin = origin;
    request.interval = interval;
    request.limit = limit;
    return request;
}

}  // namespace

SIMCONNECT_HRESULT InProcessSimConnect::RequestDataOnSimObject(SIMCONNECT_HANDLE handle, std::uint32_t requestId,
                                                               std::uint32_t defineId, std::uint32_t objectId,
                                                               std::uint32_t period, std::uint32_t flags,
                                                               std::uint32_t origin, std::uint32_t interval,
                                                               std::uint32_t limit) {
    const auto args = [&](const Connection*) {
        return Args{Number(requestId), Number(defineId), Number(objectId), Number(period),
                    Number(flags),     Number(origin),   Number(interval), Number(limit)};
    };
    return Perform(*world_.model_, *trace_, this, handle, "RequestDataOnSimObject", true, args,
                   [&](Connection& c, After& after) {
                       const Request request =
                           MakeRequest(requestId, defineId, period, flags, origin, interval, limit);
                       world_.model_->RequestData(c, request, objectId, after);
                       return SIMCONNECT_S_OK;
                   });
}

SIMCONNECT_HRESULT InProcessSimConnect::RequestDataOnSimObjectType(SIMCONNECT_HANDLE handle, std::uint32_t requestId,
                                                                   std::uint32_t defineId, std::uint32_t radiusMeters,
                                                                   std::uint32_t objectType) {
    const auto args = [&](const Connection*) {
        return Args{Number(requestId), Number(defineId), Number(radiusMeters), Number(objectType)};
    };
    return Perform(*world_.model_, *trace_, this, handle, "RequestDataOnSimObjectType", true, args,
                   [&](Connection& c, After& after) {
                       world_.model_->RequestDataByType(c, requestId, defineId, radiusMeters, after);
                       return SIMCONNECT_S_OK;
                   });
}

SIMCONNECT_HRESULT InProcessSimConnect::SetDataOnSimObject(SIMCONNECT_HANDLE handle, std::uint32_t defineId,
                                                           std::uint32_t objectId, std::uint32_t flags,
                                                           std::uint32_t arrayCount, std::uint32_t unitSize,
                                                           void* data) {
    WorldModel& model = *world_.model_;
    const auto args = [&](const Connection* c) {
        const auto expected = c ? model.ExpectedSetSize(*c, defineId, arrayCount, unitSize) : std::nullopt;
        return Args{
            Number(defineId),
            Number(objectId),
            Number(flags),
            Number(arrayCount),
            Number(unitSize),
            Buffer(data, expected, static_cast<std::uint64_t>(unitSize) * std::max<std::uint32_t>(arrayCount, 1))};
    };
    return Perform(model, *trace_, this, handle, "SetDataOnSimObject", true, args, [&](Connection& c, After& after) {
        if (data == nullptr) return SIMCONNECT_E_INVALIDARG;
        model.SetData(c, defineId, objectId, flags, arrayCount, unitSize, static_cast<const std::uint8_t*>(data),
                      after);
        return SIMCONNECT_S_OK;
    });
}

SIMCONNECT_HRESULT InProcessSimConnect::SubscribeToSystemEvent(SIMCONNECT_HANDLE handle, std::uint32_t eventId,
                                                               const char* systemEventName) {
    const auto args = [&](const Connection*) { return Args{Number(eventId), Text(systemEventName)}; };
    return Perform(*world_.model_, *trace_, this, handle, "SubscribeToSystemEvent", true, args,
                   [&](Connection& c, After& after) {
                       world_.model_->Subscribe(c, eventId, systemEventName, after);
                       return SIMCONNECT_S_OK;
                   });
}

SIMCONNECT_HRESULT InProcessSimConnect::UnsubscribeFromSystemEvent(SIMCONNECT_HANDLE handle, std::uint32_t eventId) {
    const auto args = [&](const Connection*) { return Args{Number(eventId)}; };
    return Perform(*world_.model_, *trace_, this, handle, "UnsubscribeFromSystemEvent", true, args,
                   [&](Connection& c, After& after) {
                       world_.model_->Unsubscribe(c, eventId, after);
                       return SIMCONNECT_S_OK;
                   });
}

SIMCONNECT_HRESULT InProcessSimConnect::MapClientEventToSimEvent(SIMCONNECT_HANDLE handle, std::uint32_t eventId,
                                                                 const char* eventName) {
    const auto args = [&](const Connection*) { return Args{Number(eventId), Text(eventName)}; };
    return Perform(*world_.model_, *trace_, this, handle, "MapClientEventToSimEvent", true, args,
                   [&](Connection& c, After& after) {
                       world_.model_->MapEvent(c, eventId, eventName, after);
                       return SIMCONNECT_S_OK;
                   });
}

SIMCONNECT_HRESULT InProcessSimConnect::AddClientEventToNotificationGroup(SIMCONNECT_HANDLE handle,
                                                                          std::uint32_t groupId, std::uint32_t eventId,
                                                                          std::int32_t maskable) {
    const auto args = [&](const Connection*) { return Args{Number(groupId), Number(eventId), Signed(maskable)}; };
    return Perform(*world_.model_, *trace_, this, handle, "AddClientEventToNotificationGroup", true, args,
                   [&](Connection& c, After&) {
                       // An event may join its group before it is mapped; masking is not modelled.
                       c.eventGroups[eventId] = {groupId, maskable != 0};
                       return SIMCONNECT_S_OK;
                   });
}

SIMCONNECT_HRESULT InProcessSimConnect::SetNotificationGroupPriority(SIMCONNECT_HANDLE handle, std::uint32_t groupId,
                                                                     std::uint32_t priority) {
    const auto args = [&](const Connection*) { return Args{Number(groupId), Number(priority)}; };
    return Perform(*world_.model_, *trace_, this, handle, "SetNotificationGroupPriority", true, args,
                   [&](Connection& c, After&) {
                       c.groupPriorities[groupId] = priority;
                       return SIMCONNECT_S_OK;
                   });
}

SIMCONNECT_HRESULT InProcessSimConnect::TransmitClientEvent(SIMCONNECT_HANDLE handle, std::uint32_t objectId,
                                                            std::uint32_t eventId, std::uint32_t data,
                                                            std::uint32_t groupId, std::uint32_t flags) {
    const auto args = [&](const Connection*) {
        return Args{Number(objectId), Number(eventId), Number(data), Number(groupId), Number(flags)};
    };
    return Perform(*world_.model_, *trace_, this, handle, "TransmitClientEvent", true, args,
                   [&](Connection& c, After& after) {
                       // Every group holding the event hears it, whatever priority the sender names.
                       if (c.mappedEvents.count(eventId) == 0) {
                           world_.model_->Exception(c, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 3, after);
                       } else if (objectId != SIMCONNECT_OBJECT_ID_USER) {
                           world_.model_->Exception(c, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 2, after);
                       } else {
                           world_.model_->TransmitEvent(c, eventId, data, after);
                       }
                       return SIMCONNECT_S_OK;
                   });
}

SIMCONNECT_HRESULT InProcessSimConnect::FlightPlanLoad(SIMCONNECT_HANDLE handle, const char* fileName) {
    const auto args = [&](const Connection*) { return Args{Text(fileName)}; };
    return Perform(*world_.model_, *trace_, this, handle, "FlightPlanLoad", true, args,
                   [&](Connection& c, After& after) {
                       WorldModel& model = *world_.model_;
                       if (fileName == nullptr || *fileName == '\0') {
                           model.Exception(c, SIMCONNECT_EXCEPTION_LOAD_FLIGHTPLAN_FAILED, 2, after);
                       } else {
                           model.flightPlans.emplace_back(fileName);
                           model.FileNameEvent("FlightPlan", fileName, after);
                       }
                       return SIMCONNECT_S_OK;
                   });
}

SIMCONNECT_HRESULT InProcessSimConnect::RetrieveString(SIMCONNECT_RECV* data, std::uint32_t size, void* stringV,
                                                       char** text, std::uint32_t* textSize) {
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const auto at = reinterpret_cast<std::uintptr_t>(stringV);
    if (const auto trace = trace_->Get()) {
        const std::string offset = (data && stringV) ? Signed(static_cast<std::int64_t>(at - begin)) : "null";
        trace({"", "call", "RetrieveString", {Number(size), offset}});
    }
    if (text == nullptr || textSize == nullptr) return SIMCONNECT_E_INVALIDARG;
    if (data == nullptr || stringV == nullptr) return SIMCONNECT_E_FAIL;
    // The record's own size bounds the search when the caller's buffer is larger.
    std::uintptr_t end = begin + size;
    if (size >= sizeof(std::uint32_t)) {
        std::uint32_t recordSize = 0;
        std::memcpy(&recordSize, data, sizeof(recordSize));
        end = begin + std::min(size, recordSize);
    }
    if (at < begin + kSimConnectDataOffset) return SIMCONNECT_E_FAIL;
    const char* found = nullptr;
    if (!wire::RetrieveStringV(reinterpret_cast<const std::uint8_t*>(data), static_cast<std::uint32_t>(end - begin),
                               stringV, &found, textSize)) {
        return SIMCONNECT_E_FAIL;
    }
    *text = const_cast<char*>(found);
    return SIMCONNECT_S_OK;
}

SIMCONNECT_HRESULT InProcessSimConnect::MapClientDataNameToID(SIMCONNECT_HANDLE handle, const char* name,
                                                              std::uint32_t clientDataId) {
    const auto args = [&](const Connection*) { return Args{Text(name), Number(clientDataId)}; };
    return Perform(*world_.model_, *trace_, this, handle, "MapClientDataNameToID", true, args,
                   [&](Connection& c, After& after) {
                       if (name != nullptr && world_.model_->failingAreaNames.contains(ToUpper(name))) {
                           return SIMCONNECT_E_FAIL;
                       }
                       world_.model_->MapClientDataName(c, name, clientDataId, after);
                       return SIMCONNECT_S_OK;
                   });
}

SIMCONNECT_HRESULT InProcessSimConnect::CreateClientData(SIMCONNECT_HANDLE handle, std::uint32_t clientDataId,
                                                         std::uint32_t size, std::uint32_t flags) {
    const auto args = [&](const Connection*) { return Args{Number(clientDataId), Number(size), Number(flags)}; };
    return Perform(*world_.model_, *trace_, this, handle, "CreateClientData", true, args,
                   [&](Connection& c, After& after) {
                       world_.model_->CreateClientData(c, clientDataId, size, flags, after);
                       return SIMCONNECT_S_OK;
                   });
}

SIMCONNECT_HRESULT InProcessSimConnect::AddToClientDataDefinition(SIMCONNECT_HANDLE handle, std::uint32_t defineId,
                                                                  std::uint32_t offset, std::uint32_t sizeOrType,
                                                                  float epsilon, std::uint32_t datumId) {
    const auto args = [&](const Connection*) {
        return Args{Number(defineId), Number(offset), Number(sizeOrType), Real(epsilon), Number(datumId)};
    };
    return Perform(*world_.model_, *trace_, this, handle, "AddToClientDataDefinition", true, args,
                   [&](Connection& c, After& after) {
                       world_.model_->AddClientDatum(c, defineId, offset, sizeOrType, epsilon, after);
                       return SIMCONNECT_S_OK;
                   });
}

SIMCONNECT_HRESULT InProcessSimConnect::ClearClientDataDefinition(SIMCONNECT_HANDLE handle, std::uint32_t defineId) {
    const auto args = [&](const Connection*) { return Args{Number(defineId)}; };
    return Perform(*world_.model_, *trace_, this, handle, "ClearClientDataDefinition", true, args,
                   [&](Connection& c, After& after) {
                       world_.model_->ClearClientDefinition(c, defineId, after);
                       return SIMCONNECT_S_OK;
                   });
}

SIMCONNECT_HRESULT InProcessSimConnect::RequestClientData(SIMCONNECT_HANDLE handle, std::uint32_t clientDataId,
                                                          std::uint32_t requestId, std::uint32_t defineId,
                                                          std::uint32_t period, std::uint32_t flags,
                                                          std::uint32_t origin, std::uint32_t interval,
                                                          std::uint32_t limit) {
    const auto args = [&](const Connection*) {
        return Args{Number(clientDataId), Number(requestId), Number(defineId), Number(period),
                    Number(flags),        Number(origin),    Number(interval), Number(limit)};
    };
    return Perform(*world_.model_, *trace_, this, handle, "RequestClientData", true, args,
                   [&](Connection& c, After& after) {
                       const Request request =
                           MakeRequest(requestId, defineId, period, flags, origin, interval, limit);
                       world_.model_->RequestClientData(c, clientDataId, request, after);
                       return SIMCONNECT_S_OK;
                   });
}

SIMCONNECT_HRESULT InProcessSimConnect::SetClientData(SIMCONNECT_HANDLE handle, std::uint32_t clientDataId,
                                                      std::uint32_t defineId, std::uint32_t flags,
                                                      std::uint32_t reserved, std::uint32_t unitSize, void* data) {
    WorldModel& model = *world_.model_;
    const auto args = [&](const Connection* c) {
        const auto expected = c ? model.ExpectedClientSetSize(*c, defineId, unitSize) : std::nullopt;
        return Args{Number(clientDataId), Number(defineId), Number(flags),
                    Number(reserved),     Number(unitSize), Buffer(data, expected, unitSize)};
    };
    return Perform(model, *trace_, this, handle, "SetClientData", true, args, [&](Connection& c, After& after) {
        if (data == nullptr) return SIMCONNECT_E_INVALIDARG;
        model.SetClientData(c, clientDataId, defineId, flags, unitSize, static_cast<const std::uint8_t*>(data), after);
        return SIMCONNECT_S_OK;
    });
}

SIMCONNECT_HRESULT InProcessSimConnect::GetLastSentPacketID(SIMCONNECT_HANDLE handle, std::uint32_t* sendId) {
    return Perform(*world_.model_, *trace_, this, handle, "GetLastSentPacketID", false, kNoArgs,
                   [&](Connection& c, After&) {
                       if (sendId == nullptr) return SIMCONNECT_E_INVALIDARG;
                       *sendId = c.lastSendId;
                       return SIMCONNECT_S_OK;
                   });
}

}  // namespace tarvo::simworld
