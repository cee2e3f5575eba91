// The simulator key events the server sends, each with its fixed client event
// id, and the one way every part of the program sends them.
#pragma once

#include "host/Server.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tarvo::sim {

struct ClientEventRow {
    std::uint32_t id;
    std::string_view name;
};

// Every row, in rising id order.
std::span<const ClientEventRow> ClientEvents();
std::optional<std::string_view> ClientEventName(std::uint32_t id);
// The id of the row with exactly this name.
std::optional<std::uint32_t> ClientEventId(std::string_view name);

// The order in which the session maps the rows: rising ids, except a few that
// follow the row they belong with.
std::vector<std::uint32_t> ClientEventMappingOrder();

// The notification group every mapped event belongs to.
inline constexpr std::uint32_t kNotificationGroup = 0;

// Maps every row into the notification group, in mapping order, then gives the
// group the highest priority.
void MapClientEvents(Server& server);

// Sends a key event to the user aircraft at the highest priority; true when
// SimConnect accepted it.
bool TransmitEvent(Server& server, std::uint32_t eventId, std::uint32_t data);

}  // namespace tarvo::sim
