#pragma once

#include "engine/myWallpaperStore.h"

#include <string>
#include <vector>

namespace skivra {

// The wallpaper of the GNOME family of desktops, whose own background replaces the root
// window's: the settings org.gnome.desktop.background "picture-uri", "picture-uri-dark" and
// "picture-options", read and written through the gsettings tool (so no GLib reaches the
// program's core). The layout values map onto "picture-options": tiling is "wallpaper",
// centre "centered", stretch "stretched"; the options that have no value of their own
// (zoom, scaled, spanned, none) and the dark picture are kept as the extra layout and put
// back exactly. The desktop colour is "primary-color". UI thread only.
class TMyGnomeWallpaperStore : public TMyDesktopWallpaperStore {
public:
    // sTool is the gsettings program to run (a test can point elsewhere).
    explicit TMyGnomeWallpaperStore(std::string sTool = "gsettings") : FsTool(std::move(sTool)) {}

    // Whether the desktop runs: XDG_CURRENT_DESKTOP names GNOME or one of its kin.
    static bool IsRunningDesktop();

    std::u16string Kind() const override { return u"gnome"; }
    bool CanOpenValues() override;
    std::optional<std::u16string> ReadValue(std::u16string_view sName) override;
    bool WriteValue(std::u16string_view sName, std::u16string_view sValue) override;
    std::optional<std::u16string> GetDesktopWallpaper() override;
    bool SetDesktopWallpaper(std::u16string_view sFileName) override;
    std::uint32_t GetDesktopColor() override;
    TMyInstalledWallpaper FindInstalledWallpaper(std::u16string_view sFileName) override;
    std::u16string SaveExtraLayout() override;
    void RestoreExtraLayout(std::u16string_view sLayout) override;

private:
    std::optional<std::string> Get(const char* pszKey);
    bool Set(const char* pszKey, const std::string& sValue);

    std::string FsTool;
    // A value written but not yet turned into picture-options (Tile comes before Style).
    std::u16string FsTile;
};

// The text form gsettings uses for a string: a GVariant string literal.
std::string QuoteGVariantString(std::string_view sText);
std::optional<std::string> UnquoteGVariantString(std::string_view sText);

} // namespace skivra
