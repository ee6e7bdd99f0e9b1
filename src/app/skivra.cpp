// The program entry. One program file runs as the player or, started by the player with
// /SUBPLAYER, as the sub-player that owns the desktop video window.

#include <QApplication>
#include <QCoreApplication>
#include <QMetaObject>

#include <cstdio>
#include <functional>
#include <utility>

#include "app/main.h"
#include "app/myMessages.h"
#include "app/myParam.h"
#include "app/myPlayerChannel.h"
#include "app/myX11Session.h"
#include "app/sub.h"
#include "engine/myGstMediaProber.h"
#include "engine/myWallpaperDesktop.h"
#include "media/info_get.h"
#include "platform/x11/myX11Monitors.h"
#include "support/myEventHook.h"
#include "support/myMonitor.h"
#include "support/myProgram.h"

namespace {

using namespace skivra;

constexpr char16_t kInstanceMutexName[] = u"_d_gdo19dkg?Idodxx";

void InstallEventPump(QCoreApplication& app) {
    SetEventPump([] { QCoreApplication::processEvents(); });
    // Background threads (the media information fetchers, the graph's bus) hand their results
    // to the UI thread behind the events already waiting; the application outlives them all.
    SetUiThreadRunner([&app](std::function<void()> call) {
        QMetaObject::invokeMethod(&app, std::move(call), Qt::QueuedConnection);
    });
}

int RunSubPlayer(int argc, char** argv) {
    // The sub-player shows nothing of its own: the core application is enough.
    QCoreApplication app(argc, argv);
    app.setApplicationName(QString::fromStdU16String(GetProgramProductName()));
    InstallEventPump(app);
    TMyX11Session session;
    if (!session.IsOpen()) {
        std::fprintf(stderr, "skivra: the sub-player cannot reach the X server\n");
        return 1;
    }
    // The player normally gives the user's wallpaper back itself; when it was killed, the
    // takeover's journal is still there and the sub-player puts the wallpaper back.
    TApp_SkivraSubForm form(session, [] {
        if (auto monitors = TMyX11MonitorSource::Open()) {
            SetMonitorSource(monitors);
        }
        RestoreWallpaperJournal(MakeDesktopWallpaperEnvironment());
    });
    QObject::connect(&form, &TApp_SkivraSubForm::Closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    form.FormCreate(MyParam().MessageText());
    return app.exec();
}

int RunPlayer(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::u16string sTitle = GetProgramProductName();
    app.setApplicationName(QString::fromStdU16String(sTitle));
    InstallEventPump(app);
    if (ActivatePrevInstance(kInstanceMutexName, TMyPlayerChannel::kMainWindowClass, sTitle, u"")) {
        return 0;
    }
    if (auto monitors = TMyX11MonitorSource::Open()) {
        SetMonitorSource(monitors);
    }
    InstallGstMediaProber();
    // A player that was killed while the key-colour wallpaper was installed left a journal:
    // the user's wallpaper comes back before anything else happens.
    const TMyWallpaperEnvironment wallpaper = MakeDesktopWallpaperEnvironment();
    RestoreWallpaperJournal(wallpaper);
    SetWallpaperEnvironment(wallpaper);
    TMyX11Session session;
    TApp_Skivra window;
    // The playing, list, intake, settings and information parts are plugged in as they are
    // built; until then their actions stay disabled.
    window.SetParts({});
    QObject::connect(&window, &TApp_Skivra::Closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    window.FormCreate();
    window.Action_Opt_TaskTrayExecute(nullptr);
    // The panel lives inside the main window, so a second start finds the window through it.
    TMyPlayerChannel channel(session, window.winId());
    const int iExitCode = app.exec();
    // Fetchers still running drop their reports and are waited for while the window they
    // report to and the application still exist.
    SetTerminating(true);
    T_MyInfoGet::WaitForAll();
    return iExitCode;
}

} // namespace

int main(int argc, char** argv) {
    if (MyParam().OptionExists(kSubPlayerOption)) {
        return RunSubPlayer(argc, argv);
    }
    return RunPlayer(argc, argv);
}
