#include "app/myPlayerController.h"

#include <cmath>
#include <limits>
#include <random>

#include "lists/myNumber.h"
#include "lists/myPlaylistFile.h"
#include "lists/myString.h"
#include "lists/myWStrings.h"
#include "support/myEventHook.h"
#include "support/myPath.h"
#include "support/myProgram.h"
#include "support/myUnicode.h"

#include <sys/stat.h>

namespace skivra {

namespace {

// Whole tenths of a second, truncated, as the seek bar counts; out-of-range values stop at
// the ends of the bar's integer range instead of wrapping.
std::int32_t TenthsOf(double fSeconds) {
    const double fTenths = std::trunc(fSeconds * 10.0);
    if (!(fTenths > std::numeric_limits<std::int32_t>::min())) {
        return fTenths > 0 ? std::numeric_limits<std::int32_t>::max() : 0;
    }
    if (fTenths >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(fTenths);
}

// The picture covers the video window, which covers the monitor.
TMyRect MonitorVideoRect(const TMyRect& rcMonitor) {
    return {0, 0, SaturateInt32(RectWidth64(rcMonitor)), SaturateInt32(RectHeight64(rcMonitor))};
}

std::u16string TimeText(double fSeconds) {
    return FormatSecondsFraction(0, fSeconds);
}

std::u16string Utf16Number(std::int64_t iValue) {
    const std::string s = std::to_string(iValue);
    return {s.begin(), s.end()};
}

// Opens the window's busy section for one scope; the actions are refreshed on every way out.
class TBusyScope {
public:
    explicit TBusyScope(TMyPlayerView& view) : FView(view) { FView.BeginFunc(); }
    ~TBusyScope() {
        FView.RefreshActions();
        FView.EndFunc();
    }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

private:
    TMyPlayerView& FView;
};

} // namespace

TMyPlayerController::TMyPlayerController(TMyWStrings& playlist, TMyPlayerEngine& engine,
                                         TMyPlayerDesktop& desktop, TMyPlayerView& view)
    : FPlaylist(playlist), FEngine(engine), FDesktop(desktop), FView(view),
      FsProductName(GetProgramProductName()), FAlive(std::make_shared<bool>(true)) {
    FfnRandom = [generator = std::mt19937(std::random_device{}())](std::int32_t iCount) mutable {
        return std::uniform_int_distribution<std::int32_t>(0, iCount - 1)(generator);
    };
    FfnFileExists = [](const std::u16string& sFileName) {
        // Anything stat cannot reach counts as not there: a folder that cannot be entered
        // hides the file just as an unmounted drive does, and neither makes it unplayable.
        struct stat st {};
        return stat(Utf16ToUtf8(sFileName).c_str(), &st) == 0;
    };
}

TMyPlayerController::~TMyPlayerController() {
    // A notification still queued for this controller must find it gone.
    *FAlive = false;
    FGraph.reset();
}

// --- commands

void TMyPlayerController::Action_Play_PlayExecute(TMyPlaySender) {
    if (FGraph) {
        FGraph->Run();
        FView.EnableTimer(true);
    } else {
        FView.OpenFile(false);
    }
}

void TMyPlayerController::Action_Play_PauseExecute(TMyPlaySender) {
    FView.EnableTimer(false);
    if (FGraph) {
        FGraph->Pause();
        Timer_TimeTimer();
    }
}

void TMyPlayerController::Action_Play_PlayPauseExecute(TMyPlaySender) {
    if (FGraph) {
        if (FGraph->GetState() == State_Running) {
            Action_Play_PauseExecute(TMyPlaySender::None);
        } else {
            Action_Play_PlayExecute(TMyPlaySender::None);
        }
        return;
    }
    const std::int32_t iIndex = FView.FocusedSelection();
    if (iIndex < 0 || iIndex >= FPlaylist.Count()) {
        FView.OpenFile(true);
        return;
    }
    FiItemIndex = iIndex;
    PlayMedia(FPlaylist.Get(iIndex));
}

void TMyPlayerController::Action_Play_ReplayExecute(TMyPlaySender) {
    if (FGraph && FGraph->Stop() && FGraph->StopWhenReady() && FGraph->PutCurrentPosition(0.0)) {
        Action_Play_PlayPauseExecute(TMyPlaySender::None);
    }
}

void TMyPlayerController::Action_Play_StopExecute(TMyPlaySender) {
    StopMedia(true);
    FDesktop.HideDesktopWindow();
    FDesktop.ReleaseVideoWallpaper();
}

std::int32_t TMyPlayerController::NextIndex(bool bBack) {
    const std::int32_t iCount = FPlaylist.Count();
    if (FView.RandomChecked()) {
        if (iCount == 1) {
            return 0;
        }
        std::int32_t iIndex;
        do {
            // A generator answering outside the list is brought back into it.
            iIndex = static_cast<std::int32_t>(WrapInt64(FfnRandom(iCount), 0, iCount - 1));
        } while (iIndex == FiItemIndex);
        return iIndex;
    }
    const std::int64_t iStep = bBack ? -1 : 1;
    const std::int64_t iNew = (std::int64_t{FiItemIndex} + iStep) % iCount;
    return static_cast<std::int32_t>(iNew < 0 ? iNew + iCount : iNew);
}

void TMyPlayerController::Action_Play_NextExecute(TMyPlaySender sender) {
    if (FPlaylist.Count() == 0) {
        return;
    }
    FiItemIndex = NextIndex(sender == TMyPlaySender::Back);
    PlayMedia(FPlaylist.Get(FiItemIndex));
}

void TMyPlayerController::Action_Play_SkipBackExecute(TMyPlaySender sender) {
    if (FView.IsInFunc()) {
        return;
    }
    TBusyScope busy(FView);
    if (!FGraph) {
        return;
    }
    const TMySkipKeys keys = FView.SkipKeys();
    double fStep = 30.0;
    if (keys.bShift && keys.bCtrl) {
        fStep = std::trunc(FfDuration / 10.0);
    } else if (keys.bCtrl) {
        fStep = 1.0;
    } else if (keys.bShift) {
        fStep = 90.0;
    }
    double fMove = 0.0;
    if (sender == TMyPlaySender::SkipNext) {
        fMove = fStep;
    } else if (sender == TMyPlaySender::SkipBack) {
        fMove = -fStep;
    }
    if (fMove != 0.0) {
        FView.EnableTimer(false);
        SeekTo(FView.SeekPosition() / 10.0 + fMove);
        FView.EnableTimer(true);
    }
}

void TMyPlayerController::Action_Play_MuteExecute(TMyPlaySender) {
    const bool bMuted = FView.MuteChecked();
    FView.SetMuteImage(bMuted);
    SetVolume(bMuted ? 0 : FView.VolumePosition());
}

void TMyPlayerController::Action_List_DeletePlayingExecute(TMyPlaySender) {
    if (FiItemIndex < 0) {
        return;
    }
    const std::int32_t i = FiItemIndex;
    StopMedia(false);
    FPlaylist.Delete(i);
    --FiItemIndex;
    FView.RefreshPlaylist();
    Action_Play_NextExecute(TMyPlaySender::None);
    if (FPlaylist.Count() == 0) {
        FView.ClearInfo();
    }
    if (!FbOpening && !FGraph) {
        ChainEndedWithoutPlayback();
    }
}

// --- opening

void TMyPlayerController::PlayMedia(const std::u16string& sFileName) {
    FsPendingFile = sFileName;
    FbPending = true;
    if (FbOpening) {
        // The opening under way takes this file as soon as it has finished its own.
        return;
    }
    FbOpening = true;
    struct TOpeningGuard {
        bool& bOpening;
        ~TOpeningGuard() { bOpening = false; }
    } guard{FbOpening};

    // Skips chain when every entry ends before the position it is to start at. The first
    // skip may be the resume position of the start-up; after that only files without length
    // skip, and once more of them were skipped than the list holds entries, a whole pass
    // found nothing to play.
    std::int64_t iSkips = 0;
    while (FbPending) {
        FbPending = false;
        const std::u16string sFile = std::move(FsPendingFile);
        FsPendingFile.clear();
        if (OpenMedia(sFile) == TOpenResult::Skipped && FbPending && ++iSkips > FPlaylist.Count()) {
            FbPending = false;
            FView.SetStatusText(kNothingPlayable);
        }
    }
    if (!FGraph) {
        ChainEndedWithoutPlayback();
    }
}

void TMyPlayerController::ChainEndedWithoutPlayback() {
    // Nothing plays now: the desktop must not go on showing the key colour with no picture
    // in it, so the user's wallpaper comes back until a video plays again.
    FDesktop.HideDesktopWindow();
    FDesktop.ReleaseVideoWallpaper();
}

TMyPlayerController::TOpenResult TMyPlayerController::OpenMedia(const std::u16string& sFileName) {
    TBusyScope busy(FView);
    StopMedia(false);
    if (FPlaylist.Count() == 0) {
        return TOpenResult::Nothing;
    }
    if (FView.FocusedIndex() < 0) {
        FView.SetFocusedIndex(0);
    }
    FsFileName = sFileName;

    // A file whose record gives no length is not tried at all, even when a graph could
    // render it.
    const TMyPlayerFileInfo info = FEngine.ReadFileInfo(FsFileName);
    if (info.iMediaLength <= 0) {
        return OpenFailed();
    }
    FiVideoWidth = info.iVideoWidth;
    FiVideoHeight = info.iVideoHeight;
    FsFileSize = info.sFileSize;

    FGraph = FEngine.NewFilterGraph();
    if (!FGraph) {
        return OpenFailed();
    }
    std::weak_ptr<bool> alive = FAlive;
    TMyMediaGraph* pGraph = FGraph.get();
    FGraph->SetNotify([this, alive, pGraph] {
        // Handled from the event loop, never inside the graph's own call: the handling may
        // destroy the graph that is calling.
        RunOnUiThread([this, alive, pGraph] {
            const auto bAlive = alive.lock();
            if (bAlive && *bAlive && FGraph.get() == pGraph) {
                GraphNotify();
            }
        });
    });
    // A video is cued at the size and in the window it will be shown in on the desktop: a
    // size or a window changed after the cue makes the stream agree its format again, which
    // delays the first frame and briefly holds two sets of monitor-sized images.
    // The sub-player is asked once per file: one that cannot start costs its wait once.
    bool bSubPlayer = false;
    if (HasVideo()) {
        FGraph->SetWindowPosition(MonitorVideoRect(FDesktop.MainWindowMonitorBounds()));
        bSubPlayer = FDesktop.SubPlayerReady();
        if (bSubPlayer) {
            FGraph->PutOwner(FDesktop.SubPlayerHwnd());
        }
    }
    if (!FGraph->RenderFile(FsFileName)) {
        // A half-built graph is not kept: nothing plays and the actions say so.
        StopMedia(false);
        return OpenFailed();
    }

    FfDuration = FGraph->GetDuration();
    FView.SetSeekMax(TenthsOf(FfDuration));
    if (!(FfResumePos < FfDuration)) {
        FfResumePos = 0.0;
        StopMedia(false);
        Action_Play_NextExecute(TMyPlaySender::None);
        return TOpenResult::Skipped;
    }
    FGraph->PutCurrentPosition(FfResumePos);
    FfResumePos = 0.0;

    FbOverlay = HasVideo() && FGraph->HasVideo() && FGraph->HasConnectedInput();
    FView.SetInfoLabel(TimeText(FfDuration) + u"秒 " + FsFileSize);
    if (HasVideo()) {
        FView.SetInfoLabel(Utf16Number(FiVideoWidth) + u"x" + Utf16Number(FiVideoHeight) + u" " +
                           FGraph->GetFrameRateText() + u"fps " + FView.InfoLabel());
        PlaceVideo(bSubPlayer);
    }
    Action_Play_MuteExecute(TMyPlaySender::None);
    Action_Play_PlayExecute(TMyPlaySender::None);
    // The wallpaper comes after the start: the video window already covers the monitor, and
    // composing the key-colour wallpaper takes a third of a second that the first frame
    // need not wait for (the frames are drawn on the graph's own threads).
    if (FbOverlay) {
        // The video still plays in its window; the desktop keeps the user's wallpaper, whose
        // picture could not be kept for putting back.
        if (!FDesktop.ApplyVideoWallpaper(FDesktop.OverlayKeyColour())) {
            FView.SetStatusText(kWallpaperKeptStatus);
        }
    } else {
        // Audio, or a picture that cannot reach the desktop: the user's wallpaper.
        FDesktop.HideDesktopWindow();
        FDesktop.ReleaseVideoWallpaper();
    }
    if (FView.InfoTitleEmpty()) {
        FView.RefreshInfo();
    }
    UpdateCaption();
    FbMediaEnded = false;
    return TOpenResult::Played;
}

void TMyPlayerController::PlaceVideo(bool bSubPlayer) {
    if (!FGraph->HasVideo()) {
        FbOverlay = false;
        FView.ShowMessage(kNoVideoWindow);
        return;
    }
    // The sub-player's window was given to the graph before the cue.
    if (bSubPlayer && FbOverlay) {
        const TMyRect rcMonitor = FDesktop.MainWindowMonitorBounds();
        FDesktop.PlaceDesktopWindow(rcMonitor);
        FGraph->SetWindowPosition(MonitorVideoRect(rcMonitor));
        return;
    }
    // The panel is hidden: the video plays where nobody sees it, and since no picture
    // reaches the desktop, the desktop keeps the user's wallpaper.
    FbOverlay = false;
    FGraph->PutOwner(FDesktop.VideoPanelHandle());
    FGraph->SetWindowPosition(FDesktop.VideoPanelClientRect());
    if (FView.ConfirmErrChecked()) {
        FView.ShowMessage(kDesktopFailedBox);
    } else {
        FView.SetStatusText(kDesktopFailedStatus);
    }
}

TMyPlayerController::TOpenResult TMyPlayerController::OpenFailed() {
    // An address that failed is no file gone with its drive: it cannot be played.
    if (!IsUrlEntry(FsFileName) && !FfnFileExists(FsFileName)) {
        SkipMissing();
        // Counted as a skip: the list does not shrink, so only the bound of one pass over
        // it ends a list whose every file is missing.
        return TOpenResult::Skipped;
    }
    PlayError();
    return TOpenResult::Failed;
}

void TMyPlayerController::SkipMissing() {
    // A file that is not there now may be there again when its drive is mounted: the entry
    // stays, and the list (saved at exit) keeps it.
    StopMedia(false);
    FView.SetStatusText(ReplaceAll(kMissingStatus, u"%s", GetFileNamePart(FsFileName)));
    Action_Play_NextExecute(TMyPlaySender::None);
}

void TMyPlayerController::PlayError() {
    const std::u16string sName = GetFileNamePart(FsFileName);
    const bool bYes =
        !FView.ConfirmErrChecked() || FView.ConfirmYesCancel(sName + kUnplayableQuestion);
    if (!bYes) {
        return;
    }
    FView.SetStatusText(ReplaceAll(kRemovedStatus, u"%s", sName));
    FView.ProcessMessages();
    Action_List_DeletePlayingExecute(TMyPlaySender::None);
}

void TMyPlayerController::StopMedia(bool bResetIndex) {
    if (bResetIndex) {
        FiItemIndex = -1;
    }
    FbPassClockChanged = false;
    FbStart = false;
    FView.EnableTimer(false);
    FView.SetTimeLabel(u"");
    FView.SetInfoLabel(u"");
    FView.SetCaption(FsProductName);
    if (FGraph) {
        FGraph->Stop();
        FGraph->StopGraphAndDisconnect();
    }
    FView.SetSeekPosition(0);
    FGraph.reset();
    FbOverlay = false;
    FView.RefreshActions();
    FView.RepaintList();
}

void TMyPlayerController::MediaEnded() {
    if (FbMediaEnded) {
        return;
    }
    FbMediaEnded = true;
    if (FPlaylist.Count() > 0) {
        Action_Play_NextExecute(TMyPlaySender::None);
    } else {
        StopMedia(false);
    }
}

void TMyPlayerController::SeekTo(double fSeconds) {
    FbSeekHold = true;
    FView.SetSeekPosition(TenthsOf(fSeconds));
    if (FGraph) {
        FGraph->PutCurrentPosition(fSeconds);
    }
    FbSeekHold = false;
}

void TMyPlayerController::SetVolume(std::int32_t iPosition) {
    if (!FGraph) {
        return;
    }
    std::int32_t iVolume = VOLUME_SILENT;
    if (iPosition > 0) {
        const double fPosition = std::min(iPosition, 100);
        iVolume = static_cast<std::int32_t>(RoundHalfAway(std::log(fPosition / 100.0) * 1000.0));
    }
    FGraph->PutVolume(iVolume);
}

void TMyPlayerController::GraphNotify() {
    std::int32_t iCode = 0;
    // Handling an event may replace the graph (the end of a file opens the next one); the
    // events of the new graph are then taken from it.
    while (FGraph && FGraph->GetEvent(iCode)) {
        switch (iCode) {
        case EC_COMPLETE:
            MediaEnded();
            break;
        case EC_CLOCK_CHANGED:
            FbPassClockChanged = true;
            break;
        case EC_PAUSED:
            if (FbPassClockChanged) {
                if (!FbStart) {
                    FView.RepaintList();
                    FView.RefreshInfo();
                }
                FbStart = true;
            }
            break;
        case EC_ERRORABORT:
            // The file went bad while it played (cut short, undecodable): it is treated as
            // an entry that cannot be played, and the list moves on. A file that went away
            // with its drive is skipped and kept instead.
            FView.SetStatusText(FGraph->GetLastError().sMessage);
            StopMedia(false);
            if (IsUrlEntry(FsFileName) || FfnFileExists(FsFileName)) {
                PlayError();
            } else {
                SkipMissing();
            }
            break;
        default:
            break;
        }
    }
}

void TMyPlayerController::Timer_TimeTimer() {
    if (!FGraph) {
        FView.EnableTimer(false);
        return;
    }
    const double fPosition = FGraph->GetCurrentPosition();
    FView.SetTimeLabel(TimeText(fPosition) + u"/" + TimeText(FfDuration));
    if (!FView.SeekThumbHeld() && !FbSeekHold) {
        FView.SetSeekPosition(TenthsOf(fPosition));
    }
    if (fPosition == FfDuration) {
        FView.EnableTimer(false);
        MediaEnded();
    }
}

void TMyPlayerController::UpdateCaption() {
    if (FsFileName.empty()) {
        FView.SetCaption(FsProductName);
    } else {
        FView.SetCaption(FsProductName + u"/" + GetBaseNamePart(GetFileNamePart(FsFileName)));
    }
}

} // namespace skivra
