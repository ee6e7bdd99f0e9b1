#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace skivra {

class TMyWStrings;

// The sort keys of the playlist commands; a negative FiSort is the same key descending.
enum TMyPlaylistSortKey : std::int32_t {
    skNone = 0,
    skShuffle = 1,
    skFileName = 2,   // full file names
    skFolder = 3,     // folder parts
    skName = 4,       // names without folder
    skExt = 5,        // extensions
    skFileSize = 6,   // file sizes
    skCreateTime = 7, // creation times
    skUpdateTime = 8, // last-write times
};

// The sort state of the playlist and its steps. The same key twice reverses the order; the
// text keys compare by the natural path ordering, read once per entry into sort keys, so a
// playlist of 100,000 entries sorts in a fraction of a second. UI thread only.
class TMyPlaylistSort {
public:
    std::int32_t Sort() const { return FiSort; }
    void SetSort(std::int32_t iSort) { FiSort = iSort; }

    // Sets the state (the same key again changes the direction) and sorts the list inside an
    // update bracket, stably; shuffle shuffles again at every call. Keys outside 1 to 8 only
    // reset the state to 0.
    void SortPlaylist(TMyWStrings& slList, std::int32_t iKey);
    // The caption up to its first blank, then " ▲" or " ▼" when the key is the current one.
    std::u16string SortCaption(std::u16string_view sCaption, std::int32_t iKey) const;

    // The shuffle's generator: an index in 0 to iCount - 1. Tests give their own.
    void SetRandom(std::function<std::int32_t(std::int32_t iCount)> fnRandom) {
        FfnRandom = std::move(fnRandom);
    }

private:
    void Shuffle(TMyWStrings& slList);

    std::int32_t FiSort = 0;
    std::function<std::int32_t(std::int32_t)> FfnRandom;
};

} // namespace skivra
