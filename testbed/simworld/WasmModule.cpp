#include "simworld/WasmModule.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <set>
#include <string>

namespace tarvo::simworld {

namespace {

constexpr std::string_view kConfigArea = "FSUIPC_config";
constexpr std::string_view kSetLvarArea = "FSUIPC_SetLvar";
constexpr std::string_view kCalcCodeArea = "FSUIPC_CalcCode";

constexpr std::uint32_t kConfigSize = 6056;
constexpr std::uint32_t kSetLvarSize = 12;
constexpr std::uint32_t kCalcCodeSize = 1024;
constexpr std::size_t kMaxCodeLength = kCalcCodeSize - 1;

constexpr std::size_t kVersionSize = 8;
constexpr std::size_t kEntries = 84;
constexpr std::size_t kAreaNameSize = 64;
constexpr std::size_t kNamesOffset = 8;
constexpr std::size_t kSizesOffset = kNamesOffset + kEntries * kAreaNameSize;  // 5,384
constexpr std::size_t kKindsOffset = kSizesOffset + kEntries * 4;              // 5,720

constexpr std::uint32_t kKindLvarNames = 0;
constexpr std::uint32_t kKindHvarNames = 1;
constexpr std::uint32_t kKindValues = 2;

constexpr std::size_t kNameRecordSize = 56;
constexpr std::size_t kNamesPerArea = 146;  // 8,176 bytes: the most that fits in 8,192
constexpr std::size_t kMaxLvarAreas = 70;
constexpr std::size_t kMaxHvarAreas = 4;
constexpr std::size_t kValueAreas = 10;
constexpr std::size_t kValuesPerArea = 1024;
constexpr std::uint32_t kValueAreaSize = kValuesPerArea * sizeof(double);

constexpr std::uint32_t kNeutralId = 0xFFFFFFFF;

using Bytes = std::vector<std::uint8_t>;

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

std::optional<std::size_t> Find(const std::vector<std::string>& names, std::string_view name) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (EqualNoCase(names[i], name)) return i;
    }
    return std::nullopt;
}

// Copies text into a fixed field, cut so that a NUL always follows.
void PutText(Bytes& bytes, std::size_t offset, std::size_t fieldSize, std::string_view text) {
    const std::size_t length = std::min(text.size(), fieldSize - 1);
    std::memcpy(bytes.data() + offset, text.data(), length);
}

template <typename T>
void Put(Bytes& bytes, std::size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof(T));
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

std::optional<double> ParseNumber(std::string_view token) {
    const std::string text(token);
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

struct Op {
    enum Kind { Push, Read, Write, Fire, Key, Not, Increment, Decrement } kind;
    double number = 0;
    std::string name;  // lvar name, hvar name with "H:", or key event name
};

// A key event the code triggers, sent to the world once the module's lock is released.
struct KeyEvent {
    std::string name;
    std::uint32_t data = 0;
};

// "(L:x, Number)", "(>L:x)", "(>H:x)" without the parentheses.
std::optional<Op> ParseVariable(std::string_view inner) {
    inner = Trim(inner);
    const bool write = !inner.empty() && inner.front() == '>';
    if (write) inner.remove_prefix(1);
    if (inner.size() < 2 || inner[1] != ':') return std::nullopt;
    const char prefix = static_cast<char>(std::toupper(static_cast<unsigned char>(inner[0])));
    std::string_view name = inner.substr(2);
    name = Trim(name.substr(0, name.find(',')));  // the unit after the comma does not matter here
    if (name.empty()) return std::nullopt;
    if (prefix == 'L') return Op{write ? Op::Write : Op::Read, 0, std::string(name)};
    if (prefix == 'H' && write) return Op{Op::Fire, 0, "H:" + std::string(name)};
    if (prefix == 'K' && write) return Op{Op::Key, 0, std::string(name)};
    return std::nullopt;
}

// The code as operations, or nothing when any part is not understood or an
// operation would lack its operand.
std::optional<std::vector<Op>> Parse(std::string_view code) {
    std::vector<Op> ops;
    std::size_t depth = 0;
    std::size_t at = 0;
    while (at < code.size()) {
        if (std::isspace(static_cast<unsigned char>(code[at]))) {
            ++at;
            continue;
        }
        std::optional<Op> op;
        if (code[at] == '(') {
            const std::size_t close = code.find(')', at);
            if (close == std::string_view::npos) return std::nullopt;
            op = ParseVariable(code.substr(at + 1, close - at - 1));
            at = close + 1;
        } else {
            std::size_t end = at;
            while (end < code.size() && !std::isspace(static_cast<unsigned char>(code[end])) && code[end] != '(') ++end;
            const std::string_view token = code.substr(at, end - at);
            at = end;
            if (token == "!") {
                op = Op{Op::Not, 0, {}};
            } else if (token == "++") {
                op = Op{Op::Increment, 0, {}};
            } else if (token == "--") {
                op = Op{Op::Decrement, 0, {}};
            } else if (const auto number = ParseNumber(token)) {
                op = Op{Op::Push, *number, {}};
            }
        }
        if (!op) return std::nullopt;
        switch (op->kind) {
            case Op::Push:
            case Op::Read: ++depth; break;
            case Op::Write:
            case Op::Key:
                if (depth == 0) return std::nullopt;
                --depth;
                break;
            case Op::Not:
            case Op::Increment:
            case Op::Decrement:
                if (depth == 0) return std::nullopt;
                break;
            case Op::Fire: break;
        }
        ops.push_back(std::move(*op));
    }
    return ops;
}

}  // namespace

