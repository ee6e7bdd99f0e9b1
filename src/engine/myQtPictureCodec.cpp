#include "engine/myQtPictureCodec.h"

#include "engine/myWallpaperImage.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include <cstring>

namespace skivra {

namespace {

// Qt's own limit on what a reader may allocate for one picture.
constexpr std::int64_t kMaxPictureBytes = std::int64_t{256} << 20;

} // namespace

std::optional<TMyPixels> TMyQtPictureCodec::Load(std::u16string_view sFileName) {
    QImageReader reader(QString::fromStdU16String(std::u16string(sFileName)));
    // The picture is read straight into the pixels when the reader produces 32-bit RGB at
    // the size its header gave (BMP, the format of our own bitmap, does): a desktop-sized
    // picture is then in memory once, not twice.
    const QSize size = reader.size();
    TMyPixels pixels;
    QImage image;
    if (size.width() > 0 && size.height() > 0 &&
        std::int64_t{size.width()} * size.height() * 4 <= kMaxPictureBytes) {
        pixels = {size.width(), size.height(),
                  std::vector<std::uint32_t>(static_cast<std::size_t>(size.width()) *
                                             static_cast<std::size_t>(size.height()))};
        image = QImage(reinterpret_cast<uchar*>(pixels.Pixels.data()), size.width(), size.height(),
                       size.width() * 4, QImage::Format_RGB32);
    }
    if (!reader.read(&image) || image.isNull()) {
        return std::nullopt;
    }
    const bool bInPlace = image.constBits() == reinterpret_cast<const uchar*>(pixels.Pixels.data());
    if (!bInPlace || image.format() != QImage::Format_RGB32) {
        // The reader made a picture of its own: the unused pixels go first, then the picture
        // is converted and copied over.
        if (!bInPlace) {
            std::vector<std::uint32_t>().swap(pixels.Pixels);
        }
        const QImage converted = image.convertToFormat(QImage::Format_RGB32);
        image = QImage();
        pixels = {converted.width(), converted.height(), {}};
        pixels.Pixels.resize(static_cast<std::size_t>(converted.width()) *
                             static_cast<std::size_t>(converted.height()));
        for (int y = 0; y < converted.height(); ++y) {
            std::memcpy(pixels.Pixels.data() + static_cast<std::size_t>(y) * converted.width(),
                        converted.constScanLine(y),
                        static_cast<std::size_t>(converted.width()) * 4);
        }
    }
    for (std::uint32_t& pixel : pixels.Pixels) {
        pixel &= 0xFFFFFFu;
    }
    return pixels;
}

bool TMyQtPictureCodec::Save(std::u16string_view sFileName, const TMyPixels& pixels) {
    if (pixels.Width <= 0 || pixels.Height <= 0 ||
        pixels.Pixels.size() !=
            static_cast<std::size_t>(pixels.Width) * static_cast<std::size_t>(pixels.Height)) {
        return false;
    }
    // The pixels are written as they are, through a read-only view: the BMP writer takes
    // only the colour channels, so the empty top byte needs no copy to fill it.
    const QImage image(reinterpret_cast<const uchar*>(pixels.Pixels.data()), pixels.Width,
                       pixels.Height, pixels.Width * 4, QImage::Format_RGB32);
    return SaveWallpaperBitmap(image, sFileName);
}

} // namespace skivra
