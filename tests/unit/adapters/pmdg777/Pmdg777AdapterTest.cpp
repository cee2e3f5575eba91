// The 777's set-up, what arrives on its link, its single values, panel words,
// engine counts, take-off data and its workers around an unload.
#include "Pmdg777Fixture.h"

#include "adapters/Selection.h"
#include "link/Messages.h"
#include "sim/SessionState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvo::adapters {
namespace {

using Calls = std::vector<std::string>;

std::string LocalOptions(const char* package) {
    return std::string(
               "C:\\Users\\pilot\\AppData\\Local\\Packages\\Microsoft.FlightSimulator_8wekyb3d8bbwe\\"
               "LocalState\\Packages\\") +
           package + "\\work\\777X_Options.ini";
}
std::string RoamingOptions(const char* package) {
    return std::string("C:\\Users\\pilot\\AppData\\Roaming\\Microsoft Flight Simulator\\Packages\\") + package +
           "\\work\\777X_Options.ini";
}

struct Pmdg777AdapterTest : Pmdg777Fixture {
    std::vector<std::pair<WParam, LParam>> Notified() const {
        std::vector<std::pair<WParam, LParam>> notified;
        for (const auto& post : fake.desktop.posts) {
            if (post.message == link::kMsgPmdgData) notified.emplace_back(post.wParam, post.lParam);
        }
        return notified;
    }
    std::vector<std::string> CallsAfterClose() const {
        const auto calls = SdkCalls();
        const auto close =
            std::find_if(calls.begin(), calls.end(), [](const std::string& c) { return c.rfind("Close", 0) == 0; });
        return close == calls.end() ? std::vector<std::string>{} : std::vector<std::string>(close + 1, calls.end());
    }
    static bool IsTransmission(const std::string& call) {
        return call.find("TransmitClientEvent") != std::string::npos;
    }
};

TEST_F(Pmdg777AdapterTest, SetUpOpensItsOwnConnectionMapsTheAreasAndEveryEvent) {
    const auto newEvents = [&] { return fake.journal.EntriesStartingWith("Threads.NewEvent").size(); };
    const std::size_t eventsBefore = newEvents();
    ASSERT_EQ(pmdg777::SetUp(fake.server), 1);
    const EventId first = fake.server.adapters.pmdg777.clickEvent->id;
    const Calls calls = SdkCalls();
    const Calls areas = {
        R"(Open ["ZUL_To_777X",0,0,0,4294967295])",
        R"(MapClientDataNameToID ["PMDG_777X_Data",1347241031])",
        R"(AddToClientDataDefinition [1347241032,0,728,0,0])",
        R"(RequestClientData [1347241031,0,1347241032,3,1,0,0,0])",
        R"(MapClientDataNameToID ["PMDG_777X_Control",1347241033])",
        R"(AddToClientDataDefinition [1347241034,0,8,0,0])",
        R"(RequestClientData [1347241033,1,1347241034,3,1,0,0,0])",
    };
    ASSERT_GE(calls.size(), areas.size() + 1);
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 7), areas);
    const auto events = pmdg777::EventsSent();
    Calls mappings;
    for (const std::uint32_t event : events) {
        mappings.push_back("MapClientEventToSimEvent [" + std::to_string(event) + ",\"#" + std::to_string(event) +
                           "\"]");
    }
    EXPECT_EQ(Calls(calls.begin() + 7, calls.end() - 1), mappings) << "one mapping per event, the number its id";
    EXPECT_EQ(calls.back(), "CallDispatch []") << "one pump";
    EXPECT_EQ(Link().crewWindow, crewWindow);
    EXPECT_EQ(newEvents(), eventsBefore + 1);
    EXPECT_TRUE(fake.desktop.messageBoxes.empty());

    // Already connected: nothing mapped again, a new click event for the old one.
    ClearSdk();
    EXPECT_EQ(pmdg777::SetUp(fake.server), 1);
    EXPECT_EQ(SdkCalls(), Calls{});
    EXPECT_EQ(newEvents(), eventsBefore + 2);
    EXPECT_FALSE(fake.threads.IsEventOpen(first)) << "the previous click event is closed";
    EXPECT_TRUE(fake.threads.IsEventOpen(fake.server.adapters.pmdg777.clickEvent->id));
}

