#pragma once

#include "engine/mySkivra.h"

namespace skivra {

// The takeover's environment on the running desktop: the GNOME settings' wallpaper on a
// GNOME-family desktop, else the X root window's; the
// monitor snapshot MyScreen, and the data files (the generated bitmap, the journal, the
// capture of the user's root picture) where the program keeps its data. The program
// installs it at start with SetWallpaperEnvironment, after RestoreWallpaperJournal has put
// back a desktop a killed player left behind. UI thread only.
TMyWallpaperEnvironment MakeDesktopWallpaperEnvironment();

} // namespace skivra
