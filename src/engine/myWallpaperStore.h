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
    // into a file of its own and names that file.
    virtual std::u16string GetDesktopWallpaper() = 0;
    // Shows the picture laid out by the current values; an empty name removes the picture
    // (the desktop colour shows). False when the desktop could not be changed.
    virtual bool SetDesktopWallpaper(std::u16string_view sFileName) = 0;

    // The desktop's background colour, 0x00BBGGRR.
    virtual std::uint32_t GetDesktopColor() = 0;

    // Layout settings of the backend's own that the three values cannot express (a zoomed
    // picture, a separate picture for the dark style), as an opaque text kept in the
    // journal and handed back when the user's wallpaper is restored. Empty: nothing more.
    virtual std::u16string SaveExtraLayout() { return {}; }
    virtual void RestoreExtraLayout(std::u16string_view /*sLayout*/) {}
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

// An integer value as the desktop keeps it in text: optional sign, decimal digits, within
// 32 bits; anything else is 0.
std::int32_t WallpaperValueToInt(std::u16string_view sValue);

} // namespace skivra
