// Sorting a playlist of 100,000 entries by file name the way the playlist view does it (the
// sort command's state and update bracket, the keys read from the playlist it borrows, then
// the visible page of lines read again for drawing), next to the bare merge sort of the
// list by natural sort keys on the same entries. bench/run-playlist-sort prints the ratio.
#include "app/myPlaylistEntry.h"
#include "app/myPlaylistSort.h"
#include "lists/myNaturalSortKey.h"
#include "lists/myWStrings.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace skivra;

constexpr int kEntries = 100000;
constexpr int kVisibleRows = 40; // one page of the list box

std::u16string Ascii(const std::string& s) {
    return {s.begin(), s.end()};
}

// Folders and names of a media collection, numbered in ASCII and full-width digits and in
// no particular order.
std::vector<std::u16string> MakeEntries() {
    std::mt19937 generator(12345);
    std::vector<std::u16string> a;
    a.reserve(kEntries);
    for (int i = 0; i < kEntries; ++i) {
        const int iFolder = static_cast<int>(generator() % 1000);
        const int iTrack = static_cast<int>(generator() % 200);
        std::u16string s = u"/home/user/ミュージック/Artist " +
                           Ascii(std::to_string(iFolder % 97)) + u"/Album " +
                           Ascii(std::to_string(iFolder)) + u"/";
        if (iTrack % 3 == 0) {
            s += u"トラック";
            for (const char c : std::to_string(iTrack)) {
                s += static_cast<char16_t>(u'０' + (c - '0'));
            }
        } else {
            s += Ascii(std::to_string(iTrack)) + u" Song title " + Ascii(std::to_string(i % 7));
        }
        s += iTrack % 5 == 0 ? u".wma" : u".mp3";
        a.push_back(std::move(s));
    }
    return a;
}

const std::vector<std::u16string>& Entries() {
    static const std::vector<std::u16string> a = MakeEntries();
    return a;
}

void Fill(TMyWStrings& sl) {
    for (const std::u16string& s : Entries()) {
        sl.Add(s);
    }
}

void BM_BareListSort(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        TMyWStrings sl;
        Fill(sl);
        state.ResumeTiming();
        sl.MergeSortNatural(0, sl.Count() - 1, TMyNaturalOrder::Path);
        benchmark::DoNotOptimize(sl.Get(0));
    }
}
BENCHMARK(BM_BareListSort)->Unit(benchmark::kMillisecond);

void BM_PlaylistViewSort(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        TMyWStrings sl;
        Fill(sl);
        TMyPlaylistSort sort;
        state.ResumeTiming();
        sort.SortPlaylist(sl, skFileName);
        std::size_t iLength = 0;
        for (int i = 0; i < kVisibleRows; ++i) {
            iLength += PlaylistEntryText(sl, i, false).size();
        }
        benchmark::DoNotOptimize(iLength);
    }
}
BENCHMARK(BM_PlaylistViewSort)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
