#include "bridge/WasmBridge.h"

#include "bridge/Registry.h"
#include "fixtures/BridgeFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <thread>

namespace tarvo::bridge {
namespace {

// What the module publishes: {area name, size, kind}, in configuration order.
struct AreaDesc {
    std::string name;
    std::int32_t size;
    std::int32_t kind;
};

std::vector<std::uint8_t> Configuration(const std::string& version, const std::vector<AreaDesc>& areas) {
    std::vector<std::uint8_t> record(6056, 0);
    std::memcpy(record.data(), version.data(), std::min<std::size_t>(version.size(), 7));
    for (std::size_t i = 0; i < areas.size(); ++i) {
        std::memcpy(record.data() + 8 + i * 64, areas[i].name.data(), areas[i].name.size());
        std::memcpy(record.data() + 5384 + i * 4, &areas[i].size, 4);
        std::memcpy(record.data() + 5720 + i * 4, &areas[i].kind, 4);
    }
    return record;
}

std::vector<std::uint8_t> NameRecords(const std::vector<std::string>& names) {
    std::vector<std::uint8_t> bytes(names.size() * 56, 0);
    for (std::size_t i = 0; i < names.size(); ++i) std::memcpy(bytes.data() + i * 56, names[i].data(), names[i].size());
    return bytes;
}

// The test plays the module, publishing areas by hand.
struct WasmBridgeTest : BridgeFixture {
    WasmBridgeTest() {
        api.SetTrace([this](const simworld::TraceEntry& entry) {
            // Taking records is not traffic the bridge makes of its own.
            if (entry.connection != "FSUIPC-WASM-IF" || entry.function == "CallDispatch") return;
            const std::lock_guard<std::mutex> lock(callsMutex);
            auto& list = entry.direction == "call" ? calls : sends;
            list.push_back(entry.function + " " + (entry.arguments.empty() ? "" : entry.arguments[0]));
        });
        world.CreateClientArea("FSUIPC_config", 6056, true);
        world.CreateClientArea("FSUIPC_SetLvar", 12, false);
        world.CreateClientArea("FSUIPC_CalcCode", 1024, false);
        world.OnClientAreaWritten("FSUIPC_SetLvar", [this](std::span<const std::uint8_t> bytes) {
            const std::lock_guard<std::mutex> lock(callsMutex);
            setLvarRecords.emplace_back(bytes.begin(), bytes.end());
        });
        world.OnClientAreaWritten("FSUIPC_CalcCode", [this](std::span<const std::uint8_t> bytes) {
            const std::lock_guard<std::mutex> lock(callsMutex);
            codes.emplace_back(reinterpret_cast<const char*>(bytes.data()));
        });
    }

    // The worker reports into the members below: it ends before they go.
    ~WasmBridgeTest() override { StopWorker(); }

    void Publish(const std::vector<AreaDesc>& areas, const std::string& version = "1.0.3") {
        for (const AreaDesc& area : areas) world.CreateClientArea(area.name, static_cast<std::uint32_t>(area.size), true);
        const auto config = Configuration(version, areas);
        world.WriteClientArea("FSUIPC_config", 0, config);
    }

    std::vector<std::string> Calls() {
        const std::lock_guard<std::mutex> lock(callsMutex);
        return calls;
    }

    std::size_t SendsOf(const std::string& record) {
        const std::lock_guard<std::mutex> lock(callsMutex);
        return static_cast<std::size_t>(std::count(sends.begin(), sends.end(), record));
    }

    // Returns once the bridge has dispatched every record the module sent
    // before: a change of the last value area queues behind them, and the
    // worker takes one record at a time.
    void WaitUntilHandedOver() {
        const std::size_t seen = SendsOf("CLIENT_DATA 19");
        const double marker = ++markers;
        std::vector<std::uint8_t> bytes(sizeof(marker));
        std::memcpy(bytes.data(), &marker, sizeof(marker));
        world.WriteClientArea("values9", 0, bytes);
        WaitUntil([&] { return SendsOf("CLIENT_DATA 19") > seen; });
    }

