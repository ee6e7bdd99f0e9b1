// The sort operations of TMyWStrings.

#include "lists/myString.h"
#include "lists/myWStrings.h"

#include <algorithm>
#include <numeric>
#include <string>

namespace skivra {

int32_t TMyWStrings::DefaultListCompare(TMyWStrings& slList, int32_t iIndex1, int32_t iIndex2) {
    return CompareTextAscii(slList.Get(iIndex1), slList.Get(iIndex2), slList.CaseSensitive());
}

void TMyWStrings::Sort() {
    CustomSort(DefaultListCompare);
}

void TMyWStrings::CustomSort(const TMyWStringsSortCompare& fniCompare) {
    MergeSort(fniCompare);
}

void TMyWStrings::StartSortProgress() {
    FsProgressMsg.clear();
    FiSortDepth = 0;
}

void TMyWStrings::StepSortProgress() {
    ++FiSortDepth;
    const std::string s = "リストのソート中 [" + std::to_string(FiSortDepth) + "]";
    FsProgressMsg.assign(s.begin(), s.end());
}

void TMyWStrings::MergeSort(int32_t iStart, int32_t iEnd,
                            const TMyWStringsSortCompare& fniCompare) {
    iStart = std::max(iStart, 0);
    iEnd = std::min(iEnd, Count() - 1);
    if (iEnd <= iStart) {
        return;
    }
    StartSortProgress();
    // The entries stay where they are while the indexes are sorted, so the comparison always
    // sees the positions the entries had when the sort began; they move once, at the end.
    std::vector<int32_t> aIndex(static_cast<size_t>(iEnd - iStart + 1));
    std::iota(aIndex.begin(), aIndex.end(), iStart);
    std::stable_sort(aIndex.begin(), aIndex.end(),
                     [&](int32_t a, int32_t b) { return fniCompare(*this, a, b) < 0; });
    StepSortProgress();
    std::vector<std::u16string> aStrings;
    std::vector<TMyObject*> aObjects;
    aStrings.reserve(aIndex.size());
    aObjects.reserve(aIndex.size());
    for (const int32_t i : aIndex) {
        aStrings.push_back(Get(i));
        aObjects.push_back(GetObject(i));
    }
    for (size_t k = 0; k < aIndex.size(); ++k) {
        const auto i = static_cast<int32_t>(iStart + static_cast<int32_t>(k));
        Put(i, aStrings[k]);
        PutObject(i, aObjects[k]);
    }
}

void TMyWStrings::MergeSort(int32_t iStart, int32_t iEnd) {
    MergeSort(iStart, iEnd, DefaultListCompare);
}

void TMyWStrings::MergeSort(const TMyWStringsSortCompare& fniCompare, bool bUnique) {
    const TMyUpdateBracket update(*this);
    MergeSort(fniCompare);
    if (bUnique) {
        RemoveDuplicates();
    }
}

void TMyWStrings::MergeSort(const TMyWStringsSortCompare& fniCompare) {
    MergeSort(0, Count() - 1, fniCompare);
}

void TMyWStrings::MergeSort() {
    MergeSort(0, Count() - 1, DefaultListCompare);
}

void TMyWStrings::RemoveDuplicates() {
    for (int32_t i = Count() - 1; i >= 1; --i) {
        if (SameEntry(Get(i), Get(i - 1))) {
            UStrings().Delete(i);
        }
    }
}

void TMyWStrings::SetSorted(bool bSorted) {
    FbSorted = bSorted;
    if (bSorted) {
        MergeSort();
        if (FDuplicates != dupAccept) {
            RemoveDuplicates();
        }
    }
}

} // namespace skivra
