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

// The client top-level window that is the window itself or holds it: the nearest ancestor
// (or itself) that the window manager manages (it carries WM_STATE), else the ancestor just
// below the root. An id that is no window comes back unchanged.
TMyWindowId GetTopLevelWindowOf(TMyX11Connection& connection, TMyWindowId window);

// Whether the window manager shows the window minimised (WM_STATE is IconicState).
bool IsIconic(TMyX11Connection& connection, TMyWindowId window);
// Restores a minimised window and gives it the focus, as a pager would ask the window
// manager (_NET_ACTIVE_WINDOW); without a window manager the window is mapped and raised.
void RestoreMinimized(TMyX11Connection& connection, TMyWindowId window);
void BringWindowToFront(TMyX11Connection& connection, TMyWindowId window);

// The "tool window" style of other systems is the pair of states that keep a window off the
// task bar and the pager. Works before and after the window is mapped.
void SetSkipTaskbar(TMyX11Connection& connection, TMyWindowId window, bool bSkip);

} // namespace skivra
