#include "engine/myWallpaperImage.h"

#include "WallpaperTestImages.h"
#include "engine/myFileWallpaperStore.h"
#include "engine/myQtPictureCodec.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <fstream>

namespace skivra {
namespace {

using test::HalvesImage;
using test::Layouts;
using test::Mod;
using test::MonitorAt;
using test::NumberedImage;
using test::ShowsOnScreen;
using test::SolidImage;

constexpr std::uint32_t clBack = 0x302010; // 0x00BBGGRR
constexpr std::uint32_t clFill = 0x0000F0;
constexpr std::uint32_t clDesk = 0x605040;
const QRgb rgbBack = qRgb(0x10, 0x20, 0x30);
const QRgb rgbFill = qRgb(0xF0, 0, 0);
const QRgb rgbDesk = qRgb(0x40, 0x50, 0x60);
const QRgb rgbPicture = qRgb(200, 100, 50);

TMyWallpaperDrawing Drawing(TMyWallpaperStyle style) {
    TMyWallpaperDrawing drawing;
    drawing.Style = style;
    drawing.Back = clBack;
    drawing.Fill = clFill;
    return drawing;
}

TEST(WallpaperSizes, FitAndFill) {
    struct Case {
        int pw, ph, W, H;
        TMyPlacedSize fit, fill;
    };
    const Case cases[] = {
        {1920, 1080, 1280, 1024, {1280, 720, 0, 152}, {1820, 1024, -270, 0}},
        {1280, 1024, 1280, 1024, {1280, 1024, 0, 0}, {1280, 1024, 0, 0}},
        {100, 400, 300, 200, {50, 200, 125, 0}, {300, 1200, 0, -500}},
        {16, 9, 40, 30, {40, 22, 0, 4}, {53, 30, -6, 0}},
        {0, 10, 40, 30, {}, {}},
        {10, 0, 40, 30, {}, {}},
        {-5, 10, 40, 30, {}, {}},
    };
    for (const Case& c : cases) {
        const TMyPlacedSize fit = FitSize(c.pw, c.ph, c.W, c.H);
        const TMyPlacedSize fill = FillSize(c.pw, c.ph, c.W, c.H);
        EXPECT_EQ((std::vector{fit.w, fit.h, fit.x, fit.y}),
                  (std::vector{c.fit.w, c.fit.h, c.fit.x, c.fit.y}))
            << c.pw << "x" << c.ph << " in " << c.W << "x" << c.H;
        EXPECT_EQ((std::vector{fill.w, fill.h, fill.x, fill.y}),
                  (std::vector{c.fill.w, c.fill.h, c.fill.x, c.fill.y}))
            << c.pw << "x" << c.ph << " over " << c.W << "x" << c.H;
    }
}

TEST(WallpaperPlacement, EveryAlignment) {
    const TMyDesktopGeometry geometry =
        TMyDesktopGeometry::FromMonitors({QRect(0, 0, 100, 100), QRect(10, -40, 40, 30)});
    struct Case {
        std::uint8_t align;
        int w, h;
        QPoint expected;
    };
    // On the second monitor: dx = 30, dy = 24 for a 10 by 6 picture.
    const Case cases[] = {
        {1, 10, 6, {25, -28}},
        {2, 10, 6, {10, -28}},
        {3, 10, 6, {40, -28}},
        {4, 10, 6, {25, -40}},
        {5, 10, 6, {25, -16}},
        {6, 10, 6, {10, -40}},
        {7, 10, 6, {10, -16}},
        {8, 10, 6, {40, -40}},
        {9, 10, 6, {40, -16}},
        {10, 10, 6, {15, -33}},
        // Halves of negative differences round toward zero: dx = -5, dy = -3.
        {1, 45, 33, {8, -41}},
        {9, 45, 33, {5, -43}},
        // No alignment: centred for every style but tiling.
        {0, 10, 6, {25, -28}},
    };
    for (const Case& c : cases) {
        TMyWallpaperDrawing drawing = Drawing(wsCenter);
        drawing.Align = c.align;
        drawing.OffsetX = 5;
        drawing.OffsetY = 7;
        EXPECT_EQ(PlaceImage(drawing, geometry, 1, c.w, c.h), c.expected)
            << "align " << int(c.align) << " size " << c.w << "x" << c.h;
    }
    // Tiling without alignment anchors at the reference monitor's corner; an out-of-range
    // reference becomes 0 and stays 0 for the rest of the drawing.
    TMyWallpaperDrawing tiling = Drawing(wsTiling);
    tiling.TileMonitor = 7;
    EXPECT_EQ(PlaceImage(tiling, geometry, 1, 10, 6), QPoint(0, 0));
    EXPECT_EQ(tiling.TileMonitor, 0);
    EXPECT_EQ(tiling.Align, 6);
    tiling.TileMonitor = -1;
    EXPECT_EQ(PlaceImage(tiling, geometry, 1, 10, 6), QPoint(10, -40));
    tiling.TileMonitor = -2;
    EXPECT_EQ(PlaceImage(tiling, geometry, 1, 10, 6), QPoint(0, 0));
    // Desktop zoom centres on the whole desktop (0, -40, 100, 140).
    TMyWallpaperDrawing zoom = Drawing(wsDesktopZoom);
    EXPECT_EQ(PlaceImage(zoom, geometry, 0, 50, 40), QPoint(25, 10));
}

TEST(WallpaperTiling, GridThroughTheOffset) {
    const QImage picture = NumberedImage(100, 3);
    QImage target(250, 7, QImage::Format_RGB32);
    // The monitor at -1920 of the primary's grid: its first column is picture column 80.
    TileImage(target, picture, 1920, 0);
    EXPECT_EQ(target.pixel(0, 0), picture.pixel(80, 0));
    EXPECT_EQ(target.pixel(20, 0), picture.pixel(0, 0));
    // Short pictures go through a strip; pictures half the target's height and more are
    // drawn tile by tile, including one larger than the target.
    for (const QImage& tile : {picture, NumberedImage(100, 4), NumberedImage(300, 9)}) {
        for (const auto& [ox, oy] : {std::pair{1920, 0}, {-7, 2}, {0, -4}, {99, 3}, {-250, 11}}) {
            target.fill(Qt::black);
            TileImage(target, tile, ox, oy);
            for (int y = 0; y < target.height(); ++y) {
                for (int x = 0; x < target.width(); ++x) {
                    ASSERT_EQ(target.pixel(x, y),
                              tile.pixel(Mod(x - ox, tile.width()), Mod(y - oy, tile.height())))
                        << tile.width() << "x" << tile.height() << " offset " << ox << "," << oy
                        << " at " << x << "," << y;
                }
            }
        }
    }
    QImage empty;
    TileImage(empty, picture, 0, 0); // nothing to fill, nothing happens
    TileImage(target, QImage(), 0, 0);
}

// What a picture in its own size shows at a screen point of the picture placed at (px, py).
QRgb PictureOrBack(const QImage& picture, int X, int Y, int px, int py) {
    const int x = X - px;
    const int y = Y - py;
    if (x >= 0 && y >= 0 && x < picture.width() && y < picture.height()) {
        return picture.pixel(x, y);
    }
    return rgbBack;
}

TEST(WallpaperDrawing, CentredOnEveryMonitor) {
    for (const QImage& picture : {NumberedImage(10, 7), NumberedImage(50, 44)}) {
        for (const test::TLayout& layout : Layouts()) {
            const TMyDesktopGeometry geometry = TMyDesktopGeometry::FromMonitors(layout.monitors);
            QImage image;
            DrawWallpaperImage(image, picture, Drawing(wsCenter), geometry, clDesk);
            EXPECT_TRUE(ShowsOnScreen(
                image, geometry,
                [&](int X, int Y) {
                    const int m = MonitorAt(geometry, X, Y);
                    if (m < 0) {
                        return rgbFill;
                    }
                    const QRect& rc = geometry.Monitors[static_cast<std::size_t>(m)];
                    return PictureOrBack(picture, X, Y,
                                         rc.left() + (rc.width() - picture.width()) / 2,
                                         rc.top() + (rc.height() - picture.height()) / 2);
                }))
                << layout.pName << ", picture " << picture.width();
        }
    }
}

TEST(WallpaperDrawing, TiledOnOneGrid) {
    const QImage picture = NumberedImage(9, 7);
    for (const std::int32_t iTileMonitor : {0, 1, -1, 7, -3}) {
        for (const test::TLayout& layout : Layouts()) {
            const TMyDesktopGeometry geometry = TMyDesktopGeometry::FromMonitors(layout.monitors);
            TMyWallpaperDrawing drawing = Drawing(wsTiling);
            drawing.TileMonitor = iTileMonitor;
            QImage image;
            DrawWallpaperImage(image, picture, drawing, geometry, clDesk);
            const int iCount = static_cast<int>(geometry.Monitors.size());
            const int iReference = iTileMonitor < -1 || iTileMonitor >= iCount ? 0 : iTileMonitor;
            EXPECT_TRUE(ShowsOnScreen(
                image, geometry,
                [&](int X, int Y) {
                    const int m = MonitorAt(geometry, X, Y);
                    if (m < 0) {
                        return rgbFill;
                    }
                    const QRect& anchor =
                        geometry
                            .Monitors[static_cast<std::size_t>(iReference == -1 ? m : iReference)];
                    return picture.pixel(Mod(X - anchor.left(), 9), Mod(Y - anchor.top(), 7));
                }))
                << layout.pName << ", reference " << iTileMonitor;
        }
    }
}

// The scaled styles draw a block of the picture's colour; where each block lies.
TEST(WallpaperDrawing, ScaledStylesPlaceTheirBlock) {
    const QImage picture = SolidImage(16, 9, rgbPicture);
    struct Case {
        TMyWallpaperStyle style;
        const char* pLayout;
        std::vector<QRect> blocks; // one per monitor, screen coordinates
    };
    const std::vector<QRect> sideBySide = {QRect(0, 0, 40, 30), QRect(40, 0, 40, 30)};
    const Case cases[] = {
        {wsStretch, "side by side", {QRect(0, 0, 40, 30), QRect(40, 0, 40, 30)}},
        {wsFullScreen, "side by side", {QRect(0, 4, 40, 22), QRect(40, 4, 40, 22)}},
        {wsMonitorZoom, "side by side", {QRect(-6, 0, 53, 30), QRect(34, 0, 53, 30)}},
        // The desktop is 80 by 30: 80 by 45, centred at y = (30 - 45) div 2 = -7.
        {wsDesktopZoom, "side by side", {QRect(0, -7, 80, 45), QRect(0, -7, 80, 45)}},
        {wsStretch, "left and above", {QRect(0, 0, 40, 30), QRect(-30, -20, 30, 20)}},
        // 30 by 20 monitor: 30 by 16 at y = 2.
        {wsFullScreen, "left and above", {QRect(0, 4, 40, 22), QRect(-30, -18, 30, 16)}},
        // 30 by 20 monitor: 30 by 16 < 20, so 35 by 20 at x = -2.
        {wsMonitorZoom, "left and above", {QRect(-6, 0, 53, 30), QRect(-32, -20, 35, 20)}},
        // The desktop is (-30, -20) 70 by 50: 88 by 50 at x = (70 - 88) div 2 - 30 = -39.
        {wsDesktopZoom, "left and above", {QRect(-39, -20, 88, 50), QRect(-39, -20, 88, 50)}},
        {wsFullScreen, "portrait", {QRect(0, 4, 40, 22), QRect(40, 9, 20, 11)}},
    };
    for (const Case& c : cases) {
        const auto it =
            std::find_if(Layouts().begin(), Layouts().end(),
                         [&](const test::TLayout& l) { return l.pName == std::string(c.pLayout); });
        ASSERT_NE(it, Layouts().end());
        const TMyDesktopGeometry geometry = TMyDesktopGeometry::FromMonitors(it->monitors);
        QImage image;
        DrawWallpaperImage(image, picture, Drawing(c.style), geometry, clDesk);
        EXPECT_TRUE(ShowsOnScreen(image, geometry,
                                  [&](int X, int Y) {
                                      const int m = MonitorAt(geometry, X, Y);
                                      if (m < 0) {
                                          return rgbFill;
                                      }
                                      const QRect& block = c.blocks[static_cast<std::size_t>(m)];
                                      return X >= block.left() &&
                                                     X < block.left() + block.width() &&
                                                     Y >= block.top() &&
                                                     Y < block.top() + block.height()
                                                 ? rgbPicture
                                                 : rgbBack;
                                  }))
            << "style " << c.style << " on " << c.pLayout;
    }
}

TEST(WallpaperDrawing, LargePicturesOnRealMonitors) {
    const QRgb left = qRgb(250, 0, 0);
    const QRgb right = qRgb(0, 0, 250);
    const QImage picture = HalvesImage(1920, 1080, left, right);
    const TMyDesktopGeometry geometry = TMyDesktopGeometry::FromMonitors({QRect(0, 0, 1280, 1024)});
    QImage image;
    // Monitor zoom: 1820 by 1024 at x = -270, so the halves meet at column 640.
    DrawWallpaperImage(image, picture, Drawing(wsMonitorZoom), geometry, clDesk);
    for (const int y : {0, 512, 1023}) {
        EXPECT_EQ(image.pixel(0, y), left);
        EXPECT_EQ(image.pixel(637, y), left);
        EXPECT_EQ(image.pixel(643, y), right);
        EXPECT_EQ(image.pixel(1279, y), right);
    }
    // Full screen: 1280 by 720 at y = 152.
    DrawWallpaperImage(image, picture, Drawing(wsFullScreen), geometry, clDesk);
    for (const int x : {0, 1279}) {
        EXPECT_EQ(image.pixel(x, 151), rgbBack);
        EXPECT_NE(image.pixel(x, 152), rgbBack);
        EXPECT_NE(image.pixel(x, 871), rgbBack);
        EXPECT_EQ(image.pixel(x, 872), rgbBack);
    }
    EXPECT_EQ(image.pixel(300, 500), left);
    EXPECT_EQ(image.pixel(1000, 500), right);
    // A strong reduction (averaged first) keeps the layout: 4x smaller centred picture.
    const TMyDesktopGeometry small = TMyDesktopGeometry::FromMonitors({QRect(0, 0, 480, 400)});
    DrawWallpaperImage(image, picture, Drawing(wsFullScreen), small, clDesk);
    EXPECT_EQ(image.pixel(10, 64), rgbBack);
    EXPECT_EQ(image.pixel(10, 65), left);
    EXPECT_EQ(image.pixel(470, 334), right);
    EXPECT_EQ(image.pixel(470, 335), rgbBack);
}

TEST(WallpaperDrawing, EmptyPictureShowsTheBackAndDesktopColourResolves) {
    const TMyDesktopGeometry geometry = TMyDesktopGeometry::FromMonitors(Layouts()[3].monitors);
    TMyWallpaperDrawing drawing = Drawing(wsStretch);
    drawing.Back = clDesktopColor;
    QImage image;
    DrawWallpaperImage(image, QImage(), drawing, geometry, clDesk);
    EXPECT_TRUE(ShowsOnScreen(image, geometry, [&](int X, int Y) {
        return MonitorAt(geometry, X, Y) < 0 ? rgbFill : rgbDesk;
    }));
    // An extreme aspect ratio zooms to a block far larger than the desktop; only its visible
    // part is drawn.
    DrawWallpaperImage(image, SolidImage(1, 30000, rgbPicture), Drawing(wsMonitorZoom), geometry,
                       clDesk);
    EXPECT_TRUE(ShowsOnScreen(image, geometry, [&](int X, int Y) {
        return MonitorAt(geometry, X, Y) < 0 ? rgbFill : rgbPicture;
    }));
}

class ComposeTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream(folder.Path() + "/desktop.txt") << "@DesktopColor=" << clDesk << "\n";
    }
    std::u16string Save(const QImage& image, std::u16string_view sName, const char* pFormat) {
        const std::u16string sPath = folder / sName;
        EXPECT_TRUE(image.save(QString::fromStdU16String(sPath), pFormat));
        return sPath;
    }
    QImage Compose(std::u16string_view sName) {
        QImage image;
        ComposeDesktopWallpaper(image, sName, geometry, store);
        return image;
    }
    test::TempFolder folder;
    TMyFileWallpaperStore store{folder / u"desktop.txt"};
    TMyDesktopGeometry geometry = TMyDesktopGeometry::FromMonitors(Layouts()[2].monitors);
};

