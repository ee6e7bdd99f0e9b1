// The engine's side of bench/run-playback, and the screen watcher both sides are timed by.
//   bench_playback play CLIP         plays the clip full screen into a desktop-type window
//                                    and ends at its end; prints the sink it used and when
//                                    the file was opened (CLOCK_MONOTONIC seconds)
//   bench_playback watch X Y SECONDS prints "ready", then the time at which the pixel at
//                                    (X, Y) first shows a picture: neither black nor the
//                                    root colour it had when the watch began
//   bench_playback window            shows a desktop-type window over the screen for
//                                    another player to draw into, prints "window ID",
//                                    and keeps it until killed
#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <unistd.h>

#include "engine/myGraphUnits.h"
#include "engine/myGstGraph.h"
#include "support/DesktopWindow.h"

namespace {

double Now() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

bool Near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) < 24 && std::abs(qGreen(a) - qGreen(b)) < 24 &&
           std::abs(qBlue(a) - qBlue(b)) < 24;
}

QRgb PixelAt(int x, int y) {
    return QGuiApplication::primaryScreen()->grabWindow(0, x, y, 1, 1).toImage().pixel(0, 0);
}

int Watch(int x, int y, double fSeconds) {
    const QRgb background = PixelAt(x, y);
    std::printf("ready\n");
    std::fflush(stdout);
    const double fEnd = Now() + fSeconds;
    while (Now() < fEnd) {
        const QRgb pixel = PixelAt(x, y);
        if (!Near(pixel, background) && !Near(pixel, qRgb(0, 0, 0))) {
            std::printf("first-frame %.6f\n", Now());
            return 0;
        }
        usleep(2000);
    }
    std::printf("no-frame\n");
    return 1;
}

int Play(const char* pClip) {
    skivra::test::DesktopWindow window;
    while (!window.IsReady()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    skivra::TMyGstMediaGraph graph;
    QEventLoop loop; // sleeps until the graph's events arrive, as the player's loop does
    graph.SetNotify([&] {
        std::int32_t iCode = 0;
        while (graph.GetEvent(iCode)) {
            if (iCode == skivra::EC_COMPLETE || iCode == skivra::EC_ERRORABORT) {
                loop.quit();
            }
        }
    });
    std::printf("open %.6f\n", Now());
    if (!graph.RenderFile(QString::fromLocal8Bit(pClip).toStdU16String())) {
        std::fprintf(stderr, "cannot play: %s\n", graph.GetLastError().sDebug.c_str());
        return 1;
    }
    graph.PutOwner(window.Id());
    graph.SetWindowPosition(skivra::GetMonitorVideoRect(window.Rect()));
    graph.Run();
    std::printf("sink %s\n", graph.GetVideoSinkName().c_str());
    std::fflush(stdout);
    loop.exec();
    return 0;
}

int ShowWindow() {
    skivra::test::DesktopWindow window;
    while (!window.IsReady()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    std::printf("window %llu\n", static_cast<unsigned long long>(window.Id()));
    std::fflush(stdout);
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::string sMode = argc > 1 ? argv[1] : "";
    if (sMode == "play" && argc == 3) {
        return Play(argv[2]);
    }
    if (sMode == "watch" && argc == 5) {
        return Watch(std::atoi(argv[2]), std::atoi(argv[3]), std::atof(argv[4]));
    }
    if (sMode == "window" && argc == 2) {
        return ShowWindow();
    }
    std::fprintf(stderr, "usage: bench_playback play CLIP | watch X Y SECONDS | window\n");
    return 2;
}
