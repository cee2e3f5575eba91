#include "link/LinkWindow.h"

#include "adapters/Selection.h"
#include "atc/AtcMenu.h"
#include "keys/Keys.h"
#include "link/Messages.h"
#include "link/Overlay.h"
#include "link/Protocol.h"
#include "link/Reports.h"
#include "sim/Session.h"
#include "sound/Sound.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace tarvo::link {
namespace {

// A handler's answer: a result, or nullopt for "then default" (the default
// window procedure runs after the action and its result is returned).
using Answer = std::optional<MessageResult>;

struct Incoming {
    WindowId window;
    std::uint32_t message;
    WParam wParam;
    LParam lParam;
    const platform::CopyData* copyData;
};

using Handler = Answer (*)(Server&, const Incoming&);

constexpr Answer kDefault = std::nullopt;
constexpr std::size_t kAtomChars = 63;
constexpr std::uint32_t kFilteredCommand = 0x100C9;  // never run through 39374
constexpr std::uint32_t kUnshownString = 1074;

std::uint8_t LowByte(std::uint64_t value) { return static_cast<std::uint8_t>(value & 0xFF); }

// ---- Window messages -------------------------------------------------------

Answer OnCreate(Server& server, const Incoming&) {
    server.ports.threads.SetCurrentThreadPriority(platform::ThreadPriority::Lowest);
    return kDefault;
}

Answer OnPaint(Server& server, const Incoming& in) {
    server.ports.desktop.PaintBlack(in.window);
    return kDefault;
}

Answer OnClose(Server& server, const Incoming&) {
    // Only a known crew app makes the server leave; the window goes either way.
    const WindowId crew = server.host.crewWindow;
    if (crew != 0) {
        server.host.running = false;
        server.ports.desktop.Post(crew, kMsgServerLeaving, 0, 0);
        server.host.crewWindow = 0;
    }
    return kDefault;
}

// ---- WM_COPYDATA records ---------------------------------------------------

Answer OnOverlayTextRecord(Server& server, const platform::CopyData& record) {
    if (server.link.customText && !record.bytes.empty()) {
        auto& text = server.link.overlayText;
        text.fill(0);
        std::memcpy(text.data(), record.bytes.data(), std::min(record.bytes.size(), text.size() - 1));
    }
    return kDefault;
}

Answer OnInitialPositionRecord(Server& server, const platform::CopyData& record) {
    // A record shorter than a position would leave half of it to chance: refuse it.
    SIMCONNECT_DATA_INITPOSITION position;
    if (record.bytes.size() < sizeof(position)) return 0;
    std::memcpy(&position, record.bytes.data(), sizeof(position));
    constexpr std::uint32_t kInitialPositionDefinition = 13;
    return server.ports.simConnect.SetDataOnSimObject(server.host.session, kInitialPositionDefinition,
                                                      SIMCONNECT_OBJECT_ID_USER, 0, 0, sizeof(position),
                                                      &position) >= 0
               ? 1
               : 0;
}

Answer OnFlightPlanRecord(Server& server, const platform::CopyData& record) {
    // The path ends at its terminator or at the end of the record, whichever comes
    // first. An empty record may have no bytes to point at: its path is empty.
    std::string path;
    if (!record.bytes.empty()) {
        const auto* text = reinterpret_cast<const char*>(record.bytes.data());
        path.assign(text, ::strnlen(text, record.bytes.size()));
    }
    return server.ports.simConnect.FlightPlanLoad(server.host.session, path.c_str()) >= 0 ? 1 : 0;
}

Answer OnVersionRecord(Server& server, const platform::CopyData& record) {
    if (record.bytes.empty()) return kDefault;
    std::int32_t version = 0;
    std::memcpy(&version, record.bytes.data(), std::min<std::size_t>(record.bytes.size(), sizeof(version)));
    if (version == server.host.versionNumber) return 1;
    server.host.running = false;
    return 0;
}

Answer OnCopyData(Server& server, const Incoming& in) {
    if (in.copyData == nullptr) return kDefault;  // no readable record
    switch (in.copyData->kind) {
        case 613: return OnOverlayTextRecord(server, *in.copyData);
        case 617: return OnInitialPositionRecord(server, *in.copyData);
        case 618: return OnFlightPlanRecord(server, *in.copyData);
        case 887: return OnVersionRecord(server, *in.copyData);
        default: return kDefault;
    }
}

// ---- The crew app's messages -----------------------------------------------

Answer OnShowOverlay(Server& server, const Incoming& in) {
    auto& text = server.link.overlayText;
    const auto stringId = static_cast<std::uint32_t>(in.wParam);
    if (stringId != 0) {
        text.fill(0);
        if (stringId == kUnshownString) return kDefault;
        const std::string loaded = server.ports.desktop.ProgramString(stringId, text.size() - 1);
        std::memcpy(text.data(), loaded.data(), loaded.size());
        if (loaded.empty()) return kDefault;
    }
    ShowOverlayText(server, text.data(), static_cast<std::uint32_t>(in.lParam), false);
    return kDefault;
}

Answer OnHideOverlay(Server& server, const Incoming&) {
    HideOverlay(server);
    return 0;
}

Answer OnSelectAircraft(Server& server, const Incoming& in) {
    adapters::SelectAdapter(server, static_cast<std::int32_t>(in.wParam), in.lParam);
    return 0;
}

Answer OnPressKey(Server& server, const Incoming& in) {
    keys::PressKey(server, LowByte(in.wParam), LowByte(static_cast<std::uint64_t>(in.lParam)));
    return 1;
}

Answer OnKeyDown(Server& server, const Incoming& in) {
    keys::KeyDown(server, LowByte(in.wParam), LowByte(static_cast<std::uint64_t>(in.lParam)));
    return 1;
}

Answer OnKeyUp(Server& server, const Incoming& in) {
    keys::KeyUp(server, LowByte(in.wParam), LowByte(static_cast<std::uint64_t>(in.lParam)));
    return 1;
}

Answer OnReadAtcMenu(Server& server, const Incoming& in) {
    if (server.atc.sourceMode == 0) atc::ReadAtcMenu(server, in.lParam > 0);
    return 0;
}

Answer OnAskAtcNotice(Server& server, const Incoming&) {
    return server.ports.desktop.Post(server.host.crewWindow, kMsgAtcMenuChanged, 0, 0) ? 1 : 0;
}

Answer OnStartLoopingSound(Server& server, const Incoming&) {
    sound::PlayLoopingSound(server);
    return 1;
}

Answer OnStopLoopingSound(Server& server, const Incoming&) {
    sound::StopLoopingSound(server);
    return 1;
}

Answer OnPlayOneShotSound(Server& server, const Incoming&) {
    sound::PlayOneShotSound(server);
    return 1;
}

Answer OnTakeOverlay(Server& server, const Incoming&) {
    server.link.customText = true;
    std::unique_lock<std::mutex> lock(server.host.locks.overlay, std::try_to_lock);
    if (lock.owns_lock()) {
        // Stops a pending auto-hide without hiding the line.
        server.link.overlayVisible = false;
        server.link.overlayHideTime = server.ports.clock.TickCount();
    }
    return kDefault;
}

Answer OnAllowCustomText(Server& server, const Incoming&) {
    server.link.customText = true;
    return kDefault;
}

Answer OnForbidCustomText(Server& server, const Incoming&) {
    server.link.customText = false;
    return kDefault;
}

Answer OnCrewAnnounce(Server& server, const Incoming& in) {
    server.host.crewWindow = static_cast<WindowId>(in.wParam);
    sim::RequestAircraftIdentity(server);
    return kDefault;
}

Answer OnCrewLeaving(Server& server, const Incoming&) {
    server.host.crewWindow = 0;
    ShowOverlayText(server, "[ZUL] The Crew is leaving. See you next time!", 2500, false);
    server.ports.clock.Sleep(3700);
    server.host.running = false;
    return 0;
}

Answer OnAtcSource(Server& server, const Incoming& in) {
    server.atc.sourceMode = static_cast<std::int32_t>(in.wParam);
    if (server.atc.sourceMode == 0) atc::StartAtcReader(server);
    return 0;
}

Answer OnChooseAtcEntry(Server& server, const Incoming& in) {
    return atc::ChooseAtcEntry(server, static_cast<std::uint32_t>(in.wParam)) ? 1 : 0;
}

Answer OnCommand(Server& server, const Incoming& in) {
    const auto code = static_cast<std::uint32_t>(in.wParam);
    if (code != kFilteredCommand) {
        server.adapters.table.RunCommand(server, code, static_cast<std::int32_t>(in.lParam));
    }
    return 0;
}

Answer OnSetUpSounds(Server& server, const Incoming& in) {
    if (!sound::SetUpSounds(server, in.wParam, static_cast<std::int32_t>(in.lParam))) return 0;
    return kDefault;
}

Answer OnBringSimulatorForward(Server& server, const Incoming&) {
    server.ports.desktop.SetForegroundWindow(server.host.simulatorWindow);
    return kDefault;
}

Answer OnPositionLineOn(Server& server, const Incoming&) {
    server.host.positionLine = true;
    return kDefault;
}

Answer OnPositionLineOff(Server& server, const Incoming&) {
    server.host.positionLine = false;
    return kDefault;
}

// ---- Queries (message 39383) -----------------------------------------------

MessageResult ReplyWithAtom(Server& server, const std::string& text) {
    const AtomId atom = server.ports.desktop.AddGlobalAtom(text);
    return atom == 0 ? 1 : AtomResult(atom);
}

MessageResult QueryValue(Server& server, LParam code) {
    ValueQuery query;
    query.code = static_cast<std::uint32_t>(code);
    server.adapters.table.QueryValue(server, query);
    return ReplyWithAtom(server, ValueQueryText(query.tag, query.value));
}

MessageResult QueryFlightPlan(Server& server) {
    const std::string_view path(server.session.flightPlanPath.data());
    return path.size() >= 5 ? ReplyWithAtom(server, std::string(path)) : 1;
}

MessageResult QueryNamedVariable(Server& server, LParam atom) {
    const auto name = server.ports.desktop.AtomText(static_cast<AtomId>(atom), kAtomChars);
    if (!name) return 1;
    std::array<std::uint8_t, 8> value{};  // never written by the lookup
    std::int32_t integer = 0;
    std::string text;
    LookUpNamedVariable(server, *name, integer, text);
    return ReplyWithAtom(server, NamedQueryText(value, integer, text.substr(0, kAtomChars)));
}

MessageResult QueryCommandByAtom(Server& server, LParam atom) {
    const auto text = server.ports.desktop.AtomText(static_cast<AtomId>(atom), kAtomChars);
    if (!text) return 1;
    const auto command = ParseCommandAtom(*text);
    if (!command) return 1;
    // Unlike message 39374, no code is filtered here.
    server.adapters.table.RunCommand(server, command->code, static_cast<std::int32_t>(command->value));
    return 0;
}

Answer OnQuery(Server& server, const Incoming& in) {
    switch (in.wParam) {
        case 1: return QueryValue(server, in.lParam);
        case 6: return SendSnapshot(server);
        case 11: return atc::SendAtcText(server, in.lParam > 0);
        case 12: return QueryFlightPlan(server);
        case 14: return QueryNamedVariable(server, in.lParam);
        case 15: return QueryCommandByAtom(server, in.lParam);
        case 24:
            if (server.adapters.table.SendTakeoffData != nullptr) {
                server.adapters.table.SendTakeoffData(server, server.host.crewWindow, server.host.linkWindow);
            }
            return 1;
        default: return 1;
    }
}

struct MessageRow {
    std::uint32_t message;
    Handler handle;
};

// Every message with a handler; all others get the default window procedure.
// clang-format off
constexpr MessageRow kMessages[] = {
    {1,     OnCreate},                 // WM_CREATE
    {15,    OnPaint},                  // WM_PAINT
    {16,    OnClose},                  // WM_CLOSE
    {74,    OnCopyData},               // WM_COPYDATA
    {39177, OnShowOverlay},
    {39178, OnHideOverlay},
    {39189, OnSelectAircraft},
    {39190, OnPressKey},
    {39191, OnReadAtcMenu},
    {39192, OnAskAtcNotice},
    {39193, OnStartLoopingSound},
    {39194, OnStopLoopingSound},
    {39196, OnPlayOneShotSound},
    {39198, OnTakeOverlay},
    {39221, OnKeyDown},
    {39222, OnKeyUp},
    {39244, OnAllowCustomText},
    {39245, OnForbidCustomText},
    {39368, OnCrewAnnounce},
    {39369, OnCrewLeaving},
    {39370, OnAtcSource},
    {39373, OnChooseAtcEntry},
    {39374, OnCommand},
    {39379, OnSetUpSounds},
    {39383, OnQuery},
    {39404, OnBringSimulatorForward},
    {39405, OnPositionLineOn},
    {39406, OnPositionLineOff},
};
// clang-format on

constexpr bool IsRisingByMessage() {
    for (std::size_t i = 1; i < std::size(kMessages); ++i) {
        if (kMessages[i - 1].message >= kMessages[i].message) return false;
    }
    return true;
}
static_assert(IsRisingByMessage(), "the lookup searches the rows by message");

// The crew app's messages, in the order they are allowed through the filter.
// 39404-39406 are handled but not listed: only processes of the same or lower
// integrity level reach them.
constexpr std::uint32_t kAllowedMessages[] = {
    74,    39383, 39385, 39370, 39372, 39373, 39374, 39379, 39215, 39195,
    39199, 39223, 39243, 39191, 39177, 39178, 39378, 39192, 39190, 39221,
    39222, 39193, 39194, 39196, 39376, 39377, 39384, 39395, 39188, 39217,
    39189, 39198, 39367, 39218, 39368, 39369, 39244, 39245, 39246, 39401,
    39247, 39248, 273,   39176, 16,    39402, 39249, 39250, 39197, 39255,
};
static_assert(std::size(kAllowedMessages) == 50);

}  // namespace

MessageResult LinkWindowProcedure::OnMessage(WindowId window, std::uint32_t message, WParam wParam, LParam lParam,
                                             const platform::CopyData* copyData) {
    const auto row = std::lower_bound(std::begin(kMessages), std::end(kMessages), message,
                                      [](const MessageRow& r, std::uint32_t key) { return r.message < key; });
    if (row != std::end(kMessages) && row->message == message) {
        if (const Answer answer = row->handle(server_, {window, message, wParam, lParam, copyData})) return *answer;
    }
    return server_.ports.desktop.DefaultProcedure(window, message, wParam, lParam);
}

bool AllowCrewMessages(Server& server) {
    bool allAllowed = true;
    for (std::uint32_t message : kAllowedMessages) {
        allAllowed = server.ports.desktop.AllowMessage(server.host.linkWindow, message) && allAllowed;
    }
    return allAllowed;
}

}  // namespace tarvo::link
