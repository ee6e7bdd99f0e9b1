#include "lists/myPlaylistExpand.h"

#include "lists/myFileStrings.h"
#include "lists/myString.h"
#include "support/myEventHook.h"
#include "support/myFile.h"
#include "support/myFindFile.h"
#include "support/myPath.h"

#include <algorithm>

namespace skivra {

TMyPlaylistExpansion::TMyPlaylistExpansion(TMyFileStrings& slList, TMyMakeObject fnMakeObject)
    : FslList(slList), FfnMakeObject(std::move(fnMakeObject)) {}

int32_t TMyPlaylistExpansion::ExpandAll(bool bNeedExist) {
    const int32_t iCountBefore = FslList.Count();
    for (int32_t i = FslList.Count() - 1; i >= 0; --i) {
        if (!FslList.ContinueQuietly()) {
            break;
        }
        if (!IsPlaylistFile(FslList.Get(i))) {
            continue;
        }
        const std::u16string sPlaylist = FslList.Get(i);
        FslList.Delete(i);
        if (!ExpandPlaylistFile(sPlaylist, i, bNeedExist)) {
            break;
        }
    }
    return FslList.Count() - iCountBefore;
}

bool TMyPlaylistExpansion::ExpandPlaylistFile(const std::u16string& sPath, int32_t iIndex,
                                              bool bNeedExist) {
    bool bResult = false;
    try {
        bResult = Expand(sPath, bNeedExist, 0);
    } catch (...) {
        Flush(iIndex);
        throw;
    }
    Flush(iIndex);
    return bResult;
}

bool TMyPlaylistExpansion::MarkVisited(const std::u16string& sPath) {
    TMyFindData data;
    if (!HasWildcard(sPath) && FindFirstFile(sPath, data)) {
        return FVisitedFiles.emplace(data.iDevice, data.iInode).second;
    }
    return FVisitedNames.insert(sPath).second;
}

bool TMyPlaylistExpansion::Expand(const std::u16string& sPath, bool bNeedExist, int32_t iDepth) {
    if (FbLimitReached || !MarkVisited(sPath)) {
        return true;
    }
    if (iDepth >= kMaxDepth) {
        FbLimitReached = true;
        return true;
    }
    if (!FileExistsEx(sPath)) {
        return true;
    }
    FiBytes += static_cast<int64_t>(
        std::min<uint64_t>(GetFileSizeOf(sPath), static_cast<uint64_t>(kMaxPlaylistBytes)));
    if (FiBytes > kMaxBytes) {
        FbLimitReached = true;
        return true;
    }
    const TMyPlaylistFormat format = PlaylistFormatOf(sPath);
    std::vector<std::u16string> aTexts;
    if (format == TMyPlaylistFormat::Pls) {
        aTexts = ReadPlsEntryTexts(sPath);
    } else if (format == TMyPlaylistFormat::Wpl) {
        aTexts = WplEntryTexts(ReadPlaylistText(sPath, format));
    } else if (format == TMyPlaylistFormat::M3u) {
        TMyWStrings slLines;
        ReadPlaylistLines(sPath, format, slLines);
        aTexts = M3uEntryTexts(slLines);
        // Each line is taken for a file name: the list's filter decides which files get
        // through. An address has no extension to judge it by.
        std::erase_if(aTexts, [this](const std::u16string& sText) {
            return !IsUrlEntry(sText) && !FslList.IsAllowedFile(sText);
        });
    }
    return HandleEntries(aTexts, sPath, bNeedExist, iDepth);
}

bool TMyPlaylistExpansion::HandleEntries(const std::vector<std::u16string>& aTexts,
                                         const std::u16string& sPlaylist, bool bNeedExist,
                                         int32_t iDepth) {
    const std::u16string sFolder = GetFolderPathPart(sPlaylist);
    int32_t iHandled = 0;
    for (auto it = aTexts.rbegin(); it != aTexts.rend(); ++it) {
        if (!FslList.ContinueQuietly()) {
            return false;
        }
        if (++FiEntries > kMaxEntries) {
            FbLimitReached = true;
            return true;
        }
        // An address is kept as written: a stream, or a playlist on a server, is the
        // engine's to open, and it has no extension for the filter to judge.
        const bool bUrl = IsUrlEntry(*it);
        const std::u16string sPath =
            bUrl ? std::u16string(TrimText(*it)) : ResolveRelativePath(*it, sFolder);
        if (!bUrl && bNeedExist && !FileExistsEx(sPath)) {
            continue;
        }
        if (!bUrl && IsPlaylistFile(sPath)) {
            if (!Expand(sPath, bNeedExist, iDepth + 1)) {
                return false;
            }
        } else {
            TMyObject* AObject = FfnMakeObject ? FfnMakeObject(sPath) : nullptr;
            if (bUrl || FslList.IsAllowedFile(sPath)) {
                FPending.emplace_back(sPath, AObject);
            } else {
                delete AObject;
            }
            if (FslList.OnDispCount) {
                FslList.OnDispCount(++iHandled, sPath);
            }
        }
        PumpEvents();
    }
    return true;
}

void TMyPlaylistExpansion::Flush(int32_t iIndex) {
    // Handled from the last entry to the first, all at the same index: the list gets them
    // in the playlist's order.
    std::reverse(FPending.begin(), FPending.end());
    FslList.InsertEntries(iIndex, FPending);
    FPending.clear();
}

} // namespace skivra
