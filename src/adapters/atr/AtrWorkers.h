// The ATR's timed sequences, each on a worker of its own. They write only
// while the ATR is loaded.
#pragma once

#include "host/Server.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tarvo::adapters::atr {

// A frequency typed on the radio management panel's keypad; each worker
// keeps its own copy, taken when it starts.
struct FrequencyRequest {
    enum class Group : std::uint8_t { A, B, C };
    Group group = Group::A;
    std::int32_t kilohertz = 0;
    std::int32_t radio = 1;  // 1 or 2
    // Left in the standby field: no final ENTER (and RIGHT, LEFT).
    bool swap = false;
};

// Each is ignored while another keypad worker runs, and for a value the
// keypad cannot type (a log line says so).
void StartFrequency(Server& server, const FrequencyRequest& request);
void StartTransponderCode(Server& server, std::int32_t code);
void StartTransponderMode(Server& server, std::int32_t mode);

// Engine 1, 2, or 0 for both.
void StartFireTest(Server& server, std::int32_t engine);
void StartFireFault(Server& server);
// Ignored while another procedure worker runs, and for a value outside 0 to 48.
void StartProcedure(Server& server, std::int32_t value);

// The characters the keypad types for a frequency: value / 1000 with the
// group's decimals, at most the group's width; nullopt for a negative value.
std::optional<std::string> FrequencyText(FrequencyRequest::Group group, std::int32_t kilohertz);

}  // namespace tarvo::adapters::atr