    std::mutex callsMutex;
    std::vector<std::string> calls;
    std::vector<std::string> sends;
    double markers = 0;
    std::vector<std::vector<std::uint8_t>> setLvarRecords;
    std::vector<std::string> codes;
};

// One lvar-name area, one hvar-name area and the ten value areas; an area
// keeps its size in the simulator, so another aircraft's areas get other names.
std::vector<AreaDesc> OneOfEach(std::int32_t lvarSize, const std::string& aircraft = "") {
    std::vector<AreaDesc> areas = {{aircraft + "lvars0", lvarSize, 0}, {aircraft + "hvars0", 56 * 3, 1}};
    for (int k = 0; k < 10; ++k) areas.push_back({aircraft + "values" + std::to_string(k), 8192, 2});
    return areas;
}

TEST_F(WasmBridgeTest, ConfigurationBringsTheNameAreasAndTheirNames) {
    fake.files.MakeFolder(fakes::kFakeCrewFolder);
    std::vector<std::string> lvars(60);
    for (int i = 0; i < 50; ++i) lvars[static_cast<std::size_t>(i)] = "L:LVAR_" + std::to_string(i);  // ten stay empty
    Publish(OneOfEach(3360));
    world.WriteClientArea("lvars0", 0, NameRecords(lvars));
    world.WriteClientArea("hvars0", 0, NameRecords({"H:ONE", "H:TWO", "H:THREE"}));
    StartBridge();
    AskForConfiguration();
    WasmBridge& bridge = *CurrentBridge(fake.server);
    WaitUntil([&] { return bridge.LvarCount() == 60; });

    NameListCopy names;
    bridge.CopyLvarNames(names);
    EXPECT_EQ(names.size(), 60u) << "a 3,360-byte area holds 60 names";
    EXPECT_EQ(names[0], "L:LVAR_0");
    EXPECT_EQ(names[59], "") << "empty records become empty names";
    EXPECT_EQ(bridge.LvarValue(59), 0.0);
    NameListCopy hvars;
    WaitUntil([&] { hvars.clear(); bridge.CopyHvarNames(hvars); return hvars.size() == 3; });
    EXPECT_EQ(hvars[2], "H:THREE");
    EXPECT_TRUE(fake.server.bridge.lvarsReceived) << "60 names pass the default threshold of 10";
    const auto log = LogLines();
    EXPECT_NE(std::find(log.begin(), log.end(), "Lvars received"), log.end());
    EXPECT_EQ(std::find(log.begin(), log.end(), "WASM version mismatch"), log.end());
}

TEST_F(WasmBridgeTest, OnlyTheAreasTheConfigurationDescribesAreSetUp) {
    // The list ends after two value areas: nothing past it is an area, though
    // the ten value areas usually follow the name areas.
    Publish({{"lvars0", 56, 0}, {"hvars0", 56, 1}, {"values0", 8192, 2}, {"values1", 8192, 2}});
    StartBridge();
    AskForConfiguration();
    WaitUntil([&] {
        const auto log = LogLines();
        return std::find(log.begin(), log.end(), "Config data updates requested.") != log.end();
    });
    std::vector<std::string> requests;
    for (const std::string& call : Calls()) {
        if (call.starts_with("RequestClientData ")) requests.push_back(call.substr(18));
    }
    EXPECT_EQ(requests, (std::vector<std::string>{"1", "4", "5", "6", "7", "1"}))
        << "the configuration, the four areas by their client data ids, the configuration's updates";
}

TEST_F(WasmBridgeTest, IdenticalConfigurationIsIgnoredAndADifferentOneTakenOver) {
    Publish(OneOfEach(56 * 2));
    world.WriteClientArea("lvars0", 0, NameRecords({"L:A", "L:B"}));
    StartBridge();
    AskForConfiguration();
    WasmBridge& bridge = *CurrentBridge(fake.server);
    WaitUntil([&] { return bridge.LvarCount() == 2; });
    WaitUntil([&] {
        const auto c = Calls();
        return std::count(c.begin(), c.end(), "RequestClientData 1") >= 2;  // the config, then its updates
    });


    const std::size_t before = Calls().size();
    Publish(OneOfEach(56 * 2));  // the same record again
    WaitUntilHandedOver();
    EXPECT_EQ(Calls().size(), before) << "no traffic for an identical configuration";

    world.CreateClientArea("B.lvars0", 56 * 3, true);
    world.WriteClientArea("B.lvars0", 0, NameRecords({"L:X", "L:Y", "L:Z"}));
    Publish(OneOfEach(56 * 3, "B."), "1.0.4");  // a new aircraft, another version
    WaitUntil([&] { return bridge.LvarCount() == 3; });
    NameListCopy names;
    bridge.CopyLvarNames(names);
    EXPECT_EQ(names[0], "L:X") << "the old names are gone";
    const auto log = LogLines();
    EXPECT_EQ(std::count(log.begin(), log.end(), "WASM version mismatch"), 1);
}

// After an aircraft change the lists are the next aircraft's or none: a
// discovery on the new connection must not match the old names.
TEST_F(WasmBridgeTest, AStartedBridgeHoldsNoNamesOfItsEarlierConnection) {
    Publish(OneOfEach(56 * 2));
    world.WriteClientArea("lvars0", 0, NameRecords({"L:A", "L:B"}));
    world.WriteClientArea("hvars0", 0, NameRecords({"H:ONE", "H:TWO", "H:THREE"}));
    StartBridge();
    AskForConfiguration();
    WaitUntil([&] { return CurrentBridge(fake.server)->LvarCount() == 2; });
    StopBridge(fake.server);
    StopWorker();

    StartBridge();  // its configuration not asked for yet
    NameListCopy lvars;
    NameListCopy hvars;
    CopyLvarNames(fake.server, lvars);
    CopyHvarNames(fake.server, hvars);
    EXPECT_TRUE(lvars.empty());
    EXPECT_TRUE(hvars.empty());
}

TEST_F(WasmBridgeTest, ValuesArriveOnlyWhenDeliveryIsOnAndNeverPastTheNames) {
    Publish(OneOfEach(56 * 3));
    world.WriteClientArea("lvars0", 0, NameRecords({"L:A", "L:B", "L:C"}));
    StartBridge();
    AskForConfiguration();
    WasmBridge& bridge = *CurrentBridge(fake.server);
    WaitUntil([&] { return bridge.LvarCount() == 3; });

    const double values[4] = {1.5, 2.5, 3.5, 4.5};  // one more than there are names
    std::vector<std::uint8_t> bytes(sizeof(values));
    std::memcpy(bytes.data(), values, sizeof(values));
    world.WriteClientArea("values0", 0, bytes);
    WaitUntilHandedOver();
    EXPECT_EQ(bridge.LvarValue(0), 0.0) << "delivery is off until discovery has finished";

    fake.server.bridge.valueDelivery = true;
    bytes[0] ^= 1;  // a change, so the module sends the area again
    world.WriteClientArea("values0", 0, bytes);
    WaitUntil([&] { return bridge.LvarValue(2) == 3.5; });
    EXPECT_EQ(bridge.LvarValue(3), 0.0);
    EXPECT_EQ(bridge.LvarValue(-1), 0.0);
    EXPECT_EQ(bridge.LvarValue(65000), 0.0);
}

TEST_F(WasmBridgeTest, WritesFollowedByNeutralRecordsAndCodeLimits) {
    StartBridge();
    WasmBridge& bridge = *CurrentBridge(fake.server);
    bridge.WriteSetLvar(65000, 1.0);
    EXPECT_TRUE(setLvarRecords.empty());
    bridge.WriteSetLvar(7, 1.0);
    bridge.WriteSetLvar(7, 1.0);
    ASSERT_EQ(setLvarRecords.size(), 4u) << "two identical writes are two changes of the area";
    std::uint32_t id = 0;
    double value = 0;
    std::memcpy(&id, setLvarRecords[1].data(), 4);
    std::memcpy(&value, setLvarRecords[1].data() + 4, 8);
    EXPECT_EQ(id, 0xFFFFFFFFu);
    EXPECT_EQ(value, 0.0);
    std::memcpy(&id, setLvarRecords[2].data(), 4);
    EXPECT_EQ(id, 7u);

    bridge.WriteCalculatorCode(std::string(1024, 'x'));
    EXPECT_TRUE(codes.empty()) << "1,024 characters are too long";
    bridge.WriteCalculatorCode("1 (>L:A32NX_OVHD_COND_PACK_1_PB_IS_ON)");
    bridge.WriteCalculatorCode(std::string(1023, 'y'));
    bridge.WriteCalculatorCode("");
    EXPECT_EQ(codes, (std::vector<std::string>{"1 (>L:A32NX_OVHD_COND_PACK_1_PB_IS_ON)", "1", std::string(1023, 'y'), "1",
                                               "", "1"}));
}

// A bridge over the recording SimConnect whose worker runs on a thread of the
// test's; the test hands it records as the simulator would.
struct HandedRecords : ::testing::Test {
    HandedRecords() {
        fake.clock.SetAutoAdvance(true);
        fake.simConnect.onCallDispatch = [this](SIMCONNECT_DISPATCHPROC dispatch, void* context) {
            const std::lock_guard<std::mutex> lock(mutex);
            for (auto& message : queued) {
                dispatch(reinterpret_cast<SIMCONNECT_RECV*>(message.data()), static_cast<std::uint32_t>(message.size()),
                         context);
            }
            queued.clear();
        };
    }
    ~HandedRecords() override {
        StopBridge(fake.server);
        if (worker.joinable()) worker.join();
    }

