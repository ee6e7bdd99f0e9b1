#pragma once

#include "app/myPlayerServices.h"
#include "app/myPlaylistCommands.h"

namespace skivra {

class TApp_Skivra;
class TMyPlaylistModel;

// The main window as the player controller and the list commands see it: labels, caption,
// status bar, message boxes, the seek and volume bars, the display timer, the option check
// marks and the playlist view. The information panel and the open-file command are the
// installed parts' business; without them those requests do nothing. UI thread only.
class TMyMainView final : public TMyPlayerView, public TMyPlaylistListBox {
public:
    TMyMainView(TApp_Skivra& window, TMyPlaylistModel& model);

    // The entry drawn bold follows the controller's current entry.
    void SetCurrentIndexSource(std::function<std::int32_t()> fnItemIndex) {
        FfnItemIndex = std::move(fnItemIndex);
    }

    // --- TMyPlayerView
    void SetCaption(const std::u16string& sCaption) override;
    void SetTimeLabel(const std::u16string& sText) override;
    void SetInfoLabel(const std::u16string& sText) override;
    std::u16string InfoLabel() const override;
    void SetStatusText(const std::u16string& sText) override;
    void ShowMessage(const std::u16string& sText) override;
    bool ConfirmYesCancel(const std::u16string& sText) override;

    void SetSeekMax(std::int32_t iMax) override;
    void SetSeekPosition(std::int32_t iPosition) override;
    std::int32_t SeekPosition() const override;
    bool SeekThumbHeld() const override;
    std::int32_t VolumePosition() const override;

    void EnableTimer(bool bEnabled) override;
    bool TimerEnabled() const override;

    bool RandomChecked() const override;
    bool ConfirmErrChecked() const override;
    bool MuteChecked() const override;
    void SetMuteImage(bool bMuted) override;
    TMySkipKeys SkipKeys() const override;

    std::int32_t FocusedIndex() const override;
    void SetFocusedIndex(std::int32_t iIndex) override;
    std::int32_t FocusedSelection() const override;

    void OpenFile(bool bShowDialog) override;

    void RefreshActions() override;
    void RepaintList() override;
    void RefreshPlaylist() override;
    void RefreshInfo() override;
    bool InfoTitleEmpty() const override;
    void ClearInfo() override;
    void ProcessMessages() override;

    void BeginFunc() override;
    void EndFunc() override;
    bool IsInFunc() const override;

    // --- TMyPlaylistListBox
    bool IsSelected(std::int32_t iIndex) const override;
    bool ConfirmYesNo(const std::u16string& sText, bool bYesDefault) override;

private:
    TApp_Skivra& FWindow;
    TMyPlaylistModel& FModel;
    std::function<std::int32_t()> FfnItemIndex;
};

} // namespace skivra
