#include "app/mainSettings.h"

#include "app/main.h"
#include "app/mainHistory.h"
#include "app/mainIntake.h"
#include "app/myPlayerController.h"
#include "lists/myWStrings.h"
#include "platform/posix/myAtomicFile.h"
#include "settings/myIniFile.h"
#include "support/myFolderDialog.h"
#include "support/myKeyState.h"
#include "support/myProgram.h"
#include "support/myTrackBar.h"
#include "support/myUnicode.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QStatusBar>

#include <cstdio>

namespace skivra {

namespace {

using A = TMyActionId;

struct THistoryMenu {
    std::u16string_view sSection;
    QMenu* TApp_Skivra::*pMenu;
};
constexpr THistoryMenu kHistories[] = {
    {kHistoryOpenFile, &TApp_Skivra::PopupMenu_OpenFile},
    {kHistoryOpenFolder, &TApp_Skivra::PopupMenu_OpenFolder},
    {kHistoryOpenThisFolder, &TApp_Skivra::PopupMenu_OpenThisFolder},
};

QString Q(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

// The window's bounds: its normal (not maximised) client area on the screen, right and
// bottom exclusive. The frame is left out because the window manager draws it after the
// window is shown, so a frame size could not be applied before that.
TMyRect WindowBounds(const TApp_Skivra& window) {
    const QRect rc =
        window.isMaximized() || window.isMinimized() ? window.normalGeometry() : window.geometry();
    return {rc.left(), rc.top(), rc.left() + rc.width(), rc.top() + rc.height()};
}

bool SkipAll() {
    return AreKeysDown({VK_SHIFT, VK_CONTROL});
}

} // namespace

TMyMainSettings::TMyMainSettings(TApp_Skivra& window, TMyPlayerController& controller,
                                 TMyPlaylistPart& playlistPart, TMyMainIntake& intake)
    : FWindow(window), FController(controller), FPlaylistPart(playlistPart), FIntake(intake) {}

TMySettingsValues TMyMainSettings::CurrentValues() const {
    TMySettingsValues v;
    v.bFolderName = FWindow.Action(A::Action_List_FolderName)->isChecked();
    v.bMute = FWindow.Action(A::Action_Play_Mute)->isChecked();
    v.iVolume = FWindow.TrackBar_Volume->value();
    v.sFileName = FController.FileName().empty() ? FsFileName : FController.FileName();
    v.iResumeIndex = FController.ItemIndex();
    v.fResumePosition = FController.Graph() ? FController.Graph()->GetCurrentPosition() : 0.0;
    v.bRandom = FWindow.Action(A::Action_Opt_Random)->isChecked();
    v.bTaskTray = FWindow.Action(A::Action_Opt_TaskTray)->isChecked();
    v.bInfoPanel = FWindow.Action(A::Action_Opt_Info)->isChecked();
    v.bShowStatusBar = FWindow.Action(A::Action_Opt_StatusBar)->isChecked();
    v.sOpenFileDir = FIntake.OpenFileDir().toStdU16String();
    v.sOpenFolderDir = FWindow.Dialog_OpenFolder->InitialDir().toStdU16String();
    return v;
}

void TMyMainSettings::ApplyValues(const TMySettingsValues& v) {
    // Check marks only: the window creation runs the handlers that need running.
    FWindow.Action(A::Action_List_FolderName)->setChecked(v.bFolderName);
    FWindow.Action(A::Action_Play_Mute)->setChecked(v.bMute);
    FWindow.TrackBar_Volume->setValue(v.iVolume);
    FsFileName = v.sFileName;
    FController.SetResumeIndex(v.iResumeIndex);
    FController.SetResumePos(v.fResumePosition);
    FWindow.Action(A::Action_Opt_Random)->setChecked(v.bRandom);
    FWindow.Action(A::Action_Opt_TaskTray)->setChecked(v.bTaskTray);
    FWindow.Action(A::Action_Opt_Info)->setChecked(v.bInfoPanel);
    FWindow.Action(A::Action_Opt_StatusBar)->setChecked(v.bShowStatusBar);
    FIntake.SetOpenFileDir(Q(v.sOpenFileDir));
    FWindow.Dialog_OpenFolder->SetInitialDir(Q(v.sOpenFolderDir));
}

bool TMyMainSettings::LoadSettings() {
    const std::u16string sIni = GetDataFileName(u".ini");
    // Saves killed before their rename (a crash, a kill at logout) leave their temporary
    // files in the data folder; nothing else ever removes them.
    RemoveStaleSaveFiles(sIni);
    if (SkipAll()) {
        return false;
    }
    TMyIniFile ini(sIni);
    if (ini.Unreadable()) {
        ReportLoadFailure(kSettingsNotRead, sIni);
    }
    if (!IsKeyDown(VK_SHIFT)) {
        const TMyRect rcCurrent = WindowBounds(FWindow);
        const std::u16string sName = FWindow.objectName().toStdU16String();
        const TMyRect rcSaved = ini.ReadRect(TMyIniFile::kBoundsSection, sName, rcCurrent);
        if (SaneWindowBounds(rcSaved, rcCurrent) == rcSaved) {
            const TMyRect rc =
                ini.ReadMonitorBoundsRect(TMyIniFile::kBoundsSection, sName, rcCurrent);
            FWindow.setGeometry(rc.Left, rc.Top, static_cast<int>(RectWidth64(rc)),
                                static_cast<int>(RectHeight64(rc)));
        }
    }
    TMySettingsValues values = CurrentValues();
    values.sFileName.clear();
    values.iResumeIndex = -1;
    values.fResumePosition = 0.0;
    ReadSettingsValues(ini, values);
    ApplyValues(values);
    // The list draws folder names by the check mark; its view is told from code.
    FPlaylistPart.Action_List_FolderNameExecute(nullptr);
    for (const THistoryMenu& history : kHistories) {
        QMenu* pMenu = FWindow.*history.pMenu;
        pMenu->clear();
        std::vector<std::u16string> paths = ReadHistorySection(ini, history.sSection);
        QStringList list;
        for (const std::u16string& s : paths) {
            list << Q(s);
        }
        AddHistoryList(list, pMenu);
    }
    return true;
}

void TMyMainSettings::RestorePlaylist(bool bSettingsRead) {
    if (!bSettingsRead) {
        return;
    }
    const std::u16string sFile = GetDataFileName(u".playlist");
    TMyWStrings lines;
    if (!LoadSavedPlaylist(sFile, lines)) {
        // A playlist that is there and could not be read (too large, no permission, a link
        // to a drive that is not mounted) is the user's all the same: the exit leaves it as
        // it is instead of writing this session's list over it.
        FbPlaylistUnread = SomethingAtPath(sFile);
        if (FbPlaylistUnread) {
            ReportLoadFailure(kPlaylistNotRead, sFile);
        }
        return;
    }
    if (lines.Count() == 0) {
        return;
    }
    TMyWStrings& playlist = FController.Playlist();
    {
        const TMyUpdateBracket update(playlist);
        playlist.Clear();
        playlist.AddStrings(lines);
    }
    const std::int32_t iIndex = ChooseResumeIndex(playlist, FController.ResumeIndex(), FsFileName);
    FPlaylistPart.RefreshPlaylist();
    FController.SetItemIndex(iIndex);
    FController.PlayMedia(playlist.Get(iIndex));
}

void TMyMainSettings::SaveSettings() {
    FbLastSaveOk = true;
    if (SkipAll()) {
        return;
    }
    const std::u16string sIni = GetDataFileName(u".ini");
    {
        TMyIniFile ini(sIni);
        if (IsKeyDown(VK_SHIFT)) {
            ini.EraseSection(TMyIniFile::kBoundsSection);
        } else {
            ini.WriteBoundsRect(TMyIniFile::kBoundsSection, FWindow.objectName().toStdU16String(),
                                WindowBounds(FWindow));
        }
        WriteSettingsValues(ini, CurrentValues());
        for (const THistoryMenu& history : kHistories) {
            std::vector<std::u16string> paths;
            for (const QString& s : HistoryPaths(FWindow.*history.pMenu)) {
                paths.push_back(s.toStdU16String());
            }
            WriteHistorySection(ini, history.sSection, paths);
        }
        // Every key was written, so the file has changed: false is a failed save.
        if (!ini.UpdateFile()) {
            ReportSaveFailure(kSettingsNotSaved, sIni);
        }
    }
    const std::u16string sPlaylist = GetDataFileName(u".playlist");
    if (FbPlaylistUnread) {
        ReportSaveFailure(kPlaylistNotSaved, sPlaylist);
        return;
    }
    const TMyWStrings& playlist = FController.Playlist();
    if (playlist.Count() == 0 && !QFileInfo::exists(Q(sPlaylist))) {
        return;
    }
    if (!SaveSavedPlaylist(sPlaylist, playlist)) {
        ReportSaveFailure(kPlaylistNotSaved, sPlaylist);
    }
}

void TMyMainSettings::ReportSaveFailure(const std::u16string& sText, const std::u16string& sFile) {
    FbLastSaveOk = false;
    ReportLoadFailure(sText, sFile);
}

void TMyMainSettings::ReportLoadFailure(const std::u16string& sText, const std::u16string& sFile) {
    std::fprintf(stderr, "skivra: %s: %s\n", Utf16ToUtf8(sText).c_str(),
                 Utf16ToUtf8(sFile).c_str());
    FWindow.StatusBar_Hint->showMessage(Q(sText));
    FWindow.StatusBar_Hint->repaint();
}

} // namespace skivra
