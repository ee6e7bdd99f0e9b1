#include "app/main.h"

#include "app/mainImages.h"
#include "app/myBusySection.h"
#include "app/myInfoTexts.h"
#include "platform/x11/myX11KeyState.h"
#include "platform/x11/myX11WindowStyle.h"
#include "support/myFolderDialog.h"
#include "support/myHelpVersionInfo.h"
#include "support/myKeyState.h"
#include "support/myProgram.h"
#include "support/myQtScreen.h"
#include "support/myTaskBarMenu.h"
#include "support/myTrackBar.h"
#include "support/myUiFont.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace skivra {

namespace {

using A = TMyActionId;

// The designed sizes.
constexpr int kClientWidth = 536;
constexpr int kClientHeight = 412;
constexpr int kInfoHeight = 67;
constexpr int kSeekHeight = 28;
constexpr int kControlHeight = 22;
constexpr int kStatusHeight = 19;
constexpr int kVolumeWidth = 110;
constexpr int kGridRowHeight = 16;
constexpr int kSeekLineSize = 30;
constexpr int kSeekDesignTicks = 30;

// The information grid's cells: the grid's colours, the text on one line, vertically
// centred, two pixels in from the left, never elided (the first column is sized to fit).
class TInfoCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* pPainter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const auto* pGrid = static_cast<const QWidget*>(parent());
        pPainter->save();
        pPainter->fillRect(option.rect, pGrid->palette().color(QPalette::Base));
        pPainter->setFont(pGrid->font());
        pPainter->setPen(pGrid->palette().color(QPalette::Text));
        pPainter->drawText(option.rect.adjusted(2, 0, 0, 0),
                           Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                           index.data().toString());
        pPainter->restore();
    }
};

} // namespace

TApp_Skivra::TApp_Skivra(QWidget* pParent) : QMainWindow(pParent) {
    // The component name: the settings keep the window's bounds under it.
    setObjectName(QStringLiteral("App_Skivra"));
    setWindowTitle(QString::fromStdU16String(GetProgramProductName()));
    setFont(JapaneseUiFontPixels(12));
    EnsureMonitorSource();
    // Shift and Ctrl change what commands do (skip steps, skipping the settings): the key
    // state comes from the X server the window lives on, unless someone installed another.
    auto* pX11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (pX11 && !GetKeyStateSource()) {
        SetKeyStateSource(std::make_shared<TMyX11KeyStateSource>(pX11->display()));
    }
    FsHelpFile = QString::fromStdU16String(GetProgramFolder()) + QStringLiteral("hlp/index.html");

    CreateActions();
    CreateControls();
    CreateMenus();
    CreateToolBars();
    ConnectActions();
    TrayIcon1->setContextMenu(FSystemMenu);

    resize(kClientWidth, kClientHeight + MainMenu1->sizeHint().height());
    qApp->installEventFilter(this);
    SetBusySectionHooks({[this] { BusyBegin(); },
                         [this] {
                             BusyEnd();
                         }});
    PopupMenu_MainPopup();
}

TApp_Skivra::~TApp_Skivra() {
    qApp->removeEventFilter(this);
    FormDestroy();
    SetBusySectionHooks({});
}

void TApp_Skivra::CreateActions() {
    for (const TMyActionInfo& info : kMainActions) {
        auto* pAction = new QAction(QString::fromUtf16(info.Caption), this);
        pAction->setObjectName(QString::fromLatin1(info.Name));
        pAction->setProperty("category", QString::fromUtf16(info.Category));
        pAction->setProperty("imageIndex", info.ImageIndex);
        const QString sHint = QString::fromUtf16(info.Hint);
        pAction->setStatusTip(sHint);
        pAction->setToolTip(sHint.isEmpty() ? QString(pAction->text()).remove(u'&') : sHint);
        if (info.ImageIndex >= 0) {
            pAction->setIcon(MainImage(info.ImageIndex));
        }
        pAction->setCheckable(info.Flags & afCheck);
        pAction->setChecked(info.Flags & afChecked);
        pAction->setVisible(!(info.Flags & afHidden));
        pAction->setMenuRole(QAction::NoRole);
        FActions[static_cast<std::size_t>(info.Id)] = pAction;
    }
}

