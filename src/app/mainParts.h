#pragma once

#include <QPoint>
#include <QStringList>

class QObject;

namespace skivra {

// The parts of the main window that live in their own classes. The window creates its
// controls and actions, and hands each command to the part that carries it out; a part
// that is not installed leaves its actions disabled (never a command that silently does
// nothing). Every handler takes the action it was invoked through as pSender, or nullptr
// when it is run from code (the open commands then skip their dialog). Install the parts
// with TApp_Skivra::SetParts before FormCreate. All calls come on the UI thread.

// Playing the playlist: the graph, the transport commands, the volume.
class TMyPlayerPart {
public:
    virtual ~TMyPlayerPart() = default;

    // A file is loaded (a graph exists): stop, replay and go-to-playing follow it.
    virtual bool IsGraphLoaded() const = 0;

    virtual void Action_Play_PlayExecute(QObject* pSender) = 0;
    virtual void Action_Play_PauseExecute(QObject* pSender) = 0;
    virtual void Action_Play_PlayPauseExecute(QObject* pSender) = 0;
    virtual void Action_Play_ReplayExecute(QObject* pSender) = 0;
    virtual void Action_Play_StopExecute(QObject* pSender) = 0;
    // Next and back: the sender tells which.
    virtual void Action_Play_NextExecute(QObject* pSender) = 0;
    // Skip back and forward: the sender tells which (the seek bar passes the skip-next
    // action, which has no menu entry of its own).
    virtual void Action_Play_SkipBackExecute(QObject* pSender) = 0;
    // Also run when the volume bar moves; applies the mute state and the volume.
    virtual void Action_Play_MuteExecute(QObject* pSender) = 0;

    // Window life, in the window's order (see TApp_Skivra::FormCreate / FormDestroy).
    virtual void CreatePlaylist() = 0;
    virtual void StopMedia(bool bResetIndex) = 0;
    virtual void ReleaseVideoWallpaper() = 0;
    // Start-up is over: the resume index read from the settings is forgotten.
    virtual void FinishStartUp() = 0;
    virtual void FreePlaylist() = 0;
};

// The playlist view and the list commands.
class TMyPlaylistPart {
public:
    virtual ~TMyPlaylistPart() = default;

    virtual int PlaylistCount() const = 0;
    virtual bool HasSelection() const = 0;
    // Resynchronises the view (the outermost end of a busy section calls it).
    virtual void RefreshPlaylist() = 0;

    virtual void Action_List_GotoPlayingExecute(QObject* pSender) = 0;
    virtual void Action_List_FolderNameExecute(QObject* pSender) = 0;
    virtual void Action_List_DeleteExecute(QObject* pSender) = 0;
    virtual void Action_List_DeletePlayingExecute(QObject* pSender) = 0;
    virtual void Action_List_ClearExecute(QObject* pSender) = 0;
    // All eight sort actions: the sender tells which.
    virtual void Action_Sort_FileNameExecute(QObject* pSender) = 0;
};

// Taking files in: the three open commands and dropped files.
class TMyIntakePart {
public:
    virtual ~TMyIntakePart() = default;

    virtual void Action_File_OpenFileExecute(QObject* pSender) = 0;
    virtual void Action_File_OpenFolderExecute(QObject* pSender) = 0;
    virtual void Action_File_OpenThisFolderExecute(QObject* pSender) = 0;
    // Local files and folders dropped on the window, in order, and the drop point in the
    // window's coordinates.
    virtual void FilesDropped(const QStringList& names, QPoint ptDrop) = 0;

    virtual void FillDisallowExts() = 0;
    virtual void FreeDisallowExts() = 0;
};

// The settings file and the saved playlist.
class TMySettingsPart {
public:
    virtual ~TMySettingsPart() = default;

    // False when nothing was read (Shift and Ctrl held).
    virtual bool LoadSettings() = 0;
    virtual void SaveSettings() = 0;
    // Restores the saved playlist and plays its entry, when the settings were read.
    virtual void RestorePlaylist(bool bSettingsRead) = 0;
};

// The information panel.
class TMyInfoPart {
public:
    virtual ~TMyInfoPart() = default;

    // Makes the window known to the background fetcher's callbacks.
    virtual void AttachFetcher() = 0;
    // Fills the panel for the list's focused entry.
    virtual void RefreshInfo() = 0;
    // The title value is empty (nothing has been shown since the last clear).
    virtual bool InfoTitleEmpty() const = 0;
    // Empties every value of the panel.
    virtual void ClearInfo() = 0;
};

struct TMyMainParts {
    TMyPlayerPart* Player = nullptr;
    TMyPlaylistPart* Playlist = nullptr;
    TMyIntakePart* Intake = nullptr;
    TMySettingsPart* Settings = nullptr;
    TMyInfoPart* Info = nullptr;
};

} // namespace skivra
