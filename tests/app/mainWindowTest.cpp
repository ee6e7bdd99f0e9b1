#include "app/main.h"

#include "app/fakeMainParts.h"
#include "app/myBusySection.h"
#include "platform/x11/myX11WindowStyle.h"
#include "support/TempFolder.h"
#include "support/menuText.h"
#include "support/myProgram.h"
#include "support/myTaskBarMenu.h"
#include "support/myTrackBar.h"
#include "support/qtTestApp.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

namespace skivra {
namespace {

using A = TMyActionId;

// A notification area is taken as present, so that minimising into it can be seen on a
// desktop that has none.
class TTestWindow : public TApp_Skivra {
protected:
    bool TrayAvailable() const override { return true; }
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        sHelp = QString::fromStdU16String(temp.Write(u"hlp/index.html", "<html></html>"));
    }
    // A window with every part installed, created and shown.
    void Create() {
        window.SetParts(parts.All());
        window.SetHelpFileName(sHelp);
        window.FormCreate();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        parts.log.clear();
    }
    QAction* Act(A id) const { return window.Action(id); }
    QString MenuBarText() const {
        QStringList menus;
        for (QAction* pAction : window.MainMenu1->actions()) {
            menus << pAction->text() + u'{' + test::DescribeMenu(pAction->menu(), true) + u'}';
        }
        return menus.join(QStringLiteral(" "));
    }

