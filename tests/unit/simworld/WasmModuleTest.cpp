#include "SimWorldTesting.h"
#include "simworld/InProcessSimConnect.h"
#include "simworld/SimWorld.h"
#include "simworld/WasmModule.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tarvo::simworld {
namespace {

using testing::As;
using testing::At;
using testing::Payload;
using testing::Record;
using testing::Session;

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kNeutral = 0xFFFFFFFF;

struct Entry {
    std::string name;
    std::int32_t size = 0;
    std::uint32_t kind = 0;
    bool operator==(const Entry&) const = default;
};

void PrintTo(const Entry& entry, std::ostream* out) {
    *out << "{" << entry.name << ", " << entry.size << ", " << entry.kind << "}";
}

std::string Text(const Bytes& bytes, std::size_t offset, std::size_t field) {
    if (offset >= bytes.size()) return {};
    const auto* begin = reinterpret_cast<const char*>(bytes.data() + offset);
    const std::size_t limit = std::min(field, bytes.size() - offset);
    return std::string(begin, std::find(begin, begin + limit, '\0'));
}

// The described areas of a configuration record, up to the first size 0.
std::vector<Entry> Entries(const Bytes& config) {
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < 84; ++i) {
        const auto size = At<std::int32_t>(config, 5384 + i * 4);
        if (size == 0) break;
        entries.push_back({Text(config, 8 + i * 64, 64), size, At<std::uint32_t>(config, 5720 + i * 4)});
    }
    return entries;
}

std::vector<Entry> ExpectedValueAreas() {
    std::vector<Entry> entries;
    for (int k = 0; k < 10; ++k) entries.push_back({"FSUIPC_lvarvalues" + std::to_string(k), 8192, 2});
    return entries;
}

// lvars "LVAR_0".. with start values 0.5 * id.
AircraftProfile Profile(std::size_t lvars, std::vector<std::string> hvars = {}) {
    AircraftProfile profile;
    for (std::size_t i = 0; i < lvars; ++i) profile.lvars.emplace_back("LVAR_" + std::to_string(i), 0.5 * i);
    profile.hvars = std::move(hvars);
    return profile;
}

class WasmModuleTest : public ::testing::Test {
protected:
    // The client data id (also used as definition and request id) for an area name.
    std::uint32_t Define(const std::string& name, std::uint32_t size) {
        const auto found = ids.find(name);
        if (found != ids.end()) return found->second;
        const std::uint32_t id = nextId++;
        ids[name] = id;
        EXPECT_EQ(api.MapClientDataNameToID(client.handle, name.c_str(), id), SIMCONNECT_S_OK);
        EXPECT_EQ(api.AddToClientDataDefinition(client.handle, id, SIMCONNECT_CLIENTDATAOFFSET_AUTO, size, 0, 0),
                  SIMCONNECT_S_OK);
        return id;
    }

    // The area's contents as a client reads them once.
    Bytes Read(const std::string& name, std::uint32_t size) {
        const std::uint32_t id = Define(name, size);
        api.RequestClientData(client.handle, id, id, id, SIMCONNECT_CLIENT_DATA_PERIOD_ONCE, 0, 0, 0, 0);
        return Payload(client.One());
    }

    void Subscribe(const std::string& name, std::uint32_t size) {
        const std::uint32_t id = Define(name, size);
        api.RequestClientData(client.handle, id, id, id, SIMCONNECT_CLIENT_DATA_PERIOD_ON_SET,
                              SIMCONNECT_CLIENT_DATA_REQUEST_FLAG_CHANGED, 0, 0, 0);
    }

    void WriteSetLvar(std::uint32_t lvarId, double value) {
        const std::uint32_t id = Define("FSUIPC_SetLvar", 12);
        std::uint8_t record[12];
        std::memcpy(record, &lvarId, 4);
        std::memcpy(record + 4, &value, 8);
        EXPECT_EQ(api.SetClientData(client.handle, id, id, 0, 0, sizeof(record), record), SIMCONNECT_S_OK);
    }

    void WriteCode(const std::string& code) {
        const std::uint32_t id = Define("FSUIPC_CalcCode", 1024);
        std::vector<char> text(1024, '\0');
        std::memcpy(text.data(), code.data(), std::min<std::size_t>(code.size(), 1024));
        EXPECT_EQ(api.SetClientData(client.handle, id, id, 0, 0, 1024, text.data()), SIMCONNECT_S_OK);
    }

    SimWorld world;
    InProcessSimConnect api{world};
    std::unique_ptr<WasmModule> module = std::make_unique<WasmModule>(world);
    Session client{api, "FSUIPC-WASM-IF"};
    std::map<std::string, std::uint32_t> ids;
    std::uint32_t nextId = 1;
};

