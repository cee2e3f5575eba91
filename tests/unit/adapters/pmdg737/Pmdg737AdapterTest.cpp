// The 737's set-up, what arrives on its link, its single values, panel words,
// engine counts and take-off data.
#include "Pmdg737Fixture.h"

#include "adapters/generic/GenericAdapter.h"
#include "link/Messages.h"
#include "sim/SessionState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace tarvo::adapters {
namespace {

using Calls = std::vector<std::string>;

constexpr const char* kRoamingOptions =
    "C:\\Users\\pilot\\AppData\\Roaming\\Microsoft Flight Simulator\\Packages\\pmdg-aircraft-737\\work\\"
    "737_Options.ini";
constexpr const char* kLocalOptions =
    "C:\\Users\\pilot\\AppData\\Local\\Packages\\Microsoft.FlightSimulator_8wekyb3d8bbwe\\LocalState\\Packages\\"
    "pmdg-aircraft-737\\work\\737_Options.ini";

struct Pmdg737AdapterTest : Pmdg737Fixture {
    // The 737's messages to the crew app, as (index, value).
    std::vector<std::pair<WParam, LParam>> Notified() const {
        std::vector<std::pair<WParam, LParam>> notified;
        for (const auto& post : fake.desktop.posts) {
            if (post.message == link::kMsgPmdgData) notified.emplace_back(post.wParam, post.lParam);
        }
        return notified;
    }

    // A single value as the crew app's query 1 asks for it; nullopt when left unchanged.
    std::optional<double> Query(std::uint32_t code) {
        link::ValueQuery query;
        query.code = code;
        pmdg737::QueryValue(fake.server, query);
        if (query.value == std::array<std::uint8_t, 8>{}) return std::nullopt;
        double value = 0;
        std::memcpy(&value, query.value.data(), sizeof value);
        return value;
    }

    link::SnapshotRecord& Snapshot() {
        link::BuildSnapshot(fake.server);
        return fake.server.link.snapshot;
    }
};

TEST_F(Pmdg737AdapterTest, SetUpOpensItsOwnConnectionMapsTheAreasAndEveryEvent) {
    ASSERT_EQ(pmdg737::SetUp(fake.server), 1);
    const Calls calls = SdkCalls();
    const Calls areas = {
        R"(Open ["ZUL_To_NGX",0,0,0,0])",
        R"(MapClientDataNameToID ["PMDG_NG3_Data",1313289009])",
        R"(AddToClientDataDefinition [1313289010,0,912,0,0])",
        R"(RequestClientData [1313289009,0,1313289010,3,1,0,0,0])",
        R"(MapClientDataNameToID ["PMDG_NG3_Control",1313289011])",
        R"(AddToClientDataDefinition [1313289012,0,8,0,0])",
        R"(RequestClientData [1313289011,1,1313289012,3,1,0,0,0])",
    };
    ASSERT_GE(calls.size(), areas.size() + 1);
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 7), areas);
    const auto events = pmdg737::EventsSent();
    Calls mappings;
    for (const std::uint32_t event : events) {
        mappings.push_back("MapClientEventToSimEvent [" + std::to_string(event) + ",\"#" + std::to_string(event) +
                           "\"]");
    }
    EXPECT_EQ(Calls(calls.begin() + 7, calls.end() - 1), mappings) << "one mapping per event, the number its id";
    EXPECT_EQ(calls.back(), "CallDispatch []") << "one pump";
    EXPECT_TRUE(std::all_of(events.begin(), events.end(), [](std::uint32_t e) { return e >= 69632 && e < 89951; }));
    EXPECT_EQ(Link().crewWindow, crewWindow);

    // Already connected: ready at once, nothing mapped again.
    ClearSdk();
    EXPECT_EQ(pmdg737::SetUp(fake.server), 1);
    EXPECT_EQ(SdkCalls(), Calls{});
    EXPECT_TRUE(fake.desktop.messageBoxes.empty());
}

