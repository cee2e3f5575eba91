#include "standin-sim/Control.h"

#include "simworld/InProcessSimConnect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace tarvo::standin {
namespace {

// Images kept in plain memory, addressed from 0x1000.
struct InMemoryImages final : MemoryImages {
    std::optional<std::uint64_t> Create(const std::string& name, std::size_t size) override {
        images[name].assign(size, 0);
        return 0x1000;
    }
    bool Write(const std::string& name, std::size_t offset, const std::vector<std::uint8_t>& bytes) override {
        auto& image = images[name];
        if (offset > image.size() || bytes.size() > image.size() - offset) return false;
        std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
        return true;
    }
    std::map<std::string, std::vector<std::uint8_t>> images;
};

TEST(SimControl, CommandsActOnTheWorldAndBadOnesSayWhy) {
    simworld::SimWorld world;
    InMemoryImages images;
    WasmModuleHost wasm(world);
    int quits = 0;
    const auto run = [&](const std::string& line) { return RunCommand(world, images, wasm, line, [&] { ++quits; }); };

    EXPECT_EQ(run(R"(set "INDICATED ALTITUDE" feet 5000)"), "ok");
    EXPECT_EQ(run(R"(get "INDICATED ALTITUDE" feet)"), "ok 5000");
    EXPECT_EQ(run(R"(string TITLE "Tarvo Test Jet")"), "ok");
    EXPECT_EQ(run("getstring TITLE"), "ok Tarvo Test Jet");
    EXPECT_EQ(run("event Sim 1"), "ok");
    EXPECT_EQ(run("frame 30 1"), "ok");
    EXPECT_EQ(run("key SPOILERS_SET 8192"), "ok");
    EXPECT_EQ(run("ping"), "ok");
    EXPECT_EQ(run("image blob 16"), "ok 4096");
    EXPECT_EQ(run("poke blob 14 abCD"), "ok");
    EXPECT_EQ(images.images["blob"][15], 0xCD);
    EXPECT_EQ(run("quit"), "ok");
    EXPECT_EQ(quits, 1);

    EXPECT_EQ(run(R"(atc "1 - Request IFR Clearance" "2 - Contact Ground on 121.9")"), "ok");
    const auto& atc = images.images["atc"];
    EXPECT_EQ(std::string(atc.begin(), atc.begin() + 9), "PANEL_ATC");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(atc.data() + 280 + 536)), "2 - Contact Ground on 121.9");
    EXPECT_EQ(run("atc"), "ok");
    EXPECT_EQ(images.images["atc"][280], 0) << "an empty menu";
    EXPECT_EQ(run("ballast 2"), "ok");
    EXPECT_EQ(images.images["ballast0"].size(), 2u << 20);

    EXPECT_EQ(run("wasm install"), "ok");
    EXPECT_EQ(run("wasm lvars 3 LVAR_"), "ok");
    EXPECT_EQ(run("wasm lvar I_FCU_AP1 1"), "ok");
    EXPECT_EQ(run("wasm hvar H:A320_Neo_FCU_HDG_PUSH"), "ok");
    EXPECT_EQ(run("wasm profile nosuch"), "error no profile named nosuch");
    EXPECT_EQ(run("wasm filler 6"), "ok");
    EXPECT_EQ(run("wasm load"), "ok");
    EXPECT_EQ(run("wasm get i_fcu_ap1"), "ok 1");
    EXPECT_EQ(run("wasm set LVAR_2 4.5"), "ok");
    EXPECT_EQ(run("wasm get LVAR_2"), "ok 4.5");
    EXPECT_EQ(run("wasm silent on"), "ok");
    EXPECT_EQ(run("wasm reloads"), "ok 0");
    EXPECT_FALSE(world.ReadClientArea("FSUIPC_lvarnames0").empty()) << "the names are published";

    // What a client sent the module, as a bridge would send it.
    simworld::InProcessSimConnect api(world);
    SIMCONNECT_HANDLE client = nullptr;
    api.Open(&client, "FSUIPC-WASM-IF", 0, 0, 0, 0);
    api.MapClientDataNameToID(client, "FSUIPC_SetLvar", 1);
    api.AddToClientDataDefinition(client, 1, SIMCONNECT_CLIENTDATAOFFSET_AUTO, 12, 0, 0);
    api.MapClientDataNameToID(client, "FSUIPC_CalcCode", 2);
    api.AddToClientDataDefinition(client, 2, SIMCONNECT_CLIENTDATAOFFSET_AUTO, 1024, 0, 0);
    api.MapClientEventToSimEvent(client, 3, "FSUIPC.SetHvar");
    std::uint8_t set[12] = {};
    const std::uint32_t lvar = 3;  // I_FCU_AP1
    const double value = 0.5;
    std::memcpy(set, &lvar, 4);
    std::memcpy(set + 4, &value, 8);
    api.SetClientData(client, 1, 1, 0, 0, sizeof set, set);
    char code[1024] = "2 (>L:LVAR_0)";
    api.SetClientData(client, 2, 2, 0, 0, sizeof code, code);
    api.TransmitClientEvent(client, 0, 3, 0, 1, 16);
    EXPECT_EQ(run("wasm writes"), "ok I_FCU_AP1=0.5");
    EXPECT_EQ(run("wasm code"), R"x(ok "2 (>L:LVAR_0)")x");
    EXPECT_EQ(run("wasm fired"), "ok H:A320_Neo_FCU_HDG_PUSH");

    // Each refusal starts with "error" and names what was wrong.
    for (const char* bad : {"", "fly", "set ALT feet", "set ALT feet high", "event Sim yes", "event Sim 99999999999",
                            "get \"NO SUCH VARIABLE\" feet", "quit now", "image blob 0", "poke blob 15 abcd",
                            "poke blob 0 abc", "poke blob 0 zz", "wasm", "wasm install", "wasm lvar X high",
                            "wasm lvars many L_", "wasm silent maybe", "wasm fly", "ballast 0", "ballast",
                            "atc 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"}) {
        const std::string reply = run(bad);
        EXPECT_TRUE(reply.starts_with("error ")) << bad << " -> " << reply;
    }
}

}  // namespace
}  // namespace tarvo::standin
