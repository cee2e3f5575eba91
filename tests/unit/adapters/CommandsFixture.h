// The generic command set over the in-process world: choose the aircraft,
// set what the records show, run commands, read what reached the simulator
// and the module.
#pragma once

#include "adapters/generic/GenericAdapter.h"
#include "fixtures/AdapterFixture.h"
#include "sim/SessionState.h"

#include <cstring>
#include <string>
#include <vector>

namespace tarvo::adapters {

struct AircraftFlags {
    bool fenix = false;
    bool a320Lvars = false;
    bool a32nxEvents = false;
    bool b747 = false;
    bool cj4 = false;
};

struct CommandsFixture : AdapterFixture {
    void Aircraft(std::int32_t id, AircraftFlags flags = {}) {
        AdapterState& adapters = fake.server.adapters;
        adapters.currentAircraftId = id;
        adapters.fenixFlag = flags.fenix;
        adapters.a320LvarsFound = flags.a320Lvars;
        adapters.a32nxEventFlag = flags.a32nxEvents;
        adapters.asobo747Flag = flags.b747;
        adapters.cj4Flag = flags.cj4;
    }
    // A Fenix: its discovery sets both A320 flags too.
    void Fenix() { Aircraft(58, {.fenix = true, .a320Lvars = true, .a32nxEvents = true}); }
    void A32nx() { Aircraft(58, {.a320Lvars = true, .a32nxEvents = true}); }

    void Run(std::uint32_t code, std::uint32_t value) {
        generic::RunCommand(fake.server, code, static_cast<std::int32_t>(value));
    }

    // A field of a 32-bit record (flight, autopilot, systems, engines) as the simulator last sent it.
    void SetField(sim::RecordId record, std::size_t field, std::int32_t value) {
        auto& bytes = fake.server.session.records[record].bytes;
        ASSERT_LE(field * 4 + 4, bytes.size());
        std::memcpy(bytes.data() + field * 4, &value, sizeof value);
    }
    void SetDoubleField(sim::RecordId record, std::size_t field, double value) {
        auto& bytes = fake.server.session.records[record].bytes;
        ASSERT_LE(field * 8 + 8, bytes.size());
        std::memcpy(bytes.data() + field * 8, &value, sizeof value);
    }

    // A module with these lvars (start value 0), each filling the slot listed with it (if any).
    void ConnectWith(const std::vector<std::pair<Slot, std::string>>& lvars, std::vector<std::string> hvars = {}) {
        simworld::AircraftProfile loaded;
        for (const auto& lvar : lvars) loaded.lvars.emplace_back(lvar.second, 0.0);
        loaded.hvars = std::move(hvars);
        ConnectBridge(loaded);
        for (const auto& [slot, name] : lvars) {
            if (slot != Slot::None) FillSlot(slot, name);
        }
    }

    // The worker threads the commands started, run one after the other on this thread.
    void RunWorkers() {
        while (fake.threads.RunNextThread()) {
        }
    }

    // A run starts the times of its thread at zero.
    void ResetThreadTime() { tThreadTime = 0; }
};

}  // namespace tarvo::adapters
