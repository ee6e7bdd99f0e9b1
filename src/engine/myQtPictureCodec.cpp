#include "engine/myQtPictureCodec.h"

#include "engine/myWallpaperImage.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include <cstring>

namespace skivra {

std::optional<TMyPixels> TMyQtPictureCodec::Load(std::u16string_view sFileName) {
    QImageReader reader(QString::fromStdU16String(std::u16string(sFileName)));
    const QImage read = reader.read();
    if (read.isNull()) {
        return std::nullopt;
    }
    const QImage image = read.convertToFormat(QImage::Format_RGB32);
    TMyPixels pixels{image.width(), image.height(), {}};
    pixels.Pixels.resize(static_cast<std::size_t>(image.width()) *
                         static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* pLine = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        std::uint32_t* pTarget = pixels.Pixels.data() + static_cast<std::size_t>(y) * image.width();
        for (int x = 0; x < image.width(); ++x) {
            pTarget[x] = pLine[x] & 0xFFFFFFu;
        }
    }
    return pixels;
}

bool TMyQtPictureCodec::Save(std::u16string_view sFileName, const TMyPixels& pixels) {
    if (pixels.Width <= 0 || pixels.Height <= 0 ||
        pixels.Pixels.size() !=
            static_cast<std::size_t>(pixels.Width) * static_cast<std::size_t>(pixels.Height)) {
        return false;
    }
    QImage image(pixels.Width, pixels.Height, QImage::Format_RGB32);
    for (int y = 0; y < pixels.Height; ++y) {
        auto* pLine = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        const std::uint32_t* pSource =
            pixels.Pixels.data() + static_cast<std::size_t>(y) * pixels.Width;
        for (int x = 0; x < pixels.Width; ++x) {
            pLine[x] = 0xFF000000u | pSource[x];
        }
    }
    return SaveWallpaperBitmap(image, sFileName);
}

} // namespace skivra
