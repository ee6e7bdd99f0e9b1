#pragma once

#include <cstdint>

namespace skivra {

// How a wallpaper picture is laid out on the monitors. The values are stored (journal,
// settings of the desktop), so their order never changes.
enum TMyWallpaperStyle : std::int32_t {
    wsCenter = 0,
    wsTiling = 1,
    wsStretch = 2,
    wsFullScreen = 3,
    wsMonitorZoom = 4,
    wsDesktopZoom = 5,
};

constexpr bool IsValidWallpaperStyle(std::int64_t iValue) {
    return iValue >= wsCenter && iValue <= wsDesktopZoom;
}

// Colours are 0x00BBGGRR; this value stands for the desktop's own background colour and is
// resolved to it when drawn.
constexpr std::uint32_t clDesktopColor = 0xFF000001;
// The overlay key colour the video engine uses unless told otherwise (red 16, blue 16).
constexpr std::uint32_t clDefaultOverlayKey = 0x100010;

} // namespace skivra
