#include "app/mainPlayer.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "app/main.h"
#include "app/mainView.h"
#include "app/myPlaylistCommands.h"
#include "app/myPlaylistModel.h"
#include "lists/myGeometry.h"
#include "lists/myWStrings.h"

namespace skivra {

namespace {

using A = TMyActionId;

// The sort actions whose captions carry the direction mark, with their keys.
constexpr std::array<std::pair<A, std::int32_t>, 7> kSortKeys{{
    {A::Action_Sort_FileName, skFileName},
    {A::Action_Sort_Folder, skFolder},
    {A::Action_Sort_Name, skName},
    {A::Action_Sort_Ext, skExt},
    {A::Action_Sort_FileSize, skFileSize},
    {A::Action_Sort_FileCreateTime, skCreateTime},
    {A::Action_Sort_FileUpdateTime, skUpdateTime},
}};

TMyPoint ToMyPoint(QPoint pt) {
    return {pt.x(), pt.y()};
}

} // namespace

TMyMainPlayer::TMyMainPlayer(TApp_Skivra& window, TMyPlayerEngine& engine,
                             TMyPlayerDesktop& desktop)
    : FWindow(window), FDesktop(desktop), FPlaylist(std::make_unique<TMyWStrings>()) {
    // The entries' media records belong to the list.
    FPlaylist->SetObjectsFree(true);
    FModel = std::make_unique<TMyPlaylistModel>(*FPlaylist);
    FView = std::make_unique<TMyMainView>(window, *FModel);
    FController = std::make_unique<TMyPlayerController>(*FPlaylist, engine, desktop, *FView);
    FCommands = std::make_unique<TMyPlaylistCommands>(*FController, *FView);
    FView->SetCurrentIndexSource([this] { return FController->ItemIndex(); });
}

TMyMainPlayer::~TMyMainPlayer() {
    // The view must not ask a model that is going away.
    if (FWindow.ListBox_Playlist->model() == FModel.get()) {
        FWindow.ListBox_Playlist->setModel(nullptr);
    }
}

TMyPlaySender TMyMainPlayer::SenderOf(QObject* pSender) const {
    if (!pSender) {
        return TMyPlaySender::None;
    }
    const std::array<std::pair<A, TMyPlaySender>, 4> kNamed{{
        {A::Action_Play_Back, TMyPlaySender::Back},
        {A::Action_Play_Next, TMyPlaySender::Next},
        {A::Action_Play_SkipBack, TMyPlaySender::SkipBack},
        {A::Action_Play_SkipNext, TMyPlaySender::SkipNext},
    }};
    for (const auto& [id, sender] : kNamed) {
        if (pSender == FWindow.Action(id)) {
            return sender;
        }
    }
    return TMyPlaySender::Action;
}

std::int32_t TMyMainPlayer::SortKeyOf(QObject* pSender) const {
    if (!pSender) {
        return skNone;
    }
    if (pSender == FWindow.Action(A::Action_Sort_Shuffle)) {
        return skShuffle;
    }
    for (const auto& [id, iKey] : kSortKeys) {
        if (pSender == FWindow.Action(id)) {
            return iKey;
        }
    }
    return skNone;
}

// --- the player part

bool TMyMainPlayer::IsGraphLoaded() const {
    return FController->IsGraphLoaded();
}

void TMyMainPlayer::Action_Play_PlayExecute(QObject* pSender) {
    FController->Action_Play_PlayExecute(SenderOf(pSender));
}

void TMyMainPlayer::Action_Play_PauseExecute(QObject* pSender) {
    FController->Action_Play_PauseExecute(SenderOf(pSender));
}

void TMyMainPlayer::Action_Play_PlayPauseExecute(QObject* pSender) {
    FController->Action_Play_PlayPauseExecute(SenderOf(pSender));
}

void TMyMainPlayer::Action_Play_ReplayExecute(QObject* pSender) {
    FController->Action_Play_ReplayExecute(SenderOf(pSender));
}

void TMyMainPlayer::Action_Play_StopExecute(QObject* pSender) {
    FController->Action_Play_StopExecute(SenderOf(pSender));
}

void TMyMainPlayer::Action_Play_NextExecute(QObject* pSender) {
    FController->Action_Play_NextExecute(SenderOf(pSender));
}

void TMyMainPlayer::Action_Play_SkipBackExecute(QObject* pSender) {
    FController->Action_Play_SkipBackExecute(SenderOf(pSender));
}

void TMyMainPlayer::Action_Play_MuteExecute(QObject* pSender) {
    FController->Action_Play_MuteExecute(SenderOf(pSender));
}

void TMyMainPlayer::CreatePlaylist() {
    QListView* pList = FWindow.ListBox_Playlist;
    FModel->SetFont(pList->font());
    pList->setModel(FModel.get());
    pList->installEventFilter(this);
    pList->viewport()->installEventFilter(this);
    connect(pList, &QListView::doubleClicked, this, [this] { ListBox_PlaylistDblClick(); });
    connect(pList, &QListView::clicked, this, [this] { ListBox_PlaylistClick(); });
    // The keyboard moves the focus as well; the panel follows it the same way.
    connect(pList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { ListBox_PlaylistClick(); });
    connect(FWindow.Timer_Time, &QTimer::timeout, this, [this] { FController->Timer_TimeTimer(); });
    FModel->SetFolderName(FWindow.Action(A::Action_List_FolderName)->isChecked());
}

void TMyMainPlayer::StopMedia(bool bResetIndex) {
    FController->StopMedia(bResetIndex);
}

void TMyMainPlayer::ReleaseVideoWallpaper() {
    FDesktop.HideDesktopWindow();
    FDesktop.ReleaseVideoWallpaper();
}

void TMyMainPlayer::FinishStartUp() {
    FController->SetResumeIndex(-1);
}

void TMyMainPlayer::FreePlaylist() {
    FPlaylist->Clear();
    FModel->SetCount();
}

// --- the playlist part

int TMyMainPlayer::PlaylistCount() const {
    return FPlaylist->Count();
}

bool TMyMainPlayer::HasSelection() const {
    const QItemSelectionModel* pSelection = FWindow.ListBox_Playlist->selectionModel();
    return pSelection && pSelection->hasSelection();
}

void TMyMainPlayer::RefreshPlaylist() {
    FView->RefreshPlaylist();
}

void TMyMainPlayer::Action_List_GotoPlayingExecute(QObject*) {
    const int iCount = FPlaylist->Count();
    if (iCount > 0) {
        const int iIndex = std::clamp(FController->ItemIndex(), 0, iCount - 1);
        FWindow.ListBox_Playlist->scrollTo(FModel->index(iIndex), QAbstractItemView::PositionAtTop);
    }
}

void TMyMainPlayer::Action_List_FolderNameExecute(QObject*) {
    FModel->SetFolderName(FWindow.Action(A::Action_List_FolderName)->isChecked());
}

void TMyMainPlayer::Action_List_DeleteExecute(QObject*) {
    // The refresh after a deletion resets the view, selection included; a "No" keeps it.
    FCommands->Action_List_DeleteExecute();
    FWindow.PopupMenu_MainPopup();
}

void TMyMainPlayer::Action_List_DeletePlayingExecute(QObject* pSender) {
    FController->Action_List_DeletePlayingExecute(SenderOf(pSender));
}

void TMyMainPlayer::Action_List_ClearExecute(QObject* pSender) {
    FCommands->Action_List_ClearExecute(pSender != nullptr);
    FWindow.PopupMenu_MainPopup();
}

void TMyMainPlayer::Action_Sort_FileNameExecute(QObject* pSender) {
    FCommands->Action_Sort_FileNameExecute(SortKeyOf(pSender), pSender != nullptr);
    for (const auto& [id, iKey] : kSortKeys) {
        QAction* pAction = FWindow.Action(id);
        pAction->setText(QString::fromStdU16String(
            FCommands->Sort().SortCaption(pAction->text().toStdU16String(), iKey)));
    }
}

// --- the list view's events

void TMyMainPlayer::ListBox_PlaylistDblClick() {
    const QModelIndex index = FWindow.ListBox_Playlist->currentIndex();
    if (index.isValid() && index.row() < FPlaylist->Count()) {
        FController->SetItemIndex(index.row());
        FController->PlayMedia(FPlaylist->Get(index.row()));
    }
}

void TMyMainPlayer::ListBox_PlaylistClick() {
    FView->RefreshInfo();
    FWindow.PopupMenu_MainPopup();
}

void TMyMainPlayer::ListBox_PlaylistMouseDown(Qt::MouseButton button, QPoint ptScreen) {
    if (button == Qt::RightButton) {
        FptMouseGesture = ptScreen;
    }
}

void TMyMainPlayer::ListBox_PlaylistMouseUp(Qt::MouseButton button, QPoint ptScreen) {
    if (button != Qt::RightButton || FptMouseGesture == kNoGesture) {
        return;
    }
    const QWidget* pList = FWindow.ListBox_Playlist;
    const QRect rcList(pList->mapToGlobal(QPoint(0, 0)), pList->size());
    if (!rcList.contains(ptScreen)) {
        return;
    }
    const std::u16string sDirection =
        DirectionName(ToMyPoint(FptMouseGesture), ToMyPoint(ptScreen));
    FptMouseGesture = kNoGesture;
    const std::array<std::pair<std::u16string_view, A>, 4> kGestures{{
        {u"上", A::Action_Play_PlayPause},
        {u"下", A::Action_Play_Replay},
        {u"左", A::Action_Play_Back},
        {u"右", A::Action_Play_Next},
    }};
    for (const auto& [sName, id] : kGestures) {
        if (sDirection == sName) {
            QAction* pAction = FWindow.Action(id);
            if (pAction->isEnabled()) {
                pAction->trigger();
            }
            return;
        }
    }
    FWindow.PopupMenu_MainPopup();
    FWindow.PopupMenu_Main->popup(ptScreen);
}

bool TMyMainPlayer::ListBox_PlaylistKeyDown(const QKeyEvent& key) {
    if (key.matches(QKeySequence::Copy)) {
        ListBox_PlaylistCopyNames();
        return true;
    }
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ListBox_PlaylistDblClick();
        return true;
    case Qt::Key_Delete:
        FWindow.PopupMenu_MainPopup();
        if (FWindow.Action(A::Action_List_Delete)->isEnabled()) {
            FWindow.Action(A::Action_List_Delete)->trigger();
        }
        return true;
    default:
        return false;
    }
}

