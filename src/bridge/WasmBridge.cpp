#include "bridge/WasmBridge.h"

#include "base/ScopeExit.h"

#include <algorithm>
#include <cstring>

namespace tarvo::bridge {
namespace {

// Fixed areas: {client data id, name, definition id, size}.
struct FixedArea {
    std::uint32_t id;
    const char* name;
    std::uint32_t size;
};
constexpr FixedArea kFixedAreas[] = {
    {1, "FSUIPC_config", 6056},
    {2, "FSUIPC_SetLvar", 12},
    {3, "FSUIPC_CalcCode", 1024},
};
constexpr std::uint32_t kConfigArea = 1;
constexpr std::uint32_t kSetLvarArea = 2;
constexpr std::uint32_t kCalcCodeArea = 3;
constexpr std::size_t kConfigSize = 6056;

struct ClientEvent {
    std::uint32_t id;
    const char* name;
};
constexpr ClientEvent kEvents[] = {
    {1, "FSUIPC.SetLvar"}, {2, "FSUIPC.SetHvar"}, {3, "FSUIPC.UpdateCDAs"},
    {4, "FSUIPC.ListLvars"}, {5, "FSUIPC.Reload"}, {6, "FSUIPC.SetLvarS"},
};
constexpr std::uint32_t kEventSetHvar = 2;
constexpr std::uint32_t kEventReload = 5;
constexpr std::uint32_t kEventGroup = 1;

// Request ids: the configuration, then one range per kind of area.
constexpr std::uint32_t kConfigRequest = 9;
constexpr std::uint32_t kFirstValueRequest = 10;
constexpr std::uint32_t kFirstLvarRequest = 30;
constexpr std::uint32_t kFirstHvarRequest = 100;

constexpr std::size_t kMaxAreas = 84;
constexpr std::size_t kMaxLvarAreas = 70;
constexpr std::size_t kMaxHvarAreas = 4;
constexpr std::size_t kValueSlots = 10;
constexpr std::size_t kNameRecordSize = 56;
constexpr std::size_t kValuesPerArea = 1024;
constexpr std::uint32_t kWaitMilliseconds = 500;
constexpr std::uint32_t kConfigurationPeriodMilliseconds = 1000;
constexpr std::size_t kLongestCalculatorCode = 1023;

// Configuration record layout.
constexpr std::size_t kVersionOffset = 0;
constexpr std::size_t kVersionSize = 8;
constexpr std::size_t kNamesOffset = 8;
constexpr std::size_t kAreaNameSize = 64;
constexpr std::size_t kSizesOffset = 5384;
constexpr std::size_t kKindsOffset = 5720;

std::int32_t ReadInt32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    std::int32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

// Text of a fixed-size field: up to its first NUL or its end.
std::string FieldText(std::span<const std::uint8_t> field) {
    const auto* text = reinterpret_cast<const char*>(field.data());
    return std::string(text, ::strnlen(text, field.size()));
}

}  // namespace

WasmBridge::~WasmBridge() { quit_ = true; }

bool WasmBridge::Start() {
    if (connection_ != nullptr) return false;
    // An earlier connection's lists belong to the aircraft loaded then; a
    // discovery on this one waits for the module's lists instead.
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        hvarNames_.clear();
        lvarNames_.clear();
        lvarValues_.clear();
    }
    quit_ = false;
    wake_ = server_.ports.threads.NewEvent(false, false);
    SIMCONNECT_HANDLE connection = nullptr;
    if (server_.ports.simConnect.Open(&connection, "FSUIPC-WASM-IF", 0, 0, wake_, 0xFFFFFFFFu) < 0 ||
        connection == nullptr) {
        server_.log.Write("Simconnect session failled");
        server_.ports.threads.CloseEvent(wake_);
        wake_ = 0;
        return false;
    }
    connection_ = connection;
    // Mapped here rather than by the worker, so that a reload requested right
    // after the start already finds its event on the connection.
    platform::SimConnect& api = server_.ports.simConnect;
    for (const ClientEvent& event : kEvents) api.MapClientEventToSimEvent(connection, event.id, event.name);
    api.SetNotificationGroupPriority(connection, kEventGroup, SIMCONNECT_GROUP_PRIORITY_HIGHEST);
    server_.log.Write("Connected to MSFS");
    if (workerRunning_) return true;
    workerRunning_ = true;
    if (!server_.ports.threads.Start([this] { Work(); }, platform::ThreadPriority::AboveNormal)) {
        workerRunning_ = false;
        server_.log.Write("Error creating SimConnect thread");
        Close();
        return false;
    }
    return true;
}

