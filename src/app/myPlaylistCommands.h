#pragma once

#include <cstdint>
#include <string>

#include "app/myPlaylistSort.h"

namespace skivra {

class TMyPlayerController;

// What the list commands need of the list box beyond the player's view.
class TMyPlaylistListBox {
public:
    virtual ~TMyPlaylistListBox() = default;
    virtual bool IsSelected(std::int32_t iIndex) const = 0;
    // A Yes/No question without icon; bYesDefault picks the default button. True for Yes.
    virtual bool ConfirmYesNo(const std::u16string& sText, bool bYesDefault) = 0;
    virtual void ShowMessage(const std::u16string& sText) = 0;
};

// The list commands that change the playlist under the player: delete the selected
// entries, clear the list, and sort it with the current entry found again afterwards.
// UI thread only.
class TMyPlaylistCommands {
public:
    TMyPlaylistCommands(TMyPlayerController& player, TMyPlaylistListBox& listBox)
        : FPlayer(player), FListBox(listBox) {}

    // Walks from the last entry down; the playing one goes through delete-playing, which
    // starts the entry after it while the other deletions go on.
    void Action_List_DeleteExecute();
    // bAsk: run by the user (the question is asked, No the default); from code it is not.
    void Action_List_ClearExecute(bool bAsk);
    // Sorts by the key (skNone for a sender that is no sort action: the state is reset);
    // bFromUser: the current entry is then found again by its file name.
    void Action_Sort_FileNameExecute(std::int32_t iKey, bool bFromUser);

    TMyPlaylistSort& Sort() { return FSort; }

    static constexpr char16_t kDeleteQuestion[] =
        u"選択ファイルをリストから削除します\rよろしいですか";
    static constexpr char16_t kClearQuestion[] = u"リストをクリアします\rよろしいですか";
    static constexpr char16_t kSortError[] = u"ソートエラー";

private:
    TMyPlayerController& FPlayer;
    TMyPlaylistListBox& FListBox;
    TMyPlaylistSort FSort;
};

} // namespace skivra