TEST_F(Pmdg737AdapterTest, OptionsFilesWithBroadcastingOffAreSwitchedOnAndTheAircraftMustReload) {
    fake.files.WriteFile(kRoamingOptions, "[SDK]\r\nEnableDataBroadcast=0\r\n");
    fake.files.WriteFile(kLocalOptions, "[Other]\r\nKey=3\r\n");  // no key: off as well
    EXPECT_EQ(pmdg737::SetUp(fake.server), 0);
    EXPECT_EQ(fake.files.ReadFile(kRoamingOptions), "[SDK]\r\nEnableDataBroadcast=1\r\n");
    EXPECT_EQ(fake.files.ReadFile(kLocalOptions), "[Other]\r\nKey=3\r\n[SDK]\r\nEnableDataBroadcast=1\r\n");
    ASSERT_EQ(fake.desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.desktop.messageBoxes[0],
              (fakes::MessageBoxShown{0,
                                      "ZUL has just enabled data broadcasting for the PMDG aircraft\nin order to get "
                                      "data from it.\n\nPlease shutdown ZUL reload the aircraft\nthen re-start "
                                      "ZUL.\n\nThank you",
                                      "Aircraft reload required", 0x30}));
    EXPECT_EQ(SdkCalls(), Calls{}) << "no connection";

    // Both on now: the set-up connects, and the files say "1" still.
    EXPECT_EQ(pmdg737::SetUp(fake.server), 1);
    EXPECT_EQ(fake.desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.files.ReadFile(kRoamingOptions), "[SDK]\r\nEnableDataBroadcast=1\r\n");
}

TEST_F(Pmdg737AdapterTest, OnlyTheLocalFileOffStillNeedsAReload) {
    fake.files.WriteFile(kRoamingOptions, "[SDK]\r\nEnableDataBroadcast=1\r\n");
    fake.files.WriteFile(kLocalOptions, "[SDK]\r\nEnableDataBroadcast = 0\r\n");
    fake.files.appDataFolder = "C:\\Users\\pilot\\AppData\\Roaming\\";  // a trailing backslash
    EXPECT_EQ(pmdg737::SetUp(fake.server), 0);
    EXPECT_EQ(fake.files.ReadFile(kLocalOptions), "[SDK]\r\nEnableDataBroadcast=1\r\n");
    EXPECT_EQ(fake.desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.journal.EntriesStartingWith("Files.WriteProfileValue").size(), 2u) << "both files say 1";
}

TEST_F(Pmdg737AdapterTest, ARefusedDataAreaIsReportedAndItsEventsStillWork) {
    aircraft.FailMapping("PMDG_NG3_Data");
    EXPECT_EQ(pmdg737::SetUp(fake.server), 0);
    ASSERT_EQ(fake.desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.desktop.messageBoxes[0],
              (fakes::MessageBoxShown{0, "Aircraft is PMDG NGX 737. This new variant may not be fully supported yet",
                                      "Info", 0}));
    const Calls calls = SdkCalls();
    EXPECT_TRUE(std::none_of(calls.begin(), calls.end(), [](const std::string& c) {
        return c.rfind("RequestClientData", 0) == 0 || c.rfind("AddToClientDataDefinition", 0) == 0;
    })) << "no data requested";
    Run(65560, 1);
    EXPECT_EQ(Sent(), "L69755") << "the connection stays open";
}

TEST(Pmdg737SetUp, ASessionThatCannotOpenIsReported) {
    fakes::FakeServer fake;
    fake.simConnect.openResult = SIMCONNECT_E_FAIL;
    EXPECT_EQ(pmdg737::SetUp(fake.server), 0);
    ASSERT_EQ(fake.desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.desktop.messageBoxes[0].text,
              "Simconnect failure!\nCheck you have installed NGX SP1C.\nDo not start ZUL until NGX is ready to fly");
    EXPECT_EQ(fake.desktop.messageBoxes[0].caption, "Info");
    pmdg737::RunCommand(fake.server, 65560, 1);
    EXPECT_TRUE(fake.journal.EntriesStartingWith("SimConnect.TransmitClientEvent").empty());
}

