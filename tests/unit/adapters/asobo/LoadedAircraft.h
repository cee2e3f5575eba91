// An aircraft loaded from its stand-in profile into the world's module, whose
// discovery runs on the test's thread; then the crew app's commands and
// queries on what it found.
#pragma once

#include "adapters/AircraftCatalogue.h"
#include "adapters/CommandsFixture.h"
#include "bridge/Registry.h"
#include "profiles/Profiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tarvo::adapters {

struct LoadedAircraftFixture : CommandsFixture {
    LoadedAircraftFixture() {
        fake.clock.OnSleep([this](std::uint32_t ms) {
            tThreadTime += ms;
            if (std::this_thread::get_id() != testThread) return;
            pauses.push_back(ms);
            if (duringPause) duringPause(ms);
        });
    }

    // The bridge worker pauses until it ends, after this part of the fixture
    // has gone: its hooks must not outlive what they use.
    ~LoadedAircraftFixture() override {
        fake.clock.OnSleep([](std::uint32_t ms) { tThreadTime += ms; });
        StopWorker();
    }

    // A profile of testbed/profiles/ (its first lvars only, when first is given).
    static simworld::AircraftProfile Profile(std::string_view name, std::size_t first = SIZE_MAX) {
        auto profile = profiles::ProfileNamed(name);
        EXPECT_TRUE(profile.has_value()) << name;
        if (!profile) return {};
        if (first < profile->lvars.size()) profile->lvars.resize(first);
        return *profile;
    }
    // Its lvars then the other's; its H: events then the other's.
    static simworld::AircraftProfile Joined(simworld::AircraftProfile one, const simworld::AircraftProfile& other) {
        one.lvars.insert(one.lvars.end(), other.lvars.begin(), other.lvars.end());
        one.hvars.insert(one.hvars.end(), other.hvars.begin(), other.hvars.end());
        return one;
    }
    static simworld::AircraftProfile Lvars(std::initializer_list<const char*> names) {
        simworld::AircraftProfile profile;
        for (const char* name : names) profile.lvars.emplace_back(name, 0.0);
        return profile;
    }

    // The module lists the profile's names, lvars padded with unused names up
    // to total, and the bridge holds them all.
    void Load(simworld::AircraftProfile loaded, std::size_t total = 0) {
        profiles::PadLvars(loaded, total);
        if (bridge::HasBridge(fake.server)) {
            // The bridge takes a configuration equal to its last one for no
            // change, so lists of the same lengths differ by a name.
            if (loaded.lvars.size() == profile.lvars.size() && loaded.hvars.size() == profile.hvars.size()) {
                profiles::PadLvars(loaded, loaded.lvars.size() + 1);
            }
            profile = std::move(loaded);
            module.Load(profile);
            // A bridge that has seen no names yet still asks by its timer.
            fake.threads.FireTimer(fake.threads.LastTimer());
        } else {
            // A bridge started again waits for its own configuration timer.
            fake.journal.Clear();
            ConnectBridge(std::move(loaded));
        }
        WaitUntil([this] { return BridgeHoldsProfile(); });
    }

    bool BridgeHoldsProfile() {
        bridge::NameListCopy lvars;
        bridge::NameListCopy hvars;
        bridge::CopyLvarNames(fake.server, lvars);
        bridge::CopyHvarNames(fake.server, hvars);
        if (lvars.size() != profile.lvars.size() || hvars.size() != profile.hvars.size()) return false;
        for (std::size_t i = 0; i < profile.lvars.size(); ++i) {
            if (lvars[static_cast<std::int32_t>(i)] != profile.lvars[i].first) return false;
        }
        for (std::size_t i = 0; i < profile.hvars.size(); ++i) {
            if (hvars[static_cast<std::int32_t>(i)] != profile.hvars[i]) return false;
        }
        return true;
    }

    // The aircraft's routines from the catalogue, as the discovery thread runs them.
    void Discover(std::int32_t aircraftId) {
        fake.server.adapters.currentAircraftId = aircraftId;
        for (DiscoveryRoutine routine : LookUpAircraft(aircraftId).routines) {
            if (routine != nullptr) routine(fake.server);
        }
    }

    // What discovery logged, without the bridge's own lines about its lists.
    std::vector<std::string> DiscoveryLines() const {
        std::vector<std::string> lines;
        for (const std::string& line : LogLines()) {
            const bool fromBridge = line.find("Config data") != std::string::npos ||
                                    line.find("CLIENT_DATA received") != std::string::npos ||
                                    line.find("vars received") != std::string::npos;
            if (!fromBridge) lines.push_back(line);
        }
        return lines;
    }

    // What reached the module, without times: "NAME=1", "fire H:NAME".
    std::vector<std::string> Receipts() const {
        std::vector<std::string> lines;
        for (const auto& receipt : module.Receipts()) {
            using Kind = simworld::WasmModule::Receipt::Kind;
            if (receipt.kind == Kind::Write) lines.push_back(receipt.text + "=" + std::to_string(int(receipt.value)));
            if (receipt.kind == Kind::Fire) lines.push_back("fire " + receipt.text);
            if (receipt.kind == Kind::Code) lines.push_back("code " + receipt.text);
        }
        return lines;
    }

    // The slots that hold an id.
    std::size_t FilledSlots() const {
        std::size_t filled = 0;
        for (std::size_t cell = 1; cell < kSlotCount; ++cell) {
            if (fake.server.bridge.slots.Get(cell) != bridge::kNotFound) ++filled;
        }
        return filled;
    }

    void ForgetEverything() {
        fake.server.bridge.slots.ResetAll();
        fake.server.adapters.asobo747Flag = false;
        fake.server.adapters.cj4Flag = false;
        fake.server.adapters.groundServicesFound = false;
        fake.journal.Clear();
        pauses.clear();
    }

    const std::thread::id testThread = std::this_thread::get_id();
    // The test thread's pauses, in order.
    std::vector<std::uint32_t> pauses;
    // Runs on the test thread as each of its pauses begins.
    std::function<void(std::uint32_t)> duringPause;
};

}  // namespace tarvo::adapters