void TApp_Skivra::CreateControls() {
    auto* pCentral = new QWidget(this);
    auto* pLayout = new QVBoxLayout(pCentral);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);

    Label_Info = new QLabel(QStringLiteral("ビデオ情報"), this);
    Label_Info->setObjectName(QStringLiteral("Label_Info"));
    Label_Info->setStatusTip(QStringLiteral("ビデオの情報"));
    Label_Info->setToolTip(QStringLiteral("ビデオの情報"));
    Label_Info->setContentsMargins(4, 0, 4, 0);

    Panel_Playlist = new QWidget(pCentral);
    Panel_Playlist->setObjectName(QStringLiteral("Panel_Playlist"));
    auto* pPlaylistLayout = new QVBoxLayout(Panel_Playlist);
    pPlaylistLayout->setContentsMargins(0, 0, 0, 0);
    pPlaylistLayout->setSpacing(0);
    ListBox_Playlist = new QListView(Panel_Playlist);
    ListBox_Playlist->setObjectName(QStringLiteral("ListBox_Playlist"));
    ListBox_Playlist->setFrameShape(QFrame::NoFrame);
    ListBox_Playlist->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox_Playlist->setUniformItemSizes(true);
    Shape_Playlist = new QFrame(Panel_Playlist);
    Shape_Playlist->setObjectName(QStringLiteral("Shape_Playlist"));
    Shape_Playlist->setFrameShape(QFrame::HLine);
    Shape_Playlist->setFrameShadow(QFrame::Plain);
    Shape_Playlist->setForegroundRole(QPalette::Dark);
    Shape_Playlist->setFixedHeight(1);
    pPlaylistLayout->addWidget(ListBox_Playlist, 1);
    pPlaylistLayout->addWidget(Shape_Playlist);
    pLayout->addWidget(Panel_Playlist, 1);

    Panel_Info = new QWidget(pCentral);
    Panel_Info->setObjectName(QStringLiteral("Panel_Info"));
    Panel_Info->setFixedHeight(kInfoHeight);
    auto* pInfoLayout = new QVBoxLayout(Panel_Info);
    pInfoLayout->setContentsMargins(0, 0, 0, 0);
    Grid_Info = new QTableWidget(4, 2, Panel_Info);
    Grid_Info->setObjectName(QStringLiteral("Grid_Info"));
    Grid_Info->setFont(JapaneseUiFontPixels(12));
    Grid_Info->horizontalHeader()->hide();
    Grid_Info->verticalHeader()->hide();
    Grid_Info->verticalHeader()->setMinimumSectionSize(kGridRowHeight);
    Grid_Info->verticalHeader()->setDefaultSectionSize(kGridRowHeight);
    Grid_Info->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Grid_Info->setItemDelegate(new TInfoCellDelegate(Grid_Info));
    Grid_Info->horizontalHeader()->setStretchLastSection(true);
    Grid_Info->setShowGrid(false);
    Grid_Info->setFrameShape(QFrame::NoFrame);
    Grid_Info->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Grid_Info->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Grid_Info->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid_Info->setSelectionMode(QAbstractItemView::NoSelection);
    Grid_Info->setFocusPolicy(Qt::NoFocus);
    pInfoLayout->addWidget(Grid_Info);
    pLayout->addWidget(Panel_Info);

    TrackBar_Seek = new TMyTrackBar(pCentral);
    TrackBar_Seek->setObjectName(QStringLiteral("TrackBar_Seek"));
    TrackBar_Seek->setFixedHeight(kSeekHeight);
    TrackBar_Seek->setMinimum(0);
    TrackBar_Seek->setMaximum(0);
    TrackBar_Seek->setSingleStep(kSeekLineSize);
    TrackBar_Seek->setTickInterval(kSeekDesignTicks);
    pLayout->addWidget(TrackBar_Seek);

    Panel_Control = new QWidget(pCentral);
    Panel_Control->setObjectName(QStringLiteral("Panel_Control"));
    Panel_Control->setFixedHeight(kControlHeight);
    auto* pControlLayout = new QHBoxLayout(Panel_Control);
    pControlLayout->setContentsMargins(0, 0, 4, 0);
    pControlLayout->setSpacing(2);
    ToolBar_Control = new QToolBar(Panel_Control);
    ToolBar_Control->setObjectName(QStringLiteral("ToolBar_Control"));
    TrackBar_Volume = new TMyTrackBar(Panel_Control);
    TrackBar_Volume->setObjectName(QStringLiteral("TrackBar_Volume"));
    TrackBar_Volume->setFixedWidth(kVolumeWidth);
    TrackBar_Volume->setRange(0, 100);
    TrackBar_Volume->setTickInterval(10);
    TrackBar_Volume->setValue(100);
    TrackBar_Volume->setStatusTip(QStringLiteral("ボリューム"));
    TrackBar_Volume->setToolTip(QStringLiteral("ボリューム"));
    Label_Time = new QLabel(QStringLiteral("現在位置/長さ"), Panel_Control);
    Label_Time->setObjectName(QStringLiteral("Label_Time"));
    Label_Time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label_Time->setStatusTip(QStringLiteral("現在位置/メディアの長さ"));
    Label_Time->setToolTip(QStringLiteral("現在位置/メディアの長さ"));
    pControlLayout->addWidget(ToolBar_Control);
    pControlLayout->addWidget(TrackBar_Volume);
    pControlLayout->addWidget(Label_Time, 1);
    pLayout->addWidget(Panel_Control);
    setCentralWidget(pCentral);

    StatusBar_Hint = statusBar();
    StatusBar_Hint->setObjectName(QStringLiteral("StatusBar_Hint"));
    StatusBar_Hint->setSizeGripEnabled(false);
    StatusBar_Hint->setFixedHeight(kStatusHeight);

    // Never shown: the owner of the video window when a video cannot go on the desktop.
    Panel_Video = new QWidget(this);
    Panel_Video->setObjectName(QStringLiteral("Panel_Video"));
    Panel_Video->setGeometry(0, 0, 114, 58);
    Panel_Video->setAutoFillBackground(true);
    QPalette palette = Panel_Video->palette();
    palette.setColor(QPalette::Window, QColor(16, 0, 16));
    Panel_Video->setPalette(palette);
    Panel_Video->hide();

    Timer_Time = new QTimer(this);
    Timer_Time->setObjectName(QStringLiteral("Timer_Time"));
    Timer_Time->setInterval(30);
    Timer_GetFile = new QTimer(this);
    Timer_GetFile->setObjectName(QStringLiteral("Timer_GetFile"));
    Timer_GetFile->setInterval(30);

    Dialog_OpenFolder = new TMyOpenFolderDialog(this);
    Dialog_OpenFolder->setObjectName(QStringLiteral("Dialog_OpenFolder"));
    Dialog_OpenFolder->SetTitle(QStringLiteral("フォルダを開く"));
    Dialog_OpenThisFolder = new TMyOpenFolderDialog(this);
    Dialog_OpenThisFolder->setObjectName(QStringLiteral("Dialog_OpenThisFolder"));
    Dialog_OpenThisFolder->SetTitle(QStringLiteral("選択フォルダのみ開く"));

    TrayIcon1 = new QSystemTrayIcon(this);
    TrayIcon1->setObjectName(QStringLiteral("TrayIcon1"));
    connect(TrayIcon1, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
                    TrayIcon1MouseUp(Qt::LeftButton);
                } else if (reason == QSystemTrayIcon::MiddleClick) {
                    TrayIcon1MouseUp(Qt::MiddleButton);
                }
            });
}

