#pragma once

#include "engine/myPictureCodec.h"
#include "engine/myWallpaperStore.h"

#include <map>
#include <memory>
#include <string>

namespace skivra {

// The wallpaper of a plain X desktop: the root window's background pixmap, announced in
// _XROOTPMAP_ID and ESETROOT_PMAP_ID as wallpaper setters do, so compositors and
// pseudo-transparent programs follow it, or the root's background colour.
//
// The desktop has no picture file: GetDesktopWallpaper captures the picture the root shows
// into sCaptureFileName (losslessly) and names that file, unless the root shows a picture
// this store installed, whose file it names. The capture is laid out for tiling from the
// primary monitor's top-left corner, the layout this store reports (TileWallpaper "1"), so
// that putting it back reproduces the root pixel for pixel whatever the monitor
// arrangement. A root that paints a colour (xsetroot -solid) shows no picture: the colour,
// or the server's own background, is the extra layout, and comes back with an empty name.
//
// Installing a picture tiles it from the primary's corner (as the generated wallpaper
// expects) or, with the centred or stretched values, centres it once on the primary. Its
// pixmap outlives the connection (RetainPermanent) and is marked as ours with the file it
// shows and a checksum of its pixels; the previous pixmap of ours is freed. Every call
// opens its own connection: a vanished X server gives neutral results. UI thread only.
class TMyX11RootWallpaperStore : public TMyDesktopWallpaperStore {
public:
    TMyX11RootWallpaperStore(std::shared_ptr<TMyPictureCodec> codec,
                             std::u16string sCaptureFileName, std::string sDisplayName = {});

    std::u16string Kind() const override { return u"x11-root"; }
    bool CanOpenValues() override { return true; }
    std::optional<std::u16string> ReadValue(std::u16string_view sName) override;
    bool WriteValue(std::u16string_view sName, std::u16string_view sValue) override;
    std::optional<std::u16string> GetDesktopWallpaper() override;
    bool SetDesktopWallpaper(std::u16string_view sFileName) override;
    // The user's background colour as last read or restored; black when it is unknown.
    std::uint32_t GetDesktopColor() override;
    TMyInstalledWallpaper FindInstalledWallpaper(std::u16string_view sFileName) override;
    // The last capture, when the file is there.
    std::optional<TMyUserWallpaper> KeptUserWallpaper() override;
    // "#rrggbb", "default", or empty when the background cannot be read.
    std::u16string SaveExtraLayout() override;
    bool RestoreUserWallpaper(const TMyUserWallpaper& user) override;

private:
    std::shared_ptr<TMyPictureCodec> FCodec;
    std::u16string FsCaptureFileName;
    std::string FsDisplayName;
    std::map<std::u16string, std::u16string, std::less<>> FValues;
    std::u16string FsBackground; // the user's, in the extra layout's form
};

} // namespace skivra
