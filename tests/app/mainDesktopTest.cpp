// The program's own pieces on an X server: the main window with the playlist and the player
// plugged in, the GStreamer engine, the X11 desktop and a real sub-player process (the built
// program) that owns the desktop video window. A playlist of generated clips plays through
// as the wallpaper; an audio file in between gives the user's wallpaper back and the next
// video takes the desktop again; stop leaves the user's wallpaper exactly as it was.
#include "app/main.h"
#include "app/mainPlayer.h"
#include "app/myMonitorWatch.h"
#include "app/myPlayerChannel.h"
#include "app/myPlayerDesktop.h"
#include "app/myPlayerEngine.h"
#include "app/myX11Session.h"
#include "engine/myGstMediaProber.h"
#include "engine/mySkivra.h"
#include "engine/myWallpaperDesktop.h"
#include "engine/myWallpaperJournal.h"
#include "lists/myWStrings.h"
#include "platform/x11/myX11Monitors.h"
#include "support/TempFolder.h"
#include "support/myEventHook.h"
#include "support/myUnicode.h"
#include "support/qtTestApp.h"
#include "support/screenPixels.h"

#include <QAction>
#include <QStatusBar>
#include <QTimer>

#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace skivra {
namespace {

using A = TMyActionId;

class MainDesktopTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        FClips = new test::TempFolder();
        const std::string sCommand =
            std::string(SKIVRA_TEST_TOOLS) + "/make-playback-clips '" + FClips->Path() + "'";
        ASSERT_EQ(std::system(sCommand.c_str()), 0) << sCommand;
    }
    static void TearDownTestSuite() { delete FClips; }

    void SetUp() override {
        // The program's data files, the takeover's journal among them, stay in the test's
        // folder; the sub-player inherits the setting.
        setenv("SKIVRA_DATA_DIR", data.Path().c_str(), 1);
        SetUiThreadRunner(
            [](std::function<void()> call) { QTimer::singleShot(0, qApp, std::move(call)); });
        InstallGstMediaProber();
        ASSERT_NE(monitors.Source(), nullptr);
        SetWallpaperEnvironment(MakeDesktopWallpaperEnvironment());

        // The user's wallpaper: stripes tiled over the root by a wallpaper setter.
        QImage picture(40, 30, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                picture.setPixel(x, y, qRgb(200, (x * 6) & 0xFF, (y * 8) & 0xFF));
            }
        }
        const std::string sPicture = data.Path() + "/user.png";
        ASSERT_TRUE(picture.save(QString::fromStdString(sPicture), "png"));
        ASSERT_EQ(std::system(("feh --no-fehbg --bg-tile '" + sPicture + "'").c_str()), 0);
        ASSERT_TRUE(test::WaitFor([&] {
            wallpaper = test::Screenshot();
            return wallpaper.pixel(1, 1) == picture.pixel(1, 1);
        }));

        window.SetParts({&player, &player, nullptr, nullptr, nullptr});
        window.FormCreate();
        // Out of the screenshots' way; its place still decides the monitor.
        window.hide();
    }
    void TearDown() override {
        window.FormDestroy();
        SetWallpaperEnvironment({});
        SetUiThreadRunner({});
        unsetenv("SKIVRA_DATA_DIR");
    }

    static std::u16string Clip(std::u16string_view sName) { return *FClips / sName; }

    bool ShowsVideo() {
        return test::WaitFor(
            [&] { return test::VideoShare(test::Screenshot(), &wallpaper) > 0.5; });
    }
    bool ShowsTheUsersWallpaper() {
        return test::WaitFor([&] { return test::Screenshot() == wallpaper; });
    }

    static inline test::TempFolder* FClips = nullptr;

    test::TempFolder data;
    QImage wallpaper;
    const TMyMonitorWatch monitors;
    TMyX11Session session;
    TApp_Skivra window;
    TMyPlayerChannel channel{session, window.winId(), Utf8ToUtf16(SKIVRA_PROGRAM).value()};
    TMyGstPlayerEngine engine;
    TMyX11PlayerDesktop desktop{window, *window.Panel_Video, channel, session.Connection(), [this] {
                                    return monitors.Source()->RootOrigin();
                                }};
    TMyMainPlayer player{window, engine, desktop};
};

TEST_F(MainDesktopTest, AClipListPlaysThroughAsTheWallpaperWithTheUsersBackBetweenAndAfter) {
    TMyWStrings& playlist = player.Playlist();
    playlist.Add(Clip(u"bars-720.mp4"));
    playlist.Add(Clip(u"tone.mp3"));
    playlist.Add(Clip(u"seek-10s.mp4"));
    player.RefreshPlaylist();
    window.PopupMenu_MainPopup();

    window.Action(A::Action_Play_Next)->trigger();
    ASSERT_TRUE(player.IsGraphLoaded()) << window.StatusBar_Hint->currentMessage().toStdString();
    EXPECT_NE(channel.SubPlayerHwnd(), 0U);
    EXPECT_TRUE(IsVideoWallpaperApplied());
    EXPECT_TRUE(ShowsVideo());

    // The first clip ends by itself; the audio file gives the desktop back to the user.
    ASSERT_TRUE(test::WaitFor([&] { return player.Controller().ItemIndex() == 1; }));
    EXPECT_FALSE(IsVideoWallpaperApplied());
    EXPECT_TRUE(ShowsTheUsersWallpaper());

    // The next video takes the desktop again.
    window.Action(A::Action_Play_Next)->trigger();
    ASSERT_EQ(player.Controller().ItemIndex(), 2);
    EXPECT_TRUE(IsVideoWallpaperApplied());
    EXPECT_TRUE(ShowsVideo());

    // Stop: the user's wallpaper is back exactly, and no journal of the takeover is left.
    window.Action(A::Action_Play_Stop)->trigger();
    EXPECT_FALSE(IsVideoWallpaperApplied());
    EXPECT_TRUE(ShowsTheUsersWallpaper());
    EXPECT_EQ(access(Utf16ToUtf8(GetWallpaperJournalFileName()).c_str(), F_OK), -1);
}

} // namespace
} // namespace skivra
