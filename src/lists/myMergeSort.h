#pragma once

#include <cstddef>
#include <vector>

namespace skivra {

// The list's stable merge sort, over an array of entry indexes: the entries stay where they
// are while it runs (a comparison may read them at their original positions) and the caller
// moves them once at the end. A part is split into its first n / 2 indexes and the rest; the
// merge takes from the right half only when the comparison says the left entry is greater,
// so equal entries keep their order. Every sort of the list that promises this order goes
// through this one routine, whether it compares pairwise or by keys, so both give the same
// order even for a comparison that is not symmetric.
//
// fnCompare(iIndex1, iIndex2) returns the signed comparison; fnOnStep() is called once per
// part, before it is sorted. An exception from either leaves the index array in an
// unspecified order and propagates.
template <class Compare, class OnStep>
void MergeSortIndexes(std::vector<int>& indexes, Compare&& fnCompare, OnStep&& fnOnStep) {
    std::vector<int> buffer(indexes.size() / 2 + 1);
    struct TMySorter {
        Compare& fnCompare;
        OnStep& fnOnStep;
        int* pBuffer;

        void Sort(int* pFirst, std::size_t n) {
            fnOnStep();
            if (n <= 1) {
                return;
            }
            const std::size_t iLeft = n / 2;
            Sort(pFirst, iLeft);
            Sort(pFirst + iLeft, n - iLeft);
            Merge(pFirst, iLeft, n);
        }

        void Merge(int* pFirst, std::size_t iLeft, std::size_t n) {
            // The left half moves aside; the merged run is written from the front, never
            // overtaking the unread part of the right half.
            for (std::size_t i = 0; i < iLeft; ++i) {
                pBuffer[i] = pFirst[i];
            }
            std::size_t l = 0;
            std::size_t r = iLeft;
            std::size_t out = 0;
            while (l < iLeft && r < n) {
                if (fnCompare(pBuffer[l], pFirst[r]) > 0) {
                    pFirst[out++] = pFirst[r++];
                } else {
                    pFirst[out++] = pBuffer[l++];
                }
            }
            while (l < iLeft) {
                pFirst[out++] = pBuffer[l++];
            }
        }
    };
    TMySorter sorter{fnCompare, fnOnStep, buffer.data()};
    sorter.Sort(indexes.data(), indexes.size());
}

} // namespace skivra
