#include "engine/myFileWallpaperStore.h"

#include "platform/posix/myAtomicFile.h"

#include <string>

namespace skivra {

namespace {

constexpr std::size_t kMaxStoreFileSize = 1 << 20;

void Increment(TMyKeyValues& values, std::u16string_view sName) {
    const int iCount = WallpaperValueToInt(FindKeyValue(values, sName).value_or(u"0"));
    const std::string sCount = std::to_string(iCount + 1);
    SetKeyValue(values, sName, std::u16string(sCount.begin(), sCount.end()));
}

} // namespace

TMyKeyValues TMyFileWallpaperStore::Load() const {
    const std::optional<std::string> sText = ReadSmallFile(FsFileName, kMaxStoreFileSize);
    if (!sText) {
        return {};
    }
    return ParseKeyValueText(*sText).value_or(TMyKeyValues{});
}

bool TMyFileWallpaperStore::Save(const TMyKeyValues& values) const {
    return WriteFileAtomically(FsFileName, FormatKeyValueText(values));
}

bool TMyFileWallpaperStore::CanOpenValues() {
    return FindKeyValue(Load(), u"@Closed").value_or(u"") != u"1";
}

std::optional<std::u16string> TMyFileWallpaperStore::ReadValue(std::u16string_view sName) {
    const TMyKeyValues values = Load();
    if (!IsValueName(sName) || FindKeyValue(values, u"@Closed").value_or(u"") == u"1") {
        return std::nullopt;
    }
    return FindKeyValue(values, sName);
}

bool TMyFileWallpaperStore::WriteValue(std::u16string_view sName, std::u16string_view sValue) {
    TMyKeyValues values = Load();
    if (!IsValueName(sName) || FindKeyValue(values, u"@Closed").value_or(u"") == u"1") {
        return false;
    }
    SetKeyValue(values, sName, sValue);
    Increment(values, u"@ValueWrites");
    return Save(values);
}

std::optional<std::u16string> TMyFileWallpaperStore::GetDesktopWallpaper() {
    return FindKeyValue(Load(), u"@Wallpaper").value_or(u"");
}

TMyInstalledWallpaper TMyFileWallpaperStore::FindInstalledWallpaper(std::u16string_view sFileName) {
    // A file name is not reused by anybody else: the name alone tells.
    return FindKeyValue(Load(), u"@Wallpaper") == sFileName ? TMyInstalledWallpaper::Shown
                                                            : TMyInstalledWallpaper::Replaced;
}

bool TMyFileWallpaperStore::SetDesktopWallpaper(std::u16string_view sFileName) {
    TMyKeyValues values = Load();
    SetKeyValue(values, u"@Wallpaper", sFileName);
    Increment(values, u"@SetCount");
    return Save(values);
}

std::uint32_t TMyFileWallpaperStore::GetDesktopColor() {
    const std::u16string sColor = FindKeyValue(Load(), u"@DesktopColor").value_or(u"0");
    return static_cast<std::uint32_t>(WallpaperValueToInt(sColor)) & 0xFFFFFF;
}

int TMyFileWallpaperStore::SetCount() {
    return WallpaperValueToInt(FindKeyValue(Load(), u"@SetCount").value_or(u"0"));
}

int TMyFileWallpaperStore::ValueWriteCount() {
    return WallpaperValueToInt(FindKeyValue(Load(), u"@ValueWrites").value_or(u"0"));
}

} // namespace skivra
