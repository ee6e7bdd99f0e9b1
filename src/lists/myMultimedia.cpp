#include "lists/myMultimedia.h"

#include "lists/myPlaylistExpand.h"
#include "media/myTag.h"
#include "support/myFile.h"
#include "support/myPath.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace skivra {

TMyMediaStrings::TMyMediaStrings(TMyStrings* slList) : TMyFileStrings(slList) {}

void TMyMediaStrings::Clear() {
    SetObjectsFree(true);
    TMyFileStrings::Clear();
    SetObjectsFree(false);
}

void TMyMediaStrings::Delete(int32_t iIndex) {
    SetObjectsFree(true);
    TMyFileStrings::Delete(iIndex);
    SetObjectsFree(false);
}

TMyObject* TMyMediaStrings::CreateListObject(std::u16string_view sFileName,
                                             const TMyFindData& AFindData) {
    if (OnGetListObject) {
        return OnGetListObject(sFileName, AFindData);
    }
    TMyTagValue value;
    value.FileName = sFileName;
    value.FileSize = static_cast<int64_t>(AFindData.iFileSize);
    value.FileWriteTimeInt = static_cast<int64_t>(AFindData.iLastWriteTime);
    value.FileCreateTimeInt = static_cast<int64_t>(AFindData.iCreationTime);
    auto* pTag = new TMyTag(value);
    pTag->SetTag(Count() - 1);
    return pTag;
}

TMyObject* TMyMediaStrings::CreateMediaObject(std::u16string_view sPath) {
    TMyFindData data;
    if (!FindFirstFile(sPath, data)) {
        data = TMyFindData();
    }
    return CreateListObject(sPath, data);
}

bool TMyMediaStrings::ScanPaths() {
    const bool bResult = TMyFileStrings::ScanPaths();
    if (bResult) {
        ExpandPlaylist(FbNeedExists);
    }
    return bResult;
}

bool TMyMediaStrings::GetList(const TMyWStrings& APath) {
    SetPathList(APath);
    return ScanPathsCancelable();
}

bool TMyMediaStrings::GetList(std::u16string_view sPath) {
    TMyWStrings slPath;
    slPath.Add(sPath);
    return GetList(slPath);
}

int32_t TMyMediaStrings::ExpandPlaylist() {
    return ExpandPlaylist(true);
}

int32_t TMyMediaStrings::ExpandPlaylist(bool bNeedExist) {
    TMyPlaylistExpansion expansion(
        *this, [this](const std::u16string& sPath) { return CreateMediaObject(sPath); });
    return expansion.ExpandAll(bNeedExist);
}

TMyCustomTag* TMyMediaStrings::TagOf(int32_t iIndex) const {
    return dynamic_cast<TMyCustomTag*>(GetObject(iIndex));
}

void TMyMediaStrings::GetTag(int32_t iIndex) {
    if (iIndex < 0 || iIndex >= Count()) {
        return;
    }
    TMyCustomTag* pTag = TagOf(iIndex);
    if (pTag == nullptr) {
        PutObject(iIndex, new TMyTag2(Get(iIndex)));
        return;
    }
    if (pTag->FileWriteTimeInt() < static_cast<int64_t>(GetFileWriteTime64(Get(iIndex)))) {
        const TMyTag2 fresh(Get(iIndex));
        pTag->Assign(fresh);
    }
}

// --- sorts

void TMyMediaStrings::SortByTagText(bool bAscending, int32_t iStart, int32_t iEnd,
                                    TMyTextOfTag fnText) {
    SortByText(bAscending, iStart, iEnd, [fnText](TMyWStrings& slList, int32_t i) {
        const auto* pTag = dynamic_cast<const TMyCustomTag*>(slList.GetObject(i));
        return pTag != nullptr ? fnText(*pTag) : std::u16string();
    });
}

void TMyMediaStrings::SortByDouble(bool bAscending, int32_t iStart, int32_t iEnd,
                                   double (*fnKey)(const TMyCustomTag& ATag)) {
    iEnd = LastIndex(iEnd);
    std::vector<double> aKeys;
    const int32_t iFirst = std::max(iStart, 0);
    for (int32_t i = iFirst; i <= iEnd && i < Count(); ++i) {
        const TMyCustomTag* pTag = TagOf(i);
        aKeys.push_back(pTag != nullptr ? fnKey(*pTag) : 0.0);
    }
    // As the player always compared them: a value that does not compare (NaN) counts as
    // smaller ascending and as larger descending.
    MergeSort(iStart, iEnd, [&](TMyWStrings&, int32_t i1, int32_t i2) {
        const double k1 = aKeys[static_cast<std::size_t>(i1 - iFirst)];
        const double k2 = aKeys[static_cast<std::size_t>(i2 - iFirst)];
        if (bAscending) {
            return k1 > k2 ? 1 : (k1 == k2 ? 0 : -1);
        }
        return k1 > k2 ? -1 : (k1 == k2 ? 0 : 1);
    });
}