    test::TempFolder temp;
    QString sHelp;
    test::TFakeMainParts parts;
    TTestWindow window;
};

TEST_F(MainWindowTest, ActionTable) {
    struct Row {
        const char* name;
        QString category, caption, hint;
        int image;
        bool check, checked, visible;
        QString accessKey;
    };
    const Row rows[] = {
        {"Action_File_OpenFile", "ファイル", "開く(&O)...", "ファイルを開く", 0, false, false, true,
         "Alt+O"},
        {"Action_File_OpenFolder", "ファイル", "フォルダを開く(&F)...",
         "サブフォルダ中のファイルも含めて開く", 1, false, false, true, "Alt+F"},
        {"Action_File_OpenThisFolder", "ファイル", "選択フォルダのみ開く(&D)...",
         "選択したフォルダのみ開く", 2, false, false, true, "Alt+D"},
        {"Action_File_Exit", "ファイル", "終了(&X)", "プログラム終了", 5, false, false, true,
         "Alt+X"},
        {"Action_Play_Play", "再生", "再生", "", 14, false, false, true, ""},
        {"Action_Play_Pause", "再生", "一時停止", "", 15, false, false, true, ""},
        {"Action_Play_PlayPause", "再生", "再生/一時停止(&P)", "再生/一時停止", 16, false, false,
         true, "Alt+P"},
        {"Action_Play_Replay", "再生", "リプレイ(&R)", "リプレイ", 17, false, false, true, "Alt+R"},
        {"Action_Play_Stop", "再生", "停止(&S)", "停止", 22, false, false, true, "Alt+S"},
        {"Action_Play_Back", "再生", "前へ(&B)", "前のメディアを再生", 18, false, false, true,
         "Alt+B"},
        {"Action_Play_Next", "再生", "次へ(&N)", "次のメディアを再生", 19, false, false, true,
         "Alt+N"},
        {"Action_Play_SkipBack", "再生", "30秒バック", "30秒戻す", 20, false, false, true, ""},
        {"Action_Play_SkipNext", "再生", "30秒スキップ", "30秒スキップ", 21, false, false, true,
         ""},
        {"Action_Play_Mute", "再生", "ミュート(&M)", "ミュート", 24, true, false, true, "Alt+M"},
        {"Action_List_DeletePlaying", "リスト", "再生中のファイルをリストから削除(&F)",
         "現在再生しているファイルをリストから削除", 7, false, false, true, "Alt+F"},
        {"Action_List_Delete", "リスト", "選択ファイルをリストから削除(&D)",
         "選択しているファイルをリストから削除", 8, false, false, true, "Alt+D"},
        {"Action_List_Clear", "リスト", "リストをクリア(&C)", "リストをクリア", 9, false, false,
         true, "Alt+C"},
        {"Action_List_FolderName", "リスト", "フォルダ名も表示(&P)", "ファイルのフォルダ名も表示",
         10, true, false, true, "Alt+P"},
        {"Action_List_GotoPlaying", "リスト", "再生中のファイルへ移動(&G)",
         "再生中のファイルへ移動", 11, false, false, true, "Alt+G"},
        {"Action_Sort", "ソート", "ソート(&S)", "リストのソート", 58, false, false, true, "Alt+S"},
        {"Action_Sort_FileName", "ソート", "ファイル名でソート(&F)", "ファイル名でソート", 61,
         false, false, true, "Alt+F"},
        {"Action_Sort_Folder", "ソート", "フォルダ名でソート(&L)", "ファイルのフォルダ名でソート",
         62, false, false, true, "Alt+L"},
        {"Action_Sort_Name", "ソート", "名前でソート(&N)", "ファイルの名前でソート", 63, false,
         false, true, "Alt+N"},
        {"Action_Sort_Ext", "ソート", "種類でソート(&E)", "ファイルの種類でソート", 64, false,
         false, true, "Alt+E"},
        {"Action_Sort_FileSize", "ソート", "ファイルサイズでソート(&Z)", "ファイルサイズでソート",
         -1, false, false, false, "Alt+Z"},
        {"Action_Sort_FileCreateTime", "ソート", "作成日でソート(&C)",
         "ファイルが作成された日時でソート", -1, false, false, false, "Alt+C"},
        {"Action_Sort_FileUpdateTime", "ソート", "更新日でソート(&U)",
         "ファイルが更新された日時でソート", -1, false, false, false, "Alt+U"},
        {"Action_Sort_Shuffle", "ソート", "シャッフル(&S)", "ランダムに並べ替え", 60, false, false,
         true, "Alt+S"},
        {"Action_Opt_Random", "オプション", "ランダム再生(&R)", "ランダム再生", 28, true, false,
         true, "Alt+R"},
        {"Action_Opt_ConfirmErr", "オプション", "再生できないファイルを確認(&E)",
         "再生できないファイルを確認", -1, true, false, false, "Alt+E"},
        {"Action_Opt_Info", "オプション", "情報パネルを表示(&I)", "情報パネルを表示", 32, true,
         true, true, "Alt+I"},
        {"Action_Opt_TaskTray", "オプション", "アイコンを通知領域に表示(&T)",
         "アイコンを通知領域に表示する", 30, true, false, true, "Alt+T"},
        {"Action_Opt_StatusBar", "オプション", "ステータスバーを表示(&S)", "ステータスバーを表示",
         31, true, true, true, "Alt+S"},
        {"Action_Help_Help", "ヘルプ", "Skivra ヘルプ(&H)", "ヘルプの表示", -1, false, false, true,
         "Alt+H"},
        {"Action_Help_VersionInfo", "ヘルプ", "バージョン情報(&V)", "バージョン情報", 6, false,
         false, true, "Alt+V"},
    };
    ASSERT_EQ(std::size(rows), kMainActionCount);
    window.SetHelpFileName(sHelp);
    window.PopupMenu_MainPopup();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        auto* pAction = window.findChild<QAction*>(QString::fromLatin1(r.name));
        ASSERT_NE(pAction, nullptr);
        EXPECT_EQ(pAction->property("category").toString(), r.category);
        EXPECT_EQ(pAction->text(), r.caption);
        EXPECT_EQ(pAction->statusTip(), r.hint);
        EXPECT_EQ(pAction->property("imageIndex").toInt(), r.image);
        EXPECT_EQ(pAction->icon().isNull(), r.image < 0);
        EXPECT_EQ(pAction->isCheckable(), r.check);
        EXPECT_EQ(pAction->isChecked(), r.checked);
        EXPECT_EQ(pAction->isVisible(), r.visible);
        EXPECT_EQ(QKeySequence::mnemonic(pAction->text()).toString(), r.accessKey);
        EXPECT_TRUE(pAction->shortcut().isEmpty()) << "the commands have access keys only";
    }
}

