#pragma once

#include "engine/myKeyValueText.h"
#include "engine/myWallpaperStore.h"

namespace skivra {

// A desktop that lives in one key-value file: the layout values under their own names,
// the picture under "@Wallpaper", the background colour under "@DesktopColor" (decimal
// 0x00BBGGRR) and, when "@Closed" is "1", values that cannot be opened. Every call reads
// or writes the file, so two processes (a player and the one that restores after it)
// see the same desktop. Used by the tests, and as the desktop of last resort.
class TMyFileWallpaperStore : public TMyDesktopWallpaperStore {
public:
    explicit TMyFileWallpaperStore(std::u16string sFileName) : FsFileName(std::move(sFileName)) {}

    std::u16string Kind() const override { return u"file"; }
    bool CanOpenValues() override;
    std::optional<std::u16string> ReadValue(std::u16string_view sName) override;
    bool WriteValue(std::u16string_view sName, std::u16string_view sValue) override;
    std::optional<std::u16string> GetDesktopWallpaper() override;
    bool SetDesktopWallpaper(std::u16string_view sFileName) override;
    std::uint32_t GetDesktopColor() override;
    TMyInstalledWallpaper FindInstalledWallpaper(std::u16string_view sFileName) override;

    // How often a picture was installed and a layout value written, for tests that must
    // see no change.
    int SetCount();
    int ValueWriteCount();

private:
    TMyKeyValues Load() const;
    bool Save(const TMyKeyValues& values) const;
    static bool IsValueName(std::u16string_view sName) { return !sName.starts_with(u"@"); }

    std::u16string FsFileName;
};

} // namespace skivra