TEST_F(ComposeTest, ReadsTheStoresStyleAndOrigin) {
    const QImage picture = NumberedImage(9, 7);
    const std::u16string sBmp = Save(picture, u"pic.BMP", "bmp");
    // Tiling from the second monitor's corner.
    store.WriteValue(u"TileWallpaper", u"1");
    store.WriteValue(u"WallpaperOriginX", u"1");
    EXPECT_TRUE(ShowsOnScreen(Compose(sBmp), geometry, [&](int X, int Y) {
        return MonitorAt(geometry, X, Y) < 0 ? rgbDesk
                                             : picture.pixel(Mod(X + 30, 9), Mod(Y + 20, 7));
    }));
    // Centre style; the vertical origin is an offset the default alignment does not use.
    store.WriteValue(u"TileWallpaper", u"0");
    store.WriteValue(u"WallpaperStyle", u"0");
    store.WriteValue(u"WallpaperOriginY", u"3");
    EXPECT_TRUE(ShowsOnScreen(Compose(sBmp), geometry, [&](int X, int Y) {
        const int m = MonitorAt(geometry, X, Y);
        if (m < 0) {
            return rgbDesk;
        }
        const QRect& rc = geometry.Monitors[static_cast<std::size_t>(m)];
        const QRgb rgb = PictureOrBack(picture, X, Y, rc.left() + (rc.width() - 9) / 2,
                                       rc.top() + (rc.height() - 7) / 2);
        return rgb == rgbBack ? rgbDesk : rgb;
    }));
}

