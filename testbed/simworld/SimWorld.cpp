// How this world behaves where SimConnect leaves room:
//
// Variables. Each variable has a quantity (number/fraction, length, speed,
// angle, frequency, weight, fuel flow, temperature, pressure, current, time,
// volume) and keeps its value in the unit it was last written in, so a read in
// that unit is exact. AddToDataDefinition refuses, with an exception and
// without adding the datum: an unknown name (NAME_UNRECOGNIZED, index 3), an
// unknown unit (NAME_UNRECOGNIZED, index 4), a unit of another quantity
// (DATA_ERROR, index 4), text read as a number or the reverse
// (INVALID_DATA_TYPE, index 5). A name without an index finds index 1 of an
// indexed variable ("AUTOPILOT MASTER" is "AUTOPILOT MASTER:1"). SetNumber
// with an unknown unit, or a unit of another quantity, changes nothing; on an
// unknown name it creates the variable. "Frequency BCD16" is four BCD digits:
// MHz without the leading 1 for COM/NAV (118.30 = 0x1830), kHz for ADF
// (350 = 0x0350).
//
// Data. INT32/INT64 are truncated toward zero, after forgiving the last bits a
// unit round trip leaves (6.999999999999999 ft is 7). STRINGV is the text, its
// NUL, then zeros up to a multiple of 4 bytes (an empty string takes 4); fixed
// strings are cut to leave room for the NUL. RetrieveString's byte count is the
// same padded length, capped at the end of the record.
//
// Periods. SECOND: the first record when the request is made (origin seconds
// later if origin is set), then one every interval + 1 seconds of world time;
// a long AdvanceTime delivers one record per due time, in time order. Frame
// periods: origin frames skipped, then one record every interval + 1 frames.
// CHANGED skips a record whose payload equals the last one sent for that
// request; skipped records do not count toward limit. TAGGED is refused
// (ERROR). A new request with the same id replaces the old one; NEVER cancels.
//
// Client data. An ON_SET request delivers the area's current contents at once
// when the area exists and has been written, then on every write by anyone
// (with CHANGED: only when the requested bytes differ from the last delivery).
// ON_SET and SECOND requests may name an area nobody created yet; ONCE may not.
// Creating an existing area of the same size attaches to it; another size is
// ALREADY_CREATED. A read-only area refuses writes from any client but its
// creator (ILLEGAL_OPERATION). CLIENT_DATA records carry the client's data id
// in dwObjectID.
//
// Events. "Sim" also raises "SimStart"/"SimStop" when the state changes; other
// system events ("1sec", "Pause", ...) are accepted and come only from
// FireSystemEvent. Every group holding a client event hears it, highest
// priority first, whatever priority the sender names; masking is not modelled.
// Names with a dot or a leading '#' are add-on events: accepted, and handed to
// OnCustomEvent.
//
// Dispatch. A connection's event is signalled after each operation that queued
// records for it, and again after a dispatch call that leaves records waiting,
// so a client that takes one record per wake-up never stalls. Handles of closed
// connections are never reused.
//
// Trace. Arguments follow the call's parameters after the handle; out-pointers
// and dispatch procedures are left out. Data buffers are hex strings of the
// bytes the world reads, or the declared byte count when the size is wrong and
// nothing is read. RetrieveString shows [size, offset of the string in the
// record]. Sends show EVENT [group, event, data], EVENT_FILENAME [group, event,
// file], EVENT_FRAME [event, rate, speed], data records [request, define,
// payload bytes], EXCEPTION [exception, send id, index], OPEN [application].
// Dispatch calls that find nothing waiting are not traced: clients poll them.
#include "simworld/SimWorld.h"

#include "simworld/WorldModel.h"

