// The folder scan of 100,000 files in 1,000 folders into a media list with the player's
// media extensions, then the natural path sort, against find | sort -V on the same tree;
// and the expansion of an M3U of 100,000 entries (entries per second).
#include "benchScratch.h"
#include "lists/myMultimedia.h"
#include "support/myUnicode.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace skivra::bench {
namespace {

constexpr int kFolders = 1000;
constexpr int kFilesPerFolder = 100;

// The files of the tree with their facts read: a walk that also brings the folders and
// inodes into the cache, so that both sides read a warm cache from the first repetition on.
std::size_t CountFiles(const std::filesystem::path& path) {
    std::error_code error;
    std::size_t iFiles = 0;
    for (std::filesystem::recursive_directory_iterator it(path, error), end; !error && it != end;
         it.increment(error)) {
        iFiles += it->is_regular_file() && it->file_size() > 0 ? 1 : 0;
    }
    return iFiles;
}

// The tree both sides read. Writing 100,000 files takes minutes on a busy disk, so
// SKIVRA_BENCH_SCAN_TREE may name a folder of the benchmark's own where the tree is kept
// from one run to the next (bench/run-scan does); it is written again when it is not whole.
const std::filesystem::path& Tree() {
    static const std::filesystem::path root = [] {
        const char* pKept = std::getenv("SKIVRA_BENCH_SCAN_TREE");
        const std::filesystem::path path = pKept != nullptr && *pKept != 0
                                               ? std::filesystem::path(pKept)
                                               : ScratchFolder() / "tree";
        constexpr std::size_t kFiles = std::size_t{kFolders} * kFilesPerFolder;
        if (CountFiles(path) == kFiles) {
            return path;
        }
        static const char* const aExts[] = {".mp3", ".avi", ".wmv", ".mp4", ".txt"};
        for (int f = 0; f < kFolders; ++f) {
            const std::filesystem::path folder =
                path / ("Artist " + std::to_string(f / 40)) / ("Album " + std::to_string(f));
            std::filesystem::create_directories(folder);
            for (int i = 0; i < kFilesPerFolder; ++i) {
                std::ofstream(folder / ("Track " + std::to_string(i + 1) + aExts[i % 5])) << "x";
            }
        }
        if (CountFiles(path) != kFiles) {
            std::fprintf(stderr, "bench_scan: %s is not the generated tree alone\n", path.c_str());
            std::exit(1);
        }
        return path;
    }();
    return root;
}

void AddMediaExtensions(TMyFileStrings& sl) {
    sl.AllowExtAdd({u".mp3", u".avi", u".wmv", u".wma", u".mp4", u".mpg", u".mpeg", u".m4a",
                    u".mkv", u".wav", u".m3u", u".m3u8", u".pls", u".wpl"});
}

void BM_ScanAndSort(benchmark::State& state) {
    const std::u16string sRoot = *Utf8ToUtf16(Tree().string() + "/"); // made before timing
    double fScan = 0;
    double fSort = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        TMyMediaStrings sl;
        AddMediaExtensions(sl);
        sl.GetList(sRoot);
        const auto t1 = std::chrono::steady_clock::now();
        sl.SortFileName(true);
        const auto t2 = std::chrono::steady_clock::now();
        fScan += std::chrono::duration<double, std::milli>(t1 - t0).count();
        fSort += std::chrono::duration<double, std::milli>(t2 - t1).count();
        benchmark::DoNotOptimize(sl.Count());
        sl.Clear();
    }
    state.counters["scan_ms"] = fScan / static_cast<double>(state.iterations());
    state.counters["sort_ms"] = fSort / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ScanAndSort)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FindSortV(benchmark::State& state) {
    const std::string sCommand = "find '" + Tree().string() + "' -type f | sort -V > /dev/null";
    const double fStart = ChildCpuMilliseconds();
    for (auto _ : state) {
        if (std::system(sCommand.c_str()) != 0) {
            state.SkipWithError("find | sort -V failed");
        }
    }
    // The peer runs in child processes, which the benchmark's own CPU column cannot see.
    state.counters["child_cpu_ms"] =
        benchmark::Counter(ChildCpuMilliseconds() - fStart, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_FindSortV)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExpandM3u(benchmark::State& state) {
    const std::filesystem::path list = ScratchFolder() / "big.m3u";
    {
        std::ofstream out(list);
        out << "#EXTM3U\n";
        for (int f = 0; f < kFolders; ++f) {
            for (int i = 0; i < kFilesPerFolder; ++i) {
                out << "#EXTINF:100,Track\n"
                    << (Tree() / ("Artist " + std::to_string(f / 40)) /
                        ("Album " + std::to_string(f)) /
                        ("Track " + std::to_string(i + 1) + ".mp3"))
                           .string()
                    << "\n";
            }
        }
    }
    const std::u16string sList = *Utf8ToUtf16(list.string());
    for (auto _ : state) {
        TMyMediaStrings sl;
        sl.Add(sList);
        benchmark::DoNotOptimize(sl.ExpandPlaylist(false));
        sl.Clear();
    }
    state.SetItemsProcessed(state.iterations() * kFolders * kFilesPerFolder);
}
BENCHMARK(BM_ExpandM3u)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace skivra::bench

int main(int argc, char** argv) {
    return skivra::bench::RunBenchmarks(argc, argv);
}
