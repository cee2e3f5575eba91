#include "win32/Win32Clock.h"

#include "win32/Win32.h"

namespace tarvo::win32 {

std::uint32_t Win32Clock::TickCount() { return ::GetTickCount(); }

void Win32Clock::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace tarvo::win32
