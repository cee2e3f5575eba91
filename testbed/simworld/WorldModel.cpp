#include "simworld/WorldModel.h"

#include "simworld/KeyEvents.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tarvo::simworld {
namespace {

// Exception codes the ABI header does not name.
constexpr std::uint32_t kExceptionEventIdDuplicate = 9;
constexpr std::uint32_t kExceptionIllegalOperation = 25;
constexpr std::uint32_t kExceptionInvalidEnum = 27;

// dwVersion of every record: the SimConnect version the OPEN record reports.
constexpr std::uint32_t kRecordVersion = 11;
constexpr std::uint32_t kMaxRadiusMeters = 200000;

// clang-format off
constexpr std::string_view kSystemEvents[] = {
    "1sec", "4sec", "6Hz", "AircraftLoaded", "Crashed", "CrashReset", "FlightLoaded", "FlightSaved",
    "FlightPlan", "FlightPlanActivated", "FlightPlanDeactivated", "Frame", "ObjectAdded", "ObjectRemoved",
    "Pause", "Pause_EX1", "Paused", "PauseFrame", "PositionChanged", "Sim", "SimStart", "SimStop", "Sound",
    "Unpaused", "View", "WeatherModeChanged",
};
// clang-format on

template <typename Record>
Bytes ToBytes(const Record& record) {
    Bytes bytes(sizeof(Record));
    std::memcpy(bytes.data(), &record, sizeof(Record));
    return bytes;
}

template <typename Record>
Record Header(SIMCONNECT_RECV_ID id) {
    Record record{};
    record.dwSize = sizeof(Record);
    record.dwVersion = kRecordVersion;
    record.dwID = id;
    return record;
}

// SIMOBJECT_DATA, _BYTYPE and CLIENT_DATA: 40 bytes of header, then the payload.
// The buffer is at least the declared struct long, so a client reading dwData of
// a tiny payload stays inside it; dwSize tells the real length.
Bytes DataRecord(SIMCONNECT_RECV_ID id, std::uint32_t requestId, std::uint32_t objectId, std::uint32_t defineId,
                 std::uint32_t flags, std::uint32_t defineCount, const Bytes& payload) {
    auto header = Header<SIMCONNECT_RECV_SIMOBJECT_DATA>(id);
    header.dwSize = static_cast<std::uint32_t>(kSimConnectDataOffset + payload.size());
    header.dwRequestID = requestId;
    header.dwObjectID = objectId;
    header.dwDefineID = defineId;
    header.dwFlags = flags;
    header.dwentrynumber = 1;
    header.dwoutof = 1;
    header.dwDefineCount = defineCount;
    Bytes bytes(std::max(sizeof(header), kSimConnectDataOffset + payload.size()), 0);
    std::memcpy(bytes.data(), &header, kSimConnectDataOffset);
    if (!payload.empty()) std::memcpy(bytes.data() + kSimConnectDataOffset, payload.data(), payload.size());
    return bytes;
}

std::optional<std::size_t> FixedSize(std::uint32_t type) {
    switch (type) {
        case SIMCONNECT_DATATYPE_INT32:
            return 4;
        case SIMCONNECT_DATATYPE_INT64:
            return 8;
        case SIMCONNECT_DATATYPE_FLOAT32:
            return 4;
        case SIMCONNECT_DATATYPE_FLOAT64:
            return 8;
        case SIMCONNECT_DATATYPE_STRING8:
            return 8;
        case SIMCONNECT_DATATYPE_STRING32:
            return 32;
        case SIMCONNECT_DATATYPE_STRING64:
            return 64;
        case SIMCONNECT_DATATYPE_STRING128:
            return 128;
        case SIMCONNECT_DATATYPE_STRING256:
            return 256;
        case SIMCONNECT_DATATYPE_STRING260:
            return 260;
        case SIMCONNECT_DATATYPE_INITPOSITION:
            return sizeof(SIMCONNECT_DATA_INITPOSITION);
        default:
            return std::nullopt;
    }
}

bool IsTextType(std::uint32_t type) {
    return type == SIMCONNECT_DATATYPE_STRINGV ||
           (type >= SIMCONNECT_DATATYPE_STRING8 && type <= SIMCONNECT_DATATYPE_STRING260);
}

bool IsSupportedType(std::uint32_t type) {
    return type == SIMCONNECT_DATATYPE_STRINGV || FixedSize(type).has_value();
}

// Size of a whole definition, or nullopt when it holds a STRINGV.
std::optional<std::size_t> DefinitionSize(const std::vector<DataDatum>& definition) {
    std::size_t size = 0;
    for (const DataDatum& datum : definition) {
        const auto datumSize = FixedSize(datum.type);
        if (!datumSize) return std::nullopt;
        size += *datumSize;
    }
    return size;
}

std::size_t ClientDefinitionSize(const std::vector<ClientDatum>& definition) {
    std::size_t size = 0;
    for (const ClientDatum& datum : definition) size += datum.size;
    return size;
}

std::optional<std::uint32_t> ClientTypeSize(std::uint32_t sizeOrType) {
    switch (sizeOrType) {
        case SIMCONNECT_CLIENTDATATYPE_INT8:
            return 1;
        case SIMCONNECT_CLIENTDATATYPE_INT16:
            return 2;
        case SIMCONNECT_CLIENTDATATYPE_INT32:
            return 4;
        case SIMCONNECT_CLIENTDATATYPE_INT64:
            return 8;
        case SIMCONNECT_CLIENTDATATYPE_FLOAT32:
            return 4;
        case SIMCONNECT_CLIENTDATATYPE_FLOAT64:
            return 8;
        default:
            return std::nullopt;
    }
}

template <typename T>
void Append(Bytes& bytes, const T& value) {
    const auto* raw = reinterpret_cast<const std::uint8_t*>(&value);
    bytes.insert(bytes.end(), raw, raw + sizeof(T));
}

template <typename T>
T Load(const std::uint8_t* data) {
    T value;
    std::memcpy(&value, data, sizeof(T));
    return value;
}

// Fixed strings: cut to leave room for the terminator, zero-filled.
void AppendFixedText(Bytes& bytes, const std::string& text, std::size_t size) {
    const std::size_t length = std::min(text.size(), size - 1);
    bytes.insert(bytes.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
    bytes.insert(bytes.end(), size - length, 0);
}

// STRINGV: the text, its terminator, then zeros up to a multiple of 4.
void AppendVariableText(Bytes& bytes, std::string text) {
    text.resize(std::strlen(text.c_str()));  // nothing after an embedded NUL
    bytes.insert(bytes.end(), text.begin(), text.end());
    const std::size_t padded = (text.size() + 1 + 3) / 4 * 4;
    bytes.insert(bytes.end(), padded - text.size(), 0);
}

std::string_view KnownSystemEvent(std::string_view name) {
    for (std::string_view known : kSystemEvents) {
        if (EqualsIgnoreCase(known, name)) return known;
    }
    return {};
}

bool IsFramePeriod(const Request& request) {
    if (request.kind == RequestKind::SimObject) {
        return request.period == SIMCONNECT_PERIOD_VISUAL_FRAME || request.period == SIMCONNECT_PERIOD_SIM_FRAME;
    }
    return request.period == SIMCONNECT_CLIENT_DATA_PERIOD_VISUAL_FRAME;
}

bool IsSecondPeriod(const Request& request) {
    return request.period == SIMCONNECT_PERIOD_SECOND;  // same value for client data
}

std::uint64_t SecondStep(const Request& request) {
    return (static_cast<std::uint64_t>(request.interval) + 1) * 1000;
}

double NormalizedDegrees(double degrees) {
    degrees = std::fmod(degrees, 360.0);
    return degrees < 0 ? degrees + 360.0 : degrees;
}

}  // namespace

// ---- After ----------------------------------------------------------------------

void After::Signal(std::shared_ptr<SignalHook> hook, EventId event) {
    for (const auto& [queuedHook, queuedEvent] : signals_) {
        if (queuedHook == hook && queuedEvent == event) return;
    }
    signals_.emplace_back(std::move(hook), event);
}

void After::Run() {
    for (const auto& [hook, event] : signals_) {
        std::function<void(EventId)> signal;
        {
            const std::lock_guard<std::mutex> lock(hook->mutex);
            signal = hook->signal;
        }
        if (signal) signal(event);
    }
    signals_.clear();
    for (auto& call : calls_) call();
    calls_.clear();
}

// ---- Connections ------------------------------------------------------------------

Connection& WorldModel::Open(std::string name, const void* owner, EventId event, std::shared_ptr<SignalHook> signal,
                             After& after) {
    auto connection = std::make_unique<Connection>();
    connection->id = nextConnectionId_++;
    connection->name = std::move(name);
    connection->owner = owner;
    connection->event = event;
    connection->signal = std::move(signal);
    connection->lastSendId = 1;  // Open is the first packet of a session

    auto open = Header<SIMCONNECT_RECV_OPEN>(SIMCONNECT_RECV_ID_OPEN);
    constexpr char kApplication[] = "Tarvo81 simworld";
    std::memcpy(open.szApplicationName, kApplication, sizeof(kApplication));
    open.dwApplicationVersionMajor = 11;
    open.dwApplicationVersionMinor = 0;
    open.dwApplicationBuildMajor = 62651;
    open.dwApplicationBuildMinor = 3;
    open.dwSimConnectVersionMajor = 11;
    open.dwSimConnectVersionMinor = 0;
    open.dwSimConnectBuildMajor = 62651;
    open.dwSimConnectBuildMinor = 3;

    connections.push_back(std::move(connection));
    Connection& opened = *connections.back();
    Queue(opened, ToBytes(open), after);
    return opened;
}

Connection* WorldModel::Find(std::uint32_t id, const void* owner) {
    if (id == 0 || id > connections.size()) return nullptr;
    Connection& connection = *connections[id - 1];
    return connection.open && connection.owner == owner ? &connection : nullptr;
}

void WorldModel::Close(Connection& connection) {
    // The last record handed out stays readable: a client may still look at it.
    connection.open = false;
    connection.waiting.clear();
    connection.definitions.clear();
    connection.clientDefinitions.clear();
    connection.requests.clear();
    connection.subscriptions.clear();
    connection.mappedEvents.clear();
    connection.eventGroups.clear();
    connection.groupPriorities.clear();
    connection.clientDataNames.clear();
}

void WorldModel::Queue(Connection& connection, Bytes record, After& after) {
    if (!connection.open) return;
    connection.waiting.push_back(std::move(record));
    if (connection.event != 0 && connection.signal) after.Signal(connection.signal, connection.event);
}

void WorldModel::Exception(Connection& connection, std::uint32_t exception, std::uint32_t index, After& after) {
    auto record = Header<SIMCONNECT_RECV_EXCEPTION>(SIMCONNECT_RECV_ID_EXCEPTION);
    record.dwException = exception;
    record.dwSendID = connection.lastSendId;
    record.dwIndex = index;
    Queue(connection, ToBytes(record), after);
}

// ---- Data definitions and requests ------------------------------------------------

void WorldModel::AddDatum(Connection& c, std::uint32_t defineId, const char* name, const char* unit, std::uint32_t type,
                          float epsilon, std::uint32_t datumId, After& after) {
    const std::string_view datumName = name ? name : "";
    const std::string_view unitName = unit ? unit : "";
    DataDatum datum;
    datum.given = {std::string(datumName), std::string(unitName), type, epsilon, datumId};
    datum.type = type;

    const bool initialPosition = EqualsIgnoreCase(datumName, "Initial Position");
    if (initialPosition || type == SIMCONNECT_DATATYPE_INITPOSITION) {
        if (!initialPosition) return Exception(c, SIMCONNECT_EXCEPTION_NAME_UNRECOGNIZED, 3, after);
        if (type != SIMCONNECT_DATATYPE_INITPOSITION) {
            return Exception(c, SIMCONNECT_EXCEPTION_INVALID_DATA_TYPE, 5, after);
        }
        c.definitions[defineId].push_back(std::move(datum));
        return;
    }
    const auto key = variables.Resolve(datumName);
    if (!key) return Exception(c, SIMCONNECT_EXCEPTION_NAME_UNRECOGNIZED, 3, after);
    if (!IsSupportedType(type)) return Exception(c, SIMCONNECT_EXCEPTION_INVALID_DATA_TYPE, 5, after);
    const Variable& variable = *variables.Find(*key);
    if (variable.isText != IsTextType(type)) return Exception(c, SIMCONNECT_EXCEPTION_INVALID_DATA_TYPE, 5, after);
    if (!variable.isText) {
        datum.unit = FindUnit(unitName);
        if (datum.unit == nullptr) return Exception(c, SIMCONNECT_EXCEPTION_NAME_UNRECOGNIZED, 4, after);
        if (datum.unit->kind != variable.kind) return Exception(c, SIMCONNECT_EXCEPTION_DATA_ERROR, 4, after);
    }
    datum.variable = *key;
    c.definitions[defineId].push_back(std::move(datum));
}

void WorldModel::ClearDefinition(Connection& c, std::uint32_t defineId, After& after) {
    // Requests on the definition stay; they deliver again once it has datums.
    if (c.definitions.erase(defineId) == 0) Exception(c, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 2, after);
}

std::optional<std::size_t> WorldModel::ExpectedSetSize(const Connection& c, std::uint32_t defineId,
                                                       std::uint32_t arrayCount, std::uint32_t unitSize) const {
    const auto found = c.definitions.find(defineId);
    if (found == c.definitions.end()) return std::nullopt;
    const auto size = DefinitionSize(found->second);
    if (!size || *size != unitSize) return std::nullopt;
    return static_cast<std::size_t>(unitSize) * std::max<std::uint32_t>(arrayCount, 1);
}

std::optional<std::size_t> WorldModel::ExpectedClientSetSize(const Connection& c, std::uint32_t defineId,
                                                             std::uint32_t unitSize) const {
    const auto found = c.clientDefinitions.find(defineId);
    if (found == c.clientDefinitions.end() || ClientDefinitionSize(found->second) != unitSize) return std::nullopt;
    return unitSize;
}

std::optional<Bytes> WorldModel::SimObjectPayload(const std::vector<DataDatum>& definition) const {
    if (definition.empty()) return std::nullopt;
    Bytes payload;
    for (const DataDatum& datum : definition) {
        if (datum.type == SIMCONNECT_DATATYPE_INITPOSITION) {
            const auto read = [&](std::string_view name, std::string_view unit) {
                return variables.Get(name, unit).value_or(0.0);
            };
            SIMCONNECT_DATA_INITPOSITION position{};
            position.Latitude = read("PLANE LATITUDE", "degrees");
            position.Longitude = read("PLANE LONGITUDE", "degrees");
            position.Altitude = read("PLANE ALTITUDE", "feet");
            position.Pitch = read("PLANE PITCH DEGREES", "degrees");
            position.Bank = read("PLANE BANK DEGREES", "degrees");
            position.Heading = read("PLANE HEADING DEGREES TRUE", "degrees");
            position.OnGround = read("SIM ON GROUND", "bool") != 0 ? 1 : 0;
            position.Airspeed =
                static_cast<std::uint32_t>(std::max(0, TruncateToInt32(read("AIRSPEED INDICATED", "knots"))));
            Append(payload, position);
            continue;
        }
        if (IsTextType(datum.type)) {
            const std::string text = variables.Text(datum.variable).value_or("");
            if (datum.type == SIMCONNECT_DATATYPE_STRINGV) {
                AppendVariableText(payload, text);
            } else {
                AppendFixedText(payload, text, *FixedSize(datum.type));
            }
            continue;
        }
        const double value = variables.Get(datum.variable, *datum.unit).value_or(0.0);
        switch (datum.type) {
            case SIMCONNECT_DATATYPE_INT32:
                Append(payload, TruncateToInt32(value));
                break;
            case SIMCONNECT_DATATYPE_INT64:
                Append(payload, TruncateToInt64(value));
                break;
            case SIMCONNECT_DATATYPE_FLOAT32:
                Append(payload, static_cast<float>(value));
                break;
            default:
                Append(payload, value);
                break;
        }
    }
    return payload;
}

std::optional<Bytes> WorldModel::ClientPayload(const Connection& c, const Request& request) const {
    const auto area = areas.find(request.area);
    const auto definition = c.clientDefinitions.find(request.defineId);
    if (area == areas.end() || definition == c.clientDefinitions.end() || definition->second.empty()) {
        return std::nullopt;
    }
    Bytes payload;
    for (const ClientDatum& datum : definition->second) {
        if (static_cast<std::size_t>(datum.offset) + datum.size > area->second.bytes.size()) return std::nullopt;
        const auto begin = area->second.bytes.begin() + datum.offset;
        payload.insert(payload.end(), begin, begin + datum.size);
    }
    return payload;
}

bool WorldModel::Deliver(Connection& c, Request& request, After& after) {
    std::optional<Bytes> payload;
    std::uint32_t datums = 0;
    if (request.kind == RequestKind::SimObject) {
        const auto definition = c.definitions.find(request.defineId);
        if (definition == c.definitions.end()) return false;
        payload = SimObjectPayload(definition->second);
        datums = static_cast<std::uint32_t>(definition->second.size());
    } else {
        payload = ClientPayload(c, request);
        const auto definition = c.clientDefinitions.find(request.defineId);
        if (definition != c.clientDefinitions.end()) datums = static_cast<std::uint32_t>(definition->second.size());
    }
    if (!payload) return false;
    const bool changedOnly = (request.flags & SIMCONNECT_DATA_REQUEST_FLAG_CHANGED) != 0;
    if (changedOnly && request.lastSent && *request.lastSent == *payload) return false;

    const bool simObject = request.kind == RequestKind::SimObject;
    Queue(c,
          DataRecord(simObject ? SIMCONNECT_RECV_ID_SIMOBJECT_DATA : SIMCONNECT_RECV_ID_CLIENT_DATA, request.requestId,
                     simObject ? SIMCONNECT_OBJECT_ID_USER : request.clientDataId, request.defineId, request.flags,
                     datums, *payload),
          after);
    request.lastSent = std::move(payload);
    ++request.sent;
    return true;
}

void WorldModel::RemoveRequest(Connection& c, RequestKind kind, std::uint32_t requestId) {
    std::erase_if(c.requests, [&](const Request& r) { return r.kind == kind && r.requestId == requestId; });
}

Request& WorldModel::Schedule(Connection& c, Request request, After& after) {
    request.nextDueMs = nowMs + static_cast<std::uint64_t>(request.origin) * 1000;
    request.framesToSkip = request.origin;
    c.requests.push_back(std::move(request));
    Request& stored = c.requests.back();
    if (IsSecondPeriod(stored) && stored.nextDueMs <= nowMs) {
        Deliver(c, stored, after);
        stored.nextDueMs += SecondStep(stored);
    }
    return stored;
}

void WorldModel::RemoveFinished(Connection& c) {
    std::erase_if(c.requests, [](const Request& r) { return r.limit != 0 && r.sent >= r.limit; });
}

void WorldModel::RequestData(Connection& c, const Request& request, std::uint32_t objectId, After& after) {
    if (request.period == SIMCONNECT_PERIOD_NEVER) return RemoveRequest(c, RequestKind::SimObject, request.requestId);
    if (objectId != SIMCONNECT_OBJECT_ID_USER) return Exception(c, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 4, after);
    if (request.period > SIMCONNECT_PERIOD_SECOND) return Exception(c, kExceptionInvalidEnum, 5, after);
    if (request.flags & SIMCONNECT_DATA_REQUEST_FLAG_TAGGED) return Exception(c, SIMCONNECT_EXCEPTION_ERROR, 6, after);
    const auto definition = c.definitions.find(request.defineId);
    if (definition == c.definitions.end() || definition->second.empty()) {
        return Exception(c, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 3, after);
    }
    RemoveRequest(c, RequestKind::SimObject, request.requestId);
    Request r = request;
    r.kind = RequestKind::SimObject;
    if (r.period == SIMCONNECT_PERIOD_ONCE) {
        Deliver(c, r, after);
        return;
    }
    Schedule(c, std::move(r), after);
    RemoveFinished(c);
}

void WorldModel::RequestDataByType(Connection& c, std::uint32_t requestId, std::uint32_t defineId, std::uint32_t radius,
                                   After& after) {
    const auto definition = c.definitions.find(defineId);
    if (definition == c.definitions.end() || definition->second.empty()) {
        return Exception(c, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 3, after);
    }
    if (radius > kMaxRadiusMeters) return Exception(c, SIMCONNECT_EXCEPTION_OUT_OF_BOUNDS, 4, after);
    // Only the user aircraft exists, whatever the type asked for.
    const auto payload = SimObjectPayload(definition->second);
    if (!payload) return;
    Queue(c,
          DataRecord(SIMCONNECT_RECV_ID_SIMOBJECT_DATA_BYTYPE, requestId, SIMCONNECT_OBJECT_ID_USER, defineId, 0,
                     static_cast<std::uint32_t>(definition->second.size()), *payload),
          after);
}

void WorldModel::SetData(Connection& c, std::uint32_t defineId, std::uint32_t objectId, std::uint32_t flags,
                         std::uint32_t arrayCount, std::uint32_t unitSize, const std::uint8_t* data, After& after) {
    if (objectId != SIMCONNECT_OBJECT_ID_USER) return Exception(c, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 3, after);
    const auto found = c.definitions.find(defineId);
    if (found == c.definitions.end() || found->second.empty()) {
        return Exception(c, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 2, after);
    }
    if (flags & SIMCONNECT_DATA_SET_FLAG_TAGGED) return Exception(c, SIMCONNECT_EXCEPTION_ERROR, 4, after);
    const std::vector<DataDatum>& definition = found->second;
    const auto size = DefinitionSize(definition);
    if (!size) return Exception(c, SIMCONNECT_EXCEPTION_DATA_ERROR, 2, after);  // STRINGV cannot be written
    if (*size != unitSize) return Exception(c, SIMCONNECT_EXCEPTION_SIZE_MISMATCH, 6, after);

    bool positionChanged = false;
    for (std::uint32_t element = 0; element < std::max<std::uint32_t>(arrayCount, 1); ++element) {
        const std::uint8_t* at = data + static_cast<std::size_t>(element) * unitSize;
        for (const DataDatum& datum : definition) {
            switch (datum.type) {
                case SIMCONNECT_DATATYPE_INT32:
                    variables.Set(datum.variable, Load<std::int32_t>(at), *datum.unit);
                    break;
                case SIMCONNECT_DATATYPE_INT64:
                    variables.Set(datum.variable, static_cast<double>(Load<std::int64_t>(at)), *datum.unit);
                    break;
                case SIMCONNECT_DATATYPE_FLOAT32:
                    variables.Set(datum.variable, Load<float>(at), *datum.unit);
                    break;
                case SIMCONNECT_DATATYPE_FLOAT64:
                    variables.Set(datum.variable, Load<double>(at), *datum.unit);
                    break;
                case SIMCONNECT_DATATYPE_INITPOSITION: {
                    const auto p = Load<SIMCONNECT_DATA_INITPOSITION>(at);
                    const double magvar = variables.Get("MAGVAR", "degrees").value_or(0.0);
                    variables.Set("PLANE LATITUDE", p.Latitude, "degrees");
                    variables.Set("PLANE LONGITUDE", p.Longitude, "degrees");
                    variables.Set("PLANE ALTITUDE", p.Altitude, "feet");
                    variables.Set("INDICATED ALTITUDE", p.Altitude, "feet");
                    variables.Set("PLANE PITCH DEGREES", p.Pitch, "degrees");
                    variables.Set("PLANE BANK DEGREES", p.Bank, "degrees");
                    variables.Set("PLANE HEADING DEGREES TRUE", p.Heading, "degrees");
                    variables.Set("PLANE HEADING DEGREES MAGNETIC", NormalizedDegrees(p.Heading - magvar), "degrees");
                    variables.Set("SIM ON GROUND", p.OnGround != 0 ? 1 : 0, "bool");
                    if (p.Airspeed != SIMCONNECT_INITPOSITION_AIRSPEED_CRUISE &&
                        p.Airspeed != SIMCONNECT_INITPOSITION_AIRSPEED_KEEP) {
                        variables.Set("AIRSPEED INDICATED", p.Airspeed, "knots");
                    }
                    positionChanged = true;
                    break;
                }
                default: {  // fixed strings: up to the first NUL inside the field
                    const std::size_t fieldSize = *FixedSize(datum.type);
                    const auto* end = static_cast<const std::uint8_t*>(std::memchr(at, 0, fieldSize));
                    variables.SetText(datum.variable,
                                      std::string(reinterpret_cast<const char*>(at),
                                                  end ? static_cast<std::size_t>(end - at) : fieldSize));
                    break;
                }
            }
            at += *FixedSize(datum.type);
        }
    }
    if (positionChanged) SystemEvent("PositionChanged", 0, after);
}

// ---- Events ---------------------------------------------------------------------------

void WorldModel::Subscribe(Connection& c, std::uint32_t eventId, const char* name, After& after) {
    const std::string_view known = KnownSystemEvent(name ? name : "");
    if (known.empty()) return Exception(c, SIMCONNECT_EXCEPTION_NAME_UNRECOGNIZED, 3, after);
    c.subscriptions[eventId] = std::string(known);
}

void WorldModel::Unsubscribe(Connection& c, std::uint32_t eventId, After& after) {
    if (c.subscriptions.erase(eventId) == 0) Exception(c, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 2, after);
}

void WorldModel::SystemEvent(std::string_view name, std::uint32_t data, After& after) {
    for (const auto& connection : connections) {
        if (!connection->open) continue;
        for (const auto& [eventId, subscribed] : connection->subscriptions) {
            if (!EqualsIgnoreCase(subscribed, name)) continue;
            auto event = Header<SIMCONNECT_RECV_EVENT>(SIMCONNECT_RECV_ID_EVENT);
            event.uGroupID = SIMCONNECT_RECV_EVENT_UNKNOWN_GROUP;
            event.uEventID = eventId;
            event.dwData = data;
            Queue(*connection, ToBytes(event), after);
        }
    }
    if (EqualsIgnoreCase(name, "Sim")) {
        const bool running = data != 0;
        if (running != simRunning) {
            simRunning = running;
            SystemEvent(running ? "SimStart" : "SimStop", 0, after);
        }
    }
}

void WorldModel::FileNameEvent(std::string_view name, std::string_view fileName, After& after) {
    for (const auto& connection : connections) {
        if (!connection->open) continue;
        for (const auto& [eventId, subscribed] : connection->subscriptions) {
            if (!EqualsIgnoreCase(subscribed, name)) continue;
            auto event = Header<SIMCONNECT_RECV_EVENT_FILENAME>(SIMCONNECT_RECV_ID_EVENT_FILENAME);
            event.uGroupID = SIMCONNECT_RECV_EVENT_UNKNOWN_GROUP;
            event.uEventID = eventId;
            const std::size_t length = std::min<std::size_t>(fileName.size(), SIMCONNECT_MAX_PATH - 1);
            std::memcpy(event.szFileName, fileName.data(), length);
            Queue(*connection, ToBytes(event), after);
        }
    }
}

void WorldModel::Frame(float frameRate, float simSpeed, After& after) {
    for (const auto& connection : connections) {
        if (!connection->open) continue;
        for (const auto& [eventId, subscribed] : connection->subscriptions) {
            if (subscribed != "Frame") continue;
            auto frame = Header<SIMCONNECT_RECV_EVENT_FRAME>(SIMCONNECT_RECV_ID_EVENT_FRAME);
            frame.uGroupID = SIMCONNECT_RECV_EVENT_UNKNOWN_GROUP;
            frame.uEventID = eventId;
            frame.fFrameRate = frameRate;
            frame.fSimSpeed = simSpeed;
            Queue(*connection, ToBytes(frame), after);
        }
        for (Request& request : connection->requests) {
            if (!IsFramePeriod(request)) continue;
            if (request.framesToSkip > 0) {
                --request.framesToSkip;
                continue;
            }
            Deliver(*connection, request, after);
            request.framesToSkip = request.interval;
        }
        RemoveFinished(*connection);
    }
}

void WorldModel::MapEvent(Connection& c, std::uint32_t eventId, const char* name, After& after) {
    const std::string_view eventName = name ? name : "";
    if (c.mappedEvents.count(eventId) != 0) return Exception(c, kExceptionEventIdDuplicate, 2, after);
    // An empty name makes a private event of this client.
    if (!eventName.empty() && !IsCustomEventName(eventName) && !IsKnownKeyEvent(eventName)) {
        return Exception(c, SIMCONNECT_EXCEPTION_NAME_UNRECOGNIZED, 3, after);
    }
    c.mappedEvents[eventId] = ToUpper(eventName);
}

namespace {

struct EventTarget {
    std::uint32_t priority;
    Connection* connection;
    std::uint32_t eventId;
    std::uint32_t group;
};

// The client events of a connection that stand for the event and sit in a group.
void AddTargets(Connection& connection, std::string_view name, std::optional<std::uint32_t> onlyEventId,
                std::vector<EventTarget>& targets) {
    for (const auto& [eventId, mapped] : connection.mappedEvents) {
        if (mapped != name || (onlyEventId && *onlyEventId != eventId)) continue;
        const auto membership = connection.eventGroups.find(eventId);
        if (membership == connection.eventGroups.end()) continue;
        const std::uint32_t group = membership->second.group;
        const auto priority = connection.groupPriorities.find(group);
        targets.push_back(
            {priority == connection.groupPriorities.end() ? SIMCONNECT_GROUP_PRIORITY_DEFAULT : priority->second,
             &connection, eventId, group});
    }
}

}  // namespace

void WorldModel::ReportEvent(std::string_view name, Connection* privateTo, std::uint32_t privateEventId,
                             std::uint32_t data, After& after) {
    std::vector<EventTarget> targets;
    if (privateTo != nullptr) {
        AddTargets(*privateTo, name, privateEventId, targets);
    } else {
        for (const auto& connection : connections) {
            if (connection->open) AddTargets(*connection, name, std::nullopt, targets);
        }
    }
    // Highest priority (lowest number) first; connections in the order they opened.
    std::stable_sort(targets.begin(), targets.end(),
                     [](const EventTarget& a, const EventTarget& b) { return a.priority < b.priority; });
    for (const EventTarget& target : targets) {
        auto event = Header<SIMCONNECT_RECV_EVENT>(SIMCONNECT_RECV_ID_EVENT);
        event.uGroupID = target.group;
        event.uEventID = target.eventId;
        event.dwData = data;
        Queue(*target.connection, ToBytes(event), after);
    }
}

void WorldModel::TransmitEvent(Connection& sender, std::uint32_t eventId, std::uint32_t data, After& after) {
    const std::string name = sender.mappedEvents.at(eventId);
    if (name.empty()) return ReportEvent(name, &sender, eventId, data, after);  // a private event
    if (IsCustomEventName(name)) {
        const auto handler = customHandlers.find(name);
        if (handler != customHandlers.end() && handler->second) {
            after.Call([call = handler->second, data] { call(data); });
        }
        if (name.starts_with('#')) {
            const SimWorld::AddOnEvent& event = addOnEvents.emplace_back(
                SimWorld::AddOnEvent{sender.name, name, data, addOnClock ? addOnClock() : nowMs});
            for (const auto& watcher : addOnWatchers) after.Call([watcher, event] { watcher(event); });
        }
    } else {
        ApplyKeyEvent(variables, name, data);
    }
    ReportEvent(name, nullptr, 0, data, after);
}

void WorldModel::TriggerKeyEvent(std::string_view name, std::uint32_t data, After& after) {
    if (!IsKnownKeyEvent(name) && !IsCustomEventName(name)) return;
    ApplyKeyEvent(variables, name, data);
    ReportEvent(ToUpper(name), nullptr, 0, data, after);
}

void WorldModel::Quit(After& after) {
    for (const auto& connection : connections) {
        if (connection->open) Queue(*connection, ToBytes(Header<SIMCONNECT_RECV_QUIT>(SIMCONNECT_RECV_ID_QUIT)), after);
    }
}

void WorldModel::AdvanceTime(std::uint32_t milliseconds, After& after) {
    const std::uint64_t target = nowMs + milliseconds;
    // Step from one due time to the next, so records come out in time order and
    // requests due at the same moment in the order they were made.
    for (;;) {
        std::optional<std::uint64_t> due;
        for (const auto& connection : connections) {
            if (!connection->open) continue;
            for (const Request& request : connection->requests) {
                if (IsSecondPeriod(request) && request.nextDueMs <= target && (!due || request.nextDueMs < *due)) {
                    due = request.nextDueMs;
                }
            }
        }
        if (!due) break;
        nowMs = std::max(nowMs, *due);
        for (const auto& connection : connections) {
            if (!connection->open) continue;
            for (Request& request : connection->requests) {
                if (!IsSecondPeriod(request) || request.nextDueMs != *due) continue;
                if (request.limit == 0 || request.sent < request.limit) Deliver(*connection, request, after);
                request.nextDueMs += SecondStep(request);
            }
            RemoveFinished(*connection);
        }
    }
    nowMs = target;
}

// ---- Client data ----------------------------------------------------------------------

void WorldModel::MapClientDataName(Connection& c, const char* name, std::uint32_t clientDataId, After& after) {
    if (name == nullptr || *name == '\0') return Exception(c, SIMCONNECT_EXCEPTION_NAME_UNRECOGNIZED, 2, after);
    if (c.clientDataNames.count(clientDataId) != 0) return Exception(c, SIMCONNECT_EXCEPTION_DUPLICATE_ID, 3, after);
    c.clientDataNames[clientDataId] = ToUpper(name);
}

void WorldModel::CreateClientData(Connection& c, std::uint32_t clientDataId, std::uint32_t size, std::uint32_t flags,
                                  After& after) {
    const auto name = c.clientDataNames.find(clientDataId);
    if (name == c.clientDataNames.end()) return Exception(c, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 2, after);
    if (size == 0 || size > SIMCONNECT_CLIENTDATA_MAX_SIZE) {
        return Exception(c, SIMCONNECT_EXCEPTION_INVALID_DATA_SIZE, 3, after);
    }
    const auto existing = areas.find(name->second);
    if (existing != areas.end()) {
        // Creating an area that exists is how a reader attaches to it; only a
        // different size is an error, and the area stays as it is.
        if (existing->second.bytes.size() != size) Exception(c, SIMCONNECT_EXCEPTION_ALREADY_CREATED, 2, after);
        return;
    }
    CreateArea(name->second, size, (flags & SIMCONNECT_CREATE_CLIENT_DATA_FLAG_READ_ONLY) != 0, c.id);
}

void WorldModel::AddClientDatum(Connection& c, std::uint32_t defineId, std::uint32_t offset, std::uint32_t sizeOrType,
                                float epsilon, After& after) {
    ClientDatum datum;
    datum.epsilon = epsilon;
    if (const auto typed = ClientTypeSize(sizeOrType)) {
        datum.size = *typed;
        datum.type = sizeOrType;
    } else if (sizeOrType == 0 || sizeOrType > SIMCONNECT_CLIENTDATA_MAX_SIZE) {
        return Exception(c, SIMCONNECT_EXCEPTION_INVALID_DATA_SIZE, 4, after);
    } else {
        datum.size = sizeOrType;
    }
    std::vector<ClientDatum>& definition = c.clientDefinitions[defineId];
    if (offset == SIMCONNECT_CLIENTDATAOFFSET_AUTO) {
        offset = definition.empty() ? 0 : definition.back().offset + definition.back().size;
    }
    if (static_cast<std::uint64_t>(offset) + datum.size > SIMCONNECT_CLIENTDATA_MAX_SIZE) {
        if (definition.empty()) c.clientDefinitions.erase(defineId);
        return Exception(c, SIMCONNECT_EXCEPTION_OUT_OF_BOUNDS, 3, after);
    }
    datum.offset = offset;
    definition.push_back(datum);
}

void WorldModel::ClearClientDefinition(Connection& c, std::uint32_t defineId, After& after) {
    if (c.clientDefinitions.erase(defineId) == 0) Exception(c, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 2, after);
}

void WorldModel::RequestClientData(Connection& c, std::uint32_t clientDataId, const Request& request, After& after) {
    if (request.period == SIMCONNECT_CLIENT_DATA_PERIOD_NEVER) {
        return RemoveRequest(c, RequestKind::ClientData, request.requestId);
    }
    const auto name = c.clientDataNames.find(clientDataId);
    if (name == c.clientDataNames.end()) return Exception(c, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 2, after);
    const auto definition = c.clientDefinitions.find(request.defineId);
    if (definition == c.clientDefinitions.end() || definition->second.empty()) {
        return Exception(c, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 4, after);
    }
    if (request.period > SIMCONNECT_CLIENT_DATA_PERIOD_SECOND) return Exception(c, kExceptionInvalidEnum, 5, after);
    if (request.flags & SIMCONNECT_CLIENT_DATA_REQUEST_FLAG_TAGGED) {
        return Exception(c, SIMCONNECT_EXCEPTION_ERROR, 6, after);
    }
    const auto area = areas.find(name->second);
    if (area != areas.end()) {
        for (const ClientDatum& datum : definition->second) {
            if (static_cast<std::size_t>(datum.offset) + datum.size > area->second.bytes.size()) {
                return Exception(c, SIMCONNECT_EXCEPTION_OUT_OF_BOUNDS, 4, after);
            }
        }
    }
    RemoveRequest(c, RequestKind::ClientData, request.requestId);
    Request r = request;
    r.kind = RequestKind::ClientData;
    r.clientDataId = clientDataId;
    r.area = name->second;
    if (r.period == SIMCONNECT_CLIENT_DATA_PERIOD_ONCE) {
        if (area == areas.end()) return Exception(c, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 2, after);
        Deliver(c, r, after);
        return;
    }
    // Periodic and on-set requests may wait for an area that nobody created yet.
    Request& stored = Schedule(c, std::move(r), after);
    if (stored.period == SIMCONNECT_CLIENT_DATA_PERIOD_ON_SET && area != areas.end() && area->second.written) {
        // A new on-set reader learns the current contents at once.
        Deliver(c, stored, after);
    }
    RemoveFinished(c);
}

void WorldModel::SetClientData(Connection& c, std::uint32_t clientDataId, std::uint32_t defineId, std::uint32_t flags,
                               std::uint32_t unitSize, const std::uint8_t* data, After& after) {
    const auto name = c.clientDataNames.find(clientDataId);
    if (name == c.clientDataNames.end()) return Exception(c, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 2, after);
    const auto found = areas.find(name->second);
    if (found == areas.end()) return Exception(c, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 2, after);
    const auto definition = c.clientDefinitions.find(defineId);
    if (definition == c.clientDefinitions.end() || definition->second.empty()) {
        return Exception(c, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 3, after);
    }
    if (flags & SIMCONNECT_CLIENT_DATA_SET_FLAG_TAGGED) return Exception(c, SIMCONNECT_EXCEPTION_ERROR, 4, after);
    ClientArea& area = found->second;
    if (area.readOnly && area.creator != c.id) return Exception(c, kExceptionIllegalOperation, 2, after);
    if (ClientDefinitionSize(definition->second) != unitSize) {
        return Exception(c, SIMCONNECT_EXCEPTION_SIZE_MISMATCH, 6, after);
    }
    for (const ClientDatum& datum : definition->second) {
        if (static_cast<std::size_t>(datum.offset) + datum.size > area.bytes.size()) {
            return Exception(c, SIMCONNECT_EXCEPTION_OUT_OF_BOUNDS, 3, after);
        }
    }
    const std::uint8_t* at = data;
    for (const ClientDatum& datum : definition->second) {
        std::memcpy(area.bytes.data() + datum.offset, at, datum.size);
        at += datum.size;
    }
    area.written = true;
    const std::string key = name->second;
    if (const auto recorded = recordedWrites.find(key); recorded != recordedWrites.end()) {
        recorded->second.emplace_back(data, data + unitSize);
    }
    DeliverOnSet(key, after);
    const auto handler = areaHandlers.find(key);
    if (handler != areaHandlers.end() && handler->second) {
        after.Call([call = handler->second, contents = area.bytes] { call(contents); });
    }
}

void WorldModel::CreateArea(std::string_view name, std::uint32_t size, bool readOnly, std::uint32_t creator) {
    if (size == 0 || size > SIMCONNECT_CLIENTDATA_MAX_SIZE) return;
    const std::string key = ToUpper(name);
    if (areas.count(key) != 0) return;
    ClientArea& area = areas[key];
    area.bytes.assign(size, 0);
    area.readOnly = readOnly;
    area.creator = creator;
}

bool WorldModel::WriteArea(std::string_view name, std::uint32_t offset, std::span<const std::uint8_t> bytes,
                           After& after) {
    const std::string key = ToUpper(name);
    const auto found = areas.find(key);
    if (found == areas.end() || static_cast<std::size_t>(offset) + bytes.size() > found->second.bytes.size()) {
        return false;
    }
    if (!bytes.empty()) std::memcpy(found->second.bytes.data() + offset, bytes.data(), bytes.size());
    found->second.written = true;
    DeliverOnSet(key, after);
    return true;
}

void WorldModel::DeliverOnSet(const std::string& areaKey, After& after) {
    for (const auto& connection : connections) {
        if (!connection->open) continue;
        for (Request& request : connection->requests) {
            if (request.kind == RequestKind::ClientData && request.period == SIMCONNECT_CLIENT_DATA_PERIOD_ON_SET &&
                request.area == areaKey) {
                Deliver(*connection, request, after);
            }
        }
        RemoveFinished(*connection);
    }
}

}  // namespace tarvo::simworld
