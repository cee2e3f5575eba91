#include "adapters/maddog/Panel.h"

#include "base/Convert.h"
#include "bridge/Registry.h"

#include <array>
#include <string_view>

namespace tarvo::adapters::maddog {
namespace {

// In the order of Panel.
constexpr std::array<std::string_view, 16> kPanelVariables = {
    "fgcp_event",      "overhead_event", "pedestal_event",  "CM2_hyd_event", "ext_lights_event", "cockpit_event",
    "trp_event",       "radio_event",    "nav1_event",      "nav2_event",    "tcas_event",       "fire_event",
    "CM1_clock_event", "CM1_alt_event",  "CM1_glear_event", "CM2_FMS_event",
};
static_assert(kPanelVariables.size() == static_cast<std::size_t>(Panel::Cm2Fms) + 1);

}  // namespace

std::string MouseEvent(Click click) {
    const auto flag = static_cast<std::uint32_t>(click.mouse);
    std::string text = flag == 0 ? "" : std::to_string(flag) + " ";
    text += std::to_string(click.index);
    if (flag != 0) text += " +";
    text += " (>L:";
    text += kPanelVariables[static_cast<std::size_t>(click.panel)];
    text += ",number)";
    return text;
}

void Send(Server& server, Click click) {
    bridge::ExecuteCalculatorCode(server, MouseEvent(click));
}

std::optional<double> Read(Server& server, Slot slot) {
    const std::uint16_t id = SlotId(server, slot);
    if (id == bridge::kNotFound || !bridge::HasBridge(server)) return std::nullopt;
    return bridge::GetLvarValue(server, id);
}

std::optional<std::int32_t> ReadInt(Server& server, Slot slot) {
    const std::optional<double> value = Read(server, slot);
    if (!value) return std::nullopt;
    return TruncateToInt32(*value);
}

}  // namespace tarvo::adapters::maddog
