#pragma once

#include <QObject>
#include <QPoint>

class QKeyEvent;

#include <memory>

#include "app/mainParts.h"
#include "app/myPlayerController.h"

namespace skivra {

class TApp_Skivra;
class TMyMainView;
class TMyPlaylistCommands;
class TMyPlaylistModel;
class TMyWStrings;

// The playlist and everything that plays it, plugged into the main window: the list of
// file names (with the media records it owns), the player controller, the list commands and
// the list view's model. The window's actions arrive here with the action as sender and are
// turned into the controller's and the commands' calls; the list view's clicks, double
// clicks and right-button gestures, and the display timer, are connected here too.
// UI thread only.
class TMyMainPlayer final : public QObject, public TMyPlayerPart, public TMyPlaylistPart {
    Q_OBJECT

public:
    TMyMainPlayer(TApp_Skivra& window, TMyPlayerEngine& engine, TMyPlayerDesktop& desktop);
    ~TMyMainPlayer() override;

    TMyWStrings& Playlist() { return *FPlaylist; }
    TMyPlayerController& Controller() { return *FController; }
    TMyPlaylistCommands& Commands() { return *FCommands; }
    TMyPlaylistModel& Model() { return *FModel; }
    TMyMainView& View() { return *FView; }

    // --- TMyPlayerPart
    bool IsGraphLoaded() const override;
    void Action_Play_PlayExecute(QObject* pSender) override;
    void Action_Play_PauseExecute(QObject* pSender) override;
    void Action_Play_PlayPauseExecute(QObject* pSender) override;
    void Action_Play_ReplayExecute(QObject* pSender) override;
    void Action_Play_StopExecute(QObject* pSender) override;
    void Action_Play_NextExecute(QObject* pSender) override;
    void Action_Play_SkipBackExecute(QObject* pSender) override;
    void Action_Play_MuteExecute(QObject* pSender) override;
    void CreatePlaylist() override;
    void StopMedia(bool bResetIndex) override;
    void ReleaseVideoWallpaper() override;
    void FinishStartUp() override;
    void FreePlaylist() override;

    // --- TMyPlaylistPart
    int PlaylistCount() const override;
    bool HasSelection() const override;
    void RefreshPlaylist() override;
    void Action_List_GotoPlayingExecute(QObject* pSender) override;
    void Action_List_FolderNameExecute(QObject* pSender) override;
    void Action_List_DeleteExecute(QObject* pSender) override;
    void Action_List_DeletePlayingExecute(QObject* pSender) override;
    void Action_List_ClearExecute(QObject* pSender) override;
    void Action_Sort_FileNameExecute(QObject* pSender) override;

    // The list view's events.
    void ListBox_PlaylistDblClick();
    void ListBox_PlaylistClick();
    // A right-button press at the screen point, and a release of a button there.
    void ListBox_PlaylistMouseDown(Qt::MouseButton button, QPoint ptScreen);
    void ListBox_PlaylistMouseUp(Qt::MouseButton button, QPoint ptScreen);
    // Return and Enter play the focused entry, Delete deletes the selection, the copy keys
    // put the selected file names on the clipboard, one per line; true when the key was used.
    bool ListBox_PlaylistKeyDown(const QKeyEvent& key);
    void ListBox_PlaylistCopyNames();

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    TMyPlaySender SenderOf(QObject* pSender) const;
    std::int32_t SortKeyOf(QObject* pSender) const;

    TApp_Skivra& FWindow;
    TMyPlayerDesktop& FDesktop;
    std::unique_ptr<TMyWStrings> FPlaylist;
    std::unique_ptr<TMyPlaylistModel> FModel;
    std::unique_ptr<TMyMainView> FView;
    std::unique_ptr<TMyPlayerController> FController;
    std::unique_ptr<TMyPlaylistCommands> FCommands;
    // Where the right button went down on the list; none at start and after a gesture.
    static constexpr QPoint kNoGesture{2147483647, 2147483647};
    QPoint FptMouseGesture = kNoGesture;
};

} // namespace skivra
