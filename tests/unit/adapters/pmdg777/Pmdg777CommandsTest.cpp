// The 777's commands: what each row sends to the aircraft for the data-block
// bytes and local variables it decides by, and its CDU keys.
#include "Pmdg777Fixture.h"

#include "adapters/generic/GenericAdapter.h"

#include <gtest/gtest.h>

#include <map>

namespace tarvo::adapters {
namespace {

struct Byte {
    std::uint16_t offset;
    std::uint8_t value;
};
struct Lvar {
    Slot slot;
    double value;
};

struct CommandCase {
    std::uint32_t code;
    std::int32_t value;
    std::vector<Byte> bytes;
    std::vector<Lvar> lvars;  // the others read 0.0
    const char* sent;
};

// clang-format off
const CommandCase kCases[] = {
    // P1
    {65560, 1, {}, {}, "L69754"}, {65580, 1, {}, {}, "L69835"}, {65723, 1, {}, {}, "L69859"},
    {65724, 1, {}, {}, "L69860"}, {65725, 1, {}, {}, "L69851"}, {65726, 1, {}, {}, "L69858"},
    {65729, 0, {}, {}, "L69859"}, {65752, 1, {}, {}, "L70147"}, {65860, 1, {}, {}, "L69836 L69837"},
    {65861, 1, {}, {}, "L70132"}, {65919, 1, {}, {}, "L70152"}, {65920, 1, {}, {}, "L70153"},
    {66065, 1, {}, {}, "L74613"}, {66067, 1, {}, {}, "L74613"}, {66080, 1, {}, {}, "L69927"},
    {66096, 1, {}, {}, "L69840"}, {66099, 1, {}, {}, "L69855"}, {66239, 1, {}, {}, "L69746"},
    {66240, 1, {}, {}, "L69753"}, {66288, 1, {}, {}, "L69834"}, {66376, 1, {}, {}, "L69748"},
    {66378, 1, {}, {}, "L69749"}, {66379, 1, {}, {}, "L69747"}, {66711, 1, {}, {}, "L69838"},
    {67936, 1, {}, {}, "L70716"}, {67937, 1, {}, {}, "L71732"}, {67938, 1, {}, {}, "L71883"},
    {67939, 1, {}, {}, "L69850"}, {67942, 1, {}, {}, "L69861"}, {67947, 1, {}, {}, "L69862"},
    {67950, 1, {}, {}, "L69845"}, {67951, 1, {}, {}, "L69844"}, {67952, 1, {}, {}, "L69843"},
    {68112, 1, {}, {}, "L70381"}, {68153, 1, {}, {}, "L69809"}, {68155, 1, {}, {}, "L69809"},
    {68160, 1, {}, {}, "L69852"},
    {68777, 1, {}, {}, "L70139 L74704"}, {68778, 1, {}, {}, "L70139 L74705"}, {68779, 1, {}, {}, "L70139 L74706"},
    {68780, 1, {}, {}, "L70139 L74707"}, {68781, 1, {}, {}, "L70139 L74708"}, {68782, 1, {}, {}, "L70139 L74709"},
    {68843, 1, {}, {}, "L70361"},
    // P2
    {67989, 0, {}, {}, "R69806"}, {68105, 1, {}, {}, "R69775"}, {68113, 1, {}, {}, "R70381"},
    // P3
    {66036, 0, {}, {}, "L69854"}, {66036, 1, {}, {}, "R69854"}, {66037, 1, {}, {}, "R69842"},
    {66040, 0, {}, {}, "L70447"}, {66042, 1, {}, {}, "R71812"}, {66124, -1, {}, {}, "L71882"},
    // P4
    {69134, 1, {}, {}, "L70710v"}, {69134, 0, {}, {}, "L70710^"}, {69135, 1, {}, {}, "L70712v"},
    // Value below 10 and from 10 on
    {67957, 9, {}, {}, "L69822"}, {67957, 10, {}, {}, "L69890"}, {67960, 0, {}, {}, "L69824"},
    {67960, 10, {}, {}, "L69891"}, {67961, 1, {}, {}, "L69825"}, {67961, 12, {}, {}, "L69892"},
    {67962, 1, {}, {}, "L69826"}, {67962, 10, {}, {}, "L69893"}, {67973, 1, {}, {}, "L69827"},
    {67973, 10, {}, {}, "L69894"}, {67974, 1, {}, {}, "L69828"}, {67974, 10, {}, {}, "L69895"},
    {67975, 1, {}, {}, "L69829"}, {67975, 10, {}, {}, "L69896"}, {67976, 1, {}, {}, "L69830"},
    {67976, 10, {}, {}, "L69897"}, {67977, 1, {}, {}, "L69831"}, {67977, 10, {}, {}, "L72293"},
    {67978, 1, {}, {}, "L69832"}, {67978, 10, {}, {}, "L69899"}, {67979, 1, {}, {}, "L69833"},
    {67979, 10, {}, {}, "L69900"},
    {67972, 1, {}, {}, "L69820"}, {67972, 10, {}, {}, ""},
    {68994, 1, {}, {}, ""}, {68994, 10, {}, {}, "L69885"},
    // By value, byte and variable
    {65853, 1, {}, {}, "L74614"}, {65853, 0, {}, {}, "L74613"},
    {65786, 0, {}, {}, "L74613"}, {65786, 8000, {}, {}, "L74616"}, {65786, 16383, {}, {}, "L74615"},
    {65786, 100, {}, {}, ""},
    {65859, 1, {}, {{Slot::T7xSpeedWindowValue, -1.0}}, "L71732"},
    {65859, 1, {}, {{Slot::T7xSpeedWindowValue, 250.0}}, ""},
    {68206, 1, {}, {{Slot::T7xSpeedWindowValue, 250.0}}, "L71732"},
    {68206, 1, {}, {{Slot::T7xSpeedWindowValue, -1.0}}, ""},
    {68104, 1, {}, {}, "R69774"}, {68104, 1, {{489, 5}}, {}, "R70684"},
    {68611, 1, {}, {{Slot::T7x118Switch, 100.0}}, "R69750 +300 R69750v"},
    {68611, 0, {}, {{Slot::T7x118Switch, 100.0}}, "R69750 +300 R69750^"},
    {68611, 1, {}, {}, "R69750v"},
    {68611, 0, {}, {{Slot::T7x118Switch, 50.0}}, "R69750^"},
    {68656, 0, {}, {}, "L69805"},
    {68656, 1, {}, {}, "L69805 +1000 L69805v +1500 L69805^ +1000 R69805"},
    // Three positions from the lvars, left toward 0
    {68324, 0, {}, {{Slot::T7x35Switch, 2.0}}, "L69667*2"},
    {68325, 2, {}, {{Slot::T7x40Switch, 0.0}}, "R69668*2"},
    {68326, 1, {}, {{Slot::T7x41Switch, 2.0}}, "L69669"},
    {68327, 1, {}, {{Slot::T7x38Switch, 0.0}}, "R69670"},
    // Positions no variable holds read 0
    {69002, 0, {}, {}, "R69816"}, {69003, 2, {}, {}, "L69821*2"}, {69068, 1, {}, {}, "L69883"},
    {69069, 3, {}, {}, ""},
    {68711, 1, {}, {}, ""},
    // Codes no row has
    {65537, 1, {}, {}, ""}, {69630, 1, {}, {}, ""},
};
// clang-format on

struct Pmdg777CommandsTest : Pmdg777Fixture {
    void SetUp() override {
        ConnectBridgeWithEverySlot();
        Install();
    }

