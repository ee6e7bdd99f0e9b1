#pragma once

#include "lists/myPlaylistFile.h"

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace skivra {

class TMyFileStrings;
class TMyObject;

// One expansion of the playlist entries of a list: every playlist entry is replaced, where
// it stood, by the files it lists in its own order, each with the object fnMakeObject makes
// for it (the list's filter applies: a refused file's object is destroyed). Playlists
// named inside playlists are expanded in place. The list is walked from its end, and each
// playlist from its last entry, so entries inserted are never visited again.
//
// Bounded against hostile or broken files: each playlist file (the same file by any name,
// links followed) is opened at most once per expansion, nesting stops kMaxDepth deep, one
// expansion inserts and reads at most kMaxEntries entries and kMaxBytes bytes, and every
// file is read up to kMaxPlaylistBytes. What was read before a bound is kept.
//
// UI thread only: the readers pump the event queue after each entry and stop when the
// list's cancel query (or, without one, the terminating flag) says so.
class TMyPlaylistExpansion {
public:
    static constexpr int32_t kMaxDepth = 16;
    static constexpr int64_t kMaxEntries = 1'000'000;
    static constexpr int64_t kMaxBytes = 256 * 1024 * 1024;

    using TMyMakeObject = std::function<TMyObject*(const std::u16string& sPath)>;
    TMyPlaylistExpansion(TMyFileStrings& slList, TMyMakeObject fnMakeObject);

    // Expands every playlist entry; the change in the entry count (negative when playlists
    // held less than themselves). Stops at a cancel, keeping what was inserted.
    int32_t ExpandAll(bool bNeedExist);
    // Expands one playlist file into position iIndex; false when cancelled.
    bool ExpandPlaylistFile(const std::u16string& sPath, int32_t iIndex, bool bNeedExist);

    // A bound was met during this expansion.
    bool LimitReached() const { return FbLimitReached; }

private:
    bool Expand(const std::u16string& sPath, bool bNeedExist, int32_t iDepth);
    bool MarkVisited(const std::u16string& sPath);
    bool HandleEntries(const std::vector<std::u16string>& aTexts, const std::u16string& sPlaylist,
                       bool bNeedExist, int32_t iDepth);
    void Flush(int32_t iIndex);

    TMyFileStrings& FslList;
    TMyMakeObject FfnMakeObject;
    std::set<std::pair<uint64_t, uint64_t>> FVisitedFiles;
    std::set<std::u16string> FVisitedNames; // playlists that do not exist
    // Entries found, in the order they were handled (the last of the playlist first).
    std::vector<std::pair<std::u16string, TMyObject*>> FPending;
    int64_t FiEntries = 0;
    int64_t FiBytes = 0;
    bool FbLimitReached = false;
};

} // namespace skivra