TEST_F(Pmdg777AdapterTest, OnlyTheLocalFreighterFileOffNeedsAReload) {
    for (const char* package : {"pmdg-aircraft-773", "pmdg-aircraft-772"}) {
        fake.files.WriteFile(RoamingOptions(package), "[SDK]\r\nEnableDataBroadcast=1\r\n");
        fake.files.WriteFile(LocalOptions(package), "[SDK]\r\nEnableDataBroadcast=1\r\n");
    }
    fake.files.WriteFile(LocalOptions("pmdg-aircraft-77F"), "[SDK]\r\nEnableDataBroadcast=0\r\n");
    EXPECT_EQ(pmdg777::SetUp(fake.server), 0);
    EXPECT_EQ(fake.files.ReadFile(LocalOptions("pmdg-aircraft-77F")), "[SDK]\r\nEnableDataBroadcast=1\r\n");
    EXPECT_EQ(fake.journal.EntriesStartingWith("Files.WriteProfileValue").size(), 5u) << "every file there says 1";
    ASSERT_EQ(fake.desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.desktop.messageBoxes[0],
              (fakes::MessageBoxShown{0,
                                      "ZUL has just enabled data broadcasting for the B777\nin order to get data from "
                                      "the aircraft.\n\nPlease shutdown ZUL, reload the aircraft\nthen re-start "
                                      "ZUL.\n\nThank you",
                                      "Aircraft reload required", 0x30}));
    EXPECT_EQ(SdkCalls(), Calls{}) << "no connection";
    EXPECT_EQ(pmdg777::SetUp(fake.server), 1);
}

TEST(Pmdg777SetUp, ASessionThatCannotOpenIsReported) {
    fakes::FakeServer fake;
    fake.simConnect.openResult = SIMCONNECT_E_FAIL;
    EXPECT_EQ(pmdg777::SetUp(fake.server), 0);
    ASSERT_EQ(fake.desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.desktop.messageBoxes[0].text, "Simconnect failure!\nCheck you have installed T7 SP1B or later.");
    EXPECT_EQ(fake.desktop.messageBoxes[0].caption, "Info");
    pmdg777::RunCommand(fake.server, 65560, 1);
    EXPECT_TRUE(fake.journal.EntriesStartingWith("SimConnect.TransmitClientEvent").empty());
}

TEST_F(Pmdg777AdapterTest, AClickEventThatCannotBeMadeIsReportedAndTheSetUpGoesOn) {
    fake.threads.FailNextEvent();
    EXPECT_EQ(pmdg777::SetUp(fake.server), 1);
    ASSERT_EQ(fake.desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.desktop.messageBoxes[0].text, "failed to create kernel object. Simulated clicks may not work");
    EXPECT_EQ(fake.desktop.messageBoxes[0].caption, "info");
}

TEST_F(Pmdg777AdapterTest, TheCrewAppHearsOfTheTakeoffFieldAndTheRecordCarriesTheCopies) {
    Install();
    aircraft.Set(493, simworld::FieldWidth::U8, 7);
    aircraft.Set(494, simworld::FieldWidth::U8, 140);
    aircraft.Set(495, simworld::FieldWidth::U8, 145);
    aircraft.Set(496, simworld::FieldWidth::U8, 150);
    aircraft.Set(498, simworld::FieldWidth::U8, 20);
    aircraft.Set(504, simworld::FieldWidth::U16, 41000);
    aircraft.Set(500, simworld::FieldWidth::U16, 3000);
    aircraft.Publish();
    pmdg777::PumpLink(fake.server);
    using Posts = std::vector<std::pair<WParam, LParam>>;
    EXPECT_EQ(Notified(), (Posts{{0, 7}}));
    EXPECT_EQ(fake.desktop.posts.front().window, crewWindow);
    aircraft.Set(494, simworld::FieldWidth::U8, 141);  // not the notified field
    aircraft.Publish();
    pmdg777::PumpLink(fake.server);
    EXPECT_EQ(Notified().size(), 1u);

    pmdg777::SendTakeoffData(fake.server, 0x77, linkWindow);
    ASSERT_EQ(fake.desktop.copyData.size(), 1u);
    const auto& sent = fake.desktop.copyData[0];
    EXPECT_EQ(sent.kind, 615u);
    EXPECT_EQ(sent.timeoutMilliseconds, 4000u);
    std::array<std::int32_t, 16> words{};
    ASSERT_EQ(sent.bytes.size(), sizeof words);
    std::memcpy(words.data(), sent.bytes.data(), sizeof words);
    EXPECT_EQ(words, (std::array<std::int32_t, 16>{141, 145, 150, 20, 41000, 7, 3000}));
}

