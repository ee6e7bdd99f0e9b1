#pragma once

#include "app/mainParts.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <string>

class QAction;
class QMenu;

namespace skivra {

class TApp_Skivra;
class TMyOpenFolderDialog;
class TMyPlayerController;
class TMyPlaylistCommands;
class TMyWStrings;

// Taking files in: the three open commands with their dialogs and histories, dropped files
// and folders, and the gathering that expands them all (folders with their sub-folders,
// playlist files) into new playlist entries, the first of which (or a random one) plays.
//
// Gathering runs inside a busy section and lets window messages run, so the window shows
// its progress through the acquisition timer. Closing the window meanwhile cancels the
// gathering: the close waits until the scan has stopped, then happens, and nothing found
// is added. UI thread only.
class TMyMainIntake final : public QObject, public TMyIntakePart {
    Q_OBJECT
public:
    // Everything is borrowed and must outlive the intake; playlistPart resynchronises the
    // list view.
    TMyMainIntake(TApp_Skivra& window, TMyPlayerController& controller,
                  TMyPlaylistCommands& commands, TMyPlaylistPart& playlistPart);
    ~TMyMainIntake() override;

    void Action_File_OpenFileExecute(QObject* pSender) override;
    void Action_File_OpenFolderExecute(QObject* pSender) override;
    void Action_File_OpenThisFolderExecute(QObject* pSender) override;
    void FilesDropped(const QStringList& names, QPoint ptDrop) override;
    void FillDisallowExts() override;
    void FreeDisallowExts() override;

    // A history entry chosen: its command runs again for its path, without a dialog.
    void MenuItem_OpenHistoryClick(QAction* pItem);
    // Adds the names and plays the first new entry; false when nothing was found (the user
    // was told) or the gathering was cancelled.
    bool AcquireFiles(const QStringList& names);
    // The media list's progress report and the timer that shows it.
    void ShowAcquireProgress(std::int32_t iCount, std::u16string_view sName);
    void Timer_GetFileTimer();

    // The open-file dialog's file list: the names the command opens when run from code.
    const QStringList& OpenFiles() const { return FslOpenFiles; }
    void SetOpenFiles(const QStringList& names) { FslOpenFiles = names; }
    // The folder the open-file dialog starts in (kept in the settings).
    const QString& OpenFileDir() const { return FsOpenFileDir; }
    void SetOpenFileDir(const QString& sDir) { FsOpenFileDir = sDir; }
    const TMyWStrings* DisallowExts() const { return FDisallowExts.get(); }
    bool Acquiring() const { return FbAcquiring; }

    // The user's videos folder, else the music folder, else the documents folder.
    static QString DefaultMediaFolder();

    static constexpr char16_t kNoFilesFound[] = u"取得ファイルがありませんでした";

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    // The dialog's initial folder before it opens: the default media folder with Shift
    // held, else the nearest existing folder of the remembered one.
    static QString StartFolder(const QString& sRemembered, bool bShift);
    // The folder commands' dialog (shown only with a sender), its initial folder set before
    // and after; false when the user cancelled.
    static bool ChooseFolder(TMyOpenFolderDialog* pDialog, QObject* pSender);
    class TMyCommand;

    TApp_Skivra& FWindow;
    TMyPlayerController& FController;
    TMyPlaylistCommands& FCommands;
    TMyPlaylistPart& FPlaylistPart;
    std::unique_ptr<TMyWStrings> FDisallowExts;
    QStringList FslOpenFiles;
    QString FsOpenFileDir;
    std::int32_t FiGetFileCount = 0;
    std::u16string FsGetFileName;
    bool FbAcquiring = false;
    std::int32_t FiCommands = 0; // intake commands running (nested ones included)
    bool FbCloseRequested = false;
};

} // namespace skivra
