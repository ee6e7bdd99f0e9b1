// The main window's menus and tool bars.

#include "app/main.h"

#include "support/myMenu.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace skivra {

namespace {

using A = TMyActionId;
constexpr A kSeparator = static_cast<A>(-1);

// A sub-menu whose entry carries its caption without the access key as hint.
QMenu* NewSubMenu(QWidget* pParent, const QString& sTitle, const QString& sHint) {
    auto* pMenu = new QMenu(sTitle, pParent);
    pMenu->menuAction()->setStatusTip(sHint);
    return pMenu;
}

} // namespace

QMenu* TApp_Skivra::OwnMenu() {
    FOwnedMenus.push_back(std::make_unique<QMenu>());
    return FOwnedMenus.back().get();
}

void TApp_Skivra::CreateMenus() {
    const auto fill = [this](QMenu* pMenu, std::initializer_list<A> ids) {
        for (const A id : ids) {
            if (id == kSeparator) {
                pMenu->addSeparator();
            } else {
                pMenu->addAction(Action(id));
            }
        }
    };

    // One sort menu serves the main menu, the pop-up menu and the sort tool button; its
    // entry is the sort action's.
    // The pop-up menus are windows of their own, not children of the main window: a busy
    // section disables the window, and must not grey the pop-up menus (and their copy)
    // with it.
    PopupMenu_Sort = OwnMenu();
    PopupMenu_Sort->setObjectName(QStringLiteral("PopupMenu_Sort"));
    QAction* pSortEntry = PopupMenu_Sort->menuAction();
    pSortEntry->setText(Action(A::Action_Sort)->text());
    pSortEntry->setIcon(Action(A::Action_Sort)->icon());
    pSortEntry->setStatusTip(Action(A::Action_Sort)->statusTip());
    fill(PopupMenu_Sort,
         {A::Action_Sort_FileName, A::Action_Sort_Folder, A::Action_Sort_Name, A::Action_Sort_Ext,
          A::Action_Sort_FileSize, A::Action_Sort_FileCreateTime, A::Action_Sort_FileUpdateTime,
          kSeparator, A::Action_Sort_Shuffle});

    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* pFile =
        NewSubMenu(MainMenu1, QStringLiteral("ファイル(&F)"), QStringLiteral("ファイル"));
    fill(pFile, {A::Action_File_OpenFile, A::Action_File_OpenFolder, A::Action_File_OpenThisFolder,
                 kSeparator, A::Action_File_Exit});
    QMenu* pList = NewSubMenu(MainMenu1, QStringLiteral("リスト(&L)"), QStringLiteral("リスト"));
    fill(pList, {A::Action_List_GotoPlaying, A::Action_List_FolderName, kSeparator});
    pList->addMenu(PopupMenu_Sort);
    fill(pList, {kSeparator, A::Action_List_Clear, A::Action_List_Delete});
    QMenu* pPlay = NewSubMenu(MainMenu1, QStringLiteral("再生(&P)"), QStringLiteral("再生"));
    fill(pPlay, {A::Action_Play_PlayPause, A::Action_Play_Stop, kSeparator, A::Action_Play_Back,
                 A::Action_Play_Next, kSeparator, A::Action_Play_Mute});
    QMenu* pOption =
        NewSubMenu(MainMenu1, QStringLiteral("オプション(&O)"), QStringLiteral("オプション"));
    fill(pOption, {A::Action_Opt_Random, A::Action_Opt_ConfirmErr, kSeparator, A::Action_Opt_Info,
                   A::Action_Opt_StatusBar, A::Action_Opt_TaskTray});
    QMenu* pHelp = NewSubMenu(MainMenu1, QStringLiteral("ヘルプ(&H)"), QStringLiteral("ヘルプ"));
    fill(pHelp, {A::Action_Help_Help, A::Action_Help_VersionInfo});
    for (QMenu* pMenu : {pFile, pList, pPlay, pOption, pHelp}) {
        MainMenu1->addMenu(pMenu);
        // Opening any main menu refreshes the actions first.
        connect(pMenu, &QMenu::aboutToShow, this, &TApp_Skivra::PopupMenu_MainPopup);
    }

    // The pop-up menu: shown by the notification-area icon's menu (as its copy) and by the
    // playlist's gesture, never by a plain right click.
    PopupMenu_Main = OwnMenu();
    PopupMenu_Main->setObjectName(QStringLiteral("PopupMenu_Main"));
    const auto popupSub = [this, &fill](const QString& sTitle, const QString& sHint, A defaultId,
                                        std::initializer_list<A> ids) {
        QMenu* pMenu = NewSubMenu(PopupMenu_Main, sTitle, sHint);
        fill(pMenu, ids);
        pMenu->setDefaultAction(Action(defaultId));
        PopupMenu_Main->addMenu(pMenu);
        return pMenu;
    };
    popupSub(QStringLiteral("ファイル(&F)"), QStringLiteral("ファイル"), A::Action_File_OpenFile,
             {A::Action_File_OpenFile, A::Action_File_OpenFolder, A::Action_File_OpenThisFolder});
    QMenu* pPopupList =
        popupSub(QStringLiteral("リスト(&L)"), QStringLiteral("リスト"), A::Action_List_GotoPlaying,
                 {A::Action_List_GotoPlaying, A::Action_List_FolderName, kSeparator});
    pPopupList->addMenu(PopupMenu_Sort);
    fill(pPopupList, {kSeparator, A::Action_List_Clear, A::Action_List_Delete});
    popupSub(QStringLiteral("再生(&P)"), QStringLiteral("再生"), A::Action_Play_PlayPause,
             {A::Action_Play_PlayPause, A::Action_Play_Stop, kSeparator, A::Action_Play_Back,
              A::Action_Play_Next, kSeparator, A::Action_Play_Mute});
    popupSub(QStringLiteral("オプション(&O)"), QStringLiteral("オプション"), A::Action_Opt_Random,
             {A::Action_Opt_Random, A::Action_Opt_ConfirmErr, kSeparator, A::Action_Opt_Info,
              A::Action_Opt_StatusBar, A::Action_Opt_TaskTray});
    fill(PopupMenu_Main, {kSeparator, A::Action_File_Exit});
    connect(PopupMenu_Main, &QMenu::aboutToShow, this, &TApp_Skivra::PopupMenu_MainPopup);

    // The histories of the three open commands, filled by the intake.
    PopupMenu_OpenFile = OwnMenu();
    PopupMenu_OpenFile->setObjectName(QStringLiteral("PopupMenu_OpenFile"));
    PopupMenu_OpenFolder = OwnMenu();
    PopupMenu_OpenFolder->setObjectName(QStringLiteral("PopupMenu_OpenFolder"));
    PopupMenu_OpenThisFolder = OwnMenu();
    PopupMenu_OpenThisFolder->setObjectName(QStringLiteral("PopupMenu_OpenThisFolder"));

    PopupMenu_List = OwnMenu();
    PopupMenu_List->setObjectName(QStringLiteral("PopupMenu_List"));
    fill(PopupMenu_List,
         {A::Action_List_GotoPlaying, A::Action_List_FolderName, kSeparator, A::Action_List_Clear,
          A::Action_List_Delete, A::Action_List_DeletePlaying});

    // The notification-area icon's menu stands for the window system's menu of the
    // program: the copy of the pop-up menu goes on top (FormCreate), the window commands
    // follow.
    FSystemMenu = OwnMenu();
    FSystemMenu->setObjectName(QStringLiteral("FSystemMenu"));
    const auto windowCommand = [this](const QString& sCaption, int iCommand) {
        QAction* pAction = FSystemMenu->addAction(sCaption);
        SetMenuItemId(pAction, iCommand);
        connect(pAction, &QAction::triggered, this,
                [this, iCommand] { ApplicationEvents1Message(iCommand); });
    };
    windowCommand(QStringLiteral("元のサイズに戻す(&R)"), SC_RESTORE);
    windowCommand(QStringLiteral("最小化(&N)"), SC_MINIMIZE);
    FSystemMenu->addSeparator();
    windowCommand(QStringLiteral("閉じる(&C)"), SC_CLOSE);
    connect(FSystemMenu, &QMenu::aboutToShow, this, &TApp_Skivra::PopupMenu_MainPopup);
}