TEST_F(MainWindowTest, MainMenuAndPopupMenu) {
    parts.bLoaded = true;
    parts.iCount = 3;
    parts.bSelection = true;
    Create();
    window.PopupMenu_MainPopup();
    const QString sSort = QStringLiteral(
        "ソート(&S){ファイル名でソート(&F), フォルダ名でソート(&L), 名前でソート(&N), "
        "種類でソート(&E), ファイルサイズでソート(&Z), 作成日でソート(&C), 更新日でソート(&U), -, "
        "シャッフル(&S)}");
    EXPECT_EQ(MenuBarText(),
              QStringLiteral("ファイル(&F){開く(&O)..., フォルダを開く(&F)..., "
                             "選択フォルダのみ開く(&D)..., -, 終了(&X)} "
                             "リスト(&L){再生中のファイルへ移動(&G), フォルダ名も表示(&P), -, ") +
                  sSort +
                  QStringLiteral(", -, リストをクリア(&C), 選択ファイルをリストから削除(&D)} "
                                 "再生(&P){再生/一時停止(&P), 停止(&S), -, 前へ(&B), 次へ(&N), "
                                 "-, ミュート(&M)} "
                                 "オプション(&O){ランダム再生(&R), "
                                 "再生できないファイルを確認(&E), -, 情報パネルを表示(&I)[x], "
                                 "ステータスバーを表示(&S)[x], アイコンを通知領域に表示(&T)} "
                                 "ヘルプ(&H){Skivra ヘルプ(&H), バージョン情報(&V)}"));
    EXPECT_EQ(test::DescribeMenu(window.PopupMenu_Main, true),
              QStringLiteral("ファイル(&F){開く(&O)...*, フォルダを開く(&F)..., "
                             "選択フォルダのみ開く(&D)...}, "
                             "リスト(&L){再生中のファイルへ移動(&G)*, フォルダ名も表示(&P), -, ") +
                  sSort +
                  QStringLiteral(", -, リストをクリア(&C), 選択ファイルをリストから削除(&D)}, "
                                 "再生(&P){再生/一時停止(&P)*, 停止(&S), -, 前へ(&B), 次へ(&N), "
                                 "-, ミュート(&M)}, "
                                 "オプション(&O){ランダム再生(&R)*, "
                                 "再生できないファイルを確認(&E), -, 情報パネルを表示(&I)[x], "
                                 "ステータスバーを表示(&S)[x], アイコンを通知領域に表示(&T)}, -, "
                                 "終了(&X)"));
    EXPECT_EQ(test::DescribeMenu(window.PopupMenu_List, true),
              QStringLiteral("再生中のファイルへ移動(&G), フォルダ名も表示(&P), -, "
                             "リストをクリア(&C), 選択ファイルをリストから削除(&D), "
                             "再生中のファイルをリストから削除(&F)"));
    // Each top-level entry has its caption without the access key as hint.
    QStringList hints;
    for (QAction* pAction : window.MainMenu1->actions()) {
        hints << pAction->statusTip();
    }
    EXPECT_EQ(hints.join(u' '), QStringLiteral("ファイル リスト 再生 オプション ヘルプ"));
    EXPECT_TRUE(window.PopupMenu_OpenFile->actions().isEmpty());
    EXPECT_TRUE(window.PopupMenu_OpenFolder->actions().isEmpty());
    EXPECT_TRUE(window.PopupMenu_OpenThisFolder->actions().isEmpty());
}

