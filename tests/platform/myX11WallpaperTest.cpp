#include "engine/myQtPictureCodec.h"
#include "engine/mySkivra.h"
#include "engine/myWallpaperJournal.h"
#include "platform/x11/myX11Monitors.h"
#include "platform/x11/myX11RootWallpaperStore.h"
#include "support/myMonitor.h"

#include "../engine/WallpaperTestImages.h"
#include "X11Desktop.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

// Xlib after gtest: its macros (None, Bool, Status) break gtest's templates.
#include <X11/Xlib.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

namespace skivra {
namespace {

using test::Mod;
using test::RunShell;
using test::WaitFor;

constexpr std::uint32_t clKey = 0x100010;
const QRgb rgbKey = qRgb(16, 0, 16);

// A desktop of its own for each test: the display, a user picture set by feh, and the
// takeover's environment over the X root window.
class X11WallpaperTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* pszDisplay = std::getenv("DISPLAY");
        ASSERT_NE(pszDisplay, nullptr);
        sDisplay = pszDisplay;
        picture = test::NumberedImage(37, 23);
        sPicture = folder.Path() + "/user.png";
        ASSERT_TRUE(picture.save(QString::fromStdString(sPicture), "png"));
    }
    void TearDown() override {
        ReleaseVideoWallpaper();
        SetWallpaperEnvironment({});
        SetMonitorSource(nullptr);
        // Back to the screen's own single monitor for the next test.
        RunShell(
            "xrandr --delmonitor right >/dev/null 2>&1; xrandr --delmonitor left >/dev/null 2>&1");
    }

    // Installs the user's wallpaper the way a user does, and waits until the root shows it.
    void SetUserWallpaper() {
        ASSERT_TRUE(
            RunShell("DISPLAY='" + sDisplay + "' feh --no-fehbg --bg-tile '" + sPicture + "'"));
        ASSERT_TRUE(WaitFor([&] {
            before = Shot();
            return !before.isNull() && before.pixel(1, 1) == picture.pixel(1, 1);
        }));
    }
    void UseDesktop() {
        source = TMyX11MonitorSource::Open(sDisplay);
        ASSERT_TRUE(source);
        SetMonitorSource(source);
        env.Store = std::make_shared<TMyX11RootWallpaperStore>(
            std::make_shared<TMyQtPictureCodec>(), folder / u"capture.bmp", sDisplay);
        env.Geometry = [] {
            return TMyDesktopGeometry::FromMyScreen();
        };
        env.BitmapFileName = folder / u"skivra.wallpaper.bmp";
        env.JournalFileName = folder / u"skivra.wallpaper.journal";
        SetWallpaperEnvironment(env);
    }
    QImage Shot() { return test::Screenshot(sDisplay, folder.Path()); }

    // The root shows the key colour exactly on the monitor (root rectangle) and what it
    // showed before everywhere else.
    // Only what lies on some monitor is looked at when visible rectangles are given.
    bool ShowsKeyOn(const QRect& rcRoot, const std::vector<QRect>& visible = {}) {
        return WaitFor([&] {
            const QImage now = Shot();
            if (now.size() != before.size()) {
                return false;
            }
            for (int y = 0; y < now.height(); ++y) {
                for (int x = 0; x < now.width(); ++x) {
                    if (!visible.empty() &&
                        std::none_of(visible.begin(), visible.end(),
                                     [&](const QRect& rc) { return rc.contains(x, y); })) {
                        continue;
                    }
                    const QRgb want = rcRoot.contains(x, y) ? rgbKey : before.pixel(x, y);
                    if (now.pixel(x, y) != want) {
                        return false;
                    }
                }
            }
            return true;
        });
    }
    bool ShowsTheUsersPicture() {
        return WaitFor([&] {
            const QImage now = Shot();
            return now == before;
        });
    }

    test::TempFolder folder;
    std::string sDisplay;
    QImage picture;
    std::string sPicture;
    QImage before;
    std::shared_ptr<TMyX11MonitorSource> source;
    TMyWallpaperEnvironment env;
};

bool CompositorRuns(const std::string& sDisplay) {
    Display* display = XOpenDisplay(sDisplay.c_str());
    if (!display) {
        return false;
    }
    const bool bOwned =
        XGetSelectionOwner(display, XInternAtom(display, "_NET_WM_CM_S0", False)) != 0;
    XCloseDisplay(display);
    return bOwned;
}