TEST_F(WasmModuleTest, ConfigurationListsNameAreasThenTenValueAreas) {
    module->Load(Profile(200, {"H:A", "H:B", "H:C"}));

    const Bytes config = Read("FSUIPC_config", 6056);
    ASSERT_EQ(config.size(), 6056u);
    EXPECT_EQ(Text(config, 0, 8), "1.0.3");
    std::vector<Entry> expected = {{"FSUIPC_lvarnames0", 146 * 56, 0},
                                   {"FSUIPC_lvarnames1", 54 * 56, 0},
                                   {"FSUIPC_hvarnames0", 3 * 56, 1}};
    for (const Entry& entry : ExpectedValueAreas()) expected.push_back(entry);
    EXPECT_EQ(Entries(config), expected);
    // Every described area exists in the world with the size given.
    for (const Entry& entry : expected) {
        EXPECT_EQ(world.ReadClientArea(entry.name).size(), static_cast<std::size_t>(entry.size)) << entry.name;
    }
}

TEST_F(WasmModuleTest, ClientReadsNamesAndStartValues) {
    AircraftProfile profile = Profile(150, {"H:A320_Neo_FCU_HDG_PUSH", ""});
    profile.lvars[0].first = std::string(60, 'X');  // cut to 55 characters
    module->Load(profile);

    std::vector<std::string> lvars;
    std::vector<std::string> hvars;
    for (const Entry& entry : Entries(Read("FSUIPC_config", 6056))) {
        if (entry.kind == 2) continue;
        const Bytes area = Read(entry.name, static_cast<std::uint32_t>(entry.size));
        ASSERT_EQ(area.size(), static_cast<std::size_t>(entry.size));
        for (std::size_t at = 0; at < area.size(); at += 56) {
            EXPECT_EQ(area[at + 55], 0) << entry.name << " record " << at / 56;
            (entry.kind == 0 ? lvars : hvars).push_back(Text(area, at, 56));
        }
    }
    ASSERT_EQ(lvars.size(), 150u);
    EXPECT_EQ(lvars[0], std::string(55, 'X'));
    EXPECT_EQ(lvars[149], "LVAR_149");
    EXPECT_EQ(hvars, (std::vector<std::string>{"H:A320_Neo_FCU_HDG_PUSH", ""}));

    const Bytes values = Read("FSUIPC_lvarvalues0", 8192);
    EXPECT_EQ(At<double>(values, 149 * 8), 74.5);
    EXPECT_EQ(At<double>(values, 150 * 8), 0.0);
}

TEST_F(WasmModuleTest, SetLvarRecordChangesOneValueAreaForChangedSubscribers) {
    module->Load(Profile(1100));
    Subscribe("FSUIPC_lvarvalues0", 8192);
    Subscribe("FSUIPC_lvarvalues1", 8192);
    EXPECT_EQ(client.Drain().size(), 2u);  // the current contents

    WriteSetLvar(1030, 42.0);
    WriteSetLvar(kNeutral, 0.0);
    const Record record = client.One();
    EXPECT_EQ(As<SIMCONNECT_RECV_CLIENT_DATA>(record).dwRequestID, ids.at("FSUIPC_lvarvalues1"));
    EXPECT_EQ(At<double>(Payload(record), 6 * 8), 42.0);
    EXPECT_EQ(module->Lvar("lvar_1030"), 42.0);

    // Neutral records, unknown ids and an unchanged value send nothing.
    WriteSetLvar(kNeutral, 7.0);
    WriteSetLvar(1100, 7.0);
    WriteSetLvar(1030, 42.0);
    EXPECT_TRUE(client.Drain().empty());
    EXPECT_EQ(module->Lvar("LVAR_1030"), 42.0);
    EXPECT_EQ(module->Lvar("LVAR_1099"), 549.5);
    EXPECT_EQ(module->SetLvarRecords(),
              (std::vector<std::pair<std::uint32_t, double>>{
                  {1030, 42.0}, {kNeutral, 0.0}, {kNeutral, 7.0}, {1100, 7.0}, {1030, 42.0}}));

    // The aircraft moving a switch itself reaches the subscriber as well.
    module->SetLvar("LVAR_3", 1.0);
    EXPECT_EQ(At<double>(Payload(client.One()), 3 * 8), 1.0);
    module->SetLvar("NO_SUCH_LVAR", 1.0);
    EXPECT_TRUE(client.Drain().empty());
    EXPECT_EQ(module->Lvar("NO_SUCH_LVAR"), 0.0);
}