// Codes answered by a field of the block, over a block whose every byte
// differs from its neighbours, so a field read at the wrong offset shows.
TEST_F(Pmdg777AdapterTest, BlockValuesReadTheirOwnFields) {
    for (std::size_t i = 0; i < 728; ++i) SetByte(i, static_cast<std::uint8_t>(1 + (i * 37) % 97));
    const std::pair<std::uint32_t, std::size_t> bytes[] = {
        {141, 155}, {176, 156}, {323, 404}, {364, 31},  {565, 45},  {575, 46},  {905, 154},  {978, 32},
        {1072, 27}, {1073, 29}, {1088, 63}, {1089, 64}, {1090, 65}, {1091, 66}, {1150, 162}, {1149, 161},
    };
    for (const auto& [code, offset] : bytes) {
        EXPECT_EQ(Query(code), static_cast<double>(1 + (offset * 37) % 97)) << code;
    }
    SetBlock(464, 12.5f);
    SetBlock(468, -3.25f);
    EXPECT_EQ(Query(1132), 12.5);
    EXPECT_EQ(Query(1133), -3.25);
    EXPECT_EQ(Query(9999), std::nullopt);
}

TEST_F(Pmdg777AdapterTest, VariablesAnswerTheirCodes) {
    ConnectBridgeWithEverySlot();
    struct Case {
        std::uint32_t code;
        Slot slot;
        double reading;
        std::optional<double> answer;
    };
    const Case cases[] = {
        {105, Slot::LocalizerLight, 1.0, 1.0},
        {118, Slot::T7xSpeedWindowValue, 250.0, 250.0},
        {1154, Slot::T7x126bSwitch, 2.0, 2.0},
        {1330, Slot::T7xCabinDoor4LeftValue, 70.0, 70.0},
        {1344, Slot::WheelChocksSwitch, 1.0, 1.0},
        {1551, Slot::AirStartCartState, 1.0, 1.0},
        {783, Slot::ElevatorTrimValue, 3.0, 0.5},
        {1161, Slot::T7x49Switch, 100.0, 2.0},
        {958, Slot::T7x2181Switch, 25.0, 2.5},
        {785, Slot::T7xRightAileronValue, 330.0, 2.0},
        {785, Slot::T7xRightAileronValue, 334.9, 1.0},
        {787, Slot::T7xRudderValue, 290.0, 2.0},
        {11, Slot::T7x122Switch, 0.5, 1.0},
        {11, Slot::T7x122Switch, 0.0, 0.0},
        {1535, Slot::T7x138Switch, 1.0, 1.0},
        {563, Slot::T7x94Switch, 0.0, 1.0},
        {563, Slot::T7x94Switch, 0.1, 0.0},
        {1531, Slot::T7x56Switch, 0.0, 1.0},
        {1050, Slot::GroundPowerUnitSwitch, 1.0, 1.0},
        {1274, Slot::T7xTerminalPowerState, 1.0, 1.0},
        {1050, Slot::None, 0.0, 0.0},
        {103, Slot::Autopilot2Light, 1.0, 1.0},
        {115, Slot::T7xSpeedWindowValue, -1.0, 0.0},
        {115, Slot::T7xSpeedWindowValue, 250.0, 1.0},
        {123, Slot::T7x204Switch, 1.0, 1.0},  // 205 still reads 0
        {560, Slot::Engine1MasterSwitch, 0.0, 16384.0},
        {560, Slot::Engine1MasterSwitch, 1.0, 0.0},
        {570, Slot::Engine2MasterSwitch, 0.5, 16384.0},
        {988, Slot::T7x29Switch, 100.0, 2.0},
        {988, Slot::T7x29Switch, 50.0, 1.0},
        {988, Slot::T7x29Switch, 75.0, std::nullopt},
        {989, Slot::T7x30Switch, 100.0, 2.0},
        {1051, Slot::T7x03Switch, 50.0, 1.0},
    };
    for (const Case& c : cases) {
        if (c.slot != Slot::None) SetSlotValue(c.slot, c.reading);
        EXPECT_EQ(Query(c.code), c.answer) << c.code << " at " << c.reading;
        if (c.slot != Slot::None) SetSlotValue(c.slot, 0.0);
    }
    // Both turn-off lights, and all three landing lights.
    SetSlotValue(Slot::T7xRunwayTurnoffLightLeftSwitch, 1.0);
    EXPECT_EQ(Query(1191), 0.0);
    SetSlotValue(Slot::T7xRunwayTurnoffLightRightSwitch, 1.0);
    EXPECT_EQ(Query(1191), 1.0);
    SetSlotValue(Slot::LandingLightLeftSwitch, 1.0);
    SetSlotValue(Slot::LandingLightRightSwitch, 1.0);
    EXPECT_EQ(Query(14), 0.0);
    SetSlotValue(Slot::NoseLightSwitch, 1.0);
    EXPECT_EQ(Query(14), 1.0);
    // Codes whose variables the aircraft's list does not hold are not answered.
    EXPECT_EQ(Query(1410), std::nullopt);
    EXPECT_EQ(Query(1411), std::nullopt);
    // 32-bit answers.
    SetSlotValue(Slot::T7x292Switch, 259.0);
    EXPECT_EQ(QueryInt(743), 25);
    EXPECT_EQ(QueryInt(308), 0);
    SetSlotValue(Slot::T7x108Switch, 1.0);
    EXPECT_EQ(QueryInt(308), 1);
    // 1149 reads its switch on the variant whose byte 489 is 5.
    SetByte(161, 9);
    EXPECT_EQ(Query(1149), 9.0);
    SetByte(489, 5);
    EXPECT_EQ(Query(1149), 0.0);
    SetSlotValue(Slot::T7x1052Switch, 1.0);
    EXPECT_EQ(Query(1149), 1.0);
}

