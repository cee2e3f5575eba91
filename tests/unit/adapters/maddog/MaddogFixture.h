// The Maddog loaded in the in-process world, selected and discovered: tests
// run its commands, polls and queries through the adapter table and read what
// reached the module.
#pragma once

#include "adapters/maddog/Maddog.h"
#include "fixtures/AdapterFixture.h"
#include "link/Reports.h"
#include "profiles/Profiles.h"

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace tarvo::adapters {

using Lines = std::vector<std::string>;

// Set on the threads whose pauses stand for the passing of time in a test.
inline thread_local bool tTimedThread = false;

struct MaddogFixture : AdapterFixture {
    static constexpr std::int32_t kMaddog = 45;

    // The aircraft as the module lists it (1,500 names), its adapter installed
    // and its discovery run.
    void LoadMaddog() {
        simworld::AircraftProfile maddog = profiles::Maddog();
        profiles::PadLvars(maddog, 1500);
        ConnectBridge(std::move(maddog));
        fake.server.adapters.currentAircraftId = kMaddog;
        maddog::InstallMaddogAdapter(fake.server);
        maddog::Discover(fake.server);
        Clear();
    }

    void Run(std::uint32_t code, std::int32_t value) {
        fake.server.adapters.table.RunCommand(fake.server, code, value);
    }

    // The aircraft changes a variable, and the bridge has seen it.
    void Set(std::string_view name, double value) {
        module.SetLvar(name, value);
        const std::uint16_t id = LvarId(name);
        WaitUntil([&] {
            const double seen = bridge::GetLvarValue(fake.server, id);
            return seen == value || (std::isnan(seen) && std::isnan(value));
        });
    }

    // What reached the module since the last look, each after the time of its
    // thread since the first of them: "300 8192 4 + (>L:pedestal_event,number)",
    // "0 fwd_main_MD=1".
    Lines Sent() {
        const auto receipts = module.Receipts();
        Lines lines;
        for (std::size_t i = seen_; i < receipts.size(); ++i) {
            const auto& r = receipts[i];
            std::string line = std::to_string(r.at - receipts[seen_].at) + " " + r.text;
            if (r.kind == simworld::WasmModule::Receipt::Kind::Write) line += "=" + FormatValue(r.value);
            lines.push_back(line);
        }
        seen_ = receipts.size();
        return lines;
    }
    // The same without the times.
    Lines Texts() {
        Lines texts;
        for (const std::string& line : Sent()) texts.push_back(line.substr(line.find(' ') + 1));
        return texts;
    }
    void Clear() { seen_ = module.Receipts().size(); }

    // A snapshot poll as the crew app's query 6 builds it.
    link::SnapshotRecord& Poll() {
        link::BuildSnapshot(fake.server);
        return fake.server.link.snapshot;
    }

    // The answer of query code: its 8 value bytes.
    std::array<std::uint8_t, 8> Query(std::uint32_t code) {
        link::ValueQuery query;
        query.code = code;
        fake.server.adapters.table.QueryValue(fake.server, query);
        return query.value;
    }
    static std::array<std::uint8_t, 8> AsDouble(double value) {
        std::array<std::uint8_t, 8> bytes{};
        std::memcpy(bytes.data(), &value, sizeof value);
        return bytes;
    }
    static std::array<std::uint8_t, 8> AsInt32(std::int32_t value) {
        std::array<std::uint8_t, 8> bytes{};
        std::memcpy(bytes.data(), &value, sizeof value);
        return bytes;
    }

    // Runs the next worker the adapter started on a thread of its own, whose
    // pauses start at 0; onPause runs at the start of each of its pauses, with
    // the worker's time.
    void RunWorker(const std::function<void(std::uint64_t)>& onPause = nullptr) {
        if (onPause) {
            fake.clock.OnSleep([onPause](std::uint32_t milliseconds) {
                if (tTimedThread) onPause(tThreadTime);
                tThreadTime += milliseconds;
            });
        }
        std::thread([&] {
            tTimedThread = true;
            fake.threads.RunNextThread();
        }).join();
        fake.clock.OnSleep([](std::uint32_t milliseconds) { tThreadTime += milliseconds; });
    }

    // Time moves by itself again; threads asleep meanwhile wake.
    void ResumeAutoAdvance() {
        fake.clock.SetAutoAdvance(true);
        fake.clock.Advance(1000);
    }
    // Moves time in small steps until no worker runs any more.
    void AdvanceUntilWorkersEnd() {
        WaitUntil([&] {
            fake.clock.Advance(10);
            return fake.server.adapters.workersRunning == 0;
        });
    }

    maddog::MaddogState& State() { return fake.server.adapters.maddog; }

    // "L", "R", "Up", "Dn", "Rel" on a panel variable, as the aircraft receives it.
    static std::string Click(std::string_view mouse, std::string_view panel, int index) {
        const char* flag = mouse == "L"    ? "536870912"
                           : mouse == "R"  ? "2147483648"
                           : mouse == "Up" ? "16384"
                           : mouse == "Dn" ? "8192"
                                           : "131072";
        return std::string(flag) + " " + std::to_string(index) + " + (>L:" + std::string(panel) + ",number)";
    }

private:
    static std::string FormatValue(double value) {
        std::ostringstream text;
        text << value;
        return text.str();
    }

    std::size_t seen_ = 0;
};

}  // namespace tarvo::adapters
