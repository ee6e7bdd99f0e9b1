// The playlist and the player plugged into the real main window: the window's actions, the
// list view's clicks and gestures and the display timer reach the controller and the list
// commands, and what they change shows in the window. The engine and the desktop are the
// controller's fakes; the desktop adapter is checked on its own against the X server.
#include "app/mainPlayer.h"

#include "app/fakePlayer.h"
#include "app/main.h"
#include "app/mainView.h"
#include "app/myBusySection.h"
#include "app/myPlayerChannel.h"
#include "app/myPlayerDesktop.h"
#include "app/myPlaylistModel.h"
#include "app/myX11Session.h"
#include "lists/myWStrings.h"
#include "support/myEventHook.h"
#include "support/myMessageBox.h"
#include "support/myMonitorSource.h"
#include "support/qtTestApp.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QTimer>

#include <X11/Xlib.h>

namespace skivra {
namespace {

using A = TMyActionId;
using test::FakeLog;

class MainPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUiThreadRunner(
            [](std::function<void()> call) { QTimer::singleShot(0, qApp, std::move(call)); });
        const std::vector<std::pair<std::u16string, test::FakeFile>> files{
            {u"/m/b 10.mp4", test::VideoFile()},
            {u"/m/a 9.mp4", test::VideoFile()},
            {u"/m/c.mp3", test::AudioFile()}};
        window.SetParts({&player, &player, nullptr, nullptr, nullptr});
        window.FormCreate();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        for (const auto& [sName, file] : files) {
            engine.files[sName] = file;
            player.Playlist().Add(sName);
        }
        player.RefreshPlaylist();
        window.PopupMenu_MainPopup();
    }
    void TearDown() override {
        // The window goes after the player: it is taken down while its parts still exist.
        window.FormDestroy();
        SetMessageBoxHook({});
        SetUiThreadRunner({});
    }

    QAction* Act(A id) const { return window.Action(id); }
    void ListBoxPlay(int iRow) {
        player.Controller().SetItemIndex(iRow);
        player.Controller().PlayMedia(player.Playlist().Get(iRow));
    }
    QModelIndex Row(int iRow) { return player.Model().index(iRow); }
    bool IsBold(int iRow) {
        return player.Model().data(Row(iRow), Qt::FontRole).value<QFont>().bold();
    }
    QPoint RowCentre(int iRow) { return window.ListBox_Playlist->visualRect(Row(iRow)).center(); }

    FakeLog log;
    test::FakeEngine engine{log};
    test::FakeDesktop desktop{log};
    TApp_Skivra window;
    TMyMainPlayer player{window, engine, desktop};
};

TEST_F(MainPlayerTest, TransportActionsTellNextFromBackAndTheBoldEntryFollows) {
    // From no current entry, Next plays the first entry and Back then wraps to the last.
    Act(A::Action_Play_Next)->trigger();
    EXPECT_EQ(player.Controller().ItemIndex(), 0);
    EXPECT_TRUE(IsBold(0));
    Act(A::Action_Play_Back)->trigger();
    EXPECT_EQ(player.Controller().ItemIndex(), 2);
    EXPECT_TRUE(IsBold(2));
    EXPECT_FALSE(IsBold(0));
    EXPECT_TRUE(Act(A::Action_Play_Stop)->isEnabled());
    EXPECT_FALSE(window.windowTitle().isEmpty());

    Act(A::Action_Play_Stop)->trigger();
    EXPECT_FALSE(player.IsGraphLoaded());
    EXPECT_FALSE(Act(A::Action_Play_Stop)->isEnabled());
    EXPECT_TRUE(log.Has("ReleaseVideoWallpaper"));
}

TEST_F(MainPlayerTest, TheDisplayTimerMovesTheTimeLabel) {
    Act(A::Action_Play_Next)->trigger();
    ASSERT_TRUE(window.Timer_Time->isActive());
    engine.pLastGraph->fPosition = 3.0;
    ASSERT_TRUE(test::WaitFor([&] { return window.Label_Time->text() == QStringLiteral("3/12"); }))
        << window.Label_Time->text().toStdString();
}