TEST_F(Pmdg777AdapterTest, PanelWordsComeFromTheVariablesAndTheBlock) {
    ConnectBridgeWithEverySlot();
    SetSlotValue(Slot::T7xSpeedWindowValue, 250.7);
    SetSlotValue(Slot::T7xHeadingWindowValue, std::numeric_limits<double>::quiet_NaN());
    SetSlotValue(Slot::T7xAltitudeWindowValue, 1e12);
    SetSlotValue(Slot::T7x204Switch, 1.0);
    SetSlotValue(Slot::T7x205Switch, 1.0);
    SetSlotValue(Slot::T7x202Switch, 1.0);
    for (const Slot mode :
         {Slot::HeadingHoldModeState, Slot::Autopilot2Light, Slot::LnavArmedState, Slot::VerticalSpeedModeState}) {
        SetSlotValue(mode, 1.0);
    }
    SetByte(371, 1);
    auto& w = fake.server.link.snapshot.words;
    w[28] = 0x80000;  // bits already there stay
    w[37] = 0x0F;     // the word is set, not added to
    pmdg777::FillAutopilotState(fake.server, fake.server.link.snapshot);
    EXPECT_EQ(w[16], 250);
    EXPECT_EQ(w[17], 0) << "NaN";
    EXPECT_EQ(w[18], std::numeric_limits<std::int32_t>::max()) << "clamped";
    EXPECT_EQ(w[28], 0x80000 | 0x2 | 0x4 | 0x1 | 0x200 | 0x2000);
    EXPECT_EQ(w[37], 0x20000000);

    SetSlotValue(Slot::T7x202Switch, 0.0);
    SetSlotValue(Slot::T7x205Switch, 0.0);
    SetSlotValue(Slot::T7xSpeedWindowValue, -1.0);
    SetByte(371, 0);
    SetByte(369, 2);
    w[28] = 0;
    pmdg777::FillAutopilotState(fake.server, fake.server.link.snapshot);
    EXPECT_EQ(w[16], -1);
    EXPECT_EQ(w[28], 0x20 | 0x40 | 0x4 | 0x1 | 0x200 | 0x2000);
    EXPECT_EQ(w[37], 0x40000000);
}

TEST_F(Pmdg777AdapterTest, WithoutTheBridgeVariablesLeaveAnswersWordsAndKeysAlone) {
    Install();
    for (const std::uint32_t code : {105u, 783u, 785u, 11u, 563u, 14u, 1050u, 988u, 560u, 308u}) {
        EXPECT_EQ(Query(code), std::nullopt) << code;
    }
    SetByte(161, 4);
    EXPECT_EQ(Query(1149), 4.0) << "the byte needs no bridge";
    SetByte(489, 5);
    EXPECT_EQ(Query(1149), std::nullopt);
    auto& w = fake.server.link.snapshot.words;
    w[16] = 180;
    w[17] = 90;
    w[18] = 5000;
    w[28] = 0x100;
    SetByte(369, 1);
    pmdg777::FillAutopilotState(fake.server, fake.server.link.snapshot);
    EXPECT_EQ(w[16], 180);
    EXPECT_EQ(w[17], 90);
    EXPECT_EQ(w[18], 5000);
    EXPECT_EQ(w[28], 0x100);
    EXPECT_EQ(w[37], 0x40000000) << "the block needs no bridge";

    for (const std::uint32_t code : {69537u, 69571u, 69566u, 69629u}) {
        for (const std::int32_t value : {1, 2}) {
            ClearSent();
            Run(code, value);
            RunWorkers();
            EXPECT_EQ(Sent(), "") << code << " value " << value;
        }
    }
}

