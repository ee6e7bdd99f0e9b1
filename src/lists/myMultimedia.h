#pragma once

#include "lists/myFileStrings.h"

namespace skivra {

class TMyCustomTag;

// The file list for media files: every entry carries a media record (TMyTag or TMyTag2) as
// its object, a completed scan expands the playlists among its entries, and the sorts read
// their keys from the records, falling back to the path or the file system for an entry
// without one. Clear and Delete always destroy the records of what they remove.
class TMyMediaStrings : public TMyFileStrings {
public:
    explicit TMyMediaStrings(TMyStrings* slList = nullptr);

    // With ObjectsFree forced on; it is off afterwards, whatever it was.
    void Clear() override;
    void Delete(int32_t iIndex) override;

    // Without OnGetListObject: a TMyTag of the file facts the enumeration gave.
    TMyObject* CreateListObject(std::u16string_view sFileName,
                                const TMyFindData& AFindData) override;
    // The record of a path not found by a scan (all zero when it does not exist).
    TMyObject* CreateMediaObject(std::u16string_view sPath);

    // The scan, then, when it ran to the end, ExpandPlaylist(NeedExists).
    bool ScanPaths() override;
    using TMyFileStrings::GetList;
    // The paths scanned through ScanPathsCancelable, so EscCancel is honoured.
    bool GetList(const TMyWStrings& APath) override;
    bool GetList(std::u16string_view sPath) override;

    // Replaces every playlist entry by the files it lists; the change in the count.
    virtual int32_t ExpandPlaylist();
    virtual int32_t ExpandPlaylist(bool bNeedExist);

    // Makes sure entry iIndex has a full record (tags and probe) that is not older than
    // the file.
    void GetTag(int32_t iIndex);

    // The record of an entry, or nullptr.
    TMyCustomTag* TagOf(int32_t iIndex) const;

    void SortMediaName(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1) override;
    void SortMediaPath(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1) override;
    void SortMediaExt(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1) override;
    void SortFileSize(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1) override;
    void SortFileWriteTime(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1) override;
    void SortFileCreateTime(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1) override;
    virtual void SortMediaDuration(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);
    virtual void SortMediaLength(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);
    virtual void SortVideoSize(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);
    virtual void SortVideoFrameRate(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);
    virtual void SortAlbum(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);
    virtual void SortAlbumArtist(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);
    virtual void SortArtist(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);
    virtual void SortComposer(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);
    virtual void SortConductor(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);
    virtual void SortGenre(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);
    virtual void SortTitle(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);
    virtual void SortTrack(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);
    virtual void SortWriter(bool bAscending, int32_t iStart = 0, int32_t iEnd = -1);

    bool NeedExists() const { return FbNeedExists; }
    void SetNeedExists(bool bValue) { FbNeedExists = bValue; }

private:
    using TMyTextOfTag = std::u16string (*)(const TMyCustomTag& ATag);
    void SortByTagText(bool bAscending, int32_t iStart, int32_t iEnd, TMyTextOfTag fnText);
    void SortByDouble(bool bAscending, int32_t iStart, int32_t iEnd,
                      double (*fnKey)(const TMyCustomTag& ATag));

    bool FbNeedExists = true;
};

} // namespace skivra
