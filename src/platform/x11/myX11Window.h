#pragma once

#include <cstdint>
#include <string>

namespace skivra {

// An X window id as the rest of the program passes it around (messages carry it as a
// decimal number). 0 is "no window".
using TMyWindowId = std::uint64_t;

// Window facts that need the X server. Each call opens no connection of its own: it takes
// the display the caller already has (an Xlib Display*, passed as void* so that callers
// need no X11 header).

// The process that owns the window, from its _NET_WM_PID property; 0 when it has none or
// the window does not exist.
std::uint32_t GetWindowProcessId(void* pDisplay, TMyWindowId window);
// The full path of that process's program file; empty on failure.
std::u16string GetWindowModuleFileName(void* pDisplay, TMyWindowId window);

} // namespace skivra
