#pragma once

#include "app/mainParts.h"
#include "app/myBusySection.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace skivra::test {

// Every part of the main window at once, recording each call as "Name(sender)" and
// answering the state questions from its fields.
class TFakeMainParts : public TMyPlayerPart,
                       public TMyPlaylistPart,
                       public TMyIntakePart,
                       public TMySettingsPart,
                       public TMyInfoPart {
public:
    bool bLoaded = false;
    int iCount = 0;
    bool bSelection = false;
    bool bSettingsRead = true;
    bool bBusyWhileLoading = false;
    QStringList log;

    TMyMainParts All() { return TMyMainParts{this, this, this, this, this}; }

    // A step of the window's life: logged by name alone.
    void Note(const char* pName) { log << QString::fromLatin1(pName); }
    // A command: logged with the sender's name ("" when run from code).
    void Log(const char* pName, QObject* pSender) {
        log << QString::fromLatin1(pName) + u'(' + (pSender ? pSender->objectName() : QString()) +
                   u')';
    }

    bool IsGraphLoaded() const override { return bLoaded; }
    void Action_Play_PlayExecute(QObject* p) override { Log("Play", p); }
    void Action_Play_PauseExecute(QObject* p) override { Log("Pause", p); }
    void Action_Play_PlayPauseExecute(QObject* p) override { Log("PlayPause", p); }
    void Action_Play_ReplayExecute(QObject* p) override { Log("Replay", p); }
    void Action_Play_StopExecute(QObject* p) override { Log("Stop", p); }
    void Action_Play_NextExecute(QObject* p) override { Log("Next", p); }
    void Action_Play_SkipBackExecute(QObject* p) override { Log("Skip", p); }
    void Action_Play_MuteExecute(QObject* p) override { Log("Mute", p); }
    void CreatePlaylist() override { Note("CreatePlaylist"); }
    void StopMedia(bool bReset) override { Note(bReset ? "StopMedia:true" : "StopMedia:false"); }
    void ReleaseVideoWallpaper() override { Note("ReleaseVideoWallpaper"); }
    void FinishStartUp() override { Note("FinishStartUp"); }
    void FreePlaylist() override { Note("FreePlaylist"); }

    int PlaylistCount() const override { return iCount; }
    bool HasSelection() const override { return bSelection; }
    void RefreshPlaylist() override { Note("RefreshPlaylist"); }
    void Action_List_GotoPlayingExecute(QObject* p) override { Log("GotoPlaying", p); }
    void Action_List_FolderNameExecute(QObject* p) override { Log("FolderName", p); }
    void Action_List_DeleteExecute(QObject* p) override { Log("Delete", p); }
    void Action_List_DeletePlayingExecute(QObject* p) override { Log("DeletePlaying", p); }
    void Action_List_ClearExecute(QObject* p) override { Log("Clear", p); }
    void Action_Sort_FileNameExecute(QObject* p) override { Log("Sort", p); }

    void Action_File_OpenFileExecute(QObject* p) override { Log("OpenFile", p); }
    void Action_File_OpenFolderExecute(QObject* p) override { Log("OpenFolder", p); }
    void Action_File_OpenThisFolderExecute(QObject* p) override { Log("OpenThisFolder", p); }
    void FilesDropped(const QStringList& names, QPoint) override {
        log << QStringLiteral("Dropped:") + names.join(u'|');
    }
    void FillDisallowExts() override { Note("FillDisallowExts"); }
    void FreeDisallowExts() override { Note("FreeDisallowExts"); }

    bool LoadSettings() override {
        Note("LoadSettings");
        bBusyWhileLoading = IsInFunc();
        return bSettingsRead;
    }
    void SaveSettings() override { Note("SaveSettings"); }
    void RestorePlaylist(bool bRead) override {
        Note(bRead ? "RestorePlaylist:true" : "RestorePlaylist:false");
    }

    void AttachFetcher() override { Note("AttachFetcher"); }
    void RefreshInfo() override { Note("RefreshInfo"); }
    bool InfoTitleEmpty() const override { return true; }
    void ClearInfo() override { Note("ClearInfo"); }
};

} // namespace skivra::test
