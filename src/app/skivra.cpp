// The program entry. One program file runs as the player or, started by the player with
// /SUBPLAYER, as the sub-player that owns the desktop video window.

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

#include "app/myMessages.h"
#include "app/myParam.h"
#include "app/myPlayerChannel.h"
#include "app/myX11Session.h"
#include "app/sub.h"
#include "engine/myWallpaperDesktop.h"
#include "platform/x11/myX11Monitors.h"
#include "support/myMonitor.h"
#include "support/myEventHook.h"
#include "support/myProgram.h"
#include "support/myUnicode.h"

namespace {

using namespace skivra;

constexpr char16_t kInstanceMutexName[] = u"_d_gdo19dkg?Idodxx";

void InstallEventPump() {
    SetEventPump([] { QCoreApplication::processEvents(); });
}

int RunSubPlayer(int argc, char** argv) {
    // The sub-player shows nothing of its own: the core application is enough.
    QCoreApplication app(argc, argv);
    app.setApplicationName(QString::fromStdU16String(GetProgramProductName()));
    InstallEventPump();
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
    InstallEventPump();
    if (ActivatePrevInstance(kInstanceMutexName, TMyPlayerChannel::kMainWindowClass, sTitle, u"")) {
        return 0;
    }
    // The main window is not part of this build yet; say so plainly instead of pretending.
    std::printf("%s %s: the player window is not available in this build yet.\n",
                Utf16ToUtf8(sTitle).c_str(), Utf16ToUtf8(GetProgramVersion()).c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (MyParam().OptionExists(kSubPlayerOption)) {
        return RunSubPlayer(argc, argv);
    }
    return RunPlayer(argc, argv);
}
