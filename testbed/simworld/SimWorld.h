// The simulator as SimConnect shows it: named simulation variables with units,
// key events and their effect on the variables, system events, periodic data
// delivery, client data areas, exceptions for unknown names. Thread-safe: one
// world serves several connections and a clock at once.
//
// The world has no real time of its own: AdvanceTime moves it, and periodic
// requests (period SECOND) come due as it moves.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::simworld {

class Connection;
class WorldModel;

class SimWorld {
public:
    SimWorld();
    ~SimWorld();
    SimWorld(const SimWorld&) = delete;
    SimWorld& operator=(const SimWorld&) = delete;

    // ---- Variables ---------------------------------------------------------
    // Names are case-insensitive and may carry an index suffix (":1"). Values are
    // given and read in any unit the world knows for that variable's kind; an
    // unknown variable reads as nullopt. Setting an unknown name creates it.
    void SetNumber(std::string_view name, double value, std::string_view unit);
    std::optional<double> Number(std::string_view name, std::string_view unit) const;
    void SetString(std::string_view name, std::string text);
    std::optional<std::string> String(std::string_view name) const;

    // ---- Things that happen in the simulator --------------------------------
    // Moves world time; periodic records that come due are queued.
    void AdvanceTime(std::uint32_t milliseconds);
    std::uint64_t NowMilliseconds() const;
    // "Sim" (data 1 running / 0 stopped), "PositionChanged", ... to subscribers.
    void FireSystemEvent(std::string_view name, std::uint32_t data);
    // "AircraftLoaded", "FlightPlan": file-name events to subscribers.
    void FireFileNameEvent(std::string_view name, std::string_view fileName);
    // A "Frame" event to subscribers; also delivers VISUAL_FRAME / SIM_FRAME requests.
    void FireFrame(float frameRate, float simulationSpeed);
    // A key event triggered inside the simulator (not by a client): applies its
    // effect and reports it to every client whose notification group holds it.
    void TriggerKeyEvent(std::string_view name, std::uint32_t data);
    // The simulator shuts down: every connection receives QUIT.
    void Quit();

    // ---- Client data seen from inside the simulator (e.g. a WASM module) -----
    // Creates the area if needed; size at most 8192.
    void CreateClientArea(std::string_view name, std::uint32_t size, bool readOnly);
    // Writes bytes into an area as its owner would; on-set requests are delivered.
    void WriteClientArea(std::string_view name, std::uint32_t offset, std::span<const std::uint8_t> bytes);
    std::vector<std::uint8_t> ReadClientArea(std::string_view name) const;
    // Called after any client writes the area with SetClientData.
    void OnClientAreaWritten(std::string_view name, std::function<void(std::span<const std::uint8_t>)> handler);
    // Called when a client transmits a custom event (a name with a dot).
    void OnCustomEvent(std::string_view name, std::function<void(std::uint32_t data)> handler);

    // ---- An add-on aircraft's own SDK (the PMDG aircraft have one) -----------
    // Clients act on such an aircraft by transmitting events named "#" and a
    // number; each one is recorded here, in order, and told to the watchers.
    struct AddOnEvent {
        std::string connection;  // the sender's name from Open
        std::string name;        // as mapped, "#70166"
        std::uint32_t data = 0;
        std::uint64_t at = 0;  // the add-on clock's reading; world time without one
    };
    std::vector<AddOnEvent> AddOnEvents() const;
    void ClearAddOnEvents();
    // Read under the world's lock as each event is recorded: keep it trivial.
    void SetAddOnClock(std::function<std::uint64_t()> now);
    // Called on the sending thread, outside the world's lock.
    void WatchAddOnEvents(std::function<void(const AddOnEvent&)> watcher);
    // From now on, what clients write into the area with SetClientData is kept.
    void RecordClientAreaWrites(std::string_view name);
    std::vector<std::vector<std::uint8_t>> ClientAreaWrites(std::string_view name) const;
    // MapClientDataNameToID fails for this name (E_FAIL, nothing mapped).
    void FailClientDataMapping(std::string_view name);

    // ---- What clients did, for tests ---------------------------------------
    struct Datum {
        std::string name;
        std::string unit;
        std::uint32_t type = 0;  // SIMCONNECT_DATATYPE
        float epsilon = 0;
        std::uint32_t datumId = 0;
    };
    // The datums of a client's data definition, in the order they were added.
    std::vector<Datum> Definition(std::string_view connectionName, std::uint32_t defineId) const;
    // Loaded flight plans, in order.
    std::vector<std::string> LoadedFlightPlans() const;

private:
    friend class Connection;
    friend class InProcessSimConnect;
    std::unique_ptr<WorldModel> model_;
};

}  // namespace tarvo::simworld
