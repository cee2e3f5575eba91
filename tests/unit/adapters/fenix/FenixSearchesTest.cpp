#include "adapters/fenix/FenixSearches.h"

#include "FenixFixture.h"
#include "adapters/fenix/Fcu.h"
#include "adapters/fenix/Fma.h"
#include "adapters/fenix/MemorySearch.h"
#include "adapters/generic/GenericAdapter.h"
#include "link/Reports.h"

#include <cmath>
#include <limits>

namespace tarvo::adapters::fenix {
namespace {

using Lines = std::vector<std::string>;

TEST(Takeoff, PlausibleValues) {
    struct Case {
        TakeoffValues values;  // V1, VR, V2, transition altitude, setting
        bool plausible;
    };
    const Case cases[] = {
        {{140, 145, 150, 5000, 1}, true},   {{89, 100, 110, 5000, 1}, false},  {{90, 100, 110, 5000, 1}, true},
        {{155, 160, 170, 5000, 1}, true},   {{156, 160, 170, 5000, 1}, false}, {{120, 150, 160, 5000, 1}, true},
        {{120, 151, 160, 5000, 1}, false},                                      // VR = V1 + 30, + 31
        {{120, 130, 160, 5000, 1}, true},   {{120, 130, 161, 5000, 1}, false},  // V2 = VR + 30, + 31
        {{120, 120, 120, 5000, 1}, false},                                      // V2 = VR = V1
        {{100, 100, 110, 5000, 1}, true},   {{100, 99, 110, 5000, 1}, false},  {{140, 145, 150, 18000, 1}, true},
        {{140, 145, 150, 18010, 1}, false}, {{140, 145, 150, 5005, 1}, false}, {{140, 145, 150, 0, 1}, true},
        {{140, 145, 150, -10, 1}, false},   {{140, 145, 150, 5000, 0}, false}, {{140, 145, 150, 5000, 2}, true},
        {{140, 145, 150, 5000, 3}, false},
    };
    for (const Case& c : cases) {
        const TakeoffValues& v = c.values;
        SCOPED_TRACE(::testing::PrintToString(std::vector<int>{v.v1, v.vr, v.v2, v.transitionAltitude, v.setting}));
        EXPECT_EQ(IsPlausibleTakeoff(v), c.plausible);
    }
}

struct FenixSearchesTest : FenixFixture {
    void SendTakeoffData() { generic::SendTakeoffData(fake.server, kCrewWindow, kLinkWindow); }
    // The words of every take-off data record sent.
    std::vector<std::vector<std::int32_t>> Sent() const {
        std::vector<std::vector<std::int32_t>> records;
        for (const fakes::SentCopyData& sent : fake.desktop.copyData) {
            if (sent.kind != 615) continue;
            std::vector<std::int32_t> words(sent.bytes.size() / 4);
            std::memcpy(words.data(), sent.bytes.data(), words.size() * 4);
            records.push_back(words);
        }
        return records;
    }
    static constexpr WindowId kLinkWindow = 0x502;
};

// On the ground with an engine running, the block is searched for once; it is
// sent from then on, until its VR is no longer plausible.
TEST_F(FenixSearchesTest, TakeoffDataIsSearchedForThenSent) {
    // In the second of two regions.
    fake.memory.RegionsOf(kSystem).push_back(Data(kSystemBase + 0x20000));
    const std::uint64_t block = kSystemBase + 0x20000 + 0x100;
    ASSERT_TRUE(
        simworld::PutFenixTakeoff(fake.memory.RegionsOf(kSystem)[1].bytes, 0x100, {140, 145, 150, 5000, 2, 44.9}));
    SetOnGround(true);
    SendTakeoffData();
    EXPECT_EQ(Count("Threads.Start"), 0u) << "no engine burns fuel";
    SetEnginesBurning(false, true);
    SetOnGround(false);
    SendTakeoffData();
    EXPECT_EQ(Count("Threads.Start"), 0u) << "in the air";

    SetOnGround(true);
    SendTakeoffData();
    SendTakeoffData();  // the search runs
    EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.Start"), Lines{"Threads.Start priority=0"});
    EXPECT_EQ(LogLines(), Lines{"Looking for data 1"});
    EXPECT_TRUE(Sent().empty());

    fake.threads.RunNextThread();
    EXPECT_FALSE(IsTakeoffSearchRunning(fake.server));
    EXPECT_EQ(LogLines().back(), "Fenix A320 data 1 available");
    EXPECT_EQ(Count("Clock.Sleep 1"), 1u) << "a pause after the region searched in vain";
    EXPECT_EQ(fenix().takeoffAddresses[static_cast<std::size_t>(TakeoffField::Vr)], block + 16);
    SendTakeoffData();
    // V1, VR, V2, -, transition altitude, setting, ..., flex temperature (word 12).
    const std::vector<std::int32_t> expected = {140, 145, 150, 0, 5000, 2, 0, 0, 0, 0, 0, 0, 44, 0, 0, 0};
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0], expected);
    EXPECT_EQ(fake.desktop.copyData[0].to, kCrewWindow);

