#include "app/mainInfo.h"

#include "app/main.h"
#include "app/myInfoTexts.h"
#include "app/myPlayerController.h"
#include "lists/myString.h"
#include "lists/myWStrings.h"
#include "media/myTag.h"

#include <QTableWidget>

#include <algorithm>

namespace skivra {

namespace {

constexpr int kRows = 4;

} // namespace

TMyMainInfo::TMyMainInfo(TApp_Skivra& window, const TMyPlayerController& controller)
    : FWindow(window), FController(controller), FView(controller.View()),
      FPlaylist(controller.Playlist()) {}

TMyMainInfo::~TMyMainInfo() {
    for (const std::weak_ptr<T_MyInfoGet>& fetcher : FFetchers) {
        if (const auto pFetcher = fetcher.lock()) {
            pFetcher->Terminate();
        }
    }
}

void TMyMainInfo::AttachFetcher() {
    FbAttached = true;
}

void TMyMainInfo::RefreshInfo() {
    // Moving the focus below tells the list's handler, which comes back here: once is enough.
    if (FbRefreshing) {
        return;
    }
    FbRefreshing = true;
    const std::int32_t iCount = FPlaylist.Count();
    if (iCount > 0 && FbAttached) {
        // An empty panel shows the playing entry first. With nothing playing the focus stays
        // where the user put it.
        const std::int32_t iPlaying = FController.ItemIndex();
        if (InfoTitleEmpty() && iPlaying >= 0 && iPlaying < iCount) {
            FView.SetFocusedIndex(iPlaying);
        }
        const std::int32_t iIndex = std::clamp(FView.FocusedIndex(), 0, iCount - 1);
        FView.SetFocusedIndex(iIndex);
        // A click both moves the focus and clicks: a fetch under way for this very file
        // already brings what a second one would.
        const auto pCurrent = FCurrent.lock();
        if (!pCurrent || pCurrent->Terminated() || pCurrent->Index() != iIndex ||
            pCurrent->FileName() != FPlaylist.Get(iIndex)) {
            std::erase_if(FFetchers,
                          [](const std::weak_ptr<T_MyInfoGet>& f) { return f.expired(); });
            auto fetcher =
                T_MyInfoGet::Start(*this, iIndex, FPlaylist.Get(iIndex), EntryRecord(iIndex));
            FCurrent = fetcher;
            FFetchers.push_back(std::move(fetcher));
        }
    }
    FView.RefreshActions();
    FbRefreshing = false;
}

bool TMyMainInfo::InfoTitleEmpty() const {
    return InfoValue(0).empty();
}

std::u16string TMyMainInfo::InfoValue(int iRow) const {
    const QTableWidgetItem* pItem = FWindow.Grid_Info->item(iRow, 1);
    return pItem ? pItem->text().toStdU16String() : std::u16string();
}

void TMyMainInfo::SetValue(int iRow, const std::u16string& sText) {
    QTableWidgetItem* pItem = FWindow.Grid_Info->item(iRow, 1);
    if (!pItem) {
        pItem = new QTableWidgetItem();
        FWindow.Grid_Info->setItem(iRow, 1, pItem);
    }
    pItem->setText(QString::fromStdU16String(sText));
}

void TMyMainInfo::ClearInfo() {
    for (int iRow = 0; iRow < kRows; ++iRow) {
        SetValue(iRow, u"");
    }
}

TMyCustomTag* TMyMainInfo::EntryRecord(int iIndex) const {
    if (iIndex < 0 || iIndex >= FPlaylist.Count()) {
        return nullptr;
    }
    return dynamic_cast<TMyCustomTag*>(FPlaylist.GetObject(iIndex));
}

bool TMyMainInfo::EntryHolds(int iIndex, const TMyCustomTag& ATag) const {
    return iIndex >= 0 && iIndex < FPlaylist.Count() &&
           SameTextAscii(FPlaylist.Get(iIndex), ATag.FileName());
}

bool TMyMainInfo::AcceptReport(T_MyInfoGet& Sender, int iIndex) {
    // A fetch started before the latest one may report after it: it must neither clear nor
    // fill what the latest one shows. While the list has no focus (its rows are refreshed
    // only when a busy section ends) the latest fetch is the focused entry's.
    const auto pCurrent = FCurrent.lock();
    const std::int32_t iFocused = FView.FocusedIndex();
    if (pCurrent.get() != &Sender || (iFocused >= 0 && iFocused != iIndex)) {
        Sender.Terminate();
        return false;
    }
    return true;
}

void TMyMainInfo::SetInfo(T_MyInfoGet& Sender, int iIndex, const TMyTag* ATag) {
    if (!AcceptReport(Sender, iIndex)) {
        return;
    }
    ClearInfo();
    const TMyCustomTag* pRecord = ATag;
    TMyCustomTag* pEntry = EntryRecord(iIndex);
    // A file that is gone has no tags to read: what the entry knew of it is still shown.
    if (!pRecord || (!ATag->FileExists() && pEntry && EntryHolds(iIndex, *pEntry))) {
        pRecord = pEntry;
    }
    if (!pRecord || !EntryHolds(iIndex, *pRecord)) {
        return;
    }
    SetValue(0, pRecord->GetTitle());
    SetValue(1, InfoWithOriginal(pRecord->Artist(), pRecord->OriginalArtist()));
    SetValue(2, InfoWithOriginal(pRecord->Album(), pRecord->OriginalAlbum()));
}

void TMyMainInfo::SetInfo2(T_MyInfoGet& Sender, int iIndex, const TMyTag* ATag) {
    if (!AcceptReport(Sender, iIndex)) {
        return;
    }
    // The fetch has told everything: the next refresh asks again.
    FCurrent.reset();
    TMyCustomTag* pRecord = EntryRecord(iIndex);
    const bool bExists = ATag ? ATag->FileExists() : pRecord && pRecord->FileExists();
    // The entry keeps the freshest record of its own file; a fetch that found the file gone
    // (the entry's record still knows its tags) or that was made for another file (the list
    // changed meanwhile) changes nothing.
    if (ATag && bExists && EntryHolds(iIndex, *ATag)) {
        if (!pRecord && FPlaylist.ObjectsFree()) {
            pRecord = new TMyTag();
            FPlaylist.PutObject(iIndex, pRecord);
        }
        if (pRecord) {
            pRecord->Assign(*ATag);
        }
    }
    const TMyCustomTag* pShown = pRecord && EntryHolds(iIndex, *pRecord) ? pRecord : ATag;
    if (!pShown || !EntryHolds(iIndex, *pShown)) {
        return;
    }
    SetValue(3, bExists ? InfoSummaryText(*pShown) : std::u16string(kInfoNoFile));
}

} // namespace skivra
