#include "sim/ClientEvents.h"

#include <algorithm>
#include <string>
#include <utility>

namespace tarvo::sim {
namespace {

// The simulator key events the server transmits, by the fixed client event id
// that names each one everywhere in the program. Rising id order; names with a
// dot are the A32NX's own custom events.
// clang-format off
constexpr ClientEventRow kClientEvents[] = {
    {159, "AP_MASTER"},
    {160, "YAW_DAMPER_TOGGLE"},
    {161, "AUTO_THROTTLE_ARM"},
    {162, "AUTO_THROTTLE_TO_GA"},
    {163, "AP_AIRSPEED_HOLD"},
    {164, "AP_VS_HOLD"},
    {165, "AP_SPD_VAR_SET"},
    {167, "HEADING_BUG_SET"},
    {168, "AP_VS_VAR_SET_ENGLISH"},
    {169, "VOR1_SET"},
    {170, "VOR2_SET"},
    {171, "AP_ATT_HOLD"},
    {172, "AP_LOC_HOLD"},
    {173, "AP_APR_HOLD"},
    {174, "AP_HDG_HOLD"},
    {175, "AP_ALT_HOLD"},
    {176, "AP_NAV1_HOLD"},
    {177, "AP_MAX_BANK_INC"},
    {178, "AP_MAX_BANK_DEC"},
    {179, "AP_N1_HOLD"},
    {180, "TOGGLE_FLIGHT_DIRECTOR"},
    {181, "SYNC_FLIGHT_DIRECTOR_PITCH"},
    {182, "AP_ALT_VAR_DEC"},
    {183, "AP_ALT_VAR_INC"},
    {184, "HEADING_BUG_DEC"},
    {185, "HEADING_BUG_INC"},
    {186, "AP_SPD_VAR_DEC"},
    {187, "AP_SPD_VAR_INC"},
    {188, "AP_VS_VAR_DEC"},
    {189, "AP_VS_VAR_INC"},
    {190, "INC_AUTOBRAKE_CONTROL"},
    {191, "DEC_AUTOBRAKE_CONTROL"},
    {192, "ELEV_TRIM_DN"},
    {193, "ELEV_TRIM_UP"},
    {194, "RUDDER_TRIM_LEFT"},
    {195, "RUDDER_TRIM_RIGHT"},
    {196, "AILERON_TRIM_LEFT"},
    {197, "AILERON_TRIM_RIGHT"},
    {198, "TOGGLE_TAXI_LIGHTS"},
    {199, "TOGGLE_BEACON_LIGHTS"},
    {200, "TOGGLE_NAV_LIGHTS"},
    {201, "STROBES_TOGGLE"},
    {202, "LANDING_LIGHTS_TOGGLE"},
    {203, "TOGGLE_LOGO_LIGHTS"},
    {204, "TOGGLE_RECOGNITION_LIGHTS"},
    {205, "TOGGLE_WING_LIGHTS"},
    {206, "PANEL_LIGHTS_TOGGLE"},
    {207, "TOGGLE_CABIN_LIGHTS"},
    {211, "TOGGLE_MASTER_BATTERY"},
    {212, "TOGGLE_ALTERNATOR1"},
    {213, "TOGGLE_ALTERNATOR2"},
    {214, "TOGGLE_ALTERNATOR3"},
    {215, "TOGGLE_ALTERNATOR4"},
    {216, "APU_STARTER"},
    {217, "APU_OFF_SWITCH"},
    {218, "APU_GENERATOR_SWITCH_TOGGLE"},
    {219, "TOGGLE_EXTERNAL_POWER"},
    {220, "CABIN_NO_SMOKING_ALERT_SWITCH_TOGGLE"},
    {221, "CABIN_SEATBELTS_ALERT_SWITCH_TOGGLE"},
    {222, "TOGGLE_PUSHBACK"},
    {223, "PARKING_BRAKES"},
    {224, "PITOT_HEAT_TOGGLE"},
    {225, "DECISION_HEIGHT_DEC"},
    {226, "DECISION_HEIGHT_INC"},
    {227, "TOGGLE_STRUCTURAL_DEICE"},
    {228, "TOGGLE_PROPELLER_DEICE"},
    {229, "ANTISKID_BRAKES_TOGGLE"},
    {230, "CROSS_FEED_TOGGLE"},
    {231, "SLEW_TOGGLE"},
    {232, "PRESSURIZATION_PRESSURE_ALT_INC"},
    {233, "PRESSURIZATION_PRESSURE_ALT_DEC"},
    {234, "PRESSURIZATION_PRESSURE_DUMP_SWTICH"},
    {235, "GEAR_DOWN"},
    {236, "GEAR_UP"},
    {237, "FLAPS_INCR"},
    {238, "FLAPS_DECR"},
    {239, "FLAPS_UP"},
    {240, "FLAPS_SET"},
    {241, "FLAPS_DOWN"},
    {242, "SPOILERS_ARM_TOGGLE"},
    {243, "SPOILERS_SET"},
    {244, "COM_RADIO_SET"},
    {245, "COM_STBY_RADIO_SET"},
    {246, "COM2_RADIO_SET"},
    {247, "COM2_STBY_RADIO_SET"},
    {248, "ADF_SET"},
    {249, "NAV1_RADIO_SET"},
    {250, "NAV2_RADIO_SET"},
    {251, "COM1_RADIO_SWAP"},
    {252, "COM2_RADIO_SWAP"},
    {253, "NAV1_RADIO_SWAP"},
    {254, "NAV2_RADIO_SWAP"},
    {255, "COM_RECEIVE_ALL_SET"},
    {256, "MARKER_SOUND_SET"},
    {257, "RADIO_VOR1_IDENT_SET"},
    {258, "RADIO_VOR2_IDENT_SET"},
    {259, "RADIO_VOR1_IDENT_ENABLE"},
    {260, "RADIO_VOR1_IDENT_DISABLE"},
    {261, "RADIO_VOR2_IDENT_ENABLE"},
    {262, "RADIO_VOR2_IDENT_DISABLE"},
    {263, "COM_RADIO_WHOLE_DEC"},
    {264, "COM_RADIO_WHOLE_INC"},
    {265, "COM_RADIO_FRACT_DEC"},
    {266, "COM_RADIO_FRACT_INC"},
    {267, "KOHLSMAN_INC"},
    {268, "KOHLSMAN_DEC"},
    {269, "KOHLSMAN_SET"},
    {270, "TOGGLE_STARTER1"},
    {271, "TOGGLE_STARTER2"},
    {272, "TOGGLE_STARTER3"},
    {273, "TOGGLE_STARTER4"},
    {274, "THROTTLE_FULL"},
    {275, "THROTTLE_DECR"},
    {276, "THROTTLE_INCR"},
    {277, "THROTTLE_CUT"},
    {278, "MIXTURE1_SET"},
    {279, "MIXTURE2_SET"},
    {280, "MIXTURE3_SET"},
    {281, "MIXTURE4_SET"},
    {282, "MIXTURE1_RICH"},
    {283, "MIXTURE2_RICH"},
    {284, "MIXTURE3_RICH"},
    {285, "MIXTURE4_RICH"},
    {286, "TURBINE_IGNITION_SWITCH_SET"},
    {287, "TURBINE_IGNITION_SWITCH_SET1"},
    {288, "TURBINE_IGNITION_SWITCH_SET2"},
    {289, "TURBINE_IGNITION_SWITCH_SET3"},
    {290, "TURBINE_IGNITION_SWITCH_SET4"},
    {291, "AVIONICS_MASTER_SET"},
    {292, "XPNDR_SET"},
    {293, "ANTI_ICE_TOGGLE_ENG1"},
    {294, "ANTI_ICE_TOGGLE_ENG2"},
    {295, "ANTI_ICE_TOGGLE_ENG3"},
    {296, "ANTI_ICE_TOGGLE_ENG4"},
    {297, "FUELSYSTEM_VALVE_TOGGLE"},
    {298, "TOGGLE_AIRCRAFT_EXIT"},
    {300, "ATC_MENU_OPEN"},
    {301, "ATC_MENU_CLOSE"},
    {302, "ATC_MENU_1"},
    {303, "ATC_MENU_2"},
    {304, "ATC_MENU_3"},
    {305, "ATC_MENU_4"},
    {306, "ATC_MENU_5"},
    {307, "ATC_MENU_6"},
    {308, "ATC_MENU_7"},
    {309, "ATC_MENU_8"},
    {310, "ATC_MENU_9"},
    {311, "ATC_MENU_0"},
    {312, "AXIS_AILERONS_SET"},
    {313, "AXIS_ELEVATOR_SET"},
    {314, "AXIS_RUDDER_SET"},
    {315, "FLY_BY_WIRE_ELAC_TOGGLE"},
    {316, "FLY_BY_WIRE_FAC_TOGGLE"},
    {317, "FLY_BY_WIRE_SEC_TOGGLE"},
    {318, "SIM_RATE_INCR"},
    {319, "SIM_RATE_DECR"},
    {320, "VIEW_RESET"},
    {321, "ZOOM_1X"},
    {322, "ZOOM_IN"},
    {323, "ZOOM_OUT"},
    {324, "PAUSE_SET"},
    {325, "VIEW_FORWARD"},
    {326, "VIEW_FORWARD_RIGHT"},
    {327, "VIEW_RIGHT"},
    {328, "VIEW_REAR_RIGHT"},
    {329, "VIEW_REAR"},
    {330, "VIEW_REAR_LEFT"},
    {331, "PAN_LEFT"},
    {332, "VIEW_FORWARD_LEFT"},
    {333, "VIEW_DOWN"},
    {334, "VIEW_UP"},
    {335, "EYEPOINT_UP"},
    {336, "EYEPOINT_DOWN"},
    {337, "EYEPOINT_RIGHT"},
    {338, "EYEPOINT_LEFT"},
    {339, "EYEPOINT_FORWARD"},
    {340, "EYEPOINT_BACK"},
    {341, "VIEW_MODE"},
    {342, "FUELSYSTEM_PUMP_TOGGLE"},
    {343, "PILOT_TRANSMITTER_SET"},
    {344, "COPILOT_TRANSMITTER_SET"},
    {345, "FLIGHT_LEVEL_CHANGE_ON"},
    {346, "AP_PANEL_SPEED_HOLD"},
    {347, "AP_PANEL_HEADING_HOLD"},
    {348, "AP_PANEL_VS_HOLD"},
    {349, "AP_PANEL_ALTITUDE_HOLD"},
    {350, "AP_NAV1_HOLD_ON"},
    {351, "AP_MANAGED_SPEED_IN_MACH_ON"},
    {352, "AP_MANAGED_SPEED_IN_MACH_OFF"},
    {353, "SPEED_SLOT_INDEX_SET"},
    {354, "HEADING_SLOT_INDEX_SET"},
    {355, "ALTITUDE_SLOT_INDEX_SET"},
    {356, "VS_SLOT_INDEX_SET"},
    {358, "SLEW_AHEAD_PLUS"},
    {359, "SLEW_AHEAD_MINUS"},
    {360, "SLEW_HEADING_PLUS"},
    {361, "SLEW_HEADING_MINUS"},
    {362, "SLEW_LEFT"},
    {363, "SLEW_RIGHT"},
    {364, "SLEW_ON"},
    {365, "SLEW_OFF"},
    {366, "APU_BLEED_AIR_SOURCE_TOGGLE"},
    {367, "BLEED_AIR_SOURCE_CONTROL_SET"},
    {368, "ELECTRICAL_CIRCUIT_TOGGLE"},
    {369, "SET_AUTOBRAKE_CONTROL"},
    {370, "RUDDER_TRIM_SET"},
    {371, "PROP_PITCH1_INCR"},
    {372, "PROP_PITCH2_INCR"},
    {373, "PROP_PITCH3_INCR"},
    {374, "PROP_PITCH4_INCR"},
    {375, "PROP_PITCH1_DECR"},
    {376, "PROP_PITCH2_DECR"},
    {377, "PROP_PITCH3_DECR"},
    {378, "PROP_PITCH4_DECR"},
    {379, "PROP_PITCH1_SET"},
    {380, "PROP_PITCH2_SET"},
    {381, "PROP_PITCH3_SET"},
    {382, "PROP_PITCH4_SET"},
    {383, "BAROMETRIC_STD_PRESSURE"},
    {384, "TOGGLE_FUEL_VALVE_ENG1"},
    {385, "TOGGLE_FUEL_VALVE_ENG2"},
    {386, "TOGGLE_FUEL_VALVE_ENG3"},
    {387, "TOGGLE_FUEL_VALVE_ENG4"},
    {388, "SELECT_1"},
    {389, "SELECT_2"},
    {390, "ELECTRICAL_BUS_TO_BUS_CONNECTION_TOGGLE:2"},
    {392, "A32NX.FCU_SPD_SET"},
    {393, "A32NX.FCU_HDG_SET"},
    {394, "A32NX.FCU_ALT_SET"},
    {395, "A32NX.FCU_VS_SET"},
    {396, "A32NX.FCU_SPD_MACH_TOGGLE_PUSH"},
    {397, "A32NX.FCU_VS_PUSH"},
    {398, "A32NX.FCU_VS_PULL"},
    {399, "A32NX.FCU_LOC_PUSH"},
    {400, "A32NX.FCU_APPR_PUSH"},
    {401, "A32NX.FCU_EXPED_PUSH"},
    {402, "A32NX.FCU_AP_1_PUSH"},
    {403, "A32NX.FCU_AP_2_PUSH"},
    {404, "A32NX.FCU_AP_DISCONNECT_PUSH"},
    {405, "A32NX.FCU_ATHR_PUSH"},
    {406, "A32NX.FCU_ATHR_DISCONNECT_PUSH"},
    {407, "A32NX.FCU_TRK_FPA_TOGGLE_PUSH"},
    {408, "A32NX.FCU_SPD_PUSH"},
    {409, "A32NX.FCU_SPD_PULL"},
    {410, "A32NX.FCU_HDG_PUSH"},
    {411, "A32NX.FCU_HDG_PULL"},
    {412, "A32NX.FCU_ALT_PUSH"},
    {413, "A32NX.FCU_ALT_PULL"},
    {414, "MAGNETO1_OFF"},
    {415, "MAGNETO2_OFF"},
    {416, "MAGNETO3_OFF"},
    {417, "MAGNETO4_OFF"},
    {418, "MAGNETO1_RIGHT"},
    {419, "MAGNETO2_RIGHT"},
    {420, "MAGNETO3_RIGHT"},
    {421, "MAGNETO4_RIGHT"},
    {422, "MAGNETO1_LEFT"},
    {423, "MAGNETO2_LEFT"},
    {424, "MAGNETO3_LEFT"},
    {425, "MAGNETO4_LEFT"},
    {426, "MAGNETO1_BOTH"},
    {427, "MAGNETO2_BOTH"},
    {428, "MAGNETO3_BOTH"},
    {429, "MAGNETO4_BOTH"},
    {430, "MAGNETO1_START"},
    {431, "MAGNETO2_START"},
    {432, "MAGNETO3_START"},
    {433, "MAGNETO4_START"},
};
// clang-format on

constexpr bool IsRisingById() {
    for (std::size_t i = 1; i < std::size(kClientEvents); ++i) {
        if (kClientEvents[i - 1].id >= kClientEvents[i].id) return false;
    }
    return true;
}
static_assert(IsRisingById(), "FindClientEvent and the mapping order rely on rising ids");
static_assert(std::size(kClientEvents) == 268);

}  // namespace

std::span<const ClientEventRow> ClientEvents() { return kClientEvents; }

std::optional<std::string_view> ClientEventName(std::uint32_t id) {
    const auto rows = ClientEvents();
    const auto row = std::lower_bound(rows.begin(), rows.end(), id,
                                      [](const ClientEventRow& r, std::uint32_t key) { return r.id < key; });
    if (row == rows.end() || row->id != id) return std::nullopt;
    return row->name;
}

std::optional<std::uint32_t> ClientEventId(std::string_view name) {
    for (const ClientEventRow& row : ClientEvents()) {
        if (row.name == name) return row.id;
    }
    return std::nullopt;
}

std::vector<std::uint32_t> ClientEventMappingOrder() {
    // {id, the id it is mapped right after}; chains follow each other.
    constexpr std::pair<std::uint32_t, std::uint32_t> kMappedAfter[] = {
        {297, 217},                                      // the fuel valve with the APU switches
        {396, 413}, {407, 396},                          // two FCU toggles after the last FCU push/pull
        {422, 417}, {423, 422}, {424, 423}, {425, 424},  // magnetos: off, left, right, both, start
    };
    const auto isMoved = [&](std::uint32_t id) {
        return std::any_of(std::begin(kMappedAfter), std::end(kMappedAfter), [&](const auto& m) { return m.first == id; });
    };
    std::vector<std::uint32_t> order;
    const auto emitWithFollowers = [&](std::uint32_t id, const auto& self) -> void {
        order.push_back(id);
        for (const auto& [moved, after] : kMappedAfter) {
            if (after == id) self(moved, self);
        }
    };
    for (const ClientEventRow& row : ClientEvents()) {
        if (!isMoved(row.id)) emitWithFollowers(row.id, emitWithFollowers);
    }
    return order;
}

void MapClientEvents(Server& server) {
    platform::SimConnect& simConnect = server.ports.simConnect;
    const SIMCONNECT_HANDLE session = server.host.session;
    for (std::uint32_t id : ClientEventMappingOrder()) {
        const std::string name(*ClientEventName(id));
        simConnect.MapClientEventToSimEvent(session, id, name.c_str());
        simConnect.AddClientEventToNotificationGroup(session, kNotificationGroup, id, 0);
    }
    simConnect.SetNotificationGroupPriority(session, kNotificationGroup, SIMCONNECT_GROUP_PRIORITY_HIGHEST);
}

bool TransmitEvent(Server& server, std::uint32_t eventId, std::uint32_t data) {
    // With GROUPID_IS_PRIORITY the group argument is read as the priority.
    return server.ports.simConnect.TransmitClientEvent(server.host.session, SIMCONNECT_OBJECT_ID_USER, eventId, data,
                                                       SIMCONNECT_GROUP_PRIORITY_HIGHEST,
                                                       SIMCONNECT_EVENT_FLAG_GROUPID_IS_PRIORITY) >= 0;
}

}  // namespace tarvo::sim
