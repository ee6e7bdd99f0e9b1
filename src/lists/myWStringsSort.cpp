// The sort operations of TMyWStrings.

#include "lists/myMergeSort.h"
#include "lists/myNaturalCompare.h"
#include "lists/myNaturalSortKey.h"
#include "lists/myString.h"
#include "lists/myWStrings.h"
#include "support/myEventHook.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

namespace skivra {

namespace {

using TMyPlainCompare = int32_t (*)(TMyWStrings&, int32_t, int32_t);

// Whether the comparison is the plain function fnKnown, as CustomSort(NaturalPathListCompare)
// passes it.
bool IsCompare(const TMyWStringsSortCompare& fniCompare, TMyPlainCompare fnKnown) {
    const TMyPlainCompare* pTarget = fniCompare.target<TMyPlainCompare>();
    return pTarget != nullptr && *pTarget == fnKnown;
}

} // namespace

int32_t TMyWStrings::DefaultListCompare(TMyWStrings& slList, int32_t iIndex1, int32_t iIndex2) {
    return CompareTextAscii(slList.Get(iIndex1), slList.Get(iIndex2), slList.CaseSensitive());
}

int32_t TMyWStrings::FileListCompare(TMyWStrings& slList, int32_t iIndex1, int32_t iIndex2) {
    return CompareFilePath(slList.Get(iIndex1), slList.Get(iIndex2));
}

int32_t TMyWStrings::NaturalPathListCompare(TMyWStrings& slList, int32_t iIndex1, int32_t iIndex2) {
    return CompareNaturalPath(slList.Get(iIndex1), slList.Get(iIndex2));
}

int32_t TMyWStrings::NaturalTextListCompare(TMyWStrings& slList, int32_t iIndex1, int32_t iIndex2) {
    return CompareNaturalText(slList.Get(iIndex1), slList.Get(iIndex2));
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

// Runs once per part of the merge sort, so it rewrites only the number of the message in
// place: no allocation once the text has reached its longest.
void TMyWStrings::StepSortProgress() {
    static constexpr std::u16string_view kPrefix = u"リストのソート中 [";
    ++FiSortDepth;
    FsProgressMsg.assign(kPrefix);
    const std::string sDepth = std::to_string(FiSortDepth);
    FsProgressMsg.append(sDepth.begin(), sDepth.end());
    FsProgressMsg.push_back(u']');
}

template <class Compare>
void TMyWStrings::SortIndexes(int32_t iStart, int32_t iEnd, Compare&& fnCompare) {
    StartSortProgress();
    // The entries stay where they are while the indexes are sorted, so the comparison always
    // sees the positions the entries had when the sort began; they move once, at the end.
    // Nothing is written before every comparison has been made: a comparison that throws
    // leaves the list as it was.
    std::vector<int> aIndex(static_cast<size_t>(iEnd - iStart + 1));
    std::iota(aIndex.begin(), aIndex.end(), iStart);
    MergeSortIndexes(aIndex, fnCompare, [this] { StepSortProgress(); });

    std::vector<std::u16string> aStrings;
    std::vector<TMyObject*> aObjects;
    aStrings.reserve(aIndex.size());
    aObjects.reserve(aIndex.size());
    for (const int i : aIndex) {
        aStrings.push_back(Get(i));
        aObjects.push_back(GetObject(i));
    }
    for (size_t k = 0; k < aIndex.size(); ++k) {
        const auto i = static_cast<int32_t>(iStart + static_cast<int32_t>(k));
        Put(i, aStrings[k]);
        PutObject(i, aObjects[k]);
    }
}

void TMyWStrings::MergeSort(int32_t iStart, int32_t iEnd,
                            const TMyWStringsSortCompare& fniCompare) {
    if (IsCompare(fniCompare, NaturalPathListCompare)) {
        MergeSortNatural(iStart, iEnd, TMyNaturalOrder::Path);
        return;
    }
    if (IsCompare(fniCompare, NaturalTextListCompare)) {
        MergeSortNatural(iStart, iEnd, TMyNaturalOrder::Text);
        return;
    }
    if (IsCompare(fniCompare, FileListCompare)) {
        MergeSortNatural(iStart, iEnd, TMyNaturalOrder::FilePath);
        return;
    }
    iStart = std::max(iStart, 0);
    iEnd = std::min(iEnd, Count() - 1);
    if (iEnd <= iStart) {
        return;
    }
    SortIndexes(iStart, iEnd, [&](int i1, int i2) { return fniCompare(*this, i1, i2); });
}

void TMyWStrings::MergeSortNatural(
    int32_t iStart, int32_t iEnd, TMyNaturalOrder order,
    const std::function<std::u16string(TMyWStrings& slList, int32_t iIndex)>& fnText) {
    iStart = std::max(iStart, 0);
    iEnd = std::min(iEnd, Count() - 1);
    if (iEnd <= iStart) {
        return;
    }
    TMyNaturalSortKeys keys(order);
    keys.Reserve(static_cast<size_t>(iEnd - iStart + 1));
    for (int32_t i = iStart; i <= iEnd; ++i) {
        if (fnText) {
            keys.Add(fnText(*this, i));
        } else {
            keys.Add(Get(i));
        }
    }
    SortIndexes(iStart, iEnd, [&](int i1, int i2) {
        return keys.Compare(static_cast<size_t>(i1 - iStart), static_cast<size_t>(i2 - iStart));
    });
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

void TMyWStrings::QuickSort(const TMyWStringsSortCompare& fniCompare) {
    QuickSort(fniCompare, false);
}

void TMyWStrings::QuickSort(const TMyWStringsSortCompare& fniCompare, bool bUnique) {
    if (Count() > 1) {
        const TMyUpdateBracket update(*this);
        // Each range is partitioned around its middle entry; the left part is sorted before
        // the right one, as a recursive quicksort does, but the right parts wait on a list of
        // their own rather than on the call stack, which a hostile order of entries could
        // otherwise exhaust. The scans stop at the ends of the range even when a comparison
        // contradicts itself, so every round makes progress.
        std::vector<std::pair<int32_t, int32_t>> aPending{{0, Count() - 1}};
        while (!aPending.empty()) {
            auto [L, R] = aPending.back();
            aPending.pop_back();
            for (;;) {
                int32_t I = L;
                int32_t J = R;
                int32_t P = L + (R - L) / 2;
                do {
                    while (I < R && fniCompare(*this, I, P) < 0) {
                        ++I;
                    }
                    while (J > L && fniCompare(*this, J, P) > 0) {
                        --J;
                    }
                    if (I <= J) {
                        Exchange(I, J);
                        if (P == I) {
                            P = J;
                        } else if (P == J) {
                            P = I;
                        }
                        ++I;
                        --J;
                    }
                    PumpEvents();
                } while (I <= J);
                if (L < J) {
                    if (I < R) {
                        aPending.emplace_back(I, R);
                    }
                    R = J;
                    continue;
                }
                L = I;
                if (I >= R) {
                    break;
                }
            }
        }
    }
    if (bUnique) {
        RemoveDuplicates();
    }
}

void TMyWStrings::InsertionSort(bool bUnique) {
    InsertionSort(DefaultListCompare, bUnique);
}

void TMyWStrings::InsertionSort(const TMyWStringsSortCompare& fniCompare) {
    InsertionSort(fniCompare, false);
}

void TMyWStrings::InsertionSort(const TMyWStringsSortCompare& fniCompare, bool bUnique) {
    if (Count() < 2) {
        return;
    }
    const TMyUpdateBracket update(*this);
    for (int32_t i = 1; i <= Count() - 1; ++i) {
        int32_t a = i;
        for (int32_t iStep = 0; iStep < i; ++iStep) {
            const int32_t iCompare = fniCompare(*this, a - 1, a);
            if (iCompare < 0) {
                break;
            }
            if (iCompare > 0) {
                Exchange(a - 1, a);
            } else if (bUnique) {
                Delete(a);
                --i;
                break;
            }
            PumpEvents();
            --a;
        }
    }
}

void TMyWStrings::FileSort() {
    MergeSort(FileListCompare, true);
}

void TMyWStrings::FileSort(bool /*bUnique*/) {
    MergeSort(FileListCompare, true);
}

void TMyWStrings::FileSort(int32_t iStart, int32_t iEnd) {
    MergeSort(iStart, iEnd, FileListCompare);
}

void TMyWStrings::FileInsertionSort() {
    InsertionSort(FileListCompare, false);
}

void TMyWStrings::FileInsertionSort(bool bUnique) {
    InsertionSort(FileListCompare, bUnique);
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