// The link is pumped only by the panel words, after they are filled: what
// arrives shows in the next snapshot.
TEST_F(Pmdg777AdapterTest, AChangeShowsInTheSecondSnapshot) {
    Install();
    aircraft.Set(371, simworld::FieldWidth::U8, 1);
    aircraft.Publish();
    link::BuildSnapshot(fake.server);
    EXPECT_EQ(fake.server.link.snapshot.words[37], 0);
    link::BuildSnapshot(fake.server);
    EXPECT_EQ(fake.server.link.snapshot.words[37], 0x20000000);
}

TEST_F(Pmdg777AdapterTest, EnginesCountWithTheStarterBytes) {
    auto& record = fake.server.link.snapshot;
    std::array<std::int32_t, 4> counts{};
    record.words[15] = 2;
    SetInt32(sim::kEngineRecord, 0, 1);
    SetByte(461, 1);
    pmdg777::CountEngineStates(fake.server, record, counts[0], counts[1], counts[2], counts[3]);
    EXPECT_EQ(counts, (std::array<std::int32_t, 4>{1, 1, 0, 0}));
    SetInt32(sim::kEngineRecord, 0, 0);
    SetByte(461, 0);
    SetByte(460, 1);
    counts = {};
    pmdg777::CountEngineStates(fake.server, record, counts[0], counts[1], counts[2], counts[3]);
    EXPECT_EQ(counts, (std::array<std::int32_t, 4>{0, 1, 0, 0}));
}

// ---- The CDU hold worker and the start sequence on the driven clock -------------

struct Pmdg777WorkersTest : Pmdg777AdapterTest {
    void SetUp() override {
        ConnectBridgeWithEverySlot();
        Install();
    }
};

TEST_F(Pmdg777WorkersTest, TheCduHoldKeyIsHeldForThreeSeconds) {
    Run(69629, 1);
    RunWorkers();
    EXPECT_EQ(Sent(), "L70027v +3000 L70027^");
    ClearSent();
    Run(69629, 0);
    RunWorkers();
    EXPECT_EQ(Sent(), "");
    SetSlotValue(Slot::GroundPowerUnitSwitch, 1.0);
    fake.journal.Clear();
    Run(69629, 0);
    RunWorkers();
    EXPECT_EQ(Sent(), "L70100v +3000 L70100^");
    EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.Start"), std::vector<std::string>{"Threads.Start priority=0"});
}

TEST_F(Pmdg777WorkersTest, WithoutTheClickEventTheHoldDoesNotWait) {
    pmdg777::Unload(fake.server);
    fake.threads.FailNextEvent();
    ASSERT_EQ(pmdg777::SetUp(fake.server), 1);
    ClearSent();
    Run(69629, 2);
    RunWorkers();
    EXPECT_EQ(Sent(), "L70100") << "press and release at once";
}

// An unload during the hold neither closes the event under the wait nor lets
// the release reach the next connection.
TEST_F(Pmdg777WorkersTest, AReselectionDuringTheHoldLeavesTheEventToItsWait) {
    const EventId held = fake.server.adapters.pmdg777.clickEvent->id;
    Run(69629, 2);
    StartWorkerThread(0);
    WaitAtGate();
    SelectAdapter(fake.server, 1, 0);
    SelectAdapter(fake.server, pmdg777::kAircraftId, 0);
    EXPECT_TRUE(fake.threads.IsEventOpen(held)) << "the waiting worker still holds its event";
    EXPECT_NE(fake.server.adapters.pmdg777.clickEvent->id, held) << "the new set-up has an event of its own";
    JoinWorkerThread();
    EXPECT_FALSE(fake.threads.IsEventOpen(held)) << "closed once the wait is over";
    EXPECT_EQ(Sent(), "L70100v");
    const auto after = CallsAfterClose();
    EXPECT_FALSE(after.empty());
    EXPECT_TRUE(std::none_of(after.begin(), after.end(), IsTransmission));
}

TEST_F(Pmdg777WorkersTest, AnUnloadStopsTheStartSequence) {
    fake.journal.Clear();
    Run(68656, 1);
    EXPECT_EQ(fake.journal.EntriesStartingWith("Threads.Start"), std::vector<std::string>{"Threads.Start priority=-1"});
    StartWorkerThread(1000);
    WaitAtGate();
    pmdg777::Unload(fake.server);
    JoinWorkerThread();
    EXPECT_EQ(Sent(), "L69805 +1000 L69805v");
    const auto after = CallsAfterClose();
    EXPECT_TRUE(std::none_of(after.begin(), after.end(), IsTransmission));
}

}  // namespace
}  // namespace tarvo::adapters
