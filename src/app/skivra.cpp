// The player's program. Started with /SUBPLAYER it runs as the sub-player that owns the
// desktop video window, as the sub-player's own lighter program does (the player starts that
// one when it lies beside this one). Only this program reads pictures, so only it can put
// the user's wallpaper back.

#include <QApplication>
#include <QCoreApplication>
#include <QMetaObject>

#include <functional>
#include <utility>

#include "app/main.h"
#include "app/mainBars.h"
#include "app/mainInfo.h"
#include "app/mainIntake.h"
#include "app/mainPlayer.h"
#include "app/mainSettings.h"
#include "app/myMessages.h"
#include "app/myMonitorWatch.h"
#include "app/myParam.h"
#include "app/myPlayerChannel.h"
#include "app/myPlayerDesktop.h"
#include "app/myPlayerEngine.h"
#include "app/myQuitSignals.h"
#include "app/myX11Session.h"
#include "app/sub.h"
#include "engine/myGstMediaProber.h"
#include "engine/myWallpaperDesktop.h"
#include "lists/myGeometry.h"
#include "media/info_get.h"
#include "platform/x11/myX11Monitors.h"
#include "support/myEventHook.h"
#include "support/myMonitor.h"
#include "support/myProgram.h"

namespace {

using namespace skivra;

constexpr char16_t kInstanceMutexName[] = u"_d_gdo19dkg?Idodxx";

void InstallEventHooks() {
    SetEventPump([] { QCoreApplication::processEvents(); });
    // Calls from the playback graphs' and the information fetcher's threads, and calls that
    // must not run inside the one that asks (a graph's event may destroy that graph), wait
    // in the event loop for their turn.
    SetUiThreadRunner([](std::function<void()> call) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(call),
                                  Qt::QueuedConnection);
    });
}

int RunPlayer(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::u16string sTitle = GetProgramProductName();
    app.setApplicationName(QString::fromStdU16String(sTitle));
    InstallEventHooks();
    if (ActivatePrevInstance(kInstanceMutexName, TMyPlayerChannel::kMainWindowClass, sTitle, u"")) {
        return 0;
    }
    const std::int32_t iDrag = QApplication::startDragDistance();
    SetDragThreshold({iDrag, iDrag});
    InstallGstMediaProber();
    const TMyMonitorWatch monitors;
    // A player that was killed while the key-colour wallpaper was installed left a journal:
    // the user's wallpaper comes back before anything else happens.
    const TMyWallpaperEnvironment wallpaper = MakeDesktopWallpaperEnvironment();
    RestoreWallpaperJournal(wallpaper);
    SetWallpaperEnvironment(wallpaper);

    TMyX11Session session;
    TApp_Skivra window;
    // The panel lives inside the main window, so a second start finds the window through it.
    TMyPlayerChannel channel(session, window.winId());
    TMyGstPlayerEngine engine;
    TMyX11PlayerDesktop desktop(window, *window.Panel_Video, channel, session.Connection(),
                                [&monitors] {
                                    TMyX11MonitorSource* pSource = monitors.Source();
                                    return pSource ? pSource->RootOrigin() : TMyPoint{};
                                });
    TMyMainPlayer player(window, engine, desktop);
    TMyMainInfo info(window, player.Controller());
    const TMyMainBars bars(window, player.Controller());
    TMyMainIntake intake(window, player.Controller(), player.Commands(), player);
    TMyMainSettings settings(window, player.Controller(), player, intake);
    window.SetParts({&player, &player, &intake, &settings, &info});
    QObject::connect(&window, &TApp_Skivra::Closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    // Ended by a signal, the program closes its window the ordinary way.
    const TMyQuitSignals quitSignals([&window] {
        window.close();
        QCoreApplication::quit();
    });
    window.FormCreate();
    window.Action_Opt_TaskTrayExecute(nullptr);
    const int iResult = app.exec();
    // However the loop ended, the window is taken down while its parts still exist, and no
    // information request outlives them.
    window.FormDestroy();
    SetTerminating(true);
    T_MyInfoGet::WaitForAll();
    return iResult;
}

} // namespace

int main(int argc, char** argv) {
    if (MyParam().OptionExists(kSubPlayerOption)) {
        // The player normally gives the user's wallpaper back itself; when it was killed,
        // the takeover's journal is still there and the sub-player puts the wallpaper back.
        return RunSubPlayer(argc, argv, [] {
            if (auto monitors = TMyX11MonitorSource::Open()) {
                SetMonitorSource(monitors);
            }
            RestoreWallpaperJournal(MakeDesktopWallpaperEnvironment());
        });
    }
    return RunPlayer(argc, argv);
}
