// The PMDG 777's command set: the CDU keys, the rows that follow a common
// pattern, and the rows that decide more than a pattern can say.
#include "adapters/pmdg777/Pmdg777.h"

#include "adapters/RowCodes.h"
#include "adapters/generic/GenericAdapter.h"
#include "adapters/pmdg/CduKeys.h"
#include "adapters/pmdg/Patterns.h"
#include "adapters/pmdg/SdkWorkers.h"
#include "base/Convert.h"
#include "bridge/Registry.h"

#include <array>
#include <memory>
#include <vector>

namespace tarvo::adapters::pmdg777 {
namespace {

using platform::ThreadPriority;
using pmdg::Button;
using pmdg::Mouse;
using pmdg::P1;
using pmdg::P2;
using pmdg::P3;
using pmdg::P4;
using pmdg::P9;
using pmdg::Steps;

// ---- CDU keys ---------------------------------------------------------------

using pmdg::kFirstCduKey;
constexpr std::uint32_t kCduHold = 69629;
constexpr std::size_t kCduKeys = kCduHold - kFirstCduKey + 1;

// The first officer's key is the captain's plus this, but for the two below.
constexpr std::uint32_t kRightCdu = 73;
constexpr std::uint32_t kOddKeyCode = 69571;
constexpr std::uint32_t kOddKeyLeft = 73103;
constexpr std::uint32_t kOddKeyRight = 73833;
// A key only the first officer's CDU has; its event is already the right one.
constexpr std::uint32_t kRightOnlyCode = 69566;
constexpr std::uint32_t kRightOnlyEvent = 70056;

constexpr std::uint32_t kHoldKeyLeft = 70027;
constexpr std::uint32_t kHoldKeyRight = 70100;
constexpr std::uint32_t kHoldMilliseconds = 3000;

// clang-format off
constexpr pmdg::CduKeyRange kCduKeyRanges[] = {
    {69537, 69548, 69960}, {69549, 69549, 69981}, {69550, 69551, 69984}, {69552, 69552, 69979},
    {69553, 69553, 69975}, {69554, 69554, 69977}, {69555, 69555, 69974}, {69556, 69556, 69982},
    {69559, 69559, 69972}, {69561, 69561, 69980}, {69565, 69565, 69978}, {69568, 69568, 70024},
    {69569, 69569, 69976}, {69570, 69570, 69973}, {69580, 69580, 70025}, {69581, 69581, 69997},
    {69582, 69582, 69995}, {69583, 69583, 70026}, {69584, 69584, 69996}, {69585, 69593, 69986},
    {69601, 69626, 69998},
};
// clang-format on

constexpr std::array<std::uint32_t, kCduKeys> kCduEvents = pmdg::CduEvents<kCduKeys>(kCduKeyRanges);
static_assert(kCduEvents[0] == 69960 && kCduEvents[69626 - kFirstCduKey] == 70023 &&
              kCduEvents[69557 - kFirstCduKey] == 0);

constexpr bool IsCduCode(std::uint32_t code) {
    return code >= kFirstCduKey && code <= kCduHold;
}

// The first officer's CDU while the aircraft has power to it or value asks
// for it, else the captain's on value 1; nothing without the bridge, since
// the power variables cannot be read.
enum class Cdu { None, Left, Right };
Cdu ChooseCdu(Server& server, std::int32_t value) {
    if (!bridge::HasBridge(server)) return Cdu::None;
    for (const Slot power : {Slot::T7x03Switch, Slot::GroundPowerUnitSwitch, Slot::T7xTerminalPowerState}) {
        if (pmdg::LvarOrZero(server, power) > 0.0) return Cdu::Right;
    }
    if (value == 2) return Cdu::Right;
    if (value == 1) return Cdu::Left;
    return Cdu::None;
}

pmdg::SdkLink& Link(Server& server) {
    return server.adapters.pmdg777.link;
}

bool Start(Server& server, ThreadPriority priority, std::function<void(const pmdg::Sender&)> body) {
    return pmdg::StartSdkWorker(server, Link(server), priority, std::move(body));
}

// Press, hold for the wait on the click event, release. The worker keeps the
// event alive for its wait; without one it does not wait.
void StartCduHold(Server& server, std::uint32_t event) {
    std::shared_ptr<const ClickEvent> click;
    {
        Pmdg777State& state = server.adapters.pmdg777;
        const std::lock_guard<std::mutex> lock(state.clickEventMutex);
        click = state.clickEvent;
    }
    Start(server, ThreadPriority::Normal, [event, click](const pmdg::Sender& sender) {
        pmdg::Send(sender, event, Mouse::LeftPress);
        if (click) click->threads.WaitEvent(click->id, kHoldMilliseconds);
        pmdg::Send(sender, event, Mouse::LeftRelease);
    });
}

void PressCduKey(const pmdg::Sender& sender, std::uint32_t code, std::int32_t value) {
    Server& server = *sender.server;
    const Cdu cdu = ChooseCdu(server, value);
    if (cdu == Cdu::None) return;
    const bool right = cdu == Cdu::Right;
    if (code == kCduHold) return StartCduHold(server, right ? kHoldKeyRight : kHoldKeyLeft);
    if (code == kRightOnlyCode) {
        if (right) pmdg::Click(sender, kRightOnlyEvent, Button::Left);
        return;
    }
    if (code == kOddKeyCode) {
        pmdg::Click(sender, right ? kOddKeyRight : kOddKeyLeft, Button::Left);
        return;
    }
    const std::uint32_t left = kCduEvents[code - kFirstCduKey];
    if (left == 0) return;
    pmdg::Click(sender, right ? left + kRightCdu : left, Button::Left);
}

// ---- Rows that follow a pattern -----------------------------------------------

// clang-format off
constexpr pmdg::PatternRow kPatternRows[] = {
    P1(65560, 69754), P1(65580, 69835), P1(65723, 69859), P1(65724, 69860), P1(65725, 69851),
    P1(65726, 69858), P1(65729, 69859), P1(65752, 70147), P1(65860, 69836, 69837), P1(65861, 70132),
    P1(65919, 70152), P1(65920, 70153), P1(66065, 74613), P1(66067, 74613), P1(66080, 69927),
    P1(66096, 69840), P1(66099, 69855), P1(66239, 69746), P1(66240, 69753), P1(66288, 69834),
    P1(66376, 69748), P1(66378, 69749), P1(66379, 69747), P1(66711, 69838), P1(67936, 70716),
    P1(67937, 71732), P1(67938, 71883), P1(67939, 69850), P1(67942, 69861), P1(67947, 69862),
    P1(67950, 69845), P1(67951, 69844), P1(67952, 69843), P1(68112, 70381), P1(68153, 69809),
    P1(68155, 69809), P1(68160, 69852),
    P1(68777, 70139, 74704), P1(68778, 70139, 74705), P1(68779, 70139, 74706),
    P1(68780, 70139, 74707), P1(68781, 70139, 74708), P1(68782, 70139, 74709),
    P1(68843, 70361),
    P2(67989, 69806), P2(68105, 69775), P2(68113, 70381),
    P3(66036, 69854), P3(66037, 69842), P3(66040, 70447), P3(66042, 71812), P3(66124, 71882),
    P4(69134, 70710), P4(69135, 70712),
    // Positions from the lvars, stepping toward 0 with the left button.
    P9(Steps::S1, 68324, pmdg::InLvar(Slot::T7x35Switch), 69667, Button::Left),
    P9(Steps::S1, 68325, pmdg::InLvar(Slot::T7x40Switch), 69668, Button::Left),
    P9(Steps::S1, 68326, pmdg::InLvar(Slot::T7x41Switch), 69669, Button::Left),
    P9(Steps::S1, 68327, pmdg::InLvar(Slot::T7x38Switch), 69670, Button::Left),
    // Their positions would come from variables the aircraft's list does not
    // hold: they read as 0.
    P9(Steps::S2, 69002, pmdg::AtZero(), 69816, Button::Right),
    P9(Steps::S2, 69003, pmdg::AtZero(), 69821, Button::Right),
    P9(Steps::S2, 69068, pmdg::AtZero(), 69883, Button::Right),
    P9(Steps::S2, 69069, pmdg::AtZero(), 69888, Button::Right),
};
// clang-format on

// ---- Rows that decide more than a pattern can say -------------------------------

struct Command {
    const pmdg::Sender& sender;
    Server& server;
    Pmdg777State& state;
    std::uint32_t code;
    std::int32_t value;
};

void Left(const Command& c, std::uint32_t event) {
    pmdg::Click(c.sender, event, Button::Left);
}
void Right(const Command& c, std::uint32_t event) {
    pmdg::Click(c.sender, event, Button::Right);
}
// The lvar truncated, 0 when it cannot be read (as the bridge reads it then).
std::int32_t Whole(const Command& c, Slot slot) {
    return TruncateToInt32(pmdg::LvarOrZero(c.server, slot));
}

// The generic command set, on the main connection.
void Shared(const Command& c) {
    generic::RunCommand(c.server, c.code, c.value);
}

// Selectors whose value below 10 clicks one event and from 10 on another.
struct ByTensRow {
    std::uint32_t code;
    std::uint32_t below10;  // 0: nothing
    std::uint32_t from10;   // 0: nothing
};
// clang-format off
constexpr ByTensRow kByTensRows[] = {
    {67957, 69822, 69890}, {67960, 69824, 69891}, {67961, 69825, 69892}, {67962, 69826, 69893},
    {67973, 69827, 69894}, {67974, 69828, 69895}, {67975, 69829, 69896}, {67976, 69830, 69897},
    {67977, 69831, 72293}, {67978, 69832, 69899}, {67979, 69833, 69900},
    // Its second event is named with four digits, outside the add-on range:
    // which event is meant is not known, so it sends nothing.
    {67972, 69820, 0},
    {68994, 0, 69885},
};
// clang-format on

void ByTens(const Command& c) {
    for (const ByTensRow& row : kByTensRows) {
        if (row.code != c.code) continue;
        const std::uint32_t event = c.value < 10 ? row.below10 : row.from10;
        if (event != 0) Left(c, event);
        return;
    }
}

void Switch74614(const Command& c) {
    Left(c, c.value > 0 ? 74614 : 74613);
}

void Selector74613(const Command& c) {
    switch (c.value) {
        case 0:
            return Left(c, 74613);
        case 8000:
            return Left(c, 74616);
        case 16383:
            return Left(c, 74615);
        default:
            return;
    }
}

// The speed window is blanked (-1) or open; each command clicks toward its own.
constexpr std::int32_t kWindowBlank = -1;
void SpeedWindowBlank(const Command& c) {
    if (Whole(c, Slot::T7xSpeedWindowValue) == kWindowBlank) Left(c, 71732);
}
void SpeedWindowOpen(const Command& c) {
    if (Whole(c, Slot::T7xSpeedWindowValue) != kWindowBlank) Left(c, 71732);
}

constexpr std::uint8_t kVariantByteFreighter = 5;
void Variant68104(const Command& c) {
    Right(c, pmdg::Byte(c.state.link, 489) == kVariantByteFreighter ? 70684 : 69774);
}

void Switch69750(const Command& c) {
    if (Whole(c, Slot::T7x118Switch) == 100) {
        Right(c, 69750);
        c.server.ports.clock.Sleep(300);
    }
    pmdg::Send(c.sender, 69750, c.value > 0 ? Mouse::RightPress : Mouse::RightRelease);
}

constexpr std::uint32_t kStartSwitch = 69805;
void StartSequence(const Command& c) {
    if (c.value <= 0) return Left(c, kStartSwitch);
    Start(c.server, ThreadPriority::BelowNormal, [](const pmdg::Sender& sender) {
        pmdg::Click(sender, kStartSwitch, Button::Left);
        if (!pmdg::Pause(sender, 1000)) return;
        pmdg::Send(sender, kStartSwitch, Mouse::LeftPress);
        if (!pmdg::Pause(sender, 1500)) return;
        pmdg::Send(sender, kStartSwitch, Mouse::LeftRelease);
        if (!pmdg::Pause(sender, 1000)) return;
        pmdg::Click(sender, kStartSwitch, Button::Right);
    });
}

// Rows that would send an event with a parameter, which this link does not
// carry, or write variables the aircraft's list does not hold: no effect.
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
    {65763, Shared}, {65764, Shared}, {65789, Shared}, {65790, Shared}, {66172, Shared}, {66173, Shared},
    {66174, Shared}, {66175, Shared}, {66176, Shared}, {66177, Shared}, {66178, Shared}, {66179, Shared},
    {66180, Shared}, {66181, Shared}, {66483, Shared}, {69109, Shared},
    {67957, ByTens}, {67960, ByTens}, {67961, ByTens}, {67962, ByTens}, {67972, ByTens}, {67973, ByTens},
    {67974, ByTens}, {67975, ByTens}, {67976, ByTens}, {67977, ByTens}, {67978, ByTens}, {67979, ByTens},
    {68994, ByTens},
    {65853, Switch74614},
    {65786, Selector74613},
    {65859, SpeedWindowBlank}, {68206, SpeedWindowOpen},
    {68104, Variant68104},
    {68611, Switch69750},
    {68656, StartSequence},
    {68711, Nothing},
    {65751, Nothing}, {66061, Nothing}, {66389, Nothing},
    {68368, Nothing}, {68369, Nothing}, {68370, Nothing}, {68371, Nothing}, {68372, Nothing},
    {68373, Nothing}, {68374, Nothing}, {68375, Nothing}, {68376, Nothing}, {68378, Nothing},
    {66596, Nothing}, {66704, Nothing}, {66705, Nothing}, {67993, Nothing}, {67994, Nothing},
    {68156, Nothing}, {68157, Nothing}, {68270, Nothing}, {68271, Nothing}, {68315, Nothing},
    {68316, Nothing}, {68385, Nothing}, {68776, Nothing}, {68836, Nothing}, {68839, Nothing},
    {68709, Nothing},
    {68367, Nothing}, {68379, Nothing}, {68730, Nothing}, {68731, Nothing},
    {69133, Nothing},
};
// clang-format on

// Every code in one row only, and none among the CDU keys.
static_assert(CodesAreDistinct(kPatternRows, kSpecialRows) && NoCodeIn(IsCduCode, kPatternRows, kSpecialRows),
              "one row per code");

// Events of the special rows and the workers, which no pattern row names.
// clang-format off
constexpr std::uint32_t kOtherEvents[] = {
    kOddKeyLeft, kOddKeyRight, kRightOnlyEvent, kHoldKeyLeft, kHoldKeyRight,
    74613, 74614, 74615, 74616, 71732, 69774, 70684, 69750, kStartSwitch,
};
// clang-format on

// The other events and those of the rows that choose by tens.
std::vector<std::uint32_t> OtherEvents() {
    std::vector<std::uint32_t> events(std::begin(kOtherEvents), std::end(kOtherEvents));
    for (const ByTensRow& row : kByTensRows) {
        if (row.below10 != 0) events.push_back(row.below10);
        if (row.from10 != 0) events.push_back(row.from10);
    }
    return events;
}

}  // namespace

std::span<const std::uint32_t> EventsSent() {
    static const std::vector<std::uint32_t> events =
        pmdg::EventsSent(OtherEvents(), kPatternRows, kCduEvents, kRightCdu);
    return events;
}

void RunCommand(Server& server, std::uint32_t code, std::int32_t value) {
    Pmdg777State& state = server.adapters.pmdg777;
    const pmdg::Sender sender = pmdg::CurrentSender(server, state.link);
    if (IsCduCode(code)) return PressCduKey(sender, code, value);
    if (const pmdg::PatternRow* row = pmdg::FindPatternRow(kPatternRows, code)) {
        return pmdg::RunPatternRow(sender, *row, value);
    }
    for (const SpecialRow& row : kSpecialRows) {
        if (row.code == code) return row.run({sender, server, state, code, value});
    }
}

}  // namespace tarvo::adapters::pmdg777
