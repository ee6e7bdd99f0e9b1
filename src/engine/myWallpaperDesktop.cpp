#include "engine/myWallpaperDesktop.h"

#include "engine/myGnomeWallpaperStore.h"
#include "engine/myQtPictureCodec.h"
#include "engine/myWallpaperJournal.h"
#include "platform/x11/myX11RootWallpaperStore.h"
#include "support/myProgram.h"

namespace skivra {

TMyWallpaperEnvironment MakeDesktopWallpaperEnvironment() {
    TMyWallpaperEnvironment env;
    env.Store = std::make_shared<TMyX11RootWallpaperStore>(std::make_shared<TMyQtPictureCodec>(),
                                                           GetDataFileName(u".wallpaper.user.bmp"));
    env.Geometry = [] {
        return TMyDesktopGeometry::FromMyScreen();
    };
    env.BitmapFileName = GetDataFileName(u".wallpaper.bmp");
    env.JournalFileName = GetWallpaperJournalFileName();
    return env;
}

} // namespace skivra
