// Sorting 100,000 real-looking paths of a Japanese and Western media collection (1,000
// folders of 100 files) by the natural path order through the list's merge sort: once by
// sort keys (what the list does for CompareNaturalPath) and once pairwise (the comparison
// function read afresh at every step), next to GNU sort -V sorting the same list as a whole
// process, start-up included; and the file sort of the path lists by keys, for reference.
// bench/run-natural-sort prints the ratios.
#include "lists/myLocaleCompare.h"
#include "lists/myNaturalCompare.h"
#include "lists/myWStrings.h"
#include "support/myUnicode.h"

#include "benchScratch.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

using skivra::bench::ChildCpuMilliseconds;

constexpr int kFolders = 1000;
constexpr int kFilesPerFolder = 100;

// 1 to 9999 as kanji numerals: 十二, 二十一, 百五, 三千二百.
std::string Kanji(int iValue) {
    static const char* const aDigits[] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
    static const char* const aUnits[] = {"千", "百", "十", ""};
    static const int aPowers[] = {1000, 100, 10, 1};
    std::string s;
    for (int k = 0; k < 4; ++k) {
        const int iDigit = iValue / aPowers[k] % 10;
        if (iDigit == 0) {
            continue;
        }
        if (iDigit > 1 || k == 3) {
            s += aDigits[iDigit];
        }
        s += aUnits[k];
    }
    return s;
}

std::string FullWidth(int iValue) {
    std::string s;
    for (const char c : std::to_string(iValue)) {
        s += "\xEF\xBC";
        s += static_cast<char>(0x90 + (c - '0')); // U+FF10 + digit
    }
    return s;
}

std::string Roman(int iValue) {
    static const char* const aRoman[] = {"Ⅰ", "Ⅱ", "Ⅲ", "Ⅳ", "Ⅴ", "Ⅵ", "Ⅶ", "Ⅷ", "Ⅸ", "Ⅹ"};
    return aRoman[(iValue - 1) % 10];
}

std::string Circled(int iValue) {
    // U+2460 (①) to U+2473 (⑳): E2 91 A0 to E2 91 B3.
    std::string s = "\xE2\x91";
    s += static_cast<char>(0xA0 + (iValue - 1) % 20);
    return s;
}

std::string FolderName(int f) {
    const int n = f / 5 + 1;
    switch (f % 5) {
    case 0:
        return "/home/user/アニメ/魔法少女" + std::to_string(n) + " 第" +
               std::to_string(f % 7 + 1) + "期";
    case 1:
        return "/home/user/Music/Artist " + std::to_string(n) + "/Album " +
               std::to_string(f % 9 + 1) + " (" + std::to_string(1990 + f % 30) + ")";
    case 2:
        return "/home/user/音楽/歌手" + Kanji(n) + "/Disc " + Roman(f % 10 + 1);
    case 3:
        return "/media/usb/ドラマ/シリーズ" + FullWidth(n) + "/第" + Kanji(f % 12 + 1) + "巻";
    default:
        return "/home/user/Videos/Show " + std::to_string(n) + "/Season " +
               std::to_string(f % 4 + 1);
    }
}

std::string FileName(int f, int j) {
    switch ((f + j) % 8) {
    case 0:
        return "第" + Kanji(j) + "話 ＯＰ.mp4";
    case 1:
        return "Track " + std::to_string(j) + ".flac";
    case 2:
        return "track " + std::to_string(j) + ".flac";
    case 3: {
        std::string s = j < 10 ? "0" : "";
        s += std::to_string(j);
        s += " タイトル";
        s += std::to_string(j % 13);
        s += ".mp3";
        return s;
    }
    case 4:
        return Roman(j) + " 第" + std::to_string(j) + "章.mkv";
    case 5:
        return "ＯＰ" + Circled(j) + " ver" + std::to_string(j % 3 + 1) + ".mp4";
    case 6:
        return "第" + FullWidth(j) + "話 「タイトル」.mkv";
    default:
        return "Episode " + std::to_string(j) + " - Part " + std::to_string(j % 4 + 1) + ".mkv";
    }
}

