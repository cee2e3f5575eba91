// The Fenix A320's FCU values, read from its system process where the FCU
// reader found them.
#pragma once

#include "adapters/fenix/FenixState.h"
#include "host/Server.h"

#include <cstdint>

namespace tarvo::adapters::fenix {

// Finds the FCU in the system process (opened from the Fenix window if it is
// not open yet) and logs its values; true when its altitude was found. Once
// per system process handle: the addresses belong to that process.
bool SetUpFcuReader(Server& server);
// Whether the FCU reader was set up for the system process now open.
bool IsFcuReaderSetUp(const Server& server);

// The reads of the system process: -1 (-1.0) when the read fails.
std::int32_t ReadSystemInt32(Server& server, std::uint64_t address);
double ReadSystemDouble(Server& server, std::uint64_t address);

bool IsFcuFieldKnown(const Server& server, FcuField field);
// The field's value as the FCU shows it: a 32-bit integer, or for the speed a
// double; -1 (-1.0) while the field is not known or when its read fails.
std::int32_t ReadFcuInt32(Server& server, FcuField field);
double ReadFcuDouble(Server& server, FcuField field);

}  // namespace tarvo::adapters::fenix