TEST_F(ComposeTest, PictureKindsAndFailures) {
    store.WriteValue(u"TileWallpaper", u"0");
    store.WriteValue(u"WallpaperStyle", u"2");
    const auto solidMonitors = [&](QRgb rgb) {
        return [&, rgb](int X, int Y) {
            return MonitorAt(geometry, X, Y) < 0 ? rgbDesk : rgb;
        };
    };
    const QImage red = SolidImage(8, 8, qRgb(255, 0, 0));
    EXPECT_TRUE(ShowsOnScreen(Compose(Save(red, u"a.bmp", "bmp")), geometry,
                              solidMonitors(qRgb(255, 0, 0))));
    const QImage jpegImage =
        Compose(Save(SolidImage(16, 16, qRgb(0, 128, 255)), u"b.JpEg", "jpeg"));
    const QRgb jpegPixel = jpegImage.pixel(45, 30);
    EXPECT_LE(std::abs(qRed(jpegPixel) - 0) + std::abs(qGreen(jpegPixel) - 128) +
                  std::abs(qBlue(jpegPixel) - 255),
              9);
    EXPECT_EQ(jpegImage.pixel(45, 10), rgbDesk); // outside the monitors
    // A 3 by 2 GIF: red with one blue pixel.
    const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x03, 0x00, 0x02, 0x00, 0xf0,
                                 0x00, 0x00, 0xff, 0x00, 0x00, 0x00, 0x00, 0xff, 0x21, 0xf9, 0x04,
                                 0x00, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00, 0x00, 0x00, 0x03,
                                 0x00, 0x02, 0x00, 0x00, 0x02, 0x03, 0x84, 0x1d, 0x05, 0x00, 0x3b};
    const std::u16string sGif =
        folder.Write(u"d.gif", std::string_view(reinterpret_cast<const char*>(gif), sizeof gif));
    const QImage fromGif = LoadWallpaperPicture(sGif);
    ASSERT_EQ(fromGif.size(), QSize(3, 2));
    EXPECT_EQ(fromGif.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(fromGif.pixel(2, 1), qRgb(0, 0, 255));

    // Everything that gives no picture gives the solid background on every monitor.
    const std::u16string failures[] = {
        folder.Write(u"corrupt.jpg", "\xff\xd8\xff\xe0 not really"),
        folder.Write(u"corrupt.bmp", "BM short"),
        Save(red, u"picture.tiff", "png"), // a kind the desktop does not show
        folder / u"missing.jpg",
        folder.Path16() + u"/",
    };
    for (const std::u16string& sName : failures) {
        EXPECT_TRUE(ShowsOnScreen(Compose(sName), geometry, solidMonitors(rgbDesk)))
            << std::string(sName.begin(), sName.end());
    }
}

