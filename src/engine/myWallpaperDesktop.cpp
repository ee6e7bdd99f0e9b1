#include "engine/myWallpaperDesktop.h"

#include "engine/myGnomeWallpaperStore.h"
#include "engine/myQtPictureCodec.h"
#include "engine/myWallpaperJournal.h"
#include "platform/x11/myX11RootWallpaperStore.h"
#include "support/myProgram.h"

namespace skivra {

std::shared_ptr<TMyDesktopWallpaperStore>
MakeDesktopWallpaperStore(std::u16string sCaptureFileName) {
    if (TMyGnomeWallpaperStore::IsRunningDesktop()) {
        auto gnome = std::make_shared<TMyGnomeWallpaperStore>();
        if (gnome->CanOpenValues()) {
            return gnome;
        }
    }
    return std::make_shared<TMyX11RootWallpaperStore>(std::make_shared<TMyQtPictureCodec>(),
                                                      std::move(sCaptureFileName));
}

TMyWallpaperEnvironment MakeDesktopWallpaperEnvironment() {
    TMyWallpaperEnvironment env;
    env.Store = MakeDesktopWallpaperStore(GetDataFileName(u".wallpaper.user.bmp"));
    env.Geometry = [] {
        return TMyDesktopGeometry::FromMyScreen();
    };
    env.BitmapFileName = GetDataFileName(u".wallpaper.bmp");
    env.JournalFileName = GetWallpaperJournalFileName();
    return env;
}

} // namespace skivra
