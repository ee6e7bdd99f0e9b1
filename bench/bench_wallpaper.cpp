// The wallpaper bitmap for two 4K monitors side by side: a 1920x1080 JPEG stretched over the
// first, the key colour over the second, written as a 24-bit BMP; and ImageMagick's convert
// producing the same picture in the same run, as a whole process. bench/run-wallpaper prints
// the ratio.
#include "engine/myFileWallpaperStore.h"
#include "engine/myWallpaperImage.h"

#include "benchScratch.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

using namespace skivra;
using skivra::bench::ChildCpuMilliseconds;
using skivra::bench::ScratchFolder;

constexpr std::uint32_t clKey = 0x100010;

// A photograph-like picture: smooth gradients with some detail, so the JPEG is realistic.
const std::string& PicturePath() {
    static const std::string sPath = [] {
        QImage picture(1920, 1080, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            auto* pLine = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x) {
                pLine[x] = qRgb(x * 255 / 1919, y * 255 / 1079, ((x / 7) ^ (y / 5)) & 0xFF);
            }
        }
        const std::string sFile = (ScratchFolder() / "picture.jpg").string();
        picture.save(QString::fromStdString(sFile), "jpeg", 90);
        return sFile;
    }();
    return sPath;
}

void BM_ComposeWallpaper(benchmark::State& state) {
    const std::u16string sPicture = QString::fromStdString(PicturePath()).toStdU16String();
    const std::u16string sStore =
        QString::fromStdString((ScratchFolder() / "store.txt").string()).toStdU16String();
    const std::u16string sBitmap =
        QString::fromStdString((ScratchFolder() / "ours.bmp").string()).toStdU16String();
    TMyFileWallpaperStore store(sStore);
    const TMyDesktopGeometry geometry =
        TMyDesktopGeometry::FromMonitors({QRect(0, 0, 3840, 2160), QRect(3840, 0, 3840, 2160)});
    TMyWallpaperDrawing drawing;
    drawing.Style = wsStretch;
    for (auto _ : state) {
        QImage composed;
        ComposeWallpaperImage(composed, sPicture, drawing, geometry, store);
        QPainter(&composed).fillRect(geometry.Monitors[1], ResolveColor(clKey, 0));
        if (!SaveWallpaperBitmap(ArrangeForTiling(composed, geometry, 0), sBitmap)) {
            state.SkipWithError("the bitmap was not written");
        }
    }
}
BENCHMARK(BM_ComposeWallpaper)->Unit(benchmark::kMillisecond)->UseRealTime();

// The peer: the same layout (bilinear stretch, key-colour block, 24-bit BMP) by convert.
void BM_Convert(benchmark::State& state) {
    const std::string sCommand =
        "/usr/bin/convert '" + PicturePath() +
        "' -filter Triangle -resize '3840x2160!' '(' -size 3840x2160 'xc:#100010' ')' +append "
        "-type TrueColor 'BMP3:" +
        (ScratchFolder() / "convert.bmp").string() + "'";
    const double fStart = ChildCpuMilliseconds();
    for (auto _ : state) {
        if (std::system(sCommand.c_str()) != 0) {
            state.SkipWithError("convert failed");
        }
    }
    state.counters["child_cpu_ms"] =
        benchmark::Counter(ChildCpuMilliseconds() - fStart, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Convert)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return skivra::bench::RunBenchmarks(argc, argv);
}