TEST_F(Pmdg737AdapterTest, TheCrewAppHearsOfNotifiedFieldsThatChanged) {
    Install();
    aircraft.Set(620, simworld::FieldWidth::U8, 5);
    aircraft.Set(622, simworld::FieldWidth::U8, 2);
    aircraft.Set(630, simworld::FieldWidth::U16, 300);
    aircraft.Set(624, simworld::FieldWidth::U8, 7);
    aircraft.Publish();
    pmdg737::PumpLink(fake.server);
    using Posts = std::vector<std::pair<WParam, LParam>>;
    EXPECT_EQ(Notified(), (Posts{{0, 5}, {2, 2}, {5, 300}, {7, 7}})) << "the non-zero ones, in index order";
    EXPECT_EQ(fake.desktop.posts.front().window, crewWindow);

    aircraft.Set(10, simworld::FieldWidth::U8, 1);  // a record that changes none of them
    aircraft.Publish();
    pmdg737::PumpLink(fake.server);
    EXPECT_EQ(Notified().size(), 4u);

    aircraft.Set(632, simworld::FieldWidth::U16, 40000);
    aircraft.Set(620, simworld::FieldWidth::U8, 0);
    aircraft.Publish();
    pmdg737::PumpLink(fake.server);
    EXPECT_EQ(Notified(), (Posts{{0, 5}, {2, 2}, {5, 300}, {7, 7}, {0, 0}, {6, 40000}}));
}

TEST_F(Pmdg737AdapterTest, WithoutACrewWindowTheCopiesStillFollowForTheTakeoffRecord) {
    fake.desktop.RemoveWindow(crewWindow);
    Install();
    aircraft.Set(620, simworld::FieldWidth::U8, 1);  // flaps
    aircraft.Set(621, simworld::FieldWidth::U8, 140);
    aircraft.Set(622, simworld::FieldWidth::U8, 145);
    aircraft.Set(623, simworld::FieldWidth::U8, 150);
    aircraft.Set(625, simworld::FieldWidth::U8, 30);
    aircraft.Set(630, simworld::FieldWidth::U16, 18000);
    aircraft.Set(626, simworld::FieldWidth::U16, 5000);
    aircraft.Set(632, simworld::FieldWidth::U16, 1200);
    aircraft.Publish();
    pmdg737::PumpLink(fake.server);
    EXPECT_TRUE(Notified().empty());

    pmdg737::SendTakeoffData(fake.server, 0x77, linkWindow);
    ASSERT_EQ(fake.desktop.copyData.size(), 1u);
    const auto& sent = fake.desktop.copyData[0];
    EXPECT_EQ(sent.to, 0x77u);
    EXPECT_EQ(sent.from, linkWindow);
    EXPECT_EQ(sent.kind, 615u);
    EXPECT_EQ(sent.timeoutMilliseconds, 4000u) << "a hung crew app cannot hold the server";
    std::array<std::int32_t, 16> words{};
    ASSERT_EQ(sent.bytes.size(), sizeof words);
    std::memcpy(words.data(), sent.bytes.data(), sizeof words);
    EXPECT_EQ(words, (std::array<std::int32_t, 16>{140, 145, 150, 30, 18000, 1, 5000, 0, 0, 1200}));
}

// The link is pumped only by the panel words, after they are filled: what
// arrives shows in the next snapshot.
TEST_F(Pmdg737AdapterTest, AChangeShowsInTheSecondSnapshot) {
    Install();
    aircraft.Set(420, simworld::FieldWidth::F32, 250.7);
    aircraft.Set(428, simworld::FieldWidth::U16, 270);
    aircraft.Set(430, simworld::FieldWidth::U16, 35000);
    aircraft.Publish();
    EXPECT_EQ(Snapshot().words[16], 0);
    const auto& w = Snapshot().words;
    EXPECT_EQ(w[16], 250);
    EXPECT_EQ(w[17], 270);
    EXPECT_EQ(w[18], 35000);
}