bool WasmBridge::WaitForWorkerEnd() const {
    constexpr std::uint32_t kPollMilliseconds = 50;
    while (workerRunning_ && server_.host.running) StoppablePause(server_, kPollMilliseconds);
    return !workerRunning_;
}

void WasmBridge::Work() {
    // However the worker ends, even by an exception, the connection is closed
    // and the flag cleared, so that the bridge can be started again.
    const ScopeExit ended([this] {
        try {
            Close();
        } catch (...) {
            // The exception that ended the worker is the one the log shows.
        }
        workerRunning_ = false;
    });
    platform::SimConnect& api = server_.ports.simConnect;
    const SIMCONNECT_HANDLE connection = connection_;
    nextDefinitionId_ = 1;
    for (const FixedArea& area : kFixedAreas) {
        if (api.MapClientDataNameToID(connection, area.name, area.id) < 0) {
            server_.log.Write("SimConnect_MapClientDataNameToID failed!!!!");
        }
        if (api.AddToClientDataDefinition(connection, nextDefinitionId_, SIMCONNECT_CLIENTDATAOFFSET_AUTO, area.size,
                                          0.0f, 0) < 0) {
            server_.log.Write("SimConnect_AddToClientDataDefinition failed!!!!");
        }
        ++nextDefinitionId_;
    }
    nextClientDataId_ = 4;
    areasInUse_.clear();
    areasReleased_.clear();
    StartConfigurationTimer(0);

    // The worker also ends once shutdown has destroyed the bridge, so that one
    // started in a race with it does not outlive it. It does not end with the
    // server's running flag: command workers still release their buttons
    // through it after the main loop.
    while (!quit_ && !server_.bridge.closed) {
        const platform::WaitResult woken = server_.ports.threads.WaitEvent(wake_, kWaitMilliseconds);
        if (woken == platform::WaitResult::Signalled) {
            api.CallDispatch(connection, Dispatch, this);
        } else if (woken == platform::WaitResult::Failed) {
            // An event that cannot be waited on would turn this loop into a spin.
            server_.log.Write("WaitForSingleObject returned with error, quitting now.");
            break;
        }
    }
}

void WasmBridge::StartConfigurationTimer(std::uint32_t dueMilliseconds) {
    configurationTimer_ = server_.ports.threads.StartTimer(dueMilliseconds, kConfigurationPeriodMilliseconds,
                                                           [this] { RequestConfiguration(); });
}

void WasmBridge::StopConfigurationTimer() {
    const TimerId timer = configurationTimer_.exchange(0);
    if (timer != 0) server_.ports.threads.StopTimer(timer);
}

void WasmBridge::RequestConfiguration() {
    const bool requested =
        server_.ports.simConnect.RequestClientData(connection_, kConfigArea, kConfigRequest, kConfigArea,
                                                   SIMCONNECT_CLIENT_DATA_PERIOD_ONCE, 0, 0, 0, 0) >= 0;
    server_.log.Write(requested ? "Config data requested..." : "SimConnect_RequestClientData for config failed!!!!");
}

void WasmBridge::Dispatch(SIMCONNECT_RECV* data, std::uint32_t size, void* context) {
    if (context == nullptr || data == nullptr) return;
    static_cast<WasmBridge*>(context)->OnRecord(data, size);
}

