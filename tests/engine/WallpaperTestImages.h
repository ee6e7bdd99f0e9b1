#pragma once

#include "engine/myWallpaperImage.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <functional>
#include <string>

namespace skivra::test {

inline QImage SolidImage(int w, int h, QRgb color) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// Every pixel of its own colour, so that any shift or wrong source block shows.
inline QImage NumberedImage(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x + y * w) % 251));
        }
    }
    return image;
}

// The left half one colour, the right half another.
inline QImage HalvesImage(int w, int h, QRgb left, QRgb right) {
    QImage image = SolidImage(w, h, left);
    QPainter(&image).fillRect(w / 2, 0, w - w / 2, h, right);
    return image;
}

inline std::string Hex(QRgb rgb) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%06x", rgb & 0xFFFFFFu);
    return buffer;
}

// Compares every pixel of a desktop-sized image with what screen point (X, Y) should show;
// the first difference is reported.
inline ::testing::AssertionResult ShowsOnScreen(const QImage& image,
                                                const TMyDesktopGeometry& geometry,
                                                const std::function<QRgb(int, int)>& expected) {
    if (image.width() != geometry.Desktop.width() || image.height() != geometry.Desktop.height()) {
        return ::testing::AssertionFailure()
               << "size " << image.width() << "x" << image.height() << ", desktop "
               << geometry.Desktop.width() << "x" << geometry.Desktop.height();
    }
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int X = x + geometry.Desktop.left();
            const int Y = y + geometry.Desktop.top();
            const QRgb want = expected(X, Y) & 0xFFFFFFu;
            const QRgb got = image.pixel(x, y) & 0xFFFFFFu;
            if (want != got) {
                return ::testing::AssertionFailure() << "screen (" << X << ", " << Y << "): got "
                                                     << Hex(got) << ", want " << Hex(want);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// The monitor holding a screen point, -1 for none.
inline int MonitorAt(const TMyDesktopGeometry& geometry, int X, int Y) {
    for (std::size_t i = 0; i < geometry.Monitors.size(); ++i) {
        const QRect& rc = geometry.Monitors[i];
        if (X >= rc.left() && X < rc.left() + rc.width() && Y >= rc.top() &&
            Y < rc.top() + rc.height()) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

inline int Mod(int a, int b) {
    return ((a % b) + b) % b;
}

// Layouts worth drawing on: the primary is always the monitor at (0, 0).
struct TLayout {
    const char* pName;
    std::vector<QRect> monitors;
};
inline const std::vector<TLayout>& Layouts() {
    static const std::vector<TLayout> layouts = {
        {"one", {QRect(0, 0, 40, 30)}},
        {"side by side", {QRect(0, 0, 40, 30), QRect(40, 0, 40, 30)}},
        {"left and above", {QRect(0, 0, 40, 30), QRect(-30, -20, 30, 20)}},
        {"three with a gap", {QRect(0, 0, 40, 30), QRect(50, 0, 20, 40), QRect(-25, 5, 25, 15)}},
        {"portrait", {QRect(0, 0, 40, 30), QRect(40, -10, 20, 50)}},
        {"primary not first", {QRect(-40, 0, 40, 30), QRect(0, 0, 40, 30)}},
        {"above and shifted left", {QRect(0, 0, 40, 30), QRect(-10, -30, 40, 30)}},
    };
    return layouts;
}

} // namespace skivra::test