TEST_F(Pmdg737AdapterTest, PanelWordsComeFromTheBlockAndTheVariables) {
    ConnectBridgeWithEverySlot();
    for (const std::size_t byte : {435, 442, 444, 447, 451, 455, 448, 449, 452, 390, 389, 396, 395, 550}) {
        SetByte(byte, 1);
    }
    SetBlock(420, std::numeric_limits<float>::quiet_NaN());
    SetSlotValue(Slot::SpeedBrakeLever, 200.0);
    SetSlotValue(Slot::FlapsLever, 250.0);
    SetSlotValue(Slot::LeftFlapPositionValue, 549.0);
    auto& w = fake.server.link.snapshot.words;
    w[28] = 0x80000;  // bits already there stay
    w[37] = 0x0F;     // the word is set, not added to
    pmdg737::FillAutopilotState(fake.server, fake.server.link.snapshot);
    EXPECT_EQ(w[16], 0) << "NaN";
    EXPECT_EQ(w[22], 8191);     // 16383 * 200 / 400
    EXPECT_EQ(w[19], 2 << 11);  // 250 / 100 = 2
    EXPECT_EQ(w[20], 8192);
    EXPECT_EQ(w[28], 0x80000 | 0x20 | 0x40 | 0x2 | 0x4 | 0x8 | 0x1 | 0x200 | 0x4000 | 0x2000);
    EXPECT_EQ(w[37], 0x20000000 | 0x40000000 | 0x1000 | 0x2000 | 0x100);

    // Flap positions between the marks, and a bridge with no such variables,
    // leave words 19, 20 and 22 as they were.
    const std::pair<double, std::int32_t> flaps[] = {{0, 0},       {275, 2048},  {375, 4096},  {425, 6144},
                                                     {625, 10240}, {750, 12288}, {950, 14336}, {1120, 16384}};
    for (const auto& [position, word] : flaps) {
        SetSlotValue(Slot::LeftFlapPositionValue, position);
        w[20] = -1;
        pmdg737::FillAutopilotState(fake.server, fake.server.link.snapshot);
        EXPECT_EQ(w[20], word) << position;
    }
    SetSlotValue(Slot::LeftFlapPositionValue, 300.0);
    w[20] = -1;
    pmdg737::FillAutopilotState(fake.server, fake.server.link.snapshot);
    EXPECT_EQ(w[20], -1);
    for (const Slot slot : {Slot::SpeedBrakeLever, Slot::FlapsLever, Slot::LeftFlapPositionValue}) ForgetSlot(slot);
    w[19] = w[20] = w[22] = -2;
    pmdg737::FillAutopilotState(fake.server, fake.server.link.snapshot);
    EXPECT_EQ(w[19], -2);
    EXPECT_EQ(w[20], -2);
    EXPECT_EQ(w[22], -2);
}