void WasmBridge::OnRecord(const SIMCONNECT_RECV* data, std::uint32_t size) {
    if (size < sizeof(SIMCONNECT_RECV)) return;
    SIMCONNECT_RECV header;
    std::memcpy(&header, data, sizeof(header));
    switch (header.dwID) {
        case SIMCONNECT_RECV_ID_QUIT:
            quit_ = true;
            break;
        case SIMCONNECT_RECV_ID_EXCEPTION: {
            SIMCONNECT_RECV_EXCEPTION exception;
            if (size < sizeof(exception)) break;
            std::memcpy(&exception, data, sizeof(exception));
            server_.log.Write("Simconnect Exception received: " + std::to_string(exception.dwException) +
                              " (dwSendID=" + std::to_string(exception.dwSendID) + ")");
            break;
        }
        case SIMCONNECT_RECV_ID_CLIENT_DATA: {
            if (size < kSimConnectDataOffset) break;
            SIMCONNECT_RECV_CLIENT_DATA record;
            std::memcpy(&record, data, kSimConnectDataOffset);
            const std::span<const std::uint8_t> payload(reinterpret_cast<const std::uint8_t*>(data) + kSimConnectDataOffset,
                                                        size - kSimConnectDataOffset);
            const std::uint32_t request = record.dwRequestID;
            if (request == kConfigRequest) {
                OnConfiguration(payload);
            } else if (request >= kFirstValueRequest && request < kFirstValueRequest + kValueSlots) {
                OnValues(request - kFirstValueRequest, record.dwDefineID, payload);
            } else if (request >= kFirstLvarRequest && request < kFirstLvarRequest + kMaxLvarAreas) {
                OnNames(record.dwDefineID, record.dwObjectID, payload, true);
            } else if (request >= kFirstHvarRequest && request < kFirstHvarRequest + kMaxHvarAreas) {
                OnNames(record.dwDefineID, record.dwObjectID, payload, false);
            }
            break;
        }
        default:
            break;
    }
}

