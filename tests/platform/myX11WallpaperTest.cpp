#include "engine/myQtPictureCodec.h"
#include "engine/mySkivra.h"
#include "engine/myWallpaperJournal.h"
#include "platform/x11/myX11Monitors.h"
#include "platform/x11/myX11RootWallpaperStore.h"
#include "support/myMonitor.h"
#include "support/myUnicode.h"

#include "../engine/WallpaperTestImages.h"
#include "X11Desktop.h"
#include "support/PrivateXServer.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

// Xlib after gtest: its macros (None, Bool, Status) break gtest's templates.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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

    // A player of its own takes the desktop over and is killed: its key colour and its
    // journal stay behind.
    void TakeOverAndGetKilled() {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            // A connection of its own: the parent's is not touched.
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
        ASSERT_TRUE(WallpaperJournalExists(env.JournalFileName));
    }
    // The environment of the next start: a store of its own over the same files.
    TMyWallpaperEnvironment NextStart() const {
        TMyWallpaperEnvironment next = env;
        next.Store = std::make_shared<TMyX11RootWallpaperStore>(
            std::make_shared<TMyQtPictureCodec>(), folder / u"capture.bmp", sDisplay);
        return next;
    }
    // Another user's wallpaper, set with feh; `before` is what the root shows then.
    void SetWallpaperWithFeh(const QImage& image, const char* pszName) {
        const std::string sFile = folder.Path() + "/" + pszName;
        ASSERT_TRUE(image.save(QString::fromStdString(sFile), "png"));
        ASSERT_TRUE(
            RunShell("DISPLAY='" + sDisplay + "' feh --no-fehbg --bg-tile '" + sFile + "'"));
        ASSERT_TRUE(WaitFor([&] {
            before = Shot();
            return !before.isNull() && before.pixel(1, 1) == image.pixel(1, 1);
        }));
    }

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

// A journal written under an X session that has ended (a logout while playing) restores
// nothing over what the next session shows.
TEST_F(X11WallpaperTest, AJournalOfAnEndedSessionRestoresNothing) {
    test::TPrivateXServer first(test::TPrivateXServer::Xvfb("640x480x24"));
    ASSERT_FALSE(first.Name().empty());
    sDisplay = first.Name();
    SetUserWallpaper();
    UseDesktop();
    SetMonitorSource(nullptr);
    source.reset();
    TakeOverAndGetKilled();
    first.Stop();

    const test::TPrivateXServer second(test::TPrivateXServer::Xvfb("640x480x24"));
    ASSERT_FALSE(second.Name().empty());
    sDisplay = second.Name();
    SetWallpaperWithFeh(test::HalvesImage(64, 48, qRgb(30, 30, 200), qRgb(200, 200, 30)), "b.png");
    EXPECT_FALSE(RestoreWallpaperJournal(NextStart()));
    EXPECT_TRUE(ShowsTheUsersPicture());
    EXPECT_FALSE(WallpaperJournalExists(env.JournalFileName));
}

// A killed player's picture stays (its pixmap outlives it) until the next start, which puts
// the user's picture back from the journal, and from the capture the takeover kept when the
// journal cannot be read any more: never a black desktop.
TEST_F(X11WallpaperTest, KilledPlayerLeavesAJournalTheNextStartRestores) {
    SetUserWallpaper();
    UseDesktop();
    for (const bool bDamaged : {false, true}) {
        TakeOverAndGetKilled();
        EXPECT_TRUE(ShowsKeyOn(QRect(0, 0, 640, 480)));
        if (bDamaged) {
            ASSERT_TRUE(RunShell("printf 'Journal=skiv\\x00\\xff' > '" +
                                 Utf16ToUtf8(env.JournalFileName) + "'"));
            ASSERT_FALSE(ReadWallpaperJournal(env.JournalFileName));
        }
        EXPECT_TRUE(RestoreWallpaperJournal(NextStart())) << bDamaged;
        EXPECT_TRUE(ShowsTheUsersPicture()) << bDamaged;
        EXPECT_FALSE(WallpaperJournalExists(env.JournalFileName)) << bDamaged;
    }
}

// Whatever the root shows instead of our bitmap is the user's newer choice: a wallpaper
// set while we play comes back at the end (and the next file plays over it), one set after
// a crash stays at the next start.
TEST_F(X11WallpaperTest, AWallpaperSetMeanwhileIsTheOneThatStays) {
    SetUserWallpaper();
    UseDesktop();
    ASSERT_TRUE(ApplyVideoWallpaper(std::nullopt, clKey));
    EXPECT_TRUE(ShowsKeyOn(QRect(0, 0, 640, 480)));
    SetWallpaperWithFeh(test::HalvesImage(64, 48, qRgb(200, 30, 30), qRgb(30, 200, 30)), "b.png");
    const QImage newer = before;
    ASSERT_TRUE(ApplyVideoWallpaper(std::nullopt, clKey));
    EXPECT_TRUE(ShowsKeyOn(QRect(0, 0, 640, 480)));
    ReleaseVideoWallpaper();
    EXPECT_TRUE(ShowsTheUsersPicture()) << "the newer wallpaper did not come back";
    EXPECT_FALSE(WallpaperJournalExists(env.JournalFileName));

    TakeOverAndGetKilled();
    SetWallpaperWithFeh(test::HalvesImage(64, 48, qRgb(30, 30, 200), qRgb(200, 200, 30)), "c.png");
    EXPECT_FALSE(RestoreWallpaperJournal(NextStart()));
    EXPECT_TRUE(ShowsTheUsersPicture()) << "the journal's picture went over the newer one";
    EXPECT_FALSE(WallpaperJournalExists(env.JournalFileName));
    EXPECT_NE(newer, before);
}

