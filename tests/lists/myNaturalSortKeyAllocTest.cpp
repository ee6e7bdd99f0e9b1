// A binary of its own: it replaces the global operator new to count allocations, which must
// not touch any other test.
#include "lists/myLocaleCompare.h"
#include "lists/myNaturalSortKey.h"
#include "lists/nastyNames.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> g_iAllocations{0};

} // namespace

void* operator new(std::size_t iSize) {
    ++g_iAllocations;
    if (void* p = std::malloc(iSize == 0 ? 1 : iSize)) {
        return p;
    }
    throw std::bad_alloc();
}

// g++ takes the free() inside a replacement operator delete for a mismatch with new; here
// new and delete are replaced as a pair over malloc and free, which is exactly matched.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop

namespace skivra {
namespace {

// Sorting calls Compare about n log n times; all the reading and allocating happens once
// per entry, when the keys are built.
TEST(NaturalSortKeyAllocations, ComparingKeysNeverAllocates) {
    SetCollationLocale("ja_JP");
    for (const TMyNaturalOrder order : {TMyNaturalOrder::Path, TMyNaturalOrder::Text,
                                        TMyNaturalOrder::FilePath, TMyNaturalOrder::NumberedText}) {
        test::TMyNastyNames names(11);
        TMyNaturalSortKeys keys(order);
        constexpr std::size_t kTexts = 500;
        for (std::size_t i = 0; i < kTexts; ++i) {
            keys.Add(names.Next());
        }
        std::vector<std::pair<std::size_t, std::size_t>> pairs;
        for (int n = 0; n < 20000; ++n) {
            pairs.emplace_back(names.Pick(kTexts), names.Pick(kTexts));
        }
        const long iBefore = g_iAllocations;
        long iSum = 0;
        for (const auto& [i, j] : pairs) {
            iSum += keys.Compare(i, j);
        }
        EXPECT_EQ(g_iAllocations - iBefore, 0) << static_cast<int>(order);
        EXPECT_NE(iSum, 20000); // the comparisons ran and did not all say "after"
    }
    SetCollationLocale(std::nullopt);
}

} // namespace
} // namespace skivra