// Two RandR monitors on one Xvfb screen, the primary on the right: the desktop tiles from
// the primary's corner while the root picture is laid out from the root's corner.
void DefineTwoMonitors() {
    ASSERT_TRUE(RunShell("xrandr --setmonitor left 320/100x480/100+0+0 screen >/dev/null"));
    ASSERT_TRUE(RunShell("xrandr --setmonitor '*right' 320/100x480/100+320+0 none"));
}

TEST_F(X11WallpaperTest, MonitorsFromRandrPrimaryFirstWithWorkAreas) {
    DefineTwoMonitors();
    auto monitorSource = TMyX11MonitorSource::Open(sDisplay);
    ASSERT_TRUE(monitorSource);
    // _NET_WORKAREA as a panel along the top of the whole screen leaves it.
    ASSERT_TRUE(RunShell("xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA '0, 24, 640, 456'"));
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<TMyMonitorInfo> monitors = monitorSource->Monitors();
        return monitors.size() == 2 && monitors[0].rcWork.Top == 24;
    }));
    const std::vector<TMyMonitorInfo> monitors = monitorSource->Monitors();
    EXPECT_EQ(monitors[0].rcMonitor, (TMyRect{0, 0, 320, 480}));
    EXPECT_TRUE(monitors[0].bPrimary);
    EXPECT_EQ(monitors[1].rcMonitor, (TMyRect{-320, 0, 0, 480}));
    EXPECT_EQ(monitors[1].rcWork, (TMyRect{-320, 24, 0, 480}));
    EXPECT_NE(monitors[0].Handle, monitors[1].Handle);

    // A changed screen arrives as a display change, and so does a changed work area.
    ASSERT_TRUE(RunShell("xrandr --newmode small 10 320 330 340 350 240 250 260 270 && "
                         "xrandr --addmode screen small"));
    for (const char* pszChange :
         {"xrandr --output screen --mode small", "xrandr --output screen --mode 640x480",
          "xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA '0, 0, 640, 480'"}) {
        monitorSource->DispatchEvents();
        ASSERT_TRUE(RunShell(pszChange));
        EXPECT_TRUE(WaitFor([&] {
            fd_set fds;
            FD_ZERO(&fds);
            FD_SET(monitorSource->EventFd(), &fds);
            timeval tv{0, 100000};
            select(monitorSource->EventFd() + 1, &fds, nullptr, nullptr, &tv);
            return monitorSource->DispatchEvents();
        })) << pszChange;
    }
    RunShell("xprop -root -remove _NET_WORKAREA");
}

TEST_F(X11WallpaperTest, KeyColourOnOneMonitorThenTheUsersPictureByteForByte) {
    DefineTwoMonitors();
    SetUserWallpaper();
    UseDesktop();
    ASSERT_EQ(MyScreen().MonitorCount(), 2);
    // The left monitor (not the primary) at screen (-320, 0), root (0, 0).
    ASSERT_TRUE(ApplyVideoWallpaper(QPoint(-300, 10), clKey));
    EXPECT_TRUE(ShowsKeyOn(QRect(0, 0, 320, 480)));
    EXPECT_TRUE(WallpaperJournalExists(env.JournalFileName));
    // Moved to the primary: the left monitor shows the user's picture again.
    ASSERT_TRUE(ApplyVideoWallpaper(QPoint(5, 5), clKey));
    EXPECT_TRUE(ShowsKeyOn(QRect(320, 0, 320, 480)));
    ReleaseVideoWallpaper();
    EXPECT_TRUE(ShowsTheUsersPicture());
    EXPECT_FALSE(WallpaperJournalExists(env.JournalFileName));
    // The restored root is announced for compositors and pseudo-transparent programs.
    EXPECT_TRUE(RunShell("xprop -root _XROOTPMAP_ID | grep -q 'pixmap id'"));
}