void WasmBridge::OnConfiguration(std::span<const std::uint8_t> received) {
    server_.log.Write("SIMCONNECT_RECV_ID_CLIENT_DATA received: EVENT_CONFIG_RECEIVED");
    // A short record is read as far as it goes; the rest counts as zero.
    std::vector<std::uint8_t> record(kConfigSize, 0);
    std::memcpy(record.data(), received.data(), std::min(received.size(), kConfigSize));

    if (configurationTimer_ != 0) {
        StopConfigurationTimer();
    } else if (record == lastConfiguration_) {
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        hvarNames_.clear();
        lvarNames_.clear();
        lvarValues_.clear();
    }
    ReleaseAreas();
    lastConfiguration_ = record;

    std::size_t described = 0;
    std::size_t lvarAreas = 0;
    std::size_t hvarAreas = 0;
    while (described < kMaxAreas && ReadInt32(record, kSizesOffset + described * 4) != 0) {
        const auto kind = static_cast<AreaKind>(ReadInt32(record, kKindsOffset + described * 4));
        if (kind == AreaKind::LvarNames) ++lvarAreas;
        if (kind == AreaKind::HvarNames) ++hvarAreas;
        ++described;
    }
    if (lvarAreas + hvarAreas == 0) {
        // Asked again a period from now: asking at once would be answered at
        // once, and a module with nothing to publish would keep both sides
        // busy in a loop as fast as the connection goes.
        StartConfigurationTimer(kConfigurationPeriodMilliseconds);
        return;
    }
    if (FieldText(std::span(record).subspan(kVersionOffset, kVersionSize)) != "1.0.3") {
        server_.log.Write("WASM version mismatch");
    }

    platform::SimConnect& api = server_.ports.simConnect;
    // The ten value areas follow the name areas; areas past the described list are not set up.
    const std::size_t areas = std::min(lvarAreas + hvarAreas + kValueSlots, described);
    for (std::size_t i = 0; i < areas; ++i) {
        const auto kind = static_cast<AreaKind>(ReadInt32(record, kKindsOffset + i * 4));
        // A slot of its kind, or the area is left out: no client data is mapped
        // or created for an area the bridge will never read.
        std::uint32_t request = 0;
        std::unique_ptr<ClientDataArea>* slot = nullptr;
        if (kind == AreaKind::LvarNames && lvarAreas_.size() < kMaxLvarAreas) {
            request = kFirstLvarRequest + static_cast<std::uint32_t>(lvarAreas_.size());
            slot = &lvarAreas_.emplace_back();
        } else if (kind == AreaKind::HvarNames && hvarAreas_.size() < kMaxHvarAreas) {
            request = kFirstHvarRequest + static_cast<std::uint32_t>(hvarAreas_.size());
            slot = &hvarAreas_.emplace_back();
        } else if (kind == AreaKind::Values) {
            const auto free = std::find(valueAreas_.begin(), valueAreas_.end(), nullptr);
            if (free != valueAreas_.end()) {
                request = kFirstValueRequest + static_cast<std::uint32_t>(free - valueAreas_.begin());
                slot = &*free;
            }
        }
        if (slot == nullptr) continue;

        auto area = std::make_unique<ClientDataArea>();
        area->name = FieldText(std::span(record).subspan(kNamesOffset + i * kAreaNameSize, kAreaNameSize));
        const std::int32_t size = ReadInt32(record, kSizesOffset + i * 4);
        area->size = static_cast<std::uint32_t>(std::clamp<std::int32_t>(size, 0, SIMCONNECT_CLIENTDATA_MAX_SIZE));
        area->kind = kind;
        area->itemCount = kind == AreaKind::Values ? area->size / 8 : area->size / kNameRecordSize;
        area->clientDataId = AcquireClientDataId(area->name, area->size);

        const std::uint32_t definition = nextDefinitionId_++;
        if (api.AddToClientDataDefinition(connection_, definition, SIMCONNECT_CLIENTDATAOFFSET_AUTO, area->size, 0.0f,
                                          0) < 0) {
            server_.log.Write("Error adding client data definition id " + std::to_string(definition) + " (" +
                              std::to_string(i) + ")");
        } else {
            area->definitionId = definition;
        }
        const bool values = kind == AreaKind::Values;
        const SIMCONNECT_HRESULT requested = api.RequestClientData(
            connection_, area->clientDataId, request, definition,
            values ? SIMCONNECT_CLIENT_DATA_PERIOD_ON_SET : SIMCONNECT_CLIENT_DATA_PERIOD_ONCE,
            values ? SIMCONNECT_CLIENT_DATA_REQUEST_FLAG_CHANGED : 0, 0, 0, 0);
        *slot = std::move(area);
        if (requested < 0) break;
    }
    const bool updates = api.RequestClientData(connection_, kConfigArea, kConfigRequest, kConfigArea,
                                               SIMCONNECT_CLIENT_DATA_PERIOD_ON_SET,
                                               SIMCONNECT_CLIENT_DATA_REQUEST_FLAG_CHANGED, 0, 0, 0) >= 0;
    server_.log.Write(updates ? "Config data updates requested."
                              : "SimConnect_RequestClientData for config updates failed!");
}

void WasmBridge::OnNames(std::uint32_t defineId, std::uint32_t objectId, std::span<const std::uint8_t> data,
                         bool lvars) {
    auto& areas = lvars ? lvarAreas_ : hvarAreas_;
    const auto area = std::find_if(areas.begin(), areas.end(),
                                   [&](const auto& a) { return a != nullptr && a->definitionId == defineId; });
    if (area == areas.end()) {
        if (lvars) server_.log.Write("Error: CDA with id=" + std::to_string(objectId) + " not found");
        return;
    }
    // Records past the end of a short message are not there to read.
    const std::size_t records = std::min<std::size_t>((*area)->itemCount, data.size() / kNameRecordSize);
    std::size_t held = 0;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        for (std::size_t i = 0; i < records; ++i) {
            std::string name = FieldText(data.subspan(i * kNameRecordSize, kNameRecordSize));
            if (lvars) {
                lvarNames_.push_back(std::move(name));
                lvarValues_.push_back(0.0);
            } else {
                hvarNames_.push_back(std::move(name));
            }
        }
        held = lvars ? lvarValues_.size() : hvarNames_.size();
    }
    if (lvars && held >= server_.bridge.lvarNamesWanted) {
        server_.bridge.lvarsReceived = true;
        server_.log.Write("Lvars received");
    }
    if (!lvars && held > 1) server_.log.Write("Hvars received");
}