TEST_F(MainPlayerTest, SortActionsMarkTheirDirectionAndFindThePlayingEntryAgain) {
    ListBoxPlay(0); // "/m/b 10.mp4", which a sort by name moves down
    Act(A::Action_Sort_Name)->trigger();
    EXPECT_EQ(player.Playlist().Get(0), u"/m/a 9.mp4");
    EXPECT_EQ(player.Playlist().Get(1), u"/m/b 10.mp4");
    EXPECT_EQ(player.Controller().ItemIndex(), 1);
    EXPECT_TRUE(IsBold(1));
    EXPECT_EQ(Act(A::Action_Sort_Name)->text(), QStringLiteral("名前でソート(&N) ▲"));

    Act(A::Action_Sort_Name)->trigger();
    EXPECT_EQ(player.Playlist().Get(0), u"/m/c.mp3");
    EXPECT_EQ(Act(A::Action_Sort_Name)->text(), QStringLiteral("名前でソート(&N) ▼"));

    Act(A::Action_Sort_FileName)->trigger();
    EXPECT_EQ(Act(A::Action_Sort_FileName)->text(), QStringLiteral("ファイル名でソート(&F) ▲"));
    EXPECT_EQ(Act(A::Action_Sort_Name)->text(), QStringLiteral("名前でソート(&N)"));
}

TEST_F(MainPlayerTest, DoubleClickPlaysTheEntryAndRightButtonGesturesRunTheirCommands) {
    QWidget* pViewport = window.ListBox_Playlist->viewport();
    // A double click is a press and release followed by the second press.
    QTest::mouseClick(pViewport, Qt::LeftButton, {}, RowCentre(1));
    QTest::mouseDClick(pViewport, Qt::LeftButton, {}, RowCentre(1));
    ASSERT_EQ(player.Controller().ItemIndex(), 1);
    ASSERT_NE(engine.pLastGraph, nullptr);
    EXPECT_EQ(engine.pLastGraph->GetState(), State_Running);

    // Upwards: play/pause, so the running file pauses.
    const QPoint ptStart = RowCentre(2);
    const int iFar = 4 * QApplication::startDragDistance() + 4;
    QTest::mousePress(pViewport, Qt::RightButton, {}, ptStart);
    QTest::mouseRelease(pViewport, Qt::RightButton, {}, ptStart - QPoint(0, iFar));
    EXPECT_EQ(engine.pLastGraph->GetState(), State_Paused);

    // To the right: next.
    QTest::mousePress(pViewport, Qt::RightButton, {}, ptStart);
    QTest::mouseRelease(pViewport, Qt::RightButton, {}, ptStart + QPoint(iFar, 0));
    EXPECT_EQ(player.Controller().ItemIndex(), 2);

    // Hardly moved: the main menu opens at the pointer.
    QTest::mousePress(pViewport, Qt::RightButton, {}, ptStart);
    QTest::mouseRelease(pViewport, Qt::RightButton, {}, ptStart + QPoint(1, 1));
    ASSERT_TRUE(test::WaitFor([&] { return window.PopupMenu_Main->isVisible(); }));
    window.PopupMenu_Main->close();
    EXPECT_EQ(player.Controller().ItemIndex(), 2);
}

TEST_F(MainPlayerTest, KeysPlayTheFocusedEntryCopyTheSelectedNamesAndDeleteThem) {
    QListView* pList = window.ListBox_Playlist;
    pList->setFocus();
    QItemSelectionModel* pSelection = pList->selectionModel();
    pSelection->setCurrentIndex(Row(1), QItemSelectionModel::NoUpdate);
    QTest::keyClick(pList, Qt::Key_Return);
    EXPECT_EQ(player.Controller().ItemIndex(), 1);
    EXPECT_TRUE(player.IsGraphLoaded());

    pSelection->select(Row(2), QItemSelectionModel::ClearAndSelect);
    pSelection->select(Row(0), QItemSelectionModel::Select);
    QTest::keyClick(pList, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("/m/b 10.mp4\n/m/c.mp3"));

    // Answered "No", nothing goes and the selection stays for another try.
    SetMessageBoxHook([](const QString&, const QString&, int) { return IDNO; });
    QTest::keyClick(pList, Qt::Key_Delete);
    EXPECT_EQ(player.Playlist().Count(), 3);
    EXPECT_EQ(pSelection->selectedRows().size(), 2);
    SetMessageBoxHook([](const QString&, const QString&, int) { return IDYES; });
    QTest::keyClick(pList, Qt::Key_Delete);
    ASSERT_EQ(player.Playlist().Count(), 1);
    EXPECT_EQ(player.Playlist().Get(0), u"/m/a 9.mp4");
}