void TMyMediaStrings::SortMediaName(bool bAscending, int32_t iStart, int32_t iEnd) {
    SortByText(bAscending, iStart, iEnd, [](TMyWStrings& slList, int32_t i) {
        const auto* pTag = dynamic_cast<const TMyCustomTag*>(slList.GetObject(i));
        return pTag != nullptr ? pTag->MediaName() : GetFileNamePart(slList.Get(i));
    });
}

void TMyMediaStrings::SortMediaPath(bool bAscending, int32_t iStart, int32_t iEnd) {
    SortByText(bAscending, iStart, iEnd, [](TMyWStrings& slList, int32_t i) {
        const auto* pTag = dynamic_cast<const TMyCustomTag*>(slList.GetObject(i));
        return pTag != nullptr ? pTag->MediaDir() : GetFolderPart(slList.Get(i));
    });
}

void TMyMediaStrings::SortMediaExt(bool bAscending, int32_t iStart, int32_t iEnd) {
    SortByText(bAscending, iStart, iEnd, [](TMyWStrings& slList, int32_t i) {
        const auto* pTag = dynamic_cast<const TMyCustomTag*>(slList.GetObject(i));
        return pTag != nullptr ? pTag->MediaExt() : GetExtPart(slList.Get(i));
    });
}

void TMyMediaStrings::SortFileSize(bool bAscending, int32_t iStart, int32_t iEnd) {
    SortByKey(bAscending, iStart, iEnd, [this](int32_t i) {
        const TMyCustomTag* pTag = TagOf(i);
        return pTag != nullptr ? pTag->FileSize() : static_cast<int64_t>(GetFileSizeOf(Get(i)));
    });
}

void TMyMediaStrings::SortFileWriteTime(bool bAscending, int32_t iStart, int32_t iEnd) {
    SortByKey(bAscending, iStart, iEnd, [this](int32_t i) {
        const TMyCustomTag* pTag = TagOf(i);
        return pTag != nullptr ? pTag->FileWriteTimeInt()
                               : static_cast<int64_t>(GetFileWriteTime64(Get(i)));
    });
}

void TMyMediaStrings::SortFileCreateTime(bool bAscending, int32_t iStart, int32_t iEnd) {
    SortByKey(bAscending, iStart, iEnd, [this](int32_t i) {
        const TMyCustomTag* pTag = TagOf(i);
        return pTag != nullptr ? pTag->FileCreateTimeInt()
                               : static_cast<int64_t>(GetFileCreateTime64(Get(i)));
    });
}

void TMyMediaStrings::SortMediaDuration(bool bAscending, int32_t iStart, int32_t iEnd) {
    SortByDouble(bAscending, iStart, iEnd, [](const TMyCustomTag& t) { return t.MediaDuration(); });
}

void TMyMediaStrings::SortVideoFrameRate(bool bAscending, int32_t iStart, int32_t iEnd) {
    SortByDouble(bAscending, iStart, iEnd,
                 [](const TMyCustomTag& t) { return t.VideoFrameRate(); });
}

void TMyMediaStrings::SortMediaLength(bool bAscending, int32_t iStart, int32_t iEnd) {
    SortByKey(bAscending, iStart, iEnd, [this](int32_t i) -> int64_t {
        const TMyCustomTag* pTag = TagOf(i);
        return pTag != nullptr ? pTag->MediaLength() : 0;
    });
}

void TMyMediaStrings::SortVideoSize(bool bAscending, int32_t iStart, int32_t iEnd) {
    // Width first, then height: one key whose upper half is the width and whose lower half
    // is the height moved into the unsigned range, so both keep their signed order.
    SortByKey(bAscending, iStart, iEnd, [this](int32_t i) -> int64_t {
        const TMyCustomTag* pTag = TagOf(i);
        const int64_t iWidth = pTag != nullptr ? pTag->VideoWidth() : 0;
        const int64_t iHeight = pTag != nullptr ? pTag->VideoHeight() : 0;
        return iWidth * (int64_t{1} << 32) + (iHeight - INT32_MIN);
    });
}

#define SKIVRA_TAG_TEXT_SORT(NAME, FIELD)                                                          \
    void TMyMediaStrings::NAME(bool bAscending, int32_t iStart, int32_t iEnd) {                    \
        SortByTagText(bAscending, iStart, iEnd,                                                    \
                      [](const TMyCustomTag& t) { return std::u16string(t.FIELD()); });            \
    }

SKIVRA_TAG_TEXT_SORT(SortAlbum, Album)
SKIVRA_TAG_TEXT_SORT(SortAlbumArtist, AlbumArtist)
SKIVRA_TAG_TEXT_SORT(SortArtist, Artist)
SKIVRA_TAG_TEXT_SORT(SortComposer, Composer)
SKIVRA_TAG_TEXT_SORT(SortConductor, Conductor)
SKIVRA_TAG_TEXT_SORT(SortGenre, Genre)
SKIVRA_TAG_TEXT_SORT(SortTitle, GetTitle)
SKIVRA_TAG_TEXT_SORT(SortTrack, Track)
SKIVRA_TAG_TEXT_SORT(SortWriter, Writer)

#undef SKIVRA_TAG_TEXT_SORT

} // namespace skivra
