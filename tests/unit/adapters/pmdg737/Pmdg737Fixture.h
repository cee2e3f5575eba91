// The PMDG 737 over the in-process world: the aircraft's SDK areas, its own
// connection set up as selection sets it, its data block as the aircraft last
// published it, and what reached the aircraft as "#N" events, rendered as
// clicks with the time of the sending thread between them.
#pragma once

#include "adapters/pmdg/Sdk.h"
#include "adapters/pmdg737/Pmdg737.h"
#include "fixtures/AdapterFixture.h"
#include "link/Reports.h"
#include "simworld/SdkAircraft.h"

#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tarvo::adapters {

struct Pmdg737Fixture : AdapterFixture {
    Pmdg737Fixture() {
        world.SetAddOnClock([] { return tThreadTime; });
        // The main session's calls as the adapter fixture keeps them, and the
        // calls made on the 737's connection (or on a closed handle: ""). The
        // hooks hold nothing of this object: the base tears the bridge down,
        // and its threads may still call them, after this object is gone.
        AdapterFixture* base = this;
        api.SetTrace([base, calls = sdkCalls](const simworld::TraceEntry& entry) {
            if (entry.direction != "call") return;
            if (entry.connection == "ZULtoMSFS") {
                const std::lock_guard<std::mutex> lock(base->callsMutex);
                base->mainCalls.push_back(entry);
                base->mainCallTimes.push_back(tThreadTime);
            } else if (entry.connection == "ZUL_To_NGX" || entry.connection.empty()) {
                std::string args;
                for (const auto& arg : entry.arguments) args += (args.empty() ? "" : ",") + arg;
                const std::lock_guard<std::mutex> lock(calls->mutex);
                calls->lines.push_back((entry.connection.empty() ? "closed " : "") + entry.function + " [" + args +
                                       "]");
            }
        });
        fake.clock.OnSleep([gate = gate](std::uint32_t milliseconds) {
            gate->Hold();
            tThreadTime += milliseconds;
        });
        fake.server.host.simulatorWindow = simulatorWindow;
        fake.server.adapters.currentAircraftId = pmdg737::kAircraftId;
    }

    ~Pmdg737Fixture() override { JoinWorkerThread(); }

    // Selection's set-up and table, with its calls forgotten.
    void Install() {
        pmdg737::Install(fake.server);
        ClearSdk();
    }

    pmdg::SdkLink& Link() { return fake.server.adapters.pmdg737.link; }

    // A field of the data block as a received record would have stored it.
    template <typename T>
    void SetBlock(std::size_t offset, T value) {
        pmdg::SdkLink& link = Link();
        const std::lock_guard<std::mutex> lock(link.records);
        ASSERT_LE(offset + sizeof value, link.block.size());
        std::memcpy(link.block.data() + offset, &value, sizeof value);
    }
    void SetByte(std::size_t offset, std::uint8_t value) { SetBlock(offset, value); }
    void ClearBlock() {
        const std::lock_guard<std::mutex> lock(Link().records);
        std::fill(Link().block.begin(), Link().block.end(), std::uint8_t{0});
    }

    void Run(std::uint32_t code, std::int32_t value) { pmdg737::RunCommand(fake.server, code, value); }
    // The workers the commands started, one after the other on this thread.
    void RunWorkers() {
        while (fake.threads.RunNextThread()) {
        }
    }