void TApp_Skivra::CreateToolBars() {
    ToolBar_Main = addToolBar(QStringLiteral("ToolBar_Main"));
    ToolBar_Main->setObjectName(QStringLiteral("ToolBar_Main"));
    ToolBar_Main->setMovable(false);
    ToolBar_Main->setFloatable(false);
    ToolBar_Main->setIconSize(QSize(16, 16));
    ToolBar_Main->setContextMenuPolicy(Qt::PreventContextMenu);
    const auto dropDown = [this](A id, QMenu* pMenu, QToolButton::ToolButtonPopupMode mode) {
        QAction* pAction = Action(id);
        ToolBar_Main->addAction(pAction);
        if (auto* pButton = qobject_cast<QToolButton*>(ToolBar_Main->widgetForAction(pAction))) {
            pButton->setMenu(pMenu);
            pButton->setPopupMode(mode);
        }
    };
    dropDown(A::Action_File_OpenFile, PopupMenu_OpenFile, QToolButton::MenuButtonPopup);
    dropDown(A::Action_File_OpenFolder, PopupMenu_OpenFolder, QToolButton::MenuButtonPopup);
    dropDown(A::Action_File_OpenThisFolder, PopupMenu_OpenThisFolder, QToolButton::MenuButtonPopup);
    ToolBar_Main->addSeparator();
    ToolBar_Main->addAction(Action(A::Action_List_GotoPlaying));
    ToolBar_Main->addAction(Action(A::Action_List_FolderName));
    ToolBar_Main->addAction(Action(A::Action_List_Delete));
    // The sort button opens the sort menu; the sort action itself does nothing.
    dropDown(A::Action_Sort, PopupMenu_Sort, QToolButton::InstantPopup);
    ToolBar_Main->addSeparator();
    ToolBar_Main->addAction(Action(A::Action_Opt_Info));
    ToolBar_Main->addAction(Action(A::Action_Opt_Random));
    ToolBar_Main->addSeparator();
    ToolBar_Main->addWidget(Label_Info);

    ToolBar_Control->setIconSize(QSize(16, 16));
    ToolBar_Control->setContextMenuPolicy(Qt::PreventContextMenu);
    for (const A id : {A::Action_Play_PlayPause, A::Action_Play_Replay, A::Action_Play_Back,
                       A::Action_Play_Next, A::Action_Play_Stop}) {
        ToolBar_Control->addAction(Action(id));
    }
    ToolBar_Control->addSeparator();
    ToolBar_Control->addAction(Action(A::Action_Play_Mute));
}

} // namespace skivra