TEST_F(MainWindowTest, ToolBars) {
    const auto describe = [](QToolBar* pBar) {
        QStringList items;
        for (QAction* pAction : pBar->actions()) {
            if (pAction->isSeparator()) {
                items << QStringLiteral("-");
            } else if (auto* pButton = qobject_cast<QToolButton*>(pBar->widgetForAction(pAction))) {
                QString s =
                    pAction->objectName().isEmpty() ? pAction->text() : pAction->objectName();
                if (pButton->menu()) {
                    s += u'>' + pButton->menu()->objectName();
                }
                items << s;
            } else {
                items << pBar->widgetForAction(pAction)->objectName();
            }
        }
        return items.join(u' ');
    };
    EXPECT_EQ(describe(window.ToolBar_Main),
              QStringLiteral("Action_File_OpenFile>PopupMenu_OpenFile "
                             "Action_File_OpenFolder>PopupMenu_OpenFolder "
                             "Action_File_OpenThisFolder>PopupMenu_OpenThisFolder - "
                             "Action_List_GotoPlaying Action_List_FolderName Action_List_Delete "
                             "Action_Sort>PopupMenu_Sort - Action_Opt_Info Action_Opt_Random - "
                             "Label_Info"));
    EXPECT_EQ(describe(window.ToolBar_Control),
              QStringLiteral("Action_Play_PlayPause Action_Play_Replay Action_Play_Back "
                             "Action_Play_Next Action_Play_Stop - Action_Play_Mute"));
    EXPECT_EQ(window.Label_Info->text(), QStringLiteral("ビデオ情報"));
    EXPECT_EQ(window.Label_Time->text(), QStringLiteral("現在位置/長さ"));
    EXPECT_EQ(window.TrackBar_Volume->statusTip(), QStringLiteral("ボリューム"));
    EXPECT_EQ(window.TrackBar_Volume->value(), 100);
    EXPECT_EQ(window.TrackBar_Volume->width(), 110);
}

TEST_F(MainWindowTest, ActionsOfPartsNotInstalledStayDisabled) {
    window.SetHelpFileName(sHelp);
    window.PopupMenu_MainPopup();
    for (const TMyActionInfo& info : kMainActions) {
        if (!Act(info.Id)->isVisible()) {
            continue; // a hidden action reads as disabled
        }
        const bool bOwn = info.Owner == TMyActionOwner::Window || info.Owner == TMyActionOwner::Nop;
        EXPECT_EQ(Act(info.Id)->isEnabled(), bOwn) << info.Name;
    }
    EXPECT_FALSE(window.TrackBar_Seek->isEnabled());
}

TEST_F(MainWindowTest, EnableRuleFollowsGraphPlaylistAndSelection) {
    Create();
    struct State {
        bool loaded;
        int count;
        bool selection;
    };
    const State states[] = {
        {false, 0, false}, {true, 0, false}, {false, 3, false}, {false, 3, true}, {true, 1, true},
    };
    for (const State& s : states) {
        parts.bLoaded = s.loaded;
        parts.iCount = s.count;
        parts.bSelection = s.selection;
        window.PopupMenu_MainPopup();
        SCOPED_TRACE(QStringLiteral("loaded %1, count %2, selection %3")
                         .arg(s.loaded)
                         .arg(s.count)
                         .arg(s.selection)
                         .toStdString());
        for (const A id :
             {A::Action_Play_Stop, A::Action_Play_Replay, A::Action_List_GotoPlaying}) {
            EXPECT_EQ(Act(id)->isEnabled(), s.loaded) << Act(id)->objectName().toStdString();
        }
        for (const A id : {A::Action_Play_Back, A::Action_Play_Next, A::Action_List_Clear}) {
            EXPECT_EQ(Act(id)->isEnabled(), s.count > 0) << Act(id)->objectName().toStdString();
        }
        EXPECT_EQ(Act(A::Action_List_Delete)->isEnabled(), s.selection);
        EXPECT_TRUE(Act(A::Action_Play_PlayPause)->isEnabled());
        EXPECT_TRUE(window.TrackBar_Seek->isEnabled());
    }
}

TEST_F(MainWindowTest, OpeningAMenuRefreshesTheActions) {
    Create();
    parts.bLoaded = true;
    emit window.MainMenu1->actions()[2]->menu()->aboutToShow();
    EXPECT_TRUE(Act(A::Action_Play_Stop)->isEnabled());
    parts.bLoaded = false;
    emit window.PopupMenu_Main->aboutToShow();
    EXPECT_FALSE(Act(A::Action_Play_Stop)->isEnabled());
}

