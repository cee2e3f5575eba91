// The FSUIPC WASM module as it runs inside the world: publishes the loaded
// aircraft's lvar names, hvar names and lvar values through client data areas,
// and takes set-lvar records, calculator code and H: events from clients.
//
// Areas it publishes, in this order in its configuration record:
// "FSUIPC_lvarnames<i>" (lvar names, at most 146 records of 56 bytes each, at
// most 70 areas), "FSUIPC_hvarnames<j>" (the same for hvars, at most 4 areas),
// then always ten "FSUIPC_lvarvalues<k>" of 1,024 doubles each (lvar ids
// 1,024k ..). A name area whose name already exists in the world with another
// size (an earlier aircraft) gets the size appended: "FSUIPC_lvarnames1_3024".
//
// Calculator code understood: numbers, (L:name[, unit]), (>L:name[, unit]),
// (>H:name), (>K:name) (a key event inside the simulator, with the number
// taken as its data), "!", "++" and "--", in reverse-Polish order. Code holding
// anything else, or running out of operands, changes nothing.
//
// Thread-safe: the world may call its handlers on any thread.
#pragma once

#include "simworld/SimWorld.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvo::simworld {

// What a loaded aircraft exposes: its local variables (with start values) and H: events.
struct AircraftProfile {
    std::vector<std::pair<std::string, double>> lvars;  // names without "L:"
    std::vector<std::string> hvars;                     // with their "H:" prefix
};

class WasmModule {
public:
    // Creates the module's fixed areas in the world and listens to them and to
    // its events. version: the text it reports (cut to 7 characters).
    // The world must outlive the module.
    explicit WasmModule(SimWorld& world, std::string version = "1.0.3");
    ~WasmModule();
    WasmModule(const WasmModule&) = delete;
    WasmModule& operator=(const WasmModule&) = delete;

    // The aircraft loaded: lvar ids and hvar ids follow the profile's order;
    // lvars beyond 10,220 and hvars beyond 584 are dropped. (Re)writes the name
    // areas, the value areas and last the configuration, unless silent.
    void Load(const AircraftProfile& profile);
    // While silent the module publishes nothing (as when it is installed but not
    // answering); it still records what clients send. It publishes again at the
    // next Load or "FSUIPC.Reload".
    void SetSilent(bool silent);

    // Names are matched ignoring case.
    double Lvar(std::string_view name) const;           // 0.0 for an unknown name
    void SetLvar(std::string_view name, double value);  // as the aircraft would; re-sends that value area; unknown: ignored

    std::vector<std::uint32_t> FiredHvars() const;      // hvar ids from "FSUIPC.SetHvar" and (>H:name), in order
    std::vector<std::string> CalculatorCode() const;    // every code text received, including the neutral "1"
    std::vector<std::pair<std::uint32_t, double>> SetLvarRecords() const;  // every record received, neutral ones too
    int Reloads() const;                                // "FSUIPC.Reload" events received

    // What clients sent, as the aircraft saw it, in order: lvars written (by
    // name, "#id" for an id without one), H: events fired (by their "H:"
    // names) and calculator code. The neutral records and code that only
    // clear the areas are left out.
    struct Receipt {
        enum class Kind { Write, Fire, Code };
        Kind kind = Kind::Write;
        std::string text;      // the lvar's or H: event's name, or the code
        double value = 0;      // a write's value
        std::uint64_t at = 0;  // the clock's reading as it came; 0 without a clock
    };
    std::vector<Receipt> Receipts() const;
    // Read on the sending thread as each receipt comes.
    void SetClock(std::function<std::uint64_t()> now);

    // Handed to the handlers the world keeps, so a late call finds it alive.
    struct Core;

private:
    std::shared_ptr<Core> core_;
};

}  // namespace tarvo::simworld
