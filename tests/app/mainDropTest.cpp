// Drops from another process through the X server's drag and drop protocol (XDND): the
// source (tests/support/xdndSource.cpp) offers its names as text/uri-list to the main window
// and waits for each of the window's answers, so no sleep decides the result.

#include "app/mainHistory.h"
#include "app/mainPartsRig.h"
#include "lists/listEntries.h"
#include "support/myEventHook.h"

#include <QEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QProcess>
#include <QTimer>

namespace skivra {
namespace {

using test::TPartsRig;
using test::TRigEnvironment;

QString N(qint64 i) {
    return QString::number(i);
}

// What the window saw of the drag.
class TDragWatch : public QObject {
public:
    bool eventFilter(QObject*, QEvent* pEvent) override {
        if (pEvent->type() == QEvent::DragEnter) {
            bEntered = true;
        } else if (pEvent->type() == QEvent::Drop) {
            bDropped = true;
        }
        return false;
    }
    bool bEntered = false;
    bool bDropped = false;
};

class MainDropTest : public ::testing::Test {
protected:
    TRigEnvironment env;
};

TEST_F(MainDropTest, AFolderOfAThousandFilesDraggedFromAnotherProgram) {
    for (int i = 0; i < 1000; ++i) {
        env.data.Write(u"drop/" + *Utf8ToUtf16(std::to_string(i)) + u".mp3");
    }
    const std::u16string sVideo = env.data.Write(u"one/video.mp4");
    const std::u16string sLink =
        env.data.Write(u"one/video link.desktop",
                       "[Desktop Entry]\nType=Link\nURL=file://" + Utf16ToUtf8(sVideo) + "\n");
    TPartsRig rig;
    rig.Playable(env.data / u"drop/0.mp3");
    rig.Create();
    rig.window.move(400, 150);
    ASSERT_TRUE(test::WaitFor([&] { return rig.window.pos().x() >= 350; }));
    TDragWatch watch;
    rig.window.installEventFilter(&watch);
    test::TPumpProbe probe;
    QString sProgress;
    bool bResponsive = false;
    probe.iAt = 400;
    probe.fnAt = [&] {
        // Half-way through the gathering: the label shows where it is, and a timer posted
        // now still fires before the gathering ends.
        rig.intake->Timer_GetFileTimer();
        sProgress = rig.window.Label_Info->text();
        QTimer::singleShot(0, [&] { bResponsive = rig.intake->Acquiring(); });
    };

    const QPoint ptTarget =
        rig.window.ListBox_Playlist->mapToGlobal(rig.window.ListBox_Playlist->rect().center());
    QProcess source;
    source.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    source.start(QStringLiteral(SKIVRA_XDND_SOURCE),
                 {N(static_cast<qint64>(rig.window.winId())), N(ptTarget.x()), N(ptTarget.y()),
                  QString::fromStdU16String(env.data / u"drop"), QString::fromStdU16String(sLink)});
    ASSERT_TRUE(test::WaitFor([&] { return source.state() == QProcess::NotRunning; }, 120000));
    EXPECT_EQ(source.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(source.readAllStandardOutput()),
              QStringLiteral("accepted\nfinished\n"));
    EXPECT_TRUE(watch.bEntered);
    EXPECT_TRUE(watch.bDropped);
    ASSERT_EQ(rig.playlist.Count(), 1001);
    EXPECT_EQ(rig.playlist.Get(0), env.data / u"drop/0.mp3");
    EXPECT_EQ(rig.playlist.Get(1000), sVideo);
    EXPECT_EQ(rig.controller.FileName(), env.data / u"drop/0.mp3");
    EXPECT_TRUE(sProgress.startsWith(QStringLiteral("["))) << sProgress.toStdString();
    EXPECT_TRUE(bResponsive);
    EXPECT_EQ(HistoryPaths(rig.window.PopupMenu_OpenFile),
              QStringList({QString::fromStdU16String(env.data / u"drop"),
                           QString::fromStdU16String(sVideo)}));
}

} // namespace
} // namespace skivra
