// A server whose bridge talks to a simulated world over the in-process
// SimConnect. The bridge's worker runs on a thread of the fixture's own.
#pragma once

#include "bridge/WasmBridge.h"
#include "fakes/FakeServer.h"
#include "simworld/InProcessSimConnect.h"
#include "simworld/SimWorld.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace tarvo::bridge {

struct BridgeFixture : ::testing::Test {
    BridgeFixture() {
        fake.clock.SetAutoAdvance(true);
        api.SetSignal([this](EventId event) { fake.threads.SignalEvent(event); });
    }

    ~BridgeFixture() override { StopWorker(); }

    // Starts the bridge and runs its worker.
    void StartBridge() {
        ASSERT_TRUE(CreateAndStartBridge(fake.server));
        worker = std::thread([this] { fake.threads.RunNextThread(); });
        WaitUntil([this] { return timerStarted(); });
    }

    // Ends the worker; the bridge stays current and keeps its lists.
    void StopWorker() {
        if (WasmBridge* bridge = CurrentBridge(fake.server)) bridge->RequestQuit();
        if (worker.joinable()) worker.join();
    }

    bool timerStarted() { return !fake.journal.EntriesStartingWith("Threads.StartTimer").empty(); }

    // Waits for the worker thread to get somewhere; fails the test after 5 s.
    void WaitUntil(const std::function<bool()>& done) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done() && std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ASSERT_TRUE(done()) << "the worker did not get there";
    }

    // The configuration timer asks for the record once.
    void AskForConfiguration() { fake.threads.FireTimer(fake.threads.LastTimer()); }

    std::vector<std::string> LogLines() const {
        std::vector<std::string> lines;
        for (const auto& entry : fake.journal.EntriesStartingWith("Files.AppendLine ")) lines.push_back(entry.substr(17));
        return lines;
    }

    simworld::SimWorld world;
    simworld::InProcessSimConnect api{world};
    fakes::FakeServer fake{&api};
    std::thread worker;
};

}  // namespace tarvo::bridge