namespace tarvo::simworld {

namespace {

// Runs one world operation under the lock, then what it left for afterwards.
template <typename Body>
void Locked(WorldModel& model, Body body) {
    After after;
    {
        const std::lock_guard<std::mutex> lock(model.mutex);
        body(after);
    }
    after.Run();
}

}  // namespace

SimWorld::SimWorld() : model_(std::make_unique<WorldModel>()) {}

SimWorld::~SimWorld() = default;

void SimWorld::SetNumber(std::string_view name, double value, std::string_view unit) {
    const std::lock_guard<std::mutex> lock(model_->mutex);
    model_->variables.Set(name, value, unit);
}

std::optional<double> SimWorld::Number(std::string_view name, std::string_view unit) const {
    const std::lock_guard<std::mutex> lock(model_->mutex);
    return model_->variables.Get(name, unit);
}

void SimWorld::SetString(std::string_view name, std::string text) {
    const std::lock_guard<std::mutex> lock(model_->mutex);
    model_->variables.SetText(name, std::move(text));
}

std::optional<std::string> SimWorld::String(std::string_view name) const {
    const std::lock_guard<std::mutex> lock(model_->mutex);
    return model_->variables.Text(name);
}

void SimWorld::AdvanceTime(std::uint32_t milliseconds) {
    Locked(*model_, [&](After& after) { model_->AdvanceTime(milliseconds, after); });
}

std::uint64_t SimWorld::NowMilliseconds() const {
    const std::lock_guard<std::mutex> lock(model_->mutex);
    return model_->nowMs;
}

void SimWorld::FireSystemEvent(std::string_view name, std::uint32_t data) {
    Locked(*model_, [&](After& after) { model_->SystemEvent(name, data, after); });
}

void SimWorld::FireFileNameEvent(std::string_view name, std::string_view fileName) {
    Locked(*model_, [&](After& after) { model_->FileNameEvent(name, fileName, after); });
}

void SimWorld::FireFrame(float frameRate, float simulationSpeed) {
    Locked(*model_, [&](After& after) { model_->Frame(frameRate, simulationSpeed, after); });
}

void SimWorld::TriggerKeyEvent(std::string_view name, std::uint32_t data) {
    Locked(*model_, [&](After& after) { model_->TriggerKeyEvent(name, data, after); });
}

void SimWorld::Quit() {
    Locked(*model_, [&](After& after) { model_->Quit(after); });
}

void SimWorld::CreateClientArea(std::string_view name, std::uint32_t size, bool readOnly) {
    const std::lock_guard<std::mutex> lock(model_->mutex);
    model_->CreateArea(name, size, readOnly, 0);
}

void SimWorld::WriteClientArea(std::string_view name, std::uint32_t offset, std::span<const std::uint8_t> bytes) {
    Locked(*model_, [&](After& after) { model_->WriteArea(name, offset, bytes, after); });
}

std::vector<std::uint8_t> SimWorld::ReadClientArea(std::string_view name) const {
    const std::lock_guard<std::mutex> lock(model_->mutex);
    const auto found = model_->areas.find(ToUpper(name));
    return found == model_->areas.end() ? std::vector<std::uint8_t>{} : found->second.bytes;
}

void SimWorld::OnClientAreaWritten(std::string_view name, std::function<void(std::span<const std::uint8_t>)> handler) {
    const std::lock_guard<std::mutex> lock(model_->mutex);
    model_->areaHandlers[ToUpper(name)] = std::move(handler);
}

void SimWorld::OnCustomEvent(std::string_view name, std::function<void(std::uint32_t data)> handler) {
    const std::lock_guard<std::mutex> lock(model_->mutex);
    model_->customHandlers[ToUpper(name)] = std::move(handler);
}

std::vector<SimWorld::AddOnEvent> SimWorld::AddOnEvents() const {
    const std::lock_guard<std::mutex> lock(model_->mutex);
    return model_->addOnEvents;
}

void SimWorld::ClearAddOnEvents() {
    const std::lock_guard<std::mutex> lock(model_->mutex);
    model_->addOnEvents.clear();
}

void SimWorld::SetAddOnClock(std::function<std::uint64_t()> now) {
    const std::lock_guard<std::mutex> lock(model_->mutex);
    model_->addOnClock = std::move(now);
}

void SimWorld::WatchAddOnEvents(std::function<void(const AddOnEvent&)> watcher) {
    const std::lock_guard<std::mutex> lock(model_->mutex);
    model_->addOnWatchers.push_back(std::move(watcher));
}

void SimWorld::RecordClientAreaWrites(std::string_view name) {
    const std::lock_guard<std::mutex> lock(model_->mutex);
    model_->recordedWrites[ToUpper(name)];
}

std::vector<std::vector<std::uint8_t>> SimWorld::ClientAreaWrites(std::string_view name) const {
    const std::lock_guard<std::mutex> lock(model_->mutex);
    const auto found = model_->recordedWrites.find(ToUpper(name));
    return found == model_->recordedWrites.end() ? std::vector<std::vector<std::uint8_t>>{} : found->second;
}

void SimWorld::FailClientDataMapping(std::string_view name) {
    const std::lock_guard<std::mutex> lock(model_->mutex);
    model_->failingAreaNames.insert(ToUpper(name));
}

std::vector<SimWorld::Datum> SimWorld::Definition(std::string_view connectionName, std::uint32_t defineId) const {
    const std::lock_guard<std::mutex> lock(model_->mutex);
    // The newest open connection of that name.
    for (auto it = model_->connections.rbegin(); it != model_->connections.rend(); ++it) {
        const Connection& connection = **it;
        if (!connection.open || connection.name != connectionName) continue;
        std::vector<Datum> datums;
        const auto found = connection.definitions.find(defineId);
        if (found != connection.definitions.end()) {
            for (const DataDatum& datum : found->second) datums.push_back(datum.given);
        }
        return datums;
    }
    return {};
}

std::vector<std::string> SimWorld::LoadedFlightPlans() const {
    const std::lock_guard<std::mutex> lock(model_->mutex);
    return model_->flightPlans;
}

}  // namespace tarvo::simworld
