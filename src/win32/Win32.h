// windows.h with the settings every file of the shell shares. Only win32/
// includes this.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/Types.h"

namespace tarvo::win32 {

inline HWND ToHwnd(WindowId window) { return reinterpret_cast<HWND>(window); }
inline WindowId ToWindowId(HWND window) { return reinterpret_cast<WindowId>(window); }
inline HANDLE ToHandle(std::uintptr_t handle) { return reinterpret_cast<HANDLE>(handle); }
inline std::uintptr_t FromHandle(HANDLE handle) { return reinterpret_cast<std::uintptr_t>(handle); }

}  // namespace tarvo::win32