    // A VR that left 100..200: the block is abandoned and searched for anew.
    const std::int32_t vr = 201;
    std::memcpy(fake.memory.RegionsOf(kSystem)[1].bytes.data() + 0x100 + 16, &vr, sizeof vr);
    SendTakeoffData();
    EXPECT_EQ(Sent().size(), 1u);
    EXPECT_EQ(fenix().takeoffAddresses[static_cast<std::size_t>(TakeoffField::V1)], 0u) << "forgotten";
    EXPECT_EQ(Count("Threads.Start"), 2u);
}

// The flex temperature is another program's double.
TEST_F(FenixSearchesTest, FlexTemperatureBecomesAWordSafely) {
    const std::pair<double, std::int32_t> cases[] = {
        {std::nan(""), 0}, {1e300, std::numeric_limits<std::int32_t>::max()}, {-3.7, -3}};
    SetOnGround(true);
    SetEnginesBurning(true, false);
    for (const auto& [flex, word] : cases) {
        SCOPED_TRACE(flex);
        PutTakeoff({140, 145, 150, 5000, 1, flex});
        SendTakeoffData();
        fake.threads.RunNextThread();
        SendTakeoffData();
        ASSERT_FALSE(Sent().empty());
        EXPECT_EQ(Sent().back()[12], word);
    }
}

// A search that ends at once, as one the system runs before Start returns may,
// leaves no running flag behind: searches start again, and unloading has
// nothing to wait for. A thread that cannot be made leaves none either.
TEST_F(FenixSearchesTest, ASearchEndingAtOnceIsNotLeftRunning) {
    fake.memory.openable.clear();  // no process to search
    fake.threads.RunInsideStart(true);
    SetOnGround(true);
    SetEnginesBurning(true, true);
    SendTakeoffData();
    EXPECT_FALSE(IsTakeoffSearchRunning(fake.server));
    SendTakeoffData();
    link::SnapshotRecord record;
    DecodeFma(fake.server, record);
    EXPECT_FALSE(IsFmaSearchRunning(fake.server));
    DecodeFma(fake.server, record);
    EXPECT_EQ(Count("Threads.Start"), 4u);
    fake.threads.FailNextThread();
    SendTakeoffData();
    EXPECT_FALSE(IsTakeoffSearchRunning(fake.server));
    EXPECT_EQ(fake.server.adapters.workersRunning, 0);

    generic::Unload(fake.server);
    EXPECT_EQ(Count("Clock.Sleep"), 0u);
}