// The codec reads some kinds straight into its pixels (BMP) and converts the rest; either
// way every pixel comes back as 0x00RRGGBB.
TEST_F(ComposeTest, CodecLoadsEveryKindAsOpaqueRgb) {
    QImage translucent = NumberedImage(7, 5).convertToFormat(QImage::Format_ARGB32);
    translucent.setPixel(1, 1, qRgba(10, 20, 30, 40));
    const struct {
        const char16_t* pName;
        const char* pFormat;
        QImage picture;
    } cases[] = {
        {u"plain.bmp", "bmp", NumberedImage(7, 5)},
        {u"alpha.png", "png", translucent},
        {u"grey.png", "png", NumberedImage(6, 3).convertToFormat(QImage::Format_Grayscale8)},
        {u"wide.bmp", "bmp", NumberedImage(301, 2)},
    };
    TMyQtPictureCodec codec;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pFormat);
        const std::optional<TMyPixels> pixels = codec.Load(Save(c.picture, c.pName, c.pFormat));
        ASSERT_TRUE(pixels);
        ASSERT_EQ(pixels->Width, c.picture.width());
        ASSERT_EQ(pixels->Height, c.picture.height());
        ASSERT_EQ(pixels->Pixels.size(), static_cast<std::size_t>(pixels->Width) * pixels->Height);
        const QImage want = c.picture.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < want.height(); ++y) {
            for (int x = 0; x < want.width(); ++x) {
                ASSERT_EQ(pixels->Pixels[static_cast<std::size_t>(y) * want.width() + x],
                          want.pixel(x, y) & 0xFFFFFFu)
                    << x << "," << y;
            }
        }
    }
    EXPECT_FALSE(codec.Load(folder.Write(u"corrupt.png", "\x89PNG not really")));
    EXPECT_FALSE(codec.Load(folder / u"missing.bmp"));
}