    // Returns once the worker has set up its connection and waits for records.
    void StartWorker() {
        ASSERT_TRUE(CreateAndStartBridge(fake.server));
        worker = std::thread([this] { fake.threads.RunNextThread(); });
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (fake.journal.EntriesStartingWith("Threads.StartTimer").empty() &&
               std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_FALSE(fake.journal.EntriesStartingWith("Threads.StartTimer").empty()) << "the worker did not start";
    }

    // One client-data record; returns once the worker has dispatched it.
    void Send(std::uint32_t request, std::uint32_t define, const std::vector<std::uint8_t>& payload) {
        std::vector<std::uint8_t> message(kSimConnectDataOffset + payload.size(), 0);
        SIMCONNECT_RECV_CLIENT_DATA header{};
        header.dwSize = static_cast<std::uint32_t>(message.size());
        header.dwID = SIMCONNECT_RECV_ID_CLIENT_DATA;
        header.dwRequestID = request;
        header.dwDefineID = define;
        std::memcpy(message.data(), &header, kSimConnectDataOffset);
        std::memcpy(message.data() + kSimConnectDataOffset, payload.data(), payload.size());
        {
            const std::lock_guard<std::mutex> lock(mutex);
            queued.push_back(std::move(message));
        }
        fake.threads.SignalEvent(fake.simConnect.openedEvent);
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < until) {
            {
                const std::lock_guard<std::mutex> lock(mutex);
                if (queued.empty()) return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        FAIL() << "the worker did not dispatch";
    }

    std::size_t Calls(const std::string& prefix) const {
        return fake.journal.EntriesStartingWith("SimConnect." + prefix).size();
    }

    fakes::FakeServer fake;
    std::mutex mutex;
    std::vector<std::vector<std::uint8_t>> queued;
    std::thread worker;
};

// Records the module could never send through a well-behaved simulator: a
// configuration cut short, more areas than there are slots, names that fill
// their fields without a NUL, a name record shorter than its area.
TEST_F(HandedRecords, WhatTheModuleSendsIsReadOnlyAsFarAsItGoes) {
    StartWorker();

    // 84 described areas, the first named by 64 characters without a NUL; the
    // record ends before the kinds, so every area reads as lvar names.
    std::vector<AreaDesc> areas;
    areas.push_back({std::string(64, 'N'), 56 * 3, 0});
    for (int i = 1; i < 84; ++i) areas.push_back({"lvars" + std::to_string(i), 56, 0});
    std::vector<std::uint8_t> config = Configuration("1.0.3", areas);
    config.resize(5720);
    Send(9, 1, config);
    const auto requests = fake.journal.EntriesStartingWith("SimConnect.RequestClientData");
    EXPECT_EQ(requests.size(), 71u) << "70 lvar-name areas, then the configuration's updates";
    EXPECT_EQ(fake.journal.EntriesStartingWith("SimConnect.MapClientDataNameToID " + std::string(64, 'N') + " ").size(),
              1u);
    EXPECT_EQ(Calls("CreateClientData"), 70u) << "nothing is created for the areas beyond the slots";

    // The first area (definition 4) holds three records; this message brings two and a bit.
    std::vector<std::uint8_t> names(56 * 2 + 20, 'x');
    std::fill_n(names.begin(), 56, 'A');
    Send(30, 4, names);
    NameListCopy copy;
    CurrentBridge(fake.server)->CopyLvarNames(copy);
    ASSERT_EQ(copy.size(), 2u);
    EXPECT_EQ(copy[0], std::string(56, 'A'));
}

TEST_F(HandedRecords, AreasOfAKindTheBridgeDoesNotUseAreNeitherMappedNorCreated) {
    StartWorker();
    Send(9, 1,
         Configuration(
             "1.0.3", {{"lvars", 56, 0}, {"odd", 56, 7}, {"hvars", 56, 1}, {"negative", 56, -1}, {"values", 8192, 2}}));
    const std::pair<const char*, std::size_t> mapped[] = {
        {"lvars", 1}, {"odd", 0}, {"hvars", 1}, {"negative", 0}, {"values", 1}};
    for (const auto& [name, times] : mapped) {
        EXPECT_EQ(Calls(std::string("MapClientDataNameToID ") + name + " "), times) << name;
    }
    EXPECT_EQ(Calls("CreateClientData"), 3u);
    EXPECT_EQ(Calls("RequestClientData"), 4u) << "three areas and the configuration's updates";
}

// A module with nothing to publish yet answers with a configuration of no
// areas; it is asked again a period later, not at once, or both sides would
// spin as fast as the connection allows.
TEST_F(HandedRecords, AConfigurationWithoutAreasIsAskedForAgainAfterAPeriod) {
    StartWorker();
    fake.journal.Clear();
    Send(9, 1, std::vector<std::uint8_t>(6056, 0));
    EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.StartTimer"),
              std::vector<std::string>{"Threads.StartTimer 1000 1000"});
    EXPECT_EQ(Calls("RequestClientData"), 0u) << "neither areas nor updates are asked for";
}

// However the worker ends, the connection is closed and the bridge can start
// again; a wait that fails ends the loop instead of spinning in it.
TEST(WasmBridgeWorker, EndsClosedWhenItsWaitFailsOrItsDispatchThrows) {
    const struct {
        const char* what;
        std::function<void(fakes::FakeServer&)> arrange;
        std::string line;
    } cases[] = {
        {"the wake event is gone", [](fakes::FakeServer& f) { f.threads.CloseEvent(f.simConnect.openedEvent); },
         "WaitForSingleObject returned with error, quitting now."},
        {"the dispatch throws",
         [](fakes::FakeServer& f) {
             f.simConnect.onCallDispatch = [](SIMCONNECT_DISPATCHPROC, void*) {
                 throw std::runtime_error("dispatch broke");
             };
             f.threads.SignalEvent(f.simConnect.openedEvent);
         },
         "Unexpected failure in a worker thread: dispatch broke"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fakes::FakeServer f;
        f.clock.SetAutoAdvance(true);
        f.files.MakeFolder(fakes::kFakeCrewFolder);
        ASSERT_TRUE(CreateAndStartBridge(f.server));
        WasmBridge& bridge = *CurrentBridge(f.server);
        c.arrange(f);
        f.threads.RunNextThread();  // returns only once the worker has ended

        const auto log = f.journal.EntriesStartingWith("Files.AppendLine ");
        EXPECT_NE(std::find(log.begin(), log.end(), "Files.AppendLine " + c.line), log.end());
        EXPECT_FALSE(bridge.IsWorkerRunning());
        EXPECT_FALSE(bridge.IsOpen());
        EXPECT_EQ(f.journal.EntriesStartingWith("SimConnect.Close").size(), 1u);
        f.simConnect.onCallDispatch = nullptr;
        EXPECT_TRUE(bridge.Start()) << "a new connection and worker";
        bridge.RequestQuit();
        f.threads.RunNextThread();
    }
}

// Command workers release their buttons through the bridge after the main
// loop, so the worker serves on until shutdown destroys the bridge, which
// then is not started again.
TEST(WasmBridgeWorker, ServesAfterTheMainLoopUntilShutdownDestroysIt) {
    fakes::FakeServer f;
    f.clock.SetAutoAdvance(true);
    f.files.MakeFolder(fakes::kFakeCrewFolder);
    ASSERT_TRUE(CreateAndStartBridge(f.server));
    f.server.host.running = false;
    int dispatches = 0;
    f.simConnect.onCallDispatch = [&](SIMCONNECT_DISPATCHPROC, void*) {
        if (++dispatches == 1) DestroyBridge(f.server);
    };
    f.threads.SignalEvent(f.simConnect.openedEvent);
    f.threads.RunNextThread();  // returns only once the worker has ended

    EXPECT_EQ(dispatches, 1);
    EXPECT_FALSE(CreateAndStartBridge(f.server));
    EXPECT_EQ(f.journal.EntriesStartingWith("SimConnect.Close").size(), 1u);
}

}  // namespace
}  // namespace tarvo::bridge