// Unloading asks running searches to stop and waits for them; a later search
// is not ended by that old request.
TEST_F(FenixSearchesTest, UnloadStopsTheSearchesAndClosesTheProcesses) {
    PutTakeoff({140, 145, 150, 5000, 1, 0.0});
    SetOnGround(true);
    SetEnginesBurning(true, false);
    fenix().displayProcess = fakes::FakeProcessMemory::HandleOf(kDisplay);
    link::SnapshotRecord record;
    DecodeFma(fake.server, record);  // first: it starts only while no take-off data search runs
    SendTakeoffData();
    ASSERT_TRUE(IsTakeoffSearchRunning(fake.server));
    ASSERT_TRUE(IsFmaSearchRunning(fake.server));
    fake.journal.Clear();

    generic::Unload(fake.server);
    EXPECT_EQ(fake.journal.EntriesStartingWith("Clock.Sleep"), (Lines{"Clock.Sleep 1500", "Clock.Sleep 1500"}));
    EXPECT_EQ(fake.memory.closed, (std::vector<ProcessHandle>{fakes::FakeProcessMemory::HandleOf(kDisplay)}));
    // Both were asked to stop before they began.
    fake.threads.RunNextThread();
    fake.threads.RunNextThread();
    EXPECT_FALSE(IsTakeoffSearchRunning(fake.server));
    EXPECT_FALSE(IsFmaSearchRunning(fake.server));
    EXPECT_EQ(fenix().systemProcess, 0u);
    EXPECT_TRUE(LogLines().empty()) << "nothing searched";

    SendTakeoffData();
    fake.threads.RunNextThread();
    EXPECT_EQ(LogLines().back(), "Fenix A320 data 1 available") << "the old stop request ended this one";
    generic::Unload(fake.server);
    EXPECT_EQ(fake.memory.closed.back(), fakes::FakeProcessMemory::HandleOf(kSystem));
    EXPECT_EQ(fenix().takeoffAddresses[static_cast<std::size_t>(TakeoffField::Vr)], 0u)
        << "addresses belong to the process closed";
}

// A search sees the server stop between the pieces it reads.
TEST_F(FenixSearchesTest, ASearchEndsWhenTheServerStops) {
    PutTakeoff({140, 145, 150, 5000, 1, 0.0});
    SetOnGround(true);
    SetEnginesBurning(true, false);
    SendTakeoffData();
    fake.server.host.running = false;
    fake.threads.RunNextThread();
    EXPECT_FALSE(IsTakeoffSearchRunning(fake.server));
    EXPECT_TRUE(LogLines() == Lines{"Looking for data 1"});
}

TEST_F(FenixSearchesTest, FcuReaderFindsItsFieldsOncePerProcess) {
    // A decoy first: the marker with an altitude the FCU cannot show.
    ASSERT_TRUE(simworld::PutFenixFcu(SystemBytes(), 0x800, {100.0, 10, 50000, 0}));
    PutFcu({251.9, 360, 35000, -1200});
    EXPECT_FALSE(IsFcuReaderSetUp(fake.server));
    // A take-off data search opened the process first.
    ASSERT_NE(OpenSystemProcess(fake.server), 0u);
    EXPECT_FALSE(IsFcuReaderSetUp(fake.server));

    EXPECT_TRUE(SetUpFcuReader(fake.server));
    EXPECT_TRUE(IsFcuReaderSetUp(fake.server));
    EXPECT_EQ(LogLines(), Lines{"SPD = 251 , HDG = -1, ALT = 35000 , VS = -1200"}) << "a heading of 360 is not kept";
    EXPECT_EQ(fenix().fcuAddresses[static_cast<std::size_t>(FcuField::Altitude)], kFcuMarker - 92);
    EXPECT_FALSE(IsFcuFieldKnown(fake.server, FcuField::Heading));
    EXPECT_DOUBLE_EQ(ReadFcuDouble(fake.server, FcuField::Speed), 251.9);
    EXPECT_EQ(ReadFcuInt32(fake.server, FcuField::VerticalSpeed), -1200);
    EXPECT_EQ(Count("ProcessMemory.Open"), 1u);
    EXPECT_EQ(fake.journal.EntriesStartingWith("ProcessMemory."),
              (Lines{"ProcessMemory.Open 41 2097151", "ProcessMemory.EnableDebugPrivilege"}));

    CloseSystemProcess(fake.server);
    EXPECT_FALSE(IsFcuFieldKnown(fake.server, FcuField::Altitude)) << "the addresses went with the process";
    EXPECT_FALSE(IsFcuReaderSetUp(fake.server));
    fake.memory.openable.clear();
    EXPECT_FALSE(SetUpFcuReader(fake.server)) << "the process cannot be opened";
}

}  // namespace
}  // namespace tarvo::adapters::fenix
