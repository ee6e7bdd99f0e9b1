#include "app/mainView.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QStatusBar>
#include <QTimer>

#include "app/main.h"
#include "app/mainImages.h"
#include "app/myBusySection.h"
#include "app/myPlaylistModel.h"
#include "support/myMessageBox.h"
#include "support/myProgram.h"
#include "support/myTrackBar.h"

namespace skivra {

namespace {

using A = TMyActionId;

// The image of the mute action while the sound is on; muted shows the one after it.
constexpr int kPlayMuteIndex = 24;

QString Text(const std::u16string& s) {
    return QString::fromStdU16String(s);
}

// The program's message boxes write "\r" where a line breaks.
QString BoxText(const std::u16string& s) {
    QString sText = Text(s);
    sText.replace(u'\r', u'\n');
    return sText;
}

int Ask(const std::u16string& sText, int iFlags) {
    return ShowTopMessageBox(BoxText(sText), Text(GetProgramProductName()), iFlags);
}

} // namespace

TMyMainView::TMyMainView(TApp_Skivra& window, TMyPlaylistModel& model)
    : FWindow(window), FModel(model) {}

void TMyMainView::SetCaption(const std::u16string& sCaption) {
    FWindow.setWindowTitle(Text(sCaption));
    FWindow.TrayIcon1->setToolTip(Text(sCaption));
}

void TMyMainView::SetTimeLabel(const std::u16string& sText) {
    FWindow.Label_Time->setText(Text(sText));
}

void TMyMainView::SetInfoLabel(const std::u16string& sText) {
    FWindow.Label_Info->setText(Text(sText));
}

std::u16string TMyMainView::InfoLabel() const {
    return FWindow.Label_Info->text().toStdU16String();
}

void TMyMainView::SetStatusText(const std::u16string& sText) {
    FWindow.StatusBar_Hint->showMessage(Text(sText));
}

void TMyMainView::ShowMessage(const std::u16string& sText) {
    Ask(sText, MB_OK);
}

bool TMyMainView::ConfirmYesCancel(const std::u16string& sText) {
    return Ask(sText, MB_YESCANCEL) == IDYES;
}

bool TMyMainView::ConfirmYesNo(const std::u16string& sText, bool bYesDefault) {
    return Ask(sText, MB_YESNO | (bYesDefault ? 0 : MB_DEFBUTTON2)) == IDYES;
}

void TMyMainView::SetSeekMax(std::int32_t iMax) {
    FWindow.TrackBar_Seek->setMaximum(iMax);
}

void TMyMainView::SetSeekPosition(std::int32_t iPosition) {
    FWindow.TrackBar_Seek->setValue(iPosition);
}

std::int32_t TMyMainView::SeekPosition() const {
    return FWindow.TrackBar_Seek->value();
}

bool TMyMainView::SeekThumbHeld() const {
    return FWindow.TrackBar_Seek->ThumbHold();
}

std::int32_t TMyMainView::VolumePosition() const {
    return FWindow.TrackBar_Volume->value();
}

void TMyMainView::EnableTimer(bool bEnabled) {
    if (bEnabled) {
        FWindow.Timer_Time->start();
    } else {
        FWindow.Timer_Time->stop();
    }
}

bool TMyMainView::TimerEnabled() const {
    return FWindow.Timer_Time->isActive();
}

bool TMyMainView::RandomChecked() const {
    return FWindow.Action(A::Action_Opt_Random)->isChecked();
}

bool TMyMainView::ConfirmErrChecked() const {
    return FWindow.Action(A::Action_Opt_ConfirmErr)->isChecked();
}

bool TMyMainView::MuteChecked() const {
    return FWindow.Action(A::Action_Play_Mute)->isChecked();
}

void TMyMainView::SetMuteImage(bool bMuted) {
    FWindow.Action(A::Action_Play_Mute)->setIcon(MainImage(kPlayMuteIndex + (bMuted ? 1 : 0)));
}

TMySkipKeys TMyMainView::SkipKeys() const {
    // Asked of the window system at this moment, not taken from the last input event: the
    // click on the seek bar may have come long after the keys were pressed.
    const Qt::KeyboardModifiers keys = QGuiApplication::queryKeyboardModifiers();
    return {keys.testFlag(Qt::ShiftModifier), keys.testFlag(Qt::ControlModifier)};
}

std::int32_t TMyMainView::FocusedIndex() const {
    const QModelIndex index = FWindow.ListBox_Playlist->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void TMyMainView::SetFocusedIndex(std::int32_t iIndex) {
    QItemSelectionModel* pSelection = FWindow.ListBox_Playlist->selectionModel();
    pSelection->setCurrentIndex(FModel.index(iIndex), QItemSelectionModel::NoUpdate);
}

std::int32_t TMyMainView::FocusedSelection() const {
    const std::int32_t iFocused = FocusedIndex();
    if (iFocused >= 0 && IsSelected(iFocused)) {
        return iFocused;
    }
    const QModelIndexList rows = FWindow.ListBox_Playlist->selectionModel()->selectedRows();
    std::int32_t iFirst = -1;
    for (const QModelIndex& index : rows) {
        if (iFirst < 0 || index.row() < iFirst) {
            iFirst = index.row();
        }
    }
    return iFirst;
}

bool TMyMainView::IsSelected(std::int32_t iIndex) const {
    return FWindow.ListBox_Playlist->selectionModel()->isRowSelected(iIndex, QModelIndex());
}

void TMyMainView::OpenFile(bool bShowDialog) {
    if (TMyIntakePart* pIntake = FWindow.Parts().Intake) {
        pIntake->Action_File_OpenFileExecute(bShowDialog ? FWindow.OpenFileDialog() : nullptr);
    }
}

void TMyMainView::RefreshActions() {
    FWindow.PopupMenu_MainPopup();
}

void TMyMainView::RepaintList() {
    if (FfnItemIndex) {
        FModel.SetItemIndex(FfnItemIndex());
    }
    FModel.Repaint();
}

void TMyMainView::RefreshPlaylist() {
    // The outermost end of a busy section comes back here; until then the view keeps the
    // count it has, so gathering thousands of files does not reset it thousands of times.
    if (skivra::IsInFunc()) {
        return;
    }
    QListView* pList = FWindow.ListBox_Playlist;
    const int iTop = pList->indexAt(QPoint(0, 0)).row();
    const int iFocused = FocusedIndex();
    FModel.SetCount();
    if (FfnItemIndex) {
        FModel.SetItemIndex(FfnItemIndex());
    }
    const int iCount = FModel.rowCount();
    if (iCount > 0) {
        if (iFocused >= 0) {
            SetFocusedIndex(std::min(iFocused, iCount - 1));
        }
        pList->scrollTo(FModel.index(std::clamp(iTop, 0, iCount - 1)),
                        QAbstractItemView::PositionAtTop);
    } else {
        ClearInfo();
    }
}

void TMyMainView::RefreshInfo() {
    if (TMyInfoPart* pInfo = FWindow.Parts().Info) {
        pInfo->RefreshInfo();
    }
}

bool TMyMainView::InfoTitleEmpty() const {
    const TMyInfoPart* pInfo = FWindow.Parts().Info;
    return pInfo && pInfo->InfoTitleEmpty();
}

void TMyMainView::ClearInfo() {
    if (TMyInfoPart* pInfo = FWindow.Parts().Info) {
        pInfo->ClearInfo();
    }
}

void TMyMainView::ProcessMessages() {
    QCoreApplication::processEvents();
}

void TMyMainView::BeginFunc() {
    skivra::BeginFunc();
}

void TMyMainView::EndFunc() {
    skivra::EndFunc();
}

bool TMyMainView::IsInFunc() const {
    return skivra::IsInFunc();
}

} // namespace skivra