TEST_F(ComposeTest, EmptyNameTakesTheDesktopsCurrentPicture) {
    store.WriteValue(u"TileWallpaper", u"0");
    store.WriteValue(u"WallpaperStyle", u"2");
    store.SetDesktopWallpaper(Save(SolidImage(4, 4, rgbPicture), u"now.png", "png"));
    EXPECT_TRUE(ShowsOnScreen(Compose(u""), geometry, [&](int X, int Y) {
        return MonitorAt(geometry, X, Y) < 0 ? rgbDesk : rgbPicture;
    }));
}

// The tiling view of the arranged image must show every monitor's own part on it, for
// every layout: screen point (X, Y) shows arranged pixel (X mod W, Y mod H).
TEST(WallpaperArrangement, EachMonitorsPartLandsOnIt) {
    for (const test::TLayout& layout : Layouts()) {
        const TMyDesktopGeometry geometry = TMyDesktopGeometry::FromMonitors(layout.monitors);
        const QImage composed = NumberedImage(geometry.Desktop.width(), geometry.Desktop.height());
        const QImage arranged = ArrangeForTiling(composed, geometry, clDesk);
        ASSERT_EQ(arranged.size(), composed.size());
        const int W = arranged.width();
        const int H = arranged.height();
        for (int Y = geometry.Desktop.top(); Y < geometry.Desktop.bottom() + 1; ++Y) {
            for (int X = geometry.Desktop.left(); X < geometry.Desktop.right() + 1; ++X) {
                if (MonitorAt(geometry, X, Y) < 0) {
                    continue;
                }
                ASSERT_EQ(arranged.pixel(Mod(X, W), Mod(Y, H)),
                          composed.pixel(X - geometry.Desktop.left(), Y - geometry.Desktop.top()))
                    << layout.pName << " at screen " << X << "," << Y;
            }
        }
    }
}

