#pragma once

#include "platform/x11/myX11Window.h"

#include <cstdint>

namespace skivra {

// Window helpers on an X desktop. Windows have no extended style bits here; the two that
// mean something to the program are carried by EWMH states the window manager honours:
// WS_EX_TOOLWINDOW (leave the task bar) by _NET_WM_STATE_SKIP_TASKBAR and
// _NET_WM_STATE_SKIP_PAGER, WS_EX_TOPMOST by _NET_WM_STATE_ABOVE. Other bits mean nothing
// and change nothing. pDisplay is the caller's Xlib Display*. UI thread only.

constexpr std::uint32_t WS_EX_TOPMOST = 0x00000008;
constexpr std::uint32_t WS_EX_TOOLWINDOW = 0x00000080;

// The styles the window has now, from its _NET_WM_STATE.
std::uint32_t GetExStyle(void* pDisplay, TMyWindowId window);
// Adds the states of every bit given (a mapped window asks the window manager, an unmapped
// one gets the property it will read when mapped) and flushes, so the change takes effect
// at once. False for a window that does not exist.
bool AddExStyle(void* pDisplay, TMyWindowId window, std::uint32_t iStyles);
// Removes only styles whose states are all set; nothing set, nothing sent. True when
// something was removed.
bool RemoveExStyle(void* pDisplay, TMyWindowId window, std::uint32_t iStyles);

// When the window is minimised (iconic), asks for it back: mapped, raised, active. True
// when it was minimised.
bool RestoreMinimized(void* pDisplay, TMyWindowId window);

// The program's top-level window that is the window or holds it: the outermost ancestor
// the window manager manages (it carries WM_STATE), else the ancestor just below the root.
// An id that is no window (or the root) comes back unchanged.
TMyWindowId GetTopLevelWindowOf(void* pDisplay, TMyWindowId window);

} // namespace skivra
