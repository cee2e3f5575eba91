#include "adapters/pmdg/Patterns.h"

#include "base/Convert.h"
#include "bridge/Registry.h"

#include <algorithm>
#include <utility>

namespace tarvo::adapters::pmdg {
namespace {

bool IsOn(double reading, OnTest on) {
    switch (on) {
        case OnTest::AtLeast1:
            return reading >= 1.0;
        case OnTest::Above0:
            return reading > 0.0;
        case OnTest::Below100:
            return reading < 100.0;
    }
    return false;
}

// A byte or word of the block, or an lvar truncated; nothing for an lvar that
// cannot be read.
std::optional<std::int64_t> Position(const Sender& sender, const Source& source) {
    switch (source.kind) {
        case SourceKind::None:
            return std::nullopt;
        case SourceKind::Byte:
            return Byte(*sender.link, source.offset);
        case SourceKind::Word32:
            return U32(*sender.link, source.offset);
        case SourceKind::Lvar:
            if (const auto reading = ReadLvar(*sender.server, source.slot)) return TruncateToInt32(*reading);
            return std::nullopt;
        case SourceKind::Zero:
            return 0;
    }
    return std::nullopt;
}

void Clicks(const Sender& sender, std::uint32_t event, Button button, int count) {
    for (int i = 0; i < count; ++i) Click(sender, event, button);
}

// The first event, then the second one after the row's pause.
void ClickEvents(const Sender& sender, const PatternRow& row, Button button) {
    Click(sender, row.event, button);
    if (row.secondEvent == 0) return;
    if (row.pauseMilliseconds != 0) sender.server->ports.clock.Sleep(row.pauseMilliseconds);
    Click(sender, row.secondEvent, button);
}

void StepThreePositions(const Sender& sender, const PatternRow& row, std::int32_t requested) {
    const auto current = Position(sender, row.source);
    if (!current) return;
    const Button toward0 = row.button;
    const Button toward2 = Other(toward0);
    switch (requested) {
        case 0:
            Clicks(sender, row.event, toward0, row.steps == Steps::S1 || *current == 2 ? 2 : 1);
            return;
        case 2:
            Clicks(sender, row.event, toward2, row.steps == Steps::S1 || *current == 0 ? 2 : 1);
            return;
        case 1:
            if (*current == 0) Click(sender, row.event, toward2);
            if (*current == 2) Click(sender, row.event, toward0);
            return;
        default:
            return;
    }
}

}  // namespace

const PatternRow* FindPatternRow(std::span<const PatternRow> rows, std::uint32_t code) {
    for (const PatternRow& row : rows) {
        if (row.code == code) return &row;
    }
    return nullptr;
}

std::vector<std::uint32_t> EventsSent(std::vector<std::uint32_t> others, std::span<const PatternRow> rows,
                                      std::span<const std::uint32_t> cduEvents, std::uint32_t rightCdu) {
    std::vector<std::uint32_t> events = std::move(others);
    for (const PatternRow& row : rows) {
        events.push_back(row.event);
        if (row.secondEvent != 0) events.push_back(row.secondEvent);
    }
    for (const std::uint32_t left : cduEvents) {
        if (left == 0) continue;
        events.push_back(left);
        events.push_back(left + rightCdu);
    }
    std::sort(events.begin(), events.end());
    events.erase(std::unique(events.begin(), events.end()), events.end());
    return events;
}

std::optional<double> ReadLvar(Server& server, Slot slot) {
    if (!bridge::HasBridge(server)) return std::nullopt;
    const std::uint16_t id = SlotId(server, slot);
    if (id == bridge::kNotFound) return std::nullopt;
    return bridge::GetLvarValue(server, id);
}

double LvarOrZero(Server& server, Slot slot) {
    return ReadLvar(server, slot).value_or(0.0);
}

void RunPatternRow(const Sender& sender, const PatternRow& row, std::int32_t value) {
    Server& server = *sender.server;
    const bool up = value > 0;
    switch (row.pattern) {
        case Pattern::Press:
            return ClickEvents(sender, row, Button::Left);
        case Pattern::PressRight:
            return ClickEvents(sender, row, Button::Right);
        case Pattern::BySign:
            return ClickEvents(sender, row, up ? Button::Right : Button::Left);
        case Pattern::Hold:
            Send(sender, row.event, up ? Mouse::LeftPress : Mouse::LeftRelease);
            return;
        case Pattern::GuardedOff: {
            const auto reading = ReadLvar(server, row.source.slot);
            if (up || !reading || IsOn(*reading, row.on)) Click(sender, row.event, Button::Left);
            return;
        }
        case Pattern::GuardedBoth: {
            const auto reading = ReadLvar(server, row.source.slot);
            const bool toward = !reading || (up ? TruncateToInt32(*reading) == 0 : IsOn(*reading, row.on));
            if (toward) Click(sender, row.event, row.button);
            return;
        }
        case Pattern::ByteBoth:
        case Pattern::ByteInverse: {
            const bool set = Position(sender, row.source).value_or(0) != 0;
            const bool clickWhenSet = (row.pattern == Pattern::ByteBoth) != up;
            if (set == clickWhenSet) Click(sender, row.event, Button::Left);
            return;
        }
        case Pattern::ThreePosition:
            return StepThreePositions(sender, row, value);
    }
}

}  // namespace tarvo::adapters::pmdg
