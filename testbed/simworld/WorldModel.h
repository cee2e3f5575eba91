// The state behind SimWorld and InProcessSimConnect: variables, connections with
// their definitions, requests and queued records, client data areas. Every
// member function expects the caller to hold `mutex`; anything that may call
// back into the world (signals, handlers) is collected in an After and run
// once the lock is released.
#pragma once

#include "platform/SimConnectAbi.h"
#include "platform/Types.h"
#include "simworld/SimWorld.h"
#include "simworld/Variables.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::simworld {

using Bytes = std::vector<std::uint8_t>;

// The signal hook of one InProcessSimConnect, shared with its connections so
// that records queued by the world (time, events) wake the client too.
struct SignalHook {
    std::mutex mutex;
    std::function<void(EventId)> signal;
};

// Work to do after the world lock is released.
class After {
public:
    void Signal(std::shared_ptr<SignalHook> hook, EventId event);
    void Call(std::function<void()> call) { calls_.push_back(std::move(call)); }
    void Run();

private:
    std::vector<std::pair<std::shared_ptr<SignalHook>, EventId>> signals_;
    std::vector<std::function<void()>> calls_;
};

// One datum of a SimConnect data definition.
struct DataDatum {
    SimWorld::Datum given;  // as the client passed it
    std::string variable;   // resolved key; empty for "Initial Position"
    const Unit* unit = nullptr;
    std::uint32_t type = 0;
};

// One datum of a client data definition: a byte range of the area.
struct ClientDatum {
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
    std::uint32_t type = 0;  // the CLIENTDATATYPE constant, or 0 for raw bytes
    float epsilon = 0;
};

enum class RequestKind { SimObject, ClientData };

struct Request {
    RequestKind kind = RequestKind::SimObject;
    std::uint32_t requestId = 0;
    std::uint32_t defineId = 0;
    std::uint32_t period = 0;  // SIMCONNECT_PERIOD or SIMCONNECT_CLIENT_DATA_PERIOD
    std::uint32_t flags = 0;
    std::uint32_t origin = 0;
    std::uint32_t interval = 0;
    std::uint32_t limit = 0;
    std::uint32_t clientDataId = 0;  // the client's id for the area
    std::string area;                // key of the area
    std::uint32_t sent = 0;
    std::uint64_t nextDueMs = 0;     // period SECOND
    std::uint32_t framesToSkip = 0;  // frame periods
    std::optional<Bytes> lastSent;   // for the CHANGED flag
};

struct GroupMembership {
    std::uint32_t group = 0;
    bool maskable = false;
};

class Connection {
public:
    std::uint32_t id = 0;
    std::string name;
    const void* owner = nullptr;  // the InProcessSimConnect that opened it
    EventId event = 0;
    std::shared_ptr<SignalHook> signal;
    bool open = true;
    std::uint32_t lastSendId = 0;
    std::deque<Bytes> waiting;
    Bytes current;  // the record GetNextDispatch handed out last

    std::map<std::uint32_t, std::vector<DataDatum>> definitions;
    std::map<std::uint32_t, std::vector<ClientDatum>> clientDefinitions;
    std::vector<Request> requests;                         // in the order they were made
    std::map<std::uint32_t, std::string> subscriptions;    // client event id -> system event name
    std::map<std::uint32_t, std::string> mappedEvents;     // client event id -> upper-case event name
    std::map<std::uint32_t, GroupMembership> eventGroups;  // client event id -> group
    std::map<std::uint32_t, std::uint32_t> groupPriorities;
    std::map<std::uint32_t, std::string> clientDataNames;  // client data id -> area key
};

struct ClientArea {
    Bytes bytes;
    bool readOnly = false;
    std::uint32_t creator = 0;  // connection id; 0 = the simulator itself
    bool written = false;       // contents exist worth delivering on a new on-set request
};

class WorldModel {
public:
    std::mutex mutex;
    Variables variables;
    std::uint64_t nowMs = 0;
    bool simRunning = false;
    std::vector<std::unique_ptr<Connection>> connections;  // kept after Close, so handles stay unique
    std::map<std::string, ClientArea> areas;               // by upper-case name
    std::map<std::string, std::function<void(std::span<const std::uint8_t>)>> areaHandlers;
    std::map<std::string, std::function<void(std::uint32_t)>> customHandlers;
    std::vector<std::string> flightPlans;
    // An add-on aircraft's SDK: its "#N" events, the areas whose client writes
    // are kept (by upper-case name), the area names that cannot be mapped.
    std::vector<SimWorld::AddOnEvent> addOnEvents;
    std::function<std::uint64_t()> addOnClock;
    std::vector<std::function<void(const SimWorld::AddOnEvent&)>> addOnWatchers;
    std::map<std::string, std::vector<Bytes>> recordedWrites;
    std::set<std::string> failingAreaNames;

