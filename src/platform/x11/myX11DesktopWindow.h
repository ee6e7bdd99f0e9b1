#pragma once

#include <cstdint>

#include "platform/x11/myX11Connection.h"

namespace skivra {

// The desktop video window: a borderless top-level window that the window manager keeps
// below every other window, on every workspace, off the task bar and the pager
// (_NET_WM_WINDOW_TYPE_DESKTOP with the matching states). Its background is the overlay key
// colour, so it looks like the key-colour wallpaper until the first frame is drawn.
// The sub-player creates it; the player, which renders into it, places it.

// Creates the window unmapped at (0, 0) and the screen's size; 0 on failure. The colour is
// 0x00BBGGRR.
TMyWindowId CreateDesktopWindow(TMyX11Connection& connection, std::uint32_t iKeyColour);

// Maps the window over the rectangle (root-window coordinates) and keeps it at the bottom.
// Position hints are set first, so that the window manager's placement policy keeps out.
// Returns once the window is shown (a window manager maps it some milliseconds after the
// request), or after a quarter of a second when it is not.
void PlaceDesktopWindow(TMyX11Connection& connection, TMyWindowId window, int iLeft, int iTop,
                        int iWidth, int iHeight);
void HideDesktopWindow(TMyX11Connection& connection, TMyWindowId window);

} // namespace skivra