void TApp_Skivra::ConnectActions() {
    for (const TMyActionInfo& info : kMainActions) {
        QAction* pAction = Action(info.Id);
        const A id = info.Id;
        connect(pAction, &QAction::triggered, this,
                [this, id, pAction] { RunAction(id, pAction); });
    }
    // Moving the volume bar applies the volume through the mute handler.
    connect(TrackBar_Volume, &QSlider::valueChanged, this, [this] {
        if (FParts.Player) {
            FParts.Player->Action_Play_MuteExecute(TrackBar_Volume);
        }
    });
}

bool TApp_Skivra::OwnerInstalled(TMyActionOwner owner) const {
    switch (owner) {
    case TMyActionOwner::Window:
    case TMyActionOwner::Nop:
        return true;
    case TMyActionOwner::Player:
        return FParts.Player != nullptr;
    case TMyActionOwner::Playlist:
        return FParts.Playlist != nullptr;
    case TMyActionOwner::Intake:
        return FParts.Intake != nullptr;
    }
    return false;
}

QFileDialog* TApp_Skivra::OpenFileDialog() {
    if (!FOpenFileDialog) {
        FOpenFileDialog = new QFileDialog(this);
        FOpenFileDialog->setObjectName(QStringLiteral("Dialog_OpenFile"));
        FOpenFileDialog->setOption(QFileDialog::DontUseNativeDialog, true);
        FOpenFileDialog->setFileMode(QFileDialog::ExistingFiles);
        FOpenFileDialog->setAcceptMode(QFileDialog::AcceptOpen);
    }
    return FOpenFileDialog;
}

