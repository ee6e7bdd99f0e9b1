// Takes pictures of the main window and of the version box as a person would see them, for
// looking at the layout and the Japanese texts: skivra_ui_screenshot OUTPUT_FOLDER, run on
// a display (tests/support/with-xvfb gives one). Writes main-window.png, version-info.png
// and screen.png (the whole screen while the version box is up).

#include "app/fakeMainParts.h"
#include "app/main.h"
#include "support/myHelpVersionInfo.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    using namespace skivra;
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());

    test::TFakeMainParts parts;
    parts.bLoaded = true;
    parts.iCount = 3;
    TApp_Skivra window;
    window.SetParts(parts.All());
    window.FormCreate();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the main window did not appear\n");
        return 1;
    }
    QTest::qWait(300);
    bool bOk = window.grab().save(out.filePath(QStringLiteral("main-window.png")));

    QTimer::singleShot(0, [&] {
        if (!QTest::qWaitFor([] { return VersionInfoDialog && VersionInfoDialog->isVisible(); })) {
            bOk = false;
            return;
        }
        QTest::qWait(300);
        bOk =
            VersionInfoDialog->grab().save(out.filePath(QStringLiteral("version-info.png"))) && bOk;
        bOk = QGuiApplication::primaryScreen()->grabWindow(0).save(
                  out.filePath(QStringLiteral("screen.png"))) &&
              bOk;
        VersionInfoDialog->close();
    });
    window.Action(TMyActionId::Action_Help_VersionInfo)->trigger();
    window.close();
    std::printf("%s\n", qPrintable(out.absolutePath()));
    return bOk ? 0 : 1;
}