// Codes answered by a field of the block, over a block whose every byte
// differs from its neighbours, so a field read at the wrong offset shows.
TEST_F(Pmdg737AdapterTest, SingleValuesReadTheirOwnFields) {
    std::vector<std::uint8_t> block(912);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(1 + (i * 37) % 97);
    for (std::size_t i = 0; i < block.size(); ++i) SetByte(i, block[i]);
    const auto field = [&](std::size_t offset, auto type) {
        decltype(type) value;
        std::memcpy(&value, block.data() + offset, sizeof value);
        return static_cast<double>(value);
    };
    const auto byte = [&](std::size_t offset) { return static_cast<double>(block[offset]); };
    // clang-format off
    const std::pair<std::uint32_t, std::size_t> bytes[] = {
        {13, 242}, {114, 59}, {141, 251}, {176, 252}, {323, 574}, {324, 477}, {368, 385}, {369, 378}, {565, 145},
        {575, 146}, {620, 383}, {621, 386}, {905, 250}, {988, 218}, {989, 219}, {1085, 11}, {1086, 12},
        {1088, 230}, {1089, 231}, {1090, 232}, {1091, 233}, {1095, 266}, {1096, 267}, {1099, 268}, {1100, 269},
        {1105, 572}, {1106, 573}, {1109, 91}, {1110, 89}, {1111, 90}, {1112, 92}, {1113, 93}, {1114, 94},
        {1117, 36}, {1118, 37}, {1140, 284}, {1141, 282}, {1142, 283}, {1148, 271}, {1161, 217}, {1164, 243},
        {1197, 406}, {1198, 404}, {1263, 208}, {1264, 209}, {1274, 142}, {1282, 55}, {1284, 56}, {1286, 57},
        {1288, 58}, {1289, 131}, {1290, 132}, {1298, 52}, {1313, 620}, {1314, 621}, {1315, 622}, {1316, 623},
        {1317, 624}, {1318, 625}, {1323, 634}, {1329, 345}, {1539, 34}, {1540, 600}, {1541, 601}, {1706, 654},
        {1727, 0}, {1750, 387}, {1765, 489}, {1793, 485}, {1794, 484},
    };
    // clang-format on
    for (const auto& [code, offset] : bytes) EXPECT_EQ(Query(code), byte(offset)) << code;
    const std::pair<std::uint32_t, double> wide[] = {
        {118, field(420, float{})},
        {981, field(356, std::uint32_t{})},
        {982, field(360, std::uint32_t{})},
        {1132, field(296, float{})},
        {1133, field(300, float{})},
        {1154, field(368, std::uint32_t{})},
        {1319, field(626, std::uint16_t{})},
        {1320, field(628, std::int16_t{})},
        {1321, field(630, std::uint16_t{})},
        {1322, field(632, std::uint16_t{})},
        {1324, field(636, float{})},
        {1325, field(640, float{})},
        {563, 10 * byte(380)},
        {573, 10 * byte(381)},
        {1137, 50 * byte(280)},
        {1138, 50 * byte(281)},
        {1145, 50 * byte(285)},
        {1146, 50 * byte(285)},
        {1147, 50 * byte(285)},
        {1228, 50 * byte(285)},
    };
    for (const auto& [code, value] : wide) EXPECT_EQ(Query(code), value) << code;

    // The byte alone as a 32-bit integer, not the three bytes after it.
    for (const auto& [code, offset] : {std::pair<std::uint32_t, std::size_t>{308, 88}, {743, 487}}) {
        link::ValueQuery query;
        query.code = code;
        pmdg737::QueryValue(fake.server, query);
        std::int32_t value = 0;
        std::memcpy(&value, query.value.data(), sizeof value);
        EXPECT_EQ(value, block[offset]) << code;
        EXPECT_EQ(std::memcmp(query.value.data() + 4, "\0\0\0\0", 4), 0);
    }
    EXPECT_EQ(Query(615), std::nullopt) << "0.0";
    EXPECT_EQ(Query(1000), std::nullopt) << "a code no row has";
}