    // ---- Connections -----------------------------------------------------
    Connection& Open(std::string name, const void* owner, EventId event, std::shared_ptr<SignalHook> signal,
                     After& after);
    // The open connection of that id and owner, or null.
    Connection* Find(std::uint32_t id, const void* owner);
    void Close(Connection& connection);
    void Queue(Connection& connection, Bytes record, After& after);
    void Exception(Connection& connection, std::uint32_t exception, std::uint32_t index, After& after);

    // ---- Data definitions and requests --------------------------------------
    void AddDatum(Connection& c, std::uint32_t defineId, const char* name, const char* unit, std::uint32_t type,
                  float epsilon, std::uint32_t datumId, After& after);
    void ClearDefinition(Connection& c, std::uint32_t defineId, After& after);
    // Bytes the world reads from a SetDataOnSimObject / SetClientData buffer when the
    // declared size is right, or nullopt.
    std::optional<std::size_t> ExpectedSetSize(const Connection& c, std::uint32_t defineId, std::uint32_t arrayCount,
                                               std::uint32_t unitSize) const;
    std::optional<std::size_t> ExpectedClientSetSize(const Connection& c, std::uint32_t defineId,
                                                     std::uint32_t unitSize) const;
    void RequestData(Connection& c, const Request& request, std::uint32_t objectId, After& after);
    void RequestDataByType(Connection& c, std::uint32_t requestId, std::uint32_t defineId, std::uint32_t radius,
                           After& after);
    void SetData(Connection& c, std::uint32_t defineId, std::uint32_t objectId, std::uint32_t flags,
                 std::uint32_t arrayCount, std::uint32_t unitSize, const std::uint8_t* data, After& after);

    // ---- Events -----------------------------------------------------------
    void Subscribe(Connection& c, std::uint32_t eventId, const char* name, After& after);
    void Unsubscribe(Connection& c, std::uint32_t eventId, After& after);
    void SystemEvent(std::string_view name, std::uint32_t data, After& after);
    void FileNameEvent(std::string_view name, std::string_view fileName, After& after);
    void Frame(float frameRate, float simSpeed, After& after);
    void MapEvent(Connection& c, std::uint32_t eventId, const char* name, After& after);
    // A client's mapped event: applies it (or calls the add-on's handler) and
    // reports it to every group that holds it.
    void TransmitEvent(Connection& sender, std::uint32_t eventId, std::uint32_t data, After& after);
    void TriggerKeyEvent(std::string_view name, std::uint32_t data, After& after);
    void Quit(After& after);
    void AdvanceTime(std::uint32_t milliseconds, After& after);

    // ---- Client data ----------------------------------------------------------
    void MapClientDataName(Connection& c, const char* name, std::uint32_t clientDataId, After& after);
    void CreateClientData(Connection& c, std::uint32_t clientDataId, std::uint32_t size, std::uint32_t flags,
                          After& after);
    void AddClientDatum(Connection& c, std::uint32_t defineId, std::uint32_t offset, std::uint32_t sizeOrType,
                        float epsilon, After& after);
    void ClearClientDefinition(Connection& c, std::uint32_t defineId, After& after);
    void RequestClientData(Connection& c, std::uint32_t clientDataId, const Request& request, After& after);
    void SetClientData(Connection& c, std::uint32_t clientDataId, std::uint32_t defineId, std::uint32_t flags,
                       std::uint32_t unitSize, const std::uint8_t* data, After& after);
    void CreateArea(std::string_view name, std::uint32_t size, bool readOnly, std::uint32_t creator);
    // Writes bytes as the area's owner; false when the area is missing or too small.
    bool WriteArea(std::string_view name, std::uint32_t offset, std::span<const std::uint8_t> bytes, After& after);

private:
    std::optional<Bytes> SimObjectPayload(const std::vector<DataDatum>& definition) const;
    std::optional<Bytes> ClientPayload(const Connection& c, const Request& request) const;
    // Builds and queues the request's record if its content qualifies; true when sent.
    bool Deliver(Connection& c, Request& request, After& after);
    void RemoveRequest(Connection& c, RequestKind kind, std::uint32_t requestId);
    // Stores a periodic or on-set request, delivering at once when its first
    // record is already due.
    Request& Schedule(Connection& c, Request request, After& after);
    void RemoveFinished(Connection& c);
    void DeliverOnSet(const std::string& areaKey, After& after);
    // EVENT records to the client events that stand for `name` and sit in a
    // group; privateTo limits them to one client event of one connection.
    void ReportEvent(std::string_view name, Connection* privateTo, std::uint32_t privateEventId, std::uint32_t data,
                     After& after);

    std::uint32_t nextConnectionId_ = 1;
};

}  // namespace tarvo::simworld