QStringList TApp_Skivra::OpenFileFilters() const {
    return FOpenFileDialog ? FOpenFileDialog->nameFilters() : QStringList();
}

void TApp_Skivra::RunAction(TMyActionId id, QObject* pSender) {
    TMyPlayerPart* pPlayer = FParts.Player;
    TMyPlaylistPart* pList = FParts.Playlist;
    TMyIntakePart* pIntake = FParts.Intake;
    switch (id) {
    case A::Action_File_OpenFile:
        return pIntake ? pIntake->Action_File_OpenFileExecute(pSender) : void();
    case A::Action_File_OpenFolder:
        return pIntake ? pIntake->Action_File_OpenFolderExecute(pSender) : void();
    case A::Action_File_OpenThisFolder:
        return pIntake ? pIntake->Action_File_OpenThisFolderExecute(pSender) : void();
    case A::Action_File_Exit:
        return Action_File_ExitExecute(pSender);
    case A::Action_Play_Play:
        return pPlayer ? pPlayer->Action_Play_PlayExecute(pSender) : void();
    case A::Action_Play_Pause:
        return pPlayer ? pPlayer->Action_Play_PauseExecute(pSender) : void();
    case A::Action_Play_PlayPause:
        return pPlayer ? pPlayer->Action_Play_PlayPauseExecute(pSender) : void();
    case A::Action_Play_Replay:
        return pPlayer ? pPlayer->Action_Play_ReplayExecute(pSender) : void();
    case A::Action_Play_Stop:
        return pPlayer ? pPlayer->Action_Play_StopExecute(pSender) : void();
    case A::Action_Play_Back:
    case A::Action_Play_Next:
        return pPlayer ? pPlayer->Action_Play_NextExecute(pSender) : void();
    case A::Action_Play_SkipBack:
    case A::Action_Play_SkipNext:
        return pPlayer ? pPlayer->Action_Play_SkipBackExecute(pSender) : void();
    case A::Action_Play_Mute:
        return pPlayer ? pPlayer->Action_Play_MuteExecute(pSender) : void();
    case A::Action_List_DeletePlaying:
        return pList ? pList->Action_List_DeletePlayingExecute(pSender) : void();
    case A::Action_List_Delete:
        return pList ? pList->Action_List_DeleteExecute(pSender) : void();
    case A::Action_List_Clear:
        return pList ? pList->Action_List_ClearExecute(pSender) : void();
    case A::Action_List_FolderName:
        return pList ? pList->Action_List_FolderNameExecute(pSender) : void();
    case A::Action_List_GotoPlaying:
        return pList ? pList->Action_List_GotoPlayingExecute(pSender) : void();
    case A::Action_Sort_FileName:
    case A::Action_Sort_Folder:
    case A::Action_Sort_Name:
    case A::Action_Sort_Ext:
    case A::Action_Sort_FileSize:
    case A::Action_Sort_FileCreateTime:
    case A::Action_Sort_FileUpdateTime:
    case A::Action_Sort_Shuffle:
        return pList ? pList->Action_Sort_FileNameExecute(pSender) : void();
    case A::Action_Sort:
    case A::Action_Opt_Random:
    case A::Action_Opt_ConfirmErr:
        return; // check marks and the sort menu's parent: read by others, nothing to run
    case A::Action_Opt_Info:
        return Action_Opt_InfoExecute(pSender);
    case A::Action_Opt_TaskTray:
        return Action_Opt_TaskTrayExecute(pSender);
    case A::Action_Opt_StatusBar:
        return Action_Opt_StatusBarExecute(pSender);
    case A::Action_Help_Help:
        return Action_Help_HelpExecute(pSender);
    case A::Action_Help_VersionInfo:
        return Action_Help_VersionInfoExecute(pSender);
    }
}