void TMyMainPlayer::ListBox_PlaylistCopyNames() {
    const QModelIndexList rows = FWindow.ListBox_Playlist->selectionModel()->selectedRows();
    std::vector<int> aRows;
    for (const QModelIndex& index : rows) {
        aRows.push_back(index.row());
    }
    std::sort(aRows.begin(), aRows.end());
    QStringList names;
    for (const int iRow : aRows) {
        if (iRow < FPlaylist->Count()) {
            names << QString::fromStdU16String(FPlaylist->Get(iRow));
        }
    }
    if (!names.isEmpty()) {
        QGuiApplication::clipboard()->setText(names.join(u'\n'));
    }
}

bool TMyMainPlayer::eventFilter(QObject* pObject, QEvent* pEvent) {
    if (pObject == FWindow.ListBox_Playlist && pEvent->type() == QEvent::KeyPress) {
        return ListBox_PlaylistKeyDown(*static_cast<QKeyEvent*>(pEvent));
    }
    if (pObject == FWindow.ListBox_Playlist->viewport()) {
        if (pEvent->type() == QEvent::MouseButtonPress) {
            const auto* pMouse = static_cast<QMouseEvent*>(pEvent);
            ListBox_PlaylistMouseDown(pMouse->button(), pMouse->globalPosition().toPoint());
        } else if (pEvent->type() == QEvent::MouseButtonRelease) {
            const auto* pMouse = static_cast<QMouseEvent*>(pEvent);
            ListBox_PlaylistMouseUp(pMouse->button(), pMouse->globalPosition().toPoint());
        } else if (pEvent->type() == QEvent::ContextMenu) {
            // The menu opens on the release of a gesture that went nowhere, not on the press.
            return true;
        }
    }
    return QObject::eventFilter(pObject, pEvent);
}

} // namespace skivra
