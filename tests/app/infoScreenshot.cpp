// Takes pictures of the main window while a tagged MP3 and then a video play through the
// program's own pieces (the player, the information panel, the bars, the GStreamer engine,
// the X11 desktop and a real sub-player process): skivra_info_screenshot OUTPUT_FOLDER, run
// on a display (tests/support/with-xvfb gives one). Writes info-audio.png, info-video.png
// and screen-video.png (the whole screen, the video on the desktop behind the window).

#include "app/main.h"
#include "app/mainBars.h"
#include "app/mainInfo.h"
#include "app/mainPlayer.h"
#include "app/myMonitorWatch.h"
#include "app/myPlayerChannel.h"
#include "app/myPlayerDesktop.h"
#include "app/myPlayerEngine.h"
#include "app/myX11Session.h"
#include "engine/myGstMediaProber.h"
#include "engine/mySkivra.h"
#include "engine/myWallpaperDesktop.h"
#include "lists/myWStrings.h"
#include "media/info_get.h"
#include "platform/x11/myX11Monitors.h"
#include "support/myEventHook.h"
#include "support/myTrackBar.h"
#include "support/myUnicode.h"
#include "support/qtTestApp.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace skivra;

// The panel shows the entry with this title, its summary, and playback is past 3 seconds.
bool Playing(TApp_Skivra& window, TMyMainInfo& info, TMyMainPlayer& player,
             const std::u16string& sTitle) {
    return test::WaitFor(
        [&] {
            const TMyMediaGraph* pGraph = player.Controller().Graph();
            return info.InfoValue(0) == sTitle && !info.InfoValue(3).empty() && pGraph &&
                   pGraph->GetCurrentPosition() > 3.0 && !window.Label_Time->text().isEmpty();
        },
        30000);
}

// The pointer resting over the seek bar's track, so that its hint shows.
void HoverSeekBar(TApp_Skivra& window, double fShare) {
    TMyTrackBar* pBar = window.TrackBar_Seek;
    const QRect rc = pBar->SeekRect();
    const QPoint pt(rc.left() + static_cast<int>(rc.width() * fShare), pBar->height() / 2);
    QMouseEvent move(QEvent::MouseMove, pt, pBar->mapToGlobal(pt), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(pBar, &move);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.filePath(QStringLiteral("clips")));
    const std::string sClips = out.filePath(QStringLiteral("clips")).toStdString();
    const std::string sCommand =
        std::string(SKIVRA_TEST_TOOLS) + "/make-info-clips '" + sClips + "'";
    if (std::system(sCommand.c_str()) != 0) {
        std::fprintf(stderr, "cannot make the clips: %s\n", sCommand.c_str());
        return 1;
    }
    // The takeover's journal and the wallpaper bitmap stay in the output folder; the
    // sub-player inherits the setting.
    setenv("SKIVRA_DATA_DIR", out.absolutePath().toLocal8Bit().constData(), 1);
    SetUiThreadRunner(
        [](std::function<void()> call) { QTimer::singleShot(0, qApp, std::move(call)); });
    InstallGstMediaProber();
    const TMyMonitorWatch monitors;
    SetWallpaperEnvironment(MakeDesktopWallpaperEnvironment());

    bool bOk = false;
    {
        TMyX11Session session;
        TApp_Skivra window;
        TMyPlayerChannel channel{session, window.winId(), Utf8ToUtf16(SKIVRA_PROGRAM).value()};
        TMyGstPlayerEngine engine;
        TMyX11PlayerDesktop desktop{window, *window.Panel_Video, channel, session.Connection(),
                                    [&monitors] {
                                        TMyX11MonitorSource* pSource = monitors.Source();
                                        return pSource ? pSource->RootOrigin() : TMyPoint{};
                                    }};
        TMyMainPlayer player{window, engine, desktop};
        TMyMainInfo info{window, player.Controller()};
        const TMyMainBars bars{window, player.Controller()};
        window.SetParts({&player, &player, nullptr, nullptr, &info});
        window.FormCreate();
        window.move(40, 40);
        const std::u16string sClips16 = Utf8ToUtf16(sClips).value();
        player.Playlist().Add(sClips16 + u"/song.mp3");
        player.Playlist().Add(sClips16 + u"/海辺の夕暮れ.mp4");
        player.RefreshPlaylist();
        window.PopupMenu_MainPopup();

        window.Action(TMyActionId::Action_Play_Next)->trigger();
        bOk =
            QTest::qWaitForWindowExposed(&window) && Playing(window, info, player, u"夜明けのうた");
        HoverSeekBar(window, 0.6);
        QTest::qWait(200);
        bOk = window.grab().save(out.filePath(QStringLiteral("info-audio.png"))) && bOk;

        // The panel describes the list's focused entry: the user clicks the video's line.
        window.Action(TMyActionId::Action_Play_Next)->trigger();
        QListView* pList = window.ListBox_Playlist;
        QTest::mouseClick(pList->viewport(), Qt::LeftButton, {},
                          pList->visualRect(pList->model()->index(1, 0)).center());
        if (!Playing(window, info, player, u"海辺の夕暮れ")) {
            std::fprintf(stderr, "the video's information did not show\n");
            bOk = false;
        }
        HoverSeekBar(window, 0.25);
        QTest::qWait(200);
        bOk = window.grab().save(out.filePath(QStringLiteral("info-video.png"))) && bOk;
        bOk = QGuiApplication::primaryScreen()->grabWindow(0).save(
                  out.filePath(QStringLiteral("screen-video.png"))) &&
              bOk;
        window.Action(TMyActionId::Action_Play_Stop)->trigger();
        window.FormDestroy();
    }
    SetTerminating(true);
    T_MyInfoGet::WaitForAll();
    SetWallpaperEnvironment({});
    std::printf("%s\n", qPrintable(out.absolutePath()));
    return bOk ? 0 : 1;
}