void TApp_Skivra::SetParts(const TMyMainParts& parts) {
    FParts = parts;
    setAcceptDrops(FParts.Intake != nullptr);
    PopupMenu_MainPopup();
}

void TApp_Skivra::BusyBegin() {
    if (!FbBusyCursor) {
        FbBusyCursor = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    setEnabled(false);
    setAcceptDrops(false);
}

void TApp_Skivra::BusyEnd() {
    setEnabled(true);
    setAcceptDrops(FParts.Intake != nullptr);
    if (FParts.Playlist) {
        FParts.Playlist->RefreshPlaylist();
    }
    if (FbBusyCursor) {
        FbBusyCursor = false;
        QApplication::restoreOverrideCursor();
    }
}

void TApp_Skivra::PopupMenu_MainPopup() {
    Action_Help_HelpExecute(nullptr);
    for (const TMyActionInfo& info : kMainActions) {
        Action(info.Id)->setEnabled(OwnerInstalled(info.Owner));
    }
    const bool bLoaded = FParts.Player && FParts.Player->IsGraphLoaded();
    Action(A::Action_Play_Stop)->setEnabled(bLoaded);
    Action(A::Action_Play_Replay)->setEnabled(bLoaded);
    Action(A::Action_List_GotoPlaying)->setEnabled(bLoaded && FParts.Playlist);
    const bool bEntries = FParts.Player && FParts.Playlist && FParts.Playlist->PlaylistCount() > 0;
    Action(A::Action_Play_Back)->setEnabled(bEntries);
    Action(A::Action_Play_Next)->setEnabled(bEntries);
    Action(A::Action_List_Clear)->setEnabled(bEntries);
    Action(A::Action_List_Delete)->setEnabled(FParts.Playlist && FParts.Playlist->HasSelection());
    TrackBar_Seek->setEnabled(Action(A::Action_Play_PlayPause)->isEnabled());
}

void TApp_Skivra::FormCreate() {
    if (FbCreated) {
        return;
    }
    FbCreated = true;
    const TMyBusySection busy;

    if (FParts.Info) {
        FParts.Info->AttachFetcher();
    }
    for (int iRow = 0; iRow < 4; ++iRow) {
        Grid_Info->setItem(iRow, 0, new QTableWidgetItem(QString::fromUtf16(kInfoRowLabels[iRow])));
        Grid_Info->setItem(iRow, 1, new QTableWidgetItem());
    }
    Grid_Info->setColumnWidth(
        0,
        QFontMetrics(Grid_Info->font()).horizontalAdvance(QString::fromUtf16(kInfoRowLabels[3])) +
            4);
    Action(A::Action_Opt_StatusBar)->setVisible(true);
    if (FParts.Player) {
        FParts.Player->CreatePlaylist();
    }
    if (QApplication::windowIcon().isNull()) {
        QApplication::setWindowIcon(ProgramIcon());
    }
    setWindowIcon(QApplication::windowIcon());
    TrayIcon1->setIcon(windowIcon());
    TrayIcon1->setToolTip(windowTitle());
    TrackBar_Seek->setTickInterval(TrackBar_Seek->tickInterval() * 10);
    if (FParts.Player) {
        FParts.Player->StopMedia(true);
    }
    if (FParts.Intake) {
        FParts.Intake->FillDisallowExts();
    }
    FTaskBarMenu = new TMyTaskBarMenu(PopupMenu_Main, FSystemMenu, {}, true, this);
    connect(FTaskBarMenu, &TMyTaskBarMenu::Chosen, this, &TApp_Skivra::ApplicationEvents1Message);
    const bool bSettingsRead = FParts.Settings && FParts.Settings->LoadSettings();
    Action_Opt_InfoExecute(nullptr);
    Action_Opt_StatusBarExecute(nullptr);
    if (FParts.Player) {
        FParts.Player->Action_Play_MuteExecute(nullptr);
    }
    BringWindowToFront(this);
    repaint();
    if (FParts.Settings) {
        FParts.Settings->RestorePlaylist(bSettingsRead);
    }
    if (FParts.Player) {
        FParts.Player->FinishStartUp();
    }
}

void TApp_Skivra::FormDestroy() {
    if (!FbCreated || FbDestroyed) {
        return;
    }
    FbDestroyed = true;
    if (FParts.Player) {
        FParts.Player->Action_Play_PauseExecute(nullptr);
        FParts.Player->ReleaseVideoWallpaper();
    }
    if (FParts.Settings) {
        FParts.Settings->SaveSettings();
    }
    if (FParts.Intake) {
        FParts.Intake->FreeDisallowExts();
    }
    if (FParts.Player) {
        FParts.Player->StopMedia(true);
    }
    delete FTaskBarMenu;
    FTaskBarMenu = nullptr;
    if (FParts.Player) {
        FParts.Player->FreePlaylist();
    }
    TrayIcon1->hide();
}

void TApp_Skivra::closeEvent(QCloseEvent* pEvent) {
    FormDestroy();
    pEvent->accept();
    emit Closed();
}

void TApp_Skivra::Action_File_ExitExecute(QObject*) {
    close();
}

void TApp_Skivra::Action_Opt_StatusBarExecute(QObject*) {
    // Hints go either to the status bar or to tooltips, never both (see eventFilter).
    StatusBar_Hint->setVisible(Action(A::Action_Opt_StatusBar)->isChecked());
}

bool TApp_Skivra::ShowHint() const {
    return !Action(A::Action_Opt_StatusBar)->isChecked();
}

void TApp_Skivra::Action_Opt_InfoExecute(QObject*) {
    Panel_Info->setVisible(Action(A::Action_Opt_Info)->isChecked());
}

void TApp_Skivra::Action_Opt_TaskTrayExecute(QObject*) {
    const bool bTray = Action(A::Action_Opt_TaskTray)->isChecked();
    SetSkipTaskbar(bTray);
    if (!bTray && FbCreated && isHidden()) {
        // Out of the notification area with no icon left: the window must come back.
        showNormal();
    }
    TrayIcon1->setVisible(bTray);
}

void TApp_Skivra::SetSkipTaskbar(bool bSkip) {
    auto* pX11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!pX11) {
        return;
    }
    const auto window = static_cast<TMyWindowId>(winId());
    if (bSkip) {
        AddExStyle(pX11->display(), window, WS_EX_TOOLWINDOW);
    } else {
        RemoveExStyle(pX11->display(), window, WS_EX_TOOLWINDOW);
    }
}

