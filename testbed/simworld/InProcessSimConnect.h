// The SimConnect API over a SimWorld in the same process: what native tests use
// as the SimConnect port, and what the simulator stand-in serves over its pipe.
// Each Open makes one connection; its handle stays valid until Close.
//
// Records are built exactly as the SimConnect DLL hands them over: packed,
// payload at byte 40, INT32 values truncated toward zero, STRINGV strings with
// their terminator padded with zero bytes to a multiple of 4. The first record
// of a connection is SIMCONNECT_RECV_OPEN. CallDispatch hands over at most one
// record per call; GetNextDispatch's record stays valid until the next call on
// that connection.
#pragma once

#include "platform/SimConnect.h"
#include "simworld/SimWorld.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::simworld {

struct SignalHook;
struct TraceHook;

// One line of the trace: a call a client made, or a record sent to it.
struct TraceEntry {
    std::string connection;             // the client's name from Open
    std::string direction;              // "call" or "send"
    std::string function;               // export name without "SimConnect_", or the record kind ("EVENT", "QUIT", ...)
    std::vector<std::string> arguments; // each already a JSON value: 12, 0.5, "text"
};

// {"conn":"ZULtoMSFS","dir":"call","fn":"SubscribeToSystemEvent","args":[150,"Sim"]}
std::string ToJsonLine(const TraceEntry& entry);

class InProcessSimConnect final : public platform::SimConnect {
public:
    explicit InProcessSimConnect(SimWorld& world);
    ~InProcessSimConnect() override;

    // Called with the event a client passed to Open whenever records wait for it.
    void SetSignal(std::function<void(EventId)> signal);
    // Receives every call and every record sent, in order.
    void SetTrace(std::function<void(const TraceEntry&)> trace);
    // Records waiting for a connection.
    std::size_t Pending(SIMCONNECT_HANDLE handle) const;

    TARVO_SIMCONNECT_OVERRIDES

private:
    SimWorld& world_;
    std::shared_ptr<SignalHook> signal_;  // shared with this client's connections
    std::shared_ptr<TraceHook> trace_;
};

}  // namespace tarvo::simworld
