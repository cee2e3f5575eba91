// A loaded Fenix A320 as the server sees it from outside: its hidden system
// window and its display window, each in a process of its own whose memory
// the test lays out.
#pragma once

#include "adapters/fenix/FenixState.h"
#include "fakes/FakeServer.h"
#include "sim/SessionState.h"
#include "simworld/FenixBlocks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace tarvo::adapters::fenix {

struct FenixFixture : ::testing::Test {
    static constexpr ProcessId kSystem = 41;
    static constexpr ProcessId kDisplay = 42;
    static constexpr std::uint64_t kSystemBase = 0x8000000;
    static constexpr std::uint64_t kDisplayBase = 0x9000000;

    FenixFixture() {
        fake.clock.SetAutoAdvance(true);
        fake.clock.OnSleep([this](std::uint32_t ms) { fake.journal.Add("Clock.Sleep " + std::to_string(ms)); });
        fake.files.MakeFolder(fakes::kFakeCrewFolder);
        fake.server.host.crewWindow = kCrewWindow;
        fake.memory.openable = {kSystem, kDisplay};
        fake.memory.RegionsOf(kSystem) = {Data(kSystemBase)};
        fake.memory.RegionsOf(kDisplay) = {Data(kDisplayBase)};
        fake.server.adapters.currentAircraftId = 58;
        fake.server.adapters.fenixFlag = true;
        fake.server.adapters.fenixWindow = systemWindow;
    }

    // 64 KiB of the Fenix's kind of memory.
    static fakes::FakeProcessMemory::Region Data(std::uint64_t base) {
        return {{base, 0x10000, platform::kPageReadWrite, platform::kMemCommit, platform::kPageReadWrite,
                 platform::kMemPrivate},
                std::vector<std::uint8_t>(0x10000, 0)};
    }
    std::vector<std::uint8_t>& SystemBytes() { return fake.memory.RegionsOf(kSystem)[0].bytes; }
    std::vector<std::uint8_t>& DisplayBytes() { return fake.memory.RegionsOf(kDisplay)[0].bytes; }

    // Where the blocks are put, in their process.
    static constexpr std::uint64_t kFcuMarker = kSystemBase + 0x2000;
    static constexpr std::uint64_t kTakeoff = kSystemBase + 0x4000;
    static constexpr std::uint64_t kFma = kDisplayBase + 0x3001;

    void PutFcu(const simworld::FenixFcu& fcu) {
        ASSERT_TRUE(simworld::PutFenixFcu(SystemBytes(), kFcuMarker - kSystemBase, fcu));
    }
    void PutTakeoff(const simworld::FenixTakeoff& takeoff) {
        ASSERT_TRUE(simworld::PutFenixTakeoff(SystemBytes(), kTakeoff - kSystemBase, takeoff));
    }
    void PutFma(std::string_view text) {
        ASSERT_TRUE(simworld::PutFenixFma(DisplayBytes(), kFma - kDisplayBase, text));
    }

    void SetOnGround(bool onGround) { fake.server.link.snapshot.words[0] = onGround ? 1 : 0; }
    // The combustion flags of engines 1 and 2.
    void SetEnginesBurning(bool one, bool two) {
        std::vector<std::uint8_t>& bytes = fake.server.session.records[sim::kEngineRecord].bytes;
        if (bytes.size() < 8) bytes.resize(8);
        const std::int32_t flags[] = {one ? 1 : 0, two ? 1 : 0};
        std::memcpy(bytes.data(), flags, sizeof flags);
    }

    // The log's lines after its first.
    std::vector<std::string> LogLines() const {
        std::vector<std::string> lines;
        for (const auto& entry : fake.journal.EntriesStartingWith("Files.AppendLine ")) {
            if (entry != "Files.AppendLine Logging started") lines.push_back(entry.substr(17));
        }
        return lines;
    }
    std::size_t Count(std::string_view prefix) const {
        return fake.journal.EntriesStartingWith(std::string(prefix)).size();
    }

    FenixState& fenix() { return fake.server.adapters.fenix; }

    static constexpr WindowId kCrewWindow = 0x5150;
    fakes::FakeServer fake;
    const WindowId systemWindow =
        fake.desktop.AddWindow({"WindowsForms10.Window.8.app.0.27a2811_r12_ad1",
                                "FenixSim A320 System 1.5.1.200, commit 5a848f0ad0", false, kSystem});
    const WindowId displayWindow =
        fake.desktop.AddWindow({"WindowsForms10.Window.8.app.0.afceb_r8_ad1", "Fenix Display", false, kDisplay});
};

}  // namespace tarvo::adapters::fenix