// The collection in the order a folder scan might deliver it: shuffled.
const std::vector<std::string>& Paths() {
    static const std::vector<std::string> aPaths = [] {
        std::vector<std::string> a;
        a.reserve(kFolders * kFilesPerFolder);
        for (int f = 0; f < kFolders; ++f) {
            const std::string sFolder = FolderName(f);
            for (int j = 1; j <= kFilesPerFolder; ++j) {
                a.push_back(sFolder + "/" + FileName(f, j));
            }
        }
        std::mt19937 random(20240611);
        std::shuffle(a.begin(), a.end(), random);
        return a;
    }();
    return aPaths;
}

const std::string& ListPath() {
    static const std::string sPath = [] {
        const std::string sFile = (skivra::bench::ScratchFolder() / "paths.txt").string();
        std::ofstream out(sFile, std::ios::binary);
        for (const std::string& sPath : Paths()) {
            out << sPath << '\n';
        }
        return sFile;
    }();
    return sPath;
}

void FillList(skivra::TMyWStrings& sl) {
    static const std::vector<std::u16string> aPaths = [] {
        std::vector<std::u16string> a;
        for (const std::string& sPath : Paths()) {
            a.push_back(*skivra::Utf8ToUtf16(sPath));
        }
        return a;
    }();
    sl.SetCapacity(static_cast<int32_t>(aPaths.size()));
    for (const std::u16string& sPath : aPaths) {
        sl.Add(sPath);
    }
}

template <class Sort> void SortOnce(benchmark::State& state, Sort&& fnSort) {
    skivra::SetCollationLocale("ja_JP");
    for (auto _ : state) {
        state.PauseTiming();
        skivra::TMyWStrings sl;
        FillList(sl);
        state.ResumeTiming();
        fnSort(sl);
        benchmark::DoNotOptimize(sl.Get(0));
    }
}

// What the list does for CustomSort(NaturalPathListCompare): keys read once per entry.
void BM_NaturalSortKeys(benchmark::State& state) {
    SortOnce(state, [](skivra::TMyWStrings& sl) {
        sl.CustomSort(skivra::TMyWStrings::NaturalPathListCompare);
    });
}
BENCHMARK(BM_NaturalSortKeys)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same merge sort asking CompareNaturalPath at every step.
void BM_NaturalSortPairwise(benchmark::State& state) {
    SortOnce(state, [](skivra::TMyWStrings& sl) {
        sl.MergeSort([](skivra::TMyWStrings& slList, int32_t i1, int32_t i2) {
            return skivra::CompareNaturalPath(slList.Get(i1), slList.Get(i2));
        });
    });
}
BENCHMARK(BM_NaturalSortPairwise)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The file sort of the path lists (CompareFilePath, then duplicates removed), also by keys.
void BM_FileSortKeys(benchmark::State& state) {
    SortOnce(state, [](skivra::TMyWStrings& sl) { sl.FileSort(); });
}
BENCHMARK(BM_FileSortKeys)->Unit(benchmark::kMillisecond)->UseRealTime();

// The peer, a whole process as a user would run it. Its CPU time (all its threads) is kept
// as a counter, since the benchmark's own CPU column cannot see into a child process.
void BM_SortVersion(benchmark::State& state) {
    const std::string sCommand = "sort -V '" + ListPath() + "' > '" + ListPath() + ".sorted'";
    const double fStart = ChildCpuMilliseconds();
    for (auto _ : state) {
        if (std::system(sCommand.c_str()) != 0) {
            state.SkipWithError("sort -V failed");
        }
    }
    state.counters["child_cpu_ms"] =
        benchmark::Counter(ChildCpuMilliseconds() - fStart, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SortVersion)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
int main(int argc, char** argv) {
    return skivra::bench::RunBenchmarks(argc, argv);
}
