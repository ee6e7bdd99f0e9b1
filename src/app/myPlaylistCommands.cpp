#include "app/myPlaylistCommands.h"

#include "app/myPlayerController.h"
#include "lists/myString.h"
#include "lists/myWStrings.h"

namespace skivra {

namespace {

class TBusy {
public:
    explicit TBusy(TMyPlayerView& view) : FView(view) { FView.BeginFunc(); }
    ~TBusy() { FView.EndFunc(); }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

private:
    TMyPlayerView& FView;
};

} // namespace

void TMyPlaylistCommands::Action_List_DeleteExecute() {
    TMyPlayerView& view = FPlayer.View();
    TMyWStrings& playlist = FPlayer.Playlist();
    {
        const TBusy busy(view);
        bool bAny = false;
        for (std::int32_t i = 0; i < playlist.Count() && !bAny; ++i) {
            bAny = FListBox.IsSelected(i);
        }
        if (!bAny || !FListBox.ConfirmYesNo(kDeleteQuestion, true)) {
            return;
        }
        // The selection is read before anything moves: deleting the playing entry starts
        // the next one, and the list box's marks belong to the positions as they were.
        std::vector<bool> aSelected(static_cast<std::size_t>(playlist.Count()));
        for (std::int32_t i = 0; i < playlist.Count(); ++i) {
            aSelected[static_cast<std::size_t>(i)] = FListBox.IsSelected(i);
        }
        for (std::int32_t i = playlist.Count() - 1; i >= 0; --i) {
            if (i < playlist.Count() && aSelected[static_cast<std::size_t>(i)]) {
                if (i == FPlayer.ItemIndex()) {
                    FPlayer.Action_List_DeletePlayingExecute(TMyPlaySender::None);
                } else {
                    playlist.Delete(i);
                    if (i < FPlayer.ItemIndex()) {
                        FPlayer.SetItemIndex(FPlayer.ItemIndex() - 1);
                    }
                }
            }
            view.ProcessMessages();
        }
        view.RefreshPlaylist();
    }
    if (playlist.Count() == 0) {
        view.ClearInfo();
    }
}

void TMyPlaylistCommands::Action_List_ClearExecute(bool bAsk) {
    if (bAsk && !FListBox.ConfirmYesNo(kClearQuestion, false)) {
        return;
    }
    FPlayer.StopMedia(true);
    FPlayer.Playlist().Clear();
    FPlayer.View().RefreshPlaylist();
}

void TMyPlaylistCommands::Action_Sort_FileNameExecute(std::int32_t iKey, bool bFromUser) {
    TMyPlayerView& view = FPlayer.View();
    TMyWStrings& playlist = FPlayer.Playlist();
    const TBusy busy(view);
    FSort.SortPlaylist(playlist, iKey);
    if (bFromUser) {
        const std::u16string& sFileName = FPlayer.FileName();
        std::int32_t iFound = -1;
        for (std::int32_t i = 0; i < playlist.Count() && iFound < 0; ++i) {
            if (SameTextAscii(playlist.Get(i), sFileName)) {
                iFound = i;
            }
        }
        if (iFound >= 0) {
            FPlayer.SetItemIndex(iFound);
        } else {
            FListBox.ShowMessage(kSortError);
        }
    }
    view.RepaintList();
}

} // namespace skivra