// Killing our earlier pixmap's client, or naming its file, on the word of a pixmap id alone
// would hit whoever holds that id now: here the pixmap the properties name shows another
// picture than ours, which is the user's then, and stays.
TEST_F(X11WallpaperTest, APixmapIdOfOursIsTrustedOnlyWithItsPixels) {
    SetUserWallpaper();
    UseDesktop();
    ASSERT_TRUE(ApplyVideoWallpaper(std::nullopt, clKey));
    ReleaseVideoWallpaper();
    ASSERT_TRUE(ShowsTheUsersPicture());
    Display* display = XOpenDisplay(sDisplay.c_str());
    ASSERT_NE(display, nullptr);
    const Window root = DefaultRootWindow(display);
    Atom type = 0;
    int iFormat = 0;
    unsigned long iCount = 0;
    unsigned long iLeft = 0;
    unsigned char* pData = nullptr;
    ASSERT_EQ(XGetWindowProperty(display, root, XInternAtom(display, "_XROOTPMAP_ID", False), 0, 1,
                                 False, AnyPropertyType, &type, &iFormat, &iCount, &iLeft, &pData),
              Success);
    ASSERT_EQ(iCount, 1u);
    const Pixmap shown = *reinterpret_cast<unsigned long*>(pData);
    XFree(pData);
    // Other pixels under the same id, as another client's new pixmap would have.
    const GC gc = XCreateGC(display, shown, 0, nullptr);
    XSetForeground(display, gc, 0x2060a0);
    XFillRectangle(display, shown, gc, 0, 0, 640, 480);
    XFreeGC(display, gc);
    XClearWindow(display, root);
    XSync(display, False);
    ASSERT_TRUE(WaitFor([&] {
        before = Shot();
        return before.pixel(5, 5) == qRgb(0x20, 0x60, 0xa0);
    }));

    ASSERT_TRUE(ApplyVideoWallpaper(std::nullopt, clKey));
    EXPECT_TRUE(ShowsKeyOn(QRect(0, 0, 640, 480)));
    Window geometryRoot = 0;
    int iX = 0;
    int iY = 0;
    unsigned int iWidth = 0;
    unsigned int iHeight = 0;
    unsigned int iBorder = 0;
    unsigned int iDepth = 0;
    EXPECT_TRUE(
        XGetGeometry(display, shown, &geometryRoot, &iX, &iY, &iWidth, &iHeight, &iBorder, &iDepth))
        << "a pixmap that is not provably ours was freed";
    XCloseDisplay(display);
    ReleaseVideoWallpaper();
    EXPECT_TRUE(ShowsTheUsersPicture()) << "an old capture came back instead of what was shown";
}

// A root that paints a colour (xsetroot -solid), also under the stale properties of an
// earlier picture, or the server's own background, comes back as it was, not black.
TEST_F(X11WallpaperTest, BackgroundColoursComeBackExactly) {
    struct TCase {
        const char* pszName;
        const char* pszSetUp;
        const char16_t* pszLayout;
    };
    const std::string sDrop =
        "xprop -root -remove _XROOTPMAP_ID; xprop -root -remove ESETROOT_PMAP_ID; ";
    for (const TCase& c : {
             TCase{"a colour", "xsetroot -solid '#336699'", u"#336699"},
             TCase{"a colour under an earlier picture's properties", nullptr, u"#336699"},
             TCase{"a colour once more", "xsetroot -solid '#994422'", u"#994422"},
         }) {
        if (c.pszSetUp) {
            ASSERT_TRUE(RunShell("export DISPLAY='" + sDisplay + "'; " + sDrop + c.pszSetUp));
        } else {
            SetUserWallpaper();
            ASSERT_TRUE(RunShell("DISPLAY='" + sDisplay + "' xsetroot -solid '#336699'"));
        }
        ASSERT_TRUE(WaitFor([&] {
            before = Shot();
            return !before.isNull() && before.pixel(7, 7) == before.pixel(300, 200) &&
                   before.pixel(7, 7) != picture.pixel(7, 7);
        })) << c.pszName;
        UseDesktop();
        ASSERT_TRUE(ApplyVideoWallpaper(std::nullopt, clKey)) << c.pszName;
        EXPECT_TRUE(ShowsKeyOn(QRect(0, 0, 640, 480))) << c.pszName;
        const auto rec = ReadWallpaperJournal(env.JournalFileName);
        ASSERT_TRUE(rec) << c.pszName;
        EXPECT_EQ(rec->WallPaperName, u"") << c.pszName;
        EXPECT_EQ(rec->ExtraLayout, c.pszLayout) << c.pszName;
        ReleaseVideoWallpaper();
        EXPECT_TRUE(ShowsTheUsersPicture()) << c.pszName;
    }

    // Neither a picture nor a colour: the server's own background (a weave with -retro).
    const test::TPrivateXServer retro(test::TPrivateXServer::Xvfb("640x480x24", {"-retro"}));
    ASSERT_FALSE(retro.Name().empty());
    sDisplay = retro.Name();
    before = Shot();
    ASSERT_NE(before.pixel(0, 0), before.pixel(3, 0)) << "no weave to tell from a colour";
    UseDesktop();
    ASSERT_TRUE(ApplyVideoWallpaper(std::nullopt, clKey));
    EXPECT_TRUE(ShowsKeyOn(QRect(0, 0, 640, 480)));
    EXPECT_EQ(ReadWallpaperJournal(env.JournalFileName)->ExtraLayout, u"default");
    ReleaseVideoWallpaper();
    EXPECT_TRUE(ShowsTheUsersPicture()) << "the server's own background";
    SetMonitorSource(nullptr);
    source.reset();
}

