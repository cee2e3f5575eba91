// Portable names for the Windows values the core passes around. The core never
// includes windows.h; handles travel as integers and are only turned back into
// HWND/HANDLE inside win32/.
#pragma once

#include <cstdint>

namespace tarvo {

using WindowId = std::uintptr_t;       // HWND; 0 = no window
using ProcessId = std::uint32_t;       // 0 = none
using ProcessHandle = std::uintptr_t;  // HANDLE of an opened process; 0 = not open
using EventId = std::uintptr_t;        // HANDLE of a kernel event; 0 = none
using TimerId = std::uintptr_t;        // timer-queue timer; 0 = none
using AtomId = std::uint16_t;          // global atom; 0 = none

// Message parameters keep their Windows widths on both platforms.
using WParam = std::uint64_t;
using LParam = std::int64_t;
using MessageResult = std::int64_t;

}  // namespace tarvo
