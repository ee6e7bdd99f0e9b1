// Loading and saving the playlist: a 100,000-line UTF-8 text read into TMyWStrings and
// written back, next to iconv decoding the same file to UTF-16LE (the least any reader does
// with it). bench/run-textfile prints the ratios.
#include "lists/myWStrings.h"
#include "support/myUnicode.h"

#include "benchScratch.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr int kLines = 100000;

const std::string& PlaylistPath() {
    static const std::string sPath = [] {
        const std::string sFile = (skivra::bench::ScratchFolder() / "skivra.playlist").string();
        static const char* const aFolders[] = {"/home/user/音楽/宇多田ヒカル/First Love",
                                               "/home/user/Music/The Beatles/Abbey Road",
                                               "/media/usb/ビデオ/ｱﾆﾒ 第①話", "/srv/共有/録画"};
        std::ofstream out(sFile, std::ios::binary);
        out << "\xEF\xBB\xBF";
        for (int i = 0; i < kLines; ++i) {
            out << aFolders[i % 4] << "/" << i % 97 + 1 << " - トラック" << i << ".mp3\r\n";
        }
        return sFile;
    }();
    return sPath;
}

std::u16string Path16(const std::string& sPath) {
    return *skivra::Utf8ToUtf16(sPath);
}

void BM_LoadPlaylist(benchmark::State& state) {
    const std::u16string sFile = Path16(PlaylistPath());
    for (auto _ : state) {
        skivra::TMyWStrings sl;
        sl.LoadFromFile(sFile);
        if (sl.Count() != kLines) {
            state.SkipWithError("the playlist did not load");
        }
        benchmark::DoNotOptimize(sl.Count());
    }
}
BENCHMARK(BM_LoadPlaylist)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SavePlaylist(benchmark::State& state) {
    skivra::TMyWStrings sl;
    sl.LoadFromFile(Path16(PlaylistPath()));
    const std::u16string sOut = Path16(PlaylistPath() + ".saved");
    for (auto _ : state) {
        if (!sl.SaveToFile(sOut)) {
            state.SkipWithError("the playlist did not save");
        }
    }
}
BENCHMARK(BM_SavePlaylist)->Unit(benchmark::kMillisecond)->UseRealTime();

// The peer, a whole process as a user would run it.
void BM_IconvDecode(benchmark::State& state) {
    const std::string sCommand =
        "iconv -f UTF-8 -t UTF-16LE '" + PlaylistPath() + "' > '" + PlaylistPath() + ".utf16'";
    for (auto _ : state) {
        if (std::system(sCommand.c_str()) != 0) {
            state.SkipWithError("iconv failed");
        }
    }
}
BENCHMARK(BM_IconvDecode)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return skivra::bench::RunBenchmarks(argc, argv);
}