    // What reached the aircraft since the last clear: "L70166" a left click,
    // "R70166" a right click, "L70074v" / "L70074^" a left press / release
    // (R for the right button), "+300" the sender's time between two of them,
    // "L69987*1100" the same click so many times without a pause between.
    std::string Sent() const {
        struct Token {
            std::string text;
            std::uint64_t at;
        };
        std::vector<Token> tokens;
        const auto events = world.AddOnEvents();
        for (std::size_t i = 0; i < events.size(); ++i) {
            const auto& e = events[i];
            const std::string number = e.name.substr(1);
            const bool pairsWithNext = i + 1 < events.size() && events[i + 1].name == e.name &&
                                       events[i + 1].at == e.at &&
                                       ((e.data == pmdg::kLeftDown && events[i + 1].data == pmdg::kLeftUp) ||
                                        (e.data == pmdg::kRightDown && events[i + 1].data == pmdg::kRightUp));
            std::string text;
            if (pairsWithNext) {
                text = (e.data == pmdg::kLeftDown ? "L" : "R") + number;
                ++i;
            } else if (e.data == pmdg::kLeftDown || e.data == pmdg::kLeftUp) {
                text = "L" + number + (e.data == pmdg::kLeftDown ? "v" : "^");
            } else if (e.data == pmdg::kRightDown || e.data == pmdg::kRightUp) {
                text = "R" + number + (e.data == pmdg::kRightDown ? "v" : "^");
            } else {
                text = e.name + "=" + std::to_string(e.data);
            }
            tokens.push_back({text, e.at});
        }
        std::string rendered;
        for (std::size_t i = 0; i < tokens.size();) {
            std::size_t run = 1;
            while (i + run < tokens.size() && tokens[i + run].text == tokens[i].text &&
                   tokens[i + run].at == tokens[i].at) {
                ++run;
            }
            if (i > 0 && tokens[i].at != tokens[i - 1].at)
                rendered += " +" + std::to_string(tokens[i].at - tokens[i - 1].at);
            if (!rendered.empty()) rendered += ' ';
            rendered += tokens[i].text;
            if (run > 1) rendered += "*" + std::to_string(run);
            i += run;
        }
        return rendered;
    }
    void ClearSent() { world.ClearAddOnEvents(); }

    // Calls on the 737's connection since the last clear.
    std::vector<std::string> SdkCalls() const {
        const std::lock_guard<std::mutex> lock(sdkCalls->mutex);
        return sdkCalls->lines;
    }
    void ClearSdk() {
        ClearSent();
        const std::lock_guard<std::mutex> lock(sdkCalls->mutex);
        sdkCalls->lines.clear();
    }

    // Runs the oldest waiting worker on a thread of its own, which the gate
    // stops in its first pause at or after at (its own time); WaitAtGate
    // returns once it is held there (a minute at most: bursts of clicks are
    // slow under the sanitizers), OpenGate lets it go on.
    void StartWorkerThread(std::uint64_t at) {
        {
            const std::lock_guard<std::mutex> lock(gate->mutex);
            gate->at = at;
            gate->open = false;
        }
        worker = std::thread([this, gate = gate] {
            {
                const std::lock_guard<std::mutex> lock(gate->mutex);
                gate->thread = std::this_thread::get_id();
            }
            fake.threads.RunNextThread();
        });
    }
    void JoinWorkerThread() {
        OpenGate();
        if (worker.joinable()) worker.join();
    }
    void WaitAtGate() {
        std::unique_lock<std::mutex> lock(gate->mutex);
        ASSERT_TRUE(gate->changed.wait_for(lock, std::chrono::seconds(60), [&] { return gate->held; }))
            << "no worker reached the gate";
    }
    void OpenGate() {
        const std::lock_guard<std::mutex> lock(gate->mutex);
        gate->open = true;
        gate->changed.notify_all();
    }

    simworld::SdkAircraft aircraft{world, "PMDG_NG3_Data", 912, "PMDG_NG3_Control", 8};
    const WindowId simulatorWindow = fake.desktop.AddWindow({"AceApp", "Microsoft Flight Simulator", true, 5});

private:
    struct CallLog {
        std::mutex mutex;
        std::vector<std::string> lines;
    };
    struct Gate {
        void Hold() {
            std::unique_lock<std::mutex> lock(mutex);
            if (open || std::this_thread::get_id() != thread || tThreadTime < at) return;
            held = true;
            changed.notify_all();
            changed.wait(lock, [&] { return open; });
            held = false;
        }
        std::mutex mutex;
        std::condition_variable changed;
        bool open = true;
        bool held = false;
        std::uint64_t at = 0;
        std::thread::id thread;
    };

    std::shared_ptr<CallLog> sdkCalls = std::make_shared<CallLog>();
    std::shared_ptr<Gate> gate = std::make_shared<Gate>();
    std::thread worker;
};

}  // namespace tarvo::adapters
