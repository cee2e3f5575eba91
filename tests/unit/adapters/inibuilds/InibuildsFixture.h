// The Inibuilds adapter over the in-process world: an A310 or an A300 loaded
// in the module, its slots filled as its discovery fills them, and what its
// commands sent to the module, each after the time of its sending thread.
#pragma once

#include "adapters/CommandsFixture.h"
#include "adapters/inibuilds/Inibuilds.h"
#include "profiles/Profiles.h"

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace tarvo::adapters {

using Lines = std::vector<std::string>;

struct InibuildsFixture : CommandsFixture {
    InibuildsFixture() {
        Aircraft(77);
        inibuilds::InstallInibuildsAdapter(fake.server);
    }

    // The aircraft's names in the module; the adapter's list matched against
    // them as discovery matches them (which also tells the A310 from the A300).
    void Load(simworld::AircraftProfile loaded) {
        ConnectBridge(std::move(loaded));
        bridge::NameListCopy names;
        bridge::CopyLvarNames(fake.server, names);
        const bridge::NameIndex index(inibuilds::WantedVariables());
        bridge::MatchNames(names, index, fake.server.bridge.slots, false, &fake.server);
    }
    void LoadA310() { Load(profiles::A310()); }
    void LoadA300() { Load(profiles::A300()); }

    void Run(std::uint32_t code, std::int32_t value) { inibuilds::RunCommand(fake.server, code, value); }

    // What reached the module from the index-th receipt on, each after the
    // time of its thread since that receipt: "400 A300_RAM_AIR_ON=0", "0 code 1 (>L:X)".
    Lines ReceivedSince(std::size_t index) const {
        const auto receipts = module.Receipts();
        Lines lines;
        for (std::size_t i = index; i < receipts.size(); ++i) {
            using Kind = simworld::WasmModule::Receipt::Kind;
            const auto& r = receipts[i];
            std::ostringstream line;
            line.precision(17);
            line << (r.at - receipts[index].at) << ' ';
            if (r.kind == Kind::Write) line << r.text << '=' << r.value;
            if (r.kind == Kind::Fire) line << "fire " << r.text;
            if (r.kind == Kind::Code) line << "code " << r.text;
            lines.push_back(line.str());
        }
        return lines;
    }
    std::size_t ReceiptCount() const { return module.Receipts().size(); }

    // The command on this thread, and what it sent; the bridge has seen the
    // values it wrote by the time this returns, so the next command reads them.
    Lines RunReceiving(std::uint32_t code, std::int32_t value) {
        const std::size_t before = ReceiptCount();
        Run(code, value);
        const auto receipts = module.Receipts();
        for (std::size_t i = before; i < receipts.size(); ++i) {
            if (receipts[i].kind != simworld::WasmModule::Receipt::Kind::Write) continue;
            const std::string& name = receipts[i].text;
            WaitUntil([&] { return bridge::GetLvarValue(fake.server, LvarId(name)) == module.Lvar(name); });
        }
        return ReceivedSince(before);
    }

    // The aircraft changes a variable, and the bridge has seen it.
    void SetVariable(std::string_view name, double value) {
        module.SetLvar(name, value);
        const std::uint16_t id = LvarId(name);
        WaitUntil([&] {
            const double seen = bridge::GetLvarValue(fake.server, id);
            return seen == value || (std::isnan(seen) && std::isnan(value));
        });
    }

    bool IsA310() const { return fake.server.adapters.inibuilds.a310Flag; }
};

}  // namespace tarvo::adapters