// A user picture that cannot be captured (the data folder is full or gone) is not taken
// over, and so never "restored" as black.
TEST_F(X11WallpaperTest, ACaptureThatCannotBeKeptTakesNothingOver) {
    SetUserWallpaper();
    UseDesktop();
    env.Store = std::make_shared<TMyX11RootWallpaperStore>(std::make_shared<TMyQtPictureCodec>(),
                                                           folder / u"gone/capture.bmp", sDisplay);
    SetWallpaperEnvironment(env);
    EXPECT_FALSE(ApplyVideoWallpaper(std::nullopt, clKey));
    EXPECT_FALSE(WallpaperJournalExists(env.JournalFileName));
    ReleaseVideoWallpaper();
    EXPECT_TRUE(ShowsTheUsersPicture());
}

// A desktop that draws its own background may announce a 32-bit picture on a 24-bit root;
// that picture is the user's and is kept.
TEST_F(X11WallpaperTest, APictureOfAnotherDepthIsCaptured) {
    Display* display = XOpenDisplay(sDisplay.c_str());
    ASSERT_NE(display, nullptr);
    XVisualInfo info;
    ASSERT_TRUE(XMatchVisualInfo(display, DefaultScreen(display), 32, TrueColor, &info));
    const Window root = DefaultRootWindow(display);
    const Pixmap pixmap = XCreatePixmap(display, root, 37, 23, 32);
    XImage* image = XCreateImage(display, info.visual, 32, ZPixmap, 0, nullptr, 37, 23, 32, 0);
    ASSERT_NE(image, nullptr);
    image->data =
        static_cast<char*>(std::malloc(static_cast<std::size_t>(image->bytes_per_line) * 23));
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 37; ++x) {
            XPutPixel(image, x, y, 0xFF000000u | (picture.pixel(x, y) & 0xFFFFFFu));
        }
    }
    const GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XPutImage(display, pixmap, gc, image, 0, 0, 0, 0, 37, 23);
    XFreeGC(display, gc);
    XDestroyImage(image);
    for (const char* pszName : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID"}) {
        XChangeProperty(display, root, XInternAtom(display, pszName, False), XA_PIXMAP, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(&pixmap), 1);
    }
    XSync(display, False);

    UseDesktop();
    ASSERT_TRUE(ApplyVideoWallpaper(std::nullopt, clKey));
    const auto rec = ReadWallpaperJournal(env.JournalFileName);
    ASSERT_TRUE(rec);
    EXPECT_EQ(rec->WallPaperName, folder / u"capture.bmp");
    const QImage capture(QString::fromStdU16String(folder / u"capture.bmp"));
    ASSERT_EQ(capture.size(), QSize(640, 480));
    bool bSame = true;
    for (int y = 0; y < 480 && bSame; ++y) {
        for (int x = 0; x < 640 && bSame; ++x) {
            bSame = capture.pixel(x, y) == picture.pixel(x % 37, y % 23);
        }
    }
    EXPECT_TRUE(bSame) << "the 32-bit picture was not captured";
    ReleaseVideoWallpaper();
    XFreePixmap(display, pixmap);
    XCloseDisplay(display);
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
    const test::TPrivateXServer xephyr({"Xephyr", "-screen", "800x600", "-screen", "640x480",
                                        "+xinerama", "-nolisten", "tcp", "-noreset"});
    ASSERT_FALSE(xephyr.Name().empty()) << "Xephyr did not start";
    sDisplay = xephyr.Name();
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
}

} // namespace
} // namespace skivra