    // Runs one case from a zero block and zero variables, its workers included.
    std::string RunCase(const CommandCase& c) {
        ClearBlock();
        for (const Byte& byte : c.bytes) SetByte(byte.offset, byte.value);
        for (const Lvar& lvar : c.lvars) SetSlotValue(lvar.slot, lvar.value);
        ClearSent();
        Run(c.code, c.value);
        RunWorkers();
        const std::string sent = Sent();
        for (const Lvar& lvar : c.lvars) SetSlotValue(lvar.slot, 0.0);
        return sent;
    }
};

TEST_F(Pmdg777CommandsTest, EveryRowSendsItsEventsForItsState) {
    for (const CommandCase& c : kCases) {
        SCOPED_TRACE("code " + std::to_string(c.code) + " value " + std::to_string(c.value));
        EXPECT_EQ(RunCase(c), c.sent);
    }
}

// Commands that would need an event sent with a parameter, the CDU sequences
// built on it, and variables nothing fills: no effect at all.
TEST_F(Pmdg777CommandsTest, CommandsWithoutAWorkingPathDoNothing) {
    const std::uint32_t codes[] = {65751, 66061, 66389, 68368, 68369, 68370, 68371, 68372, 68373, 68374, 68375, 68376,
                                   68378, 66596, 66704, 66705, 67993, 67994, 68156, 68157, 68270, 68271, 68315, 68316,
                                   68385, 68776, 68836, 68839, 68709, 68367, 68379, 68730, 68731, 69133};
    const auto writesBefore = aircraft.ControlWrites().size();
    ClearCalls();
    for (const std::uint32_t code : codes) {
        for (const std::int32_t value : {0, 1, 5}) {
            ClearSdk();
            Run(code, value);
            RunWorkers();
            EXPECT_EQ(SdkCalls(), std::vector<std::string>{}) << code;
        }
    }
    EXPECT_EQ(aircraft.ControlWrites().size(), writesBefore);
    EXPECT_EQ(Received(), std::vector<std::string>{}) << "no variable written";
    EXPECT_EQ(Events(), std::vector<std::string>{});
}

TEST_F(Pmdg777CommandsTest, SharedRowsAreTheGenericCommandSetOnTheMainSession) {
    // 69109 starts the ground-services discovery, which the generic tests cover.
    const std::uint32_t shared[] = {65538, 65539, 65564, 65595, 65596, 65598, 65602, 65603, 65604, 65609, 65617,
                                    65698, 65708, 65709, 65714, 65758, 65759, 65762, 65763, 65764, 65789, 65790,
                                    66172, 66173, 66174, 66175, 66176, 66177, 66178, 66179, 66180, 66181, 66483};
    for (const std::uint32_t code : shared) {
        SCOPED_TRACE(code);
        ClearCalls();
        generic::RunCommand(fake.server, code, 1);
        const auto generic = Events();
        const auto genericCalls = OtherCalls();
        ClearCalls();
        ClearSent();
        Run(code, 1);
        EXPECT_EQ(Events(), generic);
        EXPECT_EQ(OtherCalls(), genericCalls);
        EXPECT_EQ(Sent(), "");
    }
}

// Every CDU key code, for each value, with each power variable on or off.
TEST_F(Pmdg777CommandsTest, CduKeysPressTheCaptainsOrTheFirstOfficersKey) {
    // clang-format off
    std::map<std::uint32_t, std::uint32_t> keys = {
        {69549, 69981}, {69550, 69984}, {69551, 69985}, {69552, 69979}, {69553, 69975}, {69554, 69977},
        {69555, 69974}, {69556, 69982}, {69559, 69972}, {69561, 69980}, {69565, 69978}, {69568, 70024},
        {69569, 69976}, {69570, 69973}, {69580, 70025}, {69581, 69997}, {69582, 69995}, {69583, 70026},
        {69584, 69996},
    };
    // clang-format on
    for (std::uint32_t i = 0; i < 12; ++i) keys[69537 + i] = 69960 + i;
    for (std::uint32_t i = 0; i < 9; ++i) keys[69585 + i] = 69986 + i;
    for (std::uint32_t i = 0; i < 26; ++i) keys[69601 + i] = 69998 + i;
    const Slot powers[] = {Slot::None, Slot::T7x03Switch, Slot::GroundPowerUnitSwitch, Slot::T7xTerminalPowerState};
    for (std::uint32_t code = 69537; code < 69629; ++code) {
        for (std::int32_t value = 0; value < 4; ++value) {
            for (const Slot power : powers) {
                SCOPED_TRACE(std::to_string(code) + " value " + std::to_string(value) + " " +
                             std::string(SlotLabel(power)));
                const bool right = power != Slot::None || value == 2;
                const bool left = !right && value == 1;
                std::string expected;
                if (const auto key = keys.find(code); key != keys.end()) {
                    if (right) expected = "L" + std::to_string(key->second + 73);
                    if (left) expected = "L" + std::to_string(key->second);
                }
                if (code == 69571 && (right || left)) expected = right ? "L73833" : "L73103";
                if (code == 69566 && right) expected = "L70056";
                std::vector<Lvar> lvars;
                if (power != Slot::None) lvars.push_back({power, 1.0});
                EXPECT_EQ(RunCase({code, value, {}, lvars, ""}), expected);
            }
        }
    }
}

}  // namespace
}  // namespace tarvo::adapters
