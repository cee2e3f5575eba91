// The Aerosoft CRJ installed over the in-process world, its stand-in profile
// loaded into the module and its slots filled as its discovery fills them.
// Tests read the module's writes and code by variable name and time.
#pragma once

#include "adapters/crj/Crj.h"
#include "fixtures/AdapterFixture.h"
#include "link/Reports.h"
#include "profiles/Profiles.h"

#include <cstring>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace tarvo::adapters {

using Lines = std::vector<std::string>;

struct CrjFixture : AdapterFixture {
    CrjFixture() {
        fake.server.adapters.currentAircraftId = 51;
        crj::Install(fake.server);
    }

    // The aircraft's profile in the module and every name of the adapter's
    // table in its slot, as a complete discovery leaves them.
    void ConnectCrj() {
        ConnectBridge(profiles::Crj());
        FillCrjSlots();
    }
    void FillCrjSlots() {
        for (const bridge::WantedVariable& wanted : crj::DiscoveryTable()) {
            fake.server.bridge.slots.Set(wanted.slot, LvarId(wanted.name));
        }
    }

    // The aircraft changes one of its variables, and the bridge has seen it.
    void SetLvar(const std::string& name, double value) {
        module.SetLvar(name, value);
        const std::uint16_t id = LvarId(name);
        WaitUntil([&] { return bridge::GetLvarValue(fake.server, id) == value; });
    }

    void Run(std::uint32_t code, std::int32_t value) {
        fake.server.adapters.table.RunCommand(fake.server, code, value);
    }

    // What reached the module since the first `from` receipts, each after the
    // time of its thread: "300 ASCRJ_FCP_AP_DISC=1", "0 code 1 (>L:X)".
    Lines ReceivedSince(std::size_t from) const {
        const auto receipts = module.Receipts();
        Lines lines;
        for (std::size_t i = from; i < receipts.size(); ++i) {
            const auto& r = receipts[i];
            std::string line = std::to_string(r.at) + ' ';
            if (r.kind == simworld::WasmModule::Receipt::Kind::Code) {
                line += "code " + r.text;
            } else {
                std::ostringstream value;
                value << r.value;
                line += r.text + '=' + value.str();
            }
            lines.push_back(line);
        }
        return lines;
    }

    // Events sent since ClearCalls(), each after the time of its thread: "300 AP_MASTER 1".
    Lines EventsSince() const {
        const std::lock_guard<std::mutex> lock(callsMutex);
        Lines events;
        for (std::size_t i = 0; i < mainCalls.size(); ++i) {
            const auto& call = mainCalls[i];
            if (call.function != "TransmitClientEvent" || call.arguments.size() < 3) continue;
            const auto name = sim::ClientEventName(static_cast<std::uint32_t>(std::stoul(call.arguments[1])));
            events.push_back(std::to_string(mainCallTimes[i]) + ' ' + std::string(name.value_or("?")) + ' ' +
                             call.arguments[2]);
        }
        return events;
    }

    // The worker the command started, run on a fresh thread (its time starting at 0).
    void RunWorker() {
        std::thread([&] { fake.threads.RunNextThread(); }).join();
    }

    std::size_t CountReceipts(const std::string& fragment) const {
        std::size_t n = 0;
        for (const auto& r : module.Receipts()) n += r.text.find(fragment) != std::string::npos ? 1 : 0;
        return n;
    }

    link::ValueQuery Query(std::uint32_t code, double before = -1.0) {
        link::ValueQuery query;
        query.code = code;
        std::memcpy(query.value.data(), &before, sizeof before);
        fake.server.adapters.table.QueryValue(fake.server, query);
        return query;
    }
    static double AsDouble(const link::ValueQuery& query) {
        double value = 0;
        std::memcpy(&value, query.value.data(), sizeof value);
        return value;
    }
    static std::int32_t AsInt32(const link::ValueQuery& query) {
        std::int32_t value = 0;
        std::memcpy(&value, query.value.data(), sizeof value);
        return value;
    }
};

}  // namespace tarvo::adapters
