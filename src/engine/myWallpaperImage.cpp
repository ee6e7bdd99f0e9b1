#include "engine/myWallpaperImage.h"

#include "engine/myWallpaperStore.h"
#include "support/myFile.h"
#include "support/myMonitor.h"
#include "support/myPath.h"
#include "support/myUnicode.h"

#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <cmath>
#include <limits>

namespace skivra {

namespace {

// Sizes computed from extreme aspect ratios can leave the int range; the block is then
// drawn through its visible part only.
constexpr std::int64_t kMaxDirectBlock = std::int64_t{1} << 30;

int TruncToInt(double fValue) {
    if (!(fValue < static_cast<double>(std::numeric_limits<int>::max()))) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(std::trunc(fValue));
}

struct TBlock {
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::int64_t w = 0;
    std::int64_t h = 0;
};

// Draws the whole picture stretched to the block, smoothed, clipped to the clip rectangle.
void StretchDraw(QImage& target, const QRect& clip, const QImage& picture, const TBlock& block) {
    if (block.w <= 0 || block.h <= 0) {
        return;
    }
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setClipRect(clip);
    if (block.w == picture.width() && block.h == picture.height()) {
        painter.drawImage(QPoint(static_cast<int>(block.x), static_cast<int>(block.y)), picture);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    // A strong reduction is averaged over the source area first: a bilinear sample of a
    // few source pixels would alias.
    if (block.w * 2 <= picture.width() && block.h * 2 <= picture.height()) {
        const QImage reduced = picture.scaled(static_cast<int>(block.w), static_cast<int>(block.h),
                                              Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        painter.drawImage(QPoint(static_cast<int>(block.x), static_cast<int>(block.y)), reduced);
        return;
    }
    const bool bDirect = std::abs(block.x) < kMaxDirectBlock &&
                         std::abs(block.y) < kMaxDirectBlock && block.w < kMaxDirectBlock &&
                         block.h < kMaxDirectBlock;
    if (bDirect) {
        painter.drawImage(QRect(static_cast<int>(block.x), static_cast<int>(block.y),
                                static_cast<int>(block.w), static_cast<int>(block.h)),
                          picture);
        return;
    }
    const std::int64_t iLeft = std::max<std::int64_t>(block.x, clip.left());
    const std::int64_t iTop = std::max<std::int64_t>(block.y, clip.top());
    const std::int64_t iRight =
        std::min<std::int64_t>(block.x + block.w, clip.left() + clip.width());
    const std::int64_t iBottom =
        std::min<std::int64_t>(block.y + block.h, clip.top() + clip.height());
    if (iLeft >= iRight || iTop >= iBottom) {
        return;
    }
    const double fScaleX = static_cast<double>(picture.width()) / static_cast<double>(block.w);
    const double fScaleY = static_cast<double>(picture.height()) / static_cast<double>(block.h);
    const QRectF source(static_cast<double>(iLeft - block.x) * fScaleX,
                        static_cast<double>(iTop - block.y) * fScaleY,
                        static_cast<double>(iRight - iLeft) * fScaleX,
                        static_cast<double>(iBottom - iTop) * fScaleY);
    painter.drawImage(QRectF(static_cast<double>(iLeft), static_cast<double>(iTop),
                             static_cast<double>(iRight - iLeft),
                             static_cast<double>(iBottom - iTop)),
                      picture, source);
}

// The zoom styles: as wide as the area, or as high when that leaves the area uncovered.
void ZoomSize(int pw, int ph, int W, int H, TBlock& block) {
    block.w = W;
    block.h = TruncToInt(static_cast<double>(ph) / pw * block.w);
    if (block.h < H) {
        block.h = H;
        block.w = TruncToInt(static_cast<double>(pw) / ph * block.h);
    }
}

void CopyBlock(QImage& target, const QPoint& to, const QImage& source, const QRect& from) {
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(to, source, from);
}

QImage MakeImage(int w, int h, QRgb color) {
    QImage image(std::max(w, 0), std::max(h, 0), QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// The non-negative remainder.
std::int64_t Modulo(std::int64_t a, std::int64_t b) {
    const std::int64_t r = a % b;
    return r < 0 ? r + b : r;
}

std::u16string UpperAscii(std::u16string sText) {
    for (char16_t& c : sText) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    return sText;
}

} // namespace

TMyDesktopGeometry TMyDesktopGeometry::FromMonitors(std::vector<QRect> monitors) {
    TMyDesktopGeometry geometry;
    int iLeft = 0;
    int iTop = 0;
    int iRight = 0;
    int iBottom = 0;
    for (const QRect& rc : monitors) {
        iLeft = std::min(iLeft, rc.left());
        iTop = std::min(iTop, rc.top());
        iRight = std::max(iRight, rc.left() + rc.width());
        iBottom = std::max(iBottom, rc.top() + rc.height());
    }
    geometry.Monitors = std::move(monitors);
    geometry.Desktop = QRect(iLeft, iTop, iRight - iLeft, iBottom - iTop);
    return geometry;
}

TMyDesktopGeometry TMyDesktopGeometry::FromMyScreen() {
    std::vector<QRect> monitors;
    const TMyScreen& screen = MyScreen();
    for (std::int32_t i = 0; i < screen.MonitorCount(); ++i) {
        const TMyMonitor& monitor = screen.Get(i);
        monitors.emplace_back(monitor.Left(), monitor.Top(), static_cast<int>(monitor.Width()),
                              static_cast<int>(monitor.Height()));
    }
    return FromMonitors(std::move(monitors));
}

TMyPlacedSize FitSize(int pw, int ph, int W, int H) {
    if (pw < 1 || ph < 1) {
        return {};
    }
    TMyPlacedSize size;
    size.w = W;
    size.h = TruncToInt(static_cast<double>(ph) / pw * size.w);
    if (size.h > H) {
        size.h = H;
        size.w = TruncToInt(static_cast<double>(pw) / ph * size.h);
    }
    size.x = (W - size.w) / 2;
    size.y = (H - size.h) / 2;
    return size;
}

TMyPlacedSize FillSize(int rw, int rh, int W, int H) {
    if (rw <= 0 || rh <= 0) {
        return {};
    }
    TMyPlacedSize size;
    size.w = W;
    size.h = TruncToInt(static_cast<double>(rh) / rw * W);
    if (size.h < H) {
        size.h = H;
        size.w = TruncToInt(static_cast<double>(rw) / rh * H);
    }
    size.x = static_cast<int>((std::int64_t{W} - size.w) / 2);
    size.y = static_cast<int>((std::int64_t{H} - size.h) / 2);
    return size;
}

QRgb ResolveColor(std::uint32_t clColor, std::uint32_t clDesktop) {
    const std::uint32_t cl = clColor == clDesktopColor ? clDesktop : clColor;
    return qRgb(static_cast<int>(cl & 0xFF), static_cast<int>((cl >> 8) & 0xFF),
                static_cast<int>((cl >> 16) & 0xFF));
}

QPoint PlaceImage(TMyWallpaperDrawing& drawing, const TMyDesktopGeometry& geometry, int iMonitor,
                  int w, int h) {
    const int iCount = static_cast<int>(geometry.Monitors.size());
    QRect area;
    switch (drawing.Style) {
    case wsStretch:
        return geometry.Monitors[static_cast<std::size_t>(iMonitor)].topLeft();
    case wsTiling:
        if (drawing.TileMonitor == -1) {
            area = geometry.Monitors[static_cast<std::size_t>(iMonitor)];
        } else {
            if (drawing.TileMonitor <= -2 || drawing.TileMonitor >= iCount) {
                drawing.TileMonitor = 0;
            }
            area = geometry.Monitors[static_cast<std::size_t>(drawing.TileMonitor)];
        }
        break;
    case wsDesktopZoom:
        area = geometry.Desktop;
        break;
    default:
        area = geometry.Monitors[static_cast<std::size_t>(iMonitor)];
        break;
    }
    if (drawing.Align == 0) {
        drawing.Align = drawing.Style == wsTiling ? 6 : 1;
    }
    const std::int64_t dx = std::int64_t{area.width()} - w;
    const std::int64_t dy = std::int64_t{area.height()} - h;
    std::int64_t x = 0;
    std::int64_t y = 0;
    switch (drawing.Align) {
    case 1:
        x = dx / 2;
        y = dy / 2;
        break;
    case 2:
        y = dy / 2;
        break;
    case 3:
        x = dx;
        y = dy / 2;
        break;
    case 4:
        x = dx / 2;
        break;
    case 5:
        x = dx / 2;
        y = dy;
        break;
    case 7:
        y = dy;
        break;
    case 8:
        x = dx;
        break;
    case 9:
        x = dx;
        y = dy;
        break;
    case 10:
        x = drawing.OffsetX;
        y = drawing.OffsetY;
        break;
    default: // 6 and anything out of range: the top-left corner
        break;
    }
    const auto clampInt = [](std::int64_t v) {
        return static_cast<int>(std::clamp<std::int64_t>(v, -kMaxDirectBlock, kMaxDirectBlock));
    };
    return {clampInt(area.left() + x), clampInt(area.top() + y)};
}

void TileImage(QImage& target, const QImage& picture, std::int32_t offsetX, std::int32_t offsetY) {
    if (target.isNull() || picture.isNull()) {
        return;
    }
    const int pw = picture.width();
    const int ph = picture.height();
    int x0 = offsetX % pw;
    if (x0 > 0) {
        x0 -= pw;
    }
    int y0 = offsetY % ph;
    if (y0 > 0) {
        y0 -= ph;
    }
    const auto drawRow = [&](QPainter& painter, int y) {
        for (std::int64_t x = x0; x < target.width(); x += pw) {
            painter.drawImage(QPoint(static_cast<int>(x), y), picture);
        }
    };
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // A picture at least half as tall as the target is drawn tile by tile, straight in: a
    // strip of it would be nearly the target's size again (8 MB more on a 1080p monitor).
    if (std::int64_t{ph} * 2 >= target.height()) {
        for (std::int64_t y = y0; y < target.height(); y += ph) {
            drawRow(painter, static_cast<int>(y));
        }
        return;
    }
    // A small picture is drawn once across a strip, which is then copied down the target:
    // a few hundred draws instead of one per tile.
    QImage strip(target.width(), ph, QImage::Format_RGB32);
    {
        QPainter stripPainter(&strip);
        stripPainter.setCompositionMode(QPainter::CompositionMode_Source);
        drawRow(stripPainter, y0);
        if (y0 < 0) {
            drawRow(stripPainter, y0 + ph);
        }
    }
    for (std::int64_t y = 0; y < target.height(); y += ph) {
        painter.drawImage(QPoint(0, static_cast<int>(y)), strip);
    }
}

void DrawWallpaperImage(QImage& image, const QImage& picture, TMyWallpaperDrawing drawing,
                        const TMyDesktopGeometry& geometry, std::uint32_t clDesktop) {
    const QRect desktop = geometry.Desktop;
    const int DW = desktop.width();
    const int DH = desktop.height();
    const int DL = desktop.left();
    const int DT = desktop.top();
    image = MakeImage(DW, DH, ResolveColor(drawing.Fill, clDesktop));
    const QRgb back = ResolveColor(drawing.Back, clDesktop);
    const bool bDrawable = picture.width() >= 1 && picture.height() >= 1;
    const int pw = picture.width();
    const int ph = picture.height();
    for (std::size_t i = 0; i < geometry.Monitors.size(); ++i) {
        const QRect monitor = geometry.Monitors[i];
        const QRect clip = monitor.translated(-DL, -DT);
        {
            QPainter painter(&image);
            painter.fillRect(clip, back);
        }
        if (!bDrawable) {
            continue;
        }
        const int L = monitor.left();
        const int T = monitor.top();
        const int wm = monitor.width();
        const int hm = monitor.height();
        TBlock block{0, 0, pw, ph};
        bool bPlace = true;
        switch (drawing.Style) {
        case wsStretch:
            block = {L, T, wm, hm};
            bPlace = false;
            break;
        case wsFullScreen: {
            const TMyPlacedSize size = FitSize(pw, ph, wm, hm);
            block.w = size.w;
            block.h = size.h;
            break;
        }
        case wsMonitorZoom:
            ZoomSize(pw, ph, wm, hm, block);
            break;
        case wsDesktopZoom:
            ZoomSize(pw, ph, DW, DH, block);
            break;
        default: // centre, tiling and unknown styles keep the picture's own size
            break;
        }
        if (bPlace) {
            const QPoint at = PlaceImage(drawing, geometry, static_cast<int>(i),
                                         static_cast<int>(std::min(block.w, kMaxDirectBlock)),
                                         static_cast<int>(std::min(block.h, kMaxDirectBlock)));
            block.x = at.x();
            block.y = at.y();
        }
        if (drawing.Style == wsTiling) {
            // The tiles go straight into the monitor's part of the image, through a view
            // of its pixels: no monitor-sized copy to compose them in first.
            if (!image.rect().contains(clip)) {
                continue;
            }
            QImage monitorPart(image.bits() +
                                   static_cast<std::ptrdiff_t>(clip.top()) * image.bytesPerLine() +
                                   static_cast<std::ptrdiff_t>(clip.left()) * 4,
                               wm, hm, image.bytesPerLine(), QImage::Format_RGB32);
            TileImage(monitorPart, picture, static_cast<std::int32_t>(block.x - L),
                      static_cast<std::int32_t>(block.y - T));
            continue;
        }
        block.x -= DL;
        block.y -= DT;
        StretchDraw(image, clip, picture, block);
    }
}

QImage LoadWallpaperPicture(std::u16string_view sFileName) {
    if (!FileExistsEx(sFileName)) {
        return {};
    }
    const std::u16string sExt = UpperAscii(GetExtPart(sFileName));
    const char* pFormat = nullptr;
    if (sExt == u".JPEG" || sExt == u".JPG") {
        pFormat = "jpeg";
    } else if (sExt == u".BMP") {
        pFormat = "bmp";
    } else if (sExt == u".GIF") {
        pFormat = "gif";
    } else if (sExt == u".PNG") {
        pFormat = "png";
    } else {
        return {};
    }
    QImageReader reader(QString::fromStdU16String(std::u16string(sFileName)), pFormat);
    QImage picture = reader.read();
    if (picture.isNull()) {
        return {};
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

bool SaveWallpaperBitmap(const QImage& image, std::u16string_view sFileName) {
    QSaveFile file(QString::fromStdU16String(std::u16string(sFileName)));
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    QImageWriter writer(&file, "bmp");
    if (!writer.write(image)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void ComposeWallpaperImage(QImage& image, std::u16string_view sPictureName,
                           const TMyWallpaperDrawing& drawing, const TMyDesktopGeometry& geometry,
                           TMyDesktopWallpaperStore& store) {
    const std::u16string sName = sPictureName.empty() ? store.GetDesktopWallpaper().value_or(u"")
                                                      : std::u16string(sPictureName);
    const std::uint32_t clDesktop = store.GetDesktopColor();
    // Without a picture every monitor shows the background colour, which is what the
    // drawing fills each monitor with before it draws a picture.
    const QImage picture = LoadWallpaperPicture(sName);
    DrawWallpaperImage(image, picture, drawing, geometry, clDesktop);
}

void ComposeDesktopWallpaper(QImage& image, std::u16string_view sPictureName,
                             const TMyDesktopGeometry& geometry, TMyDesktopWallpaperStore& store) {
    const TMyWallpaperOrigin origin = ReadWallpaperOrigin(store);
    TMyWallpaperDrawing drawing;
    drawing.Style = ReadWallpaperStyle(store);
    drawing.Back = clDesktopColor;
    drawing.Align = 0;
    drawing.TileMonitor = origin.X;
    drawing.OffsetX = 0;
    drawing.OffsetY = origin.Y;
    drawing.Fill = clDesktopColor;
    ComposeWallpaperImage(image, sPictureName, drawing, geometry, store);
}

QImage ArrangeForTiling(const QImage& source, const TMyDesktopGeometry& geometry,
                        std::uint32_t clDesktop) {
    // One monitor at the origin is its own tile: the composed picture is the arrangement,
    // and a second desktop-sized copy (8 MB on 1080p) is not made.
    if (geometry.Monitors.size() == 1 && geometry.Monitors.front() == geometry.Desktop &&
        geometry.Desktop.topLeft() == QPoint(0, 0) && source.size() == geometry.Desktop.size() &&
        source.format() == QImage::Format_RGB32) {
        return source;
    }
    const std::int64_t W = geometry.Desktop.width();
    const std::int64_t H = geometry.Desktop.height();
    QImage target = MakeImage(static_cast<int>(W), static_cast<int>(H),
                              ResolveColor(clDesktopColor, clDesktop));
    if (W <= 0 || H <= 0) {
        return target;
    }
    const int DL = geometry.Desktop.left();
    const int DT = geometry.Desktop.top();
    for (const QRect& monitor : geometry.Monitors) {
        const int L = monitor.left();
        const int T = monitor.top();
        const int w = monitor.width();
        const int h = monitor.height();
        const int x = static_cast<int>(Modulo(L, W));
        const int y = static_cast<int>(Modulo(T, H));
        const int sx = L - DL;
        const int sy = T - DT;
        CopyBlock(target, QPoint(x, y), source, QRect(sx, sy, w, h));
        if (x + w > W) {
            const int cx = static_cast<int>(x + w - W);
            CopyBlock(target, QPoint(0, y), source, QRect(sx + w - cx, sy, cx, h));
        }
        if (y + h > H) {
            const int cy = static_cast<int>(y + h - H);
            CopyBlock(target, QPoint(x, 0), source, QRect(sx, sy + h - cy, w, cy));
        }
    }
    return target;
}

} // namespace skivra