TEST_F(WasmModuleTest, CalculatorCodeForms) {
    struct Case {
        std::string code;
        double pack, speed, sw;  // A32NX_PACK (0), S_FCU_SPEED (250), SWITCH (1) afterwards
        std::vector<std::uint32_t> fired;
    };
    const std::vector<Case> cases = {
        {"1 (>L:A32NX_PACK)", 1, 250, 1, {}},
        {"2.5 (>L:a32nx_pack, Number)", 2.5, 250, 1, {}},
        {"(L:SWITCH) ! (>L:SWITCH)", 0, 250, 0, {}},
        {"(L:S_FCU_SPEED, Number) ++ (>L:S_FCU_SPEED, Number)", 0, 251, 1, {}},
        {"(L:S_FCU_SPEED, Number) -- (>L:S_FCU_SPEED, Number)", 0, 249, 1, {}},
        {"(>H:a320_neo_fcu_hdg_push)", 0, 250, 1, {1}},
        {"1", 0, 250, 1, {}},
        {"", 0, 250, 1, {}},
        {"(>L:A32NX_PACK)", 0, 250, 1, {}},         // no operand
        {"1 (>K:AP_MASTER)", 0, 250, 1, {}},        // a key event: no lvar changes
        {"(>K:AP_MASTER) 1 (>L:A32NX_PACK)", 0, 250, 1, {}},  // a key event without its data
        {"3 (>L:A32NX_PACK", 0, 250, 1, {}},        // unclosed
        {"1 (>L:A32NX_PACK) 2 (>X:Y)", 0, 250, 1, {}},  // partly understood: nothing at all
        {"1 (>L:UNKNOWN) (>H:UNKNOWN)", 0, 250, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        SimWorld caseWorld;
        InProcessSimConnect caseApi(caseWorld);
        WasmModule caseModule(caseWorld);
        caseModule.Load({{{"A32NX_PACK", 0}, {"S_FCU_SPEED", 250}, {"SWITCH", 1}}, {"H:OTHER", "H:A320_Neo_FCU_HDG_PUSH"}});
        Session session(caseApi, "FSUIPC-WASM-IF");
        caseApi.MapClientDataNameToID(session.handle, "FSUIPC_CalcCode", 3);
        caseApi.AddToClientDataDefinition(session.handle, 3, SIMCONNECT_CLIENTDATAOFFSET_AUTO, 1024, 0, 0);
        std::vector<char> text(1024, '\0');
        std::memcpy(text.data(), c.code.data(), c.code.size());
        ASSERT_EQ(caseApi.SetClientData(session.handle, 3, 3, 0, 0, 1024, text.data()), SIMCONNECT_S_OK);

        EXPECT_EQ(caseModule.CalculatorCode(), std::vector<std::string>{c.code});
        EXPECT_EQ(caseModule.Lvar("A32NX_PACK"), c.pack);
        EXPECT_EQ(caseModule.Lvar("S_FCU_SPEED"), c.speed);
        EXPECT_EQ(caseModule.Lvar("SWITCH"), c.sw);
        EXPECT_EQ(caseModule.FiredHvars(), c.fired);
        // The value area carries the same values.
        const Bytes values = caseWorld.ReadClientArea("FSUIPC_lvarvalues0");
        EXPECT_EQ(At<double>(values, 0), c.pack);
        EXPECT_EQ(At<double>(values, 8), c.speed);
        EXPECT_EQ(At<double>(values, 16), c.sw);
    }
}

TEST_F(WasmModuleTest, KeyEventsInCodeActOnTheSimulator) {
    world.SetNumber("HYDRAULIC SWITCH:3", 0, "bool");
    WriteCode("2  (>K:HYDRAULIC_SWITCH_TOGGLE)");
    WriteCode("3 (>K:HYDRAULIC_SWITCH_TOGGLE)");
    EXPECT_EQ(world.Number("HYDRAULIC SWITCH:2", "bool"), std::optional<double>(0));
    EXPECT_EQ(world.Number("HYDRAULIC SWITCH:3", "bool"), std::optional<double>(1));
    EXPECT_EQ(world.Number("HYDRAULIC SWITCH:4", "bool"), std::optional<double>(1)) << "only the numbered switch";
}

TEST_F(WasmModuleTest, ReceiptsNameWhatCameAndWhenByTheClock) {
    module->Load(Profile(2, {"H:A", "H:B"}));
    std::uint64_t now = 100;
    module->SetClock([&] { return now; });
    api.MapClientEventToSimEvent(client.handle, 2, "FSUIPC.SetHvar");
    WriteSetLvar(1, 2.5);
    WriteSetLvar(kNeutral, 0.0);
    now = 900;
    WriteSetLvar(7, 1.0);
    WriteCode("(>H:B)");
    WriteCode("1");
    api.TransmitClientEvent(client.handle, 0, 2, 0, 1, 16);
    using Kind = WasmModule::Receipt::Kind;
    std::vector<std::string> seen;
    for (const auto& r : module->Receipts()) {
        const char* kind = r.kind == Kind::Write ? "write" : r.kind == Kind::Fire ? "fire" : "code";
        seen.push_back(std::to_string(r.at) + " " + kind + " " + r.text + " " + std::to_string(r.value));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"100 write LVAR_1 2.500000", "900 write #7 1.000000",
                                              "900 code (>H:B) 0.000000", "900 fire H:B 0.000000",
                                              "900 fire H:A 0.000000"}));
}