TEST_F(MainWindowTest, CreateAndDestroyRunThePartsInOrder) {
    window.SetParts(parts.All());
    window.SetHelpFileName(sHelp);
    parts.bSettingsRead = false;
    window.FormCreate();
    // The outermost end of the busy section refreshes the playlist view last.
    EXPECT_EQ(parts.log.join(u' '),
              QStringLiteral("AttachFetcher CreatePlaylist StopMedia:true "
                             "FillDisallowExts LoadSettings Mute() RestorePlaylist:false "
                             "FinishStartUp RefreshPlaylist"));
    EXPECT_TRUE(parts.bBusyWhileLoading);
    EXPECT_FALSE(IsInFunc());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.TrackBar_Seek->tickInterval(), 300);
    EXPECT_EQ(window.Grid_Info->item(3, 0)->text(), QStringLiteral("ファイル情報"));
    EXPECT_EQ(
        window.Grid_Info->columnWidth(0),
        QFontMetrics(window.Grid_Info->font()).horizontalAdvance(QStringLiteral("ファイル情報")) +
            4);
    ASSERT_NE(window.FTaskBarMenu, nullptr);

    parts.log.clear();
    window.close();
    EXPECT_EQ(parts.log.join(u' '),
              QStringLiteral("Pause() ReleaseVideoWallpaper SaveSettings FreeDisallowExts "
                             "StopMedia:true FreePlaylist"));
    EXPECT_EQ(window.FTaskBarMenu, nullptr);
    parts.log.clear();
    window.FormDestroy();
    EXPECT_TRUE(parts.log.isEmpty()) << "destroyed once only";
}

