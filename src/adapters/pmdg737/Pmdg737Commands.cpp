// The PMDG 737's command set: the CDU keys, the rows that follow a common
// pattern, and the rows that decide more than a pattern can say.
#include "adapters/pmdg737/Pmdg737.h"

#include "adapters/RowCodes.h"
#include "adapters/generic/GenericAdapter.h"
#include "adapters/pmdg/CduKeys.h"
#include "adapters/pmdg/Patterns.h"
#include "adapters/pmdg/SdkWorkers.h"
#include "adapters/pmdg737/Pmdg737Workers.h"
#include "base/Convert.h"
#include "bridge/Registry.h"

#include <array>
#include <vector>

namespace tarvo::adapters::pmdg737 {
namespace {

using pmdg::Button;
using pmdg::Mouse;
using pmdg::OnTest;
using pmdg::P1;
using pmdg::P2;
using pmdg::P3;
using pmdg::P4;
using pmdg::P5;
using pmdg::P6;
using pmdg::P7;
using pmdg::P8;
using pmdg::P9;
using pmdg::Steps;

// ---- CDU keys ---------------------------------------------------------------

using pmdg::kFirstCduKey;
constexpr std::uint32_t kCduClear = 69629;
constexpr std::size_t kCduKeys = kCduClear - kFirstCduKey + 1;

// clang-format off
constexpr pmdg::CduKeyRange kCduKeyRanges[] = {
    {69537, 69548, 70166}, {69549, 69549, 70188}, {69550, 69551, 70191}, {69552, 69552, 70186},
    {69554, 69554, 70190}, {69555, 69555, 70185}, {69556, 69556, 70183}, {69559, 69559, 70178},
    {69561, 69561, 70187}, {69565, 69565, 70184}, {69568, 69568, 70231}, {69570, 69570, 70179},
    {69572, 69574, 70180}, {69575, 69575, 70189}, {69580, 69580, 70232}, {69581, 69581, 70204},
    {69582, 69582, 70202}, {69583, 69583, 70233}, {69584, 69584, 70203}, {69585, 69593, 70193},
    {69601, 69626, 70205},
};
// clang-format on

constexpr std::array<std::uint32_t, kCduKeys> kCduEvents = pmdg::CduEvents<kCduKeys>(kCduKeyRanges);
static_assert(kCduEvents[0] == 70166 && kCduEvents[69626 - kFirstCduKey] == 70230 &&
              kCduEvents[69553 - kFirstCduKey] == 0);

constexpr bool IsCduCode(std::uint32_t code) {
    return code >= kFirstCduKey && code <= kCduClear;
}

void PressCduKey(const pmdg::Sender& sender, std::uint32_t code, std::int32_t value) {
    Server& server = *sender.server;
    pmdg::SdkLink& sdk = server.adapters.pmdg737.link;
    server.ports.desktop.SetForegroundWindow(sdk.simulatorWindow);
    if (code == kCduClear) {
        StartCduClear(server, value);
        return;
    }
    const std::uint32_t left = kCduEvents[code - kFirstCduKey];
    if (left == 0) return;
    // Without a first officer's CDU every value presses the captain's key.
    const bool rightCdu = HasRightCdu(sdk);
    if (rightCdu && value == 2) {
        pmdg::Click(sender, left + kRightCdu, Button::Left);
    } else if (!rightCdu || value == 1) {
        pmdg::Click(sender, left, Button::Left);
    }
}

// ---- Rows that follow a pattern -----------------------------------------------

// clang-format off
constexpr pmdg::PatternRow kPatternRows[] = {
    // P1: left click, in code order; "then" rows click a second event at once.
    P1(65560, 69755),
    P1(65580, 70034),
    P1(65638, 70359),
    P1(65723, 70028),
    P1(65724, 70025),
    P1(65725, 70024),
    P1(65726, 70026),
    P1(65729, 70028),
    P1(65752, 70325),
    P1(65853, 76424),
    P1(65858, 69772),
    P1(65859, 70014),
    P1(65860, 70012),
    P1(65861, 70316),
    P1(66066, 76424),
    P1(66067, 76423),
    P1(66071, 69695),
    P1(66080, 70087),
    P1(66099, 70027),
    P1(66239, 69756),
    P1(66240, 69749),
    P1(66241, 69633),
    P1(66288, 70010),
    P1(66299, 70092),
    P1(66337, 69788),
    P1(66372, 70353),
    P1(66376, 69754),
    P1(66378, 69757),
    P1(66438, 70475),
    P1(66444, 70469),
    P1(66448, 70361),
    P1(66452, 70477),
    P1(66478, 70382),
    P1(66484, 69789),
    P1(66485, 69790),
    P1(66596, 69681),
    P1(66711, 70013),
    P1(66837, 69852),
    P1(67935, 70314),
    P1(67936, 70636),
    P1(67937, 70019),
    P1(67938, 70517),
    P1(67939, 70024),
    P1(67942, 70035),
    P1(67947, 70039),
    P1(67950, 70023),
    P1(67951, 70018),
    P1(67952, 70029),
    P1(67957, 69998),
    P1(67959, 69997),
    P1(67960, 69999),
    P1(67968, 69991),
    P1(67971, 69993),
    P1(67989, 70155),
    P1(67991, 84137),
    P1(67992, 84134),
    P1(67993, 84136),
    P1(67997, 69799),
    P1(67998, 69800),
    P1(68001, 69843),
    P1(68002, 69842),
    P1(68003, 69844),
    P1(68012, 69797),
    P1(68013, 69798),
    P1(68020, 69644),
    P1(68021, 69646),
    P1(68027, 69669),
    P1(68028, 69670),
    P1(68029, 69671),
    P1(68030, 69672),
    P1(68031, 69677),
    P1(68032, 69678),
    P1(68047, 69681),
    P1(68059, 76603),
    P1(68060, 76623),
    P1(68063, 76613),
    P1(68064, 76603),
    P1(68065, 76623),
    P1(68068, 76613),
    P1(68069, 69900),
    P1(68070, 69903),
    P1(68073, 69887),
    P1(68075, 69888),
    P1(68089, 69668),
    P1(68093, 69741),
    P1(68112, 70432),
    P1(68127, 69750),
    P1(68128, 69896),
    P1(68144, 69943),
    P1(68153, 70070),
    P1(68155, 70071),
    P1(68158, 70015),
    P1(68162, 69743, 69744),
    P1(68167, 70329),
    P1(68168, 70331),
    P1(68171, 70330),
    P1(68194, 69773),
    P1(68196, 69971),
    P1(68197, 69972),
    P1(68199, 69767),
    P1(68200, 69768),
    P1(68201, 69770),
    P1(68202, 69771),
    P1(68238, 69981),
    P1(68249, 70094),
    P1(68260, 69728),
    P1(68261, 69729),
    P1(68348, 69852),
    P1(68354, 69751),
    P1(68355, 69753),
    P1(68381, 69650),
    P1(68382, 70095),
    P1(68383, 70094),
    P1(68386, 74183),
    P1(68395, 70336),
    P1(68397, 70326),
    P1(68398, 69635),
    P1(68400, 69636),
    P1(68412, 69707),
    P1(68413, 79464),
    P1(68423, 70132),
    P1(68432, 69850),
    P1(68449, 70363),
    P1(68450, 70479),
    P1(68451, 70357),
    P1(68452, 70473),
    P1(68516, 69854),
    P1(68555, 70535),
    P1(68556, 70556),
    P1(68627, 84833),
    P1(68628, 69841),
    P1(68705, 69889),
    P1(68706, 70395),
    P1(68707, 70397),
    P1(68708, 70399),
    P1(68709, 70400),
    P1(68776, 76773),
    P1(68777, 76774),
    P1(68778, 76775),
    P1(68779, 76776),
    P1(68780, 76777),
    P1(68781, 76778),
    P1(68782, 76779),
    P1(68783, 76780),
    P1(68784, 76781),
    P1(68976, 70337),
    P1(68979, 70072),
    P1(68995, 69758),
    P1(68996, 69745, 69746),
    P1(69056, 70047),
    P1(69059, 70049),
    P1(69075, 70585),
    P1(69128, 70462),
    P1(69130, 70096),
    P1(69132, 70098),
    // P2: right click.
    P2(65639, 70359),
    P2(66079, 70087),
    P2(66298, 70092),
    P2(66440, 70475),
    P2(66836, 69852),
    P2(67958, 69997),
    P2(67967, 69991),
    P2(67970, 69993),
    P2(68074, 69887),
    P2(68076, 69888),
    P2(68090, 69668),
    P2(68094, 69741),
    P2(68113, 70432),
    P2(68126, 69750),
    P2(68163, 69743, 69744),
    P2(68172, 70329),
    P2(68173, 70331),
    P2(68176, 70330),
    P2(68349, 69852),
    P2(68358, 69751),
    P2(68359, 69753),
    P2(68385, 70433),
    P2(68399, 69635),
    P2(68401, 69636),
    P2(68431, 69850),
    P2(68980, 70072),
    P2(69055, 70047),
    P2(69058, 70049),
    P2(69129, 70096),
    P2(69131, 70098),
    // P3: by sign.
    P3(65716, 70008),
    P3(65717, 70041),
    P3(66036, 70033),
    P3(66037, 70016),
    P3(66038, 70016),
    P3(66042, 70022),
    P3(66124, 70032),
    P3(68120, 70466),
    P3(69005, 69727),
    P3(69007, 69960),
    P3(69009, 70389),
    P3(69010, 70388),
    P3(69011, 69970),
    P3(69024, 69966),
    P3(69025, 69964),
    P3(69027, 69726),
    P3(69022, 69961, 70141, 1),
    P3(69023, 69962, 70139, 1),
    P3(69026, 70237, 70309),
    // P4: hold.
    P4(68418, 70608),
    P4(68419, 70610),
    P4(68422, 70609),
    P4(68424, 69933),
    P4(68425, 69934),
    P4(68426, 69935),
    P4(68427, 69936),
    P4(68428, 69810),
    P4(68447, 70401),
    P4(68732, 70100),
    P4(68839, 69981),
    P4(68947, 69841),
    P4(69004, 69856),
    P4(69134, 69738),
    P4(69135, 69737),
    // P5: clicks toward off only while the switch reads on.
    P5(68186, 69733, Slot::EmergencyExitLightCover),
    P5(68336, 69634, Slot::Ngx02Switch),
    P5(68341, 70134, Slot::Ngx502Switch),
    P5(68342, 70136, Slot::Ngx504Switch),
    P5(68362, 70138, Slot::Ngx506Switch),
    P5(68366, 69643, Slot::Ngx11Switch),
    P5(68380, 69651, Slot::Ngx19Switch),
    P5(68387, 69958, Slot::Ngx326Switch),
    P5(68402, 69711, Slot::Ngx79Switch),
    P5(68403, 69713, Slot::Ngx81Switch),
    P5(68404, 69698, Slot::Ngx66Switch),
    P5(68405, 69700, Slot::Ngx68Switch),
    P5(68189, 69899, Slot::Ngx267Switch, OnTest::Above0),
    P5(68190, 69902, Slot::Ngx270Switch, OnTest::Above0),
    // The engine start levers are "on" (running) below 100.
    P5(65919, 70320, Slot::Engine1MasterSwitch, OnTest::Below100),
    P5(65920, 70321, Slot::Engine2MasterSwitch, OnTest::Below100),
    // P6: clicks only toward the other state.
    P6(68337, Button::Left,  69645, Slot::Idg1DisconnectCover),
    P6(68338, Button::Left,  69647, Slot::Idg2DisconnectCover),
    P6(68698, Button::Right, 70342, Slot::Ngx710Switch),
    P6(68699, Button::Right, 70344, Slot::Ngx712Switch),
    P6(69127, Button::Left,  70463, Slot::Ngx831Switch),
    P6(68193, Button::Left,  69897, Slot::PassengerOxygenCover, OnTest::Above0),
    // P7: by a data byte.
    P7(67940, 454, 70036),
    P7(67941, 456, 70037),
    P7(67953, 404, 69988),
    P7(68388, 458, 69957),
    P7(68408, 57,  69697),
    P7(68409, 58,  69699),
    P7(68411, 60,  69705),
    P7(68696, 572, 70341),
    P7(68697, 573, 70343),
    P7(68105, 279, 69828),
    // P8: by a data byte, the other way round.
    P8(68129, 540, 70133),
    P8(68130, 541, 70135),
    P8(68363, 542, 70137),
    // P9: three-position switches, by the button that steps toward position 0.
    P9(Steps::S1, 68389, pmdg::AtByte(72),    69694, Button::Left),
    P9(Steps::S1, 68390, pmdg::AtByte(73),    69693, Button::Left),
    P9(Steps::S1, 68391, pmdg::AtByte(74),    69692, Button::Left),
    P9(Steps::S1, 68392, pmdg::AtByte(75),    69690, Button::Left),
    P9(Steps::S1, 68393, pmdg::AtByte(76),    69691, Button::Left),
    P9(Steps::S1, 68135, pmdg::AtByte(382),   69752, Button::Left),
    P9(Steps::S1, 68203, pmdg::AtWord32(368), 69855, Button::Left),
    P9(Steps::S1, 68204, pmdg::AtWord32(368), 69855, Button::Left),
    P9(Steps::S1, 68406, pmdg::AtByte(55),    69710, Button::Right),
    P9(Steps::S1, 68407, pmdg::AtByte(56),    69712, Button::Right),
    P9(Steps::S1, 68006, pmdg::AtByte(280),   69832, Button::Right),
    P9(Steps::S1, 68007, pmdg::AtByte(280),   69832, Button::Right),
    P9(Steps::S1, 68008, pmdg::AtByte(281),   69833, Button::Right),
    P9(Steps::S1, 68009, pmdg::AtByte(281),   69833, Button::Right),
    P9(Steps::S1, 68111, pmdg::AtByte(217),   69732, Button::Right),
    P9(Steps::S1, 68116, pmdg::AtByte(218),   69735, Button::Right),
    P9(Steps::S1, 68117, pmdg::AtByte(218),   69735, Button::Right),
    P9(Steps::S1, 68118, pmdg::AtByte(219),   69736, Button::Right),
    P9(Steps::S1, 68119, pmdg::AtByte(219),   69736, Button::Right),
    P9(Steps::S1, 68262, pmdg::AtByte(285),   69834, Button::Right),
    P9(Steps::S1, 68263, pmdg::AtByte(285),   69834, Button::Right),
    P9(Steps::S2, 69002, pmdg::AtByte(408),   69990, Button::Right),
    P9(Steps::S2, 69003, pmdg::AtByte(410),   70000, Button::Right),
    P9(Steps::S2, 69068, pmdg::AtByte(409),   70046, Button::Right),
    P9(Steps::S2, 69069, pmdg::AtByte(411),   70056, Button::Right),
    P9(Steps::S2, 68131, pmdg::AtByte(141),   69642, Button::Left),
};
// clang-format on

// ---- Rows that decide more than a pattern can say -------------------------------

struct Command {
    const pmdg::Sender& sender;
    Server& server;
    Pmdg737State& state;
    std::uint32_t code;
    std::int32_t value;
};

void Left(const Command& c, std::uint32_t event) {
    pmdg::Click(c.sender, event, Button::Left);
}
void Right(const Command& c, std::uint32_t event) {
    pmdg::Click(c.sender, event, Button::Right);
}
void SendMouse(const Command& c, std::uint32_t event, pmdg::Mouse mouse) {
    pmdg::Send(c.sender, event, mouse);
}
void Wait(const Command& c, std::uint32_t milliseconds) {
    c.server.ports.clock.Sleep(milliseconds);
}
std::optional<double> Lvar(const Command& c, Slot slot) {
    return pmdg::ReadLvar(c.server, slot);
}
// The lvar truncated, 0 when it cannot be read (as the bridge reads it then).
std::int32_t Whole(const Command& c, Slot slot) {
    return TruncateToInt32(pmdg::LvarOrZero(c.server, slot));
}
std::uint8_t Byte(const Command& c, std::size_t offset) {
    return pmdg::Byte(c.state.link, offset);
}
void SetLvar(const Command& c, Slot slot, double value) {
    if (!bridge::HasBridge(c.server) || SlotId(c.server, slot) == bridge::kNotFound) return;
    bridge::SetLvarValue(c.server, SlotId(c.server, slot), value);
}

// The generic command set, on the main connection.
void Shared(const Command& c) {
    generic::RunCommand(c.server, c.code, c.value);
}

void ClickBothThenShared(const Command& c) {
    Left(c, 70536);
    Left(c, 70559);
    Shared(c);
}

void ClickThenShared(const Command& c) {
    Left(c, 70559);
    Shared(c);
}

// Audio receiver switches: one event toggles; each command clicks it only from
// the state it names. Nothing without the variable.
struct ReceiverRow {
    std::uint32_t code;
    std::uint32_t event;
    Slot lvar;
    bool fromOn;  // clicks while it reads 1.0 or more; otherwise while it truncates to 0
};
constexpr ReceiverRow kReceiverRows[] = {
    {65832, 70378, Slot::AudioVor1ReceiveSwitch, true}, {65837, 70378, Slot::AudioVor1ReceiveSwitch, false},
    {65833, 70379, Slot::AudioVor2ReceiveSwitch, true}, {65838, 70379, Slot::AudioVor2ReceiveSwitch, false},
    {65836, 70380, Slot::AudioAdf1ReceiveSwitch, true}, {65841, 70380, Slot::AudioAdf1ReceiveSwitch, false},
    {66557, 70381, Slot::AudioAdf2ReceiveSwitch, true}, {66558, 70381, Slot::AudioAdf2ReceiveSwitch, false},
};

void ReceiverSwitch(const Command& c) {
    for (const ReceiverRow& row : kReceiverRows) {
        if (row.code != c.code) continue;
        const auto reading = Lvar(c, row.lvar);
        if (reading && (row.fromOn ? *reading >= 1.0 : TruncateToInt32(*reading) == 0)) Left(c, row.event);
    }
}

// The four events of a pair of switches, then the two units each still in the other state.
void LandingLights(const Command& c) {
    const bool on = c.value > 0;
    const auto click = [&](std::uint32_t event) { on ? Left(c, event) : Right(c, event); };
    for (const std::uint32_t event : {69743u, 69744u, 69743u, 69744u}) click(event);
    if (c.code == 68997) return;
    if ((Byte(c, 374) != 0) != on) click(69745);
    if ((Byte(c, 375) != 0) != on) click(69746);
}

void RunwayTurnoffLights(const Command& c) {
    const bool on = c.value > 0;
    if ((Byte(c, 376) != 0) != on) on ? Left(c, 69747) : Right(c, 69747);
    if ((Byte(c, 377) != 0) != on) on ? Left(c, 69748) : Right(c, 69748);
}

void Selector66170(const Command& c) {
    switch (c.value) {
        case 1:
            return Left(c, 70001);
        case 2:
        case 12:
            return Left(c, 70423);
        case 4:
        case 14:
            return Left(c, 70424);
        case 5:
        case 15:
            return Left(c, 70550);
        case 6:
        case 16:
            return Left(c, 70548);
        default:
            return;
    }
}

// One event below 10, another from 10 on.
struct TensRow {
    std::uint32_t code;
    std::uint32_t below10;
    std::uint32_t from10;
};
// clang-format off
constexpr TensRow kTensRows[] = {
    {68994, 69992, 70048}, {67961, 69995, 70051}, {67962, 69996, 70052}, {67972, 69994, 70050},
    {67973, 70001, 70057}, {67974, 70002, 70058}, {67975, 70003, 70059}, {67976, 70004, 70060},
    {67977, 70005, 70061}, {67978, 70006, 70062}, {67979, 70007, 70063},
};
// clang-format on

void ByTens(const Command& c) {
    for (const TensRow& row : kTensRows) {
        if (row.code == c.code) Left(c, c.value < 10 ? row.below10 : row.from10);
    }
}

void Selector69755Toward1(const Command& c) {
    const std::uint8_t position = Byte(c, 384);
    if (position == 2) Left(c, 69755);
    if (position == 0) Right(c, 69755);
}

void Selector69755Twice(const Command& c, Button button) {
    pmdg::Click(c.sender, 69755, button);
    Wait(c, 1);
    pmdg::Click(c.sender, 69755, button);
}

void Selector68265(const Command& c) {
    Selector69755Toward1(c);
}
void Selector68266(const Command& c) {
    Selector69755Twice(c, Button::Right);
}
void Selector68267(const Command& c) {
    Selector69755Twice(c, Button::Left);
}
void Selector66379(const Command& c) {
    c.value <= 0 ? Selector69755Toward1(c) : Selector69755Twice(c, Button::Left);
}

void Selector69890(const Command& c) {
    switch (c.value) {
        case 0:
            return Right(c, 69890);
        case 1:
            Right(c, 69890);
            Wait(c, 1);
            Right(c, 69890);
            Wait(c, 1);
            return Left(c, 69890);
        case 2:
            Left(c, 69890);
            Wait(c, 1);
            return Left(c, 69890);
        default:
            return;
    }
}

bool Is700(const Server& server) {
    return SlotId(server, Slot::Ngx700VariantState) != bridge::kNotFound;
}

void Variant68234(const Command& c) {
    Left(c, Is700(c.server) ? 70606 : (c.code == 68234 ? 69638 : 69637));
}

// The -700 has the switch of byte 279 where the others have byte 278's.
void Variant68104(const Command& c) {
    const pmdg::PatternRow row = Is700(c.server) ? P7(68104, 279, 69828) : P7(68104, 278, 70504);
    pmdg::RunPatternRow(c.sender, row, c.value);
}

void Switch69978(const Command& c) {
    if (c.value <= 0) return Left(c, 69978);
    Right(c, 69978);
    Right(c, 69978);
}

void Switch69861(const Command& c) {
    switch (c.value) {
        case 0:
            return Left(c, 69861);
        case 1:
            return Right(c, 69861);
        case 2:
            return SendMouse(c, 69861, Mouse::LeftPress);
        case 3:
            return SendMouse(c, 69861, Mouse::LeftRelease);
        default:
            return;
    }
}

void Switch70347(const Command& c) {
    switch (c.value) {
        case 0:
            return SendMouse(c, 70347, Mouse::LeftRelease);
        case 1:
            return SendMouse(c, 70347, Mouse::LeftPress);
        case 10:
            return SendMouse(c, 70347, Mouse::RightRelease);
        case 11:
            return SendMouse(c, 70347, Mouse::RightPress);
        default:
            return;
    }
}

void Switch69769(const Command& c) {
    switch (c.value) {
        case 0:
            return SendMouse(c, 69769, Mouse::LeftRelease);
        case 1:
            return SendMouse(c, 69769, Mouse::LeftPress);
        case 2:
            return SendMouse(c, 69769, Mouse::RightRelease);
        case 3:
            return SendMouse(c, 69769, Mouse::RightPress);
        default:
            return;
    }
}

void Switch68429(const Command& c) {
    if (c.value == 1) Left(c, 70328);
    if (c.value == 11) Right(c, 70328);
}

void RightHold(const Command& c, std::uint32_t event) {
    SendMouse(c, event, c.value > 0 ? Mouse::RightPress : Mouse::RightRelease);
}
void RightHold70328(const Command& c) {
    RightHold(c, 70328);
}
void RightHold70100(const Command& c) {
    RightHold(c, 70100);
}

// Value 2 releases, any other presses.
void LeftSpring(const Command& c, std::uint32_t event) {
    SendMouse(c, event, c.value == 2 ? Mouse::LeftRelease : Mouse::LeftPress);
}
void RightSpring(const Command& c, std::uint32_t event) {
    SendMouse(c, event, c.value == 2 ? Mouse::RightRelease : Mouse::RightPress);
}
void Spring66276(const Command& c) {
    LeftSpring(c, 70442);
}
void Spring66278(const Command& c) {
    LeftSpring(c, 70443);
}
void Spring66277(const Command& c) {
    RightSpring(c, 70442);
}
void Spring66279(const Command& c) {
    RightSpring(c, 70443);
}
void Spring65615(const Command& c) {
    LeftSpring(c, 70310);
}
void Spring65607(const Command& c) {
    RightSpring(c, 70310);
}

// Held down with one button or the other; the release lets go of that one.
void Held69649(const Command& c) {
    std::int32_t& held = c.state.heldSwitch69649;
    switch (c.value) {
        case 0:
            SendMouse(c, 69649, Mouse::RightPress);
            held = 0;
            return;
        case 2:
            SendMouse(c, 69649, Mouse::LeftPress);
            held = 2;
            return;
        case 1:
            if (held == 2) SendMouse(c, 69649, Mouse::LeftRelease);
            if (held == 0) SendMouse(c, 69649, Mouse::RightRelease);
            return;
        default:
            return;
    }
}

// The four switches share one memory: 1 held with the left button, 2 with the right.
void Held69659(const Command& c) {
    std::uint32_t event = 0;
    switch (c.code) {
        case 66363:
            event = 69659;
            break;
        case 68364:
            event = 69660;
            break;
        case 68365:
            event = 69661;
            break;
        default:
            event = 69662;
            break;
    }
    std::int32_t& held = c.state.heldSwitches69659;
    switch (c.value) {
        case 0:
            SendMouse(c, event, Mouse::RightPress);
            held = 2;
            return;
        case 2:
            SendMouse(c, event, Mouse::LeftPress);
            held = 1;
            return;
        case 1:
            if (held == 1) SendMouse(c, event, Mouse::LeftRelease);
            if (held == 2) SendMouse(c, event, Mouse::RightRelease);
            held = 0;
            return;
        default:
            return;
    }
}

struct Door {
    std::int32_t value;  // of command 66389
    std::uint32_t code;  // its own command
    std::uint32_t event;
    Slot lvar;
};
constexpr Door kDoors[] = {
    {1, 68368, 83637, Slot::Door0PositionValue}, {2, 68369, 83638, Slot::Door1PositionValue},
    {5, 68370, 83639, Slot::Door2PositionValue}, {6, 68371, 83640, Slot::Door3PositionValue},
    {7, 68374, 83645, Slot::Door4PositionValue}, {8, 68375, 83646, Slot::Door5PositionValue},
};

// Open doors close with the left button, others open with the right.
void DoorByValue(const Command& c) {
    for (const Door& door : kDoors) {
        if (door.value != c.value) continue;
        const auto reading = Lvar(c, door.lvar);
        if (reading && *reading >= 1.0) {
            Left(c, door.event);
        } else {
            Right(c, door.event);
        }
    }
}

void DoorByCode(const Command& c) {
    for (const Door& door : kDoors) {
        if (door.code == c.code) c.value < 1 ? Left(c, door.event) : Right(c, door.event);
    }
}

// Switches on each receiver that reads off; nothing for one that cannot be read.
void VhfReceivers(const Command& c) {
    if (!bridge::HasBridge(c.server)) return;
    const auto isOff = [&](Slot slot) {
        const auto reading = Lvar(c, slot);
        return reading && TruncateToInt32(*reading) == 0;
    };
    if (isOff(Slot::AudioVhf1ReceiveSwitch)) Left(c, 70371);
    Wait(c, 1);
    if (isOff(Slot::AudioVhf2ReceiveSwitch)) Left(c, 70372);
}

void Switch68410(const Command& c) {
    const auto reading = Lvar(c, Slot::Ngx74Switch);
    if (!reading) return Left(c, 69706);
    if (c.value != 0 ? TruncateToInt32(*reading) == 0 : *reading >= 1.0) Left(c, 69706);
    if (Whole(c, Slot::Ngx75Switch) == 0) {
        Wait(c, 200);
        Left(c, 69707);
    }
}

void Set299(const Command& c) {
    SetLvar(c, Slot::Ngx299Switch, c.value > 0 ? 100.0 : 0.0);
}

void Switches69930(const Command& c) {
    if (c.value != 0) {
        if (Whole(c, Slot::Ngx299Switch) == 0) {
            Left(c, 69931);
            Wait(c, 300);
        }
        if (Whole(c, Slot::Ngx298Switch) == 0) Left(c, 69930);
        return;
    }
    if (Whole(c, Slot::Ngx298Switch) > 0) {
        Left(c, 69930);
        Wait(c, 300);
    }
    if (Whole(c, Slot::Ngx299Switch) >= 1) Left(c, 69931);
}

void Switch69126(const Command& c) {
    if (pmdg::LvarOrZero(c.server, Slot::Ngx299Switch) > 0.0) Left(c, 69931);
}

void SunVisors(const Command& c) {
    if (!bridge::HasBridge(c.server)) return;
    SetLvar(c, Slot::CaptainSunVisorSwitch, c.value);
    Wait(c, 400);
    SetLvar(c, Slot::FirstOfficerSunVisorSwitch, c.value);
}

void Sequence69037(const Command& c) {
    const bool left = c.code == 69038;
    const auto click = [&](std::uint32_t event) { left ? Left(c, event) : Right(c, event); };
    Left(c, left ? 83636 : 83635);
    Wait(c, 1);
    click(70237);
    click(70237);
    Wait(c, 1);
    click(70309);
    click(70309);
}

void StartSequence(const Command& c) {
    if (c.value <= 0) return Left(c, 69953);
    c.server.ports.desktop.SetForegroundWindow(c.state.link.simulatorWindow);
    StartStartSequence(c.server);
}

void TimedSequence(const Command& c) {
    StartTimedSequence(c.server);
}
void PressAndHold(const Command& c) {
    StartPressAndHold(c.server);
}
void PositionKnob(const Command& c) {
    StartPositionKnob(c.server, c.value);
}
void FourDigits(const Command& c) {
    if (pmdg::IsKnobBusy(c.state.link)) return;
    StartFourDigits(c.server, c.value);
}
void Rewind(const Command& c) {
    HandOverToRewind(c.server, c.code == 69097 ? 1 : 2, c.value);
}
void CduSequence(const Command& c) {
    StartCduSequence(c.server, c.code);
}

// The events these rows are said to send are named with four digits, outside
// the add-on range every other row uses: which events are meant is not known,
// so they send nothing.
void Nothing(const Command&) {}

struct SpecialRow {
    std::uint32_t code;
    void (*run)(const Command&);
};

// clang-format off
constexpr SpecialRow kSpecialRows[] = {
    {65538, Shared}, {65539, Shared}, {65564, Shared}, {65595, Shared}, {65596, Shared}, {65598, Shared},
    {65602, Shared}, {65603, Shared}, {65604, Shared}, {65609, Shared}, {65617, Shared}, {65698, Shared},
    {65708, Shared}, {65709, Shared}, {65714, Shared}, {65758, Shared}, {65759, Shared}, {65762, Shared},
    {65763, Shared}, {65764, Shared}, {65789, Shared}, {65790, Shared}, {66040, Shared}, {66172, Shared},
    {66173, Shared}, {66174, Shared}, {66175, Shared}, {66176, Shared}, {66177, Shared}, {66178, Shared},
    {66179, Shared}, {66180, Shared}, {66181, Shared}, {66483, Shared}, {69109, Shared},
    {65707, ClickBothThenShared}, {66371, ClickBothThenShared},
    {66442, ClickThenShared},     {66443, ClickThenShared},
    {65832, ReceiverSwitch}, {65837, ReceiverSwitch}, {65833, ReceiverSwitch}, {65838, ReceiverSwitch},
    {65836, ReceiverSwitch}, {65841, ReceiverSwitch}, {66557, ReceiverSwitch}, {66558, ReceiverSwitch},
    {66061, LandingLights}, {68997, LandingLights},
    {67994, RunwayTurnoffLights},
    {66170, Selector66170},
    {68994, ByTens}, {67961, ByTens}, {67962, ByTens}, {67972, ByTens}, {67973, ByTens}, {67974, ByTens},
    {67975, ByTens}, {67976, ByTens}, {67977, ByTens}, {67978, ByTens}, {67979, ByTens},
    {68265, Selector68265}, {68266, Selector68266}, {68267, Selector68267}, {66379, Selector66379},
    {68179, Selector69890}, {68180, Selector69890},
    {68234, Variant68234}, {68235, Variant68234},
    {68104, Variant68104},
    {68611, Switch69978},
    {68968, Switch69861},
    {68396, Switch70347},
    {68448, Switch69769},
    {68429, Switch68429},
    {68097, RightHold70328},
    {68384, RightHold70100}, {68977, RightHold70100},
    {66276, Spring66276}, {66278, Spring66278}, {66277, Spring66277}, {66279, Spring66279},
    {65615, Spring65615}, {65607, Spring65607},
    {68836, Held69649},
    {66363, Held69659}, {68364, Held69659}, {68365, Held69659}, {66364, Held69659},
    {66389, DoorByValue},
    {68368, DoorByCode}, {68369, DoorByCode}, {68370, DoorByCode}, {68371, DoorByCode},
    {68374, DoorByCode}, {68375, DoorByCode},
    {66466, VhfReceivers},
    {68410, Switch68410},
    {68430, Set299},
    {69125, Switches69930},
    {69126, Switch69126},
    {69133, SunVisors},
    {69037, Sequence69037}, {69038, Sequence69037},
    {68656, StartSequence},
    {65852, TimedSequence},
    {68978, PressAndHold},
    {68715, PositionKnob},
    {65715, FourDigits},
    {69097, Rewind}, {69098, Rewind},
    {68367, CduSequence}, {68379, CduSequence}, {68730, CduSequence}, {68731, CduSequence},
    {68981, Nothing}, {68982, Nothing}, {69008, Nothing},
};
// clang-format on

// Every code in one row only, and none among the CDU keys.
static_assert(CodesAreDistinct(kPatternRows, kSpecialRows) && NoCodeIn(IsCduCode, kPatternRows, kSpecialRows),
              "one row per code");

// Events of the special rows and the workers, which no pattern row names.
// clang-format off
constexpr std::uint32_t kOtherEvents[] = {
    70536, 70559, 70378, 70379, 70380, 70381, 69743, 69744, 69745, 69746, 69747, 69748,
    70001, 70423, 70424, 70550, 70548,
    69992, 70048, 69995, 70051, 69996, 70052, 69994, 70050,
    70002, 70003, 70004, 70005, 70006, 70007, 70057, 70058, 70059, 70060, 70061, 70062, 70063,
    69755, 69890, 69638, 69637, 70606, 70504, 69828, 69978, 69861, 70347, 69769, 70328, 70100,
    70442, 70443, 70310, 69649, 69659, 69660, 69661, 69662,
    83637, 83638, 83639, 83640, 83645, 83646, 70371, 70372, 69706, 69707, 69930, 69931,
    83635, 83636, 70237, 70309, 69952, 69953,
    // Workers: timed sequence, press and hold, position knob, four digits,
    // rewinds, CDU clear.
    71634, 71635, 71636, 71637, 70074, 70021, 70436, 70437, 70440, 70439, 69988, 69987,
    kCduClearLeft, kCduClearLeft + kRightCdu,
};
// clang-format on

}  // namespace

std::span<const std::uint32_t> EventsSent() {
    static const std::vector<std::uint32_t> events =
        pmdg::EventsSent({std::begin(kOtherEvents), std::end(kOtherEvents)}, kPatternRows, kCduEvents, kRightCdu);
    return events;
}

void RunCommand(Server& server, std::uint32_t code, std::int32_t value) {
    Pmdg737State& state = server.adapters.pmdg737;
    const pmdg::Sender sender = pmdg::CurrentSender(server, state.link);
    if (IsCduCode(code)) return PressCduKey(sender, code, value);
    if (const pmdg::PatternRow* row = pmdg::FindPatternRow(kPatternRows, code)) {
        return pmdg::RunPatternRow(sender, *row, value);
    }
    for (const SpecialRow& row : kSpecialRows) {
        if (row.code == code) return row.run({sender, server, state, code, value});
    }
}

}  // namespace tarvo::adapters::pmdg737