TEST_F(MainPlayerTest, DeletingTheSelectionAsksAndKeepsTheCurrentEntryInPlace) {
    ListBoxPlay(2);
    QStringList asked;
    SetMessageBoxHook([&](const QString& sText, const QString&, int iFlags) {
        asked << sText;
        EXPECT_EQ(iFlags & 0x0F, MB_YESNO);
        return IDYES;
    });
    window.ListBox_Playlist->selectionModel()->select(Row(0), QItemSelectionModel::Select);
    window.PopupMenu_MainPopup();
    ASSERT_TRUE(Act(A::Action_List_Delete)->isEnabled());
    Act(A::Action_List_Delete)->trigger();
    EXPECT_EQ(asked,
              QStringList{QStringLiteral("選択ファイルをリストから削除します\nよろしいですか")});
    EXPECT_EQ(player.Playlist().Count(), 2);
    EXPECT_EQ(player.Model().rowCount(), 2);
    EXPECT_EQ(player.Controller().ItemIndex(), 1);
    EXPECT_TRUE(IsBold(1));

    // Clear from the menu asks with No as the default.
    SetMessageBoxHook([&](const QString&, const QString&, int iFlags) {
        EXPECT_NE(iFlags & MB_DEFBUTTON2, 0);
        return IDYES;
    });
    Act(A::Action_List_Clear)->trigger();
    EXPECT_EQ(player.Model().rowCount(), 0);
    EXPECT_FALSE(Act(A::Action_List_Clear)->isEnabled());
}

TEST_F(MainPlayerTest, TheViewFollowsTheListOnlyAtTheEndOfABusySection) {
    {
        const TMyBusySection busy;
        player.Playlist().Add(u"/m/d.mp4");
        player.RefreshPlaylist();
        EXPECT_EQ(player.Model().rowCount(), 3);
    }
    EXPECT_EQ(player.Model().rowCount(), 4);
}

TEST_F(MainPlayerTest, PlayPauseTakesTheFocusedEntryWhenSelectedElseTheFirstSelected) {
    QItemSelectionModel* pSelection = window.ListBox_Playlist->selectionModel();
    pSelection->setCurrentIndex(Row(0), QItemSelectionModel::NoUpdate);
    pSelection->select(Row(2), QItemSelectionModel::Select);
    pSelection->select(Row(1), QItemSelectionModel::Select);
    EXPECT_EQ(player.View().FocusedSelection(), 1);
    pSelection->select(Row(0), QItemSelectionModel::Select);
    EXPECT_EQ(player.View().FocusedSelection(), 0);
}

// The desktop adapter works in the program's coordinates, whose origin is the primary
// monitor's corner; the video window is placed in the root window's.
TEST(PlayerDesktopTest, TheVideoWindowCoversTheMonitorOfTheMainWindowInRootCoordinates) {
    SetMonitorSource(std::make_shared<TMyStaticMonitorSource>(
        std::vector<TMyMonitorInfo>{{0, {0, 0, 320, 240}, {0, 0, 320, 240}, true},
                                    {0, {320, 0, 640, 240}, {320, 0, 640, 240}, false}}));
    const TMyPoint origin{16, 8};
    TMyX11Session session;
    ASSERT_TRUE(session.IsOpen());
    QWidget mainWindow;
    QWidget panel(&mainWindow);
    mainWindow.setGeometry(origin.X + 400, origin.Y + 40, 120, 80);
    mainWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));
    ASSERT_TRUE(test::WaitFor([&] { return mainWindow.frameGeometry().left() >= origin.X + 330; }));

    // The sub-player's video window, with its announced message panel inside it.
    QWidget video;
    video.setWindowFlags(Qt::FramelessWindowHint);
    QWidget announced(&video);
    announced.winId();
    TMyPlayerChannel channel(session, mainWindow.winId());
    channel.MyMessagePanel1TextChange(u"/TO_SUBPLAYER:" +
                                      QString::number(announced.winId()).toStdU16String());
    ASSERT_EQ(channel.SubPlayerHwnd(), video.winId());

    TMyX11PlayerDesktop desktop(mainWindow, panel, channel, session.Connection(),
                                [origin] { return origin; });
    const TMyRect rcMonitor = desktop.MainWindowMonitorBounds();
    EXPECT_EQ(rcMonitor, (TMyRect{320, 0, 640, 240}));
    desktop.PlaceDesktopWindow(rcMonitor);
    auto* pDisplay = static_cast<Display*>(session.Connection().NativeDisplay());
    const auto RootRect = [&] {
        XWindowAttributes attributes{};
        int iX = -1;
        int iY = -1;
        Window child = 0;
        XGetWindowAttributes(pDisplay, video.winId(), &attributes);
        XTranslateCoordinates(pDisplay, video.winId(), DefaultRootWindow(pDisplay), 0, 0, &iX, &iY,
                              &child);
        return QRect(iX, iY, attributes.width, attributes.height);
    };
    EXPECT_TRUE(test::WaitFor([&] {
        return RootRect() == QRect(origin.X + 320, origin.Y, 320, 240);
    })) << RootRect().x()
        << "," << RootRect().y();
    desktop.HideDesktopWindow();
    SetMonitorSource(nullptr);
}

} // namespace
} // namespace skivra
