#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/myPlayerServices.h"

namespace skivra {

class TMyWStrings;

// Who ran a transport command: the action itself, a neighbour sharing its handler, or code
// (nothing). Next and back share one handler, as do skip back and skip forward.
enum class TMyPlaySender : std::uint8_t { None, Action, Back, Next, SkipBack, SkipNext };

// The part of the main window that plays the playlist: one entry at a time through a graph
// of its own, the picture on the desktop through the sub-player and the wallpaper takeover,
// the graph's events, the transport commands and the display tick.
//
// Opening a file can lead to opening another one (an unplayable entry is dropped and the
// next one tried, a missing file or one that ends before the resume position is skipped).
// Those requests are queued and served by the outermost PlayMedia one after another, so a
// list of thousands of unplayable files never nests one call per entry; a chain of skips
// ends after one pass over the list. UI thread only.
//
// The graph's notifications are handed on through RunOnUiThread, whose runner must queue
// them to the event loop (as the program's does): handling an event may destroy the graph
// that is delivering it.
class TMyPlayerController {
public:
    // The playlist is borrowed: the main window owns it (and the records on its entries).
    TMyPlayerController(TMyWStrings& playlist, TMyPlayerEngine& engine, TMyPlayerDesktop& desktop,
                        TMyPlayerView& view);
    ~TMyPlayerController();
    TMyPlayerController(const TMyPlayerController&) = delete;
    TMyPlayerController& operator=(const TMyPlayerController&) = delete;

    // --- commands
    void Action_Play_PlayExecute(TMyPlaySender sender);
    void Action_Play_PauseExecute(TMyPlaySender sender);
    void Action_Play_PlayPauseExecute(TMyPlaySender sender);
    void Action_Play_ReplayExecute(TMyPlaySender sender);
    void Action_Play_StopExecute(TMyPlaySender sender);
    // Back with TMyPlaySender::Back, next with anything else.
    void Action_Play_NextExecute(TMyPlaySender sender);
    void Action_Play_SkipBackExecute(TMyPlaySender sender);
    // Also the volume bar's change handler.
    void Action_Play_MuteExecute(TMyPlaySender sender);
    // Stops, removes the current entry and plays the one that followed it.
    void Action_List_DeletePlayingExecute(TMyPlaySender sender);

    // --- operations
    void PlayMedia(const std::u16string& sFileName);
    void StopMedia(bool bResetIndex);
    void MediaEnded();
    void SeekTo(double fSeconds);
    void SetVolume(std::int32_t iPosition);
    // The graph told that events are waiting.
    void GraphNotify();
    void Timer_TimeTimer();
    void UpdateCaption();

    // --- state
    bool HasVideo() const { return FiVideoWidth >= 1 && FiVideoHeight >= 1; }
    bool IsGraphLoaded() const { return FGraph != nullptr; }
    TMyMediaGraph* Graph() const { return FGraph.get(); }
    bool OverlayInUse() const { return FbOverlay; }
    std::int32_t ItemIndex() const { return FiItemIndex; }
    void SetItemIndex(std::int32_t iIndex) { FiItemIndex = iIndex; }
    const std::u16string& FileName() const { return FsFileName; }
    double Duration() const { return FfDuration; }
    double ResumePos() const { return FfResumePos; }
    void SetResumePos(double fSeconds) { FfResumePos = fSeconds; }
    std::int32_t ResumeIndex() const { return FiResumeIndex; }
    void SetResumeIndex(std::int32_t iIndex) { FiResumeIndex = iIndex; }
    bool MediaEndedFlag() const { return FbMediaEnded; }
    // The seek bar's hold: while set, the display tick leaves the bar where it is (the seek
    // bar sets it while the user holds its thumb; SeekTo while it applies a position).
    bool SeekHold() const { return FbSeekHold; }
    void SetSeekHold(bool bHold) { FbSeekHold = bHold; }
    TMyWStrings& Playlist() const { return FPlaylist; }
    TMyPlayerView& View() const { return FView; }

    // The program's pseudo-random generator: an index in 0 to count - 1. Tests give their own.
    void SetRandom(std::function<std::int32_t(std::int32_t iCount)> fnRandom) {
        FfnRandom = std::move(fnRandom);
    }
    // Whether a file is there at all (by default: it exists on disk). An entry that fails
    // to open and is not there (its drive is not mounted, it was moved) is skipped and kept
    // in the list: only files that are there and do not play are unplayable. Tests give
    // their own.
    void SetFileCheck(std::function<bool(const std::u16string& sFileName)> fnExists) {
        FfnFileExists = std::move(fnExists);
    }
    // The product name for the caption (the program's own by default).
    void SetProductName(std::u16string sName) { FsProductName = std::move(sName); }

    // Texts shown by the controller.
    static constexpr char16_t kNoVideoWindow[] =
        u"ビデオ表示ウィンドウの取得に失敗しました\rビデオを表示できません";
    static constexpr char16_t kDesktopFailedBox[] =
        u"Skivra表示用の設定に失敗しました\rビデオを壁紙にできません";
    static constexpr char16_t kDesktopFailedStatus[] =
        u"Skivra表示用の設定に失敗しました。ビデオを壁紙にできません";
    static constexpr char16_t kUnplayableQuestion[] =
        u"\rは再生できないためリストから削除します\rよろしいですか";
    static constexpr char16_t kRemovedStatus[] = u"%s をリストから削除しました";
    static constexpr char16_t kMissingStatus[] = u"%s が見つからないため飛ばしました";
    static constexpr char16_t kWallpaperKeptStatus[] =
        u"今の壁紙を保存できないため、壁紙を置き換えませんでした";
    // A whole pass over the list found nothing that plays past its resume position.
    static constexpr char16_t kNothingPlayable[] = u"再生できるファイルがリストにありません";

private:
    // How one opening ended.
    enum class TOpenResult : std::uint8_t { Played, Skipped, Failed, Nothing };
    TOpenResult OpenMedia(const std::u16string& sFileName);
    bool RenderAndPlace();
    // Shows the cued video on the desktop through the sub-player, when one is in place,
    // or else in the hidden panel.
    void PlaceVideo(bool bSubPlayer);
    // An opening that failed: a file that is not there is skipped, one that is there is
    // unplayable (PlayError).
    TOpenResult OpenFailed();
    void SkipMissing();
    void PlayError();
    void ChainEndedWithoutPlayback();
    std::int32_t NextIndex(bool bBack);

    TMyWStrings& FPlaylist;
    TMyPlayerEngine& FEngine;
    TMyPlayerDesktop& FDesktop;
    TMyPlayerView& FView;
    std::function<std::int32_t(std::int32_t)> FfnRandom;
    std::function<bool(const std::u16string&)> FfnFileExists;
    std::u16string FsProductName;
    std::shared_ptr<bool> FAlive; // false once the controller is gone

    std::unique_ptr<TMyMediaGraph> FGraph;
    bool FbOverlay = false; // the picture reaches the video window: the desktop shows it
    double FfDuration = 0.0;
    std::int32_t FiVideoWidth = 0;
    std::int32_t FiVideoHeight = 0;
    std::u16string FsFileSize;
    std::u16string FsFileName;
    std::int32_t FiItemIndex = -1;
    std::int32_t FiResumeIndex = -1;
    double FfResumePos = 0.0;
    bool FbMediaEnded = false;
    bool FbPassClockChanged = false;
    bool FbStart = false;
    bool FbSeekHold = false;

    // The queue of openings: a PlayMedia inside another one only leaves its file here.
    bool FbOpening = false;
    bool FbPending = false;
    std::u16string FsPendingFile;
};

} // namespace skivra