TEST_F(Pmdg737AdapterTest, OnOffValuesReadTheirBytes) {
    struct Case {
        std::uint32_t code;
        std::vector<std::pair<std::uint16_t, std::uint8_t>> bytes;
        double expected;
    };
    const Case cases[] = {
        {105, {{449, 1}}, 1.0},
        {105, {{448, 1}}, 0.0},
        {106, {{447, 2}}, 1.0},
        {108, {{451, 1}}, 1.0},
        {112, {{450, 1}}, 1.0},
        {115, {{444, 1}}, 1.0},
        {119, {{452, 1}}, 1.0},
        {123, {{442, 1}}, 1.0},
        {792, {{435, 1}}, 1.0},
        {956, {{443, 1}}, 1.0},
        {1036, {{436, 1}}, 1.0},
        {1150, {{279, 1}}, 1.0},
        {1169, {{454, 1}}, 1.0},
        {1170, {{456, 1}}, 1.0},
        {1753, {{446, 1}}, 1.0},
        {1754, {{448, 1}}, 1.0},
        {1755, {{445, 1}}, 1.0},
        {364, {{133, 1}}, 1.0},
        {364, {}, 0.0},
        {1162, {}, 1.0},
        {1162, {{540, 1}}, 0.0},
        {1163, {{541, 1}}, 0.0},
        {1199, {}, 1.0},
        {1221, {}, 1.0},
        {1222, {{213, 4}}, 0.0},
        {103, {{455, 1}}, 1.0},
        {103, {{452, 1}}, 0.0},
        {978, {{148, 1}}, 1.0},
        {1034, {{455, 1}}, 1.0},
        {1034, {{454, 1}}, 0.0},
        {1191, {{376, 1}, {377, 1}}, 1.0},
        {1191, {{376, 1}}, 0.0},
        {14, {{374, 1}, {375, 1}, {372, 2}, {373, 3}}, 1.0},
        {14, {{374, 1}, {375, 1}, {372, 1}, {373, 3}}, 0.0},
        {333, {{49, 1}}, 16383.0},
        {334, {{51, 1}}, 16383.0},
        {334, {}, 0.0},
        {331, {{506, 2}}, 16383.0},
        {331, {{506, 1}}, 0.0},
        {619, {}, 1.0},
        {619, {{384, 1}}, 0.0},
        {619, {{384, 2}}, 2.0},
        {912, {{384, 2}}, 1.0},
        {912, {{384, 1}}, 0.0},
        {1149, {{278, 1}}, 1.0},
        {1149, {{279, 1}}, 0.0},
        {1072, {{135, 3}}, 3.0},
        {1073, {{134, 4}}, 4.0},
    };
    for (const Case& c : cases) {
        ClearBlock();
        for (const auto& [offset, value] : c.bytes) SetByte(offset, value);
        EXPECT_EQ(Query(c.code).value_or(0.0), c.expected) << c.code;
    }
    ClearBlock();
    SetBlock(432, std::int16_t{1});
    EXPECT_EQ(Query(120), 1.0);
    SetBlock(432, std::int16_t{-5});
    EXPECT_EQ(Query(120).value_or(0.0), 0.0);
    SetBlock(200, 200.5f);
    EXPECT_EQ(Query(975), 100.0);
    EXPECT_EQ(Query(1051).value_or(0.0), 0.0) << "byte 379 is clear";
    SetByte(379, 1);
    EXPECT_EQ(Query(1053), 1.0);
    SetBlock(200, 150.0f);
    EXPECT_EQ(Query(975).value_or(0.0), 0.0);
    EXPECT_EQ(Query(1051).value_or(0.0), 0.0);
}