TEST(WallpaperArrangement, LiteralPlacements) {
    // A secondary left of the primary: desktop -1920..1919, W = 3840.
    const TMyDesktopGeometry left =
        TMyDesktopGeometry::FromMonitors({QRect(0, 0, 1920, 10), QRect(-1920, 0, 1920, 10)});
    QImage composed = HalvesImage(3840, 10, qRgb(1, 1, 1), qRgb(2, 2, 2));
    QImage arranged = ArrangeForTiling(composed, left, clDesk);
    EXPECT_EQ(arranged.pixel(0, 0), qRgb(2, 2, 2)); // the primary's part at x = 0
    EXPECT_EQ(arranged.pixel(1919, 9), qRgb(2, 2, 2));
    EXPECT_EQ(arranged.pixel(1920, 0), qRgb(1, 1, 1)); // the left monitor's at x = 1920
    // Above and shifted left (left -500, width 1920): split at x = W - 500 and x = 0.
    const TMyDesktopGeometry above =
        TMyDesktopGeometry::FromMonitors({QRect(0, 0, 1920, 10), QRect(-500, -10, 1920, 10)});
    ASSERT_EQ(above.Desktop, QRect(-500, -10, 2420, 20));
    composed = NumberedImage(2420, 20);
    arranged = ArrangeForTiling(composed, above, clDesk);
    EXPECT_EQ(arranged.pixel(2420 - 500, 10), composed.pixel(0, 0));
    EXPECT_EQ(arranged.pixel(0, 10), composed.pixel(500, 0));
    EXPECT_EQ(arranged.pixel(1419, 10), composed.pixel(1919, 0));
    // What no monitor covers after the moves is the desktop colour.
    const TMyDesktopGeometry gap =
        TMyDesktopGeometry::FromMonitors({QRect(0, 0, 10, 10), QRect(20, 0, 10, 10)});
    arranged = ArrangeForTiling(NumberedImage(30, 10), gap, clDesk);
    EXPECT_EQ(arranged.pixel(15, 5), rgbDesk);
    // A lone monitor is its own arrangement: the picture is passed on, not copied.
    const TMyDesktopGeometry single = TMyDesktopGeometry::FromMonitors({QRect(0, 0, 30, 10)});
    composed = NumberedImage(30, 10);
    EXPECT_EQ(ArrangeForTiling(composed, single, clDesk).constBits(), composed.constBits());
}

} // namespace
} // namespace skivra