TEST_F(X11WallpaperTest, KilledPlayerLeavesAJournalTheNextStartRestores) {
    SetUserWallpaper();
    UseDesktop();
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // A player of its own: a connection of its own, the parent's is not touched.
        close(fds[0]);
        SetMonitorSource(TMyX11MonitorSource::Open(sDisplay));
        const char cReady = ApplyVideoWallpaper(std::nullopt, clKey) ? '1' : '0';
        if (write(fds[1], &cReady, 1) != 1) {
            _exit(1);
        }
        for (;;) {
            pause();
        }
    }
    close(fds[1]);
    char cReady = 0;
    ASSERT_EQ(read(fds[0], &cReady, 1), 1);
    close(fds[0]);
    ASSERT_EQ(cReady, '1');
    EXPECT_TRUE(ShowsKeyOn(QRect(0, 0, 640, 480)));
    kill(pid, SIGKILL);
    int iStatus = 0;
    ASSERT_EQ(waitpid(pid, &iStatus, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(iStatus));
    // The killed player's picture stays (its pixmap outlives it) until the next start.
    EXPECT_TRUE(ShowsKeyOn(QRect(0, 0, 640, 480)));
    ASSERT_TRUE(WallpaperJournalExists(env.JournalFileName));

    TMyWallpaperEnvironment next = env;
    next.Store = std::make_shared<TMyX11RootWallpaperStore>(std::make_shared<TMyQtPictureCodec>(),
                                                            folder / u"capture.bmp", sDisplay);
    EXPECT_TRUE(RestoreWallpaperJournal(next));
    EXPECT_TRUE(ShowsTheUsersPicture());
    EXPECT_FALSE(WallpaperJournalExists(env.JournalFileName));
}

TEST_F(X11WallpaperTest, UnderACompositor) {
    DefineTwoMonitors();
    SetUserWallpaper();
    const pid_t picom = fork();
    ASSERT_GE(picom, 0);
    if (picom == 0) {
        execlp("picom", "picom", "--backend", "xrender", "--no-fading-openclose", "--config",
               "/dev/null", static_cast<char*>(nullptr));
        _exit(127);
    }
    // picom composites once it owns the screen's compositing selection.
    ASSERT_TRUE(WaitFor([&] { return CompositorRuns(sDisplay); }));
    ASSERT_TRUE(WaitFor([&] { return Shot() == before; }));
    UseDesktop();
    ASSERT_TRUE(ApplyVideoWallpaper(QPoint(-300, 10), clKey));
    EXPECT_TRUE(ShowsKeyOn(QRect(0, 0, 320, 480)));
    ReleaseVideoWallpaper();
    EXPECT_TRUE(ShowsTheUsersPicture());
    kill(picom, SIGTERM);
    waitpid(picom, nullptr, 0);
}

// A nested server with two screens joined by Xinerama: RandR shows one monitor there, the
// Xinerama heads are the monitors (800x600 at 0, 0 and 640x480 at 800, 0).
TEST_F(X11WallpaperTest, TwoXineramaHeadsOfANestedServer) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t xephyr = fork();
    ASSERT_GE(xephyr, 0);
    if (xephyr == 0) {
        close(fds[0]);
        if (dup2(fds[1], 3) < 0) {
            _exit(127);
        }
        execlp("Xephyr", "Xephyr", "-displayfd", "3", "-screen", "800x600", "-screen", "640x480",
               "+xinerama", "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string sNumber;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n') {
        sNumber += c;
    }
    close(fds[0]);
    ASSERT_FALSE(sNumber.empty()) << "Xephyr did not start";
    sDisplay = ":" + sNumber;

    SetUserWallpaper();
    UseDesktop();
    const std::vector<TMyMonitorInfo> monitors = source->Monitors();
    ASSERT_EQ(monitors.size(), 2u);
    EXPECT_EQ(monitors[0].rcMonitor, (TMyRect{0, 0, 800, 600}));
    EXPECT_EQ(monitors[1].rcMonitor, (TMyRect{800, 0, 1440, 480}));
    const std::vector<QRect> heads = {QRect(0, 0, 800, 600), QRect(800, 0, 640, 480)};
    ASSERT_TRUE(ApplyVideoWallpaper(QPoint(900, 100), clKey));
    EXPECT_TRUE(ShowsKeyOn(heads[1], heads));
    ASSERT_TRUE(ApplyVideoWallpaper(QPoint(0, 0), clKey));
    EXPECT_TRUE(ShowsKeyOn(heads[0], heads));
    ReleaseVideoWallpaper();
    EXPECT_TRUE(ShowsTheUsersPicture());
    SetMonitorSource(nullptr);
    source.reset();
    kill(xephyr, SIGTERM);
    waitpid(xephyr, nullptr, 0);
}

} // namespace
} // namespace skivra
