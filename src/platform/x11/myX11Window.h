#pragma once

#include <cstdint>
#include <string>

#include "platform/x11/myX11Connection.h"

namespace skivra {

// Facts about and changes to top-level windows, through the window manager's conventions
// (EWMH) where the window manager owns the decision. All neutral on a window that is gone.

// The process that owns the window, from its _NET_WM_PID property; 0 when unknown.
std::uint32_t GetWindowProcessId(TMyX11Connection& connection, TMyWindowId window);
// The full path of that process's program file; empty on failure.
std::u16string GetWindowModuleFileName(TMyX11Connection& connection, TMyWindowId window);

// Gives the window the focus on top of the others, as a pager would ask the window manager
// (_NET_ACTIVE_WINDOW, which also brings a minimised window back); without a window
// manager the window is mapped and raised. (Minimised windows, the top-level window of a
// child and the window styles are in myX11WindowStyle.h.)
void BringWindowToFront(TMyX11Connection& connection, TMyWindowId window);

} // namespace skivra