void WasmBridge::OnValues(std::uint32_t slot, std::uint32_t defineId, std::span<const std::uint8_t> data) {
    if (!server_.bridge.valueDelivery || valueAreas_[slot] == nullptr || valueAreas_[slot]->definitionId != defineId) {
        return;
    }
    const std::size_t first = slot * kValuesPerArea;
    const std::lock_guard<std::mutex> lock(mutex_);
    if (lvarNames_.size() <= first) return;
    const std::size_t count = std::min({static_cast<std::size_t>(valueAreas_[slot]->itemCount), data.size() / 8,
                                        lvarNames_.size() - first, lvarValues_.size() - first});
    std::memcpy(lvarValues_.data() + first, data.data(), count * sizeof(double));
}

void WasmBridge::ReleaseAreas() {
    platform::SimConnect& api = server_.ports.simConnect;
    const auto release = [&](std::unique_ptr<ClientDataArea>& area) {
        if (area == nullptr) return;
        api.ClearClientDataDefinition(connection_, area->definitionId);
        ReleaseClientDataId(area->name);
        area.reset();
    };
    for (auto& area : valueAreas_) release(area);
    for (auto& area : lvarAreas_) release(area);
    for (auto& area : hvarAreas_) release(area);
    lvarAreas_.clear();
    hvarAreas_.clear();
}

std::uint32_t WasmBridge::AcquireClientDataId(const std::string& name, std::uint32_t size) {
    if (const auto released = areasReleased_.find(name); released != areasReleased_.end()) {
        const PoolEntry entry = released->second;
        areasReleased_.erase(released);
        if (entry.size == size) {
            areasInUse_[name] = entry;
            return entry.id;
        }
    }
    const std::uint32_t id = nextClientDataId_++;
    areasInUse_[name] = {id, size};
    server_.ports.simConnect.MapClientDataNameToID(connection_, name.c_str(), id);
    server_.ports.simConnect.CreateClientData(connection_, id, size, SIMCONNECT_CREATE_CLIENT_DATA_FLAG_READ_ONLY);
    return id;
}

void WasmBridge::ReleaseClientDataId(const std::string& name) {
    const auto used = areasInUse_.find(name);
    if (used == areasInUse_.end()) return;
    areasReleased_[name] = used->second;
    areasInUse_.erase(used);
}

void WasmBridge::Close() {
    StopConfigurationTimer();
    platform::SimConnect& api = server_.ports.simConnect;
    const SIMCONNECT_HANDLE connection = connection_;
    const auto clear = [&](std::unique_ptr<ClientDataArea>& area) {
        if (area != nullptr && api.ClearClientDataDefinition(connection, area->definitionId) >= 0) area.reset();
    };
    for (auto& area : valueAreas_) clear(area);
    for (auto& area : lvarAreas_) clear(area);
    for (auto& area : hvarAreas_) clear(area);
    lvarAreas_.clear();
    hvarAreas_.clear();
    areasInUse_.clear();
    areasReleased_.clear();
    if (connection != nullptr) {
        api.ClearClientDataDefinition(connection, kConfigArea);
        api.Close(connection);
        connection_ = nullptr;
    }
    if (wake_ != 0) {
        server_.ports.threads.CloseEvent(wake_);
        wake_ = 0;
    }
}

SIMCONNECT_HRESULT WasmBridge::SetClientData(std::uint32_t area, std::uint32_t definition,
                                             std::span<std::uint8_t> bytes) {
    return server_.ports.simConnect.SetClientData(connection_, area, definition, 0, 0,
                                                  static_cast<std::uint32_t>(bytes.size()), bytes.data());
}

