#include "app/myPlaylistSort.h"

#include <cstdlib>
#include <random>
#include <vector>

#include "lists/myNaturalSortKey.h"
#include "lists/myWStrings.h"
#include "support/myFile.h"
#include "support/myPath.h"

namespace skivra {

namespace {

// The text an entry is sorted by; empty for the keys that are not texts.
std::u16string SortText(std::int32_t iKey, const std::u16string& sEntry) {
    switch (iKey) {
    case skFileName:
        return sEntry;
    case skFolder:
        return GetFolderPart(sEntry);
    case skName:
        return GetFileNamePart(sEntry);
    case skExt:
        return GetExtPart(sEntry);
    default:
        return {};
    }
}

std::int64_t SortNumber(std::int32_t iKey, const std::u16string& sEntry) {
    // The file facts are unsigned; they compare as signed 64-bit values.
    switch (iKey) {
    case skFileSize:
        return static_cast<std::int64_t>(GetFileSizeOf(sEntry));
    case skCreateTime:
        return static_cast<std::int64_t>(GetFileCreateTime64(sEntry));
    case skUpdateTime:
        return static_cast<std::int64_t>(GetFileWriteTime64(sEntry));
    default:
        return 0;
    }
}

// The key of a sort state; a state read from a settings file may hold any value.
std::int64_t CurrentKey(std::int32_t iSort) {
    return std::llabs(std::int64_t{iSort});
}

} // namespace

void TMyPlaylistSort::SortPlaylist(TMyWStrings& slList, std::int32_t iKey) {
    if (iKey < skShuffle || iKey > skUpdateTime) {
        FiSort = skNone;
        return;
    }
    const TMyUpdateBracket update(slList);
    if (iKey == skShuffle) {
        // Shuffling again is not a direction: every call shuffles anew.
        FiSort = skShuffle;
        Shuffle(slList);
        return;
    }
    FiSort = iKey == CurrentKey(FiSort) ? -FiSort : iKey;
    const bool bDescending = FiSort < 0;
    const std::int32_t iCount = slList.Count();
    // The merge sort hands the comparison the positions the entries had when it began, so
    // every key is read once, here, by position. Descending compares the two the other way
    // round rather than negating: the natural ordering need not be symmetric.
    if (iKey <= skExt) {
        TMyNaturalSortKeys keys(TMyNaturalOrder::Path);
        keys.Reserve(static_cast<std::size_t>(iCount));
        for (std::int32_t i = 0; i < iCount; ++i) {
            keys.Add(SortText(iKey, slList.Get(i)));
        }
        slList.MergeSort(0, iCount - 1, [&](TMyWStrings&, std::int32_t i1, std::int32_t i2) {
            const auto a = static_cast<std::size_t>(i1);
            const auto b = static_cast<std::size_t>(i2);
            return bDescending ? keys.Compare(b, a) : keys.Compare(a, b);
        });
        return;
    }
    std::vector<std::int64_t> aValues(static_cast<std::size_t>(iCount));
    for (std::int32_t i = 0; i < iCount; ++i) {
        aValues[static_cast<std::size_t>(i)] = SortNumber(iKey, slList.Get(i));
    }
    slList.MergeSort(0, iCount - 1, [&](TMyWStrings&, std::int32_t i1, std::int32_t i2) {
        std::int64_t k1 = aValues[static_cast<std::size_t>(i1)];
        std::int64_t k2 = aValues[static_cast<std::size_t>(i2)];
        if (bDescending) {
            std::swap(k1, k2);
        }
        return k1 < k2 ? -1 : k1 > k2 ? 1 : 0;
    });
}

void TMyPlaylistSort::Shuffle(TMyWStrings& slList) {
    if (!FfnRandom) {
        FfnRandom = [generator = std::mt19937(std::random_device{}())](std::int32_t n) mutable {
            return std::uniform_int_distribution<std::int32_t>(0, n - 1)(generator);
        };
    }
    // Fisher-Yates from the end: every order equally likely.
    for (std::int32_t i = slList.Count() - 1; i > 0; --i) {
        std::int32_t j = FfnRandom(i + 1);
        if (j < 0 || j > i) {
            j = i;
        }
        if (j != i) {
            slList.Exchange(i, j);
        }
    }
}

std::u16string TMyPlaylistSort::SortCaption(std::u16string_view sCaption, std::int32_t iKey) const {
    std::u16string s(sCaption.substr(0, sCaption.find(u' ')));
    if (iKey == CurrentKey(FiSort)) {
        if (FiSort > 0) {
            s += u" ▲";
        } else if (FiSort < 0) {
            s += u" ▼";
        }
    }
    return s;
}

} // namespace skivra