struct WasmModule::Core {
    Core(SimWorld& world, std::string version) : world(world), version(std::move(version)) {}

    SimWorld& world;
    const std::string version;

    // Held across a whole publication so that a later state is never overwritten
    // by an earlier one; recursive in case a world write leads back here on the
    // same thread.
    std::recursive_mutex publishMutex;
    // Guards the state below; never held while calling the world.
    mutable std::mutex mutex;
    bool silent = false;
    std::vector<std::string> lvarNames;
    std::vector<double> lvarValues;
    std::vector<std::string> hvarNames;
    std::vector<std::uint32_t> firedHvars;
    std::vector<std::string> code;
    std::vector<std::pair<std::uint32_t, double>> setLvarRecords;
    std::vector<WasmModule::Receipt> receipts;
    std::function<std::uint64_t()> clock;
    int reloads = 0;

    // Under the lock.
    void Receive(WasmModule::Receipt::Kind kind, std::string text, double value = 0) {
        receipts.push_back({kind, std::move(text), value, clock ? clock() : 0});
    }
    std::string LvarName(std::uint32_t id) const {
        return id < lvarNames.size() ? lvarNames[id] : "#" + std::to_string(id);
    }
    std::string HvarName(std::uint32_t id) const {
        return id < hvarNames.size() ? hvarNames[id] : "#" + std::to_string(id);
    }

    Bytes ValueArea(std::size_t k) const {
        Bytes bytes(kValueAreaSize, 0);
        for (std::size_t i = 0; i < kValuesPerArea; ++i) {
            const std::size_t id = k * kValuesPerArea + i;
            if (id >= lvarValues.size()) break;
            Put(bytes, i * sizeof(double), lvarValues[id]);
        }
        return bytes;
    }

    // Sets an lvar by id (under the lock); returns its value area.
    std::optional<std::size_t> Set(std::size_t id, double value) {
        if (id >= lvarValues.size()) return std::nullopt;
        lvarValues[id] = value;
        return id / kValuesPerArea;
    }

    // An existing area of another size cannot be reused, so such a name gets the size appended.
    std::string FreeName(std::string name, std::size_t size) const {
        const Bytes existing = world.ReadClientArea(name);
        if (!existing.empty() && existing.size() != size) name += "_" + std::to_string(size);
        return name;
    }