TEST_F(MainWindowTest, BusySectionsDisableTheWindowUntilTheOutermostEnd) {
    Create();
    EXPECT_TRUE(window.isEnabled());
    EXPECT_TRUE(window.acceptDrops());
    BeginFunc();
    EXPECT_FALSE(window.isEnabled());
    EXPECT_FALSE(window.acceptDrops());
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    BeginFunc();
    EndFunc();
    EXPECT_FALSE(window.isEnabled()) << "an outer section is still open";
    EXPECT_TRUE(parts.log.isEmpty());
    EndFunc();
    EXPECT_TRUE(window.isEnabled());
    EXPECT_TRUE(window.acceptDrops());
    EXPECT_EQ(parts.log, QStringList{QStringLiteral("RefreshPlaylist")});
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(MainWindowTest, CommandsReachTheirPartsWithTheActionAsSender) {
    parts.bLoaded = true;
    parts.iCount = 2;
    parts.bSelection = true;
    Create();
    window.PopupMenu_MainPopup();
    for (const A id :
         {A::Action_Play_Back, A::Action_Play_Next, A::Action_Sort_Name, A::Action_Sort_Shuffle,
          A::Action_File_OpenFolder, A::Action_List_Delete, A::Action_Play_Mute}) {
        Act(id)->trigger();
    }
    window.TrackBar_Volume->setValue(40);
    EXPECT_EQ(parts.log.join(u' '),
              QStringLiteral("Next(Action_Play_Back) Next(Action_Play_Next) "
                             "Sort(Action_Sort_Name) Sort(Action_Sort_Shuffle) "
                             "OpenFolder(Action_File_OpenFolder) Delete(Action_List_Delete) "
                             "Mute(Action_Play_Mute) Mute(TrackBar_Volume)"));
    EXPECT_TRUE(Act(A::Action_Play_Mute)->isChecked()) << "mute toggles its own mark";
}

TEST_F(MainWindowTest, HelpEntryShowsOnlyWhileTheHelpPageExists) {
    Create();
    window.PopupMenu_MainPopup();
    EXPECT_TRUE(Act(A::Action_Help_Help)->isVisible());
    window.SetHelpFileName(QString::fromStdU16String(temp / u"hlp/missing.html"));
    emit window.MainMenu1->actions()[4]->menu()->aboutToShow();
    EXPECT_FALSE(Act(A::Action_Help_Help)->isVisible());
    EXPECT_EQ(window.ProductWebPage(), QUrl::fromLocalFile(window.HelpFileName()).toString());
}

TEST_F(MainWindowTest, HintsGoToTheStatusBarOrToTooltips) {
    Create();
    QWidget* pButton = window.ToolBar_Main->widgetForAction(Act(A::Action_Opt_Info));
    const auto hover = [&] {
        QToolTip::hideText();
        const QPoint pt = pButton->rect().center();
        QHelpEvent event(QEvent::ToolTip, pt, pButton->mapToGlobal(pt));
        QApplication::sendEvent(pButton, &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    ASSERT_TRUE(Act(A::Action_Opt_StatusBar)->isChecked());
    EXPECT_TRUE(window.StatusBar_Hint->isVisible());
    EXPECT_FALSE(window.ShowHint());
    EXPECT_EQ(hover(), QString());
    QStatusTipEvent tip(Act(A::Action_Opt_Info)->statusTip());
    QApplication::sendEvent(&window, &tip);
    EXPECT_EQ(window.StatusBar_Hint->currentMessage(), QStringLiteral("情報パネルを表示"));

    Act(A::Action_Opt_StatusBar)->trigger();
    EXPECT_FALSE(window.StatusBar_Hint->isVisible());
    EXPECT_TRUE(window.ShowHint());
    EXPECT_EQ(hover(), QStringLiteral("情報パネルを表示"));
}

TEST_F(MainWindowTest, InfoPanelOptionShowsAndHidesThePanel) {
    Create();
    EXPECT_TRUE(window.Panel_Info->isVisible());
    Act(A::Action_Opt_Info)->trigger();
    EXPECT_FALSE(window.Panel_Info->isVisible());
    Act(A::Action_Opt_Info)->trigger();
    EXPECT_TRUE(window.Panel_Info->isVisible());
}

TEST_F(MainWindowTest, TrayMenuIsACopyOfThePopupMenuKeptInStep) {
    Create();
    QMenu* pSystem = window.FSystemMenu;
    const QString sProduct = QString::fromStdU16String(GetProgramProductName());
    ASSERT_GE(pSystem->actions().size(), 2);
    EXPECT_EQ(pSystem->actions()[0]->text(), sProduct);
    EXPECT_TRUE(pSystem->actions()[1]->isSeparator());
    EXPECT_EQ(test::DescribeMenu(pSystem).section(u'{', 1).left(30),
              test::DescribeMenu(window.PopupMenu_Main).left(30));
    EXPECT_TRUE(test::DescribeMenu(pSystem).endsWith(
        QStringLiteral("-, 元のサイズに戻す(&R), 最小化(&N), -, 閉じる(&C)")));

    TMyTaskBarMenuItem* pRandom = window.FTaskBarMenu->FindItem(Act(A::Action_Opt_Random));
    TMyTaskBarMenuItem* pStop = window.FTaskBarMenu->FindItem(Act(A::Action_Play_Stop));
    ASSERT_NE(pRandom, nullptr);
    ASSERT_NE(pStop, nullptr);
    EXPECT_EQ(window.FTaskBarMenu->FindItem(Act(A::Action_Opt_ConfirmErr)), nullptr)
        << "hidden entries are not copied";

    parts.bLoaded = false;
    window.PopupMenu_MainPopup();
    EXPECT_FALSE(pStop->Entry()->isEnabled());
    parts.bLoaded = true;
    window.PopupMenu_MainPopup();
    EXPECT_TRUE(pStop->Entry()->isEnabled());

    // Choosing the copied entry toggles the action and with it the pop-up menu's entry.
    pRandom->Entry()->trigger();
    EXPECT_TRUE(Act(A::Action_Opt_Random)->isChecked());
    EXPECT_TRUE(pRandom->Entry()->isChecked());
    Act(A::Action_Opt_Random)->trigger();
    EXPECT_FALSE(pRandom->Entry()->isChecked());

    // A copied transport command reaches the player with the action as sender.
    parts.iCount = 1;
    window.PopupMenu_MainPopup();
    parts.log.clear();
    window.FTaskBarMenu->FindItem(Act(A::Action_Play_Next))->Entry()->trigger();
    EXPECT_EQ(parts.log, QStringList{QStringLiteral("Next(Action_Play_Next)")});
}

TEST_F(MainWindowTest, NotificationAreaOptionHidesIntoTheTrayAndComesBack) {
    Create();
    auto* pX11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    ASSERT_NE(pX11, nullptr);
    const auto skip = [&] {
        return (GetExStyle(pX11->display(), static_cast<TMyWindowId>(window.winId())) &
                WS_EX_TOOLWINDOW) != 0;
    };
    EXPECT_FALSE(window.TrayIcon1->isVisible());
    Act(A::Action_Opt_TaskTray)->trigger();
    EXPECT_TRUE(window.TrayIcon1->isVisible());
    EXPECT_TRUE(test::WaitFor(skip)) << "no task bar button";

    window.showMinimized();
    EXPECT_TRUE(test::WaitFor([&] { return window.isHidden(); }));
    window.TrayIcon1MouseUp(Qt::RightButton);
    EXPECT_TRUE(window.isHidden()) << "only the left button restores";
    window.TrayIcon1MouseUp(Qt::LeftButton);
    EXPECT_TRUE(test::WaitFor([&] { return window.isVisible() && !window.isMinimized(); }));

    Act(A::Action_Opt_TaskTray)->trigger();
    EXPECT_FALSE(window.TrayIcon1->isVisible());
    EXPECT_TRUE(test::WaitFor([&] { return !skip(); }));
    window.showMinimized();
    QTest::qWait(50);
    EXPECT_FALSE(window.isHidden()) << "without the option a minimised window stays";
}

TEST_F(MainWindowTest, WindowCommandsOfTheTrayMenu) {
    Create();
    window.ApplicationEvents1Message(SC_MINIMIZE);
    EXPECT_TRUE(test::WaitFor([&] { return window.isMinimized(); }));
    window.ApplicationEvents1Message(SC_RESTORE);
    EXPECT_TRUE(test::WaitFor([&] { return !window.isMinimized() && window.isVisible(); }));
    parts.log.clear();
    window.ApplicationEvents1Message(SC_CLOSE);
    EXPECT_TRUE(parts.log.contains(QStringLiteral("SaveSettings")));
}

TEST_F(MainWindowTest, DroppedLocalFilesGoToTheIntake) {
    QMimeData none;
    EXPECT_FALSE(window.acceptDrops()) << "no intake, no drops";
    EXPECT_FALSE(window.FilesDropped(&none, QPoint()));
    Create();
    EXPECT_TRUE(window.acceptDrops());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a b.mp4")),
                  QUrl(QStringLiteral("https://example.org/x.mp4")),
                  QUrl::fromLocalFile(QStringLiteral("/tmp/動画"))});
    EXPECT_TRUE(window.FilesDropped(&data, QPoint(10, 10)));
    EXPECT_EQ(parts.log, QStringList{QStringLiteral("Dropped:/tmp/a b.mp4|/tmp/動画")});
}

TEST_F(MainWindowTest, EveryTextHasGlyphsInTheUiFont) {
    Create();
    EXPECT_TRUE(window.font().family().startsWith(QStringLiteral("Noto Sans CJK")))
        << window.font().family().toStdString();
    EXPECT_EQ(window.font().pixelSize(), 12);
    QStringList texts{window.Label_Info->text(), window.Label_Time->text(), window.windowTitle()};
    for (const TMyActionInfo& info : kMainActions) {
        texts << QString::fromUtf16(info.Caption) << QString::fromUtf16(info.Hint);
    }
    for (QAction* pAction : window.MainMenu1->actions()) {
        texts << pAction->text() << pAction->statusTip();
    }
    for (int iRow = 0; iRow < 4; ++iRow) {
        texts << window.Grid_Info->item(iRow, 0)->text();
    }
    const QFontMetrics metrics(window.font());
    for (const QString& sText : texts) {
        for (const char32_t c : sText.toUcs4()) {
            EXPECT_TRUE(metrics.inFontUcs4(c))
                << sText.toStdString() << " U+" << std::hex << static_cast<unsigned>(c);
        }
    }
}

} // namespace
} // namespace skivra
