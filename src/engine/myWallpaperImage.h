#pragma once

#include "engine/myWallpaperStyle.h"

#include <QImage>
#include <QRect>

#include <cstdint>
#include <string_view>
#include <vector>

namespace skivra {

class TMyDesktopWallpaperStore;

// The monitors as the wallpaper sees them: full rectangles in virtual-screen pixels, the
// primary's top-left at (0, 0), in the monitor list's order; the desktop rectangle is
// their bounding box together with the origin.
struct TMyDesktopGeometry {
    std::vector<QRect> Monitors;
    QRect Desktop;

    static TMyDesktopGeometry FromMonitors(std::vector<QRect> monitors);
    // The program's monitor snapshot, MyScreen.
    static TMyDesktopGeometry FromMyScreen();
};

// A size and the offsets that centre it in an area.
struct TMyPlacedSize {
    int w = 0;
    int h = 0;
    int x = 0;
    int y = 0;
};
// The largest size with the picture's aspect ratio that fits in W by H.
TMyPlacedSize FitSize(int pw, int ph, int W, int H);
// The smallest size with the rectangle's aspect ratio that covers W by H.
TMyPlacedSize FillSize(int rw, int rh, int W, int H);

// Everything of one drawing but the picture. PlaceImage may settle Align (0 becomes the
// style's default) and TileMonitor (out of range becomes 0) for the rest of the drawing.
struct TMyWallpaperDrawing {
    std::int32_t Style = wsCenter; // a TMyWallpaperStyle; other values draw as centred
    std::uint32_t Back = clDesktopColor;
    std::uint8_t Align = 0; // 0..10
    std::int32_t TileMonitor = 0;
    std::int32_t OffsetX = 0;
    std::int32_t OffsetY = 0;
    std::uint32_t Fill = clDesktopColor;
};

// 0x00BBGGRR (or the desktop colour's stand-in) as a pixel of the images here.
QRgb ResolveColor(std::uint32_t clColor, std::uint32_t clDesktop);

// Where a w by h picture goes on monitor iMonitor, in screen coordinates.
QPoint PlaceImage(TMyWallpaperDrawing& drawing, const TMyDesktopGeometry& geometry, int iMonitor,
                  int w, int h);
// Fills the target with copies of the picture on a grid through (offsetX, offsetY).
void TileImage(QImage& target, const QImage& picture, std::int32_t offsetX, std::int32_t offsetY);

// The layout itself: image becomes desktop-sized, filled with Fill, and every monitor shows
// the picture laid out by the style on Back.
void DrawWallpaperImage(QImage& image, const QImage& picture, TMyWallpaperDrawing drawing,
                        const TMyDesktopGeometry& geometry, std::uint32_t clDesktop);

// The picture a wallpaper file gives: JPEG, BMP, GIF and PNG by their extension; a null
// image when the file is missing, of another kind, or cannot be decoded.
QImage LoadWallpaperPicture(std::u16string_view sFileName);

// Writes a 24-bit BMP through a temporary file renamed over the old one, so the desktop
// never loads a half-written file; false (the old file whole) on failure.
bool SaveWallpaperBitmap(const QImage& image, std::u16string_view sFileName);

// Loads the picture (the store's current wallpaper when the name is empty; the solid Back
// colour when it gives none) and draws it.
void ComposeWallpaperImage(QImage& image, std::u16string_view sPictureName,
                           const TMyWallpaperDrawing& drawing, const TMyDesktopGeometry& geometry,
                           TMyDesktopWallpaperStore& store);
// The desktop as the store's current layout values show the picture.
void ComposeDesktopWallpaper(QImage& image, std::u16string_view sPictureName,
                             const TMyDesktopGeometry& geometry, TMyDesktopWallpaperStore& store);

// The desktop tiles its wallpaper from the primary's top-left, so screen point (X, Y) shows
// pixel (X mod W, Y mod H). This moves every monitor's part of a desktop-sized image to
// where that tiling shows it.
QImage ArrangeForTiling(const QImage& source, const TMyDesktopGeometry& geometry,
                        std::uint32_t clDesktop);

} // namespace skivra