TEST_F(Pmdg737AdapterTest, VariablesAndVariantsAnswerTheirCodes) {
    ConnectBridgeWithEverySlot();
    for (const Slot variant :
         {Slot::Ngx600VariantState, Slot::Ngx700VariantState, Slot::Ngx800VariantState, Slot::Ngx900VariantState}) {
        ForgetSlot(variant);
    }
    struct Case {
        std::uint32_t code;
        Slot lvar;
        double reading;
        double expected;
    };
    const Case cases[] = {
        {325, Slot::SpeedBrakeLever, 12.5, 12.5},
        {783, Slot::ElevatorTrimValue, -3.0, -3.0},
        {785, Slot::AileronTrimValue, 2.0, 2.0},
        {1232, Slot::Ngx267Switch, 1.0, 1.0},
        {1233, Slot::Ngx270Switch, 2.0, 2.0},
        {1280, Slot::Ngx73Switch, 3.0, 3.0},
        {1297, Slot::Ngx299Switch, 100.0, 100.0},
        {1326, Slot::Ngx19Switch, 1.0, 1.0},
        {1327, Slot::Ngx18Switch, 1.0, 1.0},
        {1328, Slot::Door0PositionValue, 50.0, 50.0},
        {1330, Slot::Door2PositionValue, 1.0, 1.0},
        {1331, Slot::Door3PositionValue, 1.0, 1.0},
        {1334, Slot::Door4PositionValue, 1.0, 1.0},
        {1335, Slot::Door5PositionValue, 1.0, 1.0},
        {1340, Slot::AirStairRailsState, 1.0, 1.0},
        {1343, Slot::AntiSkidSwitch, 1.0, 1.0},
        {1344, Slot::WheelChocksSwitch, 1.0, 1.0},
        {1551, Slot::AirStartCartState, 1.0, 1.0},
        {787, Slot::RudderTrimValue, 3.0, 1.5},
        {877, Slot::AudioVor1ReceiveSwitch, 50.0, 0.5},
        {878, Slot::AudioVor2ReceiveSwitch, 100.0, 1.0},
        {880, Slot::AudioAdf1ReceiveSwitch, 100.0, 1.0},
        {881, Slot::AudioMarkerReceiveSwitch, 200.0, 2.0},
        {958, Slot::BankAngleSelector, 30.0, 15.0},
        {1200, Slot::TransponderModeSelector, 20.0, 2.0},
        {1736, Slot::Ngx335Switch, 30.0, 3.0},
        {1737, Slot::Ngx336Switch, 100.0, 2.0},
        {1136, Slot::PassengerOxygenSwitch, 1.0, 1.0},
        {1136, Slot::PassengerOxygenSwitch, 0.9, 0.0},
        {1201, Slot::PassengerOxygenCover, 1.0, 1.0},
        {1202, Slot::EmergencyExitLightCover, 1.0, 1.0},
        {1205, Slot::Ngx02Switch, 1.0, 1.0},
        {1206, Slot::Idg1DisconnectCover, 1.0, 1.0},
        {1207, Slot::Idg2DisconnectCover, 2.0, 1.0},
        {1211, Slot::Ngx502Switch, 1.0, 1.0},
        {1212, Slot::Ngx504Switch, 1.0, 1.0},
        {1213, Slot::Ngx506Switch, 1.0, 1.0},
        {1214, Slot::Ngx11Switch, 1.0, 1.0},
        {1279, Slot::Ngx74Switch, 1.0, 1.0},
        {1281, Slot::Ngx79Switch, 1.0, 1.0},
        {1283, Slot::Ngx81Switch, 1.0, 1.0},
        {1285, Slot::Ngx66Switch, 1.0, 1.0},
        {1287, Slot::Ngx68Switch, 1.0, 1.0},
        {1342, Slot::Ngx326Switch, 1.0, 1.0},
        {1791, Slot::Ngx831Switch, 1.0, 1.0},
        {1792, Slot::Ngx830Switch, 1.0, 1.0},
        {560, Slot::Engine1MasterSwitch, 99.0, 16383.0},
        {570, Slot::Engine2MasterSwitch, 100.0, 0.0},
    };
    for (const Case& c : cases) {
        SetSlotValue(c.lvar, c.reading);
        EXPECT_EQ(Query(c.code).value_or(0.0), c.expected) << c.code;
        SetSlotValue(c.lvar, 0.0);
    }
    SetSlotValue(Slot::AudioVhf1ReceiveSwitch, 1.0);
    EXPECT_EQ(Query(876).value_or(0.0), 0.0);
    SetSlotValue(Slot::AudioVhf2ReceiveSwitch, 1.0);
    EXPECT_EQ(Query(876), 1.0);

    // Which 737: the hose variable its discovery found; none yet gives 8.0.
    EXPECT_EQ(Query(1752), 8.0);
    SetByte(134, 7);
    SetByte(279, 1);
    SetSlotValue(Slot::Ngx974Switch, 0.5);
    EXPECT_EQ(Query(1073), 7.0) << "the -800 and -900 read byte 134";
    EXPECT_EQ(Query(1149).value_or(0.0), 0.0) << "and byte 278";
    const std::pair<Slot, double> variants[] = {{Slot::Ngx900VariantState, 8.0},
                                                {Slot::Ngx800VariantState, 5.0},
                                                {Slot::Ngx700VariantState, 2.0},
                                                {Slot::Ngx600VariantState, 1.0}};
    for (const auto& [variant, expected] : variants) {
        FillSlot(variant, SlotLabel(variant));
        EXPECT_EQ(Query(1752), expected) << SlotName(variant);
    }
    EXPECT_EQ(Query(1072), 1.0) << "the -600 and -700 read the switch";
    EXPECT_EQ(Query(1149), 1.0) << "and byte 279";

    // Codes the generic adapter answers, and the reverse test of the engines.
    SetInt32(sim::kFlightRecord, 0, 1);  // on the ground
    link::ValueQuery generic;
    generic.code = 60;
    generic::QueryValue(fake.server, generic);
    EXPECT_EQ(Query(60), [&] {
        double value = 0;
        std::memcpy(&value, generic.value.data(), sizeof value);
        return value;
    }());
    SetInt32(sim::kEngineRecord, 13, -200);
    EXPECT_EQ(Query(1766), 1.0);
}