    void Publish() {
        struct Area {
            std::string name;
            std::uint32_t kind;
            Bytes bytes;
        };
        const std::lock_guard<std::recursive_mutex> publishing(publishMutex);
        std::vector<Area> areas;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            if (silent) return;
            const auto addNames = [&](const std::vector<std::string>& names, const char* base, std::uint32_t kind) {
                for (std::size_t first = 0, index = 0; first < names.size(); first += kNamesPerArea, ++index) {
                    const std::size_t count = std::min(kNamesPerArea, names.size() - first);
                    Bytes bytes(count * kNameRecordSize, 0);
                    for (std::size_t i = 0; i < count; ++i) {
                        PutText(bytes, i * kNameRecordSize, kNameRecordSize, names[first + i]);
                    }
                    areas.push_back({base + std::to_string(index), kind, std::move(bytes)});
                }
            };
            addNames(lvarNames, "FSUIPC_lvarnames", kKindLvarNames);
            addNames(hvarNames, "FSUIPC_hvarnames", kKindHvarNames);
            for (std::size_t k = 0; k < kValueAreas; ++k) {
                areas.push_back({"FSUIPC_lvarvalues" + std::to_string(k), kKindValues, ValueArea(k)});
            }
        }
        Bytes config(kConfigSize, 0);
        PutText(config, 0, kVersionSize, version);
        for (std::size_t i = 0; i < areas.size() && i < kEntries; ++i) {
            Area& area = areas[i];
            const auto size = static_cast<std::uint32_t>(area.bytes.size());
            area.name = FreeName(area.name, size);
            world.CreateClientArea(area.name, size, /*readOnly=*/true);
            world.WriteClientArea(area.name, 0, area.bytes);
            PutText(config, kNamesOffset + i * kAreaNameSize, kAreaNameSize, area.name);
            Put(config, kSizesOffset + i * 4, static_cast<std::int32_t>(size));
            Put(config, kKindsOffset + i * 4, area.kind);
        }
        // Last, so that a client reading it finds every area filled.
        world.WriteClientArea(kConfigArea, 0, config);
    }

    void PublishValues(const std::set<std::size_t>& changed) {
        if (changed.empty()) return;
        const std::lock_guard<std::recursive_mutex> publishing(publishMutex);
        std::vector<std::pair<std::size_t, Bytes>> areas;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            if (silent) return;
            for (const std::size_t k : changed) areas.emplace_back(k, ValueArea(k));
        }
        for (const auto& [k, bytes] : areas) world.WriteClientArea("FSUIPC_lvarvalues" + std::to_string(k), 0, bytes);
    }

    void OnSetLvar(std::span<const std::uint8_t> bytes) {
        if (bytes.size() < kSetLvarSize) return;
        std::uint32_t id = 0;
        double value = 0;
        std::memcpy(&id, bytes.data(), sizeof(id));
        std::memcpy(&value, bytes.data() + sizeof(id), sizeof(value));
        std::set<std::size_t> changed;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            setLvarRecords.emplace_back(id, value);
            if (id != kNeutralId) {
                Receive(WasmModule::Receipt::Kind::Write, LvarName(id), value);
                if (const auto area = Set(id, value)) changed.insert(*area);
            }
        }
        PublishValues(changed);
    }

    void OnCalculatorCode(std::span<const std::uint8_t> bytes) {
        const std::size_t limit = std::min(bytes.size(), kMaxCodeLength);
        const auto* chars = reinterpret_cast<const char*>(bytes.data());
        const std::size_t length = std::find(chars, chars + limit, '\0') - chars;
        const std::string text(chars, length);
        std::set<std::size_t> changed;
        std::vector<KeyEvent> keys;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            code.push_back(text);
            if (text != "1") Receive(WasmModule::Receipt::Kind::Code, text);
            if (const auto ops = Parse(text)) Run(*ops, changed, keys);
        }
        PublishValues(changed);
        for (const KeyEvent& key : keys) world.TriggerKeyEvent(key.name, key.data);
    }

    // Under the lock; the operations have been checked for operands.
    void Run(const std::vector<Op>& ops, std::set<std::size_t>& changed, std::vector<KeyEvent>& keys) {
        std::vector<double> stack;
        for (const Op& op : ops) {
            switch (op.kind) {
                case Op::Push: stack.push_back(op.number); break;
                case Op::Read: {
                    const auto id = Find(lvarNames, op.name);
                    stack.push_back(id ? lvarValues[*id] : 0.0);
                    break;
                }
                case Op::Write: {
                    const double value = stack.back();
                    stack.pop_back();
                    if (const auto id = Find(lvarNames, op.name)) {
                        if (const auto area = Set(*id, value)) changed.insert(*area);
                    }
                    break;
                }
                case Op::Fire:
                    if (const auto id = Find(hvarNames, op.name)) {
                        firedHvars.push_back(static_cast<std::uint32_t>(*id));
                        Receive(WasmModule::Receipt::Kind::Fire, hvarNames[*id]);
                    }
                    break;
                case Op::Key: {
                    const double data = stack.back();
                    stack.pop_back();
                    // Event data is 32 bits; numbers beyond that give 0.
                    const bool fits = data > -2147483649.0 && data < 4294967296.0;
                    keys.push_back({op.name, fits ? static_cast<std::uint32_t>(static_cast<std::int64_t>(data)) : 0});
                    break;
                }
                case Op::Not: stack.back() = stack.back() == 0.0 ? 1.0 : 0.0; break;
                case Op::Increment: stack.back() += 1.0; break;
                case Op::Decrement: stack.back() -= 1.0; break;
            }
        }
    }

    void OnSetHvar(std::uint32_t id) {
        const std::lock_guard<std::mutex> lock(mutex);
        firedHvars.push_back(id);
        Receive(WasmModule::Receipt::Kind::Fire, HvarName(id));
    }

    void OnReload() {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            ++reloads;
        }
        Publish();
    }
};

