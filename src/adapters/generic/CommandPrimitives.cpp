#include "adapters/generic/CommandPrimitives.h"

#include "bridge/Registry.h"
#include "sim/ClientEvents.h"

#include <string>

namespace tarvo::adapters::generic {

bool SendEvent(Server& server, std::string_view name, std::uint32_t data) {
    const auto id = sim::ClientEventId(name);
    if (!id) {
        server.log.Write("No client event named " + std::string(name));
        return false;
    }
    return sim::TransmitEvent(server, *id, data);
}

bool WriteDefinition(Server& server, std::uint32_t definition, double value) {
    return server.ports.simConnect.SetDataOnSimObject(server.host.session, definition, SIMCONNECT_OBJECT_ID_USER, 0, 0,
                                                      sizeof value, &value) >= 0;
}

std::int32_t StateValue(const Server& server, StateField state) {
    if (state.record >= sim::kRecordCount) return 0;
    return server.session.records[state.record].Int32(state.field);
}

bool Differs(const Server& server, StateField state, std::uint32_t value) {
    return (StateValue(server, state) != 0) != (value != 0);
}

void SetSlot(Server& server, Slot slot, double value) {
    bridge::SetLvarValue(server, SlotId(server, slot), value);
}

double ReadSlot(Server& server, Slot slot) {
    return bridge::GetLvarValue(server, SlotId(server, slot));
}

void FireSlot(Server& server, Slot slot) {
    bridge::FireHvar(server, SlotId(server, slot));
}

void RunCalculatorCode(Server& server, std::string_view code) {
    bridge::ExecuteCalculatorCode(server, code);
}

void Press(Server& server, Slot slot) {
    // Nothing to hold down: no pause either.
    if (!bridge::HasBridge(server) || SlotId(server, slot) == bridge::kNotFound) return;
    SetSlot(server, slot, 1.0);
    server.ports.clock.Sleep(kPressMilliseconds);
    SetSlot(server, slot, 0.0);
}

double SignedSetting(std::uint32_t value) {
    constexpr std::uint32_t kNegativeAbove = 50000;
    if (value <= kNegativeAbove) return static_cast<double>(value);
    return -static_cast<double>(value - kNegativeAbove);
}

}  // namespace tarvo::adapters::generic
