#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/myMediaGraph.h"
#include "support/myRect.h"

namespace skivra {

// What the player controller needs from the rest of the program, in three narrow pieces, so
// that it runs the same against the real engine, desktop and window as against the fakes of
// its tests. Every call comes on the UI thread.

// What the media information record tells of a file before any graph is built.
struct TMyPlayerFileInfo {
    std::int32_t iMediaLength = 0; // whole seconds; not positive: the file cannot be played
    std::int32_t iVideoWidth = 0;
    std::int32_t iVideoHeight = 0;
    std::u16string sFileSize; // "2KB", "1.0MB", ...
};

class TMyPlayerEngine {
public:
    virtual ~TMyPlayerEngine() = default;
    virtual TMyPlayerFileInfo ReadFileInfo(const std::u16string& sFileName) = 0;
    // A new, empty graph for one file.
    virtual std::unique_ptr<TMyMediaGraph> NewFilterGraph() = 0;
};

// The desktop side: the sub-player's video window, the monitor of the main window, the
// hidden video panel and the wallpaper takeover.
class TMyPlayerDesktop {
public:
    virtual ~TMyPlayerDesktop() = default;
    // Starts the sub-player when the known one is gone; true when one is in place.
    virtual bool SubPlayerReady() = 0;
    // The sub-player's desktop video window.
    virtual std::uint64_t SubPlayerHwnd() = 0;
    // The full rectangle of the monitor nearest to the main window.
    virtual TMyRect MainWindowMonitorBounds() = 0;
    // Maps the video window over the rectangle, below every other window; hides it.
    virtual void PlaceDesktopWindow(const TMyRect& rcMonitor) = 0;
    virtual void HideDesktopWindow() = 0;
    // The main window's hidden video panel and its client size.
    virtual std::uint64_t VideoPanelHandle() = 0;
    virtual TMyRect VideoPanelClientRect() = 0;
    // The colour the desktop shows where the video plays.
    virtual std::uint32_t OverlayKeyColour() = 0;
    // The key-colour wallpaper on the main window's monitor; the user's own wallpaper back.
    virtual bool ApplyVideoWallpaper(std::uint32_t clColor) = 0;
    virtual void ReleaseVideoWallpaper() = 0;
};

// Which of the skip keys are held.
struct TMySkipKeys {
    bool bShift = false;
    bool bCtrl = false;
};

// The main window as the controller sees it: labels, caption, status bar, message boxes,
// the seek bar, the display timer, the options, the list box's focus and the refreshes.
class TMyPlayerView {
public:
    virtual ~TMyPlayerView() = default;

    virtual void SetCaption(const std::u16string& sCaption) = 0;
    virtual void SetTimeLabel(const std::u16string& sText) = 0;
    virtual void SetInfoLabel(const std::u16string& sText) = 0;
    virtual std::u16string InfoLabel() const = 0;
    virtual void SetStatusText(const std::u16string& sText) = 0;
    // An OK box; a Yes/Cancel box without icon, Yes the default, true for Yes. "\r" in a
    // text is a line break.
    virtual void ShowMessage(const std::u16string& sText) = 0;
    virtual bool ConfirmYesCancel(const std::u16string& sText) = 0;

    // The seek bar, in tenths of a second.
    virtual void SetSeekMax(std::int32_t iMax) = 0;
    virtual void SetSeekPosition(std::int32_t iPosition) = 0;
    virtual std::int32_t SeekPosition() const = 0;
    // The user holds the thumb (the bar must not move under the mouse).
    virtual bool SeekThumbHeld() const = 0;
    virtual std::int32_t VolumePosition() const = 0; // 0 to 100

    virtual void EnableTimer(bool bEnabled) = 0;
    virtual bool TimerEnabled() const = 0;

    virtual bool RandomChecked() const = 0;
    virtual bool ConfirmErrChecked() const = 0;
    virtual bool MuteChecked() const = 0;
    virtual void SetMuteImage(bool bMuted) = 0;
    virtual TMySkipKeys SkipKeys() const = 0;

    // The list box: its focused entry (-1 for none), the entry chosen by play/pause
    // (the focused one when selected, else the first selected, -1 for none).
    virtual std::int32_t FocusedIndex() const = 0;
    virtual void SetFocusedIndex(std::int32_t iIndex) = 0;
    virtual std::int32_t FocusedSelection() const = 0;

    // The open-file command: with the dialog shown, or over the names already in it.
    virtual void OpenFile(bool bShowDialog) = 0;

    virtual void RefreshActions() = 0;
    virtual void RepaintList() = 0;
    virtual void RefreshPlaylist() = 0;
    // The info panel for the list selection; its title value; its values cleared.
    virtual void RefreshInfo() = 0;
    virtual bool InfoTitleEmpty() const = 0;
    virtual void ClearInfo() = 0;
    // Lets pending window messages run.
    virtual void ProcessMessages() = 0;

    // The busy section of the window.
    virtual void BeginFunc() = 0;
    virtual void EndFunc() = 0;
    virtual bool IsInFunc() const = 0;
};

} // namespace skivra
