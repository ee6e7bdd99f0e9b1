#pragma once

#include "engine/mySkivra.h"

#include <memory>
#include <string>

namespace skivra {

// The wallpaper store of the running desktop: the GNOME settings on a GNOME-family desktop
// whose settings can be reached (its own background covers the root window there), else
// the X root window's, whose captures of the user's picture go to sCaptureFileName.
std::shared_ptr<TMyDesktopWallpaperStore>
MakeDesktopWallpaperStore(std::u16string sCaptureFileName);

// The takeover's environment on the running desktop: the store above, the monitor
// snapshot MyScreen, and the data files (the generated bitmap, the journal, the capture of
// the user's root picture) where the program keeps its data. The program installs it at
// start with SetWallpaperEnvironment, after RestoreWallpaperJournal has put back a desktop
// a killed player left behind. UI thread only.
TMyWallpaperEnvironment MakeDesktopWallpaperEnvironment();

} // namespace skivra
