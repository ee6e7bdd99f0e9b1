#pragma once

#include "app/mainParts.h"
#include "media/info_get.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace skivra {

class TApp_Skivra;
class TMyCustomTag;
class TMyPlayerController;
class TMyPlayerView;
class TMyWStrings;

// The information grid of the main window: title, artist, album and a file summary of the
// list's focused entry, gathered by a background fetch (T_MyInfoGet) and shown in two
// steps, the tags first, then the summary once the file has been probed.
//
// Only the latest fetch may fill the grid: a report of an earlier one, or one for an entry
// that is no longer focused, is dropped and its fetcher told to stop, whatever order the
// reports arrive in. A report never changes the record of an entry that now holds another
// file, and a fetch that finds the file gone keeps the record the entry had. UI thread only.
class TMyMainInfo final : public TMyInfoPart, private TMyInfoGetSink {
public:
    // The playlist, the current entry and the list's focus are the controller's and its
    // view's; they must outlive this.
    TMyMainInfo(TApp_Skivra& window, const TMyPlayerController& controller);
    // Outstanding fetchers are told to stop: none reports to a panel that is gone.
    ~TMyMainInfo() override;
    TMyMainInfo(const TMyMainInfo&) = delete;
    TMyMainInfo& operator=(const TMyMainInfo&) = delete;

    // Until this runs no fetch starts (the window calls it when it is created).
    void AttachFetcher() override;
    // The list's click handler, also run from code: focuses the current entry when the
    // grid is empty, brings the focus into the list and fetches the focused entry.
    void RefreshInfo() override;
    bool InfoTitleEmpty() const override;
    void ClearInfo() override;

    // The value of a row (0 to 3) as shown.
    std::u16string InfoValue(int iRow) const;

private:
    void SetInfo(T_MyInfoGet& Sender, int iIndex, const TMyTag* ATag) override;
    void SetInfo2(T_MyInfoGet& Sender, int iIndex, const TMyTag* ATag) override;

    // Drops the report (and stops its fetcher) unless it is the latest fetch's, for the
    // entry the list still focuses.
    bool AcceptReport(T_MyInfoGet& Sender, int iIndex);
    TMyCustomTag* EntryRecord(int iIndex) const;
    bool EntryHolds(int iIndex, const TMyCustomTag& ATag) const;
    void SetValue(int iRow, const std::u16string& sText);

    TApp_Skivra& FWindow;
    const TMyPlayerController& FController;
    TMyPlayerView& FView;
    TMyWStrings& FPlaylist;
    bool FbAttached = false;
    bool FbRefreshing = false;
    std::weak_ptr<T_MyInfoGet> FCurrent;
    std::vector<std::weak_ptr<T_MyInfoGet>> FFetchers;
};

} // namespace skivra
