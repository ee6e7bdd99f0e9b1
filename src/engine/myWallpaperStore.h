#pragma once

#include "engine/myWallpaperStyle.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skivra {

// Where the desktop keeps its wallpaper: the picture file, the layout values and the
// background colour. The takeover reads the user's values from it, installs its own bitmap
// through it and puts the user's values back. Each desktop has its own backend (the X root
// window, the GNOME settings); tests use a plain key-value file.
//
// The layout is kept as the three text values "TileWallpaper", "WallpaperStyle" and
// "WallpaperOriginX"/"WallpaperOriginY", because the rules that turn them into a
// TMyWallpaperStyle (and back) are shared by every backend; a backend maps them onto its
// own notion of layout when a picture is installed.
//
// UI thread only. No call throws; failures are neutral results.

// What the user had before the takeover changed the desktop.
struct TMyUserWallpaper {
    std::u16string WallPaperName; // empty for none
    TMyWallpaperStyle Style = wsCenter;
    std::u16string ExtraLayout; // the store's own layout settings, see the store
};

enum class TMyInstalledWallpaper {
    Shown,    // the desktop shows the picture we installed
    Replaced, // it shows something else
    Unknown,  // the desktop cannot be asked
};

class TMyDesktopWallpaperStore {
public:
    virtual ~TMyDesktopWallpaperStore() = default;

    // A short fixed name of the backend ("file", "x11-root", "gnome"), recorded in the
    // journal so that a start on another desktop does not apply foreign values.
    virtual std::u16string Kind() const = 0;

    // Whether the layout values can be read and written at all (the registry key opens).
    virtual bool CanOpenValues() = 0;
    // A layout value; nothing when it is missing or the values cannot be opened.
    virtual std::optional<std::u16string> ReadValue(std::u16string_view sName) = 0;
    // False when the values cannot be opened or the write failed.
    virtual bool WriteValue(std::u16string_view sName, std::u16string_view sValue) = 0;

    // The full path of the picture the desktop shows now; empty when it shows none. A
    // backend whose desktop has no picture file (the root window) captures what it shows
    // into a file of its own and names that file. Nothing when the picture could not be
    // read or kept: the user's wallpaper is unknown then, and must not be replaced.
    virtual std::optional<std::u16string> GetDesktopWallpaper() = 0;
    // Shows the picture laid out by the current values; an empty name removes the picture
    // (the desktop colour shows). False when the desktop could not be changed.
    virtual bool SetDesktopWallpaper(std::u16string_view sFileName) = 0;

    // The desktop's background colour, 0x00BBGGRR.
    virtual std::uint32_t GetDesktopColor() = 0;

    // Whether the desktop still shows the picture sFileName as this program installed it,
    // in this process or an earlier one. Only then may the user's values go back over it:
    // anything else is the user's newer choice, or another desktop session's. Unknown when
    // the desktop cannot be asked (its server is gone).
    virtual TMyInstalledWallpaper FindInstalledWallpaper(std::u16string_view sFileName) = 0;

    // The user's picture as an earlier takeover kept it, for when the record of the user's
    // values is lost; nothing when this desktop keeps no such copy.
    virtual std::optional<TMyUserWallpaper> KeptUserWallpaper() { return std::nullopt; }

    // Layout settings of the backend's own that the three values cannot express (a zoomed
    // picture, a separate picture for the dark style), as an opaque text kept in the
    // journal and handed back when the user's wallpaper is restored. Empty: nothing more.
    virtual std::u16string SaveExtraLayout() { return {}; }
    virtual void RestoreExtraLayout(std::u16string_view /*sLayout*/) {}

    // Puts the user's values back: the layout values, the picture, then the extra layout.
    // False when the desktop did not take the picture.
    virtual bool RestoreUserWallpaper(const TMyUserWallpaper& user);
};

// The layout rules over the values of a store.
TMyWallpaperStyle ReadWallpaperStyle(TMyDesktopWallpaperStore& store);
struct TMyWallpaperOrigin {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};
TMyWallpaperOrigin ReadWallpaperOrigin(TMyDesktopWallpaperStore& store);
// Writes "TileWallpaper" and "WallpaperStyle" for a style; false when nothing was written.
bool WriteWallpaperStyle(TMyDesktopWallpaperStore& store, TMyWallpaperStyle style);
// Forces tile mode ("1", "1").
bool WriteTilingStyle(TMyDesktopWallpaperStore& store);

// A colour written "#rrggbb" as 0x00BBGGRR; nothing for any other text.
std::optional<std::uint32_t> ColorFromHexText(std::string_view sText);

// An integer value as the desktop keeps it in text: optional sign, decimal digits, within
// 32 bits; anything else is 0.
std::int32_t WallpaperValueToInt(std::u16string_view sValue);

} // namespace skivra
