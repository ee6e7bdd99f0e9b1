#pragma once

// Judging the X screen from screenshots, as a person would see it: the whole screen, near
// colours, and the share of it that shows video. For widget test binaries.

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cstdint>
#include <cstdlib>

#include "engine/myGraphUnits.h"

namespace skivra::test {

inline QImage Screenshot() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
}

inline bool IsNear(QRgb a, QRgb b, int iTolerance) {
    return std::abs(qRed(a) - qRed(b)) <= iTolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= iTolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= iTolerance;
}

// Share of sampled pixels that are neither black, nor the key colour, nor (with a picture
// of it) what the user's wallpaper shows there: a screen showing video.
inline double VideoShare(const QImage& image, const QImage* pWallpaper = nullptr) {
    const std::uint32_t iKey = GetOverlayKeyColour();
    const QRgb key = qRgb(iKey & 0xFF, (iKey >> 8) & 0xFF, (iKey >> 16) & 0xFF);
    int iSamples = 0;
    int iVideo = 0;
    for (int y = 4; y < image.height(); y += 8) {
        for (int x = 4; x < image.width(); x += 8) {
            const QRgb pixel = image.pixel(x, y);
            ++iSamples;
            iVideo += !IsNear(pixel, qRgb(0, 0, 0), 24) && !IsNear(pixel, key, 8) &&
                      !(pWallpaper && IsNear(pixel, pWallpaper->pixel(x, y), 8));
        }
    }
    return iSamples ? static_cast<double>(iVideo) / iSamples : 0.0;
}

} // namespace skivra::test
