#pragma once

#include "platform/x11/myX11Window.h"

namespace skivra {

// Whether a top-level window has a task bar button: the EWMH state
// _NET_WM_STATE_SKIP_TASKBAR. A mapped window asks the window manager (a client message to
// the root window); an unmapped one gets the state property, which the window manager
// reads when the window is mapped. pDisplay is the caller's Xlib Display*. A window that
// does not exist is ignored.
void SetWindowSkipTaskbar(void* pDisplay, TMyWindowId window, bool bSkip);
// Whether the window's _NET_WM_STATE holds _NET_WM_STATE_SKIP_TASKBAR now.
bool GetWindowSkipTaskbar(void* pDisplay, TMyWindowId window);

} // namespace skivra
