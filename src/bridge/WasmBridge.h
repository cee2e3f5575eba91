// The WASM bridge: a SimConnect connection of its own to the FSUIPC WASM module
// inside the simulator, which publishes the loaded aircraft's local variables
// (lvars) and H: events (hvars) in client data areas. One worker thread
// dispatches the connection and keeps three lists: lvar names, lvar values and
// hvar names, indexed by id.
#pragma once

#include "bridge/BridgeState.h"
#include "bridge/NameListCopy.h"
#include "host/Server.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::bridge {

// What an area holds, as the module's configuration numbers it; other numbers
// are areas of a kind the bridge does not use.
enum class AreaKind : std::int32_t { LvarNames = 0, HvarNames = 1, Values = 2 };

// One area the module described in its configuration.
struct ClientDataArea {
    std::string name;
    std::uint32_t clientDataId = 0;
    std::uint32_t size = 0;
    std::uint32_t itemCount = 0;
    std::uint32_t definitionId = 0;
    AreaKind kind = AreaKind::LvarNames;
};

class WasmBridge {
public:
    explicit WasmBridge(Server& server) : server_(server) {}
    ~WasmBridge();
    WasmBridge(const WasmBridge&) = delete;
    WasmBridge& operator=(const WasmBridge&) = delete;

    // Opens the connection and starts the worker; false when no connection could
    // be opened (or one is still open).
    bool Start();
    // Makes the worker close the connection and end within one wait (500 ms).
    void RequestQuit() { quit_ = true; }
    bool IsOpen() const { return connection_ != nullptr; }
    bool IsWorkerRunning() const { return workerRunning_; }
    // Returns once the worker has ended (true) or the server is stopping; a
    // restart must wait for it, since the worker closes the connection only on
    // its way out.
    bool WaitForWorkerEnd() const;

    void RequestReload();
    // Registry operations; an id of kNotFound sends nothing.
    void WriteSetLvar(std::uint16_t id, double value);
    void WriteCalculatorCode(std::string_view code);
    void FireHvar(std::uint32_t id);
    double LvarValue(std::int32_t id);
    // Inserts (id, name) for every lvar (hvar) id; ids already in the copy keep their name.
    void CopyLvarNames(NameListCopy& names);
    void CopyHvarNames(NameListCopy& names);
    std::size_t LvarCount();

    // The dispatch procedure of the bridge's connection; context is the bridge.
    // Runs on the worker. Every record is read within size.
    static void Dispatch(SIMCONNECT_RECV* data, std::uint32_t size, void* context);

private:
    // The list, read under the lock: the worker writes it.
    void CopyNames(const std::vector<std::string>& from, NameListCopy& names);
    void Work();
    void RequestConfiguration();
    void OnRecord(const SIMCONNECT_RECV* data, std::uint32_t size);
    void OnConfiguration(std::span<const std::uint8_t> record);
    void OnNames(std::uint32_t defineId, std::uint32_t objectId, std::span<const std::uint8_t> data, bool lvars);
    void OnValues(std::uint32_t slot, std::uint32_t defineId, std::span<const std::uint8_t> data);
    void ReleaseAreas();
    void Close();
    std::uint32_t AcquireClientDataId(const std::string& name, std::uint32_t size);
    void ReleaseClientDataId(const std::string& name);
    void StartConfigurationTimer(std::uint32_t dueMilliseconds);
    void StopConfigurationTimer();
    SIMCONNECT_HRESULT SetClientData(std::uint32_t area, std::uint32_t definition, std::span<std::uint8_t> bytes);

    Server& server_;
    std::atomic<SIMCONNECT_HANDLE> connection_{nullptr};
    std::atomic<bool> workerRunning_{false};
    std::atomic<bool> quit_{false};
    EventId wake_ = 0;
    std::atomic<TimerId> configurationTimer_{0};

    // Worker-only state.
    std::vector<std::unique_ptr<ClientDataArea>> lvarAreas_;  // at most 70
    std::vector<std::unique_ptr<ClientDataArea>> hvarAreas_;  // at most 4
    std::array<std::unique_ptr<ClientDataArea>, 10> valueAreas_;
    std::uint32_t nextDefinitionId_ = 1;
    std::uint32_t nextClientDataId_ = 4;
    struct PoolEntry {
        std::uint32_t id;
        std::uint32_t size;
    };
    std::map<std::string, PoolEntry> areasInUse_;
    std::map<std::string, PoolEntry> areasReleased_;
    std::vector<std::uint8_t> lastConfiguration_ = std::vector<std::uint8_t>(6056, 0);

    // A write and its neutral record go out together: the main thread and the
    // adapters' workers write at once, and a write between another's pair
    // would reach the module as no change.
    std::mutex writeMutex_;

    // The lists, shared with the adapters' threads.
    std::mutex mutex_;
    std::vector<std::string> lvarNames_;
    std::vector<double> lvarValues_;
    std::vector<std::string> hvarNames_;
};

// The bridge in service, or null. The adapters test it before any lvar work.
WasmBridge* CurrentBridge(Server& server);
// Makes the single bridge current and starts it; false (with a log line) when
// it cannot be had or started.
bool CreateAndStartBridge(Server& server);

// At shutdown: takes the bridge out of service for good; it is not started again.
void DestroyBridge(Server& server);
// Whether a bridge is current.
bool HasBridge(Server& server);
// Asks the current bridge to end and forgets it (on an aircraft change).
void StopBridge(Server& server);

}  // namespace tarvo::bridge