bool TApp_Skivra::TrayAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TApp_Skivra::ApplicationEvents1Minimize() {
    // Without a notification area there would be no way back to a hidden window, so it
    // stays minimised instead.
    if (Action(A::Action_Opt_TaskTray)->isChecked() && TrayAvailable()) {
        hide();
    }
}

void TApp_Skivra::changeEvent(QEvent* pEvent) {
    QMainWindow::changeEvent(pEvent);
    if (pEvent->type() == QEvent::WindowStateChange && isMinimized()) {
        // Hiding inside the state change confuses some window managers; do it right after.
        QTimer::singleShot(0, this, [this] {
            if (isMinimized()) {
                ApplicationEvents1Minimize();
            }
        });
    }
}

void TApp_Skivra::TrayIcon1MouseUp(Qt::MouseButton button) {
    if (!isMinimized() && !isHidden()) {
        BringWindowToFront(this);
    } else if (button == Qt::LeftButton) {
        showNormal();
        BringWindowToFront(this);
    }
}

void TApp_Skivra::ApplicationEvents1Message(int iCommand) {
    if (FTaskBarMenu && FTaskBarMenu->Execute(iCommand)) {
        return;
    }
    switch (iCommand) {
    case SC_RESTORE:
        showNormal();
        BringWindowToFront(this);
        break;
    case SC_MINIMIZE:
        showMinimized();
        break;
    case SC_CLOSE:
        close();
        break;
    default:
        break;
    }
}