TEST_F(WasmModuleTest, CalculatorCodeIsReadUpTo1023Characters) {
    WriteCode(std::string(1024, '9'));  // no terminator in the area
    WriteCode("1");
    EXPECT_EQ(module->CalculatorCode(), (std::vector<std::string>{std::string(1023, '9'), "1"}));
}

TEST_F(WasmModuleTest, EventsFromTheClient) {
    module->Load(Profile(2, {"H:A", "H:B"}));
    api.MapClientEventToSimEvent(client.handle, 2, "FSUIPC.SetHvar");
    api.MapClientEventToSimEvent(client.handle, 5, "FSUIPC.Reload");
    Subscribe("FSUIPC_config", 6056);
    EXPECT_EQ(client.Drain().size(), 1u);

    api.TransmitClientEvent(client.handle, 0, 2, 1, 1, 16);
    api.TransmitClientEvent(client.handle, 0, 2, 7, 1, 16);
    EXPECT_EQ(module->FiredHvars(), (std::vector<std::uint32_t>{1, 7}));

    // A reload after a new aircraft re-publishes; its configuration reaches the changed-only subscriber.
    module->SetSilent(true);
    module->Load(Profile(2));  // the hvars are gone
    EXPECT_TRUE(client.Drain().empty());
    module->SetSilent(false);
    api.TransmitClientEvent(client.handle, 0, 5, 0, 1, 16);
    EXPECT_EQ(module->Reloads(), 1);
    const auto records = client.Drain();
    ASSERT_EQ(records.size(), 1u);
    std::vector<Entry> expected = {{"FSUIPC_lvarnames0", 2 * 56, 0}};
    for (const Entry& entry : ExpectedValueAreas()) expected.push_back(entry);
    EXPECT_EQ(Entries(Payload(records[0])), expected);
}

TEST_F(WasmModuleTest, SilentModuleNeverWritesItsConfiguration) {
    module->SetSilent(true);
    module->Load(Profile(10, {"H:A"}));
    api.MapClientEventToSimEvent(client.handle, 5, "FSUIPC.Reload");
    api.TransmitClientEvent(client.handle, 0, 5, 0, 1, 16);
    module->SetLvar("LVAR_1", 3.0);

    EXPECT_EQ(module->Reloads(), 1);
    EXPECT_EQ(Read("FSUIPC_config", 6056), Bytes(6056, 0));
    EXPECT_TRUE(world.ReadClientArea("FSUIPC_lvarnames0").empty());
    EXPECT_TRUE(world.ReadClientArea("FSUIPC_lvarvalues0").empty());
    EXPECT_EQ(module->Lvar("LVAR_1"), 3.0);
}

TEST_F(WasmModuleTest, VersionTextIsWrittenAsGiven) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"1.0.3", "1.0.3"}, {"1.0.2", "1.0.2"}, {"", ""}, {"1.0.3-beta", "1.0.3-b"}};
    for (const auto& [given, written] : cases) {
        SCOPED_TRACE(given);
        SimWorld caseWorld;
        WasmModule caseModule(caseWorld, given);
        caseModule.Load(Profile(1));
        const Bytes config = caseWorld.ReadClientArea("FSUIPC_config");
        EXPECT_EQ(Text(config, 0, 8), written);
        EXPECT_EQ(config[7], 0);
        EXPECT_EQ(Entries(config).size(), 11u);
    }
}

TEST_F(WasmModuleTest, NameAreaOfAnotherSizeGetsAnotherName) {
    module->Load(Profile(200));
    module->Load(Profile(150));
    const std::vector<Entry> entries = Entries(Read("FSUIPC_config", 6056));
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries[0], (Entry{"FSUIPC_lvarnames0", 146 * 56, 0}));
    EXPECT_EQ(entries[1], (Entry{"FSUIPC_lvarnames1_224", 4 * 56, 0}));
    const Bytes area = Read(entries[1].name, 224);
    EXPECT_EQ(Text(area, 3 * 56, 56), "LVAR_149");
}

}  // namespace
}  // namespace tarvo::simworld
