#include "engine/myWallpaperStore.h"

#include "support/myFile.h"

#include <limits>

namespace skivra {

TMyWallpaperStyle ReadWallpaperStyle(TMyDesktopWallpaperStore& store) {
    if (!store.CanOpenValues()) {
        return wsCenter;
    }
    // A missing value reads as an empty text, which is not "0": tiling.
    if (store.ReadValue(u"TileWallpaper").value_or(u"") != u"0") {
        return wsTiling;
    }
    const std::u16string sStyle = store.ReadValue(u"WallpaperStyle").value_or(u"");
    if (sStyle == u"1") {
        return wsTiling;
    }
    if (sStyle == u"2") {
        return wsStretch;
    }
    return wsCenter;
}

std::int32_t WallpaperValueToInt(std::u16string_view sValue) {
    std::size_t i = 0;
    bool bNegative = false;
    if (i < sValue.size() && (sValue[i] == u'-' || sValue[i] == u'+')) {
        bNegative = sValue[i] == u'-';
        ++i;
    }
    if (i == sValue.size()) {
        return 0;
    }
    std::int64_t iValue = 0;
    for (; i < sValue.size(); ++i) {
        if (sValue[i] < u'0' || sValue[i] > u'9') {
            return 0;
        }
        iValue = iValue * 10 + (sValue[i] - u'0');
        if (iValue > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) {
            return 0;
        }
    }
    iValue = bNegative ? -iValue : iValue;
    if (iValue > std::numeric_limits<std::int32_t>::max()) {
        return 0;
    }
    return static_cast<std::int32_t>(iValue);
}

std::optional<std::uint32_t> ColorFromHexText(std::string_view sText) {
    if (sText.size() != 7 || sText[0] != '#') {
        return std::nullopt;
    }
    std::uint32_t rgb = 0;
    for (std::size_t i = 1; i < 7; ++i) {
        const int iDigit = HexDigitValue(sText[i]);
        if (iDigit < 0) {
            return std::nullopt;
        }
        rgb = rgb << 4 | static_cast<std::uint32_t>(iDigit);
    }
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

TMyWallpaperOrigin ReadWallpaperOrigin(TMyDesktopWallpaperStore& store) {
    TMyWallpaperOrigin origin;
    if (!store.CanOpenValues()) {
        return origin;
    }
    origin.X = WallpaperValueToInt(store.ReadValue(u"WallpaperOriginX").value_or(u""));
    origin.Y = WallpaperValueToInt(store.ReadValue(u"WallpaperOriginY").value_or(u""));
    return origin;
}

bool WriteWallpaperStyle(TMyDesktopWallpaperStore& store, TMyWallpaperStyle style) {
    if (!store.CanOpenValues()) {
        return false;
    }
    // Only centre and stretch have values of their own; the zoom styles have none and
    // come back as tiling.
    std::u16string_view sTile = u"1";
    std::u16string_view sStyle = u"1";
    if (style == wsCenter) {
        sTile = u"0";
        sStyle = u"0";
    } else if (style == wsStretch) {
        sTile = u"0";
        sStyle = u"2";
    }
    const bool bTile = store.WriteValue(u"TileWallpaper", sTile);
    const bool bStyle = store.WriteValue(u"WallpaperStyle", sStyle);
    return bTile && bStyle;
}

bool TMyDesktopWallpaperStore::RestoreUserWallpaper(const TMyUserWallpaper& user) {
    WriteWallpaperStyle(*this, user.Style);
    const bool bRestored = SetDesktopWallpaper(user.WallPaperName);
    RestoreExtraLayout(user.ExtraLayout);
    return bRestored;
}

bool WriteTilingStyle(TMyDesktopWallpaperStore& store) {
    return WriteWallpaperStyle(store, wsTiling);
}

} // namespace skivra