TEST_F(Pmdg737AdapterTest, WithoutTheBridgeVariablesLeaveAnswersAndWordsAlone) {
    Install();
    for (const std::uint32_t code : {325u, 787u, 1136u, 876u, 560u}) EXPECT_EQ(Query(code), std::nullopt) << code;
    fake.server.bridge.slots.Set(Cell(Slot::Ngx700VariantState), 3);  // as a discovery before the bridge went
    EXPECT_EQ(Query(1072), std::nullopt);
    auto& w = fake.server.link.snapshot.words;
    w[19] = w[20] = w[22] = 9;
    pmdg737::FillAutopilotState(fake.server, fake.server.link.snapshot);
    EXPECT_EQ(w[19], 9);
    EXPECT_EQ(w[20], 9);
    EXPECT_EQ(w[22], 9);

    // Rows that say what to do without the bridge do it; others send nothing.
    const std::pair<std::uint32_t, const char*> cases[] = {
        {68336, "L69634"}, {68337, "L69645"}, {68193, "L69897"}, {66389, "R83637"},
        {68410, "L69706"}, {66466, ""},       {65832, ""},       {69133, ""},
    };
    for (const auto& [code, sent] : cases) {
        ClearSent();
        Run(code, code == 66389 ? 1 : 0);
        EXPECT_EQ(Sent(), sent) << code;
    }
    Run(68715, 25);
    Run(68379, 0);
    ClearSent();
    RunWorkers();
    EXPECT_EQ(Sent(), "L70183 +1000 L70176 +1000 L70172 +1000 L70167") << "no knob, and chocks not known";
}

TEST_F(Pmdg737AdapterTest, EnginesCountAsTheDefaultAircraftsWithTheStarterBytes) {
    auto& record = fake.server.link.snapshot;
    const auto count = [&] {
        std::array<std::int32_t, 4> counts{};
        record.words[29] = record.words[30] = 0;
        pmdg737::CountEngineStates(fake.server, record, counts[0], counts[1], counts[2], counts[3]);
        return counts;
    };
    // Stale flags of an A320 before: the 737 keeps the default thresholds.
    fake.server.adapters.fenixFlag = true;
    fake.server.adapters.a320LvarsFound = true;
    record.words[15] = 2;
    SetInt32(sim::kEngineRecord, 0, 1);       // engine 1 runs
    SetInt32(sim::kEngineRecord, 12, 12001);  // above 12000
    SetByte(45, 1);                           // engine 2's starter
    SetInt32(sim::kEngineRecord, 5, 0);
    EXPECT_EQ(count(), (std::array<std::int32_t, 4>{1, 1, 1, 0}));
    EXPECT_EQ(record.words[29], 1);
    SetInt32(sim::kEngineRecord, 12, 10700);  // a Fenix's take-off, not the 737's
    EXPECT_EQ(count(), (std::array<std::int32_t, 4>{1, 1, 0, 0}));
    SetInt32(sim::kEngineRecord, 12, -101);
    EXPECT_EQ(count(), (std::array<std::int32_t, 4>{1, 1, 0, 1}));
    // In the air, engine 2 neither starting nor running but failed.
    SetByte(45, 0);
    SetInt32(sim::kEngineRecord, 5, 1);  // the simulator's starter does not count
    SetInt32(sim::kEngineRecord, 37, 1);
    record.words[0] = 0;
    EXPECT_EQ(count(), (std::array<std::int32_t, 4>{1, 0, 0, 1}));
    EXPECT_EQ(record.words[30], 2);
}

}  // namespace
}  // namespace tarvo::adapters