WasmModule::WasmModule(SimWorld& world, std::string version)
    : core_(std::make_shared<Core>(world, std::move(version))) {
    world.CreateClientArea(kConfigArea, kConfigSize, /*readOnly=*/true);
    world.CreateClientArea(kSetLvarArea, kSetLvarSize, /*readOnly=*/false);
    world.CreateClientArea(kCalcCodeArea, kCalcCodeSize, /*readOnly=*/false);
    const std::shared_ptr<Core> core = core_;
    world.OnClientAreaWritten(kSetLvarArea, [core](std::span<const std::uint8_t> bytes) { core->OnSetLvar(bytes); });
    world.OnClientAreaWritten(kCalcCodeArea,
                              [core](std::span<const std::uint8_t> bytes) { core->OnCalculatorCode(bytes); });
    world.OnCustomEvent("FSUIPC.SetHvar", [core](std::uint32_t data) { core->OnSetHvar(data); });
    world.OnCustomEvent("FSUIPC.Reload", [core](std::uint32_t) { core->OnReload(); });
}

WasmModule::~WasmModule() {
    core_->world.OnClientAreaWritten(kSetLvarArea, {});
    core_->world.OnClientAreaWritten(kCalcCodeArea, {});
    core_->world.OnCustomEvent("FSUIPC.SetHvar", {});
    core_->world.OnCustomEvent("FSUIPC.Reload", {});
}

void WasmModule::Load(const AircraftProfile& profile) {
    {
        const std::lock_guard<std::mutex> lock(core_->mutex);
        const std::size_t lvars = std::min(profile.lvars.size(), kMaxLvarAreas * kNamesPerArea);
        const std::size_t hvars = std::min(profile.hvars.size(), kMaxHvarAreas * kNamesPerArea);
        core_->lvarNames.clear();
        core_->lvarValues.clear();
        for (std::size_t i = 0; i < lvars; ++i) {
            core_->lvarNames.push_back(profile.lvars[i].first);
            core_->lvarValues.push_back(profile.lvars[i].second);
        }
        core_->hvarNames.assign(profile.hvars.begin(), profile.hvars.begin() + static_cast<std::ptrdiff_t>(hvars));
    }
    core_->Publish();
}

void WasmModule::SetSilent(bool silent) {
    const std::lock_guard<std::mutex> lock(core_->mutex);
    core_->silent = silent;
}

double WasmModule::Lvar(std::string_view name) const {
    const std::lock_guard<std::mutex> lock(core_->mutex);
    const auto id = Find(core_->lvarNames, name);
    return id ? core_->lvarValues[*id] : 0.0;
}

void WasmModule::SetLvar(std::string_view name, double value) {
    std::set<std::size_t> changed;
    {
        const std::lock_guard<std::mutex> lock(core_->mutex);
        if (const auto id = Find(core_->lvarNames, name)) {
            if (const auto area = core_->Set(*id, value)) changed.insert(*area);
        }
    }
    core_->PublishValues(changed);
}

std::vector<std::uint32_t> WasmModule::FiredHvars() const {
    const std::lock_guard<std::mutex> lock(core_->mutex);
    return core_->firedHvars;
}

std::vector<std::string> WasmModule::CalculatorCode() const {
    const std::lock_guard<std::mutex> lock(core_->mutex);
    return core_->code;
}

std::vector<std::pair<std::uint32_t, double>> WasmModule::SetLvarRecords() const {
    const std::lock_guard<std::mutex> lock(core_->mutex);
    return core_->setLvarRecords;
}

std::vector<WasmModule::Receipt> WasmModule::Receipts() const {
    const std::lock_guard<std::mutex> lock(core_->mutex);
    return core_->receipts;
}

void WasmModule::SetClock(std::function<std::uint64_t()> now) {
    const std::lock_guard<std::mutex> lock(core_->mutex);
    core_->clock = std::move(now);
}

int WasmModule::Reloads() const {
    const std::lock_guard<std::mutex> lock(core_->mutex);
    return core_->reloads;
}

}  // namespace tarvo::simworld