void WasmBridge::RequestReload() {
    if (server_.ports.simConnect.TransmitClientEvent(connection_, SIMCONNECT_OBJECT_ID_USER, kEventReload, 0,
                                                     kEventGroup, SIMCONNECT_EVENT_FLAG_GROUPID_IS_PRIORITY) < 0) {
        server_.log.Write("SimConnect_TransmitClientEvent for EVENT_RELOAD failed!!!!");
    }
}

void WasmBridge::WriteSetLvar(std::uint16_t id, double value) {
    if (id == kNotFound) return;
    const auto record = [](std::uint32_t lvar, double v) {
        std::array<std::uint8_t, 12> bytes{};
        std::memcpy(bytes.data(), &lvar, 4);
        std::memcpy(bytes.data() + 4, &v, 8);
        return bytes;
    };
    auto set = record(id, value);
    const std::lock_guard<std::mutex> pair(writeMutex_);
    if (SetClientData(kSetLvarArea, kSetLvarArea, set) < 0) return;
    std::uint32_t sent = 0;
    server_.ports.simConnect.GetLastSentPacketID(connection_, &sent);
    // The neutral record makes the next identical write a change of the area again.
    auto neutral = record(0xFFFFFFFFu, 0.0);
    SetClientData(kSetLvarArea, kSetLvarArea, neutral);
}

void WasmBridge::WriteCalculatorCode(std::string_view code) {
    if (code.size() > kLongestCalculatorCode) return;
    std::array<std::uint8_t, 1024> buffer{};
    std::memcpy(buffer.data(), code.data(), code.size());
    const std::lock_guard<std::mutex> pair(writeMutex_);
    if (SetClientData(kCalcCodeArea, kCalcCodeArea, buffer) < 0) return;
    std::uint32_t sent = 0;
    server_.ports.simConnect.GetLastSentPacketID(connection_, &sent);
    std::memcpy(buffer.data(), "1", 2);  // the neutral code; the rest of the buffer stays as it was
    SetClientData(kCalcCodeArea, kCalcCodeArea, buffer);
}

void WasmBridge::FireHvar(std::uint32_t id) {
    if (id == kNotFound) return;
    server_.ports.simConnect.TransmitClientEvent(connection_, SIMCONNECT_OBJECT_ID_USER, kEventSetHvar, id, kEventGroup,
                                                 SIMCONNECT_EVENT_FLAG_GROUPID_IS_PRIORITY);
}

double WasmBridge::LvarValue(std::int32_t id) {
    if (id == static_cast<std::int32_t>(kNotFound) || id < 0) return 0.0;
    const std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<std::size_t>(id) < lvarValues_.size() ? lvarValues_[static_cast<std::size_t>(id)] : 0.0;
}

void WasmBridge::CopyNames(const std::vector<std::string>& from, NameListCopy& names) {
    const std::lock_guard<std::mutex> lock(mutex_);
    names.reserve(names.size() + from.size());
    for (std::size_t id = 0; id < from.size(); ++id) names.emplace(static_cast<std::int32_t>(id), from[id]);
}

void WasmBridge::CopyLvarNames(NameListCopy& names) { CopyNames(lvarNames_, names); }

void WasmBridge::CopyHvarNames(NameListCopy& names) { CopyNames(hvarNames_, names); }

std::size_t WasmBridge::LvarCount() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return lvarNames_.size();
}

WasmBridge* CurrentBridge(Server& server) { return server.bridge.current; }

bool CreateAndStartBridge(Server& server) {
    BridgeState& state = server.bridge;
    if (state.closed) return false;
    if (state.current == nullptr) {
        if (state.instance == nullptr) state.instance = std::make_shared<WasmBridge>(server);
        state.current = state.instance.get();
    }
    return state.current.load()->Start();
}

void DestroyBridge(Server& server) {
    server.bridge.closed = true;
    if (WasmBridge* bridge = server.bridge.current.exchange(nullptr)) bridge->RequestQuit();
}

bool HasBridge(Server& server) { return server.bridge.current != nullptr; }

void StopBridge(Server& server) {
    if (WasmBridge* bridge = server.bridge.current.exchange(nullptr)) bridge->RequestQuit();
}

}  // namespace tarvo::bridge