void TApp_Skivra::Action_Help_HelpExecute(QObject* pSender) {
    const bool bVisible = QFileInfo(FsHelpFile).isFile();
    Action(A::Action_Help_Help)->setVisible(bVisible);
    if (pSender && bVisible) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(FsHelpFile));
    }
}

QString TApp_Skivra::ProductWebPage() const {
    return QUrl::fromLocalFile(FsHelpFile).toString();
}

void TApp_Skivra::Action_Help_VersionInfoExecute(QObject*) {
    EnsureVersionInfoDialog(this);
    SetVersionInfoUrl(ProductWebPage());
    ShowVersionInfoDialog();
    ReleaseVersionInfoDialog();
}

bool TApp_Skivra::eventFilter(QObject* pObject, QEvent* pEvent) {
    // With the status bar shown the hints go there, so the window's tooltips stay quiet.
    if (pEvent->type() == QEvent::ToolTip && !ShowHint()) {
        auto* pWidget = qobject_cast<QWidget*>(pObject);
        if (pWidget && pWidget->window() == this) {
            return true;
        }
    }
    return QMainWindow::eventFilter(pObject, pEvent);
}

void TApp_Skivra::dragEnterEvent(QDragEnterEvent* pEvent) {
    if (FParts.Intake && pEvent->mimeData()->hasUrls()) {
        pEvent->acceptProposedAction();
    }
}

void TApp_Skivra::dropEvent(QDropEvent* pEvent) {
    if (FilesDropped(pEvent->mimeData(), pEvent->position().toPoint())) {
        pEvent->acceptProposedAction();
    }
}

bool TApp_Skivra::FilesDropped(const QMimeData* pData, QPoint ptDrop) {
    if (!FParts.Intake || !pData) {
        return false;
    }
    QStringList names;
    for (const QUrl& url : pData->urls()) {
        if (url.isLocalFile()) {
            names.append(url.toLocalFile());
        }
    }
    if (!names.isEmpty()) {
        FParts.Intake->FilesDropped(names, ptDrop);
    }
    return true;
}

} // namespace skivra
